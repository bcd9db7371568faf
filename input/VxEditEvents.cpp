#include "VxEditEvents.h"

#include "VxEditControls.h"
#include "VxFormatSettings.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QListWidget>

namespace {

// The control as the class a handler needs; nullptr stays nullptr (nothing to do), any other
// class is a programming error.
template <typename T>
T* ControlAs(TControl* AControl, const char* Expected)
{
    if (!AControl)
        return nullptr;
    if (auto* control = qobject_cast<T*>(AControl))
        return control;
    throw EInvalidCast(QStringLiteral("Invalid class typecast: %1 is no %2")
                           .arg(QString::fromLatin1(AControl->metaObject()->className()), QLatin1String(Expected)));
}

template <typename T>
TVxEditEventClass MakeClass(const char* Name)
{
    static const TVxEditEventClassInfo info{Name, []() -> std::unique_ptr<TVxEditEvents> { return std::make_unique<T>(); }};
    return &info;
}

} // namespace

// ---------------------------------------------------------------------------------------------

TVxEditEventClass TVxEditEvents::ClassType() { return MakeClass<TVxEditEvents>("TVxEditEvents"); }
TVxEditEventClass TVxMemoEvents::ClassType() { return MakeClass<TVxMemoEvents>("TVxMemoEvents"); }
TVxEditEventClass TVxComboEvents::ClassType() { return MakeClass<TVxComboEvents>("TVxComboEvents"); }
TVxEditEventClass TVxListEvents::ClassType() { return MakeClass<TVxListEvents>("TVxListEvents"); }
TVxEditEventClass TVxDateEvents::ClassType() { return MakeClass<TVxDateEvents>("TVxDateEvents"); }
TVxEditEventClass TVxTimeEvents::ClassType() { return MakeClass<TVxTimeEvents>("TVxTimeEvents"); }
TVxEditEventClass TVxCalendarEvents::ClassType() { return MakeClass<TVxCalendarEvents>("TVxCalendarEvents"); }

QString TVxEditEvents::ClassName() const
{
    return QString::fromLatin1(EventClass()->Name);
}

void TVxEditEvents::GetEditControlClass(TObject*, int, TControlClass& ControlClass)
{
    ControlClass = nullptr;
}

void TVxEditEvents::GetEditValueHandler(TObject*, TControl*, int, QString&) {}
void TVxEditEvents::InitialiseEditHandler(TObject*, TControl*, int) {}
void TVxEditEvents::SetDefaultValueHandler(TObject*, TControl*, int, const QString&) {}
void TVxEditEvents::GetControlHeightHandler(TObject*, TControl*, int, int&) {}

void TVxMemoEvents::GetControlHeightHandler(TObject*, TControl*, int, int& Height)
{
    Height = 125;
}

// ---------------------------------------------------------------------------------------------

void TVxComboEvents::GetEditValueHandler(TObject*, TControl* AControl, int, QString&)
{
    if (auto* combo = ControlAs<QComboBox>(AControl, "TComboBox"))
        FSelectedIndex = combo->currentIndex();
}

void TVxComboEvents::InitialiseEditHandler(TObject*, TControl* AControl, int)
{
    if (auto* combo = ControlAs<QComboBox>(AControl, "TComboBox")) {
        if (auto* own = qobject_cast<TComboBox*>(combo))
            own->SetStyle(FFixedList ? csDropDownList : csDropDown);
        else
            combo->setEditable(!FFixedList);
    }
}

void TVxComboEvents::SetDefaultValueHandler(TObject*, TControl* AControl, int, const QString&)
{
    auto* combo = ControlAs<QComboBox>(AControl, "TComboBox");
    // An index outside the items selects nothing.
    if (combo && FSelectedIndex >= -1 && FSelectedIndex < combo->count())
        combo->setCurrentIndex(FSelectedIndex);
}

// ---------------------------------------------------------------------------------------------

void TVxListEvents::GetEditValueHandler(TObject*, TControl* AControl, int, QString& Value)
{
    auto* list = ControlAs<QListWidget>(AControl, "TListBox");
    if (!list)
        return;
    const int selected = list->selectedItems().isEmpty() ? -1 : list->currentRow();
    if (!FIgnoreIndex) {
        FSelectedIndex = selected;
        return;
    }
    Value = selected < 0 ? QString() : list->item(selected)->text();
}

void TVxListEvents::SetDefaultValueHandler(TObject*, TControl* AControl, int, const QString& Value)
{
    auto* list = ControlAs<QListWidget>(AControl, "TListBox");
    if (!list)
        return;
    int index = FSelectedIndex;
    if (FSelectedIndex == -2) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        index = IndexOfText(items, Value);
    }
    // An index outside the items selects nothing.
    if (index < 0 || index >= list->count()) {
        list->setCurrentRow(-1);
        list->clearSelection();
        return;
    }
    list->setCurrentRow(index);
}

void TVxListEvents::GetControlHeightHandler(TObject*, TControl*, int, int& Height)
{
    Height = 125;
}

// ---------------------------------------------------------------------------------------------

void TVxDateEvents::GetEditValueHandler(TObject*, TControl* AControl, int, QString& Value)
{
    if (auto* picker = ControlAs<QDateTimeEdit>(AControl, "TDateTimePicker"))
        Value = DateToStr(picker->date());
}

void TVxDateEvents::SetDefaultValueHandler(TObject*, TControl* AControl, int, const QString& Value)
{
    auto* picker = ControlAs<QDateTimeEdit>(AControl, "TDateTimePicker");
    if (!picker)
        return;
    QDateTime value;
    if (!TryStrToDateTime(Value, value))
        value = QDateTime::currentDateTime();
    picker->setDateTime(value);
}

void TVxTimeEvents::GetEditValueHandler(TObject*, TControl* AControl, int, QString& Value)
{
    if (auto* picker = ControlAs<QDateTimeEdit>(AControl, "TDateTimePicker"))
        Value = TimeToStr(picker->time());
}

void TVxTimeEvents::SetDefaultValueHandler(TObject*, TControl* AControl, int, const QString& Value)
{
    auto* picker = ControlAs<QDateTimeEdit>(AControl, "TDateTimePicker");
    if (!picker)
        return;
    QTime time;
    if (TryStrToTime(Value, time))
        picker->setTime(time);
    else
        picker->setDateTime(QDateTime::currentDateTime());
}

void TVxCalendarEvents::GetEditValueHandler(TObject*, TControl* AControl, int, QString& Value)
{
    if (auto* calendar = ControlAs<QCalendarWidget>(AControl, "TMonthCalendar"))
        Value = DateToStr(calendar->selectedDate());
}

void TVxCalendarEvents::SetDefaultValueHandler(TObject*, TControl* AControl, int, const QString& Value)
{
    auto* calendar = ControlAs<QCalendarWidget>(AControl, "TMonthCalendar");
    if (!calendar)
        return;
    QDate date;
    if (!TryStrToDate(Value, date))
        date = QDate::currentDate();
    calendar->setSelectedDate(date);
}

// ---------------------------------------------------------------------------------------------

TVxRegisteredEvents::TVxRegisteredEvents()
{
    FEvents = {TVxEditEvents::ClassType(), TVxEditEvents::ClassType(), TVxMemoEvents::ClassType(),
               TVxComboEvents::ClassType(), TVxListEvents::ClassType(), TVxDateEvents::ClassType(),
               TVxTimeEvents::ClassType(), TVxCalendarEvents::ClassType(), TVxEditEvents::ClassType(),
               nullptr, nullptr, nullptr, TVxComboEvents::ClassType()};
}

TVxEditEventClass TVxRegisteredEvents::GetEvent(int AEditType) const
{
    const int index = ((AEditType % 128) + 128) % 128;
    if (index >= FEvents.size())
        return TVxEditEvents::ClassType();
    return FEvents.at(index);
}

void TVxRegisteredEvents::SetEvent(int AEditType, TVxEditEventClass AEventClass)
{
    const int index = ((AEditType % 128) + 128) % 128;
    if (index >= FEvents.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    FEvents[index] = AEventClass;
}

TVxRegisteredEvents& RegisteredEvents()
{
    static TVxRegisteredEvents registry;
    return registry;
}

TVxEditEventClass GetEditEventClass(int AEditType)
{
    return RegisteredEvents().GetEvent(AEditType);
}
