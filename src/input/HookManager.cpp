// SPDX-License-Identifier: GPL-2.0-or-later
#include "HookManager.h"

#include "CaptureBackend.h"
#include "KeyTranslation.h"

#include <array>

namespace hooks {

namespace {

struct State
{
    std::unique_ptr<CaptureBackend> backend;
    bool installed = false;
    KeyboardCallback keyboard = nullptr;
    void *keyboardContext = nullptr;
    MouseCallback mouse = nullptr;
    void *mouseContext = nullptr;
    CopyDataCallback copyData = nullptr;
    void *copyDataContext = nullptr;
    std::array<bool, 256> keyDown{};
};

State &state()
{
    static State s;
    return s;
}

struct MouseRow
{
    unsigned char code; // 0: not reported
    bool down;
};

// Indexed by message - 0x201; double clicks are not reported.
constexpr MouseRow kMouseMessages[] = {
    {0xF0, true},  {0xF0, false}, {0, false},   {0xF1, true},
    {0xF1, false}, {0, false},    {0xF2, true}, {0xF2, false},
};

} // namespace

void setBackend(std::unique_ptr<CaptureBackend> backend)
{
    removeHooks();
    state().backend = std::move(backend);
}

bool initHooks()
{
    return installHooks(); // the tables are constant data
}

bool installHooks()
{
    State &s = state();
    if (s.installed)
        removeHooks();
    s.installed = s.backend && s.backend->install();
    return s.installed;
}

void removeHooks()
{
    State &s = state();
    if (s.installed && s.backend)
        s.backend->remove();
    s.installed = false;
}

bool hooksInstalled()
{
    return state().installed;
}

void setKeyboardCallback(KeyboardCallback callback, void *context)
{
    state().keyboard = callback;
    state().keyboardContext = context;
}

void setMouseCallback(MouseCallback callback, void *context)
{
    state().mouse = callback;
    state().mouseContext = context;
}

void setCopyDataCallback(CopyDataCallback callback, void *context)
{
    state().copyData = callback;
    state().copyDataContext = context;
}

void keyboardEvent(unsigned message, unsigned scanCode, unsigned flags)
{
    State &s = state();
    const bool down = message == kKeyDown || message == kSysKeyDown;
    const unsigned char code = keys::translate(scanCode, flags);
    if (code == 0 || s.keyDown[code] == down)
        return; // untranslatable, auto-repeat, or a release never seen pressed
    s.keyDown[code] = down;
    if (s.keyboard)
        s.keyboard(code, down, s.keyboardContext);
}

void mouseEvent(unsigned message, int x, int y)
{
    if (message < kLeftDown || message > kMiddleUp)
        return;
    const MouseRow &row = kMouseMessages[message - kLeftDown];
    State &s = state();
    if (row.code && s.mouse)
        s.mouse(row.code, row.down, x, y, s.mouseContext);
}

bool copyDataFilter(unsigned message, const CopyData *data)
{
    State &s = state();
    if (message != kCopyDataMessage || !s.copyData)
        return false;
    s.copyData(data, s.copyDataContext);
    return true;
}

void resetKeyState()
{
    state().keyDown.fill(false);
}

} // namespace hooks
