#pragma once

#include "platform/hosts/win32/win32_alarm.h"
#include "platform/hosts/win32/win32_api.h"

#include <functional>

// The thread's message loop, which waits on the host's alarm beside the
// messages. Each time it wakes, woken(rang) hears whether the alarm rang;
// a message that takes(message) claims (a dialog's key) is not dispatched.
// Runs until WM_QUIT and returns its exit code.
int win32MessageLoop(const Win32Alarm& alarm, const std::function<void(bool rang)>& woken,
    const std::function<bool(MSG& message)>& takes = {});
