// SPDX-License-Identifier: GPL-2.0-or-later
// The name lists file.
#include "FuzzCommon.h"
#include "store/NameListStore.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString root = fuzz::freshFolder() + QStringLiteral("/modules");
    fuzz::write(root + QStringLiteral("/setting/name.bin"), data, size);
    NameListStore names(root);
    for (unsigned type = 0; type < 5; ++type)
        NameListStore::withoutSentinel(names.getNameList(type));
    return 0;
}
