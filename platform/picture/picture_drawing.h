#pragma once

#include "platform/services/form_operations.h"
#include "platform/picture/picture.h"

// The window's drawing operations in twips, carried out on a Picture: its
// scale is the picture's logical size, and system colours are resolved in the
// standard scheme. Every host's window draws through it, so that the same
// calls give the same pixels everywhere. It never fails.
class PictureDrawing final : public WindowOperations {
public:
    explicit PictureDrawing(Picture& picture);

    ErrorNumber getScaleWidth(Single& width) override;
    ErrorNumber getScaleHeight(Single& height) override;
    ErrorNumber setFillColor(Colour colour) override;
    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override;
    ErrorNumber lineBox(Single x1, Single y1, Single x2, Single y2, Colour colour) override;

private:
    Picture& picture_;
};
