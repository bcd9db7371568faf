#pragma once
// A panel whose children keep the distance to the edges they are anchored to, measured in the
// stored layout's panel size. A button whose caption needs more room than its stored width grows
// (a right-anchored one to the left, a left-anchored one to the right as far as the right-anchored
// ones leave room).

#include <QWidget>

#include <vector>

class TAnchoredPanel : public QWidget {
    Q_OBJECT
public:
    enum Anchor { TopLeft, TopRight };
    TAnchoredPanel(QWidget* Parent, const QSize& DesignSize);
    // Child must already have its stored geometry.
    void Anchor(QWidget* Child, Anchor Where);
    // Places the children for the panel's current width and their captions.
    void Relayout();

protected:
    void resizeEvent(QResizeEvent* Event) override;
    bool event(QEvent* Event) override;

private:
    struct Entry {
        QWidget* Child;
        QRect Bounds;
        enum Anchor Where;
    };
    QSize FDesignSize;
    std::vector<Entry> FEntries;
};
