// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

// The application configuration "setting/apConfig.bin" and its factory copy
// "setting/apConfigD.bin": device table, window title, language, model flags.
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

    // Puts the factory copy in place of the live file. Pending changes of the
    // old settings object are flushed first so that they cannot land in the
    // fresh copy. When the factory copy cannot be read the live file stays as
    // it is and the result is false.
    bool resetApconfig();

    QSettings &settings() { return *config; }

private:
    QString root;
    QString file;
    std::unique_ptr<QSettings> config;
};
