#include "platform/hosts/win32/win32_text.h"

#include "platform/hosts/win32/win32_api.h"

std::wstring toWide(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}
