#pragma once
/// A small reader for rich text (RTF) as rich edits load it: groups, paragraphs and line breaks,
/// tabs, bold, italic, underline, super- and subscript, font size, text colour from the colour
/// table, Unicode characters and code-page bytes (the document's code page, or the one of the
/// font's character set, double-byte code pages included). Tables read as one paragraph per row
/// with a tab between cells; hyperlink fields become links with their address; the mark of a
/// footnote shows, its text does not. Headers, footers, footnotes, index and contents entries,
/// hidden text, style sheets, document information and every "\*" destination are skipped;
/// other control words are ignored. Malformed input (unbalanced braces, truncated escapes, binary
/// junk, groups nested deeper than 1,024) gives whatever text could be read, in bounded time and
/// memory. \file

#include <QByteArray>

class QTextDocument;

/// Whether Data starts like rich text ("{\rtf", after leading white space).
bool IsRtf(const QByteArray& Data);

/// Replaces Document's content with the text of Data. Returns false, and leaves Document alone,
/// when Data is not rich text.
bool ReadRtf(const QByteArray& Data, QTextDocument& Document);
