// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

struct udev;
struct udev_monitor;
class QSocketNotifier;

// Announces every arrival and removal of a hidraw device, read from a libudev
// monitor on the GUI thread. Without udev (a container, say) it stays silent.
class DeviceChangeMonitor : public QObject
{
    Q_OBJECT

public:
    explicit DeviceChangeMonitor(QObject *parent = nullptr);
    ~DeviceChangeMonitor() override;

    bool isActive() const { return notifier != nullptr; }

signals:
    void deviceChanged();

private:
    void drain();

    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};
