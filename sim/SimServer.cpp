// SPDX-License-Identifier: GPL-2.0-or-later
// talonsim-server: one virtual mouse that several processes share. The
// preloaded library of each process (TALON_SIM_SERVER=SOCKET) sends it every
// hidapi call; it serves them in the order they arrive, one thread per
// connection, so that processes that do not keep out of each other's way mix
// their frames as on a real mouse. See SimEnvironment.h.
#include "SimSetup.h"
#include "SimWire.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <map>
#include <mutex>
#include <poll.h>
#include <set>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace sim;
using wire::Op;
using wire::Reader;
using wire::Writer;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int signal)
{
    const char c = signal == SIGUSR1 ? '1' : signal == SIGUSR2 ? '2' : 't';
    if (::write(signalPipe[1], &c, 1) < 0)
        return; // the pipe is full: the loop has enough to do
}

class Server
{
public:
    explicit Server(const char *journalPath)
        : journal(journalPath ? std::fopen(journalPath, "a") : nullptr)
    {
    }

    void serve(int fd, int pid);
    void pressDpiButton();
    void togglePlug();
    void flushJournal();

private:
    struct Held
    {
        hid_device_ *handle;
        int pid;
    };

    Writer handle(Op op, Reader &in, int pid);
    hid_device_ *lookup(std::uint32_t id, int pid);
    void watch(int fd);
    void left(int pid);

    Bus &bus = Bus::instance();
    std::mutex lock; // everything below but the bus, which has its own
    setup::Controls controls;
    std::map<std::uint32_t, Held> handles;
    std::uint32_t nextId = 1;
    std::map<int, int> connections; // per process
    std::set<int> exited;           // processes that called hid_exit
    std::set<int> watchers;

    std::mutex journalLock;
    std::FILE *journal;
    std::size_t journalled = 0;
};

Writer answer(std::int32_t result, std::int32_t error = 0, const Bytes &body = {})
{
    Writer w;
    w.i32(result).i32(error).bytes(body.data(), body.size());
    return w;
}

void Server::serve(int fd, int pid)
{
    Bus::setCaller(pid);
    {
        std::lock_guard<std::mutex> g(lock);
        ++connections[pid];
    }
    Bytes message;
    while (wire::receiveMessage(fd, message)) {
        Reader in(message);
        const auto op = static_cast<Op>(in.u8());
        if (op == Op::Watch) {
            watch(fd);
            break;
        }
        const Writer out = handle(op, in, pid);
        // On disk before the caller hears back, so that a test reading the
        // journal after its processes sees all of their traffic.
        flushJournal();
        if (!in.ok() || !wire::sendMessage(fd, out.data()))
            break;
    }
    ::close(fd);
    left(pid);
    flushJournal();
}

void Server::watch(int fd)
{
    {
        std::lock_guard<std::mutex> g(lock);
        watchers.insert(fd);
    }
    // Nothing more comes from a watcher: its end is the end of the stream.
    for (;;) {
        char c;
        const ssize_t n = ::read(fd, &c, 1);
        if (n == 0 || (n < 0 && errno != EINTR))
            break;
    }
    std::lock_guard<std::mutex> g(lock);
    watchers.erase(fd);
}

void Server::left(int pid)
{
    std::vector<hid_device_ *> orphans;
    {
        std::lock_guard<std::mutex> g(lock);
        if (--connections[pid] > 0)
            return;
        connections.erase(pid);
        exited.erase(pid);
        for (auto it = handles.begin(); it != handles.end();) {
            if (it->second.pid == pid) {
                orphans.push_back(it->second.handle);
                it = handles.erase(it);
            } else {
                ++it;
            }
        }
    }
    // A process that ended without closing its handles: as the kernel does.
    for (hid_device_ *h : orphans)
        bus.close(h);
}

hid_device_ *Server::lookup(std::uint32_t id, int pid)
{
    std::lock_guard<std::mutex> g(lock);
    const auto it = handles.find(id);
    return it != handles.end() && it->second.pid == pid ? it->second.handle : nullptr;
}

Writer Server::handle(Op op, Reader &in, int pid)
{
    if (op != Op::Records && op != Op::PressDpi && op != Op::TogglePlug && op != Op::Exit) {
        std::lock_guard<std::mutex> g(lock);
        if (exited.count(pid))
            bus.record({Record::Kind::AfterExit});
    }
    switch (op) {
    case Op::Init:
        return answer(0);
    case Op::Enumerate: {
        const std::uint16_t vid = in.u16();
        const std::uint16_t pid16 = in.u16();
        hid_device_info *all = bus.enumerate(vid, pid16);
        Writer body;
        int count = 0;
        for (hid_device_info *i = all; i; i = i->next, ++count)
            body.u16(i->vendor_id)
                .u16(i->product_id)
                .u16(i->usage_page)
                .u16(i->usage)
                .i32(i->interface_number)
                .text(i->path);
        Bus::freeEnumeration(all);
        return answer(count, 0, body.data());
    }
    case Op::Open: {
        const std::string path = in.text();
        errno = 0;
        hid_device_ *h = bus.open(path.c_str());
        const int error = errno;
        if (!h)
            return answer(-1, error);
        std::lock_guard<std::mutex> g(lock);
        const std::uint32_t id = nextId++;
        handles[id] = {h, pid};
        return answer(static_cast<std::int32_t>(id));
    }
    case Op::Close: {
        const std::uint32_t id = in.u32();
        hid_device_ *h = nullptr;
        {
            std::lock_guard<std::mutex> g(lock);
            const auto it = handles.find(id);
            if (it != handles.end() && it->second.pid == pid) {
                h = it->second.handle;
                handles.erase(it);
            }
        }
        if (h)
            bus.close(h);
        return answer(0);
    }
    case Op::SendFeature:
    case Op::Write: {
        hid_device_ *h = lookup(in.u32(), pid);
        const Bytes data = in.bytes();
        errno = 0;
        const int n = op == Op::Write ? bus.write(h, data.data(), data.size())
                                      : bus.sendFeature(h, data.data(), data.size());
        return answer(n, n < 0 ? EIO : 0);
    }
    case Op::GetFeature:
    case Op::Read: {
        hid_device_ *h = lookup(in.u32(), pid);
        Bytes data(std::min<std::uint32_t>(in.u32(), 4096));
        const int timeout = op == Op::Read ? in.i32() : 0;
        const int n = op == Op::Read ? bus.read(h, data.data(), data.size(), timeout)
                                     : bus.getFeature(h, data.data(), data.size());
        data.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return answer(n, n < 0 ? EIO : 0, data);
    }
    case Op::Exit: {
        Record r{Record::Kind::Exit};
        std::lock_guard<std::mutex> g(lock);
        for (const auto &held : handles)
            r.ms += held.second.pid == pid;
        bus.record(r);
        exited.insert(pid);
        return answer(0);
    }
    case Op::Records: {
        const std::uint64_t from = in.u64();
        const std::vector<Record> all = bus.records(static_cast<std::size_t>(from));
        Writer body;
        body.u64(from + all.size());
        int count = 0;
        for (const Record &r : all)
            if (r.process == pid) {
                body.record(r);
                ++count;
            }
        return answer(count, 0, body.data());
    }
    case Op::PressDpi:
        pressDpiButton();
        return answer(0);
    case Op::TogglePlug:
        togglePlug();
        return answer(0);
    case Op::Watch:
        break;
    }
    return answer(-1, EINVAL);
}

void Server::pressDpiButton()
{
    std::lock_guard<std::mutex> g(lock);
    if (bus.deviceCount() > 0)
        controls.pressDpiButton(bus);
}

void Server::togglePlug()
{
    std::lock_guard<std::mutex> g(lock);
    if (bus.deviceCount() == 0)
        return;
    const char c = controls.togglePlug(bus) ? '+' : '-';
    // Every process's device-change monitor hears of it, as from the system.
    for (int fd : watchers)
        if (::send(fd, &c, 1, MSG_NOSIGNAL | MSG_DONTWAIT) < 0)
            std::fprintf(stderr, "talonsim-server: a watcher missed a plug change\n");
}

void Server::flushJournal()
{
    if (!journal)
        return;
    std::lock_guard<std::mutex> g(journalLock);
    const std::vector<Record> fresh = bus.records(journalled);
    journalled += fresh.size();
    for (const Record &r : fresh)
        for (const std::string &line : setup::journalLines(r))
            std::fprintf(journal, "%d %s\n", r.process, line.c_str());
    std::fflush(journal);
}

int listenOn(const std::string &path)
{
    // Bound under another name and renamed once it listens: a client that
    // finds the socket can connect.
    const std::string early = path + ".new";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || early.size() >= sizeof address.sun_path)
        return -1;
    std::strncpy(address.sun_path, early.c_str(), sizeof address.sun_path - 1);
    ::unlink(early.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) < 0 ||
        ::listen(fd, 64) < 0 || ::rename(early.c_str(), path.c_str()) < 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int usage()
{
    std::fprintf(stderr, "Usage: talonsim-server SOCKET [--journal FILE]\n"
                         "The mice come from TALON_SIM, as for the preloaded library.\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    const char *socketPath = nullptr;
    const char *journalPath = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--journal") == 0 && i + 1 < argc)
            journalPath = argv[++i];
        else if (!socketPath && argv[i][0] != '-')
            socketPath = argv[i];
        else
            return usage();
    }
    if (!socketPath)
        return usage();

    const char *mice = std::getenv("TALON_SIM");
    setup::plugAll(Bus::instance(), mice ? mice : "");
    static Server server(journalPath);

    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) < 0)
        return 1;
    std::signal(SIGPIPE, SIG_IGN);
    for (int s : {SIGUSR1, SIGUSR2, SIGTERM, SIGINT, SIGHUP})
        std::signal(s, onSignal);

    const int listening = listenOn(socketPath);
    if (listening < 0) {
        std::fprintf(stderr, "talonsim-server: cannot listen on %s: %s\n", socketPath,
                     std::strerror(errno));
        return 1;
    }
    std::fprintf(stderr,
                 "virtual mouse: %s shared at %s (SIGUSR1: DPI button, SIGUSR2: unplug/plug)\n",
                 mice && *mice ? mice : "553", socketPath);

    pollfd watched[2] = {{listening, POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
    for (;;) {
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (watched[0].revents & POLLIN) {
            const int fd = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
            ucred peer{};
            socklen_t size = sizeof peer;
            if (fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0)
                std::thread([fd, peer] { server.serve(fd, peer.pid); }).detach();
            else if (fd >= 0)
                ::close(fd);
        }
        char c = 0;
        while (::read(signalPipe[0], &c, 1) == 1) {
            if (c == '1')
                server.pressDpiButton();
            else if (c == '2')
                server.togglePlug();
            else {
                server.flushJournal();
                ::unlink(socketPath);
                // The serving threads may be inside the bus: leave at once.
                std::_Exit(0);
            }
            server.flushJournal();
        }
    }
    return 1;
}
