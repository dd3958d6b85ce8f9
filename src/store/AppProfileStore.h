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
// there, with '/' and '\' escaped as well. The reader skips every line it
// cannot use; a file over kMaxFileBytes is not read at all (readError() says
// so), and a change that would make the file larger is refused, so that what
// is stored can always be read back. Other groups of the file are kept as
// they are. A change holds the data folder's lock and reads the file afresh.
class AppProfileStore
{
public:
    using Rules = QMap<QString, int>;

    static constexpr int kProfileCount = 10;
    static constexpr int kMaxRules = 300;
    static constexpr int kMaxClassLength = 255;
    // Room for kMaxRules of the longest classes, escaped.
    static constexpr qint64 kMaxFileBytes = 512 * 1024;

    explicit AppProfileStore(const QString &modulesRoot = QStringLiteral("./modules"));

    QString filePath() const;

    // Trimmed and lower-cased; empty when it cannot name an application (empty,
    // too long, or holding a control character).
    static QString normalizedClass(const QString &windowClass);

    // Empty (and readError() set) when the file cannot be read.
    Rules rules() const;
    QString readError() const { return unreadable; }
    // -1 when the class has no rule.
    int profileFor(const QString &windowClass) const;

    enum class Result {
        Stored,
        BadClass,
        BadProfile,
        Full,
        TooLarge,
        Unreadable,
        WriteFailed,
        NotFound
    };
    // Replaces the class's rule. Full when the store holds kMaxRules others,
    // TooLarge when the file would outgrow kMaxFileBytes, Unreadable when the
    // file there cannot be read (it is left alone); error() says why.
    Result bind(const QString &windowClass, int profile);
    Result unbind(const QString &windowClass);
    QString error() const { return problem; }

    static Rules parse(const QByteArray &content);
    // The rules as the file's "[apps]" group, in place of the one in
    // `previous`; the rest of `previous` stays as it is.
    static QByteArray serialize(const Rules &rules, const QByteArray &previous = QByteArray());
    static QByteArray escapedKey(const QString &key);
    static QString unescapedKey(const QByteArray &key);

private:
    template <typename Change> Result change(Change change);
    QString root;
    mutable QString unreadable;
    QString problem;
};
