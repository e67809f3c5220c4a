#pragma once

#include "platform/form/form_definition.h"
#include "platform/form/form_layout.h"
#include "platform/hosts/win32/win32_api.h"
#include "platform/hosts/win32/win32_buttons.h"
#include "platform/hosts/win32/win32_drawing_area.h"
#include "platform/hosts/win32/win32_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/runner_events.h"

#include <functional>

// The Windows host's form window: a Win32Window, resizable, placed by the
// system, its client area at the definition's size scaled with its monitor's
// dpi (per-monitor aware) and followed when that changes, with the
// Win32Buttons on top of the Win32DrawingArea. It knows nothing of handlers:
// it reports clicks on a button or the bare area and its size and pacing to
// the runner.
class Win32FormWindow final : public Win32Window {
public:
    // Throws Win32StartFailure where the window or its timer cannot be made.
    Win32FormWindow(const FormDefinition& definition, const Picture& picture, const MonotonicClock& clock);

    void reportTo(RunnerEvents& runner);
    // The alarm rang while Windows ran a modal loop of its own; the message
    // loop, which watches it otherwise, does not run then.
    void onModalAlarm(std::function<void()> listener);

    // Tells the runner its size, as after a change.
    void sized();
    // A modal loop of Windows' own began or ended for one of the program's
    // windows: the alarm is looked at from a timer while it runs.
    void modalLoop(bool entered);

    void show() override;
    void showChanges(const InclusiveBox& box) override;

    LRESULT message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void contrastMayHaveChanged();
    void changeDpi(UINT dpi, const RECT& suggested);
    void activated(WPARAM state);
    HWND firstInTabOrder() const;

    const Picture& picture_;
    FormLayout layout_;
    Win32Buttons buttons_;
    Win32DrawingArea area_;
    HWND lastFocus_ = nullptr;
};
