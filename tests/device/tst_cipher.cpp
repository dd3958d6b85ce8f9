// SPDX-License-Identifier: GPL-2.0-or-later
// The frame cipher: a known answer worked out by hand, the round trip, the
// code bytes that take no part, and agreement with the mouse's own cipher.
#include "SimCipher.h"
#include "device/Cipher.h"
#include "device/Hid_Thread.h"

#include <QRandomGenerator>
#include <QTest>
#include <array>

using Block = std::array<uchar, 8>;

namespace {

std::array<uchar, 8> codeArray(const char *six)
{
    std::array<uchar, 8> c{};
    for (int i = 0; i < 6; ++i)
        c[1 + i] = static_cast<uchar>(six[i]);
    return c;
}

} // namespace

class TestCipher : public QObject
{
    Q_OBJECT

private slots:
    void knownAnswer();
    void roundTripOverRandomBlocksAndCodes();
    void codeBytesZeroAndSevenTakeNoPart();
    void agreesWithTheMousesCipher();
};

void TestCipher::knownAnswer()
{
    // Frame 01 01 00 00 00 00 00 fd with the code "417093" (34 31 37 30 39 33):
    //   pair exchange (0-5, 1-4, 2-7, 3-6)  00 00 fd 00 01 01 00 00
    //   bytes 1..6 xor code                 00 34 cc 37 31 38 33 00
    //   64-bit rotate left by 3             01 a6 61 b9 89 c1 98 00
    //   + swapped nibbles of "TuvKexMo"     45 57 67 b4 56 87 d4 f6
    //   =                                   46 fd c8 6d df 48 6c f6
    Block b{0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xfd};
    auto code = codeArray("417093");
    Hid_Thread link;
    link.USBDataEncryption(b.data(), code.data());
    QCOMPARE(b, (Block{0x46, 0xfd, 0xc8, 0x6d, 0xdf, 0x48, 0x6c, 0xf6}));
    link.USBDataDecipher(b.data(), code.data());
    QCOMPARE(b, (Block{0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xfd}));

    // A handshake frame: 00 16 31 0b 1f 00 00 8e.
    Block h{0x00, 0x16, 0x31, 0x0b, 0x1f, 0x00, 0x00, 0x8e};
    cipher::encipher(h.data(), code.data());
    QCOMPARE(h, (Block{0x46, 0xb4, 0x60, 0x6d, 0x87, 0x50, 0x95, 0x7e}));
}

void TestCipher::roundTripOverRandomBlocksAndCodes()
{
    QRandomGenerator rng(20261209);
    for (int n = 0; n < 20000; ++n) {
        Block plain, code;
        for (uchar &x : plain)
            x = static_cast<uchar>(rng.bounded(256));
        for (uchar &x : code)
            x = static_cast<uchar>(rng.bounded(256));
        Block b = plain;
        cipher::encipher(b.data(), code.data());
        if (n % 1000 == 0)
            QVERIFY(b != plain || plain == Block{});
        cipher::decipher(b.data(), code.data());
        QCOMPARE(b, plain);
    }
}

void TestCipher::codeBytesZeroAndSevenTakeNoPart()
{
    QRandomGenerator rng(7);
    for (int n = 0; n < 1000; ++n) {
        Block plain, code;
        for (uchar &x : plain)
            x = static_cast<uchar>(rng.bounded(256));
        for (uchar &x : code)
            x = static_cast<uchar>(rng.bounded(256));
        Block other = code;
        other[0] = static_cast<uchar>(~code[0]);
        other[7] = static_cast<uchar>(code[7] + 1);

        Block a = plain, b = plain;
        cipher::encipher(a.data(), code.data());
        cipher::encipher(b.data(), other.data());
        QCOMPARE(a, b);
        cipher::decipher(a.data(), code.data());
        cipher::decipher(b.data(), other.data());
        QCOMPARE(a, b);

        // Every one of bytes 1 to 6 does take part.
        Block c = plain;
        Block changed = code;
        changed[1 + n % 6] ^= 0x01;
        cipher::encipher(c.data(), changed.data());
        Block d = plain;
        cipher::encipher(d.data(), code.data());
        QVERIFY(c != d);
    }
}

void TestCipher::agreesWithTheMousesCipher()
{
    QRandomGenerator rng(99);
    for (int n = 0; n < 5000; ++n) {
        Block plain;
        for (uchar &x : plain)
            x = static_cast<uchar>(rng.bounded(256));
        char six[7] = {};
        for (int i = 0; i < 6; ++i)
            six[i] = static_cast<char>(0x21 + rng.bounded(94));
        auto code = codeArray(six);

        Block ours = plain, mouse = plain;
        cipher::encipher(ours.data(), code.data());
        sim::encipherBlock(mouse.data(), code.data() + 1);
        QCOMPARE(ours, mouse);
        sim::decipherBlock(ours.data(), code.data() + 1);
        QCOMPARE(ours, plain);
    }
}

QTEST_GUILESS_MAIN(TestCipher)
#include "tst_cipher.moc"
