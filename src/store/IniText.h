// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// The text of an INI file in the settings class's INI format (keys, groups,
// escapes, lists and "@Variant(...)" values as QSettings writes and reads
// them), edited in place: a change rewrites only the lines of the keys it
// touches, so comments, the order of keys and groups this program does not
// know stay as they were. Keys are addressed as "group/key".
//
// The stores read and write their files through this class rather than
// through the settings class, so that they control every byte that reaches
// the disk (see StoreFile.h); what they write still reads the same in
// QSettings.
class IniText
{
public:
    IniText() = default;
    explicit IniText(const QByteArray &content);

    QByteArray content() const;

    // Invalid when absent. A later line of the same key wins.
    QVariant value(const QString &key) const;
    bool contains(const QString &key) const;
    // Sorted, without repeats.
    QStringList allKeys() const;
    QStringList childKeys(const QString &group) const;
    QStringList childGroups(const QString &group = QString()) const;

    void setValue(const QString &key, const QVariant &value);
    // The key and every key below it; an empty key clears the file.
    void remove(const QString &key);

    // Leading, trailing and doubled slashes dropped, as the settings class
    // does.
    static QString normalizedKey(const QString &key);
    static QByteArray escapedKey(const QString &key);
    static QString unescapedKey(const QByteArray &key);
    static QByteArray encodedValue(const QVariant &value);
    static QVariant decodedValue(const QByteArray &raw);

private:
    struct Line
    {
        enum Kind { Other, Section, Entry };
        QByteArray lead; // what precedes the line: line ends, blank lines, comments
        QByteArray text;
        QByteArray trail; // a comment after the line's text on the same line
        Kind kind = Other;
        QString key;           // Entry: the whole key; Section: its prefix ("" or "group/")
        qsizetype equals = -1; // Entry: where '=' is in text
    };

    // The entry's index, -1 when absent.
    qsizetype find(const QString &key) const;
    // Where an entry of `key` goes when it is new.
    qsizetype insertionPoint(const QString &key, QByteArray &sectionHeader) const;

    std::vector<Line> lines;
    QByteArray tail; // after the last line
};
