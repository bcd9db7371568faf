#include "DataCheckBox.h"

#include <QHelpEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>

QString TDataCheckBox::OneLine() const
{
    QString line = text();
    line.remove(QLatin1Char('\r')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

QStyleOptionButton TDataCheckBox::LineOption() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = OneLine();
    return option;
}

QString TDataCheckBox::ShownText() const
{
    const QStyleOptionButton option = LineOption();
    const QRect label = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    return fontMetrics().elidedText(option.text, Qt::ElideRight, qMax(0, label.width()), Qt::TextShowMnemonic);
}

bool TDataCheckBox::Elided() const
{
    return ShownText() != OneLine();
}

QSize TDataCheckBox::sizeHint() const
{
    // QCheckBox measures the caption as it stands; a line break would ask for two lines.
    const QStyleOptionButton option = LineOption();
    const QSize text = style()->itemTextRect(fontMetrics(), QRect(), Qt::TextShowMnemonic, false, option.text).size();
    return style()->sizeFromContents(QStyle::CT_CheckBox, &option, text, this);
}

void TDataCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option = LineOption();
    option.text = ShownText();
    painter.drawControl(QStyle::CE_CheckBox, option);
}

bool TDataCheckBox::event(QEvent* Event)
{
    if (Event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        // The whole caption, only where the box shows part of it.
        auto* help = static_cast<QHelpEvent*>(Event);
        if (Elided())
            QToolTip::showText(help->globalPos(), text(), this, rect());
        else
            QToolTip::hideText();
        return true;
    }
    return TWideCheckBox::event(Event);
}
