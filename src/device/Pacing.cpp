// SPDX-License-Identifier: GPL-2.0-or-later
#include "Pacing.h"

#include <QThread>
#include <atomic>

namespace pacing {

namespace {
std::atomic<SleepHook> currentHook{nullptr};
}

void protocolSleep(int milliseconds)
{
    if (SleepHook hook = currentHook.load())
        hook(milliseconds);
    else
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

SleepHook setSleepHook(SleepHook hook)
{
    return currentHook.exchange(hook);
}

} // namespace pacing
