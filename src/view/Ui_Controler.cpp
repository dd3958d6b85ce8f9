// SPDX-License-Identifier: GPL-2.0-or-later
#include "Ui_Controler.h"

#include "SceneResources.h"
#include "myQQuickView.h"

#include "device/Hid_Thread.h"

#include <QEvent>
#include <QGuiApplication>
#include <QQmlContext>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QWindow>

void Ui_Controler::setupUi(QWidget *hostWidget, Hid_Thread &link, const QUrl &scene)
{
    registerSceneResources();
    if (hostWidget->objectName().isEmpty())
        hostWidget->setObjectName(QStringLiteral("Widget"));
    host = hostWidget;
    host->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    host->setWindowOpacity(1.0);
    host->setAttribute(Qt::WA_TranslucentBackground, true);
    host->setStyleSheet(QStringLiteral("background:transparent;"));

    view = new myQQuickView(host, link);
    view->installEventFilter(this);
    view->setObjectName(QStringLiteral("ui_View"));
    view->setAttribute(Qt::WA_AlwaysStackOnTop);
    view->setClearColor(Qt::transparent);
    // The scene loads before the context properties exist: the root item
    // stays invisible and unused until initUI.
    view->setSource(scene);

    QQmlContext *context = view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), view);
    context->setContextProperty(QStringLiteral("hid"), &link);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);

    host->resize(view->size());

    const QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    host->setWindowTitle(config.value(QStringLiteral("common/name"), QString()).toString());
}

void Ui_Controler::onMinimize()
{
    if (host)
        host->showMinimized();
}

void Ui_Controler::onClose()
{
    if (!host)
        return;
    // Without a tray nothing could bring a hidden window back: closing quits.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        host->setVisible(false);
    else
        host->close();
}

void Ui_Controler::onXChanged(int x)
{
    drag(QPoint(x, 0));
}

void Ui_Controler::onYChanged(int y)
{
    drag(QPoint(0, y));
}

bool Ui_Controler::compositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void Ui_Controler::drag(QPoint by)
{
    if (!host)
        return;
    // A Wayland compositor ignores moves: it moves the window itself when
    // asked during the press, once per press.
    if (compositorPlacesWindows()) {
        if (systemMoveRequested)
            return;
        QWindow *window = host->windowHandle();
        systemMoveRequested = window && window->startSystemMove();
        if (systemMoveRequested)
            return;
    }
    host->move(host->pos() + by);
}

bool Ui_Controler::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view && event->type() == QEvent::MouseButtonPress)
        systemMoveRequested = false;
    return false;
}

void Ui_Controler::setBusy(int busyTime)
{
    if (view)
        view->setBusy(busyTime);
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}
