#include "Cli.h"

#include "ProbeCommand.h"

#include <QCoreApplication>
#include <QDir>

namespace ctl {

namespace {

const char kUsage[] =
    "Usage: talonctl COMMAND [--config FILE]\n"
    "\n"
    "Drives the mouse from the command line, on the same device link as the\n"
    "configuration utility.\n"
    "\n"
    "Commands:\n"
    "  probe     Read the device table, look for each configured device and run\n"
    "            the handshake; print which entry answers (family, interface\n"
    "            paths, cipher on or off).\n"
    "            Example: talonctl probe --config ./modules/setting/apConfig.bin\n"
    "  help      Print this text.\n"
    "\n"
    "Options:\n"
    "  --config FILE  Application configuration with the device table and the\n"
    "                 model flags (default: modules/setting/apConfig.bin beside\n"
    "                 the executable).\n"
    "\n"
    "Exit status: 0 success, 1 no device answered, 2 bad arguments or\n"
    "configuration.\n";

} // namespace

QString defaultConfigPath()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("modules/setting/apConfig.bin"));
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString command;
    QString config;
    bool configGiven = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h") ||
            a == QLatin1String("help")) {
            out << kUsage;
            return kOk;
        }
        if (a == QLatin1String("--config")) {
            if (i + 1 >= arguments.size()) {
                err << "talonctl: --config needs a file name\n";
                return kBadInput;
            }
            config = arguments[++i];
            configGiven = true;
        } else if (a.startsWith(QLatin1String("--config="))) {
            config = a.mid(9);
            configGiven = true;
        } else if (a.startsWith(QLatin1Char('-'))) {
            err << "talonctl: unknown option " << a << "\n" << kUsage;
            return kBadInput;
        } else if (command.isEmpty()) {
            command = a;
        } else {
            err << "talonctl: unexpected argument " << a << "\n";
            return kBadInput;
        }
    }
    if (configGiven && config.isEmpty()) {
        err << "talonctl: --config needs a file name\n";
        return kBadInput;
    }
    if (!configGiven)
        config = defaultConfigPath();

    if (command == QLatin1String("probe"))
        return probe(config, out, err);
    if (command.isEmpty())
        err << "talonctl: no command given\n" << kUsage;
    else
        err << "talonctl: unknown command " << command << "\n" << kUsage;
    return kBadInput;
}

} // namespace ctl
