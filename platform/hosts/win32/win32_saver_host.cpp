#include "platform/hosts/win32/win32_saver_host.h"

#include "platform/hosts/win32/win32_message_loop.h"
#include "platform/hosts/win32/win32_text.h"

Win32SaverHost::Win32SaverHost(const ProjectDescription& project, HWND parent, std::chrono::seconds changeEvery, HostProbe* probe)
    : picture_(*project.startupForm)
    , window_(picture_, clock_, parent, toWide(project.name))
    , saver_(project, picture_, {window_, errors_, clock_, probe}, changeEvery)
    , probe_(probe)
{
    window_.reportTo(saver_);
    window_.sized();
}

int Win32SaverHost::run()
{
    saver_.start();
    return win32MessageLoop(window_.alarm(), [this](bool rang) {
        if (probe_)
            probe_->wokeUp();
        if (rang)
            saver_.wake();
    });
}
