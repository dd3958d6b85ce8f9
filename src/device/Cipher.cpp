// SPDX-License-Identifier: GPL-2.0-or-later
#include "Cipher.h"

#include <utility>

namespace cipher {

uchar secrecyCode[kCodeLength] = {};

namespace {

constexpr uchar kKey[kCodeLength] = {'T', 'u', 'v', 'K', 'e', 'x', 'M', 'o'};

constexpr uchar swapNibbles(uchar x)
{
    return static_cast<uchar>((x << 4) | (x >> 4));
}

// Pairs (0,5), (1,4), (2,7), (3,6); applying it twice restores the block.
void exchangePairs(uchar *b)
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

void mixCode(uchar *b, const uchar *code)
{
    for (std::size_t i = 1; i <= kSecretLength; ++i)
        b[i] ^= code[i];
}

} // namespace

void encipher(uchar *b, const uchar *code)
{
    exchangePairs(b);
    mixCode(b, code);

    const uchar first = b[0];
    for (std::size_t i = 0; i < kCodeLength; ++i) {
        const uchar next = i + 1 < kCodeLength ? b[i + 1] : first;
        b[i] = static_cast<uchar>((b[i] << 3) | (next >> 5));
    }

    for (std::size_t i = 0; i < kCodeLength; ++i)
        b[i] = static_cast<uchar>(b[i] + swapNibbles(kKey[i]));
}

void decipher(uchar *b, const uchar *code)
{
    for (std::size_t i = 0; i < kCodeLength; ++i)
        b[i] = static_cast<uchar>(b[i] - swapNibbles(kKey[i]));

    const uchar last = b[kCodeLength - 1];
    for (std::size_t i = kCodeLength; i-- > 0;) {
        const uchar previous = i > 0 ? b[i - 1] : last;
        b[i] = static_cast<uchar>((b[i] >> 3) | (previous << 5));
    }

    mixCode(b, code);
    exchangePairs(b);
}

} // namespace cipher
