#include "VxDialog.h"

#include "ImageList.h"
#include "VxButtonOptions.h"
#include "VxCollections.h"
#include "VxDefaultFonts.h"
#include "VxOptions.h"

namespace {

// Colours are left out of the form text while a non-system visual style decides them.
bool ColorStored()
{
    return StyleAllowsStoredColors();
}

// Restores a flag when the scope ends, also by an exception.
class FlagReset {
public:
    explicit FlagReset(bool& Flag) : FFlag(Flag) {}
    ~FlagReset() { FFlag = false; }
    FlagReset(const FlagReset&) = delete;
    FlagReset& operator=(const FlagReset&) = delete;

private:
    bool& FFlag;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Reflection

const TClassInfo& TVxCustomDialog::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TVxCustomDialog>(QStringLiteral("TVxCustomDialog"), &TComponent::StaticClassInfo()).Build();
    return info;
}

const TClassInfo& TVxDialog::StaticClassInfo()
{
    using C = TVxCustomDialog;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxDialog"), &TVxCustomDialog::StaticClassInfo())
            .Enum(QStringLiteral("ActiveControlType"), &C::ActiveControlType, &C::SetActiveControlType,
                  ControlTypeTypeInfo(), std::optional(ctButton))
            .Boolean(QStringLiteral("AllowCancel"), &C::AllowCancel, &C::SetAllowCancel, true)
            .NoSetter()
            .Boolean(QStringLiteral("AllowMinimize"), &C::AllowMinimize, &C::SetAllowMinimize, false)
            .NoSetter()
            .Enum(QStringLiteral("BiDiMode"), &C::BiDiMode, &C::SetBiDiMode, BiDiModeTypeInfo(),
                  std::optional(bdLeftToRight))
            .NoSetter()
            .Object<TVxButtonOptions>(QStringLiteral("Button"), &C::Button, &C::SetButton,
                                      QStringLiteral("TVxButtonOptions"))
            .Object<TStrings>(QStringLiteral("Content"), &C::Content, &C::SetContent, QStringLiteral("TStrings"))
            .Enum(QStringLiteral("DefaultMonitor"), &C::DefaultMonitor, &C::SetDefaultMonitor,
                  DefaultMonitorTypeInfo(), std::optional(dmActiveForm))
            .NoSetter()
            .Set(QStringLiteral("DialogOptions"), &C::DialogOptions, &C::SetDialogOptions,
                 QStringLiteral("TDialogOptions"), DialogOptionTypeInfo(), TDialogOptions{doModal}.Mask())
            .Enum(QStringLiteral("DialogStyle"), &C::DialogStyle, &C::SetDialogStyle, DialogStyleTypeInfo(),
                  std::optional(dsDialog))
            .Object<TVxExpando>(QStringLiteral("Expando"), &C::Expando, &C::SetExpando, QStringLiteral("TVxExpando"))
            .Object<TPicture>(QStringLiteral("Glyph"), &C::Glyph, &C::SetGlyph, QStringLiteral("TPicture"))
            .Object<TVxInstruction>(QStringLiteral("Instruction"), &C::Instruction, &C::SetInstruction,
                                    QStringLiteral("TVxInstruction"))
            .Object<TVxRadioButtons>(QStringLiteral("RadioButtons"), &C::RadioButtons, &C::SetRadioButtons,
                                     QStringLiteral("TVxRadioButtons"))
            .Stored([](const C& d) { return d.RadioButtons()->Count() > 0; })
            .Object<TVxCustomButtons>(QStringLiteral("CustomButtons"), &C::CustomButtons, &C::SetCustomButtons,
                                      QStringLiteral("TVxCustomButtons"))
            .Stored([](const C& d) { return d.CustomButtons()->Count() > 0; })
            .Object<TVxButtonBarOptions>(QStringLiteral("ButtonBar"), &C::ButtonBar, &C::SetButtonBar,
                                         QStringLiteral("TVxButtonBarOptions"))
            .Object<TVxVerification>(QStringLiteral("Verification"), &C::Verification, &C::SetVerification,
                                     QStringLiteral("TVxVerification"))
            .Object<TVxFooter>(QStringLiteral("Footer"), &C::Footer, &C::SetFooter, QStringLiteral("TVxFooter"))
            .Object<TVxHeader>(QStringLiteral("Header"), &C::Header, &C::SetHeader, QStringLiteral("TVxHeader"))
            .Enum(QStringLiteral("MainIcon"), &C::MainIcon, &C::SetMainIcon, TaskDialogIconTypeInfo(),
                  std::optional(tdiNone))
            .Object<TVxHelpLink>(QStringLiteral("HelpLink"), &C::HelpLink, &C::SetHelpLink,
                                 QStringLiteral("TVxHelpLink"))
            .Object<TVxProgress>(QStringLiteral("Progress"), &C::Progress, &C::SetProgress,
                                 QStringLiteral("TVxProgress"))
            .Object<TVxBorder>(QStringLiteral("Border"), &C::Border, &C::SetBorder, QStringLiteral("TVxBorder"))
            .String(QStringLiteral("Title"), &C::Title, &C::SetTitle)
            .Enum(QStringLiteral("Position"), &C::Position, &C::SetPosition, DialogPositionTypeInfo(),
                  std::optional(dpScreenCenter))
            .NoSetter()
            .Integer(QStringLiteral("Color"), &C::Color, &C::SetColor, clWindow, QStringLiteral("TColor"),
                     &ColorNameMap())
            .Stored([](const C&) { return ColorStored(); })
            .Object<TFont>(QStringLiteral("Font"), &C::Font, &C::SetFont, QStringLiteral("TFont"))
            .Stored([](const C& d) { return !d.UseDefaultFonts(); })
            .Boolean(QStringLiteral("UseDefaultFonts"), &C::UseDefaultFonts, &C::SetUseDefaultFonts, true)
            .Enum(QStringLiteral("BorderStyle"), &C::BorderStyle, &C::SetBorderStyle, FormBorderStyleTypeInfo(),
                  std::optional(bsDialog))
            .NoSetter()
            .Object<TIcon>(QStringLiteral("Icon"), &C::Icon, &C::SetIcon, QStringLiteral("TIcon"))
            .Integer(QStringLiteral("HelpContext"), &C::HelpContext, &C::SetHelpContext, 0)
            .NoSetter()
            .Enum(QStringLiteral("HelpType"), &C::HelpType, &C::SetHelpType, HelpTypeTypeInfo(),
                  std::optional(htContext))
            .NoSetter()
            .String(QStringLiteral("HelpKeyword"), &C::HelpKeyword, &C::SetHelpKeyword)
            .NoSetter()
            .Object<TVxLocation>(QStringLiteral("Location"), &C::Location, &C::SetLocation,
                                 QStringLiteral("TVxLocation"))
            .Integer(QStringLiteral("Width"), &C::Width, &C::SetWidth, 0)
            .Boolean(QStringLiteral("UseOldStyleSetting"), &C::UseOldStyleSetting, &C::SetUseOldStyleSetting, true)
            .NoSetter()
            .Object<TVxSheetOptions>(QStringLiteral("Sheet"), &C::Sheet, &C::SetSheet,
                                     QStringLiteral("TVxSheetOptions"))
            .Object<TVxTimer>(QStringLiteral("Timer"), &C::Timer, &C::SetTimer, QStringLiteral("TVxTimer"))
            .Object<TVxRadioButton>(QStringLiteral("RadioButton"), &C::RadioButton, &C::SetRadioButton,
                                    QStringLiteral("TVxRadioButton"))
            .Boolean(QStringLiteral("ShowHint"), &C::ShowHint, &C::SetShowHint, false)
            .Integer(QStringLiteral("MaxLines"), &C::MaxLines, &C::SetMaxLines, 0)
            .NoSetter()
            .Event(QStringLiteral("OnCleanUpDialog"), &C::OnCleanUpDialog, QStringLiteral("TNotifyEvent"))
            .Event(QStringLiteral("OnCreated"), &C::OnCreated, QStringLiteral("TNotifyEvent"))
            .Event(QStringLiteral("OnDestroyed"), &C::OnDestroyed, QStringLiteral("TNotifyEvent"))
            .Event(QStringLiteral("OnDialogClick"), &C::OnDialogClick, QStringLiteral("TDialogClickEvent"))
            .Event(QStringLiteral("OnDialogClose"), &C::OnDialogClose, QStringLiteral("TDialogCloseEvent"))
            .Event(QStringLiteral("OnDialogConstructed"), &C::OnDialogConstructed, QStringLiteral("TNotifyEvent"))
            .Event(QStringLiteral("OnGetMoreFileName"), &C::OnGetMoreFileName, QStringLiteral("TGetMoreFileNameEvent"))
            .Event(QStringLiteral("OnGetMoreStream"), &C::OnGetMoreStream, QStringLiteral("TGetMoreStreamEvent"))
            .Event(QStringLiteral("OnHelpLinkClick"), &C::OnHelpLinkClick, QStringLiteral("THelpLinkClickEvent"))
            .Event(QStringLiteral("OnHelpButtonClick"), &C::OnHelpButtonClick, QStringLiteral("THelpButtonClickEvent"))
            .Event(QStringLiteral("OnGetControlClass"), &C::OnGetControlClass, QStringLiteral("TGetControlClassEvent"))
            .Event(QStringLiteral("OnInitControl"), &C::OnInitControl, QStringLiteral("TInitControlEvent"))
            .Event(QStringLiteral("OnControlClick"), &C::OnControlClick, QStringLiteral("TControlClickEvent"))
            .Event(QStringLiteral("OnDialogCollapse"), &C::OnDialogCollapse, QStringLiteral("TNotifyEvent"))
            .Event(QStringLiteral("OnDialogExpand"), &C::OnDialogExpand, QStringLiteral("TNotifyEvent"))
            .Event(QStringLiteral("OnDialogShow"), &C::OnDialogShow, QStringLiteral("TNotifyEvent"))
            .Event(QStringLiteral("OnGetRadioButtonChecked"), &C::OnGetRadioButtonChecked,
                   QStringLiteral("TGetRadioButtonChecked"))
            .Event(QStringLiteral("OnGetVerificationResult"), &C::OnGetVerificationResult,
                   QStringLiteral("TGetVerificationResult"))
            .Event(QStringLiteral("OnProgress"), &C::OnProgress, QStringLiteral("TProgressEvent"))
            .Event(QStringLiteral("OnUpdateProgressBarState"), &C::OnUpdateProgressBarState,
                   QStringLiteral("TUpdateProgressBarStateEvent"))
            .Event(QStringLiteral("OnUpdateProgressBar"), &C::OnUpdateProgressBar,
                   QStringLiteral("TUpdateProgressBarEvent"))
            .Event(QStringLiteral("OnTimer"), &C::OnTimer, QStringLiteral("TTimerEvent"))
            .Event(QStringLiteral("OnKeyPress"), &C::OnKeyPress, QStringLiteral("TKeyEvent"))
            .Event(QStringLiteral("OnVerificationClick"), &C::OnVerificationClick,
                   QStringLiteral("TVerificationClickEvent"))
            .Build();
    return info;
}

// ---------------------------------------------------------------------------------------------
// Construction and destruction

TVxCustomDialog::TVxCustomDialog(TComponent* AOwner) : TComponent(AOwner)
{
    FActiveControlType = ctButton;
    FUseOldStyleSetting = true;
    FDefaultMonitor = dmActiveForm;
    FBorderStyle = bsDialog;
    FAllowMinimize = false;
    FAllowCancel = true;
    FPosition = dpScreenCenter;
    FHelpContext = 0;
    FHelpType = htContext;

    // The font keeps whatever change handler it already had and runs it before re-creating the
    // controls that use the font.
    FFont = std::make_unique<TFont>();
    FPreviousFontChange = FFont->OnChange;
    FFont->OnChange = TNotifyEvent([this](TObject* Sender) {
        if (FPreviousFontChange)
            FPreviousFontChange(Sender);
        RecreateFontControls();
    });

    FDialogOptions = TDialogOptions{doModal};
    FDialogStyle = dsDialog;

    FContent = std::make_unique<TStringList>();
    FInstruction = std::make_unique<TVxInstruction>(this);
    FVerification = std::make_unique<TVxVerification>(this);
    FGlyph = std::make_unique<TPicture>();

    FFont->Assign(VxDefaultFonts().GetFont(ftContent));

    FExpando = std::make_unique<TVxExpando>(this);
    FExpando->Font()->Assign(FFont.get());

    FRadioButtons = std::make_unique<TVxRadioButtons>(this, CollectionItemClass<TVxRadioButtonItem>());
    FCustomButtons = std::make_unique<TVxCustomButtons>(this, CollectionItemClass<TVxCustomButtonItem>());

    FButtonBar = std::make_unique<TVxButtonBarOptions>(this);
    FButton = std::make_unique<TVxButtonOptions>(this);
    FFooter = std::make_unique<TVxFooter>(this);
    FHeader = std::make_unique<TVxHeader>(this);
    FMainIcon = tdiNone;
    FHelpLink = std::make_unique<TVxHelpLink>(this);
    FEmulateMessageDlg = false;
    FProgress = std::make_unique<TVxProgress>(this);
    FBorder = std::make_unique<TVxBorder>(this);

    FBackground = std::make_unique<TVxBackground>(0, nullptr, QRect(), true, false);
    FColor = 0;
    SetColor(clWindow);

    FLocation = std::make_unique<TVxLocation>();
    FUseDefaultFonts = true;
    FTimer = std::make_unique<TVxTimer>(this);
    FRadioButton = std::make_unique<TVxRadioButton>(this);
    FSheet = std::make_unique<TVxSheetOptions>(this);

    FInstruction->OnChange = TNotifyEvent([this](TObject* Sender) { InstructionChange(Sender); });
    FContent->OnChange = TNotifyEvent([this](TObject* Sender) { ContentChange(Sender); });
    FVerification->OnChange = TNotifyEvent([this](TObject* Sender) { VerificationChange(Sender); });
    FExpando->OnChange = TNotifyEvent([this](TObject* Sender) { ExpandoChange(Sender); });
    FFooter->OnChange = TNotifyEvent([this](TObject* Sender) { FooterChange(Sender); });
    FHeader->OnChange = TNotifyEvent([this](TObject* Sender) { HeaderChange(Sender); });
    FProgress->OnChange = TNotifyEvent([this](TObject* Sender) { ProgressChange(Sender); });
    FTimer->OnChange = TNotifyEvent([this](TObject* Sender) { TimerChange(Sender); });
    FHeader->Font()->OnChange = TNotifyEvent([](TObject*) {});
    FGlyph->OnChange = TNotifyEvent([](TObject*) {});

    FIcon = std::make_unique<TIcon>();
    FBiDiMode = bdLeftToRight;
    FPlaySounds = true;
    FMaxLines = 0;
}

TVxCustomDialog::~TVxCustomDialog()
{
    if (QObject* form = FForm.data()) {
        FForm.clear();
        delete form;
    }
    FCustomButtons.reset();
    FVerification.reset();
    FExpando.reset();
    FHeader.reset();
    FButtonBar.reset();
    FRadioButtons.reset();
    FFooter.reset();
    FHelpLink.reset();
    FContent.reset();
    FInstruction.reset();
    FGlyph.reset();
    FProgress.reset();
    FBorder.reset();
    FFont.reset();
    FLocation.reset();
    FIcon.reset();
    FTimer.reset();
    FBackground.reset();
    FRadioButton.reset();
    FButton.reset();
    FSheet.reset();
}

// ---------------------------------------------------------------------------------------------
// Copying and notifications

void TVxCustomDialog::Assign(const TPersistent* Source)
{
    const auto* source = dynamic_cast<const TVxDialog*>(Source);
    if (!source) {
        TComponent::Assign(Source);
        return;
    }
    // Copying a dialog onto itself would run the setters' side effects (MainIcon tdiNone drops
    // the glyph) for no change.
    if (source == this)
        return;
    FAssigning = true;
    FlagReset assigning(FAssigning);

    OnGetControlClass = source->OnGetControlClass;
    OnGetMoreFileName = source->OnGetMoreFileName;
    OnInitControl = source->OnInitControl;
    OnGetMoreStream = source->OnGetMoreStream;
    OnHelpLinkClick = source->OnHelpLinkClick;
    OnControlClick = source->OnControlClick;
    OnDialogExpand = source->OnDialogExpand;
    OnDialogCollapse = source->OnDialogCollapse;
    OnGetVerificationResult = source->OnGetVerificationResult;
    OnDialogClose = source->OnDialogClose;
    OnDialogClick = source->OnDialogClick;
    OnCleanUpDialog = source->OnCleanUpDialog;
    OnDestroyed = source->OnDestroyed;
    OnCreated = source->OnCreated;

    SetActiveControlType(source->ActiveControlType());
    FBiDiMode = source->FBiDiMode;
    SetColor(source->Color());
    SetFont(source->Font());
    FEmulateMessageDlg = source->FEmulateMessageDlg;
    SetContent(source->Content());
    SetGlyph(source->Glyph());
    SetCustomButtons(source->CustomButtons());
    SetButtonBar(source->ButtonBar());
    SetRadioButtons(source->RadioButtons());
    SetExpando(source->Expando());
    SetVerification(source->Verification());
    SetFooter(source->Footer());
    SetHeader(source->Header());
    SetHelpLink(source->HelpLink());
    FHelpKeyword = source->FHelpKeyword;
    FHelpType = source->FHelpType;
    FHelpContext = source->FHelpContext;
    SetProgress(source->Progress());
    SetInstruction(source->Instruction());
    SetBorder(source->Border());
    SetDialogOptions(source->DialogOptions());
    SetDialogStyle(source->DialogStyle());
    SetMainIcon(source->MainIcon());
    SetTitle(source->Title());
    SetUseDefaultFonts(source->UseDefaultFonts());
    SetLocation(source->Location());
    SetIcon(source->Icon());
    FBorderStyle = source->FBorderStyle;
    FAllowCancel = source->FAllowCancel;
    FAllowMinimize = source->FAllowMinimize;
    FPosition = source->FPosition;
    SetWidth(source->Width());
    SetTimer(source->Timer());
    SetRadioButton(source->RadioButton());
    SetButton(source->Button());
    SetSheet(source->Sheet());
}

void TVxCustomDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent)
        return;
    // One image list may serve both roles; neither reference may outlive it.
    if (FCustomButtons) {
        if (AComponent == FCustomButtons->Images())
            FCustomButtons->SetImages(nullptr);
        if (AComponent == FCustomButtons->PictureImages())
            FCustomButtons->SetPictureImages(nullptr);
    }
    if (AComponent == FForm.data())
        FForm.clear();
}

void TVxCustomDialog::CMFontChanged()
{
    if (!ComponentState().Contains(csLoading))
        FUseDefaultFonts = false;
}

void TVxCustomDialog::SetForm(QObject* AForm)
{
    FForm = AForm;
}

// ---------------------------------------------------------------------------------------------
// Setters

void TVxCustomDialog::SetActiveControlType(TControlType Value)
{
    if (FActiveControlType != Value)
        FActiveControlType = Value;
}

void TVxCustomDialog::SetButton(const TVxButtonOptions* Value)
{
    FButton->Assign(Value);
}

void TVxCustomDialog::SetContent(const TStrings* Value)
{
    FContent->Assign(Value);
    if (!FAssigning)
        PositionControls();
}

void TVxCustomDialog::SetDialogOptions(TDialogOptions Value)
{
    if (FDialogOptions == Value)
        return;
    FDialogOptions = Value;
    if (ComponentState().Contains(csDesigning))
        return;
    FreeButtonControls();
    if (IsShowing() && !FAssigning) {
        CreateControls();
        PositionControls();
    }
}

void TVxCustomDialog::SetDialogStyle(TVxDialogStyle Value)
{
    if (FDialogStyle != Value)
        FDialogStyle = Value;
}

void TVxCustomDialog::SetExpando(const TVxExpando* Value)
{
    FExpando->Assign(Value);
}

void TVxCustomDialog::SetGlyph(const TPicture* Value)
{
    FGlyph->Assign(Value);
    if (IsShowing() && !FAssigning) {
        PositionControls();
        InvalidateWindow();
        RepaintMainIcon();
    }
}

void TVxCustomDialog::SetInstruction(const TVxInstruction* Value)
{
    FInstruction->Assign(Value);
}

void TVxCustomDialog::SetRadioButtons(const TVxRadioButtons* Value)
{
    FRadioButtons->Assign(Value);
}

void TVxCustomDialog::SetCustomButtons(const TVxCustomButtons* Value)
{
    FCustomButtons->Assign(Value);
}

void TVxCustomDialog::SetButtonBar(const TVxButtonBarOptions* Value)
{
    FButtonBar->Assign(Value);
}

void TVxCustomDialog::SetVerification(const TVxVerification* Value)
{
    FVerification->Assign(Value);
    if (!FAssigning)
        PositionControls();
}

void TVxCustomDialog::SetFooter(const TVxFooter* Value)
{
    FFooter->Assign(Value);
    if (IsShowing() && !FAssigning)
        PositionControls();
}

void TVxCustomDialog::SetHeader(const TVxHeader* Value)
{
    FHeader->Assign(Value);
    if (IsShowing() && !FAssigning)
        PositionControls();
}

void TVxCustomDialog::SetMainIcon(TTaskDialogIcon Value)
{
    if (Value == tdiNone)
        FGlyph->Clear();
    FMainIcon = Value;
    if (IsShowing())
        UpdateMainIcon();
}

void TVxCustomDialog::SetHelpLink(const TVxHelpLink* Value)
{
    FHelpLink->Assign(Value);
    if (IsShowing() && !FAssigning)
        PositionControls();
}

void TVxCustomDialog::SetProgress(const TVxProgress* Value)
{
    FProgress->Assign(Value);
}

void TVxCustomDialog::SetBorder(const TVxBorder* Value)
{
    FBorder->Assign(Value);
}

void TVxCustomDialog::SetTitle(const QString& Value)
{
    if (FTitle == Value)
        return;
    FTitle = Value;
    if (IsShowing())
        UpdateWindowTitle();
}

void TVxCustomDialog::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    FBackground->SetColor(Value);
    if (IsShowing())
        InvalidateWindow();
}

void TVxCustomDialog::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
}

void TVxCustomDialog::SetIcon(const TIcon* Value)
{
    FIcon->Assign(Value);
}

void TVxCustomDialog::SetLocation(const TVxLocation* Value)
{
    FLocation->Assign(Value);
}

void TVxCustomDialog::SetWidth(int Value)
{
    if (FWidth == Value)
        return;
    FWidth = Value;
    if (IsShowing()) {
        CalcAutoSize(true);
        PositionControls();
    }
}

void TVxCustomDialog::SetSheet(const TVxSheetOptions* Value)
{
    FSheet->Assign(Value);
}

void TVxCustomDialog::SetTimer(const TVxTimer* Value)
{
    FTimer->Assign(Value);
}

void TVxCustomDialog::SetRadioButton(const TVxRadioButton* Value)
{
    FRadioButton->Assign(Value);
}

void TVxCustomDialog::SetShowHint(bool Value)
{
    if (FShowHint == Value)
        return;
    FShowHint = Value;
    if (IsShowing())
        UpdateWindowShowHint();
}

void TVxCustomDialog::SetPlaySounds(bool Value)
{
    if (FPlaySounds != Value)
        FPlaySounds = Value;
}

void TVxCustomDialog::SetText(const QString& Value)
{
    if (FText != Value)
        FText = Value;
}

// ---------------------------------------------------------------------------------------------
// Radio button items

void TVxCustomDialog::SetChecked(int aValue, bool aChecked)
{
    for (int i = 0; i < FRadioButtons->Count(); ++i)
        if (FRadioButtons->Items(i)->Value() == aValue)
            FRadioButtons->Items(i)->SetChecked(aChecked);
}

void TVxCustomDialog::SetUnchecked(int aValue)
{
    for (int i = 0; i < FRadioButtons->Count(); ++i)
        if (aValue == -1 || FRadioButtons->Items(i)->Value() == aValue)
            FRadioButtons->Items(i)->SetChecked(false);
}

void TVxCustomDialog::DefaultRadioButton(int aIndex)
{
    if (FRadioButtons->Count() < aIndex)
        return;
    for (int i = 0; i < FRadioButtons->Count(); ++i)
        FRadioButtons->Items(i)->SetChecked(i == aIndex);
}

// ---------------------------------------------------------------------------------------------
// Engine operations: nothing to do without a window.

void TVxCustomDialog::PositionControls() {}
void TVxCustomDialog::PositionRadioButtons() {}
void TVxCustomDialog::EnableButton(int, bool) {}
void TVxCustomDialog::CreateControls() {}
void TVxCustomDialog::FreeButtonControls() {}
void TVxCustomDialog::CalcAutoSize(bool) {}
void TVxCustomDialog::RecreateFontControls() {}
void TVxCustomDialog::InvalidateWindow() {}
void TVxCustomDialog::UpdateMainIcon() {}
void TVxCustomDialog::RepaintMainIcon() {}
void TVxCustomDialog::UpdateWindowTitle() {}
void TVxCustomDialog::UpdateWindowShowHint() {}
void TVxCustomDialog::InstructionChange(TObject*) {}
void TVxCustomDialog::ContentChange(TObject*) {}
void TVxCustomDialog::VerificationChange(TObject*) {}
void TVxCustomDialog::ExpandoChange(TObject*) {}
void TVxCustomDialog::FooterChange(TObject*) {}
void TVxCustomDialog::HeaderChange(TObject*) {}
void TVxCustomDialog::ProgressChange(TObject*) {}
void TVxCustomDialog::TimerChange(TObject*) {}
