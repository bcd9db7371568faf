#pragma once
/// The dialog component: TVxCustomDialog holds the whole model (option objects, collections, fonts,
/// pictures, scalar settings and events); TVxDialog publishes it. The engine shows a dialog by
/// filling the protected virtual operations below; in the model they do nothing, because no window
/// exists. \file

#include "Graphics.h"
#include "StringList.h"
#include "SysUtils.h"
#include "VxDefaultFonts.h"
#include "VxTypes.h"

#include <QPointer>

#include <memory>

class QBuffer;
class QMetaObject;

class TVxInstruction;
class TVxExpando;
class TVxHeader;
class TVxFooter;
class TVxHelpLink;
class TVxVerification;
class TVxButtonBarOptions;
class TVxButtonOptions;
class TVxProgress;
class TVxBorder;
class TVxTimer;
class TVxRadioButton;
class TVxSheetOptions;
class TVxLocation;
class TVxBackground;
class TVxRadioButtons;
class TVxCustomButtons;
class TVxCustomDialog;
class TVxDialogEngineIntf;
class QPainter;

/// Keyboard shift state passed to key events. ssHorizontal of the platform's set is left out: the
/// name belongs to TScrollStyle here and no key handler of the dialog reads it.
enum TShiftStateElement { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble, ssTouch, ssPen, ssCommand };
using TShiftState = TSet<TShiftStateElement>;

/// Stand-ins for the platform's control types in event signatures. Controls live in the widget
/// layers above the model, so the model sees them as QObjects; a control class is the Qt meta
/// object the engine instantiates; a memory stream is an in-memory QIODevice.
using TControl = QObject;
using TWinControl = QObject;
using TControlClass = const QMetaObject*;
using TMemoryStream = QBuffer;

using TDialogClickEvent = TEvent<TObject*, TVxDialogHitTest>;
using TDialogCloseEvent = TEvent<TVxCustomDialog*>;
using TGetMoreFileNameEvent = TEvent<TObject*, QString&>;
using TGetMoreStreamEvent = TEvent<TObject*, TMemoryStream*&>;
using THelpLinkClickEvent = TEvent<TObject*, bool&>;
using THelpButtonClickEvent = TEvent<TObject*, bool&>;
using TGetControlClassEvent = TEvent<TObject*, TControlType, TControlClass&>;
using TInitControlEvent = TEvent<TObject*, TControlType, TControl*, TCollectionItem*, bool&>;
using TControlClickEvent = TEvent<TObject*, TControlType, TControl*, int, bool&>;
using TGetRadioButtonChecked = TEvent<TObject*, TControl*, bool&, bool&>;
using TGetVerificationResult = TEvent<TObject*, TControl*, bool&>;
using TProgressEvent = TEvent<TObject*, int>;
using TUpdateProgressBarStateEvent = TEvent<TObject*, TControl*, TProgressBarState>;
using TUpdateProgressBarEvent = TEvent<TObject*, TControl*, int, bool&>;
using TTimerEvent = TEvent<TObject*, quint32>;
using TKeyEvent = TEvent<TObject*, quint16&, TShiftState>;
using TVerificationClickEvent = TEvent<TObject*, bool>;
using TGetCustomSoundEvent = TEvent<TObject*, QString&, quint32&, bool&>;

enum TVxDialogState { dsNormal, dsPreview };
using TVxDialogStates = TSet<TVxDialogState>;

/// The results of the last run.
struct TVxDialogResult {
    TModalResult ModalResult = 0;
    bool VerificationResult = false;
    int RadioResult = 0;
    int CustomButtonResult = 0;
};

/// A modeless sheet run by a class that is not a sheet, or a sheet that is not placed as designed.
VX_DECLARE_EXCEPTION(EDialogSheet, Exception)

/// The number every created control carries (the platform controls' Tag): a common button's modal
/// result, a custom button's or radio button's item value.
int ControlTag(const QObject* Control);
void SetControlTag(QObject* Control, int Value);

class TVxCustomDialog : public TComponent {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxCustomDialog(TComponent* AOwner = nullptr);
    ~TVxCustomDialog() override;

    /// Copies another TVxDialog; anything else raises EConvertError.
    void Assign(const TPersistent* Source) override;

    // --- Published surface (published by TVxDialog, in declaration order) ---
    TControlType ActiveControlType() const { return FActiveControlType; }
    void SetActiveControlType(TControlType Value);
    bool AllowCancel() const { return FAllowCancel; }
    void SetAllowCancel(bool Value) { FAllowCancel = Value; }
    bool AllowMinimize() const { return FAllowMinimize; }
    void SetAllowMinimize(bool Value) { FAllowMinimize = Value; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }
    TVxButtonOptions* Button() const { return FButton.get(); }
    void SetButton(const TVxButtonOptions* Value);
    TStrings* Content() const { return FContent.get(); }
    void SetContent(const TStrings* Value);
    TDefaultMonitor DefaultMonitor() const { return FDefaultMonitor; }
    void SetDefaultMonitor(TDefaultMonitor Value) { FDefaultMonitor = Value; }
    TDialogOptions DialogOptions() const { return FDialogOptions; }
    void SetDialogOptions(TDialogOptions Value);
    TVxDialogStyle DialogStyle() const { return FDialogStyle; }
    void SetDialogStyle(TVxDialogStyle Value);
    TVxExpando* Expando() const { return FExpando.get(); }
    void SetExpando(const TVxExpando* Value);
    TPicture* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TPicture* Value);
    TVxInstruction* Instruction() const { return FInstruction.get(); }
    void SetInstruction(const TVxInstruction* Value);
    TVxRadioButtons* RadioButtons() const { return FRadioButtons.get(); }
    void SetRadioButtons(const TVxRadioButtons* Value);
    TVxCustomButtons* CustomButtons() const { return FCustomButtons.get(); }
    void SetCustomButtons(const TVxCustomButtons* Value);
    TVxButtonBarOptions* ButtonBar() const { return FButtonBar.get(); }
    void SetButtonBar(const TVxButtonBarOptions* Value);
    TVxVerification* Verification() const { return FVerification.get(); }
    void SetVerification(const TVxVerification* Value);
    TVxFooter* Footer() const { return FFooter.get(); }
    void SetFooter(const TVxFooter* Value);
    TVxHeader* Header() const { return FHeader.get(); }
    void SetHeader(const TVxHeader* Value);
    TTaskDialogIcon MainIcon() const { return FMainIcon; }
    void SetMainIcon(TTaskDialogIcon Value);
    TVxHelpLink* HelpLink() const { return FHelpLink.get(); }
    void SetHelpLink(const TVxHelpLink* Value);
    TVxProgress* Progress() const { return FProgress.get(); }
    void SetProgress(const TVxProgress* Value);
    TVxBorder* Border() const { return FBorder.get(); }
    void SetBorder(const TVxBorder* Value);
    QString Title() const { return FTitle; }
    void SetTitle(const QString& Value);
    TDialogPosition Position() const { return FPosition; }
    void SetPosition(TDialogPosition Value) { FPosition = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    /// The content font. Option objects read it when they derive their own fonts.
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    /// While True the engine applies its default fonts and no font is stored in the form text.
    bool UseDefaultFonts() const { return FUseDefaultFonts; }
    void SetUseDefaultFonts(bool Value) { FUseDefaultFonts = Value; }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value) { FBorderStyle = Value; }
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(const TIcon* Value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    THelpType HelpType() const { return FHelpType; }
    void SetHelpType(THelpType Value) { FHelpType = Value; }
    QString HelpKeyword() const { return FHelpKeyword; }
    void SetHelpKeyword(const QString& Value) { FHelpKeyword = Value; }
    TVxLocation* Location() const { return FLocation.get(); }
    void SetLocation(const TVxLocation* Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    bool UseOldStyleSetting() const { return FUseOldStyleSetting; }
    void SetUseOldStyleSetting(bool Value) { FUseOldStyleSetting = Value; }
    TVxSheetOptions* Sheet() const { return FSheet.get(); }
    void SetSheet(const TVxSheetOptions* Value);
    TVxTimer* Timer() const { return FTimer.get(); }
    void SetTimer(const TVxTimer* Value);
    TVxRadioButton* RadioButton() const { return FRadioButton.get(); }
    void SetRadioButton(const TVxRadioButton* Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    int MaxLines() const { return FMaxLines; }
    void SetMaxLines(int Value) { FMaxLines = Value; }

    /// Events: plain fields, assigned directly.
    TNotifyEvent OnCleanUpDialog;
    TNotifyEvent OnCreated;
    TNotifyEvent OnDestroyed;
    TDialogClickEvent OnDialogClick;
    TDialogCloseEvent OnDialogClose;
    TNotifyEvent OnDialogConstructed;
    TGetMoreFileNameEvent OnGetMoreFileName;
    TGetMoreStreamEvent OnGetMoreStream;
    THelpLinkClickEvent OnHelpLinkClick;
    THelpButtonClickEvent OnHelpButtonClick;
    TGetControlClassEvent OnGetControlClass;
    TInitControlEvent OnInitControl;
    TControlClickEvent OnControlClick;
    TNotifyEvent OnDialogCollapse;
    TNotifyEvent OnDialogExpand;
    TNotifyEvent OnDialogShow;
    TGetRadioButtonChecked OnGetRadioButtonChecked;
    TGetVerificationResult OnGetVerificationResult;
    TProgressEvent OnProgress;
    TUpdateProgressBarStateEvent OnUpdateProgressBarState;
    TUpdateProgressBarEvent OnUpdateProgressBar;
    TTimerEvent OnTimer;
    TKeyEvent OnKeyPress;
    TVerificationClickEvent OnVerificationClick;

    /// Not published: asked for the sound of a custom main icon (and of any icon whose handler
    /// sets Handled).
    TGetCustomSoundEvent OnGetCustomSound;

    // --- Public, unpublished model state ---
    bool PlaySounds() const { return FPlaySounds; }
    void SetPlaySounds(bool Value);
    /// Kept for callers that set it; nothing in the system reads it.
    QString Text() const { return FText; }
    void SetText(const QString& Value);
    /// Read by the engine when it chooses the window border.
    bool ShowHelpButton() const { return FShowHelpButton; }
    void SetShowHelpButton(bool Value) { FShowHelpButton = Value; }
    bool EmulateMessageDlg() const { return FEmulateMessageDlg; }
    void SetEmulateMessageDlg(bool Value) { FEmulateMessageDlg = Value; }
    /// True only while Assign copies; setters then skip their engine work.
    bool Assigning() const { return FAssigning; }
    /// The background description whose colour follows Color.
    TVxBackground* Background() const { return FBackground.get(); }

    /// The window of a showing dialog (nullptr otherwise). The engine sets it when it creates the
    /// window; the pointer clears itself when the window is destroyed.
    QObject* Form() const { return FForm.data(); }
    void SetForm(QObject* AForm);
    bool IsShowing() const { return !FForm.isNull(); }

    /// A font-changed notification: the dialog then keeps its own fonts (UseDefaultFonts off),
    /// except while a form reader loads it.
    void CMFontChanged();

    // --- Radio button items ---
    /// Every item whose Value equals aValue gets Checked := aChecked.
    void SetChecked(int aValue, bool aChecked);
    /// Every item whose Value equals aValue is unchecked; -1 unchecks every item.
    void SetUnchecked(int aValue);
    /// When aIndex <= Count, checks exactly the item at aIndex (none when aIndex = Count).
    void DefaultRadioButton(int aIndex);

    // --- The run (the engine does the work; see VxDialogEngineIntf.h) ---
    /// Runs the dialog with the component's owner; without one, the active window when it shows,
    /// else the application's main window, else no owner.
    int Execute();
    /// The run: builds, sizes and shows the window. Returns the modal result of a modal run, -1 for
    /// a modeless run and when the window was already showing. Raises EDialogSheet for a modeless
    /// sheet of a class that is not a sheet. aOwner may be a component or a window; a window
    /// becomes the dialog window's transient parent.
    virtual int Execute(QObject* aOwner);
    /// A modal run centred on the screen, closable, whatever the settings say; the settings are
    /// restored afterwards (also when the run raises).
    int ExecutePreview();
    /// Ends the run with AModalResult. -1 when no window exists, else the stored result.
    virtual int Close(int AModalResult);
    /// Shows a modeless run's window again.
    void Show();
    /// Repaints the progress control and then the whole window at once.
    void Update();

    // --- Results ---
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    /// The live verification box when one exists, else the last run's result.
    bool VerificationResult();
    void SetVerificationResult(bool Value) { FVerificationResult = Value; }
    /// The checked radio button's value while the radio buttons exist, else the last run's.
    int RadioResult();
    void SetRadioResult(int Value) { FRadioResult = Value; }
    int CustomButtonResult() const { return FCustomButtonResult; }
    const TVxDialogResult& DialogResult() const { return FDialogResult; }
    TVxDialogStates DialogState() const { return FDialogState; }

    // --- Run-time control interface (values as in the class comment of VxDialogEngineIntf.h) ---
    TControl* GetControl(TControlType AControlType, int AValue);
    void EnableRadioButton(int aValue, bool aEnabled);
    /// Clicks the custom button or command link addressed by aValue.
    void PerformAction(int aValue);
    /// False without a window; else the state of the radio button named "rb" + aValue.
    bool IsChecked(int aValue);
    void UpdateCustomButtonDetails(int aValue, const QString& aCaption, const QString& aHint, const TStrings* aInfo);
    /// The window width a content line needs.
    int ContentLineWidth(const QString& ALine);
    /// The text width of ALine in the default font of AFontType.
    static int RequiredWidth(const QString& ALine, TVxFontType AFontType);

    // --- Engine operations the model calls; without a window they do nothing ---
    virtual void PositionControls();
    /// Re-places the radio buttons after a caption change.
    virtual void PositionRadioButtons();
    /// Enables or disables the button created for a custom button value.
    virtual void EnableButton(int AValue, bool AEnabled);

    // --- Progress while the window shows (the engine does the work) ---
    /// Steps the bar by its own step; returns Progress.Position, 0 without a window.
    int UpdateProgress();
    /// UpdateProgress(aPosition, 0).
    int UpdateProgress(int aPosition);
    /// Moves a normal (non-marquee) bar to aPosition + aStep; at Max the dialog closes with result
    /// 0. Returns Progress.Position; 0 without a window, a progress control or doProgressBar.
    int UpdateProgress(int aPosition, int aStep);
    void SetProgressState(TProgressBarState aState);

    /// The engine behind this dialog: created on first use when an engine is installed, else
    /// nullptr.
    TVxDialogEngineIntf* Engine();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // --- Operations the descendants override (input dialogs, sheets), in slot order ---
    virtual int GetFooterControlsHeight();
    virtual void ButtonClick(QObject* Sender);
    virtual void HelpButtonClick(QObject* Sender);
    virtual void DoControlClick(TControl* Control, TControlType ControlType, int Value, bool& Handled);
    virtual void DoCloseQuery(TObject* Sender, bool& CanClose);
    virtual void DoGetCustomSound(QString& Sound, quint32& Flags, bool& Handled);
    virtual void DoKeyPress(quint16& Key, TShiftState Shift);
    virtual bool GetVerificationChecked();
    virtual void PaintInstruction(QPainter* Canvas, const TRect& Rect);
    virtual void PaintMainIcon(QPainter* Canvas, const TRect& Rect);
    virtual void PaintHeader(QPainter* Canvas);
    virtual void PaintButtonBar(QPainter* Canvas, const TRect& Rect);
    virtual void PaintFooter(QPainter* Canvas);
    virtual void PaintDivider(QPainter* Canvas, const TRect& Rect);
    virtual bool UseMinimumHeight();
    virtual int GetCommandLinkWidth();
    virtual void CalcMargins();
    virtual void CalcAutoSize(int& Height, int& Width, bool Apply);
    virtual int GetExtraHeight();
    virtual int GetMinimumWidth();
    virtual void CreateControls();
    virtual void RecreateFontControls();
    virtual void FreeButtonControls();
    virtual void CreateRadioButtons();
    virtual void CreateCustomButtons();
    virtual void PositionCustomButtons();
    virtual void CreateButtonBarButtons();
    virtual void PositionButtonBarButtons();
    virtual void CreateVerificationCheckBox();
    virtual void PositionVerificationCheckBox();
    virtual void CreateExpandoButton();
    virtual void PositionExpandoButton();
    virtual void CreateInstructionLabel();
    virtual void PositionInstructionLabel();
    virtual void CreateContentLabel();
    virtual void PositionContentLabel();
    virtual void CreateFooterLabel();
    virtual void PositionFooterLabel();
    virtual void CreateMoreRichEdit();
    virtual void CreateMoreLinesLabel();
    virtual void PositionMoreLinesLabel();
    virtual void PositionMoreRichEdit();
    virtual void CreateHelpLinkLabel();
    virtual void PositionHelpLinkLabel();
    virtual void CreateProgressBar();
    virtual void PositionProgressBar();
    virtual void CreateAdditionalControls();
    virtual void GetDefaultControlClass(TControlType ControlType, TControlClass& ControlClass);
    virtual TControlClass GetControlClass(TControlType ControlType);
    virtual void InitControl(TControlType ControlType, TControl* Control, TCollectionItem* Item);
    virtual void DefaultInitControl(TControlType ControlType, TControl* Control, TCollectionItem* Item);
    virtual void DoGetMoreFileName(QString& FileName);
    virtual void DoGetMoreStream(TMemoryStream*& Stream);
    virtual void HelpLinkClick();
    virtual void ExpandCollapse(bool Expand);
    virtual TWinControl* GetInitialFocusControl();
    virtual void DoDialogExpand();
    virtual void DoDialogCollapse();
    virtual void DoUpdateProgressBarState(TProgressBarState State);
    virtual void DoUpdateProgressBar(int Position, bool& CloseDialog);
    virtual void DoProgress(int Position);
    virtual void DoDialogClose();
    virtual void DoDialogClick(TObject* Sender, TVxDialogHitTest HitTest);
    virtual void CollectResults();
    virtual void CleanUpDialog();
    virtual void DoTimer(quint32 TimeSince);
    virtual void ReleaseControls();
    virtual void DoCreated();
    virtual void DoDestroyed();
    virtual void DoDialogConstructed();
    virtual bool IsRadioButtonChecked(TControl* Control);
    virtual void RestartProgressAnimation();
    virtual void DoVerificationClick(bool Checked);
    virtual bool GetPlaySounds();
    virtual void GetSound(TTaskDialogIcon Icon, quint32& Flags, QString& Sound);
    virtual void DoDialogShow();
    virtual int ShowModalForm();
    virtual void ShowForm();
    virtual void PositionSheet();
    virtual int AdjustSheetTop(int Top);
    virtual int GetFrameExtraWidth();

    /// Model-side hooks of the setters (the engine fills them while a window shows).
    /// Repaints the whole window.
    virtual void InvalidateWindow();
    /// Loads the stock picture of MainIcon and updates the window.
    virtual void UpdateMainIcon();
    /// Repaints the main icon area when the window's canvas has a handle.
    virtual void RepaintMainIcon();
    /// The window caption follows Title.
    virtual void UpdateWindowTitle();
    /// The window's ShowHint follows ShowHint.
    virtual void UpdateWindowShowHint();

    /// Change handlers of the subscribed option objects (filled by the engine).
    virtual void InstructionChange(TObject* Sender);
    virtual void ContentChange(TObject* Sender);
    virtual void VerificationChange(TObject* Sender);
    virtual void ExpandoChange(TObject* Sender);
    virtual void FooterChange(TObject* Sender);
    virtual void HeaderChange(TObject* Sender);
    virtual void ProgressChange(TObject* Sender);
    virtual void TimerChange(TObject* Sender);

    /// Fields (the engine's descendants read them directly).
    TControlType FActiveControlType = ctButton;
    bool FAllowCancel = true;
    bool FAllowMinimize = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    TDefaultMonitor FDefaultMonitor = dmActiveForm;
    TDialogOptions FDialogOptions;
    TVxDialogStyle FDialogStyle = dsDialog;
    TTaskDialogIcon FMainIcon = tdiNone;
    QString FTitle;
    TDialogPosition FPosition = dpScreenCenter;
    TColor FColor = 0;
    bool FUseDefaultFonts = true;
    TFormBorderStyle FBorderStyle = bsDialog;
    int FHelpContext = 0;
    THelpType FHelpType = htContext;
    QString FHelpKeyword;
    int FWidth = 0;
    bool FUseOldStyleSetting = true;
    bool FShowHint = false;
    int FMaxLines = 0;

    bool FPlaySounds = true;
    QString FText;
    bool FShowHelpButton = false;
    bool FEmulateMessageDlg = false;
    bool FAssigning = false;
    QPointer<QObject> FForm;

    /// Run state (zero until a run sets it).
    TVxDialogStates FDialogState;
    bool FButtonClicked = false;
    TModalResult FModalResult = 0;
    bool FVerificationResult = false;
    int FRadioResult = 0;
    int FCustomButtonResult = 0;
    TVxDialogResult FDialogResult;
    int FPreviousProgressPosition = 0;
    QPointer<QObject> FFocusedControl;
    QPointer<QObject> FDefaultButton;
    int FAcceleratorState = 0;
    bool FResetMaxLines = false;
    /// Re-entrancy guards of the layout.
    bool FInitialisingFonts = false;
    bool FCalcLayout = false;
    bool FCalcAutosizing = false;
    bool FExpanding = false;
    bool FCollapsing = false;

    /// Layout (pixels; the spacings are scaled to the screen when the dialog is created).
    int FLeftMargin = 0;
    int FRightMargin = 0;
    int FVertMargin = 0;
    int FVertSpacing = 0;
    int FHorzSpacing = 0;
    int FButtonSpacing = 0;
    int FButtonBarHeight = 0;
    int FClientWidth = 0;
    int FClientHeight = 0;
    int FShowMoreButtonWidth = -1;
    bool FInvalidateOnPosition = false;
    int FExpandedHeight = 0;
    int FExpandedAmount = 0;
    int FExpandedLeftOver = 0;
    int FExpandingHeight = 0;
    int FFirstButtonLeftPos = -1;
    int FWidthOfLastCommonButton = 0;

    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TStringList> FContent;
    std::unique_ptr<TVxInstruction> FInstruction;
    std::unique_ptr<TVxVerification> FVerification;
    std::unique_ptr<TPicture> FGlyph;
    std::unique_ptr<TVxExpando> FExpando;
    std::unique_ptr<TVxRadioButtons> FRadioButtons;
    std::unique_ptr<TVxCustomButtons> FCustomButtons;
    std::unique_ptr<TVxButtonBarOptions> FButtonBar;
    std::unique_ptr<TVxButtonOptions> FButton;
    std::unique_ptr<TVxFooter> FFooter;
    std::unique_ptr<TVxHeader> FHeader;
    std::unique_ptr<TVxHelpLink> FHelpLink;
    std::unique_ptr<TVxProgress> FProgress;
    std::unique_ptr<TVxBorder> FBorder;
    std::unique_ptr<TVxBackground> FBackground;
    std::unique_ptr<TVxLocation> FLocation;
    std::unique_ptr<TVxTimer> FTimer;
    std::unique_ptr<TVxRadioButton> FRadioButton;
    std::unique_ptr<TVxSheetOptions> FSheet;
    std::unique_ptr<TIcon> FIcon;

private:
    friend class TVxDialogEngine;
    friend class TVxTaskDialogForm;
    TNotifyEvent FPreviousFontChange;
    std::unique_ptr<TVxDialogEngineIntf> FEngine;
};

/// The dialog component the designer owns and generated code names: publishes the whole surface.
class TVxDialog : public TVxCustomDialog {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxDialog(TComponent* AOwner = nullptr) : TVxCustomDialog(AOwner) {}
};
