// The designer, Preview and sheets on a real Wayland compositor (run-under-weston.sh starts a
// headless Weston): windows show, a preview opens and closes, and a sheet takes the path for
// platforms where a window cannot place itself.

#include "ApplicationIdentity.h"
#include "VxDialog.h"
#include "VxDialogEngine.h"
#include "VxDialogSheet.h"
#include "VxOptions.h"
#include "VxTaskDialogForm.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QPointer>
#include <QVariantAnimation>
#include <QWindow>
#include <QtTest>

#include <functional>

namespace {
QList<TVxTaskDialogForm*> ShownDialogs()
{
    QList<TVxTaskDialogForm*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TVxTaskDialogForm*>(w); form && form->isVisible())
            shown.append(form);
    return shown;
}

bool Slides(QWidget* Window)
{
    for (auto* animation : Window->findChildren<QVariantAnimation*>())
        if (animation->state() == QAbstractAnimation::Running)
            return true;
    return false;
}

// Runs Action on the first dialog window that shows and is exposed. Activation is the
// compositor's to grant, so unlike the offscreen tests this does not wait for the focus.
void WhenDialogShows(std::function<void(QWidget*)> Action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, Action] {
        const auto shown = ShownDialogs();
        if (shown.isEmpty() || !shown.first()->windowHandle() || !shown.first()->windowHandle()->isExposed())
            return;
        timer->stop();
        timer->deleteLater();
        Action(shown.first());
    });
    timer->start(5);
}

// Clicks the button of Window that returns Result.
bool ClickResult(QWidget* Window, int Result)
{
    for (auto* button : Window->findChildren<QAbstractButton*>())
        if (button->isVisible() && ControlTag(button) == Result) {
            button->click();
            return true;
        }
    return false;
}
} // namespace

class tst_wayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void designerShows();
    void previewOpensAndCloses();
    void modalSheetCentresOnItsWindow();
    void modelessSheetCentresOnItsWindow();
};

void tst_wayland::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("wayland"),
             qPrintable(QGuiApplication::platformName()));
    SetUpApplicationIdentity();
    InstallDialogEngine();
}

void tst_wayland::cleanup()
{
    QTRY_VERIFY(ShownDialogs().isEmpty());
}

void tst_wayland::designerShows()
{
    TfrmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.windowHandle()->isExposed());
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillfen - Design Dialog"));
}

void tst_wayland::previewOpensAndCloses()
{
    TfrmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool opened = false, exposed = false, clicked = false;
    WhenDialogShows([&](QWidget* Modal) {
        opened = Modal->isModal();
        exposed = Modal->windowHandle() && Modal->windowHandle()->isExposed();
        clicked = ClickResult(Modal, mrOk);
    });
    window.PreviewActn->trigger(); // returns when the preview closed
    QVERIFY(opened);
    QVERIFY(exposed);
    QVERIFY(clicked);
    QTRY_VERIFY(ShownDialogs().isEmpty());
}

void tst_wayland::modalSheetCentresOnItsWindow()
{
    QWidget owner;
    owner.resize(640, 480);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QVERIFY(!WindowsCanPlaceThemselves());
    TVxDialog dialog;
    dialog.SetDialogStyle(dsSheet);
    dialog.SetPosition(dpDesigned);
    dialog.Sheet()->SetInterval(300);
    dialog.Instruction()->SetText(QStringLiteral("A sheet on Wayland"));
    bool transient = false, slid = true, exposed = false, clicked = false;
    WhenDialogShows([&](QWidget* Window) {
        transient = Window->windowHandle()->transientParent() == owner.windowHandle();
        exposed = Window->windowHandle()->isExposed();
        slid = Slides(Window);
        clicked = ClickResult(Window, mrOk);
    });
    QCOMPARE(dialog.Execute(&owner), int(mrOk));
    QVERIFY(exposed);
    QVERIFY2(transient, "the sheet is not its window's transient");
    QVERIFY2(!slid, "the sheet slides where it cannot place itself");
    QVERIFY(clicked);
}

void tst_wayland::modelessSheetCentresOnItsWindow()
{
    QWidget owner;
    owner.resize(640, 480);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    TVxDialogSheet sheet;
    sheet.SetDialogOptions(sheet.DialogOptions() - doModal);
    sheet.Instruction()->SetText(QStringLiteral("A modeless sheet on Wayland"));
    sheet.Execute(&owner);
    QTRY_COMPARE(ShownDialogs().size(), 1);
    QWidget* window = ShownDialogs().first();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->windowHandle()->transientParent(), owner.windowHandle());
    QVERIFY(!Slides(window));
    sheet.Close(mrCancel);
    QTRY_VERIFY(ShownDialogs().isEmpty());
}

QTEST_MAIN(tst_wayland)
#include "tst_wayland.moc"
