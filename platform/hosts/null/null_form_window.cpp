#include "platform/hosts/null/null_form_window.h"

void NullFormWindow::show()
{
    log_.emplace_back("show");
}

void NullFormWindow::showChanges(const InclusiveBox& box)
{
    log_.push_back("changes " + std::to_string(box.left) + " " + std::to_string(box.top) + " " + std::to_string(box.right)
        + " " + std::to_string(box.bottom));
}
