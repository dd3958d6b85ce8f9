// SPDX-License-Identifier: GPL-2.0-or-later
// The view's slots for profiles that follow the application in front.
#include "myQQuickView.h"

namespace {
// The macro editor's name for its key capture while it records.
const QString kMacroRecording = QStringLiteral("macroRecord");
} // namespace

void myQQuickView::setAppFollowStatus(bool available, const QString &lastForeignClass)
{
    followAvailable = available;
    foreignApp = lastForeignClass;
}

void myQQuickView::holdProfileSwitch(bool held)
{
    sceneHeld = held;
    updateSwitchHeld();
}

void myQQuickView::updateSwitchHeld()
{
    const bool held = sceneHeld || captureRequests.contains(kMacroRecording);
    if (held == switchHeld)
        return;
    switchHeld = held;
    emit profileSwitchHeld(held);
}

QVariantMap myQQuickView::getAppProfiles()
{
    const AppProfileStore::Rules rules = appRules.rules();
    QVariantMap map;
    for (auto it = rules.cbegin(); it != rules.cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

QVariant myQQuickView::bindAppProfile(QVariant windowClass, QVariant profile)
{
    bool ok = false;
    const int number = profile.toInt(&ok);
    const bool stored =
        ok && appRules.bind(windowClass.toString(), number) == AppProfileStore::Result::Stored;
    if (stored)
        emit appRulesChanged();
    return stored;
}

QVariant myQQuickView::unbindAppProfile(QVariant windowClass)
{
    const bool stored = appRules.unbind(windowClass.toString()) == AppProfileStore::Result::Stored;
    if (stored)
        emit appRulesChanged();
    return stored;
}

QString myQQuickView::lastForeignApp()
{
    return foreignApp;
}

bool myQQuickView::appFollowAvailable()
{
    return followAvailable;
}
