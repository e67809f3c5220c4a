#include "platform/runner/form_runner.h"
#include "tests/support/manual_loop.h"
#include "tests/support/runner_rig.h"
#include "tests/support/watched_window.h"
#include "tests/support/window_probe.h"
#include "window/frmtessary.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

// What every host relies on FormRunner for, on a rig that notes what it is
// asked to show, with a clock moved by hand. Each case starts the form, acts, and says what
// it saw.
namespace {

using std::chrono::milliseconds;

// Notes in the host's log where the Load handler reads the window's size.
struct NotingWindow final : WatchedWindow {
    using WatchedWindow::WatchedWindow;
    ErrorNumber getScaleWidth(Single& width) override
    {
        host->note("ScaleWidth");
        return WatchedWindow::getScaleWidth(width);
    }
    RunnerRig<FormRunner>* host = nullptr;
};

struct Rig {
    Rig() { probe.window->host = &host; }

    // Moves the clock on by `span`, waking whenever the alarm is due, as an
    // event loop with nothing else to do would. Returns the wake-ups.
    int run(milliseconds span) { return loop.run(span); }
    std::string wakesAndRings(milliseconds span)
    {
        const int wakes = run(span);
        return std::to_string(wakes) + " wakes, " + rings() + " rings";
    }
    std::string rings() const { return std::to_string(probe.window->rings); }
    std::string armed() const { return host.alarm().when() ? "armed" : "disarmed"; }
    // The host's log from line `first` on, those with this start only.
    std::string log(size_t first = 0, const std::string& start = "") const
    {
        std::string lines;
        for (size_t i = first; i < host.log().size(); ++i)
            if (host.log()[i].rfind(start, 0) == 0)
                lines += (lines.empty() ? "" : "; ") + host.log()[i];
        return lines;
    }
    std::string density(double ratio)
    {
        run(milliseconds(5));
        const size_t first = host.log().size();
        const auto before = host.picture().hash();
        host.setDensity(ratio);
        return std::to_string(host.picture().width()) + "x" + std::to_string(host.picture().height())
            + (host.picture().hash() == before ? " kept, " : " redrawn, ") + std::to_string(host.errors().count()) + " errors "
            + log(first);
    }

    ManualClock clock;
    WindowProbe<NotingWindow> probe;
    RunnerRig<FormRunner> host {tessaryProject, clock, &probe};
    ManualLoop loop {clock, host.alarm(), [this] { host.runner().wake(); }};
};

struct Case {
    const char* name;
    std::function<std::string(Rig&)> run;
    std::string expected;
};

const Case kCases[] = {
    {"LoadBeforeShow",
        [](Rig& rig) {
            const auto& log = rig.host.log();
            const auto read = std::find(log.begin(), log.end(), "ScaleWidth");
            return std::string(read < std::find(log.begin(), log.end(), "show") ? "load, show" : "show, load");
        },
        "load, show"},
    {"FirstTickWithNoInput", [](Rig& rig) { return rig.wakesAndRings(milliseconds(1)); }, "1 wakes, 1 rings"},
    {"OneWakeUpPerFrameWhileSeen", [](Rig& rig) { return rig.wakesAndRings(milliseconds(1000)); }, "60 wakes, 984 rings"},
    {"TheScreenBroughtUpToDateOncePerWakeUp",
        [](Rig& rig) {
            const size_t first = rig.host.log().size();
            const int wakes = rig.run(milliseconds(1000));
            const auto& log = rig.host.log();
            const auto shown = std::count_if(log.begin() + static_cast<long>(first), log.end(),
                [](const std::string& line) { return line.rfind("changes", 0) == 0; });
            return std::to_string(wakes) + " wakes, " + std::to_string(shown) + " showings";
        },
        "60 wakes, 60 showings"},
    {"TheAlarmArmedOncePerWakeUp",
        [](Rig& rig) {
            const int before = rig.host.armings();
            const int wakes = rig.run(milliseconds(1000));
            return std::to_string(wakes) + " wakes, " + std::to_string(rig.host.armings() - before) + " armings";
        },
        "60 wakes, 60 armings"},
    {"LongestWakeWhileUnseen",
        [](Rig& rig) {
            rig.host.setPacing(FramePacing::unseen());
            return rig.wakesAndRings(milliseconds(1000));
        },
        "25 wakes, 961 rings"},
    {"LateWakeDeliversTheCatchUpBurstOnly",
        [](Rig& rig) {
            rig.clock.advance(milliseconds(1000));
            rig.host.wakeIfDue();
            return rig.rings();
        },
        "50"},
    {"InputCatchesUpDueTicksFirst",
        [](Rig& rig) {
            rig.clock.advance(milliseconds(10));
            rig.host.runner().click("cmdstop");
            const std::string before = rig.rings();
            return before + " rings, " + rig.armed() + ", " + rig.wakesAndRings(milliseconds(100));
        },
        "10 rings, disarmed, 0 wakes, 10 rings"},
    {"IntervalZeroDisarms",
        [](Rig& rig) {
            EXPECT_EQ(rig.host.runner().timer().setInterval(0), ErrorNumber::None);
            return rig.armed() + ", " + rig.wakesAndRings(milliseconds(100));
        },
        "disarmed, 0 wakes, 0 rings"},
    {"DensityChangeShowsTheWholePictureAnew", [](Rig& rig) { return rig.density(2); },
        "706x428 redrawn, 0 errors changes 0 0 352 213"},
    {"NotANumberDensityRefused", [](Rig& rig) { return rig.density(std::nan("")); }, "353x214 kept, 0 errors "},
    {"InfiniteDensityRefused", [](Rig& rig) { return rig.density(std::numeric_limits<double>::infinity()); },
        "353x214 kept, 0 errors "},
    {"ZeroDensityRefused", [](Rig& rig) { return rig.density(0); }, "353x214 kept, 0 errors "},
    {"NegativeDensityRefused", [](Rig& rig) { return rig.density(-1.5); }, "353x214 kept, 0 errors "},
    {"ErrorReportedOncePerRaiseWithItsCount",
        [](Rig& rig) {
            rig.probe.window->failing = true;
            rig.run(milliseconds(20));
            return std::to_string(rig.host.errors().count()) + " " + rig.log(rig.host.log().size() - 1, "error");
        },
        "17 error Error 1000: The operation failed\nObject: frmtessary\nOperation: Circle\nErrors so far: 17"},
    {"AnythingElseThrownStopsAtTheRunnerAndTheTicksGoOn",
        [](Rig& rig) {
            rig.probe.window->throwing = true;
            rig.run(milliseconds(1));
            rig.probe.window->throwing = false;
            return rig.log(0, "error") + ", then " + rig.wakesAndRings(milliseconds(20));
        },
        "error Error 51: Internal error: thrown by a test, then 1 wakes, 16 rings"},
    {"ThrownInTheHostsOwnCodeIsReportedAsAnyOther",
        [](Rig& rig) {
            rig.host.runner().escaped(std::make_exception_ptr(std::runtime_error("thrown in a window procedure")));
            rig.host.runner().escaped(std::make_exception_ptr(51));
            return rig.log(0, "error");
        },
        "error Error 51: Internal error: thrown in a window procedure; error Error 51: Internal error: an exception of "
        "unknown type\nErrors so far: 2"},
};

class FormRunnerTest : public testing::TestWithParam<Case> {};

TEST_P(FormRunnerTest, OnTheNullHost)
{
    Rig rig;
    rig.host.runner().start();
    EXPECT_EQ(GetParam().run(rig), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(EveryHostReliesOn, FormRunnerTest, testing::ValuesIn(kCases),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
