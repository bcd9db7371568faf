#pragma once
// One row of the icon picker: the choice's icon and a radio button with its name. The rows of a
// picker keep exactly one of them selected among themselves.

#include <QFrame>
#include <QPixmap>

class QLabel;
class QRadioButton;

class TfrIcon : public QFrame {
    Q_OBJECT
public:
    // A null icon leaves the image empty.
    TfrIcon(QWidget* AOwner, const QString& ACaption, const QPixmap& AIcon);

    bool Selected() const;
    // Selecting from code inside BeginUpdate/EndUpdate leaves the other rows alone; otherwise the
    // other rows among the parent's children are cleared.
    void SetSelected(bool Value);
    void BeginUpdate() { FUpdate = true; }
    void EndUpdate() { FUpdate = false; }
    QString Caption() const;

    QLabel* Image1;
    QRadioButton* RadioButton1;

private:
    void RadioButton1Click();
    bool FUpdate = false;
};
