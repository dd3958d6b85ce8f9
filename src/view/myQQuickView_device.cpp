// SPDX-License-Identifier: GPL-2.0-or-later
// The view's device slots: QML's variants in, the feature classes' commands
// out.
#include "myQQuickView.h"

#include "features/KeyNameTable.h"
#include "features/MacroEncoder.h"

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    return settings.mouseSendMacroData(macroData, macroIndex);
}

void myQQuickView::mouseSendGundata(int slot, QVariantList values)
{
    settings.mouseSendGundata(slot, values);
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    settings.mouseSetKeyboardoption(byte1, byte2, byte3, byte4);
}

void myQQuickView::mouseSetReportRate(uchar rate)
{
    settings.mouseSetReportRate(rate);
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    settings.mouseSetCurrentDPI(currentDPI);
}

void myQQuickView::mouseResetKeyMatrix()
{
    buttons.mouseResetKeyMatrix();
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    return settings.mouseGetCurrentDPI();
}

void myQQuickView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam)
{
    buttons.mouseSetKeyMatrix(src64, isSendData, otherParam);
}

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    settings.mouseSetDpi(dpiCount, sensorType, dpiValueArray);
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    settings.mouseSetRGBEffect(effect, option1, option2);
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    settings.mouseSetRGBColor(type, src24);
}

void myQQuickView::mouseSetFixColor(QVariantList src3)
{
    settings.mouseSetFixColor(src3);
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    buttons.mouseSwitchKeyMatrix(indexNo);
}

QVariantList myQQuickView::GetKeyboardoption()
{
    return settings.GetKeyboardoption();
}

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    pointer.mouseSetCursorSpeed(cursorSpeed);
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    pointer.mouseSetVerticalScrollLines(lines);
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    pointer.mouseSetDoubleClickSpeed(speed);
}

QVariantList myQQuickView::getPointerSettingsApplied()
{
    return {pointer.applies(PointerSettingsBackend::Speed),
            pointer.applies(PointerSettingsBackend::DoubleClickTime),
            pointer.applies(PointerSettingsBackend::ScrollLines)};
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant index, bool isRecovery)
{
    return buttons.mouseGetKeydefine(index, isRecovery);
}

QVariantList myQQuickView::encodeMacroData(QStringList macroList, QVariant repeat)
{
    const QString language = config.getGlobalData(QStringLiteral("common/language")).toString();
    QStringList names = languages.getLangStrings(QStringLiteral("keyCode"), language);
    if (names.isEmpty())
        names = keyNames::englishNames();
    // A macro recorded before a change of language keeps the names of then.
    keyNames::Lookup lookup(names, [this, language] { return languages.otherKeyNames(language); });
    const QByteArray block =
        macroEncoder::encode(macroEncoder::parse(macroList, lookup), repeat.toInt());
    QVariantList out;
    for (char b : block)
        out << int(static_cast<unsigned char>(b));
    return out;
}
