// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// Ordered name lists of the screens (macros, gun entries, profile entries,
// gun picks) in "setting/name.bin".
class NameListStore
{
public:
    // Stored after a lone name so that the file holds a real list: the settings
    // class would write a one-element list as a plain value.
    static constexpr const char *kSentinel = "loaderquokka";

    enum Type { Macro = 0, Gun = 1, Profile = 2, SelectGun = 3 };

    explicit NameListStore(const QString &modulesRoot = QStringLiteral("./modules"));

    QString filePath() const;

    // True when stored (a type outside 0 .. 3 writes nothing and is true); an
    // empty list removes the key. The file is read afresh and written in one
    // step under the data folder's lock.
    QVariant updataNameList(unsigned type, QStringList nameList);
    // The stored strings, sentinel included; empty for an unknown type.
    QVariantList getNameList(unsigned type) const;

    // What readers do with a list: drop the sentinel after a lone name.
    static QStringList withoutSentinel(const QVariantList &list);

private:
    static QString keyFor(unsigned type);
    QString root;
};
