// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Fault soak: talonctl and the device link against the virtual mouse with
// randomised faults. Every run is judged on what the mouse saw: no crash, no
// run longer than the same command on a healthy mouse plus 2 s, the idle
// token free and no handle open afterwards, and an exit status that tells
// what happened (0 all taken, 1 no handshake answered, 3 something not
// taken). Shared by the test (a few thousand runs) and the benchmark.
#include <QString>
#include <QStringList>
#include <map>
#include <string>

namespace soak {

struct Tally
{
    int runs = 0;
    int ctlRuns = 0;
    int linkRuns = 0;
    int replugs = 0;
    std::map<std::string, int> byFault;  // fault name -> runs
    std::map<int, int> byStatus;         // talonctl exit status -> runs
    long long worstOverrunMs = -1000000; // largest (run time - healthy time)
    double seconds = 0;
    int violations = 0;
    QStringList problems; // the first violations, described
};

// runs talonctl runs and about one link run for every four of them.
Tally run(int runs, unsigned seed);

// A summary table for people.
QString describe(const Tally &tally);

} // namespace soak
