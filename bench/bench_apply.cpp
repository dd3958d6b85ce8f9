// SPDX-License-Identifier: GPL-2.0-or-later
// Applying a whole profile as `talonctl apply` does (connect, buttons, DPI
// table, report rate, lighting) against the virtual mouse in real time,
// divided by the pauses the protocol mandates for the commands it sent.
// Run: build/bin/bench_apply MODULES_DIR
#include "SimBus.h"
#include "ctl/Cli.h"
#include "device/Pacing.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <cstdio>

namespace {

std::atomic<long> mandatedMs{0};

void sleepAndCount(int ms)
{
    mandatedMs += ms;
    QThread::msleep(static_cast<unsigned long>(ms));
}

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(f);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(f, target);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString modules =
        QFileInfo(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("modules"))
            .absoluteFilePath();
    pacing::setSleepHook(&sleepAndCount);
    sim::Bus &bus = sim::Bus::instance();
    bus.setRealTime(true);

    std::printf("| family | mandated ms | measured ms | ratio |\n|---|---:|---:|---:|\n");
    for (const char *family : {"553", "560"}) {
        QTemporaryDir dir;
        copyTree(modules, dir.path() + QStringLiteral("/modules"));
        const QString config = dir.path() + QStringLiteral("/modules/setting/apConfig.bin");
        sim::MouseConfig mouse;
        if (QByteArray(family) == "560") {
            QSettings s(config, QSettings::IniFormat);
            s.setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
            s.setValue(QStringLiteral("0/reportLength"), 64);
            mouse.family = sim::Family::F560;
            mouse.reportLength = 64;
        }
        bus.reset();
        bus.plug(mouse);
        mandatedMs = 0;

        QString text;
        QTextStream out(&text), err(&text);
        QElapsedTimer clock;
        clock.start();
        const int status =
            ctl::run({QStringLiteral("apply"), QStringLiteral("--config"), config}, out, err);
        const double elapsed = clock.nsecsElapsed() / 1e6;
        if (status != 0) {
            std::fprintf(stderr, "apply failed: %s\n", qPrintable(text));
            return 1;
        }
        std::printf("| %s | %ld | %.1f | %.4f |\n", family, mandatedMs.load(), elapsed,
                    elapsed / double(mandatedMs.load()));
    }
    return 0;
}
