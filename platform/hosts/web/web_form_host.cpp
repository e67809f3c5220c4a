#include "platform/hosts/web/web_form_host.h"

#include "platform/services/colour.h"

#include <emscripten.h>

#include <algorithm>


// The page's side of each call lives in the shell, as Module.page.
EM_JS(void, pageAddButton, (const char* name, const char* caption, int left, int top, int width, int height, unsigned face),
    { Module.page.addButton(UTF8ToString(name), UTF8ToString(caption), left, top, width, height, face); });
EM_JS(int, pageCaptionWidth, (int pixelSize, const char* caption),
    { return Module.page.captionWidth(pixelSize, UTF8ToString(caption)); });
EM_JS(int, pageCaptionHeight, (int pixelSize), { return Module.page.captionHeight(pixelSize); });
EM_JS(void, pageSetCaptionSize, (int pixelSize), { Module.page.setCaptionSize(pixelSize); });
EM_JS(void, pageSizeArea, (int logicalWidth, int logicalHeight, int width, int height),
    { Module.page.sizeArea(logicalWidth, logicalHeight, width, height); });
EM_JS(void, pagePut, (const void* pixels, int stride, int left, int top, int width, int height),
    { Module.page.put(pixels, stride, left, top, width, height); });
EM_JS(void, pageShow, (), { Module.page.show(); });
EM_JS(int, pageHidden, (), { return document.hidden ? 1 : 0; });
EM_JS(double, pageDevicePixelRatio, (), { return window.devicePixelRatio || 1; });
EM_JS(void, pageRequestFrame, (double afterMilliseconds), { Module.page.requestFrame(afterMilliseconds); });
EM_JS(void, pageCancelFrame, (), { Module.page.cancelFrame(); });
EM_JS(void, pageShowError, (const char* text), { Module.page.showError(UTF8ToString(text)); });

namespace {

constexpr double kNanosecondsPerMillisecond = 1e6;

// The page cannot tell how long the browser's frames are: it takes a common
// screen's, so that frames are asked for from about one before a tick is due.
const std::chrono::nanoseconds kFrame = FramePacing::refreshRate(FramePacing::kFallbackRefreshRate).period();

} // namespace

MonotonicClock::TimePoint BrowserClock::now() const
{
    return TimePoint(std::chrono::nanoseconds(static_cast<long long>(emscripten_get_now() * kNanosecondsPerMillisecond)));
}

WebFormHost::WebFormHost(const ProjectDescription& project, const FormRunner::Decorator& decorate)
    : picture_(*project.startupForm)
    , runner_(project, picture_, {*this, *this, *this, clock_}, decorate)
{
    const FormLayout& layout = runner_.layout();
    const int captionPixels = layout.captionPixelSize([](int size, std::string_view caption) {
        return std::pair(pageCaptionWidth(size, std::string(caption).c_str()), pageCaptionHeight(size));
    });
    pageSetCaptionSize(captionPixels);
    // In tab order, which is also the order a screen reader reads them in.
    for (const FormLayout::Button* b : layout.buttonsInTabOrder()) {
        const ButtonDefinition& definition = *b->definition;
        pageAddButton(std::string(definition.name).c_str(), std::string(definition.caption).c_str(), b->geometry.left,
            b->geometry.top, b->geometry.width, b->geometry.height, resolveColour(definition.backColor));
    }
    const double ratio = pageDevicePixelRatio();
    runner_.resize(layout.clientWidth(), layout.clientHeight(), ratio);
}

void WebFormHost::areaSized(double devicePixelRatio, int deviceWidth, int deviceHeight)
{
    const FormLayout& layout = runner_.layout();
    runner_.resize(layout.clientWidth(), layout.clientHeight(), devicePixelRatio, deviceWidth, deviceHeight);
}

void WebFormHost::show()
{
    pageShow();
}

void WebFormHost::showChanges(const InclusiveBox& box)
{
    // A resize of the picture comes here first: the canvas follows it.
    if (picture_.width() != canvasWidth_ || picture_.height() != canvasHeight_) {
        canvasWidth_ = picture_.width();
        canvasHeight_ = picture_.height();
        pageSizeArea(picture_.logicalWidth(), picture_.logicalHeight(), canvasWidth_, canvasHeight_);
    }
    const InclusiveBox device = picture_.deviceBox(box);
    if (device.empty())
        return;
    pagePut(picture_.pixels(), picture_.width(), static_cast<int>(device.left), static_cast<int>(device.top),
        static_cast<int>(device.right - device.left + 1), static_cast<int>(device.bottom - device.top + 1));
}

// A hidden page gets no animation frames.
FramePacing WebFormHost::pacing() const
{
    return pageHidden() ? FramePacing::unseen() : FramePacing::byThePlatform();
}

void WebFormHost::arm(std::optional<MonotonicClock::TimePoint> when)
{
    wakeAt_ = when;
    if (when)
        requestFrameBeforeDue();
    else
        pageCancelFrame();
}

void WebFormHost::requestFrameBeforeDue()
{
    const std::chrono::duration<double, std::milli> early = *wakeAt_ - clock_.now() - kFrame;
    pageRequestFrame(std::max(0.0, early.count()));
}

void WebFormHost::animationFrame()
{
    if (!wakeAt_)
        return;
    if (clock_.now() >= *wakeAt_)
        runner_.wake();
    else
        requestFrameBeforeDue();
}

void WebFormHost::areaRelease(bool primary, bool overTheBareArea)
{
    if (press_.release(primary, overTheBareArea))
        runner_.clickArea();
}

void WebFormHost::showError(const std::string& text)
{
    pageShowError(text.c_str());
}
