// SPDX-License-Identifier: GPL-2.0-or-later
// Key capture on demand, on a real X server with keys and clicks sent by
// xdotool: nothing is taken while no screen asks or while the window sits in
// the tray; what a screen receives while it asks; the window's own keys where
// global capture is impossible.
#include "ShellFixture.h"
#include "app/InputWiring.h"
#include "input/HookManager.h"
#include "input/X11Capture.h"

#include <QProcess>
#include <QTest>

namespace {

void xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
}

QStringList captured(const Shell &shell)
{
    QStringList out;
    for (const QString &call : shell.calls())
        if (call.startsWith(QLatin1String("detect")))
            out << call;
    return out;
}

// Time for events that should not come to arrive all the same.
void quietPeriod()
{
    QTest::qWait(400);
}

struct CaptureShell : Shell
{
    explicit CaptureShell(bool global)
    {
        hooks::setBackend(std::make_unique<X11Capture>());
        Widget &w = start();
        wireInputCallbacks(&w, global);
        w.move(100, 100);
        w.showNormal();
        w.activateWindow();
    }
    ~CaptureShell()
    {
        hooks::removeHooks();
        hooks::setKeyboardCallback(nullptr, nullptr);
        hooks::setMouseCallback(nullptr, nullptr);
    }
    void ask(const char *requester, bool active)
    {
        widget->view()->requestKeyCapture(QString::fromLatin1(requester), active);
    }
};

} // namespace

class TestCapture : public QObject
{
    Q_OBJECT

private slots:
    void nothingIsTakenWhileNoScreenAsks();
    void keysAndClicksArriveWhileAScreenAsks();
    void theLastRequesterToStopReleasesTheCapture();
    void nothingIsTakenWhileTheWindowIsInTheTray();
    void withoutGlobalCaptureTheWindowsOwnKeysArrive();
};

void TestCapture::nothingIsTakenWhileNoScreenAsks()
{
    CaptureShell shell(true);
    QVERIFY(QTest::qWaitForWindowActive(shell.widget.get()));
    QVERIFY(shell.widget->view()->globalCaptureAvailable());
    QVERIFY(!hooks::hooksInstalled());
    xdotool({"key", "a", "mousemove", "300", "300", "click", "1"});
    quietPeriod();
    QCOMPARE(captured(shell), QStringList());
}

void TestCapture::keysAndClicksArriveWhileAScreenAsks()
{
    CaptureShell shell(true);
    QVERIFY(QTest::qWaitForWindowActive(shell.widget.get()));
    shell.ask("macroRecord", true);
    QVERIFY(hooks::hooksInstalled());
    // Typed into the window: taken once, not once per path.
    xdotool({"key", "a", "KP_Enter"});
    xdotool({"mousemove", "1200", "700", "click", "3"});
    QTRY_COMPARE(captured(shell).size(), 6);
    quietPeriod();
    QCOMPARE(captured(shell),
             (QStringList{"detectKeyboard true 4", "detectKeyboard false 4",
                          "detectKeyboard true 88", "detectKeyboard false 88",
                          "detectMouse true 241 1200 700", "detectMouse false 241 1200 700"}));
}

void TestCapture::theLastRequesterToStopReleasesTheCapture()
{
    CaptureShell shell(true);
    shell.ask("fireKey", true);
    shell.ask("comboKey", true);
    shell.ask("fireKey", false);
    QVERIFY(hooks::hooksInstalled());
    xdotool({"key", "b"});
    QTRY_COMPARE(captured(shell), (QStringList{"detectKeyboard true 5", "detectKeyboard false 5"}));

    shell.ask("comboKey", false);
    QVERIFY(!hooks::hooksInstalled());
    xdotool({"key", "c", "click", "1"});
    quietPeriod();
    QCOMPARE(captured(shell).size(), 2);

    // A key held down when capture stopped is reported again next time.
    shell.ask("insertKey", true);
    xdotool({"keydown", "d"});
    QTRY_COMPARE(captured(shell).size(), 3);
    shell.ask("insertKey", false);
    xdotool({"keyup", "d"});
    shell.ask("insertKey", true);
    xdotool({"key", "d"});
    QTRY_COMPARE(captured(shell).size(), 5);
    QCOMPARE(captured(shell).mid(3),
             (QStringList{"detectKeyboard true 7", "detectKeyboard false 7"}));
}

void TestCapture::nothingIsTakenWhileTheWindowIsInTheTray()
{
    CaptureShell shell(true);
    shell.ask("macroRecord", true);
    QVERIFY(hooks::hooksInstalled());
    shell.widget->setVisible(false); // the title bar's close button
    QVERIFY(!hooks::hooksInstalled());
    xdotool({"key", "e"});
    quietPeriod();
    QCOMPARE(captured(shell), QStringList());

    shell.widget->showNormal();
    QVERIFY(hooks::hooksInstalled());
    xdotool({"key", "f"});
    QTRY_COMPARE(captured(shell), (QStringList{"detectKeyboard true 9", "detectKeyboard false 9"}));
}

void TestCapture::withoutGlobalCaptureTheWindowsOwnKeysArrive()
{
    CaptureShell shell(false);
    Widget &w = *shell.widget;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.view()->setFocus();
    QVERIFY(!w.view()->globalCaptureAvailable());

    xdotool({"key", "a"});
    quietPeriod();
    QCOMPARE(captured(shell), QStringList());

    shell.ask("macroRecord", true);
    QVERIFY(!hooks::hooksInstalled()); // nothing global
    xdotool({"key", "a", "Right", "Tab"});
    const QPoint inside = w.mapToGlobal(QPoint(500, 300));
    xdotool({"mousemove", QString::number(inside.x()), QString::number(inside.y()), "click", "1"});
    QTRY_COMPARE(captured(shell).size(), 8);
    QCOMPARE(captured(shell).mid(0, 6),
             (QStringList{"detectKeyboard true 4", "detectKeyboard false 4",
                          "detectKeyboard true 79", "detectKeyboard false 79",
                          "detectKeyboard true 43", "detectKeyboard false 43"}));
    QCOMPARE(captured(shell).mid(6),
             (QStringList{
                 QStringLiteral("detectMouse true 240 %1 %2").arg(inside.x()).arg(inside.y()),
                 QStringLiteral("detectMouse false 240 %1 %2").arg(inside.x()).arg(inside.y())}));

    // A click outside the window is not the window's.
    xdotool({"mousemove", "1200", "50", "click", "1"});
    shell.ask("macroRecord", false);
    xdotool({"mousemove", QString::number(inside.x()), QString::number(inside.y()), "click", "1",
             "key", "b"});
    quietPeriod();
    QCOMPARE(captured(shell).mid(8), QStringList());
}

QTEST_MAIN(TestCapture)
#include "tst_capture.moc"
