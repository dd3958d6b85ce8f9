// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Stands in for the scene's profile change: stores the profile, makes it the
// current one and sends its report rate, as the title-bar list does.
Item {
    width: 1024
    height: 640
    property var calls: []
    property int profileNo: -1
    property string profileSwitchHoldReason: ""

    function record(call) {
        var l = calls
        l.push(call)
        calls = l
    }
    function initUI() {
        if (profileNo < 0) {
            profileNo = Number(ui_View.getGlobalData("mouse/profileNo"))
            ui_View.setCurrentProfile(profileNo)
        }
        record("initUI")
    }
    function run() {}
    function setProtectUI(interval) {}
    function changeProfile(tmpProfileNo) {
        if (tmpProfileNo == profileNo)
            return
        profileNo = tmpProfileNo
        ui_View.setGlobalData("mouse/profileNo", profileNo)
        ui_View.setCurrentProfile(profileNo)
        ui_View.mouseSetReportRate([8, 4, 2, 1][Number(ui_View.getData("mouse/reportRate", false))])
        record("changeProfile " + profileNo)
    }
}
