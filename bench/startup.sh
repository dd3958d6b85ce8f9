#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Start-up, memory and idle cost of kestrel-talon against the preloaded
# virtual mouse, on a private X server with a session bus, as on a desktop:
#   bash tests/x11/with-x.sh dbus-run-session -- bash bench/startup.sh build
# Prints: time from process start to the first frame, to "Device Connect" and
# to the scene's initUI (median of five starts); resident memory with the
# window shown (10 s after the start) and after 10 s hidden to the tray; CPU
# time used over 60 s hidden, with the listener and capture running.
set -eu
build=$(realpath "${1:-build}")
exe=$build/bin/kestrel-talon
sim=$build/lib/libtalonsim.so
export QT_LOGGING_RULES="talon.startup=true;talon.view=true;qml=true"
export QT_MESSAGE_PATTERN="%{time process} %{message}"
log=$(mktemp)
# A compilation cache of the scene of its own: the first start fills it (the
# cold start), the five measured starts use it, as every start after the
# first one does on a user's machine.
export XDG_CACHE_HOME=$(mktemp -d)
trap 'rm -rf "$log" "$XDG_CACHE_HOME"' EXIT

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
stamp() { grep -m1 "$1" "$log" | awk '{print $1 * 1000}'; }

frames=() connects=() inits=() cpu=()
for run in 0 1 2 3 4 5; do
    LD_PRELOAD="$sim" "$exe" >"$log" 2>&1 &
    pid=$!
    for _ in $(seq 1 100); do grep -q "profileNo" "$log" && break; sleep 0.05; done
    # CPU time used up to initUI: what the start costs, whatever else runs.
    used=$(awk -v hz="$(getconf CLK_TCK)" '{print ($14 + $15) * 1000 / hz}' /proc/$pid/stat)
    kill "$pid"; wait "$pid" 2>/dev/null || true
    if [ "$run" = 0 ]; then
        echo "cold start (empty scene cache): first frame $(stamp 'first frame') ms, initUI $(stamp 'profileNo') ms"
        continue
    fi
    frames+=("$(stamp 'first frame')") connects+=("$(stamp 'Device Connect')") inits+=("$(stamp 'profileNo')")
    cpu+=("$used")
done
echo "first frame:    $(printf '%s\n' "${frames[@]}" | median) ms"
echo "Device Connect: $(printf '%s\n' "${connects[@]}" | median) ms"
echo "QML initUI:     $(printf '%s\n' "${inits[@]}" | median) ms"
echo "CPU to initUI:  $(printf '%s\n' "${cpu[@]}" | median) ms"

# Resident set, and of it the process's own part (anonymous memory) and its
# proportional share of pages it shares with other processes.
rss() {
    awk '/^Rss:/ {r = $2} /^Pss:/ {p = $2} /^Anonymous:/ {a = $2}
         END {printf "%d kB (anonymous %d kB, proportional %d kB)", r, a, p}' /proc/$pid/smaps_rollup
}
LD_PRELOAD="$sim" "$exe" >"$log" 2>&1 &
pid=$!
sleep 10
echo "resident, shown, after 10 s: $(rss)"

# Hidden to the tray with the window's own close button (top right).
window=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^KESTREL TALON$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH - 12)) $((Y + 28)) click 1
for _ in $(seq 1 100); do grep -q "hidden scene released" "$log" && break; sleep 0.05; done
sleep 10
echo "resident, hidden for 10 s:   $(rss)"
ticks() { awk '{print $14 + $15}' /proc/$pid/stat; }
before=$(ticks)
sleep 60
after=$(ticks)
hz=$(getconf CLK_TCK)
echo "CPU over 60 s hidden: $(( (after - before) * 1000 / hz )) ms ($(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN {printf "%.2f", t / hz / 60 * 100}') %)"
echo "resident, hidden for 70 s:   $(rss)"
kill "$pid"; wait "$pid" 2>/dev/null || true
