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
#include <QTextCursor>
#include <QTimer>
#include <QUrl>

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
// rest of a longer paste without a word.
constexpr int NoLimit = std::numeric_limits<int>::max();

// Typing stops at MaxLength (none for 0), but never below what is already in the control.
int TypingLimit(int MaxLength, qsizetype Present)
{
    const int wanted = MaxLength > 0 ? MaxLength : NoLimit;
    return int(qMax<qsizetype>(wanted, Present));
}

QString NormalisedLineBreaks(QString Text)
{
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return Text;
}

void LowerLimit(QLineEdit* Edit, int MaxLength)
{
    const int limit = TypingLimit(MaxLength, Edit->text().size());
    if (limit < Edit->maxLength())
        Edit->setMaxLength(limit);
}

} // namespace

// ---------------------------------------------------------------------------------------------

TEdit::TEdit(QWidget* Parent) : QLineEdit(Parent)
{
    // Once the user shortens an over-long text, the limit comes down with it.
    connect(this, &QLineEdit::textChanged, this, &TEdit::ApplyLimit);
}

void TEdit::SetText(const QString& Value)
{
    setMaxLength(TypingLimit(FMaxLength, Value.size()));
    setText(Value);
}

void TEdit::SetMaxLength(int Value)
{
    FMaxLength = qMax(0, Value);
    ApplyLimit();
}

void TEdit::ApplyLimit()
{
    const int limit = TypingLimit(FMaxLength, text().size());
    if (limit != maxLength())
        setMaxLength(limit);
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
    const QString plain = NormalisedLineBreaks(Value);
    FProgramLength = int(plain.size());
    FLimiting = true;
    setPlainText(plain);
    FLimiting = false;
}

void TEditMemo::Limit()
{
    if (FLimiting || FMaxLength <= 0)
        return;
    const int limit = qMax(FMaxLength, FProgramLength);
    const int over = int(document()->characterCount() - 1) - limit;
    if (over <= 0)
        return;
    // Takes back what was just typed or pasted in front of the cursor.
    FLimiting = true;
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, qMin(over, cursor.position()));
    cursor.removeSelectedText();
    setTextCursor(cursor);
    FLimiting = false;
}

// ---------------------------------------------------------------------------------------------

TComboBox::TComboBox(QWidget* Parent) : QComboBox(Parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    ApplyLimit();
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { LowerLimit(lineEdit(), FMaxLength); });
    // A chosen item shows whole, as a text the program sets does: MaxLength stops typing, not
    // the list.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int Index) {
        QLineEdit* edit = lineEdit();
        if (!edit || Index < 0)
            return;
        const QString item = itemText(Index);
        if (edit->text() == item)
            return;
        edit->setMaxLength(TypingLimit(FMaxLength, item.size()));
        edit->setText(item);
    });
}

void TComboBox::SetStyle(TComboBoxStyle Value)
{
    const bool editable = Value != csDropDownList;
    if (editable == isEditable())
        return;
    setEditable(editable);
    if (editable) {
        setInsertPolicy(QComboBox::NoInsert);
        ApplyLimit();
        connect(lineEdit(), &QLineEdit::textChanged, this, [this] { LowerLimit(lineEdit(), FMaxLength); });
    }
}

void TComboBox::SetText(const QString& Value)
{
    if (isEditable()) {
        if (QLineEdit* edit = lineEdit())
            edit->setMaxLength(TypingLimit(FMaxLength, Value.size()));
        setEditText(Value);
    } else {
        setCurrentIndex(findText(Value, Qt::MatchExactly));
    }
}

void TComboBox::SetMaxLength(int Value)
{
    FMaxLength = qMax(0, Value);
    ApplyLimit();
}

void TComboBox::ApplyLimit()
{
    if (QLineEdit* edit = lineEdit())
        edit->setMaxLength(TypingLimit(FMaxLength, edit->text().size()));
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
