// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

class AppConfigStore;

// The configuration's description of the mouse model, read once at start.
struct ModelFlags
{
    QString icType;
    bool isColorful = false;
    bool isGun = false;
    bool is55328 = false;
    bool is571 = false;

    bool is560() const { return icType == QLatin1String("560"); }
};

// The flags as the configuration gives them; absent keys read as false or
// empty.
ModelFlags readModelFlags(const AppConfigStore &config);
