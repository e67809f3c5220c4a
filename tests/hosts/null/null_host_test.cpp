#include "platform/hosts/null/null_form_host.h"
#include "platform/hosts/null/null_saver_host.h"
#include "window/frmtessary.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The null hosts, as a newcomer copies them: each runs, and the input its
// window passes on reaches the runner and comes back answered.
namespace {

std::string answerName(InputAnswer answer)
{
    switch (answer) {
    case InputAnswer::PassedOn:
        return "passed on";
    case InputAnswer::Taken:
        return "taken";
    case InputAnswer::Ends:
        return "ends";
    }
    return "?";
}

struct Case {
    const char* name;
    bool saver;
    // What the input does to the started host's window, answer by answer.
    std::function<std::vector<InputAnswer>(NullWindow& window, NullFormWindow* form)> act;
    std::vector<std::string> expected;
};

class NullHostTest : public testing::TestWithParam<Case> {};

TEST_P(NullHostTest, InputIsAnswered)
{
    const Case& c = GetParam();
    std::vector<InputAnswer> answers;
    if (c.saver) {
        NullSaverHost host(tessaryProject, SaverRunner::kDefaultChange);
        host.start();
        answers = c.act(host.window(), nullptr);
    } else {
        NullFormHost host(tessaryProject);
        host.start();
        answers = c.act(host.window(), &host.window());
    }
    std::vector<std::string> names;
    for (const InputAnswer answer : answers)
        names.push_back(answerName(answer));
    EXPECT_EQ(names, c.expected);
}

using Key = FormLook::Key;

INSTANTIATE_TEST_SUITE_P(Inputs, NullHostTest,
    testing::Values(
        Case {"FormButtons", false,
            [](NullWindow&, NullFormWindow* form) {
                return std::vector {form->buttonClicked("cmdstop"), form->buttonClicked("cmdnone")};
            },
            {"taken", "passed on"}},
        Case {"FormAreaKeys", false,
            [](NullWindow& w, NullFormWindow*) {
                return std::vector {w.keyPressed(Key::Space, false, false), w.keyPressed(Key::Return, false, true),
                    w.keyPressed(Key::Return, true, false), w.keyPressed(Key::Other, false, false)};
            },
            {"taken", "taken", "passed on", "passed on"}},
        Case {"FormAreaAndPointer", false,
            [](NullWindow& w, NullFormWindow*) {
                return std::vector {w.areaClicked(), w.pointerMoved(0, 0), w.pointerMoved(500, 500)};
            },
            {"taken", "passed on", "passed on"}},
        Case {"SaverEndsOnAnyKey", true,
            [](NullWindow& w, NullFormWindow*) {
                return std::vector {w.keyPressed(Key::Other, false, false), w.keyPressed(Key::Space, true, true)};
            },
            {"ends", "ends"}},
        Case {"SaverEndsOnAPress", true, [](NullWindow& w, NullFormWindow*) { return std::vector {w.areaClicked()}; },
            {"ends"}},
        // The first position is where the pointer rests; a mouse's drift is no person.
        Case {"SaverEndsOnAMoveBeyondTheDrift", true,
            [](NullWindow& w, NullFormWindow*) {
                return std::vector {w.pointerMoved(100, 100), w.pointerMoved(104, 96), w.pointerMoved(100, 105)};
            },
            {"passed on", "passed on", "ends"}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(NullHostRunTest, EachRunsItsLoopAndDrawsRings)
{
    const std::uint64_t black = NullFormHost(tessaryProject).picture().hash();
    NullFormHost form(tessaryProject);
    EXPECT_EQ(form.run(), 0);
    EXPECT_NE(form.picture().hash(), black);
    NullSaverHost saver(tessaryProject, SaverRunner::kDefaultChange);
    EXPECT_EQ(saver.run(), 0);
    EXPECT_NE(saver.picture().hash(), black);
}

} // namespace
