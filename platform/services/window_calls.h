#pragma once

#include "platform/services/form_operations.h"

#include <string>

// The window as the form's code calls it: properties and drawing methods that
// raise on failure, naming this window and the operation. Holds no state of its
// own beyond the name; the host behind it does the work.
class WindowCalls {
public:
    WindowCalls(WindowOperations& host, std::string name);

    Single ScaleWidth();
    Single ScaleHeight();
    void setFillColor(Colour colour);
    void Circle(Single x, Single y, Single radius, Colour colour);
    void LineBox(Single x1, Single y1, Single x2, Single y2, Colour colour);

private:
    WindowOperations& host_;
    std::string name_;
};
