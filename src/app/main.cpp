#include "InputWiring.h"
#include "SingleInstance.h"
#include "Widget.h"
#include "WorkingDirectory.h"
#include "input/HookManager.h"
#include "input/X11Capture.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <hidapi/hidapi.h>

Q_DECLARE_LOGGING_CATEGORY(lcStartup)

int main(int argc, char *argv[])
{
    // A flat 1024 x 640 scene: the software renderer is fast enough and keeps
    // a resident tray program small. QT_QUICK_BACKEND still chooses another.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    QApplication app(argc, argv);
    SingleInstance instance;
    if (instance.isRunning()) {
        instance.sendMessage(QString(), 5000);
        return 1;
    }

    workingDirectory::enter();
    workingDirectory::followLanguageInFonts();
    hid_init();

    Widget widget;
    QObject::connect(&instance, &SingleInstance::messageReceived, &widget, &Widget::receiveMessage);
    hooks::setBackend(std::make_unique<X11Capture>());
    wireInputCallbacks(&widget); // subscribes the capture while a screen asks for keys

    widget.showNormal();
    widget.checkDevice();
    const int result = app.exec();

    hooks::removeHooks();
    hid_exit();
    return result;
}
