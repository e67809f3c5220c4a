#pragma once

#include "platform/form/form_definition.h"
#include "platform/form/form_layout.h"
#include "platform/hosts/web/web_window.h"

// The page's form window: its window with the buttons as <button> elements at
// their place, in tab order, in the look of FormLook. The area keeps the
// form's logical size whatever CSS size the page measures.
class WebFormWindow final : public WebWindow {
public:
    WebFormWindow(const FormDefinition& definition, const Picture& picture, const BrowserClock& clock);

    void areaSized(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight) override;

private:
    FormLayout layout_;
};
