// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What every fuzz target shares: a Qt core application, protocol pauses that
// cost nothing, and files written under fresh names (the settings class
// caches a file by name, size and time; a fresh name is always read anew).
#include "device/Pacing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace fuzz {

inline void noPause(int) {}

inline void start()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    pacing::setSleepHook(&noPause);
    qSetMessagePattern(QStringLiteral("%{if-critical}%{message}%{endif}"));
}

inline QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// A fresh folder per input; the previous input's folder is removed.
inline QString freshFolder()
{
    static unsigned n = 0;
    QDir(scratch().filePath(QString::number(n))).removeRecursively();
    const QString path = scratch().filePath(QString::number(++n));
    QDir().mkpath(path);
    return path;
}

inline void write(const QString &file, const std::uint8_t *data, std::size_t size)
{
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
}

// Shipped files the readers need beside the one under test.
inline void copyShipped(const QString &relative, const QString &root)
{
    const QString to = root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(to).path());
    QFile::copy(QStringLiteral(TALON_SOURCE_MODULES "/") + relative, to);
}

} // namespace fuzz
