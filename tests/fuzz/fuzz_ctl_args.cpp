// SPDX-License-Identifier: GPL-2.0-or-later
// talonctl's command line: arguments separated by NUL bytes. Parsing touches
// no file; help and usage texts are built for whatever was named.
#include "FuzzCommon.h"
#include "ctl/CommandLine.h"
#include "ctl/DeviceCommands.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QStringList args;
    const QByteArray all(reinterpret_cast<const char *>(data), static_cast<int>(size));
    for (const QByteArray &a : all.split('\0'))
        args << QString::fromUtf8(a);
    const ctl::Parsed parsed = ctl::parseCommandLine(args);
    // A usage error is one line.
    if (parsed.error.contains(QLatin1Char('\n')))
        __builtin_trap();
    if (parsed.error.isEmpty() && parsed.invocation.kind == ctl::Invocation::Kind::Run &&
        !ctl::findCommand(parsed.invocation.command))
        __builtin_trap();
    return 0;
}
