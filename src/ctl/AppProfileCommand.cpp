// SPDX-License-Identifier: GPL-2.0-or-later
#include "AppProfileCommand.h"

#include "Cli.h"
#include "Connection.h"
#include "store/AppProfileStore.h"

namespace ctl {

QString checkAppProfile(const QStringList &args, const Options &)
{
    const QString action = args.value(0);
    if (action == QLatin1String("list"))
        return args.size() == 1 ? QString() : QStringLiteral("app-profile list takes nothing more");
    if (action == QLatin1String("add")) {
        if (args.size() != 3)
            return QStringLiteral("app-profile add takes a class and a profile");
        bool ok = false;
        const int profile = args[2].toInt(&ok);
        if (!ok || profile < 1 || profile > AppProfileStore::kProfileCount)
            return QStringLiteral("app-profile add: the profile is 1 to 10, not \"%1\"")
                .arg(args[2]);
    } else if (action == QLatin1String("remove")) {
        if (args.size() != 2)
            return QStringLiteral("app-profile remove takes a class");
    } else {
        return action.isEmpty() ? QStringLiteral("app-profile takes list, add or remove")
                                : QStringLiteral("app-profile: unknown action \"%1\"").arg(action);
    }
    if (AppProfileStore::normalizedClass(args[1]).isEmpty())
        return QStringLiteral("app-profile: not a window class: \"%1\"").arg(args[1]);
    return QString();
}

void appProfile(Connection &c, const QStringList &args, const Options &, Plan &plan)
{
    plan.access = Access::None;
    const AppProfileStore store(c.modulesRoot());
    const QString action = args[0];
    if (action == QLatin1String("list")) {
        const AppProfileStore::Rules rules = store.rules();
        if (!store.readError().isEmpty()) {
            plan.error = store.readError();
            return;
        }
        plan.report = [rules](QTextStream &out, bool) {
            for (auto it = rules.cbegin(); it != rules.cend(); ++it)
                out << it.key() << ' ' << it.value() + 1 << '\n';
        };
        return;
    }
    // The file is small and written in one step: written here, so that a
    // refusal is told as an error before anything else happens.
    AppProfileStore writer(c.modulesRoot());
    const QString windowClass = AppProfileStore::normalizedClass(args[1]);
    const AppProfileStore::Result result = action == QLatin1String("add")
                                               ? writer.bind(windowClass, args[2].toInt() - 1)
                                               : writer.unbind(windowClass);
    switch (result) {
    case AppProfileStore::Result::Stored:
        break;
    case AppProfileStore::Result::Full:
        plan.error = QStringLiteral("%1 rules are stored already; remove one first")
                         .arg(AppProfileStore::kMaxRules);
        return;
    case AppProfileStore::Result::NotFound:
        plan.error = QStringLiteral("no rule for %1").arg(windowClass);
        return;
    case AppProfileStore::Result::TooLarge:
        plan.error = writer.error() + QStringLiteral("; remove a rule first");
        return;
    case AppProfileStore::Result::Unreadable:
        plan.error = writer.error();
        return;
    default:
        plan.error = QStringLiteral("not stored: ") + writer.error();
        plan.errorStatus = kNotStored;
        return;
    }
    const int profile = action == QLatin1String("add") ? args[2].toInt() : 0;
    plan.report = [windowClass, profile](QTextStream &out, bool) {
        if (profile > 0)
            out << windowClass << ": profile " << profile << '\n';
        else
            out << windowClass << ": no rule\n";
    };
}

} // namespace ctl
