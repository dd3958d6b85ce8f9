// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ShellTexts.h"
#include "input/ActiveWindowWatcher.h"
#include "input/ProfileFollower.h"
#include "store/AppProfileStore.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class myQQuickView;

// Profiles that follow the application in front: the window watcher and the
// rules file feed the follower, and its decisions are carried out by the
// scene's changeProfile, the same path as a choice in the title-bar list.
class AppFollow : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kManualProfileKey = "mouse/manualProfileNo";

    explicit AppFollow(myQQuickView *view, const QString &modulesRoot = QStringLiteral("./modules"),
                       QObject *parent = nullptr);

    // Watches the desktop and the rules file; false where the window in front
    // cannot be known (no X server).
    bool start();
    // The mouse answers and the scene is initialised: switches may happen.
    void setDeviceReady(bool ready);

    // The window in front can be followed here.
    bool isAvailable() const { return watcher.isRunning() && watcher.isSupported(); }
    const ProfileFollower &state() const { return follower; }
    ActiveWindowWatcher &windowWatcher() { return watcher; }
    // The tray's line: the profile in force by its row name, and what chose
    // it. rows: the profile panel's name list entries (name + digit).
    QString profileInForceText(const QStringList &rows, const ShellTexts &texts) const;

signals:
    // The profile in force, what chose it, the rules or the availability.
    void changed();

private slots:
    // The scene's isProfileSwitchHeld changed.
    void sceneHoldChanged();

private:
    void activeWindowChanged(quint32 window, const QString &windowClass);
    void profileSet(int profile);
    void reloadRules();
    void watchRulesFile();
    void service();
    bool isOwnWindow(quint32 window) const;
    void publish();

    myQQuickView *view;
    AppProfileStore rulesFile;
    ActiveWindowWatcher watcher;
    ProfileFollower follower;
    QFileSystemWatcher fileWatch;
    QTimer timer;
    QElapsedTimer clock;
    bool switching = false;
    bool sceneReported = false;
};
