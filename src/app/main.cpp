// SPDX-License-Identifier: GPL-2.0-or-later
#include "ApplicationId.h"
#include "Autostart.h"
#include "BusService.h"
#include "InputWiring.h"
#include "QuitSignals.h"
#include "SingleInstance.h"
#include "StartOptions.h"
#include "Widget.h"
#include "WorkingDirectory.h"
#include "device/HidAccess.h"
#include "input/HookManager.h"
#include "input/X11Capture.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QTimer>
#include <cstdio>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcStartup)
Q_DECLARE_LOGGING_CATEGORY(lcBus)

namespace {

// Without a tray to come back through, a hidden window would leave no way in.
// At login the panel may come up a moment after the program.
constexpr int kTrayWaitMs = 5000;

// Answers --help, --version and a command line that cannot be used without
// starting anything; -1 to start.
int answerBeforeStart(const startOptions::Options &options)
{
    switch (options.action) {
    case startOptions::Action::Help:
        std::fputs(qPrintable(startOptions::usage()), stdout);
        return 0;
    case startOptions::Action::Version:
        std::printf("kestrel-talon %s\n", TALON_VERSION);
        return 0;
    case startOptions::Action::Error:
        std::fputs(qPrintable(startOptions::usageError(options.error)), stderr);
        return 2;
    case startOptions::Action::Start:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const startOptions::Options options = startOptions::parse(arguments);
    if (const int status = answerBeforeStart(options); status >= 0)
        return status;

    // A flat 1024 x 640 scene: the software renderer is fast enough and keeps
    // a resident tray program small. QT_QUICK_BACKEND still chooses another.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    QApplication app(argc, argv);
    // Wayland desktops find the entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    SingleInstance instance;
    if (instance.lockFailed()) {
        std::fprintf(stderr, "kestrel-talon: cannot take the single-instance lock %s\n",
                     qPrintable(instance.lockFailure()));
        return 1;
    }
    if (instance.isRunning()) {
        instance.sendMessage(QString(), 5000);
        return 1;
    }

    autostart::refresh(QCoreApplication::applicationFilePath());
    workingDirectory::enter();
    workingDirectory::followLanguageInFonts();
    hidAccess::init();

    int result = 0;
    {
        Widget widget;
        QObject::connect(&instance, &SingleInstance::messageReceived, &widget,
                         &Widget::receiveMessage);
        QuitSignals quitSignals;
        QObject::connect(&quitSignals, &QuitSignals::quitRequested, &widget, &Widget::exitSYS);
        hooks::setBackend(std::make_unique<X11Capture>());
        wireInputCallbacks(&widget); // subscribes the capture while a screen asks for keys
        // Scripts and desktop shortcuts, and talonctl, reach the mouse through us.
        BusService bus(widget);
        QString busProblem;
        if (!bus.publish(&busProblem))
            qCWarning(lcBus).noquote() << "not on the session bus:" << busProblem;
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &bus, &BusService::withdraw);

        if (!options.hidden)
            widget.showNormal();
        else if (!Widget::trayAvailable())
            QTimer::singleShot(kTrayWaitMs, &widget, [&widget] {
                if (!Widget::trayAvailable())
                    widget.showNormal();
            });
        widget.checkDevice();
        result = app.exec();

        hooks::removeHooks();
    } // the host window waits for the listener, which may be inside hidapi
    hidAccess::exit();
    return result;
}
