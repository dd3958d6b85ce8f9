#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The command line is read before anything starts: what cannot be used ends
# with a usage error and status 2; Qt's own options and their values pass.
# Usage: start-options.sh KESTREL_TALON
set -u
exe=$1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
passed=0 failed=0
matches() { if [ "$1" = - ]; then [ ! -s "$2" ]; else grep -q -- "$1" "$2"; fi; }
expect() { # status, stderr pattern, stdout pattern ("-": empty), arguments...
    local status=$1 errs=$2 outs=$3
    shift 3
    # No display: nothing may get as far as connecting to one.
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 10 "$exe" "$@" >"$out" 2>"$err"
    local got=$?
    if [ "$got" -ne "$status" ] || ! matches "$errs" "$err" || ! matches "$outs" "$out"; then
        echo "FAIL: kestrel-talon $*: status $got"; cat "$out" "$err"; failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
}
expect 2 "^kestrel-talon: unknown option '--bogus'$" - --bogus
expect 2 "^Try 'kestrel-talon --help'" - --hidden --bogus --version
expect 2 "unexpected argument 'profile2'" - profile2
expect 2 "option '-platform' needs a value" - -platform
expect 0 - "^kestrel-talon [0-9]" -style fusion --version
expect 0 - "^kestrel-talon [0-9]" --platform=offscreen --version
expect 0 - "  --hidden" --minimized --help
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
