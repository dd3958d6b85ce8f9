// SPDX-License-Identifier: GPL-2.0-or-later
#include "Widget.h"

#include "InputWiring.h"

#include "AppFollow.h"
#include "ApplicationId.h"
#include "Autostart.h"
#include "DesktopCommands.h"
#include "DeviceChangeMonitor.h"
#include "UserEvent.h"
#include "device/DeviceAccess.h"
#include "device/DeviceTable.h"
#include "store/DpiSwitchText.h"
#include "store/LanguageStore.h"
#include "store/NameListStore.h"
#include "view/QmlCall.h"
#include "view/Ui_Controler.h"
#include "view/myQQuickView.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QMenu>

Q_LOGGING_CATEGORY(lcApp, "talon.app")

bool Widget::deviceConnected = false;

const char *const Widget::kTrayStyleSheet =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, "
    "40); } "
    "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
    "QMenu::indicator { width: 13px; height: 13px; } "
    "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";

namespace {
const char kConfigFile[] = "./modules/setting/apConfig.bin";
} // namespace

Widget::Widget(QWidget *parent, const QUrl &scene) : QWidget(parent, Qt::WindowFlags())
{
    link.owner = this;

    controller = new Ui_Controler;
    controller->setupUi(this, link, scene.isEmpty() ? Ui_Controler::defaultScene() : scene);
    link.setModel(view()->icType, view()->isGun);

    // The language is read once, at start, for the screens and for this
    // window's texts alike; the DPI-stage notices are ready before the
    // scene has started.
    const LanguageStore languages(QStringLiteral("./modules"));
    const QString language =
        view()->configStore().getGlobalData(QStringLiteral("common/language")).toString();
    shellTexts = ShellTexts(languages, language);
    languages.getLangStrings(QStringLiteral("other"), language);

    timer.setInterval(kPollIntervalMs);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &Widget::checkDevice);

    setUpTrayIcon();
    connect(&link, &Hid_Thread::deviceInUse, this, [this](const QString &message) {
        showNotice(shellTexts.notice(ShellTexts::InUse), message, QSystemTrayIcon::Warning);
    });
    // A change the stores could not write: the scene says so too.
    connect(view(), &myQQuickView::storeWriteFailed, this, [this](const QString &message) {
        showNotice(shellTexts.notice(ShellTexts::NotSaved), message, QSystemTrayIcon::Warning);
    });

    monitor = new DeviceChangeMonitor(this);
    connect(monitor, &DeviceChangeMonitor::deviceChanged, this, &Widget::deviceChanged);

    follow = new AppFollow(view(), QStringLiteral("./modules"), this);
    follow->start();
    profileInForce = new QAction(this);
    profileInForce->setEnabled(false);
    QMenu *menu = trayIcon->contextMenu();
    menu->insertAction(menu->actions().value(0), profileInForce);
    connect(follow, &AppFollow::changed, this, &Widget::showProfileInForce);
    showProfileInForce();
    commands = new DesktopCommands(*this);
}

void Widget::showProfileInForce()
{
    const QStringList rows =
        NameListStore::withoutSentinel(view()->getNameList(QVariant(int(NameListStore::Profile))));
    const QString text = follow->profileInForceText(rows, shellTexts);
    profileInForce->setText(text);
    profileInForce->setVisible(!text.isEmpty());
}

Widget::~Widget()
{
    unwireInputCallbacks(this);
    delete follow;
    follow = nullptr;
    link.stopListener();
    link.waitForListener();
    controller->deleteLater();
}

myQQuickView *Widget::view() const
{
    return controller->quickView();
}

void Widget::setUpTrayIcon()
{
    trayIcon = new QSystemTrayIcon(this);
    trayMenu = new QMenu(this);
    showAction = trayMenu->addAction(shellTexts.tray(ShellTexts::Show));
    connect(showAction, &QAction::triggered, this, &Widget::requestRestore);
    trayMenu->addSeparator();
    // The profile rows go here, rebuilt each time the menu opens.
    autostartAction = trayMenu->addAction(shellTexts.tray(ShellTexts::StartAtLogin));
    autostartAction->setCheckable(true);
    connect(autostartAction, &QAction::triggered, this, [this](bool on) {
        if (!autostart::setEnabled(on, QCoreApplication::applicationFilePath()))
            qCWarning(lcApp).noquote() << "cannot write" << autostart::entryPath();
        autostartAction->setChecked(autostart::enabled());
    });
    trayMenu->addSeparator();
    quitAction = new QAction(shellTexts.tray(ShellTexts::Quit), this);
    connect(quitAction, &QAction::triggered, this, &Widget::exitSYS);
    trayMenu->addAction(quitAction);
    trayMenu->setStyleSheet(QString::fromLatin1(kTrayStyleSheet));
    connect(trayMenu, &QMenu::aboutToShow, this, &Widget::refreshTrayMenu);
    refreshTrayMenu();
    trayIcon->setContextMenu(trayMenu);
    trayIcon->setToolTip(QStringLiteral("KESTREL TALON MOUSE X420"));
    // The desktop's icon theme first, so that a theme may restyle it.
    trayIcon->setIcon(QIcon::fromTheme(QString::fromLatin1(kApplicationId),
                                       QIcon(QStringLiteral("./modules/img/logo.ico"))));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    trayIcon->setVisible(true);
}

void Widget::refreshTrayMenu()
{
    showAction->setEnabled(deviceConnected);
    autostartAction->setChecked(autostart::enabled());

    qDeleteAll(profileActions); // rows and their separator
    profileActions.clear();
    // The rows of the profile panel: name, then the profile's digit.
    const QStringList rows =
        NameListStore::withoutSentinel(view()->getNameList(QVariant(int(NameListStore::Profile))));
    const int current = view()->getGlobalData(QStringLiteral("mouse/profileNo")).toInt();
    auto *group = new QActionGroup(trayMenu);
    for (const QString &entry : rows) {
        // The stored digit, not the row's position, names the profile file:
        // the two differ once a row in the middle has been deleted.
        bool isNumber = false;
        const int number = entry.right(1).toInt(&isNumber);
        if (!isNumber)
            continue;
        auto *row = new QAction(entry.chopped(1), group);
        row->setCheckable(true);
        row->setChecked(number == current);
        row->setEnabled(deviceConnected && view()->isEnabled());
        connect(row, &QAction::triggered, this, [this, number] { chooseProfile(number); });
        trayMenu->insertAction(autostartAction, row);
        profileActions << row;
    }
    if (!rows.isEmpty())
        profileActions << trayMenu->insertSeparator(autostartAction);
}

void Widget::chooseProfile(int profileNo)
{
    // Held by a dialog or the busy mouse, the scene takes it once the hold
    // ends; otherwise the switch a key bound to the session bus makes.
    if (!view()->profileSwitchHeldReason().isEmpty()) {
        callQml(view()->rootObject(), "requestProfile", Qt::QueuedConnection, profileNo);
        return;
    }
    const DesktopCommands::Outcome outcome = commands->setProfile(profileNo + 1);
    if (!outcome.ok())
        showNotice(shellTexts.notice(ShellTexts::NotSwitched), outcome.message,
                   QSystemTrayIcon::Warning);
}

bool Widget::trayAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void Widget::showNotice(const QString &title, const QString &text,
                        QSystemTrayIcon::MessageIcon icon)
{
    qCDebug(lcApp).noquote() << "notice:" << title << "|" << text;
    trayIcon->showMessage(title, text, icon, kNoticeMs);
    if (noticeObserver)
        noticeObserver(title, text, icon, kNoticeMs);
}

void Widget::checkDevice()
{
    // A running listener watches the connected mouse; waiting for its loop
    // here would block for ever. A check armed while the listener was being
    // started has nothing to find.
    if (link.isListening)
        return;
    // Never inside another piece of work: its commands let the timer in.
    if (link.busy()) {
        timer.start();
        return;
    }
    // A loop that has just ended must be gone before its table is replaced.
    link.waitForListener();

    QList<DeviceEntry> table = deviceTable::read(QString::fromLatin1(kConfigFile));
    for (DeviceEntry &e : table)
        deviceTable::locateInterfaces(e);
    link.deviceList = table;

    for (int i = 0; i < link.deviceList.size(); ++i) {
        if (link.deviceList[i].commandPath.isEmpty())
            continue;
        if (link.chkDeviceIsEnCode(i)) {
            connectDevice();
            return;
        }
    }

    qDebug("Device DisConnect");
    deviceConnected = false;
    setConnected(false);
    follow->setDeviceReady(false);
    reportProblem(table); // the paths as found: a failed open clears the link's
    if (trayAvailable())
        setVisible(false);
    else if (problem != Problem::None)
        view()->setEnabled(true); // the notice covers the scene; its title bar still works
}

void Widget::reportProblem(const QList<DeviceEntry> &table)
{
    const QList<DeviceEntry> refused = deviceAccess::denied(table);
    if (!refused.isEmpty()) {
        const QString help =
            deviceAccess::permissionHelp(refused, shellTexts.notice(ShellTexts::DeniedText));
        if (problem != Problem::Denied)
            showNotice(shellTexts.notice(ShellTexts::DeniedTitle), help, QSystemTrayIcon::Warning);
        problem = Problem::Denied;
        view()->showDeviceNotice(QStringLiteral("denied"), help);
    } else if (!deviceAccess::anyPresent(table)) {
        const QString text = shellTexts.notice(ShellTexts::NoMouseText);
        if (!noMouseNoticeShown)
            showNotice(shellTexts.notice(ShellTexts::InfoTitle), text);
        noMouseNoticeShown = true;
        problem = Problem::NoMouse;
        view()->showDeviceNotice(QStringLiteral("noMouse"), text);
    } else {
        // Present, but it did not answer: nothing the user can fix here.
        problem = Problem::None;
        view()->showDeviceNotice(QString(), QString());
    }
}

void Widget::connectDevice()
{
    qDebug("Device Connect");
    if (problem != Problem::None)
        view()->showDeviceNotice(QString(), QString());
    problem = Problem::None;
    view()->clearHidBusy();
    deviceConnected = true;
    showNotice(shellTexts.notice(ShellTexts::InfoTitle), shellTexts.notice(ShellTexts::Connected));
    {
        // One piece of work: no other program's frames between these.
        const Hid_Thread::Hold held(link);
        link.startListener(unsigned(link.deviceIndex));
        // Writing the keyboard option processes GUI events before the listener
        // runs; a device change seen then must not re-run the check.
        if (link.isListening)
            timer.stop();
        if (view()->icType == QLatin1String("560")) {
            const unsigned reads = view()->isGun ? BoardProfiles::kCount : 2;
            for (unsigned p = 0; p < reads; ++p)
                view()->mouseReadProfile(p);
        }
    }
    view()->setEnabled(true);
    removed = false;
    postStartUI();
}

void Widget::setConnected(bool on)
{
    if (connected == on)
        return;
    connected = on;
    emit connectionChanged(on);
}

void Widget::postStartUI()
{
    view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::kStartUI));
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() == QEvent::User &&
        static_cast<UserEvent *>(event)->code() == UserEvent::kStartUI) {
        view()->runUI();
        // initUI has run: the scene can switch profiles.
        follow->setDeviceReady(true);
        setConnected(deviceConnected && !removed);
    }
}

void Widget::deviceChanged()
{
    if (!link.isListening)
        timer.start();
}

void Widget::dpiStageSwitched(int stage)
{
    QMetaObject::invokeMethod(
        this,
        [this, stage] {
            view()->setCurrentDPI(stage);
            const int index = stage >= 1 && stage <= 7 ? stage - 1 : 7;
            showNotice(shellTexts.notice(ShellTexts::InfoTitle),
                       dpiSwitchText::text(index) + QLatin1Char(' '));
        },
        Qt::QueuedConnection);
}

void Widget::eventInterfaceGone()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            view()->setEnabled(false);
            follow->setDeviceReady(false);
            removed = true;
            setConnected(false);
        },
        Qt::QueuedConnection);
}

void Widget::exitSYS()
{
    link.stopListener();
    QCoreApplication::exit(0);
}

void Widget::receiveMessage(QString)
{
    requestRestore();
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    // Trigger: a single click, and the only click the desktop's D-Bus trays report.
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
        requestRestore();
}

void Widget::requestRestore()
{
    if (deviceConnected)
        QMetaObject::invokeMethod(this, &Widget::restoreWindow, Qt::QueuedConnection);
}

void Widget::restoreWindow()
{
    setVisible(true);
    showNormal();
    raise();
    activateWindow();
}
