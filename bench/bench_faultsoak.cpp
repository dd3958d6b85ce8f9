// SPDX-License-Identifier: GPL-2.0-or-later
// The fault soak at bench size: bench_faultsoak [RUNS [SEED]] (default 10000)
// prints the tally for bench/RESULTS.md; exits 1 when a run broke a rule.
#include "FaultSoak.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10000;
    const unsigned seed = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10)) : 1u;
    const soak::Tally tally = soak::run(runs, seed);
    std::printf("%s", qPrintable(soak::describe(tally)));
    return tally.violations == 0 ? 0 : 1;
}
