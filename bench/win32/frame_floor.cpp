// The least a Win32 window can do that shows something new on every frame of
// its screen: one wake-up a frame from a periodic waitable timer, one pixel of
// its own bitmap changed, and a repaint of just that pixel. What it costs
// under Wine is the floor under any Win32 program that repaints once a frame
// there, and so a yardstick for how much of Tessary.exe's cost is its own.
// It writes its frames and wake-ups as the bench build of Tessary.exe writes
// its rings, and ends in time as that does.
#include "bench/win32/bench_counts.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 353;
constexpr int kHeight = 214;
constexpr DWORD kFallbackRefreshRate = 60;
constexpr long long kHundredNanosecondsPerSecond = 10'000'000;
// Where each frame's pixel goes and its colour: a plain linear congruential
// sequence, cheaper than anything the program itself draws with.
constexpr unsigned kStep = 1103515245u;
constexpr unsigned kIncrement = 12345u;
constexpr int kColumnShift = 8;
constexpr int kRowShift = 20;
constexpr DWORD kNotBlack = 0x404040;

std::vector<DWORD> gPixels(static_cast<size_t>(kWidth) * kHeight);
long gFrames = 0;
long gWakeUps = 0;
std::chrono::steady_clock::time_point gStarted;

void writeCounts()
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - gStarted).count();
    if (std::FILE* out = writeBenchCounts(seconds, gFrames, gWakeUps))
        std::fclose(out);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC device = BeginPaint(window, &paint);
        BITMAPINFO info {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SetDIBitsToDevice(device, 0, 0, kWidth, kHeight, 0, 0, 0, kHeight, gPixels.data(), &info, DIB_RGB_COLORS);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

DWORD refreshRate()
{
    DEVMODEW mode {};
    mode.dmSize = sizeof mode;
    const bool known = EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmDisplayFrequency > 1;
    return known ? mode.dmDisplayFrequency : kFallbackRefreshRate;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    gStarted = std::chrono::steady_clock::now();
    WNDCLASSW type {};
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = L"TessaryFrameFloor";
    RegisterClassW(&type);
    RECT outer {0, 0, kWidth, kHeight};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowW(type.lpszClassName, L"Frame floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    endBenchRunInTime(writeCounts);

    HANDLE timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    const DWORD rate = refreshRate();
    LARGE_INTEGER due {};
    due.QuadPart = -kHundredNanosecondsPerSecond / rate;
    SetWaitableTimer(timer, &due, static_cast<LONG>(1000 / rate), nullptr, nullptr, FALSE);

    unsigned sequence = 1;
    MSG message {};
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        ++gWakeUps;
        if (woken == WAIT_OBJECT_0) {
            sequence = sequence * kStep + kIncrement;
            const int x = static_cast<int>(sequence >> kColumnShift) % kWidth;
            const int y = static_cast<int>(sequence >> kRowShift) % kHeight;
            gPixels[static_cast<size_t>(y) * kWidth + x] = sequence | kNotBlack;
            const RECT changed {x, y, x + 1, y + 1};
            InvalidateRect(window, &changed, FALSE);
            UpdateWindow(window);
            ++gFrames;
        }
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return 0;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}
