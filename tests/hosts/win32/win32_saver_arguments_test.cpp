#include "platform/hosts/win32/win32_saver_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The forms Windows passes a screen saver, and those it must refuse.
namespace {

using Mode = Win32SaverArguments::Mode;

struct Form {
    std::vector<std::string_view> arguments;
    Win32SaverArguments expected;
};

class Win32SaverArgumentsTest : public testing::TestWithParam<Form> {};

TEST_P(Win32SaverArgumentsTest, ReadsAsWindowsMeansIt)
{
    EXPECT_EQ(Win32SaverArguments::read(GetParam().arguments), GetParam().expected);
}

const Win32SaverArguments kUsage {Mode::Usage, 0};

INSTANTIATE_TEST_SUITE_P(Forms, Win32SaverArgumentsTest,
    testing::Values(Form {{}, {Mode::Settings, 0}}, Form {{"/s"}, {Mode::FullScreen, 0}}, Form {{"/S"}, {Mode::FullScreen, 0}},
        Form {{"-s"}, {Mode::FullScreen, 0}}, Form {{"/p", "1234"}, {Mode::Preview, 1234}},
        Form {{"/P:66052"}, {Mode::Preview, 66052}}, Form {{"-p:18446744073709551615"}, {Mode::Preview, UINTPTR_MAX}},
        Form {{"/c"}, {Mode::Settings, 0}}, Form {{"/c:4321"}, {Mode::Settings, 4321}},
        Form {{"/C", "4321"}, {Mode::Settings, 4321}}, Form {{"/a"}, {Mode::Password, 0}},
        Form {{"/a", "77"}, {Mode::Password, 77}},
        // Refused: no handle for the preview, one that is not a plain
        // decimal or is too big, a handle to the full screen, a letter
        // Windows never passes, an argument left over.
        Form {{"/p"}, kUsage}, Form {{"/p:"}, kUsage}, Form {{"/p", "0"}, kUsage}, Form {{"/p", "-5"}, kUsage},
        Form {{"/p", "0x10"}, kUsage}, Form {{"/p:12a"}, kUsage}, Form {{"/p:18446744073709551616"}, kUsage},
        Form {{"/s:5"}, kUsage}, Form {{"/s", "5"}, kUsage}, Form {{"/x"}, kUsage}, Form {{"s"}, kUsage},
        Form {{"/"}, kUsage}, Form {{"/sx"}, kUsage}, Form {{"/c:1", "2"}, kUsage}, Form {{"/p", "1", "2"}, kUsage},
        Form {{""}, kUsage}));

} // namespace
