#include "platform/hosts/x11/x11_saver_arguments.h"
#include "platform/hosts/x11/x11_saver_host.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The command line as the kernel keeps it: main() takes none, and this
// module alone among the hosts reads one.
std::vector<std::string> commandLine()
{
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> words;
    for (size_t start = 0; start < all.size();) {
        const size_t end = all.find('\0', start);
        words.push_back(all.substr(start, end - start));
        start = end == std::string::npos ? all.size() : end + 1;
    }
    return words;
}

} // namespace

int RunProject(const ProjectDescription& project)
{
    const std::vector<std::string> words = commandLine();
    const std::string name = words.empty() ? std::string(project.name) : words.front();
    const std::vector<std::string_view> arguments(words.size() > 1 ? words.begin() + 1 : words.end(), words.end());
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
