// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>

// The desktop's pointer settings, in the values of the original platform:
// speed 1 .. 20, double-click time in milliseconds, wheel lines per notch.
// Each returns false where the desktop offers no such setting.
class PointerSettingsBackend
{
public:
    enum Setting { Speed, DoubleClickTime, ScrollLines, SettingCount };

    virtual ~PointerSettingsBackend() = default;
    // Whether the desktop has such a setting at all.
    virtual bool offers(Setting) const { return true; }
    virtual bool setSpeed(int speed) = 0;
    virtual bool setDoubleClickTime(int milliseconds) = 0;
    virtual bool setScrollLines(int lines) = 0;
};

// GNOME's mouse settings when their schema is installed; none otherwise.
std::unique_ptr<PointerSettingsBackend> createPointerSettingsBackend();

// The panel's steps as the platform values, and the slots' failure texts.
class PointerSettings
{
public:
    explicit PointerSettings(std::unique_ptr<PointerSettingsBackend> backend)
        : backend(std::move(backend))
    {
    }

    static int speedValue(unsigned cursorSpeed)
    {
        return cursorSpeed == 0 ? 1 : int(2 * cursorSpeed);
    }
    static int doubleClickMs(unsigned speed) { return 900 - 70 * int(speed); }

    void mouseSetCursorSpeed(unsigned cursorSpeed);
    void mouseSetDoubleClickSpeed(unsigned speed);
    void mouseSetVerticalScrollLines(unsigned lines);

    // Whether the desktop takes the setting: it offers it and the last
    // attempt to set it, if any, succeeded. The panel tells its user where
    // not, instead of showing a value that has no effect.
    bool applies(PointerSettingsBackend::Setting setting) const;

private:
    bool apply(PointerSettingsBackend::Setting setting, bool ok);

    std::unique_ptr<PointerSettingsBackend> backend;
    bool failed[PointerSettingsBackend::SettingCount] = {};
};
