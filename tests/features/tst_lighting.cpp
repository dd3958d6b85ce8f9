// SPDX-License-Identifier: GPL-2.0-or-later
// Lighting: every row of the three effect tables, and how each kind of mouse
// receives effects and colours.
#include "FeatureRig.h"
#include "features/LightingTables.h"

#include <QTest>

using lighting::Triple;
using Table = Triple (*)(int effect, int speed, int brightness);
Q_DECLARE_METATYPE(Triple)
Q_DECLARE_METATYPE(Table)

namespace {
constexpr int kLevels[] = {10, 30, 80, 160, 255};
}

class TestLighting : public QObject
{
    Q_OBJECT

private slots:
    void everyTableRow_data();
    void everyTableRow();
    void effectsReachEachKindOfMouse();
    void singleColour560WithoutGunSendsBlockOneOnly();
    void coloursPerVariant();
    void fixedColour();
};

void TestLighting::everyTableRow_data()
{
    QTest::addColumn<Table>("table");
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("brightness");
    QTest::addColumn<Triple>("triple");
    {
        const auto row = [](int effect, int s, int b, Triple t) {
            QTest::addRow("50-effect effect %d, speed %d, brightness %d", effect, s, b)
                << Table(&lighting::effect50) << effect << s << b << t;
        };
        const int S = 3, B = 1;
        const uchar L = uchar(kLevels[B]);
        row(1, S, B, {0x01, L, 0});
        row(2, S, B, {0x01, L, 2});
        row(3, S, B, {0x02, S, 0});
        row(4, S, B, {0x02, S, 2});
        row(5, S, B, {0x03, S, L});
        row(6, S, B, {0x04, S, L});
        row(7, S, B, {0x07, 4, 2});
        row(8, 1, 2, {0x09, 80, 0x32});
        row(9, S, B, {0x0B, L, 1});
        row(10, S, B, {0x0A, L, 4 - S});
        row(32, S, B, {0x01, L, 1});
        row(33, S, B, {0x02, S, 1});
        row(34, S, B, {0x05, L, 0});
        row(35, S, B, {0x05, L, 1});
        row(36, S, B, {0x05, L, 2});
        row(37, S, B, {0x06, 4, 0});
        row(38, S, B, {0x06, 4, 1});
        row(39, S, B, {0x06, 4, 2});
        row(40, S, B, {0x07, 4, 0});
        row(41, S, B, {0x07, 4, 1});
        row(43, S, B, {0x08, L, 0});
        row(44, S, B, {0x08, L, 1});
        row(45, 3, 4, {0x09, 255, 0x30});
        row(46, S, B, {0x09, L, (S << 4) | 1});
        row(48, S, B, {0x0B, L, 0});
        row(49, S, B, {0x0B, L, 2});
        for (int off : {0, 11, 20, 31, 42, 47, 50, 200})
            row(off, S, B, {0, 0, 0});
        row(1, 0, 0, {0x01, 10, 0});
        row(1, 0, 4, {0x01, 255, 0});
    }
    {
        const auto row = [](int effect, int s, int b, Triple t) {
            QTest::addRow("multi-colour effect %d, speed %d, brightness %d", effect, s, b)
                << Table(&lighting::effectMultiColour) << effect << s << b << t;
        };
        row(0, 2, 3, {0x01, 0xC0, 0});
        row(0, 2, 0, {0x01, 0, 0});
        row(1, 2, 3, {0x03, 0, 5});
        row(2, 0, 4, {0x04, 0, 10});
        row(3, 2, 3, {0x00, 0, 0});
        row(4, 1, 1, {0x02, 0x40, 0});
        row(5, 4, 2, {0x05, 0x80, 1});
        row(6, 2, 4, {0x06, 0, 0});
        row(7, 2, 4, {0x07, 0xFF, 0});
        row(8, 3, 4, {0x08, 0xFF, 13});
        row(9, 2, 0, {0x09, 0, 10});
        row(10, 1, 2, {0x0A, 0x80, 27});
        row(11, 1, 2, {0x00, 0, 0});
        row(5, 5, 5, {0x05, 0, 0}); // steps beyond the sliders give 0
    }
    {
        const auto row = [](int effect, int s, int b, Triple t) {
            QTest::addRow("single-colour effect %d, speed %d, brightness %d", effect, s, b)
                << Table(&lighting::effectSingleColour) << effect << s << b << t;
        };
        row(0, 0, 3, {1, 7, 1});
        row(0, 0, 5, {1, 0, 1});
        row(1, 4, 0, {2, 5, 1});
        row(2, 1, 0, {3, 24, 1});
        row(2, 6, 0, {3, 0, 1});
        row(4, 2, 0, {2, 3, 3});
        row(3, 2, 2, {0, 0, 0});
        row(9, 2, 2, {0, 0, 0});
    }
}

void TestLighting::everyTableRow()
{
    QFETCH(Table, table);
    QFETCH(int, effect);
    QFETCH(int, speed);
    QFETCH(int, brightness);
    QFETCH(Triple, triple);
    const Triple t = table(effect, speed, brightness);
    QCOMPARE(QList<int>({t.mode, t.a, t.b}), QList<int>({triple.mode, triple.a, triple.b}));
}

void TestLighting::effectsReachEachKindOfMouse()
{
    ModelFlags fifty;
    fifty.isColorful = fifty.is571 = true;
    FeatureRig a(sim::Family::F553, fifty);
    a.settings->mouseSetRGBEffect(8, 1, 2);
    QCOMPARE(a.frames(), QStringList{"0d 09 50 32 00 00 00"});

    ModelFlags multi;
    multi.isColorful = true;
    FeatureRig b(sim::Family::F553, multi);
    b.settings->mouseSetRGBEffect(9, 2, 0);
    QCOMPARE(b.frames(), QStringList{"0d 09 00 0a 00 00 00"});

    FeatureRig c(sim::Family::F553);
    c.settings->mouseSetRGBEffect(1, 4, 0);
    QCOMPARE(c.frames(), QStringList{"0d 02 05 02 00 00 00"});

    ModelFlags m55328;
    m55328.is55328 = true;
    FeatureRig d(sim::Family::F553, m55328);
    d.settings->mouseSetRGBEffect(1, 4, 0);
    QCOMPARE(d.frames(), QStringList{"0d 02 05 01 00 00 00"});

    // 560, multi-colour, gun: blocks 1 .. 4 carry the triple at 71 .. 73.
    ModelFlags gun = multi;
    gun.isGun = true;
    FeatureRig e(sim::Family::F560, gun);
    e.settings->mouseSetRGBEffect(5, 4, 2);
    QCOMPARE(e.frames().size(), 4);
    for (int p = 1; p <= 4; ++p)
        QCOMPARE(
            QByteArray(
                reinterpret_cast<const char *>(e.mouse().profile[std::size_t(p)].data()) + 71, 3),
            QByteArray::fromHex("058001"));
}

void TestLighting::singleColour560WithoutGunSendsBlockOneOnly()
{
    FeatureRig rig(sim::Family::F560);
    rig.settings->mouseSetRGBEffect(2, 1, 0);
    QCOMPARE(rig.frames(), QStringList{"0c 01 80 00 00 00 00"});
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(rig.mouse().profile[1].data()) + 71, 3),
             QByteArray::fromHex("031803"));
    for (unsigned p = 2; p <= 4; ++p)
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(rig.board.block(p).data()) + 71, 3),
                 QByteArray::fromHex("031802"));

    ModelFlags gun;
    gun.isGun = true;
    FeatureRig withGun(sim::Family::F560, gun);
    withGun.settings->mouseSetRGBEffect(2, 1, 0);
    QCOMPARE(withGun.frames().size(), 4);
    QCOMPARE(int(withGun.mouse().profile[1][73]), 2);
}

void TestLighting::coloursPerVariant()
{
    QVariantList colours;
    for (int i = 0; i < 36; ++i)
        colours << (i * 7) % 256;

    FeatureRig plain(sim::Family::F553);
    plain.settings->mouseSetRGBColor(1, colours);
    QCOMPARE(plain.frames(), (QStringList{"10 01 24 00 00 00 00", "10 01 24 00 00 00 00"}));

    ModelFlags m571;
    m571.is571 = true;
    FeatureRig b(sim::Family::F553, m571);
    b.settings->mouseSetRGBColor(1, colours);
    QCOMPARE(b.frames(), QStringList{"10 00 24 00 00 00 00"});

    ModelFlags m55328;
    m55328.is55328 = true;
    FeatureRig c(sim::Family::F553, m55328);
    c.settings->mouseSetRGBColor(1, colours);
    QCOMPARE(c.frames(), QStringList{"10 00 24 00 00 00 00"});
    fixture::bus().clearRecords();
    QVariantList slot8Black = colours;
    slot8Black[21] = slot8Black[22] = slot8Black[23] = 0;
    c.settings->mouseSetRGBColor(1, slot8Black);
    QCOMPARE(c.frames(), QStringList{"0c 00 07 0e 00 00 00"});

    ModelFlags multi;
    multi.isColorful = true;
    FeatureRig d(sim::Family::F560, multi);
    d.settings->mouseSetRGBColor(0, colours);
    QCOMPARE(d.frames(), QStringList{"0c 00 80 00 00 00 00"});
    QCOMPARE(int(d.mouse().profile[0][24 + 23]), (23 * 7) % 256);
    QCOMPARE(int(d.mouse().profile[0][48]), 0); // only eight slots travel

    FeatureRig e(sim::Family::F560);
    e.settings->mouseSetRGBColor(1, colours);
    QCOMPARE(e.frames(), QStringList{"0c 01 80 00 00 00 00"});
    QCOMPARE(int(e.mouse().profile[1][104]), 0);
    QCOMPARE(int(e.mouse().profile[1][127]), (23 * 7) % 256);
}

void TestLighting::fixedColour()
{
    FeatureRig a(sim::Family::F553);
    a.settings->mouseSetFixColor(ints({255, 122, 26}));
    QCOMPARE(a.frames(), QStringList{"0c ff 7a 1a 00 00 00"});
    const std::array<uchar, 3> expected = {255, 122, 26};
    QCOMPARE(a.mouse().fixColor, expected);

    // The 560 family has no fixed-colour command; nothing is sent.
    FeatureRig b(sim::Family::F560);
    b.settings->mouseSetFixColor(ints({255, 122, 26}));
    QVERIFY(b.frames().isEmpty());
}

QTEST_GUILESS_MAIN(TestLighting)
#include "tst_lighting.moc"
