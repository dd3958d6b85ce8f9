#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs a command on a private X server (Xvfb) that has a system tray
# (trayer), so that windows, tray icons and input capture are real.
# TALON_NO_TRAY=1: the same server without a system tray.
set -u
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r display <"$fifo"
rm -f "$fifo"
export DISPLAY=":$display"
trap 'kill "${tray:-}" "$xvfb" 2>/dev/null' EXIT
trap 'exit 143' INT TERM
for _ in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
tray_up() { xwininfo -root -tree 2>/dev/null | grep -q '("panel" "trayer")'; }
if [ "${TALON_NO_TRAY:-0}" != 1 ]; then
    # Up once its panel shows; a program started before that finds no tray
    # (and behaves as without one). A loaded machine may take seconds, and
    # a tray that gave up or never showed its panel is started again.
    traylog=$(mktemp)
    for attempt in 1 2 3; do
        trayer --edge bottom --align left --widthtype request --height 24 >"$traylog" 2>&1 &
        tray=$!
        for _ in $(seq 1 150); do
            tray_up && break 2
            kill -0 "$tray" 2>/dev/null || break
            sleep 0.1
        done
        echo "with-x.sh: no tray after attempt $attempt: $(tr '\n' ' ' <"$traylog")" >&2
        kill "$tray" 2>/dev/null
        wait "$tray" 2>/dev/null
    done
    rm -f "$traylog"
fi
"$@"
