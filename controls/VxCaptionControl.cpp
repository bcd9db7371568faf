#include "VxCaptionControl.h"

#include "private/CheckLabelAccessible_p.h"

#include "Shell.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

// ---- TVxPoint

const TClassInfo& TVxPoint::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TVxPoint>(QStringLiteral("TVxPoint"), nullptr)
                                       .Integer(QStringLiteral("X"), &TVxPoint::X, &TVxPoint::SetX, 0)
                                       .Integer(QStringLiteral("Y"), &TVxPoint::Y, &TVxPoint::SetY, 0)
                                       .Build();
    return info;
}

void TVxPoint::SetX(int Value)
{
    if (Value == FX)
        return;
    FX = Value;
    Changed();
}

void TVxPoint::SetY(int Value)
{
    if (Value == FY)
        return;
    FY = Value;
    Changed();
}

void TVxPoint::Assign(const TPersistent* Source)
{
    if (const auto* point = dynamic_cast<const TVxPoint*>(Source)) {
        FX = point->FX;
        FY = point->FY;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TVxPoint::Changed() { OnChange(this); }

// ---- TVxCustomCaptionControl

TVxCustomCaptionControl::TVxCustomCaptionControl(QWidget* Parent)
    : QWidget(Parent), FText(std::make_unique<TStringList>()), FBackground(clWindow, nullptr, TRect{}, true, false),
      FOffSet(std::make_unique<TVxPoint>())
{
    InstallCheckLabelAccessibility();
    FOffSet->OnChange = TNotifyEvent([this](TObject*) {
        if (FCaption)
            FCaption->SetOffSet(FOffSet->AsPoint());
        update();
    });
    FText->OnChange = TNotifyEvent([this](TObject*) { TextChanged(); });
    FLinkFont = FFont;
    FLinkFont.SetColor(clBlue);
    TFontStyles style = FLinkFont.Style();
    style.Include(fsUnderline);
    FLinkFont.SetStyle(style);
    FLinkFont.OnChange = TNotifyEvent([this](TObject*) { update(); });
    QWidget::setFont(FFont.ToQFont());
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TVxCustomCaptionControl::~TVxCustomCaptionControl() = default;

bool TVxCustomCaptionControl::HasLinks() const { return FCaption && FCaption->LinkRectCount() > 0; }

void TVxCustomCaptionControl::TextChanged()
{
    if (FAutoSize)
        AdjustHeight();
    update();
    if (FCaption)
        FCaption->SetCaption(FText->Text());
    NotifyCheckLabelStateChange(this, CheckLabelStateChange::Name);
}

void TVxCustomCaptionControl::SetText(const TStrings& Value)
{
    FText->Assign(&Value);
    if (FCaption)
        FCaption->SetCaption(FText->Text());
    update();
}

void TVxCustomCaptionControl::SetFont(const TFont& Value)
{
    FFont.Assign(&Value);
    QWidget::setFont(FFont.ToQFont());
    if (FAutoSize)
        AdjustHeight();
    update();
}

void TVxCustomCaptionControl::SetLinkFont(const TFont& Value)
{
    FLinkFont.Assign(&Value);
    update();
}

void TVxCustomCaptionControl::SetColor(TColor Value)
{
    FColor = Value;
    FBackground.Color = Value;
    update();
}

void TVxCustomCaptionControl::SetBackground(const TVxCaptionBackground& Value)
{
    FBackground = TVxCaptionBackground(Value.Color, &Value.Gradient, Value.CopyRect, Value.Buffered, false);
}

void TVxCustomCaptionControl::SetOffSet(const TVxPoint& Value)
{
    FOffSet->Assign(&Value);
    update();
}

void TVxCustomCaptionControl::SetTreatAsLink(bool Value)
{
    if (Value == FTreatAsLink)
        return;
    FTreatAsLink = Value;
    if (FAutoSize)
        AdjustHeight();
    update();
}

void TVxCustomCaptionControl::SetBiDiMode(TBiDiMode Value)
{
    if (Value == FBiDiMode)
        return;
    FBiDiMode = Value;
    // The reading direction is fixed when the caption parses; a new one starts a new caption.
    FCaption.reset();
    update();
}

void TVxCustomCaptionControl::AdjustHeight()
{
    const QString text = FText->Text();
    if (height() == 0 && width() > 0 && !text.isEmpty())
        resize(width(), TVxCaption::MinimumHeight(nullptr, text, FFont, width()));
}

void TVxCustomCaptionControl::DoLinkClick()
{
    bool handled = false;
    const QString link = FCaption ? FCaption->LinkInfo().Link : QString();
    if (OnLinkClick)
        OnLinkClick(this, link, handled);
    if (!handled)
        ShellOpen(link); // the shell's answer is not reported
}

void TVxCustomCaptionControl::paintEvent(QPaintEvent*)
{
    if (FCaption) {
        FCaption->SetBackground(FBackground);
    } else {
        FCaption = std::make_unique<TVxCaption>(nullptr, FText->Text(), FBackground, FFont, height(), qAbs(width()),
                                                FOffSet->AsPoint(), this, FBiDiMode);
    }
    // The setters lay the caption out again; it draws once, below.
    FCaption->SetFont(FFont);
    FCaption->SetLinkFont(FLinkFont);
    FCaption->SetHeight(height());
    FCaption->SetWidth(width());
    FCaption->SetTreatAsLink(FTreatAsLink);
    setFocusPolicy(HasLinks() ? Qt::TabFocus : Qt::NoFocus);

    QPainter painter(this);
    FCaption->SetCanvas(&painter);
    FCaption->Paint();
    FCaption->SetCanvas(nullptr);

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        for (const QRect& r : LinkFocusRects())
            painter.drawRect(r);
    }
}

QList<QRect> TVxCustomCaptionControl::LinkFocusRects() const
{
    // Inside the link's own rectangle: a frame grown past it would cross the neighbouring text.
    QList<QRect> result;
    for (int i = 0; FCaption && i < FCaption->LinkRectCount(); ++i) {
        const TRect r = FCaption->GetLinkRect(i);
        if (r.Width() > 1 && r.Height() > 1)
            result.append(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    }
    return result;
}

void TVxCustomCaptionControl::mouseMoveEvent(QMouseEvent* Event)
{
    QWidget::mouseMoveEvent(Event);
    if (!FCaption)
        return;
    const QPoint p = Event->position().toPoint();
    if (FTreatAsLink || FCaption->MouseInLink(p.x(), p.y()))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TVxCustomCaptionControl::mousePressEvent(QMouseEvent* Event)
{
    QWidget::mousePressEvent(Event);
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    update();
}

void TVxCustomCaptionControl::mouseReleaseEvent(QMouseEvent* Event)
{
    QWidget::mouseReleaseEvent(Event);
    if (Event->button() != Qt::LeftButton)
        return;
    const QPoint p = Event->position().toPoint();
    if (rect().contains(p))
        OnClick(this);
    if (FCaption && FCaption->MouseInLink(p.x(), p.y()))
        DoLinkClick();
}

void TVxCustomCaptionControl::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Space) {
        OnClick(this); // the keyboard never opens the link
        return;
    }
    QWidget::keyPressEvent(Event);
}

void TVxCustomCaptionControl::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    update();
}

void TVxCustomCaptionControl::focusInEvent(QFocusEvent* Event)
{
    QWidget::focusInEvent(Event);
    update();
}

void TVxCustomCaptionControl::focusOutEvent(QFocusEvent* Event)
{
    QWidget::focusOutEvent(Event);
    update();
}
