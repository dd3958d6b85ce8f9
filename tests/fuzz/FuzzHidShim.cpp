// SPDX-License-Identifier: GPL-2.0-or-later
#include "FuzzHidShim.h"

#include <algorithm>
#include <cstring>
#include <hidapi/hidapi.h>

struct hid_device_
{
    int interface;
};

namespace fuzzhid {

namespace {
const std::uint8_t *input = nullptr;
std::size_t left = 0;
hid_device_ handle{0};

// The next piece, at most `room` bytes of it, into `out`; -1 when the input
// is used up.
int next(std::uint8_t *out, std::size_t room)
{
    if (left == 0)
        return -1;
    std::size_t length = *input++;
    --left;
    length = std::min(length, left);
    const std::size_t copied = std::min(length, room);
    std::memcpy(out, input, copied);
    input += length;
    left -= length;
    return static_cast<int>(copied);
}
} // namespace

void feed(const std::uint8_t *data, std::size_t size)
{
    input = data;
    left = size;
}

bool exhausted()
{
    return left == 0;
}

} // namespace fuzzhid

extern "C" {

int hid_init(void)
{
    return 0;
}
int hid_exit(void)
{
    return 0;
}

// Every enumeration finds one device with a command and an event interface
// matching any usage: the fuzzer decides what it answers.
struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    (void)vendor_id;
    (void)product_id;
    return nullptr;
}

void hid_free_enumeration(struct hid_device_info *devs)
{
    (void)devs;
}

hid_device *hid_open_path(const char *path)
{
    (void)path;
    return fuzzhid::exhausted() ? nullptr : &fuzzhid::handle;
}

void hid_close(hid_device *dev)
{
    (void)dev;
}
int hid_set_nonblocking(hid_device *dev, int nonblock)
{
    (void)dev;
    (void)nonblock;
    return 0;
}

int hid_send_feature_report(hid_device *dev, const unsigned char *data, size_t length)
{
    (void)dev;
    (void)data;
    return fuzzhid::exhausted() ? -1 : static_cast<int>(length);
}

int hid_get_feature_report(hid_device *dev, unsigned char *data, size_t length)
{
    (void)dev;
    return fuzzhid::next(data, length);
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    (void)dev;
    (void)data;
    return fuzzhid::exhausted() ? -1 : static_cast<int>(length);
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    (void)dev;
    (void)milliseconds;
    return fuzzhid::next(data, length);
}

int hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    return hid_read_timeout(dev, data, length, -1);
}

const wchar_t *hid_error(hid_device *dev)
{
    (void)dev;
    return L"fuzz";
}

} // extern "C"
