#pragma once
/// The dialog engine: runs a TVxDialog. One engine object belongs to each dialog component that has
/// run (see VxDialogEngineIntf.h for how the component reaches it). It creates the window and one
/// control per visible section, computes the margins, the client size and the rectangle of every
/// section, places the controls, paints the bands and turns clicks and keys into results.
///
/// Geometry never needs a shown window: a run can be built hidden (BuildHidden) and measured. \file

#include "VxDialog.h"
#include "VxDialogEngineIntf.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QScrollArea;
class TVxCaptionControl;
class TVxTaskDialogForm;
class TVxRichEdit;
class QEventLoop;
class TMemo;
class TRadioGroup;
class TVxTaskBarProgressImpl;

/// Installs the engine for every dialog component of the process (idempotent). The designer calls
/// it at start-up; anything else that runs dialogs calls it before the first run.
void InstallDialogEngine();

/// The largest client size a dialog window may take: the available area of the screen it shows on
/// (Window's screen, else the primary one) less the window frame. The engine sizes every dialog
/// within it: text wraps at most at its width (a word longer than a line is broken, as the footer
/// breaks it), and when the sections do not fit its height the content, expanded text, progress,
/// radio buttons and command links scroll while the rest stays in view. A descendant that adds
/// size of its own (GetExtraHeight, GetMinimumWidth) keeps that within it too. Without a screen
/// there is no bound.
QSize MaximumDialogClientSize(const QWidget* Window);

/// Layout sections, in the order the hit test visits them.
enum TVxDialogSection {
    secMainIcon, secInstruction, secContent, secExpandedText, secRadioButtons, secCommandLinks, secHeader,
    secFooter, secFooterExpanded, secButtonBar, secHelpLink, secProgressBar, secInstructionBand
};

class TVxDialogEngine : public TVxDialogEngineIntf {
public:
    explicit TVxDialogEngine(TVxCustomDialog* ADialog);
    ~TVxDialogEngine() override;
    TVxDialogEngine(const TVxDialogEngine&) = delete;
    TVxDialogEngine& operator=(const TVxDialogEngine&) = delete;

    /// The engine of a dialog (created when missing); nullptr when no engine is installed.
    static TVxDialogEngine* Of(TVxCustomDialog* ADialog);

    TVxCustomDialog* Dialog() const { return D; }
    TVxTaskDialogForm* Form() const;

    /// Builds the window as Execute does, up to the point where it would show it, and leaves it
    /// hidden: for measuring, rendering to an image and tests. The window lives until
    /// DestroyHiddenWindow or the next run.
    TVxTaskDialogForm* BuildHidden(QObject* aOwner = nullptr);
    void DestroyHiddenWindow();

    /// The client rectangle of a section; empty when the section is absent.
    TRect GetSectionRect(TVxDialogSection Section);
    /// Where the hit test places the image of the header or the footer (secHeader, secFooter),
    /// in client coordinates; empty for other sections and absent ones.
    TRect GetImageRect(TVxDialogSection Section);
    /// The section a client point falls in, as the window's click reports it.
    TVxDialogHitTest HitTest(const QPoint& ClientPoint);
    /// Ctrl+C text of the dialog.
    QString GetDialogText();
    /// Paints the window's client area into Canvas (the whole client area; Canvas covers it).
    void PaintDialog(QPainter& Canvas);

    /// The created controls (nullptr when a section has none).
    QWidget* InstructionLabel() const;
    QWidget* ContentLabel() const;
    QWidget* ContentMemo() const;
    QWidget* FooterLabel() const;
    QWidget* HelpLinkLabel() const;
    QWidget* MoreLinesLabel() const;
    QWidget* MoreRichEdit() const;
    QWidget* ProgressBar() const;
    QWidget* RadioGroup() const;
    QWidget* ShowMoreButton() const;
    QWidget* VerificationCheckBox() const;
    QList<QWidget*> CreatedButtonBarButtons() const;
    QList<QWidget*> CreatedCustomButtons() const;
    QList<QWidget*> CreatedRadioButtons() const;
    /// The collection index of each of CreatedCustomButtons (hidden items have no button).
    QList<int> CreatedCustomButtonItems() const;
    /// The kind of one of CreatedButtonBarButtons; nullopt for any other widget.
    std::optional<TCommonButton> ButtonBarKind(const QWidget* Button) const;

    /// The shared width of a common button kind (measured once per font).
    int FontTextHeight(const TFont& Font) const;

    // --- TVxDialogEngineIntf ---
    int Execute(QObject* aOwner) override;
    void ReleaseWindow() override;
    QObject* DefaultOwner() override;
    int Close(int AModalResult) override;
    void Show() override;
    void Update() override;
    int ShowModalForm() override;
    void ShowForm() override;
    void PositionSheet() override;

    QObject* GetControl(TControlType AControlType, int AValue) override;
    void EnableButton(int AValue, bool AEnabled) override;
    void EnableRadioButton(int aValue, bool aEnabled) override;
    void UpdateCustomButtonDetails(int aValue, const QString& aCaption, const QString& aHint,
                                   const TStrings* aInfo) override;
    bool GetVerificationChecked() override;
    int LiveRadioResult(bool& Found) override;
    QObject* GetInitialFocusControl() override;
    void DoDialogConstructed() override;

    void CreateControls() override;
    void RecreateFontControls() override;
    void FreeButtonControls() override;
    void ReleaseControls() override;
    void CreateRadioButtons() override;
    void CreateCustomButtons() override;
    void CreateButtonBarButtons() override;
    void CreateVerificationCheckBox() override;
    void CreateExpandoButton() override;
    void CreateInstructionLabel() override;
    void CreateContentLabel() override;
    void CreateFooterLabel() override;
    void CreateMoreRichEdit() override;
    void CreateMoreLinesLabel() override;
    void CreateHelpLinkLabel() override;
    void CreateProgressBar() override;
    const QMetaObject* GetDefaultControlClass(TControlType ControlType) override;
    void DefaultInitControl(TControlType ControlType, QObject* Control, TCollectionItem* Item) override;
    void RestartProgressAnimation() override;

    void CalcAutoSize(int& Height, int& Width, bool Apply) override;
    int GetFooterControlsHeight() override;
    int GetFrameExtraWidth() override;
    void PositionControls() override;
    void PositionRadioButtons() override;
    void PositionCustomButtons() override;
    void PositionButtonBarButtons() override;
    void PositionVerificationCheckBox() override;
    void PositionExpandoButton() override;
    void PositionInstructionLabel() override;
    void PositionContentLabel() override;
    void PositionFooterLabel() override;
    void PositionMoreLinesLabel() override;
    void PositionMoreRichEdit() override;
    void PositionHelpLinkLabel() override;
    void PositionProgressBar() override;
    void ExpandCollapse(bool Expand) override;

    void PaintInstruction(QPainter* Canvas, const TRect& Rect) override;
    void PaintMainIcon(QPainter* Canvas, const TRect& Rect) override;
    void PaintHeader(QPainter* Canvas) override;
    void PaintButtonBar(QPainter* Canvas, const TRect& Rect) override;
    void PaintFooter(QPainter* Canvas) override;
    void PaintDivider(QPainter* Canvas, const TRect& Rect) override;

    void InvalidateWindow() override;
    void UpdateMainIcon() override;
    void RepaintMainIcon() override;
    void UpdateWindowTitle() override;
    void UpdateWindowShowHint() override;
    void InstructionChange() override;
    void ContentChange() override;
    void VerificationChange() override;
    void ExpandoChange() override;
    void FooterChange() override;
    void HeaderChange() override;
    void ProgressChange() override;
    void TimerChange() override;

    int UpdateProgress(int aPosition, int aStep) override;
    int StepProgress() override;
    void SetProgressState(TProgressBarState aState) override;
    void ProgressToTaskBar(int Position) override;
    void ShowApplicationHelp(THelpType HelpType, int HelpContext, const QString& HelpKeyword) override;

    /// The scrolling part of a dialog taller than the screen allows (nullptr while all fits). The
    /// scrolled controls are children of its widget, placed in window coordinates less its origin
    /// (0, top of the area).
    QScrollArea* ScrollArea() const;

    /// Runs Fn, an entry from the window or a control into the dialog's handlers. An exception
    /// from a modal run's handler ends the run: the window closes and is released, and Execute
    /// raises the exception to its caller. Elsewhere the exception goes on.
    void Guarded(const std::function<void()>& Fn);

    /// The taskbar progress of the run; nullptr without one.
    TVxTaskBarProgressImpl* TaskBarProgress() const { return FTaskBarProgress.get(); }

private:
    friend class TVxTaskDialogForm;

    /// Execute up to the moment of showing; false when the window was already showing.
    bool Prepare(QObject* aOwner);
    void NameWindow(QObject* aOwner);
    void ShowHandler();
    void ApplyMainIconPicture();
    void SetupCaption(TVxCaptionControl* Control, const TFont& Font, TColor Color);
    QWidget* NewControl(const QMetaObject* ControlClass, QWidget* Parent);
    void RadioClick(QObject* Sender);
    void VerificationClick();
    void Resize();
    void DeleteVerificationBox();
    /// The controls that scroll when the dialog is taller than the screen allows.
    QList<QWidget*> ScrolledControls() const;
    /// Moves the scrolled controls into the scroll area, or back onto the window once all fits.
    void UpdateScrollRegion();

    /// Run-time behaviour (VxDialogRuntime.cpp).
    void RunExpandCollapse(bool Expand);
    void AnimateExpandCollapse(bool Expand);
    void SetAnimationHeight(int Height);
    /// The expanded information as Expando.MoreSource gives it: raw bytes of a file or stream, or
    /// the Lines text. nullopt when a file or stream source gave nothing (the target stays as it is).
    std::optional<QByteArray> MoreData();
    /// The same as text for a caption control (UTF-8 when valid, else the local encoding).
    std::optional<QString> MoreText();
    void ResetMoreData();
    /// The expanded information for the clipboard, as the window shows it: the rich edit's plain
    /// text once it is reloaded from the source, or the lines the source gives (lines each
    /// followed by CR LF).
    QString ExpandedTextForCopy();

    /// Measurements (Part of the layout rules).
    int MulDiv(int Value) const;
    int CaptionHeight(const QString& Text, const TFont& Font, int Width) const;
    int OneLineHeight(int Width) const;
    int FooterHeight();
    int FooterIconWidth() const;
    int HeaderIconWidth() const;
    TRect GetImageRect(TVxDialogSection Section, const TRect& SectionRect);
    int ExpandedTextHeight();
    int InstructionTextHeight();
    int InstructionMinimumWidth();
    int ContentMinimumWidth();
    int ExpandoButtonWidth();
    int ButtonHeight() const;
    /// The dialog font for measuring push buttons (at least 9 points).
    QFont ButtonMeasureFont() const;
    int MinimumButtonWidth() const;
    int CommonButtonWidth(TCommonButton Kind, const QString& Caption);
    int ClientWidthNow() const;
    int ClientHeightNow() const;

    /// Derived conditions.
    bool CommandLinks() const;
    bool HasProgress() const;
    bool HasRadio() const;
    bool Expanded() const;
    bool InBody() const;
    bool MainGlyph() const;
    bool RightToLeft() const;
    /// The instruction is shown at the top as a band without a glyph of its own, and a main icon
    /// is present: the icon stands below the band.
    bool IconBelowInstructionBand() const;

    TVxCustomDialog* const D;

    QPointer<TVxCaptionControl> FInstructionLabel;
    QPointer<TVxCaptionControl> FContentLabel;
    QPointer<TMemo> FContentMaxLines;
    QPointer<QWidget> FProgressBar;
    QPointer<TVxCaptionControl> FHelpLinkLabel;
    QPointer<QWidget> FRadioGroup;
    std::unique_ptr<QList<QPointer<QWidget>>> FCreatedRadioButtons;
    std::unique_ptr<QList<QPointer<QWidget>>> FCreatedCustomButtons;
    std::unique_ptr<QList<QPointer<QWidget>>> FCreatedButtonBarButtons;
    /// Custom button item behind each created custom button (same order).
    QList<int> FCustomButtonItems;
    QPointer<QWidget> FShowMoreButton;
    QPointer<QWidget> FVerificationCheckBox;
    QPointer<TVxCaptionControl> FFooterLabel;
    QPointer<TVxCaptionControl> FMoreLinesLabel;
    QPointer<TVxRichEdit> FMoreRichEdit;
    /// Scrolling (set by CalcAutoSize): the window rows from FScrollTop to FScrollBottom (in the
    /// full-height layout) are shown in a FScrollVisible-high scroll area; FScrollVisible is 0
    /// while everything fits.
    QPointer<QScrollArea> FScrollArea;
    /// Close called while the run was set up (OnDialogConstructed): the window is not shown.
    bool FSettingUp = false;
    bool FClosedDuringSetUp = false;
    /// The window is being shown (its show handler runs): a Close then waits until it shows.
    bool FShowing = false;
    /// A modal run's modal loop is running.
    bool FInModalLoop = false;
    /// The first exception a handler raised during the modal loop; Execute raises it.
    std::exception_ptr FPendingException;
    int FScrollTop = 0;
    int FScrollBottom = 0;
    int FScrollVisible = 0;
    /// The taskbar's copy of the progress, while a run shows a progress bar with ShowOnTaskBar.
    std::unique_ptr<TVxTaskBarProgressImpl> FTaskBarProgress;
    /// Whether the glyph was empty before the run put the stock picture in (it is emptied again
    /// afterwards, so the designer does not write the stock picture as the dialog's glyph).
    bool FGlyphLoadedByRun = false;

    /// The expanded information of a file or stream source, loaded once per run and expansion.
    std::optional<QByteArray> FMoreData;
    bool FMoreDataLoaded = false;
    /// A toggle click while the window grows or shrinks: the direction to run next.
    std::optional<bool> FPendingExpand;
    QEventLoop* FAnimationLoop = nullptr;
};
