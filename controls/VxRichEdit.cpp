#include "VxRichEdit.h"

#include "RtfReader.h"
#include "Shell.h"
#include "SysUtils.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringDecoder>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <functional>

namespace {

const QRegularExpression& AddressPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:\b(?:https?|ftp|file|news)://|\bmailto:|\bwww\.)[^\s<>"]+)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// Punctuation that ends a sentence is not part of the address.
int TrimAddress(const QString& Text, int Start, int Length)
{
    while (Length > 0) {
        const QChar c = Text.at(Start + Length - 1);
        if (QStringLiteral(".,;:!?'").contains(c)) {
            --Length;
        } else if (c == u')' && Text.mid(Start, Length).count(u'(') < Text.mid(Start, Length).count(u')')) {
            --Length;
        } else {
            break;
        }
    }
    return Length;
}

} // namespace

// Shows the addresses found in the text as links. Its formats are drawn over the document's
// and are not part of the document, so detection never enters the undo stack, and it reruns
// only on the blocks that changed: one pass of the pattern over each.
class TVxLinkHighlighter : public QSyntaxHighlighter {
public:
    explicit TVxLinkHighlighter(TVxRichEdit* Edit) : QSyntaxHighlighter(static_cast<QObject*>(Edit)), FEdit(Edit) {}

    // The detected address at Position of Block, or empty.
    static QString AddressAt(const QTextBlock& Block, int Position, int* Start = nullptr, int* End = nullptr)
    {
        const QTextLayout* layout = Block.layout();
        if (!layout)
            return {};
        const int offset = Position - Block.position();
        for (const QTextLayout::FormatRange& range : layout->formats()) {
            if (offset >= range.start && offset < range.start + range.length && range.format.isAnchor()) {
                if (Start)
                    *Start = Block.position() + range.start;
                if (End)
                    *End = Block.position() + range.start + range.length;
                return range.format.anchorHref();
            }
        }
        return {};
    }

protected:
    void highlightBlock(const QString& Text) override
    {
        auto matches = AddressPattern().globalMatch(Text);
        while (matches.hasNext()) {
            const QRegularExpressionMatch m = matches.next();
            const int start = int(m.capturedStart());
            const int length = TrimAddress(Text, start, int(m.capturedLength()));
            if (length <= 0)
                continue;
            QTextCharFormat format;
            format.setAnchor(true);
            format.setAnchorHref(Text.mid(start, length));
            format.setFontUnderline(true);
            format.setForeground(FEdit->palette().brush(QPalette::Link));
            setFormat(start, length, format);
        }
    }

private:
    TVxRichEdit* FEdit;
};

TVxRichEdit::TVxRichEdit(QWidget* Parent) : QTextEdit(Parent)
{
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    FLinks = new TVxLinkHighlighter(this);
    UpdateLinks();
}

TVxRichEdit::~TVxRichEdit() = default;

void TVxRichEdit::SetShowLinks(bool Value)
{
    if (Value == FShowLinks)
        return;
    FShowLinks = Value;
    UpdateLinks();
}

void TVxRichEdit::UpdateLinks()
{
    if (FShowLinks) {
        if (FLinks->document() != document())
            FLinks->setDocument(document());
        FLinks->rehighlight();
    } else {
        FLinks->setDocument(nullptr); // takes its formats off the text
    }
    viewport()->update();
}

QString TVxRichEdit::LinkAt(int Position) const
{
    return LinkAt(Position, nullptr, nullptr);
}

QString TVxRichEdit::LinkAt(int Position, int* Start, int* End) const
{
    const QTextBlock block = document()->findBlock(Position);
    if (!block.isValid() || Position < 0 || Position >= block.position() + block.length() - 1)
        return {};
    if (FShowLinks) {
        const QString detected = TVxLinkHighlighter::AddressAt(block, Position, Start, End);
        if (!detected.isEmpty())
            return detected;
    }
    // A link of the text itself: the neighbouring fragments with the same address.
    QString href;
    int start = -1, end = -1;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const QTextCharFormat format = f.charFormat();
        if (format.isAnchor() && start >= 0 && format.anchorHref() == href && f.position() == end) {
            end = f.position() + f.length();
            continue;
        }
        if (start >= 0 && Position >= start && Position < end)
            break;
        start = end = -1;
        if (format.isAnchor() && !format.anchorHref().isEmpty()) {
            href = format.anchorHref();
            start = f.position();
            end = f.position() + f.length();
        }
    }
    if (start < 0 || Position < start || Position >= end)
        return {};
    if (Start)
        *Start = start;
    if (End)
        *End = end;
    return href;
}

int TVxRichEdit::PositionAt(QPoint Pos) const
{
    const QPoint contents = Pos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return document()->documentLayout()->hitTest(contents, Qt::ExactHit);
}

void TVxRichEdit::DoLinkClicked(const QString& Link)
{
    bool handled = false;
    if (OnLinkClicked)
        OnLinkClicked(this, Link, handled);
    if (!handled)
        ShellOpen(Link);
}

void TVxRichEdit::mousePressEvent(QMouseEvent* Event)
{
    if (FShowLinks && Event->button() == Qt::LeftButton) {
        int start = -1, end = -1;
        const int position = PositionAt(Event->position().toPoint());
        const QString href = position >= 0 ? LinkAt(position, &start, &end) : QString();
        if (!href.isEmpty()) {
            // The whole link is selected; a link whose text is not its address (a hyperlink
            // field of rich text) opens its address.
            QTextCursor selection(document());
            selection.setPosition(start);
            selection.setPosition(end, QTextCursor::KeepAnchor);
            setTextCursor(selection);
            const QString text = selection.selectedText();
            DoLinkClicked(text == href || href.isEmpty() ? text : href);
            Event->accept();
            return;
        }
    }
    QTextEdit::mousePressEvent(Event);
}

void TVxRichEdit::mouseMoveEvent(QMouseEvent* Event)
{
    QTextEdit::mouseMoveEvent(Event);
    const int position = PositionAt(Event->position().toPoint());
    const bool overLink = FShowLinks && position >= 0 && !LinkAt(position).isEmpty();
    viewport()->setCursor(overLink ? Qt::PointingHandCursor : (isReadOnly() ? Qt::ArrowCursor : Qt::IBeamCursor));
}

void TVxRichEdit::LoadFromData(const QByteArray& Data)
{
    if (FPlainText || !ReadRtf(Data, *document())) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8.decode(Data);
        if (utf8.hasError())
            text = QString::fromLocal8Bit(Data);
        setPlainText(text);
    }
}

void TVxRichEdit::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, file.errorString()));
    LoadFromData(file.readAll());
}

void TVxRichEdit::ForEachLine(const std::function<bool(int, int, int)>& Visit) const
{
    QTextDocument* doc = document();
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    int line = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const qreal top = layout->blockBoundingRect(block).top();
        const QTextLayout* text = block.layout();
        const int lines = qMax(1, text ? text->lineCount() : 1);
        for (int i = 0; i < lines; ++i, ++line) {
            int position = block.position();
            qreal y = top;
            if (text && i < text->lineCount()) {
                const QTextLine l = text->lineAt(i);
                position += l.textStart();
                y += l.y();
            }
            if (!Visit(line, position, int(y)))
                return;
        }
    }
}

std::pair<int, int> TVxRichEdit::LineStart(int N) const
{
    std::pair<int, int> result{0, 0};
    ForEachLine([&](int Line, int Position, int Y) {
        result = {Position, Y};
        return Line < N;
    });
    return result;
}

int TVxRichEdit::LineCount() const
{
    int count = 0;
    ForEachLine([&](int, int, int) {
        ++count;
        return true;
    });
    return count;
}

int TVxRichEdit::FirstVisibleLine() const
{
    // The first line whose top is in view.
    const int top = verticalScrollBar()->value();
    int first = -1, last = 0;
    ForEachLine([&](int Line, int, int Y) {
        last = Line;
        if (Y < top)
            return true;
        first = Line;
        return false;
    });
    return first >= 0 ? first : last;
}

void TVxRichEdit::ScrollToLine(int aLineNumber)
{
    const auto [position, top] = LineStart(qMax(0, aLineNumber));
    // The line goes to the top of the view; above the first line that leaves the page margin.
    verticalScrollBar()->setValue(qMax(0, top - int(document()->documentMargin())));
    QTextCursor caret(document());
    caret.setPosition(position);
    setTextCursor(caret);
    ensureCursorVisible();
}

void TVxRichEdit::ScrollToEnd()
{
    QTextCursor caret(document());
    caret.movePosition(QTextCursor::End);
    setTextCursor(caret);
    ensureCursorVisible();
}
