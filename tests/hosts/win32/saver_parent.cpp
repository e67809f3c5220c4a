// A window for the screen saver to run in or over, as the Control Panel's
// would be: it prints its handle, waits for a child (the preview) or an owned
// window (the settings) to show, and says what it is. A child is then left a
// second and the window destroyed, as when the Control Panel closes.
#include <windows.h>

#include <cstdio>

namespace {

constexpr int kWidth = 152;
constexpr int kHeight = 112;
constexpr DWORD kPatienceMs = 20000;
constexpr DWORD kLookEveryMs = 50;

HWND gOwned = nullptr;

BOOL CALLBACK findOwned(HWND window, LPARAM self)
{
    if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(self) && IsWindowVisible(window)) {
        gOwned = window;
        return FALSE;
    }
    return TRUE;
}

void pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

} // namespace

int wmain()
{
    WNDCLASSW windowClass {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SaverParent";
    RegisterClassW(&windowClass);
    RECT outer {0, 0, kWidth, kHeight};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    const HWND self = CreateWindowW(L"SaverParent", L"Saver parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, windowClass.hInstance, nullptr);
    std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(self)));
    std::fflush(stdout);

    for (DWORD waited = 0; waited < kPatienceMs; waited += kLookEveryMs) {
        pump();
        const HWND child = GetWindow(self, GW_CHILD);
        if (child && IsWindowVisible(child)) {
            RECT rect {};
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, self, reinterpret_cast<POINT*>(&rect), 2);
            std::printf("child %s parent %s at %ld,%ld size %ldx%ld\n",
                (GetWindowLongW(child, GWL_STYLE) & WS_CHILD) ? "WS_CHILD" : "popup",
                GetParent(child) == self ? "self" : "other", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
            std::fflush(stdout);
            Sleep(1000);
            pump();
            DestroyWindow(self);
            return 0;
        }
        EnumWindows(findOwned, reinterpret_cast<LPARAM>(self));
        if (gOwned) {
            wchar_t title[128] {};
            GetWindowTextW(gOwned, title, 128);
            std::printf("owned %ls\n", title);
            std::fflush(stdout);
            while (IsWindow(gOwned)) {
                pump();
                Sleep(kLookEveryMs);
            }
            return 0;
        }
        Sleep(kLookEveryMs);
    }
    std::printf("nothing came\n");
    return 1;
}
