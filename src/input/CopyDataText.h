// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "HookManager.h"

#include <QString>
#include <optional>

// The text a copy-data message carries for the warning box: dwData 0x250F
// and a zero-terminated UTF-8 string whose encoded length is exactly cbData.
// Anything else carries nothing.
std::optional<QString> copyDataText(const hooks::CopyData &data);

constexpr std::uintptr_t kWarningCopyDataId = 0x250F;
