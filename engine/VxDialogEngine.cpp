// The run of a dialog: execution, results, the run-time control interface and the construction of
// the section controls.

#include "VxDialogEngine.h"
#include "VxDialogSheet.h"

#include "VxCaptionControl.h"
#include "VxCheckBox.h"
#include "VxCommandLinkButton.h"
#include "VxLabel.h"
#include "VxProgressBar.h"
#include "VxProgressBarEx.h"
#include "VxTaskBarProgress.h"
#include "VxDialogSound.h"
#include "VxRichEdit.h"
#include "VxStdControls.h"
#include "VxTaskDialogForm.h"
#include "private/EngineText_p.h"

#include "Screen.h"
#include "StockIcons.h"
#include "VxButtonOptions.h"
#include "VxCollections.h"
#include "VxCommandLinkColors.h"
#include "VxOptions.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWindow>
#include <QScopedValueRollback>

#include <algorithm>
#include <utility>

namespace {

void DeleteControl(QPointer<QWidget> Control)
{
    delete Control.data();
}

// Replaces the click handlers of a button by one of ours.
void SetClickHandler(QObject* Control, std::function<void()> Handler)
{
    auto* button = qobject_cast<QAbstractButton*>(Control);
    if (!button)
        return;
    QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
    QObject::connect(button, &QAbstractButton::clicked, button, [Handler = std::move(Handler)] { Handler(); });
}

// Anchors keep a control at its distance from an edge while the window height changes.
void SetAnchors(QWidget* Control, Qt::Edges Edges)
{
    if (Control)
        Control->setProperty("Anchors", int(Edges));
}

// The model's colour set in the form the command link takes.
TVxCommandLinkColorSet CommandLinkColorSet(const TVxCommandLinkColors& C)
{
    TVxCommandLinkColorSet s;
    s.Enabled = C.Enabled();
    s.BorderInner = C.BorderInner();
    s.BorderOuter = C.BorderOuter();
    s.Color = C.Color();
    s.DefaultBorderInner = C.DefaultBorderInner();
    s.DefaultBorderOuter = C.DefaultBorderOuter();
    s.FontColor = C.FontColor();
    s.FontDisabledColor = C.FontDisabledColor();
    s.FontHotColor = C.FontHotColor();
    s.FontPressedColor = C.FontPressedColor();
    s.GradientEnd = C.GradientEnd();
    s.GradientPen = C.GradientPen();
    s.GradientStart = C.GradientStart();
    s.HotGradientEnd = C.HotGradientEnd();
    s.HotGradientStart = C.HotGradientStart();
    s.PressedGradientEnd = C.PressedGradientEnd();
    s.PressedGradientStart = C.PressedGradientStart();
    return s;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Installation

void InstallDialogEngine()
{
    if (DialogEngineInstalled())
        return;
    SetDialogEngineFactory([](TVxCustomDialog* Dialog) -> std::unique_ptr<TVxDialogEngineIntf> {
        return std::make_unique<TVxDialogEngine>(Dialog);
    });
}

TVxDialogEngine::TVxDialogEngine(TVxCustomDialog* ADialog) : D(ADialog) {}

TVxDialogEngine::~TVxDialogEngine() = default;

TVxDialogEngine* TVxDialogEngine::Of(TVxCustomDialog* ADialog)
{
    InstallDialogEngine();
    return ADialog ? dynamic_cast<TVxDialogEngine*>(ADialog->Engine()) : nullptr;
}

TVxTaskDialogForm* TVxDialogEngine::Form() const
{
    return qobject_cast<TVxTaskDialogForm*>(D->Form());
}

QWidget* TVxDialogEngine::InstructionLabel() const
{
    return FInstructionLabel.data();
}

QWidget* TVxDialogEngine::ContentLabel() const
{
    return FContentLabel.data();
}

QWidget* TVxDialogEngine::ContentMemo() const
{
    return FContentMaxLines.data();
}

QWidget* TVxDialogEngine::FooterLabel() const
{
    return FFooterLabel.data();
}

QWidget* TVxDialogEngine::HelpLinkLabel() const
{
    return FHelpLinkLabel.data();
}

QWidget* TVxDialogEngine::MoreLinesLabel() const
{
    return FMoreLinesLabel.data();
}

QWidget* TVxDialogEngine::MoreRichEdit() const
{
    return FMoreRichEdit.data();
}

QWidget* TVxDialogEngine::ProgressBar() const
{
    return FProgressBar.data();
}

QWidget* TVxDialogEngine::RadioGroup() const
{
    return FRadioGroup.data();
}

QWidget* TVxDialogEngine::ShowMoreButton() const
{
    return FShowMoreButton.data();
}

QWidget* TVxDialogEngine::VerificationCheckBox() const
{
    return FVerificationCheckBox.data();
}

QList<QWidget*> TVxDialogEngine::CreatedButtonBarButtons() const
{
    QList<QWidget*> result;
    if (FCreatedButtonBarButtons)
        for (const auto& w : *FCreatedButtonBarButtons)
            if (w)
                result.append(w);
    return result;
}

QList<QWidget*> TVxDialogEngine::CreatedCustomButtons() const
{
    QList<QWidget*> result;
    if (FCreatedCustomButtons)
        for (const auto& w : *FCreatedCustomButtons)
            if (w)
                result.append(w);
    return result;
}

QList<QWidget*> TVxDialogEngine::CreatedRadioButtons() const
{
    QList<QWidget*> result;
    if (FCreatedRadioButtons)
        for (const auto& w : *FCreatedRadioButtons)
            if (w)
                result.append(w);
    return result;
}

QList<int> TVxDialogEngine::CreatedCustomButtonItems() const
{
    QList<int> result;
    if (FCreatedCustomButtons)
        for (int i = 0; i < FCreatedCustomButtons->size() && i < FCustomButtonItems.size(); ++i)
            if (FCreatedCustomButtons->at(i))
                result.append(FCustomButtonItems.at(i));
    return result;
}

std::optional<TCommonButton> TVxDialogEngine::ButtonBarKind(const QWidget* Button) const
{
    if (!Button || !FCreatedButtonBarButtons
        || std::none_of(FCreatedButtonBarButtons->cbegin(), FCreatedButtonBarButtons->cend(),
                        [Button](const QPointer<QWidget>& W) { return W.data() == Button; }))
        return std::nullopt;
    for (int k = cbYes; k <= cbClose; ++k)
        if (Button->objectName() == CommonButtonName(TCommonButton(k)))
            return TCommonButton(k);
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Execution

int TVxDialogEngine::Execute(QObject* aOwner)
{
    bool prepared = false;
    FClosedDuringSetUp = false;
    FPendingException = nullptr;
    try {
        const QScopedValueRollback<bool> settingUp(FSettingUp, true);
        prepared = Prepare(aOwner);
    } catch (...) {
        // A handler that raised during the set-up: no half-built window stays behind.
        if (Form() && !Form()->isVisible())
            DestroyHiddenWindow();
        D->FDialogState.Exclude(dsNormal);
        throw;
    }
    const auto endRun = [this] {
        if (D->FResetMaxLines) {
            D->FMaxLines = 0;
            D->FResetMaxLines = false;
        }
        D->FDialogState.Exclude(dsNormal);
    };
    if (!prepared) {
        endRun();
        return -1;
    }
    const bool modal = D->FDialogOptions.Contains(doModal);
    // Closed from OnDialogConstructed: the run ends there, the window never shows.
    if (FClosedDuringSetUp) {
        FClosedDuringSetUp = false;
        DestroyHiddenWindow();
        endRun();
        return modal ? D->FDialogResult.ModalResult : -1;
    }
    int result;
    if (modal) {
        {
            const QScopedValueRollback<bool> inLoop(FInModalLoop, true);
            D->ShowModalForm();
        }
        result = D->FDialogResult.ModalResult;
        if (TVxTaskDialogForm* form = Form()) {
            if (D->FDialogOptions.Contains(doTimer))
                form->StopDialogTimer();
            delete form;
        }
        D->SetForm(nullptr);
        if (FGlyphLoadedByRun) {
            FGlyphLoadedByRun = false;
            D->FGlyph->Clear();
        }
    } else {
        D->FDialogResult.ModalResult = 0;
        D->ShowForm();
        result = -1;
    }
    endRun();
    // A handler's exception ended the run; the window is released, the caller gets it.
    if (FPendingException)
        std::rethrow_exception(std::exchange(FPendingException, nullptr));
    return result;
}

void TVxDialogEngine::Guarded(const std::function<void()>& Fn)
{
    if (!FInModalLoop) {
        Fn();
        return;
    }
    try {
        Fn();
    } catch (...) {
        // An exception must not cross the modal loop (Qt cannot unwind through it): keep the first
        // one and end the run; Execute raises it once the window is gone.
        if (!FPendingException)
            FPendingException = std::current_exception();
        if (TVxTaskDialogForm* form = Form(); form && form->isVisible()) {
            try {
                form->CloseFromCode();
            } catch (...) {
                // A close handler that raises as well: the first exception is the one reported.
            }
            // A close handler may have refused the close; the run ends regardless.
            if (form->isVisible())
                form->done(QDialog::Rejected);
        }
    }
}

bool TVxDialogEngine::Prepare(QObject* aOwner)
{
    if (D->FDialogStyle == dsSheet && !D->FDialogOptions.Contains(doModal) && !D->inherits("TVxCustomDialogSheet"))
        throw EDialogSheet(QStringLiteral(
            "Non-Modal sheets should use the TVxDialogSheet component or a descendant of TVxDialogSheet."));
    D->FDialogState.Include(dsNormal);

    if (TVxTaskDialogForm* form = Form()) {
        if (form->isVisible()) {
            form->show();
            form->raise();
            form->activateWindow();
            return false;
        }
        // A window built for measuring only.
        DestroyHiddenWindow();
    }

    D->FButtonClicked = false;
    D->FEmulateMessageDlg = false;
    D->FPreviousProgressPosition = D->Progress()->Position();

    QWidget* ownerWindow = aOwner && aOwner->isWidgetType() ? static_cast<QWidget*>(aOwner) : nullptr;
    TVxTaskDialogForm* form = TVxTaskDialogForm::CreateNew(ownerWindow);
    form->SetOwnerRef(aOwner);
    form->SetDialog(D, this);
    D->SetForm(form);
    if (aOwner)
        NameWindow(aOwner);

    if (CustomStyleActive()) {
        D->ButtonBar()->SetColor(ColorToRGB(clBtnFace));
        D->SetColor(ColorToRGB(clWindow));
        D->Footer()->SetColor(ColorToRGB(clBtnFace));
    }

    D->DoCreated();

    form->OnShowHandler = [this] { Guarded([this] { ShowHandler(); }); };
    form->OnCloseHandler = [this] { Guarded([this] { D->DoDialogClose(); }); };
    form->OnCloseQuery = [this, form](bool& CanClose) {
        D->DoCloseQuery(form, CanClose);
        // A sheet slides out once it may close (a refused close leaves it in place).
        if (CanClose && D->FDialogStyle == dsSheet)
            if (auto* slide = form->findChild<TVxSheetSlide*>())
                slide->SlideOut();
    };
    form->OnDestroyHandler = [this] {
        D->CleanUpDialog();
        D->DoDestroyed();
    };
    form->OnKeyUp = [this](quint16& Key, TShiftState Shift) { Guarded([&] { D->DoKeyPress(Key, Shift); }); };
    form->OnClientClick = [this, form](TObject*, const QPoint& APt) {
        Guarded([&] { D->DoDialogClick(form, HitTest(form->mapFromGlobal(APt))); });
    };

    // The toolkit has no keyboard-cue state to ask the owner for: hot keys are shown.
    D->FAcceleratorState = 0;
    form->setProperty("ShowHint", D->ShowHint());

    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (D->AllowMinimize() || !D->Icon()->Empty()) {
        form->setProperty("BorderStyle", int(bsSingle));
    } else {
        if (D->ShowHelpButton())
            flags |= Qt::WindowContextHelpButtonHint;
        form->setProperty("BorderStyle", int(D->BorderStyle()));
    }
    if (D->BorderStyle() == bsNone && !(D->AllowMinimize() || !D->Icon()->Empty()))
        flags = Qt::Dialog | Qt::FramelessWindowHint;
    form->setLayoutDirection(D->BiDiMode() == bdLeftToRight ? Qt::LeftToRight : Qt::RightToLeft);

    if (D->UseDefaultFonts()) {
        const QScopedValueRollback<bool> initialising(D->FInitialisingFonts, true);
        D->Font()->Assign(VxDefaultFonts().GetFont(ftContent));
        D->Instruction()->Font()->Assign(VxDefaultFonts().GetFont(ftInstruction));
        D->Footer()->Font()->Assign(VxDefaultFonts().GetFont(ftFooter));
        D->Expando()->Font()->Assign(VxDefaultFonts().GetFont(ftExpando));
    }
    form->setFont(D->Font()->ToQFont());

    D->CreateControls();
    if (D->FDialogOptions.Contains(doTopMost))
        flags |= Qt::WindowStaysOnTopHint;
    ApplyMainIconPicture();

    const int maxLines = D->FMaxLines;
    D->FResetMaxLines = false;
    int height = 0, width = 0;
    D->CalcAutoSize(height, width, true);
    if (D->FMaxLines != maxLines) {
        D->FResetMaxLines = true;
        D->ReleaseControls();
        D->CreateControls();
        D->CalcAutoSize(height, width, true);
    }
    D->PositionControls();

    if (!D->Icon()->Empty())
        form->setWindowIcon(QIcon(QPixmap::fromImage(D->Icon()->Image())));
    form->setWindowTitle(D->Title());
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, ToQColor(D->Color()));
    form->setPalette(palette);

    if (D->AllowCancel()) {
        D->FModalResult = mrCancel;
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (D->AllowMinimize())
        flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
    // Without the close button hint the window manager greys or hides the close box.
    const QSize size = form->size();
    form->setWindowFlags(flags);
    form->resize(size);

    // Position.
    QRect area;
    QWidget* centreOn = nullptr;
    switch (D->Position()) {
    case dpDesigned: form->move(D->Location()->Left(), D->Location()->Top()); break;
    case dpDesktopCenter: area = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->virtualGeometry() : QRect(); break;
    case dpOwnerFormCenter:
        centreOn = ownerWindow ? ownerWindow->window() : nullptr;
        [[fallthrough]];
    case dpMainFormCenter:
        if (!centreOn)
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<QMainWindow*>(w) && w->isVisible()) {
                    centreOn = w;
                    break;
                }
        if (centreOn) {
            area = centreOn->frameGeometry();
            break;
        }
        [[fallthrough]];
    case dpScreenCenter:
    default: {
        QScreen* screen = ownerWindow && ownerWindow->screen() ? ownerWindow->screen() : QGuiApplication::primaryScreen();
        area = screen ? screen->availableGeometry() : QRect();
        break;
    }
    }
    if (area.isValid()) {
        const QSize outer = form->frameGeometry().size().expandedTo(form->size());
        form->move(area.left() + (area.width() - outer.width()) / 2, area.top() + (area.height() - outer.height()) / 2);
    }

    D->DoDialogConstructed();
    if (D->FDialogOptions.Contains(doTimer))
        form->StartDialogTimer();
    return true;
}

void TVxDialogEngine::NameWindow(QObject* aOwner)
{
    const QString trimmed = D->Name().trimmed();
    const QString base = trimmed.isEmpty() ? QStringLiteral("VxDialogForm") : QStringLiteral("VxDialogForm") + D->Name();
    TVxTaskDialogForm* form = Form();
    const auto taken = [&](const QString& Name) {
        if (auto* component = dynamic_cast<TComponent*>(aOwner))
            if (component->FindComponent(Name))
                return true;
        for (QObject* child : aOwner->children())
            if (child != form && child->objectName().compare(Name, Qt::CaseInsensitive) == 0)
                return true;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* other = qobject_cast<TVxTaskDialogForm*>(w))
                if (other != form && other->OwnerRef() == aOwner && other->objectName().compare(Name, Qt::CaseInsensitive) == 0)
                    return true;
        return false;
    };
    QString name = base;
    for (int i = 1; taken(name); ++i)
        name = QStringLiteral("%1%2").arg(base).arg(i);
    form->setObjectName(name);
}

void TVxDialogEngine::ShowHandler()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    const QScopedValueRollback<bool> showing(FShowing, true);
    if (D->FDialogStyle == dsDialog || D->FDialogOptions.Contains(doModal)) {
        if (auto* focus = qobject_cast<QWidget*>(D->GetInitialFocusControl()))
            if (focus->isEnabled() && focus->focusPolicy() != Qt::NoFocus)
                focus->setFocus(Qt::OtherFocusReason);
        // Without a default button the rules name no control; the toolkit would then focus the
        // first in the tab order, a text's link, which Enter opens. The first button takes it.
        if (!form->focusWidget()) {
            QList<QWidget*> buttons = CreatedCustomButtons();
            buttons.append(CreatedButtonBarButtons());
            for (QWidget* button : buttons)
                if (button->isEnabled() && !button->isHidden() && button->focusPolicy() != Qt::NoFocus) {
                    button->setFocus(Qt::OtherFocusReason);
                    break;
                }
        }
        if (!D->FDialogState.Contains(dsPreview))
            form->PostDialogMessage(TVxTaskDialogForm::WM_DIALOG_SNAPCURSOR);
    }
    if (D->GetPlaySounds()) {
        quint32 flags = SND_ASYNC | SND_NODEFAULT | SND_NOSTOP;
        QString sound;
        D->GetSound(D->MainIcon(), flags, sound);
        PlayDialogSound(sound, flags);
    }
    D->DoDialogShow();
}

void TVxDialogEngine::ReleaseWindow()
{
    if (TVxTaskDialogForm* form = Form()) {
        form->StopDialogTimer();
        delete form;
    }
    D->SetForm(nullptr);
}

QObject* TVxDialogEngine::DefaultOwner()
{
    if (QWidget* active = QApplication::activeWindow(); active && active->isVisible())
        return active;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) && w->isVisible())
            return w;
    return nullptr;
}

int TVxDialogEngine::Close(int AModalResult)
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return -1;
    D->FDialogResult.ModalResult = AModalResult;
    D->FModalResult = AModalResult;
    D->Progress()->SetPosition(D->FPreviousProgressPosition);
    D->FButtonClicked = true;
    if (FSettingUp && !form->isVisible()) {
        // From OnDialogConstructed: the close events fire now, Execute then frees the window
        // instead of showing it.
        FClosedDuringSetUp = true;
        form->CloseFromCode();
        return D->FDialogResult.ModalResult;
    }
    if (FShowing) {
        // From OnDialogShow: the window is still being shown (a modal loop has not started, and a
        // modeless window cannot be freed inside its own show). It closes as soon as it is shown.
        const QPointer<TVxTaskDialogForm> pending(form);
        QMetaObject::invokeMethod(
            qApp,
            [this, pending] {
                if (pending && pending->isVisible() && Form() == pending.data())
                    Close(D->FDialogResult.ModalResult);
            },
            Qt::QueuedConnection);
        return D->FDialogResult.ModalResult;
    }
    form->CloseFromCode();
    if (!D->FDialogOptions.Contains(doModal) && Form()) {
        D->SetForm(nullptr);
        delete form;
        if (FGlyphLoadedByRun) {
            FGlyphLoadedByRun = false;
            D->FGlyph->Clear();
        }
    }
    return D->FDialogResult.ModalResult;
}

void TVxDialogEngine::Show()
{
    if (TVxTaskDialogForm* form = Form(); form && !D->FDialogOptions.Contains(doModal))
        form->show();
}

void TVxDialogEngine::Update()
{
    if (TVxTaskDialogForm* form = Form()) {
        if (FProgressBar)
            FProgressBar->update();
        form->repaint();
    }
}

int TVxDialogEngine::ShowModalForm()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return 0;
    if (D->FDialogStyle == dsSheet)
        D->PositionSheet();
    return form->exec();
}

void TVxDialogEngine::ShowForm()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    if (D->FDialogStyle == dsSheet)
        D->PositionSheet();
    form->show();
}

void TVxDialogEngine::PositionSheet()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    if (D->Position() != dpDesigned)
        throw EDialogSheet(QStringLiteral("The position property must be set to dpDesigned for the TVxDialogSheet class"));
    QWidget* active = QApplication::activeWindow();
    if (active == form)
        active = nullptr;
    // Between one window closing and the next taking the focus no window is active; the sheet
    // then comes out of the window it was run for.
    if (!active && form->parentWidget() && form->parentWidget()->window()->isVisible())
        active = form->parentWidget()->window();
    // A sheet whose window closes or is deleted while it shows ends as a cancel, with the close
    // event, before its own window goes: the window it came out of, and the one it was run for.
    if (!form->findChild<TVxSheetOwnerWatch*>()) {
        const QPointer<TVxTaskDialogForm> sheet(form);
        const auto gone = [this, sheet] {
            if (!sheet || Form() != sheet.data() || !sheet->isVisible())
                return;
            // No slide while the window it belongs to goes.
            delete sheet->findChild<TVxSheetSlide*>();
            Guarded([this] { D->Close(mrCancel); });
            if (sheet && sheet->isVisible())
                sheet->done(QDialog::Rejected);
        };
        if (active)
            new TVxSheetOwnerWatch(form, active, gone);
        if (QWidget* runFor = form->parentWidget() ? form->parentWidget()->window() : nullptr; runFor && runFor != active)
            new TVxSheetOwnerWatch(form, runFor, gone);
    }
    // A modal sheet follows its window as TVxCustomDialogSheet makes a modeless one do (which
    // has a follower of its own).
    const auto follow = [this, form](QWidget* Owner, TVxSheetFollower::TPlace Place) {
        if (D->FDialogOptions.Contains(doModal) && Owner && !form->findChild<TVxSheetFollower*>())
            new TVxSheetFollower(form, Owner, std::move(Place));
    };
    // Where windows cannot place themselves (Wayland) the sheet cannot come out of the owner's
    // caption: it shows centred on its owner and does not slide. The geometry is still asked for
    // before the window shows, and the window is made the owner's transient so that a compositor
    // that ignores positions keeps the two together.
    if (!WindowsCanPlaceThemselves()) {
        QWidget* owner = active;
        if (!owner)
            return;
        const auto centre = [](QWidget* Sheet, QWidget* Owner) {
            Sheet->setGeometry(QRect(CentredOn(Owner->frameGeometry(), Sheet->size()), Sheet->size()));
        };
        centre(form, owner);
        form->winId();
        if (form->windowHandle() && owner->windowHandle())
            form->windowHandle()->setTransientParent(owner->windowHandle());
        follow(owner, centre);
        return;
    }
    if (D->Sheet()->Location() == slActiveForm) {
        if (!active)
            return;
        const auto underCaption = [this](QWidget* Sheet, QWidget* Owner) {
            const QRect frame = Owner->frameGeometry();
            const int top = D->AdjustSheetTop(frame.top() + SheetCaptionHeight(Owner));
            const QPoint place(frame.left() + (frame.width() - Sheet->width()) / 2, top);
            // While it slides in, the slide ends at the new place.
            if (auto* slide = Sheet->findChild<TVxSheetSlide*>())
                slide->SetHome(place);
            else
                Sheet->move(place);
        };
        underCaption(form, active);
        follow(active, underCaption);
    } else {
        QScreen* screen = active && active->screen() ? active->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const QRect monitor = screen->geometry();
        form->move(monitor.left() + (monitor.width() - form->width()) / 2, monitor.top());
    }
    // Slides in when the window shows (the sheet component starts it) and out when it closes.
    if (!form->findChild<TVxSheetSlide*>())
        new TVxSheetSlide(form, int(qMin<quint32>(D->Sheet()->Interval(), 10000)));
}

TVxTaskDialogForm* TVxDialogEngine::BuildHidden(QObject* aOwner)
{
    if (Form() && Form()->isVisible())
        return Form();
    Prepare(aOwner);
    D->FDialogState.Exclude(dsNormal);
    return Form();
}

void TVxDialogEngine::DestroyHiddenWindow()
{
    if (TVxTaskDialogForm* form = Form()) {
        form->StopDialogTimer();
        delete form;
    }
    D->SetForm(nullptr);
    if (FGlyphLoadedByRun) {
        FGlyphLoadedByRun = false;
        D->FGlyph->Clear();
    }
}

// ---------------------------------------------------------------------------------------------
// Run-time control interface

QObject* TVxDialogEngine::GetControl(TControlType AControlType, int AValue)
{
    const auto at = [](const std::unique_ptr<QList<QPointer<QWidget>>>& List, int Index) -> QObject* {
        return List && Index >= 0 && Index < List->size() ? List->at(Index).data() : nullptr;
    };
    switch (AControlType) {
    case ctButton:
        for (QWidget* button : CreatedButtonBarButtons())
            if (ControlTag(button) == AValue)
                return button;
        return nullptr;
    case ctCommandLink: return at(FCreatedCustomButtons, AValue - 100);
    case ctCheckBox: return D->Verification()->Visible() ? FVerificationCheckBox.data() : nullptr;
    case ctMoreButton: return D->Expando()->Visible() ? FShowMoreButton.data() : nullptr;
    case ctRichEdit:
        return D->Expando()->Visible() && D->Expando()->ShowInFooter() && D->Expando()->MoreFormat() == mfRTF
                   ? static_cast<QObject*>(FMoreRichEdit.data())
                   : nullptr;
    case ctLinkLabel: return D->FDialogOptions.Contains(doShowHelpLink) ? FHelpLinkLabel.data() : nullptr;
    case ctURLLabel: return !D->Footer()->Text().isEmpty() ? FFooterLabel.data() : nullptr;
    case ctRadioButton: return at(FCreatedRadioButtons, AValue - 200);
    case ctProgressBar: return HasProgress() ? FProgressBar.data() : nullptr;
    case ctRadioGroup:
        return D->FDialogOptions.Contains(doRadioButtons) && D->RadioButton()->ShowBorder() ? FRadioGroup.data()
                                                                                            : nullptr;
    case ctMaxLines: return FContentMaxLines.data();
    }
    return nullptr;
}

void TVxDialogEngine::EnableButton(int AValue, bool AEnabled)
{
    if (AValue >= 100) {
        if (QObject* button = GetControl(ctCommandLink, AValue))
            static_cast<QWidget*>(button)->setEnabled(AEnabled);
        return;
    }
    if (QObject* button = GetControl(ctButton, AValue))
        static_cast<QWidget*>(button)->setEnabled(AEnabled);
}

void TVxDialogEngine::EnableRadioButton(int aValue, bool aEnabled)
{
    if (!FCreatedRadioButtons)
        return;
    if (aValue >= 200) {
        if (QObject* button = GetControl(ctRadioButton, aValue))
            static_cast<QWidget*>(button)->setEnabled(aEnabled);
        return;
    }
    for (QWidget* button : CreatedRadioButtons())
        if (ControlTag(button) == aValue) {
            button->setEnabled(aEnabled);
            return;
        }
}

void TVxDialogEngine::UpdateCustomButtonDetails(int aValue, const QString& aCaption, const QString& aHint,
                                                const TStrings* aInfo)
{
    auto* control = qobject_cast<QWidget*>(GetControl(ctCommandLink, aValue));
    if (!control)
        return;
    control->setToolTip(aHint);
    if (auto* button = qobject_cast<TButton*>(control)) {
        button->setText(aCaption);
        button->resize(qMax(TextWidth(D->Font()->ToQFont(), StripHotkey(aCaption)) + 16, MinimumButtonWidth()),
                       button->height());
    } else if (auto* link = qobject_cast<TVxCustomCommandLinkButton*>(control)) {
        link->SetCaption(aCaption);
        link->SetHint(aHint);
        if (aInfo)
            link->SetInfo(*aInfo);
    }
    int height = 0, width = 0;
    D->CalcAutoSize(height, width, true);
    // A grown button or link must not cover its neighbours.
    D->PositionControls();
    D->Update();
}

bool TVxDialogEngine::GetVerificationChecked()
{
    if (!FVerificationCheckBox)
        return D->FDialogResult.VerificationResult;
    QObject* box = FVerificationCheckBox;
    bool result = false;
    if (auto* checkBox = qobject_cast<TVxCheckBox*>(box))
        result = checkBox->Checked();
    else if (D->OnGetVerificationResult)
        D->OnGetVerificationResult(D, box, result);
    D->FVerificationResult = result;
    return result;
}

int TVxDialogEngine::LiveRadioResult(bool& Found)
{
    Found = false;
    if (!FCreatedRadioButtons)
        return 0;
    if (!FRadioGroup) {
        for (QWidget* button : CreatedRadioButtons())
            if (button->property("checked").toBool()) {
                Found = true;
                return ControlTag(button);
            }
        return 0;
    }
    if (auto* group = qobject_cast<TRadioGroup*>(FRadioGroup)) {
        Found = true;
        const int index = group->ItemIndex();
        return index == -1 ? -1 : ControlTag(group->Buttons(index));
    }
    return 0;
}

QObject* TVxDialogEngine::GetInitialFocusControl()
{
    const auto focusDirect = [](QObject* Control) {
        if (auto* w = qobject_cast<QWidget*>(Control)) {
            w->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return false;
    };
    switch (D->ActiveControlType()) {
    case ctMoreButton:
        if (FShowMoreButton)
            return FShowMoreButton;
        break;
    case ctRichEdit:
        if (FMoreRichEdit && Expanded())
            return FMoreRichEdit;
        break;
    case ctCommandLink:
        if (FCreatedCustomButtons && !FCreatedCustomButtons->isEmpty() && focusDirect(FCreatedCustomButtons->first()))
            return nullptr;
        break;
    case ctCheckBox:
        if (focusDirect(FVerificationCheckBox))
            return nullptr;
        break;
    case ctLinkLabel:
        if (focusDirect(FHelpLinkLabel))
            return nullptr;
        break;
    case ctURLLabel:
        if (focusDirect(FFooterLabel))
            return nullptr;
        break;
    case ctRadioButton:
        if (FCreatedRadioButtons && !FCreatedRadioButtons->isEmpty() && focusDirect(FCreatedRadioButtons->first()))
            return nullptr;
        break;
    default: break;
    }
    return D->FFocusedControl.data();
}

void TVxDialogEngine::DoDialogConstructed()
{
    for (int i = 0; FCreatedCustomButtons && i < FCreatedCustomButtons->size(); ++i) {
        auto* button = qobject_cast<TButton*>(FCreatedCustomButtons->at(i).data());
        if (!button || i >= FCustomButtonItems.size())
            continue;
        for (int j = 0; j < D->CustomButtons()->Count(); ++j)
            if (j == FCustomButtonItems.at(i) && D->CustomButtons()->Items(j)->ElevationRequired())
                button->SetElevationRequired(true);
    }
    if (D->OnDialogConstructed)
        D->OnDialogConstructed(Form());
}

// ---------------------------------------------------------------------------------------------
// Construction

QWidget* TVxDialogEngine::NewControl(const QMetaObject* ControlClass, QWidget* Parent)
{
    if (!ControlClass)
        return nullptr;
    QObject* object = ControlClass->newInstance(Q_ARG(QWidget*, Parent));
    if (!object && ControlClass == &TVxCaptionControl::staticMetaObject)
        object = new TVxCaptionControl(Parent);
    if (!object && ControlClass == &TVxRichEdit::staticMetaObject)
        object = new TVxRichEdit(Parent);
    if (!object && ControlClass == &TVxCommandLinkButton::staticMetaObject)
        object = new TVxCommandLinkButton(Parent);
    if (!object && ControlClass == &TVxCheckBox::staticMetaObject)
        object = new TVxCheckBox(Parent);
    if (!object && ControlClass == &TVxMoreLabel::staticMetaObject)
        object = new TVxMoreLabel(Parent);
    if (!object && ControlClass == &TVxProgressBar::staticMetaObject)
        object = new TVxProgressBar(Parent);
    if (!object && ControlClass == &TVxProgressBarEx::staticMetaObject)
        object = new TVxProgressBarEx(Parent);
    if (!object && ControlClass == &TVxProgressBarMarquee::staticMetaObject)
        object = new TVxProgressBarMarquee(Parent);
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        delete object;
        return nullptr;
    }
    if (widget->parentWidget() != Parent)
        widget->setParent(Parent);
    widget->setLayoutDirection(D->BiDiMode() == bdLeftToRight ? Qt::LeftToRight : Qt::RightToLeft);
    return widget;
}

void TVxDialogEngine::SetupCaption(TVxCaptionControl* Control, const TFont& Font, TColor Color)
{
    Control->SetFont(Font);
    TFont link = Control->LinkFont();
    link.SetSize(Font.Size());
    Control->SetLinkFont(link);
    Control->SetColor(Color);
    Control->SetBiDiMode(D->BiDiMode());
}

const QMetaObject* TVxDialogEngine::GetDefaultControlClass(TControlType ControlType)
{
    switch (ControlType) {
    case ctButton: return &TButton::staticMetaObject;
    case ctCommandLink:
        return CommandLinks() ? &TVxCommandLinkButton::staticMetaObject : &TButton::staticMetaObject;
    case ctCheckBox: return &TVxCheckBox::staticMetaObject;
    case ctMoreButton: return &TVxMoreLabel::staticMetaObject;
    case ctRichEdit: return &TVxRichEdit::staticMetaObject;
    case ctLinkLabel:
    case ctURLLabel: return &TVxCaptionControl::staticMetaObject;
    case ctRadioButton: return &TRadioButton::staticMetaObject;
    case ctProgressBar: {
        const bool marquee = D->FDialogOptions.Contains(doProgressBarMarquee);
        // The taskbar shows the progress too when asked.
        if (HasProgress() && D->Progress()->ShowOnTaskBar()) {
            if (!FTaskBarProgress)
                FTaskBarProgress = std::make_unique<TVxTaskBarProgressImpl>();
            FTaskBarProgress->SetProgressState(marquee ? TBPF_INDETERMINATE : TBPF_NORMAL);
        }
        if (D->Progress()->UseNativeProgressBar())
            return &TProgressBar::staticMetaObject;
        return marquee ? &TVxProgressBar::staticMetaObject : &TVxProgressBarEx::staticMetaObject;
    }
    case ctRadioGroup: return &TRadioGroup::staticMetaObject;
    case ctMaxLines: return nullptr;
    }
    return nullptr;
}

void TVxDialogEngine::CreateControls()
{
    D->CreateInstructionLabel();
    D->CreateContentLabel();
    D->CreateProgressBar();
    D->CreateHelpLinkLabel();
    D->CreateRadioButtons();
    if (CommandLinks()) {
        D->CreateCustomButtons();
        D->CreateAdditionalControls();
    } else {
        D->CreateAdditionalControls();
        D->CreateCustomButtons();
    }
    D->CreateButtonBarButtons();
    D->CreateExpandoButton();
    D->CreateVerificationCheckBox();
    D->CreateFooterLabel();
    D->CreateMoreLinesLabel();
    D->CreateMoreRichEdit();
}

void TVxDialogEngine::CreateInstructionLabel()
{
    TVxTaskDialogForm* form = Form();
    if (!form || FInstructionLabel || D->Instruction()->Text().isEmpty())
        return;
    auto* label = new TVxCaptionControl(form);
    label->setObjectName(QStringLiteral("VxDialogInstructionControl"));
    const TColor color = D->Instruction()->ShowAtTop() && D->Instruction()->Color() != clNone ? D->Instruction()->Color()
                                                                                            : D->Color();
    SetupCaption(label, *D->Instruction()->Font(), color);
    label->SetText(D->Instruction()->Text());
    label->OnClick = TNotifyEvent([this](TObject*) { Guarded([&] { D->DoDialogClick(D, htInstruction); }); });
    FInstructionLabel = label;
}

void TVxDialogEngine::CreateContentLabel()
{
    TVxTaskDialogForm* form = Form();
    if (!form || FContentLabel || FContentMaxLines)
        return;
    if (D->FMaxLines > 0 && D->Content()->Count() > D->FMaxLines) {
        auto* memo = new TMemo(form);
        memo->setObjectName(QStringLiteral("VxDialogContentMemoControl"));
        memo->setFont(D->Font()->ToQFont());
        QPalette palette = memo->palette();
        palette.setColor(QPalette::Base, ToQColor(D->Color()));
        memo->setPalette(palette);
        memo->setPlainText(D->Content()->Text());
        memo->setReadOnly(true);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        FContentMaxLines = memo;
        return;
    }
    auto* label = new TVxCaptionControl(form);
    label->setObjectName(QStringLiteral("VxDialogContentControl"));
    SetupCaption(label, *D->Font(), D->Color());
    label->SetText(*D->Content());
    label->OnClick = TNotifyEvent([this](TObject*) { Guarded([&] { D->DoDialogClick(D, htContent); }); });
    FContentLabel = label;
}

void TVxDialogEngine::CreateProgressBar()
{
    TVxTaskDialogForm* form = Form();
    if (!form || FProgressBar || !HasProgress())
        return;
    QWidget* bar = NewControl(D->GetControlClass(ctProgressBar), form);
    if (!bar)
        return;
    bar->setObjectName(QStringLiteral("VxDialogProgressControl"));
    bar->move(2 * D->FHorzSpacing, bar->y());
    FProgressBar = bar;
    D->InitControl(ctProgressBar, bar, nullptr);
    bar->setVisible(true);
    if (D->Expando()->Visible() && !D->Expando()->ShowInFooter())
        SetAnchors(bar, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
}

void TVxDialogEngine::CreateHelpLinkLabel()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    if (!D->FDialogOptions.Contains(doShowHelpLink)) {
        delete FHelpLinkLabel.data();
        return;
    }
    if (!FHelpLinkLabel) {
        auto* label = new TVxCaptionControl(form);
        label->setObjectName(QStringLiteral("VxDialogHelpLinkControl"));
        label->SetAutoSize(false);
        label->OnClick = TNotifyEvent([this](TObject*) { Guarded([&] { D->HelpLinkClick(); }); });
        label->SetFont(*D->HelpLink()->Font());
        label->SetLinkFont(*D->HelpLink()->Font());
        label->SetTreatAsLink(true);
        label->SetBiDiMode(D->BiDiMode());
        if (InBody() && D->Expando()->Visible())
            SetAnchors(label, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
        FHelpLinkLabel = label;
    }
    int height = MulDiv(13);
    if (D->FClientWidth > 0)
        height = qMax(height, CaptionHeight(D->HelpLink()->Text(), *D->HelpLink()->Font(),
                                            D->FClientWidth - D->FHorzSpacing - D->FLeftMargin));
    FHelpLinkLabel->resize(FHelpLinkLabel->width(), height);
    FHelpLinkLabel->SetText(D->HelpLink()->Text());
    FHelpLinkLabel->SetColor(D->Color());
}

void TVxDialogEngine::CreateRadioButtons()
{
    TVxTaskDialogForm* form = Form();
    if (!form || !D->FDialogOptions.Contains(doRadioButtons) || FCreatedRadioButtons)
        return;
    FCreatedRadioButtons = std::make_unique<QList<QPointer<QWidget>>>();
    TVxRadioButtons* items = D->RadioButtons();
    const bool body = D->Expando()->Visible() && InBody();
    if (D->RadioButton()->ShowBorder()) {
        QWidget* group = NewControl(D->GetControlClass(ctRadioGroup), form);
        if (!group)
            return;
        group->setObjectName(QStringLiteral("VxDialogRadioGroupControl"));
        if (body)
            SetAnchors(group, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
        FRadioGroup = group;
        if (auto* radioGroup = qobject_cast<TRadioGroup*>(group)) {
            radioGroup->setTitle(D->RadioButton()->Caption());
            radioGroup->SetColumns(D->RadioButton()->Columns());
            for (int i = 0; i < items->Count(); ++i) {
                TVxRadioButtonItem* item = items->Items(i);
                const int index = radioGroup->AddItem(item->Caption());
                QRadioButton* button = radioGroup->Buttons(index);
                SetControlTag(button, item->Value());
                button->setObjectName(QStringLiteral("rb%1").arg(item->Value()));
                button->setEnabled(item->Enabled());
                if (item->Checked())
                    radioGroup->SetItemIndex(index);
            }
            radioGroup->OnClick = [this, radioGroup] { Guarded([&] { RadioClick(radioGroup); }); };
        } else {
            D->InitControl(ctRadioGroup, group, nullptr);
        }
        group->show();
        return;
    }
    for (int i = 0; i < items->Count(); ++i) {
        TVxRadioButtonItem* item = items->Items(i);
        QWidget* button = NewControl(D->GetControlClass(ctRadioButton), form);
        if (!button)
            continue;
        SetControlTag(button, item->Value());
        FCreatedRadioButtons->append(button);
        D->InitControl(ctRadioButton, button, item);
        button->setObjectName(QStringLiteral("rb%1").arg(item->Value()));
        button->resize(D->FClientWidth - D->FLeftMargin - MulDiv(8) - D->FRightMargin, button->height());
        if (body)
            SetAnchors(button, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
        button->show();
    }
}

void TVxDialogEngine::RadioClick(QObject* Sender)
{
    bool handled = false;
    if (auto* group = qobject_cast<TRadioGroup*>(Sender))
        D->DoControlClick(group, ctRadioGroup, group->ItemIndex() + 200, handled);
    else
        D->DoControlClick(Sender, ctRadioButton, ControlTag(Sender), handled);
}

void TVxDialogEngine::VerificationClick()
{
    D->FVerificationResult = GetVerificationChecked();
    D->DoVerificationClick(D->FVerificationResult);
}

void TVxDialogEngine::CreateCustomButtons()
{
    TVxTaskDialogForm* form = Form();
    if (!form || FCreatedCustomButtons)
        return;
    const bool links = CommandLinks();
    if (!D->ButtonBar()->Visible() && !links)
        return;
    FCreatedCustomButtons = std::make_unique<QList<QPointer<QWidget>>>();
    FCustomButtonItems.clear();
    const bool body = D->Expando()->Visible() && InBody();
    TVxCustomButtons* items = D->CustomButtons();
    for (int i = 0; i < items->Count(); ++i) {
        TVxCustomButtonItem* item = items->Items(i);
        if (!item->Visible())
            continue;
        QWidget* control = NewControl(D->GetControlClass(links ? ctCommandLink : ctButton), form);
        if (!control)
            continue;
        control->setToolTip(item->Hint());
        SetControlTag(control, item->Value());
        auto* link = qobject_cast<TVxCustomCommandLinkButton*>(control);
        const bool isLink = links && link;
        if (body)
            SetAnchors(control, isLink ? (Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge) : (Qt::RightEdge | Qt::BottomEdge));
        if (links) {
            D->InitControl(ctCommandLink, control, item);
            if (link) {
                link->SetInfo(*item->Info());
                link->SetShowIcon(!D->FDialogOptions.Contains(doCommandLinksNoIcon));
                link->SetElevationRequired(item->ElevationRequired());
                link->SetPicture(*item->Picture());
                link->SetHint(item->Hint());
                link->SetCommandLinkColors(CommandLinkColorSet(*D->Button()->CommandLinkColors()));
                if (StyleServicesEnabled())
                    link->SetColor(D->Color());
                link->SetBiDiMode(D->BiDiMode());
            }
        } else {
            D->InitControl(ctButton, control, item);
        }
        if (qobject_cast<TButton*>(control) && !links) {
            SetClickHandler(control, [this, control] { Guarded([&] { D->ButtonClick(control); }); });
            if (item->Default()) {
                D->FFocusedControl = control;
                D->FDefaultButton = control;
            }
        }
        if (auto* button = qobject_cast<TButton*>(control)) {
            QString caption = item->Caption();
            int textWidth = TextWidth(ButtonMeasureFont(), StripHotkey(caption)) + 16;
            if (item->ElevationRequired())
                textWidth += 20;
            button->resize(qMax(textWidth, MinimumButtonWidth()), ButtonHeight());
        }
        FCreatedCustomButtons->append(control);
        FCustomButtonItems.append(i);
        control->show();
    }
}

void TVxDialogEngine::CreateButtonBarButtons()
{
    TVxTaskDialogForm* form = Form();
    if (!form || FCreatedButtonBarButtons)
        return;
    FCreatedButtonBarButtons = std::make_unique<QList<QPointer<QWidget>>>();
    if (!D->ButtonBar()->Visible())
        return;
    const TCommonButtons kinds = D->ButtonBar()->Buttons();
    const int height = ButtonHeight();
    // The width every common button of the bar shares: the widest caption of the set.
    int shared = 0;
    for (int k = cbYes; k <= cbClose; ++k)
        if (kinds.Contains(TCommonButton(k)))
            shared = qMax(shared, CommonButtonWidth(TCommonButton(k), CommonButtonCaption(TCommonButton(k))));
    const bool body = D->Expando()->Visible() && InBody();
    for (int k = cbYes; k <= cbClose; ++k) {
        const auto kind = TCommonButton(k);
        if (!kinds.Contains(kind))
            continue;
        QWidget* control = NewControl(D->GetControlClass(ctButton), form);
        if (!control)
            continue;
        control->setObjectName(CommonButtonName(kind));
        control->setFont(D->Font()->ToQFont());
        TVxCustomButtonItem item(nullptr);
        item.SetCaption(CommonButtonCaption(kind));
        item.SetModalResult(CommonButtonResult(kind));
        item.SetDefault(D->ButtonBar()->UseDefault() && kind == D->ButtonBar()->Default());
        item.SetCancel(D->ButtonBar()->UseCancel() && kind == D->ButtonBar()->Cancel());
        D->InitControl(ctButton, control, &item);
        if (kind == cbHelp)
            SetClickHandler(control, [this, control] { Guarded([&] { D->HelpButtonClick(control); }); });
        else
            SetClickHandler(control, [this, control] { Guarded([&] { D->ButtonClick(control); }); });
        if (item.Default()) {
            D->FFocusedControl = control;
            D->FDefaultButton = control;
        }
        SetControlTag(control, CommonButtonResult(kind));
        const int own = qMax(TextWidth(ButtonMeasureFont(), StripHotkey(item.Caption())) + 16, MinimumButtonWidth());
        control->resize(qMax(own, shared), height);
        if (body)
            SetAnchors(control, Qt::RightEdge | Qt::BottomEdge);
        FCreatedButtonBarButtons->append(control);
        control->show();
    }
    // Close stands before Help.
    if (FCreatedButtonBarButtons->size() > 1 && kinds.Contains(cbHelp) && kinds.Contains(cbClose)) {
        QPointer<QWidget> close = FCreatedButtonBarButtons->takeLast();
        const int help = FCreatedButtonBarButtons->size() - 1;
        FCreatedButtonBarButtons->insert(help, close);
        QWidget::setTabOrder(close, FCreatedButtonBarButtons->last());
    }
}

void TVxDialogEngine::CreateExpandoButton()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    TVxExpando* expando = D->Expando();
    if (expando->Visible() && !FShowMoreButton) {
        auto* toggle = new TVxMoreLabel(form);
        toggle->setObjectName(QStringLiteral("VxDialogExpandoControl"));
        toggle->SetFont(*D->Font());
        toggle->SetBiDiMode(D->BiDiMode());
        if (InBody())
            SetAnchors(toggle, Qt::LeftEdge | Qt::BottomEdge);
        toggle->OnCollapsed = TNotifyEvent([this](TObject*) { Guarded([&] { D->ExpandCollapse(false); }); });
        toggle->OnExpanded = TNotifyEvent([this](TObject*) { Guarded([&] { D->ExpandCollapse(true); }); });
        FShowMoreButton = toggle;
    }
    auto* toggle = qobject_cast<TVxCustomMoreLabel*>(FShowMoreButton);
    if (!toggle)
        return;
    toggle->SetColor(D->ButtonBar()->Color());
    // The toggle reports its state through its events only on clicks, so setting it here runs no
    // expansion.
    const auto expanded = toggle->OnExpanded;
    const auto collapsed = toggle->OnCollapsed;
    toggle->OnExpanded = TNotifyEvent();
    toggle->OnCollapsed = TNotifyEvent();
    toggle->SetCaption(expando->Showing() ? expando->HideText() : expando->ShowText());
    toggle->SetExpanded(expando->Showing());
    toggle->OnExpanded = expanded;
    toggle->OnCollapsed = collapsed;
    toggle->setVisible(expando->Visible() && D->ButtonBar()->Visible());
}

void TVxDialogEngine::CreateVerificationCheckBox()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    if (D->Verification()->Visible()) {
        if (!FVerificationCheckBox) {
            QWidget* box = NewControl(D->GetControlClass(ctCheckBox), form);
            if (box) {
                box->setObjectName(QStringLiteral("VxDialogVerificationControl"));
                if (D->Expando()->Visible() && InBody())
                    SetAnchors(box, Qt::LeftEdge | Qt::BottomEdge);
                FVerificationCheckBox = box;
            }
        }
        if (FVerificationCheckBox)
            D->InitControl(ctCheckBox, FVerificationCheckBox, nullptr);
    }
    if (FVerificationCheckBox)
        FVerificationCheckBox->setVisible(D->Verification()->Visible() && D->ButtonBar()->Visible());
}

void TVxDialogEngine::CreateFooterLabel()
{
    TVxTaskDialogForm* form = Form();
    if (!form || FFooterLabel || D->Footer()->Text().isEmpty())
        return;
    auto* label = new TVxCaptionControl(form);
    label->setObjectName(QStringLiteral("VxDialogFooterControl"));
    SetupCaption(label, *D->Footer()->Font(), D->Footer()->Color());
    label->SetText(D->Footer()->Text());
    label->OnClick = TNotifyEvent([this](TObject*) { Guarded([&] { D->DoDialogClick(D, htFooter); }); });
    FFooterLabel = label;
}

void TVxDialogEngine::CreateMoreLinesLabel()
{
    TVxTaskDialogForm* form = Form();
    if (!form || FMoreLinesLabel)
        return;
    auto* label = new TVxCaptionControl(form);
    label->setObjectName(QStringLiteral("VxDialogMoreLinesControl"));
    const TColor color = D->Expando()->ShowInFooter() && D->Expando()->MoreFormat() == mfText ? D->ButtonBar()->Color()
                                                                                              : D->Color();
    SetupCaption(label, *D->Font(), color);
    label->OnClick = TNotifyEvent([this](TObject*) { Guarded([&] { D->DoDialogClick(D, htExpandedSection); }); });
    label->hide();
    FMoreLinesLabel = label;
}

void TVxDialogEngine::CreateMoreRichEdit()
{
    TVxTaskDialogForm* form = Form();
    if (!form || FMoreRichEdit || !D->Expando()->Visible() || !D->Expando()->ShowInFooter() ||
        D->Expando()->MoreFormat() != mfRTF)
        return;
    auto* edit = new TVxRichEdit(form);
    edit->setObjectName(QStringLiteral("VxDialogMoreRichEdit"));
    edit->resize(edit->width(), D->Expando()->MoreHeight());
    edit->move(D->FHorzSpacing, edit->y());
    edit->setReadOnly(true);
    const TScrollStyle bars = D->Expando()->MoreScrollbars();
    edit->setHorizontalScrollBarPolicy(bars == ssHorizontal || bars == ssBoth ? Qt::ScrollBarAsNeeded
                                                                              : Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(bars == ssVertical || bars == ssBoth ? Qt::ScrollBarAsNeeded
                                                                          : Qt::ScrollBarAlwaysOff);
    edit->hide();
    FMoreRichEdit = edit;
    D->InitControl(ctRichEdit, edit, nullptr);
}

void TVxDialogEngine::DefaultInitControl(TControlType ControlType, QObject* Control, TCollectionItem* Item)
{
    auto* customItem = dynamic_cast<TVxCustomButtonItem*>(Item);
    if (auto* link = qobject_cast<TVxCustomCommandLinkButton*>(Control)) {
        if (customItem) {
            link->SetModalResult(customItem->ModalResult());
            link->SetGlyph(*customItem->Glyph());
            link->SetDefault(customItem->Default());
            link->SetCancel(customItem->Cancel());
            link->SetCaption(customItem->Caption());
            link->setEnabled(customItem->Enabled());
            link->SetHint(customItem->Hint());
            if (customItem->Default()) {
                D->FFocusedControl = link;
                D->FDefaultButton = link;
            }
        }
        link->OnClick = TNotifyEvent([this, link](TObject*) { Guarded([&] { D->ButtonClick(link); }); });
        link->SetShowHotKey(!(D->FAcceleratorState & 2));
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(Control)) {
        if (customItem) {
            button->setProperty("ModalResult", customItem->ModalResult());
            if (auto* b = qobject_cast<TButton*>(button)) {
                b->SetModalResult(customItem->ModalResult());
                b->SetCancel(customItem->Cancel());
            } else {
                button->setProperty("Cancel", customItem->Cancel());
            }
            button->setText(customItem->Caption());
            button->setDefault(customItem->Default());
            button->setToolTip(customItem->Hint());
            button->setEnabled(customItem->Enabled());
            if (customItem->ElevationRequired())
                if (auto* b = qobject_cast<TButton*>(button))
                    b->SetElevationRequired(true);
            if (customItem->Default()) {
                D->FFocusedControl = button;
                D->FDefaultButton = button;
            }
        }
        SetClickHandler(button, [this, button] { Guarded([&] { D->ButtonClick(button); }); });
        return;
    }
    if (auto* box = qobject_cast<TVxCustomCheckBox*>(Control)) {
        box->SetTransparent(false);
        box->SetFont(*D->Font());
        box->SetColor(D->ButtonBar()->Color());
        box->SetBiDiMode(D->BiDiMode());
        const QString caption = QStringLiteral("  ") + D->Verification()->Text();
        box->SetCaption(caption);
        box->resize(TextWidth(D->Font()->ToQFont(), StripHotkey(caption)) + MulDiv(20), box->height());
        box->SetChecked(D->Verification()->InitialState());
        box->OnClick = TNotifyEvent([this](TObject*) { Guarded([&] { VerificationClick(); }); });
        return;
    }
    if (ControlType == ctCheckBox) {
        SetClickHandler(Control, [this] { Guarded([&] { VerificationClick(); }); });
        return;
    }
    if (auto* bar = qobject_cast<TVxProgressBar*>(Control)) {
        TVxProgress* progress = D->Progress();
        const bool marquee = D->FDialogOptions.Contains(doProgressBarMarquee);
        bar->SetStyle(marquee ? psMarquee : psNormal);
        bar->SetInterval(progress->Interval());
        bar->SetMax(progress->Max());
        bar->SetStep(progress->Step());
        bar->SetState(TVxProgressBarState(progress->State()));
        bar->SetPosition(progress->Position());
        if (marquee)
            bar->Activate(progress->Interval());
        return;
    }
    if (auto* bar = qobject_cast<TVxProgressBarEx*>(Control)) {
        TVxProgress* progress = D->Progress();
        bar->SetInterval(int(progress->Interval()));
        bar->SetMax(progress->Max());
        bar->SetStep(progress->Step());
        bar->SetState(TVxProgressBarState(progress->State()));
        bar->SetPosition(progress->Position());
        if (D->FDialogOptions.Contains(doProgressBarMarquee))
            bar->SetActive(true);
        return;
    }
    if (auto* bar = qobject_cast<TProgressBar*>(Control)) {
        TVxProgress* progress = D->Progress();
        bar->setMaximum(progress->Max());
        bar->setValue(progress->Position());
        bar->setProperty("Step", progress->Step());
        bar->SetMarquee(D->FDialogOptions.Contains(doProgressBarMarquee));
        bar->setProperty("MarqueeInterval", int(progress->Interval()));
        return;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(Control)) {
        if (auto* radioItem = dynamic_cast<TVxRadioButtonItem*>(Item)) {
            radio->setText(radioItem->Caption());
            radio->setFont(Form() ? Form()->font() : radio->font());
            // With RadioResult -1 the button of value 200 starts checked whatever the items say
            // (checking an item's button later would uncheck it again through auto-exclusivity).
            if (D->FRadioResult != -1)
                radio->setChecked(radioItem->Checked());
            radio->setEnabled(radioItem->Enabled());
        }
        SetClickHandler(radio, [this, radio] { Guarded([&] { RadioClick(radio); }); });
        if (D->FRadioResult == -1) {
            // Auto-exclusivity refuses to uncheck the one checked button of a group.
            const bool exclusive = radio->autoExclusive();
            radio->setAutoExclusive(false);
            radio->setChecked(ControlTag(radio) == 200);
            radio->setAutoExclusive(exclusive);
        }
        return;
    }
}

void TVxDialogEngine::RecreateFontControls()
{
    if (!Form())
        return;
    if (FVerificationCheckBox) {
        DeleteControl(FVerificationCheckBox);
        D->CreateVerificationCheckBox();
    }
    if (FShowMoreButton) {
        DeleteControl(FShowMoreButton);
        D->CreateExpandoButton();
    }
    if (FMoreRichEdit) {
        delete FMoreRichEdit.data();
        D->CreateMoreRichEdit();
    }
}

void TVxDialogEngine::FreeButtonControls()
{
    const bool hasWindow = Form() != nullptr;
    const bool verification = hasWindow ? GetVerificationChecked() : false;
    const auto freeList = [](std::unique_ptr<QList<QPointer<QWidget>>>& List) {
        if (!List)
            return;
        for (const auto& w : *List)
            delete w.data();
        List.reset();
    };
    freeList(FCreatedRadioButtons);
    delete FRadioGroup.data();
    freeList(FCreatedCustomButtons);
    FCustomButtonItems.clear();
    freeList(FCreatedButtonBarButtons);
    DeleteControl(FShowMoreButton);
    DeleteControl(FVerificationCheckBox);
    DeleteControl(FProgressBar);
    if (hasWindow)
        D->Verification()->SetInitialState(verification);
}

void TVxDialogEngine::ReleaseControls()
{
    FTaskBarProgress.reset();
    const auto freeList = [](std::unique_ptr<QList<QPointer<QWidget>>>& List) {
        if (!List)
            return;
        for (const auto& w : *List)
            delete w.data();
        List.reset();
    };
    freeList(FCreatedRadioButtons);
    freeList(FCreatedCustomButtons);
    FCustomButtonItems.clear();
    freeList(FCreatedButtonBarButtons);
    for (QWidget* w : std::initializer_list<QWidget*>{FProgressBar, FHelpLinkLabel, FShowMoreButton, FVerificationCheckBox,
                                                      FMoreRichEdit, FFooterLabel, FInstructionLabel, FContentLabel,
                                                      FMoreLinesLabel, FContentMaxLines, FRadioGroup})
        delete w;
    D->FFocusedControl = nullptr;
    D->FDefaultButton = nullptr;
    ResetMoreData();
}

void TVxDialogEngine::RestartProgressAnimation()
{
    if (auto* bar = qobject_cast<TVxProgressBar*>(FProgressBar)) {
        bar->Deactivate();
        bar->Activate(D->Progress()->Interval());
    } else if (auto* barEx = qobject_cast<TVxProgressBarEx*>(FProgressBar)) {
        if (D->FDialogOptions.Contains(doProgressBarMarquee)) {
            barEx->SetActive(false);
            barEx->SetActive(true);
        }
    } else if (auto* native = qobject_cast<TProgressBar*>(FProgressBar)) {
        native->SetMarquee(D->FDialogOptions.Contains(doProgressBarMarquee));
    }
}

// ---------------------------------------------------------------------------------------------
// Main icon

void TVxDialogEngine::ApplyMainIconPicture()
{
    const TTaskDialogIcon icon = D->MainIcon();
    if (icon == tdiNone) {
        D->FGlyph->Clear();
        return;
    }
    if (icon == tdiCustom)
        return;
    int id = StockIconWarning;
    switch (icon) {
    case tdiWarning: id = StockIconWarning; break;
    case tdiError: id = StockIconError; break;
    case tdiInformation: id = StockIconInformation; break;
    case tdiConfirmation: id = StockIconQuestion; break;
    case tdiShield: id = StockIconShield; break;
    default: break;
    }
    if (D->FGlyph->Empty())
        FGlyphLoadedByRun = true;
    std::unique_ptr<TIcon> picture = CreateStockIcon(id, MulDiv(32));
    D->FGlyph->SetGraphic(picture.get());
}

void TVxDialogEngine::UpdateMainIcon()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    const QSize before = D->FGlyph->Empty() ? QSize() : QSize(D->FGlyph->Width(), D->FGlyph->Height());
    ApplyMainIconPicture();
    const QSize after = D->FGlyph->Empty() ? QSize() : QSize(D->FGlyph->Width(), D->FGlyph->Height());
    if (after == before) {
        D->RepaintMainIcon();
    } else {
        D->PositionControls();
        form->update();
    }
}

void TVxDialogEngine::RepaintMainIcon()
{
    if (TVxTaskDialogForm* form = Form())
        form->update(GetSectionRect(secMainIcon).ToQRect());
}

void TVxDialogEngine::InvalidateWindow()
{
    if (TVxTaskDialogForm* form = Form())
        form->update();
}

void TVxDialogEngine::UpdateWindowTitle()
{
    if (TVxTaskDialogForm* form = Form())
        form->setWindowTitle(D->Title());
}

void TVxDialogEngine::UpdateWindowShowHint()
{
    if (TVxTaskDialogForm* form = Form())
        form->setProperty("ShowHint", D->ShowHint());
}

void TVxDialogEngine::DeleteVerificationBox()
{
    DeleteControl(FVerificationCheckBox);
}
