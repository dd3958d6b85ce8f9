// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A check box: a click ticks or clears it; pictures checkBtn (ticked) or
// macroCheck0 / macroCheck1, an empty box where no unticked picture is given.
SelectBox {
    exclusive: false
}
