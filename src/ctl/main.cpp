// SPDX-License-Identifier: GPL-2.0-or-later
#include "Cli.h"
#include "device/HidAccess.h"

#include <QCoreApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("talonctl"));
    if (hidAccess::init() != 0) {
        QTextStream(stderr) << "talonctl: cannot initialise HID access\n";
        return ctl::kNoDevice;
    }
    ctl::sweepStaleScratch(QDir::tempPath());
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int status = ctl::run(arguments, out, err);
    out.flush();
    err.flush();
    hidAccess::exit();
    return status;
}
