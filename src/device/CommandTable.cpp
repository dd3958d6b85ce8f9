// SPDX-License-Identifier: GPL-2.0-or-later
#include "CommandTable.h"

namespace command {

namespace {

using E = Exchange;

// Frame bytes 1 to 6, block length, exchange and failure line of every
// command the 553 family understands. 0x40 and 0x80 in the frames are the
// block lengths 64 and 128.
const std::array<Row, kCount553> k553 = {{
    {"hid553_00H_GetSecrecyCode",
     0x00,
     {arg(0), arg(1), arg(2), arg(3), o, o},
     0,
     E::Query,
     "cmd Failed 00"},
    {"hid553_83H_GetKeyboardoption", 0x83, {o, o, o, o, o, o}, 0, E::Query, "cmd Failed 83"},
    {"hid553_8BH_GetCurrentDPI", 0x8B, {o, o, o, o, o, o}, 0, E::Query, "cmd Failed 8BH"},
    {"hid553_03H_SetKeyboardoption",
     0x03,
     {arg(0), arg(1), arg(2), arg(3), o, o},
     0,
     E::Unpaced,
     "cmd Failed 03"},
    {"hid553_04H_SetGunData",
     0x04,
     {o, arg(0), arg(1), arg(2), arg(3), o},
     0,
     E::Unpaced,
     "cmd Failed 04"},
    {"hid553_01H_SetReportRate", 0x01, {arg(0), o, o, o, o, o}, 0, E::Paced, "cmd Failed 01"},
    {"hid553_0BH_SetCurrentDPI", 0x0B, {arg(0), o, o, o, o, o}, 0, E::Paced, "cmd Failed 0B"},
    {"hid553_12H_SetKeyMatrix",
     0x12,
     {arg(0), lit(0x40), lit(0x08), o, o, o},
     kKeyMatrixLength,
     E::Paced,
     "cmd Failed 12"},
    {"hid553_13H_SetMacroKey",
     0x13,
     {arg(0), lit(0x80), o, o, o, o},
     kBlockLength,
     E::Paced,
     "cmd Failed 13"},
    {"hid553_11H_SetDPISet",
     0x11,
     {arg(0), lit(0x08), o, o, o, o},
     kDpiTableLength,
     E::Paced,
     "cmd Failed 11"},
    {"hid553_02H_SetCurrentKeyMatrix", 0x02, {arg(0), o, o, o, o, o}, 0, E::Paced, "cmd Failed 02"},
    {"hid553_0DH_SetRGBLedEffect",
     0x0D,
     {arg(0), arg(1), arg(2), o, o, o},
     0,
     E::Paced,
     "cmd Failed 0D"},
    {"hid553_0CH_SetFixLEDColor",
     0x0C,
     {arg(0), arg(1), arg(2), o, o, o},
     0,
     E::Paced,
     "cmd Failed 0C"},
    // Argument 1 is the block length, ledColorBlockLength(type).
    {"hid553_10H_SetLED8StageColor",
     0x10,
     {arg(0), arg(1), o, o, o, o},
     36,
     E::Paced,
     "cmd Failed 10"},
}};

// The 560 family. Per-profile settings take the profile as argument 0.
const std::array<Row, kCount560> k560 = {{
    {"hid560_81H_GetKeyboardoption", 0x81, {o, o, o, o, o, o}, 0, E::Query, "cmd Failed 81"},
    {"hid560_82H_GetCurrentProfile", 0x82, {o, o, o, o, o, o}, 0, E::Query, "cmd Failed 82"},
    {"hid560_84H_GetCurrentDPI", 0x84, {arg(0), o, o, o, o, o}, 0, E::Query, "cmd Failed 84"},
    {"hid560_01H_SetKeyboardoption",
     0x01,
     {arg(0), arg(1), o, o, o, o},
     0,
     E::Unpaced,
     "cmd Failed 01"},
    {"hid560_03H_SetReportRate", 0x03, {arg(0), arg(1), o, o, o, o}, 0, E::Paced, "cmd Failed 03"},
    {"hid560_04H_SetCurrentDPI", 0x04, {arg(0), arg(1), o, o, o, o}, 0, E::Paced, "cmd Failed 04"},
    // 64 bytes of key matrix padded with 64 zero bytes.
    {"hid560_0DH_SetKeyMatrix",
     0x0D,
     {arg(0), lit(0x80), o, o, o, o},
     kBlockLength,
     E::Paced,
     "cmd Failed 0D"},
    {"hid560_0CH_setProfile",
     0x0C,
     {arg(0), lit(0x80), o, o, o, o},
     kBlockLength,
     E::Paced,
     "cmd Failed 0C"},
    {"hid560_8CH_readProfile",
     0x8C,
     {arg(0), o, o, o, o, o},
     kBlockLength,
     E::Query,
     "cmd Failed 8c"},
    {"hid560_02H_SetCurrentProfile", 0x02, {arg(0), o, o, o, o, o}, 0, E::Unpaced, "cmd Failed 02"},
    {"hid560_0FH_SetMacroKey",
     0x0F,
     {arg(0), lit(0x80), o, o, o, o},
     kBlockLength,
     E::Paced,
     "cmd Failed 0F"},
}};

} // namespace

const std::array<Row, kCount553> &table553()
{
    return k553;
}
const std::array<Row, kCount560> &table560()
{
    return k560;
}
const Row &row(C553 command)
{
    return k553[static_cast<std::size_t>(command)];
}
const Row &row(C560 command)
{
    return k560[static_cast<std::size_t>(command)];
}

frame::Frame build(const Row &row, std::initializer_list<uchar> arguments)
{
    frame::Parameters parameters{};
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const Param &p = row.params[i];
        if (!p.fromArgument)
            parameters[i] = p.value;
        else if (p.value < arguments.size())
            parameters[i] = *(arguments.begin() + p.value);
    }
    return frame::build(row.code, parameters);
}

} // namespace command
