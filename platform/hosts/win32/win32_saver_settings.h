#pragma once

#include "platform/hosts/win32/win32_api.h"

#include <chrono>

// The screen saver's one setting, how often the picture changes, kept per
// user in the registry (HKEY_CURRENT_USER\Software\Tessary, ChangeEvery, in
// seconds), and the dialog that sets it: modal to the window Windows names,
// OK keeps what it says (within SaverRunner's range), Cancel and Escape keep
// what was. Not responsible for the saver itself.
class Win32SaverSettings {
public:
    // The dialog's resource and its controls, as tessary_saver.rc has them.
    static constexpr int kDialog = 100;
    static constexpr int kSecondsEdit = 101;
    static constexpr int kSecondsSpin = 102;

    // What the user chose, or the default where nothing (or nothing
    // readable) is kept.
    static std::chrono::seconds changePeriod();
    // Shows the dialog, modal to owner (none: the foreground window), until
    // it is closed. Throws Win32StartFailure where it cannot be shown.
    static void edit(HWND owner);

private:
    static INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static void keep(std::chrono::seconds period);
};
