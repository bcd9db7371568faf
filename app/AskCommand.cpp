#include "AskCommand.h"

#include "CommandLine.h"
#include "DesignValues.h"
#include "DrawText.h"
#include "ShowCommand.h"
#include "StringList.h"
#include "SysUtils.h"
#include "VxDualEditDialog.h"
#include "VxEditDialog.h"
#include "VxEditEvents.h"
#include "VxOptions.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCommandLineParser>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QLocale>
#include <QTextEdit>

#include <ctime>
#include <functional>
#include <memory>

namespace {
const QString CommandName = QStringLiteral("ask");

struct TAskType {
    const char* Name;
    TVxEditType EditType;
    const char* Summary;
};

const TAskType AskTypes[] = {
    {"text", etEdit, "one line of text"},
    {"password", etEdit, "one line of text shown as dots"},
    {"number", etEdit, "a number (OK refuses anything else)"},
    {"memo", etMemo, "several lines of text; --value may hold line breaks"},
    {"combo", etComboBox, "one of the --items, from a drop-down list"},
    {"edit-combo", etEditComboBox, "a text, with the --items offered in a drop-down list"},
    {"list", etListBox, "one of the --items, from a list"},
    {"checklist", etCheckListBox, "any of the --items, ticked in a list; one line per ticked item"},
    {"date", etDate, "a date, in the short date format of the locale or in --format"},
    {"time", etTime, "a time, in the time format of the locale or in --format"},
    {"calendar", etCalendar, "a date, from a month calendar (--format as for date)"},
    {"rich-text", etRTF, "formatted text (the plain text is printed)"},
    {"pair", etEdit, "two lines of text at once (the dual edit dialog); prints two lines"},
};

const TAskType* FindAskType(const QString& Name)
{
    for (const TAskType& type : AskTypes)
        if (Name == QLatin1String(type.Name))
            return &type;
    return nullptr;
}

QList<QCommandLineOption> AskOptions()
{
    return StandardOptions()
           << QCommandLineOption(QStringLiteral("type"),
                                 QStringLiteral("the kind of input: %1 (default text)").arg(AskTypeNames().join(QStringLiteral(", "))),
                                 QStringLiteral("TYPE"))
           << QCommandLineOption(QStringLiteral("value"), QStringLiteral("the starting value"), QStringLiteral("TEXT"))
           << QCommandLineOption(QStringLiteral("items"),
                                 QStringLiteral("the items of combo, edit-combo, list and checklist, comma separated"),
                                 QStringLiteral("LIST"))
           << QCommandLineOption(QStringLiteral("item"),
                                 QStringLiteral("one item (repeatable, for items with commas; not with --items)"),
                                 QStringLiteral("TEXT"))
           << QCommandLineOption(QStringLiteral("format"),
                                 QStringLiteral("with date, time and calendar: the form of --value and of the "
                                                "printed value, as date +FORMAT writes it (%Y-%m-%d, %H:%M:%S)"),
                                 QStringLiteral("FORMAT"))
           << QCommandLineOption(QStringLiteral("caption"), QStringLiteral("the caption of the input"),
                                 QStringLiteral("TEXT"))
           << QCommandLineOption(QStringLiteral("caption2"), QStringLiteral("with --type pair: the second caption"),
                                 QStringLiteral("TEXT"))
           << QCommandLineOption(QStringLiteral("value2"), QStringLiteral("with --type pair: the second value"),
                                 QStringLiteral("TEXT"))
           << QCommandLineOption(QStringLiteral("title"), QStringLiteral("window title"), QStringLiteral("TEXT"))
           << QCommandLineOption(QStringLiteral("instruction"), QStringLiteral("main instruction"),
                                 QStringLiteral("TEXT"))
           << QCommandLineOption(QStringLiteral("content"), QStringLiteral("content text"), QStringLiteral("TEXT"))
           << QCommandLineOption(QStringLiteral("footer"), QStringLiteral("footer text"), QStringLiteral("TEXT"));
}

QString Description()
{
    QString types;
    for (const TAskType& type : AskTypes)
        types += QStringLiteral("  %1%2\n").arg(QLatin1String(type.Name), -12).arg(QLatin1String(type.Summary));
    return QStringLiteral("Asks for a value in an input dialog and prints it on standard output, followed by a\n"
                          "line break. Types:\n%1")
        .arg(types.chopped(1));
}

// The edit dialog with the checks a script's types need on top.
class TAskDialog : public TVxEditDialog {
public:
    bool Number = false;
    bool ReadChecked = false;
    QStringList Checked;
    bool ReadPlainText = false;
    QString PlainText;

protected:
    bool ValidateEdit() override
    {
        bool valid = TVxEditDialog::ValidateEdit();
        if (valid && Number && FButtonClicked && ModalResult() == mrOk) {
            const auto* edit = qobject_cast<const QLineEdit*>(EditControl());
            bool number = false;
            if (edit)
                QLocale().toDouble(edit->text().trimmed(), &number);
            if (edit && !number) {
                number = false;
                edit->text().trimmed().toDouble(&number);
            }
            if (!number) {
                ShowValidationMessage(QStringLiteral("Enter a number."));
                if (QWidget* control = EditControl())
                    control->setFocus(Qt::OtherFocusReason);
                valid = false;
            }
        }
        return valid;
    }

    void DoDialogClose() override
    {
        if (ReadChecked) {
            TStringList items;
            GetCheckedItems(&items);
            Checked = items.Lines();
        }
        // The rich edit has no text property the dialog reads back.
        if (ReadPlainText)
            if (const auto* rich = qobject_cast<const QTextEdit*>(EditControl()))
                PlainText = rich->toPlainText();
        TVxEditDialog::DoDialogClose();
    }
};

void ConnectHandler(TVxCustomEditDialog* D, TVxEditEvents* H)
{
    using namespace std::placeholders;
    D->OnGetEditControlClass = TVxGetControlClassEvent(std::bind(&TVxEditEvents::GetEditControlClass, H, _1, _2, _3));
    D->OnGetEditValue = TVxGetEditValueEvent(std::bind(&TVxEditEvents::GetEditValueHandler, H, _1, _2, _3, _4));
    D->OnInitialiseEdit = TVxInitialiseEditEvent(std::bind(&TVxEditEvents::InitialiseEditHandler, H, _1, _2, _3));
    D->OnSetDefaultValue = TVxSetDefaultValueEvent(std::bind(&TVxEditEvents::SetDefaultValueHandler, H, _1, _2, _3, _4));
    D->OnSetEditValue = TVxSetDefaultValueEvent(std::bind(&TVxEditEvents::SetDefaultValueHandler, H, _1, _2, _3, _4));
    D->OnGetControlHeight = TVxGetControlHeightEvent(std::bind(&TVxEditEvents::GetControlHeightHandler, H, _1, _2, _3, _4));
}

// The picker or calendar of a date or time reads --value and writes its value in Format instead
// of the locale's form; without a --value it starts at now.
void UseDateTimeFormat(TVxCustomEditDialog* D, const QString& Format)
{
    const auto set = [Format](TObject*, TControl* Control, int, const QString& Text) {
        QDateTime value;
        if (Text.isEmpty() || !ReadDateTimeValue(Text, Format, value))
            value = QDateTime::currentDateTime();
        if (auto* picker = qobject_cast<QDateTimeEdit*>(Control))
            picker->setDateTime(value);
        else if (auto* calendar = qobject_cast<QCalendarWidget*>(Control))
            calendar->setSelectedDate(value.date());
    };
    D->OnSetDefaultValue = TVxSetDefaultValueEvent(set);
    D->OnSetEditValue = TVxSetDefaultValueEvent(set);
    D->OnGetEditValue = TVxGetEditValueEvent([Format](TObject*, TControl* Control, int, QString& Text) {
        if (auto* picker = qobject_cast<QDateTimeEdit*>(Control))
            Text = WriteDateTimeValue(picker->dateTime(), Format);
        else if (auto* calendar = qobject_cast<QCalendarWidget*>(Control))
            Text = WriteDateTimeValue(QDateTime(calendar->selectedDate(), QTime(0, 0)), Format);
    });
}

struct TAskRequest {
    const TAskType* Type = nullptr;
    QString Value, Value2, Caption, Caption2, Title, Instruction, Content, Footer, Format;
    QStringList Items;
};

bool ParseAskArguments(const QCommandLineParser& P, TAskRequest& R, QString& Error)
{
    const QString typeName = P.isSet(QStringLiteral("type")) ? P.value(QStringLiteral("type")) : QStringLiteral("text");
    R.Type = FindAskType(typeName);
    if (!R.Type) {
        Error = QStringLiteral("unknown type '%1'; accepted: %2").arg(typeName, AskTypeNames().join(QStringLiteral(", ")));
        return false;
    }
    const bool pair = R.Type->EditType == etEdit && typeName == QLatin1String("pair");
    const bool listed = R.Type->EditType == etComboBox || R.Type->EditType == etEditComboBox
                        || R.Type->EditType == etListBox || R.Type->EditType == etCheckListBox;
    if (P.isSet(QStringLiteral("items")) && P.isSet(QStringLiteral("item"))) {
        Error = QStringLiteral("give the items either as --items LIST or as --item TEXT, not both");
        return false;
    }
    if (P.isSet(QStringLiteral("items"))) {
        for (const QString& item : P.value(QStringLiteral("items")).split(QLatin1Char(',')))
            if (!item.trimmed().isEmpty())
                R.Items << item.trimmed();
    } else {
        R.Items = P.values(QStringLiteral("item"));
    }
    if (listed && R.Items.isEmpty()) {
        Error = QStringLiteral("--type %1 needs its items: --items LIST or --item TEXT").arg(typeName);
        return false;
    }
    if (!listed && (P.isSet(QStringLiteral("items")) || P.isSet(QStringLiteral("item")))) {
        Error = QStringLiteral("--type %1 takes no items").arg(typeName);
        return false;
    }
    if (!pair && (P.isSet(QStringLiteral("caption2")) || P.isSet(QStringLiteral("value2")))) {
        Error = QStringLiteral("--caption2 and --value2 need --type pair");
        return false;
    }
    R.Value = P.value(QStringLiteral("value"));
    const bool dated = R.Type->EditType == etDate || R.Type->EditType == etTime || R.Type->EditType == etCalendar;
    if (P.isSet(QStringLiteral("format"))) {
        R.Format = P.value(QStringLiteral("format"));
        if (!dated) {
            Error = QStringLiteral("--format needs --type date, time or calendar");
            return false;
        }
        QDateTime value;
        if (R.Format.isEmpty() || R.Format.size() > 256
            || WriteDateTimeValue(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)), R.Format).isEmpty()) {
            Error = QStringLiteral("--format '%1' writes no value").arg(R.Format);
            return false;
        }
        if (P.isSet(QStringLiteral("value")) && !ReadDateTimeValue(R.Value, R.Format, value)) {
            Error = QStringLiteral("--value '%1' does not match --format '%2'").arg(R.Value, R.Format);
            return false;
        }
    }
    R.Value2 = P.value(QStringLiteral("value2"));
    R.Caption = P.value(QStringLiteral("caption"));
    R.Caption2 = P.value(QStringLiteral("caption2"));
    R.Title = SingleLineSectionText(P.value(QStringLiteral("title")));
    R.Instruction = MultiLineSectionText(P.value(QStringLiteral("instruction")));
    R.Content = MultiLineSectionText(P.value(QStringLiteral("content")));
    R.Footer = MultiLineSectionText(P.value(QStringLiteral("footer")));
    return true;
}

void ApplyTexts(const TAskRequest& R, TVxDialog* D)
{
    D->SetTitle(R.Title.isEmpty() ? QApplication::applicationName() : R.Title);
    D->Instruction()->SetText(R.Instruction);
    D->Content()->SetText(R.Content);
    if (!R.Footer.isEmpty()) {
        D->Footer()->SetText(R.Footer);
        D->Footer()->SetVisible(true);
    }
    D->SetPosition(dpScreenCenter);
    D->SetPlaySounds(false);
}

int RunPair(const TAskRequest& R, QByteArray& Output)
{
    TVxDualEditDialog dialog;
    ApplyTexts(R, &dialog);
    TVxDualEditProperties* p = dialog.DualEditProperties();
    p->SetValue1Caption(R.Caption);
    p->SetValue2Caption(R.Caption2);
    p->SetValue1(R.Value);
    p->SetValue2(R.Value2);
    if (dialog.Execute() != mrOk)
        return esFailed;
    Output = (dialog.EditValue1() + QLatin1Char('\n') + dialog.EditValue2() + QLatin1Char('\n')).toUtf8();
    return esSuccess;
}

int RunSingle(const TAskRequest& R, QByteArray& Output)
{
    TAskDialog dialog;
    ApplyTexts(R, &dialog);
    const QString name = QLatin1String(R.Type->Name);
    TVxEditProperties* p = dialog.EditProperties();
    p->SetEditType(R.Type->EditType);
    p->SetCaption(R.Caption);
    p->SetCaptionPosition(cpTop);
    if (!R.Items.isEmpty()) {
        TStringList items;
        items.SetText(R.Items.join(QLatin1Char('\n')));
        p->SetItems(&items);
    }
    if (R.Type->EditType == etMemo || R.Type->EditType == etRTF) {
        TStringList lines;
        lines.SetText(R.Value);
        p->SetItems(&lines);
    }
    p->SetValue(R.Value);
    dialog.Number = name == QLatin1String("number");
    dialog.ReadChecked = R.Type->EditType == etCheckListBox;
    dialog.ReadPlainText = R.Type->EditType == etRTF;

    std::unique_ptr<TVxEditEvents> handler;
    TVxComboEvents* combo = nullptr;
    switch (R.Type->EditType) {
    case etComboBox:
    case etEditComboBox: {
        const int index = qMax(0, int(R.Items.indexOf(R.Value)));
        auto owned = std::make_unique<TVxComboEvents>(R.Type->EditType == etComboBox, index);
        combo = owned.get();
        handler = std::move(owned);
        break;
    }
    case etListBox: handler = std::make_unique<TVxListEvents>(-2); break;
    default:
        if (TVxEditEventClass cls = GetEditEventClass(R.Type->EditType))
            handler = cls->Create();
    }
    if (handler)
        ConnectHandler(&dialog, handler.get());
    if (!R.Format.isEmpty())
        UseDateTimeFormat(&dialog, R.Format);
    const bool password = name == QLatin1String("password");
    const QString caption = StripHotkey(R.Caption);
    auto previous = dialog.OnInitialiseEdit;
    dialog.OnInitialiseEdit = TVxInitialiseEditEvent([previous, password, caption](TObject* Sender, TControl* Control, int Index) {
        if (previous)
            previous(Sender, Control, Index);
        auto* widget = qobject_cast<QWidget*>(Control);
        // A list or combo box is not named by its label the way an edit is; a screen reader
        // would read its current item instead of what is asked.
        if (widget && widget->accessibleName().isEmpty() && !caption.isEmpty())
            widget->setAccessibleName(caption);
        if (auto* edit = qobject_cast<QLineEdit*>(Control); edit && password)
            edit->setEchoMode(QLineEdit::Password);
    });
    if (dialog.Execute() != mrOk)
        return esFailed;
    QString value;
    if (R.Type->EditType == etCheckListBox)
        value = dialog.Checked.join(QLatin1Char('\n'));
    else if (R.Type->EditType == etRTF)
        value = dialog.PlainText;
    else if (combo && R.Type->EditType == etComboBox && combo->SelectedIndex() >= 0
             && combo->SelectedIndex() < R.Items.size())
        value = R.Items.at(combo->SelectedIndex());
    else
        value = dialog.EditValue();
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (R.Type->EditType != etCheckListBox || !value.isEmpty())
        value += QLatin1Char('\n');
    Output = value.toUtf8();
    return esSuccess;
}
} // namespace

bool ReadDateTimeValue(const QString& Text, const QString& Format, QDateTime& Value)
{
    std::tm tm{};
    tm.tm_year = 70;
    tm.tm_mday = 1;
    const QByteArray text = Text.toUtf8();
    const char* end = ::strptime(text.constData(), Format.toUtf8().constData(), &tm);
    if (!end || *end)
        return false;
    // strptime takes 31 February; a calendar does not.
    const QDate date(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    const QTime time(tm.tm_hour, tm.tm_min, qMin(tm.tm_sec, 59));
    if (!date.isValid() || !time.isValid())
        return false;
    Value = QDateTime(date, time);
    return true;
}

QString WriteDateTimeValue(const QDateTime& Value, const QString& Format)
{
    const QDate date = Value.date();
    const QTime time = Value.time();
    std::tm tm{};
    tm.tm_year = date.year() - 1900;
    tm.tm_mon = date.month() - 1;
    tm.tm_mday = date.day();
    tm.tm_wday = date.dayOfWeek() % 7;
    tm.tm_yday = date.dayOfYear() - 1;
    tm.tm_hour = time.hour();
    tm.tm_min = time.minute();
    tm.tm_sec = time.second();
    tm.tm_isdst = -1;
    char buffer[1024];
    const size_t n = std::strftime(buffer, sizeof buffer, Format.toUtf8().constData(), &tm);
    return QString::fromUtf8(buffer, qsizetype(n));
}

const QStringList& AskTypeNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const TAskType& type : AskTypes)
            list << QLatin1String(type.Name);
        return list;
    }();
    return names;
}

QString AskSynopsis()
{
    return QStringLiteral("ask [--type TYPE] [--caption TEXT] [--value TEXT] [--items LIST] [texts]");
}

QString AskHelpText()
{
    QCommandLineParser parser;
    parser.addOptions(AskOptions());
    return CommandHelpText(parser, AskSynopsis(), Description());
}

int RunAskCommand(const QStringList& Args)
{
    QCommandLineParser parser;
    QString error;
    if (!ParseCommandArguments(parser, AskOptions(), Args, error)) {
        PrintCommandError(CommandName, error);
        return esUsage;
    }
    int status = esSuccess;
    if (HandleStandardOptions(parser, CommandName, AskHelpText(), status))
        return status;
    TAskRequest request;
    if (!ParseAskArguments(parser, request, error)) {
        PrintCommandError(CommandName, error);
        return esUsage;
    }
    if (!CheckDisplay())
        return esNoDisplay;
    const std::unique_ptr<QApplication> app(CreateWindowApplication());
    QByteArray output;
    try {
        status = request.Type->Name == QLatin1String("pair") ? RunPair(request, output) : RunSingle(request, output);
    } catch (const Exception& E) {
        PrintCommandError(CommandName, E.Message());
        return esFailed;
    }
    if (status == esSuccess && !WriteStandardOutput(output, error)) {
        PrintCommandError(CommandName, error);
        return esFailed;
    }
    return status;
}
