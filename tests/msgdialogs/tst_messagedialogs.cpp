#include "VxDialogStrs.h"
#include "VxDialogs.h"
#include "private/MessageDialogSetup_p.h"

#include "Graphics.h"
#include "VxDialog.h"
#include "VxDialogSound.h"
#include "VxOptions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <chrono>
#include <functional>
#include <future>
#include <memory>

using namespace msgdialogs;

Q_DECLARE_METATYPE(TMsgDlgButtons)
Q_DECLARE_METATYPE(TMsgDlgType)
Q_DECLARE_METATYPE(TMsgDlgBtn)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

const TMsgDlgButtons NativeKinds{mbYes, mbNo, mbOK, mbCancel, mbRetry, mbClose};

// What a message box showed when the test answered it.
struct TShownBox {
    bool Seen = false;
    QString Title;
    QString Text;
    Qt::TextFormat Format = Qt::AutoText;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
    QStringList Captions; // in the order of the standard button values
    QWidget* Parent = nullptr;
};

// Waits, inside the box's modal loop, for the next message box, records what it shows and lets
// Answer act on it. With CloseOthers, whatever else turns up modal is closed, so a wrong path
// fails the test instead of hanging it. It gives up after ten seconds.
class TBoxAnswerer : public QObject {
public:
    TBoxAnswerer(TShownBox& Shown, std::function<void(QMessageBox*)> Answer, bool CloseOthers = true)
        : FShown(Shown), FAnswer(std::move(Answer)), FCloseOthers(CloseOthers)
    {
        FClock.start();
        connect(&FTimer, &QTimer::timeout, this, &TBoxAnswerer::Poll);
        FTimer.start(5);
    }

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
            FTimer.stop();
            FShown.Seen = true;
            FShown.Title = box->windowTitle();
            FShown.Text = box->text();
            FShown.Format = box->textFormat();
            FShown.Icon = box->icon();
            FShown.Buttons = box->standardButtons();
            FShown.Parent = box->parentWidget();
            for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1)
                if (QAbstractButton* button = box->button(QMessageBox::StandardButton(b)))
                    FShown.Captions << button->text();
            FAnswer(box);
        } else if (FCloseOthers && modal && modal->isVisible()) {
            FTimer.stop();
            modal->close();
        } else if (FClock.elapsed() > 10000) {
            FTimer.stop();
        }
    }

    TShownBox& FShown;
    std::function<void(QMessageBox*)> FAnswer;
    bool FCloseOthers;
    QTimer FTimer;
    QElapsedTimer FClock;
};

std::function<void(QMessageBox*)> Click(QMessageBox::StandardButton Button)
{
    return [Button](QMessageBox* box) {
        QAbstractButton* button = box->button(Button);
        if (!button) {
            box->done(-1);
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

// What an emulated message dialog showed when the test answered it.
struct TShownDialog {
    bool Seen = false;
    QString WindowTitle;
    QString Content;
    TTaskDialogIcon Icon = tdiNone;
    QStringList Captions;      // the common buttons, in creation order
    QString DefaultCaption;    // the button Enter presses
    QString FocusCaption;      // the button that has the window's focus
    bool StaysOnTop = false;
};

// The answer the next emulated dialog gets, once its window shows: a button to click (by modal
// result), or a key.
struct TEmulatedAnswer {
    int ClickResult = 0;
    Qt::Key Key = Qt::Key_unknown;
};
TEmulatedAnswer NextAnswer;
TShownDialog* NextShown = nullptr;

// The message dialog class of the emulated tests: a TVxDialog that answers itself from inside its
// modal loop, after recording what it shows.
std::unique_ptr<TVxCustomDialog> CreateAnsweringDialog()
{
    auto dialog = std::make_unique<TVxDialog>(nullptr);
    TVxCustomDialog* d = dialog.get();
    d->OnDialogShow = TNotifyEvent([d](TObject*) {
        QTimer::singleShot(0, [d] {
            auto* window = qobject_cast<QWidget*>(d->Form());
            if (!window)
                return;
            if (TShownDialog* shown = NextShown) {
                shown->Seen = true;
                shown->WindowTitle = window->windowTitle();
                shown->Content = d->Content()->Text();
                shown->Icon = d->MainIcon();
                shown->StaysOnTop = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                for (int result : {mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrAll, mrNoToAll,
                                   mrYesToAll, mrClose})
                    if (auto* b = qobject_cast<QPushButton*>(d->GetControl(ctButton, result))) {
                        shown->Captions << b->text();
                        if (b->isDefault())
                            shown->DefaultCaption = b->text();
                        if (window->focusWidget() == b)
                            shown->FocusCaption = b->text();
                    }
            }
            if (NextAnswer.ClickResult) {
                if (auto* b = qobject_cast<QAbstractButton*>(d->GetControl(ctButton, NextAnswer.ClickResult)))
                    QTest::mouseClick(b, Qt::LeftButton);
            } else if (NextAnswer.Key != Qt::Key_unknown) {
                QWidget* target = QApplication::focusWidget();
                QTest::keyClick(target && target->window() == window ? target : window, NextAnswer.Key);
            }
            // A dialog the answer does not close is closed later, so the test fails instead of hanging.
            QTimer::singleShot(10000, window, [d] { d->Close(mrNone); });
        });
    });
    return dialog;
}

// Restores the unit variables and the process switches after each test.
struct TUnitState {
    TVxCustomDialogClass Class = MessageDialogClass;
    TDialogPosition Position = MessageDialogPosition;
    bool Force = ForceEmulatedMessages;
    bool TopMost = MessageDialogsTopMost;
    bool Sounds = MessageDialogsPlaySounds;
    bool Styles = StyleServicesEnabled();
    void Restore() const
    {
        MessageDialogClass = Class;
        MessageDialogPosition = Position;
        ForceEmulatedMessages = Force;
        MessageDialogsTopMost = TopMost;
        MessageDialogsPlaySounds = Sounds;
        SetStyleServicesEnabled(Styles);
    }
};

} // namespace

class TestMessageDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void unitVariablesStartUp();
    void nativeOrEmulated_data();
    void nativeOrEmulated();
    void defaultButton_data();
    void defaultButton();
    void titles_data();
    void titles();

    void nativeBoxAnswered_data();
    void nativeBoxAnswered();
    void showErrorIsOneOkButton();
    void nativeTextsAreCutAndPlain_data();
    void nativeTextsAreCutAndPlain();
    void nativeBoxFollowsTheLanguage();
    void nativeBoxParentIsTheActiveWindow();
    void offTheGuiThreadNothingShows();

    void emulatedRunAnswered_data();
    void emulatedRunAnswered();
    void emulatedRunFollowsTheUnitVariables();
    void emulatedRunFollowsTheLanguage();
    void emulatedSetUp_data();
    void emulatedSetUp();
    void emulatedSetUpKeepsRolesTheBarDoesNotUse();
    void emulatedBoxAnswersEnterAndEscape_data();
    void emulatedBoxAnswersEnterAndEscape();

private:
    TUnitState FState;
    QStringList FSounds;
};

void TestMessageDialogs::initTestCase()
{
    FState = TUnitState();
    // Sounds are recorded, not played.
    SetSoundPlayer([this](const TVxSoundRequest& Request) { FSounds << Request.EventId + Request.FileName; });
}

void TestMessageDialogs::cleanup()
{
    FState.Restore();
    InstallStringTableTranslation(QLocale(QLocale::English));
    const QWidgetList left = QApplication::topLevelWidgets();
    for (QWidget* w : left)
        QVERIFY2(!w->isVisible(), qPrintable("window left open: " + w->windowTitle()));
}

void TestMessageDialogs::unitVariablesStartUp()
{
    QVERIFY(MessageDialogClass == &CreateVxDialog);
    QCOMPARE(MessageDialogPosition, dpScreenCenter);
    QCOMPARE(ForceEmulatedMessages, false);
    QCOMPARE(MessageDialogsTopMost, false);
    QCOMPARE(MessageDialogsPlaySounds, true);
    const std::unique_ptr<TVxCustomDialog> dialog = CreateVxDialog();
    QVERIFY(dynamic_cast<TVxDialog*>(dialog.get()));
    QCOMPARE(dialog->Owner(), nullptr);
}

void TestMessageDialogs::nativeOrEmulated_data()
{
    QTest::addColumn<TMsgDlgButtons>("buttons");
    QTest::addColumn<bool>("nativeKinds");
    struct Row {
        const char* Name;
        TMsgDlgButtons Buttons;
    } rows[] = {
        {"Yes", {mbYes}}, {"No", {mbNo}}, {"OK", {mbOK}}, {"Cancel", {mbCancel}}, {"Retry", {mbRetry}},
        {"Close", {mbClose}}, {"Yes No", {mbYes, mbNo}}, {"Yes No Cancel", {mbYes, mbNo, mbCancel}},
        {"OK Cancel", {mbOK, mbCancel}}, {"Retry Cancel", {mbRetry, mbCancel}},
        {"all six native", NativeKinds}, {"none", {}},
        {"Abort", {mbAbort}}, {"Ignore", {mbIgnore}}, {"All", {mbAll}}, {"No to All", {mbNoToAll}},
        {"Yes to All", {mbYesToAll}}, {"Help", {mbHelp}}, {"OK Help", {mbOK, mbHelp}},
        {"Abort Retry Ignore", {mbAbort, mbRetry, mbIgnore}}, {"Yes No YesToAll", {mbYes, mbNo, mbYesToAll}},
    };
    for (const Row& r : rows)
        QTest::newRow(r.Name) << r.Buttons << (r.Buttons - NativeKinds).IsEmpty();
}

void TestMessageDialogs::nativeOrEmulated()
{
    QFETCH(TMsgDlgButtons, buttons);
    QFETCH(bool, nativeKinds);
    SetStyleServicesEnabled(true);
    QCOMPARE(UseNativeMessageBox(buttons), nativeKinds);
    ForceEmulatedMessages = true;
    QVERIFY(!UseNativeMessageBox(buttons));
    ForceEmulatedMessages = false;
    SetStyleServicesEnabled(false);
    QVERIFY(!UseNativeMessageBox(buttons));
}

void TestMessageDialogs::defaultButton_data()
{
    QTest::addColumn<TMsgDlgButtons>("buttons");
    QTest::addColumn<TMsgDlgBtn>("expected");
    QTest::newRow("OK") << TMsgDlgButtons{mbOK} << mbOK;
    QTest::newRow("OK before Yes") << TMsgDlgButtons{mbYes, mbNo, mbOK} << mbOK;
    QTest::newRow("Yes No") << TMsgDlgButtons{mbYes, mbNo} << mbYes;
    QTest::newRow("Yes No Cancel") << TMsgDlgButtons{mbYes, mbNo, mbCancel} << mbYes;
    QTest::newRow("Abort Ignore") << TMsgDlgButtons{mbAbort, mbIgnore} << mbRetry;
    QTest::newRow("No Cancel") << TMsgDlgButtons{mbNo, mbCancel} << mbRetry;
    QTest::newRow("Close") << TMsgDlgButtons{mbClose} << mbRetry;
    QTest::newRow("none") << TMsgDlgButtons{} << mbRetry;
}

void TestMessageDialogs::defaultButton()
{
    QFETCH(TMsgDlgButtons, buttons);
    QFETCH(TMsgDlgBtn, expected);
    QCOMPARE(DefaultButtonFor(buttons), expected);
}

void TestMessageDialogs::titles_data()
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QTest::addColumn<TMsgDlgType>("type");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("german");
    QTest::newRow("warning") << mtWarning << "Warning" << "Warnung";
    QTest::newRow("error") << mtError << "Error" << "Fehler";
    QTest::newRow("information") << mtInformation << "Information" << "Information";
    QTest::newRow("confirmation") << mtConfirmation << "Confirmation" << "Bestätigung";
    QTest::newRow("custom") << mtCustom << program << program;
    QTest::newRow("out of range") << TMsgDlgType(9) << program << program;
}

void TestMessageDialogs::titles()
{
    QFETCH(TMsgDlgType, type);
    QFETCH(QString, english);
    QFETCH(QString, german);
    QCOMPARE(QFileInfo(QCoreApplication::applicationFilePath()).fileName(), QString("msgdialogs_tst_messagedialogs"));
    QCOMPARE(MessageDialogTitle(type), english);
    QVERIFY(InstallStringTableTranslation(QLocale("de_DE")));
    QCOMPARE(MessageDialogTitle(type), german);
}

void TestMessageDialogs::nativeBoxAnswered_data()
{
    QTest::addColumn<TMsgDlgType>("type");
    QTest::addColumn<TMsgDlgButtons>("buttons");
    QTest::addColumn<QMessageBox::StandardButton>("click");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("shownButtons");
    QTest::addColumn<int>("icon");
    using B = QMessageBox;
    QTest::newRow("OK") << mtInformation << TMsgDlgButtons{mbOK} << B::Ok << 1 << int(B::Ok) << int(B::Information);
    QTest::newRow("OK Cancel: Cancel") << mtWarning << TMsgDlgButtons{mbOK, mbCancel} << B::Cancel << 2
                                       << int(B::Ok | B::Cancel) << int(B::Warning);
    QTest::newRow("OK Cancel: OK") << mtWarning << TMsgDlgButtons{mbOK, mbCancel} << B::Ok << 1
                                   << int(B::Ok | B::Cancel) << int(B::Warning);
    QTest::newRow("Yes No: Yes") << mtConfirmation << TMsgDlgButtons{mbYes, mbNo} << B::Yes << 6
                                 << int(B::Yes | B::No) << int(B::Question);
    QTest::newRow("Yes No: No") << mtConfirmation << TMsgDlgButtons{mbYes, mbNo} << B::No << 7
                                << int(B::Yes | B::No) << int(B::Question);
    QTest::newRow("Yes No Cancel: Cancel") << mtConfirmation << TMsgDlgButtons{mbYes, mbNo, mbCancel} << B::Cancel
                                           << 2 << int(B::Yes | B::No | B::Cancel) << int(B::Question);
    QTest::newRow("Retry Cancel: Retry") << mtError << TMsgDlgButtons{mbRetry, mbCancel} << B::Retry << 4
                                         << int(B::Retry | B::Cancel) << int(B::Critical);
    QTest::newRow("Close: the box's own OK") << mtError << TMsgDlgButtons{mbClose} << B::Ok << 1 << int(B::Ok)
                                             << int(B::Critical);
    QTest::newRow("OK Close") << mtCustom << TMsgDlgButtons{mbOK, mbClose} << B::Ok << 1 << int(B::Ok)
                              << int(B::NoIcon);
    QTest::newRow("none requested") << mtInformation << TMsgDlgButtons{} << B::Ok << 1 << int(B::Ok)
                                    << int(B::Information);
}

void TestMessageDialogs::nativeBoxAnswered()
{
    QFETCH(TMsgDlgType, type);
    QFETCH(TMsgDlgButtons, buttons);
    QFETCH(QMessageBox::StandardButton, click);
    QFETCH(int, expected);
    QFETCH(int, shownButtons);
    QFETCH(int, icon);
    SetStyleServicesEnabled(true);
    TShownBox shown;
    TBoxAnswerer answerer(shown, Click(click));
    // The default button is not used by the native box; pass one that would be wrong.
    QCOMPARE(VxMessageDlgEx("Proceed?", type, buttons, mbAbort, 7), expected);
    QVERIFY(shown.Seen);
    QCOMPARE(int(shown.Buttons), shownButtons);
    QCOMPARE(int(shown.Icon), icon);
    QCOMPARE(shown.Title, MessageDialogTitle(type));
    QCOMPARE(shown.Text, QString("Proceed?"));
}

void TestMessageDialogs::showErrorIsOneOkButton()
{
    SetStyleServicesEnabled(true);
    TShownBox shown;
    TBoxAnswerer answerer(shown, Click(QMessageBox::Ok));
    QCOMPARE(VxShowError("Disk full"), mrOk);
    QVERIFY(shown.Seen);
    QCOMPARE(shown.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(shown.Captions, QStringList{"OK"});
    QCOMPARE(shown.Title, QString("Error"));
    QCOMPARE(shown.Icon, QMessageBox::Critical);

    // Escape on a box with Cancel answers Cancel.
    TShownBox shownEscape;
    TBoxAnswerer escape(shownEscape, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(VxMessageDlg("Go on?", mtWarning, {mbOK, mbCancel}, 0), mrCancel);
    QVERIFY(shownEscape.Seen);
}

void TestMessageDialogs::nativeTextsAreCutAndPlain_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    const QString exact(NativeMessageTextLimit, QChar('x'));
    QTest::newRow("short") << "Two\nlines" << "Two\nlines";
    QTest::newRow("markup stays text") << "<b>bold</b> &amp;" << "<b>bold</b> &amp;";
    QTest::newRow("at the limit") << exact << exact;
    QTest::newRow("one over") << exact + "y" << exact;
    QTest::newRow("far over") << QString(100000, QChar('z')) << QString(NativeMessageTextLimit, QChar('z'));
    // A character outside the basic plane across the limit is dropped whole.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString pad(NativeMessageTextLimit - 1, QChar('a'));
    QTest::newRow("surrogate pair at the limit") << pad + emoji << pad;
}

void TestMessageDialogs::nativeTextsAreCutAndPlain()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(CutNativeText(message), shown);
    QMessageBox box;
    SetUpNativeMessageBox(box, message, mtInformation, {mbOK});
    QCOMPARE(box.text(), shown);
    QCOMPARE(box.textFormat(), Qt::PlainText);
}

void TestMessageDialogs::nativeBoxFollowsTheLanguage()
{
    SetStyleServicesEnabled(true);
    QVERIFY(InstallStringTableTranslation(QLocale("de_DE")));
    TShownBox shown;
    TBoxAnswerer answerer(shown, Click(QMessageBox::No));
    QCOMPARE(VxMessageDlg("Speichern?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0), mrNo);
    QVERIFY(shown.Seen);
    QCOMPARE(shown.Title, QString("Bestätigung"));
    // Yes, No, Cancel in the order of the standard button values.
    QCOMPARE(shown.Captions, QStringList({"&Ja", "&Nein", "Abbrechen"}));
}

void TestMessageDialogs::nativeBoxParentIsTheActiveWindow()
{
    SetStyleServicesEnabled(true);
    QWidget window;
    window.setWindowTitle("owner");
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    TShownBox shown;
    TBoxAnswerer answerer(shown, Click(QMessageBox::Ok));
    QCOMPARE(VxMessageDlg("Saved.", mtInformation, {mbOK}, 0), mrOk);
    QVERIFY(shown.Seen);
    QCOMPARE(shown.Parent, &window);
    window.close();
}

void TestMessageDialogs::offTheGuiThreadNothingShows()
{
    QVERIFY(LoadTaskDialog());
    // Off the GUI thread there is no native box: nothing shows and the result is 0.
    // The worker hands its results over through a promise, an ordering the thread sanitizer sees
    // (it cannot see the one QThread::wait gives, inside the uninstrumented Qt).
    struct TThreadResults
    {
        bool Available = true;
        int Result = -1;
        int Emulated = -1;
    };
    std::promise<TThreadResults> handOver;
    std::future<TThreadResults> received = handOver.get_future();
    SetStyleServicesEnabled(true);
    std::unique_ptr<QThread> worker(QThread::create([&handOver] {
        TThreadResults results;
        results.Available = LoadTaskDialog();
        results.Result = NativeMessageDlg("From a thread", mtError, {mbOK}, 0);
        // Neither path can show a window here.
        results.Emulated =
            VxMessageDlg("From a thread", mtWarning, {mbAbort, mbIgnore}, 0) + VxShowError("From a thread");
        handOver.set_value(results);
    }));
    worker->start();
    QVERIFY(worker->wait(10000));
    QCOMPARE(received.wait_for(std::chrono::seconds(0)), std::future_status::ready);
    const TThreadResults results = received.get();
    QVERIFY(!results.Available);
    QCOMPARE(results.Result, 0);
    QCOMPARE(results.Emulated, 0);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestMessageDialogs::emulatedRunAnswered_data()
{
    QTest::addColumn<bool>("styles");
    QTest::addColumn<TMsgDlgType>("type");
    QTest::addColumn<TMsgDlgButtons>("buttons");
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("defaultCaption");
    const int none = Qt::Key_unknown;
    // Buttons the native box cannot show: emulated even with style services.
    QTest::newRow("Abort Retry Ignore: Ignore")
        << true << mtWarning << TMsgDlgButtons{mbAbort, mbRetry, mbIgnore} << int(mrIgnore) << none << int(mrIgnore)
        << QStringList({"&Abort", "&Retry", "&Ignore"}) << "&Retry";
    QTest::newRow("Abort Retry Ignore: Enter presses Retry")
        << true << mtWarning << TMsgDlgButtons{mbAbort, mbRetry, mbIgnore} << 0 << int(Qt::Key_Return)
        << int(mrRetry) << QStringList({"&Abort", "&Retry", "&Ignore"}) << "&Retry";
    QTest::newRow("Abort Ignore: the first is default") << true << mtError << TMsgDlgButtons{mbAbort, mbIgnore}
                                                        << int(mrAbort) << none << int(mrAbort)
                                                        << QStringList({"&Abort", "&Ignore"}) << "&Abort";
    QTest::newRow("OK Help: OK") << true << mtInformation << TMsgDlgButtons{mbOK, mbHelp} << int(mrOk) << none
                                 << int(mrOk) << QStringList({"OK"}) << "OK";
    QTest::newRow("to all") << true << mtConfirmation << TMsgDlgButtons{mbYes, mbYesToAll, mbNoToAll, mbAll}
                            << int(mrNoToAll) << none << int(mrNoToAll)
                            << QStringList({"&Yes", "&All", "N&o to All", "Yes to &All"}) << "&Yes";
    // Without style services the native kinds are emulated too.
    QTest::newRow("no styles: Yes No, Enter") << false << mtConfirmation << TMsgDlgButtons{mbYes, mbNo} << 0
                                              << int(Qt::Key_Return) << int(mrYes)
                                              << QStringList({"&Yes", "&No"}) << "&Yes";
    QTest::newRow("no styles: Yes No, No") << false << mtConfirmation << TMsgDlgButtons{mbYes, mbNo} << int(mrNo)
                                           << none << int(mrNo) << QStringList({"&Yes", "&No"}) << "&Yes";
    QTest::newRow("no styles: OK Cancel, Escape") << false << mtWarning << TMsgDlgButtons{mbOK, mbCancel} << 0
                                                  << int(Qt::Key_Escape) << int(mrCancel)
                                                  << QStringList({"OK", "Cancel"}) << "OK";
    QTest::newRow("no styles: Close (the error box)") << false << mtError << TMsgDlgButtons{mbClose} << int(mrClose)
                                                      << none << int(mrClose) << QStringList({"&Close"}) << "&Close";
    QTest::newRow("no styles: custom type") << false << mtCustom << TMsgDlgButtons{mbOK} << int(mrOk) << none
                                            << int(mrOk) << QStringList({"OK"}) << "OK";
}

void TestMessageDialogs::emulatedRunAnswered()
{
    QFETCH(bool, styles);
    QFETCH(TMsgDlgType, type);
    QFETCH(TMsgDlgButtons, buttons);
    QFETCH(int, click);
    QFETCH(int, key);
    QFETCH(int, expected);
    QFETCH(QStringList, captions);
    QFETCH(QString, defaultCaption);
    SetStyleServicesEnabled(styles);
    MessageDialogClass = &CreateAnsweringDialog;
    TShownDialog shown;
    NextShown = &shown;
    NextAnswer = TEmulatedAnswer{click, Qt::Key(key)};
    // A native box turning up instead is closed and fails the test.
    TShownBox box;
    TBoxAnswerer answerer(box, [](QMessageBox* b) { b->done(-1); }, false);
    const int result = type == mtError && buttons == TMsgDlgButtons{mbClose}
                           ? VxShowError("Line one\nLine two")
                           : VxMessageDlg("Line one\nLine two", type, buttons, 0);
    NextShown = nullptr;
    QVERIFY(!box.Seen);
    QVERIFY(shown.Seen);
    QCOMPARE(result, expected);
    QCOMPARE(shown.WindowTitle, MessageDialogTitle(type));
    QCOMPARE(shown.Content, QString("Line one\r\nLine two\r\n"));
    QCOMPARE(shown.Captions, captions);
    QCOMPARE(shown.DefaultCaption, defaultCaption);
}

void TestMessageDialogs::emulatedRunFollowsTheUnitVariables()
{
    MessageDialogClass = &CreateAnsweringDialog;
    MessageDialogsTopMost = true;
    SetStyleServicesEnabled(true);
    ForceEmulatedMessages = true;
    TShownDialog shown;
    NextShown = &shown;
    NextAnswer = TEmulatedAnswer{mrOk, Qt::Key_unknown};
    FSounds.clear();
    TShownBox box;
    {
        TBoxAnswerer answerer(box, [](QMessageBox* b) { b->done(-1); }, false);
        QCOMPARE(VxMessageDlg("On top", mtInformation, {mbOK}, 0), mrOk);
    }
    NextShown = nullptr;
    QVERIFY(!box.Seen);
    QVERIFY(shown.Seen);
    QVERIFY(shown.StaysOnTop);
    QCOMPARE(shown.Icon, tdiInformation);
    QCOMPARE(FSounds.size(), 1);

    // Without sounds the dialog is silent.
    MessageDialogsPlaySounds = false;
    FSounds.clear();
    NextShown = &shown;
    QCOMPARE(VxMessageDlg("Quiet", mtWarning, {mbOK}, 0), mrOk);
    NextShown = nullptr;
    QVERIFY(FSounds.isEmpty());

    // The default class is a plain TVxDialog run by the engine; answered through the window.
    MessageDialogClass = nullptr;
    MessageDialogsTopMost = false;
    QTimer poll;
    bool clicked = false;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || qobject_cast<QMessageBox*>(modal))
            return;
        const auto buttons = modal->findChildren<QPushButton*>();
        for (QPushButton* b : buttons)
            if (b->text() == "&Retry") {
                clicked = true;
                poll.stop();
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
    });
    poll.start(5);
    QCOMPARE(VxMessageDlg("Plain class", mtWarning, {mbAbort, mbRetry}, 0), mrRetry);
    QVERIFY(clicked);

    // A class that makes no dialog gets TVxDialog too.
    MessageDialogClass = []() -> std::unique_ptr<TVxCustomDialog> { return nullptr; };
    clicked = false;
    poll.start(5);
    QCOMPARE(VxMessageDlg("No class", mtWarning, {mbAbort, mbRetry}, 0), mrRetry);
    QVERIFY(clicked);
}

void TestMessageDialogs::emulatedRunFollowsTheLanguage()
{
    QVERIFY(InstallStringTableTranslation(QLocale("fr_FR")));
    MessageDialogClass = &CreateAnsweringDialog;
    TShownDialog shown;
    NextShown = &shown;
    NextAnswer = TEmulatedAnswer{mrAbort, Qt::Key_unknown};
    QCOMPARE(VxMessageDlg("Interrompre ?", mtConfirmation, {mbAbort, mbRetry, mbIgnore}, 0), mrAbort);
    NextShown = nullptr;
    QVERIFY(shown.Seen);
    QCOMPARE(shown.WindowTitle, QString("Confirmation"));
    QCOMPARE(shown.Captions, QStringList({"A&bandonner", "&Réessayer", "&Ignorer"}));
    QCOMPARE(shown.DefaultCaption, QString("&Réessayer"));

    QVERIFY(InstallStringTableTranslation(QLocale("de_DE")));
    NextShown = &shown;
    shown = TShownDialog();
    NextAnswer = TEmulatedAnswer{mrClose, Qt::Key_unknown};
    QCOMPARE(VxShowError("Fehlgeschlagen"), mrClose);
    NextShown = nullptr;
    QCOMPARE(shown.WindowTitle, QString("Fehler"));
    QCOMPARE(shown.Captions, QStringList({"&Schließen"}));
}

void TestMessageDialogs::emulatedSetUp_data()
{
    QTest::addColumn<TMsgDlgType>("type");
    QTest::addColumn<TMsgDlgButtons>("buttons");
    QTest::addColumn<TMsgDlgBtn>("defaultButton");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("cancel");
    QTest::newRow("warning, Abort Retry Ignore")
        << mtWarning << TMsgDlgButtons{mbAbort, mbRetry, mbIgnore} << mbRetry << int(tdiWarning) << int(cbOK);
    QTest::newRow("error, Close") << mtError << TMsgDlgButtons{mbClose} << mbClose << int(tdiError) << int(cbClose);
    QTest::newRow("information, OK Help") << mtInformation << TMsgDlgButtons{mbOK, mbHelp} << mbOK
                                          << int(tdiInformation) << int(cbOK);
    QTest::newRow("confirmation, Yes No YesToAll NoToAll")
        << mtConfirmation << TMsgDlgButtons{mbYes, mbNo, mbYesToAll, mbNoToAll} << mbYes << int(tdiConfirmation)
        << int(cbNo);
    QTest::newRow("custom, Yes No Cancel All") << mtCustom << TMsgDlgButtons{mbYes, mbNo, mbCancel, mbAll} << mbNo
                                               << int(tdiCustom) << int(cbCancel);
    QTest::newRow("out of range type") << TMsgDlgType(9) << TMsgDlgButtons{mbIgnore} << mbIgnore << int(tdiNone)
                                       << int(cbOK);
}

void TestMessageDialogs::emulatedSetUp()
{
    QFETCH(TMsgDlgType, type);
    QFETCH(TMsgDlgButtons, buttons);
    QFETCH(TMsgDlgBtn, defaultButton);
    QFETCH(int, icon);
    QFETCH(int, cancel);
    const QString message = "First line\nSecond line";
    for (bool variant : {false, true}) {
        MessageDialogPosition = variant ? dpMainFormCenter : dpScreenCenter;
        MessageDialogsTopMost = variant;
        MessageDialogsPlaySounds = !variant;
        TVxDialog dialog;
        dialog.Font()->SetCharset(ANSI_CHARSET);
        SetUpMessageDialog(&dialog, message, type, buttons, defaultButton, 42);
        QCOMPARE(dialog.Content()->Text(), QString("First line\r\nSecond line\r\n"));
        QCOMPARE(dialog.Title(), MessageDialogTitle(type));
        QCOMPARE(int(dialog.MainIcon()), icon);
        QCOMPARE(dialog.ButtonBar()->Buttons().Mask(), buttons.Mask());
        QCOMPARE(int(dialog.ButtonBar()->Default()), int(defaultButton));
        QCOMPARE(int(dialog.ButtonBar()->Cancel()), cancel);
        QCOMPARE(dialog.HelpContext(), 42);
        QCOMPARE(dialog.Position(), MessageDialogPosition);
        QCOMPARE(dialog.DialogOptions().Contains(doTopMost), variant);
        QCOMPARE(dialog.PlaySounds(), !variant);
        QCOMPARE(dialog.Font()->Charset(), TFont().Charset());
    }
}

void TestMessageDialogs::emulatedSetUpKeepsRolesTheBarDoesNotUse()
{
    TVxDialog dialog;
    dialog.ButtonBar()->SetUseDefault(false);
    dialog.ButtonBar()->SetUseCancel(false);
    dialog.ButtonBar()->SetDefault(cbHelp);
    dialog.ButtonBar()->SetCancel(cbIgnore);
    dialog.SetDialogOptions(TDialogOptions{doModal});
    SetUpMessageDialog(&dialog, "Text", mtWarning, {mbYes, mbNo}, mbYes, 0);
    QCOMPARE(dialog.ButtonBar()->Default(), cbHelp);
    QCOMPARE(dialog.ButtonBar()->Cancel(), cbIgnore);
    QCOMPARE(dialog.ButtonBar()->Buttons(), TCommonButtons({cbYes, cbNo}));
    // Options the dialog class set stay; top-most is only added.
    QCOMPARE(dialog.DialogOptions(), TDialogOptions{doModal});
}

void TestMessageDialogs::emulatedBoxAnswersEnterAndEscape_data()
{
    // Every emulated box has a default button with the focus: Enter presses it, Escape answers
    // as the button that backs out (or the window's close), and a box asked for no button shows OK.
    QTest::addColumn<TMsgDlgButtons>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("defaultCaption");
    const int enter = Qt::Key_Return;
    const int escape = Qt::Key_Escape;
    struct Row {
        const char* Name;
        TMsgDlgButtons Buttons;
        int Key;
        int Expected;
        QStringList Captions;
        const char* Default;
    } rows[] = {
        {"error box, Enter", {mbClose}, enter, mrClose, {"&Close"}, "&Close"},
        {"error box, Escape", {mbClose}, escape, mrClose, {"&Close"}, "&Close"},
        {"No, Enter", {mbNo}, enter, mrNo, {"&No"}, "&No"},
        {"No, Escape", {mbNo}, escape, mrNo, {"&No"}, "&No"},
        {"Cancel, Enter", {mbCancel}, enter, mrCancel, {"Cancel"}, "Cancel"},
        {"Abort, Enter", {mbAbort}, enter, mrAbort, {"&Abort"}, "&Abort"},
        {"Abort, Escape", {mbAbort}, escape, mrCancel, {"&Abort"}, "&Abort"},
        {"All, Enter", {mbAll}, enter, mrAll, {"&All"}, "&All"},
        {"Help Close, Enter", {mbHelp, mbClose}, enter, mrClose, {"&Close"}, "&Close"},
        {"Help Close, Escape", {mbHelp, mbClose}, escape, mrClose, {"&Close"}, "&Close"},
        {"no buttons, Enter", {}, enter, mrOk, {"OK"}, "OK"},
        {"no buttons, Escape", {}, escape, mrOk, {"OK"}, "OK"},
    };
    for (const Row& r : rows)
        QTest::newRow(r.Name) << r.Buttons << r.Key << r.Expected << r.Captions << QString::fromLatin1(r.Default);
}

void TestMessageDialogs::emulatedBoxAnswersEnterAndEscape()
{
    QFETCH(TMsgDlgButtons, buttons);
    QFETCH(int, key);
    QFETCH(int, expected);
    QFETCH(QStringList, captions);
    QFETCH(QString, defaultCaption);
    SetStyleServicesEnabled(false);
    MessageDialogClass = &CreateAnsweringDialog;
    TShownDialog shown;
    NextShown = &shown;
    NextAnswer = TEmulatedAnswer{0, Qt::Key(key)};
    const int result = buttons == TMsgDlgButtons{mbClose} ? VxShowError("Failed.")
                                                          : VxMessageDlg("Question?", mtWarning, buttons, 0);
    NextShown = nullptr;
    QVERIFY(shown.Seen);
    QCOMPARE(shown.Captions, captions);
    QCOMPARE(shown.DefaultCaption, defaultCaption);
    QCOMPARE(shown.FocusCaption, defaultCaption);
    QCOMPARE(result, expected);
}

QTEST_MAIN(TestMessageDialogs)
#include "tst_messagedialogs.moc"
