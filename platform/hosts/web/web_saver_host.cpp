#include "platform/hosts/web/web_saver_host.h"

#include <emscripten.h>

namespace {

// The page's one saver, which the page's call below reaches.
WebSaverHost* gSaver = nullptr;

} // namespace

WebSaverHost::WebSaverHost(const ProjectDescription& project)
    : picture_(*project.startupForm)
    , window_(*project.startupForm, picture_, clock_, WebFormWindow::Buttons::None)
    , saver_(project, picture_, {window_, errors_, clock_}, SaverRunner::kDefaultChange)
{
    gSaver = this;
    window_.onAlarm([this] { saver_.wake(); });
}

void WebSaverHost::areaSized(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight)
{
    saver_.runner().resize(logicalWidth, logicalHeight, devicePixelRatio, deviceWidth, deviceHeight);
    if (started_ || picture_.width() == 0)
        return;
    started_ = true;
    saver_.start();
}

// The saver's drawing area, full screen: its CSS size and device pixels.
extern "C" EMSCRIPTEN_KEEPALIVE void tessary_saver_sized(int logicalWidth, int logicalHeight, double devicePixelRatio,
    int deviceWidth, int deviceHeight)
{
    if (gSaver)
        gSaver->areaSized(logicalWidth, logicalHeight, devicePixelRatio, deviceWidth, deviceHeight);
}

// Where the pointer is now, in CSS pixels: 1 where a person moved it and the saver ends.
extern "C" EMSCRIPTEN_KEEPALIVE int tessary_saver_pointer_moved(double x, double y)
{
    return gSaver && gSaver->pointerMoved(x, y) ? 1 : 0;
}
