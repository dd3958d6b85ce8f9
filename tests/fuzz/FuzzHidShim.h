// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A mouse that answers with whatever the fuzzer says: every feature reply and
// every input report is the next piece of the fuzz input. Opens succeed until
// the input is used up, so every loop ends.
#include <cstddef>
#include <cstdint>

namespace fuzzhid {

// The input the next replies come from; pieces are a length byte and up to
// that many bytes.
void feed(const std::uint8_t *data, std::size_t size);
bool exhausted();

} // namespace fuzzhid
