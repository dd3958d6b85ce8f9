// SPDX-License-Identifier: GPL-2.0-or-later
#include "UserData.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

#ifndef TALON_DATA_FROM_BIN
#define TALON_DATA_FROM_BIN "../share/kestrel-talon"
#endif

namespace userData {

namespace {

const char kShippedStamp[] = "/VERSION";
const char kTreeStamp[] = "/.stamp";
const char kConfig[] = "/setting/apConfig.bin";

QString readStamp(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

void writeStamp(const QString &modules, const QString &stamp)
{
    QFile f(modules + QLatin1String(kTreeStamp));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(stamp.toUtf8() + '\n');
}

void makeOwnersOnly(const QString &file)
{
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                    QFile::WriteUser);
}

// Copies the files of `from` (relative path `sub`) into `to`; existing ones
// are replaced only when asked.
void copyFiles(const QString &from, const QString &to, const QString &sub, bool replace)
{
    const QString source = from + QLatin1Char('/') + sub;
    if (!QFileInfo(source).exists())
        return;
    QDirIterator it(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList files;
    if (QFileInfo(source).isFile())
        files << source;
    while (it.hasNext())
        files << it.next();
    for (const QString &file : files) {
        const QString relative = QDir(from).relativeFilePath(file);
        if (relative == QLatin1String(kShippedStamp).mid(1))
            continue;
        const QString target = to + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(target).path());
        if (QFile::exists(target)) {
            if (!replace)
                continue;
            QFile::remove(target);
        }
        if (QFile::copy(file, target))
            makeOwnersOnly(target);
    }
}

bool isTableGroup(const QString &group)
{
    bool number = false;
    group.toInt(&number);
    return number;
}

// The shipped device table replaces the user's; every other key the user
// has stays, and keys new in the shipped file are added.
void mergeConfiguration(const QString &shippedFile, const QString &userFile)
{
    const QSettings shipped(shippedFile, QSettings::IniFormat);
    QSettings user(userFile, QSettings::IniFormat);
    for (const QString &group : user.childGroups())
        if (isTableGroup(group))
            user.remove(group);
    for (const QString &key : shipped.allKeys()) {
        const QString group = key.section(QLatin1Char('/'), 0, 0);
        if (isTableGroup(group) || key == QLatin1String("common/deviceCount") ||
            !user.contains(key))
            user.setValue(key, shipped.value(key));
    }
    user.sync();
}

void chooseLanguage(const QString &modules, const QString &localeName)
{
    // A language set on purpose before the first start (one that differs from
    // the factory copy's) is the owner's choice and stays.
    const QString key = QStringLiteral("common/language");
    const QSettings factory(modules + QStringLiteral("/setting/apConfigD.bin"),
                            QSettings::IniFormat);
    QSettings config(modules + QLatin1String(kConfig), QSettings::IniFormat);
    if (config.value(key) != factory.value(key))
        return;
    config.setValue(key, languageForLocale(localeName, modules + QStringLiteral("/i18n")));
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
    const QString stamp = readStamp(shippedModules + QLatin1String(kShippedStamp));
    if (!QFile::exists(userModules + QLatin1String(kConfig))) {
        copyFiles(shippedModules, userModules, QString(), false);
        QDir().mkpath(userModules + QStringLiteral("/macro"));
        chooseLanguage(userModules, localeName);
        writeStamp(userModules, stamp);
        return Outcome::Seeded;
    }
    if (readStamp(userModules + QLatin1String(kTreeStamp)) == stamp)
        return Outcome::Current;
    // What the program only reads: replaced. What the user makes: kept, and
    // new shipped files (a new language, a new picture) added.
    for (const char *sub : {"i18n", "img", "setting/apConfigD.bin", "setting/pD.bin"})
        copyFiles(shippedModules, userModules, QLatin1String(sub), true);
    copyFiles(shippedModules, userModules, QString(), false);
    mergeConfiguration(shippedModules + QLatin1String(kConfig),
                       userModules + QLatin1String(kConfig));
    writeStamp(userModules, stamp);
    return Outcome::Refreshed;
}

void prepareInPlace(const QString &modules, const QString &localeName)
{
    if (QFile::exists(modules + QLatin1String(kTreeStamp)))
        return;
    chooseLanguage(modules, localeName);
    writeStamp(modules, readStamp(modules + QLatin1String(kShippedStamp)));
}

} // namespace userData
