// SPDX-License-Identifier: GPL-2.0-or-later
// The running program follows the window in front on a real X server: the
// bound profile goes to the mouse and is stored, the profile chosen by hand
// comes back, and nothing switches while our window is in front, while the
// scene holds switches, or while the mouse is away. A stand-in scene changes
// profiles as the title-bar list does and sends the profile's report rate.
#include "ShellFixture.h"
#include "app/AppFollow.h"
#include "x11/TestDesktop.h"

#include <QMenu>
#include <QTest>

using fixture::bus;

namespace {

QUrl followScene()
{
    return QUrl::fromLocalFile(QStringLiteral(TALON_SOURCE_DIR "/tests/app/FollowScene.qml"));
}

// Report rate index of profile n+1's file, and the interval the mouse gets.
constexpr int kRateOf[] = {3, 1, 0, 3, 2, 3, 3, 3, 3, 3};
constexpr int kInterval[] = {8, 4, 2, 1};

struct Following
{
    Shell shell{followScene()};
    TestDesktop desk;
    xcb_window_t game = 0, browser = 0, terminal = 0;
    int device = -1;

    explicit Following(const QByteArray &rules = "[apps]\nsteam_app_730=2\nfirefox=1\n")
    {
        ModulesCopy::write(shell.modules.path(QStringLiteral("setting/appProfile.bin")), rules);
        for (int p = 0; p < 10; ++p) {
            QSettings s(shell.modules.path(QStringLiteral("setting/p%1.bin").arg(p + 1)),
                        QSettings::IniFormat);
            s.setValue(QStringLiteral("mouse/reportRate"), kRateOf[p]);
        }
        game = desk.window("steam_app_730", "steam_app_730");
        browser = desk.window("Navigator", "Firefox");
        terminal = desk.window("xterm", "XTerm");
        desk.activate(terminal);
        device = bus().plug(sim::MouseConfig{});
    }
    Widget &connect()
    {
        Widget &w = shell.widget ? *shell.widget : shell.start();
        w.checkDevice();
        QTest::qWaitFor([this] { return calls().contains(QStringLiteral("initUI")); }, 5000);
        return w;
    }
    QStringList calls() const { return shell.calls(); }
    QStringList switches() const { return calls().filter(QStringLiteral("changeProfile")); }
    int storedProfile()
    {
        QSettings s(shell.modules.path(QStringLiteral("setting/apConfig.bin")),
                    QSettings::IniFormat);
        return s.value(QStringLiteral("mouse/profileNo"), -1).toInt();
    }
    int mouseInterval() { return bus().state(device).reportRate[0]; }
    QObject *scene() { return shell.widget->view()->rootObject(); }
};

// Long enough for a decision to settle and be carried out, with room for a
// slow machine; used only to show that something did not happen.
void settleWell()
{
    QTest::qWait(1200);
}

} // namespace

class TestAppFollow : public QObject
{
    Q_OBJECT

private slots:
    void theBoundProfileAndBack();
    void tenFocusChangesGiveOneSwitch();
    void ourOwnWindowChangesNothing();
    void aChoiceByHandComesBackAcrossRuns();
    void noSwitchWhileHeld();
    void noSwitchWhileTheMouseIsAway();
    void changedRulesTakeEffectWithoutARestart();
    void withoutAWindowManagerItIsUnavailable();
};

void TestAppFollow::theBoundProfileAndBack()
{
    Following f;
    Widget &w = f.connect();
    QVERIFY(w.appFollow()->isAvailable());
    QVERIFY(w.view()->appFollowAvailable());

    f.desk.activate(f.game);
    QTRY_COMPARE(f.switches(), QStringList{"changeProfile 2"});
    QCOMPARE(f.storedProfile(), 2);
    QCOMPARE(f.mouseInterval(), kInterval[kRateOf[2]]);
    QCOMPARE(w.appFollow()->state().chosenBy(), QStringLiteral("steam_app_730"));
    // The tray tells the profile in force and what chose it.
    const QAction *line = w.tray()->contextMenu()->actions().first();
    QCOMPARE(line->text(), QStringLiteral("Profile: Profile 3, chosen by steam_app_730"));
    QVERIFY(!line->isEnabled());

    f.desk.activate(f.browser);
    QTRY_COMPARE(f.switches().size(), 2);
    QCOMPARE(f.switches().last(), QStringLiteral("changeProfile 1"));
    QCOMPARE(f.mouseInterval(), kInterval[kRateOf[1]]);

    // No rule: the profile chosen by hand (the stored one at start) returns.
    f.desk.activate(f.terminal);
    QTRY_COMPARE(f.switches().size(), 3);
    QCOMPARE(f.switches().last(), QStringLiteral("changeProfile 0"));
    QCOMPARE(f.storedProfile(), 0);
    QCOMPARE(f.mouseInterval(), kInterval[kRateOf[0]]);
    QCOMPARE(w.appFollow()->state().chosenBy(), QString());
    QCOMPARE(w.view()->lastForeignApp(), QStringLiteral("xterm"));
    QCOMPARE(line->text(), QStringLiteral("Profile: Standard, chosen by hand"));
}

void TestAppFollow::tenFocusChangesGiveOneSwitch()
{
    Following f;
    f.connect();
    for (int i = 0; i < 10; ++i) {
        f.desk.activate(i % 2 ? f.game : f.browser);
        QTest::qWait(30);
    }
    QTRY_COMPARE(f.switches().size(), 1);
    settleWell();
    QCOMPARE(f.switches(), QStringList{"changeProfile 2"});
}

void TestAppFollow::ourOwnWindowChangesNothing()
{
    Following f;
    Widget &w = f.connect();
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // Our window comes to the front before the game's decision settles.
    f.desk.activate(f.game);
    QTRY_COMPARE(w.view()->lastForeignApp(), QStringLiteral("steam_app_730"));
    f.desk.activate(xcb_window_t(w.winId()));
    settleWell();
    QVERIFY(f.switches().isEmpty());
    QCOMPARE(w.view()->lastForeignApp(), QStringLiteral("steam_app_730"));

    f.desk.activate(f.browser);
    QTRY_COMPARE(f.switches().size(), 1);
    f.desk.activate(xcb_window_t(w.winId()));
    settleWell();
    QCOMPARE(f.switches(), QStringList{"changeProfile 1"});
    QCOMPARE(w.view()->lastForeignApp(), QStringLiteral("firefox"));
}

void TestAppFollow::aChoiceByHandComesBackAcrossRuns()
{
    Following f;
    Widget &w = f.connect();
    f.desk.activate(f.game);
    QTRY_COMPARE(f.switches().size(), 1);
    // Chosen by hand while the game is in front.
    QMetaObject::invokeMethod(f.scene(), "changeProfile", Q_ARG(QVariant, 4));
    QCOMPARE(w.appFollow()->state().manualProfile(), 4);
    f.desk.activate(f.terminal);
    settleWell();
    QCOMPARE(f.switches(), (QStringList{"changeProfile 2", "changeProfile 4"}));

    // Quit while the game's profile is in force: the next run starts on it
    // and gives the desktop back the hand's choice.
    f.desk.activate(f.game);
    QTRY_COMPARE(f.switches().size(), 3);
    QCOMPARE(f.storedProfile(), 2);
    f.shell.widget.reset();
    f.desk.activate(f.terminal);
    Widget &again = f.shell.start();
    again.checkDevice();
    QTRY_COMPARE(f.switches(), QStringList{"changeProfile 4"});
    QCOMPARE(f.mouseInterval(), kInterval[kRateOf[4]]);
}

void TestAppFollow::noSwitchWhileHeld()
{
    Following f;
    Widget &w = f.connect();
    // A macro being recorded.
    w.view()->requestKeyCapture(QStringLiteral("macroRecord"), true);
    f.desk.activate(f.game);
    settleWell();
    QVERIFY(f.switches().isEmpty());
    w.view()->requestKeyCapture(QStringLiteral("macroRecord"), false);
    QTRY_COMPARE(f.switches(), QStringList{"changeProfile 2"});

    // Unsaved changes in the scene; other key captures do not hold.
    w.view()->holdProfileSwitch(true);
    w.view()->requestKeyCapture(QStringLiteral("fireKey"), true);
    w.view()->requestKeyCapture(QStringLiteral("fireKey"), false);
    f.desk.activate(f.browser);
    f.desk.activate(f.terminal);
    settleWell();
    QCOMPARE(f.switches().size(), 1);
    w.view()->holdProfileSwitch(false);
    QTRY_COMPARE(f.switches().size(), 2);
    QCOMPARE(f.switches().last(), QStringLiteral("changeProfile 0"));

    // Why a switch from outside would wait, as the back end reads it.
    QCOMPARE(w.view()->profileSwitchHeldReason(), QString());
    f.scene()->setProperty("profileSwitchHoldReason", QStringLiteral("a dialog is open"));
    QCOMPARE(w.view()->profileSwitchHeldReason(), QStringLiteral("a dialog is open"));
    QVERIFY(w.deviceLink().beginExchange());
    QCOMPARE(w.view()->profileSwitchHeldReason(), QStringLiteral("the mouse is busy"));
    w.deviceLink().endExchange();
}

void TestAppFollow::noSwitchWhileTheMouseIsAway()
{
    Following f;
    bus().unplug(f.device);
    Widget &w = f.shell.start();
    w.checkDevice();
    f.desk.activate(f.game);
    settleWell();
    QVERIFY(f.calls().isEmpty());

    // Connected: initialised first, then the game's profile.
    bus().replug(f.device);
    w.checkDevice();
    QTRY_COMPARE(f.switches(), QStringList{"changeProfile 2"});
    QCOMPARE(f.calls().first(), QStringLiteral("initUI"));
    QCOMPARE(f.mouseInterval(), kInterval[kRateOf[2]]);

    // Unplugged while connected: the listener notices, nothing switches.
    bus().unplug(f.device);
    QTRY_VERIFY(!w.deviceLink().isListening);
    QTest::qWait(100); // the listener's notice reaches the GUI thread
    f.desk.activate(f.browser);
    settleWell();
    QCOMPARE(f.switches().size(), 1);
    bus().replug(f.device);
    w.checkDevice();
    QTRY_COMPARE(f.switches().size(), 2);
    QCOMPARE(f.switches().last(), QStringLiteral("changeProfile 1"));
}

void TestAppFollow::changedRulesTakeEffectWithoutARestart()
{
    Following f("");
    f.connect();
    f.desk.activate(f.game);
    settleWell();
    QVERIFY(f.switches().isEmpty());

    // Written by another process, replacing the file as the store does.
    AppProfileStore other(f.shell.modules.root());
    QCOMPARE(other.bind(QStringLiteral("steam_app_730"), 3), AppProfileStore::Result::Stored);
    QTRY_COMPARE(f.switches(), QStringList{"changeProfile 3"});
    // The replaced file is still watched.
    QCOMPARE(other.bind(QStringLiteral("steam_app_730"), 5), AppProfileStore::Result::Stored);
    QTRY_COMPARE(f.switches().size(), 2);
    QCOMPARE(f.switches().last(), QStringLiteral("changeProfile 5"));
    QCOMPARE(other.unbind(QStringLiteral("steam_app_730")), AppProfileStore::Result::Stored);
    QTRY_COMPARE(f.switches().size(), 3);
    QCOMPARE(f.switches().last(), QStringLiteral("changeProfile 0"));
    QFile::remove(other.filePath());
    f.desk.activate(f.browser);
    settleWell();
    QCOMPARE(f.switches().size(), 3);
    QCOMPARE(other.bind(QStringLiteral("firefox"), 1), AppProfileStore::Result::Stored);
    QTRY_COMPARE(f.switches().size(), 4);
}

void TestAppFollow::withoutAWindowManagerItIsUnavailable()
{
    Following f;
    f.desk.clearActive();
    Widget &w = f.connect();
    QVERIFY(!w.appFollow()->isAvailable());
    QVERIFY(!w.view()->appFollowAvailable());
    settleWell();
    QVERIFY(f.switches().isEmpty());
}

QTEST_MAIN(TestAppFollow)
#include "tst_appfollow.moc"
