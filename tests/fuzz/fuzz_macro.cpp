// SPDX-License-Identifier: GPL-2.0-or-later
// A macro file: read by the library and encoded for the mouse.
#include "FuzzCommon.h"
#include "features/KeyNameTable.h"
#include "features/MacroEncoder.h"
#include "store/MacroLibrary.h"
#include "store/ProfileStore.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString root = fuzz::freshFolder() + QStringLiteral("/modules");
    fuzz::write(root + QStringLiteral("/macro/m.bin"), data, size);
    ProfileStore profiles(root);
    MacroLibrary library(profiles, root);
    const QStringList entries = library.loadMacroIni(QStringLiteral("m"));
    if (entries.isEmpty())
        __builtin_trap(); // the file exists: at least the repeat count comes back
    const QByteArray block = macroEncoder::encode(
        macroEncoder::parse(entries.mid(0, entries.size() - 1), keyNames::englishNames()),
        entries.last().toInt());
    if (block.size() > 128)
        __builtin_trap(); // one macro slot
    return 0;
}
