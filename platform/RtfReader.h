#pragma once
// A small reader for rich text (RTF) as rich edits load it: groups, paragraphs and line breaks,
// tabs, bold, italic, underline, font size, text colour from the colour table, code-page and
// Unicode characters. Font tables, style sheets, document information and every "\*"
// destination are skipped; other control words are ignored. Malformed input (unbalanced braces,
// truncated escapes, binary junk) gives whatever text could be read.

#include <QByteArray>

class QTextDocument;

// Whether Data starts like rich text ("{\rtf", after leading white space).
bool IsRtf(const QByteArray& Data);

// Replaces Document's content with the text of Data. Returns false, and leaves Document alone,
// when Data is not rich text.
bool ReadRtf(const QByteArray& Data, QTextDocument& Document);
