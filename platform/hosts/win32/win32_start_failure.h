#pragma once

#include <stdexcept>
#include <string>

// The program could not start: no window, or no timer. Says why, in the
// system's own words.
class Win32StartFailure : public std::runtime_error {
public:
    explicit Win32StartFailure(std::wstring reason)
        : std::runtime_error("start-up failed")
        , reason_(std::move(reason))
    {
    }
    // What failed, and the system's words for the last error.
    static Win32StartFailure fromLastError(const wchar_t* what);

    const std::wstring& reason() const { return reason_; }

private:
    std::wstring reason_;
};
