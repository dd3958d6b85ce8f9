// SPDX-License-Identifier: GPL-2.0-or-later
#include "Firmware.h"

#include <algorithm>

namespace sim {

Frame8 makeReply(std::uint8_t code, std::initializer_list<std::uint8_t> values)
{
    Frame8 r{};
    r[0] = code;
    int i = 1;
    for (std::uint8_t v : values)
        r[i++] = v;
    unsigned sum = 0;
    for (int k = 0; k < 7; ++k)
        sum += r[k];
    r[7] = static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
    return r;
}

Firmware::Firmware(Family family) : fam(family)
{
    // Factory state: five stages of 400 .. 3200 in the sensor's 50-DPI units,
    // 1000 Hz, every profile distinct so that reads can be told apart.
    state.dpiTable = {8, 16, 32, 48, 64, 0, 0, 0};
    state.dpiStageCount = 5;
    state.reportRate.fill(1);
    state.profileStage.fill(1);
    for (std::size_t p = 0; p < state.profile.size(); ++p)
        for (std::size_t i = 0; i < state.profile[p].size(); ++i)
            state.profile[p][i] = static_cast<std::uint8_t>(p * 0x20 + i);
}

bool Firmware::knows(std::uint8_t code) const
{
    static const std::uint8_t k553[] = {0x00, 0x83, 0x8B, 0x03, 0x04, 0x01, 0x0B,
                                        0x12, 0x13, 0x11, 0x02, 0x0D, 0x0C, 0x10};
    static const std::uint8_t k560[] = {0x00, 0x81, 0x82, 0x84, 0x01, 0x03,
                                        0x04, 0x0D, 0x0C, 0x8C, 0x02, 0x0F};
    if (fam == Family::F553)
        return std::find(std::begin(k553), std::end(k553), code) != std::end(k553);
    return std::find(std::begin(k560), std::end(k560), code) != std::end(k560);
}

Frame8 Firmware::onFrame(const Frame8 &f, int &expectedData, int reportLength,
                         std::deque<Bytes> &inputReports)
{
    expectedData = 0;
    if (f[0] == 0x00) // the handshake is common to both families: echo the challenge
        return makeReply(0x00, {f[1], f[2], f[3], f[4]});
    if (!knows(f[0]))
        return Frame8{};
    return fam == Family::F553 ? on553(f, expectedData)
                               : on560(f, expectedData, reportLength, inputReports);
}

Frame8 Firmware::on553(const Frame8 &f, int &expectedData)
{
    MouseState &s = state;
    switch (f[0]) {
    case 0x83:
        return makeReply(0x83, {s.keyboardOption[0], s.keyboardOption[1], s.keyboardOption[2],
                                s.keyboardOption[3]});
    case 0x8B:
        return makeReply(0x8B, {s.currentStage});
    case 0x03:
        std::copy(f.begin() + 1, f.begin() + 5, s.keyboardOption.begin());
        break;
    case 0x04:
        std::copy(f.begin() + 2, f.begin() + 6, s.gunData.begin());
        break;
    case 0x01:
        s.reportRate[0] = f[1];
        break;
    case 0x0B:
        s.currentStage = f[1];
        break;
    case 0x02:
        s.currentMatrix = f[1];
        break;
    case 0x0D:
        s.effect = f[1];
        s.effectOption1 = f[2];
        s.effectOption2 = f[3];
        break;
    case 0x0C:
        std::copy(f.begin() + 1, f.begin() + 4, s.fixColor.begin());
        break;
    case 0x12: // key matrix: byte 2 is the block length (64)
    case 0x13: // macro: 128
    case 0x11: // DPI table: 8
    case 0x10: // stage colours: 4 or 36
        expectedData = f[2];
        break;
    default:
        break;
    }
    return makeReply(f[0], {});
}

Frame8 Firmware::on560(const Frame8 &f, int &expectedData, int reportLength,
                       std::deque<Bytes> &inputReports)
{
    MouseState &s = state;
    const auto profileIndex = [](std::uint8_t p) { return p < 5 ? p : -1; };
    switch (f[0]) {
    case 0x81:
        return makeReply(0x81, {s.keyboardOption[0], s.keyboardOption[1]});
    case 0x82:
        return makeReply(0x82, {s.currentMatrix});
    case 0x84: {
        const int p = profileIndex(s.currentMatrix);
        return makeReply(0x84, {f[1], p >= 0 ? s.profileStage[p] : std::uint8_t(0)});
    }
    case 0x01:
        s.keyboardOption[0] = f[1];
        s.keyboardOption[1] = f[2];
        break;
    case 0x03:
        if (f[1] >= 1 && f[1] <= 4)
            s.reportRate[f[1]] = f[2];
        break;
    case 0x04:
        if (f[1] >= 1 && f[1] <= 4)
            s.profileStage[f[1]] = f[2];
        break;
    case 0x02:
        s.currentMatrix = f[1];
        break;
    case 0x0D:
    case 0x0C:
    case 0x0F:
        expectedData = f[2];
        break;
    case 0x8C: {
        const int p = profileIndex(f[1]);
        if (p < 0 || reportLength < 1)
            return Frame8{};
        const auto &block = s.profile[static_cast<std::size_t>(p)];
        for (int offset = 0; offset < 128; offset += reportLength) {
            Bytes report(static_cast<std::size_t>(reportLength), 0);
            const int n = std::min(reportLength, 128 - offset);
            std::copy(block.begin() + offset, block.begin() + offset + n, report.begin());
            inputReports.push_back(report);
        }
        break;
    }
    default:
        break;
    }
    return makeReply(f[0], {});
}

void Firmware::onData(const Frame8 &f, const Bytes &data)
{
    if (fam == Family::F553)
        data553(f, data);
    else
        data560(f, data);
}

void Firmware::data553(const Frame8 &f, const Bytes &data)
{
    MouseState &s = state;
    switch (f[0]) {
    case 0x12:
        if (f[1] >= 1 && f[1] <= 4)
            std::copy_n(data.begin(), 64, s.keyMatrix[f[1] - 1u].begin());
        break;
    case 0x13:
        if (f[1] >= 1 && f[1] <= s.macro.size()) // one-based slot
            std::copy_n(data.begin(), 128, s.macro[f[1] - 1u].begin());
        break;
    case 0x11:
        s.dpiStageCount = f[1];
        std::copy_n(data.begin(), 8, s.dpiTable.begin());
        break;
    case 0x10:
        s.colorType = f[1];
        s.stageColors.fill(0);
        std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 36), s.stageColors.begin());
        break;
    default:
        break;
    }
}

void Firmware::data560(const Frame8 &f, const Bytes &data)
{
    MouseState &s = state;
    switch (f[0]) {
    case 0x0D:
        if (f[1] >= 1 && f[1] <= 4)
            std::copy_n(data.begin(), 64, s.keyMatrix[f[1] - 1u].begin());
        break;
    case 0x0C:
        if (f[1] < s.profile.size())
            std::copy_n(data.begin(), 128, s.profile[f[1]].begin());
        break;
    case 0x0F:
        if (f[1] >= 1 && f[1] <= s.macro.size()) // one-based slot
            std::copy_n(data.begin(), 128, s.macro[f[1] - 1u].begin());
        break;
    default:
        break;
    }
}

} // namespace sim
