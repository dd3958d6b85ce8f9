// SPDX-License-Identifier: GPL-2.0-or-later
// The gun table: every entry as the editor and talonctl read it.
#include "FuzzCommon.h"
#include "store/GunDataStore.h"
#include "store/ProfileStore.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString root = fuzz::freshFolder() + QStringLiteral("/modules");
    fuzz::write(root + QStringLiteral("/gun/gunData.bin"), data, size);
    ProfileStore profiles(root);
    GunDataStore guns(profiles, root);
    const QStringList keys = guns.getGunDataKey();
    for (const QString &k : keys) {
        const QVariantList entry = guns.getGunData(k);
        for (const QVariant &v : entry)
            v.toInt();
    }
    for (int i = 0; i < 6; ++i)
        guns.getGunData(QString::number(i));
    return 0;
}
