#pragma once

#include "platform/form_definition.h"

#include <functional>
#include <string_view>
#include <vector>

// A rectangle in whole logical pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; } // one past the last column
    int bottom() const { return top + height; } // one past the last row
    bool operator==(const PixelRect&) const = default;
};

// The scale between twips and logical pixels, and a window's definition laid
// out in logical pixels once, so that every host places and sizes its parts
// alike. Twips are 1/1440 inch; at 96 logical dots per inch, 15 of them make
// one pixel. Sizes and positions round half away from zero.
class FormLayout {
public:
    struct Button {
        const ButtonDefinition* definition;
        PixelRect geometry;
    };

    explicit FormLayout(const FormDefinition& definition);

    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    // In the order of the definition.
    const std::vector<Button>& buttons() const { return buttons_; }
    // In tab order; of equal tab indexes, the one defined first comes first.
    const std::vector<const Button*>& buttonsInTabOrder() const { return tabOrder_; }

    // The largest pixel size of the font, from `largest` down to `smallest`,
    // in which every caption fits inside its button, leaving `inset` pixels on
    // each side; `measure` gives a caption's width and the font's height at a
    // pixel size. Where none fits, `smallest`.
    using Measure = std::function<std::pair<int, int>(int pixelSize, std::string_view caption)>;
    int captionPixelSize(int largest, int smallest, int inset, const Measure& measure) const;

    static double toPixels(Single twips);
    static int toWholePixels(Single twips);
    static Single toTwips(int pixels);

private:
    int clientWidth_;
    int clientHeight_;
    std::vector<Button> buttons_;
    std::vector<const Button*> tabOrder_;
};
