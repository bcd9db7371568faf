#include "support/InputRun.h"
#include "VxDialogEngine.h"
#include "VxDualEditDialog.h"
#include "VxDualEditDialogFrame.h"
#include "VxEditControls.h"

#include <QLabel>
#include <QScreen>
#include <QTest>

class TProbeDualDialog : public TVxDualEditDialog {
public:
    using TVxDualEditDialog::TVxDualEditDialog;
    int LeftMargin() const { return FLeftMargin; }
    int RightMargin() const { return FRightMargin; }
};

class tst_DualEditDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallDialogEngine(); }
    void assign();
    void captionAlignment_data();
    void captionAlignment();
    void twoValues_data();
    void twoValues();
    void frameWhateverTheEventSays();
    void barRefused_data();
    void barRefused();
    void longCaptionKeepsEditsUsable_data();
    void longCaptionKeepsEditsUsable();
};

void tst_DualEditDialog::assign()
{
    TVxDualEditProperties a, b;
    b.SetCaptionAlignment(caLeft);
    b.SetValue1(QStringLiteral("v1"));
    b.SetValue1Caption(QStringLiteral("c1"));
    b.SetValue2(QStringLiteral("v2"));
    b.SetValue2Caption(QStringLiteral("c2"));
    QCOMPARE(a.CaptionAlignment(), caRight);
    a.Assign(&b);
    QCOMPARE(a.CaptionAlignment(), caLeft);
    QCOMPARE(a.Value1(), QStringLiteral("v1"));
    QCOMPARE(a.Value1Caption(), QStringLiteral("c1"));
    QCOMPARE(a.Value2(), QStringLiteral("v2"));
    QCOMPARE(a.Value2Caption(), QStringLiteral("c2"));
    TVxEditProperties other;
    QVERIFY_THROWS_EXCEPTION(EConvertError, a.Assign(&other));

    // A dual edit dialog is a custom edit type; Assign between dialogs copies both settings.
    TVxDualEditDialog d1, d2;
    QCOMPARE(d1.EditProperties()->EditType(), etCustom);
    d2.SetDualEditProperties(&b);
    d2.EditProperties()->SetCaption(QStringLiteral("Both"));
    d1.Assign(&d2);
    QCOMPARE(d1.EditProperties()->Caption(), QStringLiteral("Both"));
    d1.SetDualEditProperties(d2.DualEditProperties());
    QCOMPARE(d1.DualEditProperties()->Value2(), QStringLiteral("v2"));

    QStringList names;
    for (const TPropInfo& p : TVxDualEditProperties::StaticClassInfo().OwnProperties())
        names << p.Name;
    QCOMPARE(names, QStringList({"CaptionAlignment", "Value1", "Value1Caption", "Value2", "Value2Caption"}));
}

void tst_DualEditDialog::captionAlignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("caption1");
    QTest::addColumn<QString>("caption2");
    QTest::newRow("right, second narrower") << int(caRight) << "A much longer caption:" << "Short:";
    QTest::newRow("right, first narrower") << int(caRight) << "Show Text:" << "A much longer caption:";
    QTest::newRow("left") << int(caLeft) << "Show Text:" << "A much longer caption:";
}

void tst_DualEditDialog::captionAlignment()
{
    QFETCH(int, alignment);
    QFETCH(QString, caption1);
    QFETCH(QString, caption2);
    TProbeDualDialog dialog;
    dialog.DualEditProperties()->SetCaptionAlignment(TVxCaptionAlignment(alignment));
    dialog.DualEditProperties()->SetValue1Caption(caption1);
    dialog.DualEditProperties()->SetValue2Caption(caption2);
    TVxDialogEngine::Of(&dialog)->BuildHidden();
    auto* frame = qobject_cast<TfmDualEditDialog*>(dialog.EditControl());
    QVERIFY(frame);
    QLabel* l1 = frame->Value1Label;
    QLabel* l2 = frame->Value2Label;
    // Each label shows its whole caption, measured in its font.
    for (QLabel* l : {l1, l2})
        QVERIFY(l->width() >= QFontMetrics(l->font()).horizontalAdvance(l->text()));
    const int wider = qMax(l1->width(), l2->width());
    if (alignment == caRight) {
        QCOMPARE(l1->x() + l1->width(), l2->x() + l2->width());
        QCOMPARE(qMin(l1->x(), l2->x()), Scaled(3));
        QCOMPARE(frame->eValue1->x(), l1->x() + l1->width() + Scaled(6));
    } else {
        QCOMPARE(l1->x(), Scaled(3));
        QCOMPARE(l2->x(), Scaled(3));
        QCOMPARE(frame->eValue1->x(), Scaled(3) + wider + Scaled(6));
    }
    QCOMPARE(frame->eValue2->x(), frame->eValue1->x());
    // The edits reach to 3 pixels from the frame's right edge; the frame is never narrower than 320.
    QCOMPARE(frame->eValue1->x() + frame->eValue1->width(), frame->width() - Scaled(3));
    QVERIFY(frame->width() >= Scaled(320));
    QCOMPARE(frame->height(), Scaled(54));
    QWidget* window = WindowOf(&dialog);
    QVERIFY(window->width() >= Scaled(320) + dialog.LeftMargin() + dialog.RightMargin());
    // The captions sit level with their edits.
    QVERIFY(qAbs(l1->geometry().center().y() - frame->eValue1->geometry().center().y()) <= 1);
    QVERIFY(qAbs(l2->geometry().center().y() - frame->eValue2->geometry().center().y()) <= 1);
    TVxDialogEngine::Of(&dialog)->DestroyHiddenWindow();
}

void tst_DualEditDialog::twoValues_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("OK") << int(mrOk);
    QTest::newRow("cancel still reads the edits") << int(mrCancel);
}

void tst_DualEditDialog::twoValues()
{
    QFETCH(int, button);
    TVxDualEditDialog dialog;
    dialog.DualEditProperties()->SetValue1(QStringLiteral("Expand Dialog"));
    dialog.DualEditProperties()->SetValue1Caption(QStringLiteral("Show Text:"));
    dialog.DualEditProperties()->SetValue2(QStringLiteral("Collapse Dialog"));
    dialog.DualEditProperties()->SetValue2Caption(QStringLiteral("Hide Text:"));
    for (int run = 0; run < 2; ++run) {
        const int result = RunModal(&dialog, [&](QWidget* window) {
            auto* frame = qobject_cast<TfmDualEditDialog*>(dialog.EditControl());
            QVERIFY(frame);
            QVERIFY(!dialog.EditLabel());
            // Every run starts from the stored texts.
            QCOMPARE(frame->Edit1(), QStringLiteral("Expand Dialog"));
            QCOMPARE(frame->Edit2(), QStringLiteral("Collapse Dialog"));
            QTRY_VERIFY(frame->eValue1->hasFocus());
            QTest::keyClick(frame->eValue1, Qt::Key_End);
            QTest::keyClicks(frame->eValue1, " now");
            QTest::keyClick(frame->eValue1, Qt::Key_Tab);
            QVERIFY(frame->eValue2->hasFocus());
            QTest::keyClick(frame->eValue2, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(frame->eValue2, QString("Fold %1").arg(run));
            ClickCommonButton(window, button);
        });
        QCOMPARE(result, button);
        QCOMPARE(dialog.EditValue1(), QStringLiteral("Expand Dialog now"));
        QCOMPARE(dialog.EditValue2(), QStringLiteral("Fold %1").arg(run));
        QCOMPARE(dialog.EditValue(), QString());
    }
}

void tst_DualEditDialog::frameWhateverTheEventSays()
{
    TVxDualEditDialog dialog;
    dialog.OnGetEditControlClass =
        TVxGetControlClassEvent([](TObject*, int, TControlClass& Class) { Class = &TEditMemo::staticMetaObject; });
    TVxDialogEngine::Of(&dialog)->BuildHidden();
    QVERIFY(qobject_cast<TfmDualEditDialog*>(dialog.EditControl()));
    TVxDialogEngine::Of(&dialog)->DestroyHiddenWindow();
}

void tst_DualEditDialog::barRefused_data()
{
    // The two texts are stored as one, split at a vertical bar: a bar in either is refused with
    // a message and the focus goes to the edit holding it; cancelling is never refused.
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("refusedEdit");
    QTest::newRow("bar in the show text") << "Show|more" << "Less" << int(mrOk) << 1;
    QTest::newRow("bar in the hide text") << "More" << "Le|ss" << int(mrOk) << 2;
    QTest::newRow("bars in both") << "|" << "|" << int(mrOk) << 1;
    QTest::newRow("no bar") << "More" << "Less" << int(mrOk) << 0;
    QTest::newRow("bar, cancelled") << "Show|more" << "Less" << int(mrCancel) << 0;
}

void tst_DualEditDialog::barRefused()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, button);
    QFETCH(int, refusedEdit);
    TVxDualEditDialog dialog;
    QString message;
    bool stayed = false;
    bool focused = false;
    const int result = RunModal(&dialog, [&](QWidget* window) {
        auto* frame = qobject_cast<TfmDualEditDialog*>(dialog.EditControl());
        QVERIFY(frame);
        frame->eValue1->setText(QString());
        QTest::keyClicks(frame->eValue1, first);
        frame->eValue2->setText(QString());
        QTest::keyClicks(frame->eValue2, second);
        if (refusedEdit) {
            AnswerNextDialog(window, mrClose, &message);
            ClickCommonButton(window, button);
            stayed = window->isVisible();
            QWidget* edit = refusedEdit == 1 ? frame->eValue1 : frame->eValue2;
            // (The window's focus widget: the window need not be active again yet.)
            focused = QTest::qWaitFor([&] { return window->focusWidget() == edit; });
            // Without the bar the texts are taken.
            frame->eValue1->setText(QStringLiteral("More"));
            frame->eValue2->setText(QStringLiteral("Less"));
        }
        ClickCommonButton(window, button);
    });
    QCOMPARE(result, button);
    if (refusedEdit) {
        QVERIFY(stayed);
        QVERIFY(focused);
        QVERIFY2(message.contains(QStringLiteral("Neither text may contain a vertical bar (|): it separates the two texts.")), qPrintable(message));
        QCOMPARE(dialog.EditValue1(), QStringLiteral("More"));
        QCOMPARE(dialog.EditValue2(), QStringLiteral("Less"));
    } else {
        QCOMPARE(dialog.EditValue1(), first);
        QCOMPARE(dialog.EditValue2(), second);
    }
}

void tst_DualEditDialog::longCaptionKeepsEditsUsable_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("caption1");
    QTest::addColumn<QString>("caption2");
    const QString words = QStringLiteral("Caption ").repeated(37) + QStringLiteral("end:"); // 300 characters
    QTest::newRow("right, 300 characters first") << int(caRight) << words << "Hide Text:";
    QTest::newRow("right, 300 characters second") << int(caRight) << "Show Text:" << words;
    QTest::newRow("left, 300 characters both") << int(caLeft) << words << words;
    QTest::newRow("right, wider than designed, fits the screen") << int(caRight)
                                                                 << "A caption somewhat wider than the frame was designed for:"
                                                                 << "Hide Text:";
}

void tst_DualEditDialog::longCaptionKeepsEditsUsable()
{
    // The frame widens for a long caption within the screen; past that the caption wraps and
    // the frame grows taller. Either way the edits keep a usable width inside the window, and
    // no caption runs under an edit or out of the frame.
    QFETCH(int, alignment);
    QFETCH(QString, caption1);
    QFETCH(QString, caption2);
    TVxDualEditDialog dialog;
    dialog.DualEditProperties()->SetCaptionAlignment(TVxCaptionAlignment(alignment));
    dialog.DualEditProperties()->SetValue1Caption(caption1);
    dialog.DualEditProperties()->SetValue2Caption(caption2);
    RunModal(&dialog, [&](QWidget* window) {
        auto* frame = qobject_cast<TfmDualEditDialog*>(dialog.EditControl());
        QVERIFY(frame);
        const QRect available = window->screen()->availableGeometry();
        QVERIFY2(window->width() <= available.width(), qPrintable(QString::number(window->width())));
        QVERIFY(window->height() <= available.height());
        const QRect frameRect(frame->mapTo(window, QPoint()), frame->size());
        QVERIFY(frameRect.left() >= 0 && frameRect.right() < window->width());
        for (auto [label, edit] : {std::pair<QLabel*, TEdit*>{frame->Value1Label, frame->eValue1}, {frame->Value2Label, frame->eValue2}}) {
            QVERIFY2(edit->width() >= Scaled(100), qPrintable(QString::number(edit->width())));
            QVERIFY(edit->x() + edit->width() <= frame->width());
            QVERIFY(label->x() >= 0 && label->x() + label->width() < edit->x());
            // The whole caption shows: on one line, or wrapped in the label's height.
            const QFontMetrics metrics(label->font());
            const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 1 << 20), Qt::TextWordWrap, label->text());
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                     qPrintable(QString("%1x%2 in %3x%4").arg(needed.width()).arg(needed.height()).arg(label->width()).arg(label->height())));
            QVERIFY(label->y() >= 0 && label->y() + label->height() <= frame->height());
            QVERIFY(edit->y() >= 0 && edit->y() + edit->height() <= frame->height());
        }
        // The rows do not overlap.
        QVERIFY(frame->eValue1->geometry().bottom() < frame->eValue2->y());
        QVERIFY(frame->Value1Label->geometry().bottom() < frame->Value2Label->y());
        // A caption that fits on the screen stays on one line: the frame widened for it.
        if (caption1.size() < 100)
            QCOMPARE(frame->Value1Label->height(), frame->Value1Label->sizeHint().height());
        ClickCommonButton(window, mrCancel);
    });
}

QTEST_MAIN(tst_DualEditDialog)
#include "tst_dualeditdialog.moc"
