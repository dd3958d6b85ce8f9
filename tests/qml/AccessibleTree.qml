// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Looks items up as a screen reader finds them: by accessible role and name.
QtObject {
    function all(root, role) {
        var found = []
        var pending = [root]
        while (pending.length > 0) {
            var item = pending.shift()
            for (var i = 0; i < item.children.length; ++i) {
                var child = item.children[i]
                if (child.Accessible.role === role)
                    found.push(child)
                pending.push(child)
            }
        }
        return found
    }
    function named(root, role, name) {
        var list = all(root, role)
        for (var i = 0; i < list.length; ++i)
            if (list[i].Accessible.name === name)
                return list[i]
        return null
    }
}
