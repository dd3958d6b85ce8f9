// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimBus.h"

#include "SimCipher.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <hidapi/hidapi.h>
#include <random>
#include <thread>

struct hid_device_
{
    int device;
    int iface;
};

namespace sim {

namespace {
// The process a shared mouse serves on this thread; 0 in a process of its own.
thread_local int caller = 0;
} // namespace

struct Bus::Mouse
{
    explicit Mouse(const MouseConfig &c) : config(c), firmware(c.family) {}

    MouseConfig config;
    Firmware firmware;
    Faults faults;
    bool plugged = true;
    Frame8 reply{};
    Frame8 pendingFrame{};
    int expected = 0;              // data bytes still owed by the host for pendingFrame
    int operations = 0;            // on the command interface, for the faults' onset
    bool handshakePending = false; // the last frame taken was a challenge
    Bytes received;
    std::deque<Bytes> commandInput;
    std::deque<Bytes> events;
    std::minstd_rand noise{12345};

    std::array<std::uint8_t, 6> code6() const
    {
        std::array<std::uint8_t, 6> c{};
        for (std::size_t i = 0; i < c.size() && i < config.code.size(); ++i)
            c[i] = static_cast<std::uint8_t>(config.code[i]);
        return c;
    }
};

Bus &Bus::instance()
{
    static Bus bus;
    return bus;
}

Bus::Bus() = default;
Bus::~Bus() = default;

int Bus::plug(const MouseConfig &config)
{
    std::lock_guard<std::mutex> g(lock);
    mice.push_back(std::make_unique<Mouse>(config));
    return static_cast<int>(mice.size()) - 1;
}

void Bus::unplug(int device)
{
    {
        std::lock_guard<std::mutex> g(lock);
        mice.at(static_cast<std::size_t>(device))->plugged = false;
        note({Record::Kind::Unplug, device});
    }
    eventArrived.notify_all();
}

void Bus::replug(int device)
{
    std::lock_guard<std::mutex> g(lock);
    Mouse &m = *mice.at(static_cast<std::size_t>(device));
    m.plugged = true;
    m.expected = 0;
    m.received.clear();
    m.commandInput.clear();
}

void Bus::reset()
{
    std::lock_guard<std::mutex> g(lock);
    for (hid_device_ *h : handles)
        delete h;
    handles.clear();
    mice.clear();
    log.clear();
    exited = false;
    overlaps = 0;
}

int Bus::faultHits() const
{
    std::lock_guard<std::mutex> g(lock);
    return static_cast<int>(std::count_if(
        log.begin(), log.end(), [](const Record &r) { return r.kind == Record::Kind::Fault; }));
}

bool Bus::handshakeAnswered() const
{
    std::lock_guard<std::mutex> g(lock);
    return std::any_of(log.begin(), log.end(),
                       [](const Record &r) { return r.kind == Record::Kind::Handshake; });
}

void Bus::noteExit()
{
    std::lock_guard<std::mutex> g(lock);
    Record r{Record::Kind::Exit};
    r.ms = static_cast<int>(handles.size());
    note(r);
    exited = true;
}

void Bus::noteCall()
{
    std::lock_guard<std::mutex> g(lock);
    if (exited)
        note({Record::Kind::AfterExit});
}

void Bus::probeGlobalState(bool on)
{
    probing = on;
    overlaps = 0;
}

int Bus::globalStateOverlaps() const
{
    return overlaps;
}

Bus::GlobalCall::GlobalCall()
{
    Bus &b = instance();
    if (b.globalCallers.fetch_add(1) > 0)
        ++b.overlaps;
    if (b.probing)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

Bus::GlobalCall::~GlobalCall()
{
    instance().globalCallers.fetch_sub(1);
}

Faults &Bus::faults(int device)
{
    std::lock_guard<std::mutex> g(lock);
    return mice.at(static_cast<std::size_t>(device))->faults;
}

MouseState &Bus::state(int device)
{
    std::lock_guard<std::mutex> g(lock);
    return mice.at(static_cast<std::size_t>(device))->firmware.state;
}

const MouseConfig &Bus::config(int device)
{
    std::lock_guard<std::mutex> g(lock);
    return mice.at(static_cast<std::size_t>(device))->config;
}

std::string Bus::path(int device, int iface) const
{
    return "sim:" + std::to_string(device) + ":" + std::to_string(iface);
}

void Bus::pushEvent(int device, const Bytes &report)
{
    {
        std::lock_guard<std::mutex> g(lock);
        mice.at(static_cast<std::size_t>(device))->events.push_back(report);
    }
    eventArrived.notify_all();
}

void Bus::pressDpiButton(int device, std::uint8_t stage)
{
    pushEvent(device, {0x06, 0x07, 0x00, stage});
}

void Bus::recordPause(int ms)
{
    Record r{Record::Kind::Pause};
    r.ms = ms;
    record(r);
}

void Bus::record(Record r)
{
    std::lock_guard<std::mutex> g(lock);
    note(std::move(r));
}

void Bus::note(Record r)
{
    r.process = caller;
    log.push_back(std::move(r));
}

void Bus::setCaller(int process)
{
    caller = process;
}

std::vector<Record> Bus::records(std::size_t from) const
{
    std::lock_guard<std::mutex> g(lock);
    if (from >= log.size())
        return {};
    return std::vector<Record>(log.begin() + static_cast<long>(from), log.end());
}

std::vector<Record> Bus::records() const
{
    std::lock_guard<std::mutex> g(lock);
    return log;
}

void Bus::clearRecords()
{
    std::lock_guard<std::mutex> g(lock);
    log.clear();
}

void Bus::forgetRecords(std::size_t keep)
{
    std::lock_guard<std::mutex> g(lock);
    if (log.size() > 2 * keep)
        log.erase(log.begin(), log.end() - std::ptrdiff_t(keep));
}

std::string Bus::hex(const std::uint8_t *b, std::size_t n)
{
    std::string s;
    char part[4];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(part, sizeof part, i ? " %02x" : "%02x", b[i]);
        s += part;
    }
    return s;
}

std::string Bus::traceLine(const Record &r, bool withOpens)
{
    switch (r.kind) {
    case Record::Kind::FeatureOut:
        return (r.checksumOk ? "frame " : "bad frame ") + hex(r.frame.data(), 8);
    case Record::Kind::FeatureIn:
        return "reply " + hex(r.frame.data(), 8);
    case Record::Kind::Output:
        return "out " + std::to_string(r.raw.size());
    case Record::Kind::Input:
        return "in " + std::to_string(r.raw.size());
    case Record::Kind::Event:
        return "event " + hex(r.raw.data(), r.raw.size());
    case Record::Kind::Timeout:
        return "timeout";
    case Record::Kind::Pause:
        return "pause " + std::to_string(r.ms);
    case Record::Kind::Unplug:
        return "unplug";
    case Record::Kind::Exit:
        return "hid_exit open=" + std::to_string(r.ms);
    case Record::Kind::AfterExit:
        return "call after hid_exit";
    case Record::Kind::Fault:
    case Record::Kind::Handshake:
    case Record::Kind::EventRead:
        return {};
    case Record::Kind::Open:
    case Record::Kind::OpenFailed:
    case Record::Kind::Close:
        if (!withOpens)
            return {};
        return r.kind == Record::Kind::Open         ? "open " + std::to_string(r.iface)
               : r.kind == Record::Kind::OpenFailed ? "open failed"
                                                    : "close";
    }
    return {};
}

std::vector<std::string> Bus::trace(bool withOpens) const
{
    std::vector<std::string> out;
    for (const Record &r : records()) {
        std::string line = traceLine(r, withOpens);
        if (!line.empty())
            out.push_back(std::move(line));
    }
    return out;
}

std::vector<Frame8> Bus::frames() const
{
    std::vector<Frame8> out;
    for (const Record &r : records())
        if (r.kind == Record::Kind::FeatureOut && r.checksumOk)
            out.push_back(r.frame);
    return out;
}

std::vector<Bytes> Bus::outputReports() const
{
    std::vector<Bytes> out;
    for (const Record &r : records())
        if (r.kind == Record::Kind::Output)
            out.push_back(r.raw);
    return out;
}

int Bus::openHandles() const
{
    std::lock_guard<std::mutex> g(lock);
    return static_cast<int>(handles.size());
}

int Bus::deviceCount() const
{
    std::lock_guard<std::mutex> g(lock);
    return static_cast<int>(mice.size());
}

void Bus::setRealTime(bool on)
{
    std::lock_guard<std::mutex> g(lock);
    realTime = on;
}

hid_device_info *Bus::enumerate(std::uint16_t vid, std::uint16_t pid)
{
    std::lock_guard<std::mutex> g(lock);
    hid_device_info *head = nullptr;
    hid_device_info **tail = &head;
    for (std::size_t d = 0; d < mice.size(); ++d) {
        const Mouse &m = *mice[d];
        if (!m.plugged || (vid && vid != m.config.vid) || (pid && pid != m.config.pid))
            continue;
        const std::uint16_t usages[3][2] = {{0x0001, 0x0002},
                                            {m.config.usagePage, m.config.usage},
                                            {m.config.usagePage2, m.config.usage2}};
        for (int i = 0; i < 3; ++i) {
            auto *info = new hid_device_info{};
            const std::string p = path(static_cast<int>(d), i);
            info->path = new char[p.size() + 1];
            std::memcpy(info->path, p.c_str(), p.size() + 1);
            info->vendor_id = m.config.vid;
            info->product_id = m.config.pid;
            info->usage_page = usages[i][0];
            info->usage = usages[i][1];
            info->interface_number = i;
            info->bus_type = HID_API_BUS_USB;
            *tail = info;
            tail = &info->next;
        }
    }
    return head;
}

void Bus::freeEnumeration(hid_device_info *list)
{
    while (list) {
        hid_device_info *next = list->next;
        delete[] list->path;
        delete list;
        list = next;
    }
}

hid_device_ *Bus::open(const char *p)
{
    std::lock_guard<std::mutex> g(lock);
    int device = -1, iface = -1;
    if (!p || std::sscanf(p, "sim:%d:%d", &device, &iface) != 2 || device < 0 ||
        device >= static_cast<int>(mice.size()) || iface < 0 || iface > 2) {
        note({Record::Kind::OpenFailed, device, iface});
        errno = ENOENT;
        return nullptr;
    }
    Mouse &m = *mice[static_cast<std::size_t>(device)];
    const bool armed = faulty(m);
    if (iface == kCommand)
        ++m.operations;
    bool refuse = !m.plugged || m.faults.denyAccess || (armed && m.faults.failOpens < 0);
    if (!refuse && armed && m.faults.failOpens > 0) {
        --m.faults.failOpens;
        refuse = true;
    }
    if (refuse) {
        note({Record::Kind::OpenFailed, device, iface});
        hit(device, iface);
        // What open(2) of a hidraw node would leave behind.
        errno = !m.plugged ? ENOENT : m.faults.denyAccess ? EACCES : EIO;
        return nullptr;
    }
    auto *h = new hid_device_{device, iface};
    handles.insert(h);
    note({Record::Kind::Open, device, iface});
    return h;
}

void Bus::close(hid_device_ *h)
{
    std::lock_guard<std::mutex> g(lock);
    if (handles.erase(h)) {
        note({Record::Kind::Close, h->device, h->iface});
        delete h;
    }
}

int Bus::gone(hid_device_ *h)
{
    // Reports tried on a handle of an unplugged mouse fail as a fault would.
    if (handles.count(h) && !mice[static_cast<std::size_t>(h->device)]->plugged)
        hit(h->device, h->iface);
    return -1;
}

Bus::Mouse *Bus::live(hid_device_ *h, int &iface)
{
    if (!handles.count(h))
        return nullptr;
    Mouse &m = *mice[static_cast<std::size_t>(h->device)];
    iface = h->iface;
    return m.plugged ? &m : nullptr;
}

bool Bus::faulty(const Mouse &m) const
{
    return m.operations >= m.faults.onset;
}

void Bus::hit(int device, int iface)
{
    note({Record::Kind::Fault, device, iface});
}

bool Bus::consumeReportBudget(Mouse &m)
{
    ++m.operations;
    if (m.faults.unplugAfter == 0) {
        m.plugged = false;
        m.faults.unplugAfter = -1;
        note({Record::Kind::Unplug});
        eventArrived.notify_all();
        return false;
    }
    if (m.faults.unplugAfter > 0)
        --m.faults.unplugAfter;
    return true;
}

int Bus::sendFeature(hid_device_ *h, const std::uint8_t *data, std::size_t length)
{
    std::lock_guard<std::mutex> g(lock);
    int iface = -1;
    Mouse *m = live(h, iface);
    if (!m || iface != kCommand || !data || length != 9 || data[0] != 0x00)
        return gone(h);
    const bool armed = faulty(*m);
    if (!consumeReportBudget(*m) || (armed && m->faults.failFeatureOut)) {
        hit(h->device, iface);
        return -1;
    }

    Record r{Record::Kind::FeatureOut, h->device, iface, Bytes(data, data + length)};
    std::copy(data + 1, data + 9, r.frame.begin());
    if (m->config.encode)
        decipherBlock(r.frame.data(), m->code6().data());

    unsigned sum = 0;
    for (std::uint8_t b : r.frame)
        sum += b;
    r.checksumOk = (sum & 0xFF) == 0xFF;

    // A new frame abandons any block still owed for the previous one.
    m->expected = 0;
    m->received.clear();
    m->reply = Frame8{};
    m->handshakePending = r.checksumOk && r.frame[0] == 0x00;
    if (r.checksumOk) {
        m->commandInput.clear();
        m->reply =
            m->firmware.onFrame(r.frame, m->expected, m->config.reportLength, m->commandInput);
        m->pendingFrame = r.frame;
    }
    note(r);
    return static_cast<int>(length);
}

int Bus::getFeature(hid_device_ *h, std::uint8_t *data, std::size_t length)
{
    std::lock_guard<std::mutex> g(lock);
    int iface = -1;
    Mouse *m = live(h, iface);
    if (!m || iface != kCommand || !data || length < 9)
        return gone(h);
    const bool armed = faulty(*m);
    if (!consumeReportBudget(*m) || (armed && m->faults.silent)) {
        hit(h->device, iface);
        return -1;
    }

    Frame8 reply = m->reply;
    bool intact = true;
    if (armed && m->faults.garbage) {
        for (std::uint8_t &b : reply)
            b = static_cast<std::uint8_t>(m->noise());
        intact = false;
    } else if (armed && m->faults.wrongHandshake && reply[0] == 0x00) {
        reply = makeReply(0x00, {std::uint8_t(reply[1] ^ 0xA5), reply[2], reply[3], reply[4]});
        intact = false;
    }
    const bool isShort = armed && m->faults.shortReports;
    if (isShort)
        hit(h->device, iface);
    else if (intact && m->handshakePending)
        note({Record::Kind::Handshake, h->device, iface});

    Record r{Record::Kind::FeatureIn, h->device, iface};
    r.frame = reply;
    note(r);

    if (m->config.encode)
        encipherBlock(reply.data(), m->code6().data());
    const std::size_t n = isShort ? 5 : 9;
    data[0] = 0x00;
    std::copy(reply.begin(), reply.begin() + static_cast<long>(n - 1), data + 1);
    return static_cast<int>(n);
}

int Bus::write(hid_device_ *h, const std::uint8_t *data, std::size_t length)
{
    std::lock_guard<std::mutex> g(lock);
    int iface = -1;
    Mouse *m = live(h, iface);
    if (!m || iface != kCommand || !data)
        return gone(h);
    const bool armed = faulty(*m);
    if (!consumeReportBudget(*m) || (armed && m->faults.failWrite)) {
        hit(h->device, iface);
        return -1;
    }
    note({Record::Kind::Output, h->device, iface, Bytes(data, data + length)});
    if (length != static_cast<std::size_t>(m->config.reportLength) + 1 || data[0] != 0x00)
        return -1;

    // Bytes beyond the announced block are padding and dropped.
    const std::size_t owed = static_cast<std::size_t>(m->expected) - m->received.size();
    const std::size_t take = std::min(owed, length - 1);
    m->received.insert(m->received.end(), data + 1, data + 1 + take);
    if (m->expected > 0 && m->received.size() == static_cast<std::size_t>(m->expected)) {
        m->firmware.onData(m->pendingFrame, m->received);
        m->expected = 0;
        m->received.clear();
    }
    return static_cast<int>(length);
}

int Bus::read(hid_device_ *h, std::uint8_t *data, std::size_t length, int timeoutMs)
{
    std::unique_lock<std::mutex> g(lock);
    int iface = -1;
    Mouse *m = live(h, iface);
    if (!m || !data)
        return gone(h);

    if (iface == kCommand) {
        const bool armed = faulty(*m);
        if (!consumeReportBudget(*m) || (armed && m->faults.failRead)) {
            hit(h->device, iface);
            return -1;
        }
        if ((armed && m->faults.stall) || m->commandInput.empty()) {
            Record t{Record::Kind::Timeout, h->device, iface};
            t.ms = timeoutMs;
            note(t);
            hit(h->device, iface);
            if (realTime && timeoutMs > 0) {
                g.unlock();
                std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
            }
            return 0;
        }
        Bytes report = m->commandInput.front();
        m->commandInput.pop_front();
        std::size_t n = std::min(length, report.size());
        if (armed && m->faults.shortReports) {
            n /= 2;
            hit(h->device, iface);
        }
        std::copy(report.begin(), report.begin() + static_cast<long>(n), data);
        note({Record::Kind::Input, h->device, iface, Bytes(data, data + n)});
        return static_cast<int>(n);
    }

    if (iface == kEvent) {
        Record r{Record::Kind::EventRead, h->device, iface};
        r.ms = timeoutMs;
        note(r);
        const auto hasEvent = [&] {
            int unused = -1;
            return !live(h, unused) || !m->events.empty();
        };
        if (realTime && timeoutMs != 0) {
            if (timeoutMs < 0)
                eventArrived.wait(g, hasEvent);
            else
                eventArrived.wait_for(g, std::chrono::milliseconds(timeoutMs), hasEvent);
        }
        if (!live(h, iface))
            return -1;
        if (m->events.empty())
            return 0;
        Bytes report = m->events.front();
        m->events.pop_front();
        const std::size_t n = std::min(length, report.size());
        std::copy(report.begin(), report.begin() + static_cast<long>(n), data);
        note({Record::Kind::Event, h->device, iface, Bytes(data, data + n)});
        return static_cast<int>(n);
    }
    return 0; // the pointer interface reports nothing here
}

} // namespace sim
