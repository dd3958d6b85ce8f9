// SPDX-License-Identifier: GPL-2.0-or-later
#include "ButtonAssignment.h"

#include "DeviceFamily.h"
#include "VariantBytes.h"
#include "store/ProfileStore.h"

using keyDefinition::entry;
using keyDefinition::kButtonCount;
using keyDefinition::kGunType;
using keyDefinition::setEntry;

namespace {
const QString kKeyMatrix = QStringLiteral("mouseKeyMatrix/");
const QString kFirmwareMatrix = QStringLiteral("mouseFwKeyMatrix/");
} // namespace

void ButtonAssignment::mouseSetKeyMatrix(const QVariantList &src64, bool isSendData,
                                         const QVariantList &otherParam)
{
    for (int k = 0; k < kButtonCount; ++k) {
        QVariantList code;
        for (int i = 0; i < 4; ++i)
            code << (4 * k + i < src64.size() ? src64[4 * k + i] : QVariant(0));
        profiles.setDataList(kKeyMatrix + QString::number(k), code);
    }
    if (isSendData)
        sendKeyCodes(src64, otherParam);
}

void ButtonAssignment::sendKeyCodes(const QVariantList &src64, const QVariantList &otherParam)
{
    KeyMatrix codes{};
    for (int i = 0; i < int(codes.size()); ++i)
        codes[std::size_t(i)] = variantBytes::byteAt(src64, i);
    KeyMatrix user = keyDefinition::translateMatrix(codes, family.sniperKey());

    bool hasGun = false;
    for (int k = 0; k < kButtonCount; ++k)
        hasGun = hasGun || entry(user, k)[0] == kGunType;
    if (!hasGun) {
        family.sendKeyMatrix(user, 1);
        return;
    }

    const KeyMatrix firmware = firmwareMatrix();
    std::array<KeyMatrix, 3> gun = {firmware, firmware, firmware};
    for (int k = 0; k < kButtonCount; ++k) {
        const KeyBytes def = entry(user, k);
        if (def[0] != kGunType)
            continue;
        for (KeyMatrix &g : gun) {
            KeyBytes e = entry(g, k);
            e[0] = kGunType;
            setEntry(g, k, e);
        }
        family.applyGunCycle(k, def[2], user, gun);
    }
    // Key 0 of gun matrix n fires with the period of the gun in slot n.
    for (int n = 0; n < 3; ++n)
        setEntry(gun[std::size_t(n)], 0,
                 {0x0B, static_cast<unsigned char>(n), variantBytes::byteAt(otherParam, n), 0x00});
    family.sendGunMatrices(user, gun);
}

KeyMatrix ButtonAssignment::firmwareMatrix() const
{
    KeyMatrix m{};
    for (int k = 0; k < kButtonCount; ++k) {
        const QVariantList row = profiles.getDataList(kFirmwareMatrix + QString::number(k), false);
        setEntry(m, k,
                 {variantBytes::byteAt(row, 0), variantBytes::byteAt(row, 1),
                  variantBytes::byteAt(row, 2), variantBytes::byteAt(row, 3)});
    }
    return m;
}

void ButtonAssignment::mouseResetKeyMatrix()
{
    KeyMatrix firmware = firmwareMatrix();
    for (unsigned char matrix = 2; matrix <= 4; ++matrix)
        family.sendKeyMatrix(firmware, matrix);
}

void ButtonAssignment::mouseSwitchKeyMatrix(int indexNo)
{
    family.selectKeyMatrix(indexNo);
}

QVariantList ButtonAssignment::mouseGetKeydefine(const QVariant &index, bool isRecovery) const
{
    return profiles.getDataList(kKeyMatrix + index.toString(), isRecovery);
}
