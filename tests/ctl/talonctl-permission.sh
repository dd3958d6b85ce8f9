#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# talonctl when the mouse is plugged in but may not be opened (the preloaded
# virtual mouse refuses every open with EACCES): the fix on standard error,
# exit status 1, and not the words for a missing mouse (which the commands
# that connect give on standard error, probe in its report).
# Usage: talonctl-permission.sh TALONCTL LIBTALONSIM CONFIG
set -u
talonctl=$1 sim=$2 config=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() { # description, then a command that must succeed
    local what=$1; shift
    if "$@"; then passed=$((passed + 1)); else
        echo "FAIL: $what"; sed 's/^/    out: /' "$work/out"; sed 's/^/    err: /' "$work/err"
        failed=$((failed + 1))
    fi
}
for command in probe dpi; do
    LD_PRELOAD="$sim" TALON_SIM="553,denied" "$talonctl" $command --config "$config" >"$work/out" 2>"$work/err"
    check "$command: exit status 1" test $? -eq 1
    check "$command: says what is wrong" grep -q "^talonctl: The mouse is plugged in, but this user may not open it (permission denied)" "$work/err"
    check "$command: gives the rule" grep -qF "'KERNEL==\"hidraw*\", ATTRS{idVendor}==\"04d9\", ATTRS{idProduct}==\"a1ee\", TAG+=\"uaccess\"' | sudo tee /etc/udev/rules.d/70-kestrel-talon.rules" "$work/err"
    check "$command: and the reload" grep -qx "sudo udevadm control --reload && sudo udevadm trigger" "$work/err"
    check "$command: not a missing mouse" bash -c "! grep -q 'no device answered' '$work/out'"

    LD_PRELOAD="$sim" TALON_SIM=none "$talonctl" $command --config "$config" >"$work/out" 2>"$work/err"
    check "$command without a mouse: exit status 1" test $? -eq 1
    check "$command without a mouse: no device answered" grep -q "no device answered\|no device entries\|not attached" "$work/out" "$work/err"
    check "$command without a mouse: no permission text" bash -c "! grep -q 'permission denied' '$work/err'"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
