// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "BoardProfiles.h"
#include "DpiEncoding.h"
#include "KeyDefinition.h"
#include "LightingTables.h"
#include "ModelFlags.h"

#include <QVariantList>
#include <array>
#include <memory>

class Hid_Thread;

// Everything in which the two controller families differ, chosen once from
// the configuration. The 553 family takes one command per setting; the 560
// family keeps settings in on-device profile blocks and takes whole blocks.
class DeviceFamily
{
public:
    static std::unique_ptr<DeviceFamily> create(Hid_Thread &link, BoardProfiles &blocks,
                                                const ModelFlags &flags);
    virtual ~DeviceFamily() = default;

    const ModelFlags &model() const { return flags; }

    // Buttons.
    virtual KeyBytes sniperKey() const = 0;
    virtual void sendKeyMatrix(KeyMatrix &block, unsigned char indexAddOne) = 0;
    virtual void selectKeyMatrix(int indexNo) = 0; // one-based matrix number
    // Writes the cycle of one gun button into the user block and the three
    // gun blocks; count is the button's slot count.
    virtual void applyGunCycle(int button, int count, KeyMatrix &user,
                               std::array<KeyMatrix, 3> &gun) = 0;
    virtual void sendGunMatrices(KeyMatrix &user, std::array<KeyMatrix, 3> &gun) = 0;

    // DPI, report rate, keyboard option.
    virtual void sendDpiTable(const dpiEncoding::Table &table, int dpiCount, bool withHighMask) = 0;
    virtual void setCurrentDpi(unsigned char stage) = 0;
    virtual int currentDpi() = 0;
    virtual void setReportRate(unsigned char rate) = 0;
    virtual void setKeyboardOption(unsigned char b1, unsigned char b2, unsigned char b3,
                                   unsigned char b4) = 0;
    virtual QVariantList keyboardOption() = 0;

    // Lighting.
    virtual void sendEffect(const lighting::Triple &triple) = 0;
    virtual void sendSingleColourEffect(const lighting::Triple &triple) = 0;
    virtual void sendColours(unsigned char type, std::array<unsigned char, 48> &colours) = 0;
    virtual void sendFixColour(std::array<unsigned char, 3> &rgb) = 0;

    // Macros and gun data.
    virtual void sendMacro(unsigned char slotOneBased, std::array<unsigned char, 128> &block) = 0;
    virtual void sendGunData(int slot, unsigned char count, int x, int y) = 0;

protected:
    DeviceFamily(Hid_Thread &link, BoardProfiles &blocks, const ModelFlags &flags)
        : link(link), blocks(blocks), flags(flags)
    {
    }

    Hid_Thread &link;
    BoardProfiles &blocks;
    ModelFlags flags;
};
