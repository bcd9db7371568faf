#include "support/EngineProbe.h"

#include "VxDialogSheet.h"
#include "VxOptions.h"
#include "VxTaskDialogForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QVariantAnimation>

namespace {
enum Direction { LeftToRight, DialogRightToLeft, ApplicationRightToLeft };

// Whether a slide of the window is running (or was ever set up).
bool Slides(QWidget* Window)
{
    if (Window->findChild<TVxSheetSlide*>())
        return true;
    for (auto* animation : Window->findChildren<QVariantAnimation*>())
        if (animation->state() == QAbstractAnimation::Running)
            return true;
    return false;
}

// A sheet that counts the events of the window it follows reaching it.
class TCountingSheet : public TVxDialogSheet {
public:
    QObject* Watched = nullptr;
    int Seen = 0;

protected:
    bool eventFilter(QObject* Object, QEvent* Event) override
    {
        if (Object == Watched)
            ++Seen;
        return TVxDialogSheet::eventFilter(Object, Event);
    }
};

void SetDirection(TVxCustomDialog* Dialog, int Way)
{
    if (Way == DialogRightToLeft)
        Dialog->SetBiDiMode(bdRightToLeft);
    if (Way == ApplicationRightToLeft)
        QApplication::setLayoutDirection(Qt::RightToLeft);
}
} // namespace

// Sheets: placement under the owner's caption, the slide, and a modeless sheet that follows its
// window.
class tst_DialogSheet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void captionHeight_data();
    void captionHeight();
    void modalSheetSlidesIn();
    void placement_data();
    void placement();
    void modalSheetFollows_data();
    void modalSheetFollows();
    void modelessSheetFollows_data();
    void modelessSheetFollows();
    void modelessSheetLetsGo_data();
    void modelessSheetLetsGo();
    void ownerMovesWhileSliding();
    void ownerGoesWhileShowing_data();
    void ownerGoesWhileShowing();
    void noActiveWindow_data();
    void noActiveWindow();
    void desktopSheet();
    void positionMustBeDesigned();

private:
    std::unique_ptr<QWidget> FOwner;
};

void tst_DialogSheet::initTestCase()
{
    InstallDialogEngine();
}

void tst_DialogSheet::init()
{
    FOwner = std::make_unique<QWidget>();
    FOwner->setProperty("BorderStyle", int(bsSingle));
    FOwner->setFixedSize(600, 400);
    FOwner->move(100, 100);
    FOwner->show();
    QVERIFY(QTest::qWaitForWindowExposed(FOwner.get()));
    FOwner->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FOwner.get()));
}

void tst_DialogSheet::cleanup()
{
    FOwner.reset();
    ForceWindowsCannotPlaceThemselves(false);
    QApplication::setLayoutDirection(Qt::LeftToRight);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TVxTaskDialogForm*>(w) || !w->isVisible());
}

void tst_DialogSheet::captionHeight_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("system");
    QTest::addColumn<int>("expected");
    QTest::newRow("single, caption 23") << int(bsSingle) << 23 << 23 + Scaled(3);
    QTest::newRow("dialog, small caption counts 20") << int(bsDialog) << 15 << 20 + Scaled(3);
    QTest::newRow("sizeable adds the sizing frame") << int(bsSizeable) << 23 << 23 + 4;
    QTest::newRow("tool window") << int(bsToolWindow) << 23 << 23 - Scaled(3) + Scaled(3);
    QTest::newRow("sizeable tool window") << int(bsSizeToolWin) << 23 << 23 + Scaled(2) + Scaled(3);
    QTest::newRow("no border") << int(bsNone) << 23 << 0;
}

void tst_DialogSheet::captionHeight()
{
    QFETCH(int, style);
    QFETCH(int, system);
    QFETCH(int, expected);
    QCOMPARE(SheetCaptionHeight(TFormBorderStyle(style), system, 4), expected);
}

void tst_DialogSheet::modalSheetSlidesIn()
{
    TVxDialog dialog;
    dialog.SetDialogStyle(dsSheet);
    dialog.SetPosition(dpDesigned);
    dialog.Sheet()->SetInterval(200);
    dialog.SetTitle(QStringLiteral("Sheet"));
    dialog.Instruction()->SetText(QStringLiteral("A sheet over its window"));
    const QRect owner = FOwner->frameGeometry();
    const int finalTop = owner.top() + SheetCaptionHeight(FOwner.get());
    bool sawSlide = false;
    const int result = RunModal(&dialog, [&](QWidget* window) {
        // Centred on the owner from the first frame; it comes down from above its final place.
        QCOMPARE(window->x(), owner.left() + (owner.width() - window->width()) / 2);
        sawSlide = window->y() < finalTop;
        QTRY_COMPARE(window->y(), finalTop);
        QVERIFY(window->mask().isEmpty());
        QCOMPARE(window->x(), owner.left() + (owner.width() - window->width()) / 2);
        // Closing slides it back up before the window goes.
        int topWhenHidden = finalTop;
        dialog.OnDialogClose = TDialogCloseEvent([&](TVxCustomDialog*) { topWhenHidden = window->y(); });
        for (auto* button : window->findChildren<QAbstractButton*>())
            if (ControlTag(button) == mrOk)
                button->click();
        QVERIFY(topWhenHidden <= finalTop - window->height() + 1);
    });
    QCOMPARE(result, int(mrOk));
    QVERIFY(sawSlide);
}

void tst_DialogSheet::placement_data()
{
    QTest::addColumn<int>("location");
    QTest::addColumn<bool>("canPlace");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("ownerWidth");
    // Odd widths leave a pixel over when centring: mirrored coordinates would put it on the other side.
    QTest::newRow("under the caption") << int(slActiveForm) << true << int(LeftToRight) << 600;
    QTest::newRow("under the caption, odd width") << int(slActiveForm) << true << int(LeftToRight) << 601;
    QTest::newRow("under the caption, right-to-left dialog") << int(slActiveForm) << true << int(DialogRightToLeft) << 601;
    QTest::newRow("under the caption, right-to-left application") << int(slActiveForm) << true << int(ApplicationRightToLeft) << 601;
    QTest::newRow("desktop, right-to-left dialog") << int(slDesktop) << true << int(DialogRightToLeft) << 600;
    QTest::newRow("desktop, right-to-left application") << int(slDesktop) << true << int(ApplicationRightToLeft) << 601;
    QTest::newRow("cannot place itself") << int(slActiveForm) << false << int(LeftToRight) << 600;
    QTest::newRow("cannot place itself, odd width") << int(slActiveForm) << false << int(LeftToRight) << 601;
    QTest::newRow("cannot place itself, right-to-left dialog") << int(slActiveForm) << false << int(DialogRightToLeft) << 601;
    QTest::newRow("cannot place itself, right-to-left application") << int(slActiveForm) << false << int(ApplicationRightToLeft) << 601;
    QTest::newRow("cannot place itself, desktop") << int(slDesktop) << false << int(LeftToRight) << 601;
}

void tst_DialogSheet::placement()
{
    // Where a modal sheet shows, in either reading direction; where windows cannot place
    // themselves it shows centred on its owner at once and neither slides in nor out.
    QFETCH(int, location);
    QFETCH(bool, canPlace);
    QFETCH(int, direction);
    QFETCH(int, ownerWidth);
    FOwner->setFixedSize(ownerWidth, 401);
    ForceWindowsCannotPlaceThemselves(!canPlace);
    TVxDialogSheet sheet;
    sheet.Sheet()->SetLocation(TVxSheetLocation(location));
    sheet.Sheet()->SetInterval(200);
    sheet.SetTitle(QStringLiteral("Sheet"));
    sheet.Instruction()->SetText(QStringLiteral("A sheet over its window"));
    SetDirection(&sheet, direction);
    QTRY_COMPARE(FOwner->width(), ownerWidth);
    const QRect owner = FOwner->frameGeometry();
    const QRect monitor = FOwner->screen()->geometry();
    QRect shown, closing;
    bool slid = false;
    const int result = RunModal(&sheet, [&](QWidget* window) {
        // The checks return early on a failure; the sheet is closed in any case.
        [&] {
            const QSize size = window->size();
            QRect expected;
            if (!canPlace)
                expected = QRect(QPoint(owner.left() + (owner.width() - size.width()) / 2,
                                        owner.top() + (owner.height() - size.height()) / 2), size);
            else if (location == slActiveForm)
                expected = QRect(QPoint(owner.left() + (owner.width() - size.width()) / 2,
                                        owner.top() + SheetCaptionHeight(FOwner.get())), size);
            else
                expected = QRect(QPoint(monitor.left() + (monitor.width() - size.width()) / 2, monitor.top()), size);
            // The sheet reads in its own direction, the owner in the application's.
            QCOMPARE(window->layoutDirection(), direction == DialogRightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
            QCOMPARE(FOwner->layoutDirection(), direction == ApplicationRightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
            if (!canPlace) {
                shown = window->geometry();
                slid = Slides(window);
            } else {
                QTRY_COMPARE(window->geometry(), expected);
                shown = expected;
            }
            QCOMPARE(window->geometry(), expected);
        }();
        sheet.OnDialogClose = TDialogCloseEvent([&](TVxCustomDialog*) { closing = window->geometry(); });
        for (auto* button : window->findChildren<QAbstractButton*>())
            if (ControlTag(button) == mrOk)
                button->click();
    });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(result, int(mrOk));
    QVERIFY(shown.isValid());
    if (!canPlace) {
        QVERIFY(!slid);
        // Still in place when the window goes: no slide out.
        QCOMPARE(closing, shown);
        QVERIFY(!sheet.IsShowing());
    } else {
        QVERIFY(closing.top() < shown.top());
    }
}

void tst_DialogSheet::modalSheetFollows_data()
{
    QTest::addColumn<bool>("canPlace");
    QTest::newRow("under the caption") << true;
    QTest::newRow("cannot place itself") << false;
}

void tst_DialogSheet::modalSheetFollows()
{
    // The window manager may still move a window that a modal sheet blocks: the sheet goes along
    // until the window closes, and lets go of it when the sheet closes.
    QFETCH(bool, canPlace);
    ForceWindowsCannotPlaceThemselves(!canPlace);
    TVxDialog dialog;
    dialog.SetDialogStyle(dsSheet);
    dialog.SetPosition(dpDesigned);
    dialog.Sheet()->SetInterval(300);
    dialog.Instruction()->SetText(QStringLiteral("Modal"));
    QPointer<TVxSheetFollower> follower;
    const int result = RunModal(&dialog, [&](QWidget* window) {
        [&] {
            const auto expected = [&] {
                const QRect owner = FOwner->frameGeometry();
                const int left = owner.left() + (owner.width() - window->width()) / 2;
                if (!canPlace)
                    return QPoint(left, owner.top() + (owner.height() - window->height()) / 2);
                return QPoint(left, owner.top() + SheetCaptionHeight(FOwner.get()));
            };
            // Centring places the window's client area (as at the start), the caption rule its frame.
            const auto at = [&] { return canPlace ? window->pos() : window->geometry().topLeft(); };
            follower = window->findChild<TVxSheetFollower*>();
            QVERIFY(follower);
            QCOMPARE(follower->Owner(), FOwner.get());
            // Moved while it slides in, and after.
            FOwner->move(170, 130);
            QTRY_COMPARE(at(), expected());
            if (auto* slide = window->findChild<TVxSheetSlide*>())
                QTRY_VERIFY(!slide->Running());
            QCOMPARE(at(), expected());
            FOwner->setFixedSize(640, 420);
            QTRY_COMPARE(at(), expected());
            // After the window's close the sheet stays where it is.
            QCloseEvent close;
            QApplication::sendEvent(FOwner.get(), &close);
            QVERIFY(!follower->Owner());
            // (The client area: a window manager may report the frame's extents only now.)
            const QRect before = window->geometry();
            FOwner->move(300, 240);
            QTest::qWait(0);
            QCOMPARE(window->geometry(), before);
        }();
        dialog.Close(mrOk);
    });
    QCOMPARE(result, int(mrOk));
    // It went with the window.
    QVERIFY(!follower);
}

void tst_DialogSheet::modelessSheetFollows_data()
{
    QTest::addColumn<bool>("canPlace");
    QTest::addColumn<int>("direction");
    QTest::newRow("left to right") << true << int(LeftToRight);
    QTest::newRow("right-to-left dialog") << true << int(DialogRightToLeft);
    QTest::newRow("right-to-left application") << true << int(ApplicationRightToLeft);
    QTest::newRow("cannot place itself") << false << int(LeftToRight);
    QTest::newRow("cannot place itself, right-to-left application") << false << int(ApplicationRightToLeft);
}

void tst_DialogSheet::modelessSheetFollows()
{
    QFETCH(bool, canPlace);
    QFETCH(int, direction);
    ForceWindowsCannotPlaceThemselves(!canPlace);
    TVxDialogSheet sheet;
    sheet.SetDialogOptions(sheet.DialogOptions() - doModal);
    // A slide would be seen where windows cannot place themselves.
    sheet.Sheet()->SetInterval(canPlace ? 0 : 200);
    sheet.Instruction()->SetText(QStringLiteral("Following"));
    SetDirection(&sheet, direction);
    QCOMPARE(sheet.Position(), dpDesigned);
    QCOMPARE(sheet.BorderStyle(), bsNone);
    QCOMPARE(sheet.Execute(nullptr), -1);
    QWidget* window = WindowOf(&sheet);
    QVERIFY(window && window->isVisible());
    QCOMPARE(sheet.ActiveForm(), FOwner.get());
    const auto expected = [&] {
        const QRect owner = FOwner->frameGeometry();
        const int left = owner.left() + (owner.width() - window->width()) / 2;
        if (!canPlace)
            return QPoint(left, owner.top() + (owner.height() - window->height()) / 2);
        return QPoint(left, owner.top() + SheetCaptionHeight(FOwner.get()));
    };
    QCOMPARE(window->pos(), expected());
    QVERIFY(canPlace || !Slides(window));
    // The owner moves and changes size: the sheet goes along.
    FOwner->move(180, 140);
    QTRY_COMPARE(window->pos(), expected());
    FOwner->setFixedSize(701, 420);
    QTRY_COMPARE(window->pos(), expected());
    // After the owner's close the sheet stays where it is.
    QCloseEvent close;
    QApplication::sendEvent(FOwner.get(), &close);
    QVERIFY(!sheet.ActiveForm());
    const QPoint before = window->pos();
    FOwner->move(300, 300);
    QTest::qWait(0);
    QCOMPARE(window->pos(), before);
    QPoint closing;
    sheet.OnDialogClose = TDialogCloseEvent([&](TVxCustomDialog*) { closing = window->pos(); });
    QCOMPARE(sheet.Close(mrOk), int(mrOk));
    QVERIFY(!sheet.IsShowing());
    if (!canPlace)
        QCOMPARE(closing, before);
}

void tst_DialogSheet::modelessSheetLetsGo_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << "button";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "close box";
    QTest::newRow("Close") << "Close";
    QTest::newRow("owner closes") << "owner";
}

void tst_DialogSheet::modelessSheetLetsGo()
{
    // However the sheet closes (or its window does), the window stops reaching the sheet: its
    // event filter is gone, not only ignored.
    QFETCH(QString, how);
    TCountingSheet sheet;
    sheet.Watched = FOwner.get();
    sheet.SetDialogOptions(sheet.DialogOptions() - doModal);
    sheet.ButtonBar()->SetButtons(TCommonButtons{cbOK}); // Escape closes the window itself
    sheet.Sheet()->SetInterval(0);
    sheet.Instruction()->SetText(QStringLiteral("Following"));
    QCOMPARE(sheet.Execute(nullptr), -1);
    QPointer<QWidget> window = WindowOf(&sheet);
    QVERIFY(window && window->isVisible());
    QCOMPARE(sheet.ActiveForm(), FOwner.get());
    FOwner->move(120, 110);
    QTRY_VERIFY(sheet.Seen > 0);

    if (how == QLatin1String("button")) {
        for (auto* button : window->findChildren<QAbstractButton*>())
            if (ControlTag(button) == mrOk)
                button->click();
    } else if (how == QLatin1String("escape")) {
        QTest::keyClick(window, Qt::Key_Escape);
    } else if (how == QLatin1String("close box")) {
        window->close();
    } else if (how == QLatin1String("Close")) {
        sheet.Close(mrCancel);
    } else {
        QCloseEvent close;
        QApplication::sendEvent(FOwner.get(), &close);
        QVERIFY(sheet.IsShowing());
    }
    QVERIFY(!sheet.ActiveForm());
    const int seen = sheet.Seen;
    const QPoint sheetAt = window && sheet.IsShowing() ? window->pos() : QPoint();
    FOwner->move(300, 200);
    FOwner->setFixedSize(640, 420);
    QTest::qWait(0);
    QCOMPARE(sheet.Seen, seen);
    if (how == QLatin1String("owner")) {
        QCOMPARE(window->pos(), sheetAt);
        sheet.Close(mrOk);
    }
    QTRY_VERIFY(!sheet.IsShowing());
    QTRY_VERIFY(!WindowOf(&sheet));
}

void tst_DialogSheet::ownerGoesWhileShowing_data()
{
    QTest::addColumn<bool>("modal");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<bool>("runForOwner");
    QTest::newRow("modal, window closes") << true << false << false;
    QTest::newRow("modal, window it was run for closes") << true << false << true;
    QTest::newRow("modal, window it was run for is deleted") << true << true << true;
    QTest::newRow("modeless, window closes") << false << false << false;
    QTest::newRow("modeless, window it was run for is deleted") << false << true << true;
}

void tst_DialogSheet::ownerGoesWhileShowing()
{
    // The window a sheet belongs to goes while the sheet shows: the sheet ends as a cancel, with
    // its close event, while its controls still exist.
    QFETCH(bool, modal);
    QFETCH(bool, deleted);
    QFETCH(bool, runForOwner);
    TVxDialogSheet sheet;
    if (!modal)
        sheet.SetDialogOptions(sheet.DialogOptions() - doModal);
    sheet.Sheet()->SetInterval(200);
    sheet.Instruction()->SetText(QStringLiteral("Owner goes"));
    sheet.ButtonBar()->SetButtons(TCommonButtons{cbOK, cbCancel});
    int closes = 0;
    int closedWith = -1;
    bool controlsThere = false;
    sheet.OnDialogClose = TDialogCloseEvent([&](TVxCustomDialog* Dialog) {
        ++closes;
        closedWith = Dialog->ModalResult();
        controlsThere = WindowOf(Dialog) && !WindowOf(Dialog)->findChildren<QAbstractButton*>().isEmpty();
    });
    QObject* owner = runForOwner ? FOwner.get() : nullptr;
    const auto ownerGoes = [&] {
        if (deleted)
            FOwner.reset();
        else
            FOwner->close();
    };
    if (modal) {
        const int result = RunModal(
            &sheet,
            [&](QWidget* Window) {
                const QPointer<QWidget> window(Window);
                ownerGoes();
                // A sheet left showing is closed here, so the run ends and the result tells.
                if (!QTest::qWaitFor([&] { return !window || !window->isVisible(); }))
                    sheet.Close(mrAbort);
            },
            owner);
        QCOMPARE(result, int(mrCancel));
    } else {
        QCOMPARE(sheet.Execute(owner), -1);
        QVERIFY(sheet.IsShowing());
        ownerGoes();
        QTRY_VERIFY(!sheet.IsShowing());
        QTRY_VERIFY(!WindowOf(&sheet));
    }
    QCOMPARE(closes, 1);
    QCOMPARE(closedWith, int(mrCancel));
    QVERIFY(controlsThere);
    QCOMPARE(sheet.ModalResult(), int(mrCancel));
}

void tst_DialogSheet::ownerMovesWhileSliding()
{
    // A window that moves while its sheet still slides in gets the sheet where it now is.
    TVxDialogSheet sheet;
    sheet.SetDialogOptions(sheet.DialogOptions() - doModal);
    sheet.Sheet()->SetInterval(1000);
    sheet.Instruction()->SetText(QStringLiteral("Sliding"));
    QCOMPARE(sheet.Execute(nullptr), -1);
    QWidget* window = WindowOf(&sheet);
    QVERIFY(window);
    auto* slide = window->findChild<TVxSheetSlide*>();
    QVERIFY(slide && slide->Running());
    FOwner->move(260, 180);
    QVERIFY(slide->Running());
    const QRect owner = FOwner->frameGeometry();
    const QPoint expected(owner.left() + (owner.width() - window->width()) / 2,
                          owner.top() + SheetCaptionHeight(FOwner.get()));
    // It keeps sliding, below the window's new place, and ends there.
    QTRY_COMPARE(window->x(), expected.x());
    QTRY_VERIFY(!slide->Running());
    QCOMPARE(window->pos(), expected);
    sheet.Close(mrOk);
    QVERIFY(!sheet.IsShowing());
}

void tst_DialogSheet::noActiveWindow_data()
{
    QTest::addColumn<bool>("modal");
    QTest::newRow("modal") << true;
    QTest::newRow("modeless") << false;
}

void tst_DialogSheet::noActiveWindow()
{
    // Run for a window while no window is active (one closed, the next has not taken the focus
    // yet): the sheet comes out of that window and follows it.
    QFETCH(bool, modal);
    QApplication::setActiveWindow(nullptr);
    QVERIFY(!QApplication::activeWindow());
    TVxDialogSheet sheet;
    if (!modal)
        sheet.SetDialogOptions(sheet.DialogOptions() - doModal);
    sheet.Sheet()->SetInterval(0);
    sheet.Instruction()->SetText(QStringLiteral("For its window"));
    QWidget* owner = FOwner.get();
    const auto expected = [owner](QWidget* Window) {
        const QRect frame = owner->frameGeometry();
        return QPoint(frame.left() + (frame.width() - Window->width()) / 2, frame.top() + SheetCaptionHeight(owner));
    };
    const auto check = [&](QWidget* Window) {
        QCOMPARE(Window->pos(), expected(Window));
        FOwner->move(210, 160);
        QTRY_COMPARE(Window->pos(), expected(Window));
    };
    if (modal) {
        const int result = RunModal(&sheet, [&](QWidget* Window) {
            check(Window);
            sheet.Close(mrOk);
        }, owner);
        QCOMPARE(result, int(mrOk));
        return;
    }
    QCOMPARE(sheet.Execute(owner), -1);
    QWidget* window = WindowOf(&sheet);
    QVERIFY(window);
    QCOMPARE(sheet.ActiveForm(), owner);
    check(window);
    sheet.Close(mrOk);
    QVERIFY(!sheet.IsShowing());
}

void tst_DialogSheet::desktopSheet()
{
    TVxDialogSheet sheet;
    sheet.Sheet()->SetLocation(slDesktop);
    sheet.Sheet()->SetInterval(0);
    const QRect monitor = FOwner->screen()->geometry();
    const int result = RunModal(&sheet, [&](QWidget* window) {
        // At the top of the active window's monitor, centred on its width.
        QCOMPARE(window->pos(), QPoint(monitor.left() + (monitor.width() - window->width()) / 2, monitor.top()));
        sheet.Close(mrCancel);
    });
    QCOMPARE(result, int(mrCancel));
    QVERIFY(!sheet.ActiveForm());
}

void tst_DialogSheet::positionMustBeDesigned()
{
    TVxDialog dialog;
    dialog.SetDialogStyle(dsSheet);
    dialog.SetPosition(dpScreenCenter);
    try {
        dialog.Execute(nullptr);
        QFAIL("no EDialogSheet");
    } catch (const EDialogSheet& E) {
        QCOMPARE(E.Message(), QStringLiteral("The position property must be set to dpDesigned for the TVxDialogSheet class"));
    }
    TVxDialogEngine::Of(&dialog)->DestroyHiddenWindow();
}

QTEST_MAIN(tst_DialogSheet)
#include "tst_dialogsheet.moc"
