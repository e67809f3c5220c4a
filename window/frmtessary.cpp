#include "window/frmtessary.h"

#include "logic/drawing_state.h"
#include "tessary_version.h"

#include <array>

namespace {

constexpr std::string_view kFormName = "frmtessary";
constexpr std::string_view kTimerName = "tmrtime";
constexpr Colour kMenuTextColour = 0x80000007u;
constexpr Colour kLightPink = 0x00C0C0FFu;

constexpr std::array<ButtonDefinition, 6> kButtons = {{
    // name        caption   left  top  width height tab  back        style
    {"cmdmove", "Move", 0, 240, 615, 255, 4, kLightPink, kButtonStyleGraphical},
    {"cmdcolor", "Color", 840, 240, 615, 255, 3, kLightPink, kButtonStyleGraphical},
    {"cmdslow", "Slower", 1680, 240, 615, 255, 0, kLightPink, kButtonStyleGraphical},
    {"cmdfast", "Faster", 2640, 240, 615, 255, 1, kLightPink, kButtonStyleGraphical},
    {"cmdstop", "Stop", 3480, 240, 615, 255, 5, kLightPink, kButtonStyleGraphical},
    {"cmdclear", "Clear", 4320, 240, 615, 255, 2, kLightPink, kButtonStyleGraphical},
}};

constexpr std::array<WiringEntry<DrawingState>, 9> kWiring = {{
    {kFormName, FormEvent::Load, &DrawingState::Form_Load},
    {kFormName, FormEvent::Click, &DrawingState::Form_Click},
    {kTimerName, FormEvent::Timer, &DrawingState::tmrtime_Timer},
    {"cmdmove", FormEvent::Click, &DrawingState::cmdmove_Click},
    {"cmdcolor", FormEvent::Click, &DrawingState::cmdcolor_Click},
    {"cmdclear", FormEvent::Click, &DrawingState::cmdclear_Click},
    {"cmdslow", FormEvent::Click, &DrawingState::cmdslow_Click},
    {"cmdfast", FormEvent::Click, &DrawingState::cmdfast_Click},
    {"cmdstop", FormEvent::Click, &DrawingState::cmdstop_Click},
}};

constexpr FormDefinition kDefinition = {
    .name = kFormName,
    .settings = {
        .caption = "Form1",
        .backColor = kMenuTextColour,
        .clientLeft = 60,
        .clientTop = 345,
        .clientWidth = 5295,
        .clientHeight = 3210,
        .startUpPosition = kStartUpWindowsDefault,
        .linkTopic = "Form1",
    },
    .buttons = kButtons,
    .timer = {.name = kTimerName, .interval = 1, .enabled = true},
};

// Saving the screen, new centres and colours come as Move and then Color bring them.
constexpr std::array<std::string_view, 2> kSaverClicks = {"cmdmove", "cmdcolor"};

} // namespace

constinit const FormOf<DrawingState> frmtessary(kDefinition, kWiring);

const ProjectDescription tessaryProject = {
    .name = "Tessary",
    .version = TESSARY_VERSION,
    .desktopId = "org.tessary.Tessary",
    .startupForm = frmtessary,
    .saverClicks = kSaverClicks,
};
