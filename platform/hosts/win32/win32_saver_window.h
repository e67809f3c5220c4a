#pragma once

#include "platform/hosts/win32/win32_api.h"
#include "platform/hosts/win32/win32_window.h"
#include "platform/picture/picture.h"

#include <string>

// The screen saver's one window on Windows: a Win32Window without buttons,
// in one of two places:
// - full screen: a topmost popup over the whole virtual screen (every
//   monitor), the cursor hidden; it closes where the runner answers that a
//   key, a mouse button or a move of the mouse ends the saver, or when the
//   program loses the activation;
// - the preview: a child of the window Windows names, covering its client
//   area and taking no input; it closes when that window goes away.
// It shows the picture one to one; when it closes, the message loop ends.
class Win32SaverWindow final : public Win32Window {
public:
    // Full screen where parent is null, else the preview inside it. Throws
    // Win32StartFailure where the window or its timer cannot be made.
    // title: the program's name, which the window bears.
    Win32SaverWindow(const Picture& picture, const MonotonicClock& clock, HWND parent, const std::wstring& title);

    // Tells the runner its size, as after a change.
    void sized();

    void show() override;
    void showChanges(const InclusiveBox& box) override;

    LRESULT message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool fullScreen() const { return parent_ == nullptr; }
    // Closes the window where the runner's answer says the saver ends.
    void answered(InputAnswer answer);
    void pointerAt(POINT screen);

    const Picture& picture_;
    HWND parent_;
};
