#include "VxMonthCalendar.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QTableView>

TVxMonthCalendar::TVxMonthCalendar(QWidget* Parent) : QCalendarWidget(Parent) { WatchChildren(); }

void TVxMonthCalendar::WatchChildren()
{
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this); // installing twice keeps one filter
}

void TVxMonthCalendar::childEvent(QChildEvent* Event)
{
    QCalendarWidget::childEvent(Event);
    if (Event->added() && Event->child()->isWidgetType())
        Event->child()->installEventFilter(this);
}

uint TVxMonthCalendar::HitTest(QPoint Pos) const
{
    if (!rect().contains(Pos))
        return MCHT_NOWHERE;
    QWidget* at = childAt(Pos);
    for (QWidget* w = at; w && w != this; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (name == QLatin1String("qt_calendar_prevmonth"))
            return MCHT_TITLEBTNPREV;
        if (name == QLatin1String("qt_calendar_nextmonth"))
            return MCHT_TITLEBTNNEXT;
        if (name == QLatin1String("qt_calendar_monthbutton"))
            return MCHT_TITLEMONTH;
        if (name == QLatin1String("qt_calendar_yearbutton") || name == QLatin1String("qt_calendar_yearedit"))
            return MCHT_TITLEYEAR;
        if (name == QLatin1String("qt_calendar_navigationbar"))
            return MCHT_TITLEBK;
        if (auto* view = qobject_cast<const QTableView*>(w)) {
            const QPoint inView = view->viewport()->mapFrom(this, Pos);
            const QModelIndex index = view->indexAt(inView);
            if (!index.isValid())
                return MCHT_CALENDARBK;
            const bool dayNames = horizontalHeaderFormat() != QCalendarWidget::NoHorizontalHeader;
            const bool weekNumbers = verticalHeaderFormat() != QCalendarWidget::NoVerticalHeader;
            if (dayNames && index.row() == 0)
                return MCHT_CALENDARDAY;
            if (weekNumbers && index.column() == 0)
                return MCHT_CALENDARWEEKNUM;
            // Six rows of dates: early rows with high day numbers belong to the month before,
            // late rows with low ones to the month after.
            const int row = index.row() - (dayNames ? 1 : 0);
            const int day = index.data(Qt::DisplayRole).toInt();
            if (row <= 1 && day > 14)
                return MCHT_CALENDARDATEPREV;
            if (row >= 4 && day < 15)
                return MCHT_CALENDARDATENEXT;
            return MCHT_CALENDARDATE;
        }
    }
    return MCHT_CALENDARBK;
}

bool TVxMonthCalendar::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::MouseButtonDblClick && Watched->isWidgetType()) {
        auto* mouse = static_cast<QMouseEvent*>(Event);
        if (!DoubleClick(mouse, static_cast<QWidget*>(Watched)->mapTo(this, mouse->position().toPoint())))
            return true; // title, buttons, day names, week numbers, other months' dates
    }
    return QCalendarWidget::eventFilter(Watched, Event);
}

void TVxMonthCalendar::mouseDoubleClickEvent(QMouseEvent* Event)
{
    if (DoubleClick(Event, Event->position().toPoint()))
        QCalendarWidget::mouseDoubleClickEvent(Event);
}

bool TVxMonthCalendar::DoubleClick(const QMouseEvent* Event, QPoint Pos)
{
    if ((HitTest(Pos) & ~MCHT_CALENDARDATE) != 0)
        return false;
    // A double click that a child leaves to its parent arrives here once more.
    const auto key = std::make_pair(Event->timestamp(), Event->globalPosition().toPoint());
    if (key == FLastDoubleClick)
        return true;
    FLastDoubleClick = key;
    OnDblClick(this);
    emit doubleClicked();
    return true;
}
