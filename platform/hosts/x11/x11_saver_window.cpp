#include "platform/hosts/x11/x11_saver_window.h"

#include "platform/hosts/x11/x11_shared_image.h"

#include <X11/Xutil.h>

#include <bit>
#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

// The pixel sizes the module writes: a 15- or 16-bit visual's, and every
// deeper one's.
constexpr int kShortPixel = 16;
constexpr int kLongPixel = 32;
// Rows of an image the module makes start on whole 32-bit units.
constexpr int kRowPad = 32;
constexpr int kBitsPerByte = 8;
// The picture's memory and the converted rows are in the machine's own order.
constexpr int kNativeByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;

// How many bits X gives a pixel of this depth in an image; 0 where it knows none.
int bitsPerPixelOf(Display* display, int depth)
{
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    int bits = 0;
    for (int i = 0; i < count; ++i) {
        if (formats[i].depth == depth)
            bits = formats[i].bits_per_pixel;
    }
    if (formats)
        XFree(formats);
    return bits;
}

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
    const int bitsPerPixel = bitsPerPixelOf(display_, attributes.depth);
    const Visual& visual = *attributes.visual;
    // C++ calls the visual's class c_class.
    format_ = X11VisualFormat::of(visual.c_class == TrueColor, visual.red_mask, visual.green_mask, visual.blue_mask, bitsPerPixel);
    if (!format_ || (bitsPerPixel != kShortPixel && bitsPerPixel != kLongPixel))
        throw std::runtime_error("the window's visual is not true colour");
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

bool X11SaverWindow::putShared(int left, int top, int width, int height)
{
    if (sharedRefused_)
        return false;
    if (!shared_ || shared_->width() != picture_.width() || shared_->height() != picture_.height()) {
        shared_.reset();
        shared_ = X11SharedImage::make(display_, visual_, depth_, picture_.width(), picture_.height());
        if (!shared_) {
            sharedRefused_ = true;
            return false;
        }
    }
    shared_->waitUntilRead();
    const int bytesPerPixel = format_->bitsPerPixel() / kBitsPerByte;
    char* at = shared_->data() + static_cast<std::ptrdiff_t>(top) * shared_->bytesPerLine()
        + static_cast<std::ptrdiff_t>(left) * bytesPerPixel;
    format_->write(picture_, InclusiveBox {left, top, left + width - 1, top + height - 1}, at, shared_->bytesPerLine());
    shared_->put(window_, gc_, left, top, width, height);
    XFlush(display_);
    return true;
}

// Without shared memory: an image over the picture's own memory, made for
// each put (it costs a header, and the picture's memory moves when it is
// resized); for any other visual, over the box converted first.
void X11SaverWindow::putImage(int left, int top, int width, int height)
{
    if (picture_.width() == 0 || picture_.height() == 0 || putShared(left, top, width, height))
        return;
    XImage* image = nullptr;
    const bool wholePicture = format_->asThePicture();
    if (wholePicture) {
        auto* pixels = const_cast<char*>(reinterpret_cast<const char*>(picture_.pixels()));
        image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, pixels,
            static_cast<unsigned>(picture_.width()), static_cast<unsigned>(picture_.height()), kLongPixel, 0);
    } else {
        const int bytesPerLine = (width * format_->bitsPerPixel() + kRowPad - 1) / kRowPad * (kRowPad / kBitsPerByte);
        converted_.resize(static_cast<size_t>(bytesPerLine) * static_cast<size_t>(height));
        format_->write(picture_, InclusiveBox {left, top, left + width - 1, top + height - 1}, converted_.data(), bytesPerLine);
        image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, converted_.data(),
            static_cast<unsigned>(width), static_cast<unsigned>(height), kRowPad, bytesPerLine);
    }
    if (!image)
        return;
    image->byte_order = kNativeByteOrder;
    XPutImage(display_, window_, gc_, image, wholePicture ? left : 0, wholePicture ? top : 0, left, top,
        static_cast<unsigned>(width), static_cast<unsigned>(height));
    image->data = nullptr; // the picture's or the window's, not X's to free
    XDestroyImage(image);
    XFlush(display_);
}

FramePacing X11SaverWindow::pacing() const
{
    // Plain Xlib does not say the screen's refresh rate: the usual one.
    return mapped_ ? FramePacing::refreshRate(FramePacing::kFallbackRefreshRate) : FramePacing::unseen();
}
