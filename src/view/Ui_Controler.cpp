#include "Ui_Controler.h"

#include "SceneResources.h"
#include "myQQuickView.h"

#include "device/Hid_Thread.h"

#include <QQmlContext>
#include <QSettings>
#include <QWidget>

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
    if (host)
        host->setVisible(false);
}

void Ui_Controler::onXChanged(int x)
{
    if (host)
        host->move(host->x() + x, host->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (host)
        host->move(host->x(), host->y() + y);
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
