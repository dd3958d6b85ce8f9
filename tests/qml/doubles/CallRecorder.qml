// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The common part of the test doubles of the back-end objects: every call is
// recorded in `calls` with its arguments and answered from `answers` (a value,
// or a function given the arguments), else with the fallback the real slot
// gives when it has nothing to say (an empty list, false, nothing).
QtObject {
    property var calls: []
    property var answers: ({})

    function reset() {
        calls = []
        answers = {}
    }
    // The calls of one slot, oldest first, each a list of its arguments.
    function callsOf(name) {
        var found = []
        for (var i = 0; i < calls.length; ++i)
            if (calls[i].name === name)
                found.push(calls[i].args)
        return found
    }
    function record(name, args, fallback) {
        var list = calls
        list.push({ name: name, args: Array.prototype.slice.call(args) })
        calls = list
        if (!(name in answers))
            return fallback
        var answer = answers[name]
        return typeof answer === "function" ? answer.apply(null, args) : answer
    }
}
