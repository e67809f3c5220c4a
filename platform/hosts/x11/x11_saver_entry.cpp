#include "platform/hosts/x11/x11_saver_arguments.h"
#include "platform/hosts/x11/x11_saver_host.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

int RunProject(const ProjectDescription& project, CommandLine commandLine)
{
    const std::string name = commandLine.empty() ? std::string(project.name) : std::string(commandLine.front());
    const std::vector<std::string_view> arguments(commandLine.begin() + (commandLine.empty() ? 0 : 1), commandLine.end());
    const X11SaverArguments asked = X11SaverArguments::read(arguments);
    if (asked.refused) {
        std::fprintf(stderr, "%s: %s\n%s\n", name.c_str(), asked.refused->c_str(), kX11SaverUsage.data());
        return EXIT_FAILURE;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "%s: no display could be reached (is DISPLAY set?)\n", name.c_str());
        return EXIT_FAILURE;
    }
    int status = EXIT_FAILURE;
    try {
        const Window window = asked.target == X11SaverArguments::Target::Root ? X11SaverHost::givenWindow(display) : asked.window;
        X11SaverHost host(project, display, window, asked.changeEvery);
        status = host.run();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), failure.what());
    }
    XCloseDisplay(display);
    return status;
}
