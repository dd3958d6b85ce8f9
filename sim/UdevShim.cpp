// SPDX-License-Identifier: GPL-2.0-or-later
// The preloaded virtual mouse announces its plug and unplug to the program's
// udev monitor, so that a replug from the demo reaches the same device-change
// path as a real one. The monitor's descriptor is wrapped in an epoll set
// that also holds the virtual mouse's announcement counter; the monitor then
// receives a device record whose action is "add" or "remove". Real udev
// events pass through untouched.
#include "SimEnvironment.h"

#include <dlfcn.h>
#include <map>
#include <mutex>
#include <sys/epoll.h>
#include <unistd.h>

extern "C" {
struct udev;
struct udev_device;
struct udev_monitor;
}

namespace {

template <typename Function> Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

std::mutex lock;
std::map<udev_monitor *, int> wrapped;           // monitor -> epoll set
std::map<udev_device *, const char *> announced; // record -> action

int wrap(int monitorFd)
{
    const int set = epoll_create1(EPOLL_CLOEXEC);
    if (set < 0)
        return monitorFd;
    epoll_event in{};
    in.events = EPOLLIN;
    in.data.fd = monitorFd;
    epoll_event announcement{};
    announcement.events = EPOLLIN;
    announcement.data.fd = sim::environment::announcementFd();
    if (epoll_ctl(set, EPOLL_CTL_ADD, monitorFd, &in) < 0 ||
        epoll_ctl(set, EPOLL_CTL_ADD, announcement.data.fd, &announcement) < 0) {
        ::close(set);
        return monitorFd;
    }
    return set;
}

} // namespace

extern "C" {

int udev_monitor_get_fd(udev_monitor *monitor)
{
    static const auto real = next<int (*)(udev_monitor *)>("udev_monitor_get_fd");
    const int fd = real ? real(monitor) : -1;
    if (fd < 0)
        return fd;
    std::lock_guard<std::mutex> g(lock);
    auto it = wrapped.find(monitor);
    if (it == wrapped.end())
        it = wrapped.emplace(monitor, wrap(fd)).first;
    return it->second;
}

udev_device *udev_monitor_receive_device(udev_monitor *monitor)
{
    static const auto real = next<udev_device *(*)(udev_monitor *)>("udev_monitor_receive_device");
    static const auto context = next<udev *(*)(udev_monitor *)>("udev_monitor_get_udev");
    static const auto create = next<udev_device *(*)(udev *, const char *, const char *)>(
        "udev_device_new_from_subsystem_sysname");
    bool added = false;
    if (context && create && sim::environment::takeAnnouncement(added)) {
        // A real record, so that every getter works on it; only its action
        // and subsystem are the virtual mouse's.
        if (udev_device *record = create(context(monitor), "mem", "null")) {
            std::lock_guard<std::mutex> g(lock);
            announced[record] = added ? "add" : "remove";
            return record;
        }
    }
    return real ? real(monitor) : nullptr;
}

const char *udev_device_get_action(udev_device *device)
{
    static const auto real = next<const char *(*)(udev_device *)>("udev_device_get_action");
    {
        std::lock_guard<std::mutex> g(lock);
        const auto it = announced.find(device);
        if (it != announced.end())
            return it->second;
    }
    return real ? real(device) : nullptr;
}

const char *udev_device_get_subsystem(udev_device *device)
{
    static const auto real = next<const char *(*)(udev_device *)>("udev_device_get_subsystem");
    {
        std::lock_guard<std::mutex> g(lock);
        if (announced.count(device))
            return "hidraw";
    }
    return real ? real(device) : nullptr;
}

udev_device *udev_device_unref(udev_device *device)
{
    static const auto real = next<udev_device *(*)(udev_device *)>("udev_device_unref");
    {
        std::lock_guard<std::mutex> g(lock);
        announced.erase(device);
    }
    return real ? real(device) : nullptr;
}

} // extern "C"
