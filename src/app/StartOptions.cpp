// SPDX-License-Identifier: GPL-2.0-or-later
#include "StartOptions.h"

namespace startOptions {

namespace {

struct QtOption
{
    const char *name;
    bool takesValue;
};

// What QGuiApplication, QApplication and the X11 platform take for
// themselves (-qmljsdebugger takes its value after "=" only). Session
// managers restart the program with -session.
constexpr QtOption kQtOptions[] = {
    {"-platform", true},       {"-platformpluginpath", true},
    {"-platformtheme", true},  {"-plugin", true},
    {"-qmljsdebugger", false}, {"-qwindowgeometry", true},
    {"-qwindowicon", true},    {"-qwindowtitle", true},
    {"-session", true},        {"-style", true},
    {"-stylesheet", true},     {"-display", true},
    {"-geometry", true},       {"-name", true},
    {"-reverse", false},       {"-widgetcount", false},
    {"-nograb", false},        {"-dograb", false},
    {"-sync", false},
};

const QtOption *qtOption(const QString &name)
{
    for (const QtOption &o : kQtOptions)
        if (name == QLatin1String(o.name))
            return &o;
    return nullptr;
}

} // namespace

Options parse(const QStringList &arguments)
{
    Options options;
    bool help = false, version = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            help = true;
        } else if (arg == QLatin1String("--version")) {
            version = true;
        } else if (arg == QLatin1String("--hidden") || arg == QLatin1String("--minimized")) {
            options.hidden = true;
        } else {
            // Qt reads its options with one dash or two, the value after an
            // "=" or as the next argument.
            QString name = arg.section(QLatin1Char('='), 0, 0);
            if (name.startsWith(QLatin1String("--")))
                name.remove(0, 1);
            const QtOption *qt = arg.startsWith(QLatin1Char('-')) ? qtOption(name) : nullptr;
            if (!qt) {
                options.action = Action::Error;
                options.error = arg.startsWith(QLatin1Char('-'))
                                    ? QStringLiteral("unknown option '%1'").arg(arg)
                                    : QStringLiteral("unexpected argument '%1'").arg(arg);
                return options;
            }
            if (qt->takesValue && !arg.contains(QLatin1Char('=')) && ++i >= arguments.size()) {
                options.action = Action::Error;
                options.error = QStringLiteral("option '%1' needs a value").arg(arg);
                return options;
            }
        }
    }
    if (help)
        options.action = Action::Help;
    else if (version)
        options.action = Action::Version;
    return options;
}

QString usage()
{
    return QStringLiteral(
        "Usage: kestrel-talon [--hidden] [--help | --version]\n"
        "\n"
        "The configuration utility of the Kestrel Talon mouse. It runs in the system\n"
        "tray, finds the mouse among the HID devices and opens its window when the\n"
        "mouse answers. Only one instance runs per user; a second start shows the\n"
        "first one's window.\n"
        "\n"
        "  --hidden    Start in the tray with the window closed (as at login);\n"
        "              --minimized is the same.\n"
        "  --help      Print this text and exit.\n"
        "  --version   Print the version and exit.\n"
        "\n"
        "Qt's standard options (-platform, -display, -style ...) are taken as well.\n"
        "The command-line companion is talonctl(1).\n");
}

QString usageError(const QString &error)
{
    return QStringLiteral("kestrel-talon: %1\n"
                          "Usage: kestrel-talon [--hidden] [--help | --version]\n"
                          "Try 'kestrel-talon --help' for more information.\n")
        .arg(error);
}

} // namespace startOptions
