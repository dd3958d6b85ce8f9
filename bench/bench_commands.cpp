// SPDX-License-Identifier: GPL-2.0-or-later
// Wall time of every command against the virtual mouse, in real time, divided
// by the pauses the protocol mandates for it: how much the link itself adds.
// Run: build/bin/bench_commands [repetitions]
#include "SimBus.h"
#include "device/Hid_Thread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>

namespace {

struct Case
{
    const char *name;
    sim::Family family;
    int reportLength;
    int dataLength;   // bytes of the data block
    int pacedFrames;  // frames sent with the 128 ms pauses
    int unpacedSends; // commands followed by the 8 ms sleep
    std::function<void(Hid_Thread &)> call;
};

// What the protocol mandates: 128 ms after each paced frame, 120 ms after each
// data report, 128 ms after the data of a paced command, 8 ms after the two
// unpaced commands.
int mandatedMs(const Case &c)
{
    const int reports = c.dataLength ? (c.dataLength + c.reportLength - 1) / c.reportLength : 0;
    return c.pacedFrames * 128 + reports * 120 + (c.dataLength && c.pacedFrames ? 128 : 0) +
           c.unpacedSends * 8;
}

uchar block[128] = {};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    using sim::Family;
    uchar a = 0, b = 0, c = 0, d = 0;
    const std::vector<Case> cases = {
        {"553 01 report rate", Family::F553, 32, 0, 1, 0,
         [](Hid_Thread &l) { l.hid553_01H_SetReportRate(1); }},
        {"553 0B current DPI", Family::F553, 32, 0, 1, 0,
         [](Hid_Thread &l) { l.hid553_0BH_SetCurrentDPI(2); }},
        {"553 02 key matrix choice", Family::F553, 32, 0, 1, 0,
         [](Hid_Thread &l) { l.hid553_02H_SetCurrentKeyMatrix(1); }},
        {"553 0D effect", Family::F553, 32, 0, 1, 0,
         [](Hid_Thread &l) { l.hid553_0DH_SetRGBLedEffect(1, 2, 3); }},
        {"553 0C fixed colour", Family::F553, 32, 0, 1, 0,
         [](Hid_Thread &l) { l.hid553_0CH_SetFixLEDColor(block); }},
        {"553 03 keyboard option", Family::F553, 32, 0, 0, 1,
         [](Hid_Thread &l) { l.hid553_03H_SetKeyboardoption(0, 0, 0, 0x48); }},
        {"553 04 gun data", Family::F553, 32, 0, 0, 1,
         [](Hid_Thread &l) { l.hid553_04H_SetGunData(1, 2, 3, 4); }},
        {"553 12 key matrix (64 B / 32)", Family::F553, 32, 64, 1, 0,
         [](Hid_Thread &l) { l.hid553_12H_SetKeyMatrix(block, 1); }},
        {"553 13 macro (128 B / 32)", Family::F553, 32, 128, 1, 0,
         [](Hid_Thread &l) { l.hid553_13H_SetMacroKey(1, block); }},
        {"553 13 macro (128 B / 64)", Family::F553, 64, 128, 1, 0,
         [](Hid_Thread &l) { l.hid553_13H_SetMacroKey(1, block); }},
        {"553 11 DPI table (8 B)", Family::F553, 32, 8, 1, 0,
         [](Hid_Thread &l) { l.hid553_11H_SetDPISet(5, block); }},
        {"553 10 colours (36 B / 32)", Family::F553, 32, 36, 1, 0,
         [](Hid_Thread &l) { l.hid553_10H_SetLED8StageColor(0, block); }},
        {"553 10 colours (4 B)", Family::F553, 32, 4, 1, 0,
         [](Hid_Thread &l) { l.hid553_10H_SetLED8StageColor(2, block); }},
        {"560 01 keyboard option", Family::F560, 64, 0, 0, 1,
         [](Hid_Thread &l) { l.hid560_01H_SetKeyboardoption(8, 0); }},
        {"560 02 current profile", Family::F560, 64, 0, 0, 1,
         [](Hid_Thread &l) { l.hid560_02H_SetCurrentProfile(1); }},
        {"560 03 report rate (4 profiles)", Family::F560, 64, 0, 4, 0,
         [](Hid_Thread &l) { l.hid560_03H_SetReportRate(1); }},
        {"560 04 current DPI (4 profiles)", Family::F560, 64, 0, 4, 0,
         [](Hid_Thread &l) { l.hid560_04H_SetCurrentDPI(1); }},
        {"560 0D key matrix (128 B / 64)", Family::F560, 64, 128, 1, 0,
         [](Hid_Thread &l) { l.hid560_0DH_SetKeyMatrix(block, 1); }},
        {"560 0C profile (128 B / 64)", Family::F560, 64, 128, 1, 0,
         [](Hid_Thread &l) { l.hid560_0CH_setProfile(block, 1); }},
        {"560 0C profile (128 B / 32)", Family::F560, 32, 128, 1, 0,
         [](Hid_Thread &l) { l.hid560_0CH_setProfile(block, 1); }},
        {"560 0F macro (128 B / 64)", Family::F560, 64, 128, 1, 0,
         [](Hid_Thread &l) { l.hid560_0FH_SetMacroKey(1, block); }},
    };
    const std::vector<
        std::pair<const char *, std::pair<sim::Family, std::function<void(Hid_Thread &)>>>>
        queries = {
            {"553 00 handshake",
             {Family::F553, [&](Hid_Thread &l) { l.hid553_00H_GetSecrecyCode(a, b, c, d); }}},
            {"553 83 keyboard option",
             {Family::F553, [&](Hid_Thread &l) { l.hid553_83H_GetKeyboardoption(a, b, c, d); }}},
            {"553 8B current DPI",
             {Family::F553, [&](Hid_Thread &l) { l.hid553_8BH_GetCurrentDPI(a); }}},
            {"560 81 keyboard option",
             {Family::F560, [&](Hid_Thread &l) { l.hid560_81H_GetKeyboardoption(a, b); }}},
            {"560 82 current profile",
             {Family::F560, [&](Hid_Thread &l) { l.hid560_82H_GetCurrentProfile(a); }}},
            {"560 84 current DPI",
             {Family::F560, [&](Hid_Thread &l) { l.hid560_84H_GetCurrentDPI(a, b); }}},
            {"560 8C profile read (128 B / 64)",
             {Family::F560, [&](Hid_Thread &l) { l.hid560_8CH_readProfile(block, 1); }}},
        };

    sim::Bus &bus = sim::Bus::instance();
    const auto attach = [&bus](Hid_Thread &link, sim::Family family, int reportLength) {
        bus.reset();
        sim::MouseConfig config;
        config.family = family;
        config.reportLength = reportLength;
        const int device = bus.plug(config);
        DeviceEntry e;
        e.reportLength = reportLength;
        e.commandPath = QString::fromStdString(bus.path(device, sim::kCommand));
        link.deviceList = {e};
        link.deviceIndex = 0;
    };

    std::printf(
        "| command | mandated ms | measured ms (best of %d) | ratio |\n|---|---:|---:|---:|\n",
        repetitions);
    double worst = 0;
    for (const Case &c : cases) {
        Hid_Thread link;
        attach(link, c.family, c.reportLength);
        qint64 best = -1;
        for (int r = 0; r < repetitions; ++r) {
            QElapsedTimer t;
            t.start();
            c.call(link);
            const qint64 ns = t.nsecsElapsed();
            best = best < 0 ? ns : std::min(best, ns);
        }
        const int mandated = mandatedMs(c);
        const double ratio = double(best) / 1e6 / mandated;
        worst = std::max(worst, ratio);
        std::printf("| %s | %d | %.2f | %.4f |\n", c.name, mandated, best / 1e6, ratio);
    }
    std::printf("\nworst ratio: %.4f\n\n| query (no mandated pause) | measured ms |\n|---|---:|\n",
                worst);
    for (const auto &q : queries) {
        Hid_Thread link;
        attach(link, q.second.first, 64);
        qint64 best = -1;
        for (int r = 0; r < repetitions * 100; ++r) {
            QElapsedTimer t;
            t.start();
            q.second.second(link);
            const qint64 ns = t.nsecsElapsed();
            best = best < 0 ? ns : std::min(best, ns);
        }
        std::printf("| %s | %.3f |\n", q.first, best / 1e6);
    }
    return 0;
}
