#pragma once
// A check box that answers clicks anywhere in its bounds, as the stored form's check boxes do,
// not only on the indicator and the caption's text.

#include <QCheckBox>

class TWideCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& Pos) const override { return rect().contains(Pos); }
};
