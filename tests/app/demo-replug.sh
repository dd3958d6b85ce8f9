#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The demo's replug: the real executable against the preloaded virtual mouse;
# SIGUSR2 unplugs the mouse and, sent again, plugs it back in. The program
# notices the removal, hears the plug as a device change and connects again,
# the scene starting over as after a real replug.
# Usage (on an X server): demo-replug.sh KESTREL_TALON LIBTALONSIM MODULES
set -u
exe=$(realpath "$1") sim=$(realpath "$2") modules=$(realpath "$3")
work=$(mktemp -d)
log=$work/log
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$work"' EXIT
# A copy of the executable beside a data tree of its own.
cp "$exe" "$work/" && cp -r "$modules" "$work/modules"
QT_LOGGING_RULES="talon.startup.debug=true" LD_PRELOAD="$sim" TALON_SIM=553 "$work/kestrel-talon" >"$log" 2>&1 &
pid=$!
passed=0 failed=0
wait_for() { # count pattern seconds
    for _ in $(seq 1 $(($3 * 10))); do
        [ "$(grep -c -- "$2" "$log")" -ge "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
check() { # description count pattern seconds
    if wait_for "$2" "$3" "$4"; then passed=$((passed + 1)); else
        echo "FAIL: $1"; failed=$((failed + 1)); cat "$log"; echo "$passed passed, $failed failed"; exit 1
    fi
}
check "the first start connects" 1 "Device Connect" 15
check "the scene starts" 1 "initUI" 15
kill -USR2 "$pid"
check "the unplug is noticed" 1 "Device removed" 10
sleep 0.5
kill -USR2 "$pid"
check "the replug connects again" 2 "Device Connect" 10
check "the scene starts over" 2 "initUI" 5
kill -USR2 "$pid"
check "a second unplug is noticed" 2 "Device removed" 10
kill -USR2 "$pid"
check "and a second replug connects" 3 "Device Connect" 10
echo "$passed passed, $failed failed"
