// SPDX-License-Identifier: GPL-2.0-or-later
// The fault soak as a test: a few thousand runs of talonctl and of the link
// against a virtual mouse that fails in every way it can, each judged on what
// the mouse saw. TALON_SOAK_RUNS and TALON_SOAK_SEED choose another size or
// another sequence.
#include "FaultSoak.h"

#include <QTest>

class TestFaultSoak : public QObject
{
    Q_OBJECT

private slots:
    void everyRunEndsCleanlyAndTellsTheTruth();
};

void TestFaultSoak::everyRunEndsCleanlyAndTellsTheTruth()
{
    const int runs = qEnvironmentVariableIsSet("TALON_SOAK_RUNS")
                         ? qEnvironmentVariableIntValue("TALON_SOAK_RUNS")
                         : 2000;
    const unsigned seed = qEnvironmentVariableIsSet("TALON_SOAK_SEED")
                              ? unsigned(qEnvironmentVariableIntValue("TALON_SOAK_SEED"))
                              : 20261210u;
    const soak::Tally tally = soak::run(runs, seed);
    qInfo().noquote() << soak::describe(tally);
    QCOMPARE(tally.ctlRuns >= runs, true);
    // Every fault was tried, and every outcome came up.
    QCOMPARE(int(tally.byFault.size()), 12);
    for (int status : {0, 1, 3})
        QVERIFY2(tally.byStatus.count(status), qPrintable(QString::number(status)));
    QVERIFY2(tally.violations == 0, qPrintable(tally.problems.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestFaultSoak)
#include "tst_faultsoak.moc"
