#pragma once
/// The colours of a command link: the colour set a button paints with, and the rules that pick
/// the background, the borders and the text colour for each state of the native look. \file

#include "Graphics.h"

/// The colour set of a command link as a plain value. The dialog model keeps its own colour set
/// object (with its colour file); the engine copies that object's values into this form, so the
/// controls do not depend on the model. Defaults are those of a new set.
struct TVxCommandLinkColorSet {
    /// Use this set; otherwise the button paints with its built-in colours.
    bool Enabled = false;
    TColor BorderInner = 0x00C6C6C6;
    TColor BorderOuter = 0x00EAEAEA;
    TColor Color = clWindow;
    TColor DefaultBorderInner = 0x00FFEFAE;
    TColor DefaultBorderOuter = 0x00FFF4C7;
    TColor FontColor = 0x00551C15;
    TColor FontDisabledColor = clGrayText;
    TColor FontHotColor = 0x00E54A07;
    /// clNone: 0x00551C15.
    TColor FontPressedColor = clNone;
    TColor GradientEnd = clNone;
    TColor GradientPen = 0x00FBFBFB;
    TColor GradientStart = clNone;
    TColor HotGradientEnd = 0x00F6F6F6;
    TColor HotGradientStart = 0x00FFFFFF;
    TColor PressedGradientEnd = 0x00ECECEB;
    /// Either pressed colour clNone: the pressed look uses the background gradient.
    TColor PressedGradientStart = 0x00ECECEB;

    bool operator==(const TVxCommandLinkColorSet&) const = default;
};

/// Built-in colours of a button whose colour set is not enabled.
constexpr TColor CommandLinkTextColor = 0x00551C15;
constexpr TColor CommandLinkHotTextColor = 0x00E54A07;
constexpr TColor CommandLinkPressedColor = 0x00ECECEB;
constexpr TColor CommandLinkHotGradientStart = 0x00FFFFFF;
constexpr TColor CommandLinkHotGradientEnd = 0x00F6F6F6;
constexpr TColor CommandLinkGradientPen = 0x00FBFBFB;

/// What the user sees of a button at one moment.
struct TVxCommandLinkState {
    bool Enabled = true;
    /// The mouse is over the button.
    bool Hot = false;
    /// The left mouse button is held down on the button (the mouse may have left it).
    bool Pressed = false;
    /// The button shows the default border (see TVxCustomCommandLinkButton::Paint).
    bool DefaultFrame = false;
};

/// The text colour (caption and info) of a state. Disabled wins, then hot (only while the
/// button is not held), then held, then normal.
TColor CommandLinkTextColorFor(const TVxCommandLinkState& State, const TVxCommandLinkColorSet& Colors);

/// The native look of one state, as colours (clNone: nothing painted there).
struct TVxCommandLinkLook {
    /// Brush of the button: the set's Color when it is enabled, else the button's own colour.
    TColor Brush = clNone;
    /// Vertical gradient over the button; Start == End for a flat fill.
    TColor BackgroundStart = clNone;
    TColor BackgroundEnd = clNone;
    /// Hot look: a line two pixels above the bottom (clNone: none).
    TColor HotLine = clNone;
    /// Pressed look: a rectangle three pixels inside the edge in the brush colour.
    bool PressedInnerFrame = false;
    /// Borders (corner 2 x 2 outer, 5 x 5 inner); clNone: no border of that kind.
    TColor BorderOuter = clNone;
    TColor BorderInner = clNone;
    TColor Text = clNone;

    bool operator==(const TVxCommandLinkLook&) const = default;
};

/// The native look for a state. ButtonColor is the button's Color; CustomStyle says whether a
/// non-system visual style is active (it keeps the built-in hot and pressed fills away).
/// A gradient colour of clNone falls back to the brush, so an enabled set without gradient
/// colours paints a plain background.
TVxCommandLinkLook CommandLinkNativeLook(const TVxCommandLinkState& State, const TVxCommandLinkColorSet& Colors,
                                         TColor ButtonColor, bool CustomStyle);
