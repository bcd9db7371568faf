#pragma once
/// The dialog's option objects: one per dialog area, owned by the dialog and published as its
/// properties, plus the small value objects they use. \file

#include "Graphics.h"
#include "Picture.h"
#include "StringList.h"
#include "VxPersistent.h"
#include "VxTypes.h"

#include <QRect>

#include <memory>

class TVxCustomDialog;

/// A two-colour gradient fill.
class TVxGradient : public TVxChangePersistent {
    VX_PUBLISHED_CLASS
public:
    TVxGradient() = default;

    TGradientDirection Direction() const { return FDirection; }
    void SetDirection(TGradientDirection Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor Value);
    TColor StartColor() const { return FStartColor; }
    void SetStartColor(TColor Value);

    /// Copies the values without notification.
    void Assign(const TPersistent* Source) override;

private:
    TGradientDirection FDirection = gdHorizontal;
    bool FEnabled = false;
    TColor FEndColor = clNone;
    TColor FStartColor = clNone;
};

/// How an area of the dialog is filled; kept by the dialog for its body, never streamed.
class TVxBackground : public TVxChangePersistent {
    VX_PUBLISHED_CLASS
public:
    /// The background keeps its own gradient: AGradient (when given) is copied, never shared.
    TVxBackground(TColor AColor, const TVxGradient* AGradient, const QRect& ACopyRect, bool ABuffered, bool AAutoFree);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TVxGradient* Gradient() const { return FGradient.get(); }
    bool AutoFree() const { return FAutoFree; }
    QRect CopyRect() const { return FCopyRect; }
    void SetCopyRect(const QRect& Value) { FCopyRect = Value; }
    bool Buffered() const { return FBuffered; }
    void SetBuffered(bool Value) { FBuffered = Value; }

    void Assign(const TPersistent* Source) override;

private:
    TColor FColor;
    std::unique_ptr<TVxGradient> FGradient;
    QRect FCopyRect;
    bool FBuffered;
    bool FAutoFree;
};

/// The bar of common buttons at the bottom of the dialog.
class TVxButtonBarOptions : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    /// With style services enabled the bar starts with the active style's RGB button face colour,
    /// otherwise with clBtnFace.
    explicit TVxButtonBarOptions(TVxCustomDialog* ADialog);

    TCommonButtons Buttons() const { return FButtons; }
    void SetButtons(TCommonButtons Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TCommonButton Default() const { return FDefault; }
    void SetDefault(TCommonButton Value);
    TCommonButton Cancel() const { return FCancel; }
    void SetCancel(TCommonButton Value);
    bool ShowDivider() const { return FShowDivider; }
    void SetShowDivider(bool Value) { FShowDivider = Value; }
    bool UseDefault() const { return FUseDefault; }
    void SetUseDefault(bool Value) { FUseDefault = Value; }
    bool UseCancel() const { return FUseCancel; }
    void SetUseCancel(bool Value) { FUseCancel = Value; }

    /// Picks the default and the cancel button from Buttons; a role no rule applies to keeps its
    /// button.
    void DetermineDefaults();

    void Assign(const TPersistent* Source) override;

private:
    TCommonButtons FButtons{cbOK, cbCancel};
    TColor FColor = clBtnFace;
    bool FVisible = true;
    TCommonButton FDefault = cbOK;
    TCommonButton FCancel = cbCancel;
    bool FShowDivider = true;
    bool FUseDefault = true;
    bool FUseCancel = true;
};

/// The main instruction: the large first line of the dialog, with an optional glyph.
class TVxInstruction : public TVxTextSection {
    VX_PUBLISHED_CLASS
public:
    /// The font starts as the default instruction font.
    explicit TVxInstruction(TVxCustomDialog* ADialog);
    ~TVxInstruction() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    QString Text() const { return FText; }
    void SetText(const QString& Value);
    bool ShowAtTop() const { return FShowAtTop; }
    void SetShowAtTop(bool Value);
    TPicture* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TPicture* Value);
    TTaskDialogIcon Icon() const { return FIcon; }
    /// Any kind but tdiCustom drops the picture in Glyph.
    void SetIcon(TTaskDialogIcon Value);
    bool ShowGlyph() const { return FShowGlyph; }
    void SetShowGlyph(bool Value);

    /// A stock glyph kind is selected.
    bool HasGlyph() const;
    /// A picture is present and meant to be shown.
    bool HasCustomGlyph() const;
    bool GlyphAvailable() const;
    /// The picture's size whenever one is present; otherwise 32 for a stock glyph, else 0.
    int GlyphWidth() const;
    int GlyphHeight() const;

    /// Copies everything and notifies once, also when the copy fails.
    void Assign(const TPersistent* Source) override;

private:
    bool HasPicture() const;

    TColor FColor = clNone;
    std::unique_ptr<TFont> FFont;
    QString FText;
    bool FShowAtTop = false;
    std::unique_ptr<TPicture> FGlyph;
    TTaskDialogIcon FIcon = tdiNone;
    bool FShowGlyph = false;
};

/// Settings of the expand/collapse animation.
class TVxAnimate : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    TVxAnimate() = default;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TVxSpeedRange Speed() const { return FSpeed; }
    void SetSpeed(TVxSpeedRange Value) { FSpeed = Value; }
    TVxStepRange Step() const { return FStep; }
    void SetStep(TVxStepRange Value) { FStep = Value; }

    void Assign(const TPersistent* Source) override;

private:
    bool FEnabled = false;
    TVxSpeedRange FSpeed = 10;
    TVxStepRange FStep = 2;
};

/// The expandable section of further information.
class TVxExpando : public TVxTextSection {
    VX_PUBLISHED_CLASS
public:
    explicit TVxExpando(TVxCustomDialog* ADialog);
    ~TVxExpando() override;

    TVxAnimate* Animate() const { return FAnimate.get(); }
    void SetAnimate(const TVxAnimate* Value);
    TStrings* Lines() const { return FLines.get(); }
    /// Copies only when the text differs.
    void SetLines(const TStrings* Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    bool Showing() const { return FShowing; }
    void SetShowing(bool Value);
    bool ShowInFooter() const { return FShowInFooter; }
    void SetShowInFooter(bool Value);
    int MoreHeight() const { return FMoreHeight; }
    void SetMoreHeight(int Value);
    TMoreFormat MoreFormat() const { return FMoreFormat; }
    void SetMoreFormat(TMoreFormat Value) { FMoreFormat = Value; }
    TScrollStyle MoreScrollbars() const { return FMoreScrollbars; }
    void SetMoreScrollbars(TScrollStyle Value) { FMoreScrollbars = Value; }
    TMoreSource MoreSource() const { return FMoreSource; }
    void SetMoreSource(TMoreSource Value) { FMoreSource = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    QString ShowText() const { return FShowText; }
    void SetShowText(const QString& Value);
    QString HideText() const { return FHideText; }
    void SetHideText(const QString& Value);

    /// Run-time state of the engine: the section is expanded.
    bool FShowMore = false;

    /// A source of another class is ignored. The animation settings are not copied.
    void Assign(const TPersistent* Source) override;

private:
    std::unique_ptr<TVxAnimate> FAnimate;
    std::unique_ptr<TStringList> FLines;
    std::unique_ptr<TFont> FFont;
    bool FShowing = false;
    bool FShowInFooter = false;
    int FMoreHeight = 0;
    TMoreFormat FMoreFormat = mfText;
    TScrollStyle FMoreScrollbars = ssBoth;
    TMoreSource FMoreSource = msDefault;
    bool FVisible = false;
    QString FShowText;
    QString FHideText;
};

/// Common part of the header band and the footer. Text and Icon notify only while the area is
/// visible, since an invisible area has nothing to redraw.
class TVxBaseOptions : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    explicit TVxBaseOptions(TVxCustomDialog* ADialog);
    ~TVxBaseOptions() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    QString Text() const { return FText; }
    void SetText(const QString& Value);
    TPicture* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TPicture* Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    TTaskDialogIcon Icon() const { return FIcon; }
    void SetIcon(TTaskDialogIcon Value);
    bool Visible() const { return FVisible; }
    /// Always notifies, also when the value does not change.
    void SetVisible(bool Value);
    TVxImageAlignment ImageAlignment() const { return FImageAlignment; }
    void SetImageAlignment(TVxImageAlignment Value) { FImageAlignment = Value; }

    /// True when the font differs from the platform's default font description.
    virtual bool FontDiffersFromDefault() const { return false; }

    /// Copies everything and notifies once.
    void Assign(const TPersistent* Source) override;

protected:
    TColor FColor = 0;

private:
    QString FText;
    std::unique_ptr<TPicture> FGlyph;
    std::unique_ptr<TFont> FFont;
    TTaskDialogIcon FIcon = tdiNone;
    bool FVisible = false;
    TVxImageAlignment FImageAlignment = vxImageAlignLeft;
};

/// The header band above the instruction. Its font is written to the form text whenever it was
/// changed from the platform default, because the engine never replaces it with a default font.
class TVxHeader : public TVxBaseOptions {
    VX_PUBLISHED_CLASS
public:
    explicit TVxHeader(TVxCustomDialog* ADialog);
    ~TVxHeader() override;

    TVxGradient* Gradient() const { return FGradient.get(); }
    void SetGradient(const TVxGradient* Value);
    TVxIconSize IconSize() const { return FIconSize; }
    void SetIconSize(TVxIconSize Value) { FIconSize = Value; }

    bool FontDiffersFromDefault() const override;

    void Assign(const TPersistent* Source) override;

private:
    std::unique_ptr<TVxGradient> FGradient;
    TVxIconSize FIconSize = isLarge;
};

class TVxFooter : public TVxBaseOptions {
    VX_PUBLISHED_CLASS
public:
    explicit TVxFooter(TVxCustomDialog* ADialog);
};

/// The help link line.
class TVxHelpLink : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    /// The font takes the dialog font's name and size at this moment, underlined and blue.
    explicit TVxHelpLink(TVxCustomDialog* ADialog);
    ~TVxHelpLink() override;

    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    THelpType HelpType() const { return FHelpType; }
    void SetHelpType(THelpType Value) { FHelpType = Value; }
    QString HelpKeyword() const { return FHelpKeyword; }
    void SetHelpKeyword(const QString& Value) { FHelpKeyword = Value; }
    QString Text() const { return FText; }
    void SetText(const QString& Value);

    /// A source of another class is ignored.
    void Assign(const TPersistent* Source) override;

private:
    std::unique_ptr<TFont> FFont;
    int FHelpContext = 0;
    THelpType FHelpType = htContext;
    QString FHelpKeyword;
    QString FText;
};

/// The verification check box.
class TVxVerification : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    explicit TVxVerification(TVxCustomDialog* ADialog) : TVxDialogOwnedPersistent(ADialog) {}

    bool InitialState() const { return FInitialState; }
    void SetInitialState(bool Value) { FInitialState = Value; }
    QString Text() const { return FText; }
    void SetText(const QString& Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    void Assign(const TPersistent* Source) override;

private:
    bool FInitialState = false;
    QString FText;
    bool FVisible = false;
};

/// Progress bar settings.
class TVxProgress : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    explicit TVxProgress(TVxCustomDialog* ADialog) : TVxDialogOwnedPersistent(ADialog) {}

    quint32 Interval() const { return FInterval; }
    void SetInterval(quint32 Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Min() const { return FMin; }
    void SetMin(int Value) { FMin = Value; }
    int Step() const { return FStep; }
    void SetStep(int Value);
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    bool ShowOnTaskBar() const { return FShowOnTaskBar; }
    void SetShowOnTaskBar(bool Value);
    TProgressBarState State() const { return FState; }
    void SetState(TProgressBarState Value);
    bool UseNativeProgressBar() const { return FUseNativeProgressBar; }
    void SetUseNativeProgressBar(bool Value);

    /// Copies everything but ShowOnTaskBar and notifies once, also when the copy fails.
    void Assign(const TPersistent* Source) override;

private:
    quint32 FInterval = 100;
    int FMax = 100;
    int FMin = 0;
    int FStep = 1;
    int FPosition = 0;
    bool FShowOnTaskBar = false;
    TProgressBarState FState = pbstNormal;
    bool FUseNativeProgressBar = true;
};

/// The frame drawn around the dialog.
class TVxBorder : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    explicit TVxBorder(TVxCustomDialog* ADialog) : TVxDialogOwnedPersistent(ADialog) {}

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }

    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clGray;
    int FWidth = 1;
    bool FVisible = false;
};

/// Window position used with dpDesigned.
class TVxLocation : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    TVxLocation() = default;

    int Left() const { return FLeft; }
    void SetLeft(int Value) { FLeft = Value; }
    int Top() const { return FTop; }
    void SetTop(int Value) { FTop = Value; }

    /// A source of another class is ignored.
    void Assign(const TPersistent* Source) override;

private:
    int FLeft = -1;
    int FTop = -1;
};

/// The dialog's timer. A new interval notifies the dialog, which restarts the timer of a showing
/// window with it.
class TVxTimer : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    explicit TVxTimer(TVxCustomDialog* ADialog) : TVxDialogOwnedPersistent(ADialog) {}

    quint32 Interval() const { return FInterval; }
    void SetInterval(quint32 Value);

    /// Copies the interval; notifies when it changes.
    void Assign(const TPersistent* Source) override;

private:
    quint32 FInterval = 1000;
};

/// Layout of the radio button group.
class TVxRadioButton : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    explicit TVxRadioButton(TVxCustomDialog* ADialog) : TVxDialogOwnedPersistent(ADialog) {}

    int Columns() const { return FColumns; }
    void SetColumns(int Value) { FColumns = Value; }
    bool ShowBorder() const { return FShowBorder; }
    void SetShowBorder(bool Value) { FShowBorder = Value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }

    /// A source of another class is ignored.
    void Assign(const TPersistent* Source) override;

private:
    int FColumns = 1;
    bool FShowBorder = false;
    QString FCaption;
};

/// How a sheet-style dialog slides in.
class TVxSheetOptions : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    explicit TVxSheetOptions(TVxCustomDialog* ADialog) : TVxDialogOwnedPersistent(ADialog) {}

    TVxSheetLocation Location() const { return FLocation; }
    void SetLocation(TVxSheetLocation Value);
    quint32 Interval() const { return FInterval; }
    void SetInterval(quint32 Value);

    /// Copies without notification.
    void Assign(const TPersistent* Source) override;

private:
    TVxSheetLocation FLocation = slActiveForm;
    quint32 FInterval = 500;
};

/// Remembers a size to tell later whether it changed.
class TVxSizeComparer : public TObject {
public:
    TVxSizeComparer(int aWidth, int aHeight) : FWidth(aWidth), FHeight(aHeight) {}
    bool IsEqual(int aWidth, int aHeight) const { return aWidth == FWidth && aHeight == FHeight; }

private:
    int FWidth;
    int FHeight;
};
