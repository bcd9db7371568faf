#include "VxPageScroller.h"

#include "SysUtils.h"
#include "private/SvgArt.h"

#include <QGestureEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QSwipeGesture>

#include <algorithm>

namespace {
QImage ScrollerImage(const QString& Name, int Size)
{
    return RenderSvg(QStringLiteral(":/scroller/") + Name + QStringLiteral(".svg"), QSize(Size, Size));
}
} // namespace

// --- marker layout ---------------------------------------------------------------------------

TVxMarkerLayout::TVxMarkerLayout(const QSize& Client, int VisibleCount)
    : FClient(Client), FV(VisibleCount), FX0(Client.width() / 2 - (VisibleCount * 16) / 2), FY(Client.height() - 11)
{
}

QRect TVxMarkerLayout::MarkerRect(int K) const
{
    return QRect(QPoint(FX0 + 16 * K, FY - 3), QSize(12, 12));
}

int TVxMarkerLayout::HitTest(const QPoint& Point) const
{
    if (Point.y() <= FClient.height() - 12 || Point.x() <= FX0)
        return -1;
    const int k = (Point.x() - FX0) / 16;
    return k < FV ? k : -1;
}

QRect TVxMarkerLayout::LeftArrowRect() const
{
    return QRect(QPoint(FX0 - 32, FY - 5), QSize(16, 16));
}

QRect TVxMarkerLayout::RightArrowRect() const
{
    return QRect(QPoint(FX0 + 16 * FV + 12, FY - 5), QSize(16, 16));
}

// --- arrow buttons ---------------------------------------------------------------------------

TOffice2007Button::TOffice2007Button(QWidget* Parent) : QWidget(Parent)
{
    resize(22, 22);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void TOffice2007Button::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawBackground(painter);
    DrawImage(painter);
}

void TOffice2007Button::DrawBackground(QPainter&) {}

void TOffice2007Button::DrawImage(QPainter& Painter)
{
    if (FImage.isNull() && !FImageName.isEmpty())
        FImage = ScrollerImage(FImageName, 16);
    if (FImage.isNull())
        return;
    Painter.drawImage(QPoint((width() - FImage.width()) / 2, (height() - FImage.height()) / 2), FImage);
}

void TOffice2007Button::DoClick()
{
    OnClick(this);
}

void TOffice2007Button::SetHover(bool Value)
{
    if (FMouseInControl == Value)
        return;
    FMouseInControl = Value;
    UpdateImage();
    update();
}

void TOffice2007Button::LoadImage(const QString& ResourceName)
{
    // Rendered when first drawn: the designer's scroller never shows its arrows.
    if (ResourceName == FImageName)
        return;
    FImageName = ResourceName;
    FImage = QImage();
}

void TOffice2007Button::enterEvent(QEnterEvent* Event)
{
    SetHover(true);
    QWidget::enterEvent(Event);
}

void TOffice2007Button::leaveEvent(QEvent* Event)
{
    SetHover(false);
    QWidget::leaveEvent(Event);
}

void TOffice2007Button::mouseMoveEvent(QMouseEvent* Event)
{
    if (Event->buttons() & Qt::LeftButton)
        SetHover(rect().contains(Event->position().toPoint()));
    QWidget::mouseMoveEvent(Event);
}

void TOffice2007Button::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton)
        update();
    QWidget::mousePressEvent(Event);
}

void TOffice2007Button::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint())) {
        update();
        DoClick();
    }
    QWidget::mouseReleaseEvent(Event);
}

void TOffice2007Button::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::EnabledChange) {
        UpdateImage();
        update();
    }
    QWidget::changeEvent(Event);
}

TLeftArrowButton::TLeftArrowButton(QWidget* Parent) : TOffice2007Button(Parent)
{
    LoadImage(QStringLiteral("VXPS_ARROW_LEFT_NORMAL"));
}

void TLeftArrowButton::UpdateImage()
{
    if (!isEnabled())
        LoadImage(QStringLiteral("VXPS_ARROW_LEFT_DISABLED"));
    else if (FMouseInControl)
        LoadImage(QStringLiteral("VXPS_ARROW_LEFT_HOT"));
    else
        LoadImage(QStringLiteral("VXPS_ARROW_LEFT_NORMAL"));
}

TRightArrowButton::TRightArrowButton(QWidget* Parent) : TOffice2007Button(Parent)
{
    LoadImage(QStringLiteral("VXPS_ARROW_RIGHT_NORMAL"));
}

void TRightArrowButton::UpdateImage()
{
    if (!isEnabled())
        LoadImage(QStringLiteral("VXPS_ARROW_RIGHT_DISABLED"));
    else if (FMouseInControl)
        LoadImage(QStringLiteral("VXPS_ARROW_RIGHT_HOT"));
    else
        LoadImage(QStringLiteral("VXPS_ARROW_RIGHT_NORMAL"));
}

// --- scroller --------------------------------------------------------------------------------

TVxCustomPageScroller::TVxCustomPageScroller(QWidget* Parent)
    : QWidget(Parent), FArrowLeftBtn(new TLeftArrowButton(this)), FArrowRightBtn(new TRightArrowButton(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the paint fills everything
    FArrowLeftBtn->hide();
    FArrowRightBtn->hide();
    FArrowLeftBtn->OnClick = TNotifyEvent([this](TObject*) { DoPreviousPage(); });
    FArrowRightBtn->OnClick = TNotifyEvent([this](TObject*) { DoNextPage(); });
    FActivePageImage = ScrollerImage(QStringLiteral("VXPS_SELECTED_12"), 12);
    FAvailablePageImage = ScrollerImage(QStringLiteral("VXPS_UNSELECTED_12"), 12);
    grabGesture(Qt::SwipeGesture);
}

TVxCustomPageScroller::~TVxCustomPageScroller()
{
    // The pages go with the widget tree; they must not report back to a scroller in destruction.
    for (TVxCustomPage* page : std::as_const(FPages))
        page->FPageScroller = nullptr;
    for (QObject* child : children())
        if (auto* page = qobject_cast<TVxCustomPage*>(child))
            page->FPageScroller = nullptr;
    FPages.clear();
}

void TVxCustomPageScroller::BeginLoading()
{
    FLoading = true;
}

void TVxCustomPageScroller::Loaded()
{
    FLoading = false;
    FPages.clear();
    for (QObject* child : children())
        if (auto* page = qobject_cast<TVxCustomPage*>(child)) {
            page->FPageScroller = this;
            FPages.append(page);
            PlacePage(page);
        }
    std::stable_sort(FPages.begin(), FPages.end(),
                     [](const TVxCustomPage* a, const TVxCustomPage* b) { return a->FPageIndex < b->FPageIndex; });
    // The remembered page is applied as a change from "none".
    const int remembered = FActivePageIndex;
    FActivePageIndex = -1;
    if (remembered >= 0)
        SetActivePageIndex(remembered);
    else
        for (TVxCustomPage* page : std::as_const(FPages))
            page->hide();
    UpdateArrowsEnabled();
    LayoutArrows();
    update();
}

TVxPage* TVxCustomPageScroller::AddPage()
{
    auto* page = new TVxPage(this);
    AddPage(page);
    return page;
}

void TVxCustomPageScroller::AddPage(TVxCustomPage* APage)
{
    if (!APage || FPages.contains(APage))
        return;
    if (APage->parentWidget() != this)
        APage->setParent(this);
    APage->FPageScroller = this;
    FPages.append(APage);
    APage->FPageIndex = int(FPages.size()) - 1;
    PlacePage(APage);
    SetActivePageIndex(APage->FPageIndex);
    LayoutArrows(); // the markers moved
    update();
}

void TVxCustomPageScroller::DeletePage(TVxCustomPage* APage)
{
    if (FPages.contains(APage))
        delete APage; // its destructor reports the removal
}

void TVxCustomPageScroller::PageRemoved(TVxCustomPage* APage)
{
    const int index = int(FPages.indexOf(APage));
    if (index < 0)
        return;
    FPages.removeAt(index);
    Renumber();
    if (index == FActivePageIndex) {
        // The shown page is gone: page 0 takes its place, or the first page that can show when
        // page 0's tab is hidden. There is no current page to stay on, so the change is not
        // offered for refusal; OnPageChanged reports it as a change from -1 (none).
        FActivePageIndex = -1;
        int target = -1;
        for (int i = 0; i < FPages.size() && target < 0; ++i)
            if (FPages[i]->FTabVisible)
                target = i;
        if (target >= 0) {
            FActivePageIndex = target;
            ShowActive(-1);
            OnPageChanged(this, -1, target);
        } else {
            for (TVxCustomPage* page : std::as_const(FPages))
                page->hide();
        }
        UpdateArrowsEnabled();
    } else if (index < FActivePageIndex) {
        // Keep the index on the page that is showing.
        --FActivePageIndex;
        UpdateArrowsEnabled();
    }
    LayoutArrows();
    update();
}

void TVxCustomPageScroller::Renumber()
{
    for (int i = 0; i < FPages.size(); ++i)
        FPages[i]->FPageIndex = i;
}

void TVxCustomPageScroller::PlacePage(TVxCustomPage* APage) const
{
    // The band of 20 at the bottom belongs to the markers.
    APage->setGeometry(rect().adjusted(0, 0, 0, -20));
}

void TVxCustomPageScroller::NextPage()
{
    DoNextPage();
}

void TVxCustomPageScroller::PreviousPage()
{
    DoPreviousPage();
}

void TVxCustomPageScroller::DoNextPage()
{
    for (int value = FActivePageIndex + 1; value < PageCount(); ++value) {
        SetActivePageIndex(value);
        if (FActivePageIndex == value)
            break;
    }
    update();
}

void TVxCustomPageScroller::DoPreviousPage()
{
    for (int value = FActivePageIndex - 1; value >= 0; --value) {
        SetActivePageIndex(value);
        if (FActivePageIndex == value)
            break;
    }
    update();
}

bool TVxCustomPageScroller::NextVisible(int AIndex, TNextVisibleDirection ADirection)
{
    const int step = ADirection == nvdNext ? 1 : -1;
    for (int i = AIndex; i >= 0 && i < PageCount(); i += step)
        if (FPages[i]->FTabVisible) {
            SetActivePageIndex(i);
            return true;
        }
    return false;
}

int TVxCustomPageScroller::VisiblePageCount() const
{
    return int(std::count_if(FPages.begin(), FPages.end(), [](const TVxCustomPage* p) { return p->FTabVisible; }));
}

void TVxCustomPageScroller::SetActivePageIndex(int Value)
{
    if (Value == FActivePageIndex)
        return;
    if (FLoading) {
        FActivePageIndex = Value;
        return;
    }
    if (Value >= PageCount())
        return;
    if (Value < 0) {
        if (PageCount() == 0) {
            FActivePageIndex = -1;
            update();
        }
        return;
    }
    if (!FPages[Value]->FTabVisible)
        return;
    bool allow = true;
    OnPageChanging(this, FActivePageIndex, Value, allow);
    if (!allow)
        return;
    const int old = FActivePageIndex;
    FActivePageIndex = Value;
    ShowActive(old);
    OnPageChanged(this, old, Value);
    UpdateArrowsEnabled();
    update();
}

void TVxCustomPageScroller::ShowActive(int Old)
{
    for (TVxCustomPage* page : std::as_const(FPages)) {
        if (page->FPageIndex != FActivePageIndex) {
            page->hide();
            continue;
        }
        PlacePage(page);
        if (FAnimate && isVisible()) {
            // Slide in from the side the new page lies on.
            const int w = page->width();
            auto* slide = new QPropertyAnimation(page, "pos", page);
            slide->setDuration(200);
            slide->setStartValue(QPoint(Old < FActivePageIndex ? w : -w, 0));
            slide->setEndValue(QPoint(0, 0));
            slide->start(QAbstractAnimation::DeleteWhenStopped);
        }
        page->show();
        page->raise();
    }
    FArrowLeftBtn->raise();
    FArrowRightBtn->raise();
}

void TVxCustomPageScroller::UpdateArrowsEnabled()
{
    FArrowLeftBtn->setEnabled(FActivePageIndex > 0);
    FArrowRightBtn->setEnabled(FActivePageIndex + 1 < PageCount());
}

TVxCustomPage* TVxCustomPageScroller::ActivePage() const
{
    if (FActivePageIndex < 0 || FActivePageIndex >= FPages.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(FActivePageIndex));
    return FPages[FActivePageIndex];
}

void TVxCustomPageScroller::SetActivePage(TVxCustomPage* Value)
{
    if (Value && Value->FPageIndex != FActivePageIndex)
        SetActivePageIndex(Value->FPageIndex);
}

void TVxCustomPageScroller::SetShowArrows(bool Value)
{
    if (FShowArrows == Value)
        return;
    FShowArrows = Value;
    FArrowLeftBtn->setVisible(Value);
    FArrowRightBtn->setVisible(Value);
    LayoutArrows();
}

void TVxCustomPageScroller::LayoutArrows()
{
    if (!FShowArrows || FArrowPosition != apBottom)
        return;
    const TVxMarkerLayout layout = MarkerLayout();
    FArrowLeftBtn->setGeometry(layout.LeftArrowRect());
    FArrowRightBtn->setGeometry(layout.RightArrowRect());
    FArrowLeftBtn->raise();
    FArrowRightBtn->raise();
}

void TVxCustomPageScroller::TabVisibleChanged(TVxCustomPage* APage)
{
    if (APage->FTabVisible)
        SetActivePageIndex(APage->FPageIndex);
    else if (!NextVisible(APage->FPageIndex, nvdPrev))
        NextVisible(APage->FPageIndex, nvdNext);
    LayoutArrows();
    update();
}

void TVxCustomPageScroller::PageIndexChanged(TVxCustomPage* APage, int Value)
{
    const int from = int(FPages.indexOf(APage));
    if (from < 0)
        return;
    FPages.move(from, Value);
    Renumber();
    // Make the moved page the active one even when its new index equals the old active index.
    if (FActivePageIndex == Value)
        FActivePageIndex = -1;
    SetActivePageIndex(Value);
    update();
}

void TVxCustomPageScroller::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const TVxMarkerLayout layout = MarkerLayout();
    int k = 0;
    for (int i = 0; i < FPages.size(); ++i) {
        if (!FPages[i]->FTabVisible)
            continue;
        painter.drawImage(layout.MarkerRect(k), i == FActivePageIndex ? FActivePageImage : FAvailablePageImage);
        ++k;
    }
}

void TVxCustomPageScroller::mousePressEvent(QMouseEvent* Event)
{
    const int k = MarkerLayout().HitTest(Event->position().toPoint());
    if (k >= 0) {
        int seen = 0;
        for (int i = 0; i < FPages.size(); ++i)
            if (FPages[i]->FTabVisible && seen++ == k) {
                SetActivePageIndex(i);
                break;
            }
    }
    QWidget::mousePressEvent(Event);
}

void TVxCustomPageScroller::resizeEvent(QResizeEvent* Event)
{
    for (TVxCustomPage* page : std::as_const(FPages))
        PlacePage(page);
    LayoutArrows();
    QWidget::resizeEvent(Event);
}

bool TVxCustomPageScroller::DoGesture(TStandardGesture GestureID)
{
    switch (GestureID) {
    case sgiLeft:
        DoNextPage();
        return true;
    case sgiRight:
        DoPreviousPage();
        return true;
    default:
        return false;
    }
}

bool TVxCustomPageScroller::event(QEvent* Event)
{
    if (Event->type() == QEvent::Gesture) {
        auto* gestureEvent = static_cast<QGestureEvent*>(Event);
        if (auto* swipe = static_cast<QSwipeGesture*>(gestureEvent->gesture(Qt::SwipeGesture))) {
            if (swipe->state() == Qt::GestureFinished) {
                TStandardGesture id = sgiNoGesture;
                if (swipe->horizontalDirection() == QSwipeGesture::Left)
                    id = sgiLeft;
                else if (swipe->horizontalDirection() == QSwipeGesture::Right)
                    id = sgiRight;
                if (DoGesture(id))
                    gestureEvent->accept(swipe);
            }
            return true;
        }
    }
    return QWidget::event(Event);
}

// --- pages -----------------------------------------------------------------------------------

TVxCustomPage::TVxCustomPage(QWidget* Parent) : QWidget(Parent)
{
    FPageScroller = qobject_cast<TVxCustomPageScroller*>(Parent);
    setAutoFillBackground(true); // fills its client area with its colour
    setAttribute(Qt::WA_AcceptTouchEvents);
}

TVxCustomPage::~TVxCustomPage()
{
    if (FPageScroller)
        FPageScroller->PageRemoved(this);
}

void TVxCustomPage::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::ParentChange) {
        auto* scroller = qobject_cast<TVxCustomPageScroller*>(parentWidget());
        if (FPageScroller && FPageScroller != scroller)
            FPageScroller->PageRemoved(this);
        FPageScroller = scroller;
    }
    QWidget::changeEvent(Event);
}

void TVxCustomPage::SetPageIndex(int Value)
{
    if (Value == FPageIndex)
        return;
    if (!FPageScroller || FPageScroller->IsLoading()) {
        FPageIndex = Value;
        return;
    }
    if (Value < 0 || Value >= FPageScroller->PageCount())
        throw Exception(QStringLiteral("Invalid Page Index value"));
    FPageScroller->PageIndexChanged(this, Value);
}

void TVxCustomPage::SetTabVisible(bool Value)
{
    if (Value == FTabVisible)
        return;
    FTabVisible = Value;
    if (!FPageScroller || FPageScroller->IsLoading())
        return;
    FPageScroller->TabVisibleChanged(this);
}
