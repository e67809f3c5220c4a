#pragma once

#include "platform/runner/form_host.h"

#include <functional>
#include <string>

struct HWND__;
struct tagMSG;

// The default error handling on Windows: one modeless window, owned by the
// form's, that shows the last error that left a handler and how many have.
// It opens beside its owner where the screen leaves room, without taking the
// activation, and tells accessibility tools that it appeared; a further error
// is shown in it, re-measured where it stands, and announced again. A user who moves there, with a click or with F6 from the
// form, reaches Close with the keyboard, and Escape closes it too. Closed, it hides until the next error;
// it goes with its owner. It is sized and lettered for its monitor's density,
// and follows when that changes.
class Win32ErrorDisplay final : public ErrorDisplay {
public:
    // owner is where the form's window handle is kept once it exists.
    // title: the program's name, which the window bears.
    Win32ErrorDisplay(HWND__* const& owner, std::wstring title);
    ~Win32ErrorDisplay() override;
    Win32ErrorDisplay(const Win32ErrorDisplay&) = delete;
    Win32ErrorDisplay& operator=(const Win32ErrorDisplay&) = delete;

    // Tab, Return, Space and Escape for its Close button, and F6 to move
    // between it and the form, from the message loop.
    bool isDialogMessage(tagMSG* message);
    // Its size at this many dots per inch, the text kept; where `at` is given,
    // its top left corner goes there.
    void rescale(unsigned dpi, const void* at);
    // A modal loop of Windows' own began or ended for it (a drag, its
    // system menu, a press on its title bar).
    void onModalLoop(std::function<void(bool entered)> listener) { modalListener_ = std::move(listener); }
    void modalLoop(bool entered)
    {
        if (modalListener_)
            modalListener_(entered);
    }

    HWND__* window() const { return window_; }

private:
    void showError(const std::string& text) override;
    void create();
    void place(const void* at);
    // The height of the text at the window's density, at its width.
    int textHeight() const;
    int scaled(int logical) const;

    HWND__* const& owner_;
    const std::wstring title_;
    HWND__* window_ = nullptr;
    HWND__* label_ = nullptr;
    HWND__* close_ = nullptr;
    void* font_ = nullptr;
    unsigned dpi_ = 0;
    std::wstring text_;
    std::function<void(bool)> modalListener_;
};
