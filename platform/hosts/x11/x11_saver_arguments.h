#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// How XScreenSaver (or a person) asks the module to run, read from its
// arguments: "--root" for the window XScreenSaver names in the environment
// (XSCREENSAVER_WINDOW, or the root window where it names none),
// "--window-id ID" for a window of one's own choosing (decimal, or hex after
// 0x), "--change-every SECONDS", kept within what a user may set. One dash
// does as well as two, as for every XScreenSaver module. A window must be
// named: the module never opens one of its own. Plain C++, no X in it.
struct X11SaverArguments {
    enum class Target { Root, WindowId };

    // The arguments read, or why they cannot be: a sentence for standard error.
    static X11SaverArguments read(std::span<const std::string_view> arguments);

    Target target = Target::Root;
    unsigned long window = 0;
    std::chrono::seconds changeEvery {0};
    std::optional<std::string> refused;
};

// A window id as XScreenSaver and xwininfo write it: "0x" and hex, or decimal.
std::optional<unsigned long> x11WindowIdOf(std::string_view text);

inline constexpr std::string_view kX11SaverUsage
    = "usage: tessary (--root | --window-id ID) [--change-every SECONDS]\n"
      "  an XScreenSaver module: it draws into the window XScreenSaver gives it (--root) or into the window named.";
