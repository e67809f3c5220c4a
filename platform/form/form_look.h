#pragma once

#include "platform/services/scalar_types.h"

// How every host draws what a platform would otherwise draw its own way (the
// buttons' border, pressed face and caption, the focus frames) and which keys
// on the drawing area count as its click, so that the desktop, the page and
// the Windows program look and answer alike. Colours are 0x00BBGGRR patterns;
// sizes are logical pixels. The buttons' faces and places are the
// definition's, laid out by FormLayout.
class FormLook {
public:
    static constexpr Colour kButtonBorder = 0x00404040u;
    static constexpr Colour kCaption = 0x00000000u;
    // Pressed, a face shows at half its brightness: each component halved.
    static constexpr Colour pressedFace(Colour face) { return (face >> 1) & kHalfMask; }

    // A focused control shows a dotted frame one pixel wide, this far inside
    // its edge: on a button inside its border, on the drawing area inside
    // whatever border a window manager draws. The area's frame is never
    // part of the picture.
    static constexpr Colour kButtonFocus = 0x00000000u;
    static constexpr int kButtonFocusInset = 2;
    static constexpr Colour kAreaFocus = 0x00909090u;
    static constexpr int kAreaFocusInset = 1;

    // The keys a host tells apart on the drawing area.
    enum class Key { Space, Return, Other };
    enum class KeyAction {
        // Not the area's: the platform does with it what it does.
        PassedOn,
        // The area's, and nothing more: the repeats of a held key.
        Kept,
        // A click on the bare area.
        Clicks,
    };
    // Space or Return alone clicks the area once per press; with a modifier,
    // or any other key, it is passed on.
    static constexpr KeyAction areaKey(Key key, bool modified, bool repeated)
    {
        if (key == Key::Other || modified)
            return KeyAction::PassedOn;
        return repeated ? KeyAction::Kept : KeyAction::Clicks;
    }

private:
    static constexpr Colour kHalfMask = 0x007F7F7Fu;
};
