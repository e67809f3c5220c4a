#include "platform/hosts/null/null_form_window.h"

#include <algorithm>

NullFormWindow::NullFormWindow(const FormLayout& layout, const Picture& picture)
    : NullWindow(picture, layout.clientWidth(), layout.clientHeight())
{
    for (const FormLayout::Button* button : layout.buttonsInTabOrder())
        buttons_.push_back(button->definition->name);
}

InputAnswer NullFormWindow::buttonClicked(std::string_view name)
{
    if (!runner() || std::find(buttons_.begin(), buttons_.end(), name) == buttons_.end())
        return InputAnswer::PassedOn;
    return runner()->click(name);
}
