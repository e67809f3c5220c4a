#pragma once

struct HWND__;

// What accessibility tools (MSAA, and UI Automation through it) see of the
// drawing area: Windows' own object for a window's client area, but named
// "Drawing area", a push button, whose default action does what a click on
// the bare area does. The action is posted, not run, so that a tool's call
// returns at once and the click comes from the message loop like any other.
// answer() is the whole of WM_GETOBJECT for the area.
class Win32AreaAccessible {
public:
    // Answers WM_GETOBJECT; 0 for anything but the client area, which Windows
    // then answers itself.
    static long long answer(HWND__* area, unsigned long long wParam, long long objectId, const wchar_t* name,
        unsigned actionMessage);
};
