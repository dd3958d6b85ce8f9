// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

// The mouse's side of the frame cipher, written from the firmware's point of
// view (the block as one big-endian 64-bit word) and kept apart from the
// program's implementation so that each checks the other.
namespace sim {

void encipherBlock(std::uint8_t *block, const std::uint8_t *code6);
void decipherBlock(std::uint8_t *block, const std::uint8_t *code6);

} // namespace sim
