// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "store/AppProfileStore.h"

#include <QString>
#include <QtGlobal>

// Decides which profile the mouse should have as windows come to the front.
// Knows no window system and no clock: its owner feeds it what happened with
// the time in milliseconds, asks poll() for a switch and calls poll() again at
// nextDeadline().
//
// - A window whose class has a rule wants the rule's profile; any other window
//   (also none, or one without a class) wants the profile chosen by hand.
// - A decision settles for kSettleMs after the last focus change: a burst of
//   changes gives one switch, to the window in front at its end.
// - Our own window in front changes nothing and drops an unsettled decision.
// - While held (unsaved changes, a macro being recorded) or disconnected, a
//   settled decision waits and is taken when that ends.
// - A choice by hand is remembered and drops an unsettled decision.
class ProfileFollower
{
public:
    static constexpr qint64 kSettleMs = 500;

    void setRules(const AppProfileStore::Rules &rules, qint64 now);
    const AppProfileStore::Rules &rules() const { return ruleSet; }

    // The profile chosen by hand in an earlier run (the scene's first profile
    // may have been an application's).
    void rememberManual(int profile);
    // The scene put `profile` in force: by hand, or as poll() asked. The
    // first profile counts as the hand's unless one was remembered.
    void profileInForce(int profile, bool byHand);
    void focusChanged(const QString &windowClass, bool ownWindow, qint64 now);
    void setHeld(bool held);
    void setConnected(bool connected);

    // The profile to switch to now, or -1.
    int poll(qint64 now);
    // When poll() has something to decide next; -1 while nothing is pending or
    // the decision is blocked.
    qint64 nextDeadline() const;

    int currentProfile() const { return current; }
    int manualProfile() const { return manual; }
    // The class whose rule put the profile in force; empty when chosen by hand.
    QString chosenBy() const { return byClass; }
    // The last application in front other than our own window.
    QString lastForeignClass() const { return lastForeign; }
    bool isPending() const { return pending; }

private:
    AppProfileStore::Rules ruleSet;
    QString frontClass;
    bool frontIsForeign = false;
    QString lastForeign;
    QString byClass;
    int current = -1;
    int manual = -1;
    bool pending = false;
    qint64 settleUntil = 0;
    bool held = false;
    bool connected = false;
};
