// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A radio button: a click asks its owner to choose it (btnClick); the owner's
// value decides which of the group shows selected. Pictures radioBtn / radioBtnS.
SelectBox {
    exclusive: true
}
