#include "platform/form/runtime.h"

#include "platform/hosts/win32/win32_form_host.h"

#ifdef TESSARY_BENCH_BUILD
#include "platform/runner/ring_counting_window.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The bench's build counts the rings on their way to the picture; at the end
// it writes them, the message loop's wake-ups and the picture itself to the
// file named by TESSARY_BENCH_OUT, since Wine's own traffic with its server
// hides the wake-ups from outside.
RingCountingWindow* gCounter = nullptr;

void writeCounts(const Win32FormHost& host, double seconds)
{
    const char* path = std::getenv("TESSARY_BENCH_OUT");
    std::FILE* out = path ? std::fopen(path, "wb") : nullptr;
    if (!out)
        return;
    const Picture& picture = host.picture();
    std::fprintf(out, "seconds %.3f\nrings %ld\nwakeups %ld\npicture %d %d\n", seconds, gCounter ? gCounter->rings() : 0L, host.wakeUps(),
        picture.width(), picture.height());
    std::fwrite(picture.pixels(), sizeof(Picture::Pixel), static_cast<size_t>(picture.width()) * picture.height(), out);
    std::fclose(out);
}

} // namespace

int RunProject(const ProjectDescription& project)
{
    const auto started = std::chrono::steady_clock::now();
    Win32FormHost host(project, RingCountingWindow::into(gCounter));
    const int status = host.run();
    writeCounts(host, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    return status;
}

#else

int RunProject(const ProjectDescription& project)
{
    Win32FormHost host(project);
    return host.run();
}

#endif
