#include "ApplicationHelp.h"
#include "CodeView.h"
#include "ExceptionHandler.h"
#include "GenerateCommand.h"
#include "Shell.h"
#include "VxCaptionControl.h"
#include "VxIconFrame.h"
#include "VxPageScroller.h"
#include "VxSelectIconForm.h"
#include "frmMain.h"

#include "support/ModalHelper.h"

#include "VxDialog.h"

#include <Qsci/qscilexer.h>
#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexerpascal.h>
#include <QFileDialog>
#include <QDockWidget>
#include <QAction>
#include <QPushButton>
#include <QCheckBox>
#include <QMessageBox>
#include <QClipboard>
#include <QGroupBox>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

namespace {
// Keyboard input and shortcuts need the window active (a closed picker may have left it not).
void Activate(QWidget* W)
{
    W->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(W));
}

// Types Text into the section through its in-place editor, then ends editing with a click on
// another section (as a user does).
void TypeInto(TfrmMain& W, TVxDSectionControl* Section, const QString& Text)
{
    Activate(&W);
    QTest::mouseDClick(Section, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(Section->IsEditing());
    QWidget* editor = Section->Editor();
    QTRY_VERIFY(editor->hasFocus());
    const QStringList lines = Text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, lines[i]);
    }
    TVxDSectionControl* elsewhere = Section == W.TitleSection ? W.FooterSection : W.TitleSection;
    QTest::mouseClick(elsewhere, Qt::LeftButton, {}, QPoint(elsewhere->width() - 3, 3));
    QVERIFY(!Section->IsEditing());
}

// Checks the expando or verification box and cancels the prompt it opens, so the box keeps its
// reset caption.
void CheckAndCancelPrompt(QCheckBox* Box)
{
    bool prompted = false;
    WhenModalShows([&prompted](QWidget* Modal) {
        prompted = true;
        for (auto* b : Modal->findChildren<QAbstractButton*>())
            if (ControlTag(b) == mrCancel)
                b->click();
    });
    QTest::mouseClick(Box, Qt::LeftButton);
    QVERIFY(prompted);
}

// Picks Name in the icon picker that a double click on Section opens.
void PickIcon(TVxDSectionControl* Section, const QString& Name)
{
    WhenModalShows([Name](QWidget* modal) {
        auto* picker = qobject_cast<TfrmSelectIcon*>(modal);
        QVERIFY(picker);
        for (TfrIcon* row : picker->Rows())
            if (row->Caption() == Name)
                QTest::mouseClick(row->RadioButton1, Qt::LeftButton);
        QTest::mouseClick(picker->bOK, Qt::LeftButton);
    });
    QTest::mouseDClick(Section, Qt::LeftButton, {}, QPoint(4, 4));
}

QPoint MarkerPoint(TVxPageScroller* S, int K)
{
    return QPoint(S->MarkerLayout().MarkerRect(K).center().x(), S->height() - 6);
}

QString Code(const TfrmMain& W)
{
    return W.SynEdit1->Text();
}
} // namespace

class tst_mainwindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startState();
    void previewShowsDesign();
    void toolbarAndCommands();
    void designPageLayout();
    void editGeneratePickAndCopy();
    void viewsMatchGenerator();
    void cppCopyAndSave();
    void checkBoxesAndNew();
    void ctrlCInEditorCopiesItsText_data();
    void ctrlCInEditorCopiesItsText();
    void expandoSectionsNamedForTheirPlace();
    void ctrlCInCodeViewCopiesSelection();
    void keyboardWalksAndEditsThePage();
    void checkBoxCaptionsFit();
    void disabledToolbarCaptions();
    void captionFollowsPage_data();
    void captionFollowsPage();
    void helpOpensGuide();
    void previewHelpOpensGuide_data();
    void previewHelpOpensGuide();
    void previewLinkThatNothingOpensSaysSo();
    void failuresReachHandler();
    void exitCloses();
    void busyCursorOnlyWhileWorking();

private:
    std::unique_ptr<TfrmMain> W;
};

void tst_mainwindow::init()
{
    W = std::make_unique<TfrmMain>();
    W->show();
    QVERIFY(QTest::qWaitForWindowExposed(W.get()));
}

void tst_mainwindow::cleanup()
{
    W.reset();
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_mainwindow::startState()
{
    QCOMPARE(W->windowTitle(), QStringLiteral("Quillfen - Design Dialog"));
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 0);
    QCOMPARE(W->VxPageScroller1->PageCount(), 4);
    QVERIFY(W->VxPage1->isVisible());
    // The pages keep the stored size; the live preview stands beside them.
    QCOMPARE(W->centralWidget()->width(), 768);
    QCOMPARE(W->height(), 667);
    QVERIFY(W->LivePreviewDock->isVisible());
    QVERIFY(W->LivePreviewDock->geometry().left() > W->centralWidget()->geometry().right());
    QCOMPARE(W->SynEdit1->Text(), QString());
    QCOMPARE(W->SynEdit2->Text(), QString());
    QVERIFY(!W->CopyCodeActn->isEnabled());
    QVERIFY(!W->CopyDFMActn->isEnabled());
    QCOMPARE(W->SynEdit3->Text(), QString());
    QVERIFY(!W->CopyCppActn->isEnabled() && !W->SaveCppActn->isEnabled());
    QVERIFY(W->PreviewActn->isEnabled());
    for (QAction* a : {W->NewActn, W->GenerateActn, W->HelpActn, W->ExitActn})
        QVERIFY(a->isEnabled());

    // Code views: no gutter, no margin line, no folding, editable.
    for (TCodeView* view : {W->SynEdit1, W->SynEdit2, W->SynEdit3}) {
        for (int m = 0; m < 5; ++m)
            QCOMPARE(view->marginWidth(m), 0);
        QCOMPARE(view->edgeMode(), QsciScintilla::EdgeNone);
        QCOMPARE(view->folding(), QsciScintilla::NoFoldStyle);
        QVERIFY(!view->isReadOnly());
    }
    // The colouring is attached once a view shows.
    W->VxPageScroller1->SetActivePageIndex(1);
    QCOMPARE(W->SynEdit1->lexer(), W->SynEdit1->Lexer());
    QVERIFY(qobject_cast<QsciLexerPascal*>(W->SynEdit1->lexer()));
    W->VxPageScroller1->SetActivePageIndex(2);
    QCOMPARE(W->SynEdit2->lexer(), W->SynEdit2->Lexer());
    QVERIFY(W->SynEdit2->lexer() && !qobject_cast<QsciLexerPascal*>(W->SynEdit2->lexer()));
    QCOMPARE(W->SynEdit1->Language(), TCodeLanguage::ObjectPascal);
    QCOMPARE(W->SynEdit2->Language(), TCodeLanguage::FormText);
    W->VxPageScroller1->SetActivePageIndex(3);
    QCOMPARE(W->SynEdit3->lexer(), W->SynEdit3->Lexer());
    QVERIFY(qobject_cast<QsciLexerCPP*>(W->SynEdit3->lexer()));
    QCOMPARE(W->SynEdit3->Language(), TCodeLanguage::Cpp);
    // A fixed pitch: "i" advances as far as "M" (QFontInfo::fixedPitch() is false for some
    // monospaced faces, Noto Sans Mono among them).
    const QFontMetricsF code(W->SynEdit1->Lexer()->defaultFont());
    QCOMPARE(code.horizontalAdvance(QLatin1Char('i')), code.horizontalAdvance(QLatin1Char('M')));

    // VxDialog1 belongs to the window's form.
    QCOMPARE(W->VxDialog1->Name(), QStringLiteral("VxDialog1"));
    QCOMPARE(W->VxDialog1->Owner(), W->FormRoot());
    QCOMPARE(W->FormRoot()->Name(), QStringLiteral("frmMain"));
}

void tst_mainwindow::previewShowsDesign()
{
    TypeInto(*W, W->TitleSection, QStringLiteral("Previewed"));
    QString title;
    bool modal = false;
    WhenModalShows([&](QWidget* Window) {
        title = Window->windowTitle();
        modal = Window->isModal();
        Window->close();
    });
    Activate(W.get());
    QTest::keyClick(W.get(), Qt::Key_P, Qt::ControlModifier);
    QTRY_COMPARE(title, QStringLiteral("Previewed"));
    QVERIFY(modal);
    QVERIFY(!W->VxDialog1->Form());
    QCOMPARE(W->VxDialog1->DialogResult().ModalResult, 2);
}

void tst_mainwindow::toolbarAndCommands()
{
    struct Expect {
        QAction* Action;
        QString ToolCaption, Caption;
        QKeySequence Key;
        QString Hint;
    };
    const QList<Expect> expected = {
        {W->NewActn, "&New", "New", QKeySequence("Ctrl+N"),
         "New Dialog|Clear all of the previous customisations ready to start again."},
        {W->OpenActn, "Op&en", "Open", QKeySequence("Ctrl+O"),
         "Open Design|Open a dialog design kept as form text (a .dfm file)."},
        {W->SaveActn, "&Save", "Save", QKeySequence("Ctrl+S"), "Save Design|Save the design as form text."},
        {W->SaveAsActn, "Save &As", "Save As", QKeySequence("Ctrl+Shift+S"),
         "Save Design As|Save the design as form text under a new name."},
        {nullptr, {}, {}, {}, {}},
        {W->CopyCodeActn, "&Copy Code", "Copy Code", QKeySequence("Ctrl+C"),
         "Copy Code|Copy the source code required to create the designed dialog."},
        {W->CopyDFMActn, "C&opy DFM", "Copy DFM", QKeySequence("Ctrl+D"),
         "Copy DFM|Copy the DFM representation required to create the designed dialog."},
        {nullptr, {}, {}, {}, {}},
        {W->GenerateActn, "&Generate", "Generate", QKeySequence("Ctrl+G"),
         "Generate|Generate the source code and DFM object for the entered dialog inputs."},
        {W->PreviewActn, "&Preview", "Preview", QKeySequence("Ctrl+P"),
         "Preview Dialog|Preview the dialog as it would appear to the user."},
        {nullptr, {}, {}, {}, {}},
        {W->HelpActn, "&Help", "Help", QKeySequence("F1"), "Help|Display online help for this application."},
        {nullptr, {}, {}, {}, {}},
        {W->ExitActn, "&Exit", "Exit", QKeySequence("Ctrl+Q"), "Exit|Exit Quillfen"},
    };
    const QList<QAction*> items = W->ToolBar1->actions();
    QCOMPARE(items.size(), expected.size());
    for (int i = 0; i < items.size(); ++i) {
        if (!expected[i].Action) {
            QVERIFY2(items[i]->isSeparator(), qPrintable(QString::number(i)));
            continue;
        }
        QCOMPARE(items[i], expected[i].Action);
        QCOMPARE(items[i]->iconText(), expected[i].ToolCaption);
        QCOMPARE(items[i]->text(), expected[i].Caption);
        QCOMPARE(items[i]->shortcut(), expected[i].Key);
        QCOMPARE(items[i]->property("Hint").toString(), expected[i].Hint);
        QCOMPARE(items[i]->toolTip(), expected[i].Hint.section('|', 0, 0));
        QCOMPARE(items[i]->statusTip(), expected[i].Hint.section('|', 1));
        // Images at 32 by 32 in an enabled and a distinct disabled look.
        const QImage normal = items[i]->icon().pixmap(32, 32, QIcon::Normal).toImage();
        const QImage disabled = items[i]->icon().pixmap(32, 32, QIcon::Disabled).toImage();
        QCOMPARE(normal.size(), QSize(32, 32));
        QVERIFY(normal != disabled);
        auto* button = qobject_cast<QToolButton*>(W->ToolBar1->widgetForAction(items[i]));
        QVERIFY(button);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    }
    QVERIFY(W->ToolBar1->height() >= 42);
    QCOMPARE(W->ToolBar1->iconSize(), QSize(32, 32));
}

void tst_mainwindow::designPageLayout()
{
    // Bands keep their heights; Panel2 takes the rest.
    QCOMPARE(W->TitleSection->height(), 37);
    QCOMPARE(W->HeaderPanel->height(), 50);
    QCOMPARE(W->InstructionPanel->height(), 50);
    QCOMPARE(W->ExpandoContentSection->height(), 71);
    QCOMPARE(W->Panel3->height(), 52);
    QCOMPARE(W->FooterPanel->height(), 50);
    QCOMPARE(W->ExpandoFooterSection->height(), 50);
    QCOMPARE(W->HeaderIconSection->width(), 100);
    QCOMPARE(W->MainIconSection->width(), 100);
    QCOMPARE(W->MainIconSection->height(), W->Panel2->height());
    QCOMPARE(W->DialogOptionsPanel->height(), 91);
    QVERIFY(!W->HelpLinkSection->isVisible());
    QCOMPARE(W->ContentSection->height(), W->Panel2->height() - 91);
    QCOMPARE(W->gbOptions->title(), QStringLiteral(" &Options "));
    QCOMPARE(W->cbdoTimer->y(), 22); // further right only when captions need more room
    QVERIFY(W->cbdoTimer->x() >= 478);
    QCOMPARE(W->TitleSection->EditType(), etSingleText);
    QCOMPARE(W->FooterIconSection->EditType(), etSmallIcon);
    QCOMPARE(W->InstructionSection->EditValueColor(), QColor(0x00, 0x33, 0x99));
    QVERIFY(W->HelpLinkSection->EditValueFont().underline());

    // The button boxes follow the right edge, the expando and verification boxes the left.
    const int right = W->Panel3->width() - W->cbButtonClose->geometry().left();
    const int oldHeight = W->Panel2->height();
    W->resize(W->width() + 100, W->height() + 40);
    QTRY_COMPARE(W->Panel2->height(), oldHeight + 40);
    QCOMPARE(W->Panel3->width() - W->cbButtonClose->geometry().left(), right);
    QCOMPARE(W->ExpandoCheckBox->geometry().left(), 8);
    QCOMPARE(W->TitleSection->height(), 37);
    QCOMPARE(right, 752 - 668);
}

void tst_mainwindow::editGeneratePickAndCopy()
{
    TypeInto(*W, W->TitleSection, QStringLiteral("Confirm"));
    TypeInto(*W, W->ContentSection, QStringLiteral("The document has been modified."));
    TypeInto(*W, W->InstructionSection, QStringLiteral("Save changes?"));
    PickIcon(W->MainIconSection, QStringLiteral("Warning"));
    QTRY_COMPARE(W->MainIconSection->EditValue(), QStringLiteral("Warning"));
    QVERIFY(!W->MainIconSection->Editor()); // the picker, not an editor
    QTest::mouseClick(W->cbButtonYes, Qt::LeftButton);
    QTest::mouseClick(W->cbButtonNo, Qt::LeftButton);
    QTest::mouseClick(W->cbButtonOK, Qt::LeftButton);
    QVERIFY(!W->cbButtonOK->isChecked());

    Activate(W.get());
    QTest::keyClick(W.get(), Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 1);
    QCOMPARE(W->windowTitle(), QStringLiteral("Quillfen - Generated Code"));
    const QStringList code = {
        "var", "  VxDialog1: TVxDialog;", "begin", "  VxDialog1 := TVxDialog.Create(nil);", "  try",
        "    VxDialog1.ButtonBar.Buttons := [cbYes, cbNo, cbCancel];", "    VxDialog1.ButtonBar.Color := 15790320;",
        "    VxDialog1.Content.Clear;", "    VxDialog1.Content.Add('The document has been modified.');",
        "    VxDialog1.Instruction.Text := 'Save changes?';", "    VxDialog1.MainIcon := tdiWarning;",
        "    VxDialog1.Name := 'VxDialog1';", "    VxDialog1.Title := 'Confirm';", "    VxDialog1.Execute;",
        "  finally", "    VxDialog1.Free;", "  end", "end;"};
    QCOMPARE(Code(*W), code.join('\n') + '\n');
    QCOMPARE(W->SynEdit2->Text(),
             QStringLiteral("object VxDialog1: TVxDialog\n  Content.Strings = (\n"
                            "    'The document has been modified.')\n  Instruction.Text = 'Save changes?'\n"
                            "  ButtonBar.Buttons = [cbYes, cbNo, cbCancel]\n  ButtonBar.Color = 15790320\n"
                            "  MainIcon = tdiWarning\n  Title = 'Confirm'\n  Left = 336\n  Top = 184\nend\n"));
    QVERIFY(W->CopyCodeActn->isEnabled());
    QVERIFY(W->CopyDFMActn->isEnabled());

    // Generate twice gives the same texts.
    const QString first = Code(*W), firstDfm = W->SynEdit2->Text();
    W->GenerateActn->trigger();
    QCOMPARE(Code(*W), first);
    QCOMPARE(W->SynEdit2->Text(), firstDfm);

    // Copy Code from the design page switches to the code page first.
    W->VxPageScroller1->SetActivePageIndex(0);
    QTest::keyClick(W.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 1);
    QCOMPARE(QGuiApplication::clipboard()->text(), first);
    // The copy commands take what the view holds, edits included.
    W->SynEdit2->SetText(QStringLiteral("edited\n"));
    QTest::keyClick(W.get(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 2);
    QCOMPARE(W->windowTitle(), QStringLiteral("Quillfen - Generated DFM"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("edited\n"));
    // An emptied view disables its copy command.
    W->SynEdit2->SetText(QString());
    QVERIFY(!W->CopyDFMActn->isEnabled());
}

void tst_mainwindow::viewsMatchGenerator()
{
    // A richer design entered through the page must render as the same design given to the
    // generate command does.
    TypeInto(*W, W->TitleSection, QStringLiteral("It's a title"));
    TypeInto(*W, W->HeaderSection, QStringLiteral("Header text"));
    PickIcon(W->HeaderIconSection, QStringLiteral("Shield"));
    QTRY_COMPARE(W->HeaderIconSection->EditValue(), QStringLiteral("Shield"));
    TypeInto(*W, W->ContentSection, QStringLiteral("First line\nSecond line"));
    TypeInto(*W, W->ExpandoFooterSection, QStringLiteral("More below"));
    TypeInto(*W, W->FooterSection, QStringLiteral("Footer"));
    PickIcon(W->FooterIconSection, QStringLiteral("Information"));
    QTRY_COMPARE(W->FooterIconSection->EditValue(), QStringLiteral("Information"));
    QTest::mouseClick(W->cbdoShowHelpLink, Qt::LeftButton);
    QVERIFY(W->HelpLinkSection->isVisible());
    TypeInto(*W, W->HelpLinkSection, QStringLiteral("Need help?"));
    for (QCheckBox* box : {W->cbdoCommandLinks, W->cbdoTimer, W->cbdoModal, W->cbButtonClose})
        QTest::mouseClick(box, Qt::LeftButton);
    CheckAndCancelPrompt(W->ExpandoCheckBox);
    CheckAndCancelPrompt(W->VerificationCheckBox);
    W->GenerateActn->trigger();

    TGenerateRequest request;
    QString error;
    QVERIFY(ParseGenerateArguments(
        {"--title", "It's a title", "--header", "Header text", "--header-icon", "Shield", "--content",
         "First line\nSecond line", "--expanded-in-footer", "More below", "--footer", "Footer", "--footer-icon",
         "Information", "--help-link", "Need help?", "--options", "doShowHelpLink,doCommandLinks,doTimer",
         "--buttons", "OK,Cancel,Close", "--expando", "Expando", "--verification", "Verification"},
        request, error));
    QCOMPARE(Code(*W), RenderGenerateRequest(request));
    request.DFM = true;
    QCOMPARE(W->SynEdit2->Text(), RenderGenerateRequest(request));
    QVERIFY(W->SynEdit2->Text().contains(QStringLiteral("DialogOptions = [doShowHelpLink, doCommandLinks, doTimer]")));
    request.DFM = false;
    request.Cpp = true;
    QCOMPARE(W->SynEdit3->Text(), RenderGenerateRequest(request));
    QVERIFY(W->SynEdit3->Text().contains(QStringLiteral("CreateVxDialog1(")));
}

void tst_mainwindow::cppCopyAndSave()
{
    TypeInto(*W, W->TitleSection, QStringLiteral("Saved as C++"));
    W->GenerateActn->trigger();
    const QString cpp = W->SynEdit3->Text();
    QVERIFY(cpp.contains(QStringLiteral("Saved as C++")));
    QVERIFY(W->CopyCppActn->isEnabled() && W->SaveCppActn->isEnabled());

    // Copy goes through the page's button, which shows the C++ page first.
    W->VxPageScroller1->SetActivePageIndex(0);
    W->SynEdit3->SetText(cpp + QStringLiteral("// edited\n"));
    auto* copyButton = W->findChild<QToolBar*>(QStringLiteral("CppToolBar"))->widgetForAction(W->CopyCppActn);
    QVERIFY(copyButton);
    QTest::mouseClick(copyButton, Qt::LeftButton);
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 3);
    QCOMPARE(QGuiApplication::clipboard()->text(), cpp + QStringLiteral("// edited\n"));

    // Save offers C++ sources first, under the dialog's name.
    QTemporaryDir dir;
    QStringList filters;
    QString suggested;
    WhenModalShows([&](QWidget* Modal) {
        auto* dialog = qobject_cast<QFileDialog*>(Modal);
        QVERIFY(dialog);
        filters = dialog->nameFilters();
        suggested = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        dialog->setDirectory(dir.path());
        static_cast<QDialog*>(dialog)->accept();
    });
    QVERIFY(W->SaveCppActnExecute());
    QVERIFY(!filters.isEmpty());
    QVERIFY(filters.first().contains(QStringLiteral("*.cpp")));
    QCOMPARE(suggested, QStringLiteral("VxDialog1.cpp"));
    QFile saved(dir.filePath(QStringLiteral("VxDialog1.cpp")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), W->SynEdit3->Text());

    // A file that cannot be written is refused with a message and nothing else changes.
    WhenModalShows([](QWidget* Modal) {
        auto* box = qobject_cast<QMessageBox*>(Modal);
        QVERIFY(box);
        QVERIFY(box->text().contains(QStringLiteral("no-such-folder")));
        box->accept();
    });
    QVERIFY(!W->SaveCppFile(dir.filePath(QStringLiteral("no-such-folder/dialog.cpp"))));
}

void tst_mainwindow::checkBoxesAndNew()
{
    W->GenerateActn->trigger();
    const QString code = Code(*W);
    W->VxPageScroller1->SetActivePageIndex(0);

    CheckAndCancelPrompt(W->ExpandoCheckBox);
    CheckAndCancelPrompt(W->VerificationCheckBox);
    QVERIFY(W->ExpandoCheckBox->isChecked() && W->VerificationCheckBox->isChecked());
    QCOMPARE(W->ExpandoCheckBox->text(), QStringLiteral("Expando"));
    QCOMPARE(W->VerificationCheckBox->text(), QStringLiteral("Verification"));
    // Captions set by the prompts are reset by unchecking.
    W->ExpandoCheckBox->setText(QStringLiteral("Show|Hide"));
    QTest::mouseClick(W->cbdoShowHelpLink, Qt::LeftButton);
    QVERIFY(W->HelpLinkSection->isVisible());
    TypeInto(*W, W->HelpLinkSection, QStringLiteral("link"));
    TypeInto(*W, W->TitleSection, QStringLiteral("title"));
    QTest::mouseClick(W->cbdoModal, Qt::LeftButton);
    QTest::mouseClick(W->cbButtonHelp, Qt::LeftButton);
    W->VxPageScroller1->SetActivePageIndex(2);

    // New while a section is being edited empties its editor too.
    Activate(W.get());
    W->ContentSection->SetIsEditing(true);
    QTest::keyClicks(W->ContentSection->Editor(), QStringLiteral("typing"));
    // The changes are not saved: New asks first, and the changes are discarded.
    WhenModalShows([](QWidget* Modal) { qobject_cast<QMessageBox*>(Modal)->button(QMessageBox::Discard)->click(); });
    QTest::keyClick(W->ContentSection->Editor(), Qt::Key_N, Qt::ControlModifier);

    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 0);
    QCOMPARE(W->windowTitle(), QStringLiteral("Quillfen - Design Dialog"));
    QCOMPARE(W->TitleSection->EditValue(), QString());
    QCOMPARE(W->HelpLinkSection->EditValue(), QString());
    // The check boxes New sets raise their handlers, which end the edit; the typed text is gone.
    QVERIFY(!W->ContentSection->IsEditing());
    QCOMPARE(W->ContentSection->EditValue(), QString());
    QVERIFY(!W->HelpLinkSection->isVisible());
    QVERIFY(!W->ExpandoCheckBox->isChecked());
    QCOMPARE(W->ExpandoCheckBox->text(), QStringLiteral("Expando"));
    QCOMPARE(W->VerificationCheckBox->text(), QStringLiteral("Verification"));
    QVERIFY(W->cbdoModal->isChecked() && W->cbButtonOK->isChecked() && W->cbButtonCancel->isChecked());
    QVERIFY(!W->cbButtonHelp->isChecked() && !W->cbdoShowHelpLink->isChecked());
    // The code views and their commands stay.
    QCOMPARE(Code(*W), code);
    QVERIFY(W->CopyCodeActn->isEnabled());
}

void tst_mainwindow::ctrlCInEditorCopiesItsText_data()
{
    QTest::addColumn<QString>("section");
    QTest::newRow("one-line editor") << "TitleSection";
    QTest::newRow("multi-line editor") << "ContentSection";
}

void tst_mainwindow::ctrlCInEditorCopiesItsText()
{
    QFETCH(QString, section);
    auto* box = W->findChild<TVxDSectionControl*>(section);
    QVERIFY(box);
    W->GenerateActn->trigger();
    W->VxPageScroller1->SetActivePageIndex(0);
    Activate(W.get());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    box->SetIsEditing(true);
    QWidget* editor = box->Editor();
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("abc"));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 0);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("xyz"));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("xyz"));
    box->SetIsEditing(false);
    QCOMPARE(box->EditValue(), QString());
    // Outside an editor Ctrl+C stays Copy Code.
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), Code(*W));
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 1);
}

void tst_mainwindow::expandoSectionsNamedForTheirPlace()
{
    QCOMPARE(W->ExpandoContentSection->Caption(), QStringLiteral("Expando Content (More Lines)"));
    QCOMPARE(W->ExpandoFooterSection->Caption(), QStringLiteral("Expando Footer (More Lines)"));
}

void tst_mainwindow::ctrlCInCodeViewCopiesSelection()
{
    W->GenerateActn->trigger();
    Activate(W.get());
    W->SynEdit1->setFocus();
    QTRY_VERIFY(W->SynEdit1->hasFocus());
    // With a selection the view copies it.
    W->SynEdit1->setSelection(0, 0, 0, 3);
    QTest::keyClick(W->SynEdit1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("var"));
    // Without one Ctrl+C is Copy Code.
    W->SynEdit1->setSelection(-1, -1, -1, -1);
    QVERIFY(!W->SynEdit1->hasSelectedText());
    QTest::keyClick(W->SynEdit1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), Code(*W));
}

void tst_mainwindow::keyboardWalksAndEditsThePage()
{
    Activate(W.get());
    W->TitleSection->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(W->TitleSection->hasFocus());
    // The page from top to bottom; the hidden help link section is skipped.
    const QList<QWidget*> expected = {
        W->HeaderIconSection, W->HeaderSection, W->InstructionIconSection, W->InstructionSection, W->MainIconSection,
        W->ContentSection, W->cbdoShowHelpLink, W->cbdoRadioButtons, W->cbdoCommandLinks, W->cbdoCommandLinksNoIcon,
        W->cbdoProgressBar, W->cbdoProgressBarMarque, W->cbdoTimer, W->cbdoTopMost, W->cbdoModal,
        W->ExpandoContentSection, W->VerificationCheckBox, W->ExpandoCheckBox, W->cbButtonYes, W->cbButtonNo,
        W->cbButtonOK, W->cbButtonCancel, W->cbButtonHelp, W->cbButtonClose, W->FooterIconSection, W->FooterSection,
        W->ExpandoFooterSection};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(QApplication::focusWidget() == next, qPrintable(QApplication::focusWidget()->objectName()));
    }

    // A focused section shows it.
    W->HeaderSection->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(W->HeaderSection->hasFocus());
    const QImage focused = W->HeaderSection->grab().toImage();
    W->InstructionSection->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(W->InstructionSection->hasFocus());
    QVERIFY(W->HeaderSection->grab().toImage() != focused);

    // Enter starts editing; Enter in the multi-line editor is a line break; Escape leaves it and
    // the keyboard is back on the section; F2 edits again; Tab leaves for the next control.
    W->HeaderSection->setFocus(Qt::TabFocusReason);
    QTest::keyClick(W->HeaderSection, Qt::Key_Return);
    QVERIFY(W->HeaderSection->IsEditing());
    QTRY_VERIFY(W->HeaderSection->Editor()->hasFocus());
    QTest::keyClicks(W->HeaderSection->Editor(), QStringLiteral("Line one"));
    QTest::keyClick(W->HeaderSection->Editor(), Qt::Key_Return);
    QTest::keyClicks(W->HeaderSection->Editor(), QStringLiteral("Line two"));
    QTest::keyClick(W->HeaderSection->Editor(), Qt::Key_Escape);
    QVERIFY(!W->HeaderSection->IsEditing());
    QTRY_VERIFY(W->HeaderSection->hasFocus());
    QCOMPARE(W->HeaderSection->EditValue(), QStringLiteral("Line one\r\nLine two"));
    QTest::keyClick(W->HeaderSection, Qt::Key_F2);
    QVERIFY(W->HeaderSection->IsEditing());
    QTRY_VERIFY(W->HeaderSection->Editor()->hasFocus());
    QTest::keyClick(W->HeaderSection->Editor(), Qt::Key_Tab);
    QVERIFY(!W->HeaderSection->IsEditing());
    QTRY_VERIFY(W->InstructionIconSection->hasFocus());

    // Enter on an icon section opens the picker, driven by the keyboard as well.
    WhenModalShows([](QWidget*) {
        // The helper acts once the picker has the keyboard. The focus starts on the top row
        // ("Custom"); each Down selects the row below.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QTest::keyClick(W->InstructionIconSection, Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(W->InstructionIconSection->EditValue(), QStringLiteral("Confirmation"));

    // Generate writes the header as the dialog's texts are written: CR LF.
    W->GenerateActn->trigger();
    QVERIFY2(Code(*W).contains(QStringLiteral("VxDialog1.Header.Text := 'Line one'#13#10'Line two';")),
             qPrintable(Code(*W)));
}

void tst_mainwindow::checkBoxCaptionsFit()
{
    // Every check box is at least as wide as its caption needs, none covers another, and none
    // leaves its box or panel; data captions of the expando and verification boxes too.
    W->ExpandoCheckBox->setText(QStringLiteral("Expand Dialog|Collapse Dialog"));
    W->VerificationCheckBox->setText(QStringLiteral("Do not ask me again about this document"));
    const auto fits = [](QWidget* parent) {
        const QList<QCheckBox*> boxes = parent->findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly);
        QVERIFY(!boxes.isEmpty());
        for (QCheckBox* a : boxes) {
            QVERIFY2(a->width() >= a->sizeHint().width(), qPrintable(a->objectName()));
            QVERIFY2(a->geometry().right() < parent->width() && a->x() >= 0, qPrintable(a->objectName()));
            for (QCheckBox* b : boxes)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + QLatin1Char(' ') + b->objectName()));
        }
    };
    QTRY_VERIFY(W->ExpandoCheckBox->width() >= W->ExpandoCheckBox->sizeHint().width());
    fits(W->gbOptions);
    fits(W->Panel3);
    // The stored places are kept where the captions fit.
    QCOMPARE(W->cbdoShowHelpLink->pos(), QPoint(14, 22));
    QCOMPARE(W->cbButtonOK->y(), 6);
}

void tst_mainwindow::disabledToolbarCaptions()
{
    // Disabled captions in $006D6D6D, enabled ones black: the darkest pixel of each caption.
    const auto darkest = [this](QAction* action) {
        QWidget* button = W->ToolBar1->widgetForAction(action);
        const QImage image = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int dark = 255;
        for (int y = 32; y < image.height(); ++y) // below the image
            for (int x = 0; x < image.width(); ++x)
                dark = qMin(dark, qGray(image.pixel(x, y)));
        return dark;
    };
    QVERIFY(!W->CopyCodeActn->isEnabled());
    const int disabled = darkest(W->CopyCodeActn);
    QVERIFY2(disabled >= 0x50 && disabled <= 0x80, qPrintable(QString::number(disabled, 16)));
    QVERIFY(darkest(W->NewActn) < 0x40);
    // The whole caption shows below the image: the buttons are not cut by the bar.
    const QFontMetrics fm(W->ToolBar1->font());
    QVERIFY(W->ToolBar1->height() >= 32 + fm.height());
    for (QAction* action : W->ToolBar1->actions())
        if (QWidget* button = W->ToolBar1->widgetForAction(action); button && !action->isSeparator())
            QVERIFY2(button->height() >= button->sizeHint().height()
                         && button->geometry().bottom() < W->ToolBar1->height(),
                     qPrintable(action->text()));
}

void tst_mainwindow::captionFollowsPage_data()
{
    QTest::addColumn<int>("marker");
    QTest::addColumn<QString>("caption");
    QTest::newRow("code") << 1 << "Quillfen - Generated Code";
    QTest::newRow("form text") << 2 << "Quillfen - Generated DFM";
    QTest::newRow("c++") << 3 << "Quillfen - Generated C++";
    QTest::newRow("design") << 0 << "Quillfen - Design Dialog";
}

void tst_mainwindow::captionFollowsPage()
{
    QFETCH(int, marker);
    QFETCH(QString, caption);
    if (marker == 0)
        W->VxPageScroller1->SetActivePageIndex(2);
    QTest::mouseClick(W->VxPageScroller1, Qt::LeftButton, {}, MarkerPoint(W->VxPageScroller1, marker));
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), marker);
    QCOMPARE(W->windowTitle(), caption);
    // Swipes go the same way.
    W->VxPageScroller1->DoGesture(sgiLeft);
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), qMin(marker + 1, W->VxPageScroller1->PageCount() - 1));
}

void tst_mainwindow::helpOpensGuide()
{
    QStandardPaths::setTestModeEnabled(true); // the test's own cache folder
    QList<QUrl> opened;
    bool answer = true;
    const TShellOpenHandler old = SetShellOpenHandler([&](const QUrl& url) {
        opened.append(url);
        return answer;
    });
    // Whatever another program left under the guide's name, a link included, is replaced, not
    // written through.
    const QString fileName = TfrmMain::GuideFileName();
    QVERIFY(!fileName.startsWith(QDir::tempPath()));
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim"));
    {
        QFile f(victim);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile::remove(fileName);
    QVERIFY(QFile::link(victim, fileName));

    W->TitleSection->SetIsEditing(true);
    QTest::keyClick(W.get(), Qt::Key_F1);
    QVERIFY(!W->TitleSection->IsEditing());
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened.first().isLocalFile());
    QCOMPARE(opened.first().toLocalFile(), fileName);
    QVERIFY(!QFileInfo(fileName).isSymLink());
    QFile guide(fileName);
    QVERIFY(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    QVERIFY(text.contains(QStringLiteral("Quillfen")));
    QVERIFY(text.contains(QStringLiteral("quillfen generate")));
    QFile kept(victim);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("keep"));
    // The folder is the user's alone.
    QCOMPARE(QFileInfo(QFileInfo(fileName).absolutePath()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
             QFileDevice::Permissions());

    // Nothing can open it: a message gives the guide's path.
    answer = false;
    QString message;
    WhenModalShows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        message = box->text();
        box->accept();
    });
    W->HelpActn->trigger();
    SetShellOpenHandler(old);
    QCOMPARE(opened.size(), 2);
    QVERIFY2(message.contains(QDir::toNativeSeparators(fileName)), qPrintable(message));
}

void tst_mainwindow::previewHelpOpensGuide_data()
{
    QTest::addColumn<QString>("path");     // "link" or "button": what the user clicks in the preview
    QTest::addColumn<QString>("helpType"); // the help link's
    QTest::addColumn<bool>("seam");        // the opener is replaced (else the desktop gets the guide)
    QTest::addColumn<QString>("expected"); // the request the guide was asked for
    QTest::newRow("help link by topic") << "link" << "htContext" << true << "context 12";
    QTest::newRow("help link by keyword") << "link" << "htKeyword" << true << "keyword saving";
    QTest::newRow("Help button: the dialog's topic") << "button" << "htKeyword" << true << "context 77";
    QTest::newRow("Help button, the guide on the desktop") << "button" << "htContext" << false << "";
}

void tst_mainwindow::previewHelpOpensGuide()
{
    QFETCH(QString, path);
    QFETCH(QString, helpType);
    QFETCH(bool, seam);
    QFETCH(QString, expected);
    QStandardPaths::setTestModeEnabled(true); // the test's own cache folder
    // A design whose help settings the page cannot show: they come from the file.
    QTemporaryDir dir;
    const QString design = dir.filePath(QStringLiteral("help.dfm"));
    {
        QFile file(design);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("object dlgHelp: TVxDialog\r\n"
                   "  DialogOptions = [doShowHelpLink, doModal]\r\n"
                   "  HelpContext = 77\r\n"
                   "  HelpLink.HelpContext = 12\r\n"
                   "  HelpLink.HelpKeyword = 'saving'\r\n"
                   "  HelpLink.HelpType = " +
                   helpType.toLatin1() +
                   "\r\n"
                   "  HelpLink.Text = 'Help on saving'\r\n"
                   "  Instruction.Text = 'Save changes?'\r\n"
                   "  ButtonBar.Buttons = [cbOK, cbHelp]\r\n"
                   "  Title = 'Confirm'\r\n"
                   "end\r\n");
    }
    QVERIFY(W->OpenFile(design, false));
    QVERIFY(ApplicationHasHelp());

    QStringList requests;
    QList<QUrl> opened;
    TfrmMain::TGuideOpener oldOpener;
    if (seam)
        oldOpener = TfrmMain::SetGuideOpener([&](const TApplicationHelpRequest& R) {
            requests << (R.ByKeyword ? QStringLiteral("keyword ") + R.HelpKeyword
                                     : QStringLiteral("context ") + QString::number(R.HelpContext));
        });
    const TShellOpenHandler oldShell = SetShellOpenHandler([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    bool clicked = false, stillOpen = false;
    WhenModalShows([&](QWidget* Window) {
        QWidget* target = path == u"link" ? Window->findChild<QWidget*>(QStringLiteral("VxDialogHelpLinkControl"))
                                          : Window->findChild<QWidget*>(QStringLiteral("bHelp"));
        if (target && target->isVisible()) {
            clicked = true;
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
        }
        stillOpen = Window->isVisible();
        Window->close();
    });
    Activate(W.get());
    QTest::keyClick(W.get(), Qt::Key_P, Qt::ControlModifier);
    QTRY_VERIFY(!W->VxDialog1->Form());
    if (seam)
        TfrmMain::SetGuideOpener(oldOpener);
    SetShellOpenHandler(oldShell);
    QVERIFY(clicked);
    // Help leaves the dialog open.
    QVERIFY(stillOpen);
    if (seam) {
        QCOMPARE(requests, QStringList{expected});
        QVERIFY(opened.isEmpty());
    } else {
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().toLocalFile(), TfrmMain::GuideFileName());
    }
    // The guide is the application's help only while the window exists.
    W.reset();
    QVERIFY(!ApplicationHasHelp());
}

// A link in a previewed dialog goes to the shell; when nothing opens it, a message says so over
// the preview, as Help does. Outside a preview the shell's answer is not the designer's business.
void tst_mainwindow::previewLinkThatNothingOpensSaysSo()
{
    QList<QUrl> asked;
    const TShellOpenHandler oldShell = SetShellOpenHandler([&](const QUrl& url) {
        asked.append(url);
        return false; // no browser
    });
    W->ContentSection->SetEditValue(QStringLiteral("Read <a href=\"https://example.org/more\">more</a> first."));
    QString message;
    QWidget* messageParent = nullptr;
    bool clicked = false;
    WhenModalShows([&](QWidget* Preview) {
        WhenModalShows([&](QWidget* Box) {
            message = qobject_cast<QMessageBox*>(Box) ? qobject_cast<QMessageBox*>(Box)->text() : QString();
            messageParent = Box->parentWidget();
            Box->close();
        });
        // The link as the user clicks it, where the content draws it.
        for (auto* caption : Preview->findChildren<TVxCustomCaptionControl*>()) {
            if (!caption->Text()->Text().contains(QStringLiteral("example.org")))
                continue;
            QTRY_VERIFY(caption->HasLinks());
            const QPoint link = caption->Caption()->GetLinkRect(0).ToQRect().center();
            QTest::mouseClick(caption, Qt::LeftButton, Qt::NoModifier, link);
            clicked = true;
        }
        Preview->close();
    });
    Activate(W.get());
    W->PreviewActn->trigger();
    QTRY_VERIFY(!W->VxDialog1->Form());
    QVERIFY(clicked);
    QCOMPARE(asked, QList<QUrl>{QUrl(QStringLiteral("https://example.org/more"))});
    QVERIFY2(message.contains(QStringLiteral("https://example.org/more")), qPrintable(message));
    QVERIFY(messageParent && messageParent != W.get()); // over the preview
    // After the preview, the handler before it is back.
    QVERIFY(!ShellOpen(QStringLiteral("https://example.org/again")));
    QCOMPARE(asked.size(), 2);
    QVERIFY(!QApplication::activeModalWidget());
    SetShellOpenHandler(oldShell);
}

// Opening and previewing show a busy cursor while they work, and never leave it behind: not
// over a message, not over the preview, not after a failure.
void tst_mainwindow::busyCursorOnlyWhileWorking()
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.dfm")), bad = dir.filePath(QStringLiteral("bad.dfm"));
    for (const auto& [file, text] : {std::pair{good, QByteArray("object VxDialog1: TVxDialog\r\n  Title = 'Busy'\r\nend\r\n")},
                                     std::pair{bad, QByteArray("object VxDialog1: TVxDialog\r\n  Title = \r\n")}}) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(text);
    }
    auto cursor = [] { return QApplication::overrideCursor() ? int(QApplication::overrideCursor()->shape()) : -1; };
    QList<int> whileLoading;
    const auto watch = connect(W.get(), &TfrmMain::DesignChanged, this, [&] { whileLoading.append(cursor()); });
    QVERIFY(W->OpenFile(good, false));
    disconnect(watch);
    QVERIFY(!whileLoading.isEmpty());
    QCOMPARE(whileLoading.first(), int(Qt::WaitCursor));
    QCOMPARE(cursor(), -1);

    int overMessage = 0;
    WhenModalShows([&](QWidget* Box) {
        overMessage = cursor();
        Box->close();
    });
    QVERIFY(!W->OpenFile(bad, false));
    QCOMPARE(overMessage, -1);
    QCOMPARE(cursor(), -1);

    int overPreview = 0;
    WhenModalShows([&](QWidget* Preview) {
        overPreview = cursor();
        Preview->close();
    });
    Activate(W.get());
    W->PreviewActn->trigger();
    QTRY_VERIFY(!W->VxDialog1->Form());
    QCOMPARE(overPreview, -1);
    QCOMPARE(cursor(), -1);
}

void tst_mainwindow::failuresReachHandler()
{
    QStringList shown;
    const TExceptionHandler old = SetExceptionHandler([&](const QString& m) { shown.append(m); });
    RunGuarded([] { throw EConvertError(QStringLiteral("Cannot assign a nil to a TVxDialog")); });
    SetExceptionHandler(old);
    QCOMPARE(shown, QStringList{"Cannot assign a nil to a TVxDialog"});
    // The window goes on working.
    W->GenerateActn->trigger();
    QVERIFY(!Code(*W).isEmpty());
}

void tst_mainwindow::exitCloses()
{
    QTest::keyClick(W.get(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!W->isVisible());
}

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
