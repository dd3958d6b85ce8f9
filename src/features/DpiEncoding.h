// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <array>
#include <vector>

// How each sensor takes a DPI value: one byte per stage, plus (sensor "3389"
// only) a ninth bit collected in a mask.
namespace dpiEncoding {

struct Encoded
{
    unsigned char byte = 0;
    bool highBit = false;
};

Encoded encode(const QString &sensorType, int dpi);

// Eight stage bytes and the high-bit mask for the values of stages 1 .. 8.
struct Table
{
    std::array<unsigned char, 8> bytes{};
    unsigned char highMask = 0;
};
// Stages beyond the values given (and beyond the eighth) are left 0: a
// missing value is no DPI, and encoding it as one would give 0xFF on some
// sensors.
Table encodeAll(const QString &sensorType, const std::vector<int> &values);

// Bits 0 .. dpiCount-1; 0 when dpiCount <= 0.
unsigned char enabledMask(int dpiCount);

} // namespace dpiEncoding
