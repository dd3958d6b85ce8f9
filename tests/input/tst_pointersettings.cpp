// SPDX-License-Identifier: GPL-2.0-or-later
// Pointer settings: the panel's steps as platform values, GNOME's settings
// through GIO (its memory back end), and the failure texts.
// GIO first: its headers use words that Qt's headers define as macros.
#include <gio/gio.h>

#include "LinkFixture.h"
#include "input/GnomePointerSettings.h"

#include <QTest>

namespace {

// Records what it was given; refuses when told to.
class FakeBackend : public PointerSettingsBackend
{
public:
    explicit FakeBackend(bool accept, QList<int> &log) : accept(accept), log(log) {}
    bool setSpeed(int v) override { return record(v); }
    bool setDoubleClickTime(int v) override { return record(v); }
    bool setScrollLines(int v) override { return record(v); }
    bool accept;

private:
    bool record(int v)
    {
        log << v;
        return accept;
    }
    QList<int> &log;
};

} // namespace

class TestPointerSettings : public QObject
{
    Q_OBJECT

private slots:
    void conversionsAtTheEndsOfEachRange();
    void valuesReachTheBackend();
    void failuresWriteTheirTexts();
    void whetherEachSettingIsTaken();
    void gnomeSettingsThroughGio();
};

void TestPointerSettings::conversionsAtTheEndsOfEachRange()
{
    QCOMPARE(PointerSettings::speedValue(0), 1);
    QCOMPARE(PointerSettings::speedValue(1), 2);
    QCOMPARE(PointerSettings::speedValue(10), 20);
    QCOMPARE(PointerSettings::doubleClickMs(0), 900);
    QCOMPARE(PointerSettings::doubleClickMs(10), 200);
    QCOMPARE(GnomePointerSettings::gnomeSpeed(1), -0.9);
    QCOMPARE(GnomePointerSettings::gnomeSpeed(10), 0.0);
    QCOMPARE(GnomePointerSettings::gnomeSpeed(20), 1.0);
    QCOMPARE(GnomePointerSettings::gnomeSpeed(40), 1.0);
}

void TestPointerSettings::valuesReachTheBackend()
{
    QList<int> log;
    PointerSettings settings(std::make_unique<FakeBackend>(true, log));
    fixture::MessageLog messages;
    settings.mouseSetCursorSpeed(0);
    settings.mouseSetCursorSpeed(7);
    settings.mouseSetDoubleClickSpeed(3);
    settings.mouseSetVerticalScrollLines(1000);
    QCOMPARE(log, (QList<int>{1, 14, 690, 1000}));
    QVERIFY(messages.lines.isEmpty());
}

void TestPointerSettings::failuresWriteTheirTexts()
{
    QList<int> log;
    for (bool withBackend : {false, true}) {
        PointerSettings settings(withBackend ? std::make_unique<FakeBackend>(false, log) : nullptr);
        fixture::MessageLog messages;
        settings.mouseSetCursorSpeed(5);
        settings.mouseSetDoubleClickSpeed(5);
        settings.mouseSetVerticalScrollLines(3);
        QCOMPARE(messages.lines, (QStringList{"setCursorSpeed Failed", "setDoubleClickSpeed Failed",
                                              "setVerticalScrollLines Failed"}));
    }
}

void TestPointerSettings::whetherEachSettingIsTaken()
{
    using S = PointerSettingsBackend;
    QList<int> log;
    fixture::MessageLog messages;

    PointerSettings none(nullptr);
    for (S::Setting s : {S::Speed, S::DoubleClickTime, S::ScrollLines})
        QVERIFY(!none.applies(s));

    // A failure is remembered for its own setting only, until a call succeeds.
    auto flaky = std::make_unique<FakeBackend>(false, log);
    FakeBackend *backend = flaky.get();
    PointerSettings settings(std::move(flaky));
    QVERIFY(settings.applies(S::Speed));
    settings.mouseSetCursorSpeed(4);
    QVERIFY(!settings.applies(S::Speed));
    QVERIFY(settings.applies(S::DoubleClickTime));
    QVERIFY(settings.applies(S::ScrollLines));
    backend->accept = true;
    settings.mouseSetCursorSpeed(4);
    QVERIFY(settings.applies(S::Speed));

    // GNOME has no wheel-lines setting: known before any attempt.
    GnomePointerSettings gnome;
    QVERIFY(gnome.offers(S::Speed));
    QVERIFY(gnome.offers(S::DoubleClickTime));
    QVERIFY(!gnome.offers(S::ScrollLines));
}

void TestPointerSettings::gnomeSettingsThroughGio()
{
    QCOMPARE(qgetenv("GSETTINGS_BACKEND"), QByteArray("memory"));
    QVERIFY2(GnomePointerSettings::available(),
             "the GNOME mouse schema is installed by the test set-up");
    auto backend = createPointerSettingsBackend();
    QVERIFY(backend);
    PointerSettings settings(std::move(backend));
    fixture::MessageLog messages;
    settings.mouseSetCursorSpeed(3);       // 6: (6 - 10) / 10
    settings.mouseSetDoubleClickSpeed(10); // 200 ms
    settings.mouseSetVerticalScrollLines(3);
    QCOMPARE(messages.lines, QStringList{"setVerticalScrollLines Failed"});

    GSettings *mouse = g_settings_new(GnomePointerSettings::kSchema);
    QCOMPARE(g_settings_get_double(mouse, "speed"), -0.4);
    QCOMPARE(g_settings_get_int(mouse, "double-click"), 200);
    g_object_unref(mouse);
}

QTEST_GUILESS_MAIN(TestPointerSettings)
#include "tst_pointersettings.moc"
