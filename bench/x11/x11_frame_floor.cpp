// tessary-x11-frame-floor: the least an XScreenSaver module doing Tessary's
// job could spend. Full screen on the root window, it draws the same rings
// (a thousand a second, around a centre that moves with a new colour every
// five seconds, each as large as the centre is deep) into memory with the
// same picture code, and once a frame puts the changed box on the screen
// through shared memory, making sure first that the server has read the last
// one, as the module does.
// No host, no runner, no error handling, no fallback. On SIGTERM it writes
// the seconds it ran, the rings, its wake-ups and its processor time, as
// tessary-xscreensaver-bench does.
#include "bench/x11/processor_seconds.h"
#include "platform/picture/picture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>

namespace {

constexpr long kNanosecondsPerSecond = 1'000'000'000;
constexpr long kFrame = kNanosecondsPerSecond / 60;
constexpr long kTick = kNanosecondsPerSecond / 1000;
constexpr long kChangeEvery = 5 * kNanosecondsPerSecond;
constexpr double kRadiusPerDepth = 0.5;
constexpr double kRadiusAtTopInPixels = 1.0 / 15;

volatile std::sig_atomic_t gEnding = 0;

long long now()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * kNanosecondsPerSecond + t.tv_nsec;
}


} // namespace

int main()
{
    std::signal(SIGTERM, [](int) { gEnding = 1; });
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes {};
    XGetWindowAttributes(display, root, &attributes);
    const int width = attributes.width;
    const int height = attributes.height;
    XShmSegmentInfo segment {};
    XImage* image = XShmCreateImage(display, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, nullptr,
        &segment, static_cast<unsigned>(width), static_cast<unsigned>(height));
    segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height), IPC_CREAT | 0600);
    segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    segment.readOnly = True;
    XShmAttach(display, &segment);
    XSync(display, False);
    shmctl(segment.shmid, IPC_RMID, nullptr);
    const GC gc = XCreateGC(display, root, 0, nullptr);

    Picture picture(0);
    picture.resize(width, height, 1);
    std::mt19937 random(1);
    std::uniform_real_distribution<double> unit(0, 1);
    double cx = 0, cy = 0;
    Colour colour = 0;
    const long long started = now();
    long long nextChange = started, nextTick = started, nextFrame = started;
    long rings = 0, wakeUps = 0;
    bool beingRead = false;
    while (!gEnding) {
        const timespec at {static_cast<time_t>(nextFrame / kNanosecondsPerSecond), static_cast<long>(nextFrame % kNanosecondsPerSecond)};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
        ++wakeUps;
        const long long frameAt = now();
        for (; nextTick <= frameAt; nextTick += kTick, ++rings) {
            if (nextTick >= nextChange) {
                cx = unit(random) * width;
                cy = unit(random) * height;
                colour = static_cast<Colour>(random() & 0xFFFFFF);
                nextChange += kChangeEvery;
            }
            picture.drawCircle(cx, cy, (cy * kRadiusPerDepth + kRadiusAtTopInPixels) * unit(random), colour);
        }
        nextFrame += kFrame;
        const InclusiveBox box = picture.deviceBox(picture.takeChanged());
        if (box.empty())
            continue;
        if (beingRead)
            XSync(display, False);
        for (long long y = box.top; y <= box.bottom; ++y)
            std::memcpy(image->data + y * image->bytes_per_line + box.left * 4, picture.pixels() + y * width + box.left,
                static_cast<size_t>(box.right - box.left + 1) * sizeof(Picture::Pixel));
        XShmPutImage(display, root, gc, image, static_cast<int>(box.left), static_cast<int>(box.top), static_cast<int>(box.left),
            static_cast<int>(box.top), static_cast<unsigned>(box.right - box.left + 1), static_cast<unsigned>(box.bottom - box.top + 1),
            False);
        XFlush(display);
        beingRead = true;
    }
    std::printf("seconds %.3f\nrings %ld\nwakeups %ld\nprocessor %.3f\npicture %d %d\n",
        static_cast<double>(now() - started) / kNanosecondsPerSecond, rings, wakeUps, processorSeconds(), width, height);
    return 0;
}
