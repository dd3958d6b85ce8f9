#pragma once

#include <cstddef>

// The process's resident set while nothing is on screen.
namespace workingSet {

// Asks the kernel to take back the resident pages of the process's file
// mappings (program and library code, fonts, read-only data). They stay in
// the page cache and come back on first use; the kernel keeps pages it cannot
// drop (changed private pages, heap). Returns the bytes of mappings advised.
std::size_t trim();

} // namespace workingSet
