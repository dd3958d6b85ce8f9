// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QVariant>
#include <array>

class Hid_Thread;

// The five 128-byte on-device profiles of the 560 family, as last read from
// the mouse and patched by the feature operations. Never saved to disk.
class BoardProfiles
{
public:
    static constexpr int kCount = 5;
    static constexpr int kLength = 128;
    using Block = std::array<uchar, kLength>;

    explicit BoardProfiles(Hid_Thread &link) : link(link) {}

    bool isValid(unsigned profileNo) const { return profileNo < unsigned(kCount); }
    Block &block(unsigned profileNo) { return blocks[profileNo]; }
    const Block &block(unsigned profileNo) const { return blocks[profileNo]; }

    // Sends block profileNo as on-device profile profileNo.
    void mouseSetProfile(unsigned profileNo);
    // Reads on-device profile profileNo into its block; a failed read leaves
    // the block as it was.
    void mouseReadProfile(unsigned profileNo);
    // The on-device profile the mouse uses; 0 when it did not answer.
    QVariant mouseReadCurrentProfile();

private:
    Hid_Thread &link;
    std::array<Block, kCount> blocks{}; // zero until the first read
};
