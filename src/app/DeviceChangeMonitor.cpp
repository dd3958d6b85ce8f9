// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceChangeMonitor.h"

#include <QSocketNotifier>
#include <libudev.h>

DeviceChangeMonitor::DeviceChangeMonitor(QObject *parent) : QObject(parent)
{
    context = udev_new();
    if (!context)
        return;
    monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        return;
    }
    notifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &DeviceChangeMonitor::drain);
}

DeviceChangeMonitor::~DeviceChangeMonitor()
{
    delete notifier;
    if (monitor)
        udev_monitor_unref(monitor);
    if (context)
        udev_unref(context);
}

void DeviceChangeMonitor::drain()
{
    // One notification per device record; "add" and "remove" both count.
    while (udev_device *device = udev_monitor_receive_device(monitor)) {
        const char *action = udev_device_get_action(device);
        const bool relevant =
            action && (qstrcmp(action, "add") == 0 || qstrcmp(action, "remove") == 0);
        udev_device_unref(device);
        if (relevant)
            emit deviceChanged();
    }
}
