// The entry of Tessary-probed.html: the page's own form, which also tells
// the picture's hash as the trace driver prints it.
#include "platform/hosts/web/web_form_host.h"

#include <emscripten.h>

#include <cstdio>

namespace {

const WebFormHost* gHost = nullptr;

} // namespace

int RunProject(const ProjectDescription& project, CommandLine)
{
    static WebFormHost host(project);
    gHost = &host;
    return host.run();
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* tessary_picture_hash()
{
    static char text[24];
    std::snprintf(text, sizeof text, "%016llx", gHost ? static_cast<unsigned long long>(gHost->picture().hash()) : 0ULL);
    return text;
}
