// SPDX-License-Identifier: GPL-2.0-or-later
#include "MacroLibrary.h"

#include "FileReplace.h"
#include "PlainFileName.h"
#include "ProfileStore.h"
#include "SettingsList.h"

#include <QFile>
#include <QSettings>

namespace {
constexpr int kButtonCount = 16;
constexpr int kMacroKind = 4;
} // namespace

MacroLibrary::MacroLibrary(ProfileStore &profileStore, const QString &modulesRoot)
    : profiles(profileStore), root(modulesRoot)
{
}

bool MacroLibrary::isSafeName(const QString &name)
{
    return isPlainFileName(name);
}

QString MacroLibrary::macroPath(const QString &name) const
{
    return root + QStringLiteral("/macro/") + name + QStringLiteral(".bin");
}

QVariant MacroLibrary::createMacroIni(const QString &name, unsigned macroIndex)
{
    if (!isSafeName(name))
        return QVariant(false);
    QSettings s(macroPath(name), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("config"));
    s.setValue(QStringLiteral("index"), macroIndex);
    s.setValue(QStringLiteral("total"), 0);
    s.setValue(QStringLiteral("repeat"), 1);
    s.setValue(QStringLiteral("did"), -1);
    s.endGroup();
    s.sync();
    return QVariant(s.status() == QSettings::NoError);
}

QVariant MacroLibrary::saveMacroIni(const QString &name, const QStringList &macros,
                                    const QVariant &repeat)
{
    if (!isSafeName(name) || !QFile::exists(macroPath(name)))
        return QVariant(false);
    QSettings s(macroPath(name), QSettings::IniFormat);
    s.remove(QStringLiteral("macro"));
    s.setValue(QStringLiteral("config/total"), macros.size());
    s.setValue(QStringLiteral("config/repeat"), repeat);
    for (int i = 0; i < macros.size(); ++i)
        s.setValue(QStringLiteral("macro/%1").arg(i), macros[i]);
    s.sync();
    return QVariant(s.status() == QSettings::NoError);
}

QStringList MacroLibrary::loadMacroIni(const QString &name) const
{
    if (!isSafeName(name) || !QFile::exists(macroPath(name)))
        return {};
    const QSettings s(macroPath(name), QSettings::IniFormat);
    // A damaged count must not make us build an enormous list.
    constexpr int kMaxActions = 4096;
    const int total = qBound(0, s.value(QStringLiteral("config/total"), 0).toInt(), kMaxActions);
    QStringList out;
    out.reserve(total + 1);
    for (int i = 0; i < total; ++i)
        out << s.value(QStringLiteral("macro/%1").arg(i), QStringLiteral("0")).toString();
    out << s.value(QStringLiteral("config/repeat"), QStringLiteral("0")).toString();
    return out;
}

QVariant MacroLibrary::deleteMacroIni(const QString &name)
{
    if (!isSafeName(name) || !QFile::exists(macroPath(name)))
        return QVariant(false);
    return QVariant(QFile::remove(macroPath(name)));
}

QVariant MacroLibrary::modifyMacroNameUpdateProfile(const QString &oldname, const QString &newname)
{
    if (!isSafeName(oldname) || !isSafeName(newname) || !QFile::exists(macroPath(oldname)))
        return QVariant(false);
    if (!QFile::rename(macroPath(oldname), macroPath(newname)))
        return QVariant(false);

    for (int p = 0; p < ProfileStore::kScreenProfileCount; ++p) {
        QSettings *s = profiles.profile(p);
        s->beginGroup(QStringLiteral("mouseMacroKey"));
        const QStringList keys = s->childKeys();
        for (const QString &key : keys) {
            if (s->value(key, QString()).toString() == oldname)
                s->setValue(key, newname);
        }
        s->endGroup();
    }
    return QVariant(true);
}

void MacroLibrary::deleteMacroUpdateProfile(const QString &macroName)
{
    if (!isSafeName(macroName))
        return;
    for (int p = 0; p < ProfileStore::kScreenProfileCount; ++p) {
        QSettings *s = profiles.profile(p);
        for (int k = 0; k < kButtonCount; ++k) {
            const QString key = QStringLiteral("mouseKeyMatrix/%1").arg(k);
            const QVariantList code = settingsList(s->value(key));
            if (code.size() < 3 || code[0].toInt() != kMacroKind)
                continue;
            const QString slotKey = QStringLiteral("mouseMacroKey/%1").arg(code[2].toInt());
            if (s->value(slotKey, QString()).toString() != macroName)
                continue;
            const QVariant fallback = profiles.defaults()->value(key);
            if (fallback.isValid())
                s->setValue(key, fallback);
            else
                s->remove(key);
        }
    }
}

bool MacroLibrary::importMacro(const QString &macroFileName, const QString &sourceFile)
{
    if (sourceFile.isEmpty() || !isSafeName(macroFileName))
        return false;
    // An existing macro of that name is kept, as a plain copy would. Only a
    // macro file that is there afterwards counts: the screen creates an empty
    // one when the import reports false.
    if (!QFile::exists(macroPath(macroFileName)))
        fileReplace::copyOver(sourceFile, macroPath(macroFileName));
    return QFile::exists(macroPath(macroFileName));
}

bool MacroLibrary::exportMacro(const QString &macroFileName, const QString &destinationFile)
{
    if (destinationFile.isEmpty() || !isSafeName(macroFileName))
        return false;
    return fileReplace::copyOver(macroPath(macroFileName), destinationFile);
}
