#pragma once
/// The month calendar of date input: a double click is reported only when it lands on a date or
/// on the calendar's background, never on the title, the navigation buttons, the day names or the
/// week numbers. \file

#include "Classes.h"

#include <QCalendarWidget>

#include <utility>

/// Hit-test results in the platform's encoding.
constexpr uint MCHT_NOWHERE = 0x00000000;
constexpr uint MCHT_TITLE = 0x00010000;
constexpr uint MCHT_CALENDAR = 0x00020000;
constexpr uint MCHT_NEXT = 0x01000000;
constexpr uint MCHT_PREV = 0x02000000;
constexpr uint MCHT_TITLEBK = MCHT_TITLE;
constexpr uint MCHT_TITLEMONTH = MCHT_TITLE | 0x0001;
constexpr uint MCHT_TITLEYEAR = MCHT_TITLE | 0x0002;
constexpr uint MCHT_TITLEBTNNEXT = MCHT_TITLE | MCHT_NEXT | 0x0003;
constexpr uint MCHT_TITLEBTNPREV = MCHT_TITLE | MCHT_PREV | 0x0003;
constexpr uint MCHT_CALENDARBK = MCHT_CALENDAR;
constexpr uint MCHT_CALENDARDATE = MCHT_CALENDAR | 0x0001;
constexpr uint MCHT_CALENDARDATENEXT = MCHT_CALENDARDATE | MCHT_NEXT;
constexpr uint MCHT_CALENDARDATEPREV = MCHT_CALENDARDATE | MCHT_PREV;
constexpr uint MCHT_CALENDARDAY = MCHT_CALENDAR | 0x0002;
constexpr uint MCHT_CALENDARWEEKNUM = MCHT_CALENDAR | 0x0003;

class TVxMonthCalendar : public QCalendarWidget, public TObject {
    Q_OBJECT
public:
    explicit TVxMonthCalendar(QWidget* Parent = nullptr);

    /// What lies at Pos (client coordinates of the calendar).
    uint HitTest(QPoint Pos) const;

    TNotifyEvent OnDblClick;

signals:
    void doubleClicked();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void childEvent(QChildEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;

private:
    void WatchChildren();
    /// Reports a double click at Pos unless it is filtered out; false when filtered.
    bool DoubleClick(const QMouseEvent* Event, QPoint Pos);

    std::pair<quint64, QPoint> FLastDoubleClick{0, QPoint(-1, -1)};
};
