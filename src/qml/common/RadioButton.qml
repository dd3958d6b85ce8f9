// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A radio button: a click selects it (the owner clears the others of its
// group on btnClick); pictures radioBtn / radioBtnS.
SelectBox {
    exclusive: true
}
