#include "platform/hosts/web/web_saver_host.h"

#include "platform/form/form_layout.h"
#include "platform/form/form_look.h"
#include "platform/services/colour.h"

#include <emscripten.h>

EM_JS(void, pageOfferSaver, (unsigned face, unsigned pressed), { Module.page.offerSaver(face, pressed); });

namespace {

// The face of the form's first button, which the start button takes.
Colour startFace(const FormDefinition& form)
{
    const FormLayout layout(form);
    const std::vector<const FormLayout::Button*>& buttons = layout.buttonsInTabOrder();
    return buttons.empty() ? FormLook::kCaption : resolveColour(buttons.front()->definition->backColor);
}

} // namespace

WebSaverHost::WebSaverHost(const ProjectDescription& project)
    : startFace_(startFace(*project.startupForm))
    , picture_(*project.startupForm)
    , window_(picture_, clock_)
    , saver_(project, picture_, {window_, errors_, clock_}, SaverRunner::kDefaultChange)
{
    window_.reportTo(saver_);
}

int WebSaverHost::run()
{
    window_.startWhenSized();
    pageOfferSaver(startFace_, FormLook::pressedFace(startFace_));
    return 0;
}
