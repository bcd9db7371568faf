#include "VxEditControls.h"

#include "private/CheckListAccessible_p.h"

#include "VxFormatSettings.h"
#include "VxMonthCalendar.h"
#include "VxRichEdit.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <limits>

int IndexOfText(const QStringList& Items, const QString& Value)
{
    for (int i = 0; i < Items.size(); ++i)
        if (Items.at(i).compare(Value, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

namespace {

// MaxLength 0 means no limit: not even QLineEdit's own 32767 characters, which would drop the
// rest of a longer paste without a word. The limit itself is kept by TLineGuard, which counts
// whole characters where QLineEdit counts UTF-16 units.
constexpr int NoLimit = std::numeric_limits<int>::max();

QString NormalisedLineBreaks(QString Text)
{
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return Text;
}

qsizetype CharactersIn(QStringView Text, bool BreaksCountTwo)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text[i].isHighSurrogate() && i + 1 < Text.size() && Text[i + 1].isLowSurrogate())
            ++i;
        else if (BreaksCountTwo && Text[i] == QLatin1Char('\n'))
            ++count;
        ++count;
    }
    return count;
}

// What a change inserted: After less the parts it shares with Before at its start and its end
// (lengths returned), never starting or ending inside a surrogate pair.
std::pair<qsizetype, qsizetype> InsertedSpan(const QString& Before, const QString& After)
{
    const qsizetype common = qMin(Before.size(), After.size());
    qsizetype prefix = 0;
    while (prefix < common && Before[prefix] == After[prefix])
        ++prefix;
    if (prefix > 0 && After[prefix - 1].isHighSurrogate())
        --prefix;
    qsizetype suffix = 0;
    while (suffix < common - prefix && Before[Before.size() - 1 - suffix] == After[After.size() - 1 - suffix])
        ++suffix;
    if (suffix > 0 && After[After.size() - suffix].isLowSurrogate())
        --suffix;
    return {prefix, suffix};
}

bool IsLineBreak(QChar C)
{
    switch (C.unicode()) {
    case '\n': case '\r': case '\v': case '\f': case 0x85: case 0x2028: case 0x2029: return true;
    default: return false;
    }
}

// A line edit shows line breaks as blanks on its one line; what it returns must be what it
// shows, so inserted text has each run of line breaks as one space, and none at its ends.
QString OnOneLine(const QString& Text)
{
    QString result;
    result.reserve(Text.size());
    bool pending = false;
    for (QChar c : Text) {
        if (IsLineBreak(c)) {
            pending = true;
            continue;
        }
        if (pending && !result.isEmpty())
            result += QLatin1Char(' ');
        pending = false;
        result += c;
    }
    return result;
}

} // namespace

int ValueLength(QStringView Value)
{
    return int(qMin<qsizetype>(CharactersIn(Value, false), NoLimit));
}

QString FitInsertion(const QString& Before, const QString& After, int Limit, bool BreaksCountTwo, int* Pos)
{
    if (Limit <= 0)
        return After;
    const qsizetype limit = qMax<qsizetype>(Limit, CharactersIn(Before, BreaksCountTwo));
    const qsizetype total = CharactersIn(After, BreaksCountTwo);
    if (total <= limit)
        return After;
    const auto [prefix, suffix] = InsertedSpan(Before, After);
    const QString inserted = After.mid(prefix, After.size() - prefix - suffix);
    const qsizetype room = qMax<qsizetype>(0, limit - (total - CharactersIn(inserted, BreaksCountTwo)));
    // Keep whole characters as the user sees them (grapheme clusters) while they fit.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, inserted);
    qsizetype kept = 0;
    qsizetype used = 0;
    for (qsizetype next = finder.toNextBoundary(); next > 0; next = finder.toNextBoundary()) {
        used += CharactersIn(QStringView(inserted).mid(kept, next - kept), BreaksCountTwo);
        if (used > room)
            break;
        kept = next;
    }
    if (Pos)
        *Pos = int(prefix + kept);
    return After.left(prefix) + inserted.left(kept) + After.right(suffix);
}

// ---------------------------------------------------------------------------------------------

TLineGuard::TLineGuard(QLineEdit* Edit, std::function<int()> Limit, std::function<bool(const QString&)> Whole)
    : QValidator(Edit), FLimit(std::move(Limit)), FWhole(std::move(Whole)), FBefore(Edit->text())
{
    Edit->setMaxLength(NoLimit);
    connect(Edit, &QLineEdit::textChanged, this, [this](const QString& Text) { FBefore = Text; });
}

QValidator::State TLineGuard::validate(QString& Input, int& Pos) const
{
    if (Passing || (FWhole && FWhole(Input)))
        return Acceptable;
    QString after = Input;
    int pos = Pos;
    if (std::any_of(after.cbegin(), after.cend(), IsLineBreak)) {
        const auto [prefix, suffix] = InsertedSpan(FBefore, after);
        const QString inserted = OnOneLine(after.mid(prefix, after.size() - prefix - suffix));
        after = after.left(prefix) + inserted + after.right(suffix);
        pos = int(prefix + inserted.size());
    }
    after = FitInsertion(FBefore, after, FLimit(), false, &pos);
    if (after != Input) {
        Input = std::move(after);
        Pos = pos;
    }
    return Acceptable;
}

// ---------------------------------------------------------------------------------------------

TEdit::TEdit(QWidget* Parent) : QLineEdit(Parent)
{
    FGuard = new TLineGuard(this, [this] { return FMaxLength; });
    setValidator(FGuard);
}

void TEdit::SetText(const QString& Value)
{
    FGuard->Passing = true;
    setText(Value);
    FGuard->Passing = false;
}

// ---------------------------------------------------------------------------------------------

TEditMemo::TEditMemo(QWidget* Parent) : QPlainTextEdit(Parent)
{
    connect(this, &QPlainTextEdit::textChanged, this, &TEditMemo::Limit);
}

QString TEditMemo::Text() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void TEditMemo::SetText(const QString& Value)
{
    FLimiting = true;
    setPlainText(NormalisedLineBreaks(Value));
    FLimiting = false;
    if (FMaxLength > 0)
        FBefore = toPlainText();
}

void TEditMemo::SetMaxLength(int Value)
{
    FMaxLength = qMax(0, Value);
    if (FMaxLength > 0)
        FBefore = toPlainText();
}

void TEditMemo::Limit()
{
    if (FLimiting || FMaxLength <= 0)
        return;
    const QString after = toPlainText();
    int pos = 0;
    const QString kept = FitInsertion(FBefore, after, FMaxLength, true, &pos);
    if (kept.size() != after.size()) {
        // Takes back the part of what was just typed or pasted that does not fit.
        FLimiting = true;
        QTextCursor cursor(document());
        cursor.setPosition(pos);
        cursor.setPosition(pos + int(after.size() - kept.size()), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        setTextCursor(cursor);
        FLimiting = false;
    }
    FBefore = toPlainText();
}

// ---------------------------------------------------------------------------------------------

TComboBox::TComboBox(QWidget* Parent) : QComboBox(Parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    GuardLineEdit();
}

void TComboBox::GuardLineEdit()
{
    QLineEdit* edit = lineEdit();
    if (!edit)
        return;
    // A chosen item shows whole, as a text the program sets does: MaxLength stops typing, not
    // the list.
    FGuard = new TLineGuard(
        edit, [this] { return FMaxLength; }, [this](const QString& Text) { return findText(Text, Qt::MatchExactly) >= 0; });
    edit->setValidator(FGuard);
}

void TComboBox::SetStyle(TComboBoxStyle Value)
{
    const bool editable = Value != csDropDownList;
    if (editable == isEditable())
        return;
    FGuard = nullptr;
    setEditable(editable);
    if (editable) {
        setInsertPolicy(QComboBox::NoInsert);
        GuardLineEdit();
    }
}

void TComboBox::SetText(const QString& Value)
{
    if (isEditable()) {
        if (FGuard)
            FGuard->Passing = true;
        setEditText(Value);
        if (FGuard)
            FGuard->Passing = false;
    } else {
        setCurrentIndex(findText(Value, Qt::MatchExactly));
    }
}

void TComboBox::SetMaxLength(int Value)
{
    FMaxLength = qMax(0, Value);
}

QStringList TComboBox::Items() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    return items;
}

void TComboBox::SetItems(const QStringList& Lines)
{
    clear();
    addItems(Lines);
    setCurrentIndex(-1);
}

void TComboBox::SetItemIndex(int Value)
{
    if (Value >= -1 && Value < count())
        setCurrentIndex(Value);
}

// ---------------------------------------------------------------------------------------------

TListBox::TListBox(QWidget* Parent) : QListWidget(Parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QStringList TListBox::Items() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << item(i)->text();
    return items;
}

void TListBox::SetItems(const QStringList& Lines)
{
    clear();
    addItems(Lines);
    setCurrentRow(-1);
}

void TListBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= count())
        return;
    setCurrentRow(Value);
    if (Value == -1)
        clearSelection();
}

void TListBox::mouseDoubleClickEvent(QMouseEvent* Event)
{
    QListWidget::mouseDoubleClickEvent(Event);
    if (Event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick();
}

TCheckListBox::TCheckListBox(QWidget* Parent) : TListBox(Parent)
{
    InstallCheckListAccessibility(this);
}

void TCheckListBox::SetItems(const QStringList& Lines)
{
    TListBox::SetItems(Lines);
    for (int i = 0; i < count(); ++i) {
        item(i)->setFlags(item(i)->flags() | Qt::ItemIsUserCheckable);
        item(i)->setCheckState(Qt::Unchecked);
    }
}

bool TCheckListBox::Checked(int Index) const
{
    const QListWidgetItem* it = item(Index);
    return it && it->checkState() == Qt::Checked;
}

void TCheckListBox::SetChecked(int Index, bool Value)
{
    if (QListWidgetItem* it = item(Index))
        it->setCheckState(Value ? Qt::Checked : Qt::Unchecked);
}

// ---------------------------------------------------------------------------------------------

TDateTimePicker::TDateTimePicker(QWidget* Parent) : QDateTimeEdit(Parent)
{
    SetKind(dtkDate);
    setDateTime(QDateTime::currentDateTime());
}

void TDateTimePicker::SetKind(TDateTimeKind Value)
{
    FKind = Value;
    // The picker keeps date and time whatever it shows; only the section shown changes.
    setCalendarPopup(Value == dtkDate);
    setDisplayFormat(Value == dtkDate ? FormatSettings().ShortDateFormat : FormatSettings().LongTimeFormat);
}

// ---------------------------------------------------------------------------------------------

TWebBrowser::TWebBrowser(QWidget* Parent) : QTextBrowser(Parent)
{
    setOpenExternalLinks(true);
}

TWebBrowser::~TWebBrowser()
{
    if (FPending)
        FPending->abort();
}

void TWebBrowser::Navigate(const QString& Url)
{
    if (FPending) {
        QNetworkReply* old = FPending;
        FPending = nullptr;
        old->abort();
        old->deleteLater();
    }
    FLocation = Url;
    const QString lower = Url.trimmed().toLower();
    if (lower.isEmpty() || lower == QLatin1String("about:blank")) {
        clear();
        FReadyState = READYSTATE_COMPLETE;
        return;
    }
    const QUrl url = QUrl::fromUserInput(Url.trimmed());
    if (url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        if (!file.isFile() || !file.isReadable()) {
            setHtml(QStringLiteral("<p>The page %1 cannot be shown: the file cannot be read.</p>").arg(Url.toHtmlEscaped()));
        } else {
            clear();
            setSource(url);
        }
        FReadyState = READYSTATE_COMPLETE;
        return;
    }
    if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) {
        setHtml(QStringLiteral("<p>The page %1 cannot be shown.</p>").arg(Url.toHtmlEscaped()));
        FReadyState = READYSTATE_COMPLETE;
        return;
    }
    if (!FNetwork)
        FNetwork = new QNetworkAccessManager(this);
    clear();
    FReadyState = READYSTATE_LOADING;
    QNetworkRequest request(url);
    request.setTransferTimeout(FetchTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = FNetwork->get(request);
    FPending = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 Received, qint64) {
        if (Received > MaxPageBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Fetched(reply); });
}

void TWebBrowser::Fetched(QNetworkReply* Reply)
{
    Reply->deleteLater();
    if (Reply != FPending)
        return;
    FPending = nullptr;
    FReadyState = READYSTATE_COMPLETE;
    if (Reply->error() != QNetworkReply::NoError) {
        setHtml(QStringLiteral("<p>The page %1 cannot be shown: %2</p>")
                    .arg(FLocation.toHtmlEscaped(), Reply->errorString().toHtmlEscaped()));
        return;
    }
    const QByteArray data = Reply->read(MaxPageBytes);
    const QString type = Reply->header(QNetworkRequest::ContentTypeHeader).toString().toLower();
    if (type.startsWith(QLatin1String("text/plain")))
        setPlainText(QString::fromUtf8(data));
    else
        setHtml(QString::fromUtf8(data));
}

void TWebBrowser::LoadHTMLDocument(const QStringList& Lines)
{
    Navigate(QStringLiteral("about:blank"));
    setHtml(Lines.join(QLatin1Char('\n')));
    FReadyState = READYSTATE_COMPLETE;
}

// ---------------------------------------------------------------------------------------------

QWidget* CreateEditControl(const QMetaObject* ControlClass, QWidget* Parent)
{
    if (!ControlClass)
        return nullptr;
    QObject* object = nullptr;
    if (ControlClass == &TVxMonthCalendar::staticMetaObject)
        object = new TVxMonthCalendar(Parent);
    else if (ControlClass == &TVxRichEdit::staticMetaObject)
        object = new TVxRichEdit(Parent);
    else
        object = ControlClass->newInstance(Q_ARG(QWidget*, Parent));
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        delete object;
        return nullptr;
    }
    if (widget->parentWidget() != Parent)
        widget->setParent(Parent);
    return widget;
}
