#include "Cli.h"

#include "Connection.h"
#include "DeviceCommands.h"
#include "ProbeCommand.h"
#include "store/ProfileStore.h"
#include "store/UserData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ctl {

namespace {

QString usage()
{
    QString text = QStringLiteral(
        "Usage: talonctl COMMAND [ARGUMENTS] [--config FILE]\n"
        "\n"
        "Drives the mouse from the command line, on the same device link and the\n"
        "same feature code as the configuration utility. Every command but probe\n"
        "first connects as the utility does: handshake, keyboard option, and on the\n"
        "560 family the on-device profiles.\n"
        "\n"
        "Commands:\n"
        "  probe\n"
        "      Read the device table, look for each configured device and run the\n"
        "      handshake; print which entry answers (family, interface paths,\n"
        "      cipher on or off).\n"
        "      Example: talonctl probe --config ./modules/setting/apConfig.bin\n");
    for (const CommandInfo &c : deviceCommands()) {
        text += QStringLiteral("  %1\n      %2\n      Example: %3\n")
                    .arg(QString::fromLatin1(c.usage), QString::fromLatin1(c.help),
                         QString::fromLatin1(c.example));
    }
    text += QStringLiteral(
        "  help\n"
        "      Print this text.\n"
        "\n"
        "Options:\n"
        "  --config FILE   Application configuration: device table, model flags,\n"
        "                  sensor (default: modules/setting/apConfig.bin beside the\n"
        "                  executable). Profiles, macros and gun entries are read\n"
        "                  from the data tree around it.\n"
        "  --profile P     Profile 1 to 10 of the data tree, or a profile file\n"
        "                  (.pf); default: the configuration's current profile.\n"
        "  --sensor S      Sensor model for dpi (default: mouse/sensorType).\n"
        "  --stages N      Enabled DPI stages (default: the profile's).\n"
        "  --type T        Colour type for colors (default: 0 on multi-colour mice,\n"
        "                  1 otherwise).\n"
        "  --slot N        Macro slot for macro, 0 to 11.\n"
        "  --language L    Key names of language L for macro (default: common/language).\n"
        "\n"
        "Values: numbers separated by commas or spaces.\n"
        "Exit status: 0 success, 1 no device answered, 2 bad arguments or\n"
        "configuration.\n");
    return text;
}

const CommandInfo *findCommand(const QString &name)
{
    for (const CommandInfo &c : deviceCommands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

bool takeInt(const QString &text, int &out)
{
    bool ok = false;
    out = text.toInt(&ok);
    return ok;
}

} // namespace

QString defaultConfigPath()
{
    // The tree the program works in: the user's copy where the program keeps
    // one (an installed or read-only tree), else the shipped one.
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString shipped = userData::shippedRoot(exeDir);
    const QString config = QStringLiteral("/modules/setting/apConfig.bin");
    const bool inPlace = !userData::installed(exeDir) &&
                         QFileInfo(shipped + QStringLiteral("/modules/setting")).isWritable();
    if (!inPlace && QFileInfo::exists(userData::userRoot() + config))
        return userData::userRoot() + config;
    return shipped + config;
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString command;
    QStringList positional;
    QString config;
    bool configGiven = false;
    Options options;

    // Options with a value: "--name value" or "--name=value".
    const QStringList valued = {"--config", "--profile", "--sensor",  "--stages",
                                "--type",   "--slot",    "--language"};
    for (int i = 0; i < arguments.size(); ++i) {
        QString a = arguments[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h") ||
            (command.isEmpty() && a == QLatin1String("help"))) {
            out << usage();
            return kOk;
        }
        const QString name = a.section(QLatin1Char('='), 0, 0);
        if (valued.contains(name)) {
            QString value;
            if (a.contains(QLatin1Char('='))) {
                value = a.section(QLatin1Char('='), 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                err << "talonctl: " << name << " needs a value\n";
                return kBadInput;
            }
            if (value.isEmpty()) {
                err << "talonctl: " << name << " needs a value\n";
                return kBadInput;
            }
            bool ok = true;
            if (name == QLatin1String("--config")) {
                config = value;
                configGiven = true;
            } else if (name == QLatin1String("--profile"))
                options.profile = value;
            else if (name == QLatin1String("--sensor"))
                options.sensor = value;
            else if (name == QLatin1String("--language"))
                options.language = value;
            else if (name == QLatin1String("--stages"))
                ok = takeInt(value, options.stages);
            else if (name == QLatin1String("--type"))
                ok = takeInt(value, options.type) && options.type >= 0 && options.type <= 255;
            else if (name == QLatin1String("--slot"))
                ok = takeInt(value, options.slot);
            if (!ok) {
                err << "talonctl: " << name << " needs a number\n";
                return kBadInput;
            }
        } else if (a.startsWith(QLatin1String("--")) ||
                   (a.startsWith(QLatin1Char('-')) && a.size() > 1 && !a.at(1).isDigit())) {
            err << "talonctl: unknown option " << a << "\n" << usage();
            return kBadInput;
        } else if (command.isEmpty()) {
            command = a;
        } else {
            positional << a;
        }
    }
    if (!configGiven)
        config = defaultConfigPath();

    if (command.isEmpty()) {
        err << "talonctl: no command given\n" << usage();
        return kBadInput;
    }
    if (command == QLatin1String("probe")) {
        if (!positional.isEmpty()) {
            err << "talonctl: unexpected argument " << positional.first() << "\n";
            return kBadInput;
        }
        return probe(config, out, err);
    }
    const CommandInfo *info = findCommand(command);
    if (!info) {
        err << "talonctl: unknown command " << command << "\n" << usage();
        return kBadInput;
    }
    if (!QFileInfo(config).isFile()) {
        err << "talonctl: configuration file not found: " << config << "\n";
        return kBadInput;
    }

    // --profile: a number picks a profile of the data tree, anything else is
    // a profile file of its own.
    int profileNumber = 0;
    QString profileFile;
    if (!options.profile.isEmpty()) {
        if (takeInt(options.profile, profileNumber)) {
            if (profileNumber < 1 || profileNumber > ProfileStore::kProfileCount) {
                err << "talonctl: --profile takes 1 to 10 or a file\n";
                return kBadInput;
            }
        } else if (QFileInfo(options.profile).isFile()) {
            profileFile = options.profile;
        } else {
            err << "talonctl: profile file not found: " << options.profile << "\n";
            return kBadInput;
        }
    }

    Connection connection(config, profileFile);
    if (profileNumber > 0)
        connection.profiles().currentProfile = profileNumber - 1;
    if (!connection.connect(out)) {
        if (!connection.accessProblem().isEmpty())
            err << "talonctl: " << connection.accessProblem() << "\n";
        return kNoDevice;
    }
    return info->run(connection, positional, options, out, err);
}

} // namespace ctl
