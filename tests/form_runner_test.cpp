#include "platform/hosts/null/null_host.h"
#include "tests/support/manual_clock.h"
#include "tests/support/watched_window.h"
#include "window/frmtessary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

// What every host relies on FormRunner for, on the host that shows nothing,
// with a clock moved by hand.
namespace {

using std::chrono::milliseconds;

// Notes the window calls the form's code makes in the host's log as well.
struct NotingWindow final : WatchedWindow {
    NotingWindow(WindowOperations& target, NullHost*& host)
        : WatchedWindow(target)
        , host_(host)
    {
    }

    ErrorNumber getScaleWidth(Single& width) override
    {
        host_->note("ScaleWidth");
        return WatchedWindow::getScaleWidth(width);
    }

    NullHost*& host_;
};

struct Rig {
    // Moves the clock on by `span`, waking whenever the alarm is due, as an
    // event loop with nothing else to do would. Returns the wake-ups.
    int run(milliseconds span)
    {
        const auto end = clock.now() + span;
        int wakes = 0;
        for (auto at = host.alarm(); at && *at <= end; at = host.alarm()) {
            clock.advanceTo(*at);
            wakes += host.wakeIfDue();
        }
        clock.advanceTo(end);
        return wakes;
    }

    // What the host was asked since the log was this long.
    std::string logSince(size_t length) const
    {
        std::string lines;
        for (size_t i = length; i < host.log().size(); ++i)
            lines += (lines.empty() ? "" : "; ") + host.log()[i];
        return lines;
    }
    std::string lastError() const
    {
        for (auto line = host.log().rbegin(); line != host.log().rend(); ++line)
            if (line->rfind("error ", 0) == 0)
                return *line;
        return "no error";
    }
    long rings() const { return window->rings; }

    ManualClock clock;
    NullHost* self = nullptr;
    NotingWindow* window = nullptr;
    NullHost host {tessaryProject, clock, [this](WindowOperations& target) {
                       auto noting = std::make_unique<NotingWindow>(target, self);
                       window = noting.get();
                       return noting;
                   }};
    bool ready = (self = &host, true);
};

struct Case {
    const char* name;
    std::function<std::string(Rig&)> run;
    std::string expected;
};

std::string refusedDensity(Rig& rig, double ratio)
{
    rig.host.start();
    rig.run(milliseconds(5));
    const auto before = rig.host.picture().hash();
    rig.host.setDensity(ratio);
    const Picture& picture = rig.host.picture();
    return std::to_string(picture.width()) + "x" + std::to_string(picture.height())
        + (picture.hash() == before ? " kept, " : " changed, ") + std::to_string(rig.host.count()) + " errors";
}

const Case kCases[] = {
    {"LoadBeforeShow",
        [](Rig& rig) {
            rig.host.start();
            std::string order;
            for (const std::string& line : rig.host.log())
                if (line == "ScaleWidth" || line == "show")
                    order += (order.empty() ? "" : " ") + line;
            return order;
        },
        "ScaleWidth show"},
    {"FirstTicksWithNoInput",
        [](Rig& rig) {
            rig.host.start();
            rig.run(milliseconds(1));
            return std::to_string(rig.rings()) + " rings";
        },
        "1 rings"},
    {"OneWakeUpPerFrameWhileSeen",
        [](Rig& rig) {
            rig.host.start();
            const int wakes = rig.run(milliseconds(1000));
            return std::to_string(wakes) + " wakes, " + std::to_string(rig.rings()) + " rings";
        },
        "60 wakes, 984 rings"},
    {"LongestWakeWhileUnseen",
        [](Rig& rig) {
            rig.host.setPacing(FramePacing::unseen());
            rig.host.start();
            const int wakes = rig.run(milliseconds(1000));
            return std::to_string(wakes) + " wakes, " + std::to_string(rig.rings()) + " rings";
        },
        "25 wakes, 961 rings"},
    {"LateWakeDeliversTheCatchUpBurstOnly",
        [](Rig& rig) {
            rig.host.start();
            rig.clock.advance(milliseconds(1000));
            rig.host.wakeIfDue();
            return std::to_string(rig.rings()) + " rings";
        },
        "50 rings"},
    {"InputCatchesUpDueTicksFirst",
        [](Rig& rig) {
            rig.host.start();
            rig.clock.advance(milliseconds(10));
            rig.host.click("cmdstop");
            const long before = rig.rings();
            rig.run(milliseconds(100));
            return std::to_string(before) + " rings, then " + std::to_string(rig.rings() - before);
        },
        "10 rings, then 0"},
    {"StopDisarms",
        [](Rig& rig) {
            rig.host.start();
            rig.host.click("cmdstop");
            return std::string(rig.host.alarm() ? "armed" : "disarmed");
        },
        "disarmed"},
    {"IntervalZeroDisarms",
        [](Rig& rig) {
            rig.host.start();
            EXPECT_EQ(rig.host.runner().timer().setInterval(0), ErrorNumber::None);
            rig.run(milliseconds(100));
            return std::string(rig.host.alarm() ? "armed" : "disarmed") + ", " + std::to_string(rig.rings()) + " rings";
        },
        "disarmed, 0 rings"},
    {"DensityChangeShowsTheWholePictureAnew",
        [](Rig& rig) {
            rig.host.start();
            rig.run(milliseconds(5));
            const size_t before = rig.host.log().size();
            rig.host.setDensity(2);
            const Picture& picture = rig.host.picture();
            return std::to_string(picture.width()) + "x" + std::to_string(picture.height()) + " " + rig.logSince(before);
        },
        "706x428 changes 0 0 352 213"},
    {"NotANumberDensityRefused", [](Rig& rig) { return refusedDensity(rig, std::nan("")); }, "353x214 kept, 0 errors"},
    {"InfiniteDensityRefused",
        [](Rig& rig) { return refusedDensity(rig, std::numeric_limits<double>::infinity()); }, "353x214 kept, 0 errors"},
    {"ZeroDensityRefused", [](Rig& rig) { return refusedDensity(rig, 0); }, "353x214 kept, 0 errors"},
    {"NegativeDensityRefused", [](Rig& rig) { return refusedDensity(rig, -1.5); }, "353x214 kept, 0 errors"},
    {"ErrorReportedOncePerRaiseWithItsCount",
        [](Rig& rig) {
            rig.window->failing = true;
            rig.host.start();
            rig.run(milliseconds(20));
            return std::to_string(rig.host.count()) + " " + rig.lastError();
        },
        "17 error Error 1000: The operation failed\nObject: frmtessary\nOperation: Circle\nErrors so far: 17"},
    {"AnythingElseThrownStopsAtTheRunnerAndTheTicksGoOn",
        [](Rig& rig) {
            rig.window->throwing = true;
            rig.host.start();
            rig.run(milliseconds(1));
            const std::string error = rig.lastError();
            rig.window->throwing = false;
            rig.run(milliseconds(20));
            return error + ", then " + std::to_string(rig.rings()) + " rings";
        },
        "error Error 51: Internal error: thrown by a test, then 16 rings"},
};

class FormRunnerTest : public testing::TestWithParam<Case> {};

TEST_P(FormRunnerTest, OnTheNullHost)
{
    Rig rig;
    EXPECT_EQ(GetParam().run(rig), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(EveryHostReliesOn, FormRunnerTest, testing::ValuesIn(kCases),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
