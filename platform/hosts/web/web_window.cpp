#include "platform/hosts/web/web_window.h"

#include "platform/form/form_look.h"

#include <emscripten.h>

#include <algorithm>
#include <string>

// The page's side of each call lives in the shell, as Module.page.
EM_JS(void, pageSetLook, (unsigned border, unsigned caption, unsigned buttonFocus, int buttonFocusInset, unsigned areaFocus,
                             int areaFocusInset),
    { Module.page.setLook(border, caption, buttonFocus, buttonFocusInset, areaFocus, areaFocusInset); });
EM_JS(void, pageSizeArea, (int logicalWidth, int logicalHeight, int width, int height, const void* pixels),
    { Module.page.sizeArea(logicalWidth, logicalHeight, width, height, pixels); });
EM_JS(void, pagePut, (int left, int top, int width, int height), { Module.page.put(left, top, width, height); });
EM_JS(void, pageShow, (), { Module.page.show(); });
EM_JS(int, pageHidden, (), { return document.hidden ? 1 : 0; });
EM_JS(void, pageRequestFrame, (double afterMilliseconds), { Module.page.requestFrame(afterMilliseconds); });
EM_JS(void, pageCancelFrame, (), { Module.page.cancelFrame(); });

namespace {

constexpr double kNanosecondsPerMillisecond = 1e6;

// The page cannot tell how long the browser's frames are: it takes a common
// screen's, so that frames are asked for from about one before a tick is due.
const std::chrono::nanoseconds kFrame = FramePacing::refreshRate(FramePacing::kFallbackRefreshRate).period();

// The page's one window, the form's or the saver's, which its calls reach.
WebWindow* gWindow = nullptr;

// A picture's 0xFFRRGGBB word as the canvas's red, green, blue and alpha
// bytes, in WebAssembly's little-endian memory.
constexpr std::uint32_t canvasPixel(Picture::Pixel pixel)
{
    constexpr std::uint32_t kRed = 0x00FF0000u;
    constexpr std::uint32_t kBlue = 0x000000FFu;
    constexpr int kRedToFirstByte = 16;
    return (pixel & ~(kRed | kBlue)) | ((pixel & kRed) >> kRedToFirstByte) | ((pixel & kBlue) << kRedToFirstByte);
}

} // namespace

MonotonicClock::TimePoint BrowserClock::now() const
{
    return TimePoint(std::chrono::nanoseconds(static_cast<long long>(emscripten_get_now() * kNanosecondsPerMillisecond)));
}

WebWindow::WebWindow(const Picture& picture, const BrowserClock& clock)
    : picture_(picture)
    , clock_(clock)
{
    gWindow = this;
    pageSetLook(FormLook::kButtonBorder, FormLook::kCaption, FormLook::kButtonFocus, FormLook::kButtonFocusInset,
        FormLook::kAreaFocus, FormLook::kAreaFocusInset);
}

void WebWindow::areaSized(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight)
{
    if (!runner_)
        return;
    runner_->resize(logicalWidth, logicalHeight, devicePixelRatio, deviceWidth, deviceHeight);
    if (startWhenSized_ && picture_.width() > 0) {
        startWhenSized_ = false;
        runner_->start();
    }
}

InputAnswer WebWindow::areaRelease(bool primary, bool overTheBareArea)
{
    if (!press_.release(primary, overTheBareArea) || !runner_)
        return InputAnswer::PassedOn;
    return runner_->clickArea();
}

void WebWindow::show()
{
    pageShow();
}

void WebWindow::showChanges(const InclusiveBox& box)
{
    // A resize of the picture comes here first: the canvas follows it.
    if (picture_.width() != canvasWidth_ || picture_.height() != canvasHeight_) {
        canvasWidth_ = picture_.width();
        canvasHeight_ = picture_.height();
        canvasPixels_.assign(static_cast<size_t>(canvasWidth_) * static_cast<size_t>(canvasHeight_), 0);
        pageSizeArea(picture_.logicalWidth(), picture_.logicalHeight(), canvasWidth_, canvasHeight_, canvasPixels_.data());
    }
    const InclusiveBox device = picture_.deviceBox(box);
    if (device.empty())
        return;
    for (long long y = device.top; y <= device.bottom; ++y) {
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(canvasWidth_);
        const Picture::Pixel* from = picture_.pixels() + row;
        std::uint32_t* to = canvasPixels_.data() + row;
        for (long long x = device.left; x <= device.right; ++x)
            to[x] = canvasPixel(from[x]);
    }
    pagePut(static_cast<int>(device.left), static_cast<int>(device.top), static_cast<int>(device.right - device.left + 1),
        static_cast<int>(device.bottom - device.top + 1));
}

// A hidden page gets no animation frames.
FramePacing WebWindow::pacing() const
{
    return pageHidden() ? FramePacing::unseen() : FramePacing::byThePlatform();
}

void WebWindow::arm(std::optional<MonotonicClock::TimePoint> when)
{
    wakeAt_ = when;
    if (when)
        requestFrameBeforeDue();
    else
        pageCancelFrame();
}

void WebWindow::requestFrameBeforeDue()
{
    const std::chrono::duration<double, std::milli> early = *wakeAt_ - clock_.now() - kFrame;
    pageRequestFrame(std::max(0.0, early.count()));
}

void WebWindow::animationFrame()
{
    if (!wakeAt_)
        return;
    if (clock_.now() < *wakeAt_) {
        requestFrameBeforeDue();
        return;
    }
    if (runner_)
        runner_->wake();
}

// What the page calls, by these names. An input's answer is an InputAnswer:
// 0 passed on, 1 taken (the page keeps it from the browser), 2 the saver ends.
extern "C" {

EMSCRIPTEN_KEEPALIVE void tessary_frame()
{
    if (gWindow)
        gWindow->animationFrame();
}

EMSCRIPTEN_KEEPALIVE int tessary_click(const char* source)
{
    return static_cast<int>(gWindow && gWindow->runner() ? gWindow->runner()->click(source) : InputAnswer::PassedOn);
}

// A click on the drawing area that no pointer release counted already.
EMSCRIPTEN_KEEPALIVE int tessary_area_click()
{
    return static_cast<int>(gWindow && gWindow->runner() ? gWindow->runner()->clickArea() : InputAnswer::PassedOn);
}

// A key on the drawing area, as FormLook::Key: Space 0, Return 1, any other 2.
EMSCRIPTEN_KEEPALIVE int tessary_area_key(int key, bool modified, bool repeated)
{
    const FormLook::Key named = key == static_cast<int>(FormLook::Key::Space) ? FormLook::Key::Space
        : key == static_cast<int>(FormLook::Key::Return)                     ? FormLook::Key::Return
                                                                              : FormLook::Key::Other;
    return static_cast<int>(
        gWindow && gWindow->runner() ? gWindow->runner()->areaKey(named, modified, repeated) : InputAnswer::PassedOn);
}

// Where the pointer is now, in CSS pixels of the screen.
EMSCRIPTEN_KEEPALIVE int tessary_pointer_moved(double x, double y)
{
    return static_cast<int>(gWindow && gWindow->runner() ? gWindow->runner()->pointerMoved(x, y) : InputAnswer::PassedOn);
}

// A pointer pressed on, and released after a press on, the drawing area.
EMSCRIPTEN_KEEPALIVE void tessary_area_press(bool primary)
{
    if (gWindow)
        gWindow->areaPress(primary);
}

EMSCRIPTEN_KEEPALIVE int tessary_area_release(bool primary, bool overTheBareArea)
{
    return static_cast<int>(gWindow ? gWindow->areaRelease(primary, overTheBareArea) : InputAnswer::PassedOn);
}

EMSCRIPTEN_KEEPALIVE void tessary_area_press_cancelled()
{
    if (gWindow)
        gWindow->areaPressCancelled();
}

// The page was hidden or shown again.
EMSCRIPTEN_KEEPALIVE void tessary_visibility_changed()
{
    if (gWindow && gWindow->runner())
        gWindow->runner()->pacingChanged();
}

// The area's CSS size and device pixels: at the start, after a move to
// another screen or a zoom, and, full screen, as the saver's screen.
EMSCRIPTEN_KEEPALIVE void tessary_area_sized(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth,
    int deviceHeight)
{
    if (gWindow)
        gWindow->areaSized(logicalWidth, logicalHeight, devicePixelRatio, deviceWidth, deviceHeight);
}

} // extern "C"
