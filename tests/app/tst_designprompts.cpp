#include "CodeView.h"
#include "frmMain.h"
#include "support/ModalHelper.h"

#include "private/DataCheckBox.h"

#include "VxDialog.h"
#include "VxDualEditDialog.h"
#include "VxDualEditDialogFrame.h"
#include "VxEditControls.h"
#include "VxOptions.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QToolTip>
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

// The room a check box's caption gets: its width less the indicator and the gap after it.
int CaptionRoom(const QCheckBox* Box)
{
    QStyleOptionButton option;
    option.initFrom(Box);
    option.rect = Box->rect();
    option.text = Box->text();
    return Box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, Box).width();
}

// Answers the prompt the box opens with one or two texts, as typed by the user.
void EnterCaption(QCheckBox* Box, const QString& First, const QString& Second)
{
    ClickBox(Box, true, [&](QWidget* Modal) {
        if (auto* frame = Modal->findChild<TfmDualEditDialog*>()) {
            QTest::keyClick(frame->eValue1, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(frame->eValue1, First);
            QTest::keyClick(frame->eValue2, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(frame->eValue2, Second);
        } else {
            QTest::keyClicks(Modal->findChild<TEdit*>(), First);
        }
        DialogButton(Modal, mrOk)->click();
    });
}

// The tip the box shows when the pointer rests on it, empty when it shows none.
QString TipOf(QWidget* Box)
{
    // A tip goes after a short delay.
    const auto hidden = [] {
        QToolTip::hideText();
        return QTest::qWaitFor([] { return !QToolTip::isVisible(); });
    };
    if (!hidden())
        return QStringLiteral("(a tip that does not go)");
    QHelpEvent help(QEvent::ToolTip, Box->rect().center(), Box->mapToGlobal(Box->rect().center()));
    QApplication::sendEvent(Box, &help);
    const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
    hidden();
    return tip;
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
    void dataCaptionsReadable_data();
    void dataCaptionsReadable();

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
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("caption");
    QTest::newRow("confirmed") << "Do not ask me again" << "" << int(mrOk) << "Do not ask me again";
    QTest::newRow("confirmed empty") << "" << "" << int(mrOk) << "";
    QTest::newRow("cancelled") << "Lost" << "" << int(mrCancel) << "Verification";
    // The one-line field gives what it shows.
    QTest::newRow("pasted lines") << "" << "Do not ask again\nsecond line\n" << int(mrOk) << "Do not ask again second line";
}

void tst_DesignPrompts::verification()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
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
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        }
        DialogButton(Modal, answer)->click();
    });
    QCOMPARE(title, QStringLiteral("Caption:"));
    QCOMPARE(label, QStringLiteral("Enter Verification Caption"));
    QVERIFY(W->VerificationCheckBox->isChecked());
    QCOMPARE(W->VerificationCheckBox->text(), caption);
    W->GenerateActn->trigger();
    QVERIFY(W->VxDialog1->Verification()->Visible());
    QCOMPARE(W->VxDialog1->Verification()->Text(), caption);
    QVERIFY(!W->SynEdit1->Text().contains(QStringLiteral("#10")));
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

void tst_DesignPrompts::dataCaptionsReadable_data()
{
    QTest::addColumn<bool>("expando");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("expando, stored texts") << true << "Expand Dialog" << "Collapse Dialog";
    QTest::newRow("expando, longer texts") << true << "Show the technical details of this problem"
                                           << "Hide the technical details";
    QTest::newRow("verification sentence") << false << "Do not ask me again about documents like this one" << "";
    QTest::newRow("verification past the page's width")
        << false << QStringLiteral("Do not show this message again until the document was saved. ").repeated(4).trimmed()
        << "";
}

void tst_DesignPrompts::dataCaptionsReadable()
{
    // A caption the user typed is shown whole where the page has room for it; where it has not,
    // it ends with an ellipsis, the tip shows it whole, and widening the window shows more.
    QFETCH(bool, expando);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QCheckBox* box = expando ? W->ExpandoCheckBox : W->VerificationCheckBox;
    const QString caption = expando ? first + QLatin1Char('|') + second : first;
    EnterCaption(box, first, second);
    QCOMPARE(box->text(), caption);
    auto* data = qobject_cast<TDataCheckBox*>(box);
    QVERIFY(data);

    const int needed = box->fontMetrics().horizontalAdvance(caption);
    // The room the page has: up to the button boxes on the right, 8 pixels apart.
    const auto buttonsLeft = [this] {
        int left = W->Panel3->width();
        for (QCheckBox* b : {W->cbButtonYes, W->cbButtonNo, W->cbButtonOK, W->cbButtonCancel, W->cbButtonHelp,
                             W->cbButtonClose})
            left = qMin(left, b->x());
        return left;
    };
    const int room = buttonsLeft() - 8 - box->x();
    QVERIFY(room > 0);
    const auto placedWithinPanel = [&] {
        const QCheckBox* other = expando ? W->VerificationCheckBox : W->ExpandoCheckBox;
        return box->geometry().right() < buttonsLeft() && !box->geometry().intersects(other->geometry());
    };
    const int indicator = box->width() - CaptionRoom(box);
    if (indicator + needed <= room) {
        QTRY_VERIFY2(CaptionRoom(box) >= needed, qPrintable(QStringLiteral("%1 of %2 pixels").arg(CaptionRoom(box)).arg(needed)));
        QVERIFY(placedWithinPanel());
        QCOMPARE(data->ShownText(), caption);
        QCOMPARE(TipOf(box), QString());
        return;
    }
    // Too long for the page at this width.
    QTRY_COMPARE(box->width(), room);
    QVERIFY(placedWithinPanel());
    const QString shown = data->ShownText();
    QVERIFY(shown.endsWith(QChar(0x2026)));
    QVERIFY(caption.startsWith(shown.chopped(1)));
    QVERIFY(box->fontMetrics().horizontalAdvance(shown) <= CaptionRoom(box));
    QCOMPARE(TipOf(box), caption);
    // A window wide enough shows it whole, without a tip.
    W->resize(W->width() + (indicator + needed - room) + 20, W->height());
    QTRY_VERIFY2(CaptionRoom(box) >= needed, qPrintable(QStringLiteral("%1 of %2 pixels").arg(CaptionRoom(box)).arg(needed)));
    QVERIFY(placedWithinPanel());
    QCOMPARE(data->ShownText(), caption);
    QCOMPARE(TipOf(box), QString());
}

QTEST_MAIN(tst_DesignPrompts)
#include "tst_designprompts.moc"
