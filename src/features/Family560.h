// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "DeviceFamily.h"

class Family560 : public DeviceFamily
{
public:
    Family560(Hid_Thread &link, BoardProfiles &blocks, const ModelFlags &flags)
        : DeviceFamily(link, blocks, flags)
    {
    }

    KeyBytes sniperKey() const override { return {0x0B, 0x00, 0x01, 0x01}; }
    void sendKeyMatrix(KeyMatrix &block, unsigned char indexAddOne) override;
    void selectKeyMatrix(int indexNo) override;
    void applyGunCycle(int button, int count, KeyMatrix &user,
                       std::array<KeyMatrix, 3> &gun) override;
    void sendGunMatrices(KeyMatrix &user, std::array<KeyMatrix, 3> &gun) override;
    void sendDpiTable(const dpiEncoding::Table &table, int dpiCount, bool withHighMask) override;
    void setCurrentDpi(unsigned char stage) override;
    int currentDpi() override;
    void setReportRate(unsigned char rate) override;
    void setKeyboardOption(unsigned char b1, unsigned char b2, unsigned char b3,
                           unsigned char b4) override;
    QVariantList keyboardOption() override;
    void sendEffect(const lighting::Triple &triple) override;
    void sendSingleColourEffect(const lighting::Triple &triple) override;
    void sendColours(unsigned char type, std::array<unsigned char, 48> &colours) override;
    void sendFixColour(std::array<unsigned char, 3> &rgb) override;
    void sendMacro(unsigned char slotOneBased, std::array<unsigned char, 128> &block) override;
    void sendGunData(int slot, unsigned char count, int x, int y) override;

private:
    // Block 1, and the gun profiles' blocks 2 .. 4 on a gun mouse.
    void sendUserProfiles();
};
