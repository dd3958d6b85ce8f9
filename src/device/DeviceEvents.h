// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What the event listener reports, from its own thread. The receiver (the
// host window) hands both over to the GUI thread.
class DeviceEvents
{
public:
    virtual ~DeviceEvents() = default;
    // The mouse switched to DPI stage `stage` (counted from 1; 0 and values
    // above 8 are passed on as they came).
    virtual void dpiStageSwitched(int stage) = 0;
    // The event interface no longer opens: the mouse is gone.
    virtual void eventInterfaceGone() = 0;
};
