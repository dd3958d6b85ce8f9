// SPDX-License-Identifier: GPL-2.0-or-later
#include "Family553.h"

#include "Family560.h"
#include "device/Hid_Thread.h"

using keyDefinition::entry;
using keyDefinition::setEntry;

std::unique_ptr<DeviceFamily> DeviceFamily::create(Hid_Thread &link, BoardProfiles &blocks,
                                                   const ModelFlags &flags)
{
    if (flags.is560())
        return std::make_unique<Family560>(link, blocks, flags);
    return std::make_unique<Family553>(link, blocks, flags);
}

void Family553::sendKeyMatrix(KeyMatrix &block, unsigned char indexAddOne)
{
    link.hid553_12H_SetKeyMatrix(block.data(), indexAddOne);
}

void Family553::selectKeyMatrix(int indexNo)
{
    link.hid553_02H_SetCurrentKeyMatrix(static_cast<unsigned char>(indexNo - 1)); // zero-based here
}

void Family553::applyGunCycle(int button, int count, KeyMatrix &user, std::array<KeyMatrix, 3> &gun)
{
    if (count < 1 || count > 3)
        return;
    // b3 names the zero-based matrix that follows in the cycle: 1, 2, ...,
    // count + 1 and back to 1.
    KeyBytes u = entry(user, button);
    setEntry(user, button, {u[0], 0x00, 0x01, 0x01});
    for (int n = 0; n < 3; ++n) {
        const unsigned char next = n + 1 < count ? static_cast<unsigned char>(n + 2) : 0;
        KeyBytes g = entry(gun[std::size_t(n)], button);
        setEntry(gun[std::size_t(n)], button, {g[0], 0x00, 0x01, next});
    }
}

void Family553::sendGunMatrices(KeyMatrix &user, std::array<KeyMatrix, 3> &gun)
{
    link.hid553_12H_SetKeyMatrix(user.data(), 1);
    for (unsigned char n = 0; n < 3; ++n)
        link.hid553_12H_SetKeyMatrix(gun[n].data(), static_cast<unsigned char>(n + 2));
    link.hid553_02H_SetCurrentKeyMatrix(1); // zero-based 1: the first gun matrix
}

void Family553::sendDpiTable(const dpiEncoding::Table &table, int dpiCount, bool)
{
    std::array<unsigned char, 8> stages = table.bytes;
    for (int i = std::max(dpiCount, 0); i < 8; ++i)
        stages[std::size_t(i)] = 0x80; // stage disabled
    link.hid553_11H_SetDPISet(static_cast<unsigned char>(dpiCount), stages.data());
}

void Family553::setCurrentDpi(unsigned char stage)
{
    link.hid553_0BH_SetCurrentDPI(stage);
}

int Family553::currentDpi()
{
    unsigned char stage = 0;
    link.hid553_8BH_GetCurrentDPI(stage);
    return stage;
}

void Family553::setReportRate(unsigned char rate)
{
    link.hid553_01H_SetReportRate(rate);
}

void Family553::setKeyboardOption(unsigned char b1, unsigned char b2, unsigned char b3,
                                  unsigned char b4)
{
    link.hid553_03H_SetKeyboardoption(b1, b2, b3, b4);
}

QVariantList Family553::keyboardOption()
{
    unsigned char b[4] = {};
    link.hid553_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
    return {int(b[0]), int(b[1]), int(b[2]), int(b[3])};
}

void Family553::sendEffect(const lighting::Triple &t)
{
    link.hid553_0DH_SetRGBLedEffect(t.mode, t.a, t.b);
}

void Family553::sendSingleColourEffect(const lighting::Triple &t)
{
    link.hid553_0DH_SetRGBLedEffect(t.mode, t.a, flags.is55328 ? t.b : 2);
}

void Family553::sendColours(unsigned char type, std::array<unsigned char, 48> &colours)
{
    if (flags.is55328) {
        // Only the extra effect keeps colour slot 8; otherwise slot 1 is the
        // one colour.
        if (colours[21] == 0 && colours[22] == 0 && colours[23] == 0)
            link.hid553_0CH_SetFixLEDColor(colours.data());
        else
            link.hid553_10H_SetLED8StageColor(0, colours.data());
    } else if (flags.is571) {
        link.hid553_10H_SetLED8StageColor(0, colours.data());
    } else {
        link.hid553_10H_SetLED8StageColor(type, colours.data());
        link.hid553_10H_SetLED8StageColor(type, colours.data());
    }
}

void Family553::sendFixColour(std::array<unsigned char, 3> &rgb)
{
    link.hid553_0CH_SetFixLEDColor(rgb.data());
}

void Family553::sendMacro(unsigned char slotOneBased, std::array<unsigned char, 128> &block)
{
    link.hid553_13H_SetMacroKey(slotOneBased, block.data());
}

void Family553::sendGunData(int slot, unsigned char count, int x, int y)
{
    unsigned char option[4] = {};
    link.hid553_83H_GetKeyboardoption(option[0], option[1], option[2], option[3]);
    // The third option byte tells the mouse's vertical direction.
    const unsigned yValue = option[2] != 0 ? 0u - unsigned(y) : unsigned(y);
    link.hid553_04H_SetGunData(count, static_cast<unsigned char>(x & 0xFF),
                               static_cast<unsigned char>(yValue & 0xFF),
                               static_cast<unsigned char>(slot - 1));
}
