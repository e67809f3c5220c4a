#include "platform/hosts/x11/x11_saver_arguments.h"

#include <gtest/gtest.h>

#include <vector>

// The XScreenSaver module's command lines, and those it refuses with a reason.
namespace {

using Target = X11SaverArguments::Target;
using std::chrono::seconds;

struct Line {
    std::vector<std::string_view> arguments;
    // What is read, where nothing is refused.
    Target target;
    unsigned long window;
    seconds changeEvery;
    bool refused;
};

class X11SaverArgumentsTest : public testing::TestWithParam<Line> {};

TEST_P(X11SaverArgumentsTest, ReadsWhatXScreenSaverPasses)
{
    const Line& line = GetParam();
    const X11SaverArguments read = X11SaverArguments::read(line.arguments);
    ASSERT_EQ(read.refused.has_value(), line.refused) << read.refused.value_or("");
    if (line.refused)
        return;
    EXPECT_EQ(read.target, line.target);
    EXPECT_EQ(read.window, line.window);
    EXPECT_EQ(read.changeEvery, line.changeEvery);
}

INSTANTIATE_TEST_SUITE_P(Lines, X11SaverArgumentsTest,
    testing::Values(Line {{"--root"}, Target::Root, 0, seconds(5), false},
        Line {{"-root", "-change-every", "12"}, Target::Root, 0, seconds(12), false},
        Line {{"--window-id", "0x2a00007"}, Target::WindowId, 0x2a00007, seconds(5), false},
        Line {{"--window-id", "44040199", "--change-every", "60"}, Target::WindowId, 44040199, seconds(60), false},
        // A period out of range is brought within it, as the slider's ends.
        Line {{"--root", "--change-every", "0"}, Target::Root, 0, seconds(1), false},
        Line {{"--root", "--change-every", "99999999999"}, Target::Root, 0, seconds(60), false},
        // No window named (it never opens its own), an unknown option, a
        // value missing, a window id that is no number or is 0.
        Line {{}, Target::Root, 0, seconds(5), true}, Line {{"--change-every", "5"}, Target::Root, 0, seconds(5), true},
        Line {{"--root", "--fps"}, Target::Root, 0, seconds(5), true}, Line {{"--window-id"}, Target::Root, 0, seconds(5), true},
        Line {{"--window-id", "0x"}, Target::Root, 0, seconds(5), true},
        Line {{"--window-id", "12z"}, Target::Root, 0, seconds(5), true},
        Line {{"--window-id", "0"}, Target::Root, 0, seconds(5), true},
        Line {{"--root", "--change-every", "five"}, Target::Root, 0, seconds(5), true},
        Line {{"root"}, Target::Root, 0, seconds(5), true}));

} // namespace
