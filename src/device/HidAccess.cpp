// SPDX-License-Identifier: GPL-2.0-or-later
#include "HidAccess.h"

#include <mutex>

namespace hidAccess {

namespace {
std::mutex &globalState()
{
    static std::mutex m;
    return m;
}
} // namespace

int init()
{
    const std::lock_guard<std::mutex> g(globalState());
    return hid_init();
}

int exit()
{
    const std::lock_guard<std::mutex> g(globalState());
    return hid_exit();
}

hid_device *openPath(const char *path)
{
    const std::lock_guard<std::mutex> g(globalState());
    return hid_open_path(path);
}

hid_device_info *enumerate(unsigned short vendorId, unsigned short productId)
{
    const std::lock_guard<std::mutex> g(globalState());
    return hid_enumerate(vendorId, productId);
}

void freeEnumeration(hid_device_info *list)
{
    const std::lock_guard<std::mutex> g(globalState());
    hid_free_enumeration(list);
}

} // namespace hidAccess
