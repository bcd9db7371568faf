#include "VxEditControls.h"
#include "VxEditEvents.h"
#include "VxEditProperties.h"
#include "VxFormatSettings.h"
#include "VxMonthCalendar.h"

#include <QSignalSpy>
#include <QTest>

// The handler family, the registry and the edit properties, on real controls.
class tst_EditEvents : public QObject {
    Q_OBJECT
private slots:
    void registry_data();
    void registry();
    void registryReplace();
    void heights_data();
    void heights();
    void comboHandlers_data();
    void comboHandlers();
    void listHandlers_data();
    void listHandlers();
    void dateConversions_data();
    void dateConversions();
    void timeConversion();
    void wrongControlClass();
    void editPropertiesDefaultsAndAssign();
    void captionVisible_data();
    void captionVisible();
};

void tst_EditEvents::registry_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("className");
    QTest::newRow("none") << int(etNone) << "TVxEditEvents";
    QTest::newRow("edit") << int(etEdit) << "TVxEditEvents";
    QTest::newRow("memo") << int(etMemo) << "TVxMemoEvents";
    QTest::newRow("combo") << int(etComboBox) << "TVxComboEvents";
    QTest::newRow("list") << int(etListBox) << "TVxListEvents";
    QTest::newRow("date") << int(etDate) << "TVxDateEvents";
    QTest::newRow("time") << int(etTime) << "TVxTimeEvents";
    QTest::newRow("calendar") << int(etCalendar) << "TVxCalendarEvents";
    QTest::newRow("custom") << int(etCustom) << "TVxEditEvents";
    QTest::newRow("check list") << int(etCheckListBox) << "";
    QTest::newRow("rtf") << int(etRTF) << "";
    QTest::newRow("html") << int(etHTML) << "";
    QTest::newRow("edit combo") << int(etEditComboBox) << "TVxComboEvents";
    QTest::newRow("beyond the list") << 13 << "TVxEditEvents";
    QTest::newRow("modulo 128") << 128 + int(etMemo) << "TVxMemoEvents";
}

void tst_EditEvents::registry()
{
    QFETCH(int, type);
    QFETCH(QString, className);
    TVxEditEventClass cls = GetEditEventClass(type);
    if (className.isEmpty()) {
        QVERIFY(!cls);
        return;
    }
    QVERIFY(cls);
    QCOMPARE(QString::fromLatin1(cls->Name), className);
    // The class creates an object that reports the same class.
    std::unique_ptr<TVxEditEvents> handler = cls->Create();
    QCOMPARE(handler->ClassName(), className);
}

void tst_EditEvents::registryReplace()
{
    TVxRegisteredEvents registry;
    registry.SetEvent(etRTF, TVxMemoEvents::ClassType());
    QCOMPARE(registry.GetEvent(etRTF), TVxMemoEvents::ClassType());
    registry.SetEvent(128 + etEdit, TVxDateEvents::ClassType());
    QCOMPARE(registry.GetEvent(etEdit), TVxDateEvents::ClassType());
    QVERIFY_THROWS_EXCEPTION(EListError, registry.SetEvent(20, TVxEditEvents::ClassType()));
    // The program's registry is untouched.
    QVERIFY(!GetEditEventClass(etRTF));
}

void tst_EditEvents::heights_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("height");
    QTest::newRow("edit keeps the dialog's own") << int(etEdit) << 0;
    QTest::newRow("memo") << int(etMemo) << 125;
    QTest::newRow("list") << int(etListBox) << 125;
    QTest::newRow("combo keeps the dialog's own") << int(etComboBox) << 0;
    QTest::newRow("date keeps the dialog's own") << int(etDate) << 0;
}

void tst_EditEvents::heights()
{
    QFETCH(int, type);
    QFETCH(int, height);
    std::unique_ptr<TVxEditEvents> handler = GetEditEventClass(type)->Create();
    int h = 0;
    handler->GetControlHeightHandler(nullptr, nullptr, 0, h);
    QCOMPARE(h, height);
    TControlClass cls = &TEdit::staticMetaObject;
    handler->GetEditControlClass(nullptr, 0, cls);
    QVERIFY(!cls);
}

void tst_EditEvents::comboHandlers_data()
{
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<int>("selectedAtStart");
    QTest::addColumn<int>("userPicks");
    QTest::newRow("fixed, second item") << true << 1 << 1 << 2;
    QTest::newRow("editable, none") << false << -1 << -1 << 0;
    QTest::newRow("index past the items selects nothing") << true << 7 << -1 << 1;
}

void tst_EditEvents::comboHandlers()
{
    QFETCH(bool, fixed);
    QFETCH(int, startIndex);
    QFETCH(int, selectedAtStart);
    QFETCH(int, userPicks);
    TComboBox combo;
    combo.SetItems({"one", "two", "three"});
    TVxComboEvents handler(fixed, startIndex);
    handler.InitialiseEditHandler(nullptr, &combo, 0);
    QCOMPARE(combo.Style(), fixed ? csDropDownList : csDropDown);
    QCOMPARE(combo.isEditable(), !fixed);
    handler.SetDefaultValueHandler(nullptr, &combo, 0, QStringLiteral("ignored"));
    QCOMPARE(combo.currentIndex(), selectedAtStart);

    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    combo.setFocus();
    // The user moves the selection with the keyboard from the top.
    combo.setCurrentIndex(0);
    for (int i = 0; i < userPicks; ++i)
        QTest::keyClick(&combo, Qt::Key_Down);
    QString value = QStringLiteral("untouched");
    handler.GetEditValueHandler(nullptr, &combo, 0, value);
    QCOMPARE(handler.SelectedIndex(), userPicks);
    QCOMPARE(value, QStringLiteral("untouched"));
}

void tst_EditEvents::listHandlers_data()
{
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("selectedAtStart");
    QTest::addColumn<bool>("clearSelection");
    QTest::addColumn<int>("indexOut");
    QTest::addColumn<QString>("valueOut");
    QTest::newRow("texts: second item by value") << -2 << "beta" << 1 << false << -2 << "beta";
    QTest::newRow("texts: nothing selected gives empty") << -2 << "beta" << 1 << true << -2 << "";
    QTest::newRow("texts: value not in the list") << -2 << "gamma" << -1 << false << -2 << "";
    QTest::newRow("index: first") << 0 << "beta" << 0 << false << 0 << "keep";
    QTest::newRow("index: out of range selects nothing") << 5 << "" << -1 << false << -1 << "keep";
}

void tst_EditEvents::listHandlers()
{
    QFETCH(int, startIndex);
    QFETCH(QString, value);
    QFETCH(int, selectedAtStart);
    QFETCH(bool, clearSelection);
    QFETCH(int, indexOut);
    QFETCH(QString, valueOut);
    TListBox list;
    list.SetItems({"alpha", "beta"});
    TVxListEvents handler(startIndex);
    QCOMPARE(handler.IgnoreIndex(), startIndex == -2);
    handler.SetDefaultValueHandler(nullptr, &list, 0, value);
    QCOMPARE(list.selectedItems().isEmpty() ? -1 : list.currentRow(), selectedAtStart);
    if (clearSelection)
        list.clearSelection();
    QString out = QStringLiteral("keep");
    handler.GetEditValueHandler(nullptr, &list, 0, out);
    QCOMPARE(out, valueOut);
    QCOMPARE(handler.SelectedIndex(), indexOut);
}

void tst_EditEvents::dateConversions_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QDate>("expected"); // invalid: today
    const QDate date(2031, 3, 4);
    QTest::newRow("date picker, program's format") << int(etDate) << DateToStr(date) << date;
    QTest::newRow("date picker, date and time") << int(etDate) << DateTimeToStr(QDateTime(date, QTime(13, 5, 7))) << date;
    QTest::newRow("date picker, ISO") << int(etDate) << "2031-03-04" << date;
    QTest::newRow("date picker, not a date") << int(etDate) << "the fifth of never" << QDate();
    QTest::newRow("date picker, empty") << int(etDate) << "" << QDate();
    QTest::newRow("calendar, program's format") << int(etCalendar) << DateToStr(date) << date;
    QTest::newRow("calendar, not a date") << int(etCalendar) << "31/31/31" << QDate();
}

void tst_EditEvents::dateConversions()
{
    QFETCH(int, type);
    QFETCH(QString, value);
    QFETCH(QDate, expected);
    std::unique_ptr<TVxEditEvents> handler = GetEditEventClass(type)->Create();
    std::unique_ptr<QWidget> control;
    if (type == etCalendar)
        control = std::make_unique<TVxMonthCalendar>();
    else
        control = std::make_unique<TDateTimePicker>();
    const QDate before = QDate::currentDate();
    handler->SetDefaultValueHandler(nullptr, control.get(), 0, value);
    const QDate shown = type == etCalendar ? static_cast<QCalendarWidget*>(control.get())->selectedDate()
                                           : static_cast<QDateTimeEdit*>(control.get())->date();
    if (expected.isValid())
        QCOMPARE(shown, expected);
    else
        QVERIFY(shown == before || shown == QDate::currentDate());
    // The value read back is the shown date in the program's format and reads as the same date.
    QString out;
    handler->GetEditValueHandler(nullptr, control.get(), 0, out);
    QCOMPARE(out, DateToStr(shown));
    QDate back;
    QVERIFY(TryStrToDate(out, back));
    QCOMPARE(back, shown);
}

void tst_EditEvents::timeConversion()
{
    TDateTimePicker picker;
    picker.SetKind(dtkTime);
    picker.setDate(QDate(2030, 1, 2));
    TVxTimeEvents handler;
    handler.SetDefaultValueHandler(nullptr, &picker, 0, TimeToStr(QTime(17, 42, 9)));
    QCOMPARE(picker.time(), QTime(17, 42, 9));
    QCOMPARE(picker.date(), QDate(2030, 1, 2));
    QString out;
    handler.GetEditValueHandler(nullptr, &picker, 0, out);
    QCOMPARE(out, TimeToStr(QTime(17, 42, 9)));

    // Not a time: the current date and time.
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    handler.SetDefaultValueHandler(nullptr, &picker, 0, QStringLiteral("25:99"));
    QVERIFY(picker.dateTime() >= before.addMSecs(-before.time().msec()));
    QVERIFY(picker.dateTime() <= QDateTime::currentDateTime());
}

void tst_EditEvents::wrongControlClass()
{
    TEdit edit;
    QString value;
    TVxDateEvents date;
    QVERIFY_THROWS_EXCEPTION(EInvalidCast, date.GetEditValueHandler(nullptr, &edit, 0, value));
    TVxListEvents list(-2);
    QVERIFY_THROWS_EXCEPTION(EInvalidCast, list.SetDefaultValueHandler(nullptr, &edit, 0, value));
    TVxComboEvents combo(true, 0);
    QVERIFY_THROWS_EXCEPTION(EInvalidCast, combo.InitialiseEditHandler(nullptr, &edit, 0));
    // No control at all: nothing to convert.
    date.SetDefaultValueHandler(nullptr, nullptr, 0, QStringLiteral("x"));
    combo.GetEditValueHandler(nullptr, nullptr, 0, value);
    QCOMPARE(combo.SelectedIndex(), 0);
}

void tst_EditEvents::editPropertiesDefaultsAndAssign()
{
    TVxEditProperties a;
    QCOMPARE(a.EditType(), etEdit);
    QCOMPARE(a.Height(), 100);
    QCOMPARE(a.Coverage(), 100);
    QCOMPARE(a.CoverageType(), ctPercent);
    QCOMPARE(a.CaptionPosition(), cpLeft);
    QVERIFY(a.AllowDoubleClickToClose());
    QVERIFY(a.AllowActiveControl());
    QCOMPARE(a.MaxLength(), 0);

    int changes = 0;
    a.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    a.SetCaption(QStringLiteral("Name:"));
    a.SetCaption(QStringLiteral("Name:"));
    a.SetEditType(etMemo); // no notification
    a.SetHeight(80);
    a.SetCaptionPosition(cpTop);
    a.SetValue(QStringLiteral("v"));
    QCOMPARE(changes, 4);

    TVxEditProperties b;
    b.SetCaption(QStringLiteral("Other"));
    b.SetValue(QStringLiteral("kept value"));
    b.SetMaxLength(9);
    b.SetEditType(etListBox);
    b.SetHeight(140);
    b.Items()->SetText(QStringLiteral("x\r\ny\r\n"));
    b.SetAllowDoubleClickToClose(false);
    b.SetCoverage(50);
    b.SetCoverageType(ctPixels);
    b.SetAllowActiveControl(false);
    b.SetCaptionPosition(cpTop);
    changes = 0;
    a.Assign(&b);
    QCOMPARE(changes, 1);
    QCOMPARE(a.Caption(), QStringLiteral("Other"));
    QCOMPARE(a.EditType(), etListBox);
    QCOMPARE(a.Height(), 140);
    QCOMPARE(a.Items()->Count(), 2);
    QVERIFY(!a.AllowDoubleClickToClose());
    QCOMPARE(a.Coverage(), 50);
    QCOMPARE(a.CoverageType(), ctPixels);
    QVERIFY(!a.AllowActiveControl());
    QCOMPARE(a.CaptionPosition(), cpTop);
    // Value and MaxLength are not copied.
    QCOMPARE(a.Value(), QStringLiteral("v"));
    QCOMPARE(a.MaxLength(), 0);

    TStringList other;
    QVERIFY_THROWS_EXCEPTION(EConvertError, a.Assign(&other));

    // The published order the form text follows.
    QStringList names;
    for (const TPropInfo* p : [&] {
             QList<const TPropInfo*> own;
             for (const TPropInfo& info : TVxEditProperties::StaticClassInfo().OwnProperties())
                 own << &info;
             return own;
         }())
        names << p->Name;
    QCOMPARE(names, QStringList({"Caption", "Value", "EditType", "Height", "Items", "MaxLength",
                                 "AllowDoubleClickToClose", "CaptionPosition", "Coverage", "CoverageType",
                                 "AllowActiveControl"}));
}

void tst_EditEvents::captionVisible_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks") << "   " << false;
    QTest::newRow("control characters") << "\t\r\n" << false;
    QTest::newRow("text") << " Name: " << true;
}

void tst_EditEvents::captionVisible()
{
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    TVxEditProperties p;
    p.SetCaption(caption);
    QCOMPARE(p.CaptionVisible(), visible);
}

QTEST_MAIN(tst_EditEvents)
#include "tst_editevents.moc"
