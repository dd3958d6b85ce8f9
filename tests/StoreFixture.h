// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A private copy of the shipped modules tree in a temporary folder, so that
// store tests read and write real files without touching the source tree.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

class ModulesCopy
{
public:
    ModulesCopy()
    {
        const QDir source(QStringLiteral(TALON_SOURCE_MODULES));
        QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            const QString to = root() + QLatin1Char('/') + source.relativeFilePath(from);
            QDir().mkpath(QFileInfo(to).path());
            QFile::copy(from, to);
            QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
        }
        QDir().mkpath(root() + QStringLiteral("/macro"));
    }
    QString root() const { return dir.path() + QStringLiteral("/modules"); }
    QString path(const QString &relative) const { return root() + QLatin1Char('/') + relative; }

    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString &file, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
    }

private:
    QTemporaryDir dir;
};
