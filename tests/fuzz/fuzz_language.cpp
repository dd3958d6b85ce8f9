// SPDX-License-Identifier: GPL-2.0-or-later
// A language file: every list the screens and the notices ask for.
#include "FuzzCommon.h"
#include "store/DpiSwitchText.h"
#include "store/LanguageStore.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString root = fuzz::freshFolder() + QStringLiteral("/modules");
    fuzz::write(root + QStringLiteral("/i18n/Fuzz.ini"), data, size);
    LanguageStore language(root);
    for (const char *type : {"main", "other", "keyCode", "keyMatrix", "dpiSetting", "lightControl",
                             "macroEditor", "systemSetting", "gunControl", "profile", "total"})
        language.getLangStrings(QString::fromLatin1(type), QStringLiteral("Fuzz"));
    return 0;
}
