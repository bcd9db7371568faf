#include "VxMonthCalendar.h"

#include <QTableView>
#include <QTest>
#include <QToolButton>

class tst_MonthCalendar : public QObject {
    Q_OBJECT
private slots:
    void init();
    void doubleClickFilter_data();
    void doubleClickFilter();

private:
    std::unique_ptr<TVxMonthCalendar> FCalendar;
    QTableView* FView = nullptr;
};

void tst_MonthCalendar::init()
{
    FCalendar = std::make_unique<TVxMonthCalendar>();
    FCalendar->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    FCalendar->setSelectedDate(QDate(2026, 12, 10));
    FCalendar->resize(400, 300);
    FCalendar->show();
    QVERIFY(QTest::qWaitForWindowExposed(FCalendar.get()));
    FView = FCalendar->findChild<QTableView*>();
    QVERIFY(FView);
}

void tst_MonthCalendar::doubleClickFilter_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<uint>("hit");
    QTest::addColumn<int>("reported");
    QTest::newRow("date") << "date" << MCHT_CALENDARDATE << 1;
    QTest::newRow("date of the next month") << "next month date" << MCHT_CALENDARDATENEXT << 0;
    QTest::newRow("day names") << "day name" << MCHT_CALENDARDAY << 0;
    QTest::newRow("week numbers") << "week number" << MCHT_CALENDARWEEKNUM << 0;
    QTest::newRow("month title") << "qt_calendar_monthbutton" << MCHT_TITLEMONTH << 0;
    QTest::newRow("previous month button") << "qt_calendar_prevmonth" << MCHT_TITLEBTNPREV << 0;
    QTest::newRow("next month button") << "qt_calendar_nextmonth" << MCHT_TITLEBTNNEXT << 0;
}

void tst_MonthCalendar::doubleClickFilter()
{
    QFETCH(QString, target);
    QFETCH(uint, hit);
    QFETCH(int, reported);
    int clicks = 0;
    FCalendar->OnDblClick = TNotifyEvent([&](TObject* Sender) {
        QCOMPARE(Sender, static_cast<TObject*>(FCalendar.get()));
        ++clicks;
    });
    QWidget* widget = nullptr;
    QPoint pos;
    if (target.startsWith(QLatin1String("qt_"))) {
        widget = FCalendar->findChild<QWidget*>(target);
        QVERIFY2(widget, qPrintable(target));
        pos = widget->rect().center();
    } else {
        // December 2026: row 0 holds the day names, column 0 the week numbers; the 10th is in the
        // second row of dates, the last row holds January.
        int row = 2, column = 4;
        if (target == "day name")
            row = 0;
        else if (target == "week number")
            column = 0;
        else if (target == "next month date")
            row = 6, column = 7;
        widget = FView->viewport();
        pos = FView->visualRect(FView->model()->index(row, column)).center();
    }
    QCOMPARE(FCalendar->HitTest(widget->mapTo(FCalendar.get(), pos)), hit);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QCOMPARE(clicks, reported);
    QCOMPARE(FCalendar->monthShown(), 12); // a swallowed double click on a button navigates nowhere
}

QTEST_MAIN(tst_MonthCalendar)
#include "tst_monthcalendar.moc"
