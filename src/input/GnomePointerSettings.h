// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "PointerSettings.h"

// org.gnome.desktop.peripherals.mouse through GIO. Speed 1 .. 20 maps onto
// GNOME's -1 .. 1 linearly with 10 (the original platform's default) at 0:
// (speed - 10) / 10, so 1 gives -0.9 and 20 gives 1. GNOME has no setting
// for wheel lines.
class GnomePointerSettings : public PointerSettingsBackend
{
public:
    static constexpr const char *kSchema = "org.gnome.desktop.peripherals.mouse";

    static bool available();
    static double gnomeSpeed(int speed);

    bool setSpeed(int speed) override;
    bool setDoubleClickTime(int milliseconds) override;
    bool setScrollLines(int lines) override;
    bool offers(Setting setting) const override { return setting != ScrollLines; }
};
