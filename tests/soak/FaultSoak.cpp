// SPDX-License-Identifier: GPL-2.0-or-later
#include "FaultSoak.h"

#include "LinkFixture.h"
#include "StoreFixture.h"
#include "ctl/Cli.h"
#include "features/BoardProfiles.h"
#include "features/DeviceFamily.h"
#include "features/DeviceSettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTextStream>
#include <atomic>
#include <functional>
#include <memory>
#include <random>

namespace soak {

namespace {

using fixture::bus;
using sim::Family;

enum Fault {
    None,
    Silent,
    WrongHandshake,
    Garbage,
    FailOpens,
    NoOpens,
    FeatureOut,
    Write,
    Read,
    Short,
    Stall,
    Unplug,
    kFaultCount
};
const char *const kFaultNames[kFaultCount] = {"none",
                                              "no answer",
                                              "wrong handshake",
                                              "garbage",
                                              "failed opens",
                                              "no open at all",
                                              "feature report refused",
                                              "output report refused",
                                              "input report fails",
                                              "short reports",
                                              "stalled reads",
                                              "unplugged mid-command"};

constexpr long long kSlackMs = 2000;

struct Command
{
    QStringList args;
    bool only560 = false;
    bool gun = false;
    bool touchesMouse = true;
};

const std::vector<Command> &commands()
{
    static const std::vector<Command> list = {
        {{"probe"}},
        {{"status"}},
        {{"status", "--json"}},
        {{"keys"}},
        {{"dpi"}},
        {{"dpi", "--stages", "3", "400,800,1600"}},
        {{"current-dpi"}},
        {{"current-dpi", "2"}},
        {{"rate", "500"}},
        {{"rate"}, false, false, false},
        {{"lighting"}},
        {{"lighting", "2", "1", "3"}},
        {{"colors"}},
        {{"macro", "Tap", "--slot", "3"}},
        {{"read-profile", "1"}, true},
        {{"read-profile", "4", "--json"}, true},
        {{"apply"}},
        {{"gun", "2"}, false, true},
    };
    return list;
}

// What a run took on the mouse's clock: the protocol pauses and the read
// time-outs, which the virtual mouse answers at once.
long long virtualMs(bool withTimeouts = true)
{
    long long ms = 0;
    for (const sim::Record &r : bus().records())
        if (r.kind == sim::Record::Kind::Pause ||
            (withTimeouts && r.kind == sim::Record::Kind::Timeout && r.iface == sim::kCommand))
            ms += std::max(r.ms, 0);
    return ms;
}

int commandHits()
{
    int hits = 0;
    for (const sim::Record &r : bus().records())
        hits += r.kind == sim::Record::Kind::Fault && r.iface == sim::kCommand;
    return hits;
}

class Soak
{
public:
    explicit Soak(unsigned seed) : random(seed)
    {
        for (ModulesCopy *tree : {&tree553, &tree560}) {
            ModulesCopy::write(
                tree->path(QStringLiteral("macro/Tap.bin")),
                "[config]\ntotal=3\nrepeat=1\n[macro]\n0=\"1,A\"\n1=\"0,50\"\n2=\"2,A\"\n");
        }
        QSettings(config(Family::F560), QSettings::IniFormat)
            .setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
    }

    void ctlRun(Tally &t);
    void linkRun(Tally &t);

private:
    struct Setup
    {
        Family family = Family::F553;
        int reportLength = 32;
        bool encode = false;
        bool gun = false;
        const Command *command = nullptr;
    };

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool coin() { return pick(2) == 1; }

    QString config(Family f) const
    {
        return (f == Family::F560 ? tree560 : tree553).path(QStringLiteral("setting/apConfig.bin"));
    }
    Setup choose();
    QString configFor(const Setup &s);
    int plug(const Setup &s);
    Fault arm(int device, bool forLink);
    int runCtl(const Setup &s, bool &idle, QString &err);
    long long healthyMs(const Setup &s, Tally &t);
    void violation(Tally &t, const QString &what);

    std::mt19937 random;
    ModulesCopy tree553, tree560;
    std::map<QString, long long> healthy;
};

void Soak::violation(Tally &t, const QString &what)
{
    ++t.violations;
    if (t.problems.size() < 20)
        t.problems << what;
}

Soak::Setup Soak::choose()
{
    Setup s;
    s.family = coin() ? Family::F560 : Family::F553;
    static const int kLengths[] = {8, 16, 32, 64};
    s.reportLength = kLengths[pick(4)];
    s.encode = pick(3) == 0;
    s.gun = coin();
    do {
        s.command = &commands()[std::size_t(pick(int(commands().size())))];
    } while ((s.command->only560 && s.family != Family::F560) || (s.command->gun && !s.gun));
    return s;
}

// One configuration file per variant, written once: rewriting one file for
// every run would cost more than the runs.
QString Soak::configFor(const Setup &s)
{
    const QString name =
        QStringLiteral("setting/soak-%1-%2-%3.bin").arg(s.reportLength).arg(s.encode).arg(s.gun);
    ModulesCopy &tree = s.family == Family::F560 ? tree560 : tree553;
    const QString path = tree.path(name);
    if (!QFile::exists(path)) {
        QFile::copy(config(s.family), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QSettings c(path, QSettings::IniFormat);
        c.setValue(QStringLiteral("0/reportLength"), s.reportLength);
        c.setValue(QStringLiteral("0/isEncode"), s.encode);
        c.setValue(QStringLiteral("0/sCode"), QStringLiteral("k3Y!9a"));
        c.setValue(QStringLiteral("mouse/isGun"), s.gun);
    }
    return path;
}

int Soak::plug(const Setup &s)
{
    fixture::resetBus();
    return bus().plug(fixture::mouse(s.family, s.reportLength, s.encode, "k3Y!9a"));
}

// Faults strike after a random number of operations, so at any moment of a
// command, the handshake included.
Fault Soak::arm(int device, bool forLink)
{
    Fault f = static_cast<Fault>(pick(kFaultCount));
    // The link runs in real time for its listener: a stalled read would
    // really wait, which the command-line runs cover on the virtual clock.
    while (forLink && f == Stall)
        f = static_cast<Fault>(pick(kFaultCount));
    sim::Faults &x = bus().faults(device);
    x.onset = pick(forLink ? 30 : 45);
    switch (f) {
    case None:
        break;
    case Silent:
        x.silent = true;
        break;
    case WrongHandshake:
        x.wrongHandshake = true;
        break;
    case Garbage:
        x.garbage = true;
        break;
    case FailOpens:
        x.failOpens = 1 + pick(3);
        break;
    case NoOpens:
        x.failOpens = -1;
        break;
    case FeatureOut:
        x.failFeatureOut = true;
        break;
    case Write:
        x.failWrite = true;
        break;
    case Read:
        x.failRead = true;
        break;
    case Short:
        x.shortReports = true;
        break;
    case Stall:
        x.stall = true;
        break;
    case Unplug:
        x.unplugAfter = pick(forLink ? 25 : 40);
        break;
    default:
        break;
    }
    return f;
}

int Soak::runCtl(const Setup &s, bool &idle, QString &err)
{
    QString out;
    err.clear();
    QTextStream o(&out), e(&err);
    idle = true;
    const int status = ctl::run(s.command->args + QStringList{"--config", configFor(s)}, o, e,
                                [&idle](const Hid_Thread &link) { idle = link.hidIdle; });
    o.flush();
    e.flush();
    return status;
}

long long Soak::healthyMs(const Setup &s, Tally &t)
{
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(int(s.family))
                            .arg(s.reportLength)
                            .arg(s.gun)
                            .arg(s.command->args.join(QLatin1Char(' ')));
    const auto known = healthy.find(key);
    if (known != healthy.end())
        return known->second;
    plug(s);
    bool idle = true;
    QString err;
    QElapsedTimer clock;
    clock.start();
    const int status = runCtl(s, idle, err);
    const long long ms = clock.elapsed() + virtualMs();
    if (status != 0)
        violation(t, QStringLiteral("healthy mouse: talonctl %1 exited %2: %3")
                         .arg(key)
                         .arg(status)
                         .arg(err));
    healthy[key] = ms;
    return ms;
}

void Soak::ctlRun(Tally &t)
{
    const Setup s = choose();
    const long long budget = healthyMs(s, t) + kSlackMs;
    const int device = plug(s);
    const Fault fault = arm(device, false);
    ++t.byFault[kFaultNames[fault]];
    const QString what =
        QStringLiteral("talonctl %1 (%2, report %3%4, %5)")
            .arg(s.command->args.join(QLatin1Char(' ')), s.family == Family::F560 ? "560" : "553")
            .arg(s.reportLength)
            .arg(s.encode ? ", cipher" : "", QLatin1String(kFaultNames[fault]));

    for (int attempt = 0; attempt < 2; ++attempt) {
        bool idle = true;
        QString err;
        QElapsedTimer clock;
        clock.start();
        const int status = runCtl(s, idle, err);
        const long long took = clock.elapsed() + virtualMs();
        ++t.byStatus[status];
        ++t.ctlRuns;
        t.worstOverrunMs = std::max(t.worstOverrunMs, took - (budget - kSlackMs));

        int expected = 0;
        if (s.command->touchesMouse)
            expected = !bus().handshakeAnswered() ? 1 : commandHits() > 0 ? 3 : 0;
        if (status != expected)
            violation(t, QStringLiteral("%1: exit %2, what happened says %3; %4")
                             .arg(what)
                             .arg(status)
                             .arg(expected)
                             .arg(err.trimmed()));
        if (took > budget)
            violation(t, QStringLiteral("%1: took %2 ms, healthy %3 ms")
                             .arg(what)
                             .arg(took)
                             .arg(budget - kSlackMs));
        if (!idle)
            violation(t, what + QStringLiteral(": idle token left taken"));
        if (bus().openHandles() != 0)
            violation(t, what + QStringLiteral(": %1 handles left open").arg(bus().openHandles()));
        if ((status == 3) != err.contains(QStringLiteral("the mouse did not take")))
            violation(
                t, what + QStringLiteral(": exit %1 with \"%2\"").arg(status).arg(err.trimmed()));

        // Plugged back in, the same command goes through.
        if (attempt > 0 || fault != Unplug || !coin())
            break;
        ++t.replugs;
        bus().replug(device);
        bus().faults(device) = sim::Faults{};
        bus().clearRecords();
    }
}

// Counts removals reported by the listener.
class Removals : public DeviceEvents
{
public:
    void dpiStageSwitched(int) override {}
    void eventInterfaceGone() override { ++count; }
    std::atomic<int> count{0};
};

// The link itself with its listener running: a handshake, then a few
// commands while faults strike and the DPI button is pressed.
void Soak::linkRun(Tally &t)
{
    const Setup s = choose();
    const int steps = 1 + pick(4);
    std::vector<int> actions;
    for (int i = 0; i < steps; ++i)
        actions.push_back(pick(6));

    const auto runActions = [&](Hid_Thread &link, BoardProfiles &board, DeviceSettings &settings) {
        for (int a : actions) {
            switch (a) {
            case 0:
                settings.mouseSetDpi(4, QStringLiteral("3360"), {400, 800, 1600, 3200});
                break;
            case 1:
                settings.mouseSetReportRate(2);
                break;
            case 2:
                settings.mouseGetCurrentDPI();
                break;
            case 3: // on-device profiles are the 560 family's
                if (link.is560())
                    board.mouseReadProfile(1);
                else
                    settings.GetKeyboardoption();
                break;
            case 4:
                settings.mouseSetRGBEffect(1, 2, 3);
                break;
            default: {
                uchar block[128] = {};
                if (link.is560())
                    link.hid560_0FH_SetMacroKey(2, block);
                else
                    link.hid553_13H_SetMacroKey(2, block);
            }
            }
        }
    };

    // The same commands on a healthy mouse give the time they take.
    long long healthyTime = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const int device = plug(s);
        bus().setRealTime(pass == 1); // the listener waits on its reads as on a real mouse
        Hid_Thread link;
        link.setModel(s.family == Family::F560 ? "560" : "553", s.gun);
        link.deviceList = {fixture::entryFor(device)};
        BoardProfiles board(link);
        ModelFlags flags;
        flags.icType = link.icType();
        flags.isGun = s.gun;
        auto family = DeviceFamily::create(link, board, flags);
        DeviceSettings settings(*family);
        Removals removals;
        link.owner = &removals;
        if (!link.chkDeviceIsEnCode(0)) {
            violation(t, QStringLiteral("link: a healthy mouse failed the handshake"));
            return;
        }
        if (pass == 0) {
            QElapsedTimer clock;
            clock.start();
            runActions(link, board, settings);
            healthyTime = clock.elapsed() + virtualMs();
            continue;
        }

        const Fault fault = arm(device, true);
        ++t.byFault[kFaultNames[fault]];
        const QString what = QStringLiteral("link run (%1, %2 commands, %3)")
                                 .arg(s.family == Family::F560 ? "560" : "553")
                                 .arg(steps)
                                 .arg(QLatin1String(kFaultNames[fault]));
        bus().clearRecords();
        QElapsedTimer clock;
        clock.start();
        link.startListener(0);
        bus().pressDpiButton(device, 2);
        runActions(link, board, settings);
        const long long took = clock.elapsed() + virtualMs(false);

        QElapsedTimer stopping;
        stopping.start();
        link.stopListener();
        bus().pushEvent(device, {0x06, 0x08, 0, 0}); // wakes a read in progress
        link.waitForListener();
        ++t.linkRuns;

        if (stopping.elapsed() > Hid_Thread::kEventReadTimeoutMs + kSlackMs)
            violation(
                t,
                what + QStringLiteral(": the listener took %1 ms to stop").arg(stopping.elapsed()));
        if (took > healthyTime + kSlackMs)
            violation(
                t, what + QStringLiteral(": took %1 ms, healthy %2 ms").arg(took).arg(healthyTime));
        if (!link.hidIdle)
            violation(t, what + QStringLiteral(": idle token left taken"));
        if (bus().openHandles() != 0)
            violation(t, what + QStringLiteral(": %1 handles left open").arg(bus().openHandles()));
        if (removals.count > 1)
            violation(
                t, what + QStringLiteral(": removal reported %1 times").arg(removals.count.load()));
        // The link's own record tells what the mouse saw.
        const bool failed = link.exchangeRecord().failures > 0;
        if (failed != (commandHits() > 0))
            violation(t, what + QStringLiteral(
                                    ": %1 failed exchanges, %2 faults hit the command interface")
                                    .arg(link.exchangeRecord().failures)
                                    .arg(commandHits()));
    }
}

} // namespace

Tally run(int runs, unsigned seed)
{
    Tally t;
    QElapsedTimer clock;
    clock.start();
    Soak soak(seed);
    for (int i = 0; i < runs; ++i) {
        soak.ctlRun(t);
        if (i % 4 == 3)
            soak.linkRun(t);
    }
    t.runs = t.ctlRuns + t.linkRuns;
    t.seconds = clock.elapsed() / 1000.0;
    bus().setRealTime(false);
    pacing::setSleepHook(nullptr);
    return t;
}

QString describe(const Tally &t)
{
    QString s = QStringLiteral("%1 runs (%2 talonctl, of them %3 after a replug; %4 link runs with "
                               "the listener) in %5 s; %6 violations; worst run %7 ms over the "
                               "healthy time\n")
                    .arg(t.runs)
                    .arg(t.ctlRuns)
                    .arg(t.replugs)
                    .arg(t.linkRuns)
                    .arg(t.seconds, 0, 'f', 1)
                    .arg(t.violations)
                    .arg(t.worstOverrunMs);
    s += QStringLiteral("| fault | runs |\n|---|---:|\n");
    for (const auto &[name, n] : t.byFault)
        s += QStringLiteral("| %1 | %2 |\n").arg(QString::fromStdString(name)).arg(n);
    s += QStringLiteral("\n| talonctl exit status | runs |\n|---|---:|\n");
    for (const auto &[status, n] : t.byStatus)
        s += QStringLiteral("| %1 | %2 |\n").arg(status).arg(n);
    for (const QString &p : t.problems)
        s += QStringLiteral("violation: %1\n").arg(p);
    return s;
}

} // namespace soak
