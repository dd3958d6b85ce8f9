// SPDX-License-Identifier: GPL-2.0-or-later
#include "AppConfigStore.h"

#include "FileReplace.h"

AppConfigStore::AppConfigStore(const QString &modulesRoot)
    : AppConfigStore(modulesRoot, modulesRoot + QStringLiteral("/setting/apConfig.bin"))
{
}

AppConfigStore::AppConfigStore(const QString &modulesRoot, const QString &configFile)
    : root(modulesRoot), file(configFile),
      config(std::make_unique<QSettings>(file, QSettings::IniFormat))
{
}

QString AppConfigStore::filePath() const
{
    return file;
}

QString AppConfigStore::factoryFilePath() const
{
    return root + QStringLiteral("/setting/apConfigD.bin");
}

QVariant AppConfigStore::getGlobalData(const QString &key) const
{
    return config->value(key);
}

void AppConfigStore::setGlobalData(const QString &key, const QVariant &value)
{
    config->setValue(key, value);
}

bool AppConfigStore::resetApconfig()
{
    config->sync();
    const bool replaced = fileReplace::copyOver(factoryFilePath(), filePath());
    config = std::make_unique<QSettings>(filePath(), QSettings::IniFormat);
    return replaced;
}
