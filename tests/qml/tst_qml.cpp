// The runner of the scene's Qt Quick Tests: one ctest per tst_*.qml file.
// The back-end objects the scene reaches by name (`ui_View`, `hid`, `ui_Ctl`)
// are test doubles that record every call (doubles/).
#include "view/SceneResources.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        registerSceneResources();
        install(engine, "ui_View", "ViewDouble.qml");
        install(engine, "hid", "HidDouble.qml");
        install(engine, "ui_Ctl", "ControllerDouble.qml");
    }

private:
    static void install(QQmlEngine *engine, const char *name, const char *file)
    {
        const QString path =
            QStringLiteral(TALON_SOURCE_DIR "/tests/qml/doubles/") + QLatin1String(file);
        QQmlComponent component(engine, QUrl::fromLocalFile(path));
        QObject *double_ = component.create();
        if (!double_)
            qFatal("%s: %s", file, qPrintable(component.errorString()));
        double_->setParent(engine);
        engine->rootContext()->setContextProperty(QLatin1String(name), double_);
    }
};

QUICK_TEST_MAIN_WITH_SETUP(scene, Setup)

#include "tst_qml.moc"
