// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimEnvironment.h"

#include "SimBus.h"
#include "SimRemote.h"
#include "SimSetup.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <sys/eventfd.h>
#include <unistd.h>

namespace sim::environment {

namespace {

std::atomic<int> dpiPresses{0};
std::atomic<int> plugToggles{0};
int wakeFd = -1;

// Guarded by signalLock: the listener's thread and the GUI thread both poll.
std::mutex signalLock;
setup::Controls controls;
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

// What the mouse saw from this process: the whole bus in a process of its
// own, this process's part of a shared mouse.
std::vector<Record> recordsSince(std::size_t &from)
{
    if (remote::active())
        return remote::ownRecords(from);
    std::vector<Record> fresh = Bus::instance().records(from);
    from += fresh.size();
    return fresh;
}

// The traffic the mouse saw, one line each, for tests of the real executables.
void writeTrace()
{
    std::FILE *f = std::fopen(std::getenv("TALON_SIM_TRACE"), "w");
    if (!f)
        return;
    std::size_t from = 0;
    const std::vector<Record> all = recordsSince(from);
    for (const Record &r : all) {
        const std::string line = Bus::traceLine(r);
        if (!line.empty())
            std::fprintf(f, "%s\n", line.c_str());
    }
    for (const Record &r : all) {
        if (r.kind != Record::Kind::Output)
            continue;
        std::fprintf(f, "data");
        for (std::size_t i = 1; i < r.raw.size(); ++i)
            std::fprintf(f, " %02x", r.raw[i]);
        std::fprintf(f, "\n");
    }
    std::fclose(f);
}

void announce(bool pluggedIn)
{
    {
        std::lock_guard<std::mutex> g(signalLock);
        announcements.push_back(pluggedIn);
    }
    wake();
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
    const std::vector<Record> fresh = recordsSince(journalled);
    std::string text;
    for (const Record &r : fresh)
        for (const std::string &line : setup::journalLines(r))
            text += line + '\n';
    if (text.empty())
        return;
    std::FILE *f = std::fopen(path, "a");
    if (!f)
        return;
    std::fputs(text.c_str(), f);
    std::fclose(f);
}

void ensureConfigured()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const char *mice = std::getenv("TALON_SIM");
        const std::string devices = mice && *mice ? mice : "553";
        // A shared mouse is the server's, as TALON_SIM told the server.
        if (!remote::active())
            setup::plugAll(Bus::instance(), devices);
        wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (std::getenv("TALON_SIM_TRACE"))
            std::atexit(writeTrace);
        if (std::getenv("TALON_SIM_JOURNAL"))
            std::atexit(writeJournal);
        std::signal(SIGUSR1, onSignal);
        std::signal(SIGUSR2, onSignal);
        if (remote::active())
            std::fprintf(stderr,
                         "virtual mouse: shared at %s (SIGUSR1: DPI button, SIGUSR2: "
                         "unplug/plug)\n",
                         remote::socketPath());
        else
            std::fprintf(stderr, "virtual mouse: %s (SIGUSR1: DPI button, SIGUSR2: unplug/plug)\n",
                         devices.c_str());
    });
}

void pollSignals()
{
    writeJournal();
    if (remote::active()) {
        // The server presses and plugs; the watcher brings the plug back.
        for (; dpiPresses.load() > 0; dpiPresses.fetch_sub(1))
            remote::pressDpiButton();
        for (; plugToggles.load() > 0; plugToggles.fetch_sub(1))
            remote::togglePlug();
        return;
    }
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
    for (; dpiPresses.load() > 0; dpiPresses.fetch_sub(1))
        controls.pressDpiButton(Bus::instance());
    for (; plugToggles.load() > 0; plugToggles.fetch_sub(1)) {
        announcements.push_back(controls.togglePlug(Bus::instance()));
        wake();
    }
}

int announcementFd()
{
    ensureConfigured();
    static std::once_flag watching;
    if (remote::active())
        std::call_once(watching, [] { remote::watchPlugs(announce); });
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
