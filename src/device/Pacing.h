// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Every delay the protocol mandates goes through protocolSleep, so that tests
// can put the link on a virtual clock and assert the pauses exactly.
namespace pacing {

constexpr int kAfterDataReportMs = 120; // after each data output report
constexpr int kHalfPauseMs = 64;        // pause128 sleeps twice this
constexpr int kAfterUnpacedMs = 8;      // after the unpaced setting commands
constexpr int kIdleRetryMs = 8;         // between idle-token attempts
constexpr int kIdleAttempts = 255;

using SleepHook = void (*)(int milliseconds);

void protocolSleep(int milliseconds);

// nullptr restores the real sleep. Returns the previous hook.
SleepHook setSleepHook(SleepHook hook);

} // namespace pacing
