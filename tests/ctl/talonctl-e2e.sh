#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# talonctl end to end: the real executable against the preloaded virtual
# mouse of each family, checked on the traffic the mouse saw.
# Usage: talonctl-e2e.sh TALONCTL LIBTALONSIM MODULES
set -u
talonctl=$1 sim=$2 modules=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 checks=0

tree() { # family -> a private data tree configured for it
    local dir="$work/$1"
    cp -r "$modules" "$dir"
    mkdir -p "$dir/macro"
    printf '[config]\ntotal=3\nrepeat=1\n[macro]\n0="1,A"\n1="0,50"\n2="2,A"\n' > "$dir/macro/Tap.bin"
    if [ "$1" = 560 ]; then
        sed -i 's/^icType=.*/icType=560/; s/^pid=.*/pid=a1ef/; s/^reportLength=.*/reportLength=64/' \
            "$dir/setting/apConfig.bin"
    fi
    echo "$dir"
}

run() { # family, command... -> trace file
    local family=$1; shift
    local trace="$work/trace"
    rm -f "$trace"
    if ! env LD_PRELOAD="$sim" TALON_SIM="$family" TALON_SIM_TRACE="$trace" \
        "$talonctl" "$@" --config "$(cat "$work/config-$family")" > "$work/out" 2>&1; then
        echo "FAIL: talonctl $* ($family) exited non-zero"; cat "$work/out"; failures=$((failures + 1))
    fi
}

expect() { # text that must stand on a line of the trace
    checks=$((checks + 1))
    if ! grep -q -- "$1" "$work/trace"; then
        echo "FAIL: $2: no line with '$1'"; sed 's/^/    /' "$work/trace"; failures=$((failures + 1))
    fi
}

for family in 553 560; do
    echo "$(tree $family)/setting/apConfig.bin" > "$work/config-$family"
done

# 553: one command per setting.
run 553 keys
expect "frame 12 01 40 08 00 00 00 a4" "553 keys frame"
expect "^data 01 00 f0 00 01 00 f1 00 01 00 f2 00" "553 keys translated"
run 553 dpi
expect "frame 11 04 08 00 00 00 00 e2" "553 dpi frame"
expect "^data 04 09 0e 13 80 80 80 80 00" "553 dpi stages"
run 553 lighting 1 2 4
expect "frame 0d 02 03 02 00 00 00 eb" "553 lighting"
run 553 macro Tap --slot 2
expect "frame 13 03 80 00 00 00 00 69" "553 macro frame"
expect "^data 00 01 05 04 81 04 00 00 00" "553 macro block"
run 553 apply
expect "frame 12 01 40 08" "553 apply keys"
expect "frame 11 04 08" "553 apply dpi"
expect "frame 01 01 00 00 00 00 00 fd" "553 apply rate"
expect "frame 0d 02 03 02" "553 apply effect"
expect "frame 10 01 24 00 00 00 00 ca" "553 apply colours"

# 560: whole on-device profiles.
run 560 keys
expect "frame 8c 01 00 00 00 00 00 72" "560 connect reads profiles"
expect "frame 0d 01 80 00 00 00 00 71" "560 keys frame"
run 560 dpi
expect "frame 0c 01 80 00 00 00 00 72" "560 dpi sends block 1"
expect "^data .* 04 09 0e 13 1d 27 31 3b 04 09 0e 13 1d 27 31 3b 0f" "560 dpi stages twice and the mask"
run 560 lighting 1 2 4
expect "frame 0c 01 80 00 00 00 00 72" "560 lighting block 1"
expect "^data .* 02 03 03" "560 lighting bytes 71 to 73"
run 560 macro Tap --slot 2
expect "frame 0f 03 80 00 00 00 00 6d" "560 macro frame"
expect "^data 00 01 05 04 81 04 00 00 00" "560 macro block"
run 560 apply
expect "frame 0d 01 80 00 00 00 00 71" "560 apply keys"
expect "frame 03 04 01 00 00 00 00 f7" "560 apply rate on profile 4"
expect "frame 0c 01 80" "560 apply blocks"

# Exit statuses of the real executable, and what it prints.
exits() { # expected status, TALON_SIM, command... -> output in $work/out
    local want=$1 mouse=$2; shift 2
    checks=$((checks + 1))
    env LD_PRELOAD="$sim" TALON_SIM="$mouse" "$talonctl" "$@" > "$work/out" 2> "$work/err"
    local got=$?
    if [ "$got" -ne "$want" ]; then
        echo "FAIL: talonctl $* ($mouse) exited $got, not $want"; cat "$work/out" "$work/err"
        failures=$((failures + 1))
    fi
}
config553=$(cat "$work/config-553") config560=$(cat "$work/config-560")

exits 0 553 --version
grep -qx "talonctl [0-9]*\.[0-9]*\.[0-9]*" "$work/out" || { echo "FAIL: --version: $(cat "$work/out")"; failures=$((failures + 1)); }
exits 0 553 dpi --help
grep -q "^Usage: talonctl dpi" "$work/out" || { echo "FAIL: dpi --help"; failures=$((failures + 1)); }
# A usage error is one line, found with no mouse plugged in.
exits 2 none rate 300 --config "$config553"
sed -i '/^virtual mouse: /d' "$work/err" # the preloaded mouse's own greeting
[ "$(wc -l < "$work/err")" -eq 1 ] && grep -q "^talonctl: .*(see talonctl rate --help)$" "$work/err" \
    || { echo "FAIL: usage error: $(cat "$work/err")"; failures=$((failures + 1)); }
exits 1 none status --config "$config553"
# The mouse refuses the data reports: status 3, the command named.
exits 3 "553,fault=write,onset=13" keys --config "$config553"
grep -q "keys: the mouse did not take hid553_12H_SetKeyMatrix" "$work/err" \
    || { echo "FAIL: refusal not named: $(cat "$work/err")"; failures=$((failures + 1)); }
exits 3 "560,fault=stall,onset=23" read-profile 2 --config "$config560"
[ ! -s "$work/out" ] || { echo "FAIL: a failed read printed bytes"; failures=$((failures + 1)); }
exits 3 "553,unplug=9" apply --config "$config553"

# Machine-readable output parses.
for cmd in "status" "probe" "current-dpi" "read-profile 3"; do
    # shellcheck disable=SC2086
    exits 0 560 $cmd --json --config "$config560"
    checks=$((checks + 1))
    python3 -m json.tool < "$work/out" > /dev/null \
        || { echo "FAIL: $cmd --json is not JSON:"; cat "$work/out"; failures=$((failures + 1)); }
done

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
