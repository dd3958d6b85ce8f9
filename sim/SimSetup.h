// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "SimBus.h"

#include <string>
#include <vector>

// What the preloaded library and the shared mouse's server have in common:
// the mice TALON_SIM describes, the journal's lines and the mouse's own
// controls (see SimEnvironment.h).
namespace sim::setup {

// Plugs the mice of a TALON_SIM text ("553" when empty; "none" plugs none).
void plugAll(Bus &bus, const std::string &mice);

// The journal's lines for one record: its trace line, after an output report
// also its "data" line; none for what the journal leaves out.
std::vector<std::string> journalLines(const Record &r);

// The DPI button (stages 1 to 5 in turn) and the cable of the first mouse.
class Controls
{
public:
    void pressDpiButton(Bus &bus);
    // Unplugs the mouse, or plugs it back in; true when it is in now.
    bool togglePlug(Bus &bus);

private:
    int stage = 1;
    bool pluggedIn = true;
};

} // namespace sim::setup
