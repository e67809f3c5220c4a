#include "platform/hosts/web/web_form_host.h"

#include <emscripten.h>

EM_JS(double, pageDevicePixelRatio, (), { return window.devicePixelRatio || 1; });

WebFormHost::WebFormHost(const ProjectDescription& project, HostProbe* probe)
    : picture_(*project.startupForm)
    , window_(*project.startupForm, picture_, clock_)
    , runner_(project, picture_, {window_, errors_, clock_, probe})
{
    window_.reportTo(runner_);
    runner_.resize(runner_.layout().clientWidth(), runner_.layout().clientHeight(), pageDevicePixelRatio());
}

int WebFormHost::run()
{
    runner_.start();
    return 0;
}
