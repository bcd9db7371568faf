#include "AnchoredPanel.h"

TAnchoredPanel::TAnchoredPanel(QWidget* Parent, const QSize& DesignSize) : QWidget(Parent), FDesignSize(DesignSize)
{
}

void TAnchoredPanel::Anchor(QWidget* Child, enum Anchor Where)
{
    FEntries.push_back({Child, Child->geometry(), Where});
}

void TAnchoredPanel::resizeEvent(QResizeEvent* Event)
{
    for (const Entry& e : FEntries) {
        QRect r = e.Bounds;
        if (e.Where == TopRight)
            r.moveLeft(width() - (FDesignSize.width() - e.Bounds.left()));
        e.Child->setGeometry(r);
    }
    QWidget::resizeEvent(Event);
}
