#include "logic/drawing_state.h"

#include "tools/recording/recording_host.h"
#include "platform/services/timer_rules.h"
#include "window/frmtessary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <tuple>

namespace {

using Lines = std::vector<std::string>;

// The form's code on the headless host, with errors going to the host's
// default handling through the real session.
struct Form {
    explicit Form(Single width = frmtessary.settings.clientWidth, Single height = frmtessary.settings.clientHeight)
        : host(frmtessary)
        , session(frmtessary.openSession(host.services()))
        , code(session->code())
    {
        host.resize(width, height);
    }

    void run(void (DrawingState::*handler)()) { session->run(handler); }

    Lines loadWith(std::initializer_list<Single> draws)
    {
        host.scriptRnd(draws);
        run(&DrawingState::Form_Load);
        return host.takeLines();
    }

    RecordingHost host;
    std::unique_ptr<FormSessionOf<DrawingState>> session;
    const DrawingState& code;
};

constexpr Single kLargestRnd = 1.0f - 1.0f / 16777216.0f;

TEST(DrawingStateTest, LoadDrawsEachNumberBeforeReadingTheSizeItScales)
{
    Form form;
    EXPECT_EQ(form.loadWith({0.5f, 0.25f, 0.5f, 0.0f, kLargestRnd}),
        (Lines {"rnd 0.5", "get frmtessary.ScaleWidth 5295", "rnd 0.25", "get frmtessary.ScaleHeight 3210",
            "rnd 0.5", "rnd 0", "rnd 0.99999994"}));
    EXPECT_EQ(form.code.centerx, 2647.5f);
    EXPECT_EQ(form.code.centery, 802.5f);
    EXPECT_EQ(form.code.red, 128);
    EXPECT_EQ(form.code.green, 0);
    EXPECT_EQ(form.code.blue, 255);
}

TEST(DrawingStateTest, ColourComponentsComeFromTheExactProductRoundedOnce)
{
    struct Case {
        Single r;
        Integer expected;
    };
    // 4243649 / 2^24 × 255 is 64.500004 exactly; rounded first to a Single it
    // would be the tie 64.5 and go to 64.
    const Case cases[] = {
        {4243649.0f / 16777216.0f, 65},
        {0.5f, 128},
        {0.0f, 0},
        {1.0f / 16777216.0f, 0},
        {kLargestRnd, 255},
        {0.0019607842f, 0}, // just under 0.5 / 255
        {0.0019607844f, 1}, // just over
    };
    for (const Case& c : cases) {
        Form form;
        form.loadWith({0, 0, c.r, c.r, c.r});
        EXPECT_EQ(form.code.red, c.expected) << "r = " << c.r;
        EXPECT_EQ(form.code.green, c.expected) << "r = " << c.r;
        EXPECT_EQ(form.code.blue, c.expected) << "r = " << c.r;
    }
}

TEST(DrawingStateTest, CentreIsTheProductRoundedOnceToASingle)
{
    Form form(5295, 3210);
    form.loadWith({kLargestRnd, 1.0f / 3.0f, 0, 0, 0});
    EXPECT_EQ(form.code.centerx, static_cast<Single>(static_cast<Double>(kLargestRnd) * 5295.0));
    EXPECT_LT(form.code.centerx, 5295.0f);
    EXPECT_EQ(form.code.centery, static_cast<Single>(static_cast<Double>(1.0f / 3.0f) * 3210.0));
}

TEST(DrawingStateTest, TickDrawsOneCircleWhoseRadiusFollowsTheCentresDepth)
{
    struct Case {
        const char* why;
        Single width, height, rx, ry, rTick;
        const char* expectedCircle;
    };
    const Case cases[] = {
        {"centre on the top edge: radius below one twip", 5295, 3210, 0.5f, 0.0f, 0.75f,
            "call frmtessary.Circle 2647.5 0 0.75 0x00000000"},
        {"r = 0 gives radius 0", 5295, 3210, 0.5f, 0.5f, 0.0f, "call frmtessary.Circle 2647.5 1605 0 0x00000000"},
        {"largest draw at the bottom stays below centery / 2 + 1", 5295, 3210, 0.5f, kLargestRnd, kLargestRnd,
            "call frmtessary.Circle 2647.5 3209.99976 1605.99976 0x00000000"},
        {"a very wide window does not widen the rings", 1e6f, 100, 0.5f, 0.5f, 0.5f,
            "call frmtessary.Circle 500000 50 13 0x00000000"},
        // In Single arithmetic this radius would come out as 52.6729431.
        {"radius computed in double, narrowed once", 100, 2 * 510.212677f, 0.5f, 0.5f, 3450541.0f / 16777216.0f,
            "call frmtessary.Circle 50 510.212677 52.6729469 0x00000000"},
    };
    for (const Case& c : cases) {
        Form form(c.width, c.height);
        form.loadWith({c.rx, c.ry, 0, 0, 0});
        form.host.scriptRnd({c.rTick});
        form.run(&DrawingState::tmrtime_Timer);
        EXPECT_EQ(form.host.takeLines(), (Lines {"rnd " + formatSingle(c.rTick), c.expectedCircle})) << c.why;
    }
}

TEST(DrawingStateTest, TicksRingOneCentreInOneColourWithIndependentRadii)
{
    Form form;
    form.loadWith({0.25f, 0.75f, 1.0f / 255.0f, 0.5f, kLargestRnd});
    const std::string prefix = "call frmtessary.Circle 1323.75 2407.5 ";
    std::set<std::string> radii;
    for (int i = 0; i < 10; ++i)
        form.run(&DrawingState::tmrtime_Timer);
    const Lines lines = form.host.takeLines();
    ASSERT_EQ(lines.size(), 20u);
    for (size_t i = 0; i < lines.size(); i += 2) {
        const Single r = std::stof(lines[i].substr(4));
        const std::string circle = lines[i + 1];
        ASSERT_EQ(circle.rfind(prefix, 0), 0u) << circle;
        EXPECT_EQ(circle.substr(circle.size() - 10), "0x00FF8001");
        const std::string radius = circle.substr(prefix.size(), circle.size() - prefix.size() - 11);
        EXPECT_EQ(radius, formatSingle(static_cast<Single>((2407.5 * 0.5 + 1) * r)));
        radii.insert(radius);
    }
    EXPECT_EQ(radii.size(), 10u);
}

TEST(DrawingStateTest, RandomDrawsPerEvent)
{
    struct Case {
        const char* event;
        void (DrawingState::*handler)();
        size_t draws;
    };
    const Case cases[] = {
        {"load", &DrawingState::Form_Load, 5},
        {"tick", &DrawingState::tmrtime_Timer, 1},
        {"move", &DrawingState::cmdmove_Click, 2},
        {"color", &DrawingState::cmdcolor_Click, 3},
        {"clear", &DrawingState::cmdclear_Click, 0},
        {"slower", &DrawingState::cmdslow_Click, 0},
        {"faster", &DrawingState::cmdfast_Click, 0},
        {"stop", &DrawingState::cmdstop_Click, 0},
        {"click", &DrawingState::Form_Click, 0},
    };
    for (const Case& c : cases) {
        Form form;
        form.run(c.handler);
        const Lines lines = form.host.takeLines();
        const auto draws = std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("rnd ", 0) == 0; });
        EXPECT_EQ(static_cast<size_t>(draws), c.draws) << c.event;
    }
}

TEST(DrawingStateTest, MoveReadsTheSizeAfreshAndTheNextTickUsesTheNewCentre)
{
    Form form;
    form.loadWith({0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
    form.host.resize(1000, 400);
    form.host.scriptRnd({0.5f, 0.5f, 0.5f});
    form.run(&DrawingState::cmdmove_Click);
    form.run(&DrawingState::tmrtime_Timer);
    EXPECT_EQ(form.host.takeLines(), (Lines {"rnd 0.5", "get frmtessary.ScaleWidth 1000", "rnd 0.5",
        "get frmtessary.ScaleHeight 400", "rnd 0.5", "call frmtessary.Circle 500 200 50.5 0x00808080"}));
}

TEST(DrawingStateTest, ColorDrawsRedGreenBlueInThatOrderAndCanGiveBlack)
{
    Form form;
    form.loadWith({0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
    form.host.scriptRnd({kLargestRnd, 0.0f, 0.25f});
    form.run(&DrawingState::cmdcolor_Click);
    EXPECT_EQ(std::tuple(form.code.red, form.code.green, form.code.blue), std::tuple(255, 0, 64));
    form.host.scriptRnd({0.0f, 0.0f, 0.0f, 0.5f});
    form.run(&DrawingState::cmdcolor_Click);
    form.host.takeLines();
    form.run(&DrawingState::tmrtime_Timer);
    EXPECT_EQ(form.host.takeLines().back(), "call frmtessary.Circle 2647.5 1605 401.75 0x00000000");
}

TEST(DrawingStateTest, ClearPaintsABlackBoxOverTheWholeAreaAndKeepsTheState)
{
    Form form;
    form.loadWith({0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
    form.host.resize(7000, 5000);
    form.run(&DrawingState::cmdclear_Click);
    EXPECT_EQ(form.host.takeLines(), (Lines {"set frmtessary.FillColor 0x00000000", "get frmtessary.ScaleWidth 7000",
        "get frmtessary.ScaleHeight 5000", "call frmtessary.Line 0 0 7000 5000 0x00000000 box"}));
    EXPECT_EQ(std::tuple(form.code.centerx, form.code.centery, form.code.red), std::tuple(2647.5f, 1605.0f, 128));
}

TEST(DrawingStateTest, IntervalAfterEachPaceClick)
{
    constexpr auto slower = &DrawingState::cmdslow_Click;
    constexpr auto faster = &DrawingState::cmdfast_Click;
    constexpr Long kLongMax = std::numeric_limits<Long>::max();
    constexpr Long kLongMin = std::numeric_limits<Long>::min();
    struct Case {
        const char* why;
        Long start;
        std::vector<void (DrawingState::*)()> clicks;
        std::vector<Long> intervals;
        long errors;
    };
    const Case cases[] = {
        {"three slower, then four faster", 1, {slower, slower, slower, faster, faster, faster, faster},
            {101, 201, 301, 201, 101, 1, 1}, 0},
        {"faster at 1 stays at 1", 1, {faster}, {1}, 0},
        {"faster at 50 lands on 1, not -50", 50, {faster}, {1}, 0},
        {"faster at 100 gives 0, then 1", 100, {faster, faster}, {0, 1}, 0},
        {"faster at 0 lands on 1", 0, {faster}, {1}, 0},
        {"slower past the timer's maximum is refused", kMaxTimerInterval - 100, {slower, slower},
            {kMaxTimerInterval, kMaxTimerInterval}, 1},
        {"slower at the top of the Long range overflows", kLongMax, {slower}, {kLongMax}, 1},
        {"faster at the bottom of the Long range lands on 1", kLongMin, {faster}, {1}, 0},
    };
    for (const Case& c : cases) {
        Form form;
        form.host.presetInterval(c.start);
        std::vector<Long> seen;
        for (auto click : c.clicks) {
            form.run(click);
            seen.push_back(form.host.interval());
        }
        EXPECT_EQ(seen, c.intervals) << c.why;
        const Lines lines = form.host.takeLines();
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("error ", 0) == 0; }),
            c.errors)
            << c.why;
    }
}

TEST(DrawingStateTest, StopAndBackgroundClickTouchOnlyEnabled)
{
    Form form;
    form.run(&DrawingState::cmdstop_Click);
    EXPECT_EQ(form.host.enabled(), kFalse);
    form.run(&DrawingState::cmdslow_Click);
    EXPECT_FALSE(form.host.timerWouldTick());
    form.run(&DrawingState::Form_Click);
    form.run(&DrawingState::Form_Click);
    EXPECT_EQ(form.host.takeLines(), (Lines {"set tmrtime.Enabled 0", "get tmrtime.Interval 1", "set tmrtime.Interval 101",
        "set tmrtime.Enabled -1", "set tmrtime.Enabled -1"}));
    EXPECT_EQ(form.host.interval(), 101);
}

struct FaultCase {
    const char* handler;
    void (DrawingState::*run)();
    const char* kind;
    const char* operation;
    const char* expectedError; // empty: the handler catches it
    int statesSet; // how many of centerx, centery, red, green, blue took new values
};

TEST(DrawingStateTest, AFailingOperationRaisesAtOnceAndLeavesWhatWasStoredBefore)
{
    const FaultCase cases[] = {
        {"load", &DrawingState::Form_Load, "get", "frmtessary.ScaleWidth", "error 1000 frmtessary.ScaleWidth", 0},
        {"load", &DrawingState::Form_Load, "get", "frmtessary.ScaleHeight", "error 1000 frmtessary.ScaleHeight", 1},
        {"move", &DrawingState::cmdmove_Click, "get", "frmtessary.ScaleWidth", "error 1000 frmtessary.ScaleWidth", 0},
        {"move", &DrawingState::cmdmove_Click, "get", "frmtessary.ScaleHeight", "error 1000 frmtessary.ScaleHeight", 1},
        {"tick", &DrawingState::tmrtime_Timer, "call", "frmtessary.Circle", "error 1000 frmtessary.Circle", 0},
        {"clear", &DrawingState::cmdclear_Click, "set", "frmtessary.FillColor", "error 1000 frmtessary.FillColor", 0},
        {"clear", &DrawingState::cmdclear_Click, "get", "frmtessary.ScaleWidth", "error 1000 frmtessary.ScaleWidth", 0},
        {"clear", &DrawingState::cmdclear_Click, "get", "frmtessary.ScaleHeight", "error 1000 frmtessary.ScaleHeight", 0},
        {"clear", &DrawingState::cmdclear_Click, "call", "frmtessary.Line", "error 1000 frmtessary.Line", 0},
        {"slower", &DrawingState::cmdslow_Click, "get", "tmrtime.Interval", "error 1000 tmrtime.Interval", 0},
        {"slower", &DrawingState::cmdslow_Click, "set", "tmrtime.Interval", "error 1000 tmrtime.Interval", 0},
        {"faster", &DrawingState::cmdfast_Click, "get", "tmrtime.Interval", "", 0},
        {"stop", &DrawingState::cmdstop_Click, "set", "tmrtime.Enabled", "error 1000 tmrtime.Enabled", 0},
        {"click", &DrawingState::Form_Click, "set", "tmrtime.Enabled", "error 1000 tmrtime.Enabled", 0},
    };
    for (const FaultCase& c : cases) {
        Form form;
        form.loadWith({0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
        form.host.presetInterval(301);
        form.run(&DrawingState::cmdstop_Click);
        form.host.takeLines();
        form.host.scriptRnd({0.25f, 0.25f, 0.25f, 0.25f, 0.25f});
        form.host.failNext(c.kind, c.operation);
        form.run(c.run);
        const Lines lines = form.host.takeLines();
        const std::string failed = std::string("fail ") + c.kind + " " + c.operation;
        const auto failure = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(failed, 0) == 0; });
        ASSERT_NE(failure, lines.end()) << c.handler << " " << c.operation;
        const Lines after(failure + 1, lines.end());
        if (*c.expectedError) {
            EXPECT_EQ(after, Lines {c.expectedError}) << c.handler << " " << c.operation;
        } else {
            EXPECT_EQ(after, (Lines {"set tmrtime.Interval 1"})) << c.handler << " " << c.operation;
        }
        const Single newCentre = 0.25f * 5295;
        const int set = (form.code.centerx == newCentre) + (form.code.centery == 0.25f * 3210)
            + (form.code.red == 64) + (form.code.green == 64) + (form.code.blue == 64);
        EXPECT_EQ(set, c.statesSet) << c.handler << " " << c.operation;
    }
}

TEST(DrawingStateTest, ColorStopsAtTheFailingComponent)
{
    // Color reads nothing from the window; a floating-point fault is its only
    // way to fail, so make the second draw not a number.
    Form form;
    form.loadWith({0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
    form.host.scriptRnd({0.25f, std::numeric_limits<Single>::quiet_NaN(), 0.25f});
    form.run(&DrawingState::cmdcolor_Click);
    EXPECT_EQ(form.host.takeLines().back(), "error 11 -");
    EXPECT_EQ(std::tuple(form.code.red, form.code.green, form.code.blue), std::tuple(64, 128, 128));
}

TEST(DrawingStateTest, FasterWhenEvenOneFails)
{
    Form form;
    form.host.presetInterval(300);
    form.host.failNext("set", "tmrtime.Interval");
    form.run(&DrawingState::cmdfast_Click);
    EXPECT_EQ(form.host.takeLines(),
        (Lines {"get tmrtime.Interval 300", "fail set tmrtime.Interval 200", "set tmrtime.Interval 1"}));
    EXPECT_EQ(form.host.interval(), 1);
}

} // namespace
