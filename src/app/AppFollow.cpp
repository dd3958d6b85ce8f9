// SPDX-License-Identifier: GPL-2.0-or-later
#include "AppFollow.h"

#include "view/QmlCall.h"
#include "view/myQQuickView.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQmlProperty>
#include <QQuickItem>
#include <QWindow>

Q_LOGGING_CATEGORY(lcFollow, "talon.app")

AppFollow::AppFollow(myQQuickView *v, const QString &modulesRoot, QObject *parent)
    : QObject(parent), view(v), rulesFile(modulesRoot)
{
    clock.start();
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &AppFollow::service);
    connect(&watcher, &ActiveWindowWatcher::activeWindowChanged, this,
            &AppFollow::activeWindowChanged);
    connect(&watcher, &ActiveWindowWatcher::supportChanged, this, &AppFollow::publish);
    connect(view, &myQQuickView::currentProfileSet, this, &AppFollow::profileSet);
    connect(view, &myQQuickView::profileSwitchHeld, this, [this](bool held) {
        follower.setHeld(held);
        // The hold may end inside the link's last command: the switch it
        // let through runs from the event loop, not nested in that command.
        if (held)
            service();
        else
            timer.start(0);
    });
    connect(&fileWatch, &QFileSystemWatcher::fileChanged, this, &AppFollow::reloadRules);
    connect(&fileWatch, &QFileSystemWatcher::directoryChanged, this, &AppFollow::reloadRules);

    // The scene says through a property of its root item when switches must
    // wait; a scene without it never holds them.
    if (QQuickItem *root = view->rootObject()) {
        const QQmlProperty held(root, QStringLiteral("isProfileSwitchHeld"));
        if (held.isValid() && held.hasNotifySignal())
            held.connectNotifySignal(this, SLOT(sceneHoldChanged()));
    }

    bool stored = false;
    const int manual =
        view->configStore().getGlobalData(QLatin1String(kManualProfileKey)).toInt(&stored);
    if (stored)
        follower.rememberManual(manual);
}

void AppFollow::sceneHoldChanged()
{
    view->holdProfileSwitch(
        QQmlProperty::read(view->rootObject(), QStringLiteral("isProfileSwitchHeld")).toBool());
}

bool AppFollow::start()
{
    reloadRules();
    const bool running = watcher.start();
    if (!running)
        qCDebug(lcFollow, "no X server: profiles do not follow the window in front");
    publish();
    return running;
}

void AppFollow::setDeviceReady(bool ready)
{
    follower.setConnected(ready);
    service();
}

void AppFollow::watchRulesFile()
{
    // Replacing the file swaps its inode, which ends a watch on the file: the
    // folder tells of the new one.
    const QString file = rulesFile.filePath();
    const QString folder = QFileInfo(file).path();
    if (!fileWatch.directories().contains(folder) && QFileInfo::exists(folder))
        fileWatch.addPath(folder);
    if (!fileWatch.files().contains(file) && QFileInfo::exists(file))
        fileWatch.addPath(file);
}

void AppFollow::reloadRules()
{
    watchRulesFile();
    const AppProfileStore::Rules rules = rulesFile.rules();
    if (rules == follower.rules())
        return;
    qCDebug(lcFollow, "%d application rules", int(rules.size()));
    follower.setRules(rules, clock.elapsed());
    view->appRulesChanged();
    service();
}

bool AppFollow::isOwnWindow(quint32 window) const
{
    if (window == 0)
        return false;
    const QWindowList windows = QGuiApplication::allWindows();
    for (const QWindow *w : windows)
        if (w->handle() && quint32(w->winId()) == window)
            return true;
    return false;
}

void AppFollow::activeWindowChanged(quint32 window, const QString &windowClass)
{
    follower.focusChanged(windowClass, isOwnWindow(window), clock.elapsed());
    service();
}

void AppFollow::profileSet(int profile)
{
    // The scene's first profile is the start-up's, not a choice.
    const bool byHand = !switching && sceneReported;
    sceneReported = true;
    follower.profileInForce(profile, byHand);
    if (byHand)
        view->configStore().setGlobalData(QLatin1String(kManualProfileKey), profile);
    service();
}

void AppFollow::service()
{
    // A switch runs device commands, which let events in: decisions arriving
    // meanwhile wait for the timer.
    if (switching)
        return;
    const qint64 now = clock.elapsed();
    const int target = follower.poll(now);
    if (target >= 0) {
        qCDebug(lcFollow, "profile %d for \"%s\"", target, qPrintable(follower.chosenBy()));
        switching = true;
        callQml(view->rootObject(), "changeProfile", Qt::DirectConnection, target);
        switching = false;
    }
    const qint64 next = follower.nextDeadline();
    if (next < 0)
        timer.stop();
    else
        timer.start(int(qBound<qint64>(0, next - clock.elapsed(), ProfileFollower::kSettleMs)));
    publish();
}

QString AppFollow::profileInForceText(const QStringList &rows, const ShellTexts &texts) const
{
    const int profile = follower.currentProfile();
    if (profile < 0)
        return QString();
    QString name = texts.tray(ShellTexts::ProfileNumber).arg(profile + 1);
    for (const QString &row : rows)
        if (row.size() > 1 && row.endsWith(QString::number(profile)))
            name = row.chopped(1);
    const QString by = follower.chosenBy();
    return by.isEmpty() ? texts.tray(ShellTexts::ChosenByHand).arg(name)
                        : texts.tray(ShellTexts::ChosenBy).arg(name, by);
}

void AppFollow::publish()
{
    view->setAppFollowStatus(isAvailable(), follower.lastForeignClass());
    emit changed();
}
