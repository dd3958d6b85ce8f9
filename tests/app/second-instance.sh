#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The real executable, started from another folder against the preloaded
# virtual mouse: it finds its data beside itself and connects; a second start
# hands over to it and exits with 1.
# Usage (on an X server): second-instance.sh KESTREL_TALON LIBTALONSIM
set -u
exe=$(realpath "$1") sim=$(realpath "$2")
log=$(mktemp)
trap 'kill "$first" 2>/dev/null; rm -f "$log"' EXIT
cd /
LD_PRELOAD="$sim" TALON_SIM=553 "$exe" >"$log" 2>&1 &
first=$!
for _ in $(seq 1 150); do
    grep -q "Device Connect" "$log" && break
    sleep 0.1
done
if ! grep -q "Device Connect" "$log"; then
    echo "FAIL: the first instance did not connect"; cat "$log"; exit 1
fi
LD_PRELOAD="$sim" TALON_SIM=553 timeout 20 "$exe" >/dev/null 2>&1
status=$?
if [ "$status" -ne 1 ]; then
    echo "FAIL: the second instance exited with $status, not 1"; exit 1
fi
kill -0 "$first" || { echo "FAIL: the first instance is gone"; exit 1; }
echo "2 passed, 0 failed"
