#include "platform/hosts/x11/x11_visual_format.h"

#include <bit>
#include <cstdint>
#include <cstddef>
#include <cstring>

namespace {

constexpr int kBitsPerChannel = 8;
constexpr unsigned kChannelMask = 0xFFu;
constexpr int kRedShift = 16;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 0;
constexpr int kPictureBitsPerPixel = 32;
constexpr int kShortPixel = 16;

} // namespace

std::optional<X11VisualFormat> X11VisualFormat::of(bool trueColour, unsigned long redMask, unsigned long greenMask,
    unsigned long blueMask, int bitsPerPixel)
{
    if (!trueColour || !redMask || !greenMask || !blueMask)
        return std::nullopt;
    const auto channel = [](unsigned long mask) {
        return Channel {std::countr_zero(mask), std::popcount(mask)};
    };
    const Channel red = channel(redMask);
    const Channel green = channel(greenMask);
    const Channel blue = channel(blueMask);
    const auto eightAt = [](const Channel& c, int shift) { return c.bits == kBitsPerChannel && c.shift == shift; };
    const bool same = bitsPerPixel == kPictureBitsPerPixel && eightAt(red, kRedShift) && eightAt(green, kGreenShift)
        && eightAt(blue, kBlueShift);
    return X11VisualFormat(red, green, blue, bitsPerPixel, same);
}

X11VisualFormat::X11VisualFormat(Channel red, Channel green, Channel blue, int bitsPerPixel, bool asThePicture)
    : red_(red)
    , green_(green)
    , blue_(blue)
    , bitsPerPixel_(bitsPerPixel)
    , asThePicture_(asThePicture)
{
}

unsigned long X11VisualFormat::Channel::from(unsigned eightBits) const
{
    unsigned long value = eightBits;
    if (bits <= kBitsPerChannel) {
        value >>= kBitsPerChannel - bits;
    } else {
        // Full scale stays full scale: the high bits again below.
        int filled = kBitsPerChannel;
        while (filled < bits) {
            value = (value << kBitsPerChannel) | eightBits;
            filled += kBitsPerChannel;
        }
        value >>= filled - bits;
    }
    return value << shift;
}

unsigned long X11VisualFormat::pixel(Picture::Pixel pixel) const
{
    return red_.from((pixel >> kRedShift) & kChannelMask) | green_.from((pixel >> kGreenShift) & kChannelMask)
        | blue_.from((pixel >> kBlueShift) & kChannelMask);
}

void X11VisualFormat::write(const Picture& picture, const InclusiveBox& box, char* at, int bytesPerLine) const
{
    const int width = static_cast<int>(box.right - box.left + 1);
    const int height = static_cast<int>(box.bottom - box.top + 1);
    const int bytesPerPixel = bitsPerPixel_ / kBitsPerChannel;
    for (int y = 0; y < height; ++y) {
        const Picture::Pixel* from
            = picture.pixels() + static_cast<size_t>(box.top + y) * static_cast<size_t>(picture.width()) + box.left;
        char* to = at + static_cast<std::ptrdiff_t>(y) * bytesPerLine;
        if (asThePicture_) {
            std::memcpy(to, from, static_cast<size_t>(width) * sizeof(Picture::Pixel));
            continue;
        }
        for (int x = 0; x < width; ++x) {
            // In the machine's own byte order, which the image says it has.
            if (bitsPerPixel_ == kShortPixel) {
                const auto value = static_cast<std::uint16_t>(pixel(from[x]));
                std::memcpy(to + x * bytesPerPixel, &value, sizeof value);
            } else {
                const auto value = static_cast<std::uint32_t>(pixel(from[x]));
                std::memcpy(to + x * bytesPerPixel, &value, sizeof value);
            }
        }
    }
}
