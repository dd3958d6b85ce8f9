// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The host window in a working directory of its own (a copy of the data
// tree), on the virtual mouse, under a real X server.
#include "LinkFixture.h"
#include "StoreFixture.h"
#include "app/Widget.h"
#include "view/Ui_Controler.h"
#include "view/myQQuickView.h"

#include <QDir>
#include <QQuickItem>
#include <QSettings>
#include <QUrl>
#include <memory>

struct Shell
{
    explicit Shell(const QUrl &scene = recorder())
    {
        fixture::resetBus();
        fixture::bus().setRealTime(true);
        pacing::setSleepHook(nullptr);
        Widget::deviceConnected = false;
        QDir::setCurrent(QFileInfo(modules.root()).path());
        sceneUrl = scene;
    }
    ~Shell()
    {
        widget.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    static QUrl recorder()
    {
        return QUrl::fromLocalFile(QStringLiteral(TALON_SOURCE_DIR "/tests/app/Recorder.qml"));
    }

    void configure(const QString &key, const QVariant &value)
    {
        QSettings s(modules.path(QStringLiteral("setting/apConfig.bin")), QSettings::IniFormat);
        s.setValue(key, value);
    }

    Widget &start()
    {
        widget = std::make_unique<Widget>(nullptr, sceneUrl);
        return *widget;
    }

    QStringList calls() const
    {
        return widget->view()->rootObject()->property("calls").toStringList();
    }

    ModulesCopy modules;
    QUrl sceneUrl;
    std::unique_ptr<Widget> widget;
};
