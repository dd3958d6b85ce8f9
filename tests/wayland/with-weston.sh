#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs a command as a client of a private Wayland compositor (weston).
# WESTON_BACKEND=headless (default): no screen and no input devices.
# WESTON_BACKEND=x11: inside the current X server (tests/x11/with-x.sh), with
# a seat whose keyboard and pointer xdotool drives. The output is 1024 x 640
# at the X screen's origin and the kiosk shell gives the window all of it,
# so window and X coordinates agree.
set -u
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
backend=${WESTON_BACKEND:-headless}
weston --backend="$backend-backend.so" --shell=kiosk-shell.so --socket=talon-wl --idle-time=0 \
    --no-config --width=1024 --height=640 >"$runtime/weston.log" 2>&1 &
weston=$!
trap 'kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; rm -rf "$runtime"' EXIT
trap 'exit 143' INT TERM
for _ in $(seq 1 100); do
    [ -S "$runtime/talon-wl" ] && break
    sleep 0.1
done
[ -S "$runtime/talon-wl" ] || { echo "weston did not start"; cat "$runtime/weston.log"; exit 1; }
export WAYLAND_DISPLAY=talon-wl QT_QPA_PLATFORM=wayland
"$@"
