#include "platform/hosts/web/web_error_display.h"

#include <emscripten.h>

EM_JS(void, pageShowError, (const char* text), { Module.page.showError(UTF8ToString(text)); });

void WebErrorDisplay::showError(const std::string& text)
{
    pageShowError(text.c_str());
}
