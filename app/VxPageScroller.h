#pragma once
// A page container without tabs: one page shows at a time, a row of small round markers along
// the bottom (one per page with a visible tab, the active one red) changes pages on a click, as
// do swipe gestures, optional arrow buttons beside the markers, and code.

#include "Classes.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>

class TVxCustomPage;
class TVxPage;
class TVxCustomPageScroller;

enum TVxArrowPosition { apBottom, apTop, apMiddle };
enum TNextVisibleDirection { nvdNext, nvdPrev };
// The standard gestures the scroller answers (the content moves left / right).
enum TStandardGesture { sgiNoGesture = 0, sgiLeft = 1, sgiRight = 2, sgiUp = 3, sgiDown = 4 };

// Sender, OldPageIndex, NewPageIndex.
using TPageChangedEvent = TEvent<TObject*, int, int>;
// Sender, CurrentPageIndex, NewPageIndex, Allow (True on entry).
using TPageChangingEvent = TEvent<TObject*, int, int, bool&>;

// Where the markers and arrows go, apart from painting.
class TVxMarkerLayout {
public:
    TVxMarkerLayout(const QSize& Client, int VisibleCount);
    int X0() const { return FX0; }
    int Y() const { return FY; }
    // Marker of the k-th visible page (from 0), 12 by 12.
    QRect MarkerRect(int K) const;
    // The visible position k under Point, or -1 when the point hits no marker.
    int HitTest(const QPoint& Point) const;
    QRect LeftArrowRect() const;
    QRect RightArrowRect() const;

private:
    QSize FClient;
    int FV;
    int FX0;
    int FY;
};

// The arrow buttons beside the markers: a 22 by 22 image button with a hover look.
class TOffice2007Button : public QWidget, public TObject {
    Q_OBJECT
public:
    explicit TOffice2007Button(QWidget* Parent = nullptr);
    bool MouseInControl() const { return FMouseInControl; }
    // Resource name of the image shown now (VXPS_ARROW_...).
    QString ImageName() const { return FImageName; }
    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void changeEvent(QEvent* Event) override;

    virtual void DoClick();
    virtual void DrawBackground(QPainter& Painter);
    virtual void DrawImage(QPainter& Painter);
    virtual void UpdateImage() {}
    void SetHover(bool Value);
    void LoadImage(const QString& ResourceName);

    bool FMouseInControl = false;
    QString FImageName;
    QImage FImage;
};

class TLeftArrowButton : public TOffice2007Button {
    Q_OBJECT
public:
    explicit TLeftArrowButton(QWidget* Parent = nullptr);

protected:
    void UpdateImage() override;
};

class TRightArrowButton : public TOffice2007Button {
    Q_OBJECT
public:
    explicit TRightArrowButton(QWidget* Parent = nullptr);

protected:
    void UpdateImage() override;
};

class TVxCustomPageScroller : public QWidget, public TObject {
    Q_OBJECT
public:
    explicit TVxCustomPageScroller(QWidget* Parent = nullptr);
    ~TVxCustomPageScroller() override;

    // Stored-description loading: while loading, ActivePageIndex and PageIndex are only
    // remembered; Loaded() collects the child pages and activates the remembered page.
    void BeginLoading();
    void Loaded();
    bool IsLoading() const { return FLoading; }

    TVxPage* AddPage();
    void AddPage(TVxCustomPage* APage);
    void DeletePage(TVxCustomPage* APage);
    void NextPage();
    void PreviousPage();
    bool NextVisible(int AIndex, TNextVisibleDirection ADirection);

    int PageCount() const { return int(FPages.size()); }
    int VisiblePageCount() const;
    TVxCustomPage* Pages(int Index) const { return FPages.at(Index); }
    int ActivePageIndex() const { return FActivePageIndex; }
    void SetActivePageIndex(int Value);
    // Raises EListError when no page is active.
    TVxCustomPage* ActivePage() const;
    void SetActivePage(TVxCustomPage* Value);

    bool ShowArrows() const { return FShowArrows; }
    void SetShowArrows(bool Value);
    TVxArrowPosition ArrowPosition() const { return FArrowPosition; }
    void SetArrowPosition(TVxArrowPosition Value) { FArrowPosition = Value; LayoutArrows(); }
    bool Animate() const { return FAnimate; }
    void SetAnimate(bool Value) { FAnimate = Value; }

    TLeftArrowButton* ArrowLeftButton() const { return FArrowLeftBtn; }
    TRightArrowButton* ArrowRightButton() const { return FArrowRightBtn; }
    TVxMarkerLayout MarkerLayout() const { return TVxMarkerLayout(size(), VisiblePageCount()); }

    // Answers the swipe gestures; True when handled.
    bool DoGesture(TStandardGesture GestureID);

    TPageChangedEvent OnPageChanged;
    TPageChangingEvent OnPageChanging;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    bool event(QEvent* Event) override;

    void DoNextPage();
    void DoPreviousPage();

private:
    friend class TVxCustomPage;
    void PageRemoved(TVxCustomPage* APage);
    void PageIndexChanged(TVxCustomPage* APage, int Value);
    void TabVisibleChanged(TVxCustomPage* APage);
    void Renumber();
    void PlacePage(TVxCustomPage* APage) const;
    void ShowActive(int Old);
    void UpdateArrowsEnabled();
    void LayoutArrows();

    bool FShowArrows = false;
    TVxArrowPosition FArrowPosition = apBottom;
    bool FAnimate = false;
    int FActivePageIndex = -1;
    QList<TVxCustomPage*> FPages;
    TLeftArrowButton* FArrowLeftBtn;
    TRightArrowButton* FArrowRightBtn;
    QImage FActivePageImage;
    QImage FAvailablePageImage;
    bool FLoading = false;
};

class TVxPageScroller : public TVxCustomPageScroller {
    Q_OBJECT
public:
    using TVxCustomPageScroller::TVxCustomPageScroller;
};

class TVxCustomPage : public QWidget, public TObject {
    Q_OBJECT
public:
    // A page parented on a scroller is added to it by the scroller (AddPage or Loaded).
    explicit TVxCustomPage(QWidget* Parent = nullptr);
    ~TVxCustomPage() override;

    int PageIndex() const { return FPageIndex; }
    // Raises Exception "Invalid Page Index value" outside 0..PageCount-1.
    void SetPageIndex(int Value);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    TVxCustomPageScroller* PageScroller() const { return FPageScroller; }

protected:
    void changeEvent(QEvent* Event) override;

private:
    friend class TVxCustomPageScroller;
    int FPageIndex = 0;
    bool FTabVisible = true;
    TVxCustomPageScroller* FPageScroller = nullptr;
    QString FCaption;
};

class TVxPage : public TVxCustomPage {
    Q_OBJECT
public:
    using TVxCustomPage::TVxCustomPage;
};
