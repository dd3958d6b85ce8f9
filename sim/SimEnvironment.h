// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Set-up of the preloaded virtual mouse from the environment:
//   TALON_SIM  devices to plug, ";"-separated, each "family[,key=value...]"
//              with family 553 or 560 and keys vid, pid, report, code
//              (code=XXXXXX turns the cipher on), the flag "denied" (every
//              open fails with EACCES, as a node the user may not open), and
//              faults: fault=silent|wrong|garbage|featureout|write|read|short|
//              stall (repeatable), failopens=N, unplug=N (before the (N+1)-th
//              report), onset=N (operations before any fault strikes).
//              Default: "553". "none": empty bus.
// TALON_SIM_TRACE=FILE writes the traffic the mouse saw to FILE at exit.
// TALON_SIM_JOURNAL=FILE appends the same lines to FILE while the program
// runs, each "out" line followed by its report's "data" line.
// TALON_SIM_RECORDS=N (without either): only the last N records are kept, so
// that a long run measures the program's memory, not the mouse's record.
// SIGUSR1 presses the DPI button of the first mouse (stages 1 to 5 in turn);
// SIGUSR2 unplugs it, or plugs it back in; each unplug and plug is announced
// to the program's device-change monitor (see UdevShim.cpp) as the system
// announces a real one.
//
// Shared mode: one mouse that several processes drive, as on real hardware.
//   TALON_SIM=553 talonsim-server SOCKET [--journal FILE] &
//   LD_PRELOAD=libtalonsim.so TALON_SIM_SERVER=SOCKET kestrel-talon
//   LD_PRELOAD=libtalonsim.so TALON_SIM_SERVER=SOCKET talonctl dpi
// The server holds the mice of its TALON_SIM (faults included; they count the
// operations of all processes together) and serves every hidapi call of
// every process in the order they arrive, so that processes that do not
// keep out of each other's way mix their frames. TALON_SIM of the processes
// is not read. The server's journal (--journal, appended to) has the lines
// of TALON_SIM_JOURNAL, each after the id of the process it came from ("0"
// for what the mouse did of itself, such as an unplug by a signal to the
// server):
//   4711 frame 11 04 08 00 00 00 00 e2
//   4711 out 33
//   4711 data 04 09 0e 13 80 80 80 80 00 ...
// A process's own TALON_SIM_TRACE and TALON_SIM_JOURNAL hold its own part, in
// the plain form. SIGUSR1 and SIGUSR2 work on the shared mouse whether they
// go to the server or to any process of it; every process's device-change
// monitor hears of each unplug and plug. The server ends on SIGTERM.
namespace sim::environment {

void ensureConfigured();
void pollSignals();
// Appends to the TALON_SIM_JOURNAL file what the mouse saw since last time.
void writeJournal();

// Readable (an eventfd) while a plug or unplug may wait to be announced.
int announcementFd();
// The next announcement: true with `added` set when there is one.
bool takeAnnouncement(bool &added);

} // namespace sim::environment
