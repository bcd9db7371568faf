#pragma once
/// The seam between the dialog component and the engine that shows it.
///
/// The model knows no windows, so a TVxDialog on its own cannot run. The engine library installs a
/// factory (InstallDialogEngine() in engine/VxDialogEngine.h); from then on every dialog component
/// creates its engine object on first use and forwards to it the operations that need a window.
/// The component keeps every operation as its own protected virtual, in the order descendants
/// know, so an input dialog or a sheet overrides one and calls the inherited one, which reaches the
/// engine. The engine in turn calls the component's virtuals for every step, never its own
/// implementation directly, so overrides take part in the whole run.
///
/// Value conventions of the run-time interface: a common button is addressed by its modal result
/// (mrOk = 1 ... mrYesToAll = 14), a custom button or command link by 100 plus its position among
/// the created ones, a radio button by 200 plus its position (enabling) or by its item value
/// (checking). \file

#include "ControlTypes.h"
#include "VxTypes.h"

#include <QString>

#include <functional>
#include <memory>

class QObject;
class QPainter;
class TCollectionItem;
class TStrings;
class TVxCustomDialog;

class TVxDialogEngineIntf {
public:
    virtual ~TVxDialogEngineIntf() = default;

    /// The run and its window.
    virtual int Execute(QObject* aOwner) = 0;
    /// Frees a window that still exists, with the usual destroy handling (the component is being
    /// destroyed).
    virtual void ReleaseWindow() = 0;
    virtual QObject* DefaultOwner() = 0;
    virtual int Close(int AModalResult) = 0;
    virtual void Show() = 0;
    virtual void Update() = 0;
    virtual int ShowModalForm() = 0;
    virtual void ShowForm() = 0;
    virtual void PositionSheet() = 0;

    /// Run-time control interface.
    virtual QObject* GetControl(TControlType AControlType, int AValue) = 0;
    virtual void EnableButton(int AValue, bool AEnabled) = 0;
    virtual void EnableRadioButton(int aValue, bool aEnabled) = 0;
    virtual void UpdateCustomButtonDetails(int aValue, const QString& aCaption, const QString& aHint,
                                           const TStrings* aInfo) = 0;
    virtual bool GetVerificationChecked() = 0;
    virtual int LiveRadioResult(bool& Found) = 0;
    virtual QObject* GetInitialFocusControl() = 0;
    virtual void DoDialogConstructed() = 0;

    /// Construction.
    virtual void CreateControls() = 0;
    virtual void RecreateFontControls() = 0;
    virtual void FreeButtonControls() = 0;
    virtual void ReleaseControls() = 0;
    virtual void CreateRadioButtons() = 0;
    virtual void CreateCustomButtons() = 0;
    virtual void CreateButtonBarButtons() = 0;
    virtual void CreateVerificationCheckBox() = 0;
    virtual void CreateExpandoButton() = 0;
    virtual void CreateInstructionLabel() = 0;
    virtual void CreateContentLabel() = 0;
    virtual void CreateFooterLabel() = 0;
    virtual void CreateMoreRichEdit() = 0;
    virtual void CreateMoreLinesLabel() = 0;
    virtual void CreateHelpLinkLabel() = 0;
    virtual void CreateProgressBar() = 0;
    virtual const QMetaObject* GetDefaultControlClass(TControlType ControlType) = 0;
    virtual void DefaultInitControl(TControlType ControlType, QObject* Control, TCollectionItem* Item) = 0;
    virtual void RestartProgressAnimation() = 0;

    /// Sizing and placement.
    virtual void CalcAutoSize(int& Height, int& Width, bool Apply) = 0;
    virtual int GetFooterControlsHeight() = 0;
    virtual int GetFrameExtraWidth() = 0;
    virtual void PositionControls() = 0;
    virtual void PositionRadioButtons() = 0;
    virtual void PositionCustomButtons() = 0;
    virtual void PositionButtonBarButtons() = 0;
    virtual void PositionVerificationCheckBox() = 0;
    virtual void PositionExpandoButton() = 0;
    virtual void PositionInstructionLabel() = 0;
    virtual void PositionContentLabel() = 0;
    virtual void PositionFooterLabel() = 0;
    virtual void PositionMoreLinesLabel() = 0;
    virtual void PositionMoreRichEdit() = 0;
    virtual void PositionHelpLinkLabel() = 0;
    virtual void PositionProgressBar() = 0;
    virtual void ExpandCollapse(bool Expand) = 0;

    /// Painting.
    virtual void PaintInstruction(QPainter* Canvas, const TRect& Rect) = 0;
    virtual void PaintMainIcon(QPainter* Canvas, const TRect& Rect) = 0;
    virtual void PaintHeader(QPainter* Canvas) = 0;
    virtual void PaintButtonBar(QPainter* Canvas, const TRect& Rect) = 0;
    virtual void PaintFooter(QPainter* Canvas) = 0;
    virtual void PaintDivider(QPainter* Canvas, const TRect& Rect) = 0;

    /// Model changes while a window shows.
    virtual void InvalidateWindow() = 0;
    virtual void UpdateMainIcon() = 0;
    virtual void RepaintMainIcon() = 0;
    virtual void UpdateWindowTitle() = 0;
    virtual void UpdateWindowShowHint() = 0;
    virtual void InstructionChange() = 0;
    virtual void ContentChange() = 0;
    virtual void VerificationChange() = 0;
    virtual void ExpandoChange() = 0;
    virtual void FooterChange() = 0;
    virtual void HeaderChange() = 0;
    virtual void ProgressChange() = 0;
    virtual void TimerChange() = 0;

    /// Run-time progress and help. The defaults do nothing (no window, no progress control).
    virtual int UpdateProgress(int aPosition, int aStep) { (void)aPosition; (void)aStep; return 0; }
    virtual int StepProgress() { return 0; }
    virtual void SetProgressState(TProgressBarState aState) { (void)aState; }
    /// The taskbar part of DoProgress.
    virtual void ProgressToTaskBar(int Position) { (void)Position; }
    /// The application's help for a topic number (htContext) or a keyword; raises when the
    /// application has no help.
    virtual void ShowApplicationHelp(THelpType HelpType, int HelpContext, const QString& HelpKeyword)
    {
        (void)HelpType; (void)HelpContext; (void)HelpKeyword;
    }
};

/// Creates the engine object of one dialog component.
using TVxDialogEngineFactory = std::function<std::unique_ptr<TVxDialogEngineIntf>(TVxCustomDialog*)>;

/// Installs the factory every dialog component uses from then on (the engine library does this);
/// returns the factory installed before.
TVxDialogEngineFactory SetDialogEngineFactory(TVxDialogEngineFactory Factory);
bool DialogEngineInstalled();
