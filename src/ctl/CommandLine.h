// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// talonctl's command line as data: parsed without touching a file or a
// device, so that every usage error is found before connecting.
namespace ctl {

struct Options
{
    QString profile;  // --profile: 1 .. 10 or a profile file
    QString sensor;   // --sensor
    int stages = -1;  // --stages
    int type = -1;    // --type
    int slot = -1;    // --slot
    QString language; // --language
    int device = -1;  // --device: row of the device table
    bool json = false;
};

// Options a command accepts besides --config and --device.
enum OptionBit : unsigned {
    kProfile = 1u << 0,
    kSensor = 1u << 1,
    kStages = 1u << 2,
    kType = 1u << 3,
    kSlot = 1u << 4,
    kLanguage = 1u << 5,
    kJson = 1u << 6,
};

struct Invocation
{
    enum class Kind { Run, Help, Version };
    Kind kind = Kind::Run;
    QString command; // for Help: the command asked about, empty for all
    QStringList arguments;
    Options options;
    unsigned given = 0; // OptionBits given on the line
    QString config;     // empty: the default configuration
};

struct Parsed
{
    Invocation invocation;
    QString error; // one line; empty when the line is usable
};

// Options and arguments, then the command's own rules for its arguments
// (numbers, ranges, counts). Knows the commands by name.
Parsed parseCommandLine(const QStringList &arguments);

} // namespace ctl
