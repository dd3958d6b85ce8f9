// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "SimBus.h"

#include <cstdint>
#include <string>

// The shared mouse's messages on its Unix socket. Each is a 32-bit length
// and that many bytes. A request starts with its operation; an answer with
// the call's result and errno, then what the call gives back.
namespace sim::wire {

enum class Op : std::uint8_t {
    Init = 1,
    Enumerate,   // vid, pid -> count, then per interface: ids, usages, number, path
    Open,        // path -> handle id or -1 with errno
    Close,       // id
    SendFeature, // id, bytes
    GetFeature,  // id, length -> bytes
    Write,       // id, bytes
    Read,        // id, length, time-out -> bytes
    Exit,        // hid_exit
    Records,     // from -> next, the caller's records since `from`
    PressDpi,    // the DPI button
    TogglePlug,  // unplug, or plug back in
    Watch,       // the connection turns into a stream of '+' (plugged) and '-' bytes
};

constexpr std::uint32_t kMaxMessage = 64u << 20;

class Writer
{
public:
    Writer &u8(std::uint8_t v);
    Writer &u16(std::uint16_t v);
    Writer &u32(std::uint32_t v);
    Writer &i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Writer &u64(std::uint64_t v);
    Writer &bytes(const std::uint8_t *data, std::size_t n); // with its length
    Writer &text(const std::string &s);
    Writer &record(const Record &r);
    const Bytes &data() const { return buffer; }

private:
    Bytes buffer;
};

// Reads what a Writer wrote; past the end every value is 0 and ok() false.
class Reader
{
public:
    explicit Reader(const Bytes &b) : buffer(b) {}
    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint64_t u64();
    Bytes bytes();
    std::string text();
    Record record();
    bool ok() const { return good; }

private:
    bool take(std::size_t n);
    const Bytes &buffer;
    std::size_t at = 0;
    bool good = true;
};

// Whole messages, resumed after signals; false when the peer is gone.
bool sendMessage(int fd, const Bytes &message);
bool receiveMessage(int fd, Bytes &message);

} // namespace sim::wire
