// SPDX-License-Identifier: GPL-2.0-or-later
.pragma library

// A whole number from a stored value (numbers come back from the profile
// and configuration files as text), or `fallback` when there is none.
function toInt(value, fallback) {
    var n = parseInt(value, 10)
    return isNaN(n) ? fallback : n
}
