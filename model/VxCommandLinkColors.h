#pragma once
/// The colour set of a command link button: background, gradients of the normal, hot and pressed
/// looks, border colours and text colours per state. It can be saved to and loaded from a small
/// INI colour file. \file

#include "Graphics.h"
#include "VxPersistent.h"

#include <QString>

/// What a colour set needs of the button that owns it. The command link control (in the widget
/// layer) implements it; the model never sees the widget.
class CommandLinkColorOwner {
public:
    virtual ~CommandLinkColorOwner() = default;
    virtual void SetColor(TColor Value) = 0;
};

class TVxCommandLinkColors : public TVxChangePersistent {
    VX_PUBLISHED_CLASS
public:
    explicit TVxCommandLinkColors(CommandLinkColorOwner* AButton = nullptr);

    /// Copies Enabled and the sixteen colours without notifying; anything else raises
    /// EConvertError.
    void Assign(const TPersistent* Source) override;

    /// Writes section "General" (Version = 1) and section "Color" into AFilename, keeping every
    /// other section and key of an existing file. Errors of the file writer propagate.
    void SaveToFile(const QString& AFilename) const;
    /// False, changing nothing, when the file does not exist. Otherwise applies every colour of
    /// section "Color" through its setter (missing keys take their file defaults) and returns
    /// True. A value that is neither a colour name nor an integer raises EConvertError; colours
    /// applied before it stay.
    bool LoadFromFile(const QString& AFilename);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TColor BorderInner() const { return FBorderInner; }
    void SetBorderInner(TColor Value);
    TColor BorderOuter() const { return FBorderOuter; }
    void SetBorderOuter(TColor Value);
    TColor Color() const { return FColor; }
    /// Also sets the owning button's Color.
    void SetColor(TColor Value);
    TColor DefaultBorderInner() const { return FDefaultBorderInner; }
    void SetDefaultBorderInner(TColor Value);
    TColor DefaultBorderOuter() const { return FDefaultBorderOuter; }
    void SetDefaultBorderOuter(TColor Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);
    TColor FontDisabledColor() const { return FFontDisabledColor; }
    void SetFontDisabledColor(TColor Value);
    TColor FontHotColor() const { return FFontHotColor; }
    void SetFontHotColor(TColor Value);
    TColor FontPressedColor() const { return FFontPressedColor; }
    void SetFontPressedColor(TColor Value);
    TColor GradientEnd() const { return FGradientEnd; }
    void SetGradientEnd(TColor Value);
    TColor GradientPen() const { return FGradientPen; }
    void SetGradientPen(TColor Value);
    TColor GradientStart() const { return FGradientStart; }
    void SetGradientStart(TColor Value);
    TColor HotGradientEnd() const { return FHotGradientEnd; }
    void SetHotGradientEnd(TColor Value);
    TColor HotGradientStart() const { return FHotGradientStart; }
    void SetHotGradientStart(TColor Value);
    TColor PressedGradientEnd() const { return FPressedGradientEnd; }
    void SetPressedGradientEnd(TColor Value);
    TColor PressedGradientStart() const { return FPressedGradientStart; }
    void SetPressedGradientStart(TColor Value);

    CommandLinkColorOwner* CommandLinkButton() const { return FCommandLinkButton; }

private:
    void SetColorField(TColor& Field, TColor Value);

    bool FEnabled = false;
    TColor FBorderInner;
    TColor FPressedGradientStart;
    TColor FGradientEnd;
    TColor FHotGradientEnd;
    TColor FPressedGradientEnd;
    TColor FBorderOuter;
    TColor FGradientStart;
    TColor FHotGradientStart;
    TColor FFontColor;
    TColor FFontHotColor;
    TColor FGradientPen;
    TColor FFontDisabledColor;
    TColor FDefaultBorderOuter;
    TColor FDefaultBorderInner;
    TColor FFontPressedColor;
    CommandLinkColorOwner* FCommandLinkButton;
    TColor FColor;
};
