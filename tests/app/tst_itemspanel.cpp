// The items panel driven through its widgets in the main window: adding, removing and reordering
// buttons and radio buttons, editing each of their values and the dialog's settings, glyphs read
// from files, a design with items listed when it opens and written back unchanged, and undo.
#include "CodeView.h"
#include "DesignValues.h"
#include "ItemsPanel.h"
#include "frmMain.h"
#include "support/ModalHelper.h"
#include "support/OffscreenScreen.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QMenuBar>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <functional>

namespace {
const QByteArray WithItems = "object dlgChoose: TVxDialog\r\n"
                             "  DialogOptions = [doRadioButtons, doCommandLinks, doModal]\r\n"
                             "  RadioButtons = <\r\n"
                             "    item\r\n"
                             "      Caption = 'Me'\r\n"
                             "      Value = 210\r\n"
                             "    end\r\n"
                             "    item\r\n"
                             "      Caption = 'Everyone'\r\n"
                             "      Checked = True\r\n"
                             "      Value = 211\r\n"
                             "    end>\r\n"
                             "  CustomButtons = <\r\n"
                             "    item\r\n"
                             "      Caption = '&Install now'\r\n"
                             "      Value = 100\r\n"
                             "      ModalResult = 6\r\n"
                             "      Default = True\r\n"
                             "      Info.Strings = (\r\n"
                             "        'Takes a minute'\r\n"
                             "        'and restarts')\r\n"
                             "    end\r\n"
                             "    item\r\n"
                             "      ElevationRequired = True\r\n"
                             "      Caption = '&Later && maybe'\r\n"
                             "      Value = 101\r\n"
                             "      Enabled = False\r\n"
                             "    end>\r\n"
                             "  Title = 'Update'\r\n"
                             "end\r\n";

QByteArray ReadAll(const QString& FileName)
{
    QFile file(FileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& FileName, const QByteArray& Text)
{
    QFile file(FileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Text);
}

QStringList Rows(const QListWidget* List)
{
    QStringList rows;
    for (int i = 0; i < List->count(); ++i)
        rows.append(List->item(i)->text());
    return rows;
}

void Type(QLineEdit* Edit, const QString& Text)
{
    Edit->setFocus();
    Edit->selectAll();
    QTest::keyClicks(Edit, Text);
    QTest::keyClick(Edit, Qt::Key_Return); // editingFinished
}
} // namespace

using TEdit = std::function<void(TItemsPanel*)>;
Q_DECLARE_METATYPE(TEdit)

class tst_itemspanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void addReorderRemoveUndo();
    void everyValueReachesTheDialog_data();
    void everyValueReachesTheDialog();
    void openListsItemsAndSavesThemBack();
    void glyphFromAFile();
    void manyItemsAndALongCaption();
    void panelSitsBetweenPageAndPicture_data();
    void panelSitsBetweenPageAndPicture();
    void selectTurnsToTheItemsPage();
    void accessKeysDoNotClash();

private:
    QString FormText()
    {
        W->GenerateActn->trigger();
        return W->SynEdit2->Text();
    }
    std::unique_ptr<TfrmMain> W;
    TItemsPanel* P = nullptr;
    QTemporaryDir Dir;
};

void tst_itemspanel::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_itemspanel::init()
{
    W = std::make_unique<TfrmMain>();
    W->show();
    QVERIFY(QTest::qWaitForWindowExposed(W.get()));
    P = W->ItemsPanel1;
    QVERIFY(!W->ItemsDock->isVisible());
    W->ItemsActn->trigger();
    QVERIFY(W->ItemsDock->isVisible());
}

void tst_itemspanel::cleanup()
{
    W.reset();
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_itemspanel::addReorderRemoveUndo()
{
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(P->AddButtonBtn, Qt::LeftButton);
    QCOMPARE(Rows(P->ButtonList), QStringList({"Button 1", "Button 2", "Button 3"}));
    QCOMPARE(W->UndoStack()->undoText(), QStringLiteral("Add Button"));
    QCOMPARE(W->Items().Buttons.size(), 3);

    // Alt+Down moves the selected row; the Up button moves it back and on.
    P->ButtonList->setCurrentRow(0);
    P->ButtonList->setFocus();
    QTest::keyClick(P->ButtonList, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(Rows(P->ButtonList), QStringList({"Button 2", "Button 1", "Button 3"}));
    QCOMPARE(P->ButtonList->currentRow(), 1);
    QTest::keyClick(P->ButtonList, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(Rows(P->ButtonList), QStringList({"Button 2", "Button 3", "Button 1"}));
    QVERIFY(!P->ButtonDownBtn->isEnabled()); // already last
    QTest::mouseClick(P->ButtonUpBtn, Qt::LeftButton);
    QCOMPARE(Rows(P->ButtonList), QStringList({"Button 2", "Button 1", "Button 3"}));
    QCOMPARE(W->Items().Buttons.at(0).Caption, QStringLiteral("Button 2"));
    QVERIFY(FormText().indexOf(QStringLiteral("'Button 2'")) < FormText().indexOf(QStringLiteral("'Button 1'")));

    // Undo takes back one move at a time, and the list follows.
    W->UndoActn->trigger();
    QCOMPARE(Rows(P->ButtonList), QStringList({"Button 2", "Button 3", "Button 1"}));
    W->UndoActn->trigger();
    W->UndoActn->trigger();
    QCOMPARE(Rows(P->ButtonList), QStringList({"Button 1", "Button 2", "Button 3"}));
    W->RedoActn->trigger();
    QCOMPARE(Rows(P->ButtonList), QStringList({"Button 2", "Button 1", "Button 3"}));

    // Remove, and radio buttons number themselves as the dialog's collection does.
    P->ButtonList->setCurrentRow(0);
    QTest::mouseClick(P->RemoveButtonBtn, Qt::LeftButton);
    QCOMPARE(Rows(P->ButtonList), QStringList({"Button 1", "Button 3"}));
    QTest::mouseClick(P->AddRadioBtn, Qt::LeftButton);
    QTest::mouseClick(P->AddRadioBtn, Qt::LeftButton);
    QCOMPARE(Rows(P->RadioList), QStringList({"Radio Button 0", "Radio Button 1"}));
    QCOMPARE(W->Items().Radios.at(1).Value, 201);
    QVERIFY(W->Items().Radios.at(0).Checked && !W->Items().Radios.at(1).Checked);
    P->RadioList->setFocus();
    QTest::keyClick(P->RadioList, Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(Rows(P->RadioList), QStringList({"Radio Button 1", "Radio Button 0"}));
    W->UndoActn->trigger();
    QCOMPARE(Rows(P->RadioList), QStringList({"Radio Button 0", "Radio Button 1"}));
}

void tst_itemspanel::everyValueReachesTheDialog_data()
{
    QTest::addColumn<TEdit>("edit");
    QTest::addColumn<QString>("expected"); // a line of the form text
    QTest::newRow("caption with accelerator")
        << TEdit([](TItemsPanel* P) { Type(P->ButtonCaption, QStringLiteral("&Save all")); })
        << QStringLiteral("      Caption = '&Save all'\n");
    QTest::newRow("note") << TEdit([](TItemsPanel* P) {
        P->ButtonNote->setFocus();
        QTest::keyClicks(P->ButtonNote, QStringLiteral("First"));
        QTest::keyClick(P->ButtonNote, Qt::Key_Return);
        QTest::keyClicks(P->ButtonNote, QStringLiteral("Second"));
        P->CommitNote();
    }) << QStringLiteral("      Info.Strings = (\n        'First'\n        'Second')\n");
    QTest::newRow("modal result") << TEdit([](TItemsPanel* P) { P->ButtonModalResult->setValue(7); })
                                  << QStringLiteral("      ModalResult = 7\n");
    QTest::newRow("default") << TEdit([](TItemsPanel* P) { P->ButtonDefault->click(); })
                             << QStringLiteral("      Default = True\n");
    QTest::newRow("cancel") << TEdit([](TItemsPanel* P) { P->ButtonCancel->click(); })
                            << QStringLiteral("      Cancel = True\n");
    QTest::newRow("enabled") << TEdit([](TItemsPanel* P) { P->ButtonEnabled->click(); })
                             << QStringLiteral("      Enabled = False\n");
    QTest::newRow("visible") << TEdit([](TItemsPanel* P) { P->ButtonVisible->click(); })
                             << QStringLiteral("      Visible = False\n");
    QTest::newRow("shield") << TEdit([](TItemsPanel* P) { P->ButtonShield->click(); })
                            << QStringLiteral("      ElevationRequired = True\n");
    QTest::newRow("hint") << TEdit([](TItemsPanel* P) { Type(P->ButtonHint, QStringLiteral("Saves it")); })
                          << QStringLiteral("      Hint = 'Saves it'\n");
    QTest::newRow("radio caption") << TEdit([](TItemsPanel* P) { Type(P->RadioCaption, QStringLiteral("&Everyone")); })
                                   << QStringLiteral("      Caption = '&Everyone'\n");
    QTest::newRow("radio value") << TEdit([](TItemsPanel* P) { P->RadioValue->setValue(333); })
                                 << QStringLiteral("      Value = 333\n");
    QTest::newRow("radio unchecked") << TEdit([](TItemsPanel* P) { P->RadioChecked->click(); })
                                     << QStringLiteral("      Caption = 'Radio Button 0'\n      Value = 200\n");
    QTest::newRow("radio disabled") << TEdit([](TItemsPanel* P) { P->RadioEnabled->click(); })
                                    << QStringLiteral("      Enabled = False\n");
    QTest::newRow("default button") << TEdit([](TItemsPanel* P) { P->DefaultButton->setCurrentText(QStringLiteral("Cancel")); })
                                    << QStringLiteral("  ButtonBar.Default = cbCancel\n");
    QTest::newRow("progress position") << TEdit([](TItemsPanel* P) { P->ProgressPosition->setValue(40); })
                                       << QStringLiteral("  Progress.Position = 40\n");
    QTest::newRow("progress range") << TEdit([](TItemsPanel* P) {
        P->ProgressMin->setValue(10);
        P->ProgressMax->setValue(50);
    }) << QStringLiteral("  Progress.Max = 50\n  Progress.Min = 10\n");
    QTest::newRow("progress state") << TEdit([](TItemsPanel* P) { P->ProgressState->setCurrentIndex(2); })
                                    << QStringLiteral("  Progress.State = pbstPaused\n");
    QTest::newRow("radio group caption")
        << TEdit([](TItemsPanel* P) { Type(P->RadioGroupCaption, QStringLiteral("Share with")); })
        << QStringLiteral("  RadioButton.Caption = 'Share with'\n");
    QTest::newRow("radio columns") << TEdit([](TItemsPanel* P) { P->RadioColumns->setValue(2); })
                                   << QStringLiteral("  RadioButton.Columns = 2\n");
    QTest::newRow("radio border") << TEdit([](TItemsPanel* P) { P->RadioBorder->click(); })
                                  << QStringLiteral("  RadioButton.ShowBorder = True\n");
    QTest::newRow("timer interval") << TEdit([](TItemsPanel* P) { P->TimerInterval->setValue(2500); })
                                    << QStringLiteral("  Timer.Interval = 2500\n");
}

void tst_itemspanel::everyValueReachesTheDialog()
{
    QFETCH(TEdit, edit);
    QFETCH(QString, expected);
    QTest::mouseClick(P->AddButtonBtn, Qt::LeftButton);
    QTest::mouseClick(P->AddRadioBtn, Qt::LeftButton);
    const QString before = FormText();
    QVERIFY(!before.contains(expected));
    const int steps = W->UndoStack()->count();
    edit(P);
    const QString after = FormText();
    QVERIFY2(after.contains(expected), qPrintable(after));
    QVERIFY(W->UndoStack()->count() > steps);
    while (W->UndoStack()->index() > steps)
        W->UndoActn->trigger();
    QCOMPARE(FormText(), before);
}

void tst_itemspanel::openListsItemsAndSavesThemBack()
{
    W->ItemsDock->hide();
    const QString file = Dir.filePath(QStringLiteral("items.dfm"));
    WriteAll(file, WithItems);
    QVERIFY(W->OpenFile(file));
    QVERIFY(W->ItemsDock->isVisible());
    // Rows read as the buttons do, without their access key markers; the field keeps them.
    QCOMPARE(Rows(P->ButtonList), QStringList({"Install now", "Later & maybe"}));
    QCOMPARE(Rows(P->RadioList), QStringList({"Me", "Everyone"}));
    P->ButtonList->setCurrentRow(0);
    QCOMPARE(P->ButtonNote->toPlainText(), QStringLiteral("Takes a minute\nand restarts"));
    QCOMPARE(P->ButtonModalResult->value(), 6);
    QVERIFY(P->ButtonDefault->isChecked() && P->ButtonEnabled->isChecked() && !P->ButtonShield->isChecked());
    P->ButtonList->setCurrentRow(1);
    QCOMPARE(P->ButtonCaption->text(), QStringLiteral("&Later && maybe"));
    QVERIFY(!P->ButtonEnabled->isChecked() && P->ButtonShield->isChecked());
    P->RadioList->setCurrentRow(1);
    QCOMPARE(P->RadioValue->value(), 211);
    QVERIFY(P->RadioChecked->isChecked());
    QVERIFY(!W->IsModified()); // looking at the items changes nothing
    // Saving writes the same bytes, and Generate gives what the design gave before.
    QCOMPARE(FormText(), QString::fromUtf8(WithItems).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QVERIFY(W->SaveFile(file));
    QCOMPARE(ReadAll(file), WithItems);
}

void tst_itemspanel::glyphFromAFile()
{
    QTest::mouseClick(P->AddButtonBtn, Qt::LeftButton);
    const QString png = Dir.filePath(QStringLiteral("star.png"));
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(png));
    QVERIFY(P->LoadButtonPicture(png, false));
    QCOMPARE(P->GlyphLabel->text(), QStringLiteral("16 x 16"));
    QVERIFY(FormText().contains(QStringLiteral("      Glyph.Data = {")));
    QVERIFY(P->GlyphClearBtn->isEnabled());

    // A file that is no picture is refused by name, and nothing changes.
    const QString fake = Dir.filePath(QStringLiteral("notes.png"));
    WriteAll(fake, "just some text\n");
    const int steps = W->UndoStack()->count();
    QString message;
    WhenModalShows([&message](QWidget* Modal) {
        auto* box = qobject_cast<QMessageBox*>(Modal);
        QVERIFY(box);
        message = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QVERIFY(!P->LoadButtonPicture(fake, true));
    QVERIFY2(message.contains(QStringLiteral("notes.png")), qPrintable(message));
    QCOMPARE(W->UndoStack()->count(), steps);
    QCOMPARE(P->PictureLabel->text(), QStringLiteral("None"));
    QVERIFY(!FormText().contains(QStringLiteral("Picture.Data")));
}

// A thousand items and a caption of 100,000 characters are listed (a row shows the caption's
// start) and written whole.
void tst_itemspanel::manyItemsAndALongCaption()
{
    TDesignItems items = W->Items();
    for (int i = 0; i < 1000; ++i)
        items.Buttons.append(TDesignCustomButton{.Caption = QStringLiteral("Choice %1").arg(i)});
    items.Buttons[500].Caption = QString(100000, QLatin1Char('x'));
    W->SetItems(items, QStringLiteral("Add Buttons"));
    QCOMPARE(P->ButtonList->count(), 1000);
    QCOMPARE(P->ButtonList->item(999)->text(), QStringLiteral("Choice 999"));
    QCOMPARE(P->ButtonList->item(500)->text().size(), TItemsPanel::ShownCaptionLength + 1);
    P->ButtonList->setCurrentRow(500);
    QCOMPARE(P->ButtonCaption->text().size(), 100000);
    P->ButtonList->setFocus();
    QTest::keyClick(P->ButtonList, Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(W->Items().Buttons.at(499).Caption.size(), 100000);
    W->UndoActn->trigger();
    QCOMPARE(W->Items().Buttons.at(500).Caption.size(), 100000);
    QVERIFY(FormText().contains(QStringLiteral("Choice 999")));
}

// The panel opens beside the page without taking its width: the window widens as the screen
// allows, and gives the width back when the panel closes.
void tst_itemspanel::panelSitsBetweenPageAndPicture_data()
{
    QTest::addColumn<bool>("rightToLeft");
    QTest::newRow("left to right") << false;
    // The panes follow the page in reading order: at its left, the picture outermost.
    QTest::newRow("right to left") << true;
}

void tst_itemspanel::panelSitsBetweenPageAndPicture()
{
    QFETCH(bool, rightToLeft);
    QApplication::setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    const auto restore = qScopeGuard([] { QApplication::setLayoutDirection(Qt::LeftToRight); });
    // A window that has not shown the panel yet.
    W = std::make_unique<TfrmMain>();
    P = W->ItemsPanel1;
    W->show();
    QVERIFY(QTest::qWaitForWindowExposed(W.get()));
    QVERIFY(!W->ItemsDock->isVisible());
    const int windowWidth = W->width();
    const int pageWidth = W->centralWidget()->width();
    const QRect screen = W->screen()->availableGeometry();
    QVERIFY2(screen.width() >= windowWidth + W->ItemsDock->sizeHint().width() + 20,
             qPrintable(QStringLiteral("screen %1 px wide").arg(screen.width())));

    W->ItemsActn->trigger();
    QTRY_VERIFY(W->width() > windowWidth);
    QTRY_COMPARE(W->centralWidget()->width(), pageWidth);
    const QRect items = W->ItemsDock->geometry(), live = W->LivePreviewDock->geometry();
    const QRect page = W->centralWidget()->geometry();
    const QString where = QStringLiteral("page %1..%2, items %3..%4, live %5..%6")
                              .arg(page.left()).arg(page.right()).arg(items.left()).arg(items.right())
                              .arg(live.left()).arg(live.right());
    QCOMPARE(items.top(), live.top());
    if (rightToLeft)
        QVERIFY2(live.right() < items.left() && items.right() <= page.left(), qPrintable(where));
    else
        QVERIFY2(page.right() <= items.left() && items.right() < live.left(), qPrintable(where));
    // Every page of the panel shows whole at the window's first height: nothing to scroll to.
    auto* scroll = W->findChild<QScrollArea*>(QStringLiteral("ItemsScroll"));
    QVERIFY(scroll);
    for (int page = 0; page < P->Tabs->count(); ++page) {
        P->Tabs->setCurrentIndex(page);
        QTRY_COMPARE(scroll->verticalScrollBar()->maximum(), 0);
    }

    W->ItemsDock->hide();
    QTRY_COMPARE(W->width(), windowWidth);
    QTRY_COMPARE(W->centralWidget()->width(), pageWidth);
}

void tst_itemspanel::selectTurnsToTheItemsPage()
{
    P->AddButtonBtn->click();
    P->AddRadioBtn->click();
    P->AddRadioBtn->click();
    P->Tabs->setCurrentIndex(0);
    P->SelectRadio(0);
    QCOMPARE(P->Tabs->currentWidget()->objectName(), QStringLiteral("RadiosPage"));
    QCOMPARE(P->RadioList->currentRow(), 0);
    QCOMPARE(W->focusWidget(), P->RadioCaption);
    P->SelectButton(0);
    QCOMPARE(P->Tabs->currentWidget()->objectName(), QStringLiteral("ButtonsPage"));
    QCOMPARE(W->focusWidget(), P->ButtonCaption);
    P->SelectRadio(7); // no such row: nothing moves
    QCOMPARE(P->Tabs->currentWidget()->objectName(), QStringLiteral("ButtonsPage"));
}

// Every access key the menus, the panel and the live preview show is theirs alone on every page
// of the panel: none that the window's own controls or the other pane already use.
void tst_itemspanel::accessKeysDoNotClash()
{
    for (int page = 0; page < P->Tabs->count(); ++page) {
        P->Tabs->setCurrentIndex(page);
        QMap<QKeySequence, QStringList> window, panes;
        auto add = [&](const QWidget* Owner, const QString& Text) {
            const QKeySequence key = QKeySequence::mnemonic(Text);
            if (key.isEmpty())
                return;
            const bool pane = Owner == W->menuBar() || W->ItemsDock->isAncestorOf(Owner) ||
                              W->LivePreviewDock->isAncestorOf(Owner);
            (pane ? panes : window)[key].append(Text);
        };
        for (const QAction* menu : W->menuBar()->actions())
            add(W->menuBar(), menu->text());
        for (const QAbstractButton* button : W->findChildren<QAbstractButton*>())
            if (button->isVisible() && button->isEnabled())
                add(button, button->text());
        for (const QLabel* label : W->findChildren<QLabel*>())
            if (label->isVisible() && label->buddy())
                add(label, label->text());
        for (const QGroupBox* box : W->findChildren<QGroupBox*>())
            if (box->isVisible())
                add(box, box->title());
        for (int tab = 0; tab < P->Tabs->count(); ++tab)
            add(P->Tabs, P->Tabs->tabText(tab));
        QVERIFY(panes.size() >= 6);
        for (auto it = panes.cbegin(); it != panes.cend(); ++it) {
            const QStringList users = it.value() + window.value(it.key());
            QVERIFY2(users.size() == 1, qPrintable(QStringLiteral("page %1: %2 is taken by %3")
                                                       .arg(P->Tabs->tabText(page), it.key().toString(),
                                                            users.join(QStringLiteral(", ")))));
        }
    }
}

// A screen as wide as a desktop's: the offscreen platform's own is narrower than the designer's
// first window.
int main(int argc, char** argv)
{
    const QTemporaryDir config;
    UseOffscreenScreen(config, 1920, 1080);
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    tst_itemspanel test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_itemspanel.moc"
