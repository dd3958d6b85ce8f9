// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceSettings.h"

#include "DeviceFamily.h"
#include "DpiEncoding.h"
#include "LightingTables.h"
#include "VariantBytes.h"

namespace {
constexpr unsigned kMacroSlots = 12;
}

void DeviceSettings::mouseSetDpi(int dpiCount, const QString &sensorType,
                                 const QVariantList &dpiValueArray)
{
    std::vector<int> values;
    for (int i = 0; i < dpiValueArray.size() && i < 8; ++i)
        values.push_back(variantBytes::intAt(dpiValueArray, i));
    const dpiEncoding::Table table = dpiEncoding::encodeAll(sensorType, values);
    family.sendDpiTable(table, dpiCount, sensorType == QLatin1String("3389"));
}

void DeviceSettings::mouseSetCurrentDPI(unsigned char currentDPI)
{
    family.setCurrentDpi(currentDPI);
}

QVariant DeviceSettings::mouseGetCurrentDPI()
{
    return QVariant(family.currentDpi());
}

void DeviceSettings::mouseSetReportRate(unsigned char rate)
{
    family.setReportRate(rate);
}

void DeviceSettings::mouseSetKeyboardoption(unsigned char b1, unsigned char b2, unsigned char b3,
                                            unsigned char b4)
{
    family.setKeyboardOption(b1, b2, b3, b4);
}

QVariantList DeviceSettings::GetKeyboardoption()
{
    return family.keyboardOption();
}

void DeviceSettings::mouseSetRGBEffect(unsigned char effect, unsigned char option1,
                                       unsigned char option2)
{
    const ModelFlags &m = family.model();
    if (!m.isColorful) {
        family.sendSingleColourEffect(lighting::effectSingleColour(effect, option1, option2));
        return;
    }
    family.sendEffect(m.is571 ? lighting::effect50(effect, option1, option2)
                              : lighting::effectMultiColour(effect, option1, option2));
}

void DeviceSettings::mouseSetRGBColor(unsigned char type, const QVariantList &src24)
{
    std::array<unsigned char, 48> colours{};
    for (int i = 0; i < int(colours.size()); ++i)
        colours[std::size_t(i)] = variantBytes::byteAt(src24, i);
    family.sendColours(type, colours);
}

void DeviceSettings::mouseSetFixColor(const QVariantList &src3)
{
    std::array<unsigned char, 3> rgb = {variantBytes::byteAt(src3, 0),
                                        variantBytes::byteAt(src3, 1),
                                        variantBytes::byteAt(src3, 2)};
    family.sendFixColour(rgb);
}

QVariant DeviceSettings::mouseSendMacroData(const QVariantList &macroData,
                                            const QVariant &macroIndex)
{
    const unsigned slot = macroIndex.toUInt() & 0xFF;
    if (slot >= kMacroSlots)
        return QVariant(true);
    std::array<unsigned char, 128> block{};
    for (int i = 0; i < int(block.size()); ++i)
        block[std::size_t(i)] = variantBytes::byteAt(macroData, i);
    family.sendMacro(static_cast<unsigned char>(slot + 1), block);
    return QVariant(true);
}

void DeviceSettings::mouseSendGundata(int slot, const QVariantList &values)
{
    if (!family.model().isGun)
        return;
    family.sendGunData(slot, variantBytes::byteAt(values, 0), variantBytes::intAt(values, 1),
                       variantBytes::intAt(values, 2));
}
