// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Frame.h"

// The frame cipher: a byte shuffle, the six code bytes, a 64-bit rotation and
// a fixed additive key. It works in place on one 8-byte frame; only bytes 1 to
// 6 of the code array take part.
namespace cipher {

constexpr std::size_t kCodeLength = 8;
constexpr std::size_t kSecretLength = 6; // the device's six-character code

void encipher(uchar *block, const uchar *code);
void decipher(uchar *block, const uchar *code);

// Process-wide code bytes; bytes 0 and 7 stay zero. Written only by the
// handshake on the GUI thread.
extern uchar secrecyCode[kCodeLength];

} // namespace cipher
