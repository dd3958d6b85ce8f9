// SPDX-License-Identifier: GPL-2.0-or-later
// The 560 family: whole 128-byte on-device profiles, and settings written
// once per on-device profile.
#include "Hid_Thread.h"

#include <algorithm>
#include <array>
#include <cstring>

using command::C560;
using command::row;

void Hid_Thread::hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2)
{
    query(row(C560::GetKeyboardoption), {}, {&byte1, &byte2}, false);
}

void Hid_Thread::hid560_82H_GetCurrentProfile(uchar &byte1)
{
    query(row(C560::GetCurrentProfile), {}, {&byte1}, false);
}

void Hid_Thread::hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2)
{
    query(row(C560::GetCurrentDPI), {byte1}, {&byte1, &byte2}, false);
}

void Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    sendSetting(row(C560::SetKeyboardoption), {byte1, byte2});
}

void Hid_Thread::hid560_03H_SetReportRate(uchar rate)
{
    sendPerBoardProfile(row(C560::SetReportRate), rate);
}

void Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage)
{
    sendPerBoardProfile(row(C560::SetCurrentDPI), stage);
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    std::array<uchar, command::kBlockLength> block{};
    std::memcpy(block.data(), src64, command::kKeyMatrixLength);
    const command::Row &r = row(C560::SetKeyMatrix);
    sendSetting(r, {indexAddOne}, block.data(), r.dataLength);
}

void Hid_Thread::hid560_0CH_setProfile(uchar *src128, uchar profileData)
{
    const command::Row &r = row(C560::SetProfile);
    sendSetting(r, {profileData}, src128, r.dataLength);
}

void Hid_Thread::hid560_8CH_readProfile(uchar *src128, uchar profileNo)
{
    const command::Row &r = row(C560::ReadProfile);
    if (!takeToken(r))
        return;
    loadFrame(r, {profileNo});
    std::fill(std::begin(replyReport), std::end(replyReport), uchar(0));
    std::memcpy(dataBlock, src128, command::kBlockLength);
    // Only a complete read replaces the caller's block: half of one profile
    // and half of another must never be patched and written back.
    const bool ok = queryCommand(r.dataLength);
    if (ok)
        std::memcpy(src128, dataBlock, command::kBlockLength);
    noteExchange(r, ok);
}

void Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    sendSetting(row(C560::SetCurrentProfile), {profile});
}

void Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar *src128)
{
    const command::Row &r = row(C560::SetMacroKey);
    sendSetting(r, {macroId}, src128, r.dataLength);
}
