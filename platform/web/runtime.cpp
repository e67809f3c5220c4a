#include "platform/runtime.h"

#include "platform/forwarding_window.h"
#include "platform/web/web_form_host.h"

#include <emscripten.h>

#include <cstdio>
#include <memory>

namespace {

// The page lives as long as its tab: the host is never taken down.
WebFormHost* gHost = nullptr;

#ifdef TESSARY_COUNT_RINGS
// The bench's page counts the rings on their way to the picture, and notes
// when the first one came, in the page's own time since it was opened.
EM_JS(void, pageFirstRing, (), { Module.page.firstRingAt = performance.now(); });

long gRings = 0;

struct CountingWindow final : ForwardingWindow {
    using ForwardingWindow::ForwardingWindow;

    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override
    {
        if (gRings++ == 0)
            pageFirstRing();
        return ForwardingWindow::circle(x, y, radius, colour);
    }
};

FormRunner::Decorator decoration()
{
    return [](WindowOperations& window) { return std::make_unique<CountingWindow>(window); };
}
#else
FormRunner::Decorator decoration()
{
    return {};
}
#endif

} // namespace

int RunProject(const ProjectDescription& project)
{
    gHost = new WebFormHost(project, decoration());
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

#ifdef TESSARY_COUNT_RINGS
EMSCRIPTEN_KEEPALIVE double tessary_rings()
{
    return static_cast<double>(gRings);
}
#endif

} // extern "C"
