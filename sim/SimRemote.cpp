// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimRemote.h"

#include "SimWire.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <hidapi/hidapi.h>
#include <mutex>
#include <pthread.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace sim::remote {

using wire::Op;
using wire::Reader;
using wire::Writer;

namespace {

// A hid_device of the shared mouse: the server's number for the handle.
struct RemoteHandle
{
    std::uint32_t id;
};

std::uint32_t idOf(hid_device_ *h)
{
    return h ? reinterpret_cast<RemoteHandle *>(h)->id : 0;
}

int connectServer()
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath(), sizeof address.sun_path - 1);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
        return fd;
    static std::once_flag warned;
    const int error = errno;
    std::call_once(warned, [error] {
        std::fprintf(stderr, "virtual mouse: no shared mouse at %s: %s\n", socketPath(),
                     std::strerror(error));
    });
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// One connection per thread. Kept in a thread key rather than a thread_local
// object: exit() destroys those before the atexit handlers that write the
// trace have asked the server for it.
struct Link
{
    int fd = -1;
    pid_t pid = 0; // a forked child connects anew
};

pthread_key_t linkKey;

void dropLink(void *p)
{
    auto *link = static_cast<Link *>(p);
    if (link->fd >= 0)
        ::close(link->fd);
    delete link;
}

Link &threadLink()
{
    static std::once_flag once;
    std::call_once(once, [] { pthread_key_create(&linkKey, dropLink); });
    auto *link = static_cast<Link *>(pthread_getspecific(linkKey));
    if (!link) {
        link = new Link;
        pthread_setspecific(linkKey, link);
    }
    if (link->pid != ::getpid()) {
        if (link->fd >= 0)
            ::close(link->fd);
        link->fd = -1;
        link->pid = ::getpid();
    }
    if (link->fd < 0)
        link->fd = connectServer();
    return *link;
}

Writer request(Op op)
{
    Writer w;
    w.u8(static_cast<std::uint8_t>(op));
    return w;
}

struct Answer
{
    std::int32_t result = -1;
    std::int32_t error = EIO;
    Bytes body;
};

// False, with errno set, when the server cannot be reached: every call then
// fails as on a bus without the mouse.
bool call(const Writer &w, Answer &answer)
{
    Link &link = threadLink();
    Bytes message;
    if (link.fd < 0 || !wire::sendMessage(link.fd, w.data()) ||
        !wire::receiveMessage(link.fd, message)) {
        if (link.fd >= 0)
            ::close(link.fd);
        link.fd = -1;
        errno = ENOENT;
        return false;
    }
    Reader r(message);
    answer.result = r.i32();
    answer.error = r.i32();
    answer.body = r.bytes();
    if (!r.ok()) {
        errno = EIO;
        return false;
    }
    if (answer.result < 0)
        errno = answer.error;
    return true;
}

int simpleCall(const Writer &w)
{
    Answer a;
    return call(w, a) ? a.result : -1;
}

// Copies what the server gave back into the caller's buffer, never past it.
int giveBack(const Answer &a, std::uint8_t *data, std::size_t length)
{
    if (a.result > 0)
        std::memcpy(data, a.body.data(), std::min({a.body.size(), length, std::size_t(a.result)}));
    return a.result;
}

} // namespace

bool active()
{
    return socketPath() != nullptr;
}

const char *socketPath()
{
    static const char *path = [] {
        const char *p = std::getenv("TALON_SIM_SERVER");
        return p && *p ? p : nullptr;
    }();
    return path;
}

void init()
{
    simpleCall(request(Op::Init));
}

void exit()
{
    simpleCall(request(Op::Exit));
}

hid_device_info *enumerate(std::uint16_t vid, std::uint16_t pid)
{
    Writer w = request(Op::Enumerate);
    w.u16(vid).u16(pid);
    Answer a;
    if (!call(w, a) || a.result <= 0)
        return nullptr;
    Reader r(a.body);
    hid_device_info *head = nullptr;
    hid_device_info **tail = &head;
    for (std::int32_t i = 0; i < a.result && r.ok(); ++i) {
        auto *info = new hid_device_info{};
        info->vendor_id = r.u16();
        info->product_id = r.u16();
        info->usage_page = r.u16();
        info->usage = r.u16();
        info->interface_number = r.i32();
        info->bus_type = HID_API_BUS_USB;
        const std::string p = r.text();
        info->path = new char[p.size() + 1];
        std::memcpy(info->path, p.c_str(), p.size() + 1);
        *tail = info;
        tail = &info->next;
    }
    return head;
}

hid_device_ *open(const char *path)
{
    Writer w = request(Op::Open);
    w.text(path ? path : "");
    const int id = simpleCall(w);
    if (id <= 0)
        return nullptr;
    return reinterpret_cast<hid_device_ *>(new RemoteHandle{static_cast<std::uint32_t>(id)});
}

hid_device_ *open(std::uint16_t vid, std::uint16_t pid)
{
    hid_device_info *all = enumerate(vid, pid);
    hid_device_ *h = nullptr;
    for (hid_device_info *i = all; i && !h; i = i->next)
        if (i->interface_number == kCommand)
            h = open(i->path);
    Bus::freeEnumeration(all);
    return h;
}

void close(hid_device_ *handle)
{
    if (!handle)
        return;
    Writer w = request(Op::Close);
    w.u32(idOf(handle));
    simpleCall(w);
    delete reinterpret_cast<RemoteHandle *>(handle);
}

int sendFeature(hid_device_ *handle, const std::uint8_t *data, std::size_t length)
{
    Writer w = request(Op::SendFeature);
    w.u32(idOf(handle)).bytes(data, data ? length : 0);
    return simpleCall(w);
}

int getFeature(hid_device_ *handle, std::uint8_t *data, std::size_t length)
{
    Writer w = request(Op::GetFeature);
    w.u32(idOf(handle)).u32(static_cast<std::uint32_t>(data ? length : 0));
    Answer a;
    return call(w, a) ? giveBack(a, data, length) : -1;
}

int write(hid_device_ *handle, const std::uint8_t *data, std::size_t length)
{
    Writer w = request(Op::Write);
    w.u32(idOf(handle)).bytes(data, data ? length : 0);
    return simpleCall(w);
}

int read(hid_device_ *handle, std::uint8_t *data, std::size_t length, int timeoutMs)
{
    Writer w = request(Op::Read);
    w.u32(idOf(handle)).u32(static_cast<std::uint32_t>(data ? length : 0)).i32(timeoutMs);
    Answer a;
    return call(w, a) ? giveBack(a, data, length) : -1;
}

std::vector<Record> ownRecords(std::size_t &from)
{
    Writer w = request(Op::Records);
    w.u64(from);
    Answer a;
    std::vector<Record> out;
    if (!call(w, a) || a.result < 0)
        return out;
    Reader r(a.body);
    const std::uint64_t next = r.u64();
    for (std::int32_t i = 0; i < a.result && r.ok(); ++i)
        out.push_back(r.record());
    if (r.ok())
        from = static_cast<std::size_t>(next);
    else
        out.clear();
    return out;
}

void pressDpiButton()
{
    simpleCall(request(Op::PressDpi));
}

void togglePlug()
{
    simpleCall(request(Op::TogglePlug));
}

void watchPlugs(void (*changed)(bool pluggedIn))
{
    const int fd = connectServer();
    if (fd < 0 || !wire::sendMessage(fd, request(Op::Watch).data())) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    std::thread([fd, changed] {
        char c = 0;
        for (;;) {
            const ssize_t n = ::read(fd, &c, 1);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            changed(c == '+');
        }
        ::close(fd);
    }).detach();
}

} // namespace sim::remote
