#include "platform/hosts/x11/x11_saver_window.h"

#include <X11/Xutil.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

// The picture's pixels as X takes them: 32 bits each, red in bits 16 to 23,
// green in 8 to 15, blue in 0 to 7.
constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;
constexpr int kBitsPerPixel = 32;
constexpr int kTrueColourDepth = 24;
constexpr int kDeepColourDepth = 32;

// X reports a window it cannot reach as an error, not as a return value.
bool gUnreachable = false;
int noteError(Display*, XErrorEvent*)
{
    gUnreachable = true;
    return 0;
}

// A window id as xwininfo and XScreenSaver write it.
std::string hexadecimal(Window window)
{
    char text[2 + 2 * sizeof window + 1];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

} // namespace

X11SaverWindow::X11SaverWindow(Display* display, Window window, const Picture& picture)
    : display_(display)
    , window_(window)
    , picture_(picture)
{
    XWindowAttributes attributes {};
    gUnreachable = false;
    const auto previous = XSetErrorHandler(noteError);
    // Size and mapping followed from before they are read, so that no
    // change between falls through.
    XSelectInput(display_, window_, StructureNotifyMask);
    const bool reached = XGetWindowAttributes(display_, window_, &attributes) != 0;
    XSync(display_, False);
    XSetErrorHandler(previous);
    if (!reached || gUnreachable)
        throw std::runtime_error("the window " + hexadecimal(window) + " cannot be reached");
    const Visual* visual = attributes.visual;
    if ((attributes.depth != kTrueColourDepth && attributes.depth != kDeepColourDepth) || visual->red_mask != kRedMask
        || visual->green_mask != kGreenMask || visual->blue_mask != kBlueMask)
        throw std::runtime_error("the window's visual is not 24-bit true colour");
    depth_ = attributes.depth;
    visual_ = attributes.visual;
    width_ = attributes.width;
    height_ = attributes.height;
    mapped_ = attributes.map_state == IsViewable;
    gc_ = XCreateGC(display_, window_, 0, nullptr);
}

X11SaverWindow::~X11SaverWindow()
{
    if (gc_)
        XFreeGC(display_, gc_);
}

void X11SaverWindow::sized()
{
    if (runner_ && width_ > 0 && height_ > 0)
        runner_->resize(width_, height_, kNoDensity);
}

bool X11SaverWindow::handle(const XEvent& event)
{
    if (event.xany.window != window_)
        return true;
    switch (event.type) {
    case ConfigureNotify:
        if (event.xconfigure.width != width_ || event.xconfigure.height != height_) {
            width_ = event.xconfigure.width;
            height_ = event.xconfigure.height;
            sized();
        }
        return true;
    case MapNotify:
    case UnmapNotify:
        mapped_ = event.type == MapNotify;
        if (runner_)
            runner_->pacingChanged();
        return true;
    case DestroyNotify:
        return false;
    default:
        return true;
    }
}

void X11SaverWindow::show()
{
    putImage(0, 0, picture_.width(), picture_.height());
}

void X11SaverWindow::showChanges(const InclusiveBox& box)
{
    const InclusiveBox device = picture_.deviceBox(box);
    if (!device.empty())
        putImage(device.left, device.top, device.right - device.left + 1, device.bottom - device.top + 1);
}

// An image over the picture's own memory, made for each put: it costs a
// header, and the picture's memory moves when it is resized.
void X11SaverWindow::putImage(int left, int top, int width, int height)
{
    if (picture_.width() == 0 || picture_.height() == 0)
        return;
    auto* pixels = const_cast<char*>(reinterpret_cast<const char*>(picture_.pixels()));
    XImage* image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, pixels,
        static_cast<unsigned>(picture_.width()), static_cast<unsigned>(picture_.height()), kBitsPerPixel, 0);
    if (!image)
        return;
    image->byte_order = LSBFirst;
    XPutImage(display_, window_, gc_, image, left, top, left, top, static_cast<unsigned>(width), static_cast<unsigned>(height));
    image->data = nullptr; // the picture's, not X's to free
    XDestroyImage(image);
    XFlush(display_);
}

FramePacing X11SaverWindow::pacing() const
{
    // Plain Xlib does not say the screen's refresh rate: the usual one.
    return mapped_ ? FramePacing::refreshRate(FramePacing::kFallbackRefreshRate) : FramePacing::unseen();
}
