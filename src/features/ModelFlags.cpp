// SPDX-License-Identifier: GPL-2.0-or-later
#include "ModelFlags.h"

#include "store/AppConfigStore.h"

ModelFlags readModelFlags(const AppConfigStore &config)
{
    ModelFlags m;
    m.icType = config.getGlobalData(QStringLiteral("mouse/icType")).toString();
    m.isColorful = config.getGlobalData(QStringLiteral("mouse/isColorful")).toBool();
    m.isGun = config.getGlobalData(QStringLiteral("mouse/isGun")).toBool();
    m.is55328 = config.getGlobalData(QStringLiteral("mouse/is55328")).toBool();
    m.is571 = config.getGlobalData(QStringLiteral("mouse/is571")).toBool();
    return m;
}
