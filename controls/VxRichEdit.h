#pragma once
/// The rich edit of the expanded information and of rich-text input: detects web and mail
/// addresses in its text and shows them as links, lets a handler take a link click before the
/// shell opens the address, reads rich text (RTF) or plain text, and scrolls by lines. \file

#include "Classes.h"

#include <QTextEdit>

#include <functional>

class TVxLinkHighlighter;

/// Sender, Link, Handled (False on entry; True keeps the shell from opening Link).
using TLinkClickedEvent = TEvent<TObject*, const QString&, bool&>;

class TVxRichEdit : public QTextEdit, public TObject {
    Q_OBJECT
public:
    explicit TVxRichEdit(QWidget* Parent = nullptr);
    ~TVxRichEdit() override;

    bool ShowLinks() const { return FShowLinks; }
    void SetShowLinks(bool Value);
    /// Loading treats rich text as plain text.
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool Value) { FPlainText = Value; }

    /// Rich text (RTF) unless PlainText is set or Data is not rich text; plain text is UTF-8 when
    /// valid, else the local 8-bit encoding.
    void LoadFromData(const QByteArray& Data);
    /// Raises EInOutError when the file cannot be read.
    void LoadFromFile(const QString& FileName);

    /// Scrolls so that visual line aLineNumber is the first visible one and puts the caret at its
    /// start.
    void ScrollToLine(int aLineNumber);
    void ScrollToTop() { ScrollToLine(0); }
    /// Caret to the end of the text, scrolled into view.
    void ScrollToEnd();
    int FirstVisibleLine() const;
    int LineCount() const;

    /// The address of the link at a character position: a detected address (while ShowLinks is
    /// set) or a link of the text itself; empty when there is none.
    QString LinkAt(int Position) const;

    TLinkClickedEvent OnLinkClicked;

protected:
    virtual void DoLinkClicked(const QString& Link);
    void UpdateLinks();

    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;

private:
    QString LinkAt(int Position, int* Start, int* End) const;
    /// The character under a point of the viewport, or -1.
    int PositionAt(QPoint Pos) const;
    /// Calls Visit(line, first character, top) for every visual line until it returns false.
    void ForEachLine(const std::function<bool(int, int, int)>& Visit) const;
    /// The visual line N (clamped): its first character and its top in document coordinates.
    std::pair<int, int> LineStart(int N) const;

    bool FShowLinks = true;
    bool FPlainText = false;
    TVxLinkHighlighter* FLinks; ///< owned as a child
};
