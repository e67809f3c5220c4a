#include "platform/hosts/win32/win32_message_loop.h"

int win32MessageLoop(const Win32Alarm& alarm, const std::function<void(bool rang)>& woken,
    const std::function<bool(MSG& message)>& takes)
{
    MSG message {};
    for (;;) {
        const HANDLE timer = alarm.handle();
        woken(MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return static_cast<int>(message.wParam);
            if (!takes || !takes(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
}
