#include "platform/picture/picture.h"

#include "platform/services/colour.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// An outline can reach half a device pixel past its geometry, rounded outward.
constexpr long long kOutlineMargin = 1;
constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325u;
constexpr std::uint64_t kFnvPrime = 0x100000001b3u;
constexpr int kBitsPerByte = 8;
constexpr int kRedShift = 16;

int clampedSide(double side)
{
    return static_cast<int>(std::clamp(side, 0.0, static_cast<double>(Picture::kLargestSide)));
}

int deviceSide(int logical, double ratio)
{
    return clampedSide(std::round(std::max(0, logical) * ratio));
}

InclusiveBox united(const InclusiveBox& a, const InclusiveBox& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

} // namespace

Picture::Picture(Colour background)
    : background_(pixelOf(background))
{
}

Picture::Picture(const FormDefinition& form)
    : Picture(resolveColour(form.settings.backColor))
{
}

PixelRows Picture::rows() const
{
    return {pixels_.data(), width_, width_, height_};
}

void Picture::settle() const
{
    long long covered = -1;
    for (auto disc = kept_.rbegin(); disc != kept_.rend(); ++disc) {
        drawDiscBeyond(rows(), keptX_, keptY_, disc->radius, covered, disc->outline, disc->inside);
        covered = disc->radius;
    }
    kept_.clear();
}

void Picture::resize(int logicalWidth, int logicalHeight, double devicePixelRatio)
{
    resize(logicalWidth, logicalHeight, devicePixelRatio, deviceSide(logicalWidth, devicePixelRatio),
        deviceSide(logicalHeight, devicePixelRatio));
}

void Picture::resize(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight)
{
    if (!(devicePixelRatio > 0 && std::isfinite(devicePixelRatio)) || deviceWidth <= 0 || deviceHeight <= 0)
        return;
    settle();
    const int width = clampedSide(deviceWidth);
    const int height = clampedSide(deviceHeight);
    // The device size the platform gives rules: where it is more than a
    // snapped edge off the logical size times the ratio (a browser's device
    // emulation may say one ratio and give another), the ratio is its own.
    const auto disagrees = [&](int device, int logical) { return std::abs(device - logical * devicePixelRatio) > 1; };
    if (logicalWidth > 0 && (disagrees(deviceWidth, logicalWidth) || disagrees(deviceHeight, logicalHeight)))
        devicePixelRatio = static_cast<double>(deviceWidth) / logicalWidth;
    if (logicalWidth == logicalWidth_ && logicalHeight == logicalHeight_ && devicePixelRatio == ratio_
        && width == width_ && height == height_)
        return;
    std::vector<Pixel> grown(static_cast<size_t>(width) * static_cast<size_t>(height), background_);
    // What was drawn stays at the same logical place: each new pixel takes the
    // old one its centre falls in, so that at the same density it is a copy.
    const double scale = devicePixelRatio / ratio_;
    const int keptWidth = std::min(width, static_cast<int>(std::lround(width_ * scale)));
    const int keptHeight = std::min(height, static_cast<int>(std::lround(height_ * scale)));
    for (int y = 0; y < keptHeight; ++y) {
        const int from = std::min(height_ - 1, static_cast<int>((y + 0.5) / scale));
        const Pixel* source = pixels_.data() + static_cast<size_t>(from) * static_cast<size_t>(width_);
        Pixel* target = grown.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        if (scale == 1) {
            std::copy(source, source + keptWidth, target);
            continue;
        }
        for (int x = 0; x < keptWidth; ++x)
            target[x] = source[std::min(width_ - 1, static_cast<int>((x + 0.5) / scale))];
    }
    pixels_ = std::move(grown);
    width_ = width;
    height_ = height;
    logicalWidth_ = std::max(0, logicalWidth);
    logicalHeight_ = std::max(0, logicalHeight);
    ratio_ = devicePixelRatio;
    changed_ = logicalWidth_ > 0 && logicalHeight_ > 0 ? InclusiveBox {0, 0, logicalWidth_ - 1LL, logicalHeight_ - 1LL}
                                                       : InclusiveBox {};
}

InclusiveBox Picture::changedArea(const InclusiveBox& device)
{
    if (device.empty())
        return {};
    const auto down = [&](long long v) { return static_cast<long long>(std::floor(static_cast<double>(v) / ratio_)); };
    const auto up = [&](long long v) { return static_cast<long long>(std::ceil(static_cast<double>(v) / ratio_)); };
    const InclusiveBox logical {std::max(0LL, down(device.left) - kOutlineMargin), std::max(0LL, down(device.top) - kOutlineMargin),
        std::min<long long>(logicalWidth_ - 1, up(device.right + 1) - 1 + kOutlineMargin),
        std::min<long long>(logicalHeight_ - 1, up(device.bottom + 1) - 1 + kOutlineMargin)};
    if (logical.empty())
        return {};
    changed_ = united(changed_, logical);
    return logical;
}

InclusiveBox Picture::drawCircle(double x, double y, double radius, Colour outline)
{
    const double cx = x * ratio_;
    const double cy = y * ratio_;
    const double r = radius * ratio_;
    // Written so that a centre that is not a number is not drawn either.
    const auto far = static_cast<double>(kFarthestDiscCentre);
    if (!(std::abs(cx) <= far && std::abs(cy) <= far))
        return {};
    const long long wholeRadius = r >= 1 ? std::llround(std::min(r, static_cast<double>(kLargestDiscRadius))) : 0;
    const long long x0 = std::llround(cx);
    const long long y0 = std::llround(cy);
    const InclusiveBox box = discBox(rows(), x0, y0, wholeRadius);
    if (box.empty())
        return {};
    if (x0 != keptX_ || y0 != keptY_)
        settle();
    while (!kept_.empty() && kept_.back().radius <= wholeRadius)
        kept_.pop_back();
    keptX_ = x0;
    keptY_ = y0;
    kept_.push_back({wholeRadius, pixelOf(outline), fill_});
    return changedArea(box);
}

InclusiveBox Picture::drawBox(double x1, double y1, double x2, double y2, Colour outline)
{
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2))
        return {};
    // Beyond the picture by a pixel is as far as a box needs to reach.
    const auto column = [&](double v) { return std::llround(std::clamp(v * ratio_, -1.0, static_cast<double>(width_))); };
    const auto row = [&](double v) { return std::llround(std::clamp(v * ratio_, -1.0, static_cast<double>(height_))); };
    const InclusiveBox box {std::min(column(x1), column(x2)), std::min(row(y1), row(y2)), std::max(column(x1), column(x2)),
        std::max(row(y1), row(y2))};
    const InclusiveBox clipped {std::max(0LL, box.left), std::max(0LL, box.top), std::min<long long>(box.right, width_ - 1),
        std::min<long long>(box.bottom, height_ - 1)};
    if (clipped.empty())
        return {};
    settle();
    const Pixel edge = pixelOf(outline);
    for (long long y = clipped.top; y <= clipped.bottom; ++y) {
        Pixel* line = pixels_.data() + y * width_;
        const bool edgeRow = y == box.top || y == box.bottom;
        std::fill(line + clipped.left, line + clipped.right + 1, edgeRow ? edge : fill_);
        if (box.left == clipped.left)
            line[box.left] = edge;
        if (box.right == clipped.right)
            line[box.right] = edge;
    }
    return changedArea(clipped);
}

InclusiveBox Picture::deviceBox(const InclusiveBox& logical) const
{
    const auto down = [&](long long v) { return static_cast<long long>(std::floor(static_cast<double>(v) * ratio_)); };
    const auto up = [&](long long v) { return static_cast<long long>(std::ceil(static_cast<double>(v) * ratio_)); };
    const InclusiveBox device {std::max(0LL, down(logical.left)), std::max(0LL, down(logical.top)),
        std::min<long long>(width_ - 1, up(logical.right + 1) - 1), std::min<long long>(height_ - 1, up(logical.bottom + 1) - 1)};
    return logical.empty() || device.empty() ? InclusiveBox {} : device;
}

InclusiveBox Picture::takeChanged()
{
    return std::exchange(changed_, {});
}

std::uint64_t Picture::hash() const
{
    settle();
    std::uint64_t hash = kFnvOffset;
    for (const Pixel pixel : pixels_) {
        for (int shift = kRedShift; shift >= 0; shift -= kBitsPerByte) {
            hash ^= (pixel >> shift) & 0xFFu;
            hash *= kFnvPrime;
        }
    }
    return hash;
}
