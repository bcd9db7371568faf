#pragma once
// The dialog component: TVxCustomDialog holds the whole model (option objects, collections, fonts,
// pictures, scalar settings and events); TVxDialog publishes it. The engine shows a dialog by
// filling the protected virtual operations below; in the model they do nothing, because no window
// exists.

#include "Graphics.h"
#include "StringList.h"
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

// Keyboard shift state passed to key events. ssHorizontal of the platform's set is left out: the
// name belongs to TScrollStyle here and no key handler of the dialog reads it.
enum TShiftStateElement { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble, ssTouch, ssPen, ssCommand };
using TShiftState = TSet<TShiftStateElement>;

// Stand-ins for the platform's control types in event signatures. Controls live in the widget
// layers above the model, so the model sees them as QObjects; a control class is the Qt meta
// object the engine instantiates; a memory stream is an in-memory QIODevice.
using TControl = QObject;
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

class TVxCustomDialog : public TComponent {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxCustomDialog(TComponent* AOwner = nullptr);
    ~TVxCustomDialog() override;

    // Copies another TVxDialog; anything else raises EConvertError.
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
    // The content font. Option objects read it when they derive their own fonts.
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    // While True the engine applies its default fonts and no font is stored in the form text.
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

    // Events: plain fields, assigned directly.
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

    // --- Public, unpublished model state ---
    bool PlaySounds() const { return FPlaySounds; }
    void SetPlaySounds(bool Value);
    // Kept for callers that set it; nothing in the system reads it.
    QString Text() const { return FText; }
    void SetText(const QString& Value);
    // Read by the engine when it chooses the window border.
    bool ShowHelpButton() const { return FShowHelpButton; }
    void SetShowHelpButton(bool Value) { FShowHelpButton = Value; }
    bool EmulateMessageDlg() const { return FEmulateMessageDlg; }
    void SetEmulateMessageDlg(bool Value) { FEmulateMessageDlg = Value; }
    // True only while Assign copies; setters then skip their engine work.
    bool Assigning() const { return FAssigning; }
    // The background description whose colour follows Color.
    TVxBackground* Background() const { return FBackground.get(); }

    // The window of a showing dialog (nullptr otherwise). The engine sets it when it creates the
    // window; the pointer clears itself when the window is destroyed.
    QObject* Form() const { return FForm.data(); }
    void SetForm(QObject* AForm);
    bool IsShowing() const { return !FForm.isNull(); }

    // A font-changed notification: the dialog then keeps its own fonts (UseDefaultFonts off),
    // except while a form reader loads it.
    void CMFontChanged();

    // --- Radio button items ---
    // Every item whose Value equals aValue gets Checked := aChecked.
    void SetChecked(int aValue, bool aChecked);
    // Every item whose Value equals aValue is unchecked; -1 unchecks every item.
    void SetUnchecked(int aValue);
    // When aIndex <= Count, checks exactly the item at aIndex (none when aIndex = Count).
    void DefaultRadioButton(int aIndex);

    // --- Engine operations the model calls; they do nothing while no window exists ---
    virtual void PositionControls();
    // Re-places the radio buttons after a caption change.
    virtual void PositionRadioButtons();
    // Enables or disables the button created for a custom button value.
    virtual void EnableButton(int AValue, bool AEnabled);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual void CreateControls();
    virtual void FreeButtonControls();
    virtual void CalcAutoSize(bool Apply);
    virtual void RecreateFontControls();
    // Repaints the whole window.
    virtual void InvalidateWindow();
    // Loads the stock picture of MainIcon and updates the window.
    virtual void UpdateMainIcon();
    // Repaints the main icon area when the window's canvas has a handle.
    virtual void RepaintMainIcon();
    // The window caption follows Title.
    virtual void UpdateWindowTitle();
    // The window's ShowHint follows ShowHint.
    virtual void UpdateWindowShowHint();

    // Change handlers of the subscribed option objects (filled by the engine).
    virtual void InstructionChange(TObject* Sender);
    virtual void ContentChange(TObject* Sender);
    virtual void VerificationChange(TObject* Sender);
    virtual void ExpandoChange(TObject* Sender);
    virtual void FooterChange(TObject* Sender);
    virtual void HeaderChange(TObject* Sender);
    virtual void ProgressChange(TObject* Sender);
    virtual void TimerChange(TObject* Sender);

    // Fields (the engine's descendants read them directly).
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
    TNotifyEvent FPreviousFontChange;
};

// The dialog component the designer owns and generated code names: publishes the whole surface.
class TVxDialog : public TVxCustomDialog {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxDialog(TComponent* AOwner = nullptr) : TVxCustomDialog(AOwner) {}
};
