#include "platform/hosts/web/web_form_window.h"

#include "platform/form/form_layout.h"
#include "platform/form/form_look.h"
#include "platform/services/colour.h"

#include <emscripten.h>

#include <algorithm>
#include <string>

// The page's side of each call lives in the shell, as Module.page.
EM_JS(void, pageSetLook, (unsigned border, unsigned caption, unsigned buttonFocus, int buttonFocusInset, unsigned areaFocus,
                             int areaFocusInset),
    { Module.page.setLook(border, caption, buttonFocus, buttonFocusInset, areaFocus, areaFocusInset); });
EM_JS(void, pageAddButton,
    (const char* name, const char* caption, int left, int top, int width, int height, unsigned face, unsigned pressed),
    { Module.page.addButton(UTF8ToString(name), UTF8ToString(caption), left, top, width, height, face, pressed); });
EM_JS(int, pageCaptionWidth, (int pixelSize, const char* caption),
    { return Module.page.captionWidth(pixelSize, UTF8ToString(caption)); });
EM_JS(int, pageCaptionHeight, (int pixelSize), { return Module.page.captionHeight(pixelSize); });
EM_JS(void, pageSetCaptionSize, (int pixelSize), { Module.page.setCaptionSize(pixelSize); });
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

// The page's one window, the form's or the saver's, which its animation
// frames reach.
WebFormWindow* gWindow = nullptr;

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

WebFormWindow::WebFormWindow(const FormDefinition& definition, const Picture& picture, const BrowserClock& clock,
    Buttons buttons)
    : picture_(picture)
    , clock_(clock)
{
    gWindow = this;
    if (buttons == Buttons::None)
        return;
    pageSetLook(FormLook::kButtonBorder, FormLook::kCaption, FormLook::kButtonFocus, FormLook::kButtonFocusInset,
        FormLook::kAreaFocus, FormLook::kAreaFocusInset);
    const FormLayout layout(definition);
    const int captionPixels = layout.captionPixelSize([](int size, std::string_view caption) {
        return std::pair(pageCaptionWidth(size, std::string(caption).c_str()), pageCaptionHeight(size));
    });
    pageSetCaptionSize(captionPixels);
    // In tab order, which is also the order a screen reader reads them in.
    for (const FormLayout::Button* b : layout.buttonsInTabOrder()) {
        const ButtonDefinition& button = *b->definition;
        const Colour face = resolveColour(button.backColor);
        pageAddButton(std::string(button.name).c_str(), std::string(button.caption).c_str(), b->geometry.left,
            b->geometry.top, b->geometry.width, b->geometry.height, face, FormLook::pressedFace(face));
    }
}

void WebFormWindow::show()
{
    pageShow();
}

void WebFormWindow::showChanges(const InclusiveBox& box)
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
FramePacing WebFormWindow::pacing() const
{
    return pageHidden() ? FramePacing::unseen() : FramePacing::byThePlatform();
}

void WebFormWindow::arm(std::optional<MonotonicClock::TimePoint> when)
{
    wakeAt_ = when;
    if (when)
        requestFrameBeforeDue();
    else
        pageCancelFrame();
}

void WebFormWindow::requestFrameBeforeDue()
{
    const std::chrono::duration<double, std::milli> early = *wakeAt_ - clock_.now() - kFrame;
    pageRequestFrame(std::max(0.0, early.count()));
}

void WebFormWindow::animationFrame()
{
    if (!wakeAt_)
        return;
    if (clock_.now() < *wakeAt_) {
        requestFrameBeforeDue();
        return;
    }
    if (alarmListener_)
        alarmListener_();
}

// The page's animation frame.
extern "C" EMSCRIPTEN_KEEPALIVE void tessary_frame()
{
    if (gWindow)
        gWindow->animationFrame();
}
