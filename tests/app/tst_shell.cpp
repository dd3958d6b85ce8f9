// SPDX-License-Identifier: GPL-2.0-or-later
// The running tray application on the virtual mouse under a real X server:
// connection, the poll timer, DPI notices, removal and reconnection, restore
// requests and quitting.
#include "ShellFixture.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/UserEvent.h"
#include "store/DpiSwitchText.h"
#include "store/LanguageStore.h"
#include "view/Ui_Controler.h"

#include <QMenu>
#include <QQmlContext>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <atomic>
#include <csignal>
#include <thread>

using fixture::bus;

namespace {

// Counts the profile reads the mouse had seen when the view became enabled.
class EnableWatcher : public QObject
{
public:
    int readsAtEnable = -1;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange &&
            static_cast<QWidget *>(watched)->isEnabled()) {
            readsAtEnable = 0;
            for (const sim::Frame8 &f : bus().frames())
                readsAtEnable += f[0] == 0x8C;
        }
        return false;
    }
};

int count(const QStringList &lines, const QString &line)
{
    return int(std::count(lines.begin(), lines.end(), line));
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { dpiSwitchText::reset(); }

    void connectingStartsEverything();
    void theTrayAndTheNoticesSpeakTheConfiguredLanguage();
    void the560FamilyReadsItsProfilesBeforeTheViewIsEnabled_data();
    void the560FamilyReadsItsProfilesBeforeTheViewIsEnabled();
    void withoutADeviceTheWindowHidesAndTheTrayStays();
    void theFirstAnsweringEntryWins();
    void aBurstOfDeviceChangesGivesOneCheck();
    void deviceChangesWhileListeningStartNoCheck();
    void aDeviceChangeDuringConnectionNeverBlocksTheCheck();
    void terminationSignalsQuitAsTheQuitActionDoes();
    void stageSwitchesReachTheSceneAndTheTray();
    void unpluggingAndReplugging();
    void restoreRequestsNeedAConnectedDevice();
    void quitClearsTheListenerFlagFirst();
    void onlyTheStartEventRunsTheScene();
    void controllerMovesHidesAndProtects();
    void secondInstanceReachesTheFirst();
    void aLockThatCannotBeTakenIsNotAnotherInstance();
    void viewSlotsInTheirDeclaredOrder();
};

void TestShell::connectingStartsEverything()
{
    Shell shell;
    const int device = bus().plug(sim::MouseConfig{});
    bus().state(device).keyboardOption = {1, 2, 3, 4};
    Widget &w = shell.start();
    QStringList notices;
    w.observeNotices([&notices](const QString &title, const QString &text,
                                QSystemTrayIcon::MessageIcon icon, int ms) {
        notices << QStringLiteral("%1|%2|%3|%4").arg(title, text).arg(int(icon)).arg(ms);
    });
    fixture::MessageLog log;
    w.showNormal();
    w.checkDevice();

    QVERIFY(log.lines.contains(QStringLiteral("Device Connect")));
    QCOMPARE(
        notices,
        QStringList{
            QStringLiteral("Info|Detect Device|%1|10000").arg(int(QSystemTrayIcon::Information))});
    QVERIFY(Widget::deviceConnected);
    QVERIFY(w.deviceLink().isListening);
    QCOMPARE(w.deviceLink().deviceIndex, 0);
    const std::array<uchar, 4> option = {1, 2, 3, 4 | 0x48};
    QCOMPARE(bus().state(device).keyboardOption, option);
    QVERIFY(w.view()->isEnabled());
    QTRY_COMPARE(shell.calls(), (QStringList{"initUI", "run"}));
    QVERIFY(w.tray()->isVisible());
    QCOMPARE(w.tray()->toolTip(), QStringLiteral("KESTREL TALON MOUSE X420"));
    QVERIFY(!w.tray()->icon().isNull());
    QCOMPARE(w.tray()->contextMenu()->styleSheet(), QString::fromLatin1(Widget::kTrayStyleSheet));
}

void TestShell::the560FamilyReadsItsProfilesBeforeTheViewIsEnabled_data()
{
    QTest::addColumn<bool>("isGun");
    QTest::addColumn<int>("reads");
    QTest::newRow("two profiles") << false << 2;
    QTest::newRow("five with the gun feature") << true << 5;
}

void TestShell::the560FamilyReadsItsProfilesBeforeTheViewIsEnabled()
{
    QFETCH(bool, isGun);
    QFETCH(int, reads);
    Shell shell;
    shell.configure(QStringLiteral("mouse/icType"), QStringLiteral("560"));
    shell.configure(QStringLiteral("mouse/isGun"), isGun);
    sim::MouseConfig mouse;
    mouse.family = sim::Family::F560;
    const int device = bus().plug(mouse);
    bus().state(device).keyboardOption = {0x41, 0x22, 0, 0};
    Widget &w = shell.start();
    EnableWatcher watcher;
    w.view()->setEnabled(false);
    w.view()->installEventFilter(&watcher);
    w.checkDevice();

    QCOMPARE(watcher.readsAtEnable, reads);
    QCOMPARE(int(bus().state(device).keyboardOption[0]), 0x49);
    QCOMPARE(int(bus().state(device).keyboardOption[1]), 0x22);
    // The view's blocks hold what the mouse holds.
    QCOMPARE(w.view()->boardProfiles().block(1), bus().state(device).profile[1]);
}

void TestShell::withoutADeviceTheWindowHidesAndTheTrayStays()
{
    Shell shell;
    Widget &w = shell.start();
    fixture::MessageLog log;
    w.showNormal();
    w.checkDevice();
    QVERIFY(log.lines.contains(QStringLiteral("Device DisConnect")));
    QVERIFY(!w.isVisible());
    QVERIFY(w.tray()->isVisible());
    QVERIFY(!Widget::deviceConnected);
    QVERIFY(!w.deviceLink().isListening);
    QTest::qWait(100);
    QVERIFY(!shell.calls().contains(QStringLiteral("initUI")));
    QVERIFY(!shell.calls().contains(QStringLiteral("run")));
}

void TestShell::theFirstAnsweringEntryWins()
{
    Shell shell;
    sim::MouseConfig other;
    other.pid = 0xb00b;
    bus().plug(other);
    bus().plug(sim::MouseConfig{});
    shell.configure(QStringLiteral("common/deviceCount"), 2);
    for (const char *key : {"type", "vid", "usagePage", "usage", "usagePage2", "usage2",
                            "reportLength", "isEncode", "sCode"})
        shell.configure(QStringLiteral("1/") + QLatin1String(key),
                        QSettings(shell.modules.path(QStringLiteral("setting/apConfig.bin")),
                                  QSettings::IniFormat)
                            .value(QStringLiteral("0/") + QLatin1String(key)));
    shell.configure(QStringLiteral("1/pid"), QStringLiteral("b00b"));
    Widget &w = shell.start();
    w.checkDevice();
    QVERIFY(Widget::deviceConnected);
    QCOMPARE(w.deviceLink().deviceIndex, 0);
    QCOMPARE(w.deviceLink().deviceList.size(), 2);
    QCOMPARE(w.deviceLink().deviceList[0].commandPath, QStringLiteral("sim:1:1"));
}

void TestShell::aBurstOfDeviceChangesGivesOneCheck()
{
    Shell shell;
    Widget &w = shell.start();
    w.checkDevice(); // nothing there: not listening
    fixture::MessageLog log;
    for (int i = 0; i < 3; ++i) {
        w.deviceChanged();
        QVERIFY(w.pollTimer().isActive());
        QVERIFY(w.pollTimer().remainingTime() > 1500); // restarted, not left running
        QVERIFY(log.lines.isEmpty());
        QTest::qWait(500);
    }
    QTRY_COMPARE_WITH_TIMEOUT(log.lines.size(), 1, 5000);
    QCOMPARE(log.lines.first(), QStringLiteral("Device DisConnect"));
    QTest::qWait(2500);
    QCOMPARE(log.lines.size(), 1);
    QCOMPARE(w.pollTimer().interval(), 2048);
    QVERIFY(w.pollTimer().isSingleShot());
}

void TestShell::deviceChangesWhileListeningStartNoCheck()
{
    Shell shell;
    bus().plug(sim::MouseConfig{});
    Widget &w = shell.start();
    w.checkDevice();
    QVERIFY(w.deviceLink().isListening);
    w.deviceChanged();
    w.deviceChanged();
    QVERIFY(!w.pollTimer().isActive());
}

// A device-change notice handled while the keyboard option is written (the
// exchange processes GUI events before the listener runs) must not lead to a
// check that waits for the running listener. A watchdog ends the listener if
// the GUI thread hangs, so that the test fails instead of hanging.
void TestShell::aDeviceChangeDuringConnectionNeverBlocksTheCheck()
{
    Shell shell;
    bus().plug(sim::MouseConfig{});
    Widget &w = shell.start();
    QMetaObject::invokeMethod(&w, &Widget::deviceChanged, Qt::QueuedConnection);
    w.checkDevice();
    QVERIFY(w.deviceLink().isListening);

    std::atomic_bool done{false}, rescued{false};
    std::thread watchdog([&] {
        for (int i = 1; !done; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (i % 60 == 0 && !done) { // blocked for 6 s: end the loop it waits for
                rescued = true;
                w.deviceLink().stopListener();
            }
        }
    });
    QTest::qWait(2500); // past the poll interval
    w.checkDevice();    // as a timer armed then would
    done = true;
    watchdog.join();
    QVERIFY(!rescued);
    QVERIFY(w.deviceLink().isListening);
    QVERIFY(!w.pollTimer().isActive());
}

void TestShell::terminationSignalsQuitAsTheQuitActionDoes()
{
    Shell shell;
    bus().plug(sim::MouseConfig{});
    Widget &w = shell.start();
    QuitSignals quit;
    QVERIFY(quit.isActive());
    QObject::connect(&quit, &QuitSignals::quitRequested, &w, &Widget::exitSYS);
    QSignalSpy requests(&quit, &QuitSignals::quitRequested);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        w.checkDevice();
        QVERIFY(w.deviceLink().isListening);
        ::raise(signal); // handled: the process goes on
        QTRY_COMPARE(requests.size(), 1);
        QCOMPARE(requests.takeFirst().first().toInt(), signal);
        QVERIFY(!w.deviceLink().isListening);
        w.deviceLink().waitForListener();
    }
}

void TestShell::stageSwitchesReachTheSceneAndTheTray()
{
    Shell shell;
    const int device = bus().plug(sim::MouseConfig{});
    Widget &w = shell.start();
    w.view()->getLangStrings(QStringLiteral("other"), QStringLiteral("English"));
    w.checkDevice();
    QTRY_COMPARE(shell.calls().size(), 2);
    fixture::MessageLog log;

    bus().pressDpiButton(device, 3);
    QTRY_VERIFY(shell.calls().contains(QStringLiteral("setCurrentDPI 3")));
    QTRY_VERIFY(log.lines.contains(QStringLiteral("notice: Info | DPI Switch to Stage 3 ")));

    bus().pressDpiButton(device, 8);
    QTRY_VERIFY(log.lines.contains(QStringLiteral("notice: Info | DPI Switch to Stage 8 ")));
    bus().pressDpiButton(device, 0);
    QTRY_VERIFY(shell.calls().contains(QStringLiteral("setCurrentDPI 0")));
    QTRY_COMPARE(count(log.lines, QStringLiteral("notice: Info | DPI Switch to Stage 8 ")), 2);

    const int callsBefore = shell.calls().size();
    bus().pushEvent(device, {0x06, 0x08, 0x00, 0x03});
    bus().pushEvent(device, {0x06, 0x07, 0x00});
    QTest::qWait(1200);
    QCOMPARE(shell.calls().size(), callsBefore);
    QVERIFY(w.deviceLink().isListening);
}

void TestShell::unpluggingAndReplugging()
{
    Shell shell;
    const int device = bus().plug(sim::MouseConfig{});
    Widget &w = shell.start();
    w.checkDevice();
    QTRY_COMPARE(shell.calls().size(), 2);
    fixture::MessageLog log;

    bus().unplug(device);
    QTRY_VERIFY(!w.deviceLink().isListening);
    QTRY_VERIFY(!w.view()->isEnabled());
    QCOMPARE(count(log.lines, QStringLiteral("Device removed")), 1);
    QVERIFY(Widget::deviceConnected); // until the next check

    bus().replug(device);
    w.deviceChanged();
    QTRY_VERIFY_WITH_TIMEOUT(log.lines.contains(QStringLiteral("Device Connect")), 5000);
    QVERIFY(w.view()->isEnabled());
    QVERIFY(w.deviceLink().isListening);
    QTRY_COMPARE(shell.calls(), (QStringList{"initUI", "run", "initUI", "run"}));
}

void TestShell::restoreRequestsNeedAConnectedDevice()
{
    Shell shell;
    Widget &w = shell.start();
    w.checkDevice();
    QVERIFY(!w.isVisible());
    w.receiveMessage(QString());
    w.trayIconActivated(QSystemTrayIcon::DoubleClick);
    QTest::qWait(100);
    QVERIFY(!w.isVisible());

    bus().plug(sim::MouseConfig{});
    w.checkDevice();
    QVERIFY(!w.isVisible()); // a device found later does not open the window
    w.trayIconActivated(QSystemTrayIcon::Context);
    QTest::qWait(100);
    QVERIFY(!w.isVisible());
    w.trayIconActivated(QSystemTrayIcon::DoubleClick);
    QTRY_VERIFY(w.isVisible());
    w.setVisible(false);
    w.trayIconActivated(QSystemTrayIcon::Trigger); // a single click, as D-Bus trays report it
    QTRY_VERIFY(w.isVisible());
    w.setVisible(false); // as the scene's close button does
    w.receiveMessage(QString());
    QTRY_VERIFY(w.isVisible());
}

void TestShell::theTrayAndTheNoticesSpeakTheConfiguredLanguage()
{
    Shell shell;
    shell.configure(QStringLiteral("common/language"), QStringLiteral("Japanese"));
    const LanguageStore languages(shell.modules.root());
    const QStringList tray = languages.getLangStrings(QStringLiteral("tray"), "Japanese");
    const QStringList notice = languages.getLangStrings(QStringLiteral("notice"), "Japanese");
    QCOMPARE(tray.size(), 6);
    QVERIFY(notice.size() >= 9);
    Widget &w = shell.start();
    QStringList notices;
    w.observeNotices([&notices](const QString &title, const QString &text,
                                QSystemTrayIcon::MessageIcon,
                                int) { notices << title + '|' + text; });

    QStringList menu;
    for (const QAction *a : w.tray()->contextMenu()->actions())
        if (!a->isSeparator())
            menu << a->text();
    // The profile rows and the line of the profile in force lie between.
    QVERIFY2(menu.contains(tray[0]) && menu.contains(tray[1]) && menu.last() == tray[2],
             qPrintable(menu.join('|')));

    w.checkDevice(); // no mouse yet
    QCOMPARE(notices, QStringList{notice[7] + '|' + notice[5]});
    bus().plug(sim::MouseConfig{});
    w.checkDevice();
    QCOMPARE(notices.last(), notice[7] + '|' + notice[8]);
}

void TestShell::quitClearsTheListenerFlagFirst()
{
    Shell shell;
    bus().plug(sim::MouseConfig{});
    Widget &w = shell.start();
    w.checkDevice();
    QVERIFY(w.deviceLink().isListening);
    const QList<QAction *> actions = w.tray()->contextMenu()->actions();
    QCOMPARE(actions.last()->text(), QStringLiteral("Quit (&Q)"));
    actions.last()->trigger();
    QVERIFY(!w.deviceLink().isListening);
}

void TestShell::onlyTheStartEventRunsTheScene()
{
    Shell shell;
    Widget &w = shell.start();
    QCoreApplication::postEvent(&w, new UserEvent(0x882));
    QCoreApplication::processEvents();
    QTest::qWait(50);
    QVERIFY(shell.calls().isEmpty());
    w.postStartUI();
    QTRY_COMPARE(shell.calls(), (QStringList{"initUI", "run"}));
}

void TestShell::controllerMovesHidesAndProtects()
{
    Shell shell;
    shell.configure(QStringLiteral("common/name"), QStringLiteral("Talon Test"));
    Widget &w = shell.start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Talon Test"));
    QCOMPARE(w.size(), QSize(1024, 640));
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
    w.move(200, 100);
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *controller =
        w.view()->rootContext()->contextProperty(QStringLiteral("ui_Ctl")).value<QObject *>();
    QVERIFY(controller);
    const QPoint before = w.pos();
    QMetaObject::invokeMethod(controller, "onXChanged", Q_ARG(int, -5));
    QCOMPARE(w.pos(), before + QPoint(-5, 0));
    QMetaObject::invokeMethod(controller, "onYChanged", Q_ARG(int, 7));
    QCOMPARE(w.pos(), before + QPoint(-5, 7));
    QMetaObject::invokeMethod(controller, "setBusy");
    QCOMPARE(shell.calls(), QStringList{"setProtectUI 0"});
    QMetaObject::invokeMethod(controller, "onClose");
    QVERIFY(!w.isVisible());

    shell.widget.reset();
    shell.configure(QStringLiteral("common/name"), QVariant());
    QSettings(shell.modules.path(QStringLiteral("setting/apConfig.bin")), QSettings::IniFormat)
        .remove(QStringLiteral("common/name"));
    QCOMPARE(shell.start().windowTitle(), QString());
}

void TestShell::secondInstanceReachesTheFirst()
{
    const QString id = QStringLiteral("talon-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(id);
    QVERIFY(!first.isRunning());
    QSignalSpy received(&first, &SingleInstance::messageReceived);
    {
        SingleInstance second(id);
        QVERIFY(second.isRunning());
        // The first answers from its event loop while the second's send waits.
        bool sent = false;
        std::thread sender([&] { sent = second.sendMessage(QString(), 5000); });
        QTRY_COMPARE(received.size(), 1);
        sender.join();
        QVERIFY(sent);
    }
    QCOMPARE(received.first().first().toString(), QString());
}

void TestShell::aLockThatCannotBeTakenIsNotAnotherInstance()
{
    const QString id = QStringLiteral("talon-lock-%1").arg(QCoreApplication::applicationPid());
    QTemporaryFile notAFolder;
    QVERIFY(notAFolder.open());
    SingleInstance broken(id, nullptr, notAFolder.fileName());
    QVERIFY(broken.lockFailed());
    QVERIFY(!broken.isRunning());
    QVERIFY2(broken.lockFailure().startsWith(notAFolder.fileName() + QLatin1Char('/')),
             qPrintable(broken.lockFailure()));

    QTemporaryDir folder;
    SingleInstance first(id, nullptr, folder.path());
    SingleInstance second(id, nullptr, folder.path());
    QVERIFY(!first.lockFailed() && !first.isRunning());
    QVERIFY(second.isRunning());
    QVERIFY(!second.lockFailed());
}

void TestShell::viewSlotsInTheirDeclaredOrder()
{
    const QStringList expected = {
        "clearHidBusy", "initUI", "runUI", "resetApconfig", "loadMacroFile", "saveMacroFile",
        "loadProfile", "saveProfile", "resetProfile", "copyProfile", "getLangStrings",
        "createMacroIni", "updataNameList", "modifyMacroNameUpdateProfile",
        "deleteMacroUpdateProfile", "deleteMacroIni", "getNameList", "saveMacroIni",
        "mouseSendMacroData", "loadMacroIni", "mouseSaveGundata", "mouseSendGundata",
        "modifyGundata", "getGunData", "getGunDataKey", "getXYSensitive", "getselectGun",
        "setXYSensitive", "setSelectGun", "setCurrentProfile", "mouseSetKeyboardoption",
        "mouseSetReportRate", "mouseSetCurrentDPI", "mouseResetKeyMatrix", "mouseGetCurrentDPI",
        "mouseSetKeyMatrix", "mouseSetDpi", "mouseSetRGBEffect", "mouseSetRGBColor",
        "mouseSetFixColor", "mouseSetProfile", "mouseReadProfile", "mouseReadCurrentProfile",
        "mouseSwitchKeyMatrix", "GetKeyboardoption", "mouseSetCursorSpeed",
        "mouseSetVerticalScrollLines", "mouseSetDoubleClickSpeed", "mouseGetKeydefine",
        "openUpdateExe", "getData", "getGlobalData", "getDataList", "setData", "setGlobalData",
        "setDataList", "setBusy", "setCurrentDPI",
        // the macro screen's encoder, and the screens' requests for key capture
        "encodeMacroData", "requestKeyCapture", "globalCaptureAvailable",
        // whether the desktop takes the pointer settings
        "getPointerSettingsApplied",
        // profiles that follow the application in front
        "getAppProfiles", "bindAppProfile", "unbindAppProfile", "lastForeignApp",
        "appFollowAvailable",
        // the model's flags as the device operations read them
        "getModelFlags",
        // the system settings' choice of language, the help menu's version
        "getLanguages", "getVersion"};
    const QMetaObject &mo = myQQuickView::staticMetaObject;
    QStringList declared;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
        if (mo.method(i).methodType() == QMetaMethod::Slot)
            declared << QString::fromLatin1(mo.method(i).name());
    QCOMPARE(declared, expected);
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
