#include "VxStdControls.h"

#include "Screen.h"
#include "StockIcons.h"
#include "VxProgressBarEx.h"

#include <QPixmap>

TButton::TButton(QWidget* Parent) : QPushButton(Parent)
{
    setAutoDefault(false);
}

void TButton::SetElevationRequired(bool Value)
{
    if (FElevationRequired == Value)
        return;
    FElevationRequired = Value;
    const int size = MulDiv(16, PixelsPerInch(), 96);
    setIcon(Value ? QIcon(QPixmap::fromImage(LoadStockIcon(StockIconShield, size))) : QIcon());
    setIconSize(QSize(size, size));
}

TMemo::TMemo(QWidget* Parent) : QPlainTextEdit(Parent) {}

TRadioButton::TRadioButton(QWidget* Parent) : QRadioButton(Parent) {}

TRadioGroup::TRadioGroup(QWidget* Parent) : QGroupBox(Parent) {}

void TRadioGroup::SetColumns(int Value)
{
    FColumns = qMax(1, Value);
    Arrange();
}

int TRadioGroup::AddItem(const QString& Caption)
{
    auto* button = new QRadioButton(Caption, this);
    connect(button, &QRadioButton::clicked, this, [this] {
        if (OnClick)
            OnClick();
    });
    FButtons.append(button);
    button->show();
    Arrange();
    return int(FButtons.size()) - 1;
}

QRadioButton* TRadioGroup::Buttons(int Index) const
{
    return Index >= 0 && Index < FButtons.size() ? FButtons.at(Index) : nullptr;
}

int TRadioGroup::ItemIndex() const
{
    for (int i = 0; i < FButtons.size(); ++i)
        if (FButtons.at(i)->isChecked())
            return i;
    return -1;
}

void TRadioGroup::SetItemIndex(int Value)
{
    if (QRadioButton* button = Buttons(Value)) {
        button->setChecked(true);
        return;
    }
    // No item: uncheck all, which an exclusive group only allows with exclusivity off.
    for (QRadioButton* button : std::as_const(FButtons)) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

void TRadioGroup::resizeEvent(QResizeEvent* Event)
{
    QGroupBox::resizeEvent(Event);
    Arrange();
}

// The platform's radio group: items fill the columns top to bottom, rows share the inner height.
int TRadioGroup::ItemsWidth()
{
    ensurePolished();
    const int columns = qMax(1, qMin(FColumns, int(FButtons.size())));
    int widest = 0;
    for (QRadioButton* button : FButtons)
        widest = qMax(widest, button->sizeHint().width());
    // The frame and the insets Arrange leaves around the columns.
    const int frame = width() - contentsRect().width();
    return columns * widest + MulDiv(8, PixelsPerInch(), 96) + 4 + frame;
}

void TRadioGroup::Arrange()
{
    const int n = int(FButtons.size());
    if (n == 0)
        return;
    const int columns = qMin(FColumns, n);
    const int rows = (n + columns - 1) / columns;
    const QRect inner = contentsRect().adjusted(MulDiv(8, PixelsPerInch(), 96), fontMetrics().height() / 2, -4, -2);
    const int columnWidth = inner.width() / columns;
    const int rowHeight = qMax(1, inner.height() / rows);
    for (int i = 0; i < n; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        const int h = FButtons.at(i)->sizeHint().height();
        FButtons.at(i)->setGeometry(inner.left() + column * columnWidth, inner.top() + row * rowHeight + (rowHeight - h) / 2,
                                    columnWidth, h);
    }
}

TProgressBar::TProgressBar(QWidget* Parent) : QProgressBar(Parent)
{
    setTextVisible(false);
}

void TProgressBar::SetMarquee(bool Value)
{
    FMarquee = Value;
    if (Value)
        setRange(0, 0);
}

void TProgressBar::paintEvent(QPaintEvent* Event)
{
    if (!PaintEmptyRightToLeftProgressBar(*this))
        QProgressBar::paintEvent(Event);
}
