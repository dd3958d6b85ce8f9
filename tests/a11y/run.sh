#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs a flow (or any command) on a private X server with a tray, a session
# bus and the accessibility bus:
#   bash tests/a11y/run.sh BUILD tests/a11y/flow_startup.py [unittest arguments]
# Screenshots go to BUILD/a11y-shots.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
shift
export TALON_BUILD="$build"
export TALON_SHOTS="${TALON_SHOTS:-$build/a11y-shots}"
export PYTHONPATH="$here${PYTHONPATH:+:$PYTHONPATH}"
export PYTHONDONTWRITEBYTECODE=1
# with-x.sh starts a tray unless told not to; the flows wait for it.
[ "${TALON_NO_TRAY:-0}" = 1 ] || export TALON_TRAY=trayer
case "${1:-}" in
    *.py) set -- /usr/bin/python3 "$@" ;;
esac
exec bash "$here/../x11/with-x.sh" dbus-run-session -- bash "$here/session.sh" "$@"
