// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ShellTexts.h"
#include "device/DeviceEvents.h"
#include "device/Hid_Thread.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <functional>

class Ui_Controler;
class myQQuickView;
class DeviceChangeMonitor;
class AppFollow;
class DesktopCommands;
class QAction;
class QMenu;

// The program's one top-level window: the frameless, translucent host of the
// QML view. It owns the device link, the tray icon and the poll timer that
// re-runs the device check after a device change.
class Widget : public QWidget, public DeviceEvents
{
    Q_OBJECT

public:
    static constexpr int kPollIntervalMs = 2048;
    static constexpr int kNoticeMs = 10000;
    static const char *const kTrayStyleSheet;

    explicit Widget(QWidget *parent = nullptr, const QUrl &scene = QUrl());
    ~Widget() override;

    // Process-wide: a device answered the last check.
    static bool deviceConnected;

    myQQuickView *view() const;
    Hid_Thread &deviceLink() { return link; }
    QSystemTrayIcon *tray() const { return trayIcon; }
    QTimer &pollTimer() { return timer; }
    AppFollow *appFollow() const { return follow; }
    const ShellTexts &texts() const { return shellTexts; }
    // What the desktop asks of the program: the session bus and the tray.
    DesktopCommands *desktopCommands() const { return commands; }
    // A mouse answered the last check, the scene has started on it, and it
    // has not been unplugged since.
    bool mouseConnected() const { return connected; }
    // The window restored, as the tray's Show does (only with a mouse).
    void showWindow() { requestRestore(); }

    // Runs QML initUI, then (from a posted event) QML run.
    void postStartUI();
    // A device arrived or left: re-check 2048 ms after the last change,
    // unless the listener is watching the connected mouse.
    void deviceChanged();
    // A tray balloon; also written to the "talon.app" log for diagnostics.
    void showNotice(const QString &title, const QString &text,
                    QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::Information);
    // Told of every balloon as the tray icon gets it (tests look at it).
    using NoticeObserver = std::function<void(const QString &title, const QString &text,
                                              QSystemTrayIcon::MessageIcon icon, int ms)>;
    void observeNotices(NoticeObserver observer) { noticeObserver = std::move(observer); }

    // Where no system tray exists, the window is the only way in: it stays
    // shown, and closing it quits.
    static bool trayAvailable();

    // From the listener's thread.
    void dpiStageSwitched(int stage) override;
    void eventInterfaceGone() override;

signals:
    void connectionChanged(bool connected);

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();
    void receiveMessage(QString message);

protected:
    void customEvent(QEvent *event) override;

private:
    enum class Problem { None, NoMouse, Denied };

    void connectDevice();
    void setConnected(bool on);
    void reportProblem(const QList<DeviceEntry> &table);
    void requestRestore();
    void restoreWindow();
    void setUpTrayIcon();
    void refreshTrayMenu();
    void chooseProfile(int profileNo);
    void showProfileInForce();

    QTimer timer;
    Ui_Controler *controller = nullptr;
    Hid_Thread link;
    QSystemTrayIcon *trayIcon = nullptr;
    QMenu *trayMenu = nullptr;
    QAction *showAction = nullptr;
    QAction *autostartAction = nullptr;
    QAction *quitAction = nullptr;
    QList<QAction *> profileActions;
    DeviceChangeMonitor *monitor = nullptr;
    ShellTexts shellTexts;
    Problem problem = Problem::None;
    bool noMouseNoticeShown = false;
    NoticeObserver noticeObserver;
    AppFollow *follow = nullptr;
    DesktopCommands *commands = nullptr;
    bool connected = false;
    bool removed = false;              // the listener saw the mouse go since the last check
    QAction *profileInForce = nullptr; // the tray's line: the profile and what chose it
};
