// The designer's file commands driven through the main window: open, save, the modified marker,
// the unsaved-changes prompt, paste, drop, recent files and a save that cannot be written.

#include "CodeView.h"
#include "DesignFile.h"
#include "FormTextWriter.h"
#include "Shell.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "VxOptions.h"
#include "frmMain.h"
#include "support/ModalHelper.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A design with what the page shows and what it cannot show (radio buttons, a width, a handler,
// an Abort button, a footer that is hidden although it has a text).
const QByteArray Design = "object dlgAsk: TVxDialog\r\n"
                          "  Content.Strings = (\r\n"
                          "    'First line'\r\n"
                          "    'Second line')\r\n"
                          "  DialogOptions = [doRadioButtons, doModal]\r\n"
                          "  Instruction.Text = 'Save changes?'\r\n"
                          "  RadioButtons = <\r\n"
                          "    item\r\n"
                          "      Caption = 'Keep'\r\n"
                          "      Checked = True\r\n"
                          "      Value = 200\r\n"
                          "    end>\r\n"
                          "  ButtonBar.Buttons = [cbYes, cbNo, cbAbort]\r\n"
                          "  Footer.Text = 'Hidden footer'\r\n"
                          "  MainIcon = tdiWarning\r\n"
                          "  Title = 'Confirm'\r\n"
                          "  Width = 400\r\n"
                          "  OnDialogClose = dlgAskClose\r\n"
                          "  Left = 40\r\n"
                          "  Top = 50\r\n"
                          "end\r\n";

QByteArray ReadAll(const QString& FileName)
{
    QFile file(FileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A device that answers every write with "no space left": a node of our own where this user may
// make one (the super-user), so that a faulty save that replaces its target instead of writing
// to it replaces the node and not the system's /dev/full.
QString FullDevice(const QString& Folder)
{
    const QString node = Folder + QStringLiteral("/full-device");
    if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0)
        return node;
    return QStringLiteral("/dev/full");
}

int Mode(const QString& FileName)
{
    struct stat info {};
    return ::stat(QFile::encodeName(FileName).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

// The caption as the window system shows it: the unsaved marker in place of its placeholder.
QString Caption(const QWidget* Window)
{
    QString title = Window->windowTitle();
    return title.replace(QStringLiteral("[*]"), Window->isWindowModified() ? QStringLiteral("*") : QString());
}

void WriteAll(const QString& FileName, const QByteArray& Text)
{
    QFile file(FileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Text);
}

// Answers the next message box with Button.
void Answer(QMessageBox::StandardButton Button)
{
    WhenModalShows([Button](QWidget* Modal) {
        auto* box = qobject_cast<QMessageBox*>(Modal);
        QVERIFY(box);
        box->button(Button)->click();
    });
}

// Answers the next file dialog with FileName, through its interface rather than keys (so it need
// not wait for the keyboard focus, which the offscreen platform may give its line edit late).
void ChooseFile(const QString& FileName)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, FileName] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        dialog->selectFile(FileName);
        static_cast<QDialog*>(dialog)->accept();
    });
    timer->start(5);
}

} // namespace

class tst_filecommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void openShowsTheDesignAndSaveWritesItBack();
    void expandoAndVerificationOpenWithoutQuestions();
    void unsavedChangesPrompt();
    void closeAsksFirst();
    void saveAsForAnUntitledDesign();
    void saveThatCannotBeWritten_data();
    void saveThatCannotBeWritten();
    void readOnlyFile();
    void saveOntoAFullDisk_data();
    void saveOntoAFullDisk();
    void openErrorsChangeNothing();
    void unknownPropertiesOffered();
    void pasteAndDrop();
    void formFileKeepsTheRestOfTheForm();
    void anotherProgramsEdit_data();
    void anotherProgramsEdit();

private:
    std::unique_ptr<TfrmMain> W;
    QTemporaryDir Dir;
};

void tst_filecommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true); // the recent-files list goes to a test folder
}

void tst_filecommands::init()
{
    W = std::make_unique<TfrmMain>();
    W->show();
    QVERIFY(QTest::qWaitForWindowExposed(W.get()));
}

void tst_filecommands::cleanup()
{
    W.reset();
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_filecommands::openShowsTheDesignAndSaveWritesItBack()
{
    const QString file = Dir.filePath(QStringLiteral("ask.dfm"));
    WriteAll(file, Design);
    QVERIFY(W->OpenFile(file));

    // The page shows what it can.
    QCOMPARE(W->TitleSection->EditValue(), QStringLiteral("Confirm"));
    QCOMPARE(W->InstructionSection->EditValue(), QStringLiteral("Save changes?"));
    QCOMPARE(W->ContentSection->EditValue(), QStringLiteral("First line\r\nSecond line"));
    QCOMPARE(W->MainIconSection->EditValue(), QStringLiteral("Warning"));
    QCOMPARE(W->FooterSection->EditValue(), QStringLiteral("Hidden footer"));
    QVERIFY(W->cbdoRadioButtons->isChecked() && W->cbdoModal->isChecked());
    QVERIFY(W->cbButtonYes->isChecked() && W->cbButtonNo->isChecked());
    QVERIFY(!W->cbButtonOK->isChecked() && !W->cbButtonCancel->isChecked());
    QCOMPARE(Caption(W.get()), QStringLiteral("Quillfen - Design Dialog - ask.dfm"));
    QVERIFY(!W->IsModified());
    // The sections show the values, and an edit starts from them.
    QCOMPARE(W->TitleSection->DisplayText(), QStringLiteral("Confirm"));
    QCOMPARE(W->ContentSection->DisplayText(), QStringLiteral("First line\r\nSecond line"));
    W->InstructionSection->SetIsEditing(true);
    QCOMPARE(qobject_cast<QPlainTextEdit*>(W->InstructionSection->Editor())->toPlainText(),
             QStringLiteral("Save changes?"));
    W->InstructionSection->SetIsEditing(false);
    QCOMPARE(W->InstructionSection->EditValue(), QStringLiteral("Save changes?"));
    QCOMPARE(W->RecentFiles().value(0), QFileInfo(file).absoluteFilePath());
    QCOMPARE(W->RecentMenu->actions().value(0)->data().toString(), QFileInfo(file).absoluteFilePath());

    // Saving what was opened writes the same bytes: nothing the page cannot show is lost.
    QVERIFY(W->SaveActnExecute());
    QCOMPARE(ReadAll(file), Design);

    // A change shows the marker; Save writes it and clears the marker.
    W->TitleSection->SetEditValue(QStringLiteral("Confirm again"));
    QTRY_COMPARE(Caption(W.get()), QStringLiteral("Quillfen - Design Dialog - ask.dfm*"));
    W->SaveActn->trigger();
    QCOMPARE(Caption(W.get()), QStringLiteral("Quillfen - Design Dialog - ask.dfm"));
    QByteArray expected = Design;
    expected.replace("Title = 'Confirm'", "Title = 'Confirm again'");
    QCOMPARE(ReadAll(file), expected);
    // No temporary file is left beside it.
    QCOMPARE(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ask.dfm")});

    // Generate writes the kept values as well.
    W->GenerateActn->trigger();
    QVERIFY(W->SynEdit2->Text().contains(QStringLiteral("  Width = 400\n")));
    QVERIFY(W->SynEdit1->Text().contains(QStringLiteral("dlgAsk := TVxDialog.Create(")));
}

// The expando and verification boxes ask for their texts when the user checks them; a design
// that brings the texts opens without asking.
void tst_filecommands::expandoAndVerificationOpenWithoutQuestions()
{
    const QString file = Dir.filePath(QStringLiteral("expando.dfm"));
    WriteAll(file, "object VxDialog1: TVxDialog\r\n"
                   "  Expando.Visible = True\r\n"
                   "  Expando.ShowText = 'More'\r\n"
                   "  Expando.HideText = 'Less'\r\n"
                   "  Verification.Text = 'Do not ask again'\r\n"
                   "  Verification.Visible = True\r\n"
                   "end\r\n");
    QVERIFY(W->OpenFile(file));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(W->ExpandoCheckBox->isChecked() && W->VerificationCheckBox->isChecked());
    QCOMPARE(W->ExpandoCheckBox->text(), QStringLiteral("More|Less"));
    QCOMPARE(W->VerificationCheckBox->text(), QStringLiteral("Do not ask again"));
    QVERIFY(!W->IsModified());
    QVERIFY(W->SaveActnExecute());
    QVERIFY(ReadAll(file).contains("  Expando.ShowText = 'More'\r\n  Expando.HideText = 'Less'\r\n"));
}

void tst_filecommands::unsavedChangesPrompt()
{
    const QString file = Dir.filePath(QStringLiteral("prompt.dfm"));
    WriteAll(file, Design);
    QVERIFY(W->OpenFile(file));
    W->TitleSection->SetEditValue(QStringLiteral("Changed"));
    QVERIFY(W->IsModified());

    // Cancel keeps everything.
    Answer(QMessageBox::Cancel);
    W->NewActn->trigger();
    QCOMPARE(W->TitleSection->EditValue(), QStringLiteral("Changed"));
    QCOMPARE(W->FileName(), QFileInfo(file).absoluteFilePath());

    // Save writes the file, then New goes on with a fresh design.
    Answer(QMessageBox::Save);
    W->NewActn->trigger();
    QVERIFY(ReadAll(file).contains("Title = 'Changed'"));
    QCOMPARE(W->TitleSection->EditValue(), QString());
    QCOMPARE(W->FileName(), QString());
    QCOMPARE(W->windowTitle(), QStringLiteral("Quillfen - Design Dialog"));
    // The fresh design has nothing of the file left.
    W->GenerateActn->trigger();
    QVERIFY(!W->SynEdit2->Text().contains(QStringLiteral("RadioButtons")));
    QVERIFY(W->SynEdit2->Text().startsWith(QStringLiteral("object VxDialog1: TVxDialog")));

    // Discard drops the change; Open then reads the chosen file.
    W->TitleSection->SetEditValue(QStringLiteral("Thrown away"));
    WhenModalShows([file](QWidget* Modal) {
        ChooseFile(file); // the open dialog comes after the question
        qobject_cast<QMessageBox*>(Modal)->button(QMessageBox::Discard)->click();
    });
    W->OpenActn->trigger();
    QCOMPARE(W->TitleSection->EditValue(), QStringLiteral("Changed"));
    QVERIFY(!W->IsModified());
}

void tst_filecommands::closeAsksFirst()
{
    W->TitleSection->SetEditValue(QStringLiteral("Unsaved"));
    QVERIFY(W->IsModified());
    // An untitled design keeps the plain caption.
    QCOMPARE(W->windowTitle(), QStringLiteral("Quillfen - Design Dialog"));
    Answer(QMessageBox::Cancel);
    W->ExitActn->trigger();
    QVERIFY(W->isVisible());
    Answer(QMessageBox::Discard);
    W->close();
    QVERIFY(!W->isVisible());
}

void tst_filecommands::saveAsForAnUntitledDesign()
{
    W->TitleSection->SetEditValue(QStringLiteral("Fresh"));
    const QString file = Dir.filePath(QStringLiteral("fresh")); // the extension is added
    ChooseFile(file);
    W->SaveActn->trigger();
    QCOMPARE(W->FileName(), file + QStringLiteral(".dfm"));
    const QByteArray text = ReadAll(file + QStringLiteral(".dfm"));
    // The file is the form text Generate shows.
    W->GenerateActn->trigger();
    QCOMPARE(QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), W->SynEdit2->Text());
    QVERIFY(text.contains("Title = 'Fresh'"));
    QCOMPARE(Caption(W.get()), QStringLiteral("Quillfen - Generated Code - fresh.dfm"));
}

// Targets no write can replace, whoever runs the test: a folder, and a path whose folder does not
// exist. The design stays in the window, with a message.
void tst_filecommands::saveThatCannotBeWritten_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("a folder") << QStringLiteral("folder.dfm");
    QTest::newRow("a missing folder") << QStringLiteral("missing/x.dfm");
}

void tst_filecommands::saveThatCannotBeWritten()
{
    QFETCH(QString, target);
    QDir(Dir.path()).mkdir(QStringLiteral("folder.dfm"));
    const QString path = Dir.filePath(target);
    W->TitleSection->SetEditValue(QStringLiteral("Not lost"));
    QString message;
    WhenModalShows([&message](QWidget* Modal) {
        auto* box = qobject_cast<QMessageBox*>(Modal);
        message = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QVERIFY(!W->SaveFile(path));
    QVERIFY2(message.startsWith(QStringLiteral("Cannot save \"%1\": ").arg(path)), qPrintable(message));
    QVERIFY(message.contains(QStringLiteral("The design stays in the window")));
    QCOMPARE(W->TitleSection->EditValue(), QStringLiteral("Not lost"));
    QCOMPARE(W->FileName(), QString());
    QVERIFY(W->IsModified());
}

// A read-only file is not replaced (renaming over it would bypass its protection), also for the
// super-user, who may write any file: the permission bits say read-only. A file that may be
// written keeps its mode.
void tst_filecommands::readOnlyFile()
{
    const QString file = Dir.filePath(QStringLiteral("locked.dfm"));
    WriteAll(file, Design);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QVERIFY(W->OpenFile(file));
    W->TitleSection->SetEditValue(QStringLiteral("Changed"));
    QString message;
    WhenModalShows([&message](QWidget* Modal) {
        auto* box = qobject_cast<QMessageBox*>(Modal);
        message = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QVERIFY(!W->SaveActnExecute());
    QVERIFY2(message.contains(QStringLiteral("the file is read-only")), qPrintable(message));
    QCOMPARE(ReadAll(file), Design);
    QCOMPARE(Mode(file), 0444);
    QVERIFY(W->IsModified());

    QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    QVERIFY(W->SaveActnExecute());
    QVERIFY(ReadAll(file).contains("Title = 'Changed'"));
    QCOMPARE(Mode(file), 0640);
}

// A save that fails halfway (a full disk, a file-size limit) says why and leaves the old file
// whole, with no temporary file left behind.
void tst_filecommands::saveOntoAFullDisk_data()
{
    QTest::addColumn<QString>("target"); // empty: a design file in the test's folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("full device") << "device" << "the disk is full";
    QTest::newRow("size limit") << "" << "the file would exceed the largest size allowed";
}

void tst_filecommands::saveOntoAFullDisk()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);
    const QString file = target.isEmpty() ? Dir.filePath(QStringLiteral("full.dfm")) : FullDevice(Dir.path());
    if (target.isEmpty())
        WriteAll(file, Design);
    W->ContentSection->SetEditValue(QString(20000, QLatin1Char('x')));
    QString message;
    WhenModalShows([&message](QWidget* Modal) {
        auto* box = qobject_cast<QMessageBox*>(Modal);
        message = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    // What a disk with 8 KB free does to a write; the signal would end this process instead.
    rlimit old {};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (target.isEmpty()) {
        const rlimit small{8192, old.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    const bool saved = W->SaveFile(file);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!saved);
    QVERIFY2(message.startsWith(QStringLiteral("Cannot save \"%1\": %2").arg(file, reason)), qPrintable(message));
    if (target.isEmpty()) {
        QCOMPARE(ReadAll(file), Design);
        QCOMPARE(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("full.dfm")),
                 QStringList{QStringLiteral("full.dfm")});
    }
}

void tst_filecommands::openErrorsChangeNothing()
{
    W->TitleSection->SetEditValue(QStringLiteral("Mine"));
    const QString file = Dir.filePath(QStringLiteral("broken.dfm"));
    WriteAll(file, "object VxDialog1: TVxDialog\r\n  Title = 'unterminated\r\nend\r\n");
    QString message;
    WhenModalShows([&message](QWidget* Modal) {
        auto* box = qobject_cast<QMessageBox*>(Modal);
        message = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QVERIFY(!W->OpenFile(file, false));
    QCOMPARE(message, QStringLiteral("broken.dfm holds no design that can be read:\nline 2, column 11: unterminated string"));
    QCOMPARE(W->TitleSection->EditValue(), QStringLiteral("Mine"));
    QCOMPARE(W->FileName(), QString());
    QCOMPARE(W->VxDialog1->Name(), QStringLiteral("VxDialog1"));
}

void tst_filecommands::unknownPropertiesOffered()
{
    const QString file = Dir.filePath(QStringLiteral("newer.dfm"));
    WriteAll(file, "object VxDialog1: TVxDialog\r\n  Title = 'Known'\r\n  Sparkle = True\r\nend\r\n");
    QString message;
    WhenModalShows([&message](QWidget* Modal) {
        auto* box = qobject_cast<QMessageBox*>(Modal);
        message = box->text();
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(!W->OpenFile(file, false));
    QVERIFY2(message.contains(QStringLiteral("line 3, column 3: unknown property 'Sparkle' of TVxDialog")),
             qPrintable(message));
    QCOMPARE(W->TitleSection->EditValue(), QString());

    Answer(QMessageBox::Yes);
    QVERIFY(W->OpenFile(file, false));
    QCOMPARE(W->TitleSection->EditValue(), QStringLiteral("Known"));
}

void tst_filecommands::pasteAndDrop()
{
    ClipboardSetText(QString::fromUtf8(Design));
    W->PasteActn->trigger();
    QCOMPARE(W->TitleSection->EditValue(), QStringLiteral("Confirm"));
    QCOMPARE(W->FileName(), QString());
    QVERIFY(W->IsModified()); // pasted, not saved anywhere yet

    // A file dropped on the window opens (after the question about the pasted design).
    const QString file = Dir.filePath(QStringLiteral("dropped.dfm"));
    WriteAll(file, "object VxDialog1: TVxDialog\r\n  Title = 'Dropped'\r\nend\r\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    Answer(QMessageBox::Discard);
    QVERIFY(W->acceptDrops());
    QVERIFY(W->DropFiles(&data));
    QTRY_COMPARE(W->TitleSection->EditValue(), QStringLiteral("Dropped"));
    QCOMPARE(W->FileName(), QFileInfo(file).absoluteFilePath());
}

void tst_filecommands::formFileKeepsTheRestOfTheForm()
{
    const QByteArray form = "\xEF\xBB\xBF"
                            "inherited Form1: TForm1\r\n"
                            "  Caption = 'Project'\r\n"
                            "  object Button1: TButton\r\n"
                            "    Left = 8\r\n"
                            "  end\r\n"
                            "  object dlgAsk: TVxDialog\r\n"
                            "    Title = 'Inside'\r\n"
                            "  end\r\n"
                            "  object Label1: TLabel\r\n"
                            "  end\r\n"
                            "end\r\n";
    const QString file = Dir.filePath(QStringLiteral("Unit1.dfm"));
    WriteAll(file, form);
    QVERIFY(W->OpenFile(file));
    QCOMPARE(W->TitleSection->EditValue(), QStringLiteral("Inside"));
    W->HeaderSection->SetEditValue(QStringLiteral("Added"));
    QVERIFY(W->SaveActnExecute());
    QByteArray expected = form;
    expected.replace("    Title = 'Inside'\r\n", "    Header.Text = 'Added'\r\n    Header.Visible = True\r\n    Title = 'Inside'\r\n");
    QCOMPARE(ReadAll(file), expected);
}

// Another program (the user's IDE) changes the file between Open and Save. Its edit of the rest
// of the form is kept without a question; an edit of the dialog itself is asked about, and
// cancelling leaves the file as that program wrote it.
void tst_filecommands::anotherProgramsEdit_data()
{
    QTest::addColumn<QByteArray>("opened");
    QTest::addColumn<QByteArray>("changed");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray form = "object Form1: TForm1\r\n"
                            "  Caption = 'Project'\r\n"
                            "  object VxDialog1: TVxDialog\r\n"
                            "    Title = 'Inside'\r\n"
                            "  end\r\n"
                            "  object Button1: TButton\r\n"
                            "  end\r\n"
                            "end\r\n";
    QByteArray withEdit = form;
    withEdit.replace("  object Button1", "  object Edit1: TEdit\r\n    Text = 'typed'\r\n  end\r\n  object Button1");
    QByteArray savedWithEdit = withEdit;
    savedWithEdit.replace("    Title = 'Inside'", "    Title = 'Mine'");
    QTest::newRow("an edit added to the form") << form << withEdit << false << savedWithEdit;

    QByteArray retitled = withEdit;
    retitled.replace("    Title = 'Inside'", "    Title = 'Theirs'");
    QTest::newRow("the dialog changed too") << form << retitled << true << savedWithEdit;

    const QByteArray alone = "object VxDialog1: TVxDialog\r\n  Title = 'Inside'\r\nend\r\n";
    QByteArray wrapped = "object Form1: TForm1\r\n  Caption = 'Wrapped'\r\n  " + alone;
    wrapped.replace("\r\n  Title", "\r\n    Title").replace("\r\nend\r\n", "\r\n  end\r\nend\r\n");
    QByteArray savedWrapped = wrapped;
    savedWrapped.replace("    Title = 'Inside'", "    Title = 'Mine'");
    QTest::newRow("a dialog alone put into a form") << alone << wrapped << false << savedWrapped;

    QTest::newRow("a dialog alone changed")
        << alone << QByteArray("object VxDialog1: TVxDialog\r\n  Title = 'Theirs'\r\nend\r\n") << true
        << QByteArray("object VxDialog1: TVxDialog\r\n  Title = 'Mine'\r\nend\r\n");
    QTest::newRow("no dialog left") << form << QByteArray("object Form1: TForm1\r\nend\r\n") << true
                                    << QByteArray(form).replace("'Inside'", "'Mine'");
}

void tst_filecommands::anotherProgramsEdit()
{
    QFETCH(QByteArray, opened);
    QFETCH(QByteArray, changed);
    QFETCH(bool, asks);
    QFETCH(QByteArray, saved);
    const QString file = Dir.filePath(QStringLiteral("Unit1.dfm"));
    WriteAll(file, opened);
    QVERIFY(W->OpenFile(file, false));
    W->TitleSection->SetEditValue(QStringLiteral("Mine"));
    WriteAll(file, changed);

    bool asked = false;
    if (asks) {
        WhenModalShows([&asked](QWidget* Modal) {
            auto* box = qobject_cast<QMessageBox*>(Modal);
            QVERIFY(box);
            asked = box->text().contains(QStringLiteral("Another program changed"));
            box->button(QMessageBox::Cancel)->click();
        });
        QVERIFY(!W->SaveActnExecute());
        QVERIFY(asked);
        QCOMPARE(ReadAll(file), changed);
        QVERIFY(W->IsModified());
        Answer(QMessageBox::Save);
    }
    QVERIFY(W->SaveActnExecute());
    QCOMPARE(ReadAll(file), saved);
    QVERIFY(!W->IsModified());
    // The save is now what the window knows: the next one asks nothing and keeps the file.
    QVERIFY(W->SaveActnExecute());
    QCOMPARE(ReadAll(file), saved);
}

QTEST_MAIN(tst_filecommands)
#include "tst_filecommands.moc"
