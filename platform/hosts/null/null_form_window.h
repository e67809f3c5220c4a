#pragma once

#include "platform/form/form_layout.h"
#include "platform/hosts/null/null_window.h"

#include <string_view>
#include <vector>

// The null host's form window: its window with the form's buttons on top.
// Here a new host creates each button, from FormLayout's place, caption and
// face, in tab order.
class NullFormWindow final : public NullWindow {
public:
    NullFormWindow(const FormLayout& layout, const Picture& picture);

    // A click on the named button; there being no such button, nothing.
    InputAnswer buttonClicked(std::string_view name);

private:
    std::vector<std::string_view> buttons_;
};
