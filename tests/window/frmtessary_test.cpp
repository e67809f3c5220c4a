#include "window/frmtessary.h"

#include "logic/drawing_state.h"
#include "tools/recording/recording_host.h"
#include "tessary_version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

TEST(FrmtessaryTest, ButtonsStandInOneRowWithTheirGaps)
{
    ASSERT_EQ(frmtessary.buttons.size(), 6u);
    std::vector<Single> gaps;
    for (size_t i = 1; i < frmtessary.buttons.size(); ++i) {
        const ButtonDefinition& left = frmtessary.buttons[i - 1];
        const ButtonDefinition& right = frmtessary.buttons[i];
        EXPECT_EQ(left.top, right.top);
        gaps.push_back(right.left - (left.left + left.width));
    }
    EXPECT_EQ(gaps, (std::vector<Single> {225, 225, 345, 225, 225}));
    const ButtonDefinition& last = frmtessary.buttons.back();
    EXPECT_LE(last.left + last.width, frmtessary.settings.clientWidth);
}

TEST(FrmtessaryTest, TabOrderRunsSlowerFasterClearColorMoveStop)
{
    std::vector<ButtonDefinition> byTab(frmtessary.buttons.begin(), frmtessary.buttons.end());
    std::sort(byTab.begin(), byTab.end(), [](const auto& a, const auto& b) { return a.tabIndex < b.tabIndex; });
    std::vector<std::string_view> captions;
    for (const ButtonDefinition& b : byTab)
        captions.push_back(b.caption);
    EXPECT_EQ(captions, (std::vector<std::string_view> {"Slower", "Faster", "Clear", "Color", "Move", "Stop"}));
    EXPECT_EQ(byTab.front().tabIndex, 0);
}

TEST(FrmtessaryTest, EveryControlEventReachesItsOwnHandler)
{
    // Each wired event, run against the stand-in, must leave the trace that only
    // its own handler leaves; a row pointing at the wrong handler shows here.
    struct Case {
        std::string_view source;
        FormEvent event;
        std::string firstLine;
    };
    const Case cases[] = {
        {"frmtessary", FormEvent::Load, "rnd"},
        {"frmtessary", FormEvent::Click, "set tmrtime.Enabled -1"},
        {"tmrtime", FormEvent::Timer, "rnd"},
        {"cmdmove", FormEvent::Click, "rnd"},
        {"cmdcolor", FormEvent::Click, "rnd"},
        {"cmdclear", FormEvent::Click, "set frmtessary.FillColor 0x00000000"},
        {"cmdslow", FormEvent::Click, "get tmrtime.Interval 1"},
        {"cmdfast", FormEvent::Click, "get tmrtime.Interval 1"},
        {"cmdstop", FormEvent::Click, "set tmrtime.Enabled 0"},
    };
    RecordingHost host(frmtessary);
    const auto session = frmtessary.openSession(host.services());
    ASSERT_EQ(frmtessary.wiring().size(), std::size(cases));
    std::set<std::vector<std::string>> traces;
    for (const Case& c : cases) {
        host.presetInterval(1);
        ASSERT_TRUE(session->deliver(c.source, c.event)) << c.source;
        const auto lines = host.takeLines();
        ASSERT_FALSE(lines.empty()) << c.source;
        EXPECT_EQ(lines.front().substr(0, c.firstLine.size()), c.firstLine) << c.source;
        traces.insert({lines.begin(), lines.end()});
    }
    EXPECT_EQ(traces.size(), std::size(cases)) << "two events ran the same handler";
}

TEST(FrmtessaryTest, NoButtonIsWiredToTheWindowsOwnClick)
{
    const auto wiring = frmtessary.wiring();
    for (const ButtonDefinition& b : frmtessary.buttons) {
        EXPECT_EQ(std::count_if(wiring.begin(), wiring.end(), [&](const auto& row) { return row.source == b.name; }), 1)
            << b.name;
    }
    EXPECT_EQ(tessaryProject.name, "Tessary");
    EXPECT_EQ(tessaryProject.version, TESSARY_VERSION) << "not the project's version";
}

} // namespace
