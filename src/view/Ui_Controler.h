// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QUrl>

class QWidget;
class Hid_Thread;
class myQQuickView;

// The window controller: prepares the frameless host window, creates the view
// and loads the scene, and offers QML (as `ui_Ctl`) the window operations.
class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    static QUrl defaultScene() { return QUrl(QStringLiteral("qrc:modules/qml/main.qml")); }

    Ui_Controler() = default;

    void setupUi(QWidget *hostWidget, Hid_Thread &link, const QUrl &scene = defaultScene());
    myQQuickView *quickView() const { return view; }

    // True where the window system places windows itself (Wayland).
    static bool compositorPlacesWindows();
    // Whether the current press has handed the move to the compositor.
    bool systemMoveStarted() const { return systemMoveRequested; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    void drag(QPoint by);

    QWidget *host = nullptr;
    myQQuickView *view = nullptr;
    bool systemMoveRequested = false;
};
