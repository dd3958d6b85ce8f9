// SPDX-License-Identifier: GPL-2.0-or-later
// A profile file: every value the features and talonctl read from it, and
// talonctl's checks of a profile given with --profile.
#include "FuzzCommon.h"
#include "ctl/Cli.h"
#include "device/Hid_Thread.h"
#include "features/ButtonAssignment.h"
#include "features/DeviceFamily.h"
#include "store/ProfileStore.h"

#include <QTextStream>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString root = fuzz::freshFolder() + QStringLiteral("/modules");
    fuzz::write(root + QStringLiteral("/setting/p1.bin"), data, size);
    fuzz::copyShipped(QStringLiteral("setting/pD.bin"), root);
    fuzz::copyShipped(QStringLiteral("setting/apConfig.bin"), root);

    {
        ProfileStore profiles(root);
        for (const char *key : {"mouse/dpiValueArray", "mouse/colorValue", "mouse/lightValue",
                                "mouse/fixColor", "mouse/reportRate", "mouse/currentDpiCount"})
            profiles.getDataList(QString::fromLatin1(key), false);
        Hid_Thread link;
        BoardProfiles board(link);
        auto family = DeviceFamily::create(link, board, ModelFlags());
        ButtonAssignment buttons(*family, profiles);
        buttons.firmwareMatrix();
        for (int k = 0; k < 16; ++k)
            buttons.mouseGetKeydefine(k, false);
    }

    // Checked in full before connecting; no mouse answers here.
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status =
        ctl::run({QStringLiteral("apply"), QStringLiteral("--profile"),
                  root + QStringLiteral("/setting/p1.bin"), QStringLiteral("--config"),
                  root + QStringLiteral("/setting/apConfig.bin")},
                 o, e);
    if (status != 1 && status != 2)
        __builtin_trap();
    return 0;
}
