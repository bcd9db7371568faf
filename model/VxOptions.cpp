#include "VxOptions.h"

#include "VxDefaultFonts.h"
#include "VxDialog.h"

namespace {

const QString kColor = QStringLiteral("TColor");
const QString kCardinal = QStringLiteral("Cardinal");

// Stores Value in Field when it differs; true when it did.
template <typename T>
bool Store(T& Field, const T& Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}

// Runs a multi-value copy with change notification suppressed and notifies once when it ends,
// whether it succeeded or failed.
template <typename Copy>
void CopyNotifyingOnce(TVxChangePersistent& Target, bool& IgnoreChange, Copy&& copy)
{
    IgnoreChange = true;
    try {
        copy();
    } catch (...) {
        IgnoreChange = false;
        Target.Changed();
        throw;
    }
    IgnoreChange = false;
    Target.Changed();
}

} // namespace

// ---------------------------------------------------------------------------------------------

bool TVxDialogOwnedPersistent::DialogUsesDefaultFonts() const
{
    return FDialog && FDialog->UseDefaultFonts();
}

// ---------------------------------------------------------------------------------------------
// TVxGradient

const TClassInfo& TVxGradient::StaticClassInfo()
{
    using C = TVxGradient;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxGradient"), &TVxChangePersistent::StaticClassInfo())
            .Enum(QStringLiteral("Direction"), &C::Direction, &C::SetDirection, GradientDirectionTypeInfo(),
                  std::optional(gdHorizontal))
            .Boolean(QStringLiteral("Enabled"), &C::Enabled, &C::SetEnabled, false)
            .Integer(QStringLiteral("EndColor"), &C::EndColor, &C::SetEndColor, clNone, kColor, &ColorNameMap())
            .Integer(QStringLiteral("StartColor"), &C::StartColor, &C::SetStartColor, clNone, kColor,
                     &ColorNameMap())
            .Build();
    return info;
}

void TVxGradient::SetDirection(TGradientDirection Value)
{
    if (Store(FDirection, Value))
        Changed();
}

void TVxGradient::SetEnabled(bool Value)
{
    if (Store(FEnabled, Value))
        Changed();
}

void TVxGradient::SetEndColor(TColor Value)
{
    if (Store(FEndColor, Value))
        Changed();
}

void TVxGradient::SetStartColor(TColor Value)
{
    if (Store(FStartColor, Value))
        Changed();
}

void TVxGradient::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxGradient*>(Source)) {
        FEnabled = src->FEnabled;
        FDirection = src->FDirection;
        FEndColor = src->FEndColor;
        FStartColor = src->FStartColor;
        return;
    }
    TVxChangePersistent::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TVxBackground

const TClassInfo& TVxBackground::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TVxBackground>(QStringLiteral("TVxBackground"), &TVxChangePersistent::StaticClassInfo()).Build();
    return info;
}

TVxBackground::TVxBackground(TColor AColor, const TVxGradient* AGradient, const QRect& ACopyRect, bool ABuffered,
                             bool AAutoFree)
    : FColor(AColor), FGradient(std::make_unique<TVxGradient>()), FCopyRect(ACopyRect), FBuffered(ABuffered),
      FAutoFree(AAutoFree)
{
    if (AGradient)
        FGradient->Assign(AGradient);
    else
        FGradient->SetEnabled(false);
}

void TVxBackground::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxBackground*>(Source)) {
        FColor = src->FColor;
        FGradient->Assign(src->FGradient.get());
        FAutoFree = src->FAutoFree;
        FCopyRect = src->FCopyRect;
        FBuffered = src->FBuffered;
        return;
    }
    TVxChangePersistent::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TVxButtonBarOptions

const TClassInfo& TVxButtonBarOptions::StaticClassInfo()
{
    using C = TVxButtonBarOptions;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxButtonBarOptions"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Set(QStringLiteral("Buttons"), &C::Buttons, &C::SetButtons, QStringLiteral("TCommonButtons"),
                 CommonButtonTypeInfo(), TCommonButtons{cbOK, cbCancel}.Mask())
            .Integer(QStringLiteral("Color"), &C::Color, &C::SetColor, clBtnFace, kColor, &ColorNameMap())
            // Not written while a non-system visual style decides the colours.
            .Stored([](const C&) { return StyleAllowsStoredColors(); })
            .Boolean(QStringLiteral("Visible"), &C::Visible, &C::SetVisible, true)
            .Enum(QStringLiteral("Default"), &C::Default, &C::SetDefault, CommonButtonTypeInfo(), std::optional(cbOK))
            .Enum(QStringLiteral("Cancel"), &C::Cancel, &C::SetCancel, CommonButtonTypeInfo(),
                  std::optional(cbCancel))
            .Boolean(QStringLiteral("ShowDivider"), &C::ShowDivider, &C::SetShowDivider, true)
            .NoSetter()
            .Boolean(QStringLiteral("UseDefault"), &C::UseDefault, &C::SetUseDefault, true)
            .NoSetter()
            .Boolean(QStringLiteral("UseCancel"), &C::UseCancel, &C::SetUseCancel, true)
            .NoSetter()
            .Build();
    return info;
}

TVxButtonBarOptions::TVxButtonBarOptions(TVxCustomDialog* ADialog)
    : TVxDialogOwnedPersistent(ADialog), FColor(StyleServicesEnabled() ? ColorToRGB(clBtnFace) : clBtnFace)
{
}

void TVxButtonBarOptions::SetButtons(TCommonButtons Value)
{
    if (Store(FButtons, Value))
        Changed();
}

void TVxButtonBarOptions::SetColor(TColor Value)
{
    if (Store(FColor, Value))
        Changed();
}

void TVxButtonBarOptions::SetVisible(bool Value)
{
    if (Store(FVisible, Value))
        Changed();
}

void TVxButtonBarOptions::SetDefault(TCommonButton Value)
{
    if (Store(FDefault, Value))
        Changed();
}

void TVxButtonBarOptions::SetCancel(TCommonButton Value)
{
    if (Store(FCancel, Value))
        Changed();
}

void TVxButtonBarOptions::DetermineDefaults()
{
    for (TCommonButton b : {cbYes, cbOK, cbRetry, cbClose, cbAll, cbYesToAll, cbHelp}) {
        if (FButtons.Contains(b)) {
            SetDefault(b);
            break;
        }
    }

    const auto has = [this](TCommonButton b) { return FButtons.Contains(b); };
    if (has(cbCancel) || has(cbNo)) {
        SetCancel(has(cbCancel) ? cbCancel : cbNo);
    } else if (has(cbClose) || has(cbAbort)) {
        SetCancel(has(cbClose) ? cbClose : cbAbort);
    } else {
        for (TCommonButton b : {cbIgnore, cbNoToAll, cbHelp}) {
            if (has(b)) {
                SetCancel(b);
                break;
            }
        }
    }
}

void TVxButtonBarOptions::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxButtonBarOptions*>(Source)) {
        FButtons = src->FButtons;
        FVisible = src->FVisible;
        FDefault = src->FDefault;
        FCancel = src->FCancel;
        FColor = src->FColor;
        FShowDivider = src->FShowDivider;
        FUseDefault = src->FUseDefault;
        FUseCancel = src->FUseCancel;
        return;
    }
    TVxDialogOwnedPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TVxInstruction

const TClassInfo& TVxInstruction::StaticClassInfo()
{
    using C = TVxInstruction;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxInstruction"), &TVxTextSection::StaticClassInfo())
            .Integer(QStringLiteral("Color"), &C::Color, &C::SetColor, clNone, kColor, &ColorNameMap())
            .Object<TFont>(QStringLiteral("Font"), &C::Font, &C::SetFont, QStringLiteral("TFont"))
            .Stored([](const C& o) { return !o.DialogUsesDefaultFonts(); })
            .String(QStringLiteral("Text"), &C::Text, &C::SetText)
            .Boolean(QStringLiteral("ShowAtTop"), &C::ShowAtTop, &C::SetShowAtTop, false)
            .Object<TPicture>(QStringLiteral("Glyph"), &C::Glyph, &C::SetGlyph, QStringLiteral("TPicture"))
            .Enum(QStringLiteral("Icon"), &C::Icon, &C::SetIcon, TaskDialogIconTypeInfo(), std::optional(tdiNone))
            .Boolean(QStringLiteral("ShowGlyph"), &C::ShowGlyph, &C::SetShowGlyph, false)
            .Build();
    return info;
}

TVxInstruction::TVxInstruction(TVxCustomDialog* ADialog)
    : TVxTextSection(ADialog), FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TPicture>())
{
    FFont->Assign(VxDefaultFonts().GetFont(ftInstruction));
}

TVxInstruction::~TVxInstruction() = default;

void TVxInstruction::SetColor(TColor Value)
{
    if (Store(FColor, Value))
        Changed();
}

void TVxInstruction::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
    Changed();
}

void TVxInstruction::SetText(const QString& Value)
{
    if (Store(FText, Value))
        Changed();
}

void TVxInstruction::SetShowAtTop(bool Value)
{
    if (Store(FShowAtTop, Value))
        Changed();
}

void TVxInstruction::SetGlyph(const TPicture* Value)
{
    FGlyph->Assign(Value);
}

void TVxInstruction::SetIcon(TTaskDialogIcon Value)
{
    if (FIcon == Value)
        return;
    FIcon = Value;
    if (Value != tdiCustom)
        FGlyph->Clear();
    Changed();
}

void TVxInstruction::SetShowGlyph(bool Value)
{
    if (Store(FShowGlyph, Value))
        Changed();
}

bool TVxInstruction::HasPicture() const
{
    const TGraphic* graphic = FGlyph->Graphic();
    return graphic && !graphic->Empty();
}

bool TVxInstruction::HasGlyph() const
{
    switch (FIcon) {
    case tdiWarning:
    case tdiError:
    case tdiInformation:
    case tdiConfirmation:
    case tdiShield:
        return true;
    case tdiNone:
    case tdiCustom:
        break;
    }
    return false;
}

bool TVxInstruction::HasCustomGlyph() const
{
    return (FShowGlyph || FIcon == tdiCustom) && HasPicture();
}

bool TVxInstruction::GlyphAvailable() const
{
    return HasCustomGlyph() || HasGlyph();
}

int TVxInstruction::GlyphWidth() const
{
    if (HasPicture())
        return FGlyph->Width();
    return HasGlyph() ? 32 : 0;
}

int TVxInstruction::GlyphHeight() const
{
    if (HasPicture())
        return FGlyph->Height();
    return HasGlyph() ? 32 : 0;
}

void TVxInstruction::Assign(const TPersistent* Source)
{
    CopyNotifyingOnce(*this, FIgnoreChange, [&] {
        auto* src = dynamic_cast<const TVxInstruction*>(Source);
        if (!src) {
            TVxTextSection::Assign(Source);
            return;
        }
        SetFont(src->FFont.get());
        SetGlyph(src->FGlyph.get());
        FText = src->FText;
        FShowAtTop = src->FShowAtTop;
        FShowGlyph = src->FShowGlyph;
        FIcon = src->FIcon;
        FColor = src->FColor;
    });
}

// ---------------------------------------------------------------------------------------------
// TVxAnimate

const TClassInfo& TVxAnimate::StaticClassInfo()
{
    using C = TVxAnimate;
    static const TClassInfo info = TClassBuilder<C>(QStringLiteral("TVxAnimate"), nullptr)
                                       .Boolean(QStringLiteral("Enabled"), &C::Enabled, &C::SetEnabled, false)
                                       .NoSetter()
                                       .Integer(QStringLiteral("Speed"), &C::Speed, &C::SetSpeed, 10,
                                                QStringLiteral("TVxSpeedRange"))
                                       .Range(2, 50)
                                       .NoSetter()
                                       .Integer(QStringLiteral("Step"), &C::Step, &C::SetStep, 2,
                                                QStringLiteral("TVxStepRange"))
                                       .Range(1, 10)
                                       .NoSetter()
                                       .Build();
    return info;
}

void TVxAnimate::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxAnimate*>(Source)) {
        FEnabled = src->FEnabled;
        FSpeed = src->FSpeed;
        FStep = src->FStep;
        return;
    }
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TVxExpando

const TClassInfo& TVxExpando::StaticClassInfo()
{
    using C = TVxExpando;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxExpando"), &TVxTextSection::StaticClassInfo())
            .Object<TVxAnimate>(QStringLiteral("Animate"), &C::Animate, &C::SetAnimate, QStringLiteral("TVxAnimate"))
            .Object<TStrings>(QStringLiteral("Lines"), &C::Lines, &C::SetLines, QStringLiteral("TStrings"))
            .Object<TFont>(QStringLiteral("Font"), &C::Font, &C::SetFont, QStringLiteral("TFont"))
            .Stored([](const C& o) { return !o.DialogUsesDefaultFonts(); })
            .Boolean(QStringLiteral("Showing"), &C::Showing, &C::SetShowing, false)
            .Boolean(QStringLiteral("ShowInFooter"), &C::ShowInFooter, &C::SetShowInFooter, false)
            .Integer(QStringLiteral("MoreHeight"), &C::MoreHeight, &C::SetMoreHeight, 0)
            .Enum(QStringLiteral("MoreFormat"), &C::MoreFormat, &C::SetMoreFormat, MoreFormatTypeInfo(),
                  std::optional(mfText))
            .NoSetter()
            .Enum(QStringLiteral("MoreScrollbars"), &C::MoreScrollbars, &C::SetMoreScrollbars, ScrollStyleTypeInfo(),
                  std::optional(ssBoth))
            .NoSetter()
            .Enum(QStringLiteral("MoreSource"), &C::MoreSource, &C::SetMoreSource, MoreSourceTypeInfo(),
                  std::optional(msDefault))
            .NoSetter()
            .Boolean(QStringLiteral("Visible"), &C::Visible, &C::SetVisible, false)
            .String(QStringLiteral("ShowText"), &C::ShowText, &C::SetShowText)
            .String(QStringLiteral("HideText"), &C::HideText, &C::SetHideText)
            .Build();
    return info;
}

TVxExpando::TVxExpando(TVxCustomDialog* ADialog)
    : TVxTextSection(ADialog), FAnimate(std::make_unique<TVxAnimate>()), FLines(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>())
{
    FLines->OnChange = TNotifyEvent([this](TObject*) { Changed(); });
}

TVxExpando::~TVxExpando()
{
    FLines->OnChange.Clear();
}

void TVxExpando::SetAnimate(const TVxAnimate* Value)
{
    FAnimate->Assign(Value);
}

void TVxExpando::SetLines(const TStrings* Value)
{
    if (Value && FLines->Text() == Value->Text())
        return;
    FLines->Assign(Value);
    Changed();
}

void TVxExpando::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
    Changed();
}

void TVxExpando::SetShowing(bool Value)
{
    if (Store(FShowing, Value))
        Changed();
}

void TVxExpando::SetShowInFooter(bool Value)
{
    if (Store(FShowInFooter, Value))
        Changed();
}

void TVxExpando::SetMoreHeight(int Value)
{
    if (Store(FMoreHeight, Value))
        Changed();
}

void TVxExpando::SetVisible(bool Value)
{
    if (Store(FVisible, Value))
        Changed();
}

void TVxExpando::SetShowText(const QString& Value)
{
    if (Store(FShowText, Value))
        Changed();
}

void TVxExpando::SetHideText(const QString& Value)
{
    if (Store(FHideText, Value))
        Changed();
}

void TVxExpando::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TVxExpando*>(Source);
    if (!src)
        return;
    SetFont(src->FFont.get());
    SetLines(src->FLines.get());
    FVisible = src->FVisible;
    FShowing = src->FShowing;
    FShowInFooter = src->FShowInFooter;
    FMoreHeight = src->FMoreHeight;
    FMoreFormat = src->FMoreFormat;
    FMoreScrollbars = src->FMoreScrollbars;
    FMoreSource = src->FMoreSource;
    FShowText = src->FShowText;
    FHideText = src->FHideText;
}

// ---------------------------------------------------------------------------------------------
// TVxBaseOptions, TVxHeader, TVxFooter

const TClassInfo& TVxBaseOptions::StaticClassInfo()
{
    using C = TVxBaseOptions;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxBaseOptions"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Integer(QStringLiteral("Color"), &C::Color, &C::SetColor, std::nullopt, kColor, &ColorNameMap())
            .NoSetter()
            .String(QStringLiteral("Text"), &C::Text, &C::SetText)
            .Object<TPicture>(QStringLiteral("Glyph"), &C::Glyph, &C::SetGlyph, QStringLiteral("TPicture"))
            .Object<TFont>(QStringLiteral("Font"), &C::Font, &C::SetFont, QStringLiteral("TFont"))
            // The engine replaces the footer font with a default font on every run, but never the
            // header font, so a changed header font is kept in the form text.
            .Stored([](const C& o) { return !o.DialogUsesDefaultFonts() || o.FontDiffersFromDefault(); })
            .Enum(QStringLiteral("Icon"), &C::Icon, &C::SetIcon, TaskDialogIconTypeInfo(), std::optional(tdiNone))
            .Boolean(QStringLiteral("Visible"), &C::Visible, &C::SetVisible, false)
            .Enum(QStringLiteral("ImageAlignment"), &C::ImageAlignment, &C::SetImageAlignment, ImageAlignmentTypeInfo(),
                  std::optional(vxImageAlignLeft))
            .NoSetter()
            .Build();
    return info;
}

TVxBaseOptions::TVxBaseOptions(TVxCustomDialog* ADialog)
    : TVxDialogOwnedPersistent(ADialog), FGlyph(std::make_unique<TPicture>()), FFont(std::make_unique<TFont>())
{
}

TVxBaseOptions::~TVxBaseOptions() = default;

void TVxBaseOptions::SetText(const QString& Value)
{
    if (Store(FText, Value) && FVisible)
        Changed();
}

void TVxBaseOptions::SetGlyph(const TPicture* Value)
{
    FGlyph->Assign(Value);
}

void TVxBaseOptions::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
}

void TVxBaseOptions::SetIcon(TTaskDialogIcon Value)
{
    if (Store(FIcon, Value) && FVisible)
        Changed();
}

void TVxBaseOptions::SetVisible(bool Value)
{
    FVisible = Value;
    Changed();
}

void TVxBaseOptions::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TVxBaseOptions*>(Source);
    if (!src) {
        TVxDialogOwnedPersistent::Assign(Source);
        return;
    }
    FText = src->FText;
    FVisible = src->FVisible;
    SetGlyph(src->FGlyph.get());
    FIcon = src->FIcon;
    SetFont(src->FFont.get());
    FColor = src->FColor;
    FImageAlignment = src->FImageAlignment;
    Changed();
}

const TClassInfo& TVxHeader::StaticClassInfo()
{
    using C = TVxHeader;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxHeader"), &TVxBaseOptions::StaticClassInfo())
            .Integer(QStringLiteral("Color"), &C::Color, &C::SetColor, clWindow, kColor, &ColorNameMap())
            .NoSetter()
            .Object<TVxGradient>(QStringLiteral("Gradient"), &C::Gradient, &C::SetGradient, QStringLiteral("TVxGradient"))
            .Enum(QStringLiteral("IconSize"), &C::IconSize, &C::SetIconSize, IconSizeTypeInfo(), std::optional(isLarge))
            .NoSetter()
            .Build();
    return info;
}

TVxHeader::TVxHeader(TVxCustomDialog* ADialog)
    : TVxBaseOptions(ADialog), FGradient(std::make_unique<TVxGradient>())
{
    FColor = clWindow;
}

TVxHeader::~TVxHeader() = default;

void TVxHeader::SetGradient(const TVxGradient* Value)
{
    FGradient->Assign(Value);
}

bool TVxHeader::FontDiffersFromDefault() const
{
    const TFont platformDefault;
    const TFont& f = *Font();
    return f.Height() != platformDefault.Height() || f.Orientation() != platformDefault.Orientation()
        || f.Pitch() != platformDefault.Pitch() || f.Style() != platformDefault.Style()
        || f.Charset() != platformDefault.Charset() || f.Name() != platformDefault.Name();
}

void TVxHeader::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxHeader*>(Source)) {
        FIconSize = src->FIconSize;
        FGradient->Assign(src->FGradient.get());
    }
    TVxBaseOptions::Assign(Source);
}

const TClassInfo& TVxFooter::StaticClassInfo()
{
    using C = TVxFooter;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxFooter"), &TVxBaseOptions::StaticClassInfo())
            .Integer(QStringLiteral("Color"), &C::Color, &C::SetColor, clBtnFace, kColor, &ColorNameMap())
            .NoSetter()
            .Build();
    return info;
}

TVxFooter::TVxFooter(TVxCustomDialog* ADialog) : TVxBaseOptions(ADialog)
{
    FColor = clBtnFace;
}

// ---------------------------------------------------------------------------------------------
// TVxHelpLink

const TClassInfo& TVxHelpLink::StaticClassInfo()
{
    using C = TVxHelpLink;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxHelpLink"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Object<TFont>(QStringLiteral("Font"), &C::Font, &C::SetFont, QStringLiteral("TFont"))
            .Stored([](const C& o) { return !o.DialogUsesDefaultFonts(); })
            .Integer(QStringLiteral("HelpContext"), &C::HelpContext, &C::SetHelpContext, 0,
                     QStringLiteral("THelpContext"))
            .NoSetter()
            .Enum(QStringLiteral("HelpType"), &C::HelpType, &C::SetHelpType, HelpTypeTypeInfo(), std::optional(htContext))
            .NoSetter()
            .String(QStringLiteral("HelpKeyword"), &C::HelpKeyword, &C::SetHelpKeyword)
            .NoSetter()
            .String(QStringLiteral("Text"), &C::Text, &C::SetText)
            .Build();
    return info;
}

TVxHelpLink::TVxHelpLink(TVxCustomDialog* ADialog)
    : TVxDialogOwnedPersistent(ADialog), FFont(std::make_unique<TFont>())
{
    if (const TFont* dialogFont = FDialog ? FDialog->Font() : nullptr) {
        FFont->SetName(dialogFont->Name());
        FFont->SetSize(dialogFont->Size());
    }
    FFont->SetStyle(TFontStyles{fsUnderline});
    FFont->SetColor(clBlue);
}

TVxHelpLink::~TVxHelpLink() = default;

void TVxHelpLink::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
    Changed();
}

void TVxHelpLink::SetText(const QString& Value)
{
    if (Store(FText, Value))
        Changed();
}

void TVxHelpLink::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TVxHelpLink*>(Source);
    if (!src)
        return;
    SetFont(src->FFont.get());
    FHelpType = src->FHelpType;
    FHelpKeyword = src->FHelpKeyword;
    FHelpContext = src->FHelpContext;
    FText = src->FText;
}

// ---------------------------------------------------------------------------------------------
// TVxVerification

const TClassInfo& TVxVerification::StaticClassInfo()
{
    using C = TVxVerification;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxVerification"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Boolean(QStringLiteral("InitialState"), &C::InitialState, &C::SetInitialState, false)
            .NoSetter()
            .String(QStringLiteral("Text"), &C::Text, &C::SetText)
            .Boolean(QStringLiteral("Visible"), &C::Visible, &C::SetVisible, false)
            .Build();
    return info;
}

void TVxVerification::SetText(const QString& Value)
{
    if (Store(FText, Value))
        Changed();
}

void TVxVerification::SetVisible(bool Value)
{
    if (Store(FVisible, Value))
        Changed();
}

void TVxVerification::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TVxVerification*>(Source);
    if (!src) {
        TVxDialogOwnedPersistent::Assign(Source);
        return;
    }
    FInitialState = src->FInitialState;
    SetVisible(src->FVisible);
    SetText(src->FText);
}

// ---------------------------------------------------------------------------------------------
// TVxProgress

const TClassInfo& TVxProgress::StaticClassInfo()
{
    using C = TVxProgress;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxProgress"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Integer(QStringLiteral("Interval"), &C::Interval, &C::SetInterval, 100, kCardinal)
            .Integer(QStringLiteral("Max"), &C::Max, &C::SetMax, 100)
            .Integer(QStringLiteral("Min"), &C::Min, &C::SetMin, 0)
            .NoSetter()
            .Integer(QStringLiteral("Step"), &C::Step, &C::SetStep, 1)
            .Integer(QStringLiteral("Position"), &C::Position, &C::SetPosition, 0)
            .Boolean(QStringLiteral("ShowOnTaskBar"), &C::ShowOnTaskBar, &C::SetShowOnTaskBar, false)
            .Enum(QStringLiteral("State"), &C::State, &C::SetState, ProgressBarStateTypeInfo(), std::optional(pbstNormal))
            .Boolean(QStringLiteral("UseNativeProgressBar"), &C::UseNativeProgressBar, &C::SetUseNativeProgressBar, true)
            .Build();
    return info;
}

void TVxProgress::SetInterval(quint32 Value)
{
    if (Store(FInterval, Value))
        Changed();
}

void TVxProgress::SetMax(int Value)
{
    if (Store(FMax, Value))
        Changed();
}

void TVxProgress::SetStep(int Value)
{
    if (Store(FStep, Value))
        Changed();
}

void TVxProgress::SetPosition(int Value)
{
    if (Store(FPosition, Value))
        Changed();
}

void TVxProgress::SetShowOnTaskBar(bool Value)
{
    if (Store(FShowOnTaskBar, Value))
        Changed();
}

void TVxProgress::SetState(TProgressBarState Value)
{
    if (Store(FState, Value))
        Changed();
}

void TVxProgress::SetUseNativeProgressBar(bool Value)
{
    if (Store(FUseNativeProgressBar, Value))
        Changed();
}

void TVxProgress::Assign(const TPersistent* Source)
{
    CopyNotifyingOnce(*this, FIgnoreChange, [&] {
        auto* src = dynamic_cast<const TVxProgress*>(Source);
        if (!src) {
            TVxDialogOwnedPersistent::Assign(Source);
            return;
        }
        SetMax(src->FMax);
        FMin = src->FMin;
        SetStep(src->FStep);
        SetPosition(src->FPosition);
        SetState(src->FState);
        SetInterval(src->FInterval);
        SetUseNativeProgressBar(src->FUseNativeProgressBar);
    });
}

// ---------------------------------------------------------------------------------------------
// TVxBorder, TVxLocation, TVxTimer, TVxRadioButton

const TClassInfo& TVxBorder::StaticClassInfo()
{
    using C = TVxBorder;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxBorder"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Integer(QStringLiteral("Color"), &C::Color, &C::SetColor, clGray, kColor, &ColorNameMap())
            .NoSetter()
            .Integer(QStringLiteral("Width"), &C::Width, &C::SetWidth, 1)
            .NoSetter()
            .Boolean(QStringLiteral("Visible"), &C::Visible, &C::SetVisible, false)
            .NoSetter()
            .Build();
    return info;
}

void TVxBorder::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxBorder*>(Source)) {
        FColor = src->FColor;
        FVisible = src->FVisible;
        FWidth = src->FWidth;
        return;
    }
    TVxDialogOwnedPersistent::Assign(Source);
}

const TClassInfo& TVxLocation::StaticClassInfo()
{
    using C = TVxLocation;
    static const TClassInfo info = TClassBuilder<C>(QStringLiteral("TVxLocation"), nullptr)
                                       .Integer(QStringLiteral("Left"), &C::Left, &C::SetLeft, -1)
                                       .NoSetter()
                                       .Integer(QStringLiteral("Top"), &C::Top, &C::SetTop, -1)
                                       .NoSetter()
                                       .Build();
    return info;
}

void TVxLocation::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxLocation*>(Source)) {
        FLeft = src->FLeft;
        FTop = src->FTop;
    }
}

const TClassInfo& TVxTimer::StaticClassInfo()
{
    using C = TVxTimer;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxTimer"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Integer(QStringLiteral("Interval"), &C::Interval, &C::SetInterval, 1000, kCardinal)
            .Build();
    return info;
}

void TVxTimer::SetInterval(quint32 Value)
{
    if (FInterval == Value)
        return;
    FInterval = Value;
    Changed();
}

void TVxTimer::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxTimer*>(Source)) {
        SetInterval(src->FInterval);
        return;
    }
    TVxDialogOwnedPersistent::Assign(Source);
}

const TClassInfo& TVxRadioButton::StaticClassInfo()
{
    using C = TVxRadioButton;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxRadioButton"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Integer(QStringLiteral("Columns"), &C::Columns, &C::SetColumns, 1)
            .NoSetter()
            .Boolean(QStringLiteral("ShowBorder"), &C::ShowBorder, &C::SetShowBorder, false)
            .NoSetter()
            .String(QStringLiteral("Caption"), &C::Caption, &C::SetCaption)
            .NoSetter()
            .Build();
    return info;
}

void TVxRadioButton::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxRadioButton*>(Source)) {
        FShowBorder = src->FShowBorder;
        FCaption = src->FCaption;
        FColumns = src->FColumns;
    }
}

// ---------------------------------------------------------------------------------------------
// TVxSheetOptions

const TClassInfo& TVxSheetOptions::StaticClassInfo()
{
    using C = TVxSheetOptions;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxSheetOptions"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Enum(QStringLiteral("Location"), &C::Location, &C::SetLocation, SheetLocationTypeInfo(),
                  std::optional(slActiveForm))
            .Integer(QStringLiteral("Interval"), &C::Interval, &C::SetInterval, 500, kCardinal)
            .Build();
    return info;
}

void TVxSheetOptions::SetLocation(TVxSheetLocation Value)
{
    if (Store(FLocation, Value))
        Changed();
}

void TVxSheetOptions::SetInterval(quint32 Value)
{
    if (Store(FInterval, Value))
        Changed();
}

void TVxSheetOptions::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxSheetOptions*>(Source)) {
        FInterval = src->FInterval;
        FLocation = src->FLocation;
        return;
    }
    TVxDialogOwnedPersistent::Assign(Source);
}
