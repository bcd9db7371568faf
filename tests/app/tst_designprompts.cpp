#include "CodeView.h"
#include "frmMain.h"
#include "support/ModalHelper.h"

#include "VxDialog.h"
#include "VxDualEditDialog.h"
#include "VxDualEditDialogFrame.h"
#include "VxEditControls.h"
#include "VxOptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

// The expando and verification check boxes of the design page ask for their texts with the
// program's own input dialogs; the main window is driven as a user drives it.
namespace {

QAbstractButton* DialogButton(QWidget* Window, int ModalResult)
{
    for (auto* b : Window->findChildren<QAbstractButton*>())
        if (ControlTag(b) == ModalResult && b->isVisible())
            return b;
    return nullptr;
}

// Clicks the check box as a user does; Answer runs on the dialog the click opens (when Opens).
void ClickBox(QCheckBox* Box, bool Opens, std::function<void(QWidget*)> Answer = {})
{
    bool answered = false;
    if (Opens)
        WhenModalShows([&, Answer](QWidget* Modal) {
            answered = true;
            Answer(Modal);
        });
    QTest::mouseClick(Box, Qt::LeftButton, {}, QPoint(6, Box->height() / 2));
    QCOMPARE(answered, Opens);
}

} // namespace

class tst_DesignPrompts : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void expando_data();
    void expando();
    void expandoCancelAfterUncheck();
    void verification_data();
    void verification();
    void newResetsWithoutAsking();

private:
    std::unique_ptr<TfrmMain> W;
};

void tst_DesignPrompts::init()
{
    W = std::make_unique<TfrmMain>();
    W->show();
    QVERIFY(QTest::qWaitForWindowExposed(W.get()));
}

void tst_DesignPrompts::cleanup()
{
    QVERIFY(!QApplication::activeModalWidget());
    W.reset();
}

void tst_DesignPrompts::expando_data()
{
    QTest::addColumn<QString>("show");
    QTest::addColumn<QString>("hide");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("caption");
    QTest::newRow("confirmed unchanged") << "" << "" << int(mrOk) << "Expand Dialog|Collapse Dialog";
    QTest::newRow("confirmed with new texts") << "More details" << "Fewer details" << int(mrOk)
                                              << "More details|Fewer details";
    QTest::newRow("cancelled") << "Ignored" << "" << int(mrCancel) << "Expando";
}

void tst_DesignPrompts::expando()
{
    QFETCH(QString, show);
    QFETCH(QString, hide);
    QFETCH(int, answer);
    QFETCH(QString, caption);
    QString title, instruction;
    ClickBox(W->ExpandoCheckBox, true, [&](QWidget* Modal) {
        title = Modal->windowTitle();
        auto* frame = Modal->findChild<TfmDualEditDialog*>();
        QVERIFY(frame);
        QCOMPARE(frame->Value1Label->text(), QStringLiteral("Show Text:"));
        QCOMPARE(frame->Value2Label->text(), QStringLiteral("Hide Text:"));
        QCOMPARE(frame->Edit1(), QStringLiteral("Expand Dialog"));
        QCOMPARE(frame->Edit2(), QStringLiteral("Collapse Dialog"));
        QTRY_VERIFY(frame->eValue1->hasFocus());
        if (!show.isEmpty()) {
            QTest::keyClick(frame->eValue1, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(frame->eValue1, show);
        }
        if (!hide.isEmpty()) {
            QTest::keyClick(frame->eValue2, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(frame->eValue2, hide);
        }
        DialogButton(Modal, answer)->click();
    });
    QCOMPARE(title, QStringLiteral("Expando Information"));
    QVERIFY(W->ExpandoCheckBox->isChecked());
    QCOMPARE(W->ExpandoCheckBox->text(), caption);
    // The caption is data: nothing of it is cut off on the page.
    QVERIFY(W->ExpandoCheckBox->width() >= W->ExpandoCheckBox->sizeHint().width());

    // The texts reach the dialog component and the generated code.
    W->GenerateActn->trigger();
    QVERIFY(W->VxDialog1->Expando()->Visible());
    if (answer == mrOk) {
        const QStringList parts = caption.split(QLatin1Char('|'));
        QCOMPARE(W->VxDialog1->Expando()->ShowText(), parts[0]);
        QCOMPARE(W->VxDialog1->Expando()->HideText(), parts[1]);
        QVERIFY(W->SynEdit1->Text().contains(QStringLiteral("'%1'").arg(parts[1])));
    }
}

void tst_DesignPrompts::expandoCancelAfterUncheck()
{
    ClickBox(W->ExpandoCheckBox, true, [](QWidget* Modal) {
        auto* frame = Modal->findChild<TfmDualEditDialog*>();
        QTest::keyClick(frame->eValue1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(frame->eValue1, "Open");
        DialogButton(Modal, mrOk)->click();
    });
    QCOMPARE(W->ExpandoCheckBox->text(), QStringLiteral("Open|Collapse Dialog"));
    W->GenerateActn->trigger();
    // Unchecking resets the caption without asking; checking again and cancelling keeps it.
    ClickBox(W->ExpandoCheckBox, false);
    QCOMPARE(W->ExpandoCheckBox->text(), QStringLiteral("Expando"));
    ClickBox(W->ExpandoCheckBox, true, [](QWidget* Modal) {
        // Every run starts from the stored texts again.
        QCOMPARE(Modal->findChild<TfmDualEditDialog*>()->Edit1(), QStringLiteral("Expand Dialog"));
        DialogButton(Modal, mrCancel)->click();
    });
    QVERIFY(W->ExpandoCheckBox->isChecked());
    QCOMPARE(W->ExpandoCheckBox->text(), QStringLiteral("Expando"));
    W->GenerateActn->trigger();
    QCOMPARE(W->VxDialog1->Expando()->ShowText(), QStringLiteral("Open"));
    QCOMPARE(W->VxDialog1->Expando()->HideText(), QStringLiteral("Collapse Dialog"));
}

void tst_DesignPrompts::verification_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("caption");
    QTest::newRow("confirmed") << "Do not ask me again" << int(mrOk) << "Do not ask me again";
    QTest::newRow("confirmed empty") << "" << int(mrOk) << "";
    QTest::newRow("cancelled") << "Lost" << int(mrCancel) << "Verification";
}

void tst_DesignPrompts::verification()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(QString, caption);
    QString title, label;
    ClickBox(W->VerificationCheckBox, true, [&](QWidget* Modal) {
        title = Modal->windowTitle();
        label = Modal->findChild<QLabel*>(QStringLiteral("EditLabel"))->text();
        auto* edit = Modal->findChild<TEdit*>();
        QCOMPARE(edit->text(), QString());
        QTRY_VERIFY(edit->hasFocus());
        // The caption sits above the edit.
        QVERIFY(Modal->findChild<QLabel*>(QStringLiteral("EditLabel"))->geometry().bottom() < edit->y());
        QTest::keyClicks(edit, typed);
        DialogButton(Modal, answer)->click();
    });
    QCOMPARE(title, QStringLiteral("Caption:"));
    QCOMPARE(label, QStringLiteral("Enter Verification Caption"));
    QVERIFY(W->VerificationCheckBox->isChecked());
    QCOMPARE(W->VerificationCheckBox->text(), caption);
    W->GenerateActn->trigger();
    QVERIFY(W->VxDialog1->Verification()->Visible());
    QCOMPARE(W->VxDialog1->Verification()->Text(), caption);
}

void tst_DesignPrompts::newResetsWithoutAsking()
{
    ClickBox(W->VerificationCheckBox, true, [](QWidget* Modal) {
        QTest::keyClicks(Modal->findChild<TEdit*>(), "Remember");
        DialogButton(Modal, mrOk)->click();
    });
    ClickBox(W->ExpandoCheckBox, true, [](QWidget* Modal) { DialogButton(Modal, mrOk)->click(); });
    // Only the question about the unsaved changes comes; they are discarded.
    WhenModalShows([](QWidget* Modal) { qobject_cast<QMessageBox*>(Modal)->button(QMessageBox::Discard)->click(); });
    W->NewActn->trigger();
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!W->ExpandoCheckBox->isChecked());
    QVERIFY(!W->VerificationCheckBox->isChecked());
    QCOMPARE(W->ExpandoCheckBox->text(), QStringLiteral("Expando"));
    QCOMPARE(W->VerificationCheckBox->text(), QStringLiteral("Verification"));
}

QTEST_MAIN(tst_DesignPrompts)
#include "tst_designprompts.moc"
