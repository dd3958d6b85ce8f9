// SPDX-License-Identifier: GPL-2.0-or-later
#include "CommandLine.h"

#include "DeviceCommands.h"

namespace ctl {

namespace {

struct ValuedOption
{
    const char *name;
    unsigned bit;
};
constexpr ValuedOption kValued[] = {
    {"--config", 0},   {"--profile", kProfile}, {"--sensor", kSensor},     {"--stages", kStages},
    {"--type", kType}, {"--slot", kSlot},       {"--language", kLanguage}, {"--device", 0},
};

bool takeInt(const QString &text, int &out)
{
    bool ok = false;
    out = text.toInt(&ok);
    return ok;
}

QString setOption(Invocation &inv, const QString &name, const QString &value)
{
    Options &o = inv.options;
    bool ok = true;
    if (name == QLatin1String("--config"))
        inv.config = value;
    else if (name == QLatin1String("--profile"))
        o.profile = value;
    else if (name == QLatin1String("--sensor"))
        o.sensor = value;
    else if (name == QLatin1String("--language"))
        o.language = value;
    else if (name == QLatin1String("--stages"))
        ok = takeInt(value, o.stages);
    else if (name == QLatin1String("--type"))
        ok = takeInt(value, o.type) && o.type >= 0 && o.type <= 255;
    else if (name == QLatin1String("--slot"))
        ok = takeInt(value, o.slot);
    else if (name == QLatin1String("--device"))
        ok = takeInt(value, o.device) && o.device >= 0;
    if (!ok)
        return name + QStringLiteral(" needs a number");
    return QString();
}

} // namespace

namespace {
// What the user typed goes into one-line messages: control characters are
// shown as '?'.
QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char('?');
    return text;
}
Parsed parse(const QStringList &arguments);
} // namespace

Parsed parseCommandLine(const QStringList &arguments)
{
    Parsed p = parse(arguments);
    p.error = oneLine(p.error);
    return p;
}

namespace {
Parsed parse(const QStringList &arguments)
{
    Parsed p;
    Invocation &inv = p.invocation;
    bool help = false, version = false;

    for (int i = 0; i < arguments.size(); ++i) {
        const QString a = arguments[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            help = true;
            continue;
        }
        if (a == QLatin1String("--version")) {
            version = true;
            continue;
        }
        if (a == QLatin1String("--json")) {
            inv.options.json = true;
            inv.given |= kJson;
            continue;
        }
        const QString name = a.section(QLatin1Char('='), 0, 0);
        const ValuedOption *valued = nullptr;
        for (const ValuedOption &v : kValued)
            if (name == QLatin1String(v.name))
                valued = &v;
        if (valued) {
            QString value;
            if (a.contains(QLatin1Char('=')))
                value = a.section(QLatin1Char('='), 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            if (value.isEmpty()) {
                p.error = name + QStringLiteral(" needs a value");
                return p;
            }
            p.error = setOption(inv, name, value);
            if (!p.error.isEmpty())
                return p;
            inv.given |= valued->bit;
        } else if (a.startsWith(QLatin1String("--")) ||
                   (a.startsWith(QLatin1Char('-')) && a.size() > 1 && !a.at(1).isDigit())) {
            p.error = QStringLiteral("unknown option ") + a;
            return p;
        } else if (inv.command.isEmpty()) {
            inv.command = a;
        } else {
            inv.arguments << a;
        }
    }

    // "help COMMAND" asks as "COMMAND --help" does.
    if (inv.command == QLatin1String("help")) {
        help = true;
        inv.command = inv.arguments.value(0);
        inv.arguments = inv.arguments.mid(1);
    }
    if (version && !help) {
        inv.kind = Invocation::Kind::Version;
        return p;
    }
    const CommandInfo *info = inv.command.isEmpty() ? nullptr : findCommand(inv.command);
    if (!inv.command.isEmpty() && !info) {
        p.error = QStringLiteral("unknown command ") + inv.command;
        return p;
    }
    if (help) {
        inv.kind = Invocation::Kind::Help;
        return p;
    }
    if (!info) {
        p.error = QStringLiteral("no command given");
        return p;
    }

    const unsigned refused = inv.given & ~info->options;
    for (const auto &[bit, name] :
         {std::pair{kProfile, "--profile"}, std::pair{kSensor, "--sensor"},
          std::pair{kStages, "--stages"}, std::pair{kType, "--type"}, std::pair{kSlot, "--slot"},
          std::pair{kLanguage, "--language"}, std::pair{kJson, "--json"}}) {
        if (refused & bit) {
            p.error = QStringLiteral("%1 takes no %2").arg(inv.command, QLatin1String(name));
            return p;
        }
    }
    p.error = info->check(inv.arguments, inv.options);
    return p;
}
} // namespace

} // namespace ctl
