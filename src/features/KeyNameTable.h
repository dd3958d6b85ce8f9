// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The key codes the screens and the macro files name (HID usages, and
// 0xF0 .. 0xF4 for the mouse buttons), in table order, with the shipped
// English names. A language replaces the names, entry by entry.
namespace keyNames {

constexpr int kCount = 133;

unsigned char codeAt(int index);
QStringList englishNames();

// The first entry with that name, 0 when none; `names` is a language's list.
unsigned char codeForName(const QStringList &names, const QString &name);
// The name of the first entry with that code, empty when none.
QString nameForCode(const QStringList &names, unsigned char code);

} // namespace keyNames
