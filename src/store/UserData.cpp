// SPDX-License-Identifier: GPL-2.0-or-later
#include "UserData.h"

#include "IniFile.h"
#include "StoreFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#ifndef TALON_DATA_FROM_BIN
#define TALON_DATA_FROM_BIN "../share/kestrel-talon"
#endif

namespace userData {

namespace {

const char kShippedStamp[] = "VERSION";
const char kTreeStamp[] = ".stamp";
const char kConfig[] = "setting/apConfig.bin";

QString readStamp(const QString &file)
{
    const storeFile::Read r = storeFile::readChosen(file, 4096);
    return r.ok() ? QString::fromUtf8(r.content).trimmed() : QString();
}

// Written last, once the tree is whole: a tree without it is completed on
// the next start.
bool writeStamp(const QString &modules, const QString &stamp)
{
    return bool(storeFile::write(modules, QLatin1String(kTreeStamp), stamp.toUtf8() + '\n'));
}

void makeOwnersOnly(const QString &file)
{
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                    QFile::WriteUser);
}

// Files of the shipped tree below `sub` (a folder or one file), relative to
// the tree; its stamp is the tree's, not a file to copy.
QStringList shippedFiles(const QString &from, const QString &sub)
{
    const QString source = sub.isEmpty() ? from : from + QLatin1Char('/') + sub;
    QStringList files;
    if (QFileInfo(source).isFile()) {
        files << sub;
        return files;
    }
    QDirIterator it(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(from).relativeFilePath(it.next());
        if (relative != QLatin1String(kShippedStamp) && relative != QLatin1String(".lock") &&
            relative != QLatin1String(kTreeStamp))
            files << relative;
    }
    return files;
}

enum class Copy { Missing, Replace };

// Copies the shipped files below `sub` into `to`: those missing there (or
// empty, which a full disk leaves), or every one when asked to replace. True
// when every copy was made whole.
bool copyFiles(const QString &from, const QString &to, const QString &sub, Copy mode)
{
    bool whole = true;
    for (const QString &relative : shippedFiles(from, sub)) {
        const QFileInfo target(to + QLatin1Char('/') + relative);
        if (mode == Copy::Missing && target.exists() && target.size() > 0)
            continue;
        const storeFile::Read r = storeFile::readChosen(from + QLatin1Char('/') + relative);
        if (!r.ok()) {
            whole = false;
            continue;
        }
        if (mode == Copy::Missing && target.exists() && r.content.isEmpty())
            continue;
        if (storeFile::write(to, relative, r.content))
            makeOwnersOnly(target.filePath());
        else
            whole = false;
    }
    return whole;
}

// Every shipped file is there and, where the shipped one holds something,
// not empty.
bool isWhole(const QString &from, const QString &to)
{
    for (const QString &relative : shippedFiles(from, QString())) {
        const QFileInfo target(to + QLatin1Char('/') + relative);
        if (!target.exists() ||
            (target.size() == 0 && QFileInfo(from + QLatin1Char('/') + relative).size() > 0))
            return false;
    }
    return true;
}

bool isTableGroup(const QString &group)
{
    bool number = false;
    group.toInt(&number);
    return number;
}

// The shipped device table replaces the user's; every other key the user
// has stays, and keys new in the shipped file are added.
bool mergeConfiguration(const QString &shippedModules, const QString &userModules)
{
    const storeFile::Read r =
        storeFile::readChosen(shippedModules + QLatin1Char('/') + QLatin1String(kConfig));
    if (!r.ok())
        return false;
    const IniText shipped(r.content);
    IniFile user(userModules, QLatin1String(kConfig));
    for (const QString &group : user.childGroups())
        if (isTableGroup(group))
            user.remove(group);
    for (const QString &key : shipped.allKeys()) {
        const QString group = key.section(QLatin1Char('/'), 0, 0);
        if (isTableGroup(group) || key == QLatin1String("common/deviceCount") ||
            !user.contains(key))
            user.setValue(key, shipped.value(key));
    }
    return user.sync();
}

// The language follows the locale unless the configuration names one of its
// own (one that differs from the factory copy's: the owner's choice).
void chooseLanguage(IniText &config, const IniText &factory, const QString &localeName,
                    const QString &i18nDir)
{
    const QString key = QStringLiteral("common/language");
    if (config.value(key) == factory.value(key))
        config.setValue(key, languageForLocale(localeName, i18nDir));
}

IniText readText(const QString &file)
{
    const storeFile::Read r = storeFile::readChosen(file);
    return IniText(r.ok() ? r.content : QByteArray());
}

// The user's configuration, written once and whole with its language, so
// that a configuration that is there has its language chosen.
bool seedConfiguration(const QString &shippedModules, const QString &userModules,
                       const QString &localeName)
{
    const storeFile::Read r =
        storeFile::readChosen(shippedModules + QLatin1Char('/') + QLatin1String(kConfig));
    if (!r.ok())
        return false;
    IniText config(r.content);
    chooseLanguage(config, readText(shippedModules + QStringLiteral("/setting/apConfigD.bin")),
                   localeName, shippedModules + QStringLiteral("/i18n"));
    const QString target = userModules + QLatin1Char('/') + QLatin1String(kConfig);
    if (!storeFile::write(userModules, QLatin1String(kConfig), config.content()))
        return false;
    makeOwnersOnly(target);
    return true;
}

} // namespace

QString shippedRoot(const QString &exeDir)
{
    if (QFileInfo(exeDir + QStringLiteral("/modules")).isDir())
        return exeDir;
    const QString installedRoot =
        QDir::cleanPath(exeDir + QLatin1Char('/') + QLatin1String(TALON_DATA_FROM_BIN));
    if (QFileInfo(installedRoot + QStringLiteral("/modules")).isDir())
        return installedRoot;
    return exeDir;
}

bool installed(const QString &exeDir)
{
    return shippedRoot(exeDir) != exeDir;
}

QString userRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kestrel-talon");
}

QString languageForLocale(const QString &localeName, const QString &i18nDir)
{
    // One file per language, whatever the country: Portuguese speakers in
    // Portugal read the Brazilian texts rather than English ones.
    static const struct
    {
        QLocale::Language language;
        const char *file;
    } kFiles[] = {{QLocale::German, "German"},   {QLocale::French, "French"},
                  {QLocale::Spanish, "Spanish"}, {QLocale::Portuguese, "PortugueseBrazil"},
                  {QLocale::Italian, "Italian"}, {QLocale::Polish, "Polish"},
                  {QLocale::Russian, "Russian"}, {QLocale::Ukrainian, "Ukrainian"},
                  {QLocale::Turkish, "Turkish"}, {QLocale::Japanese, "Japanese"},
                  {QLocale::Korean, "Korean"}};
    const QLocale locale(localeName);
    QString language = QStringLiteral("English");
    // Chinese goes by its script, not the country: zh_TW, zh_HK and zh_MO
    // default to the traditional one, zh_CN and zh_SG to the simplified.
    if (locale.language() == QLocale::Chinese &&
        locale.script() == QLocale::SimplifiedChineseScript)
        language = QStringLiteral("ChineseSimplified");
    if (locale.language() == QLocale::Chinese &&
        locale.script() == QLocale::TraditionalChineseScript)
        language = QStringLiteral("ChineseTraditional");
    for (const auto &entry : kFiles)
        if (locale.language() == entry.language)
            language = QLatin1String(entry.file);
    if (!QFile::exists(i18nDir + QLatin1Char('/') + language + QStringLiteral(".ini")))
        language = QStringLiteral("English");
    return language;
}

Outcome prepareCopy(const QString &shippedModules, const QString &userModules,
                    const QString &localeName)
{
    const QString stamp = readStamp(shippedModules + QLatin1Char('/') + kShippedStamp);
    DataLock lock(userModules);
    storeFile::sweepTemporaries(userModules);
    const QString userStamp = readStamp(userModules + QLatin1Char('/') + kTreeStamp);
    const bool firstStart = QFileInfo(userModules + QLatin1Char('/') + kConfig).size() == 0;
    // Without a stamp a copy is one a full disk (or an older version) left:
    // it is completed.
    if (!firstStart && userStamp == stamp && isWhole(shippedModules, userModules))
        return Outcome::Current;

    bool whole = true;
    if (firstStart) {
        whole = seedConfiguration(shippedModules, userModules, localeName);
        QDir().mkpath(userModules + QStringLiteral("/macro"));
    }
    // What the program only reads: replaced when the shipped tree is new.
    // What the user makes: kept, and what is missing (a new language, a new
    // picture, a file lost to a full disk) added.
    if (userStamp != stamp)
        for (const char *sub : {"i18n", "img", "setting/apConfigD.bin", "setting/pD.bin"})
            whole =
                copyFiles(shippedModules, userModules, QLatin1String(sub), Copy::Replace) && whole;
    whole = copyFiles(shippedModules, userModules, QString(), Copy::Missing) && whole;
    if (userStamp != stamp && !firstStart)
        whole = mergeConfiguration(shippedModules, userModules) && whole;
    if (whole)
        writeStamp(userModules, stamp);
    return firstStart ? Outcome::Seeded : Outcome::Refreshed;
}

void prepareInPlace(const QString &modules, const QString &localeName)
{
    storeFile::sweepTemporaries(modules);
    if (QFile::exists(modules + QLatin1Char('/') + kTreeStamp))
        return;
    IniFile config(modules, QLatin1String(kConfig));
    IniText text(storeFile::read(modules, QLatin1String(kConfig)).content);
    const QVariant before = text.value(QStringLiteral("common/language"));
    chooseLanguage(text, readText(modules + QStringLiteral("/setting/apConfigD.bin")), localeName,
                   modules + QStringLiteral("/i18n"));
    const QVariant after = text.value(QStringLiteral("common/language"));
    if (after != before)
        config.setValue(QStringLiteral("common/language"), after);
    if (config.sync())
        writeStamp(modules, readStamp(modules + QLatin1Char('/') + kShippedStamp));
}

} // namespace userData
