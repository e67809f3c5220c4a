#include "platform/hosts/win32/win32_start_failure.h"

#include "platform/hosts/win32/win32_api.h"

Win32StartFailure Win32StartFailure::fromLastError(const wchar_t* what)
{
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = std::wstring(what) + L": " + (text ? text : L"error " + std::to_wstring(code));
    LocalFree(text);
    return Win32StartFailure(std::move(reason));
}
