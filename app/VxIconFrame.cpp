#include "VxIconFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace {
// The whole row width answers clicks, not only the indicator and the caption's text.
class TRowRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& Pos) const override { return rect().contains(Pos); }
};
} // namespace

TfrIcon::TfrIcon(QWidget* AOwner, const QString& ACaption, const QPixmap& AIcon) : QFrame(AOwner)
{
    resize(227, 38);
    setFixedHeight(38);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(32, 32);
    Image1->setContentsMargins(0, 0, 0, 0);
    if (!AIcon.isNull())
        Image1->setPixmap(AIcon);
    RadioButton1 = new TRowRadioButton(ACaption, this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    // Each button sits alone in its row; the rows, not Qt's grouping, keep the choice exclusive.
    RadioButton1->setAutoExclusive(false);
    layout->addSpacing(3);
    layout->addWidget(Image1);
    layout->addSpacing(6);
    layout->addWidget(RadioButton1, 1);
    layout->addSpacing(3);
    connect(RadioButton1, &QRadioButton::clicked, this, &TfrIcon::RadioButton1Click);
}

bool TfrIcon::Selected() const
{
    return RadioButton1->isChecked();
}

QString TfrIcon::Caption() const
{
    return RadioButton1->text();
}

void TfrIcon::SetSelected(bool Value)
{
    RadioButton1->setChecked(Value);
    if (FUpdate || !parentWidget())
        return;
    for (QObject* sibling : parentWidget()->children()) {
        auto* row = qobject_cast<TfrIcon*>(sibling);
        if (!row || row == this)
            continue;
        row->BeginUpdate();
        try {
            row->SetSelected(false);
        } catch (...) {
            row->EndUpdate();
            throw;
        }
        row->EndUpdate();
    }
}

void TfrIcon::RadioButton1Click()
{
    SetSelected(true);
}
