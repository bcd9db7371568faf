#pragma once
// A panel whose children keep the distance to the edges they are anchored to, measured in the
// stored layout's panel size.

#include <QWidget>

#include <vector>

class TAnchoredPanel : public QWidget {
    Q_OBJECT
public:
    enum Anchor { TopLeft, TopRight };
    TAnchoredPanel(QWidget* Parent, const QSize& DesignSize);
    // Child must already have its stored geometry.
    void Anchor(QWidget* Child, Anchor Where);

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    struct Entry {
        QWidget* Child;
        QRect Bounds;
        enum Anchor Where;
    };
    QSize FDesignSize;
    std::vector<Entry> FEntries;
};
