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
