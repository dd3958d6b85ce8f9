// SPDX-License-Identifier: GPL-2.0-or-later
#include "WorkingDirectory.h"

#include "store/UserData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

namespace workingDirectory {

QString choose(const QString &executableDir, const QString &userDataDir, const QString &localeName)
{
    const QString shipped = userData::shippedRoot(executableDir);
    if (!userData::installed(executableDir) &&
        QFileInfo(shipped + QStringLiteral("/modules/setting")).isWritable()) {
        userData::prepareInPlace(shipped + QStringLiteral("/modules"), localeName);
        return shipped;
    }
    userData::prepareCopy(shipped + QStringLiteral("/modules"),
                          userDataDir + QStringLiteral("/modules"), localeName);
    return userDataDir;
}

bool enter()
{
    const QString exeDir = QFileInfo(QCoreApplication::applicationFilePath()).path();
    return QDir::setCurrent(choose(exeDir, userData::userRoot(), QLocale::system().name()));
}

const char *fontLanguage(const QString &language)
{
    // Chinese (both scripts), Japanese and Korean share characters whose
    // forms differ: fontconfig picks the forms of the language it is given.
    static const struct
    {
        const char *language;
        const char *fcLang;
    } kForms[] = {{"ChineseSimplified", "zh-cn"},
                  {"ChineseTraditional", "zh-tw"},
                  {"Japanese", "ja"},
                  {"Korean", "ko"}};
    for (const auto &f : kForms)
        if (language == QLatin1String(f.language))
            return f.fcLang;
    return nullptr;
}

void followLanguageInFonts()
{
    const QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    const char *fcLang = fontLanguage(config.value(QStringLiteral("common/language")).toString());
    if (fcLang && qEnvironmentVariableIsEmpty("FC_LANG"))
        qputenv("FC_LANG", fcLang);
}

} // namespace workingDirectory
