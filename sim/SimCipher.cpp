// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimCipher.h"

namespace sim {

namespace {

const char kKey[] = "TuvKexMo";
const int kShuffle[8] = {5, 4, 7, 6, 1, 0, 3, 2}; // position i takes byte kShuffle[i]

std::uint64_t load(const std::uint8_t *b)
{
    std::uint64_t w = 0;
    for (int i = 0; i < 8; ++i)
        w = (w << 8) | b[i];
    return w;
}

void store(std::uint64_t w, std::uint8_t *b)
{
    for (int i = 7; i >= 0; --i, w >>= 8)
        b[i] = static_cast<std::uint8_t>(w);
}

std::uint8_t keyByte(int i)
{
    const auto k = static_cast<std::uint8_t>(kKey[i]);
    return static_cast<std::uint8_t>((k >> 4) | (k << 4));
}

void shuffleAndMix(std::uint8_t *b, const std::uint8_t *code6, bool mixFirst)
{
    std::uint8_t t[8];
    if (mixFirst) {
        for (int i = 0; i < 6; ++i)
            b[1 + i] ^= code6[i];
    }
    for (int i = 0; i < 8; ++i)
        t[i] = b[kShuffle[i]];
    for (int i = 0; i < 8; ++i)
        b[i] = t[i];
    if (!mixFirst) {
        for (int i = 0; i < 6; ++i)
            b[1 + i] ^= code6[i];
    }
}

} // namespace

void encipherBlock(std::uint8_t *b, const std::uint8_t *code6)
{
    shuffleAndMix(b, code6, false);
    const std::uint64_t w = load(b);
    store((w << 3) | (w >> 61), b);
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<std::uint8_t>(b[i] + keyByte(i));
}

void decipherBlock(std::uint8_t *b, const std::uint8_t *code6)
{
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<std::uint8_t>(b[i] - keyByte(i));
    const std::uint64_t w = load(b);
    store((w >> 3) | (w << 61), b);
    shuffleAndMix(b, code6, true);
}

} // namespace sim
