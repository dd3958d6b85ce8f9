// SPDX-License-Identifier: GPL-2.0-or-later
#include "PointerSettings.h"

#include <QtGlobal>

bool PointerSettings::apply(PointerSettingsBackend::Setting setting, bool ok)
{
    failed[setting] = !ok;
    return ok;
}

bool PointerSettings::applies(PointerSettingsBackend::Setting setting) const
{
    return backend && backend->offers(setting) && !failed[setting];
}

void PointerSettings::mouseSetCursorSpeed(unsigned cursorSpeed)
{
    if (!apply(PointerSettingsBackend::Speed,
               backend && backend->setSpeed(speedValue(cursorSpeed))))
        qDebug("setCursorSpeed Failed");
}

void PointerSettings::mouseSetDoubleClickSpeed(unsigned speed)
{
    if (!apply(PointerSettingsBackend::DoubleClickTime,
               backend && backend->setDoubleClickTime(doubleClickMs(speed))))
        qDebug("setDoubleClickSpeed Failed");
}

void PointerSettings::mouseSetVerticalScrollLines(unsigned lines)
{
    if (!apply(PointerSettingsBackend::ScrollLines, backend && backend->setScrollLines(int(lines))))
        qDebug("setVerticalScrollLines Failed");
}
