// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimEnvironment.h"

#include "SimBus.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <sstream>
#include <sys/eventfd.h>
#include <unistd.h>

namespace sim::environment {

namespace {

std::atomic<int> dpiPresses{0};
std::atomic<int> plugToggles{0};
int wakeFd = -1;

// Guarded by signalLock: the listener's thread and the GUI thread both poll.
std::mutex signalLock;
int stage = 1;
bool pluggedIn = true;
std::deque<bool> announcements; // true: plugged in

void wake()
{
    const std::uint64_t one = 1;
    if (wakeFd >= 0 && ::write(wakeFd, &one, sizeof one) < 0)
        return; // the counter is full: the monitor is woken already
}

void onSignal(int signal)
{
    if (signal == SIGUSR1) {
        dpiPresses.fetch_add(1);
    } else {
        plugToggles.fetch_add(1);
        wake(); // nobody calls into hidapi while the mouse is away
    }
}

struct Device
{
    MouseConfig config;
    Faults faults;
};

void setFault(Faults &f, const std::string &name)
{
    if (name == "silent")
        f.silent = true;
    else if (name == "wrong")
        f.wrongHandshake = true;
    else if (name == "garbage")
        f.garbage = true;
    else if (name == "featureout")
        f.failFeatureOut = true;
    else if (name == "write")
        f.failWrite = true;
    else if (name == "read")
        f.failRead = true;
    else if (name == "short")
        f.shortReports = true;
    else if (name == "stall")
        f.stall = true;
}

Device parseDevice(const std::string &text)
{
    Device d;
    MouseConfig &c = d.config;
    std::stringstream in(text);
    std::string item;
    bool first = true;
    while (std::getline(in, item, ',')) {
        if (first) {
            c.family = item == "560" ? Family::F560 : Family::F553;
            if (c.family == Family::F560) {
                c.pid = 0xa1ef;
                c.reportLength = 64;
            }
            first = false;
            continue;
        }
        const auto eq = item.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = item.substr(0, eq), value = item.substr(eq + 1);
        if (key == "vid")
            c.vid = static_cast<std::uint16_t>(std::strtoul(value.c_str(), nullptr, 16));
        else if (key == "pid")
            c.pid = static_cast<std::uint16_t>(std::strtoul(value.c_str(), nullptr, 16));
        else if (key == "report")
            c.reportLength = std::atoi(value.c_str());
        else if (key == "code") {
            c.code = value;
            c.encode = true;
        } else if (key == "fault")
            setFault(d.faults, value);
        else if (key == "onset")
            d.faults.onset = std::atoi(value.c_str());
        else if (key == "unplug")
            d.faults.unplugAfter = std::atoi(value.c_str());
        else if (key == "failopens")
            d.faults.failOpens = std::atoi(value.c_str());
    }
    return d;
}

bool flagged(const std::string &text, const std::string &flag)
{
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        if (item == flag)
            return true;
    return false;
}

// The traffic the mouse saw, one line each, for tests of the real executables.
void writeTrace()
{
    std::FILE *f = std::fopen(std::getenv("TALON_SIM_TRACE"), "w");
    if (!f)
        return;
    for (const std::string &line : Bus::instance().trace())
        std::fprintf(f, "%s\n", line.c_str());
    for (const Bytes &report : Bus::instance().outputReports()) {
        std::fprintf(f, "data");
        for (std::size_t i = 1; i < report.size(); ++i)
            std::fprintf(f, " %02x", report[i]);
        std::fprintf(f, "\n");
    }
    std::fclose(f);
}

std::mutex journalLock;
std::size_t journalled = 0;

} // namespace

// The journal: the trace's lines appended while the program runs, each
// output report's "out" line followed by its "data" line, so that a test of
// the real executable sees what the mouse got without ending the program.
// Written at every call into the mouse, at the end of every exchange (its
// handle closed) and at exit.
void writeJournal()
{
    static const char *path = std::getenv("TALON_SIM_JOURNAL");
    if (!path || !*path)
        return;
    std::lock_guard<std::mutex> g(journalLock);
    const std::vector<Record> records = Bus::instance().records();
    if (records.size() <= journalled)
        return;
    std::FILE *f = std::fopen(path, "a");
    if (!f)
        return;
    for (; journalled < records.size(); ++journalled) {
        const Record &r = records[journalled];
        const std::string line = Bus::traceLine(r);
        if (line.empty())
            continue;
        std::fprintf(f, "%s\n", line.c_str());
        if (r.kind == Record::Kind::Output && r.raw.size() > 1)
            std::fprintf(f, "data %s\n", Bus::hex(r.raw.data() + 1, r.raw.size() - 1).c_str());
    }
    std::fclose(f);
}

void ensureConfigured()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const char *spec = std::getenv("TALON_SIM");
        const std::string devices = spec && *spec ? spec : "553";
        if (devices != "none") {
            std::stringstream in(devices);
            std::string one;
            while (std::getline(in, one, ';')) {
                if (one.empty())
                    continue;
                const Device d = parseDevice(one);
                const int device = Bus::instance().plug(d.config);
                Bus::instance().faults(device) = d.faults;
                Bus::instance().faults(device).denyAccess = flagged(one, "denied");
            }
        }
        wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (std::getenv("TALON_SIM_TRACE"))
            std::atexit(writeTrace);
        if (std::getenv("TALON_SIM_JOURNAL"))
            std::atexit(writeJournal);
        std::signal(SIGUSR1, onSignal);
        std::signal(SIGUSR2, onSignal);
        std::fprintf(stderr, "virtual mouse: %s (SIGUSR1: DPI button, SIGUSR2: unplug/plug)\n",
                     devices.c_str());
    });
}

void pollSignals()
{
    writeJournal();
    // TALON_SIM_RECORDS=N: a long run (a memory soak) that neither traces
    // nor journals keeps the last N records only.
    static const long keep =
        std::getenv("TALON_SIM_TRACE") || std::getenv("TALON_SIM_JOURNAL")
            ? 0
            : std::atol(std::getenv("TALON_SIM_RECORDS") ? std::getenv("TALON_SIM_RECORDS") : "0");
    if (keep > 0)
        Bus::instance().forgetRecords(std::size_t(keep));
    if (Bus::instance().deviceCount() == 0)
        return;
    std::lock_guard<std::mutex> g(signalLock);
    for (; dpiPresses.load() > 0; dpiPresses.fetch_sub(1)) {
        stage = stage % 5 + 1;
        Bus::instance().pressDpiButton(0, static_cast<std::uint8_t>(stage));
    }
    for (; plugToggles.load() > 0; plugToggles.fetch_sub(1)) {
        pluggedIn = !pluggedIn;
        pluggedIn ? Bus::instance().replug(0) : Bus::instance().unplug(0);
        announcements.push_back(pluggedIn);
        wake();
    }
}

int announcementFd()
{
    ensureConfigured();
    return wakeFd;
}

bool takeAnnouncement(bool &added)
{
    {
        std::lock_guard<std::mutex> g(signalLock);
        if (announcements.empty()) {
            // Emptied before the signals are applied: a signal that comes
            // later writes to the counter again.
            std::uint64_t count = 0;
            if (::read(wakeFd, &count, sizeof count) < 0)
                count = 0;
        }
    }
    pollSignals();
    std::lock_guard<std::mutex> g(signalLock);
    if (announcements.empty())
        return false;
    added = announcements.front();
    announcements.pop_front();
    return true;
}

} // namespace sim::environment
