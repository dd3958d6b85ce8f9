// SPDX-License-Identifier: GPL-2.0-or-later
#include "KeyDefinition.h"

#include <algorithm>

namespace keyDefinition {

namespace {

// Device type for each screen kind whose translation only changes the type.
struct KindRow
{
    unsigned char kind;
    unsigned char type;
};
constexpr KindRow kTypeOfKind[] = {
    {MouseButton, 0x01},    {Fire, 0x0A},       {Combination, 0x00}, {WindowsFunction, 0x00},
    {Shortcut, 0x00},       {Multimedia, 0x03}, {Dpi, 0x07},         {Gun, kGunType},
    {FactoryDefault, 0x04},
};

constexpr unsigned char kDoubleClickType = 0x0A;
constexpr unsigned char kMacroType = 0x09;
constexpr unsigned char kConsumerType = 0x03;
constexpr unsigned char kSniperStep = 4;

// Windows entries that are consumer usages to the mouse: my computer (0x0194),
// home (0x0223), search (0x0221).
constexpr std::array<std::array<unsigned char, 2>, 3> kConsumerUsages = {
    {{0x21, 0x02}, {0x23, 0x02}, {0x94, 0x01}}};

// Buttons 8, 9 and 10 carry fixed functions whatever the screens hold.
struct FixedEntry
{
    int button;
    KeyBytes value;
};
constexpr FixedEntry kFixedEntries[] = {
    {7, {0x05, 0x00, 0x03, 0x00}},
    {8, {0x0B, 0x00, 0x00, 0x00}},
    {9, {0x0C, 0x00, 0x00, 0x00}},
};

} // namespace

KeyBytes translate(const KeyBytes &k, const KeyBytes &sniper)
{
    KeyBytes d = k;
    const unsigned char kind = k[0];
    if (kind == MouseButton && k[2] == 0x1E && k[3] == 0x02) {
        d[0] = kDoubleClickType;
    } else if (kind == Macro) {
        d = {kMacroType, k[1], static_cast<unsigned char>(k[2] + 1), k[3]};
    } else if (kind == Dpi && k[2] == kSniperStep) {
        d = sniper;
    } else {
        const auto *row = std::find_if(std::begin(kTypeOfKind), std::end(kTypeOfKind),
                                       [kind](const KindRow &r) { return r.kind == kind; });
        if (row != std::end(kTypeOfKind))
            d[0] = row->type;
    }
    const std::array<unsigned char, 2> usage = {d[2], d[3]};
    if (std::find(kConsumerUsages.begin(), kConsumerUsages.end(), usage) != kConsumerUsages.end())
        d[0] = kConsumerType;
    return d;
}

KeyBytes entry(const KeyMatrix &m, int button)
{
    KeyBytes b;
    std::copy_n(m.begin() + button * 4, 4, b.begin());
    return b;
}

void setEntry(KeyMatrix &m, int button, const KeyBytes &value)
{
    std::copy(value.begin(), value.end(), m.begin() + button * 4);
}

KeyMatrix translateMatrix(const KeyMatrix &keyCodes, const KeyBytes &sniper)
{
    KeyMatrix out{};
    for (int k = 0; k < kButtonCount; ++k)
        setEntry(out, k, translate(entry(keyCodes, k), sniper));
    for (const FixedEntry &f : kFixedEntries)
        setEntry(out, f.button, f.value);
    return out;
}

} // namespace keyDefinition
