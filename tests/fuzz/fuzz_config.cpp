// SPDX-License-Identifier: GPL-2.0-or-later
// The application configuration with its device table, as the program and
// talonctl read it.
#include "FuzzCommon.h"
#include "ctl/Cli.h"
#include "device/DeviceTable.h"
#include "features/ModelFlags.h"
#include "store/AppConfigStore.h"

#include <QTextStream>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString root = fuzz::freshFolder() + QStringLiteral("/modules");
    const QString config = root + QStringLiteral("/setting/apConfig.bin");
    fuzz::write(config, data, size);
    fuzz::copyShipped(QStringLiteral("setting/p1.bin"), root);
    fuzz::copyShipped(QStringLiteral("setting/pD.bin"), root);

    QList<DeviceEntry> table = deviceTable::read(config);
    if (table.size() > deviceTable::kMaxRows)
        __builtin_trap();
    for (DeviceEntry &e : table)
        deviceTable::locateInterfaces(e);
    readModelFlags(AppConfigStore(root));

    for (const char *command : {"probe", "status", "rate"}) {
        QString out, err;
        QTextStream o(&out), e(&err);
        ctl::run({QString::fromLatin1(command), QStringLiteral("--config"), config}, o, e);
    }
    return 0;
}
