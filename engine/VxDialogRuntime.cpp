// What a client drives while the window shows: progress (bar and taskbar), the animated expand
// and collapse, the expanded information from a file or a
// stream, and help.

#include "VxDialogEngine.h"

#include "VxCaptionControl.h"
#include "VxLabel.h"
#include "VxProgressBar.h"
#include "VxProgressBarEx.h"
#include "VxRichEdit.h"
#include "VxStdControls.h"
#include "VxTaskBarProgress.h"
#include "VxTaskDialogForm.h"

#include "ApplicationHelp.h"
#include "StringList.h"
#include "VxDialogStrs.h"
#include "VxOptions.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTimer>
#include <QScopedValueRollback>

#include <algorithm>

namespace {

TVxProgressBarState BarState(TProgressBarState State)
{
    switch (State) {
    case pbstError: return pbsError;
    case pbstPaused: return pbsPaused;
    default: return pbsNormal;
    }
}

TBPFLAG TaskBarState(TProgressBarState State)
{
    switch (State) {
    case pbstError: return TBPF_ERROR;
    case pbstPaused: return TBPF_PAUSED;
    default: return TBPF_NORMAL;
    }
}

// aPosition + aStep without overflow, inside [Low, High].
int ClampedSum(int aPosition, int aStep, int Low, int High)
{
    const qint64 sum = qint64(aPosition) + qint64(aStep);
    return int(std::clamp<qint64>(sum, Low, std::max(Low, High)));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Progress

int TVxDialogEngine::UpdateProgress(int aPosition, int aStep)
{
    if (!Form() || !D->FDialogOptions.Contains(doProgressBar) || !FProgressBar)
        return 0;
    TVxProgress* progress = D->Progress();
    QWidget* control = FProgressBar;
    // Every bar keeps its position inside its range, as the platform's bar does; the painted bar
    // has no minimum of its own and uses the model's.
    int reached = 0;
    bool known = true;
    if (auto* bar = qobject_cast<TVxProgressBar*>(control)) {
        bar->SetPosition(ClampedSum(aPosition, aStep, std::min(progress->Min(), bar->Max()), bar->Max()));
        reached = bar->Position();
    } else if (auto* bar = qobject_cast<TVxProgressBarEx*>(control)) {
        bar->SetPosition(ClampedSum(aPosition, aStep, bar->Min(), bar->Max()));
        reached = bar->Position();
    } else if (auto* bar = qobject_cast<TProgressBar*>(control)) {
        bar->setValue(ClampedSum(aPosition, aStep, bar->minimum(), bar->maximum()));
        reached = bar->value();
    } else {
        known = false;
    }
    if (known) {
        progress->SetPosition(reached);
        if (progress->Position() < progress->Max()) {
            D->DoProgress(progress->Position());
        } else {
            progress->SetPosition(0);
            D->Close(0);
        }
        return progress->Position();
    }
    bool closeDialog = false;
    D->DoUpdateProgressBar(int(std::clamp<qint64>(qint64(aPosition) + aStep, INT_MIN, INT_MAX)), closeDialog);
    if (closeDialog) {
        progress->SetPosition(0);
        D->Close(0);
    } else if (Form()) {
        D->DoProgress(progress->Position());
    }
    return progress->Position();
}

int TVxDialogEngine::StepProgress()
{
    if (!Form())
        return 0;
    TVxProgress* progress = D->Progress();
    QWidget* control = FProgressBar;
    int position = 0, step = 0;
    if (auto* bar = qobject_cast<TVxProgressBar*>(control)) {
        position = bar->Position();
        step = bar->Step();
    } else if (auto* bar = qobject_cast<TVxProgressBarEx*>(control)) {
        position = bar->Position();
        step = bar->Step();
    } else if (auto* bar = qobject_cast<TProgressBar*>(control)) {
        position = bar->value();
        step = bar->property("Step").isValid() ? bar->property("Step").toInt() : progress->Step();
    } else {
        bool closeDialog = false;
        D->DoUpdateProgressBar(-1, closeDialog);
        if (HasProgress() && progress->ShowOnTaskBar() && FTaskBarProgress)
            FTaskBarProgress->SetProgressState(TBPF_NOPROGRESS);
        if (closeDialog) {
            progress->SetPosition(0);
            D->Close(0);
        } else if (Form()) {
            D->DoProgress(progress->Position());
        }
        return progress->Position();
    }
    const int result = D->UpdateProgress(position, step);
    // The window may have closed at the maximum; the bar went with it.
    if (Form() && FProgressBar) {
        if (auto* bar = qobject_cast<TVxProgressBar*>(FProgressBar))
            D->DoProgress(bar->Position());
        else if (auto* bar = qobject_cast<TVxProgressBarEx*>(FProgressBar))
            D->DoProgress(bar->Position());
        else if (auto* bar = qobject_cast<TProgressBar*>(FProgressBar))
            D->DoProgress(bar->value());
    }
    return Form() ? D->Progress()->Position() : result;
}

void TVxDialogEngine::SetProgressState(TProgressBarState aState)
{
    TVxProgress* progress = D->Progress();
    progress->SetState(aState);
    if (auto* bar = qobject_cast<TProgressBar*>(FProgressBar))
        bar->setProperty("State", int(aState));
    else if (auto* bar = qobject_cast<TVxProgressBar*>(FProgressBar))
        bar->SetState(BarState(aState));
    else if (FProgressBar && D->OnUpdateProgressBarState)
        D->DoUpdateProgressBarState(aState);
    if (HasProgress() && progress->ShowOnTaskBar() && FTaskBarProgress)
        FTaskBarProgress->SetProgressState(TaskBarState(aState));
}

void TVxDialogEngine::ProgressToTaskBar(int Position)
{
    TVxProgress* progress = D->Progress();
    if (!HasProgress() || !progress->ShowOnTaskBar() || !FTaskBarProgress)
        return;
    const int total = std::max(0, progress->Max());
    FTaskBarProgress->SetProgressValue(quint64(std::clamp(Position, 0, total)), quint64(total));
}

// ---------------------------------------------------------------------------------------------
// Expand and collapse

void TVxDialogEngine::ExpandCollapse(bool Expand)
{
    if (!Form())
        return;
    if (D->FExpanding || D->FCollapsing) {
        // The toggle was clicked while the window still moves: this movement ends at once (its
        // final size follows the toggle) and the new one runs after it.
        FPendingExpand = Expand;
        if (FAnimationLoop)
            FAnimationLoop->quit();
        return;
    }
    bool expand = Expand;
    for (;;) {
        FPendingExpand.reset();
        RunExpandCollapse(expand);
        if (!Form() || !FPendingExpand || *FPendingExpand == expand)
            break;
        expand = *FPendingExpand;
    }
    FPendingExpand.reset();
}

void TVxDialogEngine::RunExpandCollapse(bool Expand)
{
    TVxExpando* expando = D->Expando();
    {
        const QScopedValueRollback<bool> running(Expand ? D->FExpanding : D->FCollapsing, true);
        D->FExpandingHeight = Form()->height();
        if (auto* toggle = qobject_cast<TVxCustomMoreLabel*>(FShowMoreButton))
            toggle->SetCaption(Expand ? expando->HideText() : expando->ShowText());
        if (Expand) {
            // A file or stream source is read again for every expansion.
            ResetMoreData();
            D->DoDialogExpand();
        } else {
            if (FMoreLinesLabel)
                FMoreLinesLabel->hide();
            D->DoDialogCollapse();
        }
        if (Form() && expando->Animate()->Enabled())
            AnimateExpandCollapse(Expand);
    }
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    Resize();
    if (Expand && FMoreRichEdit && !FMoreRichEdit->isVisible())
        FMoreRichEdit->resize(D->FClientWidth - 2 * D->FHorzSpacing, FMoreRichEdit->height());
    if (expando->Visible() && InBody())
        form->update();
    D->PositionControls();
}

void TVxDialogEngine::SetAnimationHeight(int Height)
{
    // The size limits were lifted when the movement started; the final CalcAutoSize fixes the
    // size again.
    if (TVxTaskDialogForm* form = Form())
        form->resize(form->width(), Height);
}

void TVxDialogEngine::AnimateExpandCollapse(bool Expand)
{
    QPointer<TVxTaskDialogForm> form = Form();
    TVxExpando* expando = D->Expando();
    const int step = std::clamp(int(expando->Animate()->Step()), 1, 10);
    const int speed = std::clamp(int(expando->Animate()->Speed()), 2, 50);
    D->FExpandedAmount = 0;
    D->FExpandedHeight = 0;
    int target = 0, width = 0;
    D->CalcAutoSize(target, width, false);
    const int start = form->height();
    D->FExpandedHeight = target;
    if (Expand) {
        D->FExpandedAmount = target - start;
        D->FExpandedLeftOver = 0;
    } else {
        D->FExpandedAmount = start - target;
        D->FExpandedLeftOver = D->FExpandedAmount;
    }
    const auto moving = [&] {
        return form && (Expand ? form->height() < D->FExpandedHeight : D->FExpandedHeight < form->height());
    };
    if (moving()) {
        // The frames come from a timer; the local loop keeps the call synchronous while clicks,
        // ticks and paints go on. A closed or destroyed window ends the movement.
        const bool wasVisible = form->isVisible();
        form->setMinimumSize(0, 0);
        form->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        int h = start;
        int framesLeft = std::abs(D->FExpandedAmount) / step + 2;
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(speed);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            if (!form || (wasVisible && !form->isVisible()) || !moving() || --framesLeft < 0) {
                loop.quit();
                return;
            }
            h += Expand ? step : -step;
            D->FExpandedLeftOver += Expand ? step : -step;
            SetAnimationHeight(h);
            if (!form) {
                loop.quit();
                return;
            }
            if (expando->Visible() && InBody())
                form->update();
            if (expando->ShowInFooter() && expando->MoreFormat() == mfRTF)
                D->PositionMoreRichEdit();
            if (!moving())
                loop.quit();
        });
        QObject::connect(form.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
        QEventLoop* outer = FAnimationLoop;
        FAnimationLoop = &loop;
        timer.start();
        loop.exec();
        FAnimationLoop = outer;
    }
    D->FExpandedHeight = -1;
}

// ---------------------------------------------------------------------------------------------
// Expanded information from a file or a stream

void TVxDialogEngine::ResetMoreData()
{
    FMoreData.reset();
    FMoreDataLoaded = false;
}

std::optional<QByteArray> TVxDialogEngine::MoreData()
{
    TVxExpando* expando = D->Expando();
    if (expando->MoreSource() == msDefault)
        return expando->Lines()->Text().toUtf8();
    if (FMoreDataLoaded)
        return FMoreData;
    FMoreDataLoaded = true;
    FMoreData.reset();
    if (expando->MoreSource() == msFile) {
        QString fileName;
        D->DoGetMoreFileName(fileName);
        if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
            return FMoreData;
        QFile file(fileName);
        if (file.open(QIODevice::ReadOnly))
            FMoreData = file.readAll();
        return FMoreData;
    }
    // msStream: the engine owns the stream it made. A handler may hand over a stream of its own
    // instead (the engine frees that one too) or leave none; it must not free the engine's.
    auto own = std::make_unique<TMemoryStream>();
    own->open(QIODevice::ReadWrite);
    TMemoryStream* stream = own.get();
    bool failed = false;
    try {
        D->DoGetMoreStream(stream);
    } catch (const std::exception& E) {
        // A failing handler leaves the text as it is; the dialog goes on.
        qWarning("Expanded information: the stream handler failed: %s", E.what());
        failed = true;
    }
    std::unique_ptr<TMemoryStream> handed(stream != own.get() ? stream : nullptr);
    if (failed || !stream)
        return FMoreData;
    if (!stream->isOpen())
        stream->open(QIODevice::ReadOnly);
    stream->seek(0);
    FMoreData = stream->readAll();
    return FMoreData;
}

std::optional<QString> TVxDialogEngine::MoreText()
{
    const std::optional<QByteArray> data = MoreData();
    if (!data)
        return std::nullopt;
    if (D->Expando()->MoreSource() == msDefault)
        return D->Expando()->Lines()->Text();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(*data);
    if (utf8.hasError())
        text = QString::fromLocal8Bit(*data);
    return text;
}

QString TVxDialogEngine::ExpandedTextForCopy()
{
    TVxExpando* expando = D->Expando();
    if (FMoreRichEdit) {
        // A collapsed rich edit has not been filled yet, and a file or stream may have changed
        // since: the text copied is the source's as it reads now. A source that gives nothing
        // leaves the edit as it is.
        if (!FMoreRichEdit->isVisible())
            FMoreRichEdit->resize(D->FClientWidth - 2 * D->FHorzSpacing, FMoreRichEdit->height());
        if (const std::optional<QByteArray> data = MoreData(); data && FMoreRichEdit)
            FMoreRichEdit->LoadFromData(*data);
        return FMoreRichEdit ? FMoreRichEdit->toPlainText() : QString();
    }
    if (expando->MoreSource() == msDefault)
        return expando->Lines()->Text();
    // A file or stream source: its lines, as the caption control shows them. Without any (a
    // missing file, a stream handler that failed) the control keeps what it shows, and so does
    // the copy; the design-time lines are never used.
    TStringList lines;
    if (const std::optional<QString> text = MoreText())
        lines.SetText(*text);
    else if (FMoreLinesLabel)
        lines.Assign(FMoreLinesLabel->Text());
    return lines.Text();
}

// ---------------------------------------------------------------------------------------------
// Help

void TVxDialogEngine::ShowApplicationHelp(THelpType HelpType, int HelpContext, const QString& HelpKeyword)
{
    if (!ApplicationHasHelp())
        throw VxNoHelpFileException(LoadResString(&SVxNoHelpFile));
    TApplicationHelpRequest request;
    request.ByKeyword = HelpType != htContext;
    request.HelpContext = HelpContext;
    request.HelpKeyword = HelpKeyword;
    ::ShowApplicationHelp(request);
}
