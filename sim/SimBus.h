// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Firmware.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

struct hid_device_;
struct hid_device_info;

namespace sim {

// How one virtual mouse presents itself on the bus.
struct MouseConfig
{
    Family family = Family::F553;
    std::uint16_t vid = 0x04d9;
    std::uint16_t pid = 0xa1ee;
    std::uint16_t usagePage = 0xff00; // command interface
    std::uint16_t usage = 0xff00;
    std::uint16_t usagePage2 = 0xff01; // event interface
    std::uint16_t usage2 = 0xff01;
    int reportLength = 32;
    bool encode = false;
    std::string code = "417093"; // six characters, used when encode is set
};

// Ways to make the mouse misbehave. Counters count down per operation.
// Nothing misbehaves before `onset` operations on the command interface (opens
// and reports) have passed, so a fault can strike at any moment of a command.
struct Faults
{
    int onset = 0;
    bool silent = false;         // feature reads fail: no answer
    bool wrongHandshake = false; // the challenge comes back altered
    bool garbage = false;        // reply frames are random bytes
    int failOpens = 0;           // the next N opens fail; -1: every open
    bool denyAccess = false;     // every open fails with EACCES, as a node without permission
    bool failFeatureOut = false;
    bool failWrite = false;
    bool failRead = false;
    bool shortReports = false; // feature reads and input reads return half
    bool stall = false;        // input reads on the command interface time out
    int unplugAfter = -1;      // unplugged before the (N+1)-th report operation
};

// One thing the mouse saw or did, in order.
struct Record
{
    enum class Kind {
        Open,
        OpenFailed,
        Close,
        FeatureOut, // frame = the deciphered frame; checksumOk tells whether it was taken
        FeatureIn,  // frame = the plain reply
        Output,     // raw = the whole output report
        Input,      // raw = the bytes returned
        Event,      // an event report delivered
        Timeout,
        Pause, // ms = a protocol pause of the program
        Unplug,
        Fault,     // an operation the mouse made fail or fall short
        Handshake, // the challenge was answered intact
        Exit,      // hid_exit; ms = handles still open
        AfterExit, // a hidapi call after hid_exit
        EventRead, // a read of the event interface; ms = its time-out
    };
    Kind kind;
    int device = -1;
    int iface = -1; // 0 pointer, 1 command, 2 event
    Bytes raw;
    Frame8 frame{};
    bool checksumOk = true;
    int ms = 0;
    int process = 0; // the process a shared mouse served; 0 otherwise
};

enum Interface { kPointer = 0, kCommand = 1, kEvent = 2 };

// The virtual USB bus: attached mice, open handles and the record of all
// traffic. Every hidapi entry point of the shim lands here; one lock guards
// all of it because the listener reads from another thread.
class Bus
{
public:
    static Bus &instance();

    int plug(const MouseConfig &config); // returns the device id
    void unplug(int device);
    void replug(int device);
    void reset(); // no devices, no handles, empty record

    // Direct access for tests; not for use while another thread runs traffic.
    Faults &faults(int device);
    MouseState &state(int device);
    const MouseConfig &config(int device);
    std::string path(int device, int iface) const;

    void pushEvent(int device, const Bytes &report);
    void pressDpiButton(int device, std::uint8_t stage);

    void recordPause(int ms);
    void record(Record r);
    std::vector<Record> records() const;
    std::vector<Record> records(std::size_t from) const; // those after the first `from`
    // A shared mouse serves each process on threads of its own: records made
    // on this thread carry `process`.
    static void setCaller(int process);
    void clearRecords();
    // Only the last `keep` records stay (a long run that nobody traces).
    void forgetRecords(std::size_t keep);
    // Compact text of the traffic: "frame 01 01 00 00 00 00 00 fd", "reply ...",
    // "out <length>", "in <length>", "pause <ms>", "timeout"; opens and closes only
    // when asked for.
    std::vector<std::string> trace(bool withOpens = false) const;
    // One record in that text; empty for opens and closes unless asked for.
    static std::string traceLine(const Record &r, bool withOpens = false);
    std::vector<Frame8> frames() const; // frames the mouse accepted
    std::vector<Bytes> outputReports() const;
    int openHandles() const;
    static std::string hex(const std::uint8_t *b, std::size_t n);
    int deviceCount() const;
    // Operations the mouse made fail, fall short or stall (a fault's hits,
    // and every report tried while unplugged).
    int faultHits() const;
    // Whether a handshake was answered intact since the last clearRecords().
    bool handshakeAnswered() const;

    // hid_exit and what comes after it.
    void noteExit();
    void noteCall();

    // hidapi's hid_init, hid_enumerate and hid_open_path share process-wide
    // state; with the probe on, every such call that starts while another
    // one runs is counted (each call lingers a little to widen the window).
    void probeGlobalState(bool on);
    struct GlobalCall
    {
        GlobalCall();
        ~GlobalCall();
    };
    int globalStateOverlaps() const;

    // Real time: reads wait for their time-out. Virtual time (tests): an empty
    // read times out at once.
    void setRealTime(bool on);

    // The hidapi side.
    hid_device_info *enumerate(std::uint16_t vid, std::uint16_t pid);
    static void freeEnumeration(hid_device_info *list);
    hid_device_ *open(const char *path);
    void close(hid_device_ *handle);
    int sendFeature(hid_device_ *handle, const std::uint8_t *data, std::size_t length);
    int getFeature(hid_device_ *handle, std::uint8_t *data, std::size_t length);
    int write(hid_device_ *handle, const std::uint8_t *data, std::size_t length);
    int read(hid_device_ *handle, std::uint8_t *data, std::size_t length, int timeoutMs);

private:
    struct Mouse;
    Bus();
    ~Bus();

    Mouse *live(hid_device_ *handle, int &iface);
    // Counts the operation; false when it must fail because the mouse was
    // unplugged (now or before).
    bool consumeReportBudget(Mouse &m);
    bool faulty(const Mouse &m) const;
    int gone(hid_device_ *handle);
    void hit(int device, int iface);
    void note(Record r); // with the lock held

    mutable std::mutex lock;
    std::condition_variable eventArrived;
    std::vector<std::unique_ptr<Mouse>> mice;
    std::set<hid_device_ *> handles;
    std::vector<Record> log;
    bool realTime = true;
    bool exited = false;
    std::atomic<bool> probing{false};
    std::atomic<int> globalCallers{0};
    std::atomic<int> overlaps{0};
};

} // namespace sim
