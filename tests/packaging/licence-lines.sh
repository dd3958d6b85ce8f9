#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Every source file a distribution ships or builds from states its licence in
# an SPDX line, so that licence checkers see the whole tree as GPL-2.0-or-later.
# Usage: licence-lines.sh SOURCE_DIR
set -u
cd "$1" || exit 1
missing=$(find src sim tests bench scripts packaging cmake .ci debian CMakeLists.txt -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.qml' -o -name '*.js' -o -name '*.py' \
    -o -name '*.sh' -o -name '*.cmake' -o -name 'CMakeLists.txt' -o -name '*.1' -o -name '*.1.in' \
    -o -name '*.desktop' -o -name '*.desktop.in' -o -name '*.xml.in' -o -path 'scripts/*' -o -path '.ci/*' \
    -o -path debian/rules -o -path 'debian/kestrel-talon.post*' \
    -o -path 'packaging/completion/*' \) ! -path '*/fuzz/corpus/*' -print0 |
    xargs -0 grep -L 'SPDX-License-Identifier: GPL-2.0-or-later')
if [ -n "$missing" ]; then
    echo "without an SPDX line:"
    echo "$missing"
    exit 1
fi
echo "every source file carries its SPDX line"
