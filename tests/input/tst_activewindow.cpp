// SPDX-License-Identifier: GPL-2.0-or-later
// The window in front on a real X server, announced as a window manager
// does: each new active window once, with its class; gone windows, odd
// classes and a missing window manager are survived.
#include "input/ActiveWindowWatcher.h"
#include "x11/TestDesktop.h"

#include <QSignalSpy>
#include <QTest>

class TestActiveWindow : public QObject
{
    Q_OBJECT

private slots:
    void followsWindowsActivatedInTurn();
    void oddClassesAndGoneWindows();
    void supportComesAndGoes();
    void withoutAnXServerItDoesNotStart();
};

void TestActiveWindow::followsWindowsActivatedInTurn()
{
    TestDesktop desk;
    QVERIFY(desk.ok());
    const xcb_window_t game = desk.window("steam_app_730", "Steam_App_730");
    const xcb_window_t browser = desk.window("navigator", "Firefox");
    desk.activate(game);

    ActiveWindowWatcher w;
    QSignalSpy changed(&w, &ActiveWindowWatcher::activeWindowChanged);
    QVERIFY(w.start());
    // The window in front at start is reported at once.
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toUInt(), game);
    QCOMPARE(changed[0][1].toString(), QStringLiteral("Steam_App_730"));
    QVERIFY(w.isSupported());

    desk.activate(browser);
    QTRY_COMPARE(changed.size(), 2);
    QCOMPARE(changed[1][1].toString(), QStringLiteral("Firefox"));
    QCOMPARE(w.activeWindow(), browser);
    desk.activate(game);
    QTRY_COMPARE(changed.size(), 3);
    QCOMPARE(changed[2][1].toString(), QStringLiteral("Steam_App_730"));

    // Set again to the same window: not a change.
    desk.activate(game);
    desk.activate(game);
    QTest::qWait(200);
    QCOMPARE(changed.size(), 3);

    // Ten changes in a row: the last one is the window in front.
    for (int i = 0; i < 10; ++i)
        desk.activate(i % 2 ? game : browser);
    QTRY_COMPARE(w.activeWindow(), game);
    QTest::qWait(100);
    QCOMPARE(changed.last()[0].toUInt(), game);
    QVERIFY(changed.size() <= 13);

    // The desktop itself in front.
    desk.activate(0);
    QTRY_COMPARE(changed.last()[0].toUInt(), 0u);
    QCOMPARE(changed.last()[1].toString(), QString());
    w.stop();
    desk.activate(browser);
    QTest::qWait(200);
    QCOMPARE(changed.last()[0].toUInt(), 0u);
}

void TestActiveWindow::oddClassesAndGoneWindows()
{
    TestDesktop desk;
    desk.activate(0);
    ActiveWindowWatcher w;
    QSignalSpy changed(&w, &ActiveWindowWatcher::activeWindowChanged);
    QVERIFY(w.start());

    const struct
    {
        QByteArray property;
        QString expected;
    } cases[] = {
        {QByteArray(), QString()},                                   // no WM_CLASS
        {QByteArray("lonely"), QStringLiteral("lonely")},            // one name only
        {QByteArray("inst\0\0", 6), QStringLiteral("inst")},         // empty class
        {QByteArray("x\0caf\xc3\xa9\0", 8), QStringLiteral("café")}, // UTF-8
        {QByteArray("x\0caf\xe9\0", 7), QStringLiteral("café")},     // Latin-1
        {QByteArray("x\0Big\0extra\0", 12), QStringLiteral("Big")},
        {QByteArray(4000, 'a'), QString(1024, QLatin1Char('a'))}, // cut at 1 KiB
    };
    for (const auto &c : cases) {
        const xcb_window_t win = desk.windowWithClassProperty(c.property);
        const int before = changed.size();
        desk.activate(win);
        QTRY_COMPARE(changed.size(), before + 1);
        QCOMPARE(changed.last()[1].toString(), c.expected);
    }

    // A window destroyed before it is read: no class, no harm.
    const xcb_window_t gone = desk.window("a", "Gone");
    desk.destroy(gone);
    desk.activate(gone);
    QTRY_COMPARE(changed.last()[0].toUInt(), gone);
    QCOMPARE(changed.last()[1].toString(), QString());
    QCOMPARE(w.windowClass(gone), QString());

    // Still listening afterwards.
    const xcb_window_t next = desk.window("n", "Next");
    desk.activate(next);
    QTRY_COMPARE(changed.last()[1].toString(), QStringLiteral("Next"));
}

void TestActiveWindow::supportComesAndGoes()
{
    TestDesktop desk;
    desk.clearActive();
    ActiveWindowWatcher w;
    QSignalSpy support(&w, &ActiveWindowWatcher::supportChanged);
    QSignalSpy changed(&w, &ActiveWindowWatcher::activeWindowChanged);
    QVERIFY(w.start());
    QVERIFY(!w.isSupported());
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toUInt(), 0u);

    // A window manager that lists the property before setting it.
    desk.announceSupport(true);
    QTRY_COMPARE(support.size(), 1);
    QVERIFY(w.isSupported());
    desk.announceSupport(false);
    QTRY_COMPARE(support.size(), 2);
    QVERIFY(!w.isSupported());

    // The property appearing is support enough.
    const xcb_window_t win = desk.window("a", "Alpha");
    desk.activate(win);
    QTRY_COMPARE(support.size(), 3);
    QVERIFY(w.isSupported());
    QTRY_COMPARE(changed.last()[1].toString(), QStringLiteral("Alpha"));
}

void TestActiveWindow::withoutAnXServerItDoesNotStart()
{
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":4711");
    ActiveWindowWatcher w;
    QSignalSpy changed(&w, &ActiveWindowWatcher::activeWindowChanged);
    QVERIFY(!w.start());
    QVERIFY(!w.isRunning());
    QVERIFY(!w.isSupported());
    QVERIFY(changed.isEmpty());
    qputenv("DISPLAY", display);
}

QTEST_GUILESS_MAIN(TestActiveWindow)
#include "tst_activewindow.moc"
