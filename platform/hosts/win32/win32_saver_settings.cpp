#include "platform/hosts/win32/win32_saver_settings.h"

#include "platform/hosts/win32/win32_start_failure.h"
#include "platform/runner/saver_runner.h"

#include <commctrl.h>

namespace {

const wchar_t* const kKey = L"Software\\Tessary";
const wchar_t* const kChangeEvery = L"ChangeEvery";

} // namespace

std::chrono::seconds Win32SaverSettings::changePeriod()
{
    DWORD seconds = 0;
    DWORD size = sizeof seconds;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, kChangeEvery, RRF_RT_REG_DWORD, nullptr, &seconds, &size) != ERROR_SUCCESS)
        return SaverRunner::kDefaultChange;
    return SaverRunner::changePeriod(seconds);
}

void Win32SaverSettings::keep(std::chrono::seconds period)
{
    const DWORD seconds = static_cast<DWORD>(SaverRunner::changePeriod(period.count()).count());
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kChangeEvery, REG_DWORD, &seconds, sizeof seconds);
}

void Win32SaverSettings::edit(HWND owner)
{
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    if (!owner)
        owner = GetForegroundWindow();
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kDialog), owner, dialogProcedure, 0) == -1)
        throw Win32StartFailure::fromLastError(L"The settings could not be shown");
}

INT_PTR CALLBACK Win32SaverSettings::dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageW(dialog, kSecondsSpin, UDM_SETRANGE32, SaverRunner::kShortestChange.count(),
            SaverRunner::kLongestChange.count());
        SendDlgItemMessageW(dialog, kSecondsSpin, UDM_SETPOS32, 0, changePeriod().count());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            // What the field says, typed or spun; a number out of range is
            // brought within it, and a field left empty keeps what was.
            BOOL read = FALSE;
            const UINT seconds = GetDlgItemInt(dialog, kSecondsEdit, &read, FALSE);
            if (read)
                keep(std::chrono::seconds(seconds));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}
