#include "platform/form/form_layout.h"
#include "window/frmtessary.h"

#include <gtest/gtest.h>

// The one rule every host sizes its captions by, fed the metrics a host
// would measure. The window's buttons are 41 by 17 pixels; the widest
// caption has six letters.
namespace {

struct CaptionCase {
    const char* name;
    FormLayout::Measure measure;
    int pixels;
};

const CaptionCase kCaptionCases[] = {
    {"EverythingFitsAtTheLargest", [](int, std::string_view) { return std::pair(1, 1); }, 13},
    {"TheLineHeightBindsLeavingTheInsetBelow", [](int size, std::string_view) { return std::pair(1, size + 3); }, 12},
    {"TheWidestCaptionBindsLeavingTheInsetEachSide",
        [](int size, std::string_view caption) { return std::pair(static_cast<int>(caption.size()) * size / 2, size); }, 12},
    {"NothingFitsSoTheSmallest", [](int, std::string_view) { return std::pair(100, 100); }, 6},
};

class CaptionSizeTest : public testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionSizeTest, LargestThatFitsEveryButton)
{
    EXPECT_EQ(FormLayout(frmtessary).captionPixelSize(GetParam().measure), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(FormLayout, CaptionSizeTest, testing::ValuesIn(kCaptionCases),
    [](const testing::TestParamInfo<CaptionCase>& info) { return std::string(info.param.name); });

} // namespace
