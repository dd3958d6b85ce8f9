// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Frame.h"

#include <array>
#include <initializer_list>

// Both command sets as data: one row per command, one function that turns a
// row and the slot's arguments into a frame.
namespace command {

enum class Exchange {
    Paced,   // 128 ms pauses around the data
    Unpaced, // no pauses, 8 ms sleep after the exchange
    Query,   // reply frame read back (and a data block for the profile read)
};

// A parameter byte is a constant or the n-th argument of the slot.
struct Param
{
    bool fromArgument;
    uchar value; // the constant, or the argument index
};
constexpr Param lit(uchar value)
{
    return {false, value};
}
constexpr Param arg(uchar index)
{
    return {true, index};
}
constexpr Param o = lit(0);

struct Row
{
    const char *slot;
    uchar code;
    std::array<Param, frame::kParameterCount> params;
    int dataLength; // bytes of the data block; 0 when none
    Exchange exchange;
    const char *failureLine;
};

enum class C553 {
    GetSecrecyCode,
    GetKeyboardoption,
    GetCurrentDPI,
    SetKeyboardoption,
    SetGunData,
    SetReportRate,
    SetCurrentDPI,
    SetKeyMatrix,
    SetMacroKey,
    SetDPISet,
    SetCurrentKeyMatrix,
    SetRGBLedEffect,
    SetFixLEDColor,
    SetLED8StageColor,
    Count
};

enum class C560 {
    GetKeyboardoption,
    GetCurrentProfile,
    GetCurrentDPI,
    SetKeyboardoption,
    SetReportRate,
    SetCurrentDPI,
    SetKeyMatrix,
    SetProfile,
    ReadProfile,
    SetCurrentProfile,
    SetMacroKey,
    Count
};

constexpr std::size_t kCount553 = static_cast<std::size_t>(C553::Count);
constexpr std::size_t kCount560 = static_cast<std::size_t>(C560::Count);

const std::array<Row, kCount553> &table553();
const std::array<Row, kCount560> &table560();
const Row &row(C553 command);
const Row &row(C560 command);

// Missing arguments count as 0.
frame::Frame build(const Row &row, std::initializer_list<uchar> arguments);

// Milliseconds slept after the exchange of this row.
constexpr int sleepAfterMs(const Row &row)
{
    return row.exchange == Exchange::Unpaced ? 8 : 0;
}

// The on-device profiles that per-profile settings of the 560 family address.
constexpr uchar kFirstBoardProfile = 1;
constexpr uchar kLastBoardProfile = 4;

// Length of the 553 LED colour block for a colour type: four bytes for type 2,
// twelve RGB triples otherwise.
constexpr int ledColorBlockLength(uchar type)
{
    return type == 2 ? 4 : 36;
}

constexpr int kKeyMatrixLength = 64;
constexpr int kBlockLength = 128;
constexpr int kDpiTableLength = 8;

} // namespace command
