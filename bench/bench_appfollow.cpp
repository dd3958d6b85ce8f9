// SPDX-License-Identifier: GPL-2.0-or-later
// Profiles that follow the window in front, on an X server against the
// virtual mouse:
//  1. latency: from setting _NET_ACTIVE_WINDOW to the first frame the mouse
//     accepts, over several switches (the 500 ms settling time included);
//  2. CPU of the whole process while the window in front changes every second
//     between windows without a rule (watcher and follower alone), and then
//     between two bound applications (every change a switch), against the
//     event loop left idle for as long.
// Run in a scratch copy of the data tree, on an X server:
//   build/bin/bench_appfollow MODULES_DIR [seconds] [scene.qml]
#include "SimBus.h"
#include "app/AppFollow.h"
#include "app/Widget.h"
#include "device/Pacing.h"
#include "store/AppProfileStore.h"
#include "view/myQQuickView.h"
#include "x11/TestDesktop.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <algorithm>
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

QElapsedTimer wall;
size_t framesBefore = 0;
qint64 firstFrameAt = -1;

// Every protocol pause follows a frame or a data report: the first pause
// that finds a new frame on the bus dates it.
void pauseHook(int ms)
{
    if (firstFrameAt < 0 && sim::Bus::instance().frames().size() > framesBefore)
        firstFrameAt = wall.nsecsElapsed();
    QThread::msleep(ms);
}

qint64 decidedAt = -1;
QtMessageHandler previousHandler = nullptr;

// The follower's decision is logged as "profile N for ..." just before the
// scene is asked to change: it dates the end of the settling.
void onMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (decidedAt < 0 && message.startsWith(QLatin1String("profile ")))
        decidedAt = wall.nsecsElapsed();
    if (type != QtDebugMsg && previousHandler)
        previousHandler(type, context, message);
}

// Runs the event loop for `ms` without spinning.
void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_appfollow MODULES_DIR [seconds] [scene.qml]\n");
        return 2;
    }
    const int seconds = argc > 2 ? std::max(5, std::atoi(argv[2])) : 60;
    const QUrl scene = argc > 3 ? QUrl::fromLocalFile(QString::fromLocal8Bit(argv[3])) : QUrl();
    QDir::setCurrent(QFileInfo(QString::fromLocal8Bit(argv[1])).absolutePath());

    AppProfileStore rules(QStringLiteral("./modules"));
    rules.bind(QStringLiteral("bench_game"), 2);
    rules.bind(QStringLiteral("bench_tool"), 1);
    QSettings(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat)
        .setValue(QStringLiteral("mouse/profileNo"), 0);

    TestDesktop desk;
    if (!desk.ok()) {
        std::fprintf(stderr, "no X server\n");
        return 1;
    }
    const xcb_window_t game = desk.window("bench_game", "bench_game");
    const xcb_window_t tool = desk.window("bench_tool", "bench_tool");
    const xcb_window_t plainA = desk.window("a", "bench_plain_a");
    const xcb_window_t plainB = desk.window("b", "bench_plain_b");
    desk.activate(plainA);

    sim::Bus::instance().plug(sim::MouseConfig{});
    wall.start();
    pacing::setSleepHook(&pauseHook);
    Widget widget(nullptr, scene);
    widget.showNormal();
    widget.checkDevice();
    spin(3000); // start-up: initUI and its protection period
    if (!widget.appFollow()->isAvailable()) {
        std::fprintf(stderr, "the window in front cannot be followed\n");
        return 1;
    }

    // 1. Latency.
    QLoggingCategory::setFilterRules(QStringLiteral("talon.app.debug=true"));
    previousHandler = qInstallMessageHandler(onMessage);
    std::vector<double> total, settling, toFrame;
    for (int i = 0; i < 10; ++i) {
        framesBefore = sim::Bus::instance().frames().size();
        firstFrameAt = decidedAt = -1;
        const qint64 start = wall.nsecsElapsed();
        desk.activate(i % 2 ? plainA : game);
        spin(4000); // the whole profile goes out before the next change
        if (firstFrameAt < 0 || decidedAt < 0) {
            std::fprintf(stderr, "no switch after change %d\n", i);
            return 1;
        }
        total.push_back((firstFrameAt - start) / 1e6);
        settling.push_back((decidedAt - start) / 1e6);
        toFrame.push_back((firstFrameAt - decidedAt) / 1e6);
    }
    const auto report = [](const char *what, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        std::printf("%s: min %.1f ms, median %.1f ms, max %.1f ms (%zu switches)\n", what,
                    v.front(), v[v.size() / 2], v.back(), v.size());
    };
    report("focus change to first frame", total);
    report("focus change to the decision (500 ms settling included)", settling);
    report("decision to first frame (the scene's changeProfile up to the link)", toFrame);
    std::fflush(stdout);

    // 2. CPU.
    const auto measure = [&](const char *what, xcb_window_t a, xcb_window_t b) {
        const double start = cpuMs();
        const size_t framesAtStart = sim::Bus::instance().frames().size();
        for (int s = 0; s < seconds; ++s) {
            if (a)
                desk.activate(s % 2 ? b : a);
            spin(1000);
        }
        std::printf("%s: %.0f ms CPU over %d s (%.2f %%), %zu frames sent\n", what, cpuMs() - start,
                    seconds, (cpuMs() - start) / (seconds * 10.0),
                    sim::Bus::instance().frames().size() - framesAtStart);
    };
    desk.activate(plainA);
    spin(2000);
    measure("idle, nothing in front changes", 0, 0);
    measure("a window without a rule in front every second", plainA, plainB);
    measure("a bound application in front every second (a switch each)", game, tool);
    return 0;
}
