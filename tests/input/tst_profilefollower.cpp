// SPDX-License-Identifier: GPL-2.0-or-later
// Which profile the mouse gets as windows come to the front: rules, the
// choice by hand, settling of bursts, our own window, and the times when no
// switch may happen.
#include "input/ProfileFollower.h"

#include <QTest>

namespace {

// A follower in the state of a running, connected program with profile 0
// chosen by hand and two applications bound.
struct Running
{
    ProfileFollower f;
    QList<int> switches;

    Running()
    {
        f.setRules({{"game", 2}, {"editor", 5}}, 0);
        f.setConnected(true);
        f.profileInForce(0, true);
    }
    // Drives the follower as its owner does: poll at each deadline up to
    // `until`, and let the scene put every asked-for profile in force.
    void runUntil(qint64 until)
    {
        for (qint64 t = f.nextDeadline(); t >= 0 && t <= until; t = f.nextDeadline()) {
            const int target = f.poll(t);
            if (target >= 0) {
                switches << target;
                f.profileInForce(target, false);
            }
        }
    }
};

} // namespace

class TestProfileFollower : public QObject
{
    Q_OBJECT

private slots:
    void theRuleAppliesAfterSettlingAndTheHandChoiceReturns();
    void aBurstOfFocusChangesGivesOneSwitchToTheLast();
    void ourOwnWindowChangesNothing();
    void aChoiceByHandIsWhatComesBack();
    void heldOrDisconnectedTheDecisionWaits();
    void changedRulesApplyToTheWindowInFront();
    void nothingIsDecidedBeforeTheSceneHasAProfile();
};

void TestProfileFollower::theRuleAppliesAfterSettlingAndTheHandChoiceReturns()
{
    Running r;
    r.f.focusChanged(QStringLiteral("Game"), false, 1000);
    QCOMPARE(r.f.poll(1499), -1);
    QCOMPARE(r.f.nextDeadline(), 1500);
    QCOMPARE(r.f.poll(1500), 2);
    r.f.profileInForce(2, false);
    QCOMPARE(r.f.chosenBy(), QStringLiteral("game"));
    QCOMPARE(r.f.manualProfile(), 0);
    QCOMPARE(r.f.nextDeadline(), -1);

    // Another bound application, then one without a rule, then no window.
    r.f.focusChanged(QStringLiteral("editor"), false, 3000);
    r.runUntil(4000);
    r.f.focusChanged(QStringLiteral("terminal"), false, 5000);
    r.runUntil(6000);
    QCOMPARE(r.switches, (QList<int>{5, 0}));
    QCOMPARE(r.f.chosenBy(), QString());
    r.f.focusChanged(QStringLiteral("game"), false, 7000);
    r.f.focusChanged(QString(), false, 7100);
    r.runUntil(9000);
    QCOMPARE(r.switches, (QList<int>{5, 0}));

    // A rule naming the profile already in force switches nothing, but the
    // profile is now the application's.
    r.f.setRules({{"game", 0}}, 9000);
    r.f.focusChanged(QStringLiteral("game"), false, 10000);
    QCOMPARE(r.f.poll(10500), -1);
    QCOMPARE(r.f.chosenBy(), QStringLiteral("game"));
}

void TestProfileFollower::aBurstOfFocusChangesGivesOneSwitchToTheLast()
{
    Running r;
    const QStringList burst = {"game", "editor",   "terminal", "game", "editor",
                               "game", "terminal", "editor",   "game", "editor"};
    for (int i = 0; i < burst.size(); ++i) {
        r.f.focusChanged(burst[i], false, 1000 + i * 45);
        r.runUntil(1000 + i * 45 + 44);
    }
    QVERIFY(r.switches.isEmpty());
    QCOMPARE(r.f.nextDeadline(), 1000 + 9 * 45 + 500);
    r.runUntil(5000);
    QCOMPARE(r.switches, (QList<int>{5}));

    // A burst that ends where it started switches nothing.
    r.switches.clear();
    for (int i = 0; i < 10; ++i)
        r.f.focusChanged(i % 2 ? QStringLiteral("editor") : QStringLiteral("game"), false,
                         6000 + i * 40);
    r.runUntil(9000);
    QVERIFY(r.switches.isEmpty());
}

void TestProfileFollower::ourOwnWindowChangesNothing()
{
    Running r;
    // The application in front before our window is remembered; a decision
    // that had not settled is dropped.
    r.f.focusChanged(QStringLiteral("Game"), false, 1000);
    r.f.focusChanged(QStringLiteral("kestrel-talon"), true, 1200);
    QCOMPARE(r.f.nextDeadline(), -1);
    r.runUntil(5000);
    QVERIFY(r.switches.isEmpty());
    QCOMPARE(r.f.lastForeignClass(), QStringLiteral("game"));

    // Switched to the game's profile, our window in front keeps it.
    r.f.focusChanged(QStringLiteral("game"), false, 6000);
    r.runUntil(7000);
    r.f.focusChanged(QString(), true, 8000);
    r.f.setRules({{"editor", 5}}, 8100);
    r.runUntil(20000);
    QCOMPARE(r.switches, (QList<int>{2}));
    QCOMPARE(r.f.chosenBy(), QStringLiteral("game"));
    // A window without a class does not replace the remembered application.
    r.f.focusChanged(QString(), false, 21000);
    QCOMPARE(r.f.lastForeignClass(), QStringLiteral("game"));
}

void TestProfileFollower::aChoiceByHandIsWhatComesBack()
{
    Running r;
    r.f.focusChanged(QStringLiteral("game"), false, 1000);
    r.runUntil(2000);
    // Chosen by hand while the game is in front: remembered as the hand's.
    r.f.profileInForce(4, true);
    QCOMPARE(r.f.manualProfile(), 4);
    QCOMPARE(r.f.chosenBy(), QString());
    r.f.focusChanged(QStringLiteral("terminal"), false, 3000);
    r.runUntil(4000);
    r.f.focusChanged(QStringLiteral("game"), false, 5000);
    r.runUntil(6000);
    r.f.focusChanged(QStringLiteral("terminal"), false, 7000);
    r.runUntil(8000);
    QCOMPARE(r.switches, (QList<int>{2, 2, 4}));

    // A choice by hand drops a decision that had not settled yet.
    r.f.focusChanged(QStringLiteral("editor"), false, 9000);
    r.f.profileInForce(1, true);
    r.runUntil(12000);
    QCOMPARE(r.switches, (QList<int>{2, 2, 4}));
    QCOMPARE(r.f.currentProfile(), 1);
}

void TestProfileFollower::heldOrDisconnectedTheDecisionWaits()
{
    Running r;
    r.f.focusChanged(QStringLiteral("game"), false, 1000);
    r.f.setHeld(true);
    QCOMPARE(r.f.nextDeadline(), -1);
    QCOMPARE(r.f.poll(5000), -1);
    // Released before the last change has settled: it still settles.
    r.f.focusChanged(QStringLiteral("editor"), false, 5100);
    r.f.setHeld(false);
    QCOMPARE(r.f.poll(5200), -1);
    QCOMPARE(r.f.poll(5600), 5);
    r.f.profileInForce(5, false);

    // Released long after: the switch is due at once, to the last window.
    r.f.setHeld(true);
    r.f.focusChanged(QStringLiteral("terminal"), false, 6000);
    r.f.focusChanged(QStringLiteral("game"), false, 6100);
    QCOMPARE(r.f.poll(9000), -1);
    r.f.setHeld(false);
    QCOMPARE(r.f.nextDeadline(), 6600);
    QCOMPARE(r.f.poll(9001), 2);
    r.f.profileInForce(2, false);

    // Unplugged: nothing until the mouse is back.
    r.f.setConnected(false);
    r.f.focusChanged(QStringLiteral("terminal"), false, 10000);
    QCOMPARE(r.f.poll(20000), -1);
    QCOMPARE(r.f.nextDeadline(), -1);
    r.f.setConnected(true);
    QCOMPARE(r.f.poll(20001), 0);
}

void TestProfileFollower::changedRulesApplyToTheWindowInFront()
{
    Running r;
    r.f.focusChanged(QStringLiteral("newgame"), false, 1000);
    r.runUntil(2000);
    QVERIFY(r.switches.isEmpty());
    r.f.setRules({{"game", 2}, {"newgame", 3}}, 3000);
    QCOMPARE(r.f.nextDeadline(), 3000);
    r.runUntil(3000);
    r.f.setRules({{"game", 2}}, 4000);
    r.runUntil(4000);
    QCOMPARE(r.switches, (QList<int>{3, 0}));
    // The same rules again are no change.
    r.f.setRules({{"game", 2}}, 5000);
    QCOMPARE(r.f.nextDeadline(), -1);
}

void TestProfileFollower::nothingIsDecidedBeforeTheSceneHasAProfile()
{
    ProfileFollower f;
    f.setRules({{"game", 2}}, 0);
    f.setConnected(true);
    f.focusChanged(QStringLiteral("game"), false, 0);
    QCOMPARE(f.nextDeadline(), -1);
    QCOMPARE(f.poll(1000), -1);
    // The first profile the scene puts in force counts as the hand's.
    f.profileInForce(1, false);
    QCOMPARE(f.manualProfile(), 1);
    QCOMPARE(f.poll(1000), 2);

    // The hand's choice of an earlier run outlives the scene's first profile,
    // which may have been an application's.
    ProfileFollower g;
    g.rememberManual(3);
    g.setConnected(true);
    g.focusChanged(QStringLiteral("terminal"), false, 0);
    QCOMPARE(g.poll(1000), -1);
    g.profileInForce(2, false);
    QCOMPARE(g.manualProfile(), 3);
    QCOMPARE(g.poll(1000), 3);
}

QTEST_GUILESS_MAIN(TestProfileFollower)
#include "tst_profilefollower.moc"
