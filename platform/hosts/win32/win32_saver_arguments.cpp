#include "platform/hosts/win32/win32_saver_arguments.h"

#include <charconv>
#include <optional>

namespace {

using Mode = Win32SaverArguments::Mode;

// A handle as Windows writes it: decimal digits, nothing else.
std::optional<std::uintptr_t> handleOf(std::string_view text)
{
    std::uintptr_t handle = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), handle);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return handle;
}

std::optional<Mode> modeOf(char letter)
{
    switch (letter) {
    case 's':
    case 'S':
        return Mode::FullScreen;
    case 'p':
    case 'P':
        return Mode::Preview;
    case 'c':
    case 'C':
        return Mode::Settings;
    case 'a':
    case 'A':
        return Mode::Password;
    default:
        return std::nullopt;
    }
}

} // namespace

Win32SaverArguments Win32SaverArguments::read(std::span<const std::string_view> arguments)
{
    const Win32SaverArguments usage {};
    if (arguments.empty())
        return {Mode::Settings, 0};
    const std::string_view first = arguments.front();
    if (first.size() < 2 || (first[0] != '/' && first[0] != '-'))
        return usage;
    const std::optional<Mode> mode = modeOf(first[1]);
    if (!mode)
        return usage;

    // The handle, after a colon in the switch or as the next argument.
    std::optional<std::string_view> handleText;
    std::span<const std::string_view> rest = arguments.subspan(1);
    if (first.size() > 2) {
        if (first[2] != ':')
            return usage;
        handleText = first.substr(3);
    } else if (!rest.empty()) {
        handleText = rest.front();
        rest = rest.subspan(1);
    }
    if (!rest.empty())
        return usage;

    std::uintptr_t window = 0;
    if (handleText) {
        const std::optional<std::uintptr_t> handle = handleOf(*handleText);
        if (!handle || *mode == Mode::FullScreen)
            return usage;
        window = *handle;
    }
    if (*mode == Mode::Preview && window == 0)
        return usage;
    return {*mode, window};
}
