// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

namespace sim {

using Bytes = std::vector<std::uint8_t>;
using Frame8 = std::array<std::uint8_t, 8>;

enum class Family { F553, F560 };

// What a real mouse remembers between commands.
struct MouseState
{
    std::array<std::array<std::uint8_t, 64>, 4> keyMatrix{};
    std::array<std::array<std::uint8_t, 128>, 12> macro{};
    std::array<std::uint8_t, 8> dpiTable{};
    std::uint8_t dpiStageCount = 0;
    std::uint8_t currentStage = 1;              // 553: the active stage
    std::array<std::uint8_t, 5> reportRate{};   // 553: [0]; 560: per on-device profile 1..4
    std::array<std::uint8_t, 5> profileStage{}; // 560: current DPI stage per profile
    std::uint8_t effect = 0, effectOption1 = 0, effectOption2 = 0;
    std::array<std::uint8_t, 3> fixColor{};
    std::uint8_t colorType = 0;
    std::array<std::uint8_t, 36> stageColors{};
    std::array<std::uint8_t, 4> gunData{};
    std::array<std::uint8_t, 4> keyboardOption{};
    std::uint8_t currentMatrix = 1; // 553: current key matrix; 560: current profile
    std::array<std::array<std::uint8_t, 128>, 5> profile{};
};

// The command interpreter of one controller family. It sees plain frames
// (already deciphered and checked) and complete data blocks.
class Firmware
{
public:
    explicit Firmware(Family family);

    Family family() const { return fam; }
    MouseState state;

    // Handles a frame. Returns the reply frame; sets expectedData to the length
    // of the data block that must follow (0 when none) and queues input
    // reports of reportLength bytes for reads.
    Frame8 onFrame(const Frame8 &frame, int &expectedData, int reportLength,
                   std::deque<Bytes> &inputReports);

    // A data block announced by `frame` arrived in full.
    void onData(const Frame8 &frame, const Bytes &data);

    // False for a code the family does not know.
    bool knows(std::uint8_t code) const;

private:
    Frame8 on553(const Frame8 &f, int &expectedData);
    Frame8 on560(const Frame8 &f, int &expectedData, int reportLength,
                 std::deque<Bytes> &inputReports);
    void data553(const Frame8 &f, const Bytes &data);
    void data560(const Frame8 &f, const Bytes &data);

    Family fam;
};

Frame8 makeReply(std::uint8_t code, std::initializer_list<std::uint8_t> values);

} // namespace sim
