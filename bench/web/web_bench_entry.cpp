#include "bench/ring_probe.h"
#include "platform/hosts/web/web_form_host.h"

#include <emscripten.h>

// The bench's page: the program's own, counting the rings on their way to
// the picture and noting when the first one came, in the page's own time
// since it was opened.
EM_JS(void, pageFirstRing, (), { Module.page.firstRingAt = performance.now(); });

namespace {

RingProbe gProbe;

} // namespace

int RunProject(const ProjectDescription& project, CommandLine)
{
    static WebFormHost host(project, &gProbe);
    gProbe.window().onRing = [](long ring) {
        if (ring == 1)
            pageFirstRing();
    };
    return host.run();
}

extern "C" EMSCRIPTEN_KEEPALIVE double tessary_rings()
{
    return static_cast<double>(gProbe.rings());
}
