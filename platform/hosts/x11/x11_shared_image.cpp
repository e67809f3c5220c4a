#include "platform/hosts/x11/x11_shared_image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace {

// Read and write for this user only.
constexpr int kOwnerOnly = 0600;
constexpr int kNoSegment = -1;

// The server says an attach failed with an error, not a return value.
bool gRefused = false;
int noteRefusal(Display*, XErrorEvent*)
{
    gRefused = true;
    return 0;
}

} // namespace

std::unique_ptr<X11SharedImage> X11SharedImage::make(Display* display, Visual* visual, int depth, int width, int height)
{
    if (width <= 0 || height <= 0 || !XShmQueryExtension(display))
        return nullptr;
    std::unique_ptr<X11SharedImage> made(new X11SharedImage(display));
    // The image keeps where its segment's description is: in the object.
    made->image_ = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &made->segment_,
        static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!made->image_)
        return nullptr;
    made->segment_.shmid = shmget(IPC_PRIVATE,
        static_cast<size_t>(made->image_->bytes_per_line) * static_cast<size_t>(height), IPC_CREAT | kOwnerOnly);
    if (made->segment_.shmid == kNoSegment)
        return nullptr;
    void* memory = shmat(made->segment_.shmid, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        shmctl(made->segment_.shmid, IPC_RMID, nullptr);
        return nullptr;
    }
    made->segment_.shmaddr = made->image_->data = static_cast<char*>(memory);
    made->segment_.readOnly = True;
    XSync(display, False);
    gRefused = false;
    const auto previous = XSetErrorHandler(noteRefusal);
    const bool attached = XShmAttach(display, &made->segment_) != 0;
    XSync(display, False);
    XSetErrorHandler(previous);
    // Held by the server or not, it goes when the last one lets go.
    shmctl(made->segment_.shmid, IPC_RMID, nullptr);
    if (!attached || gRefused)
        return nullptr;
    made->attached_ = true;
    return made;
}

X11SharedImage::X11SharedImage(Display* display)
    : display_(display)
{
}

X11SharedImage::~X11SharedImage()
{
    if (attached_) {
        XShmDetach(display_, &segment_);
        XSync(display_, False);
    }
    if (segment_.shmaddr)
        shmdt(segment_.shmaddr);
    if (image_) {
        image_->data = nullptr; // the segment's, not X's to free
        XDestroyImage(image_);
    }
}

void X11SharedImage::put(Window window, GC gc, int left, int top, int width, int height)
{
    XShmPutImage(display_, window, gc, image_, left, top, left, top, static_cast<unsigned>(width),
        static_cast<unsigned>(height), False);
    beingRead_ = true;
}

void X11SharedImage::waitUntilRead()
{
    if (!beingRead_)
        return;
    XSync(display_, False);
    beingRead_ = false;
}
