// SPDX-License-Identifier: GPL-2.0-or-later
// Input reports of the mouse: the data reports of an on-device profile read
// (any report length) and the event reports the listener reads.
#include "FuzzCommon.h"
#include "FuzzHidShim.h"
#include "device/Hid_Thread.h"

#include <cstring>

namespace {
class Events : public DeviceEvents
{
public:
    void dpiStageSwitched(int stage) override
    {
        if (stage < 0 || stage > 255)
            __builtin_trap();
    }
    void eventInterfaceGone() override {}
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    fuzzhid::feed(data + 2, size - 2);

    Hid_Thread link;
    link.setModel(QStringLiteral("560"), false);
    DeviceEntry e;
    e.reportLength = 1 + data[0] * 4; // 1 .. 1021 data bytes
    e.isEncode = data[1] & 1;
    e.commandPath = QStringLiteral("fuzz:command");
    e.eventPath = QStringLiteral("fuzz:event");
    link.deviceList = {e};
    link.deviceIndex = 0;

    uchar block[128];
    std::memset(block, 0x5a, sizeof block);
    link.hid560_8CH_readProfile(block, data[1] % 5);
    // Only a whole read may change the block.
    if (!link.exchangeRecord().lastOk)
        for (uchar x : block)
            if (x != 0x5a)
                __builtin_trap();

    Events events;
    link.owner = &events;
    link.isListening = true;
    link.listenLoop(0); // ends when the input is used up: the interface no longer opens
    QCoreApplication::sendPostedEvents(); // the removal handed to the link's thread
    if (link.isListening || link.eventHandle)
        __builtin_trap();
    return 0;
}
