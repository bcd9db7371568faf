#include "support/EngineProbe.h"

#include "VxDialogSheet.h"
#include "VxOptions.h"
#include "VxTaskDialogForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QTest>

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
    void modelessSheetFollows();
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

void tst_DialogSheet::modelessSheetFollows()
{
    TVxDialogSheet sheet;
    sheet.SetDialogOptions(sheet.DialogOptions() - doModal);
    sheet.Sheet()->SetInterval(0);
    sheet.Instruction()->SetText(QStringLiteral("Following"));
    QCOMPARE(sheet.Position(), dpDesigned);
    QCOMPARE(sheet.BorderStyle(), bsNone);
    QCOMPARE(sheet.Execute(nullptr), -1);
    QWidget* window = WindowOf(&sheet);
    QVERIFY(window && window->isVisible());
    QCOMPARE(sheet.ActiveForm(), FOwner.get());
    const auto expected = [&] {
        const QRect owner = FOwner->frameGeometry();
        return QPoint(owner.left() + (owner.width() - window->width()) / 2, owner.top() + SheetCaptionHeight(FOwner.get()));
    };
    QCOMPARE(window->pos(), expected());
    // The owner moves and changes size: the sheet goes along.
    FOwner->move(180, 140);
    QTRY_COMPARE(window->pos(), expected());
    FOwner->setFixedSize(700, 420);
    QTRY_COMPARE(window->pos(), expected());
    // After the owner's close the sheet stays where it is.
    QCloseEvent close;
    QApplication::sendEvent(FOwner.get(), &close);
    QVERIFY(!sheet.ActiveForm());
    const QPoint before = window->pos();
    FOwner->move(300, 300);
    QTest::qWait(0);
    QCOMPARE(window->pos(), before);
    QCOMPARE(sheet.Close(mrOk), int(mrOk));
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
        QCOMPARE(window->pos(), QPoint((monitor.width() - window->width()) / 2, monitor.top()));
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
