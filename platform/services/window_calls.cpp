#include "platform/services/window_calls.h"

#include "platform/services/raised_error.h"

WindowCalls::WindowCalls(WindowOperations& host, std::string name)
    : host_(host)
    , name_(std::move(name))
{
}

Single WindowCalls::ScaleWidth()
{
    Single width = 0;
    raiseOnFailure(host_.getScaleWidth(width), name_, "ScaleWidth");
    return width;
}

Single WindowCalls::ScaleHeight()
{
    Single height = 0;
    raiseOnFailure(host_.getScaleHeight(height), name_, "ScaleHeight");
    return height;
}

void WindowCalls::setFillColor(Colour colour)
{
    raiseOnFailure(host_.setFillColor(colour), name_, "FillColor");
}

void WindowCalls::Circle(Single x, Single y, Single radius, Colour colour)
{
    raiseOnFailure(host_.circle(x, y, radius, colour), name_, "Circle");
}

void WindowCalls::LineBox(Single x1, Single y1, Single x2, Single y2, Colour colour)
{
    raiseOnFailure(host_.lineBox(x1, y1, x2, y2, colour), name_, "Line");
}
