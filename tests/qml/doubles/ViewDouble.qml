// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Stands in for the view (`ui_View`) in the scene's tests. GetKeyboardoption
// is left out: QML cannot name a function with a capital, and no screen asks.
CallRecorder {
    function clearHidBusy() { return record("clearHidBusy", arguments, undefined) }
    function initUI() { return record("initUI", arguments, undefined) }
    function runUI() { return record("runUI", arguments, undefined) }
    function loadMacroFile(macroFileName) { return record("loadMacroFile", arguments, false) }
    function saveMacroFile(macroFileName) { return record("saveMacroFile", arguments, undefined) }
    function loadProfile(profile) { return record("loadProfile", arguments, false) }
    function saveProfile(profile) { return record("saveProfile", arguments, undefined) }
    function resetProfile(profile) { return record("resetProfile", arguments, undefined) }
    function copyProfile(destprofile, srcprofile) { return record("copyProfile", arguments, undefined) }
    function getLangStrings(typeStr, langCode) { return record("getLangStrings", arguments, []) }
    function getLanguages() { return record("getLanguages", arguments, []) }
    function getVersion() { return record("getVersion", arguments, "") }
    function createMacroIni(name, macroIndex) { return record("createMacroIni", arguments, undefined) }
    function updataNameList(type, nameList) { return record("updataNameList", arguments, undefined) }
    function modifyMacroNameUpdateProfile(oldname, newname) { return record("modifyMacroNameUpdateProfile", arguments, undefined) }
    function deleteMacroUpdateProfile(macroName) { return record("deleteMacroUpdateProfile", arguments, undefined) }
    function deleteMacroIni(name) { return record("deleteMacroIni", arguments, undefined) }
    function getNameList(type) { return record("getNameList", arguments, []) }
    function saveMacroIni(name, macros, repeat) { return record("saveMacroIni", arguments, undefined) }
    function mouseSendMacroData(macroData, macroIndex) { return record("mouseSendMacroData", arguments, undefined) }
    function loadMacroIni(name) { return record("loadMacroIni", arguments, []) }
    function mouseSaveGundata(index, src6) { return record("mouseSaveGundata", arguments, undefined) }
    function mouseSendGundata(slot, values) { return record("mouseSendGundata", arguments, undefined) }
    function modifyGundata(modifyType, src6) { return record("modifyGundata", arguments, undefined) }
    function getGunData(name) { return record("getGunData", arguments, []) }
    function getGunDataKey() { return record("getGunDataKey", arguments, []) }
    function getXYSensitive(index) { return record("getXYSensitive", arguments, undefined) }
    function getselectGun(index) { return record("getselectGun", arguments, undefined) }
    function setXYSensitive(index, xyData) { return record("setXYSensitive", arguments, undefined) }
    function setSelectGun(index, xyData) { return record("setSelectGun", arguments, undefined) }
    function setCurrentProfile(profile) { return record("setCurrentProfile", arguments, undefined) }
    function mouseSetKeyboardoption(byte1, byte2, byte3, byte4) { return record("mouseSetKeyboardoption", arguments, undefined) }
    function mouseSetReportRate(rate) { return record("mouseSetReportRate", arguments, undefined) }
    function mouseSetCurrentDPI(currentDPI) { return record("mouseSetCurrentDPI", arguments, undefined) }
    function mouseResetKeyMatrix() { return record("mouseResetKeyMatrix", arguments, undefined) }
    function mouseGetCurrentDPI() { return record("mouseGetCurrentDPI", arguments, undefined) }
    function mouseSetKeyMatrix(src64, isSendData, otherParam) { return record("mouseSetKeyMatrix", arguments, undefined) }
    function mouseSetDpi(dpiCount, sensorType, dpiValueArray) { return record("mouseSetDpi", arguments, undefined) }
    function mouseSetRGBEffect(effect, option1, option2) { return record("mouseSetRGBEffect", arguments, undefined) }
    function mouseSetRGBColor(type, src24) { return record("mouseSetRGBColor", arguments, undefined) }
    function mouseSetFixColor(src3) { return record("mouseSetFixColor", arguments, undefined) }
    function mouseSetProfile(profileNo) { return record("mouseSetProfile", arguments, undefined) }
    function mouseReadProfile(profileNo) { return record("mouseReadProfile", arguments, undefined) }
    function mouseReadCurrentProfile() { return record("mouseReadCurrentProfile", arguments, undefined) }
    function mouseSwitchKeyMatrix(indexNo) { return record("mouseSwitchKeyMatrix", arguments, undefined) }
    function mouseSetCursorSpeed(cursorSpeed) { return record("mouseSetCursorSpeed", arguments, undefined) }
    function mouseSetVerticalScrollLines(lines) { return record("mouseSetVerticalScrollLines", arguments, undefined) }
    function mouseSetDoubleClickSpeed(speed) { return record("mouseSetDoubleClickSpeed", arguments, undefined) }
    function mouseGetKeydefine(index, isRecovery) { return record("mouseGetKeydefine", arguments, []) }
    function openUpdateExe() { return record("openUpdateExe", arguments, undefined) }
    function getData(key, isRecovery) { return record("getData", arguments, undefined) }
    function getGlobalData(key) { return record("getGlobalData", arguments, undefined) }
    function getDataList(key, isRecovery) { return record("getDataList", arguments, []) }
    function setData(key, data) { return record("setData", arguments, undefined) }
    function setGlobalData(key, tmpdata) { return record("setGlobalData", arguments, undefined) }
    function setDataList(key, datalist) { return record("setDataList", arguments, undefined) }
    function setBusy(busyTime) { return record("setBusy", arguments, undefined) }
    function setCurrentDPI(dpiValue) { return record("setCurrentDPI", arguments, undefined) }
    function encodeMacroData(macroList, repeat) { return record("encodeMacroData", arguments, []) }
    function setEnabled(enabled) { return record("setEnabled", arguments, undefined) }
    function requestKeyCapture(requester, active) { return record("requestKeyCapture", arguments, undefined) }
    function globalCaptureAvailable() { return record("globalCaptureAvailable", arguments, true) }
    function getAppProfiles() { return record("getAppProfiles", arguments, {}) }
    function bindAppProfile(windowClass, profile) { return record("bindAppProfile", arguments, false) }
    function unbindAppProfile(windowClass) { return record("unbindAppProfile", arguments, false) }
    function lastForeignApp() { return record("lastForeignApp", arguments, "") }
    function appFollowAvailable() { return record("appFollowAvailable", arguments, false) }
    signal appRulesChanged()
    function getPointerSettingsApplied() { return record("getPointerSettingsApplied", arguments, [true, true, true]) }
    function getModelFlags() { return record("getModelFlags", arguments, {}) }
}
