#pragma once

#include "platform/hosts/win32/win32_api.h"

#include <exception>

// A window procedure that hands a window's messages to the object that made
// it (passed as CreateWindowEx's last argument), through its member `handle`.
// No exception may unwind through Windows' own frames, which may swallow it or
// end the process: one that reaches here goes to the owner's escaped().
template <class Owner, LRESULT (Owner::*handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK win32WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner)
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        return (owner->*handle)(window, message, wParam, lParam);
    } catch (...) {
        owner->escaped(std::current_exception());
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
