#include "support/InputRun.h"
#include "VxDialogEngine.h"
#include "VxDualEditDialog.h"
#include "VxDualEditDialogFrame.h"
#include "VxEditControls.h"

#include <QLabel>
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

QTEST_MAIN(tst_DualEditDialog)
#include "tst_dualeditdialog.moc"
