#include "platform/hosts/win32/win32_saver_host.h"

#include "platform/hosts/win32/win32_message_loop.h"
#include "platform/hosts/win32/win32_text.h"

Win32SaverHost::Win32SaverHost(const ProjectDescription& project, HWND parent, std::chrono::seconds changeEvery,
    const FormRunner::Decorator& decorate)
    : picture_(*project.startupForm)
    , window_(picture_, clock_, parent, toWide(project.name))
    , saver_(project, picture_, {window_, errors_, clock_}, changeEvery, decorate)
{
    window_.onResized([this](int width, int height, double ratio, int deviceWidth, int deviceHeight) {
        saver_.runner().resize(width, height, ratio, deviceWidth, deviceHeight);
    });
    window_.onPacingChanged([this] { saver_.runner().pacingChanged(); });
    window_.onEscaped([this](std::exception_ptr thrown) { saver_.runner().escaped(thrown); });
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
