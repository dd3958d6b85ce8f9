// SPDX-License-Identifier: GPL-2.0-or-later
#include "KeyNameTable.h"

#include <array>
#include <utility>

namespace keyNames {

namespace {

std::array<unsigned char, kCount> buildCodes()
{
    std::array<unsigned char, kCount> codes{};
    int i = 0;
    for (int c = 0x04; c <= 0x73; ++c)
        codes[std::size_t(i++)] = static_cast<unsigned char>(c);
    for (int c : {0x85, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x90, 0x91})
        codes[std::size_t(i++)] = static_cast<unsigned char>(c);
    for (int c = 0xE0; c <= 0xE7; ++c)
        codes[std::size_t(i++)] = static_cast<unsigned char>(c);
    for (int c = 0xF0; c <= 0xF4; ++c)
        codes[std::size_t(i++)] = static_cast<unsigned char>(c);
    return codes;
}

const std::array<unsigned char, kCount> &codes()
{
    static const std::array<unsigned char, kCount> table = buildCodes();
    return table;
}

} // namespace

unsigned char codeAt(int index)
{
    return index >= 0 && index < kCount ? codes()[std::size_t(index)] : 0;
}

QStringList englishNames()
{
    QStringList n;
    for (char c = 'A'; c <= 'Z'; ++c)
        n << QString(QLatin1Char(c));
    for (int d = 1; d <= 9; ++d)
        n << QString::number(d);
    n << QStringLiteral("0") << QStringLiteral("Enter") << QStringLiteral("Esc")
      << QStringLiteral("Back") << QStringLiteral("Tab") << QStringLiteral("Space");
    n << QStringLiteral("-") << QStringLiteral("=") << QStringLiteral("[") << QStringLiteral("]")
      << QStringLiteral("\\") << QStringLiteral("Eur1") << QStringLiteral(";")
      << QStringLiteral("'") << QStringLiteral("`") << QStringLiteral(",") << QStringLiteral(".")
      << QStringLiteral("/") << QStringLiteral("Caps");
    for (int f = 1; f <= 12; ++f)
        n << QStringLiteral("F%1").arg(f);
    n << QStringLiteral("Prt") << QStringLiteral("Scr") << QStringLiteral("Pau")
      << QStringLiteral("Ins") << QStringLiteral("Hom") << QStringLiteral("Pgu")
      << QStringLiteral("Del") << QStringLiteral("End") << QStringLiteral("PgD")
      << QStringLiteral("►") << QStringLiteral("◄") << QStringLiteral("▼") << QStringLiteral("▲");
    n << QStringLiteral("Num") << QStringLiteral("KP/") << QStringLiteral("KP*")
      << QStringLiteral("KP-") << QStringLiteral("KP+") << QStringLiteral("KPEnter");
    for (int k = 1; k <= 9; ++k)
        n << QStringLiteral("KP%1").arg(k);
    n << QStringLiteral("KP0") << QStringLiteral("KP.") << QStringLiteral("Eur2")
      << QStringLiteral("App") << QStringLiteral("Power") << QStringLiteral("KP=");
    for (int f = 13; f <= 24; ++f)
        n << QStringLiteral("F%1").arg(f);
    n << QStringLiteral("Keypad") << QStringLiteral("Intl1") << QStringLiteral("Intl2")
      << QStringLiteral("Intl3") << QStringLiteral("Intl4") << QStringLiteral("Intl5")
      << QStringLiteral("Lang1") << QStringLiteral("Lang2");
    n << QStringLiteral("LCtrl") << QStringLiteral("LShift") << QStringLiteral("LAlt")
      << QStringLiteral("LWin") << QStringLiteral("RCtrl") << QStringLiteral("RShift")
      << QStringLiteral("RAlt") << QStringLiteral("RWin");
    n << QStringLiteral("MS-L") << QStringLiteral("MS-R") << QStringLiteral("MS-M")
      << QStringLiteral("MS-B4") << QStringLiteral("MS-B5");
    return n;
}

unsigned char codeForName(const QStringList &names, const QString &name)
{
    for (int i = 0; i < names.size() && i < kCount; ++i)
        if (names[i] == name)
            return codeAt(i);
    return 0;
}

QString nameForCode(const QStringList &names, unsigned char code)
{
    for (int i = 0; i < kCount; ++i)
        if (codeAt(i) == code)
            return i < names.size() ? names[i] : QString();
    return {};
}

Lookup::Lookup(QStringList names, Others others)
    : current(std::move(names)), fetchOthers(std::move(others))
{
}

unsigned char Lookup::code(const QString &name)
{
    if (const unsigned char c = codeForName(current, name))
        return c;
    if (!others)
        others = fetchOthers ? fetchOthers() : QList<QStringList>();
    for (const QStringList &names : *others)
        if (const unsigned char c = codeForName(names, name))
            return c;
    return 0;
}

} // namespace keyNames
