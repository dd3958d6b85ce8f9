// SPDX-License-Identifier: GPL-2.0-or-later
// Feature replies of the mouse, as the link reads them: the handshake (plain
// and enciphered) and every query of both families.
#include "FuzzCommon.h"
#include "FuzzHidShim.h"
#include "device/Hid_Thread.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t setup = data[0];
    fuzzhid::feed(data + 1, size - 1);

    Hid_Thread link;
    link.setModel(setup & 1 ? QStringLiteral("560") : QStringLiteral("553"), setup & 2);
    DeviceEntry e;
    e.isEncode = setup & 4;
    e.sCode = QStringLiteral("k3Y!9a");
    e.reportLength = 1 + (setup >> 3) * 8;
    e.commandPath = QStringLiteral("fuzz:command");
    e.eventPath = QStringLiteral("fuzz:event");
    link.deviceList = {e};

    link.chkDeviceIsEnCode(0);
    uchar a = 1, b = 2, c = 3, d = 4;
    link.hid553_83H_GetKeyboardoption(a, b, c, d);
    link.hid553_8BH_GetCurrentDPI(a);
    link.hid560_81H_GetKeyboardoption(a, b);
    link.hid560_82H_GetCurrentProfile(a);
    link.hid560_84H_GetCurrentDPI(a, b);
    link.enableStageReports();
    // Whatever came back, the link is idle and holds no handle.
    if (!link.hidIdle || link.commandHandle)
        __builtin_trap();
    return 0;
}
