#include "platform/runner/saver_runner.h"

#include "tests/support/manual_loop.h"
#include "tests/support/runner_rig.h"
#include "tests/support/watched_window.h"
#include "tests/support/window_probe.h"
#include "window/frmtessary.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

// The program as a screen saver, on a rig that shows nothing, with a clock
// moved by hand.
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

struct Rig {
    explicit Rig(seconds every = SaverRunner::kDefaultChange)
        : host(tessaryProject, clock, &probe, every)
    {
        host.runner().start();
    }

    // The wake-ups and rings of this span, and the centres and colours of
    // the last ring at each millisecond of it.
    std::string run(milliseconds span)
    {
        std::set<std::pair<Single, Single>> centres;
        std::set<Colour> colours;
        const long before = watched->rings;
        int wakes = 0;
        for (milliseconds step {0}; step < span; step += milliseconds(1)) {
            wakes += loop.run(milliseconds(1));
            if (watched->rings > 0) {
                centres.insert(watched->centre);
                colours.insert(watched->lastColour);
            }
        }
        return std::to_string(wakes) + " wakes, " + std::to_string(watched->rings - before) + " rings, "
            + std::to_string(centres.size()) + " centres, " + std::to_string(colours.size()) + " colours";
    }

    ManualClock clock;
    WindowProbe<WatchedWindow> probe;
    WatchedWindow*& watched = probe.window;
    RunnerRig<SaverRunner> host;
    ManualLoop loop {clock, host.alarm(), [this] { host.runner().wake(); }};
};

struct Case {
    const char* name;
    std::function<std::string(Rig&)> run;
    std::string expected;
};

const Case kCases[] = {
    {"NoChangeBeforeThePeriod", [](Rig& rig) { return rig.run(milliseconds(4990)); },
        "300 wakes, 4984 rings, 1 centres, 1 colours"},
    {"MoveThenColorEveryPeriod", [](Rig& rig) { return rig.run(milliseconds(10010)); },
        "603 wakes, 10001 rings, 3 centres, 3 colours"},
    {"AShorterPeriodSet",
        [](Rig&) {
            Rig quick(seconds(1));
            return quick.run(milliseconds(3010));
        },
        "184 wakes, 3001 rings, 4 centres, 4 colours"},
    {"AfterALongSleepOneChangeAndTheNextAPeriodOn",
        [](Rig& rig) {
            rig.clock.advance(seconds(12));
            const std::string first = rig.run(milliseconds(4990));
            return first + "; " + rig.run(milliseconds(20));
        },
        "301 wakes, 5034 rings, 1 centres, 1 colours; 2 wakes, 17 rings, 2 centres, 2 colours"},
    {"AnErrorIsShownToNoOneAndTheRingsGoOn",
        [](Rig& rig) {
            rig.watched->failing = true;
            rig.run(milliseconds(20));
            rig.watched->failing = false;
            return std::to_string(rig.host.errors().count()) + " errors, then " + rig.run(milliseconds(100));
        },
        "17 errors, then 6 wakes, 100 rings, 1 centres, 1 colours"},
    {"APeriodWithinWhatAUserMaySet",
        [](Rig&) {
            std::string periods;
            for (long long asked : {-5LL, 0LL, 1LL, 5LL, 60LL, 61LL, 1LL << 40})
                periods += std::to_string(SaverRunner::changePeriod(asked).count()) + " ";
            return periods;
        },
        "1 1 1 5 60 60 60 "},
};

class SaverRunnerTest : public testing::TestWithParam<Case> {};

TEST_P(SaverRunnerTest, OnARig)
{
    Rig rig;
    EXPECT_EQ(GetParam().run(rig), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(AScreenSaver, SaverRunnerTest, testing::ValuesIn(kCases),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
