#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The installed tree as a packager and a user meet it: `cmake --install` into
# a staging folder with the prefix /usr, its listing, the validators, the
# manual page, stripped executables, the udev rule where udev reads it; the
# installed program finds its data under share/, works in a per-user copy
# (as root too, never writing the installed tree), talonctl uses the same
# copy, and an upgrade of the shipped data reaches an existing copy without
# losing the user's profile.
# Usage (on an X server): install.sh BUILD_DIR LIBTALONSIM APPLICATION_ID
set -u
build=$(realpath "$1") sim=$(realpath "$2") id=$3
work=$(mktemp -d)
trap 'kill "${gui:-}" 2>/dev/null; rm -rf "$work"' EXIT
stage=$work/stage usr=$work/stage/usr
passed=0 failed=0
ok() { passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
check() { local what=$1; shift; if "$@" >/dev/null 2>&1; then ok; else fail "$what"; fi; }

DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
echo "Installed with --prefix=/usr:"
(cd "$stage" && find . \( -type f -o -type l \) | sort | sed 's|^\.||')

for f in bin/kestrel-talon bin/talonctl share/applications/$id.desktop \
    share/metainfo/$id.metainfo.xml share/man/man1/kestrel-talon.1 \
    share/dbus-1/interfaces/$id.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/doc/kestrel-talon/LICENSE \
    share/kestrel-talon/modules/VERSION share/kestrel-talon/modules/setting/apConfig.bin \
    share/kestrel-talon/modules/img/logo.ico share/kestrel-talon/modules/i18n/ChineseSimplified.ini; do
    check "installed: $f" test -f "$usr/$f"
done
for f in "$build"/bin/modules/i18n/*.ini; do
    check "installed: language ${f##*/}" cmp -s "$f" "$usr/share/kestrel-talon/modules/i18n/${f##*/}"
done
for size in 16 22 24 32 48 64 128 256; do
    check "icon ${size}x$size" test -f "$usr/share/icons/hicolor/${size}x$size/apps/$id.png"
done
check "the udev rule where udev reads it" test -f "$usr/lib/udev/rules.d/70-kestrel-talon.rules"
check "no data beside the executables" test ! -e "$usr/lib/kestrel-talon"
for exe in kestrel-talon talonctl; do
    check "$exe is stripped" bash -c "! readelf -S '$usr/bin/$exe' | grep -q '\.symtab'"
done
check "the id is reverse-DNS in lower case" grep -Eqx '[a-z][a-z0-9_]*(\.[a-z][a-z0-9_]*){2,}' <<<"$id"
check "metainfo validates" appstreamcli validate --pedantic --no-net "$usr/share/metainfo/$id.metainfo.xml"
check "metainfo names the entry and icon" grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$usr/share/metainfo/$id.metainfo.xml"
check "metainfo offers the program for the mouse" grep -q "<modalias>usb:v04D9pA1EE\*</modalias>" "$usr/share/metainfo/$id.metainfo.xml"
check "desktop entry validates" desktop-file-validate "$usr/share/applications/$id.desktop"
check "desktop entry names the icon" grep -qx "Icon=$id" "$usr/share/applications/$id.desktop"
man_out=$(MANWIDTH=80 man --warnings -l "$usr/share/man/man1/kestrel-talon.1" 2>"$work/man.err")
check "manual page renders" grep -q "kestrel-talon - configure the Kestrel Talon gaming mouse" <<<"$man_out"
check "manual page without warnings" test ! -s "$work/man.err"

# Another prefix: the rule goes where the local administrator's rules go.
DESTDIR=$work/local cmake --install "$build" --prefix /usr/local >/dev/null 2>&1
check "prefix /usr/local: rule in /etc/udev/rules.d" test -f "$work/local/etc/udev/rules.d/70-kestrel-talon.rules"

# The installed program, run by root against the virtual mouse.
export XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
shipped=$usr/share/kestrel-talon/modules
userdata=$XDG_DATA_HOME/kestrel-talon/modules
sums() { (cd "$usr" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
sums >"$work/before"

start_gui() { # log file; waits for the connection
    LD_PRELOAD="$sim" TALON_SIM=553 LANG=C.UTF-8 "$usr/bin/kestrel-talon" >"$1" 2>&1 &
    gui=$!
    for _ in $(seq 1 150); do grep -q "Device Connect" "$1" && break; sleep 0.1; done
    grep -q "Device Connect" "$1"
}
# A program that does not end on SIGTERM is a fault, not a hang of the test.
stop_gui() {
    kill "$gui" 2>/dev/null
    for _ in $(seq 1 100); do kill -0 "$gui" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$gui" 2>/dev/null; then
        fail "it ends on SIGTERM"
        gdb -p "$gui" -batch -ex "thread apply all bt" 2>/dev/null | grep -E '^(Thread|#)' | head -60 || true
        kill -KILL "$gui"
    fi
    wait "$gui" 2>/dev/null; gui=
}

check "the installed program connects" start_gui "$work/gui1.log"
stop_gui
check "a per-user copy was made" test -f "$userdata/setting/apConfig.bin"
check "it carries the shipped stamp" cmp -s <(cat "$shipped/VERSION") "$userdata/.stamp"
sums >"$work/after"
check "the installed tree was not written" cmp -s "$work/before" "$work/after"

LD_PRELOAD="$sim" TALON_SIM=553 "$usr/bin/talonctl" probe >"$work/probe" 2>&1
check "talonctl uses the user's copy" grep -qx "configuration: $userdata/setting/apConfig.bin" "$work/probe"
check "and answers" grep -q "answered: family 553" "$work/probe"

# An upgrade: new shipped data (a new device row, a new text) meets a copy
# whose user changed a profile.
sed -i 's/^dpiCount=.*/dpiCount=3/' "$userdata/setting/p1.bin"
sed -i 's/^deviceCount=1/deviceCount=2/' "$shipped/setting/apConfig.bin"
printf '\n[1]\ntype=1\nvid=04d9\npid=b0b0\nusagePage=ff00\nusage=ff00\nusagePage2=ff01\nusage2=ff01\n' >>"$shipped/setting/apConfig.bin"
echo "0.0.0+older" >"$userdata/.stamp"
check "the upgraded program connects" start_gui "$work/gui2.log"
stop_gui
check "the new device row reached the copy" grep -qx "pid=b0b0" "$userdata/setting/apConfig.bin"
check "the copy counts it" grep -qx "deviceCount=2" "$userdata/setting/apConfig.bin"
check "the user's profile stayed" grep -qx "dpiCount=3" "$userdata/setting/p1.bin"
check "the copy is current again" cmp -s <(cat "$shipped/VERSION") "$userdata/.stamp"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
