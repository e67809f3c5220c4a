#pragma once

#include "platform/hosts/win32/win32_alarm.h"
#include "platform/hosts/win32/win32_api.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/still_pointer.h"

#include <exception>
#include <functional>
#include <string>

// The screen saver's one window on Windows, in one of two places:
// - full screen: a topmost popup over the whole virtual screen (every
//   monitor), the cursor hidden; a key, a mouse button, a move of the mouse
//   beyond StillPointer::kStillMove from where it stood, or the loss of the
//   activation closes it;
// - the preview: a child of the window Windows names, covering its client
//   area and taking no input; it closes when that window goes away.
// It shows the picture one to one and holds the host's Win32Alarm; when it
// closes, the message loop ends. It knows nothing of handlers: its size goes
// to a listener.
class Win32SaverWindow final : public HostWindow {
public:
    // Full screen where parent is null, else the preview inside it. Throws
    // Win32StartFailure where the window or its timer cannot be made.
    // title: the program's name, which the window bears.
    Win32SaverWindow(const Picture& picture, const MonotonicClock& clock, HWND parent, const std::wstring& title);
    ~Win32SaverWindow() override;
    Win32SaverWindow(const Win32SaverWindow&) = delete;
    Win32SaverWindow& operator=(const Win32SaverWindow&) = delete;

    // Its logical size, density and device pixels changed.
    void onResized(std::function<void(int width, int height, double ratio, int deviceWidth, int deviceHeight)> listener)
    {
        resizedListener_ = std::move(listener);
    }
    // Another refresh rate. Shown, it is asked anew by the runner, and
    // nothing hides it after.
    void onPacingChanged(std::function<void()> listener) { pacingListener_ = std::move(listener); }
    void onEscaped(std::function<void(std::exception_ptr)> listener) { escapeListener_ = std::move(listener); }
    // Tells the listener its size, as after a change.
    void sized();
    const Win32Alarm& alarm() const { return alarm_; }

    void show() override;
    void showChanges(const InclusiveBox& box) override;
    FramePacing pacing() const override;
    void arm(std::optional<MonotonicClock::TimePoint> when) override { alarm_.arm(when); }

    LRESULT message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void escaped(std::exception_ptr thrown);

private:
    bool fullScreen() const { return parent_ == nullptr; }
    void mouseMoved(LPARAM at);
    void close();

    const Picture& picture_;
    Win32Alarm alarm_;
    HWND parent_;
    HWND window_ = nullptr;
    double ratio_ = kNoDensity;
    unsigned refreshRate_ = 0;
    StillPointer pointer_;
    std::function<void(int, int, double, int, int)> resizedListener_;
    std::function<void()> pacingListener_;
    std::function<void(std::exception_ptr)> escapeListener_;
};
