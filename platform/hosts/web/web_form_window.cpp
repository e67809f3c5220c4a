#include "platform/hosts/web/web_form_window.h"

#include "platform/form/form_look.h"
#include "platform/services/colour.h"

#include <emscripten.h>

#include <string>

// The page's side of each call lives in the shell, as Module.page.
EM_JS(void, pageAddButton,
    (const char* name, const char* caption, int left, int top, int width, int height, unsigned face, unsigned pressed),
    { Module.page.addButton(UTF8ToString(name), UTF8ToString(caption), left, top, width, height, face, pressed); });
EM_JS(int, pageCaptionWidth, (int pixelSize, const char* caption),
    { return Module.page.captionWidth(pixelSize, UTF8ToString(caption)); });
EM_JS(int, pageCaptionHeight, (int pixelSize), { return Module.page.captionHeight(pixelSize); });
EM_JS(void, pageSetCaptionSize, (int pixelSize), { Module.page.setCaptionSize(pixelSize); });

WebFormWindow::WebFormWindow(const FormDefinition& definition, const Picture& picture, const BrowserClock& clock)
    : WebWindow(picture, clock)
    , layout_(definition)
{
    const int captionPixels = layout_.captionPixelSize([](int size, std::string_view caption) {
        return std::pair(pageCaptionWidth(size, std::string(caption).c_str()), pageCaptionHeight(size));
    });
    pageSetCaptionSize(captionPixels);
    // In tab order, which is also the order a screen reader reads them in.
    for (const FormLayout::Button* b : layout_.buttonsInTabOrder()) {
        const ButtonDefinition& button = *b->definition;
        const Colour face = resolveColour(button.backColor);
        pageAddButton(std::string(button.name).c_str(), std::string(button.caption).c_str(), b->geometry.left,
            b->geometry.top, b->geometry.width, b->geometry.height, face, FormLook::pressedFace(face));
    }
}

void WebFormWindow::areaSized(int, int, double devicePixelRatio, int deviceWidth, int deviceHeight)
{
    WebWindow::areaSized(layout_.clientWidth(), layout_.clientHeight(), devicePixelRatio, deviceWidth, deviceHeight);
}
