#include "support/InputRun.h"
#include "VxDialogEngine.h"
#include "VxEditControls.h"
#include "VxEditDialog.h"
#include "VxEditDialogs.h"
#include "VxEditEvents.h"
#include "VxFormatSettings.h"
#include "VxMonthCalendar.h"
#include "VxOptions.h"
#include "VxRichEdit.h"
#include "VxTaskDialogForm.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QTest>

#include <cmath>
#include <limits>

// A custom input control the program supplies.
class TTestSpin : public QSpinBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTestSpin(QWidget* Parent = nullptr) : QSpinBox(Parent) { setRange(0, 1000); }
};

// A class that is no widget.
class TNotAWidget : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TNotAWidget(QWidget* Parent = nullptr) : QObject(Parent) {}
};

// Shows the layout fields the placement works with.
class TProbeEditDialog : public TVxEditDialog {
public:
    using TVxEditDialog::TVxEditDialog;
    int LeftMargin() const { return FLeftMargin; }
    int RightMargin() const { return FRightMargin; }
    int VertMargin() const { return FVertMargin; }
    int ClientWidth() const { return FClientWidth; }
    int ExtraHeight() { return GetExtraHeight(); }
    int MinimumWidth() { return GetMinimumWidth(); }
    TRect ButtonBarRect() { return TVxDialogEngine::Of(this)->GetSectionRect(secButtonBar); }
};

namespace {

using TStep = std::function<void(TVxEditDialog* Dialog, QWidget* Control)>;

struct TEditCase {
    TVxEditType Type;
    QString Value;
    QStringList Items;
    QString ControlClass;
    // Handler class from the registry connected for value conversions (the caller's usual way).
    bool UseRegistry = false;
    TStep CheckStart;
    TStep UserEdit;
    QString Expected;
};

void TypeText(QWidget* Control, const QString& Text)
{
    QTest::keyClicks(Control, Text);
}

QWidget* FocusTarget(QWidget* Control)
{
    if (auto* calendar = qobject_cast<QCalendarWidget*>(Control))
        return calendar->findChild<QTableView*>();
    if (auto* combo = qobject_cast<QComboBox*>(Control); combo && combo->lineEdit())
        return combo->lineEdit();
    return Control;
}

QMap<QString, TEditCase>& Cases()
{
    static QMap<QString, TEditCase> cases;
    return cases;
}

} // namespace

class tst_EditDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void editTypes_data();
    void editTypes();
    void captionGeometry_data();
    void captionGeometry();
    void coverage_data();
    void coverage();
    void calendarHeight();
    void minimumWidthAndExtraHeight();
    void validation();
    void maxLength();
    void hugeValueKept_data();
    void hugeValueKept();
    void pastedTextFitsTheField_data();
    void pastedTextFitsTheField();
    void pastedPastQtLimitKept_data();
    void pastedPastQtLimitKept();
    void hostileHeightFitsTheScreen_data();
    void hostileHeightFitsTheScreen();
    void closingValue_data();
    void closingValue();
    void doubleClickCloses();
    void checkList();
    void queries_data();
    void queries();
    void badControls();
    void runTimeCalls();
};

void tst_EditDialog::initTestCase()
{
    InstallDialogEngine();
}

void tst_EditDialog::cleanup()
{
    // No dialog window outlives its test.
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible() || !w->inherits("TVxTaskDialogForm"), qPrintable(w->objectName()));
}

void tst_EditDialog::editTypes_data()
{
    QTest::addColumn<QString>("name");
    auto add = [](const char* Name, TEditCase Case) {
        Cases()[QString::fromLatin1(Name)] = std::move(Case);
        QTest::newRow(Name) << QString::fromLatin1(Name);
    };
    const QDate day(2031, 3, 4);

    add("none", {etNone, "ignored", {}, "TEdit", false,
                 [](TVxEditDialog*, QWidget* c) { QCOMPARE(qobject_cast<QLineEdit*>(c)->text(), QString()); },
                 [](TVxEditDialog*, QWidget* c) { TypeText(c, "abc"); }, "abc"});
    add("edit", {etEdit, "hello", {}, "TEdit", true,
                 [](TVxEditDialog*, QWidget* c) { QCOMPARE(qobject_cast<QLineEdit*>(c)->text(), QStringLiteral("hello")); },
                 [](TVxEditDialog*, QWidget* c) {
                     QTest::keyClick(c, Qt::Key_End);
                     TypeText(c, " world");
                 },
                 "hello world"});
    add("memo", {etMemo, "first\r\nsecond", {}, "TEditMemo", true,
                 [](TVxEditDialog*, QWidget* c) {
                     QCOMPARE(qobject_cast<QPlainTextEdit*>(c)->toPlainText(), QStringLiteral("first\nsecond"));
                 },
                 [](TVxEditDialog*, QWidget* c) {
                     QTest::keyClick(c, Qt::Key_End, Qt::ControlModifier);
                     QTest::keyClick(c, Qt::Key_Return);
                     TypeText(c, "third");
                 },
                 "first\r\nsecond\r\nthird"});
    add("memo from items", {etMemo, "not used", {"l1", "l2"}, "TEditMemo", false,
                            [](TVxEditDialog*, QWidget* c) {
                                QCOMPARE(qobject_cast<QPlainTextEdit*>(c)->toPlainText(), QStringLiteral("l1\nl2"));
                            },
                            {}, "l1\r\nl2"});
    add("fixed combo", {etComboBox, "two", {"one", "two", "three"}, "TComboBox", false,
                        [](TVxEditDialog*, QWidget* c) {
                            auto* combo = qobject_cast<QComboBox*>(c);
                            QVERIFY(!combo->isEditable());
                            QCOMPARE(combo->count(), 3);
                            QCOMPARE(combo->currentIndex(), 1);
                        },
                        [](TVxEditDialog*, QWidget* c) { QTest::keyClick(c, Qt::Key_Down); }, "three"});
    add("fixed combo, value not an item", {etComboBox, "four", {"one", "two"}, "TComboBox", false,
                                           [](TVxEditDialog*, QWidget* c) {
                                               QCOMPARE(qobject_cast<QComboBox*>(c)->currentIndex(), -1);
                                           },
                                           {}, ""});
    add("edit combo from value", {etEditComboBox, "only", {}, "TComboBox", false,
                                  [](TVxEditDialog*, QWidget* c) {
                                      auto* combo = qobject_cast<QComboBox*>(c);
                                      QVERIFY(combo->isEditable());
                                      QCOMPARE(combo->count(), 1);
                                      QCOMPARE(combo->currentIndex(), 0);
                                  },
                                  [](TVxEditDialog*, QWidget* c) {
                                      QTest::keyClick(c, Qt::Key_A, Qt::ControlModifier);
                                      TypeText(c, "typed");
                                  },
                                  "typed"});
    add("edit combo, several lines select nothing", {etEditComboBox, "a\r\nb", {}, "TComboBox", false,
                                                     [](TVxEditDialog*, QWidget* c) {
                                                         auto* combo = qobject_cast<QComboBox*>(c);
                                                         QCOMPARE(combo->count(), 2);
                                                         QCOMPARE(combo->currentIndex(), -1);
                                                     },
                                                     {}, "a\r\nb"});
    add("list", {etListBox, "beta", {"alpha", "beta", "gamma"}, "TListBox", false,
                 [](TVxEditDialog*, QWidget* c) { QCOMPARE(qobject_cast<QListWidget*>(c)->currentRow(), 1); },
                 [](TVxEditDialog*, QWidget* c) { QTest::keyClick(c, Qt::Key_Down); }, "gamma"});
    add("date", {etDate, DateToStr(day), {}, "TDateTimePicker", true,
                 [day](TVxEditDialog*, QWidget* c) { QCOMPARE(qobject_cast<QDateTimeEdit*>(c)->date(), day); },
                 [](TVxEditDialog*, QWidget* c) {
                     auto* picker = qobject_cast<QDateTimeEdit*>(c);
                     picker->setCurrentSection(QDateTimeEdit::DaySection);
                     QTest::keyClick(c, Qt::Key_Up);
                 },
                 DateToStr(day.addDays(1))});
    add("date that does not parse", {etDate, "yesterday-ish", {}, "TDateTimePicker", true,
                                      [](TVxEditDialog*, QWidget* c) {
                                          QCOMPARE(qobject_cast<QDateTimeEdit*>(c)->date(), QDate::currentDate());
                                      },
                                      {}, DateToStr(QDate::currentDate())});
    add("time", {etTime, TimeToStr(QTime(9, 30, 15)), {}, "TDateTimePicker", true,
                 [](TVxEditDialog*, QWidget* c) {
                     auto* picker = qobject_cast<TDateTimePicker*>(c);
                     QCOMPARE(picker->Kind(), dtkTime);
                     QCOMPARE(picker->time(), QTime(9, 30, 15));
                 },
                 [](TVxEditDialog*, QWidget* c) {
                     auto* picker = qobject_cast<QDateTimeEdit*>(c);
                     picker->setCurrentSection(QDateTimeEdit::MinuteSection);
                     QTest::keyClick(c, Qt::Key_Up);
                 },
                 TimeToStr(QTime(9, 31, 15))});
    add("calendar", {etCalendar, DateToStr(day), {}, "TVxMonthCalendar", true,
                     [day](TVxEditDialog*, QWidget* c) { QCOMPARE(qobject_cast<QCalendarWidget*>(c)->selectedDate(), day); },
                     [](TVxEditDialog*, QWidget* c) { QTest::keyClick(FocusTarget(c), Qt::Key_Right); },
                     DateToStr(day.addDays(1))});
    add("rich text", {etRTF, "{\\rtf1 Rich {\\b bold} text}", {}, "TVxRichEdit", false,
                      [](TVxEditDialog*, QWidget* c) {
                          QCOMPARE(qobject_cast<QTextEdit*>(c)->toPlainText(), QStringLiteral("Rich bold text"));
                      },
                      [](TVxEditDialog*, QWidget* c) {
                          QTest::keyClick(c, Qt::Key_End, Qt::ControlModifier);
                          TypeText(c, "!");
                      },
                      "Rich bold text!"});
    add("web page", {etHTML, "<p>Hello <b>web</b></p>", {}, "TWebBrowser", false,
                     [](TVxEditDialog*, QWidget* c) {
                         QCOMPARE(qobject_cast<QTextBrowser*>(c)->toPlainText(), QStringLiteral("Hello web"));
                     },
                     {}, "Hello web"});
    add("custom", {etCustom, "41", {}, "TTestSpin", false,
                   [](TVxEditDialog*, QWidget* c) { QCOMPARE(qobject_cast<QSpinBox*>(c)->value(), 41); },
                   [](TVxEditDialog*, QWidget* c) { QTest::keyClick(c, Qt::Key_Up); }, "42"});
}

void tst_EditDialog::editTypes()
{
    QFETCH(QString, name);
    const TEditCase& c = Cases()[name];
    TVxEditDialog dialog;
    dialog.EditProperties()->SetEditType(c.Type);
    dialog.EditProperties()->SetValue(c.Value);
    dialog.EditProperties()->Items()->SetText(c.Items.join(QStringLiteral("\r\n")));
    dialog.EditProperties()->SetCaption(QStringLiteral("&Value:"));

    std::unique_ptr<TVxEditEvents> handler;
    if (c.UseRegistry) {
        handler = GetEditEventClass(c.Type)->Create();
        TVxEditEvents* h = handler.get();
        dialog.OnSetDefaultValue = TVxSetDefaultValueEvent(
            [h](TObject* S, TControl* C, int I, const QString& V) { h->SetDefaultValueHandler(S, C, I, V); });
        dialog.OnGetEditValue =
            TVxGetEditValueEvent([h](TObject* S, TControl* C, int I, QString& V) { h->GetEditValueHandler(S, C, I, V); });
    }
    std::unique_ptr<TVxListEvents> listHandler;
    if (c.Type == etListBox) {
        // Work with the item texts.
        listHandler = std::make_unique<TVxListEvents>(-2);
        TVxListEvents* h = listHandler.get();
        dialog.OnGetEditValue =
            TVxGetEditValueEvent([h](TObject* S, TControl* C, int I, QString& V) { h->GetEditValueHandler(S, C, I, V); });
    }
    if (c.Type == etRTF || c.Type == etHTML)
        dialog.OnGetEditValue = TVxGetEditValueEvent(
            [](TObject*, TControl* C, int, QString& V) { V = qobject_cast<QTextEdit*>(C)->toPlainText(); });
    if (c.Type == etCustom) {
        dialog.OnGetEditControlClass =
            TVxGetControlClassEvent([](TObject*, int, TControlClass& Class) { Class = &TTestSpin::staticMetaObject; });
        dialog.OnSetDefaultValue = TVxSetDefaultValueEvent(
            [](TObject*, TControl* C, int, const QString& V) { qobject_cast<QSpinBox*>(C)->setValue(V.toInt()); });
        dialog.OnGetEditValue = TVxGetEditValueEvent(
            [](TObject*, TControl* C, int, QString& V) { V = QString::number(qobject_cast<QSpinBox*>(C)->value()); });
    }

    bool ran = false;
    const int result = RunModal(&dialog, [&](QWidget* window) {
        QWidget* control = dialog.EditControl();
        QVERIFY(control);
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), c.ControlClass);
        QVERIFY(control->isVisible());
        QVERIFY(dialog.EditLabel());
        QCOMPARE(dialog.EditLabel()->buddy(), control);
        // The control has the focus when the window shows.
        QTRY_VERIFY(control->hasFocus() || control->isAncestorOf(QApplication::focusWidget()));
        if (c.CheckStart)
            c.CheckStart(&dialog, control);
        if (c.UserEdit)
            c.UserEdit(&dialog, control);
        ran = true;
        ClickCommonButton(window, mrOk);
    });
    QVERIFY(ran);
    QCOMPARE(result, int(mrOk));
    QCOMPARE(dialog.EditValue(), c.Expected);
    QVERIFY(!dialog.EditControl());
    QVERIFY(!dialog.EditLabel());
}

void tst_EditDialog::captionGeometry_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("position");
    QTest::newRow("left") << "&Name:" << int(cpLeft);
    QTest::newRow("above") << "&Name:" << int(cpTop);
    QTest::newRow("none") << "" << int(cpLeft);
    QTest::newRow("long caption above wraps")
        << "A caption far too long for one line of the dialog, so it must wrap onto further lines without "
           "losing a single word of what it says"
        << int(cpTop);
    QTest::newRow("long caption beside wraps")
        << "A caption far too long to sit beside the control on one line of the dialog" << int(cpLeft);
}

void tst_EditDialog::captionGeometry()
{
    QFETCH(QString, caption);
    QFETCH(int, position);
    TProbeEditDialog dialog;
    dialog.EditProperties()->SetCaption(caption);
    dialog.EditProperties()->SetCaptionPosition(TVxCaptionPosition(position));
    TVxDialogEngine::Of(&dialog)->BuildHidden();
    QWidget* window = WindowOf(&dialog);
    QWidget* control = dialog.EditControl();
    QVERIFY(window && control);
    const QFontMetrics windowMetrics(window->font());
    const int h = windowMetrics.height() + 8;
    QCOMPARE(control->height(), h);
    const TRect bar = dialog.ButtonBarRect();
    const int cw = window->width();
    QCOMPARE(cw, dialog.ClientWidth());

    if (caption.isEmpty()) {
        QVERIFY(!dialog.EditLabel());
        QCOMPARE(control->y(), bar.Top - h - Scaled(8) - Scaled(3));
        QCOMPARE(control->x(), dialog.LeftMargin() + 1);
        QCOMPARE(control->width(), cw - dialog.LeftMargin() - dialog.RightMargin());
    } else {
        QLabel* label = dialog.EditLabel();
        QVERIFY(label && label->isVisibleTo(window));
        // The whole caption fits the label: every line of it, measured in the label's font.
        const QFontMetrics m(label->font());
        const QRect need =
            m.boundingRect(QRect(0, 0, label->width(), 100000), Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
        QVERIFY2(need.width() <= label->width() && need.height() <= label->height(),
                 qPrintable(QStringLiteral("%1x%2 in %3x%4").arg(need.width()).arg(need.height()).arg(label->width()).arg(label->height())));
        QVERIFY(label->geometry().right() < cw - dialog.RightMargin());
        QVERIFY(label->x() >= dialog.LeftMargin());
        if (position == cpTop) {
            QCOMPARE(control->y(), bar.Top - h - Scaled(8));
            QCOMPARE(label->y() + label->height() + Scaled(3), control->y());
            QCOMPARE(label->x(), control->x());
            QCOMPARE(control->width(), cw - dialog.LeftMargin() - dialog.RightMargin());
        } else {
            QCOMPARE(control->x(), label->x() + label->width() + Scaled(8));
            QCOMPARE(control->x() + control->width(), cw - dialog.RightMargin());
            if (label->height() > h) {
                QCOMPARE(label->y() + label->height(), bar.Top - Scaled(8));
                QCOMPARE(control->y(), bar.Top - h - Scaled(8));
            } else {
                QCOMPARE(control->y(), bar.Top - h - Scaled(8));
                QCOMPARE(label->y(), control->y() + Scaled(3));
            }
        }
        // Nothing of the caption sits above the room the dialog asked for.
        QVERIFY(label->y() >= bar.Top - dialog.ExtraHeight() - Scaled(8));
    }
    QVERIFY(control->y() + control->height() <= bar.Top);
    TVxDialogEngine::Of(&dialog)->DestroyHiddenWindow();
}

void tst_EditDialog::coverage_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("coverage");
    QTest::newRow("full") << int(ctPercent) << 100;
    QTest::newRow("half, right-aligned") << int(ctPercent) << 50;
    QTest::newRow("a third") << int(ctPercent) << 33;
    QTest::newRow("pixels hug the right margin") << int(ctPixels) << 150;
}

void tst_EditDialog::coverage()
{
    QFETCH(int, type);
    QFETCH(int, coverage);
    TProbeEditDialog dialog;
    dialog.EditProperties()->SetCaptionPosition(cpTop);
    dialog.EditProperties()->SetCaption(QStringLiteral("Above"));
    dialog.EditProperties()->SetCoverageType(TCoverageType(type));
    dialog.EditProperties()->SetCoverage(coverage);
    TVxDialogEngine::Of(&dialog)->BuildHidden();
    QWidget* window = WindowOf(&dialog);
    QWidget* control = dialog.EditControl();
    const int content = window->width() - dialog.LeftMargin() - dialog.RightMargin();
    int expected = content;
    if (type == ctPixels)
        expected = coverage;
    else if (coverage < 100)
        expected = int(std::nearbyint(coverage / 100.0 * content));
    QCOMPARE(control->width(), expected);
    if (type == ctPixels || coverage < 100)
        QCOMPARE(control->x() + control->width(), window->width() - dialog.RightMargin());
    else
        QCOMPARE(control->x(), dialog.LeftMargin() + 1);
    // The caption above follows the control.
    QCOMPARE(dialog.EditLabel()->x(), control->x());
    TVxDialogEngine::Of(&dialog)->DestroyHiddenWindow();
}

void tst_EditDialog::calendarHeight()
{
    TVxEditDialog dialog;
    dialog.EditProperties()->SetEditType(etCalendar);
    dialog.EditProperties()->SetHeight(100);
    TVxDialogEngine::Of(&dialog)->BuildHidden();
    QCOMPARE(dialog.EditControl()->height(), Scaled(164));
    TVxDialogEngine::Of(&dialog)->DestroyHiddenWindow();
    dialog.EditProperties()->SetEditType(etMemo);
    TVxDialogEngine::Of(&dialog)->BuildHidden();
    QCOMPARE(dialog.EditControl()->height(), Scaled(100));
    TVxDialogEngine::Of(&dialog)->DestroyHiddenWindow();
}

void tst_EditDialog::minimumWidthAndExtraHeight()
{
    // The control's width in pixels and the margins set the window's minimum width.
    {
        TProbeEditDialog dialog;
        dialog.EditProperties()->SetCoverageType(ctPixels);
        dialog.EditProperties()->SetCoverage(700);
        TVxDialogEngine::Of(&dialog)->BuildHidden();
        QCOMPARE(WindowOf(&dialog)->width(), 700 + dialog.LeftMargin() + dialog.RightMargin());
        QCOMPARE(dialog.EditControl()->width(), 700);
        TVxDialogEngine::Of(&dialog)->DestroyHiddenWindow();
    }
    // The window grows by the control, the caption and a margin; no 93-pixel minimum applies.
    const auto fill = [](TVxDialog& D) {
        D.SetWidth(500);
        D.Instruction()->SetText(QStringLiteral("Write your notes"));
        D.Content()->SetText(QStringLiteral("They are kept with the design.\r\nA second line.\r\nA third line."));
    };
    TVxDialog plain;
    fill(plain);
    TVxDialogEngine::Of(&plain)->BuildHidden();
    const QSize plainSize = WindowOf(&plain)->size();
    TVxDialogEngine::Of(&plain)->DestroyHiddenWindow();

    TProbeEditDialog dialog;
    fill(dialog);
    dialog.EditProperties()->SetEditType(etMemo);
    dialog.EditProperties()->SetCaption(QStringLiteral("Notes"));
    dialog.EditProperties()->SetCaptionPosition(cpTop);
    TVxDialogEngine::Of(&dialog)->BuildHidden();
    QWidget* window = WindowOf(&dialog);
    QCOMPARE(window->width(), plainSize.width());
    const int label = dialog.EditLabel()->height();
    QCOMPARE(label, QFontMetrics(dialog.EditLabel()->font()).height());
    QCOMPARE(dialog.ExtraHeight(), Scaled(100) + dialog.VertMargin() + label);
    QCOMPARE(window->height(), plainSize.height() + dialog.ExtraHeight());
    TVxDialogEngine::Of(&dialog)->DestroyHiddenWindow();

    TVxEditDialog tiny;
    tiny.EditProperties()->SetEditType(etMemo);
    tiny.EditProperties()->SetHeight(10);
    TVxDialogEngine::Of(&tiny)->BuildHidden();
    QVERIFY(WindowOf(&tiny)->height() < 93 + Scaled(10));
    TVxDialogEngine::Of(&tiny)->DestroyHiddenWindow();
}

void tst_EditDialog::validation()
{
    TVxEditDialog dialog;
    dialog.EditProperties()->SetValue(QStringLiteral("bad"));
    int asked = 0;
    dialog.OnValidate = TVxValidateEvent([&](TObject*, TControl* C, bool& Valid) {
        ++asked;
        Valid = qobject_cast<QLineEdit*>(C)->text() == QLatin1String("good");
    });
    const int result = RunModal(&dialog, [&](QWidget* window) {
        QWidget* control = dialog.EditControl();
        ClickCommonButton(window, mrOk);
        // Refused: still open, the control has the focus, OK stays the result in waiting.
        QCOMPARE(asked, 1);
        QVERIFY(window->isVisible());
        QTRY_VERIFY(control->hasFocus());
        QCOMPARE(dialog.ModalResult(), int(mrOk));
        // Cancel is not validated.
        qobject_cast<QLineEdit*>(control)->setText(QStringLiteral("still bad"));
        QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(control, "good");
        ClickCommonButton(window, mrOk);
    });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(asked, 2);
    QCOMPARE(dialog.EditValue(), QStringLiteral("good"));

    asked = 0;
    const int cancelled = RunModal(&dialog, [&](QWidget* window) { ClickCommonButton(window, mrCancel); });
    QCOMPARE(cancelled, int(mrCancel));
    QCOMPARE(asked, 0);
    // The value read at close is there even when cancelled; the caller looks at the result.
    QCOMPARE(dialog.EditValue(), QStringLiteral("bad"));
}

void tst_EditDialog::maxLength()
{
    TVxEditDialog dialog;
    dialog.EditProperties()->SetMaxLength(5);
    // A text longer than MaxLength from the caller stays whole.
    dialog.EditProperties()->SetValue(QStringLiteral("0123456789"));
    QString message;
    const int result = RunModal(&dialog, [&](QWidget* window) {
        auto* edit = qobject_cast<QLineEdit*>(dialog.EditControl());
        QCOMPARE(edit->text(), QStringLiteral("0123456789"));
        // Typing cannot make it longer.
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClicks(edit, "X");
        QCOMPARE(edit->text(), QStringLiteral("0123456789"));
        // OK is refused with a message.
        AnswerNextDialog(window, mrClose, &message);
        ClickCommonButton(window, mrOk);
        QVERIFY(window->isVisible());
        QVERIFY(message.contains(QLatin1String("at most 5")));
        // Once short enough, it is accepted; typing now stops at five.
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, "abcdefgh");
        QCOMPARE(edit->text(), QStringLiteral("abcde"));
        ClickCommonButton(window, mrOk);
    });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(dialog.EditValue(), QStringLiteral("abcde"));

    // Memo: typing stops at MaxLength too.
    dialog.EditProperties()->SetEditType(etMemo);
    dialog.EditProperties()->SetValue(QString());
    RunModal(&dialog, [&](QWidget* window) {
        auto* memo = qobject_cast<QPlainTextEdit*>(dialog.EditControl());
        QTest::keyClicks(memo, "abcdefgh");
        QCOMPARE(memo->toPlainText(), QStringLiteral("abcde"));
        ClickCommonButton(window, mrOk);
    });
    QCOMPARE(dialog.EditValue(), QStringLiteral("abcde"));
}

void tst_EditDialog::hugeValueKept_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("answer");
    // Past a line edit's own limit of 32767 characters.
    QTest::newRow("edit, OK") << int(etEdit) << int(mrOk);
    QTest::newRow("edit, cancel") << int(etEdit) << int(mrCancel);
    QTest::newRow("edit combo, OK") << int(etEditComboBox) << int(mrOk);
    QTest::newRow("memo, OK") << int(etMemo) << int(mrOk);
}

void tst_EditDialog::hugeValueKept()
{
    // A text longer than any limit of the control, without MaxLength: shown whole, and the
    // caller gets it back whole whether the user confirms or cancels.
    QFETCH(int, type);
    QFETCH(int, answer);
    const QString huge = QStringLiteral("0123456789").repeated(4000) + QStringLiteral("end");
    TVxEditDialog dialog;
    dialog.EditProperties()->SetEditType(TVxEditType(type));
    dialog.EditProperties()->SetValue(huge);
    qsizetype shown = 0;
    const int result = RunModal(&dialog, [&](QWidget* window) {
        QWidget* control = dialog.EditControl();
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            shown = edit->text().size();
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            shown = combo->currentText().size();
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
            shown = memo->toPlainText().size();
        ClickCommonButton(window, answer);
    });
    QCOMPARE(result, answer);
    QCOMPARE(shown, huge.size());
    QCOMPARE(dialog.EditValue(), huge);
}

void tst_EditDialog::pastedTextFitsTheField_data()
{
    // A paste into a one-line edit stays on its line. A paste past MaxLength is cut between whole characters; what was there stays, and the
    // value never holds more than MaxLength characters (a memo's line break counts two, as the
    // CR LF the caller gets).
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units
    const QString accented = QStringLiteral("e\u0301");           // e and a combining acute accent
    QTest::newRow("edit, one emoji fits") << int(etEdit) << 5 << "abcd" << smile << QString("abcd" + smile);
    QTest::newRow("edit, two emoji, one fits") << int(etEdit) << 5 << "abcd" << smile + smile << QString("abcd" + smile);
    QTest::newRow("edit, emoji at the limit") << int(etEdit) << 4 << "abc" << "x" + smile << "abcx";
    QTest::newRow("edit, accent kept with its letter") << int(etEdit) << 4 << "abc" << accented + "f" << "abc";
    QTest::newRow("edit combo, two emoji") << int(etEditComboBox) << 5 << "abcd" << smile + smile << QString("abcd" + smile);
    QTest::newRow("memo, two emoji keep what was there") << int(etMemo) << 5 << "abcd" << smile + smile << QString("abcd" + smile);
    QTest::newRow("memo, line break counts two") << int(etMemo) << 5 << "abc" << "\nxyz" << "abc\r\n";
    QTest::newRow("memo, break does not fit") << int(etMemo) << 5 << "abcd" << "\nx" << "abcd";
    // A one-line edit returns what it shows: pasted lines join with a space.
    QTest::newRow("edit, pasted lines") << int(etEdit) << 0 << "" << "Do not ask again\nsecond line\n" << "Do not ask again second line";
    QTest::newRow("edit, pasted CR LF lines in the middle") << int(etEdit) << 0 << "ab" << "\r\nx\r\n\r\ny\r\n" << "abx y";
    QTest::newRow("edit combo, pasted lines") << int(etEditComboBox) << 0 << "" << "one\ntwo" << "one two";
    QTest::newRow("edit, pasted lines cut at the limit") << int(etEdit) << 5 << "" << "ab\ncdef" << "ab cd";
    QTest::newRow("memo, emoji after a break") << int(etMemo) << 6 << "ab\r\nc" << smile + smile << QString("ab\r\nc" + smile);
}

void tst_EditDialog::pastedTextFitsTheField()
{
    QFETCH(int, type);
    QFETCH(int, maxLength);
    QFETCH(QString, start);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    TVxEditDialog dialog;
    dialog.EditProperties()->SetEditType(TVxEditType(type));
    dialog.EditProperties()->SetMaxLength(maxLength);
    dialog.EditProperties()->SetValue(start);
    const int result = RunModal(&dialog, [&](QWidget* window) {
        QGuiApplication::clipboard()->setText(pasted);
        QWidget* control = dialog.EditControl();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            memo->moveCursor(QTextCursor::End);
            memo->paste();
        } else {
            auto* edit = qobject_cast<QLineEdit*>(control);
            if (auto* combo = qobject_cast<QComboBox*>(control))
                edit = combo->lineEdit();
            QVERIFY(edit);
            edit->end(false);
            edit->paste();
        }
        ClickCommonButton(window, mrOk);
    });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(dialog.EditValue(), expected);
    QVERIFY(maxLength == 0 || dialog.EditValue().toUcs4().size() <= maxLength);
}

void tst_EditDialog::pastedPastQtLimitKept_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("edit") << int(etEdit);
    QTest::newRow("edit combo") << int(etEditComboBox);
}

void tst_EditDialog::pastedPastQtLimitKept()
{
    // Without MaxLength nothing limits what the user pastes, past a line edit's own 32767.
    QFETCH(int, type);
    const QString pasted = QStringLiteral("0123456789").repeated(10000);
    TVxEditDialog dialog;
    dialog.EditProperties()->SetEditType(TVxEditType(type));
    const int result = RunModal(&dialog, [&](QWidget* window) {
        QWidget* control = dialog.EditControl();
        auto* edit = qobject_cast<QLineEdit*>(control);
        if (auto* combo = qobject_cast<QComboBox*>(control))
            edit = combo->lineEdit();
        QVERIFY(edit);
        edit->insert(pasted);
        ClickCommonButton(window, mrOk);
    });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(dialog.EditValue().size(), pasted.size());
}

void tst_EditDialog::hostileHeightFitsTheScreen_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("height");
    QTest::newRow("memo, a million") << int(etMemo) << 1000000;
    QTest::newRow("list, a million") << int(etListBox) << 1000000;
    QTest::newRow("rich text, a million") << int(etRTF) << 1000000;
    QTest::newRow("calendar, a million") << int(etCalendar) << 1000000;
}

void tst_EditDialog::hostileHeightFitsTheScreen()
{
    // A control height no screen can show leaves the window within the available screen, with
    // the control still on it above the buttons.
    QFETCH(int, type);
    QFETCH(int, height);
    TVxEditDialog dialog;
    dialog.EditProperties()->SetEditType(TVxEditType(type));
    dialog.EditProperties()->SetHeight(height);
    QRect window;
    QRect control;
    QRect available;
    RunModal(&dialog, [&](QWidget* w) {
        window = w->geometry();
        available = w->screen()->availableGeometry();
        control = QRect(dialog.EditControl()->mapTo(w, QPoint()), dialog.EditControl()->size());
        ClickCommonButton(w, mrCancel);
    });
    QVERIFY2(window.height() <= available.height(), qPrintable(QString::number(window.height())));
    QVERIFY(control.height() > 0);
    QVERIFY2(control.top() >= 0, qPrintable(QString::number(control.top())));
    QVERIFY(control.bottom() < window.height());
}

void tst_EditDialog::closingValue_data()
{
    // What the caller gets back from controls whose shown text is not typed: the value handler
    // gives the value, a length limit does not apply, the handler objects carry the choice out,
    // and a value finds its item by one rule in the dialog and in the handlers.
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<int>("downKeys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("selectedIndex"); // -3: no index handler
    const QString day = DateToStr(QDate(2031, 3, 4));
    const QString time = TimeToStr(QTime(9, 30, 15));
    const QStringList fruit{"apple", "banana", "cherry"};
    QTest::newRow("date in the handler's form") << int(etDate) << QStringList() << day << 0 << 0
                                                << QStringLiteral("2031-03-04") << -3;
    QTest::newRow("time in the handler's form") << int(etTime) << QStringList() << time << 0 << 0
                                                << QStringLiteral("09:30:15") << -3;
    QTest::newRow("date, MaxLength shorter than shown") << int(etDate) << QStringList() << day << 5 << 0
                                                        << QStringLiteral("2031-03-04") << -3;
    QTest::newRow("time, MaxLength shorter than shown") << int(etTime) << QStringList() << time << 3 << 0
                                                        << QStringLiteral("09:30:15") << -3;
    QTest::newRow("fixed list item longer than MaxLength") << int(etComboBox) << fruit << "cherry" << 3 << 0
                                                           << QStringLiteral("cherry") << 2;
    QTest::newRow("fixed combo, second item picked") << int(etComboBox) << fruit << "apple" << 0 << 2
                                                     << QStringLiteral("cherry") << 2;
    QTest::newRow("edit combo, second item picked") << int(etEditComboBox) << fruit << "apple" << 0 << 2
                                                    << QStringLiteral("cherry") << 2;
    QTest::newRow("list item found ignoring case") << int(etListBox) << QStringList{"Apple", "Banana"} << "banana" << 0
                                                   << 0 << QStringLiteral("Banana") << -3;
    QTest::newRow("list item, exact case") << int(etListBox) << QStringList{"Apple", "Banana"} << "Apple" << 0 << 1
                                           << QStringLiteral("Banana") << -3;
}

void tst_EditDialog::closingValue()
{
    QFETCH(int, type);
    QFETCH(QStringList, items);
    QFETCH(QString, value);
    QFETCH(int, maxLength);
    QFETCH(int, downKeys);
    QFETCH(QString, expected);
    QFETCH(int, selectedIndex);
    TVxEditDialog dialog;
    dialog.EditProperties()->SetEditType(TVxEditType(type));
    dialog.EditProperties()->SetValue(value);
    dialog.EditProperties()->SetMaxLength(maxLength);
    dialog.EditProperties()->Items()->SetText(items.join(QStringLiteral("\r\n")));
    std::unique_ptr<TVxEditEvents> handler;
    TVxComboEvents* combo = nullptr;
    if (type == etDate || type == etTime) {
        handler = GetEditEventClass(type)->Create();
        // The caller's own form of the value, unlike the picker's display text.
        dialog.OnGetEditValue = TVxGetEditValueEvent([type](TObject*, TControl* C, int, QString& V) {
            auto* picker = qobject_cast<QDateTimeEdit*>(C);
            V = type == etDate ? picker->date().toString(Qt::ISODate) : picker->time().toString(Qt::ISODate);
        });
    } else if (type == etListBox) {
        handler = std::make_unique<TVxListEvents>(-2);
        TVxEditEvents* h = handler.get();
        dialog.OnGetEditValue =
            TVxGetEditValueEvent([h](TObject* S, TControl* C, int I, QString& V) { h->GetEditValueHandler(S, C, I, V); });
    } else {
        auto own = std::make_unique<TVxComboEvents>(type == etComboBox, 0);
        combo = own.get();
        handler = std::move(own);
        TVxEditEvents* h = handler.get();
        dialog.OnGetEditValue =
            TVxGetEditValueEvent([h](TObject* S, TControl* C, int I, QString& V) { h->GetEditValueHandler(S, C, I, V); });
    }
    TVxEditEvents* h = handler.get();
    if (type != etComboBox && type != etEditComboBox)
        dialog.OnSetDefaultValue = TVxSetDefaultValueEvent(
            [h](TObject* S, TControl* C, int I, const QString& V) { h->SetDefaultValueHandler(S, C, I, V); });
    // Any message box (a refused length) is noted and closed.
    QString message;
    QTimer refusals;
    QWidget* ownWindow = nullptr;
    connect(&refusals, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != ownWindow && w->isVisible() && w->inherits("TVxTaskDialogForm"))
                if (QWidget* close = CommonButton(w, mrClose)) {
                    qobject_cast<TVxTaskDialogForm*>(w)->GetDialogText(message);
                    qobject_cast<QAbstractButton*>(close)->click();
                }
    });
    refusals.start(5);
    const int result = RunModal(&dialog, [&](QWidget* window) {
        ownWindow = window;
        QWidget* control = FocusTarget(dialog.EditControl());
        for (int i = 0; i < downKeys; ++i)
            QTest::keyClick(control, Qt::Key_Down);
        ClickCommonButton(window, mrOk);
        if (window->isVisible())
            ClickCommonButton(window, mrCancel);
    });
    QCOMPARE(message, QString());
    QCOMPARE(result, int(mrOk));
    QCOMPARE(dialog.EditValue(), expected);
    if (selectedIndex != -3)
        QCOMPARE(combo->SelectedIndex(), selectedIndex);
}

void tst_EditDialog::doubleClickCloses()
{
    for (bool allowed : {true, false}) {
        TVxEditDialog dialog;
        dialog.EditProperties()->SetEditType(etListBox);
        dialog.EditProperties()->Items()->SetText(QStringLiteral("a\r\nb\r\n"));
        dialog.EditProperties()->SetAllowDoubleClickToClose(allowed);
        TVxListEvents handler(-2);
        dialog.OnGetEditValue = TVxGetEditValueEvent(
            [&](TObject* S, TControl* C, int I, QString& V) { handler.GetEditValueHandler(S, C, I, V); });
        const int result = RunModal(&dialog, [&](QWidget* window) {
            auto* list = qobject_cast<QListWidget*>(dialog.EditControl());
            const QPoint p = list->visualItemRect(list->item(1)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, p);
            if (!allowed) {
                QVERIFY(window->isVisible());
                ClickCommonButton(window, mrCancel);
            }
        });
        QCOMPARE(result, allowed ? int(mrOk) : int(mrCancel));
        QCOMPARE(dialog.EditValue(), QStringLiteral("b"));
    }
}

void tst_EditDialog::checkList()
{
    TVxEditDialog dialog;
    dialog.EditProperties()->SetEditType(etCheckListBox);
    dialog.EditProperties()->Items()->SetText(QStringLiteral("red\r\ngreen\r\nblue\r\n"));
    TStringList checked;
    bool any = false;
    bool byText = false, plainOutOfRange = true;
    dialog.OnDialogClose = TDialogCloseEvent([&](TVxCustomDialog*) {
        any = dialog.GetCheckedItems(&checked);
        byText = dialog.ItemChecked(QStringLiteral("BLUE"));
        plainOutOfRange = dialog.ItemChecked(7);
    });
    RunModal(&dialog, [&](QWidget* window) {
        auto* list = qobject_cast<QListWidget*>(dialog.EditControl());
        QCOMPARE(dialog.ItemCount(), 3);
        QVERIFY(!dialog.ItemChecked(0));
        for (int row : {0, 2}) {
            list->setCurrentRow(row);
            QTest::keyClick(list, Qt::Key_Space);
        }
        QVERIFY(dialog.ItemChecked(0));
        QVERIFY(!dialog.ItemChecked(1));
        ClickCommonButton(window, mrOk);
    });
    QVERIFY(any);
    QCOMPARE(checked.Lines(), QStringList({"red", "blue"}));
    QVERIFY(byText);
    QVERIFY(!plainOutOfRange);
    // Without a window there is no list.
    QCOMPARE(dialog.ItemCount(), 0);
    QVERIFY(!dialog.GetCheckedItems(&checked));
    QCOMPARE(checked.Count(), 0);
}

void tst_EditDialog::queries_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("typeFirst");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("valueAfter");
    QTest::newRow("OK without change") << int(mrOk) << false << true << "start";
    QTest::newRow("OK after typing") << int(mrOk) << true << true << "start and more";
    QTest::newRow("cancel keeps the value") << int(mrCancel) << true << false << "start";
    QTest::newRow("close box keeps the value") << 0 << true << false << "start";
}

void tst_EditDialog::queries()
{
    QFETCH(int, answer);
    QFETCH(bool, typeFirst);
    QFETCH(bool, confirmed);
    QFETCH(QString, valueAfter);
    QString value = QStringLiteral("start");
    QString shownTitle, shownCaption;
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->inherits("TVxTaskDialogForm") || !w->isVisible())
                continue;
            auto* edit = w->findChild<QLineEdit*>(QStringLiteral("EditControl"));
            if (!edit || !edit->hasFocus())
                return;
            timer->stop();
            timer->deleteLater();
            shownTitle = w->windowTitle();
            shownCaption = w->findChild<QLabel*>(QStringLiteral("EditLabel"))->text();
            QCOMPARE(edit->text(), QStringLiteral("start"));
            if (typeFirst) {
                QTest::keyClick(edit, Qt::Key_End);
                QTest::keyClicks(edit, " and more");
            }
            if (answer == 0)
                w->close();
            else
                ClickCommonButton(w, answer);
            return;
        }
    });
    timer->start(5);
    QCOMPARE(EditQuery(QStringLiteral("Caption:"), QStringLiteral("Enter Verification Caption"), value), confirmed);
    QCOMPARE(value, valueAfter);
    QCOMPARE(shownTitle, QStringLiteral("Caption:"));
    QCOMPARE(shownCaption, QStringLiteral("Enter Verification Caption"));
}

void tst_EditDialog::badControls()
{
    // A control class that is no widget: a one-line edit takes its place.
    {
        TVxEditDialog dialog;
        dialog.EditProperties()->SetValue(QStringLiteral("kept"));
        dialog.OnGetEditControlClass =
            TVxGetControlClassEvent([](TObject*, int, TControlClass& Class) { Class = &TNotAWidget::staticMetaObject; });
        const int result = RunModal(&dialog, [&](QWidget* window) {
            QVERIFY(qobject_cast<TEdit*>(dialog.EditControl()));
            ClickCommonButton(window, mrOk);
        });
        QCOMPARE(result, int(mrOk));
        QCOMPARE(dialog.EditValue(), QStringLiteral("kept"));
    }
    // A handler for another control class: the failure is reported, the caller's value stays.
    {
        TVxEditDialog dialog;
        dialog.EditProperties()->SetEditType(etCustom);
        dialog.EditProperties()->SetValue(QStringLiteral("2030-01-01"));
        TVxDateEvents dates;
        dialog.OnGetEditValue = TVxGetEditValueEvent(
            [&](TObject* S, TControl* C, int I, QString& V) { dates.GetEditValueHandler(S, C, I, V); });
        QString message;
        const int result = RunModal(&dialog, [&](QWidget* window) {
            AnswerNextDialog(window, mrClose, &message);
            ClickCommonButton(window, mrOk);
        });
        QCOMPARE(result, int(mrOk));
        QVERIFY2(message.contains(QLatin1String("Invalid class typecast")), qPrintable(message));
        QCOMPARE(dialog.EditValue(), QStringLiteral("2030-01-01"));
    }
    // An empty fixed list: nothing to choose, nothing selected, an empty value.
    {
        TVxEditDialog dialog;
        dialog.EditProperties()->SetEditType(etComboBox);
        const int result = RunModal(&dialog, [&](QWidget* window) {
            auto* combo = qobject_cast<QComboBox*>(dialog.EditControl());
            QCOMPARE(combo->count(), 0);
            QTest::keyClick(combo, Qt::Key_Down);
            ClickCommonButton(window, mrOk);
        });
        QCOMPARE(result, int(mrOk));
        QCOMPARE(dialog.EditValue(), QString());
    }
}

void tst_EditDialog::runTimeCalls()
{
    TProbeEditDialog dialog;
    int initialised = 0;
    QStringList setValues;
    dialog.OnInitialiseEdit = TVxInitialiseEditEvent([&](TObject*, TControl* C, int Index) {
        QCOMPARE(C, dialog.EditControl());
        QCOMPARE(Index, 0);
        ++initialised;
    });
    dialog.OnSetEditValue = TVxSetDefaultValueEvent(
        [&](TObject*, TControl*, int Index, const QString& V) { setValues << QStringLiteral("%1:%2").arg(Index).arg(V); });
    // A program moves the control 10 pixels up.
    dialog.OnAdjustTopValue = TVxAdjustTopValueEvent([](TObject*, int& Top) { Top -= 10; });
    const int result = RunModal(&dialog, [&](QWidget* window) {
        auto* edit = qobject_cast<QLineEdit*>(dialog.EditControl());
        const TRect bar = dialog.ButtonBarRect();
        QCOMPARE(edit->y(), bar.Top - edit->height() - Scaled(8) - Scaled(3) - 10);
        // Re-laying out fires OnInitialiseEdit only once per run.
        dialog.PositionControls();
        QCOMPARE(initialised, 1);
        dialog.SetEditValue(QStringLiteral("set by the program"));
        QCOMPARE(edit->text(), QStringLiteral("set by the program"));
        QCOMPARE(setValues, QStringList({"-1:set by the program"}));
        window->setFocus();
        dialog.UpdateValue(QStringLiteral("updated"), true, true);
        QCOMPARE(edit->text(), QStringLiteral("updated"));
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->selectedText(), QStringLiteral("updated"));
        ClickCommonButton(window, mrOk);
    });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(dialog.EditValue(), QStringLiteral("updated"));
    // A second run initialises again.
    RunModal(&dialog, [&](QWidget* window) { ClickCommonButton(window, mrCancel); });
    QCOMPARE(initialised, 2);
}

QTEST_MAIN(tst_EditDialog)
#include "tst_editdialog.moc"
