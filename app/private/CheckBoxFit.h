#pragma once
// Check boxes of a stored layout whose captions may need more room than the layout gave them
// (another font than the one it was measured in, or a caption that is data). A box that is too
// narrow grows to fit its caption; boxes to its right move along so that none covers another.

#include <QList>
#include <QObject>
#include <QRect>

class QAbstractButton;
class QWidget;

// Bounds for boxes designed at Designed whose captions need Needed pixels each. Boxes whose
// designed left edges lie within 2 pixels of each other form a column: a column is as wide as
// its widest need (at least its designed width) and keeps its designed gap to the column before
// it. Boxes never move left or up of their designed place, and keep their heights.
QList<QRect> FitCheckBoxColumns(const QList<QRect>& Designed, const QList<int>& Needed);

// Keeps the check boxes of one parent fitted: refits when a caption or font changes (the parent
// is asked to lay out again) and when the parent is shown.
class TCheckBoxColumns : public QObject {
public:
    // The boxes must already have their designed geometry.
    TCheckBoxColumns(QWidget* Parent, const QList<QAbstractButton*>& Boxes);
    void Refit();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QList<QAbstractButton*> FBoxes;
    QList<QRect> FDesigned;
};
