// SPDX-License-Identifier: GPL-2.0-or-later
#include "InputWiring.h"
#include "QuitSignals.h"
#include "SingleInstance.h"
#include "Widget.h"
#include "WorkingDirectory.h"
#include "device/HidAccess.h"
#include "input/HookManager.h"
#include "input/X11Capture.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <cstdio>
#include <cstring>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcStartup)

namespace {

const char kUsage[] =
    "Usage: kestrel-talon [--help | --version]\n"
    "\n"
    "The configuration utility of the Kestrel Talon mouse. It runs in the system\n"
    "tray, finds the mouse among the HID devices and opens its window when the\n"
    "mouse answers. Only one instance runs per user; a second start shows the\n"
    "first one's window.\n"
    "\n"
    "  --help      Print this text and exit.\n"
    "  --version   Print the version and exit.\n"
    "\n"
    "The command-line companion is talonctl(1).\n";

// --help and --version are the only arguments read, and only when given
// alone: any other start behaves as a plain start.
int answerInformationRequest(int argc, char *argv[])
{
    if (argc != 2)
        return -1;
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("kestrel-talon %s\n", TALON_VERSION);
        return 0;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const int status = answerInformationRequest(argc, argv); status >= 0)
        return status;

    // A flat 1024 x 640 scene: the software renderer is fast enough and keeps
    // a resident tray program small. QT_QUICK_BACKEND still chooses another.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    QApplication app(argc, argv);
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

        widget.showNormal();
        widget.checkDevice();
        result = app.exec();

        hooks::removeHooks();
    } // the host window waits for the listener, which may be inside hidapi
    hidAccess::exit();
    return result;
}
