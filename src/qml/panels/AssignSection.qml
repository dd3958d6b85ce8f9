// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The area of one section of the assignment dialog, shown while its section
// is the dialog's current one.
Item {
    id: section

    property var owner                        // the dialog: currentSection, sectionLabels, tr()
    property int index: 0
    default property alias content: holder.data

    x: 20
    y: 56
    width: parent ? parent.width - 40 : 0
    height: parent ? parent.height - 72 : 0
    visible: !!owner && owner.currentSection === index

    Accessible.role: Accessible.Pane
    Accessible.name: owner ? owner.tr(owner.sectionLabels[index]) : ""

    Item {
        id: holder
        anchors.fill: parent
    }
}
