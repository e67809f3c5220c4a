// What a screen reader reaches of Tessary through MSAA, printed for the Wine
// tests. "tree": the window's name, then one line per child window: its role
// number, name and default action. "press NAME": the default action of the
// child of that name. "alerts SECONDS": one line per EVENT_SYSTEM_ALERT, with
// the accessible name of what it came from.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Taken from the import library, IID_IAccessible would be a thunk's address.
const IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

IAccessible* objectOf(HWND window, DWORD id)
{
    IAccessible* object = nullptr;
    return SUCCEEDED(AccessibleObjectFromWindow(window, id, kIAccessible, reinterpret_cast<void**>(&object))) ? object : nullptr;
}

std::wstring text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* object)
{
    VARIANT self {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR value = nullptr;
    std::wstring result = SUCCEEDED((object->*get)(self, &value)) && value ? value : L"-";
    SysFreeString(value);
    return result;
}

long role(IAccessible* object)
{
    VARIANT self {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT value {};
    return SUCCEEDED(object->get_accRole(self, &value)) && value.vt == VT_I4 ? value.lVal : -1;
}

std::vector<HWND> children(HWND form)
{
    std::vector<HWND> found;
    EnumChildWindows(form, [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The name of what raised the alert, its lines joined by " / ".
void CALLBACK alerted(HWINEVENTHOOK, DWORD, HWND window, LONG objectId, LONG childId, DWORD, DWORD)
{
    IAccessible* object = nullptr;
    VARIANT child {};
    std::wstring name = L"-";
    if (SUCCEEDED(AccessibleObjectFromEvent(window, objectId, childId, &object, &child)) && object) {
        name = text(&IAccessible::get_accName, object);
        object->Release();
    }
    for (size_t at = name.find(L'\n'); at != std::wstring::npos; at = name.find(L'\n', at))
        name.replace(at, 1, L" / ");
    std::wprintf(L"alert %ls\n", name.c_str());
    std::fflush(stdout);
}

} // namespace

int wmain(int count, wchar_t** words)
{
    CoInitialize(nullptr);
    const HWND form = FindWindowW(L"TessaryForm", nullptr);
    if (count >= 3 && std::wcscmp(words[1], L"alerts") == 0) {
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, alerted, 0, 0, WINEVENT_OUTOFCONTEXT);
        std::wprintf(L"listening\n");
        std::fflush(stdout);
        const DWORD end = GetTickCount() + 1000 * static_cast<DWORD>(std::wcstol(words[2], nullptr, 10));
        MSG message;
        while (GetTickCount() < end) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
        }
        return 0;
    }
    // The client area carries the window's name, on Windows and in Wine alike.
    IAccessible* window = form ? objectOf(form, OBJID_CLIENT) : nullptr;
    if (!window) {
        std::fwprintf(stderr, L"no accessible window\n");
        return 1;
    }
    if (count >= 2 && std::wcscmp(words[1], L"tree") == 0) {
        std::wprintf(L"window %ls\n", text(&IAccessible::get_accName, window).c_str());
        for (HWND child : children(form)) {
            if (IAccessible* object = objectOf(child, OBJID_CLIENT)) {
                std::wprintf(L"%ld %ls %ls\n", role(object), text(&IAccessible::get_accName, object).c_str(),
                    text(&IAccessible::get_accDefaultAction, object).c_str());
                object->Release();
            }
        }
        return 0;
    }
    if (count >= 3 && std::wcscmp(words[1], L"press") == 0) {
        for (HWND child : children(form)) {
            IAccessible* object = objectOf(child, OBJID_CLIENT);
            if (object && text(&IAccessible::get_accName, object) == words[2]) {
                VARIANT self {};
                self.vt = VT_I4;
                self.lVal = CHILDID_SELF;
                const HRESULT done = object->accDoDefaultAction(self);
                object->Release();
                return SUCCEEDED(done) ? 0 : 2;
            }
        }
        return 3;
    }
    return 1;
}
