// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A check box: a click asks its owner to turn its value over (btnClick, with
// isSelect still the old state); pictures checkBtn (ticked) or
// macroCheck0 / macroCheck1, an empty box where no unticked picture is given.
SelectBox {
    exclusive: false
}
