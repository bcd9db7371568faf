#include "VxSelectIconForm.h"

#include "DesignerFonts.h"
#include "VxIconFrame.h"
#include "private/AsciiText.h"
#include "private/StockIconSource.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

TfrmSelectIcon::TfrmSelectIcon(QWidget* AOwner) : QDialog(AOwner)
{
    setObjectName(QStringLiteral("frmSelectIcon"));
    setWindowTitle(QStringLiteral("Select Icon"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(DesignerFont(QStringLiteral("Tahoma"), 11));
    resize(398, 313);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FRowHost = new QWidget;
    FRowHost->setObjectName(QStringLiteral("Rows"));
    FRowHost->setBackgroundRole(QPalette::Window);
    FRowLayout = new QVBoxLayout(FRowHost);
    FRowLayout->setContentsMargins(0, 0, 0, 0);
    FRowLayout->setSpacing(0);
    FRowLayout->addStretch(1);
    ScrollBox1->setWidget(FRowHost);

    bOK = new QPushButton(QStringLiteral("OK"), this);
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setDefault(true);
    bOK->setAutoDefault(true);
    connect(bOK, &QPushButton::clicked, this, &QDialog::accept);
    bCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bCancel->setObjectName(QStringLiteral("bCancel"));
    bCancel->setAutoDefault(false);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
    ScrollBox1->setFocusPolicy(Qt::NoFocus); // the rows take the focus, not their frame

    AddIconFrame(QStringLiteral("None"), {});
    static const struct {
        const char* Caption;
        int Id;
    } stock[] = {{"Warning", 101}, {"Error", 103}, {"Information", 104}, {"Confirmation", 102}, {"Shield", 106}};
    for (const auto& row : stock)
        AddIconFrame(QLatin1String(row.Caption), StockIconPixmap(row.Id, 32));
    AddIconFrame(QStringLiteral("Custom"), {});

    // The keyboard walks the list as it reads, top to bottom, then the buttons; Up and Down move
    // the selection from row to row.
    const QList<TfrIcon*> shown = VisualRows();
    QWidget* previous = nullptr;
    for (TfrIcon* row : shown) {
        row->RadioButton1->installEventFilter(this);
        if (previous)
            setTabOrder(previous, row->RadioButton1);
        previous = row->RadioButton1;
    }
    setTabOrder(previous, bOK);
    setTabOrder(bOK, bCancel);

    // Small enough to shrink, large enough for the buttons and three whole rows of the widest
    // caption beside them.
    int rowWidth = 0;
    for (const TfrIcon* row : shown)
        rowWidth = qMax(rowWidth, row->minimumSizeHint().width());
    const int frame = 2 * ScrollBox1->frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
    setMinimumSize(8 + rowWidth + scrollBar + frame + 89, qMax(8 + 3 * 38 + frame + 8, 39 + 25 + 8));
}

QList<TfrIcon*> TfrmSelectIcon::VisualRows() const
{
    // Rows are added above the ones already there.
    QList<TfrIcon*> rows(FRows.crbegin(), FRows.crend());
    return rows;
}

void TfrmSelectIcon::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    // The first focus is shown as keyboard focus: on the selected row, else the top row.
    setAttribute(Qt::WA_KeyboardFocusChange);
    const QList<TfrIcon*> rows = VisualRows();
    TfrIcon* start = rows.isEmpty() ? nullptr : rows.first();
    for (TfrIcon* row : rows)
        if (row->Selected())
            start = row;
    if (start) {
        start->RadioButton1->setFocus(Qt::TabFocusReason);
        ScrollBox1->ensureWidgetVisible(start);
    }
}

bool TfrmSelectIcon::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const QList<TfrIcon*> rows = VisualRows();
            for (qsizetype i = 0; i < rows.size(); ++i) {
                if (rows[i]->RadioButton1 != Watched)
                    continue;
                const qsizetype next = key == Qt::Key_Up ? i - 1 : i + 1;
                if (next >= 0 && next < rows.size()) {
                    rows[next]->SetSelected(true);
                    rows[next]->RadioButton1->setFocus(Qt::TabFocusReason);
                    ScrollBox1->ensureWidgetVisible(rows[next]);
                }
                return true;
            }
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TfrmSelectIcon::AddIconFrame(const QString& ACaption, const QPixmap& AIcon)
{
    auto* row = new TfrIcon(FRowHost, ACaption, AIcon);
    FRows.append(row);
    row->setObjectName(QStringLiteral("IconFrame%1").arg(FRows.size()));
    // Top-aligned rows go above the ones already there.
    FRowLayout->insertWidget(0, row);
}

void TfrmSelectIcon::resizeEvent(QResizeEvent* Event)
{
    // Stored layout: the list follows all four sides, the buttons the top right corner.
    const int w = width(), h = height();
    ScrollBox1->setGeometry(8, 8, w - 8 - 89, h - 8 - 8);
    bOK->setGeometry(w - 83, 8, 75, 25);
    bCancel->setGeometry(w - 83, 39, 75, 25);
    QDialog::resizeEvent(Event);
}

QString TfrmSelectIcon::SelectedValue() const
{
    for (const TfrIcon* row : FRows)
        if (row->Selected())
            return row->Caption();
    return QStringLiteral("None");
}

void TfrmSelectIcon::SetSelectedValue(const QString& Value)
{
    TfrIcon* fallback = nullptr;
    bool any = false;
    for (TfrIcon* row : std::as_const(FRows)) {
        const QString caption = row->Caption();
        if (caption == QLatin1String("None"))
            fallback = row;
        const bool match = !caption.isEmpty() && !Value.isEmpty() && AsciiSameText(caption, Value);
        row->BeginUpdate();
        row->SetSelected(match);
        row->EndUpdate();
        any = any || match;
    }
    if (!any && fallback) {
        fallback->BeginUpdate();
        fallback->SetSelected(true);
        fallback->EndUpdate();
    }
}

bool TfrmSelectIcon::Execute(QWidget* AOwner, QString& AValue)
{
    TfrmSelectIcon form(AOwner);
    if (!AValue.isEmpty())
        form.SetSelectedValue(AValue);
    if (form.exec() != QDialog::Accepted)
        return false;
    AValue = form.SelectedValue();
    return true;
}
