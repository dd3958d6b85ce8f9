// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Which profile each application gets while its window is in front:
// "setting/appProfile.bin", group "apps", key = the lower-case window class,
// value = profile number 0 .. 9.
//
// The file is read and written by this class alone (the settings class would
// split a class holding '/' or '\' into groups and fold the two together).
// Keys use the settings class's INI escaping, so the file still reads the same
// there, with '/' and '\' escaped as well. The reader takes at most kMaxFileBytes
// and kMaxRules of whatever the file holds and skips every line it cannot use.
class AppProfileStore
{
public:
    using Rules = QMap<QString, int>;

    static constexpr int kProfileCount = 10;
    static constexpr int kMaxRules = 300;
    static constexpr int kMaxClassLength = 255;
    static constexpr qint64 kMaxFileBytes = 256 * 1024;

    explicit AppProfileStore(const QString &modulesRoot = QStringLiteral("./modules"));

    QString filePath() const;

    // Trimmed and lower-cased; empty when it cannot name an application (empty,
    // too long, or holding a control character).
    static QString normalizedClass(const QString &windowClass);

    Rules rules() const;
    // -1 when the class has no rule.
    int profileFor(const QString &windowClass) const;

    enum class Result { Stored, BadClass, BadProfile, Full, WriteFailed, NotFound };
    // Replaces the class's rule. Full when the store holds kMaxRules others.
    Result bind(const QString &windowClass, int profile);
    Result unbind(const QString &windowClass);

    static Rules parse(const QByteArray &content);
    static QByteArray serialize(const Rules &rules);
    static QByteArray escapedKey(const QString &key);
    static QString unescapedKey(const QByteArray &key);

private:
    bool write(const Rules &rules) const;
    QString root;
};
