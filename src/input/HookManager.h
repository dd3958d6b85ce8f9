// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <memory>

class CaptureBackend;

// The process-wide hook manager: the capture backend, the three callbacks,
// and the key-state record that turns auto-repeat into a single report.
namespace hooks {

using KeyboardCallback = void (*)(unsigned char code, bool down, void *context);
using MouseCallback = void (*)(unsigned char code, bool down, int x, int y, void *context);

// The payload of a copy-data message, as the original platform delivers it.
struct CopyData
{
    std::uintptr_t dwData = 0;
    std::uint32_t cbData = 0;
    const void *lpData = nullptr;
};
using CopyDataCallback = void (*)(const CopyData *data, void *context);

// Mouse messages of the original platform, as the backend reports them.
constexpr unsigned kLeftDown = 0x201, kLeftUp = 0x202, kLeftDoubleClick = 0x203;
constexpr unsigned kRightDown = 0x204, kRightUp = 0x205, kRightDoubleClick = 0x206;
constexpr unsigned kMiddleDown = 0x207, kMiddleUp = 0x208;
constexpr unsigned kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
constexpr unsigned kCopyDataMessage = 0x004A;

// The backend used by installHooks; none by default (installation fails).
void setBackend(std::unique_ptr<CaptureBackend> backend);

bool initHooks();
bool installHooks();
void removeHooks();
bool hooksInstalled();

void setKeyboardCallback(KeyboardCallback callback, void *context);
void setMouseCallback(MouseCallback callback, void *context);
void setCopyDataCallback(CopyDataCallback callback, void *context);

// What the backend calls, on the GUI thread. Events are only observed.
void keyboardEvent(unsigned message, unsigned scanCode, unsigned flags);
void mouseEvent(unsigned message, int x, int y);
// True when the message was a copy-data message and a callback took it.
bool copyDataFilter(unsigned message, const CopyData *data);

// Forgets every key state (tests start from all keys up).
void resetKeyState();

} // namespace hooks
