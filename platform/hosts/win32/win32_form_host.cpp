#include "platform/hosts/win32/win32_form_host.h"

#include "platform/hosts/win32/win32_message_loop.h"
#include "platform/hosts/win32/win32_text.h"

Win32FormHost::Win32FormHost(const ProjectDescription& project, HostProbe* probe)
    : picture_(*project.startupForm)
    , window_(*project.startupForm, picture_, clock_)
    , errors_(window_.handle(), toWide(project.name))
    , runner_(project, picture_, {window_, errors_, clock_, probe})
    , probe_(probe)
{
    window_.reportTo(runner_);
    window_.onModalAlarm([this] { wake(); });
    errors_.onModalLoop([this](bool entered) { window_.modalLoop(entered); });
    window_.sized();
}

void Win32FormHost::wake()
{
    if (probe_)
        probe_->wokeUp();
    runner_.wake();
}

int Win32FormHost::run()
{
    runner_.start();
    return win32MessageLoop(
        window_.alarm(),
        [this](bool rang) {
            if (rang)
                wake();
            else if (probe_)
                probe_->wokeUp();
        },
        [this](MSG& message) { return errors_.isDialogMessage(&message) || IsDialogMessageW(window_.handle(), &message); });
}
