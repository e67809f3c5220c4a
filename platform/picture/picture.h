#pragma once

#include "platform/form/form_definition.h"
#include "platform/picture/disc_raster.h"
#include "platform/services/scalar_types.h"

#include <cstdint>
#include <vector>

// The persistent picture of a window's client area, in the screen's device
// pixels: rows of 32-bit pixels (0xFFRRGGBB) that it owns, so that a host can
// show them as they are. Shapes are drawn into it at once, on whole device
// pixels, and it keeps the box of what changed since the host last took it.
// Coordinates and boxes are in logical pixels. It never touches a screen and
// knows nothing of twips: PictureDrawing puts it behind the form's code.
// Circles around one centre are kept until the picture is next read (or
// anything else is drawn), then drawn from the last back, each only where no
// later one reached: the same pixels as drawing each at once, each written
// once however many rings a frame brings.
class Picture {
public:
    using Pixel = std::uint32_t;

    // Larger than any screen shows, and small enough that a picture of it
    // still fits in memory.
    static constexpr int kLargestSide = 16384;

    // background and every colour below are plain 0x00BBGGRR patterns.
    explicit Picture(Colour background);
    // The picture of a form's client area, in the form's background colour.
    explicit Picture(const FormDefinition& form);

    // Keeps what was drawn at the same logical place, at the new density; a
    // part that is new is the background. Each side of the device size is
    // clamped to kLargestSide. Any change marks the whole picture changed,
    // since no screen still shows it as it was. A ratio that is not a finite
    // number above zero is refused: the picture stays as it is.
    void resize(int logicalWidth, int logicalHeight, double devicePixelRatio);
    // The same at the device size the platform gives the area, which may be a
    // pixel off the logical size times the ratio where it snaps a box's edges
    // to device pixels, as browsers do. Where it is further off, it rules: the
    // ratio becomes its width over the logical width. Each side is clamped to
    // kLargestSide; a side of 0 or less (an area taken out of the layout) is
    // refused as a bad ratio is, and the picture stays as it is.
    void resize(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight);

    void setFillColor(Colour colour) { fill_ = pixelOf(colour); }

    // A circle with a one-device-pixel outline and a solid interior in the fill
    // colour, its centre and radius on whole device pixels. A radius under one
    // device pixel leaves a single dot. Returns the logical box it changed.
    InclusiveBox drawCircle(double x, double y, double radius, Colour outline);
    // A box between two corners, outline and interior, clipped to the picture.
    InclusiveBox drawBox(double x1, double y1, double x2, double y2, Colour outline);

    // The logical box of everything changed since the last call; empty when
    // nothing was.
    InclusiveBox takeChanged();
    // The device pixels a logical box covers, within the picture.
    InclusiveBox deviceBox(const InclusiveBox& logical) const;

    int width() const { return width_; }
    int height() const { return height_; }
    int logicalWidth() const { return logicalWidth_; }
    int logicalHeight() const { return logicalHeight_; }
    double devicePixelRatio() const { return ratio_; }
    const Pixel* pixels() const
    {
        settle();
        return pixels_.data();
    }
    Pixel pixel(int x, int y) const { return pixels()[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)]; }

    // FNV-1a, 64 bits, over each pixel's red, green and blue bytes, row by row
    // from the top left: the same picture hashes alike on every host.
    std::uint64_t hash() const;

    static constexpr Pixel pixelOf(Colour plain)
    {
        return 0xFF000000u | ((plain & 0xFFu) << 16) | (plain & 0xFF00u) | ((plain >> 16) & 0xFFu);
    }

private:
    // A circle kept to be drawn, around the kept centre.
    struct KeptDisc {
        long long radius;
        Pixel outline;
        Pixel inside;
    };

    PixelRows rows() const;
    InclusiveBox changedArea(const InclusiveBox& device);
    // Draws the circles kept. The picture reads the same before and after:
    // it only comes due, hence const.
    void settle() const;

    Pixel background_;
    Pixel fill_ = pixelOf(0);
    mutable std::vector<Pixel> pixels_;
    // Each smaller than every one before it: a later one at least as large
    // covers an earlier one whole.
    mutable std::vector<KeptDisc> kept_;
    long long keptX_ = 0;
    long long keptY_ = 0;
    int width_ = 0;
    int height_ = 0;
    int logicalWidth_ = 0;
    int logicalHeight_ = 0;
    double ratio_ = 1;
    InclusiveBox changed_;
};
