// SPDX-License-Identifier: GPL-2.0-or-later
#include "ProfileFollower.h"

void ProfileFollower::setRules(const AppProfileStore::Rules &rules, qint64 now)
{
    if (rules == ruleSet)
        return;
    ruleSet = rules;
    // The window in front may have gained or lost its rule.
    if (frontIsForeign && !pending) {
        pending = true;
        settleUntil = now;
    }
}

void ProfileFollower::rememberManual(int profile)
{
    if (profile >= 0 && profile < AppProfileStore::kProfileCount)
        manual = profile;
}

void ProfileFollower::profileInForce(int profile, bool byHand)
{
    current = profile;
    if (byHand || manual < 0) {
        manual = profile;
        byClass.clear();
    }
    if (byHand)
        pending = false;
}

void ProfileFollower::focusChanged(const QString &windowClass, bool ownWindow, qint64 now)
{
    if (ownWindow) {
        frontIsForeign = false;
        pending = false;
        return;
    }
    frontIsForeign = true;
    frontClass = AppProfileStore::normalizedClass(windowClass);
    if (!frontClass.isEmpty())
        lastForeign = frontClass;
    pending = true;
    settleUntil = now + kSettleMs;
}

void ProfileFollower::setHeld(bool isHeld)
{
    held = isHeld;
}

void ProfileFollower::setConnected(bool isConnected)
{
    connected = isConnected;
}

qint64 ProfileFollower::nextDeadline() const
{
    return pending && !held && connected && current >= 0 && manual >= 0 ? settleUntil : -1;
}

int ProfileFollower::poll(qint64 now)
{
    if (nextDeadline() < 0 || now < settleUntil)
        return -1;
    pending = false;
    const auto rule = ruleSet.constFind(frontClass);
    const bool hasRule = !frontClass.isEmpty() && rule != ruleSet.cend();
    byClass = hasRule ? frontClass : QString();
    const int target = hasRule ? rule.value() : manual;
    return target == current ? -1 : target;
}
