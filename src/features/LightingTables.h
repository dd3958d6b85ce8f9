// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The lighting panel's effect number and speed and brightness steps, as the
// effect triple (mode, a, b) each kind of mouse understands.
namespace lighting {

struct Triple
{
    unsigned char mode = 0;
    unsigned char a = 0;
    unsigned char b = 0;
    bool operator==(const Triple &o) const { return mode == o.mode && a == o.a && b == o.b; }
};

// Multi-colour mice with the 50-effect set.
Triple effect50(int effect, int speed, int brightness);
// Other multi-colour mice.
Triple effectMultiColour(int effect, int speed, int brightness);
// Single-colour mice: (mode, value, third).
Triple effectSingleColour(int effect, int speed, int brightness);

} // namespace lighting
