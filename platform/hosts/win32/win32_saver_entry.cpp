#include "platform/hosts/win32/win32_saver_arguments.h"
#include "platform/hosts/win32/win32_saver_host.h"
#include "platform/hosts/win32/win32_saver_settings.h"
#include "platform/hosts/win32/win32_start_failure.h"
#include "platform/hosts/win32/win32_text.h"

#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using Mode = Win32SaverArguments::Mode;

// Windows' arguments after the program's name. Every form it passes is
// ASCII; any other character stands as one that no form has.
std::vector<std::string> commandLine()
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i) {
        std::string word;
        for (const wchar_t* c = words[i]; *c; ++c)
            word += *c < 0x80 ? static_cast<char>(*c) : '?';
        arguments.push_back(std::move(word));
    }
    LocalFree(words);
    return arguments;
}

void say(const ProjectDescription& project, const std::wstring& text, UINT icon)
{
    MessageBoxW(nullptr, text.c_str(), toWide(project.name).c_str(), MB_OK | icon);
}

} // namespace

int RunProject(const ProjectDescription& project, CommandLine)
{
    const std::vector<std::string> words = commandLine();
    const std::vector<std::string_view> arguments(words.begin(), words.end());
    const Win32SaverArguments asked = Win32SaverArguments::read(arguments);
    const HWND window = reinterpret_cast<HWND>(asked.window);
    try {
        switch (asked.mode) {
        case Mode::FullScreen:
        case Mode::Preview: {
            Win32SaverHost host(project, window, Win32SaverSettings::changePeriod());
            return host.run();
        }
        case Mode::Settings:
            Win32SaverSettings::edit(window);
            return 0;
        case Mode::Password:
            return 0;
        case Mode::Usage:
            break;
        }
    } catch (const Win32StartFailure& failure) {
        // Nobody would see a message over a screen that is being saved.
        if (asked.mode != Mode::FullScreen)
            say(project, failure.reason(), MB_ICONERROR);
        return 1;
    }
    say(project, toWide(kWin32SaverUsage), MB_ICONINFORMATION);
    return 1;
}
