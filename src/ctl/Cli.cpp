// SPDX-License-Identifier: GPL-2.0-or-later
#include "Cli.h"

#include "CommandLine.h"
#include "Connection.h"
#include "DeviceCommands.h"
#include "ProbeCommand.h"
#include "ProgramPath.h"
#include "device/DeviceTable.h"
#include "store/ProfileStore.h"
#include "store/StoreFile.h"
#include "store/UserData.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <sys/stat.h>
#include <unistd.h>

namespace ctl {

namespace {

// Which options a command's help shows: those it takes, and --config,
// --device (commands that talk to the mouse) and --help.
enum HelpBit : unsigned { kAlways = 0, kDevice = 1u << 16, kTopLevel = 1u << 17 };

struct OptionHelp
{
    unsigned bit;
    const char *name;
    const char *text;
};

const OptionHelp kOptionHelp[] = {
    {kAlways, "--config FILE",
     "Application configuration: device table, model flags, sensor (default: "
     "modules/setting/apConfig.bin of the data tree in use). Profiles, macros and gun entries "
     "are read from the data tree around it."},
    {kDevice, "--device N",
     "Use row N of the device table (as probe numbers them) instead of the first row that "
     "answers."},
    {kProfile, "--profile P",
     "Profile 1 to 10 of the data tree, or a profile file (.pf); default: the configuration's "
     "current profile."},
    {kSensor, "--sensor S", "Sensor model for dpi (default: mouse/sensorType)."},
    {kStages, "--stages N", "Enabled DPI stages, 1 to 8 (default: the profile's)."},
    {kType, "--type T", "Colour type for colors (default: 0 on multi-colour mice, 1 otherwise)."},
    {kSlot, "--slot N", "Macro slot for macro, 0 to 11."},
    {kLanguage, "--language L", "Key names of language L for macro (default: common/language)."},
    {kJson, "--json",
     "Machine-readable output: one JSON object on standard output, also when the command "
     "fails."},
    {kAlways, "--help", "This text; after a command, that command's help."},
    {kTopLevel, "--version", "Print the version."},
};

constexpr int kWidth = 80;

// The words of `text` in lines of at most kWidth columns: the first line
// starts with `lead`, the others with `indent` spaces.
QString wrapped(const QString &text, int indent, const QString &lead = QString())
{
    QString out;
    QString line = lead.isEmpty() ? QString(indent, QLatin1Char(' ')) : lead;
    bool atStart = true;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!atStart && line.size() + 1 + word.size() > kWidth) {
            out += line + QLatin1Char('\n');
            line = QString(indent, QLatin1Char(' '));
            atStart = true;
        }
        if (!atStart)
            line += QLatin1Char(' ');
        line += word;
        atStart = false;
    }
    return out + line + QLatin1Char('\n');
}

bool usesMouse(const CommandInfo &c)
{
    return QLatin1String(c.name) != QLatin1String("app-profile");
}

QString optionsText(const CommandInfo *c)
{
    QString text = QStringLiteral("Options:\n");
    for (const OptionHelp &o : kOptionHelp) {
        const bool shown = c ? (o.bit == kAlways || (o.bit == kDevice && usesMouse(*c)) ||
                                (o.bit < kDevice && (c->options & o.bit)))
                             : true;
        if (shown)
            text += wrapped(QString::fromLatin1(o.text), 18,
                            (QStringLiteral("  ") + QLatin1String(o.name)).leftJustified(17) +
                                QLatin1Char(' '));
    }
    return text;
}

const char kExitStatus[] =
    "Exit status:\n"
    "  0  success: every command reached the mouse and was taken\n"
    "  1  no configured device answered\n"
    "  2  bad arguments, or a file or stored value that cannot be used\n"
    "     (nothing was sent)\n"
    "  3  the mouse did not take a command (unplugged, no answer, a failed\n"
    "     or short report); standard error names the command\n"
    "  4  a change could not be stored (a full disk, a folder that cannot be\n"
    "     written); the files are as they were\n";

QString usage()
{
    QString text =
        QStringLiteral("Usage: talonctl COMMAND [ARGUMENTS] [OPTIONS]\n"
                       "\n"
                       "Drives the mouse from the command line, on the same device link and the\n"
                       "same feature code as the configuration utility. Every command that talks\n"
                       "to the mouse first connects as the utility does: handshake, keyboard\n"
                       "option (not for commands that only read), and on the 560 family the\n"
                       "on-device profiles. Every value is checked before anything is sent.\n"
                       "\n"
                       "Commands:\n");
    for (const CommandInfo &c : deviceCommands()) {
        text += wrapped(QString::fromLatin1(c.usage), 6, QStringLiteral("  "));
        text += wrapped(QString::fromLatin1(c.help), 6);
        text += wrapped(QStringLiteral("Example: ") + QLatin1String(c.example), 6);
    }
    text += QStringLiteral("  help [COMMAND]\n      Print this text, or a command's help.\n\n");
    text += optionsText(nullptr) + QLatin1Char('\n') + QLatin1String(kExitStatus) +
            QStringLiteral("\nValues: numbers separated by commas or spaces.\n");
    return text;
}

QString commandHelp(const CommandInfo &c)
{
    return wrapped(QString::fromLatin1(c.usage), 6, QStringLiteral("Usage: talonctl ")) +
           QLatin1Char('\n') + wrapped(QString::fromLatin1(c.help), 0) + QLatin1Char('\n') +
           wrapped(QStringLiteral("Example: ") + QLatin1String(c.example), 0) + QLatin1Char('\n') +
           optionsText(&c) + QLatin1Char('\n') + QLatin1String(kExitStatus);
}

bool takeInt(const QString &text, int &out)
{
    bool ok = false;
    out = text.toInt(&ok);
    return ok;
}

// One line, with where to read more.
int usageError(QTextStream &err, const QString &command, const QString &what)
{
    err << "talonctl: " << what << " (see talonctl " << (command.isEmpty() ? "" : command + " ")
        << "--help)\n";
    return kBadInput;
}

int refused(QTextStream &err, const QString &command, const Hid_Thread &link)
{
    err << "talonctl: " << command << ": the mouse did not take "
        << link.exchangeRecord().firstFailure << "\n";
    return kRefused;
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

int sweepStaleScratch(const QString &tempDir)
{
    static const QRegularExpression name(QStringLiteral("^talonctl-[A-Za-z0-9]{6}$"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-10 * 60);
    int removed = 0;
    for (const QFileInfo &f : QDir(tempDir).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot |
                                                          QDir::Hidden | QDir::NoSymLinks)) {
        if (!name.match(f.fileName()).hasMatch() || f.ownerId() != geteuid() ||
            f.lastModified() > before)
            continue;
        if (QDir(f.filePath()).removeRecursively())
            ++removed;
    }
    return removed;
}

namespace {
int runCommand(const QStringList &arguments, QTextStream &out, QTextStream &err,
               const std::function<void(const Hid_Thread &)> &atEnd);
} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err,
        const std::function<void(const Hid_Thread &)> &atEnd)
{
    if (!arguments.contains(QLatin1String("--json")))
        return runCommand(arguments, out, err, atEnd);
    // A failure is a JSON object too, so that a script reads one thing.
    QString printed, errors;
    int status = kOk;
    {
        QTextStream o(&printed), e(&errors);
        status = runCommand(arguments, o, e, atEnd);
    }
    out << printed;
    err << errors;
    if (status != kOk && printed.trimmed().isEmpty()) {
        QStringList lines;
        for (const QString &line : errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            lines << (line.startsWith(QLatin1String("talonctl: ")) ? line.mid(10) : line);
        out << QJsonDocument(QJsonObject{{QStringLiteral("error"), lines.join(QLatin1Char('\n'))},
                                         {QStringLiteral("status"), status}})
                   .toJson(QJsonDocument::Indented);
    }
    return status;
}

namespace {
int runCommand(const QStringList &arguments, QTextStream &out, QTextStream &err,
               const std::function<void(const Hid_Thread &)> &atEnd)
{
    const Parsed parsed = parseCommandLine(arguments);
    const Invocation &inv = parsed.invocation;
    if (!parsed.error.isEmpty())
        return usageError(err, findCommand(inv.command) ? inv.command : QString(), parsed.error);
    if (inv.kind == Invocation::Kind::Version) {
        out << "talonctl " << TALON_VERSION << "\n";
        return kOk;
    }
    if (inv.kind == Invocation::Kind::Help) {
        const CommandInfo *info = findCommand(inv.command);
        out << (info ? commandHelp(*info) : usage());
        return kOk;
    }

    const QString config = inv.config.isEmpty() ? defaultConfigPath() : inv.config;
    if (!QFileInfo(config).isFile()) {
        err << "talonctl: configuration file not found: " << config << "\n";
        return kBadInput;
    }
    const Options &options = inv.options;
    if (options.device >= 0) {
        const int rows = int(deviceTable::read(config).size());
        if (options.device >= rows) {
            err << "talonctl: --device " << options.device << ": " << config << " has " << rows
                << " device rows\n";
            return kBadInput;
        }
    }
    const CommandInfo *info = findCommand(inv.command);
    if (!info->prepare)
        return probe(config, options.device, options.json, out, err);

    // --profile: a number picks a profile of the data tree, anything else is
    // a profile file of its own.
    int profileNumber = 0;
    QString profileFile;
    if (!options.profile.isEmpty()) {
        if (takeInt(options.profile, profileNumber)) {
            if (profileNumber < 1 || profileNumber > ProfileStore::kProfileCount)
                return usageError(err, inv.command,
                                  QStringLiteral("--profile takes 1 to 10 or a file"));
        } else {
            // Read once here, so that a folder, a device or a FIFO is named
            // for what it is (and never read).
            const storeFile::Read r = storeFile::readChosen(options.profile);
            if (r.result == storeFile::ReadResult::Missing) {
                err << "talonctl: profile file not found: " << options.profile << "\n";
                return kBadInput;
            }
            if (!r.ok()) {
                err << "talonctl: --profile " << r.message << "\n";
                return kBadInput;
            }
            profileFile = options.profile;
        }
    }

    int viaProgram = kOk;
    if (programPath::run(inv.command, inv.arguments, options, inv.config.isEmpty(), out, err,
                         &viaProgram))
        return viaProgram;

    Connection connection(config, profileFile);
    // What a write killed half-way left in the data tree.
    storeFile::sweepTemporaries(connection.modulesRoot());
    struct AtEnd
    {
        const std::function<void(const Hid_Thread &)> &call;
        const Hid_Thread &link;
        ~AtEnd()
        {
            if (call)
                call(link);
        }
    } atEndOfCommand{atEnd, connection.link()};
    if (profileNumber > 0)
        connection.useProfile(profileNumber - 1);
    Plan plan;
    info->prepare(connection, inv.arguments, options, plan);
    if (!plan.error.isEmpty()) {
        err << "talonctl: " << inv.command << ": " << plan.error << "\n";
        return plan.errorStatus;
    }

    if (plan.access != Access::None) {
        connection.selectRow(options.device);
        connection.setReadOnly(plan.access == Access::Reads);
        if (!connection.connect(err)) {
            if (!connection.accessProblem().isEmpty())
                err << "talonctl: " << connection.accessProblem() << "\n";
            return kNoDevice;
        }
        if (connection.link().exchangeRecord().failures > 0)
            return refused(err, inv.command, connection.link());
    }
    for (const auto &step : plan.steps) {
        step();
        if (connection.link().exchangeRecord().failures > 0)
            return refused(err, inv.command, connection.link());
    }
    if (plan.report)
        plan.report(out, options.json);
    return kOk;
}
} // namespace

} // namespace ctl
