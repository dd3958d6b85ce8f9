#include "AppProfileCommand.h"

#include "Cli.h"
#include "store/AppProfileStore.h"

#include <QFileInfo>

namespace ctl {

const char *const kAppProfileUsage = "app-profile list | add CLASS N | remove CLASS";
const char *const kAppProfileHelp =
    "Profiles that follow the application in front: list the rules, bind the\n"
    "      windows of class CLASS (their WM_CLASS class, any case; see xprop WM_CLASS)\n"
    "      to profile N (1 to 10), or remove the rule. Needs no mouse; a running\n"
    "      utility takes the change at once.";
const char *const kAppProfileExample = "talonctl app-profile add steam_app_730 2";

namespace {

// The data tree around .../modules/setting/apConfig.bin.
QString modulesRootOf(const QString &configPath)
{
    return QFileInfo(QFileInfo(configPath).absolutePath()).absolutePath();
}

int badUsage(QTextStream &err, const QString &why)
{
    err << "talonctl: app-profile: " << why << "\n"
        << "usage: talonctl " << kAppProfileUsage << "\n";
    return kBadInput;
}

int written(AppProfileStore::Result result, const AppProfileStore &store,
            const QString &windowClass, QTextStream &err)
{
    switch (result) {
    case AppProfileStore::Result::Stored:
        return kOk;
    case AppProfileStore::Result::BadClass:
        return badUsage(err, QStringLiteral("not a window class: \"%1\"").arg(windowClass));
    case AppProfileStore::Result::BadProfile:
        return badUsage(err, QStringLiteral("the profile is 1 to 10"));
    case AppProfileStore::Result::Full:
        err << "talonctl: app-profile: " << AppProfileStore::kMaxRules
            << " rules are stored already; remove one first\n";
        return kBadInput;
    case AppProfileStore::Result::NotFound:
        err << "talonctl: app-profile: no rule for " << windowClass << "\n";
        return kBadInput;
    case AppProfileStore::Result::WriteFailed:
        break;
    }
    err << "talonctl: app-profile: cannot write " << store.filePath() << "\n";
    return kBadInput;
}

} // namespace

int appProfile(const QString &configPath, const QStringList &arguments, QTextStream &out,
               QTextStream &err)
{
    const QString action = arguments.value(0);
    AppProfileStore store(modulesRootOf(configPath));

    if (action == QLatin1String("list")) {
        if (arguments.size() != 1)
            return badUsage(err, QStringLiteral("list takes no arguments"));
        const AppProfileStore::Rules rules = store.rules();
        for (auto it = rules.cbegin(); it != rules.cend(); ++it)
            out << it.key() << ' ' << it.value() + 1 << '\n';
        return kOk;
    }
    if (action == QLatin1String("add")) {
        if (arguments.size() != 3)
            return badUsage(err, QStringLiteral("add takes a class and a profile"));
        bool ok = false;
        const int profile = arguments[2].toInt(&ok);
        if (!ok || profile < 1 || profile > AppProfileStore::kProfileCount)
            return badUsage(err,
                            QStringLiteral("the profile is 1 to 10, not \"%1\"").arg(arguments[2]));
        return written(store.bind(arguments[1], profile - 1), store, arguments[1], err);
    }
    if (action == QLatin1String("remove")) {
        if (arguments.size() != 2)
            return badUsage(err, QStringLiteral("remove takes a class"));
        return written(store.unbind(arguments[1]), store, arguments[1], err);
    }
    return badUsage(err, action.isEmpty() ? QStringLiteral("say list, add or remove")
                                          : QStringLiteral("unknown action \"%1\"").arg(action));
}

} // namespace ctl
