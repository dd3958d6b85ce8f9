// SPDX-License-Identifier: GPL-2.0-or-later
#include "DpiEncoding.h"

#include <algorithm>
#include <vector>

namespace dpiEncoding {

namespace {

struct Step
{
    int limit;
    unsigned char code;
};

// The first step whose limit is at or above the value gives the code; a value
// above the last limit encodes as 0.
const std::vector<Step> k3050 = {{250, 1},     {500, 2},     {750, 3},     {1000, 4},
                                 {1250, 5},    {1500, 6},    {1750, 7},    {2000, 8},
                                 {2500, 0x45}, {3000, 0x46}, {3500, 0x47}, {4000, 0x48}};
const std::vector<Step> k3320 = {
    {250, 1},   {500, 2},   {750, 3},   {1000, 4},  {1250, 5},  {1500, 6},  {1750, 7},
    {2000, 8},  {2250, 9},  {2500, 10}, {2750, 11}, {3000, 12}, {3250, 13}, {3500, 14},
    {4000, 72}, {4500, 73}, {5000, 74}, {5500, 75}, {6000, 76}, {6500, 77}, {7000, 78}};

unsigned char lookup(const std::vector<Step> &table, int v)
{
    const auto step =
        std::find_if(table.begin(), table.end(), [v](const Step &s) { return s.limit >= v; });
    return step == table.end() ? 0 : step->code;
}

unsigned char low(int v)
{
    return static_cast<unsigned char>(v & 0xFF);
}

using Encoder = Encoded (*)(int);

Encoded sensor4090(int v)
{
    return {low(v <= 5000 ? v / 100 - 1 : (v / 200) | 0x40)};
}
Encoded sensor3360(int v)
{
    return {low(v / 100 - 1)};
}
Encoded sensor3050(int v)
{
    return {lookup(k3050, v)};
}
Encoded sensor3389(int v)
{
    return {low(v / 50), v > 12799};
}
Encoded sensor3320(int v)
{
    return {lookup(k3320, v)};
}
Encoded sensor3327(int v)
{
    return {low(v / 100)};
}
Encoded sensor3212(int v)
{
    return {low(v / 38)};
}

struct Sensor
{
    const char *name;
    Encoder encoder;
};
constexpr Sensor kSensors[] = {
    {"4090", sensor4090}, {"3360", sensor3360}, {"3050", sensor3050}, {"3389", sensor3389},
    {"3320", sensor3320}, {"3327", sensor3327}, {"3212", sensor3212},
};

} // namespace

Encoded encode(const QString &sensorType, int dpi)
{
    for (const Sensor &s : kSensors)
        if (sensorType == QLatin1String(s.name))
            return s.encoder(dpi);
    return sensor4090(dpi); // an unknown sensor is taken as the first one
}

Table encodeAll(const QString &sensorType, const std::vector<int> &values)
{
    Table t;
    for (std::size_t i = 0; i < values.size() && i < t.bytes.size(); ++i) {
        const Encoded e = encode(sensorType, values[i]);
        t.bytes[i] = e.byte;
        if (e.highBit)
            t.highMask = static_cast<unsigned char>(t.highMask | (1u << i));
    }
    return t;
}

unsigned char enabledMask(int dpiCount)
{
    if (dpiCount <= 0)
        return 0;
    return static_cast<unsigned char>((1u << std::min(dpiCount, 8)) - 1);
}

} // namespace dpiEncoding
