#pragma once
/// Formatted text drawing and measuring with the platform's DrawText rules, on a QPainter.
///
/// Geometry is in QRect terms: the platform's "Right - Left" is Rect.width() and "Bottom - Top" is
/// Rect.height(). A caller that ports "R.Right" writes R.left() + R.width(). \file

#include <QList>
#include <QSize>
#include <QString>

class QFont;
class QFontMetrics;
class QPainter;
class QRect;

constexpr uint DT_TOP = 0x0;
constexpr uint DT_LEFT = 0x0;
constexpr uint DT_CENTER = 0x1;
constexpr uint DT_RIGHT = 0x2;
constexpr uint DT_VCENTER = 0x4;
constexpr uint DT_BOTTOM = 0x8;
constexpr uint DT_WORDBREAK = 0x10;
constexpr uint DT_SINGLELINE = 0x20;
constexpr uint DT_EXPANDTABS = 0x40;
constexpr uint DT_NOCLIP = 0x100;
constexpr uint DT_CALCRECT = 0x400;
constexpr uint DT_NOPREFIX = 0x800;
constexpr uint DT_EDITCONTROL = 0x2000;
constexpr uint DT_PATH_ELLIPSIS = 0x4000;
constexpr uint DT_END_ELLIPSIS = 0x8000;
constexpr uint DT_RTLREADING = 0x20000;
constexpr uint DT_WORD_ELLIPSIS = 0x40000;

/// One output line of formatted text.
struct TDrawTextLine {
    /// What is drawn: accelerator markers removed, ellipsis applied; a tab stays a tab only with
    /// DT_EXPANDTABS (otherwise it is a blank).
    QString Text;
    /// Offset of the line's first character in the text after accelerator removal.
    int Start = 0;
    /// Advance width in pixels, tabs expanded.
    int Width = 0;
    /// Index in Text of the character to underline as the accelerator, or -1.
    int Underline = -1;
};

/// The lines of a text broken for a given width; no painting involved.
struct TDrawTextLayout {
    QList<TDrawTextLine> Lines;
    int LineHeight = 0; ///< QFontMetrics::height()
    int Width = 0;      ///< widest line
    int Height() const { return int(Lines.size()) * LineHeight; }
};

/// Breaks Text into lines as DrawText does for Format and a rectangle of the given width:
/// - CR LF, LF or a lone CR start a new line, unless DT_SINGLELINE (then each is a blank);
/// - with DT_WORDBREAK a line breaks at the last blank that fits; the blanks at a break are
///   dropped. A word wider than the line stays whole on its own line (DT_CALCRECT then reports the
///   wider width), or with DT_EDITCONTROL is broken inside (never inside a grapheme cluster);
/// - "&" marks the accelerator ("&&" is a literal "&", a trailing lone "&" is dropped) unless
///   DT_NOPREFIX;
/// - DT_EXPANDTABS sets tab stops every 8 average character widths;
/// - DT_END_ELLIPSIS / DT_WORD_ELLIPSIS cut a line that is too wide and end it with "...";
///   DT_PATH_ELLIPSIS keeps the part after the last "\" or "/" and cuts before it.
/// A width of zero or less puts every word (every character with DT_EDITCONTROL) on its own line.
/// An empty text has no lines. Cost grows linearly with the text length.
TDrawTextLayout LayoutDrawText(const QFontMetrics& Metrics, const QString& Text, int Width, uint Format);

/// The platform's DrawText. Draws Text in Font with the painter's pen inside Rect, clipped to it
/// unless DT_NOCLIP, and returns the height of the text (with DT_SINGLELINE and DT_VCENTER or
/// DT_BOTTOM: the distance from Rect's top to the bottom of the drawn text).
/// With DT_CALCRECT nothing is drawn (Painter may be nullptr: the screen's metrics of Font are used)
/// and Rect keeps its top-left corner and gets the width of the widest line and the height of all
/// lines (line height QFontMetrics::height()). An empty text returns one line height; with
/// DT_CALCRECT it gives width 0 and height one line with DT_SINGLELINE, else height 0.
/// DT_VCENTER and DT_BOTTOM only apply with DT_SINGLELINE. DT_RTLREADING draws right to left; the
/// horizontal alignment stays as DT_LEFT / DT_CENTER / DT_RIGHT say.
/// When drawing wrapped text with DT_END_ELLIPSIS into a rectangle too low for all lines, the last
/// line that fits ends with "..." and the lines below are not drawn; DT_EDITCONTROL likewise
/// leaves out a partly visible last line.
int DrawText(QPainter* Painter, const QFont& Font, const QString& Text, QRect& Rect, uint Format);

/// Accelerator markers in captions, read as DrawText reads them: "&x" marks x (the last marker
/// counts), "&&" is a literal "&", a lone trailing "&" is dropped.
/// The text as drawn, without markers.
QString StripHotkey(const QString& Text);
/// The marked character, or a null QChar when there is none.
QChar GetHotkey(const QString& Text);
/// Whether Key is the text's accelerator, compared without regard to case.
bool IsAccel(QChar Key, const QString& Text);

/// Canvas helpers in the platform's terms (GetTextExtentPoint32 on one line, no markup): the advance
/// width, and the font's line height. A tab advances to the next of DrawText's tab stops (every 8
/// average character widths, counted from the start of Text), so a text measures as wide as
/// DrawText with DT_EXPANDTABS draws it.
int TextWidth(const QFont& Font, const QString& Text);
int TextWidth(const QFontMetrics& Metrics, QStringView Text);
/// The distance between DrawText's tab stops in this font.
int TabStopWidth(const QFontMetrics& Metrics);
int TextHeight(const QFont& Font, const QString& Text);
QSize TextExtent(const QFont& Font, const QString& Text);
