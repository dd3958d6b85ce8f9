#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# An installed tree holds talonctl's manual page and bash completion where
# man and bash look for them, and the data tree's macro folder (git keeps no
# empty folder, so the source tree carries it with a placeholder).
# Usage: install-tree.sh BUILD_DIR
set -u
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
failures=0
for f in share/man/man1/talonctl.1 share/bash-completion/completions/talonctl; do
    [ -f "$prefix/$f" ] || { echo "FAIL: $f not installed"; failures=$((failures + 1)); }
done
[ -n "$(find "$prefix" -path '*/modules/macro' -type d)" ] || { echo "FAIL: no macro folder"; failures=$((failures + 1)); }
echo "$((3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
