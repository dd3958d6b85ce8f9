// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>

// The process's resident set while nothing is on screen.
namespace workingSet {

// Takes the pages of the process's file mappings (program and library code,
// fonts, read-only data) out of its resident set, as a tray program does
// while nothing of it is on screen. They come back from the page cache or the
// file on first use; changed private pages and the heap stay. Returns the
// bytes of mappings released.
std::size_t trim();

} // namespace workingSet
