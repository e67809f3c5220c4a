#pragma once

#include "platform/hosts/win32/win32_alarm.h"
#include "platform/hosts/win32/win32_api.h"
#include "platform/runner/form_host.h"
#include "platform/runner/runner_events.h"

#include <exception>
#include <optional>

// A top-level window of this host without buttons, as the screen saver shows
// it; the form's window adds its buttons on top. Responsible for what both
// do alike: registering their class, the handle while the window exists, its
// dpi and its monitor's refresh rate (asked again when the display changes),
// the pacing that follows from them, its Win32Alarm, the runner its events go
// to, what escapes a window procedure, and the message loop's end when the
// window goes. Not responsible for where it stands, what it paints or which
// input it takes: those are the window's own.
class Win32Window : public HostWindow {
public:
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // The runner its events go to; until it is given, they are dropped.
    void reportTo(RunnerEvents& runner) { runner_ = &runner; }
    // Where the handle is kept while the window exists; null after.
    HWND const& handle() const { return window_; }
    const Win32Alarm& alarm() const { return alarm_; }
    Win32Alarm& alarm() { return alarm_; }
    void escaped(std::exception_ptr thrown);

    // Unseen while hidden or minimised, else at its monitor's refresh rate.
    FramePacing pacing() const override;
    void arm(std::optional<MonotonicClock::TimePoint> when) override { alarm_.arm(when); }

protected:
    explicit Win32Window(const MonotonicClock& clock);

    // Registers a window class of the program's, with its icon.
    static void registerClass(const wchar_t* name, WNDPROC procedure, HCURSOR cursor);
    // Keeps the window made, and reads its dpi and refresh rate. Throws
    // Win32StartFailure, saying `failure`, where it was not made.
    void adopt(HWND window, const wchar_t* failure);
    // What every window of the host answers alike: another display mode, the
    // window's end. Nothing for any other message.
    std::optional<LRESULT> commonMessage(UINT message);
    // The window may stand on another monitor, or its refresh rate changed.
    void refreshRateMayHaveChanged();
    RunnerEvents* runner() const { return runner_; }
    double ratio() const { return ratio_; }
    void setRatio(double ratio) { ratio_ = ratio; }
    unsigned refreshRate() const { return refreshRate_; }
    HMONITOR monitor() const { return monitor_; }

private:
    void lookUpRefreshRate();

    Win32Alarm alarm_;
    HWND window_ = nullptr;
    HMONITOR monitor_ = nullptr;
    unsigned refreshRate_ = 0;
    double ratio_ = kNoDensity;
    RunnerEvents* runner_ = nullptr;
};
