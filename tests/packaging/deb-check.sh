#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The Debian package as an administrator meets it (as root, where it is not
# installed): apt installs it with its dependencies, both programs answer
# with the package's version, the desktop entry and the metainfo validate,
# the udev rule sits where udev reads it, the installed program starts
# against the virtual mouse and connects with its scene whole; purging it
# leaves none of its files behind.
#
# Usage: deb-check.sh [--root DIR] DEB LIBTALONSIM
# Without --root it works on this machine, on an X server with a tray, and
# starts the program with --hidden. --root DIR works inside the Debian 12
# tree DIR instead (a throw-away one, e.g. `debootstrap --variant=minbase
# bookworm DIR`): what apt pulls in is what a clean system lacks, the
# program runs on the offscreen platform, and after the purge an autoremove
# must give back the packages the tree had.
set -u
root=
if [ "${1:-}" = --root ]; then root=$(realpath "$2"); shift 2; fi
deb=$(realpath "$1") sim=$(realpath "$2")
work=$(mktemp -d)
cleanup() {
    [ -z "${gui:-}" ] || kill "$gui" 2>/dev/null
    [ -z "$root" ] || { umount "$root/proc" 2>/dev/null; rm -rf "$root/tmp/deb-check"; }
    rm -rf "$work"
}
trap cleanup EXIT
passed=0 failed=0
ok() { passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
check() { local what=$1; shift; if "$@" >"$work/out" 2>&1; then ok; else fail "$what"; cat "$work/out"; fi; }
# Runs a command on the system under test.
on() { if [ -n "$root" ]; then chroot "$root" "$@"; else "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive

[ "$(id -u)" -eq 0 ] || { echo "deb-check.sh installs a package: run it as root"; exit 1; }
if on dpkg-query -W -f='${Status}' kestrel-talon 2>/dev/null | grep -q installed; then
    echo "kestrel-talon is installed already: this check needs a system without it"; exit 1
fi
version=$(dpkg-deb -f "$deb" Version)
id=$(dpkg-deb -c "$deb" | sed -n 's|.*/usr/share/metainfo/\(.*\)\.metainfo\.xml$|\1|p')
at=$work
if [ -n "$root" ]; then
    mkdir -p "$root/tmp/deb-check"
    cp "$deb" "$sim" "$root/tmp/deb-check/"
    deb=/tmp/deb-check/$(basename "$deb") sim=/tmp/deb-check/$(basename "$sim")
    at=/tmp/deb-check
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    on apt-get update -qq
fi
on dpkg-query -W -f='${Package}\n' | sort >"$work/before"

if ! on apt-get install -y -q --no-install-recommends "$deb" >"$work/apt.log" 2>&1; then
    cat "$work/apt.log"; echo "FAIL: apt-get install"; exit 1
fi
ok
echo "apt pulled in $(($(on dpkg-query -W -f='${Package}\n' | wc -l) - $(wc -l <"$work/before") - 1)) packages"
check "kestrel-talon --version" grep -qx "kestrel-talon $version" <(on kestrel-talon --version)
check "talonctl --version" grep -qx "talonctl $version" <(on talonctl --version)
share=$root/usr/share
check "desktop-file-validate" desktop-file-validate "$share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --pedantic --no-net "$share/metainfo/$id.metainfo.xml"
check "the icons carry the id" test -f "$share/icons/hicolor/scalable/apps/$id.svg" -a -f "$share/icons/hicolor/48x48/apps/$id.png"
check "the udev rule where udev reads it" test -f "$root/lib/udev/rules.d/70-kestrel-talon.rules"
check "manual pages" test -f "$share/man/man1/kestrel-talon.1.gz" -a -f "$share/man/man1/talonctl.1.gz"

# The installed program with its data from share/, in a home of its own.
env=(XDG_DATA_HOME=$at/data XDG_CONFIG_HOME=$at/config XDG_RUNTIME_DIR=$at/run
     LD_PRELOAD=$sim TALON_SIM=553 LANG=C.UTF-8)
mkdir -m 700 "$root$at/run"
if [ -n "$root" ]; then
    on env "${env[@]}" QT_QPA_PLATFORM=offscreen kestrel-talon >"$work/gui.log" 2>&1 &
else
    env "${env[@]}" kestrel-talon --hidden >"$work/gui.log" 2>&1 &
fi
gui=$!
for _ in $(seq 1 200); do grep -q "Device Connect" "$work/gui.log" && break; sleep 0.1; done
sleep 1 # the scene loads its panels
check "the installed program connects" grep -q "Device Connect" "$work/gui.log"
check "its scene loads whole" bash -c "! grep -Ei 'qrc:|is not installed|cannot load|could not load' '$work/gui.log'"
kill "$gui"
for _ in $(seq 1 100); do kill -0 "$gui" 2>/dev/null || break; sleep 0.1; done
check "it ends on SIGTERM" bash -c "! kill -0 $gui 2>/dev/null"
kill -KILL "$gui" 2>/dev/null; wait "$gui" 2>/dev/null; gui=
[ "$failed" -eq 0 ] || cat "$work/gui.log"

on dpkg-query -L kestrel-talon | sort -r >"$work/files"
check "the file list was read" test -s "$work/files"
check "apt-get remove --purge" on apt-get remove --purge -y -q kestrel-talon
check "dpkg has forgotten it" bash -c "! chroot ${root:-/} dpkg-query -W kestrel-talon"
# What is left of its list must be a folder of the system's (a merged-/usr
# link such as /lib) or one another package owns.
while IFS= read -r path; do
    [ "$path" != /. ] || continue
    [ -e "$root$path" ] || [ -L "$root$path" ] || continue
    if [ -d "$root$path" ]; then
        [ ! -L "$root$path" ] || continue
        ! on dpkg-query -S "$path" >/dev/null 2>&1 || continue
    fi
    fail "left behind: $path"
done <"$work/files"
if [ -n "$root" ]; then
    check "autoremove" on apt-get autoremove --purge -y -q
    check "the packages are those from before" cmp "$work/before" <(on dpkg-query -W -f='${Package}\n' | sort)
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
