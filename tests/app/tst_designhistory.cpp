// The designer's undo history driven through the main window: every kind of change is one step
// that Ctrl+Z takes back and Ctrl+Shift+Z or Ctrl+Y does again, the Edit menu names the step, the
// unsaved marker follows the saved step, and Open starts a new history.
#include "CodeView.h"
#include "DesignValues.h"
#include "Shell.h"
#include "VxPageScroller.h"
#include "frmMain.h"
#include "support/ModalHelper.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <functional>

namespace {
const QByteArray Pasted = "object dlgPasted: TVxDialog\r\n"
                          "  Title = 'Pasted'\r\n"
                          "  Width = 420\r\n"
                          "  CustomButtons = <\r\n"
                          "    item\r\n"
                          "      Caption = '&Save'\r\n"
                          "      Value = 100\r\n"
                          "    end>\r\n"
                          "end\r\n";

QString FormText(TfrmMain* W)
{
    W->GenerateActn->trigger();
    return W->SynEdit2->Text();
}

void Answer(QMessageBox::StandardButton Button)
{
    WhenModalShows([Button](QWidget* Modal) {
        auto* box = qobject_cast<QMessageBox*>(Modal);
        QVERIFY(box);
        box->button(Button)->click();
    });
}
} // namespace

using TChange = std::function<void(TfrmMain*)>;
Q_DECLARE_METATYPE(TChange)

class tst_designhistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyChangeIsOneStep_data();
    void everyChangeIsOneStep();
    void editMenuNamesTheSteps();
    void markerFollowsTheSavedStep();
    void openStartsANewHistory();
    void pasteIsUndone();
    void failedPasteChangesNothing();
    void editInProgressIsItsOwnStep();

private:
    std::unique_ptr<TfrmMain> W;
    QTemporaryDir Dir;
};

void tst_designhistory::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_designhistory::init()
{
    W = std::make_unique<TfrmMain>();
    W->show();
    QVERIFY(QTest::qWaitForWindowExposed(W.get()));
    W->activateWindow();
    QTRY_VERIFY(W->isActiveWindow());
}

void tst_designhistory::cleanup()
{
    W.reset();
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_designhistory::everyChangeIsOneStep_data()
{
    QTest::addColumn<TChange>("change");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QKeySequence>("redoKey");
    const QKeySequence shiftZ(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ctrlY(Qt::CTRL | Qt::Key_Y);
    QTest::newRow("section") << TChange([](TfrmMain* W) { W->TitleSection->SetEditValue(QStringLiteral("Hello")); })
                             << QStringLiteral("Edit Title") << shiftZ;
    QTest::newRow("icon") << TChange([](TfrmMain* W) { W->MainIconSection->SetEditValue(QStringLiteral("Warning")); })
                          << QStringLiteral("Edit Main Icon") << ctrlY;
    QTest::newRow("option") << TChange([](TfrmMain* W) { W->cbdoTimer->click(); }) << QStringLiteral("Check doTimer")
                            << shiftZ;
    QTest::newRow("common button") << TChange([](TfrmMain* W) { W->cbButtonOK->click(); })
                                   << QStringLiteral("Uncheck OK") << ctrlY;
    QTest::newRow("help link") << TChange([](TfrmMain* W) { W->cbdoShowHelpLink->click(); })
                               << QStringLiteral("Check doShowHelpLink") << shiftZ;
    QTest::newRow("items") << TChange([](TfrmMain* W) {
        TDesignItems items = W->Items();
        items.Buttons.append(TDesignCustomButton{.Caption = QStringLiteral("&Go"), .ModalResult = 100});
        items.TimerInterval = 2500;
        W->SetItems(items, QStringLiteral("Add Button"));
    }) << QStringLiteral("Add Button") << ctrlY;
}

void tst_designhistory::everyChangeIsOneStep()
{
    QFETCH(TChange, change);
    QFETCH(QString, step);
    QFETCH(QKeySequence, redoKey);
    const TDesignValues before = W->DesignValues();
    const QString beforeText = FormText(W.get());
    W->VxPageScroller1->SetActivePageIndex(0);
    QSignalSpy changed(W.get(), &TfrmMain::DesignChanged);

    change(W.get());
    const TDesignValues after = W->DesignValues();
    const QString afterText = FormText(W.get());
    QVERIFY(after != before);
    QVERIFY(afterText != beforeText);
    QCOMPARE(W->UndoStack()->count(), 1);
    QCOMPARE(W->UndoStack()->undoText(), step);
    QCOMPARE(changed.count(), 1);

    W->cbdoModal->setFocus(); // a check box, not a text editor, has the keys
    QTest::keySequence(W.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(W->DesignValues(), before);
    QCOMPARE(FormText(W.get()), beforeText);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(W->HelpLinkSection->isVisibleTo(W.get()), before.ShowHelpLink);

    QTest::keySequence(W.get(), redoKey);
    QCOMPARE(W->DesignValues(), after);
    QCOMPARE(FormText(W.get()), afterText);
    QCOMPARE(changed.count(), 3);
    // Undo and redo record nothing themselves.
    QCOMPARE(W->UndoStack()->count(), 1);
}

void tst_designhistory::editMenuNamesTheSteps()
{
    QVERIFY(W->menuBar()->actions().contains(W->EditMenu->menuAction()));
    QVERIFY(W->EditMenu->actions().contains(W->UndoActn));
    QVERIFY(W->EditMenu->actions().contains(W->RedoActn));
    QVERIFY(!W->UndoActn->isEnabled() && !W->RedoActn->isEnabled());
    QCOMPARE(W->UndoActn->text(), QStringLiteral("&Undo"));
    W->cbdoTopMost->click();
    QCOMPARE(W->UndoActn->text(), QStringLiteral("&Undo Check doTopMost"));
    QVERIFY(W->UndoActn->isEnabled());
    W->UndoActn->trigger();
    QVERIFY(!W->cbdoTopMost->isChecked());
    QCOMPARE(W->RedoActn->text(), QStringLiteral("&Redo Check doTopMost"));
    QCOMPARE(W->UndoActn->text(), QStringLiteral("&Undo"));
    W->RedoActn->trigger();
    QVERIFY(W->cbdoTopMost->isChecked());
}

void tst_designhistory::markerFollowsTheSavedStep()
{
    const QString file = Dir.filePath(QStringLiteral("marker.dfm"));
    W->TitleSection->SetEditValue(QStringLiteral("One"));
    QVERIFY(W->SaveFile(file));
    QVERIFY(!W->isWindowModified());
    QVERIFY(W->windowTitle().endsWith(QStringLiteral("marker.dfm[*]")));
    W->TitleSection->SetEditValue(QStringLiteral("Two"));
    QVERIFY(W->isWindowModified() && W->IsModified());
    W->UndoActn->trigger();
    QVERIFY(!W->isWindowModified() && !W->IsModified());
    W->UndoActn->trigger(); // before the saved step
    QCOMPARE(W->TitleSection->EditValue(), QString());
    QVERIFY(W->isWindowModified());
    W->RedoActn->trigger();
    QVERIFY(!W->isWindowModified());
}

void tst_designhistory::openStartsANewHistory()
{
    const QString file = Dir.filePath(QStringLiteral("open.dfm"));
    QVERIFY(W->SaveFile(file));
    W->cbdoTimer->click();
    Answer(QMessageBox::Discard);
    QSignalSpy changed(W.get(), &TfrmMain::DesignChanged);
    QVERIFY(W->OpenFile(file));
    QVERIFY(changed.count() >= 1);
    QVERIFY(!W->UndoStack()->canUndo() && !W->UndoStack()->canRedo());
    QVERIFY(!W->IsModified());
    QVERIFY(!W->cbdoTimer->isChecked());
    // New as well.
    W->cbdoTimer->click();
    Answer(QMessageBox::Discard);
    W->NewActn->trigger();
    QVERIFY(!W->UndoStack()->canUndo());
    QVERIFY(!W->IsModified());
}

void tst_designhistory::pasteIsUndone()
{
    W->TitleSection->SetEditValue(QStringLiteral("Mine"));
    const QString mine = FormText(W.get());
    const TDesignValues mineValues = W->DesignValues();
    ClipboardSetText(QString::fromUtf8(Pasted));
    Answer(QMessageBox::Discard); // the unsaved title is asked about
    W->PasteActn->trigger();
    QCOMPARE(W->TitleSection->EditValue(), QStringLiteral("Pasted"));
    QCOMPARE(W->Items().Buttons.size(), 1);
    const QString pasted = FormText(W.get());
    QVERIFY(pasted.contains(QStringLiteral("Width = 420")));
    QCOMPARE(W->UndoStack()->undoText(), QStringLiteral("Paste Design"));

    // Undo brings back the design the paste replaced, what the page cannot show included.
    W->UndoActn->trigger();
    QCOMPARE(W->DesignValues(), mineValues);
    QCOMPARE(FormText(W.get()), mine);
    W->RedoActn->trigger();
    QCOMPARE(FormText(W.get()), pasted);
    W->UndoActn->trigger();
    W->UndoActn->trigger();
    QCOMPARE(W->TitleSection->EditValue(), QString());
}

void tst_designhistory::failedPasteChangesNothing()
{
    W->cbdoTimer->click();
    const QString before = FormText(W.get());
    const TDesignValues values = W->DesignValues();
    ClipboardSetText(QStringLiteral("object Broken: TVxDialog\r\n  Title = \r\n"));
    WhenModalShows([](QWidget* Modal) {
        qobject_cast<QMessageBox*>(Modal)->button(QMessageBox::Discard)->click();
        Answer(QMessageBox::Ok); // then: no design in it
    });
    W->PasteActn->trigger();
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(W->UndoStack()->count(), 1);
    QCOMPARE(W->UndoStack()->undoText(), QStringLiteral("Check doTimer"));
    QCOMPARE(W->DesignValues(), values);
    QCOMPARE(FormText(W.get()), before);
    W->UndoActn->trigger();
    QVERIFY(!W->cbdoTimer->isChecked());
}

void tst_designhistory::editInProgressIsItsOwnStep()
{
    W->cbdoTimer->click();
    W->ContentSection->SetIsEditing(true);
    auto* editor = qobject_cast<QPlainTextEdit*>(W->ContentSection->Editor());
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("typed"));
    QCOMPARE(W->UndoStack()->count(), 1);
    // Undo from the menu ends the edit (a step) and takes that back, not the step before.
    W->UndoActn->trigger();
    QVERIFY(!W->ContentSection->IsEditing());
    QCOMPARE(W->ContentSection->EditValue(), QString());
    QVERIFY(W->cbdoTimer->isChecked());
    QCOMPARE(W->UndoStack()->count(), 2);
    W->RedoActn->trigger();
    QCOMPARE(W->ContentSection->EditValue(), QStringLiteral("typed"));
}

QTEST_MAIN(tst_designhistory)
#include "tst_designhistory.moc"
