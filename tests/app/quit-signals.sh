#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The real executable against the preloaded virtual mouse: SIGTERM, SIGINT
# and SIGHUP end it as its quit action does (exit status 0, the listener
# stopped before hidapi is shut down, nothing left open), and a start whose
# single-instance lock cannot be taken says why.
# Usage (on an X server): quit-signals.sh KESTREL_TALON LIBTALONSIM
set -u
exe=$(realpath "$1") sim=$(realpath "$2")
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; chattr -i "$work/runtime" 2>/dev/null; rm -rf "$work"' EXIT
failures=0 checks=0 failed_check=0
# One check may find several faults; it counts once.
fail() { echo "FAIL: $*"; [ "$failed_check" = "$checks" ] || failures=$((failures + 1)); failed_check=$checks; }

for signal in TERM INT HUP; do
    checks=$((checks + 1))
    rm -f "$work/trace"
    LD_PRELOAD="$sim" TALON_SIM=553 TALON_SIM_TRACE="$work/trace" "$exe" >"$work/log" 2>&1 &
    pid=$!
    for _ in $(seq 1 150); do
        grep -q "Device Connect" "$work/log" && break
        sleep 0.1
    done
    grep -q "Device Connect" "$work/log" || { fail "$signal: no connection"; cat "$work/log"; kill "$pid"; continue; }
    sleep 0.7 # the listener is inside its read now
    kill -s "$signal" "$pid"
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$signal: still running"; kill -9 "$pid"; continue
    fi
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || fail "$signal: exit status $status"
    # The trace is written at a normal exit only.
    grep -q "^hid_exit open=0$" "$work/trace" 2>/dev/null || fail "$signal: hid_exit not reached with every handle closed: $(grep hid_exit "$work/trace" 2>/dev/null)"
    ! grep -q "call after hid_exit" "$work/trace" 2>/dev/null || fail "$signal: hidapi called after hid_exit"
done

# A lock folder where no lock file can be made (an immutable folder: even
# root cannot create files in it) is no other instance: say so.
skipped=0
mkdir -m 700 "$work/runtime"
if chattr +i "$work/runtime" 2>/dev/null; then
    checks=$((checks + 1))
    XDG_RUNTIME_DIR="$work/runtime" LD_PRELOAD="$sim" TALON_SIM=553 timeout 20 "$exe" >"$work/log" 2>&1
    status=$?
    chattr -i "$work/runtime"
    [ "$status" -eq 1 ] || fail "broken lock folder: exit status $status"
    grep -q "kestrel-talon: cannot take the single-instance lock $work/runtime/" "$work/log" \
        || { fail "broken lock folder: no message"; cat "$work/log"; }
else
    echo "SKIP: this file system has no immutable folders"
    skipped=1
fi

echo "$((checks - failures)) passed, $failures failed, $skipped skipped"
[ "$failures" -eq 0 ]
