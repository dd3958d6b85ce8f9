// SPDX-License-Identifier: GPL-2.0-or-later
#include "AppConfigStore.h"

#include "StoreFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The configuration's path below the data tree, or a file of its own.
std::unique_ptr<IniFile> openConfig(const QString &root, const QString &file)
{
    const QString relative = QDir(QFileInfo(root).absoluteFilePath())
                                 .relativeFilePath(QFileInfo(file).absoluteFilePath());
    if (relative.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(relative))
        return std::make_unique<IniFile>(QFileInfo(file).absolutePath(),
                                         QFileInfo(file).fileName());
    return std::make_unique<IniFile>(root, relative);
}

} // namespace

AppConfigStore::AppConfigStore(const QString &modulesRoot)
    : AppConfigStore(modulesRoot, modulesRoot + QStringLiteral("/setting/apConfig.bin"))
{
}

AppConfigStore::AppConfigStore(const QString &modulesRoot, const QString &configFile)
    : root(modulesRoot), file(configFile), config(openConfig(modulesRoot, configFile))
{
    config->writeBehind();
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
    const storeFile::Read factory = storeFile::read(root, QStringLiteral("setting/apConfigD.bin"));
    if (!factory.ok()) {
        storeFile::reportFailure(factory.message.isEmpty()
                                     ? factoryFilePath() + QStringLiteral(": missing")
                                     : factory.message);
        return false;
    }
    return config->replace(factory.content);
}
