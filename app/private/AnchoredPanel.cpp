#include "AnchoredPanel.h"

#include <QAbstractButton>
#include <QEvent>

#include <algorithm>

TAnchoredPanel::TAnchoredPanel(QWidget* Parent, const QSize& DesignSize) : QWidget(Parent), FDesignSize(DesignSize)
{
}

void TAnchoredPanel::Anchor(QWidget* Child, enum Anchor Where)
{
    FEntries.push_back({Child, Child->geometry(), Where});
}

namespace {
// The width a child's content needs: a button's caption and indicator; 0 for other controls.
int NeededWidth(const QWidget* Child)
{
    return qobject_cast<const QAbstractButton*>(Child) ? Child->sizeHint().width() : 0;
}
} // namespace

void TAnchoredPanel::Relayout()
{
    // Right-anchored children grow to the left to fit their captions; left-anchored ones grow to
    // the right, up to 8 pixels before the nearest right-anchored child they would run into.
    int rightGroupLeft = width();
    std::vector<QRect> placed(FEntries.size());
    for (size_t i = 0; i < FEntries.size(); ++i) {
        const Entry& e = FEntries[i];
        if (e.Where != TopRight)
            continue;
        QRect r = e.Bounds;
        r.moveLeft(width() - (FDesignSize.width() - e.Bounds.left()));
        const int grown = std::max(r.width(), NeededWidth(e.Child));
        r.setLeft(r.right() + 1 - grown);
        placed[i] = r;
        rightGroupLeft = std::min(rightGroupLeft, r.left());
    }
    for (size_t i = 0; i < FEntries.size(); ++i) {
        const Entry& e = FEntries[i];
        if (e.Where != TopLeft)
            continue;
        QRect r = e.Bounds;
        const int room = std::max(r.width(), rightGroupLeft - 8 - r.left());
        r.setWidth(std::min(std::max(r.width(), NeededWidth(e.Child)), room));
        placed[i] = r;
    }
    for (size_t i = 0; i < FEntries.size(); ++i)
        FEntries[i].Child->setGeometry(placed[i]);
}

void TAnchoredPanel::resizeEvent(QResizeEvent* Event)
{
    Relayout();
    QWidget::resizeEvent(Event);
}

bool TAnchoredPanel::event(QEvent* Event)
{
    // A child's caption changed (it asks its parent to lay out again), or the panel shows again
    // after captions changed while it was hidden.
    if (Event->type() == QEvent::LayoutRequest || Event->type() == QEvent::Show)
        Relayout();
    return QWidget::event(Event);
}
