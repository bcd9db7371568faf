#include "VxDialog.h"

#include "ImageList.h"
#include "VxButtonOptions.h"
#include "VxCollections.h"
#include "VxDefaultFonts.h"
#include "VxDialogEngineIntf.h"
#include "VxOptions.h"

#include "DrawText.h"
#include "Screen.h"

#include <QVariant>

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

    const int ppi = PixelsPerInch();
    FRightMargin = MulDiv(10, ppi, 96);
    FVertMargin = MulDiv(8, ppi, 96);
    FVertSpacing = MulDiv(4, ppi, 96);
    FHorzSpacing = MulDiv(8, ppi, 96);
    FButtonSpacing = MulDiv(4, ppi, 96);
    FButtonBarHeight = MulDiv(41, ppi, 96);
}

TVxCustomDialog::~TVxCustomDialog()
{
    if (FEngine)
        FEngine->ReleaseWindow();
    FEngine.reset();
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
        int height = 0, width = 0;
        CalcAutoSize(height, width, true);
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
// Engine seam

namespace {

TVxDialogEngineFactory& EngineFactory()
{
    static TVxDialogEngineFactory factory;
    return factory;
}

constexpr char TagProperty[] = "Tag";

// The sound flags of the platform call: play asynchronously, no default sound, do not stop a
// sound that is playing; the name is a system alias.
constexpr quint32 SND_ALIAS = 0x10000;

} // namespace

TVxDialogEngineFactory SetDialogEngineFactory(TVxDialogEngineFactory Factory)
{
    std::swap(EngineFactory(), Factory);
    return Factory;
}

bool DialogEngineInstalled()
{
    return bool(EngineFactory());
}

int ControlTag(const QObject* Control)
{
    return Control ? Control->property(TagProperty).toInt() : 0;
}

void SetControlTag(QObject* Control, int Value)
{
    if (Control)
        Control->setProperty(TagProperty, Value);
}

TVxDialogEngineIntf* TVxCustomDialog::Engine()
{
    if (!FEngine && EngineFactory())
        FEngine = EngineFactory()(this);
    return FEngine.get();
}

// ---------------------------------------------------------------------------------------------
// The run

int TVxCustomDialog::Execute()
{
    QObject* owner = Owner();
    if (!owner)
        if (TVxDialogEngineIntf* engine = Engine())
            owner = engine->DefaultOwner();
    return Execute(owner);
}

int TVxCustomDialog::Execute(QObject* aOwner)
{
    TVxDialogEngineIntf* engine = Engine();
    if (!engine)
        throw EInvalidOperation(QStringLiteral("No dialog engine is installed"));
    return engine->Execute(aOwner);
}

int TVxCustomDialog::ExecutePreview()
{
    FDialogState = TVxDialogStates{dsPreview};
    const TDialogOptions options = FDialogOptions;
    const TDialogPosition position = FPosition;
    const bool allowCancel = FAllowCancel;
    struct Restore {
        TVxCustomDialog* D;
        TDialogOptions Options;
        TDialogPosition Position;
        bool AllowCancel;
        ~Restore()
        {
            D->SetDialogOptions(Options);
            D->FPosition = Position;
            D->FAllowCancel = AllowCancel;
            D->FDialogState.Exclude(dsPreview);
        }
    } restore{this, options, position, allowCancel};
    FPosition = dpScreenCenter;
    SetDialogOptions(options + doModal);
    FAllowCancel = true;
    FFocusedControl = nullptr;
    return Execute(Owner());
}

int TVxCustomDialog::Close(int AModalResult)
{
    TVxDialogEngineIntf* engine = FEngine.get();
    return engine ? engine->Close(AModalResult) : -1;
}

void TVxCustomDialog::Show()
{
    if (FForm)
        if (TVxDialogEngineIntf* engine = Engine())
            engine->Show();
}

void TVxCustomDialog::Update()
{
    if (FForm)
        if (TVxDialogEngineIntf* engine = Engine())
            engine->Update();
}

// ---------------------------------------------------------------------------------------------
// Results and the run-time control interface

bool TVxCustomDialog::VerificationResult()
{
    return GetVerificationChecked();
}

int TVxCustomDialog::RadioResult()
{
    bool found = false;
    if (TVxDialogEngineIntf* engine = FEngine.get()) {
        const int value = engine->LiveRadioResult(found);
        if (found)
            return value;
    }
    return FDialogResult.RadioResult;
}

TControl* TVxCustomDialog::GetControl(TControlType AControlType, int AValue)
{
    TVxDialogEngineIntf* engine = FEngine.get();
    return engine ? engine->GetControl(AControlType, AValue) : nullptr;
}

void TVxCustomDialog::EnableRadioButton(int aValue, bool aEnabled)
{
    if (TVxDialogEngineIntf* engine = FEngine.get())
        engine->EnableRadioButton(aValue, aEnabled);
}

void TVxCustomDialog::PerformAction(int aValue)
{
    if (TControl* control = GetControl(ctCommandLink, aValue))
        ButtonClick(control);
}

bool TVxCustomDialog::IsChecked(int aValue)
{
    if (!FForm)
        return false;
    const QString name = QStringLiteral("rb%1").arg(aValue);
    auto* control = FForm->findChild<QObject*>(name);
    return control && control->isWidgetType() ? IsRadioButtonChecked(control) : false;
}

void TVxCustomDialog::UpdateCustomButtonDetails(int aValue, const QString& aCaption, const QString& aHint,
                                                const TStrings* aInfo)
{
    if (TVxDialogEngineIntf* engine = FEngine.get())
        engine->UpdateCustomButtonDetails(aValue, aCaption, aHint, aInfo);
}

int TVxCustomDialog::ContentLineWidth(const QString& ALine)
{
    return RequiredWidth(ALine, ftContent) + GetFrameExtraWidth();
}

int TVxCustomDialog::RequiredWidth(const QString& ALine, TVxFontType AFontType)
{
    return TextWidth(VxDefaultFonts().GetFont(AFontType)->ToQFont(), ALine);
}

void TVxCustomDialog::PositionControls()
{
    if (TVxDialogEngineIntf* engine = FEngine.get())
        engine->PositionControls();
}

void TVxCustomDialog::PositionRadioButtons()
{
    if (TVxDialogEngineIntf* engine = FEngine.get())
        engine->PositionRadioButtons();
}

void TVxCustomDialog::EnableButton(int AValue, bool AEnabled)
{
    if (TVxDialogEngineIntf* engine = FEngine.get())
        engine->EnableButton(AValue, AEnabled);
}

// ---------------------------------------------------------------------------------------------
// Protected operations. Those that need a window forward to the engine while one exists (the
// creators and the sizing also run for a window that is still hidden); the rest are the model's.

#define VX_FORWARD(Call)                                 \
    if (TVxDialogEngineIntf* engine = FEngine.get())        \
        engine->Call;

int TVxCustomDialog::GetFooterControlsHeight()
{
    TVxDialogEngineIntf* engine = FEngine.get();
    return engine ? engine->GetFooterControlsHeight() : 0;
}

void TVxCustomDialog::ButtonClick(QObject* Sender)
{
    FVerificationResult = GetVerificationChecked();
    bool handled = false;
    const int tag = ControlTag(Sender);
    const TControlClass buttonClass = GetControlClass(ctButton);
    const bool commonButton = Sender && buttonClass &&
                              QString::fromLatin1(Sender->metaObject()->className())
                                      .compare(QString::fromLatin1(buttonClass->className()), Qt::CaseInsensitive) == 0 &&
                              tag <= mrYesToAll;
    if (commonButton) {
        FModalResult = tag;
        DoControlClick(Sender, ctButton, tag, handled);
    } else {
        FModalResult = FCustomButtons->GetModalResult(tag);
        DoControlClick(Sender, ctCommandLink, tag, handled);
    }
    if (FForm && !handled) {
        FButtonClicked = true;
        Close(FModalResult);
    }
}

void TVxCustomDialog::HelpButtonClick(QObject* Sender)
{
    bool handled = false;
    if (OnHelpButtonClick) {
        TObject* sender = dynamic_cast<TObject*>(Sender);
        OnHelpButtonClick(sender, handled);
    }
    if (!handled)
        VX_FORWARD(ShowApplicationHelp(htContext, FHelpContext, QString()))
}

void TVxCustomDialog::DoControlClick(TControl* Control, TControlType ControlType, int Value, bool& Handled)
{
    FCustomButtonResult = Value;
    if (OnControlClick)
        OnControlClick(this, ControlType, Control, Value, Handled);
}

void TVxCustomDialog::DoCloseQuery(TObject*, bool& CanClose)
{
    CanClose = true;
}

void TVxCustomDialog::DoGetCustomSound(QString& Sound, quint32& Flags, bool& Handled)
{
    if (OnGetCustomSound)
        OnGetCustomSound(this, Sound, Flags, Handled);
}

void TVxCustomDialog::DoKeyPress(quint16& Key, TShiftState Shift)
{
    if (OnKeyPress)
        OnKeyPress(this, Key, Shift);
}

bool TVxCustomDialog::GetVerificationChecked()
{
    TVxDialogEngineIntf* engine = FEngine.get();
    return engine ? engine->GetVerificationChecked() : FDialogResult.VerificationResult;
}

void TVxCustomDialog::PaintInstruction(QPainter* Canvas, const TRect& Rect) { VX_FORWARD(PaintInstruction(Canvas, Rect)) }
void TVxCustomDialog::PaintMainIcon(QPainter* Canvas, const TRect& Rect) { VX_FORWARD(PaintMainIcon(Canvas, Rect)) }
void TVxCustomDialog::PaintHeader(QPainter* Canvas) { VX_FORWARD(PaintHeader(Canvas)) }
void TVxCustomDialog::PaintButtonBar(QPainter* Canvas, const TRect& Rect) { VX_FORWARD(PaintButtonBar(Canvas, Rect)) }
void TVxCustomDialog::PaintFooter(QPainter* Canvas) { VX_FORWARD(PaintFooter(Canvas)) }
void TVxCustomDialog::PaintDivider(QPainter* Canvas, const TRect& Rect) { VX_FORWARD(PaintDivider(Canvas, Rect)) }

bool TVxCustomDialog::UseMinimumHeight()
{
    return true;
}

int TVxCustomDialog::GetCommandLinkWidth()
{
    int a = 0;
    if (FExpando->Visible()) {
        a = FVerification->Visible() ? 420 : 406;
        if (FFooter->Visible())
            a += 27;
    } else if (FFooter->Visible()) {
        a = 415;
    } else if (FVerification->Visible()) {
        a = 388;
    }
    if (!FInstruction->Text().isEmpty())
        a += 23;
    if (!FContent->Text().isEmpty())
        a += 12;
    return qMax(a, 360);
}

void TVxCustomDialog::CalcMargins()
{
    const auto stock = [](TTaskDialogIcon Icon) {
        return Icon == tdiWarning || Icon == tdiError || Icon == tdiInformation || Icon == tdiConfirmation ||
               Icon == tdiShield;
    };
    const bool rightToLeft = FBiDiMode != bdLeftToRight;
    const bool mainGlyph = !FGlyph->Empty();
    int left;
    if (!FInstruction->HasCustomGlyph() && !FInstruction->ShowAtTop() && (mainGlyph || stock(FMainIcon))) {
        if (stock(FMainIcon))
            left = rightToLeft ? 11 : FHorzSpacing + 43;
        else
            left = rightToLeft ? 11 : FGlyph->Width() + FHorzSpacing + 11;
    } else if (FInstruction->HasCustomGlyph()) {
        left = !FInstruction->Glyph()->Empty() ? FInstruction->Glyph()->Width() + FHorzSpacing + 11
                                               : FHorzSpacing + 43;
    } else {
        left = (stock(FInstruction->Icon()) || stock(FMainIcon)) && !FInstruction->ShowAtTop() ? FHorzSpacing + 43
                                                                                               : 11;
    }
    if (FMainIcon != tdiNone)
        left += 1;
    else if (!FContent->Text().trimmed().isEmpty() || !FInstruction->Text().trimmed().isEmpty())
        left += 1;
    else
        left = 10;
    const int ppi = PixelsPerInch();
    FRightMargin = MulDiv(10, ppi, 96);
    if (rightToLeft)
        FRightMargin = MulDiv(10, ppi, 96) + FHorzSpacing + 32;
    FLeftMargin = MulDiv(left, ppi, 96);
}

void TVxCustomDialog::CalcAutoSize(int& Height, int& Width, bool Apply)
{
    CalcMargins();
    VX_FORWARD(CalcAutoSize(Height, Width, Apply))
}

int TVxCustomDialog::GetExtraHeight()
{
    return 0;
}

int TVxCustomDialog::GetMinimumWidth()
{
    return 0;
}

void TVxCustomDialog::CreateControls() { VX_FORWARD(CreateControls()) }
void TVxCustomDialog::RecreateFontControls() { VX_FORWARD(RecreateFontControls()) }
void TVxCustomDialog::FreeButtonControls() { VX_FORWARD(FreeButtonControls()) }
void TVxCustomDialog::CreateRadioButtons() { VX_FORWARD(CreateRadioButtons()) }
void TVxCustomDialog::CreateCustomButtons() { VX_FORWARD(CreateCustomButtons()) }
void TVxCustomDialog::PositionCustomButtons() { VX_FORWARD(PositionCustomButtons()) }
void TVxCustomDialog::CreateButtonBarButtons() { VX_FORWARD(CreateButtonBarButtons()) }
void TVxCustomDialog::PositionButtonBarButtons() { VX_FORWARD(PositionButtonBarButtons()) }
void TVxCustomDialog::CreateVerificationCheckBox() { VX_FORWARD(CreateVerificationCheckBox()) }
void TVxCustomDialog::PositionVerificationCheckBox() { VX_FORWARD(PositionVerificationCheckBox()) }
void TVxCustomDialog::CreateExpandoButton() { VX_FORWARD(CreateExpandoButton()) }
void TVxCustomDialog::PositionExpandoButton() { VX_FORWARD(PositionExpandoButton()) }
void TVxCustomDialog::CreateInstructionLabel() { VX_FORWARD(CreateInstructionLabel()) }
void TVxCustomDialog::PositionInstructionLabel() { VX_FORWARD(PositionInstructionLabel()) }
void TVxCustomDialog::CreateContentLabel() { VX_FORWARD(CreateContentLabel()) }
void TVxCustomDialog::PositionContentLabel() { VX_FORWARD(PositionContentLabel()) }
void TVxCustomDialog::CreateFooterLabel() { VX_FORWARD(CreateFooterLabel()) }
void TVxCustomDialog::PositionFooterLabel() { VX_FORWARD(PositionFooterLabel()) }
void TVxCustomDialog::CreateMoreRichEdit() { VX_FORWARD(CreateMoreRichEdit()) }
void TVxCustomDialog::CreateMoreLinesLabel() { VX_FORWARD(CreateMoreLinesLabel()) }
void TVxCustomDialog::PositionMoreLinesLabel() { VX_FORWARD(PositionMoreLinesLabel()) }
void TVxCustomDialog::PositionMoreRichEdit() { VX_FORWARD(PositionMoreRichEdit()) }
void TVxCustomDialog::CreateHelpLinkLabel() { VX_FORWARD(CreateHelpLinkLabel()) }
void TVxCustomDialog::PositionHelpLinkLabel() { VX_FORWARD(PositionHelpLinkLabel()) }
void TVxCustomDialog::CreateProgressBar() { VX_FORWARD(CreateProgressBar()) }
void TVxCustomDialog::PositionProgressBar() { VX_FORWARD(PositionProgressBar()) }
void TVxCustomDialog::CreateAdditionalControls() {}

void TVxCustomDialog::GetDefaultControlClass(TControlType ControlType, TControlClass& ControlClass)
{
    TVxDialogEngineIntf* engine = Engine();
    ControlClass = engine ? engine->GetDefaultControlClass(ControlType) : nullptr;
}

TControlClass TVxCustomDialog::GetControlClass(TControlType ControlType)
{
    TControlClass result = nullptr;
    GetDefaultControlClass(ControlType, result);
    if (OnGetControlClass) {
        OnGetControlClass(this, ControlType, result);
        if (!result)
            GetDefaultControlClass(ControlType, result);
    }
    return result;
}

void TVxCustomDialog::InitControl(TControlType ControlType, TControl* Control, TCollectionItem* Item)
{
    bool handled = false;
    if (OnInitControl)
        OnInitControl(this, ControlType, Control, Item, handled);
    if (!handled)
        DefaultInitControl(ControlType, Control, Item);
}

void TVxCustomDialog::DefaultInitControl(TControlType ControlType, TControl* Control, TCollectionItem* Item)
{
    VX_FORWARD(DefaultInitControl(ControlType, Control, Item))
}

void TVxCustomDialog::DoGetMoreFileName(QString& FileName)
{
    if (OnGetMoreFileName)
        OnGetMoreFileName(this, FileName);
}

void TVxCustomDialog::DoGetMoreStream(TMemoryStream*& Stream)
{
    if (OnGetMoreStream)
        OnGetMoreStream(this, Stream);
}

void TVxCustomDialog::HelpLinkClick()
{
    bool handled = false;
    if (OnHelpLinkClick)
        OnHelpLinkClick(dynamic_cast<TObject*>(GetControl(ctLinkLabel, 0)), handled);
    if (handled)
        return;
    VX_FORWARD(ShowApplicationHelp(FHelpLink->HelpType(), FHelpLink->HelpContext(), FHelpLink->HelpKeyword()))
}

void TVxCustomDialog::ExpandCollapse(bool Expand) { VX_FORWARD(ExpandCollapse(Expand)) }

TWinControl* TVxCustomDialog::GetInitialFocusControl()
{
    TVxDialogEngineIntf* engine = FEngine.get();
    return engine ? engine->GetInitialFocusControl() : FFocusedControl.data();
}

void TVxCustomDialog::DoDialogExpand()
{
    if (OnDialogExpand)
        OnDialogExpand(this);
}

void TVxCustomDialog::DoDialogCollapse()
{
    if (OnDialogCollapse)
        OnDialogCollapse(this);
}

void TVxCustomDialog::DoUpdateProgressBarState(TProgressBarState State)
{
    if (OnUpdateProgressBarState)
        OnUpdateProgressBarState(this, GetControl(ctProgressBar, 0), State);
}

void TVxCustomDialog::DoUpdateProgressBar(int Position, bool& CloseDialog)
{
    if (OnUpdateProgressBar)
        OnUpdateProgressBar(this, GetControl(ctProgressBar, 0), Position, CloseDialog);
}

void TVxCustomDialog::DoProgress(int Position)
{
    VX_FORWARD(ProgressToTaskBar(Position))
    if (OnProgress)
        OnProgress(this, Position);
}

void TVxCustomDialog::DoDialogClose()
{
    CollectResults();
    if (OnDialogClose)
        OnDialogClose(this);
}

void TVxCustomDialog::DoDialogClick(TObject* Sender, TVxDialogHitTest HitTest)
{
    if (OnDialogClick)
        OnDialogClick(Sender, HitTest);
}

void TVxCustomDialog::CollectResults()
{
    if (!FButtonClicked)
        FModalResult = mrCancel;
    FDialogResult.ModalResult = FModalResult;
    FDialogResult.VerificationResult = VerificationResult();
    FDialogResult.RadioResult = RadioResult();
    FDialogResult.CustomButtonResult = FCustomButtonResult;
}

void TVxCustomDialog::CleanUpDialog()
{
    if (OnCleanUpDialog)
        OnCleanUpDialog(this);
    ReleaseControls();
}

void TVxCustomDialog::DoTimer(quint32 TimeSince)
{
    if (OnTimer)
        OnTimer(this, TimeSince);
}

void TVxCustomDialog::ReleaseControls() { VX_FORWARD(ReleaseControls()) }

void TVxCustomDialog::DoCreated()
{
    if (OnCreated)
        OnCreated(this);
}

void TVxCustomDialog::DoDestroyed()
{
    if (OnDestroyed)
        OnDestroyed(this);
}

void TVxCustomDialog::DoDialogConstructed() { VX_FORWARD(DoDialogConstructed()) }

bool TVxCustomDialog::IsRadioButtonChecked(TControl* Control)
{
    bool checked = false;
    bool handled = false;
    if (OnGetRadioButtonChecked)
        OnGetRadioButtonChecked(this, Control, checked, handled);
    if (!handled && Control && Control->inherits("QRadioButton"))
        checked = Control->property("checked").toBool();
    return checked;
}

void TVxCustomDialog::RestartProgressAnimation() { VX_FORWARD(RestartProgressAnimation()) }

void TVxCustomDialog::DoVerificationClick(bool Checked)
{
    if (OnVerificationClick)
        OnVerificationClick(this, Checked);
}

bool TVxCustomDialog::GetPlaySounds()
{
    return FPlaySounds;
}

void TVxCustomDialog::GetSound(TTaskDialogIcon Icon, quint32& Flags, QString& Sound)
{
    bool handled = Icon == tdiCustom;
    DoGetCustomSound(Sound, Flags, handled);
    if (handled)
        return;
    switch (Icon) {
    case tdiWarning: Sound = QStringLiteral("SystemExclamation"); break;
    case tdiError: Sound = QStringLiteral("SystemHand"); break;
    case tdiInformation: Sound = QStringLiteral("SystemAsterisk"); break;
    case tdiConfirmation: Sound = QStringLiteral("SystemQuestion"); break;
    case tdiShield: Sound = QStringLiteral("WindowsUAC"); break;
    default: Sound.clear(); break;
    }
    Flags |= SND_ALIAS;
}

void TVxCustomDialog::DoDialogShow()
{
    if (OnDialogShow)
        OnDialogShow(this);
}

int TVxCustomDialog::ShowModalForm()
{
    TVxDialogEngineIntf* engine = FEngine.get();
    return engine ? engine->ShowModalForm() : 0;
}

void TVxCustomDialog::ShowForm() { VX_FORWARD(ShowForm()) }
void TVxCustomDialog::PositionSheet() { VX_FORWARD(PositionSheet()) }

int TVxCustomDialog::AdjustSheetTop(int Top)
{
    return Top;
}

int TVxCustomDialog::GetFrameExtraWidth()
{
    TVxDialogEngineIntf* engine = Engine();
    return engine ? engine->GetFrameExtraWidth() : 0;
}

void TVxCustomDialog::InvalidateWindow() { VX_FORWARD(InvalidateWindow()) }
void TVxCustomDialog::UpdateMainIcon() { VX_FORWARD(UpdateMainIcon()) }
void TVxCustomDialog::RepaintMainIcon() { VX_FORWARD(RepaintMainIcon()) }
void TVxCustomDialog::UpdateWindowTitle() { VX_FORWARD(UpdateWindowTitle()) }
void TVxCustomDialog::UpdateWindowShowHint() { VX_FORWARD(UpdateWindowShowHint()) }
void TVxCustomDialog::InstructionChange(TObject*) { VX_FORWARD(InstructionChange()) }
void TVxCustomDialog::ContentChange(TObject*) { VX_FORWARD(ContentChange()) }
void TVxCustomDialog::VerificationChange(TObject*) { VX_FORWARD(VerificationChange()) }
void TVxCustomDialog::ExpandoChange(TObject*) { VX_FORWARD(ExpandoChange()) }
void TVxCustomDialog::FooterChange(TObject*) { VX_FORWARD(FooterChange()) }
void TVxCustomDialog::HeaderChange(TObject*) { VX_FORWARD(HeaderChange()) }
void TVxCustomDialog::ProgressChange(TObject*) { VX_FORWARD(ProgressChange()) }
void TVxCustomDialog::TimerChange(TObject*) { VX_FORWARD(TimerChange()) }

int TVxCustomDialog::UpdateProgress()
{
    TVxDialogEngineIntf* engine = FEngine.get();
    return engine ? engine->StepProgress() : 0;
}

int TVxCustomDialog::UpdateProgress(int aPosition)
{
    return UpdateProgress(aPosition, 0);
}

int TVxCustomDialog::UpdateProgress(int aPosition, int aStep)
{
    TVxDialogEngineIntf* engine = FEngine.get();
    return engine ? engine->UpdateProgress(aPosition, aStep) : 0;
}

void TVxCustomDialog::SetProgressState(TProgressBarState aState)
{
    TVxDialogEngineIntf* engine = FEngine.get();
    if (engine)
        engine->SetProgressState(aState);
    else
        FProgress->SetState(aState);
}

#undef VX_FORWARD
