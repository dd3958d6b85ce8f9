#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The manual page renders without a warning and documents every command of
# talonctl's help and every exit status; the bash completion loads and
# completes the commands and a command's options.
# Usage: man-and-completion.sh TALONCTL MANPAGE COMPLETION
set -u
talonctl=$1 page=$2 completion=$3
failures=0 checks=0
check() { checks=$((checks + 1)); if ! eval "$2"; then echo "FAIL: $1"; failures=$((failures + 1)); fi; }

warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
check "man -l renders without warnings: $warnings" '[ -z "$warnings" ]'
text=$(MANWIDTH=80 LC_ALL=C.UTF-8 man -l "$page" 2>/dev/null | col -b)
commands=$("$talonctl" --help | sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\?$/\1/p' | sort -u)
check "help lists the commands" '[ "$(echo "$commands" | wc -l)" -ge 13 ]'
for c in $commands; do
    check "the manual documents $c" 'echo "$text" | grep -qE "^ {7}$c( |$)"'
    # A tag split over two lines leaves its first line with an open bracket.
    tag=$(echo "$text" | grep -E "^ {7}$c( |$)" | head -1)
    check "the manual's $c tag is whole: $tag" '[ "$(echo "$tag" | tr -cd "[" | wc -c)" = "$(echo "$tag" | tr -cd "]" | wc -c)" ]'
done
check "every help line fits 80 columns" '! "$talonctl" --help | grep -q ".\{81\}"'
for c in $commands; do
    check "the help of $c fits 80 columns" '! "$talonctl" $c --help | grep -q ".\{81\}"'
done
for s in 0 1 2 3 4; do
    check "the manual documents exit status $s" 'echo "$text" | grep -qE "^ {7}$s( |$)"'
done
for o in --config --device --profile --sensor --stages --type --slot --language --json --help --version; do
    check "the manual documents $o" 'echo "$text" | grep -q -- "$o"'
done

complete_line() { # words... -> completions of the last word
    bash --norc --noprofile -c '
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _talonctl; printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
}
check "the completion loads" 'bash --norc --noprofile -c "source \"$completion\" && complete -p talonctl" >/dev/null'
check "completes the command names" '[ "$(complete_line talonctl "" | sort | tr "\n" " ")" = "$(echo $commands help | tr " " "\n" | sort -u | tr "\n" " ")" ]'
check "completes a prefix" '[ "$(complete_line talonctl st)" = status ]'
check "completes after an option" '[ "$(complete_line talonctl --config x.bin r | sort | tr "\n" " ")" = "rate read-profile " ]'
check "completes the options of a command" 'complete_line talonctl dpi --st | grep -qx -- --stages'
check "offers --json where it is taken" 'complete_line talonctl status --j | grep -qx -- --json && [ -z "$(complete_line talonctl keys --j)" ]'
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/modules/setting" "$tree/modules/macro"
touch "$tree/modules/setting/apConfig.bin" "$tree/modules/macro/Reload.bin" "$tree/modules/macro/Rapid fire.bin" "$tree/modules/macro/Other.bin"
check "completes macro names of the tree" '[ "$(complete_line talonctl macro --config "$tree/modules/setting/apConfig.bin" R | sort | tr "\n" "|")" = "Rapid\\ fire|Reload|" ]'
mkdir -p "$tree/kestrel-talon" && ln -s "$tree/modules" "$tree/kestrel-talon/modules"
check "completes macro names of the user's copy" '[ "$(XDG_DATA_HOME=$tree complete_line talonctl macro --slot 2 O)" = Other ]'
check "completes the top-level options" 'complete_line talonctl --js | grep -qx -- --json && complete_line talonctl --pro | grep -qx -- --profile'
check "completes report rates" '[ "$(complete_line talonctl rate 1 | sort | tr "\n" " ")" = "1000 125 " ]'

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
