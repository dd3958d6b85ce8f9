// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "KeyNameTable.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

// The mouse's form of a macro: repeat count, then two-byte records (control,
// code) whose control byte carries the delay after the action, then 00 00.
namespace macroEncoder {

constexpr int kBlockLength = 128;
// Delays are counted in 10 ms units; the longest the records can express.
constexpr int kMaxDelayUnits = 599999;

enum ActionType { Delay = 0, KeyPress = 1, KeyRelease = 2, ButtonPress = 3, ButtonRelease = 4 };

struct Action
{
    int type = Delay;
    int value = 0; // milliseconds for a delay, the key code otherwise
};

// Library entries ("type,info") with key names looked up in `keyNames` (a
// language's list; unknown names give code 0).
QVector<Action> parse(const QStringList &entries, const QStringList &keyNames);
// The same, names looked up in the language in force and then in the others.
QVector<Action> parse(const QStringList &entries, keyNames::Lookup &names);

// At most 128 bytes; actions that would not fit with the terminator are left
// out.
QByteArray encode(const QVector<Action> &actions, int repeat);

} // namespace macroEncoder
