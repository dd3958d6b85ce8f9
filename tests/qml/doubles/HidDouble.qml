// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Stands in for the device link (`hid`): its command slots, and its busy
// state, taken by beginExchange and given back by endExchange.
CallRecorder {
    property bool busy: false
    function beginExchange() {
        record("beginExchange", arguments, undefined)
        if (busy)
            return false
        busy = true
        return true
    }
    function endExchange() {
        record("endExchange", arguments, undefined)
        busy = false
    }
    function hid553_00H_GetSecrecyCode(byte1, byte2, byte3, byte4) { return record("hid553_00H_GetSecrecyCode", arguments, undefined) }
    function hid553_01H_SetReportRate(rate) { return record("hid553_01H_SetReportRate", arguments, undefined) }
    function hid553_02H_SetCurrentKeyMatrix(currentKeyMatrix) { return record("hid553_02H_SetCurrentKeyMatrix", arguments, undefined) }
    function hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4) { return record("hid553_03H_SetKeyboardoption", arguments, undefined) }
    function hid553_04H_SetGunData(byte1, byte2, byte3, byte4) { return record("hid553_04H_SetGunData", arguments, undefined) }
    function hid553_0BH_SetCurrentDPI(stage) { return record("hid553_0BH_SetCurrentDPI", arguments, undefined) }
    function hid553_0CH_SetFixLEDColor(src3) { return record("hid553_0CH_SetFixLEDColor", arguments, undefined) }
    function hid553_0DH_SetRGBLedEffect(effect, option1, option2) { return record("hid553_0DH_SetRGBLedEffect", arguments, undefined) }
    function hid553_10H_SetLED8StageColor(type, src24) { return record("hid553_10H_SetLED8StageColor", arguments, undefined) }
    function hid553_11H_SetDPISet(dpiStage, src8) { return record("hid553_11H_SetDPISet", arguments, undefined) }
    function hid553_12H_SetKeyMatrix(src64, indexAddOne) { return record("hid553_12H_SetKeyMatrix", arguments, undefined) }
    function hid553_13H_SetMacroKey(macroId, src128) { return record("hid553_13H_SetMacroKey", arguments, undefined) }
    function hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4) { return record("hid553_83H_GetKeyboardoption", arguments, undefined) }
    function hid553_8BH_GetCurrentDPI(byte1) { return record("hid553_8BH_GetCurrentDPI", arguments, undefined) }
    function hid560_01H_SetKeyboardoption(byte1, byte2) { return record("hid560_01H_SetKeyboardoption", arguments, undefined) }
    function hid560_02H_SetCurrentProfile(profile) { return record("hid560_02H_SetCurrentProfile", arguments, undefined) }
    function hid560_03H_SetReportRate(rate) { return record("hid560_03H_SetReportRate", arguments, undefined) }
    function hid560_04H_SetCurrentDPI(stage) { return record("hid560_04H_SetCurrentDPI", arguments, undefined) }
    function hid560_0CH_setProfile(src128, profileData) { return record("hid560_0CH_setProfile", arguments, undefined) }
    function hid560_0DH_SetKeyMatrix(src64, indexAddOne) { return record("hid560_0DH_SetKeyMatrix", arguments, undefined) }
    function hid560_0FH_SetMacroKey(macroId, src128) { return record("hid560_0FH_SetMacroKey", arguments, undefined) }
    function hid560_81H_GetKeyboardoption(byte1, byte2) { return record("hid560_81H_GetKeyboardoption", arguments, undefined) }
    function hid560_82H_GetCurrentProfile(byte1) { return record("hid560_82H_GetCurrentProfile", arguments, undefined) }
    function hid560_84H_GetCurrentDPI(byte1, byte2) { return record("hid560_84H_GetCurrentDPI", arguments, undefined) }
    function hid560_8CH_readProfile(src128, profileNo) { return record("hid560_8CH_readProfile", arguments, undefined) }
}
