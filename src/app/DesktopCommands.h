// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class Widget;

// What the desktop may ask of the running program (its session-bus
// interface, the tray's profile entries, a key bound to a shortcut), each on
// the path the screens take for the same change. Every command returns once
// the mouse took it, or says why it did not; none starts while the device
// link is busy (the caller waits for it, see BusService).
class DesktopCommands : public QObject
{
    Q_OBJECT

public:
    enum class Error {
        None,
        NotConnected, // no mouse answers, or the program is quitting
        InvalidValue, // a value the mouse or its profile does not have
        InvalidFile,  // a profile file that cannot be read or is none
        NoAnswer,     // the mouse did not take a command
        Busy,         // the switch is held (a dialog), or another program keeps the mouse
    };
    struct Outcome
    {
        Error error = Error::None;
        QString message;
        bool ok() const { return error == Error::None; }
    };

    static constexpr int kReportRates[] = {125, 250, 500, 1000}; // Hz by the profile's index

    explicit DesktopCommands(Widget &host);

    // What the screens show.
    bool connected() const;
    QString family() const;
    QString model() const;
    int profile() const;    // 1 .. 10, as talonctl --profile numbers them
    int dpiStage() const;   // 1-based; 0 while the mouse told none
    int reportRate() const; // Hz

    // A profile switch that a dialog or an exchange holds is refused with
    // Busy and the reason; the tray then leaves it to the scene, which takes
    // it once the hold ends.
    Outcome setProfile(int number);
    Outcome setDpiStage(int stage);
    Outcome setReportRate(int hz);
    // The .pf file becomes the current profile, as an import into the
    // current row of the profile dialog, and the mouse gets all of it.
    Outcome applyProfileFile(const QString &path);
    Outcome show();

signals:
    void connectedChanged(bool connected);
    void profileChanged(int profile);
    void dpiStageChanged(int stage);
    void reportRateChanged(int hz);

private slots:
    void sceneStageChanged();
    void sceneRateChanged();

private:
    // Runs work that sends, and tells whether the mouse took all of it.
    Outcome sent(const std::function<bool()> &work);
    Outcome held() const;
    void watchScene();

    Widget &host;
    int shownProfile = 0;
    int shownStage = 0;
    int shownRate = 0;
};
