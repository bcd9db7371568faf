#include "ElidedText.h"

#include <QFontMetrics>
#include <QTextLayout>

void DrawSingleLineElided(QPainter& Painter, const QRect& R, const QString& Text, Qt::Alignment Alignment)
{
    const QFontMetrics fm(Painter.font());
    QString line = Text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
    const QString shown = fm.elidedText(line, Qt::ElideRight, qMax(0, R.width()));
    Painter.save();
    Painter.setClipRect(R);
    Painter.drawText(R, int(Alignment | Qt::AlignVCenter | Qt::TextSingleLine), shown);
    Painter.restore();
}

namespace {
QString WithoutTrailingBlanks(QString S)
{
    qsizetype n = S.size();
    while (n > 0 && S.at(n - 1).isSpace())
        --n;
    S.truncate(n);
    return S;
}

// Line followed by an ellipsis, losing characters from its end until both fit in Width.
QString WithEllipsis(const QFontMetrics& Fm, QString Line, int Width)
{
    const QString ellipsis(QChar(0x2026));
    while (!Line.isEmpty() && Fm.horizontalAdvance(Line + ellipsis) > Width) {
        Line.chop(Line.size() >= 2 && Line.at(Line.size() - 1).isLowSurrogate() ? 2 : 1);
        Line = WithoutTrailingBlanks(Line);
    }
    return Line + ellipsis;
}
} // namespace

QStringList WordBreakElidedLines(const QFont& Font, const QSize& Size, const QString& Text)
{
    const QFontMetrics fm(Font);
    const int width = qMax(0, Size.width());
    // Lines that fit whole; the first one is drawn (clipped) even when it does not.
    const int maxLines = qMax(1, Size.height() / qMax(1, fm.height()));
    QStringList shown;
    const QStringList paragraphs = QString(Text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    for (int p = 0; p < paragraphs.size(); ++p) {
        QTextLayout layout(paragraphs[p], Font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        QList<QPair<int, int>> lines; // start, length
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(width);
            lines.append({l.textStart(), l.textLength()});
        }
        layout.endLayout();
        if (lines.isEmpty())
            lines.append({0, 0});
        for (int i = 0; i < lines.size(); ++i) {
            const bool lastThatFits = shown.size() + 1 >= maxLines;
            const bool moreText = i + 1 < lines.size() || p + 1 < paragraphs.size();
            if (lastThatFits && moreText) {
                // The last line that fits keeps its own text and ends with the ellipsis; the lines
                // after it are not folded into it.
                shown.append(WithEllipsis(fm, WithoutTrailingBlanks(paragraphs[p].mid(lines[i].first, lines[i].second)),
                                          width));
                return shown;
            }
            // A wrapped line keeps the blank it broke at; that blank takes no room, and must not
            // make the line look too wide and lose its last word to an ellipsis.
            const QString line = WithoutTrailingBlanks(paragraphs[p].mid(lines[i].first, lines[i].second));
            shown.append(lastThatFits ? fm.elidedText(line, Qt::ElideRight, width) : line);
            if (lastThatFits)
                return shown;
        }
    }
    return shown;
}

void DrawWordBreakElided(QPainter& Painter, const QRect& R, const QString& Text)
{
    const int lineHeight = QFontMetrics(Painter.font()).height();
    Painter.save();
    Painter.setClipRect(R);
    int y = R.top();
    for (const QString& line : WordBreakElidedLines(Painter.font(), R.size(), Text)) {
        Painter.drawText(QRect(R.left(), y, R.width(), lineHeight), int(Qt::AlignLeft | Qt::TextSingleLine), line);
        y += lineHeight;
    }
    Painter.restore();
}
