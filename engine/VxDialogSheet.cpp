#include "VxDialogSheet.h"

#include "Screen.h"
#include "VxOptions.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QVariantAnimation>
#include <QWidget>

int SheetCaptionHeight(TFormBorderStyle Style, int SystemCaptionHeight, int SizingFrameHeight)
{
    if (Style == bsNone)
        return 0;
    const auto scaled = [](int n) { return MulDiv(n, PixelsPerInch(), 96); };
    int c = SystemCaptionHeight;
    if (Style == bsToolWindow)
        c -= scaled(3);
    else if (Style == bsSizeToolWin)
        c += scaled(2);
    else
        c = qMax(c, 20);
    return c + (Style == bsSizeable ? SizingFrameHeight : scaled(3));
}

TFormBorderStyle WindowBorderStyle(const QWidget* Window)
{
    const QVariant style = Window->property("BorderStyle");
    if (style.isValid())
        return TFormBorderStyle(style.toInt());
    if (Window->windowFlags() & Qt::FramelessWindowHint)
        return bsNone;
    return Window->minimumSize() == Window->maximumSize() ? bsSingle : bsSizeable;
}

int SheetCaptionHeight(const QWidget* Window)
{
    if (!Window)
        return 0;
    QStyle* style = Window->style();
    const int caption = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, Window);
    const int frame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, Window);
    return SheetCaptionHeight(WindowBorderStyle(Window), caption, frame);
}

namespace {
bool PlacementRefused = false;
}

bool WindowsCanPlaceThemselves()
{
    return !PlacementRefused && !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void ForceWindowsCannotPlaceThemselves(bool Force)
{
    PlacementRefused = Force;
}

QPoint CentredOn(const QRect& Frame, const QSize& Size)
{
    return {Frame.left() + (Frame.width() - Size.width()) / 2, Frame.top() + (Frame.height() - Size.height()) / 2};
}

// ---------------------------------------------------------------------------------------------

TVxSheetSlide::TVxSheetSlide(QWidget* Window, int Interval)
    : QObject(Window), FWindow(Window), FAnimation(new QVariantAnimation(this))
{
    FAnimation->setDuration(qMax(0, Interval));
    FAnimation->setStartValue(0.0);
    FAnimation->setEndValue(1.0);
    connect(FAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& V) { Step(V.toDouble()); });
    Window->installEventFilter(this);
}

bool TVxSheetSlide::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FWindow && Event->type() == QEvent::Show && !Running())
        SlideIn();
    return QObject::eventFilter(Watched, Event);
}

bool TVxSheetSlide::Running() const
{
    return FAnimation->state() == QAbstractAnimation::Running;
}

void TVxSheetSlide::Step(double Progress)
{
    if (!FWindow)
        return;
    const int h = FWindow->height();
    const int hidden = int((1.0 - Progress) * h + 0.5);
    FWindow->move(FHome.x(), FHome.y() - hidden);
    // What is above the final top edge is not shown (platforms without window masks show the
    // whole window while it moves).
    static const bool masks = !QGuiApplication::platformName().startsWith(QLatin1String("offscreen")) &&
                              !QGuiApplication::platformName().startsWith(QLatin1String("minimal"));
    if (!masks)
        return;
    if (hidden <= 0)
        FWindow->clearMask();
    else
        FWindow->setMask(QRegion(0, hidden, FWindow->width(), qMax(1, h - hidden)));
}

void TVxSheetSlide::SetHome(const QPoint& Home)
{
    FHome = Home;
    if (Running())
        Step(FAnimation->currentValue().toDouble());
    else if (FWindow)
        FWindow->move(Home);
}

void TVxSheetSlide::SlideIn()
{
    if (!FWindow || !WindowsCanPlaceThemselves() || FAnimation->duration() == 0)
        return;
    FHome = FWindow->pos();
    FAnimation->stop();
    FAnimation->setDirection(QAbstractAnimation::Forward);
    Step(0.0);
    FAnimation->start();
}

void TVxSheetSlide::SlideOut()
{
    if (!FWindow || !FWindow->isVisible() || !WindowsCanPlaceThemselves() || FAnimation->duration() == 0)
        return;
    if (!Running())
        FHome = FWindow->pos();
    FAnimation->stop();
    FAnimation->setDirection(QAbstractAnimation::Backward);
    QEventLoop loop;
    connect(FAnimation, &QAbstractAnimation::finished, &loop, &QEventLoop::quit);
    FAnimation->start();
    if (Running())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// ---------------------------------------------------------------------------------------------

TVxSheetFollower::TVxSheetFollower(QWidget* Sheet, QWidget* Owner, TPlace Place)
    : QObject(Sheet), FSheet(Sheet), FOwner(Owner), FPlace(std::move(Place))
{
    Owner->installEventFilter(this);
}

TVxSheetFollower::~TVxSheetFollower()
{
    if (FOwner)
        FOwner->removeEventFilter(this);
}

bool TVxSheetFollower::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FOwner && FSheet) {
        switch (Event->type()) {
        case QEvent::Move:
        case QEvent::Resize: FPlace(FSheet, FOwner); break;
        case QEvent::Close:
            FOwner->removeEventFilter(this);
            FOwner = nullptr;
            break;
        default: break;
        }
    }
    return QObject::eventFilter(Watched, Event);
}

// ---------------------------------------------------------------------------------------------

TVxSheetOwnerWatch::TVxSheetOwnerWatch(QWidget* Sheet, QWidget* Owner, std::function<void()> Gone)
    : QObject(Sheet), FOwner(Owner), FGone(std::move(Gone))
{
    Owner->installEventFilter(this);
}

TVxSheetOwnerWatch::~TVxSheetOwnerWatch()
{
    if (FOwner)
        FOwner->removeEventFilter(this);
}

bool TVxSheetOwnerWatch::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FOwner && Event->type() == QEvent::Hide && !Event->spontaneous() && !FOwner->isMinimized()) {
        FOwner->removeEventFilter(this);
        FOwner = nullptr;
        // Gone may free the sheet's window and this watch with it: nothing of this is used after.
        const std::function<void()> gone = std::move(FGone);
        gone();
        return false;
    }
    return QObject::eventFilter(Watched, Event);
}

// ---------------------------------------------------------------------------------------------

const TClassInfo& TVxCustomDialogSheet::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TVxCustomDialogSheet"), &TVxDialog::StaticClassInfo(), {});
    return info;
}

const TClassInfo& TVxDialogSheet::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TVxDialogSheet"), &TVxCustomDialogSheet::StaticClassInfo(), {});
    return info;
}

TVxCustomDialogSheet::TVxCustomDialogSheet(TComponent* AOwner) : TVxDialog(AOwner)
{
    SetBorderStyle(bsNone);
    SetPosition(dpDesigned);
    SetDialogStyle(dsSheet);
    Border()->SetVisible(true);
}

TVxCustomDialogSheet::~TVxCustomDialogSheet()
{
    Detach();
}

int TVxCustomDialogSheet::Execute(QObject* aOwner)
{
    if (!DialogOptions().Contains(doModal) && Sheet()->Location() == slActiveForm && !IsShowing()) {
        Detach();
        QWidget* active = QApplication::activeWindow();
        // No window is active between one closing and the next taking the focus: the sheet then
        // follows the window it is run for.
        if (!active && aOwner && aOwner->isWidgetType() && static_cast<QWidget*>(aOwner)->window()->isVisible())
            active = static_cast<QWidget*>(aOwner)->window();
        if (active && active != Form()) {
            // Stands in for the replaced window procedure: the window's moves, size changes and
            // close reach the sheet until it closes.
            FActiveForm = active;
            active->installEventFilter(this);
        }
    }
    return TVxDialog::Execute(aOwner);
}

int TVxCustomDialogSheet::Close(int AModalResult)
{
    if (!DialogOptions().Contains(doModal) && Sheet()->Location() == slActiveForm && FActiveForm)
        Detach();
    return TVxDialog::Close(AModalResult);
}

void TVxCustomDialogSheet::DoCloseQuery(TObject* Sender, bool& CanClose)
{
    TVxDialog::DoCloseQuery(Sender, CanClose);
    if (CanClose)
        Detach();
}

void TVxCustomDialogSheet::Detach()
{
    if (FActiveForm)
        FActiveForm->removeEventFilter(this);
    FActiveForm = nullptr;
}

void TVxCustomDialogSheet::Follow()
{
    auto* window = qobject_cast<QWidget*>(Form());
    if (!window || !FActiveForm)
        return;
    const QRect frame = FActiveForm->frameGeometry();
    // Where windows cannot place themselves the sheet was centred on the window; it stays so
    // (a compositor that ignores the request keeps it over its transient parent anyway).
    if (!WindowsCanPlaceThemselves()) {
        window->setGeometry(QRect(CentredOn(frame, window->size()), window->size()));
        return;
    }
    const int top = AdjustSheetTop(frame.top() + SheetCaptionHeight(FActiveForm));
    const QPoint place(frame.left() + (frame.width() - window->width()) / 2, top);
    // While it slides in, the slide ends at the new place.
    if (auto* slide = window->findChild<TVxSheetSlide*>())
        slide->SetHome(place);
    else
        window->move(place);
}

bool TVxCustomDialogSheet::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FActiveForm) {
        switch (Event->type()) {
        case QEvent::Move:
        case QEvent::Resize: Follow(); break;
        case QEvent::Close: Detach(); break; // the sheet stops following
        default: break;
        }
    }
    return TVxDialog::eventFilter(Watched, Event);
}
