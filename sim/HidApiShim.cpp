// SPDX-License-Identifier: GPL-2.0-or-later
// The hidapi C functions the program uses, answered by the virtual bus. Tests
// link this in place of the system library; the preloadable build puts it in
// front of the real one.
#include "SimBus.h"

#include <hidapi/hidapi.h>

#ifdef TALON_SIM_PRELOAD
#include "SimEnvironment.h"
#include "SimRemote.h"
#define TALON_SIM_ENTRY() (sim::environment::ensureConfigured(), sim::environment::pollSignals())
#define TALON_SIM_EXCHANGE_DONE() sim::environment::writeJournal()
// A shared mouse (TALON_SIM_SERVER) answers in the server instead.
#define TALON_SIM_SHARED(call)                                                                     \
    if (sim::remote::active())                                                                     \
    return call
#else
#define TALON_SIM_ENTRY() ((void)0)
#define TALON_SIM_EXCHANGE_DONE() ((void)0)
#define TALON_SIM_SHARED(call) ((void)0)
#endif
// Every entry point notes calls made after hid_exit; those touching hidapi's
// process-wide state also go through the overlap probe.
#define TALON_SIM_CALL() Bus::instance().noteCall()
#define TALON_SIM_GLOBAL() const Bus::GlobalCall globalCall

using sim::Bus;

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    TALON_SIM_CALL();
    TALON_SIM_GLOBAL();
    TALON_SIM_ENTRY();
    TALON_SIM_SHARED((sim::remote::init(), 0));
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    TALON_SIM_GLOBAL();
    TALON_SIM_SHARED((sim::remote::exit(), 0));
    Bus::instance().noteExit();
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id)
{
    TALON_SIM_CALL();
    TALON_SIM_GLOBAL();
    TALON_SIM_ENTRY();
    TALON_SIM_SHARED(sim::remote::enumerate(vendor_id, product_id));
    return Bus::instance().enumerate(vendor_id, product_id);
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devs)
{
    TALON_SIM_CALL();
    TALON_SIM_GLOBAL();
    Bus::freeEnumeration(devs);
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open_path(const char *path)
{
    TALON_SIM_CALL();
    TALON_SIM_GLOBAL();
    TALON_SIM_ENTRY();
    TALON_SIM_SHARED(sim::remote::open(path));
    return Bus::instance().open(path);
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open(unsigned short vendor_id,
                                                 unsigned short product_id, const wchar_t *)
{
    TALON_SIM_CALL();
    TALON_SIM_GLOBAL();
    TALON_SIM_ENTRY();
    TALON_SIM_SHARED(sim::remote::open(vendor_id, product_id));
    hid_device_info *all = Bus::instance().enumerate(vendor_id, product_id);
    hid_device *h = nullptr;
    for (hid_device_info *i = all; i && !h; i = i->next)
        if (i->interface_number == sim::kCommand)
            h = Bus::instance().open(i->path);
    Bus::freeEnumeration(all);
    return h;
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev)
{
    TALON_SIM_CALL();
    TALON_SIM_SHARED((sim::remote::close(dev), TALON_SIM_EXCHANGE_DONE()));
    Bus::instance().close(dev);
    // An exchange ends with its handle: the journal gets all of it at once.
    TALON_SIM_EXCHANGE_DONE();
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device *, int)
{
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *dev, const unsigned char *data,
                                                        size_t length)
{
    TALON_SIM_CALL();
    TALON_SIM_SHARED(sim::remote::sendFeature(dev, data, length));
    return Bus::instance().sendFeature(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device *dev, unsigned char *data,
                                                       size_t length)
{
    TALON_SIM_CALL();
    TALON_SIM_SHARED(sim::remote::getFeature(dev, data, length));
    return Bus::instance().getFeature(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    TALON_SIM_CALL();
    TALON_SIM_SHARED(sim::remote::write(dev, data, length));
    return Bus::instance().write(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device *dev, unsigned char *data,
                                                 size_t length, int milliseconds)
{
    TALON_SIM_CALL();
    TALON_SIM_ENTRY();
    TALON_SIM_SHARED(sim::remote::read(dev, data, length, milliseconds));
    return Bus::instance().read(dev, data, length, milliseconds);
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    TALON_SIM_CALL();
    TALON_SIM_SHARED(sim::remote::read(dev, data, length, -1));
    return Bus::instance().read(dev, data, length, -1);
}

HID_API_EXPORT const wchar_t *HID_API_CALL hid_error(hid_device *)
{
    return L"virtual mouse: operation failed";
}

} // extern "C"
