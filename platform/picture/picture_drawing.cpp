#include "platform/picture/picture_drawing.h"

#include "platform/services/colour.h"
#include "platform/form/form_layout.h"

PictureDrawing::PictureDrawing(Picture& picture)
    : picture_(picture)
{
}

ErrorNumber PictureDrawing::getScaleWidth(Single& width)
{
    width = FormLayout::toTwips(picture_.logicalWidth());
    return ErrorNumber::None;
}

ErrorNumber PictureDrawing::getScaleHeight(Single& height)
{
    height = FormLayout::toTwips(picture_.logicalHeight());
    return ErrorNumber::None;
}

ErrorNumber PictureDrawing::setFillColor(Colour colour)
{
    picture_.setFillColor(resolveColour(colour));
    return ErrorNumber::None;
}

ErrorNumber PictureDrawing::circle(Single x, Single y, Single radius, Colour colour)
{
    picture_.drawCircle(FormLayout::toPixels(x), FormLayout::toPixels(y), FormLayout::toPixels(radius), resolveColour(colour));
    return ErrorNumber::None;
}

ErrorNumber PictureDrawing::lineBox(Single x1, Single y1, Single x2, Single y2, Colour colour)
{
    picture_.drawBox(FormLayout::toPixels(x1), FormLayout::toPixels(y1), FormLayout::toPixels(x2), FormLayout::toPixels(y2),
        resolveColour(colour));
    return ErrorNumber::None;
}
