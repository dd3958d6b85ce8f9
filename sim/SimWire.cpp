// SPDX-License-Identifier: GPL-2.0-or-later
#include "SimWire.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace sim::wire {

Writer &Writer::u8(std::uint8_t v)
{
    buffer.push_back(v);
    return *this;
}

Writer &Writer::u16(std::uint16_t v)
{
    return u8(static_cast<std::uint8_t>(v)).u8(static_cast<std::uint8_t>(v >> 8));
}

Writer &Writer::u32(std::uint32_t v)
{
    return u16(static_cast<std::uint16_t>(v)).u16(static_cast<std::uint16_t>(v >> 16));
}

Writer &Writer::u64(std::uint64_t v)
{
    return u32(static_cast<std::uint32_t>(v)).u32(static_cast<std::uint32_t>(v >> 32));
}

Writer &Writer::bytes(const std::uint8_t *data, std::size_t n)
{
    u32(static_cast<std::uint32_t>(n));
    if (n)
        buffer.insert(buffer.end(), data, data + n);
    return *this;
}

Writer &Writer::text(const std::string &s)
{
    return bytes(reinterpret_cast<const std::uint8_t *>(s.data()), s.size());
}

Writer &Writer::record(const Record &r)
{
    u8(static_cast<std::uint8_t>(r.kind)).i32(r.device).i32(r.iface);
    bytes(r.raw.data(), r.raw.size());
    for (std::uint8_t b : r.frame)
        u8(b);
    return u8(r.checksumOk ? 1 : 0).i32(r.ms).i32(r.process);
}

bool Reader::take(std::size_t n)
{
    if (!good || buffer.size() - at < n) {
        good = false;
        return false;
    }
    return true;
}

std::uint8_t Reader::u8()
{
    return take(1) ? buffer[at++] : 0;
}

std::uint16_t Reader::u16()
{
    const std::uint16_t lo = u8();
    return static_cast<std::uint16_t>(lo | u8() << 8);
}

std::uint32_t Reader::u32()
{
    const std::uint32_t lo = u16();
    return lo | static_cast<std::uint32_t>(u16()) << 16;
}

std::uint64_t Reader::u64()
{
    const std::uint64_t lo = u32();
    return lo | static_cast<std::uint64_t>(u32()) << 32;
}

Bytes Reader::bytes()
{
    const std::uint32_t n = u32();
    if (!take(n))
        return {};
    Bytes out(buffer.begin() + static_cast<long>(at), buffer.begin() + static_cast<long>(at + n));
    at += n;
    return out;
}

std::string Reader::text()
{
    const Bytes b = bytes();
    return std::string(b.begin(), b.end());
}

Record Reader::record()
{
    Record r{static_cast<Record::Kind>(u8())};
    r.device = i32();
    r.iface = i32();
    r.raw = bytes();
    for (std::uint8_t &b : r.frame)
        b = u8();
    r.checksumOk = u8() != 0;
    r.ms = i32();
    r.process = i32();
    return r;
}

namespace {

// All n bytes, resumed after signals and short transfers.
template <typename Byte, typename Step> bool whole(Byte *data, std::size_t n, Step step)
{
    while (n > 0) {
        const ssize_t done = step(data, n);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        n -= static_cast<std::size_t>(done);
    }
    return true;
}

bool writeAll(int fd, const std::uint8_t *data, std::size_t n)
{
    return whole(data, n, [fd](const std::uint8_t *at, std::size_t left) {
        return ::send(fd, at, left, MSG_NOSIGNAL);
    });
}

bool readAll(int fd, std::uint8_t *data, std::size_t n)
{
    return whole(data, n,
                 [fd](std::uint8_t *at, std::size_t left) { return ::read(fd, at, left); });
}

} // namespace

bool sendMessage(int fd, const Bytes &message)
{
    // errno belongs to the call being answered, not to the socket.
    const int saved = errno;
    Writer head;
    head.u32(static_cast<std::uint32_t>(message.size()));
    const bool ok = writeAll(fd, head.data().data(), head.data().size()) &&
                    writeAll(fd, message.data(), message.size());
    errno = saved;
    return ok;
}

bool receiveMessage(int fd, Bytes &message)
{
    const int saved = errno;
    Bytes head(4);
    bool ok = readAll(fd, head.data(), head.size());
    if (ok) {
        const std::uint32_t n = Reader(head).u32();
        ok = n <= kMaxMessage;
        if (ok) {
            message.assign(n, 0);
            ok = readAll(fd, message.data(), n);
        }
    }
    errno = saved;
    return ok;
}

} // namespace sim::wire
