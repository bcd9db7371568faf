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

void DrawWordBreakElided(QPainter& Painter, const QRect& R, const QString& Text)
{
    const QFontMetrics fm(Painter.font());
    const int lineHeight = fm.height();
    Painter.save();
    Painter.setClipRect(R);
    int y = R.top();
    const QStringList paragraphs = QString(Text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    for (int p = 0; p < paragraphs.size(); ++p) {
        QTextLayout layout(paragraphs[p], Painter.font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        QList<QPair<int, int>> lines; // start, length
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(qMax(0, R.width()));
            lines.append({l.textStart(), l.textLength()});
        }
        layout.endLayout();
        if (lines.isEmpty())
            lines.append({0, 0});
        for (int i = 0; i < lines.size(); ++i) {
            const bool lastThatFits = y + 2 * lineHeight > R.bottom() + 1;
            const bool moreText = i + 1 < lines.size() || p + 1 < paragraphs.size();
            QString s = paragraphs[p].mid(lines[i].first, lines[i].second);
            if (lastThatFits && moreText) {
                // Whatever follows is folded into this line and cut with the ellipsis.
                QString rest = paragraphs[p].mid(lines[i].first);
                for (int q = p + 1; q < paragraphs.size(); ++q)
                    rest += QLatin1Char(' ') + paragraphs[q];
                s = fm.elidedText(rest, Qt::ElideRight, qMax(0, R.width()));
                Painter.drawText(QRect(R.left(), y, R.width(), lineHeight), int(Qt::AlignLeft | Qt::TextSingleLine), s);
                Painter.restore();
                return;
            }
            Painter.drawText(QRect(R.left(), y, R.width(), lineHeight), int(Qt::AlignLeft | Qt::TextSingleLine),
                             fm.elidedText(s, Qt::ElideRight, qMax(0, R.width())));
            y += lineHeight;
            if (y > R.bottom()) {
                Painter.restore();
                return;
            }
        }
    }
    Painter.restore();
}
