// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The program's reverse-DNS id, set once by the build (TALON_APP_ID): its
// desktop entry, AppStream metainfo and icons are named after it, and so is
// what it owns on the session bus.
inline constexpr char kApplicationId[] = TALON_APP_ID;
