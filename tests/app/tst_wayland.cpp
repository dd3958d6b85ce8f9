// SPDX-License-Identifier: GPL-2.0-or-later
// The program as a Wayland client of weston: it starts and connects, keys
// typed into its window reach the screens that ask for them (global capture
// being impossible there), and a drag hands the move to the compositor.
// Headless weston has no input devices; with WESTON_BACKEND=x11 weston runs
// inside an X server and xdotool types and drags for real.
#include "ShellFixture.h"
#include "app/InputWiring.h"
#include "input/HookManager.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QQmlContext>
#include <QTest>

using fixture::bus;

namespace {

bool realInput()
{
    return qgetenv("WESTON_BACKEND") == "x11";
}

void xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
}

// The A key as the compositor delivers it: XKB key code 38 (Linux 30 + 8).
void typeA(QWidget *target)
{
    if (realInput()) {
        xdotool({"mousemove", "500", "300", "key", "a"});
        return;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0x61, 0, QStringLiteral("a"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, 38, 0x61, 0,
                      QStringLiteral("a"));
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

QStringList captured(const Shell &shell)
{
    return shell.calls().filter(QStringLiteral("detect"));
}

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    void startsAndConnects();
    void keysTypedIntoTheWindowArriveOnlyWhileAsked();
    void aDragHandsTheMoveToTheCompositor();
};

void TestWayland::startsAndConnects()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    Shell shell;
    bus().plug(sim::MouseConfig{});
    Widget &w = shell.start();
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.checkDevice();
    QVERIFY(Widget::deviceConnected);
    QTRY_COMPARE(shell.calls(), (QStringList{"initUI", "run"}));
    QVERIFY(!globalCaptureSupported());
    QVERIFY(Ui_Controler::compositorPlacesWindows());
}

void TestWayland::keysTypedIntoTheWindowArriveOnlyWhileAsked()
{
    Shell shell;
    Widget &w = shell.start();
    wireInputCallbacks(&w);
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (realInput())
        QVERIFY(QTest::qWaitForWindowActive(&w));
    w.view()->setFocus();
    QVERIFY(!w.view()->globalCaptureAvailable());

    typeA(w.view());
    QTest::qWait(300);
    QCOMPARE(captured(shell), QStringList());

    w.view()->requestKeyCapture(QStringLiteral("macroRecord"), true);
    QVERIFY(!hooks::hooksInstalled());
    typeA(w.view());
    QTRY_COMPARE(captured(shell), (QStringList{"detectKeyboard true 4", "detectKeyboard false 4"}));

    w.view()->requestKeyCapture(QStringLiteral("macroRecord"), false);
    typeA(w.view());
    QTest::qWait(300);
    QCOMPARE(captured(shell).size(), 2);
    hooks::setKeyboardCallback(nullptr, nullptr);
    hooks::setMouseCallback(nullptr, nullptr);
}

void TestWayland::aDragHandsTheMoveToTheCompositor()
{
    if (!realInput())
        QSKIP("headless weston has no seat: nothing there can start a move");
    Shell shell;
    Widget &w = shell.start();
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *controller = qobject_cast<Ui_Controler *>(
        w.view()->rootContext()->contextProperty(QStringLiteral("ui_Ctl")).value<QObject *>());
    QVERIFY(controller);
    const QPoint before = w.pos();
    // The pointer enters the window before the press.
    xdotool({"mousemove", "290", "18"});
    QTest::qWait(300);
    xdotool({"mousemove", "300", "20", "mousedown", "1"});
    // Several steps: one motion may be merged away on a busy machine.
    for (int step = 1; step <= 4 && !controller->systemMoveStarted(); ++step) {
        xdotool({"mousemove", QString::number(300 + 10 * step), QString::number(20 + 3 * step)});
        QTest::qWait(200);
    }
    QTRY_VERIFY_WITH_TIMEOUT(controller->systemMoveStarted(), 10000);
    xdotool({"mouseup", "1"});
    QCOMPARE(w.pos(), before); // the compositor places the window, not move()

    // The next press starts afresh.
    xdotool({"mousemove", "300", "300", "click", "1"});
    QTRY_VERIFY(!controller->systemMoveStarted());
}

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"
