#include "platform/form/form_layout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPixel = kTwipsPerInch / FormLayout::kLogicalDpi;
// Far beyond any screen, and still far inside an int.
constexpr double kFarthestPixel = 1 << 30;

} // namespace

FormLayout::FormLayout(const FormDefinition& definition)
    : clientWidth_(toWholePixels(definition.settings.clientWidth))
    , clientHeight_(toWholePixels(definition.settings.clientHeight))
{
    for (const ButtonDefinition& b : definition.buttons) {
        buttons_.push_back({&b, {toWholePixels(b.left), toWholePixels(b.top), toWholePixels(b.width), toWholePixels(b.height)}});
    }
    for (const Button& b : buttons_)
        tabOrder_.push_back(&b);
    std::stable_sort(tabOrder_.begin(), tabOrder_.end(),
        [](const Button* a, const Button* b) { return a->definition->tabIndex < b->definition->tabIndex; });
}

int FormLayout::captionPixelSize(const Measure& measure) const
{
    for (int pixels = kLargestCaptionPixels; pixels > kSmallestCaptionPixels; --pixels) {
        const bool fits = std::all_of(buttons_.begin(), buttons_.end(), [&](const Button& b) {
            const auto [width, height] = measure(pixels, b.definition->caption);
            return width <= b.geometry.width - 2 * kCaptionInset && height <= b.geometry.height - kCaptionInset;
        });
        if (fits)
            return pixels;
    }
    return kSmallestCaptionPixels;
}

double FormLayout::toPixels(Single twips)
{
    return twips / kTwipsPerPixel;
}

int FormLayout::toWholePixels(Single twips)
{
    return static_cast<int>(std::lround(std::clamp(toPixels(twips), -kFarthestPixel, kFarthestPixel)));
}

Single FormLayout::toTwips(int pixels)
{
    return static_cast<Single>(pixels * kTwipsPerPixel);
}
