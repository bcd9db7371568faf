#include "VxDialogStrs.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

// QT_TRANSLATE_NOOP3 marks each text for lupdate (context, text, comment) and yields the pair.
const TVxResString SVxAssignError = QT_TRANSLATE_NOOP3("VxDialogStrs", "Assigned source must be a TVxDialog", "");
const TVxResString SVxNoHelpFile = QT_TRANSLATE_NOOP3("VxDialogStrs", "You must associate a Help File with your application", "");
const TVxResString SVxMsgDlgYes = QT_TRANSLATE_NOOP3("VxDialogStrs", "&Yes", "");
const TVxResString SVxMsgDlgNo = QT_TRANSLATE_NOOP3("VxDialogStrs", "&No", "");
const TVxResString SVxMsgDlgOK = QT_TRANSLATE_NOOP3("VxDialogStrs", "OK", "");
const TVxResString SVxMsgDlgCancel = QT_TRANSLATE_NOOP3("VxDialogStrs", "Cancel", "");
const TVxResString SVxMsgDlgHelp = QT_TRANSLATE_NOOP3("VxDialogStrs", "&Help", "");
const TVxResString SVxMsgDlgAbort = QT_TRANSLATE_NOOP3("VxDialogStrs", "&Abort", "");
const TVxResString SVxMsgDlgRetry = QT_TRANSLATE_NOOP3("VxDialogStrs", "&Retry", "");
const TVxResString SVxMsgDlgIgnore = QT_TRANSLATE_NOOP3("VxDialogStrs", "&Ignore", "");
const TVxResString SVxMsgDlgAll = QT_TRANSLATE_NOOP3("VxDialogStrs", "&All", "");
const TVxResString SVxMsgDlgNoToAll = QT_TRANSLATE_NOOP3("VxDialogStrs", "N&o to All", "");
const TVxResString SVxMsgDlgYesToAll = QT_TRANSLATE_NOOP3("VxDialogStrs", "Yes to &All", "");
const TVxResString SVxMsgDlgClose = QT_TRANSLATE_NOOP3("VxDialogStrs", "&Close", "");
const TVxResString SVxMsgDlgConfirm = QT_TRANSLATE_NOOP3("VxDialogStrs", "Confirmation", "");
const TVxResString SVxMsgDlgWarning = QT_TRANSLATE_NOOP3("VxDialogStrs", "Warning", "");
const TVxResString SVxMsgDlgError = QT_TRANSLATE_NOOP3("VxDialogStrs", "Error", "");
const TVxResString SVxMsgDlgInformation = QT_TRANSLATE_NOOP3("VxDialogStrs", "Information", "");
const TVxResString SVxEnterPasswordCaption = QT_TRANSLATE_NOOP3("VxDialogStrs", "Enter Password", "window caption");
const TVxResString SVxChangePasswordCaption = QT_TRANSLATE_NOOP3("VxDialogStrs", "Change Password", "window caption");
const TVxResString SVxChangePasswordTitle = QT_TRANSLATE_NOOP3("VxDialogStrs", "Change Password", "title");
const TVxResString SVxEnterPasswordInstruction = QT_TRANSLATE_NOOP3("VxDialogStrs", "Enter your password", "instruction");
const TVxResString SVxChangePasswordInstruction = QT_TRANSLATE_NOOP3("VxDialogStrs", "Change your password", "instruction");
const TVxResString SVxChangePasswordHeader = QT_TRANSLATE_NOOP3("VxDialogStrs", "Change your password", "header");
const TVxResString SVxNewPasswordContent = QT_TRANSLATE_NOOP3("VxDialogStrs", "Enter and confirm your new password.", "new password");
const TVxResString SVxChangePasswordContent = QT_TRANSLATE_NOOP3("VxDialogStrs", "Enter and confirm your new password.", "changed password");
const TVxResString SVxPasswordsDiffer = QT_TRANSLATE_NOOP3("VxDialogStrs", "Entered passwords must be the same.", "");
const TVxResString SVxShowPasswords = QT_TRANSLATE_NOOP3("VxDialogStrs", "Show passwords as plain text", "");
const TVxResString SVxInvalidDialogType = QT_TRANSLATE_NOOP3("VxDialogStrs", "Invalid dialog type (%s) using %s.", "");
const TVxResString SVxEnterPasswordLabel = QT_TRANSLATE_NOOP3("VxDialogStrs", "&Enter Password", "field label");
const TVxResString SVxOldPasswordLabel = QT_TRANSLATE_NOOP3("VxDialogStrs", "&Old Password", "field label");
const TVxResString SVxNewPasswordLabel = QT_TRANSLATE_NOOP3("VxDialogStrs", "&New Password", "field label");
const TVxResString SVxConfirmPasswordLabel = QT_TRANSLATE_NOOP3("VxDialogStrs", "&Confirm New Password", "field label");

// Texts of the input dialogs: catalogued with the others, not keys of the table.
const TVxResString SVxTextTooLong =
    QT_TRANSLATE_NOOP3("VxDialogStrs", "The text has %1 characters; at most %2 are allowed.", "input length");
const TVxResString SVxTextHasBar =
    QT_TRANSLATE_NOOP3("VxDialogStrs", "Neither text may contain a vertical bar (|): it separates the two texts.", "dual input");

namespace {
// Registration order of the table.
const TVxResString* const RegisteredTexts[] = {
    &SVxAssignError, &SVxNoHelpFile,
    &SVxMsgDlgYes, &SVxMsgDlgNo, &SVxMsgDlgOK, &SVxMsgDlgCancel, &SVxMsgDlgHelp, &SVxMsgDlgAbort,
    &SVxMsgDlgRetry, &SVxMsgDlgIgnore, &SVxMsgDlgAll, &SVxMsgDlgNoToAll, &SVxMsgDlgYesToAll,
    &SVxMsgDlgClose,
    &SVxMsgDlgConfirm, &SVxMsgDlgWarning, &SVxMsgDlgError, &SVxMsgDlgInformation,
    &SVxEnterPasswordCaption, &SVxChangePasswordCaption, &SVxChangePasswordTitle,
    &SVxEnterPasswordInstruction, &SVxChangePasswordInstruction, &SVxChangePasswordHeader,
    &SVxNewPasswordContent, &SVxChangePasswordContent, &SVxPasswordsDiffer, &SVxShowPasswords,
    &SVxInvalidDialogType,
    &SVxEnterPasswordLabel, &SVxOldPasswordLabel, &SVxNewPasswordLabel, &SVxConfirmPasswordLabel,
};

// Common button captions in the order of the button kinds (cbYes ... cbClose).
const TVxResString* const CommonButtonTexts[] = {
    &SVxMsgDlgYes, &SVxMsgDlgNo, &SVxMsgDlgOK, &SVxMsgDlgCancel, &SVxMsgDlgAbort, &SVxMsgDlgRetry,
    &SVxMsgDlgIgnore, &SVxMsgDlgAll, &SVxMsgDlgNoToAll, &SVxMsgDlgYesToAll, &SVxMsgDlgHelp,
    &SVxMsgDlgClose,
};

// The table's comparison: case-insensitive, as the platform's sorted lists compare by default.
int CompareKeys(const QString& A, const QString& B)
{
    return QString::compare(A, B, Qt::CaseInsensitive);
}

std::unique_ptr<TVxStringTable>& TableHolder()
{
    static std::unique_ptr<TVxStringTable> Table;
    return Table;
}

// The catalogue installed by InstallStringTableTranslation.
std::unique_ptr<QTranslator>& InstalledTranslator()
{
    static std::unique_ptr<QTranslator> Translator;
    return Translator;
}
} // namespace

bool UseResourceStrings = true;

QString LoadResString(const TVxResString* Res)
{
    if (!Res)
        return QString();
    const char* comment = Res->Comment && *Res->Comment ? Res->Comment : nullptr;
    return QCoreApplication::translate(VxDialogStrsContext, Res->Text, comment);
}

const TVxResString* CommonButtonResString(int Kind)
{
    if (Kind < 0 || Kind >= int(std::size(CommonButtonTexts)))
        return nullptr;
    return CommonButtonTexts[Kind];
}

bool TVxStringTable::Find(const QString& Key, int& Index) const
{
    // Binary search that keeps going left after a hit, so Index is the first equal entry.
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int c = CompareKeys(FEntries[std::size_t(mid)].Key, Key);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0)
                found = true;
        }
    }
    Index = low;
    return found;
}

int TVxStringTable::Add(const QString& Key, const TVxResString* Resource, std::unique_ptr<TStringObj> Object)
{
    int index = 0;
    Find(Key, index);
    TVxStringEntry entry;
    entry.Key = Key;
    entry.Resource = Resource;
    entry.Object = std::move(Object);
    FEntries.insert(FEntries.begin() + index, std::move(entry));
    return index;
}

TVxStringTable* StringTable()
{
    if (!TableHolder())
        InitStringTable();
    return TableHolder().get();
}

void InitStringTable()
{
    auto table = std::make_unique<TVxStringTable>();
    for (const TVxResString* res : RegisteredTexts) {
        // The key is the English text itself: translators key their catalogues by it, and the
        // engine asks with the English text whatever language is installed later.
        const QString key = QString::fromUtf8(res->Text);
        if (UseResourceStrings)
            table->Add(key, res, nullptr);
        else
            table->Add(key, nullptr, std::make_unique<TStringObj>(LoadResString(res)));
    }
    TableHolder() = std::move(table);
}

void FreeTranslations()
{
    if (UseResourceStrings || !TableHolder())
        return;
    for (int i = 0; i < TableHolder()->Count(); ++i)
        TableHolder()->Entry(i).Object.reset();
}

QString TranslateString(const QString& Text)
{
    if (!UseResourceStrings)
        return GetTranslation(Text);
    return LoadResString(FindResString(Text));
}

QString GetTranslation(const QString& Text)
{
    TVxStringTable* table = StringTable();
    int index = 0;
    if (table->Find(Text, index) && table->Entry(index).Object)
        return table->Entry(index).Object->Translation;
    return Text;
}

const TVxResString* FindResString(const QString& Text)
{
    TVxStringTable* table = StringTable();
    int index = 0;
    if (table->Find(Text, index))
        return table->Entry(index).Resource;
    return nullptr;
}

bool InstallStringTableTranslation(const QLocale& Locale)
{
    std::unique_ptr<QTranslator>& installed = InstalledTranslator();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    // The user's languages in order of preference. The built-in texts are English, so English
    // ends the search: a user who prefers English over German sees English.
    const QStringList languages = Locale.uiLanguages();
    for (const QString& name : languages) {
        QString tag = name;
        tag.replace(QLatin1Char('-'), QLatin1Char('_'));
        const QString language = tag.section(QLatin1Char('_'), 0, 0).toLower();
        if (language == QLatin1String("en") || language == QLatin1String("c"))
            return false;
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(QStringLiteral("quillfen_") + tag, QStringLiteral(":/i18n"))
            || translator->load(QStringLiteral("quillfen_") + language, QStringLiteral(":/i18n"))) {
            QCoreApplication::installTranslator(translator.get());
            installed = std::move(translator);
            return true;
        }
    }
    return false;
}
