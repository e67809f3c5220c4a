#pragma once

#include "platform/services/scalar_types.h"

#include <span>
#include <string_view>

// A window described as data: what the runtime needs to build it. Positions and
// sizes are in twips.

struct FormSettings {
    std::string_view caption;
    Colour backColor;
    Single clientLeft;
    Single clientTop;
    Single clientWidth;
    Single clientHeight;
    Integer startUpPosition;
    std::string_view linkTopic;
};

struct ButtonDefinition {
    std::string_view name;
    std::string_view caption;
    Single left;
    Single top;
    Single width;
    Single height;
    Integer tabIndex;
    Colour backColor;
    Integer style;
};

struct TimerDefinition {
    std::string_view name;
    Long interval;
    bool enabled;
};

struct FormDefinition {
    std::string_view name;
    FormSettings settings;
    std::span<const ButtonDefinition> buttons;
    TimerDefinition timer;
};

// StartUpPosition: the windowing system picks where the window first appears.
inline constexpr Integer kStartUpWindowsDefault = 3;
// Style of a button whose face is painted in its BackColor.
inline constexpr Integer kButtonStyleGraphical = 1;
