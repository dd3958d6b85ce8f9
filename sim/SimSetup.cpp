// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimSetup.h"

#include <cstdlib>
#include <sstream>

namespace sim::setup {

namespace {

struct Device
{
    MouseConfig config;
    Faults faults;
};

void setFault(Faults &f, const std::string &name)
{
    if (name == "silent")
        f.silent = true;
    else if (name == "wrong")
        f.wrongHandshake = true;
    else if (name == "garbage")
        f.garbage = true;
    else if (name == "featureout")
        f.failFeatureOut = true;
    else if (name == "write")
        f.failWrite = true;
    else if (name == "read")
        f.failRead = true;
    else if (name == "short")
        f.shortReports = true;
    else if (name == "stall")
        f.stall = true;
}

Device parseDevice(const std::string &text)
{
    Device d;
    MouseConfig &c = d.config;
    std::stringstream in(text);
    std::string item;
    bool first = true;
    while (std::getline(in, item, ',')) {
        if (first) {
            c.family = item == "560" ? Family::F560 : Family::F553;
            if (c.family == Family::F560) {
                c.pid = 0xa1ef;
                c.reportLength = 64;
            }
            first = false;
            continue;
        }
        const auto eq = item.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = item.substr(0, eq), value = item.substr(eq + 1);
        if (key == "vid")
            c.vid = static_cast<std::uint16_t>(std::strtoul(value.c_str(), nullptr, 16));
        else if (key == "pid")
            c.pid = static_cast<std::uint16_t>(std::strtoul(value.c_str(), nullptr, 16));
        else if (key == "report")
            c.reportLength = std::atoi(value.c_str());
        else if (key == "code") {
            c.code = value;
            c.encode = true;
        } else if (key == "fault")
            setFault(d.faults, value);
        else if (key == "onset")
            d.faults.onset = std::atoi(value.c_str());
        else if (key == "unplug")
            d.faults.unplugAfter = std::atoi(value.c_str());
        else if (key == "failopens")
            d.faults.failOpens = std::atoi(value.c_str());
    }
    return d;
}

bool flagged(const std::string &text, const std::string &flag)
{
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        if (item == flag)
            return true;
    return false;
}

} // namespace

void plugAll(Bus &bus, const std::string &mice)
{
    const std::string devices = mice.empty() ? "553" : mice;
    if (devices == "none")
        return;
    std::stringstream in(devices);
    std::string one;
    while (std::getline(in, one, ';')) {
        if (one.empty())
            continue;
        const Device d = parseDevice(one);
        const int device = bus.plug(d.config);
        bus.faults(device) = d.faults;
        bus.faults(device).denyAccess = flagged(one, "denied");
    }
}

std::vector<std::string> journalLines(const Record &r)
{
    std::vector<std::string> lines;
    std::string line = Bus::traceLine(r);
    if (line.empty())
        return lines;
    lines.push_back(std::move(line));
    if (r.kind == Record::Kind::Output && r.raw.size() > 1)
        lines.push_back("data " + Bus::hex(r.raw.data() + 1, r.raw.size() - 1));
    return lines;
}

void Controls::pressDpiButton(Bus &bus)
{
    stage = stage % 5 + 1;
    bus.pressDpiButton(0, static_cast<std::uint8_t>(stage));
}

bool Controls::togglePlug(Bus &bus)
{
    pluggedIn = !pluggedIn;
    pluggedIn ? bus.replug(0) : bus.unplug(0);
    return pluggedIn;
}

} // namespace sim::setup
