// SPDX-License-Identifier: GPL-2.0-or-later
#include "BoardProfiles.h"

#include "device/Hid_Thread.h"

void BoardProfiles::mouseSetProfile(unsigned profileNo)
{
    if (isValid(profileNo))
        link.hid560_0CH_setProfile(blocks[profileNo].data(), uchar(profileNo));
}

void BoardProfiles::mouseReadProfile(unsigned profileNo)
{
    if (isValid(profileNo))
        link.hid560_8CH_readProfile(blocks[profileNo].data(), uchar(profileNo));
}

QVariant BoardProfiles::mouseReadCurrentProfile()
{
    uchar profile = 0;
    link.hid560_82H_GetCurrentProfile(profile);
    return QVariant(int(profile));
}
