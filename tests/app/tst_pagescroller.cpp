#include "VxPageScroller.h"

#include "SysUtils.h"

#include <QtTest>

namespace {
struct Recorder {
    QList<QPair<int, int>> Changed;
    QList<QPair<int, int>> Changing;
    bool Allow = true;
    void Attach(TVxPageScroller& S)
    {
        S.OnPageChanged = TPageChangedEvent([this](TObject*, int Old, int New) { Changed.append({Old, New}); });
        S.OnPageChanging = TPageChangingEvent([this](TObject*, int Cur, int New, bool& A) {
            Changing.append({Cur, New});
            A = Allow;
        });
    }
};

// A shown scroller with three pages added from code (page 2 active, as AddPage leaves it).
struct ThreePages {
    TVxPageScroller Scroller;
    TVxPage* Page[3];
    explicit ThreePages(int Width = 752, int Height = 300)
    {
        Scroller.resize(Width, Height);
        for (auto& p : Page)
            p = Scroller.AddPage();
        Scroller.show();
    }
};

QPoint MarkerCentre(const TVxPageScroller& S, int K)
{
    // Inside the marker and in the clickable band (below height - 12).
    const QRect r = S.MarkerLayout().MarkerRect(K);
    return QPoint(r.center().x(), S.height() - 6);
}
} // namespace

class tst_pagescroller : public QObject {
    Q_OBJECT
private slots:
    void markerLayout_data();
    void markerLayout();
    void markerClickSelectsPage();
    void hidingTabRecentresAndMovesActive();
    void nextPageAtEndDoesNothing();
    void changingCanRefuseEveryRoute();
    void arrowsStepOverHiddenTabs();
    void deletingActivePage();
    void deletingActivePageFindsAShowablePage_data();
    void deletingActivePageFindsAShowablePage();
    void arrowsFollowTheMarkers();
    void deletingPageBeforeActiveKeepsShownPage();
    void pageIndexMovesPage();
    void invalidPageIndex();
    void loadingActivatesRememberedPage();
    void pagesLeaveMarkerBand();
};

void tst_pagescroller::markerLayout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("visible");
    QTest::addColumn<int>("x0");
    QTest::newRow("three in 752") << 752 << 3 << 352;
    QTest::newRow("two in 752") << 752 << 2 << 360;
    QTest::newRow("three in odd 301") << 301 << 3 << 126;
    QTest::newRow("none") << 100 << 0 << 50;
}

void tst_pagescroller::markerLayout()
{
    QFETCH(int, width);
    QFETCH(int, visible);
    QFETCH(int, x0);
    const int height = 200;
    const TVxMarkerLayout layout(QSize(width, height), visible);
    QCOMPARE(layout.X0(), x0);
    for (int k = 0; k < visible; ++k) {
        QCOMPARE(layout.MarkerRect(k), QRect(x0 + 16 * k, height - 14, 12, 12));
        QCOMPARE(layout.HitTest(QPoint(x0 + 16 * k + 1, height - 5)), k);
    }
    QCOMPARE(layout.HitTest(QPoint(x0 + 16 * visible + 1, height - 5)), -1); // past the last
    QCOMPARE(layout.HitTest(QPoint(x0 + 1, height - 12)), -1);               // not below h - 12
    QCOMPARE(layout.HitTest(QPoint(x0, height - 5)), -1);                    // not right of X0
    QCOMPARE(layout.LeftArrowRect(), QRect(x0 - 32, height - 16, 16, 16));
    QCOMPARE(layout.RightArrowRect(), QRect(x0 + 16 * visible + 12, height - 16, 16, 16));
}

void tst_pagescroller::markerClickSelectsPage()
{
    ThreePages t;
    Recorder r;
    r.Attach(t.Scroller);
    QVERIFY(QTest::qWaitForWindowExposed(&t.Scroller));
    QTest::mouseClick(&t.Scroller, Qt::LeftButton, {}, QPoint(372, t.Scroller.height() - 5));
    QCOMPARE(t.Scroller.ActivePageIndex(), 1);
    QCOMPARE(r.Changing, (QList<QPair<int, int>>{{2, 1}}));
    QCOMPARE(r.Changed, (QList<QPair<int, int>>{{2, 1}}));
    QVERIFY(t.Page[1]->isVisible());
    QVERIFY(!t.Page[0]->isVisible() && !t.Page[2]->isVisible());
    // A click on the active marker changes nothing.
    QTest::mouseClick(&t.Scroller, Qt::LeftButton, {}, QPoint(372, t.Scroller.height() - 5));
    QCOMPARE(r.Changed.size(), 1);
}

void tst_pagescroller::hidingTabRecentresAndMovesActive()
{
    ThreePages t;
    t.Scroller.SetActivePageIndex(1);
    Recorder r;
    r.Attach(t.Scroller);
    t.Page[1]->SetTabVisible(false);
    QCOMPARE(t.Scroller.VisiblePageCount(), 2);
    QCOMPARE(t.Scroller.MarkerLayout().X0(), 752 / 2 - 16);
    QCOMPARE(t.Scroller.ActivePageIndex(), 0);
    QCOMPARE(r.Changed, (QList<QPair<int, int>>{{1, 0}}));
    // The second marker now stands for page 2; the hidden page can not be activated.
    QTest::mouseClick(&t.Scroller, Qt::LeftButton, {}, MarkerCentre(t.Scroller, 1));
    QCOMPARE(t.Scroller.ActivePageIndex(), 2);
    t.Scroller.SetActivePageIndex(1);
    QCOMPARE(t.Scroller.ActivePageIndex(), 2);
    // Showing the tab again activates the page.
    t.Page[1]->SetTabVisible(true);
    QCOMPARE(t.Scroller.ActivePageIndex(), 1);
}

void tst_pagescroller::nextPageAtEndDoesNothing()
{
    ThreePages t;
    Recorder r;
    r.Attach(t.Scroller);
    QCOMPARE(t.Scroller.ActivePageIndex(), 2);
    t.Scroller.NextPage();
    QVERIFY(t.Scroller.DoGesture(sgiLeft));
    QCOMPARE(t.Scroller.ActivePageIndex(), 2);
    QVERIFY(r.Changing.isEmpty() && r.Changed.isEmpty());
    QVERIFY(t.Scroller.DoGesture(sgiRight)); // content moves right: previous page
    QCOMPARE(t.Scroller.ActivePageIndex(), 1);
    QVERIFY(!t.Scroller.DoGesture(sgiUp));
    QCOMPARE(t.Scroller.ActivePageIndex(), 1);
}

void tst_pagescroller::changingCanRefuseEveryRoute()
{
    ThreePages t;
    t.Scroller.SetShowArrows(true);
    QVERIFY(QTest::qWaitForWindowExposed(&t.Scroller));
    Recorder r;
    r.Allow = false;
    r.Attach(t.Scroller);
    QTest::mouseClick(&t.Scroller, Qt::LeftButton, {}, MarkerCentre(t.Scroller, 0));
    t.Scroller.DoGesture(sgiRight);
    QTest::mouseClick(t.Scroller.ArrowLeftButton(), Qt::LeftButton);
    t.Scroller.SetActivePageIndex(0);
    QCOMPARE(t.Scroller.ActivePageIndex(), 2);
    QVERIFY(r.Changed.isEmpty());
    QVERIFY(r.Changing.size() >= 4);
    QVERIFY(t.Page[2]->isVisible());
}

void tst_pagescroller::arrowsStepOverHiddenTabs()
{
    ThreePages t;
    t.Scroller.SetShowArrows(true);
    QVERIFY(QTest::qWaitForWindowExposed(&t.Scroller));
    TLeftArrowButton* left = t.Scroller.ArrowLeftButton();
    TRightArrowButton* right = t.Scroller.ArrowRightButton();
    const TVxMarkerLayout layout = t.Scroller.MarkerLayout();
    QCOMPARE(left->geometry(), layout.LeftArrowRect());
    QCOMPARE(right->geometry(), layout.RightArrowRect());
    QVERIFY(left->isEnabled());
    QVERIFY(!right->isEnabled()); // on the last page
    QCOMPARE(left->ImageName(), QStringLiteral("VXPS_ARROW_LEFT_NORMAL"));
    QCOMPARE(right->ImageName(), QStringLiteral("VXPS_ARROW_RIGHT_DISABLED"));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(left, &enter);
    QVERIFY(left->MouseInControl());
    QCOMPARE(left->ImageName(), QStringLiteral("VXPS_ARROW_LEFT_HOT"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(left, &leave);
    QCOMPARE(left->ImageName(), QStringLiteral("VXPS_ARROW_LEFT_NORMAL"));

    t.Page[1]->SetTabVisible(false); // page 2 stays active
    QTest::mouseClick(left, Qt::LeftButton);
    QCOMPARE(t.Scroller.ActivePageIndex(), 0);
    QVERIFY(!left->isEnabled());
    QVERIFY(right->isEnabled());
    QTest::mouseClick(right, Qt::LeftButton);
    QCOMPARE(t.Scroller.ActivePageIndex(), 2);
}

void tst_pagescroller::deletingActivePage()
{
    ThreePages t;
    t.Scroller.SetActivePageIndex(0);
    Recorder r;
    r.Attach(t.Scroller);
    TVxPage* formerOne = t.Page[1];
    t.Scroller.DeletePage(t.Page[0]);
    QCOMPARE(t.Scroller.PageCount(), 2);
    QCOMPARE(t.Scroller.ActivePageIndex(), 0);
    QCOMPARE(t.Scroller.ActivePage(), formerOne);
    QCOMPARE(formerOne->PageIndex(), 0);
    QCOMPARE(t.Page[2]->PageIndex(), 1);
    QVERIFY(formerOne->isVisible());
    QCOMPARE(r.Changed.size(), 1);
    QCOMPARE(r.Changed.first().second, 0);

    t.Scroller.DeletePage(formerOne);
    t.Scroller.DeletePage(t.Page[2]);
    QCOMPARE(t.Scroller.PageCount(), 0);
    QCOMPARE(t.Scroller.ActivePageIndex(), -1);
    QVERIFY_THROWS_EXCEPTION(EListError, t.Scroller.ActivePage());
}

void tst_pagescroller::deletingActivePageFindsAShowablePage_data()
{
    QTest::addColumn<bool>("hideFirstTab");
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<int>("expected"); // the index afterwards
    QTest::newRow("page 0 shows") << false << false << 0;
    QTest::newRow("page 0's tab hidden") << true << false << 1;
    // The shown page is gone, so there is nothing to stay on: the change is not offered.
    QTest::newRow("handler refuses changes") << false << true << 0;
}

void tst_pagescroller::deletingActivePageFindsAShowablePage()
{
    QFETCH(bool, hideFirstTab);
    QFETCH(bool, refuse);
    QFETCH(int, expected);
    TVxPageScroller scroller;
    scroller.resize(752, 300);
    TVxPage* pages[4];
    for (auto& p : pages)
        p = scroller.AddPage();
    scroller.show();
    if (hideFirstTab)
        pages[0]->SetTabVisible(false);
    scroller.SetActivePageIndex(3);
    Recorder r;
    r.Allow = !refuse;
    r.Attach(scroller);
    scroller.DeletePage(pages[3]);
    QCOMPARE(scroller.ActivePageIndex(), expected);
    QVERIFY(scroller.ActivePage()->isVisible());
    QVERIFY(r.Changing.isEmpty());
    QCOMPARE(r.Changed, (QList<QPair<int, int>>{{-1, expected}}));
    for (int i = 0; i < scroller.PageCount(); ++i)
        QCOMPARE(pages[i]->isVisible(), i == expected);
}

void tst_pagescroller::arrowsFollowTheMarkers()
{
    // The arrows sit beside the first and last marker whatever changes the row of markers.
    TVxPageScroller scroller;
    scroller.resize(600, 200);
    scroller.show();
    scroller.AddPage();
    scroller.SetShowArrows(true);
    const auto placed = [&] {
        const TVxMarkerLayout layout = scroller.MarkerLayout();
        return scroller.ArrowLeftButton()->geometry() == layout.LeftArrowRect()
            && scroller.ArrowRightButton()->geometry() == layout.RightArrowRect();
    };
    QVERIFY(placed());
    TVxPage* second = scroller.AddPage();
    QVERIFY(placed());
    TVxPage* third = scroller.AddPage();
    QVERIFY(placed());
    second->SetTabVisible(false);
    QVERIFY(placed());
    scroller.DeletePage(third);
    QVERIFY(placed());
    scroller.resize(500, 150);
    QVERIFY(placed());
}

void tst_pagescroller::deletingPageBeforeActiveKeepsShownPage()
{
    ThreePages t;
    Recorder r;
    r.Attach(t.Scroller);
    delete t.Page[0]; // released directly, the scroller is told
    QCOMPARE(t.Scroller.PageCount(), 2);
    QCOMPARE(t.Scroller.ActivePage(), t.Page[2]);
    QCOMPARE(t.Scroller.ActivePageIndex(), 1);
    QVERIFY(r.Changed.isEmpty());
}

void tst_pagescroller::pageIndexMovesPage()
{
    ThreePages t;
    t.Scroller.SetActivePageIndex(0);
    t.Page[2]->SetPageIndex(0);
    QCOMPARE(t.Scroller.Pages(0), t.Page[2]);
    QCOMPARE(t.Scroller.Pages(1), t.Page[0]);
    QCOMPARE(t.Scroller.Pages(2), t.Page[1]);
    QCOMPARE(t.Page[0]->PageIndex(), 1);
    QCOMPARE(t.Page[1]->PageIndex(), 2);
    QCOMPARE(t.Scroller.ActivePageIndex(), 0);
    QVERIFY(t.Page[2]->isVisible());
    QVERIFY(!t.Page[0]->isVisible());
}

void tst_pagescroller::invalidPageIndex()
{
    ThreePages t;
    for (int bad : {-1, 3}) {
        try {
            t.Page[0]->SetPageIndex(bad);
            QFAIL("no exception");
        } catch (const Exception& e) {
            QCOMPARE(e.Message(), QStringLiteral("Invalid Page Index value"));
        }
    }
    QCOMPARE(t.Page[0]->PageIndex(), 0);
}

void tst_pagescroller::loadingActivatesRememberedPage()
{
    TVxPageScroller scroller;
    Recorder r;
    r.Attach(scroller);
    scroller.BeginLoading();
    // Stored out of order; the list follows the stored indexes.
    auto* b = new TVxPage(&scroller);
    b->SetPageIndex(1);
    auto* a = new TVxPage(&scroller);
    a->SetPageIndex(0);
    scroller.SetActivePageIndex(1);
    QVERIFY(r.Changed.isEmpty());
    scroller.Loaded();
    QCOMPARE(scroller.Pages(0), a);
    QCOMPARE(scroller.Pages(1), b);
    QCOMPARE(r.Changing, (QList<QPair<int, int>>{{-1, 1}}));
    QCOMPARE(r.Changed, (QList<QPair<int, int>>{{-1, 1}}));
    QVERIFY(!scroller.ArrowRightButton()->isEnabled());
    QVERIFY(scroller.ArrowLeftButton()->isEnabled());
}

void tst_pagescroller::pagesLeaveMarkerBand()
{
    ThreePages t(400, 250);
    QCOMPARE(t.Page[2]->geometry(), QRect(0, 0, 400, 230));
    t.Scroller.resize(500, 300);
    QCOMPARE(t.Page[2]->geometry(), QRect(0, 0, 500, 280));
}

QTEST_MAIN(tst_pagescroller)
#include "tst_pagescroller.moc"
