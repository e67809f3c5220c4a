#include "platform/hosts/web/web_form_host.h"

#include "platform/form/form_look.h"

#include <emscripten.h>

#include <cstdio>

EM_JS(double, pageDevicePixelRatio, (), { return window.devicePixelRatio || 1; });

namespace {

// The page's one host, which the page's calls below reach.
WebFormHost* gHost = nullptr;

} // namespace

WebFormHost::WebFormHost(const ProjectDescription& project, const FormRunner::Decorator& decorate)
    : picture_(*project.startupForm)
    , window_(*project.startupForm, picture_, clock_)
    , runner_(project, picture_, {window_, errors_, clock_}, decorate)
{
    gHost = this;
    window_.onAlarm([this] { runner_.wake(); });
    runner_.resize(runner_.layout().clientWidth(), runner_.layout().clientHeight(), pageDevicePixelRatio());
}

int WebFormHost::run()
{
    runner_.start();
    return 0;
}

void WebFormHost::areaSized(double devicePixelRatio, int deviceWidth, int deviceHeight)
{
    const FormLayout& layout = runner_.layout();
    runner_.resize(layout.clientWidth(), layout.clientHeight(), devicePixelRatio, deviceWidth, deviceHeight);
}

void WebFormHost::areaRelease(bool primary, bool overTheBareArea)
{
    if (press_.release(primary, overTheBareArea))
        runner_.clickArea();
}

// What the page calls, by these names.
extern "C" {

EMSCRIPTEN_KEEPALIVE void tessary_click(const char* source)
{
    if (gHost)
        gHost->click(source);
}

// A click on the drawing area that no pointer release counted already.
EMSCRIPTEN_KEEPALIVE void tessary_area_click()
{
    if (gHost)
        gHost->areaClick();
}

// A key on the drawing area, as FormLook::Key (Space 0, Return 1, any other
// 2). Returns what became of it, as FormLook::KeyAction (0 passed on, 1 kept,
// 2 a click), so that the page keeps from the browser what is the area's.
EMSCRIPTEN_KEEPALIVE int tessary_area_key(int key, bool modified, bool repeated)
{
    const FormLook::Key named = key == static_cast<int>(FormLook::Key::Space) ? FormLook::Key::Space
        : key == static_cast<int>(FormLook::Key::Return)                     ? FormLook::Key::Return
                                                                              : FormLook::Key::Other;
    const auto action = FormLook::areaKey(named, modified, repeated);
    if (action == FormLook::KeyAction::Clicks && gHost)
        gHost->areaClick();
    return static_cast<int>(action);
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

} // extern "C"
