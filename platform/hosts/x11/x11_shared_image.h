#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>

// One image of a window's size in memory the X server shares (MIT-SHM): the
// module writes the changed box into it and the server reads it from there,
// with no copy over the socket. Made only where the server offers the
// extension and attaching the segment works: over TCP, or from another
// machine, the server cannot reach this process's memory and refuses it.
// The segment is this user's alone (0600), and is marked for removal as soon
// as both sides hold it, so that nothing outlives the process.
class X11SharedImage {
public:
    // Nothing where shared memory cannot be had here.
    static std::unique_ptr<X11SharedImage> make(Display* display, Visual* visual, int depth, int width, int height);
    ~X11SharedImage();
    X11SharedImage(const X11SharedImage&) = delete;
    X11SharedImage& operator=(const X11SharedImage&) = delete;

    int width() const { return image_->width; }
    int height() const { return image_->height; }
    int bytesPerLine() const { return image_->bytes_per_line; }
    char* data() const { return image_->data; }
    // Puts this box of it at the same place in the window. Before the image is
    // written again, waitUntilRead() must be called.
    void put(Window window, GC gc, int left, int top, int width, int height);
    // Waits until the server has read what was last put: a round trip, which
    // by the next frame returns at once. (Asking for the server's completion
    // event instead would wake the module's loop a second time each frame.)
    void waitUntilRead();

private:
    explicit X11SharedImage(Display* display);

    Display* display_;
    XImage* image_ = nullptr;
    XShmSegmentInfo segment_ {};
    bool attached_ = false;
    bool beingRead_ = false;
};
