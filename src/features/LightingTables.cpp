// SPDX-License-Identifier: GPL-2.0-or-later
#include "LightingTables.h"

#include <algorithm>
#include <array>

namespace lighting {

namespace {

unsigned char low(int v)
{
    return static_cast<unsigned char>(v & 0xFF);
}

// Step arrays indexed by a slider step 0 .. 4; 0 past the end.
int stepValue(const std::array<int, 5> &values, int step)
{
    return step >= 0 && step < 5 ? values[std::size_t(step)] : 0;
}

// --- The 50-effect set: parameters are the brightness level L, the speed S,
// or fixed values, combined as each row says.
enum class P { Zero, L, S, Four, One, Two, InvS, InvSHighOr2, SHigh, SHighOr1 };

struct Row50
{
    int effect;
    unsigned char mode;
    P a;
    P b;
};

constexpr Row50 k50[] = {
    {1, 0x01, P::L, P::Zero},     {2, 0x01, P::L, P::Two},         {3, 0x02, P::S, P::Zero},
    {4, 0x02, P::S, P::Two},      {5, 0x03, P::S, P::L},           {6, 0x04, P::S, P::L},
    {7, 0x07, P::Four, P::Two},   {8, 0x09, P::L, P::InvSHighOr2}, {9, 0x0B, P::L, P::One},
    {10, 0x0A, P::L, P::InvS},    {32, 0x01, P::L, P::One},        {33, 0x02, P::S, P::One},
    {34, 0x05, P::L, P::Zero},    {35, 0x05, P::L, P::One},        {36, 0x05, P::L, P::Two},
    {37, 0x06, P::Four, P::Zero}, {38, 0x06, P::Four, P::One},     {39, 0x06, P::Four, P::Two},
    {40, 0x07, P::Four, P::Zero}, {41, 0x07, P::Four, P::One},     {43, 0x08, P::L, P::Zero},
    {44, 0x08, P::L, P::One},     {45, 0x09, P::L, P::SHigh},      {46, 0x09, P::L, P::SHighOr1},
    {48, 0x0B, P::L, P::Zero},    {49, 0x0B, P::L, P::Two},
};

int value50(P p, int speed, int level)
{
    switch (p) {
    case P::Zero:
        return 0;
    case P::L:
        return level;
    case P::S:
        return speed;
    case P::Four:
        return 4;
    case P::One:
        return 1;
    case P::Two:
        return 2;
    case P::InvS:
        return 4 - speed;
    case P::InvSHighOr2:
        return ((4 - speed) << 4) | 2;
    case P::SHigh:
        return speed << 4;
    case P::SHighOr1:
        return (speed << 4) | 1;
    }
    return 0;
}

// --- Other multi-colour mice: a is the brightness byte B or 0, b a speed
// column or 0.
constexpr std::array<int, 5> kNoSpeed = {0, 0, 0, 0, 0};
constexpr std::array<int, 5> kPulse = {10, 7, 5, 3, 1};
constexpr std::array<int, 5> kFlip = {20, 17, 15, 13, 11};
constexpr std::array<int, 5> kYoYo = {15, 13, 10, 7, 5};
constexpr std::array<int, 5> kSpot = {30, 27, 24, 22, 20};

struct RowMulti
{
    int effect;
    unsigned char mode;
    bool usesBrightness;
    const std::array<int, 5> *speed;
};

const RowMulti kMulti[] = {
    {0, 0x01, true, &kNoSpeed},  // Static
    {1, 0x03, false, &kPulse},   // Breath
    {2, 0x04, false, &kPulse},   // Neon
    {3, 0x00, false, &kNoSpeed}, // OFF
    {4, 0x02, true, &kNoSpeed},  // Twinkling
    {5, 0x05, true, &kPulse},    // Wave
    {6, 0x06, false, &kNoSpeed}, // Gliding
    {7, 0x07, true, &kNoSpeed},  // Finger Moving
    {8, 0x08, true, &kFlip},     // Vertical Flipping
    {9, 0x09, true, &kYoYo},     // YO-YO
    {10, 0x0A, true, &kSpot},    // Spotlight
};

// --- Single-colour mice.
enum class V { Static, SpeedPlusOne, Neon };
constexpr std::array<int, 5> kStaticLevels = {1, 3, 5, 7, 10};
constexpr std::array<int, 5> kNeonSpeeds = {30, 24, 18, 12, 6};

struct RowSingle
{
    int effect;
    unsigned char mode;
    V value;
    unsigned char third;
};

constexpr RowSingle kSingle[] = {
    {0, 1, V::Static, 1},       // Static
    {1, 2, V::SpeedPlusOne, 1}, // Breath
    {2, 3, V::Neon, 1},         // Neon
    {4, 2, V::SpeedPlusOne, 3}, // the extra entry of some models
};

// The row of an effect number; nullptr when the table has none.
template <typename Row, std::size_t N> const Row *findEffect(const Row (&rows)[N], int effect)
{
    const Row *row = std::find_if(std::begin(rows), std::end(rows),
                                  [effect](const Row &r) { return r.effect == effect; });
    return row == std::end(rows) ? nullptr : row;
}

} // namespace

Triple effect50(int effect, int speed, int brightness)
{
    constexpr std::array<int, 5> kLevels = {10, 30, 80, 160, 255};
    const int level = stepValue(kLevels, brightness);
    const Row50 *row = findEffect(k50, effect);
    if (!row)
        return {};
    return {row->mode, low(value50(row->a, speed, level)), low(value50(row->b, speed, level))};
}

Triple effectMultiColour(int effect, int speed, int brightness)
{
    constexpr std::array<int, 4> kBrightness = {0x40, 0x80, 0xC0, 0xFF};
    const int b = brightness >= 1 && brightness <= 4 ? kBrightness[std::size_t(brightness - 1)] : 0;
    const RowMulti *row = findEffect(kMulti, effect);
    if (!row)
        return {};
    return {row->mode, low(row->usesBrightness ? b : 0), low(stepValue(*row->speed, speed))};
}

Triple effectSingleColour(int effect, int speed, int brightness)
{
    const RowSingle *row = findEffect(kSingle, effect);
    if (!row)
        return {};
    int value = 0;
    switch (row->value) {
    case V::Static:
        value = stepValue(kStaticLevels, brightness);
        break;
    case V::SpeedPlusOne:
        value = speed + 1;
        break;
    case V::Neon:
        value = stepValue(kNeonSpeeds, speed);
        break;
    }
    return {row->mode, low(value), row->third};
}

} // namespace lighting
