#pragma once

#include <QString>

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
