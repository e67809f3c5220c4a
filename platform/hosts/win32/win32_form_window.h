#pragma once

#include "platform/form/form_definition.h"
#include "platform/form/form_layout.h"
#include "platform/hosts/win32/win32_alarm.h"
#include "platform/hosts/win32/win32_api.h"
#include "platform/hosts/win32/win32_buttons.h"
#include "platform/hosts/win32/win32_drawing_area.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"

#include <exception>
#include <functional>
#include <string_view>

// The Windows host's window: resizable, placed by the system, its client
// area at the definition's size scaled with its monitor's dpi (per-monitor
// aware) and followed when that changes; the Win32Buttons and the
// Win32DrawingArea beneath them; its frames paced by its monitor's refresh
// rate; its Win32Alarm. It knows nothing of handlers: it reports clicks on a
// button or the bare area, its size and pacing, and the alarm's ring during
// Windows' own modal loops, to its listeners.
class Win32FormWindow final : public HostWindow {
public:
    // Throws Win32StartFailure where the window or its timer cannot be made.
    Win32FormWindow(const FormDefinition& definition, const Picture& picture, const MonotonicClock& clock);
    ~Win32FormWindow() override;
    Win32FormWindow(const Win32FormWindow&) = delete;
    Win32FormWindow& operator=(const Win32FormWindow&) = delete;

    void onButtonClicked(std::function<void(std::string_view name)> listener) { buttonListener_ = std::move(listener); }
    void onAreaClicked(std::function<void()> listener) { area_.onClicked(std::move(listener)); }
    // The logical size or the density changed.
    void onResized(std::function<void(int width, int height, double ratio)> listener) { resizedListener_ = std::move(listener); }
    void onPacingChanged(std::function<void()> listener) { pacingListener_ = std::move(listener); }
    // The alarm rang while Windows ran a modal loop of its own; the message
    // loop, which watches it otherwise, does not run then.
    void onModalAlarm(std::function<void()> listener) { alarm_.onModalRing(std::move(listener)); }
    void onEscaped(std::function<void(std::exception_ptr)> listener);

    // Tells the listener its size, as after a change.
    void sized();
    // A modal loop of Windows' own began or ended for one of the program's
    // windows: the alarm is looked at from a timer while it runs.
    void modalLoop(bool entered);
    // Where the handle is kept while the window exists; null after.
    HWND const& handle() const { return form_; }
    const Win32Alarm& alarm() const { return alarm_; }

    void show() override;
    void showChanges(const InclusiveBox& box) override;
    FramePacing pacing() const override;
    void arm(std::optional<MonotonicClock::TimePoint> when) override { alarm_.arm(when); }

    LRESULT message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void escaped(std::exception_ptr thrown);

private:
    void lookUpRefreshRate();
    void contrastMayHaveChanged();
    void changeDpi(UINT dpi, const RECT& suggested);
    void activated(WPARAM state);
    HWND firstInTabOrder() const;

    const Picture& picture_;
    FormLayout layout_;
    Win32Alarm alarm_;
    Win32Buttons buttons_;
    Win32DrawingArea area_;
    HWND form_ = nullptr;
    HWND lastFocus_ = nullptr;
    HMONITOR monitor_ = nullptr;
    unsigned refreshRate_ = 0;
    double ratio_ = kNoDensity;
    std::function<void(std::string_view)> buttonListener_;
    std::function<void(int, int, double)> resizedListener_;
    std::function<void()> pacingListener_;
    std::function<void(std::exception_ptr)> escapeListener_;
};
