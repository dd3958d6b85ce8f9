// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstddef>

using uchar = unsigned char;

// Wire layout of one command exchange with the mouse.
namespace frame {

constexpr std::size_t kFrameLength = 8;  // code, six parameters, checksum
constexpr std::size_t kReportLength = 9; // report id, then the frame
constexpr uchar kReportId = 0x00;
constexpr std::size_t kParameterCount = 6;
constexpr std::size_t kChecksumIndex = 7;

static_assert(kReportLength == kFrameLength + 1, "feature report = report id + frame");
static_assert(1 + kParameterCount + 1 == kFrameLength, "code + parameters + checksum");

using Frame = std::array<uchar, kFrameLength>;
using Parameters = std::array<uchar, kParameterCount>;

// Complement of the low byte of the sum of bytes 0 to 6, so that the whole
// frame sums to 0xFF modulo 256.
uchar checksum(const uchar *frame);

// Code, parameters and checksum.
Frame build(uchar code, const Parameters &parameters);

// True when the eight bytes sum to 0xFF modulo 256.
bool checksumHolds(const uchar *frame);

} // namespace frame
