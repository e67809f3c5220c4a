#pragma once

#include "platform/form/form_definition.h"
#include "platform/form/pixel_geometry.h"

#include <functional>
#include <string_view>
#include <vector>

// The scale between twips and logical pixels, and a window's definition laid
// out in logical pixels once, so that every host places and sizes its parts
// alike. Twips are 1/1440 inch; at 96 logical dots per inch, 15 of them make
// one pixel. Sizes and positions round half away from zero.
class FormLayout {
public:
    struct Button {
        const ButtonDefinition* definition;
        HalfOpenRect geometry;
    };

    explicit FormLayout(const FormDefinition& definition);

    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    // In the order of the definition.
    const std::vector<Button>& buttons() const { return buttons_; }
    // In tab order; of equal tab indexes, the one defined first comes first.
    const std::vector<const Button*>& buttonsInTabOrder() const { return tabOrder_; }

    // The largest pixel size of the caption font, from kLargestCaptionPixels
    // down to kSmallestCaptionPixels, in which every caption fits inside its
    // button: kCaptionInset pixels from its left and from its right, and its
    // line within the height less kCaptionInset once; where none fits, the
    // smallest. `measure` gives a caption's width and the font's line height
    // (ascent and descent) at a pixel size, so that every host picks alike.
    using Measure = std::function<std::pair<int, int>(int pixelSize, std::string_view caption)>;
    int captionPixelSize(const Measure& measure) const;

    static constexpr int kLargestCaptionPixels = 13;
    static constexpr int kSmallestCaptionPixels = 6;
    static constexpr int kCaptionInset = 2;

    // The density at which a logical pixel is a device pixel.
    static constexpr int kLogicalDpi = 96;

    static double toPixels(Single twips);
    static int toWholePixels(Single twips);
    static Single toTwips(int pixels);

private:
    int clientWidth_;
    int clientHeight_;
    std::vector<Button> buttons_;
    std::vector<const Button*> tabOrder_;
};
