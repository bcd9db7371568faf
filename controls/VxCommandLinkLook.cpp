#include "VxCommandLinkLook.h"

TColor CommandLinkTextColorFor(const TVxCommandLinkState& State, const TVxCommandLinkColorSet& Colors)
{
    const bool set = Colors.Enabled;
    if (!State.Enabled)
        return set ? Colors.FontDisabledColor : clGrayText;
    if (State.Hot && !State.Pressed)
        return set ? Colors.FontHotColor : CommandLinkHotTextColor;
    if (State.Pressed)
        return set && Colors.FontPressedColor != clNone ? Colors.FontPressedColor : CommandLinkTextColor;
    return set ? Colors.FontColor : CommandLinkTextColor;
}

TVxCommandLinkLook CommandLinkNativeLook(const TVxCommandLinkState& State, const TVxCommandLinkColorSet& Colors,
                                         TColor ButtonColor, bool CustomStyle)
{
    const bool set = Colors.Enabled;
    TVxCommandLinkLook look;
    look.Brush = set ? Colors.Color : ButtonColor;
    auto orBrush = [&](TColor C) { return C == clNone ? look.Brush : C; };
    if (set) {
        look.BackgroundStart = orBrush(Colors.GradientStart);
        look.BackgroundEnd = orBrush(Colors.GradientEnd);
    } else {
        look.BackgroundStart = look.BackgroundEnd = look.Brush;
    }
    look.Text = CommandLinkTextColorFor(State, Colors);

    // A border of clNone keeps the pen of what was drawn before it.
    auto borders = [&](TColor Outer, TColor Inner, TColor PenBefore) {
        look.BorderOuter = Outer == clNone ? PenBefore : Outer;
        look.BorderInner = Inner == clNone ? look.BorderOuter : Inner;
    };

    if (State.Enabled && State.Hot) {
        if (State.Pressed) {
            if (set) {
                const bool pressedColors = Colors.PressedGradientStart != clNone && Colors.PressedGradientEnd != clNone;
                look.BackgroundStart = orBrush(pressedColors ? Colors.PressedGradientStart : Colors.GradientStart);
                look.BackgroundEnd = orBrush(pressedColors ? Colors.PressedGradientEnd : Colors.GradientEnd);
            } else if (!CustomStyle) {
                look.BackgroundStart = look.BackgroundEnd = CommandLinkPressedColor;
            }
            look.PressedInnerFrame = true;
            borders(Colors.BorderOuter, Colors.BorderInner, look.Brush);
        } else {
            TColor pen = clNone;
            if (set) {
                look.BackgroundStart = orBrush(Colors.HotGradientStart);
                look.BackgroundEnd = orBrush(Colors.HotGradientEnd);
                pen = orBrush(Colors.GradientPen);
            } else if (!CustomStyle) {
                look.BackgroundStart = CommandLinkHotGradientStart;
                look.BackgroundEnd = CommandLinkHotGradientEnd;
                pen = CommandLinkGradientPen;
            }
            look.HotLine = pen;
            borders(Colors.BorderOuter, Colors.BorderInner, pen);
        }
    } else if (State.DefaultFrame) {
        borders(Colors.DefaultBorderOuter, Colors.DefaultBorderInner, clNone);
    }
    return look;
}
