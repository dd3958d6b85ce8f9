// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

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

// Macro files keep the key names of the language that recorded them. A name
// is looked up in the language in force, then in the other languages' lists
// in their order (the first that knows it wins); those are read only when a
// name is missing.
class Lookup
{
public:
    using Others = std::function<QList<QStringList>()>;
    explicit Lookup(QStringList current, Others others = {});

    // 0 when no list knows the name.
    unsigned char code(const QString &name);

private:
    QStringList current;
    Others fetchOthers;
    std::optional<QList<QStringList>> others;
};

} // namespace keyNames
