#include "platform/runtime.h"

#include "platform/web/web_form_host.h"

#include <emscripten.h>

#include <cstdio>

namespace {

// The page lives as long as its tab: the host is never taken down.
WebFormHost* gHost = nullptr;

} // namespace

int RunProject(const ProjectDescription& project)
{
    gHost = new WebFormHost(project);
    gHost->start();
    return 0;
}

// What the page calls, by these names.
extern "C" {

EMSCRIPTEN_KEEPALIVE void tessary_frame()
{
    if (gHost)
        gHost->animationFrame();
}

EMSCRIPTEN_KEEPALIVE void tessary_input(const char* source)
{
    if (gHost)
        gHost->input(source);
}

// A click on the bare drawing area.
EMSCRIPTEN_KEEPALIVE void tessary_area_input()
{
    if (gHost)
        gHost->areaInput();
}

EMSCRIPTEN_KEEPALIVE void tessary_visibility_changed()
{
    if (gHost)
        gHost->visibilityChanged();
}

EMSCRIPTEN_KEEPALIVE void tessary_density_changed(double devicePixelRatio)
{
    if (gHost)
        gHost->densityChanged(devicePixelRatio);
}

// The picture's hash, as the trace driver prints it, for checking the canvas.
EMSCRIPTEN_KEEPALIVE const char* tessary_picture_hash()
{
    static char text[24];
    std::snprintf(text, sizeof text, "%016llx", gHost ? static_cast<unsigned long long>(gHost->picture().hash()) : 0ULL);
    return text;
}

} // extern "C"
