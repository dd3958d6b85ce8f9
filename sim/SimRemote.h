// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "SimBus.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct hid_device_;
struct hid_device_info;

// The preloaded library's side of a shared mouse (TALON_SIM_SERVER): every
// hidapi call becomes a request to the server. Each thread has a connection
// of its own, so that the listener's waiting read holds up no command.
namespace sim::remote {

// TALON_SIM_SERVER names a socket.
bool active();
const char *socketPath();

void init();
void exit();
hid_device_info *enumerate(std::uint16_t vid, std::uint16_t pid);
hid_device_ *open(const char *path);
hid_device_ *open(std::uint16_t vid, std::uint16_t pid); // the first command interface
void close(hid_device_ *handle);
int sendFeature(hid_device_ *handle, const std::uint8_t *data, std::size_t length);
int getFeature(hid_device_ *handle, std::uint8_t *data, std::size_t length);
int write(hid_device_ *handle, const std::uint8_t *data, std::size_t length);
int read(hid_device_ *handle, std::uint8_t *data, std::size_t length, int timeoutMs);

// This process's records since `from` (a place in the whole journal), which
// moves on past them.
std::vector<Record> ownRecords(std::size_t &from);

void pressDpiButton();
void togglePlug();
// Calls `changed` (on a thread of its own) at every plug and unplug.
void watchPlugs(void (*changed)(bool pluggedIn));

} // namespace sim::remote
