#include "VxSelectIconForm.h"

#include "DesignerFonts.h"
#include "VxIconFrame.h"
#include "private/AsciiText.h"
#include "private/StockIconSource.h"

#include <QPushButton>
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
    setTabOrder(ScrollBox1, bOK);
    setTabOrder(bOK, bCancel);

    AddIconFrame(QStringLiteral("None"), {});
    static const struct {
        const char* Caption;
        int Id;
    } stock[] = {{"Warning", 101}, {"Error", 103}, {"Information", 104}, {"Confirmation", 102}, {"Shield", 106}};
    for (const auto& row : stock)
        AddIconFrame(QLatin1String(row.Caption), StockIconPixmap(row.Id, 32));
    AddIconFrame(QStringLiteral("Custom"), {});
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
