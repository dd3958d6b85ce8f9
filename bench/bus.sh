#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# talonctl through the running program against talonctl on its own, and the
# time a SetProfile takes to its answer (given once the mouse took the last
# frame), on one shared virtual mouse, on a private X server and session bus:
#   bash tests/x11/with-x.sh dbus-run-session -- bash bench/bus.sh build
# Prints the median of ten runs of each.
set -eu
build=$(realpath "${1:-build}")
sim=$build/lib/libtalonsim.so
id=$(basename "$build"/packaging/dbus/*.xml .xml)
path=/$(echo "$id" | tr . / | tr - _)
work=$(mktemp -d)
trap 'kill $program $server 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache TALON_SIM_SERVER=$work/mouse
# Both programs take the data tree beside them: a copy, so the build's stays as it is.
mkdir "$work/app"
cp -r "$build/bin/modules" "$work/app/modules"
cp "$build/bin/kestrel-talon" "$build/bin/talonctl" "$work/app/"
ctl=$work/app/talonctl

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ms() { local t0 t1; t0=$(date +%s%N); "$@" >/dev/null 2>&1; t1=$(date +%s%N); echo $(((t1 - t0) / 10000)) | awk '{printf "%.1f\n", $1 / 100}'; }
rates() { for i in 1 2 3 4 5 6 7 8 9 10; do ms env LD_PRELOAD="$sim" "$ctl" rate $((i % 2 ? 250 : 500)); done; }

"$build"/bin/talonsim-server "$TALON_SIM_SERVER" --journal "$work/journal" 2>/dev/null &
server=$!
for _ in $(seq 1 100); do [ -S "$TALON_SIM_SERVER" ] && break; sleep 0.05; done
program=
direct=$(rates | median)

LD_PRELOAD="$sim" "$work/app/kestrel-talon" --hidden >"$work/log" 2>&1 &
program=$!
for _ in $(seq 1 200); do
    gdbus call --session --dest "$id" --object-path "$path" --method org.freedesktop.DBus.Properties.Get \
        "$id" Connected 2>/dev/null | grep -q true && break
    sleep 0.05
done
bus=$(rates | median)
call() { gdbus call --session --dest "$id" --object-path "$path" --method "$id.$1" "${@:2}"; }
empty=$(for i in 1 2 3 4 5 6 7 8 9 10; do ms call Show; done | median)
switch=$(for i in 1 2 3 4 5 6 7 8 9 10; do ms call SetProfile $((i % 2 + 1)); done | median)
echo "talonctl rate, direct:            $direct ms"
echo "talonctl rate, through the bus:   $bus ms"
echo "gdbus call answered at once:      $empty ms (Show)"
echo "SetProfile to its answer:         $switch ms (the last frame taken; gdbus included)"
