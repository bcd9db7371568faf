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
#include <QCommandLineParser>
#include <QLineEdit>
#include <QLocale>
#include <QTextEdit>

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
    {"date", etDate, "a date in the short date format of the locale"},
    {"time", etTime, "a time in the time format of the locale"},
    {"calendar", etCalendar, "a date, from a month calendar"},
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

struct TAskRequest {
    const TAskType* Type = nullptr;
    QString Value, Value2, Caption, Caption2, Title, Instruction, Content, Footer;
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
