// SPDX-License-Identifier: GPL-2.0-or-later
// CPU used by the X11 capture while nothing is typed or clicked: the capture
// installed, the event loop running for a while, the process's CPU time.
// Run on an X server: build/bin/bench_capture_idle [seconds]
#include "input/HookManager.h"
#include "input/X11Capture.h"

#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {
double cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    for (bool capture : {false, true}) {
        if (capture) {
            hooks::setBackend(std::make_unique<X11Capture>());
            if (!hooks::initHooks()) {
                std::fprintf(stderr, "no X server with XInput 2\n");
                return 1;
            }
        }
        const double start = cpuMs();
        QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
        app.exec();
        std::printf("%s: %.1f ms CPU over %d s\n",
                    capture ? "capture installed" : "event loop alone", cpuMs() - start, seconds);
    }
    hooks::removeHooks();
    return 0;
}
