#include "platform/form/runtime.h"

#include "platform/runner/ring_counting_window.h"
#include "platform/hosts/web/web_form_host.h"

#include <emscripten.h>

#include <cstdio>
#include <memory>

namespace {

// The page lives as long as its tab: the host is never taken down.
WebFormHost* gHost = nullptr;

#ifdef TESSARY_BENCH_BUILD
// The bench's page counts the rings on their way to the picture, and notes
// when the first one came, in the page's own time since it was opened.
EM_JS(void, pageFirstRing, (), { Module.page.firstRingAt = performance.now(); });

RingCountingWindow* gCounter = nullptr;

FormRunner::Decorator decoration()
{
    return RingCountingWindow::into(gCounter);
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
#ifdef TESSARY_BENCH_BUILD
    gCounter->onRing = [](long ring) {
        if (ring == 1)
            pageFirstRing();
    };
#endif
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

EMSCRIPTEN_KEEPALIVE void tessary_click(const char* source)
{
    if (gHost)
        gHost->click(source);
}

// Space or Return on the drawing area.
EMSCRIPTEN_KEEPALIVE void tessary_area_click()
{
    if (gHost)
        gHost->areaClick();
}

// A pointer pressed on, and released after a press on, the drawing area.
EMSCRIPTEN_KEEPALIVE void tessary_area_press(bool primary)
{
    if (gHost)
        gHost->areaPress(primary);
}

EMSCRIPTEN_KEEPALIVE void tessary_area_release(bool primary, bool overTheBareArea)
{
    if (gHost)
        gHost->areaRelease(primary, overTheBareArea);
}

EMSCRIPTEN_KEEPALIVE void tessary_area_press_cancelled()
{
    if (gHost)
        gHost->areaPressCancelled();
}

EMSCRIPTEN_KEEPALIVE void tessary_visibility_changed()
{
    if (gHost)
        gHost->visibilityChanged();
}

EMSCRIPTEN_KEEPALIVE void tessary_area_sized(double devicePixelRatio, int deviceWidth, int deviceHeight)
{
    if (gHost)
        gHost->areaSized(devicePixelRatio, deviceWidth, deviceHeight);
}

// The picture's hash, as the trace driver prints it, for checking the canvas.
EMSCRIPTEN_KEEPALIVE const char* tessary_picture_hash()
{
    static char text[24];
    std::snprintf(text, sizeof text, "%016llx", gHost ? static_cast<unsigned long long>(gHost->picture().hash()) : 0ULL);
    return text;
}

#ifdef TESSARY_BENCH_BUILD
EMSCRIPTEN_KEEPALIVE double tessary_rings()
{
    return gCounter ? static_cast<double>(gCounter->rings()) : 0;
}
#endif

} // extern "C"
