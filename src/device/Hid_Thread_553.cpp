// SPDX-License-Identifier: GPL-2.0-or-later
// The 553 family: one command per setting.
#include "Hid_Thread.h"

using command::C553;
using command::row;

void Hid_Thread::hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    query(row(C553::GetSecrecyCode), {byte1, byte2, byte3, byte4}, {&byte1, &byte2, &byte3, &byte4},
          true);
}

void Hid_Thread::hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3,
                                              uchar &byte4)
{
    query(row(C553::GetKeyboardoption), {}, {&byte1, &byte2, &byte3, &byte4}, false);
}

void Hid_Thread::hid553_8BH_GetCurrentDPI(uchar &byte1)
{
    query(row(C553::GetCurrentDPI), {}, {&byte1}, false);
}

void Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    sendSetting(row(C553::SetKeyboardoption), {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    sendSetting(row(C553::SetGunData), {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid553_01H_SetReportRate(uchar rate)
{
    sendSetting(row(C553::SetReportRate), {rate});
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage)
{
    sendSetting(row(C553::SetCurrentDPI), {stage});
}

void Hid_Thread::hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    const command::Row &r = row(C553::SetKeyMatrix);
    sendSetting(r, {indexAddOne}, src64, r.dataLength);
}

void Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    const command::Row &r = row(C553::SetMacroKey);
    sendSetting(r, {macroId}, src128, r.dataLength);
}

void Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    const command::Row &r = row(C553::SetDPISet);
    sendSetting(r, {dpiStage}, src8, r.dataLength);
}

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix)
{
    sendSetting(row(C553::SetCurrentKeyMatrix), {currentKeyMatrix});
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    sendSetting(row(C553::SetRGBLedEffect), {effect, option1, option2});
}

void Hid_Thread::hid553_0CH_SetFixLEDColor(uchar *src3)
{
    sendSetting(row(C553::SetFixLEDColor), {src3[0], src3[1], src3[2]});
}

void Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    const int length = command::ledColorBlockLength(type);
    sendSetting(row(C553::SetLED8StageColor), {type, static_cast<uchar>(length)}, src24, length);
}
