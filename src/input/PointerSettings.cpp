#include "PointerSettings.h"

#include <QtGlobal>

void PointerSettings::mouseSetCursorSpeed(unsigned cursorSpeed)
{
    if (!backend || !backend->setSpeed(speedValue(cursorSpeed)))
        qDebug("setCursorSpeed Failed");
}

void PointerSettings::mouseSetDoubleClickSpeed(unsigned speed)
{
    if (!backend || !backend->setDoubleClickTime(doubleClickMs(speed)))
        qDebug("setDoubleClickSpeed Failed");
}

void PointerSettings::mouseSetVerticalScrollLines(unsigned lines)
{
    if (!backend || !backend->setScrollLines(int(lines)))
        qDebug("setVerticalScrollLines Failed");
}
