// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class ProfileStore;

// One INI file per macro, "macro/" + name + ".bin", and the profile entries
// that name macros. A name is used as a file name, so names that could reach
// outside the macro folder are refused by every operation.
class MacroLibrary
{
public:
    MacroLibrary(ProfileStore &profiles, const QString &modulesRoot = QStringLiteral("./modules"));

    // Empty, ".", "..", or holding a path separator or a NUL: refused.
    static bool isSafeName(const QString &name);
    QString macroPath(const QString &name) const;

    // The most actions a macro file may hold.
    static constexpr int kMaxActions = 4096;

    QVariant createMacroIni(const QString &name, unsigned macroIndex);
    QVariant saveMacroIni(const QString &name, const QStringList &macros, const QVariant &repeat);
    // The actions, then the repeat count as the last element; empty when the
    // macro does not exist.
    QStringList loadMacroIni(const QString &name) const;

    // A macro as stored, for sending: refused (error naming the file and the
    // key) when the file cannot be read, its count or repeat is out of range,
    // or an action is missing.
    struct Stored
    {
        bool ok = false;
        QString error;
        QString file;
        QStringList actions;
        int repeat = 0;
    };
    Stored readMacro(const QString &name) const;
    QVariant deleteMacroIni(const QString &name);

    // Renames the file; only when that succeeded do the profiles' slot names
    // follow.
    QVariant modifyMacroNameUpdateProfile(const QString &oldname, const QString &newname);
    // Buttons bound to a slot that names the macro fall back to the default
    // profile's assignment.
    void deleteMacroUpdateProfile(const QString &macroName);

    // Import: copies the file in unless a macro of that name exists. True when
    // a file was given and the macro file exists afterwards.
    bool importMacro(const QString &macroFileName, const QString &sourceFile);
    // Export: a byte copy, replacing the destination atomically.
    bool exportMacro(const QString &macroFileName, const QString &destinationFile);

private:
    static QString macroFile(const QString &name);
    ProfileStore &profiles;
    QString root;
};
