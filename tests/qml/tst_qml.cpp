// SPDX-License-Identifier: GPL-2.0-or-later
// The runner of the scene's Qt Quick Tests: one ctest per tst_*.qml file.
// The back-end objects the scene reaches by name (`ui_View`, `hid`, `ui_Ctl`)
// are test doubles that record every call (doubles/).
#include "features/KeyNameTable.h"
#include "features/MacroEncoder.h"
#include "store/LanguageStore.h"
#include "view/SceneResources.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

// The view's macro encoder (shipped English key names), for doubles that
// must answer with real block lengths.
class MacroCodec : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    Q_INVOKABLE QVariantList encode(const QStringList &macroList, int repeat) const
    {
        const QByteArray block =
            macroEncoder::encode(macroEncoder::parse(macroList, keyNames::englishNames()), repeat);
        QVariantList out;
        for (char b : block)
            out << int(static_cast<unsigned char>(b));
        return out;
    }
};

// The language files as shipped, so that the panels' English fallback lists
// can be held against them position by position.
class ShippedLanguages : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    Q_INVOKABLE QStringList strings(const QString &type, const QString &language) const
    {
        return LanguageStore(QStringLiteral(TALON_SOURCE_DIR "/modules"))
            .getLangStrings(type, language);
    }
    Q_INVOKABLE QStringList languages() const
    {
        return LanguageStore(QStringLiteral(TALON_SOURCE_DIR "/modules")).languageCodes();
    }
};

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
        engine->rootContext()->setContextProperty(QStringLiteral("macroCodec"),
                                                  new MacroCodec(engine));
        engine->rootContext()->setContextProperty(QStringLiteral("shippedLanguages"),
                                                  new ShippedLanguages(engine));
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
