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
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <functional>

namespace {

// Marks the link formats this control added, so that switching links off removes only those.
constexpr int DetectedLinkProperty = QTextFormat::UserProperty + 0x5658;

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

TVxRichEdit::TVxRichEdit(QWidget* Parent) : QTextEdit(Parent)
{
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(document(), &QTextDocument::contentsChange, this, [this](int From, int, int Added) {
        if (FShowLinks && !FUpdatingLinks)
            DetectLinks(From, From + Added);
    });
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
    if (FShowLinks)
        DetectLinks(0, document()->characterCount());
    else
        RemoveDetectedLinks();
}

void TVxRichEdit::DetectLinks(int From, int To)
{
    QTextDocument* doc = document();
    // Whole blocks: an address may have grown at either end.
    QTextBlock block = doc->findBlock(qMax(0, From));
    const QTextBlock last = doc->findBlock(qMax(0, qMin(To, doc->characterCount() - 1)));
    FUpdatingLinks = true;
    const bool modified = doc->isModified();
    for (; block.isValid(); block = block.next()) {
        const QString text = block.text();
        const int base = block.position();
        // Forget what was detected before in this block, then mark what is there now.
        ClearDetectedLinks(block);
        auto matches = AddressPattern().globalMatch(text);
        while (matches.hasNext()) {
            const QRegularExpressionMatch m = matches.next();
            const int start = int(m.capturedStart());
            const int length = TrimAddress(text, start, int(m.capturedLength()));
            if (length <= 0)
                continue;
            QTextCursor link(doc);
            link.setPosition(base + start);
            link.setPosition(base + start + length, QTextCursor::KeepAnchor);
            QTextCharFormat format;
            format.setAnchor(true);
            format.setAnchorHref(text.mid(start, length));
            format.setFontUnderline(true);
            format.setForeground(palette().brush(QPalette::Link));
            format.setProperty(DetectedLinkProperty, true);
            link.mergeCharFormat(format);
        }
        if (block == last)
            break;
    }
    doc->setModified(modified);
    FUpdatingLinks = false;
}

void TVxRichEdit::RemoveDetectedLinks()
{
    QTextDocument* doc = document();
    FUpdatingLinks = true;
    const bool modified = doc->isModified();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        ClearDetectedLinks(block);
    doc->setModified(modified);
    FUpdatingLinks = false;
}

void TVxRichEdit::ClearDetectedLinks(const QTextBlock& Block)
{
    QList<std::pair<int, int>> ranges;
    for (auto it = Block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.charFormat().hasProperty(DetectedLinkProperty))
            ranges.append({fragment.position(), fragment.length()});
    }
    for (const auto& [position, length] : ranges) {
        QTextCursor c(document());
        c.setPosition(position);
        c.setPosition(position + length, QTextCursor::KeepAnchor);
        QTextCharFormat f = c.charFormat();
        f.setAnchor(false);
        f.clearProperty(QTextFormat::AnchorHref);
        f.setFontUnderline(false);
        f.clearForeground();
        f.clearProperty(DetectedLinkProperty);
        c.setCharFormat(f);
    }
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
        const QPoint pos = Event->position().toPoint();
        if (!anchorAt(pos).isEmpty()) {
            // Select the whole link: the neighbouring fragments with the same address.
            const QTextCursor at = cursorForPosition(pos);
            const QTextBlock block = at.block();
            const int position = at.position();
            QString href;
            int start = -1, end = -1;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                const QTextCharFormat format = f.charFormat();
                const bool anchor = format.isAnchor();
                if (anchor && start >= 0 && format.anchorHref() == href && f.position() == end) {
                    end = f.position() + f.length();
                    continue;
                }
                if (start >= 0 && position >= start && position <= end)
                    break;
                start = end = -1;
                if (anchor) {
                    href = format.anchorHref();
                    start = f.position();
                    end = f.position() + f.length();
                }
            }
            if (start >= 0 && position >= start && position <= end) {
                QTextCursor selection(document());
                selection.setPosition(start);
                selection.setPosition(end, QTextCursor::KeepAnchor);
                setTextCursor(selection);
                DoLinkClicked(selection.selectedText());
                Event->accept();
                return;
            }
        }
    }
    QTextEdit::mousePressEvent(Event);
}

void TVxRichEdit::mouseMoveEvent(QMouseEvent* Event)
{
    QTextEdit::mouseMoveEvent(Event);
    const bool overLink = FShowLinks && !anchorAt(Event->position().toPoint()).isEmpty();
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
    UpdateLinks();
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
