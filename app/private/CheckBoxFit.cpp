#include "CheckBoxFit.h"

#include <QAbstractButton>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <numeric>

QList<QRect> FitCheckBoxColumns(const QList<QRect>& Designed, const QList<int>& Needed)
{
    QList<QRect> result = Designed;
    QList<int> order(Designed.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Designed[a].left() < Designed[b].left(); });

    int previousDesignedRight = 0, previousRight = 0;
    bool first = true;
    for (qsizetype i = 0; i < order.size();) {
        // One column: the boxes whose left edges lie within 2 pixels of the first one's.
        qsizetype end = i;
        int designedLeft = Designed[order[i]].left(), designedRight = designedLeft, width = 0;
        while (end < order.size() && Designed[order[end]].left() - Designed[order[i]].left() <= 2) {
            const QRect& d = Designed[order[end]];
            designedRight = std::max(designedRight, d.left() + d.width());
            width = std::max({width, d.width() + (d.left() - designedLeft), Needed[order[end]] + (d.left() - designedLeft)});
            ++end;
        }
        int left = designedLeft;
        if (!first)
            left = std::max(designedLeft, previousRight + std::max(0, designedLeft - previousDesignedRight));
        for (qsizetype k = i; k < end; ++k) {
            const int box = order[k];
            const QRect& d = Designed[box];
            result[box] = QRect(left + (d.left() - designedLeft), d.top(), std::max(d.width(), Needed[box]), d.height());
        }
        previousDesignedRight = designedRight;
        previousRight = left + width;
        first = false;
        i = end;
    }
    return result;
}

TCheckBoxColumns::TCheckBoxColumns(QWidget* Parent, const QList<QAbstractButton*>& Boxes)
    : QObject(Parent), FBoxes(Boxes)
{
    for (QAbstractButton* box : Boxes)
        FDesigned.append(box->geometry());
    Parent->installEventFilter(this);
    Refit();
}

void TCheckBoxColumns::Refit()
{
    QList<int> needed;
    for (QAbstractButton* box : FBoxes)
        needed.append(box->sizeHint().width());
    const QList<QRect> bounds = FitCheckBoxColumns(FDesigned, needed);
    for (qsizetype i = 0; i < FBoxes.size(); ++i)
        FBoxes[i]->setGeometry(bounds[i]);
}

bool TCheckBoxColumns::eventFilter(QObject* Watched, QEvent* Event)
{
    // A caption change asks the parent to lay out again (it has no layout of its own).
    if (Event->type() == QEvent::LayoutRequest || Event->type() == QEvent::Show)
        Refit();
    return QObject::eventFilter(Watched, Event);
}
