// SPDX-License-Identifier: GPL-2.0-or-later
// GIO first: its headers use words that Qt's headers define as macros.
#include <gio/gio.h>

#include "GnomePointerSettings.h"

#include <QLoggingCategory>
#include <algorithm>

// What the desktop holds after each write, read back from it (debug level).
Q_LOGGING_CATEGORY(lcPointerSettings, "talon.input", QtInfoMsg)

namespace {

GSettings *openMouseSettings()
{
    return GnomePointerSettings::available() ? g_settings_new(GnomePointerSettings::kSchema)
                                             : nullptr;
}

} // namespace

bool GnomePointerSettings::available()
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    if (!source)
        return false;
    GSettingsSchema *schema = g_settings_schema_source_lookup(source, kSchema, TRUE);
    if (!schema)
        return false;
    g_settings_schema_unref(schema);
    return true;
}

double GnomePointerSettings::gnomeSpeed(int speed)
{
    return std::clamp((speed - 10) / 10.0, -1.0, 1.0);
}

bool GnomePointerSettings::setSpeed(int speed)
{
    GSettings *settings = openMouseSettings();
    if (!settings)
        return false;
    const bool ok = g_settings_set_double(settings, "speed", gnomeSpeed(speed));
    g_settings_sync();
    qCDebug(lcPointerSettings, "speed %g", g_settings_get_double(settings, "speed"));
    g_object_unref(settings);
    return ok;
}

bool GnomePointerSettings::setDoubleClickTime(int milliseconds)
{
    GSettings *settings = openMouseSettings();
    if (!settings)
        return false;
    const bool ok = g_settings_set_int(settings, "double-click", milliseconds);
    g_settings_sync();
    qCDebug(lcPointerSettings, "double-click %d", g_settings_get_int(settings, "double-click"));
    g_object_unref(settings);
    return ok;
}

bool GnomePointerSettings::setScrollLines(int)
{
    return false;
}

std::unique_ptr<PointerSettingsBackend> createPointerSettingsBackend()
{
    if (!GnomePointerSettings::available())
        return nullptr;
    return std::make_unique<GnomePointerSettings>();
}
