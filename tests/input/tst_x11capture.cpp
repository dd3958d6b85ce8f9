// SPDX-License-Identifier: GPL-2.0-or-later
// Capture on a real X server: keys and clicks sent with xdotool arrive as
// key codes and button codes; nothing arrives after the hooks are removed.
#include "input/HookManager.h"
#include "input/X11Capture.h"

#include <QProcess>
#include <QTest>

#include <X11/Xlib.h>

namespace {

QStringList events;

void onKey(unsigned char code, bool down, void *)
{
    events
        << QStringLiteral("key %1 %2").arg(code, 2, 16, QLatin1Char('0')).arg(down ? "down" : "up");
}

void onButton(unsigned char code, bool down, int x, int y, void *)
{
    events << QStringLiteral("button %1 %2 %3,%4")
                  .arg(code, 2, 16)
                  .arg(down ? "down" : "up")
                  .arg(x)
                  .arg(y);
}

void xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
}

// Waits until `count` events have arrived, then a little for strays.
void settle(int count)
{
    QTRY_VERIFY_WITH_TIMEOUT(events.size() >= count, 5000);
    QTest::qWait(150);
}

} // namespace

class TestX11Capture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        hooks::setBackend(std::make_unique<X11Capture>());
        QVERIFY(hooks::initHooks());
        hooks::setKeyboardCallback(&onKey, nullptr);
        hooks::setMouseCallback(&onButton, nullptr);
    }
    void init() { events.clear(); }
    void cleanupTestCase() { hooks::removeHooks(); }

    void typingA();
    void holdingAKeyIsOneDownAndOneUp();
    void combinationsArriveInOrder();
    void clicksWithPositions();
    void otherButtonsAreNotReported();
    void releasesArriveWhileAnotherClientHoldsAGrab();
    void nothingAfterRemoval();
    void withoutAnXServerInstallationFails();
};

void TestX11Capture::typingA()
{
    xdotool({"key", "a"});
    settle(2);
    QCOMPARE(events, (QStringList{"key 04 down", "key 04 up"}));
}

void TestX11Capture::holdingAKeyIsOneDownAndOneUp()
{
    xdotool({"keydown", "b"});
    QTest::qWait(900); // long enough for the server's auto-repeat
    xdotool({"keyup", "b"});
    settle(2);
    QCOMPARE(events, (QStringList{"key 05 down", "key 05 up"}));
}

void TestX11Capture::combinationsArriveInOrder()
{
    xdotool({"key", "ctrl+shift+a"});
    settle(6);
    QCOMPARE(events.mid(0, 3), (QStringList{"key e0 down", "key e1 down", "key 04 down"}));
    QCOMPARE(events.size(), 6);

    events.clear();
    xdotool({"key", "KP_Enter", "Return", "Pause", "Num_Lock", "Num_Lock"});
    settle(10);
    QCOMPARE(events,
             (QStringList{"key 58 down", "key 58 up", "key 28 down", "key 28 up", "key 48 down",
                          "key 48 up", "key 53 down", "key 53 up", "key 53 down", "key 53 up"}));

    // xdotool presses the modifier's first key along with right Ctrl.
    events.clear();
    xdotool({"key", "Control_R"});
    settle(2);
    QVERIFY(events.contains(QStringLiteral("key e4 down")));
    QVERIFY(events.contains(QStringLiteral("key e4 up")));
}

void TestX11Capture::clicksWithPositions()
{
    xdotool({"mousemove", "120", "240", "click", "1", "click", "2", "click", "3"});
    settle(6);
    QCOMPARE(events, (QStringList{"button f0 down 120,240", "button f0 up 120,240",
                                  "button f2 down 120,240", "button f2 up 120,240",
                                  "button f1 down 120,240", "button f1 up 120,240"}));
}

void TestX11Capture::otherButtonsAreNotReported()
{
    xdotool({"click", "4", "click", "5", "click", "8"});
    QTest::qWait(500);
    QVERIFY(events.isEmpty());
}

// Another client's pointer and keyboard grab, as a button press on its window
// makes one: presses and releases must both still arrive.
void TestX11Capture::releasesArriveWhileAnotherClientHoldsAGrab()
{
    Display *other = XOpenDisplay(nullptr);
    QVERIFY(other);
    const Window window =
        XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 300, 300, 0, 0, 0);
    XMapRaised(other, window);
    XWindowAttributes attributes = {};
    for (int i = 0; i < 100; ++i) {
        XSync(other, False);
        XGetWindowAttributes(other, window, &attributes);
        if (attributes.map_state == IsViewable)
            break;
        QTest::qWait(20);
    }
    QCOMPARE(attributes.map_state, IsViewable);
    QCOMPARE(XGrabPointer(other, window, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync,
                          GrabModeAsync, None, None, CurrentTime),
             GrabSuccess);
    QCOMPARE(XGrabKeyboard(other, window, False, GrabModeAsync, GrabModeAsync, CurrentTime),
             GrabSuccess);
    XSync(other, False);

    xdotool({"key", "a"});
    xdotool({"mousemove", "60", "70", "click", "1"});
    settle(4);
    XUngrabKeyboard(other, CurrentTime);
    XUngrabPointer(other, CurrentTime);
    XCloseDisplay(other);
    QCOMPARE(events, (QStringList{"key 04 down", "key 04 up", "button f0 down 60,70",
                                  "button f0 up 60,70"}));
}

void TestX11Capture::nothingAfterRemoval()
{
    hooks::removeHooks();
    QVERIFY(!hooks::hooksInstalled());
    xdotool({"key", "a", "click", "1"});
    QTest::qWait(500);
    QVERIFY(events.isEmpty());
    QVERIFY(hooks::installHooks());
    xdotool({"key", "c"});
    settle(2);
    QCOMPARE(events, (QStringList{"key 06 down", "key 06 up"}));
}

void TestX11Capture::withoutAnXServerInstallationFails()
{
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":4711");
    X11Capture capture;
    QVERIFY(!capture.install());
    qputenv("DISPLAY", display);
}

QTEST_GUILESS_MAIN(TestX11Capture)
#include "tst_x11capture.moc"
