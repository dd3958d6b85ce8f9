// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

class DeviceFamily;

// DPI stages, the current stage, the report rate, the keyboard option,
// lighting, macros and gun data: the panels' values as device commands.
class DeviceSettings
{
public:
    explicit DeviceSettings(DeviceFamily &family) : family(family) {}

    void mouseSetDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValueArray);
    void mouseSetCurrentDPI(unsigned char currentDPI);
    QVariant mouseGetCurrentDPI();
    void mouseSetReportRate(unsigned char rate);
    void mouseSetKeyboardoption(unsigned char b1, unsigned char b2, unsigned char b3,
                                unsigned char b4);
    QVariantList GetKeyboardoption();

    void mouseSetRGBEffect(unsigned char effect, unsigned char option1, unsigned char option2);
    void mouseSetRGBColor(unsigned char type, const QVariantList &src24);
    void mouseSetFixColor(const QVariantList &src3);

    // Slot 0 .. 11; a larger slot is not sent. Always true.
    QVariant mouseSendMacroData(const QVariantList &macroData, const QVariant &macroIndex);
    void mouseSendGundata(int slot, const QVariantList &values);

private:
    DeviceFamily &family;
};
