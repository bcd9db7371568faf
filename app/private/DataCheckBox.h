#pragma once
// A check box whose caption is data the user typed (the expando's show and hide texts, the
// verification text). Its size hint asks for the whole caption; where its parent cannot give it
// that much room the caption ends with an ellipsis and its tip shows it in full. Line breaks of a
// loaded caption show as blanks, so that the one line the box has stays readable.

#include "WideCheckBox.h"

#include <QStyleOptionButton>

class TDataCheckBox : public TWideCheckBox {
    Q_OBJECT
public:
    using TWideCheckBox::TWideCheckBox;

    // The caption as it is drawn at the box's current width.
    QString ShownText() const;
    // Whether the drawn caption is shorter than the caption.
    bool Elided() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* Event) override;
    bool event(QEvent* Event) override;

private:
    // The caption on one line.
    QString OneLine() const;
    // The style option QCheckBox paints from, with the caption on one line.
    QStyleOptionButton LineOption() const;
};
