#include "platform/hosts/win32/win32_saver_host.h"

#include "platform/hosts/win32/win32_message_loop.h"
#include "platform/services/raised_error.h"

Win32SaverHost::Win32SaverHost(const ProjectDescription& project, HWND parent, std::chrono::seconds changeEvery,
    const FormRunner::Decorator& decorate)
    : picture_(*project.startupForm)
    , window_(picture_, clock_, parent)
    , saver_(project, picture_, {window_, errors_, clock_}, changeEvery, decorate)
{
    window_.onResized([this](int width, int height, double ratio, int deviceWidth, int deviceHeight) {
        saver_.runner().resize(width, height, ratio, deviceWidth, deviceHeight);
    });
    window_.onPacingChanged([this] { saver_.runner().pacingChanged(); });
    // Nobody sees an error over a screen saver: it is counted, and the rings go on.
    window_.onEscaped([this](std::exception_ptr) noexcept {
        try {
            errors_.report(RaisedError::unexpected("an exception in a window procedure"));
        } catch (...) {
        }
    });
    window_.sized();
}

int Win32SaverHost::run()
{
    saver_.start();
    return win32MessageLoop(window_.alarm(), [this](bool rang) {
        ++wakeUps_;
        if (rang)
            saver_.wake();
    });
}
