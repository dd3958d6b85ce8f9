// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <hidapi/hidapi.h>

// hidapi calls that touch the library's process-wide state. hid_open_path
// and hid_enumerate run hid_init(), which frees and resets a shared error
// string; the listener's thread and the GUI thread both open devices, so
// these calls go through one lock. Calls on an open handle need none.
namespace hidAccess {

int init();
int exit();
hid_device *openPath(const char *path);
hid_device_info *enumerate(unsigned short vendorId, unsigned short productId);
void freeEnumeration(hid_device_info *list);

} // namespace hidAccess
