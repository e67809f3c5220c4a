#pragma once

#include "platform/form/pixel_geometry.h"
#include "platform/picture/picture.h"

#include <optional>

// How the picture's pixels (0xFFRRGGBB) become those of a true-colour visual
// of any depth (15, 16, 24 or 30 bits): each channel's eight bits cut to the
// width of the visual's mask for it, or repeated where the mask is wider, and
// shifted to its place. Where the visual's pixels are the picture's own (32
// bits, eight to a channel, red above green above blue), the picture's
// memory is put as it is and nothing is converted.
class X11VisualFormat {
public:
    // The format of a visual with these masks; nothing where it is not true
    // colour (or says no mask).
    static std::optional<X11VisualFormat> of(bool trueColour, unsigned long redMask, unsigned long greenMask,
        unsigned long blueMask, int bitsPerPixel);

    // Whether the picture's memory is already in the visual's format.
    bool asThePicture() const { return asThePicture_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    // One picture pixel as the visual's.
    unsigned long pixel(Picture::Pixel pixel) const;
    // The box of the picture (device pixels) as rows of the visual's pixels,
    // bytesPerLine apart, from `at` on (where the box's top left goes).
    void write(const Picture& picture, const InclusiveBox& box, char* at, int bytesPerLine) const;

private:
    struct Channel {
        int shift;
        int bits;
        unsigned long from(unsigned eightBits) const;
    };
    X11VisualFormat(Channel red, Channel green, Channel blue, int bitsPerPixel, bool asThePicture);

    Channel red_;
    Channel green_;
    Channel blue_;
    int bitsPerPixel_;
    bool asThePicture_;
};
