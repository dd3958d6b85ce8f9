// SPDX-License-Identifier: GPL-2.0-or-later
#include "MacroLibrary.h"

#include "IniFile.h"
#include "PlainFileName.h"
#include "ProfileStore.h"
#include "SettingsList.h"
#include "StoreFile.h"

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

QString MacroLibrary::macroFile(const QString &name)
{
    return QStringLiteral("macro/") + name + QStringLiteral(".bin");
}

QString MacroLibrary::macroPath(const QString &name) const
{
    return root + QLatin1Char('/') + macroFile(name);
}

QVariant MacroLibrary::createMacroIni(const QString &name, unsigned macroIndex)
{
    if (!isSafeName(name))
        return QVariant(false);
    IniFile s(root, macroFile(name));
    s.setValue(QStringLiteral("config/index"), macroIndex);
    s.setValue(QStringLiteral("config/total"), 0);
    s.setValue(QStringLiteral("config/repeat"), 1);
    s.setValue(QStringLiteral("config/did"), -1);
    return QVariant(s.sync());
}

QVariant MacroLibrary::saveMacroIni(const QString &name, const QStringList &macros,
                                    const QVariant &repeat)
{
    if (!isSafeName(name))
        return QVariant(false);
    if (!storeFile::exists(root, macroFile(name))) {
        // Something that is not a macro file (a link, a folder) is said.
        const storeFile::Read r = storeFile::read(root, macroFile(name));
        if (!r.message.isEmpty())
            storeFile::reportFailure(r.message);
        return QVariant(false);
    }
    IniFile s(root, macroFile(name));
    s.remove(QStringLiteral("macro"));
    s.setValue(QStringLiteral("config/total"), macros.size());
    s.setValue(QStringLiteral("config/repeat"), repeat);
    for (int i = 0; i < macros.size(); ++i)
        s.setValue(QStringLiteral("macro/%1").arg(i), macros[i]);
    return QVariant(s.sync());
}

MacroLibrary::Stored MacroLibrary::readMacro(const QString &name) const
{
    Stored m;
    if (!isSafeName(name)) {
        m.error = QStringLiteral("\"%1\" cannot name a macro file").arg(name);
        return m;
    }
    const IniFile s(root, macroFile(name));
    m.file = s.filePath();
    if (!s.exists() && s.readError().isEmpty()) {
        m.error = m.file + QStringLiteral(": no such macro");
        return m;
    }
    if (!s.readError().isEmpty()) {
        m.error = s.readError();
        return m;
    }
    const auto bad = [&](const QString &key, const QVariant &v, const QString &want) {
        m.error = v.isValid() ? QStringLiteral("%1: %2 holds \"%3\", not %4")
                                    .arg(m.file, key, v.toString().left(40), want)
                              : QStringLiteral("%1: %2 is missing").arg(m.file, key);
        return m;
    };
    bool ok = false;
    const QVariant total = s.value(QStringLiteral("config/total"), 0);
    const int count = total.toString().trimmed().toInt(&ok);
    if (!ok || count < 0 || count > kMaxActions)
        return bad(QStringLiteral("config/total"), total,
                   QStringLiteral("a number from 0 to %1").arg(kMaxActions));
    const QVariant repeat = s.value(QStringLiteral("config/repeat"), 0);
    m.repeat = repeat.toString().trimmed().toInt(&ok);
    if (!ok || m.repeat < 0 || m.repeat > 0xFFFF)
        return bad(QStringLiteral("config/repeat"), repeat,
                   QStringLiteral("a number from 0 to 65535"));
    for (int i = 0; i < count; ++i) {
        const QString key = QStringLiteral("macro/%1").arg(i);
        const QVariant v = s.value(key);
        // "1,A" written by hand, unquoted, reads as a list of its two parts.
        if (v.metaType().id() == QMetaType::QStringList)
            m.actions << v.toStringList().join(QLatin1Char(','));
        else if (v.metaType().id() == QMetaType::QString)
            m.actions << v.toString();
        else
            return bad(key, v, QStringLiteral("an action (\"type,info\")"));
    }
    m.ok = true;
    return m;
}

QStringList MacroLibrary::loadMacroIni(const QString &name) const
{
    if (!isSafeName(name))
        return {};
    const IniFile s(root, macroFile(name));
    if (!s.exists())
        return {};
    // A damaged count must not make us build an enormous list.
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
    if (!isSafeName(name) || !storeFile::exists(root, macroFile(name)))
        return QVariant(false);
    DataLock lock(root);
    if (!lock.held()) {
        storeFile::reportFailure(lock.error());
        return QVariant(false);
    }
    return QVariant(bool(storeFile::remove(root, macroFile(name))));
}

QVariant MacroLibrary::modifyMacroNameUpdateProfile(const QString &oldname, const QString &newname)
{
    if (!isSafeName(oldname) || !isSafeName(newname) ||
        !storeFile::exists(root, macroFile(oldname)))
        return QVariant(false);
    {
        DataLock lock(root);
        if (!lock.held()) {
            storeFile::reportFailure(lock.error());
            return QVariant(false);
        }
        if (!storeFile::rename(root, macroFile(oldname), macroFile(newname)))
            return QVariant(false);
    }

    for (int p = 0; p < ProfileStore::kScreenProfileCount; ++p) {
        IniFile *s = profiles.profile(p);
        if (!s)
            continue;
        const QString group = QStringLiteral("mouseMacroKey/");
        for (const QString &key : s->childKeys(QStringLiteral("mouseMacroKey"))) {
            if (s->value(group + key, QString()).toString() == oldname)
                s->setValue(group + key, newname);
        }
    }
    return QVariant(true);
}

void MacroLibrary::deleteMacroUpdateProfile(const QString &macroName)
{
    if (!isSafeName(macroName))
        return;
    for (int p = 0; p < ProfileStore::kScreenProfileCount; ++p) {
        IniFile *s = profiles.profile(p);
        if (!s)
            continue;
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
    DataLock lock(root);
    if (!lock.held()) {
        storeFile::reportFailure(lock.error());
        return false;
    }
    if (!storeFile::exists(root, macroFile(macroFileName))) {
        const storeFile::Read r = storeFile::readChosen(sourceFile);
        if (!r.ok()) {
            storeFile::reportFailure(r.message);
            return false;
        }
        if (!storeFile::write(root, macroFile(macroFileName), r.content))
            return false;
    }
    return storeFile::exists(root, macroFile(macroFileName));
}

bool MacroLibrary::exportMacro(const QString &macroFileName, const QString &destinationFile)
{
    if (destinationFile.isEmpty() || !isSafeName(macroFileName))
        return false;
    const storeFile::Read r = storeFile::read(root, macroFile(macroFileName));
    if (!r.ok()) {
        storeFile::reportFailure(r.message.isEmpty()
                                     ? macroPath(macroFileName) + QStringLiteral(": no such macro")
                                     : r.message);
        return false;
    }
    return bool(storeFile::writeChosen(destinationFile, r.content));
}
