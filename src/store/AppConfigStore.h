// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "IniFile.h"

#include <QString>
#include <QVariant>
#include <memory>

// The application configuration "setting/apConfig.bin" and its factory copy
// "setting/apConfigD.bin": device table, window title, language, model flags.
// Changes are written at the next turn of the event loop (or by sync()).
class AppConfigStore
{
public:
    explicit AppConfigStore(const QString &modulesRoot = QStringLiteral("./modules"));
    // A configuration file of another name (talonctl's --config) in the tree.
    AppConfigStore(const QString &modulesRoot, const QString &file);

    QString filePath() const;
    QString factoryFilePath() const;

    // Absent key: an invalid variant.
    QVariant getGlobalData(const QString &key) const;
    void setGlobalData(const QString &key, const QVariant &value);
    bool sync() { return config->sync(); }

    // Puts the factory copy in place of the live file. Pending changes are
    // written first so that they cannot land in the fresh copy. When the
    // factory copy cannot be read or the live file cannot be written, the
    // live file stays as it is and the result is false.
    bool resetApconfig();

    IniFile &settings() { return *config; }

private:
    QString root;
    QString file;
    std::unique_ptr<IniFile> config;
};
