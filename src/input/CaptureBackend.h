// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The platform's source of global key and button events. The backend only
// observes input; it hands each event to the hook manager as the original
// hook record (scan code and flags, or a button message and position).
class CaptureBackend
{
public:
    virtual ~CaptureBackend() = default;
    // False when capture is impossible here (no X server, for instance).
    virtual bool install() = 0;
    virtual void remove() = 0;
};
