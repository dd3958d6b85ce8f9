#include "Cli.h"

#include <QCoreApplication>
#include <hidapi/hidapi.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("talonctl"));
    if (hid_init() != 0) {
        QTextStream(stderr) << "talonctl: cannot initialise HID access\n";
        return ctl::kNoDevice;
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int status = ctl::run(arguments, out, err);
    out.flush();
    err.flush();
    hid_exit();
    return status;
}
