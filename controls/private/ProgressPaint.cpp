#include "ProgressPaint_p.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionProgressBar>
#include <QWidget>

namespace {
QStyleOptionProgressBar ProgressOption(const QWidget& Bar, const QRect& Rect, int Progress)
{
    QStyleOptionProgressBar option;
    option.initFrom(&Bar);
    option.rect = Rect;
    option.minimum = 0;
    option.maximum = 1;
    option.progress = Progress;
    option.state |= QStyle::State_Horizontal;
    return option;
}
} // namespace

void DrawThemedProgressChunk(QPainter& Painter, const QWidget& Bar, const QRect& Rect, TVxProgressBarState State,
                             bool Overlay)
{
    QStyleOptionProgressBar option = ProgressOption(Bar, Rect, 1);
    if (State == pbsError)
        option.palette.setColor(QPalette::Highlight, QColor(0xDA, 0x26, 0x26));
    else if (State == pbsPaused)
        option.palette.setColor(QPalette::Highlight, QColor(0xDA, 0xCB, 0x26));
    Bar.style()->drawControl(QStyle::CE_ProgressBarContents, &option, &Painter, &Bar);
    if (Overlay && Rect.width() > 2) {
        QLinearGradient glow(Rect.topLeft(), Rect.topRight());
        glow.setColorAt(0.0, QColor(255, 255, 255, 0));
        glow.setColorAt(0.5, QColor(255, 255, 255, 110));
        glow.setColorAt(1.0, QColor(255, 255, 255, 0));
        Painter.fillRect(Rect.adjusted(1, 1, -1, -1), glow);
    }
}

QRect DrawThemedProgressTrack(QPainter& Painter, const QWidget& Bar, const QRect& Rect)
{
    const QStyleOptionProgressBar option = ProgressOption(Bar, Rect, 0);
    Bar.style()->drawControl(QStyle::CE_ProgressBarGroove, &option, &Painter, &Bar);
    const QRect content = Bar.style()->subElementRect(QStyle::SE_ProgressBarContents, &option, &Bar);
    return content.isValid() ? content : Rect;
}
