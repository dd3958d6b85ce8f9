#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The real executable started with --hidden against the preloaded virtual
# mouse, as "Start at login" starts it: with a system tray it connects with
# no window on screen and its icon in the tray, and a click on the icon
# opens the window; without a tray (TALON_NO_TRAY=1) the window opens all
# the same, as nothing else would lead to it. A "Start at login" entry an
# earlier version wrote for it is brought up to date on the way.
# Usage (on an X server): start-hidden.sh KESTREL_TALON LIBTALONSIM
set -u
sim=$(realpath "$2")
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
# A copy of its own (the program works beside its executable, one instance
# per executable): other tests may run the build's at the same time.
mkdir "$work/app"
exe=$work/app/kestrel-talon
ln "$1" "$exe" 2>/dev/null || cp "$1" "$exe"
cp -r "$(dirname "$1")/modules" "$work/app/"
passed=0 failed=0
ok() { passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
wait_for() { # seconds, command...
    local tries=$(($1 * 10))
    shift
    for _ in $(seq 1 "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}

# The process's windows on screen: "top" for a window of its own on the
# desktop (not the tray's notice balloon, a tooltip), "tray" for one
# embedded in another program's (the tray icon).
shown() {
    local w info
    for w in $(xdotool search --pid "$pid" 2>/dev/null); do
        info=$(xwininfo -id "$w" 2>/dev/null) || continue
        grep -q "Map State: IsViewable" <<<"$info" || continue
        if xwininfo -children -id "$w" | grep -q "Parent window id: .* (the root window)"; then
            xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_TOOLTIP && continue
            echo "top $w"
        else
            echo "tray $w"
        fi
    done
}
has() { shown | grep -q "^$1 "; }

export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/autostart"
entry=$XDG_CONFIG_HOME/autostart/kestrel-talon.desktop
printf '[Desktop Entry]\nType=Application\nName=Kestrel Talon\nExec=%s\nIcon=kestrel-talon\n' "$exe" >"$entry"

LD_PRELOAD="$sim" TALON_SIM=553 "$exe" --hidden >"$work/log" 2>&1 &
pid=$!
if wait_for 15 grep -q "Device Connect" "$work/log"; then ok; else
    fail "no connection"; cat "$work/log"
fi
if grep -qx "Exec=$exe --hidden" "$entry"; then ok; else fail "the earlier entry was kept: $(cat "$entry")"; fi

if [ "${TALON_NO_TRAY:-0}" = 1 ]; then
    if wait_for 15 has top; then ok; else fail "without a tray the window stayed closed"; fi
else
    if wait_for 15 has tray; then ok; else fail "no tray icon"; fi
    sleep 2 # past the start-up logo, which would show the window if anything did
    if ! has top; then ok; else fail "a window is on screen: $(shown)"; fi
    icon=$(shown | sed -n 's/^tray //p' | head -n 1)
    if [ -n "$icon" ]; then
        eval "$(xdotool getwindowgeometry --shell "$icon")"
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    fi
    if wait_for 15 has top; then ok; else fail "a click on the tray icon did not open the window"; fi
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
