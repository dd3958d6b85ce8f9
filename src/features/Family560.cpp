// SPDX-License-Identifier: GPL-2.0-or-later
#include "Family560.h"

#include "device/Hid_Thread.h"

#include <QtGlobal>
#include <algorithm>

using keyDefinition::entry;
using keyDefinition::setEntry;

namespace {

// Profile block offsets.
constexpr int kGunProfileMask = 2;  // block 0
constexpr int kMultiColours = 24;   // block 0, eight RGB slots
constexpr int kGunFlags = 65;       // blocks 2 .. 4
constexpr int kEffect = 71;         // blocks 1 .. 4: mode, a, b
constexpr int kGunMarker = 78;      // blocks 2 .. 4: F0, count, X, Y
constexpr int kDpiHighMask = 82;    // blocks 1 .. 4, twice
constexpr int kDpiStages = 84;      // blocks 1 .. 4, eight bytes, then again
constexpr int kDpiEnabled = 100;    // blocks 1 .. 4
constexpr int kSingleColours = 104; // block 1, eight RGB slots
constexpr unsigned char kGunFlagBit = 0x04;

} // namespace

void Family560::sendUserProfiles()
{
    blocks.mouseSetProfile(1);
    if (flags.isGun) {
        for (unsigned p = 2; p <= 4; ++p)
            blocks.mouseSetProfile(p);
    }
}

void Family560::sendKeyMatrix(KeyMatrix &block, unsigned char indexAddOne)
{
    link.hid560_0DH_SetKeyMatrix(block.data(), indexAddOne);
}

void Family560::selectKeyMatrix(int indexNo)
{
    link.hid560_02H_SetCurrentProfile(static_cast<unsigned char>(indexNo));
}

void Family560::applyGunCycle(int button, int count, KeyMatrix &user, std::array<KeyMatrix, 3> &gun)
{
    static const unsigned char kProfileMask[] = {0x07, 0x0F, 0x1F};
    if (count < 1 || count > 3)
        return;
    // b2 names the next on-device profile: user block 1, the gun blocks 3 while
    // the cycle goes on and 0 at its end. The mask marks the profiles in use.
    KeyBytes u = entry(user, button);
    setEntry(user, button, {u[0], u[1], 0x01, u[3]});
    for (int n = 0; n < 3; ++n) {
        const unsigned char next = n + 1 < count ? 0x03 : 0x00;
        KeyBytes g = entry(gun[std::size_t(n)], button);
        setEntry(gun[std::size_t(n)], button, {g[0], g[1], next, g[3]});
    }
    blocks.block(0)[kGunProfileMask] = kProfileMask[count - 1];
}

void Family560::sendGunMatrices(KeyMatrix &user, std::array<KeyMatrix, 3> &gun)
{
    blocks.mouseSetProfile(0);
    link.hid560_0DH_SetKeyMatrix(user.data(), 1);
    for (unsigned char n = 0; n < 3; ++n)
        link.hid560_0DH_SetKeyMatrix(gun[n].data(), static_cast<unsigned char>(n + 2));
    link.hid560_02H_SetCurrentProfile(1);
}

void Family560::sendDpiTable(const dpiEncoding::Table &table, int dpiCount, bool withHighMask)
{
    for (unsigned p = 1; p <= 4; ++p) {
        BoardProfiles::Block &b = blocks.block(p);
        std::copy(table.bytes.begin(), table.bytes.end(), b.begin() + kDpiStages);
        std::copy(table.bytes.begin(), table.bytes.end(), b.begin() + kDpiStages + 8);
        b[kDpiEnabled] = dpiEncoding::enabledMask(dpiCount);
        if (withHighMask) {
            b[kDpiHighMask] = table.highMask;
            b[kDpiHighMask + 1] = table.highMask;
        }
    }
    sendUserProfiles();
}

void Family560::setCurrentDpi(unsigned char stage)
{
    link.hid560_04H_SetCurrentDPI(stage);
}

int Family560::currentDpi()
{
    unsigned char which = 1, stage = 0;
    link.hid560_84H_GetCurrentDPI(which, stage);
    return stage;
}

void Family560::setReportRate(unsigned char rate)
{
    link.hid560_03H_SetReportRate(rate);
}

// This family has its own two-byte option commands; its 0x03 sets a
// profile's report rate and 0x83 does not exist.
void Family560::setKeyboardOption(unsigned char b1, unsigned char b2, unsigned char, unsigned char)
{
    link.hid560_01H_SetKeyboardoption(b1, b2);
}

QVariantList Family560::keyboardOption()
{
    unsigned char b1 = 0, b2 = 0;
    link.hid560_81H_GetKeyboardoption(b1, b2);
    return {int(b1), int(b2), 0, 0};
}

void Family560::sendEffect(const lighting::Triple &t)
{
    for (unsigned p = 1; p <= 4; ++p) {
        BoardProfiles::Block &b = blocks.block(p);
        b[kEffect] = t.mode;
        b[kEffect + 1] = t.a;
        b[kEffect + 2] = t.b;
    }
    sendUserProfiles();
}

void Family560::sendSingleColourEffect(const lighting::Triple &t)
{
    for (unsigned p = 1; p <= 4; ++p) {
        BoardProfiles::Block &b = blocks.block(p);
        b[kEffect] = t.mode;
        b[kEffect + 1] = t.a;
        b[kEffect + 2] = 2;
    }
    if (flags.isGun) {
        for (unsigned p = 1; p <= 4; ++p)
            blocks.mouseSetProfile(p);
    } else {
        blocks.block(1)[kEffect + 2] = 3;
        blocks.mouseSetProfile(1);
    }
}

void Family560::sendColours(unsigned char, std::array<unsigned char, 48> &colours)
{
    const unsigned profile = flags.isColorful ? 0 : 1;
    const int offset = flags.isColorful ? kMultiColours : kSingleColours;
    std::copy_n(colours.begin(), 24, blocks.block(profile).begin() + offset);
    blocks.mouseSetProfile(profile);
}

// There is no fixed-colour command in this family: 0x0C writes a profile
// block, and sending it with a colour would make the mouse wait for a block.
void Family560::sendFixColour(std::array<unsigned char, 3> &)
{
    qDebug("fixed colour not supported by this mouse");
}

void Family560::sendMacro(unsigned char slotOneBased, std::array<unsigned char, 128> &block)
{
    link.hid560_0FH_SetMacroKey(slotOneBased, block.data());
}

void Family560::sendGunData(int slot, unsigned char count, int x, int y)
{
    if (slot < 1 || slot > 3)
        return;
    const unsigned p = unsigned(slot + 1);
    BoardProfiles::Block &b = blocks.block(p);
    b[kGunMarker] = 0xF0;
    b[kGunMarker + 1] = count;
    b[kGunMarker + 2] = static_cast<unsigned char>(x & 0xFF);
    b[kGunMarker + 3] = static_cast<unsigned char>(y & 0xFF);
    b[kGunFlags] = static_cast<unsigned char>(b[kGunFlags] & ~kGunFlagBit);
    blocks.mouseSetProfile(p);
}
