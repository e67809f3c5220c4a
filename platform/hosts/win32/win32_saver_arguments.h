#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// How Windows asks a screen saver (a .scr) to run, read from the arguments it
// passes: a switch, "/" or "-" and a letter in either case, and for some a
// window handle in decimal, after a colon or as the next argument.
// - "/s": full screen;
// - "/p HWND", "/p:HWND": the preview, a child of that window;
// - "/c", "/c:HWND", or nothing at all: the settings, modal to that window;
// - "/a": the password change of old Windows, which has nothing to do here.
// Anything else, a handle missing where one is needed, one that is not a
// number, or an argument left over, asks for the usage message.
// Plain C++, no Windows in it, so that the table of forms runs anywhere.
struct Win32SaverArguments {
    enum class Mode { FullScreen, Preview, Settings, Password, Usage };

    static Win32SaverArguments read(std::span<const std::string_view> arguments);

    Mode mode = Mode::Usage;
    // The window named, or 0 where none was.
    std::uintptr_t window = 0;

    bool operator==(const Win32SaverArguments&) const = default;
};

// What the usage message says.
inline constexpr std::string_view kWin32SaverUsage = "Tessary.scr is a screen saver. Windows runs it as:\n"
                                                     "  /s            full screen\n"
                                                     "  /p <window>   the preview inside that window\n"
                                                     "  /c[:<window>] its settings\n"
                                                     "Install it with a right click and Install, or in Settings, "
                                                     "Personalization, Lock screen, Screen saver.";
