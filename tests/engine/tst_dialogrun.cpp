// Running a dialog: the execute variants, events in order, clicks and keys turned into results,
// the run-time control interface, the Ctrl+C text, sounds and the dialog timer.

#include "../codegen/support/WorkedExample.h"
#include "support/EngineProbe.h"

#include "Shell.h"
#include "StringList.h"
#include "VxCollections.h"
#include "VxDialogSound.h"
#include "VxOptions.h"
#include "VxTaskDialogForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QClipboard>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace {

QAbstractButton* Button(TVxCustomDialog* Dialog, TControlType Type, int Value)
{
    return qobject_cast<QAbstractButton*>(Dialog->GetControl(Type, Value));
}

// Sends a key to the widget that has the focus in Window (the window itself when none).
void Key(QWidget* Window, Qt::Key K, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != Window)
        target = Window;
    QTest::keyClick(target, K, Modifiers);
}

} // namespace

class TestDialogRun : public QObject {
    Q_OBJECT

private:
    QList<TVxSoundRequest> FSounds;

private slots:
    void initTestCase()
    {
        InstallDialogEngine();
        SetSoundPlayer([this](const TVxSoundRequest& Request) { FSounds.append(Request); });
    }

    void init() { FSounds.clear(); }

    void cleanup()
    {
        // A test that leaves a dialog window behind fails.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TVxTaskDialogForm*>(w))
                QFAIL("a dialog window was left open");
    }

    void withoutEngineExecuteRaises()
    {
        const TVxDialogEngineFactory engine = SetDialogEngineFactory(nullptr);
        TVxDialog dialog;
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, dialog.Execute(nullptr));
        QCOMPARE(dialog.Close(1), -1);
        SetDialogEngineFactory(engine);
    }

    void clickToResult_data()
    {
        QTest::addColumn<bool>("customPushButton");
        QTest::addColumn<int>("itemValue");
        QTest::addColumn<int>("itemModalResult");
        QTest::addColumn<int>("expectedResult");
        QTest::addColumn<int>("expectedType");
        QTest::addColumn<int>("expectedCustomResult");
        QTest::newRow("OK common button") << false << 0 << 0 << int(mrOk) << int(ctButton) << int(mrOk);
        QTest::newRow("custom button 101 with result 7") << true << 101 << 7 << 7 << int(ctCommandLink) << 101;
    }

    void clickToResult()
    {
        QFETCH(bool, customPushButton);
        QFETCH(int, itemValue);
        QFETCH(int, itemModalResult);
        QFETCH(int, expectedResult);
        QFETCH(int, expectedType);
        QFETCH(int, expectedCustomResult);

        TVxDialog dialog;
        dialog.SetTitle(QStringLiteral("Click"));
        dialog.ButtonBar()->SetButtons({cbOK, cbCancel});
        if (customPushButton) {
            // Items are numbered from 100 in collection order.
            dialog.CustomButtons()->Add()->SetVisible(false);
            TVxCustomButtonItem* item = dialog.CustomButtons()->Add();
            item->SetCaption(QStringLiteral("Custom"));
            QCOMPARE(item->Value(), itemValue);
            item->SetModalResult(itemModalResult);
        }
        QList<int> clickedTypes;
        dialog.OnControlClick = TControlClickEvent(
            [&](TObject*, TControlType Type, TControl*, int, bool&) { clickedTypes.append(int(Type)); });
        bool closed = false;
        dialog.OnDialogClose = TDialogCloseEvent([&](TVxCustomDialog*) { closed = true; });

        const int result = RunModal(&dialog, [&](QWidget*) {
            QAbstractButton* b = customPushButton ? Button(&dialog, ctCommandLink, 100) : Button(&dialog, ctButton, mrOk);
            QVERIFY(b);
            QTest::mouseClick(b, Qt::LeftButton);
        });
        QCOMPARE(result, expectedResult);
        QCOMPARE(dialog.ModalResult(), expectedResult);
        QCOMPARE(dialog.DialogResult().ModalResult, expectedResult);
        QCOMPARE(dialog.CustomButtonResult(), expectedCustomResult);
        QCOMPARE(clickedTypes, QList<int>{expectedType});
        QVERIFY(closed);
        QVERIFY(!dialog.Form());
    }

    void handledClickKeepsWindowOpen()
    {
        TVxDialog dialog;
        dialog.ButtonBar()->SetButtons({cbYes, cbNo});
        int clicks = 0;
        dialog.OnControlClick = TControlClickEvent([&](TObject*, TControlType, TControl*, int, bool& Handled) {
            Handled = ++clicks == 1;
        });
        const int result = RunModal(&dialog, [&](QWidget* window) {
            QTest::mouseClick(Button(&dialog, ctButton, mrYes), Qt::LeftButton);
            QVERIFY(window->isVisible());
            QCOMPARE(dialog.ModalResult(), int(mrYes));
            QCOMPARE(dialog.CustomButtonResult(), int(mrYes));
            QTest::mouseClick(Button(&dialog, ctButton, mrNo), Qt::LeftButton);
        });
        QCOMPARE(clicks, 2);
        QCOMPARE(result, int(mrNo));
    }

    void closeBoxGivesCancel()
    {
        TVxDialog dialog;
        dialog.ButtonBar()->SetButtons({cbYes, cbNo});
        int closeResult = -1;
        dialog.OnDialogClose = TDialogCloseEvent([&](TVxCustomDialog* D) { closeResult = D->DialogResult().ModalResult; });
        const int result = RunModal(&dialog, [&](QWidget* window) { window->close(); });
        QCOMPARE(result, int(mrCancel));
        QCOMPARE(closeResult, int(mrCancel));
    }

    void escape_data()
    {
        QTest::addColumn<bool>("allowCancel");
        QTest::addColumn<bool>("cancelButton");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("closesOnEscape");
        QTest::newRow("cancel allowed, no cancel button") << true << false << int(mrCancel) << true;
        QTest::newRow("cancel not allowed, no cancel button") << false << false << int(mrOk) << false;
        QTest::newRow("cancel not allowed, cancel button") << false << true << int(mrCancel) << true;
    }

    void escape()
    {
        QFETCH(bool, allowCancel);
        QFETCH(bool, cancelButton);
        QFETCH(int, expected);
        QFETCH(bool, closesOnEscape);
        TVxDialog dialog;
        dialog.SetAllowCancel(allowCancel);
        dialog.ButtonBar()->SetButtons(cancelButton ? TCommonButtons{cbOK, cbCancel} : TCommonButtons{cbOK});
        bool stillOpenAfterEscape = false;
        const int result = RunModal(&dialog, [&](QWidget* window) {
            Key(window, Qt::Key_Escape);
            stillOpenAfterEscape = dialog.Form() && window->isVisible();
            if (stillOpenAfterEscape)
                QTest::mouseClick(Button(&dialog, ctButton, mrOk), Qt::LeftButton);
        });
        QCOMPARE(!stillOpenAfterEscape, closesOnEscape);
        QCOMPARE(result, expected);
    }

    void enterClicksDefaultButton()
    {
        TVxDialog dialog;
        dialog.ButtonBar()->SetButtons({cbYes, cbNo});
        dialog.ButtonBar()->SetDefault(cbNo);
        const int result = RunModal(&dialog, [&](QWidget* window) { Key(window, Qt::Key_Return); });
        QCOMPARE(result, int(mrNo));
    }

    void radioResult_data()
    {
        QTest::addColumn<bool>("border");
        QTest::newRow("radio buttons") << false;
        QTest::newRow("radio group") << true;
    }

    void radioResult()
    {
        QFETCH(bool, border);
        TVxDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doRadioButtons);
        dialog.RadioButton()->SetShowBorder(border);
        for (int i = 0; i < 3; ++i)
            dialog.RadioButtons()->Add()->SetCaption(QStringLiteral("Choice %1").arg(i));
        QList<int> clicked;
        dialog.OnControlClick = TControlClickEvent(
            [&](TObject*, TControlType, TControl*, int Value, bool&) { clicked.append(Value); });
        const int result = RunModal(&dialog, [&](QWidget* window) {
            auto* third = window->findChild<QRadioButton*>(QStringLiteral("rb202"));
            QVERIFY(third);
            QTest::mouseClick(third, Qt::LeftButton, {}, QPoint(4, third->height() / 2));
            QVERIFY(dialog.IsChecked(202));
            QVERIFY(!dialog.IsChecked(200));
            QCOMPARE(dialog.RadioResult(), 202);
            QTest::mouseClick(Button(&dialog, ctButton, mrOk), Qt::LeftButton);
        });
        QCOMPARE(result, int(mrOk));
        QCOMPARE(dialog.DialogResult().RadioResult, 202);
        QCOMPARE(dialog.RadioResult(), 202);
        // A radio group reports its item index + 200, single buttons their value.
        QCOMPARE(clicked.first(), 202);
    }

    void verificationResult()
    {
        TVxDialog dialog;
        dialog.Verification()->SetVisible(true);
        dialog.Verification()->SetText(QStringLiteral("&Don't ask again"));
        QList<bool> clicks;
        dialog.OnVerificationClick = TVerificationClickEvent([&](TObject*, bool Checked) { clicks.append(Checked); });
        const int result = RunModal(&dialog, [&](QWidget*) {
            auto* box = qobject_cast<QWidget*>(dialog.GetControl(ctCheckBox, 0));
            QVERIFY(box);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            QVERIFY(dialog.VerificationResult());
            QTest::mouseClick(Button(&dialog, ctButton, mrOk), Qt::LeftButton);
        });
        QCOMPARE(result, int(mrOk));
        QCOMPARE(clicks, QList<bool>{true});
        QVERIFY(dialog.DialogResult().VerificationResult);
        QVERIFY(dialog.VerificationResult());
    }

    void copyTextOfToggleAndVerification()
    {
        TVxDialog dialog;
        dialog.SetTitle(QStringLiteral("T"));
        dialog.Expando()->SetVisible(true);
        dialog.Expando()->SetShowText(QStringLiteral("&More"));
        dialog.Verification()->SetVisible(true);
        dialog.Verification()->SetText(QStringLiteral("&Don't ask"));
        RunModal(&dialog, [&](QWidget* window) {
            Key(window, Qt::Key_C, Qt::ControlModifier);
            window->close();
        });
        QVERIFY2(ClipboardText().contains(QStringLiteral("[V] More  \r\n[ ] Don't ask  ")), qPrintable(ClipboardText()));
    }

    void toggleExpandsAndCollapses()
    {
        TProbeDialog dialog;
        dialog.Content()->Add(QStringLiteral("Content"));
        dialog.Expando()->SetVisible(true);
        dialog.Expando()->SetShowText(QStringLiteral("&More"));
        dialog.Expando()->SetHideText(QStringLiteral("&Less"));
        dialog.Expando()->Lines()->Add(QStringLiteral("The expanded information."));
        QStringList events;
        dialog.OnDialogExpand = TNotifyEvent([&](TObject*) { events << "Expand"; });
        dialog.OnDialogCollapse = TNotifyEvent([&](TObject*) { events << "Collapse"; });
        RunModal(&dialog, [&](QWidget* window) {
            auto* toggle = qobject_cast<QWidget*>(dialog.GetControl(ctMoreButton, 0));
            QVERIFY(toggle);
            const int collapsedHeight = window->height();
            QWidget* more = dialog.Engine()->MoreLinesLabel();
            QVERIFY(more && more->isHidden());
            QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(4, toggle->height() / 2));
            QVERIFY(window->height() > collapsedHeight);
            QCOMPARE(window->height(), dialog.ClientHeight());
            QVERIFY(more->isVisible());
            const QRect expanded = dialog.Engine()->GetSectionRect(secExpandedText).ToQRect();
            QVERIFY(expanded.contains(more->geometry()));
            QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(4, toggle->height() / 2));
            QCOMPARE(window->height(), collapsedHeight);
            QVERIFY(more->isHidden());
            window->close();
        });
        QCOMPARE(events, (QStringList{"Expand", "Collapse"}));
    }

    void position_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("designed") << int(dpDesigned);
        QTest::newRow("screen centre") << int(dpScreenCenter);
        QTest::newRow("owner form centre") << int(dpOwnerFormCenter);
        QTest::newRow("main form centre") << int(dpMainFormCenter);
    }

    void position()
    {
        QFETCH(int, position);
        QMainWindow owner;
        owner.setGeometry(60, 80, 700, 500);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        TVxDialog dialog;
        dialog.SetPosition(TDialogPosition(position));
        dialog.Location()->SetLeft(30);
        dialog.Location()->SetTop(40);
        QRect placed, client;
        QWidget* parent = nullptr;
        dialog.OnDialogShow = TNotifyEvent([&](TObject*) {
            placed = WindowOf(&dialog)->frameGeometry();
            client = WindowOf(&dialog)->geometry();
            parent = WindowOf(&dialog)->parentWidget();
            QTimer::singleShot(0, [&] { WindowOf(&dialog)->close(); });
        });
        dialog.Execute(&owner);
        QVERIFY(placed.isValid());
        const auto centredIn = [&](const QRect& Area) {
            return qAbs(placed.center().x() - Area.center().x()) <= 1 && qAbs(placed.center().y() - Area.center().y()) <= 1;
        };
        switch (TDialogPosition(position)) {
        case dpDesigned:
            // The window's corner; a platform that does not know the frame before showing puts
            // the client area there.
            QVERIFY(placed.topLeft() == QPoint(30, 40) || client.topLeft() == QPoint(30, 40));
            break;
        case dpScreenCenter: QVERIFY(centredIn(owner.screen()->availableGeometry())); break;
        default: QVERIFY2(centredIn(owner.frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(placed.x()).arg(placed.y()).arg(placed.width()).arg(placed.height()))); break;
        }
        // The owner window is the dialog's transient parent.
        QCOMPARE(parent, &owner);
    }

    void failingHandlerLeavesNoWindow()
    {
        TVxDialog dialog;
        dialog.OnDialogConstructed = TNotifyEvent([](TObject*) { throw EInvalidOperation(QStringLiteral("refused")); });
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, dialog.Execute(nullptr));
        QVERIFY(!dialog.Form());
        QVERIFY(!dialog.DialogState().Contains(dsNormal));
    }

    void commandLinks()
    {
        TProbeDialog dialog;
        dialog.SetTitle(QStringLiteral("T"));
        dialog.SetDialogOptions(dialog.DialogOptions() + doCommandLinks);
        dialog.ButtonBar()->SetButtons({cbCancel});
        TVxCustomButtonItem* first = dialog.CustomButtons()->Add();
        first->SetCaption(QStringLiteral("&Save"));
        first->Info()->Add(QStringLiteral("Keeps the changes"));
        TVxCustomButtonItem* second = dialog.CustomButtons()->Add();
        second->SetCaption(QStringLiteral("&Discard"));
        second->SetModalResult(mrNo);
        bool hotKeysShown = false;
        int heightBefore = 0, heightAfter = 0;
        const int result = RunModal(&dialog, [&](QWidget* window) {
            auto* link = qobject_cast<QWidget*>(dialog.GetControl(ctCommandLink, 100));
            QVERIFY(link);
            link->setProperty("ShowHotKey", false);
            Key(window, Qt::Key_Alt, Qt::AltModifier);
            hotKeysShown = link->property("ShowHotKey").toBool();
            // New details re-measure the link and resize the window.
            heightBefore = window->height();
            TStringList info;
            info.Add(QStringLiteral("One"));
            info.Add(QStringLiteral("Two"));
            info.Add(QStringLiteral("Three"));
            dialog.UpdateCustomButtonDetails(100, QStringLiteral("&Keep"), QStringLiteral("hint"), &info);
            heightAfter = window->height();
            Key(window, Qt::Key_C, Qt::ControlModifier);
            QTest::mouseClick(qobject_cast<QWidget*>(dialog.GetControl(ctCommandLink, 101)), Qt::LeftButton);
        });
        QVERIFY(hotKeysShown);
        QVERIFY(heightAfter > heightBefore);
        QCOMPARE(result, int(mrNo));
        QCOMPARE(dialog.CustomButtonResult(), 101);
        QVERIFY2(ClipboardText().contains(QStringLiteral("[&Save]\r\n  Keeps the changes\r\n\r\n[&Discard]\r\n\r\n[Cancel] \r\n\r\n")),
                 qPrintable(ClipboardText()));
    }

    void eventOrder()
    {
        TVxDialog dialog;
        dialog.Content()->Add(QStringLiteral("Body"));
        QStringList events;
        dialog.OnCreated = TNotifyEvent([&](TObject*) { events << "Created"; });
        dialog.OnGetControlClass =
            TGetControlClassEvent([&](TObject*, TControlType, TControlClass&) { events << "GetControlClass"; });
        dialog.OnInitControl =
            TInitControlEvent([&](TObject*, TControlType, TControl*, TCollectionItem*, bool&) { events << "InitControl"; });
        dialog.OnDialogConstructed = TNotifyEvent([&](TObject* Sender) {
            QVERIFY(dynamic_cast<TVxTaskDialogForm*>(Sender));
            events << "DialogConstructed";
        });
        dialog.OnControlClick = TControlClickEvent([&](TObject*, TControlType, TControl*, int, bool&) { events << "ControlClick"; });
        dialog.OnDialogClose = TDialogCloseEvent([&](TVxCustomDialog*) { events << "DialogClose"; });
        dialog.OnCleanUpDialog = TNotifyEvent([&](TObject*) { events << "CleanUpDialog"; });
        dialog.OnDestroyed = TNotifyEvent([&](TObject*) { events << "Destroyed"; });
        RunModal(&dialog, [&](QWidget*) {
            events << "Shown";
            QTest::mouseClick(Button(&dialog, ctButton, mrOk), Qt::LeftButton);
        });
        // One class look-up and one set-up per common button (OK, Cancel); the click asks for the
        // button class once more to tell a common button from a custom one.
        const QStringList expected{"Created",          "GetControlClass", "InitControl",     "GetControlClass",
                                   "InitControl",      "DialogConstructed", "Shown",         "GetControlClass",
                                   "ControlClick",     "DialogClose",     "CleanUpDialog",   "Destroyed"};
        QCOMPARE(events.join(' '), expected.join(' '));
    }

    void modelessRun()
    {
        QWidget owner;
        TVxDialog first;
        first.SetName(QStringLiteral("Dlg"));
        first.SetDialogOptions(TDialogOptions{});
        TVxDialog second;
        second.SetName(QStringLiteral("Dlg"));
        second.SetDialogOptions(TDialogOptions{});
        bool destroyed = false;
        first.OnDestroyed = TNotifyEvent([&](TObject*) { destroyed = true; });

        QCOMPARE(first.Execute(&owner), -1);
        QCOMPARE(second.Execute(&owner), -1);
        QVERIFY(first.Form() && second.Form());
        QCOMPARE(first.Form()->objectName(), QStringLiteral("VxDialogFormDlg"));
        QCOMPARE(second.Form()->objectName(), QStringLiteral("VxDialogFormDlg1"));
        // A second Execute while the window shows only brings it to the front.
        QObject* window = first.Form();
        QCOMPARE(first.Execute(&owner), -1);
        QCOMPARE(first.Form(), window);

        QCOMPARE(first.Close(mrRetry), int(mrRetry));
        QVERIFY(!first.Form());
        QVERIFY(destroyed);
        QCOMPARE(first.DialogResult().ModalResult, int(mrRetry));

        // Closed by the user: the window frees itself.
        QPointer<QWidget> secondWindow = WindowOf(&second);
        secondWindow->close();
        QTRY_VERIFY(secondWindow.isNull());
        QVERIFY(!second.Form());
        QCOMPARE(second.DialogResult().ModalResult, int(mrCancel));
    }

    void previewRestoresSettings()
    {
        TVxDialog dialog;
        dialog.SetDialogOptions(TDialogOptions{doTopMost});
        dialog.SetPosition(dpDesigned);
        dialog.SetAllowCancel(false);
        bool modal = false;
        Qt::WindowFlags flags;
        dialog.OnDialogShow = TNotifyEvent([&](TObject*) {
            modal = dialog.DialogOptions().Contains(doModal);
            flags = WindowOf(&dialog)->windowFlags();
            QTimer::singleShot(0, [&] { WindowOf(&dialog)->close(); });
        });
        QCOMPARE(dialog.ExecutePreview(), int(mrCancel));
        QVERIFY(modal);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QCOMPARE(dialog.DialogOptions(), TDialogOptions{doTopMost});
        QCOMPARE(dialog.Position(), dpDesigned);
        QVERIFY(!dialog.AllowCancel());
        QVERIFY(!dialog.DialogState().Contains(dsPreview));
    }

    void noCancelMeansNoCloseButtonAndNoAltF4()
    {
        TVxDialog dialog;
        dialog.SetAllowCancel(false);
        dialog.ButtonBar()->SetButtons({cbOK});
        Qt::WindowFlags flags;
        bool openAfterAltF4 = false;
        const int result = RunModal(&dialog, [&](QWidget* window) {
            flags = window->windowFlags();
            Key(window, Qt::Key_F4, Qt::AltModifier);
            openAfterAltF4 = window->isVisible();
            QTest::mouseClick(Button(&dialog, ctButton, mrOk), Qt::LeftButton);
        });
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(openAfterAltF4);
        QCOMPARE(result, int(mrOk));
    }

    void copyText_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("copies");
        QTest::newRow("Ctrl+C") << int(Qt::ControlModifier) << true;
        QTest::newRow("Ctrl+Shift+C") << int(Qt::ControlModifier | Qt::ShiftModifier) << false;
    }

    void copyText()
    {
        QFETCH(int, modifiers);
        QFETCH(bool, copies);
        std::unique_ptr<TVxDialog> dialog(WorkedExample(nullptr, QStringLiteral("VxDialog1")));
        ClipboardSetText(QStringLiteral("before"));
        const int beeps = MessageBeepCount();
        RunModal(dialog.get(), [&](QWidget* window) {
            Key(window, Qt::Key_C, Qt::KeyboardModifiers(modifiers));
            window->close();
        });
        const QString expected = QStringLiteral("[Window Title]\r\nConfirm\r\n\r\n"
                                                "[Main Instruction]\r\nSave changes?\r\n\r\n"
                                                "[Content]\r\nThe document has been modified.\r\n\r\n\r\n"
                                                "[Yes] [No] [Cancel] \r\n\r\n");
        QCOMPARE(ClipboardText(), copies ? expected : QStringLiteral("before"));
        QCOMPARE(MessageBeepCount() - beeps, copies ? 1 : 0);
    }

    void sound_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("playSounds");
        QTest::addColumn<QString>("customSound");
        QTest::addColumn<QString>("expectedEvent");
        QTest::newRow("warning") << int(tdiWarning) << true << QString() << "dialog-warning";
        QTest::newRow("error") << int(tdiError) << true << QString() << "dialog-error";
        QTest::newRow("information") << int(tdiInformation) << true << QString() << "dialog-information";
        QTest::newRow("confirmation") << int(tdiConfirmation) << true << QString() << "dialog-question";
        QTest::newRow("sounds off") << int(tdiWarning) << false << QString() << QString();
        QTest::newRow("no icon") << int(tdiNone) << true << QString() << QString();
        QTest::newRow("custom without handler") << int(tdiCustom) << true << QString() << QString();
        QTest::newRow("custom from handler") << int(tdiCustom) << true << "bell" << "bell";
    }

    void sound()
    {
        QFETCH(int, icon);
        QFETCH(bool, playSounds);
        QFETCH(QString, customSound);
        QFETCH(QString, expectedEvent);
        TVxDialog dialog;
        dialog.SetMainIcon(TTaskDialogIcon(icon));
        dialog.SetPlaySounds(playSounds);
        if (!customSound.isEmpty())
            dialog.OnGetCustomSound = TGetCustomSoundEvent([&](TObject*, QString& Sound, quint32&, bool& Handled) {
                Sound = customSound;
                Handled = true;
            });
        RunModal(&dialog, [](QWidget* window) { window->close(); });
        if (expectedEvent.isEmpty()) {
            QVERIFY(FSounds.isEmpty());
        } else {
            QCOMPARE(FSounds.size(), 1);
            QCOMPARE(FSounds.first().EventId, expectedEvent);
        }
    }

    void dialogTimer()
    {
        TVxDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doTimer);
        dialog.Timer()->SetInterval(5);
        QList<quint32> ticks;
        dialog.OnTimer = TTimerEvent([&](TObject*, quint32 TimeSince) {
            ticks.append(TimeSince);
            if (ticks.size() == 3)
                dialog.Close(mrOk);
        });
        QCOMPARE(RunModal(&dialog, [](QWidget*) {}), int(mrOk));
        QCOMPARE(ticks.size(), 3);
        QCOMPARE(ticks.first(), 0u);
        QVERIFY(ticks.at(1) >= 1);
    }

    void runTimeInterface()
    {
        TProbeDialog dialog;
        dialog.ButtonBar()->SetVisible(true);
        TVxCustomButtonItem* hidden = dialog.CustomButtons()->Add();
        hidden->SetVisible(false);
        TVxCustomButtonItem* shown = dialog.CustomButtons()->Add();
        shown->SetCaption(QStringLiteral("&Shown"));
        dialog.Engine()->BuildHidden();
        // The first visible custom button is 100.
        QCOMPARE(ControlTag(dialog.GetControl(ctCommandLink, 100)), shown->Value());
        QVERIFY(!dialog.GetControl(ctCommandLink, 101));
        dialog.EnableButton(100, false);
        QVERIFY(!static_cast<QWidget*>(dialog.GetControl(ctCommandLink, 100))->isEnabled());
        dialog.EnableButton(mrCancel, false);
        QVERIFY(!static_cast<QWidget*>(dialog.GetControl(ctButton, mrCancel))->isEnabled());
        QVERIFY(!dialog.GetControl(ctButton, mrYes));
        dialog.Engine()->DestroyHiddenWindow();

        // Without a button bar and command links, custom buttons are not created.
        dialog.ButtonBar()->SetVisible(false);
        dialog.Engine()->BuildHidden();
        QVERIFY(!dialog.GetControl(ctCommandLink, 100));
        dialog.Engine()->DestroyHiddenWindow();
    }

    // Close called from OnDialogConstructed or OnDialogShow ends the run with its result, modal
    // or modeless, without hanging on a hidden window or freeing a window while it shows.
    void closeFromRunEvents_data()
    {
        QTest::addColumn<bool>("fromShow");
        QTest::addColumn<bool>("modal");
        QTest::newRow("constructed, modal") << false << true;
        QTest::newRow("constructed, modeless") << false << false;
        QTest::newRow("show, modal") << true << true;
        QTest::newRow("show, modeless") << true << false;
    }

    void closeFromRunEvents()
    {
        QFETCH(bool, fromShow);
        QFETCH(bool, modal);
        TVxDialog dialog;
        if (!modal)
            dialog.SetDialogOptions(dialog.DialogOptions() - doModal);
        int closeResult = 0;
        bool shown = false;
        const TNotifyEvent close([&](TObject*) { closeResult = dialog.Close(mrOk); });
        if (fromShow)
            dialog.OnDialogShow = close;
        else
            dialog.OnDialogConstructed = close;
        if (!fromShow)
            dialog.OnDialogShow = TNotifyEvent([&](TObject*) { shown = true; });
        // A run that hangs is ended from outside so that the test can report it.
        bool hung = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            hung = true;
            if (QWidget* w = WindowOf(&dialog))
                static_cast<QDialog*>(w)->done(0);
        });
        guard.start(5000);
        const int result = dialog.Execute(nullptr);
        QVERIFY(!hung);
        QCOMPARE(closeResult, int(mrOk));
        QCOMPARE(result, modal ? int(mrOk) : -1);
        QTRY_VERIFY(!dialog.Form());
        QVERIFY(!hung);
        QCOMPARE(dialog.DialogResult().ModalResult, int(mrOk));
        QVERIFY(!shown);
    }

    // Enter clicks the default command link wherever the focus is when no push button is the
    // default.
    void enterClicksDefaultCommandLink_data()
    {
        QTest::addColumn<bool>("focusOnBox");
        QTest::newRow("focus on the verification box") << true;
        QTest::newRow("sent to the window") << false;
    }

    void enterClicksDefaultCommandLink()
    {
        QFETCH(bool, focusOnBox);
        TVxDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doCommandLinks);
        dialog.ButtonBar()->SetButtons({cbCancel});
        dialog.Verification()->SetVisible(true);
        dialog.Verification()->SetText(QStringLiteral("Don't ask again"));
        dialog.CustomButtons()->Add()->SetCaption(QStringLiteral("&First"));
        TVxCustomButtonItem* second = dialog.CustomButtons()->Add();
        second->SetCaption(QStringLiteral("&Second"));
        second->SetModalResult(mrYes);
        second->SetDefault(true);
        const int result = RunModal(&dialog, [&](QWidget* window) {
            if (focusOnBox) {
                auto* box = qobject_cast<QWidget*>(dialog.GetControl(ctCheckBox, 0));
                box->setFocus();
                QTRY_COMPARE(QApplication::focusWidget(), box);
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                QTest::keyClick(window, Qt::Key_Return);
            }
            // A key that did nothing leaves the window open; end the run as a failure.
            if (window->isVisible())
                dialog.Close(mrAbort);
        });
        QCOMPARE(result, int(mrYes));
        QCOMPARE(dialog.CustomButtonResult(), 101);
    }

    // RadioResult -1 starts with the button of value 200 checked, also when another item is
    // checked; enabling addresses by position (200 + n) or by item value.
    void radioResultMinusOneAndEnabling()
    {
        TVxDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doRadioButtons);
        for (int i = 0; i < 3; ++i)
            dialog.RadioButtons()->Add()->SetCaption(QStringLiteral("Choice %1").arg(i));
        dialog.RadioButtons()->Items(2)->SetChecked(true);
        dialog.SetRadioResult(-1);
        bool firstChecked = false, thirdChecked = true;
        int live = 0;
        bool firstEnabled = true, secondEnabled = true, secondEnabledAgain = false;
        const int result = RunModal(&dialog, [&](QWidget*) {
            firstChecked = dialog.IsChecked(200);
            thirdChecked = dialog.IsChecked(202);
            live = dialog.RadioResult();
            dialog.EnableRadioButton(200, false);
            firstEnabled = static_cast<QWidget*>(dialog.GetControl(ctRadioButton, 200))->isEnabled();
            dialog.EnableRadioButton(201, false);
            secondEnabled = static_cast<QWidget*>(dialog.GetControl(ctRadioButton, 201))->isEnabled();
            dialog.EnableRadioButton(201, true);
            secondEnabledAgain = static_cast<QWidget*>(dialog.GetControl(ctRadioButton, 201))->isEnabled();
            QTest::mouseClick(Button(&dialog, ctButton, mrOk), Qt::LeftButton);
        });
        QCOMPARE(result, int(mrOk));
        QVERIFY(firstChecked);
        QVERIFY(!thirdChecked);
        QCOMPARE(live, 200);
        QCOMPARE(dialog.DialogResult().RadioResult, 200);
        QVERIFY(!firstEnabled);
        QVERIFY(!secondEnabled);
        QVERIFY(secondEnabledAgain);
    }

    // New details of a custom button re-place the buttons: a grown push button does not cover
    // its neighbours, a grown command link moves the links below it.
    void updateCustomButtonDetailsReplaces_data()
    {
        QTest::addColumn<bool>("links");
        QTest::newRow("push buttons") << false;
        QTest::newRow("command links") << true;
    }

    void updateCustomButtonDetailsReplaces()
    {
        QFETCH(bool, links);
        TVxDialog dialog;
        if (links)
            dialog.SetDialogOptions(dialog.DialogOptions() + doCommandLinks);
        for (int i = 0; i < 3; ++i)
            dialog.CustomButtons()->Add()->SetCaption(QStringLiteral("B%1").arg(i));
        QList<QRect> after;
        RunModal(&dialog, [&](QWidget*) {
            TStringList info;
            for (int i = 0; i < 4; ++i)
                info.Add(QStringLiteral("An info line that says a little more, number %1").arg(i));
            dialog.UpdateCustomButtonDetails(100, QStringLiteral("A much longer caption than before"), QString(), &info);
            for (int v = 100; v < 103; ++v)
                after << static_cast<QWidget*>(dialog.GetControl(ctCommandLink, v))->geometry();
            dialog.Close(mrCancel);
        });
        QCOMPARE(after.size(), 3);
        for (int i = 0; i < after.size(); ++i)
            for (int j = i + 1; j < after.size(); ++j)
                QVERIFY2(!after.at(i).intersects(after.at(j)), qPrintable(QStringLiteral("%1 and %2 overlap").arg(i).arg(j)));
        if (links) {
            QCOMPARE(after.at(1).top(), after.at(0).bottom() + 1);
            QCOMPARE(after.at(2).top(), after.at(1).bottom() + 1);
        }
    }

    // An exception from a handler during a modal run ends the run: the window is released and
    // Execute raises the exception; the next run works.
    void handlerExceptionEndsRun_data()
    {
        QTest::addColumn<bool>("help");
        QTest::newRow("click handler") << false;
        QTest::newRow("help button without a help file") << true;
    }

    void handlerExceptionEndsRun()
    {
        QFETCH(bool, help);
        TVxDialog dialog;
        if (help)
            dialog.ButtonBar()->SetButtons({cbOK, cbHelp});
        else
            dialog.OnControlClick = TControlClickEvent(
                [](TObject*, TControlType, TControl*, int, bool&) { throw EInvalidOperation(QStringLiteral("refused")); });
        const auto clickFirst = [&](QWidget*) {
            QTest::mouseClick(help ? Button(&dialog, ctButton, 0) : Button(&dialog, ctButton, mrOk), Qt::LeftButton);
        };
        bool raised = false;
        try {
            RunModal(&dialog, clickFirst);
        } catch (const Exception&) {
            raised = true;
        }
        QVERIFY(raised);
        QVERIFY(!dialog.Form());
        QVERIFY(!dialog.DialogState().Contains(dsNormal));
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<TVxTaskDialogForm*>(w));
        // The next run shows and returns its result.
        dialog.OnControlClick = TControlClickEvent();
        const int result = RunModal(&dialog, [&](QWidget*) { QTest::mouseClick(Button(&dialog, ctButton, mrOk), Qt::LeftButton); });
        QCOMPARE(result, int(mrOk));
    }

    // With command links and a Cancel button that is not the default, the first command link has
    // the first focus, not the content's link.
    void firstFocusOnFirstCommandLink()
    {
        TVxDialog dialog;
        dialog.Content()->Add(QStringLiteral("The file was saved. <a href=\"https://example.org\">Learn more</a>"));
        dialog.SetDialogOptions(dialog.DialogOptions() + doCommandLinks);
        dialog.ButtonBar()->SetButtons({cbCancel});
        dialog.ButtonBar()->SetUseDefault(false);
        dialog.CustomButtons()->Add()->SetCaption(QStringLiteral("&Open"));
        dialog.CustomButtons()->Add()->SetCaption(QStringLiteral("&Close"));
        QByteArray focused;
        RunModal(&dialog, [&](QWidget* window) {
            QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == window);
            focused = QApplication::focusWidget()->metaObject()->className();
            dialog.Close(mrCancel);
        });
        QCOMPARE(focused, QByteArray("TVxCommandLinkButton"));
    }

    void performActionClicksCustomButton()
    {
        TVxDialog dialog;
        dialog.CustomButtons()->Add()->SetVisible(false);
        TVxCustomButtonItem* item = dialog.CustomButtons()->Add();
        item->SetModalResult(mrRetry);
        const int result = RunModal(&dialog, [&](QWidget*) { dialog.PerformAction(100); });
        QCOMPARE(result, int(mrRetry));
        QCOMPARE(dialog.CustomButtonResult(), 101);
    }
};

QTEST_MAIN(TestDialogRun)
#include "tst_dialogrun.moc"
