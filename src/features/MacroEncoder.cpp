// SPDX-License-Identifier: GPL-2.0-or-later
#include "MacroEncoder.h"

#include "KeyNameTable.h"

#include <algorithm>

namespace macroEncoder {

namespace {

constexpr int kShortDelayLimit = 127;
constexpr unsigned char kReleaseBit = 0x80;

struct DelayUnit
{
    int below; // sums below this use the unit
    unsigned char marker;
    int divisor;
};
// 20 ms, 50 ms and 100 ms steps for long delays.
constexpr DelayUnit kLongUnits[] = {{100000, 0x01, 2}, {300000, 0x02, 5}, {600000, 0x03, 10}};

bool isRelease(int type)
{
    return type == KeyRelease || type == ButtonRelease;
}

bool isAction(int type)
{
    return type >= KeyPress && type <= ButtonRelease;
}

void put16(QByteArray &b, int v)
{
    b.append(char((v >> 8) & 0xFF));
    b.append(char(v & 0xFF));
}

// The records closing an action: control byte, then for long delays the unit
// marker and the count.
QByteArray closing(int delayUnits, bool release)
{
    QByteArray r;
    const char releaseBit = char(release ? kReleaseBit : 0);
    if (delayUnits < kShortDelayLimit) {
        r.append(char(std::max(delayUnits, 1)) | releaseBit);
        return r;
    }
    const int units = std::min(delayUnits, kMaxDelayUnits);
    const auto *unit = std::find_if(std::begin(kLongUnits), std::end(kLongUnits),
                                    [units](const DelayUnit &u) { return units < u.below; });
    r.append(releaseBit);
    r.append(char(0x00));
    r.append(char(unit->marker));
    put16(r, units / unit->divisor);
    return r;
}

} // namespace

QVector<Action> parse(const QStringList &entries, const QStringList &keyNames)
{
    keyNames::Lookup names(keyNames);
    return parse(entries, names);
}

QVector<Action> parse(const QStringList &entries, keyNames::Lookup &names)
{
    QVector<Action> actions;
    for (const QString &entry : entries) {
        const int comma = entry.indexOf(QLatin1Char(','));
        if (comma < 0)
            continue;
        Action a;
        a.type = entry.left(comma).trimmed().toInt();
        const QString info = entry.mid(comma + 1);
        a.value = a.type == Delay ? qBound(0, info.trimmed().toInt(), 65535)
                                  : names.code(info);
        actions << a;
    }
    return actions;
}

QByteArray encode(const QVector<Action> &actions, int repeat)
{
    QByteArray block;
    put16(block, repeat);

    const auto first = std::find_if(actions.begin(), actions.end(),
                                    [](const Action &a) { return isAction(a.type); });
    if (first == actions.end() || first + 1 == actions.end())
        return block;

    // An open record is its code; it is closed by the delay that follows.
    int openCode = first->value;
    int openType = first->type;
    int delaySum = 0;
    for (auto it = first + 1; it != actions.end(); ++it) {
        if (it->type == Delay) {
            delaySum += it->value / 10;
            continue;
        }
        if (!isAction(it->type))
            continue;
        const QByteArray control = closing(delaySum, isRelease(openType));
        // Room for this record, a last record and the terminator.
        if (block.size() + 1 + control.size() + 2 + 2 > kBlockLength)
            break;
        block.append(control.left(1));
        block.append(char(openCode));
        block.append(control.mid(1));
        openCode = it->value;
        openType = it->type;
        delaySum = 0;
    }
    block.append(char(1 | (isRelease(openType) ? kReleaseBit : 0)));
    block.append(char(openCode));
    block.append(char(0));
    block.append(char(0));
    return block;
}

} // namespace macroEncoder
