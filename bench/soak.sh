#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Memory over a long run: kestrel-talon against the preloaded virtual mouse,
# its DPI button pressed every 50 ms and the mouse unplugged and plugged in
# again every 3 s, resident memory sampled every 30 s. Run by hand, on a
# private X server with a tray, e.g.
#   bash tests/x11/with-x.sh bash bench/soak.sh build 3600 soak.csv
# Arguments: build folder, seconds (default 3600), output file (default
# soak-<date>.csv: seconds, resident kB, anonymous kB). TALON_SOAK_WRAP runs
# the program under a profiler (heaptrack -o FILE, for example);
# TALON_SOAK_END=kill ends it with SIGKILL, so that a heap profile's "leaked"
# is what was alive at that moment (compare a short and a long run).
# At the end it prints the growth fitted over the samples after the first
# 10 minutes, in MB per hour. The virtual mouse keeps only its last 1000
# records (TALON_SIM_RECORDS), so that its own log is not counted.
set -eu
build=$(realpath "${1:-build}")
seconds=${2:-3600}
out=${3:-soak-$(date +%Y%m%d-%H%M%S).csv}
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null; wait "${pid:-}" 2>/dev/null; rm -rf "$work"' EXIT
# A copy of the executable beside a data tree of its own: the soak writes
# nothing into the build.
cp "$build/bin/kestrel-talon" "$work/" && cp -r "$build/bin/modules" "$work/modules"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
LD_PRELOAD="$build/lib/libtalonsim.so" TALON_SIM=553 TALON_SIM_RECORDS=${TALON_SIM_RECORDS:-1000} \
    ${TALON_SOAK_WRAP:-} "$work/kestrel-talon" >"$work/log" 2>&1 &
pid=$!
# The program's own process when a wrapper runs it.
for _ in $(seq 1 100); do
    target=$(pgrep -n -f "^$work/kestrel-talon" || true)
    [ -n "$target" ] && break
    sleep 0.1
done
[ -n "$target" ] || { echo "soak: the program did not start" >&2; cat "$work/log" >&2; exit 1; }
# The virtual mouse takes the signals once the program has connected to it.
for _ in $(seq 1 600); do
    grep -q "Device Connect" "$work/log" && break
    sleep 0.1
done
grep -q "Device Connect" "$work/log" || { echo "soak: no connection" >&2; cat "$work/log" >&2; exit 1; }
sleep 5

sample() {
    awk '/^Rss:/ {r = $2} /^Anonymous:/ {a = $2} END {print r, a}' "/proc/$target/smaps_rollup"
}
echo "seconds rss_kB anon_kB" >"$out"
start=$(date +%s.%N)
next_sample=0 next_plug=3 plugged=1
elapsed() { awk -v s="$start" -v n="$(date +%s.%N)" 'BEGIN {printf "%d", n - s}'; }
while :; do
    now=$(elapsed)
    [ "$now" -ge "$seconds" ] && break
    kill -0 "$target" 2>/dev/null || { echo "soak: the program ended at $now s" >&2; tail -20 "$work/log" >&2; exit 1; }
    if [ "$now" -ge "$next_sample" ]; then
        echo "$now $(sample)" >>"$out"
        next_sample=$((next_sample + 30))
    fi
    if [ "$now" -ge "$next_plug" ]; then
        # Unplugged, then plugged in again a moment later: the program
        # notices the removal and connects again about 2 s afterwards.
        kill -USR2 "$target"
        sleep 0.3
        kill -USR2 "$target"
        next_plug=$((next_plug + 3))
    fi
    kill -USR1 "$target"
    sleep 0.05
done
echo "$(elapsed) $(sample)" >>"$out"
if [ "${TALON_SOAK_END:-}" = kill ]; then kill -KILL "$target"; else kill "$target"; fi
wait "$pid" 2>/dev/null || true
pid=

# Least-squares slope of resident memory over the samples from 600 s on.
awk 'NR > 1 && $1 >= 600 {n++; x += $1; y += $2; xx += $1 * $1; xy += $1 * $2}
     NR == 2 {first = $2}
     END {
         last = $2
         if (n < 2) { print "soak: too short for a fit after 10 minutes"; exit }
         slope = (n * xy - x * y) / (n * xx - x * x)
         printf "resident: %d kB at start, %d kB at the end; after 10 min: %.2f MB per hour (%d samples)\n",
                first, last, slope * 3600 / 1024, n
     }' "$out"
