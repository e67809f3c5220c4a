#include "platform/hosts/win32/win32_form_host.h"

#include "platform/hosts/win32/win32_message_loop.h"
#include "platform/hosts/win32/win32_text.h"

Win32FormHost::Win32FormHost(const ProjectDescription& project, const FormRunner::Decorator& decorate)
    : picture_(*project.startupForm)
    , window_(*project.startupForm, picture_, clock_)
    , errors_(window_.handle(), toWide(project.name))
    , runner_(project, picture_, {window_, errors_, clock_}, decorate)
{
    window_.onButtonClicked([this](std::string_view name) { runner_.click(name); });
    window_.onAreaClicked([this] { runner_.clickArea(); });
    window_.onResized([this](int width, int height, double ratio) { runner_.resize(width, height, ratio); });
    window_.onPacingChanged([this] { runner_.pacingChanged(); });
    window_.onModalAlarm([this] { wake(); });
    window_.onEscaped([this](std::exception_ptr thrown) { runner_.escaped(thrown); });
    errors_.onModalLoop([this](bool entered) { window_.modalLoop(entered); });
    window_.sized();
}

void Win32FormHost::wake()
{
    ++wakeUps_;
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
            else
                ++wakeUps_;
        },
        [this](MSG& message) { return errors_.isDialogMessage(&message) || IsDialogMessageW(window_.handle(), &message); });
}
