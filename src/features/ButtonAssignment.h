// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "KeyDefinition.h"

#include <QVariant>
#include <QVariantList>

class DeviceFamily;
class ProfileStore;

// What each button sends: the screens' key codes stored per profile, and
// their translation into the mouse's key matrices (with the three gun
// matrices when a button cycles through the gun slots).
class ButtonAssignment
{
public:
    ButtonAssignment(DeviceFamily &family, ProfileStore &profiles)
        : family(family), profiles(profiles)
    {
    }

    void mouseSetKeyMatrix(const QVariantList &src64, bool isSendData,
                           const QVariantList &otherParam);
    void mouseResetKeyMatrix();
    void mouseSwitchKeyMatrix(int indexNo);
    QVariantList mouseGetKeydefine(const QVariant &index, bool isRecovery) const;

    // Translates sixty-four key-code values and sends them, without storing.
    void sendKeyCodes(const QVariantList &src64, const QVariantList &otherParam);

    // The firmware key matrix of the current profile.
    KeyMatrix firmwareMatrix() const;

private:
    DeviceFamily &family;
    ProfileStore &profiles;
};
