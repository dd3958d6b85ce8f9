#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs a command with the desktop's accessibility bus. Run it inside a
# session bus of its own (dbus-run-session) on an X server; run.sh does all.
set -u
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
trap 'kill "$launcher" 2>/dev/null' EXIT
trap 'exit 143' INT TERM
for _ in $(seq 1 200); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
    sleep 0.05
done
"$@"
