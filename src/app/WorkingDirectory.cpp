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

void followLanguageInFonts()
{
    const QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    // Without a Chinese locale fontconfig would pick the Japanese forms of
    // the shared characters.
    if (config.value(QStringLiteral("common/language")).toString() ==
            QLatin1String("ChineseSimplified") &&
        qEnvironmentVariableIsEmpty("FC_LANG"))
        qputenv("FC_LANG", "zh-cn");
}

} // namespace workingDirectory
