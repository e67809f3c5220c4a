#include "platform/hosts/qt/qt_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Which words the desktop program answers itself, before Qt or a display.
namespace {

using Answer = QtCommandLine::Answer;

struct Line {
    std::vector<std::string> arguments;
    Answer answer;
};

class QtCommandLineTest : public testing::TestWithParam<Line> {};

TEST_P(QtCommandLineTest, AnswersHelpAndVersionAndLeavesTheRestToQt)
{
    std::vector<std::string> words = GetParam().arguments;
    std::vector<char*> pointers;
    for (std::string& word : words)
        pointers.push_back(word.data());
    EXPECT_EQ(QtCommandLine::read(pointers), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Lines, QtCommandLineTest,
    testing::Values(Line {{}, Answer::Run}, Line {{"--help"}, Answer::Help}, Line {{"--version"}, Answer::Version},
        // Among Qt's own options, and the first of the two wins.
        Line {{"-platform", "offscreen", "--version"}, Answer::Version},
        Line {{"--version", "--help"}, Answer::Version}, Line {{"--help", "--version"}, Answer::Help},
        // After "--" nothing is an option; Qt's options and other words are Qt's.
        Line {{"--", "--help"}, Answer::Run}, Line {{"-platform", "xcb"}, Answer::Run},
        Line {{"-help"}, Answer::Run}, Line {{"--helpful"}, Answer::Run}));

} // namespace
