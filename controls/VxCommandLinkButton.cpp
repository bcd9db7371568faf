#include "VxCommandLinkButton.h"

#include "private/CommandLinkAccessible_p.h"
#include "private/CommandLinkArt_p.h"
#include "private/ReadableText_p.h"

#include "DrawText.h"
#include "TextContrast.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// What the caption and the note of a command link stand on in a state: the surface Paint and
// DrawHotFrame leave there (a gradient's two ends, or one colour and clNone).
std::pair<TColor, TColor> CommandLinkTextBackground(TVxButtonStyle Style, const TVxCommandLinkColorSet& Colors,
                                                    TColor ButtonColor, const TVxCommandLinkState& State)
{
    if (Style == vxbClassic)
        return {clBtnFace, clNone}; // the style's button bevel
    if (State.Enabled && State.Hot) {
        const TVxCommandLinkLook look =
            CommandLinkNativeLook(State, Colors, ButtonColor, StyleServicesEnabled() && CustomStyleActive());
        if (State.Pressed || look.HotLine != clNone)
            return {look.BackgroundStart, look.BackgroundEnd};
    }
    const TColor brush = Style == vxbNative ? (Colors.Enabled ? Colors.Color : ButtonColor) : clBtnFace;
    if (!Colors.Enabled)
        return {brush, clNone};
    auto orBrush = [&](TColor C) { return C == clNone ? brush : C; };
    return {orBrush(Colors.GradientStart), orBrush(Colors.GradientEnd)};
}

constexpr int BuiltInGlyphSize = 16;

// A rounded frame as the platform's RoundRect draws it with a small corner ellipse: the edges
// of R, shortened by Cut at each corner, and the corner pixels on the diagonal inside the cut.
void DrawRoundFrame(QPainter& Canvas, const QRect& R, int Cut, TColor Color)
{
    if (Color == clNone || R.width() < 2 || R.height() < 2)
        return;
    Canvas.save();
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    Canvas.setPen(QPen(ToQColor(Color), 1));
    Canvas.setBrush(Qt::NoBrush);
    const int l = R.left(), t = R.top(), r = R.right(), b = R.bottom();
    Canvas.drawLine(l + Cut, t, r - Cut, t);
    Canvas.drawLine(l + Cut, b, r - Cut, b);
    Canvas.drawLine(l, t + Cut, l, b - Cut);
    Canvas.drawLine(r, t + Cut, r, b - Cut);
    for (int i = 1; i < Cut; ++i) {
        const int j = Cut - i;
        Canvas.drawPoint(l + i, t + j);
        Canvas.drawPoint(r - i, t + j);
        Canvas.drawPoint(l + i, b - j);
        Canvas.drawPoint(r - i, b - j);
    }
    Canvas.restore();
}

void FillVertical(QPainter& Canvas, const QRect& R, TColor Start, TColor End)
{
    if (R.isEmpty())
        return;
    if (Start == End) {
        Canvas.fillRect(R, ToQColor(Start));
        return;
    }
    QLinearGradient gradient(QPointF(0, R.top()), QPointF(0, R.top() + R.height()));
    gradient.setColorAt(0, ToQColor(Start));
    gradient.setColorAt(1, ToQColor(End));
    Canvas.fillRect(R, gradient);
}

// Glyphs and pictures are drawn transparent: a bitmap loses the colour of its bottom-left pixel.
QImage TransparentImage(const TGraphic& Graphic)
{
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&Graphic); bitmap && !bitmap->Transparent()) {
        TBitmap copy(*bitmap);
        copy.SetTransparent(true);
        return copy.DrawImage();
    }
    return Graphic.DrawImage();
}

bool ReadKeyboardCues()
{
    // Whether the desktop underlines accelerators all the time (the keyboard-cue setting).
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    return QApplication::style()->styleHint(QStyle::SH_UnderlineShortcut) != 0;
}

} // namespace

TVxCustomCommandLinkButton::TVxCustomCommandLinkButton(QWidget* Parent)
    : QWidget(Parent), FBackground(clNone, nullptr, TRect{}, true, false)
{
    InstallCommandLinkAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);

    FGlyph = std::make_unique<TPicture>();
    FGlyph->OnChange = TNotifyEvent([this](TObject*) {
        FGlyphIsShield = false;
        ContentChanged();
    });
    LoadGlyphs();
    FPicture = std::make_unique<TPicture>();
    FPicture->OnChange = TNotifyEvent([this](TObject*) { ContentChanged(); });
    FInfo = std::make_unique<TStringList>();
    FInfo->OnChange = TNotifyEvent([this](TObject*) {
        ContentChanged();
        if (QAccessible::isActive()) {
            QAccessibleEvent event(this, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&event);
        }
    });
    InitFonts();
    FShowHotKey = ReadKeyboardCues();
}

TVxCustomCommandLinkButton::~TVxCustomCommandLinkButton()
{
    // The handlers reach into the button; nothing may call them while it goes.
    FGlyph->OnChange.Clear();
    FPicture->OnChange.Clear();
    FInfo->OnChange.Clear();
    FFont.OnChange.Clear();
    FInfoFont.OnChange.Clear();
}

void TVxCustomCommandLinkButton::LoadGlyphs()
{
    auto load = [](TVxCommandLinkArrow Arrow) {
        auto icon = std::make_unique<TIcon>();
        icon->SetImage(CommandLinkArrowImage(Arrow, BuiltInGlyphSize));
        return icon;
    };
    FColdGlyph = load(claCold);
    FHotGlyph = load(claHot);
    FDownGlyph = load(claDown);
    FDisabledGlyph = load(claDisabled);
}

void TVxCustomCommandLinkButton::InitFonts()
{
    FInfoFont.OnChange = TNotifyEvent([this](TObject*) { ContentChanged(); });
    FFont.OnChange = TNotifyEvent([this](TObject*) { ContentChanged(); });
    // The desktop's message font, where the toolkit can tell it.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        if (!family.isEmpty()) {
            FFont.SetName(family);
            FInfoFont.SetName(family);
        }
    }
    FFont.SetSize(12);
    FInfoFont.SetSize(9);
    FFont.SetColor(CommandLinkTextColor);
    FInfoFont.SetColor(CommandLinkTextColor);
    QWidget::setFont(FFont.ToQFont());
}

void TVxCustomCommandLinkButton::ColorsChanged() { update(); }

void TVxCustomCommandLinkButton::ContentChanged()
{
    AdjustBounds();
    update();
}

// ---- setters

void TVxCustomCommandLinkButton::SetCaption(const QString& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    UpdateShortcut();
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void TVxCustomCommandLinkButton::SetInfo(const TStrings& Value)
{
    if (FInfo->Text() == Value.Text())
        return;
    FInfo->Assign(&Value); // the change handler adjusts and repaints
}

void TVxCustomCommandLinkButton::SetInfo(const QString& Value)
{
    TStringList lines;
    lines.SetText(Value);
    SetInfo(lines);
}

void TVxCustomCommandLinkButton::SetFont(const TFont& Value)
{
    // Assigning a font always re-measures, even when nothing differs, as a font change does.
    const TNotifyEvent handler = FFont.OnChange;
    FFont.OnChange.Clear();
    FFont.Assign(&Value);
    FFont.OnChange = handler;
    QWidget::setFont(FFont.ToQFont());
    ContentChanged();
}

void TVxCustomCommandLinkButton::SetInfoFont(const TFont& Value)
{
    FInfoFont.Assign(&Value);
    update();
}

void TVxCustomCommandLinkButton::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    update();
}

void TVxCustomCommandLinkButton::SetCommandLinkColors(const TVxCommandLinkColorSet& Value)
{
    FCommandLinkColors = Value;
    update();
}

void TVxCustomCommandLinkButton::SetCommandLinkColor(TColor Value)
{
    if (Value == FCommandLinkColors.Color)
        return;
    SetColor(Value);
    FCommandLinkColors.Color = Value;
    ColorsChanged();
}

void TVxCustomCommandLinkButton::SetGlyph(const TPicture& Value) { SetGlyph(Value.Graphic()); }

void TVxCustomCommandLinkButton::SetGlyph(const TGraphic* Value)
{
    FGlyph->OnChange.Clear();
    FGlyph->SetGraphic(Value);
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGlyph->Graphic()); bitmap && !bitmap->Empty())
        bitmap->SetTransparent(true);
    FGlyph->OnChange = TNotifyEvent([this](TObject*) {
        FGlyphIsShield = false;
        ContentChanged();
    });
    FGlyphIsShield = false;
    ContentChanged();
}

void TVxCustomCommandLinkButton::SetGlyphImages(TVxImageList* Value)
{
    if (Value == FGlyphImages)
        return;
    if (FGlyphImages)
        disconnect(FGlyphImages, nullptr, this, nullptr);
    FGlyphImages = Value; // a QPointer: cleared when the list is destroyed
    if (Value)
        connect(Value, &TVxImageList::changed, this, qOverload<>(&QWidget::update));
}

void TVxCustomCommandLinkButton::SetGlyphIndex(int Value)
{
    if (Value == FGlyphIndex)
        return;
    FGlyphIndex = Value;
    update();
}

void TVxCustomCommandLinkButton::SetPicture(const TPicture& Value) { FPicture->Assign(&Value); }

void TVxCustomCommandLinkButton::SetPicture(const TGraphic* Value) { FPicture->SetGraphic(Value); }

void TVxCustomCommandLinkButton::SetPictureImages(TVxImageList* Value)
{
    if (Value == FPictureImages)
        return;
    if (FPictureImages)
        disconnect(FPictureImages, nullptr, this, nullptr);
    FPictureImages = Value;
    if (Value)
        connect(Value, &TVxImageList::changed, this, qOverload<>(&QWidget::update));
}

void TVxCustomCommandLinkButton::SetPictureIndex(int Value)
{
    if (Value == FPictureIndex)
        return;
    FPictureIndex = Value;
    update();
}

void TVxCustomCommandLinkButton::SetShowIcon(bool Value)
{
    if (Value == FShowIcon)
        return;
    FShowIcon = Value;
    update();
}

void TVxCustomCommandLinkButton::SetElevationRequired(bool Value)
{
    if (Value == FElevationRequired)
        return;
    FElevationRequired = Value;
    if (Value) {
        TBitmap shield;
        shield.SetImage(CommandLinkShieldImage(BuiltInGlyphSize));
        FGlyph->SetGraphic(&shield);
        FGlyphIsShield = true;
    } else {
        FGlyph->Clear();
    }
    update();
}

void TVxCustomCommandLinkButton::SetDefault(bool Value)
{
    if (Value == FDefault)
        return;
    FDefault = Value;
    update();
}

void TVxCustomCommandLinkButton::SetDefaultHeight(int Value)
{
    if (Value == FDefaultHeight)
        return;
    FDefaultHeight = Value;
    AdjustBounds();
}

void TVxCustomCommandLinkButton::SetStyle(TVxButtonStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    UpdateRegion();
    update();
}

void TVxCustomCommandLinkButton::SetShowHotKey(bool Value)
{
    if (Value == FShowHotKey)
        return;
    FShowHotKey = Value;
    update();
}

void TVxCustomCommandLinkButton::SetAutoSize(bool Value)
{
    if (Value != FAutoSize)
        FAutoSize = Value;
    AdjustBounds();
    update();
}

void TVxCustomCommandLinkButton::SetBiDiMode(TBiDiMode Value)
{
    if (Value == FBiDiMode)
        return;
    FBiDiMode = Value;
    update();
}

void TVxCustomCommandLinkButton::SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus); }

void TVxCustomCommandLinkButton::SetMouseInControl(bool Value)
{
    if (Value == FMouseInControl)
        return;
    FMouseInControl = Value;
    update();
}

// ---- geometry

bool TVxCustomCommandLinkButton::HasGlyph() const
{
    return !FGlyph->Empty() || (FGlyphIndex != -1 && FGlyphImages);
}

QSize TVxCustomCommandLinkButton::GetGlyphSize() const
{
    if (!FGlyph->Empty())
        return QSize(FGlyph->Width(), FGlyph->Height());
    if (FGlyphImages)
        return FGlyphImages->Size();
    return QSize(BuiltInGlyphSize, BuiltInGlyphSize);
}

bool TVxCustomCommandLinkButton::HasPicture() const
{
    return !FPicture->Empty() || (FPictureIndex >= 0 && FPictureImages);
}

QSize TVxCustomCommandLinkButton::GetPictureSize() const
{
    if (!FPicture->Empty())
        return QSize(FPicture->Width(), FPicture->Height());
    if (FPictureImages)
        return FPictureImages->Size();
    return QSize(0, 0);
}

TVxCommandLinkMetrics TVxCustomCommandLinkButton::Metrics() const
{
    TVxCommandLinkMetrics m;
    m.Caption = FCaption;
    m.InfoText = GetInfoText();
    // The texts' width-independent measurements are kept while the texts and fonts stay.
    if (!FInfoMeasure || !FInfoMeasure->Measures(m.InfoText, FInfoFont))
        FInfoMeasure = std::make_shared<TVxCaptionMeasure>(m.InfoText, FInfoFont);
    m.InfoMeasure = FInfoMeasure;
    if (!FCaptionExtents || !FCaptionExtents->Measures(FCaption, FFont))
        FCaptionExtents = std::make_shared<TVxCommandLinkCaptionExtents>(FCaption, FFont);
    m.CaptionExtents = FCaptionExtents;
    m.Font = FFont;
    m.InfoFont = FInfoFont;
    m.ShowIcon = FShowIcon;
    m.HasGlyph = HasGlyph();
    m.GlyphSize = GetGlyphSize();
    m.HasPicture = HasPicture();
    m.PictureSize = GetPictureSize();
    m.BiDiMode = FBiDiMode;
    m.AutoSize = FAutoSize;
    m.Width = width();
    m.Height = height();
    return m;
}

int TVxCustomCommandLinkButton::GetInfoIndent() const { return TVxCommandLinkLayout(Metrics()).InfoIndent(); }

int TVxCustomCommandLinkButton::MinimumWidth() const { return TVxCommandLinkLayout(Metrics()).MinimumWidth(); }

TRect TVxCustomCommandLinkButton::GetPartRect(int Part) const { return TVxCommandLinkLayout(Metrics()).PartRect(Part); }

QString TVxCustomCommandLinkButton::GetInfoText() const { return FInfo->Text().trimmed(); }

void TVxCustomCommandLinkButton::AdjustBounds()
{
    if (FLoading)
        return;
    const QSize size = TVxCommandLinkLayout(Metrics()).AdjustedSize();
    if (size != this->size())
        SetBounds(x(), y(), size.width(), size.height());
}

void TVxCustomCommandLinkButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, AWidth, AHeight);
    UpdateRegion();
}

void TVxCustomCommandLinkButton::Loaded()
{
    FLoading = false;
    AdjustBounds();
}

QSize TVxCustomCommandLinkButton::sizeHint() const
{
    TVxCommandLinkMetrics m = Metrics();
    m.Width = qMax(m.Width, TVxCommandLinkLayout(m).MinimumWidth());
    return TVxCommandLinkLayout(m).AdjustedSize();
}

void TVxCustomCommandLinkButton::UpdateRegion()
{
    if (!parentWidget())
        return;
    if (FStyle != vxbNative || width() < 3 || height() < 3) {
        clearMask();
        return;
    }
    // The rounded window of the native look: the corner pixels are cut off.
    QRegion region(rect());
    const int r = width() - 1, b = height() - 1;
    for (const QPoint& p : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
        region -= QRegion(p.x(), p.y(), 1, 1);
    setMask(region);
}

// ---- painting

TVxCommandLinkState TVxCustomCommandLinkButton::State() const
{
    TVxCommandLinkState s;
    s.Enabled = isEnabled();
    s.Hot = FMouseInControl;
    s.Pressed = FMouseButtonPressed;
    s.DefaultFrame = ShowsDefaultFrame();
    return s;
}

bool TVxCustomCommandLinkButton::ShowsDefaultFrame() const
{
    const QWidget* active = window() ? window()->focusWidget() : nullptr;
    if (FDefault && active && active != this && !qobject_cast<const TVxCustomCommandLinkButton*>(active))
        return true;
    if (FDefault && active != this)
        return false;
    return (FDefault && !FMouseButtonPressed) || hasFocus();
}

void TVxCustomCommandLinkButton::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    Paint(canvas);
}

void TVxCustomCommandLinkButton::Paint(QPainter& Canvas)
{
    const QRect r = rect();
    const TVxCommandLinkColorSet& set = FCommandLinkColors;
    const TColor brush = FStyle == vxbNative ? (set.Enabled ? set.Color : FColor) : clBtnFace;
    if (set.Enabled) {
        auto orBrush = [&](TColor C) { return C == clNone ? brush : C; };
        FillVertical(Canvas, r, orBrush(set.GradientStart), orBrush(set.GradientEnd));
    } else {
        Canvas.fillRect(r, ToQColor(brush));
    }

    if (isEnabled() && FMouseInControl)
        DrawHotFrame(Canvas, r);
    else if (ShowsDefaultFrame())
        DrawDefaultFrame(Canvas, r);
    else if (FStyle == vxbClassic)
        DrawHotFrame(Canvas, r);

    Canvas.save();
    if (FStyle == vxbClassic && FMouseButtonPressed)
        Canvas.translate(1, 1);
    if (FShowIcon)
        DrawGlyph(Canvas, GetPartRect(clpGlyph));
    DrawCaption(Canvas, GetPartRect(clpCaption));
    DrawInfo(Canvas, GetPartRect(clpInfo));
    if (HasPicture())
        DrawPicture(Canvas, GetPartRect(clpPicture));
    Canvas.restore();
    if (hasFocus())
        DrawFocus(Canvas, GetPartRect(clpFocus));
}

void TVxCustomCommandLinkButton::DrawHotFrame(QPainter& Canvas, const QRect& R)
{
    if (FStyle == vxbClassic) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = R;
        option.state |= FMouseButtonPressed ? QStyle::State_Sunken : QStyle::State_Raised;
        if (FMouseInControl)
            option.state |= QStyle::State_MouseOver;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &Canvas, this);
        return;
    }
    TVxCommandLinkState s = State();
    s.Hot = true; // the frame of the mouse-over look
    const TVxCommandLinkLook look =
        CommandLinkNativeLook(s, FCommandLinkColors, FColor, StyleServicesEnabled() && CustomStyleActive());
    if (isEnabled() && FMouseButtonPressed) {
        FillVertical(Canvas, R, look.BackgroundStart, look.BackgroundEnd);
        const TRect focus = GetPartRect(clpFocus);
        Canvas.save();
        Canvas.setPen(QPen(ToQColor(look.Brush), 1));
        Canvas.setBrush(Qt::NoBrush);
        Canvas.drawRect(QRect(focus.Left, focus.Top, focus.Width() - 1, focus.Height() - 1));
        Canvas.restore();
    } else if (isEnabled() && FMouseInControl) {
        if (look.HotLine != clNone) {
            FillVertical(Canvas, R.adjusted(0, 0, 0, -1), look.BackgroundStart, look.BackgroundEnd);
            const int y = R.top() + R.height() - 2;
            Canvas.fillRect(QRect(R.left(), y, R.width(), 1), ToQColor(look.HotLine));
        }
    }
    DrawRoundFrame(Canvas, R, 1, look.BorderOuter);
    DrawRoundFrame(Canvas, R, 2, look.BorderInner);
}

void TVxCustomCommandLinkButton::DrawDefaultFrame(QPainter& Canvas, const QRect& R)
{
    if (FStyle == vxbClassic) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = R;
        option.state |= QStyle::State_Raised | QStyle::State_MouseOver;
        option.features |= QStyleOptionButton::DefaultButton;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &Canvas, this);
        return;
    }
    const TColor outer = FCommandLinkColors.DefaultBorderOuter;
    const TColor inner = FCommandLinkColors.DefaultBorderInner == clNone ? outer : FCommandLinkColors.DefaultBorderInner;
    DrawRoundFrame(Canvas, R, 1, outer);
    DrawRoundFrame(Canvas, R, 2, inner);
}

void TVxCustomCommandLinkButton::DrawCaption(QPainter& Canvas, const TRect& R)
{
    const auto [background, background2] = CommandLinkTextBackground(FStyle, FCommandLinkColors, FColor, State());
    TFont font = FFont;
    font.SetColor(TextColorOn(CommandLinkTextColorFor(State(), FCommandLinkColors), background, background2));
    // Without the underline the markers go, and what remains is drawn as it reads.
    const QString text = FShowHotKey ? FCaption : StripHotkey(FCaption);
    uint flags = DT_SINGLELINE | DT_EXPANDTABS;
    if (!FShowHotKey)
        flags |= DT_NOPREFIX;
    QRect rect = R.ToQRect();
    DrawThemedText(&Canvas, text, font, rect, DrawTextBiDiModeFlags(flags), background, background2);
}

void TVxCustomCommandLinkButton::DrawInfo(QPainter& Canvas, const TRect& R)
{
    const QString text = GetInfoText();
    if (text.isEmpty())
        return;
    const auto [background, background2] = CommandLinkTextBackground(FStyle, FCommandLinkColors, FColor, State());
    TFont font = FInfoFont;
    font.SetColor(TextColorOn(CommandLinkTextColorFor(State(), FCommandLinkColors), background, background2));
    // The caption's buffer stays transparent where no text is, so the info text shows on the
    // button's own surface (hot, pressed or plain) in every scale and offset.
    FBackground.CopyRect = TRect{};
    TVxCaption::PaintCaption(&Canvas, text, &FBackground, font, TVxCaption::TranslateRect(R), this, FBiDiMode);
}

void TVxCustomCommandLinkButton::DrawImageAt(QPainter& Canvas, const QPoint& At, const QImage& Image) const
{
    if (!Image.isNull())
        Canvas.drawImage(At, Image);
}

void TVxCustomCommandLinkButton::DrawGlyph(QPainter& Canvas, const TRect& R)
{
    const qreal scale = devicePixelRatioF();
    const QPoint at(R.Left, R.Top);
    if (HasGlyph()) {
        if (!FGlyph->Empty()) {
            if (FGlyphIsShield) {
                const int side = FGlyph->Width();
                QImage image = CommandLinkShieldImage(qRound(side * scale));
                image.setDevicePixelRatio(scale);
                DrawImageAt(Canvas, at, image);
            } else {
                DrawImageAt(Canvas, at, TransparentImage(*FGlyph->Graphic()));
            }
        } else if (FGlyphImages) {
            FGlyphImages->Draw(Canvas, at.x(), at.y(), FGlyphIndex, isEnabled());
        }
        return;
    }
    TVxCommandLinkArrow arrow = claCold;
    if (!isEnabled())
        arrow = claDisabled;
    else if (FMouseInControl)
        arrow = FMouseButtonPressed ? claDown : claHot;
    QImage image = CommandLinkArrowImage(arrow, qRound(BuiltInGlyphSize * scale));
    // The arrow points the way the text reads.
    if (FBiDiMode != bdLeftToRight)
        image = image.mirrored(true, false);
    image.setDevicePixelRatio(scale);
    DrawImageAt(Canvas, at, image);
}

void TVxCustomCommandLinkButton::DrawPicture(QPainter& Canvas, const TRect& R)
{
    if (!FPicture->Empty())
        DrawImageAt(Canvas, QPoint(R.Left, R.Top), TransparentImage(*FPicture->Graphic()));
    else if (FPictureImages)
        FPictureImages->Draw(Canvas, R.Left, R.Top, FPictureIndex, isEnabled());
}

void TVxCustomCommandLinkButton::DrawFocus(QPainter& Canvas, const TRect& R)
{
    if (!isEnabled() || R.IsEmpty())
        return;
    // The platform's focus rectangle: every other pixel of the outline, in black.
    Canvas.save();
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    Canvas.setPen(QPen(Qt::black, 1));
    QList<QPoint> dots;
    const int l = R.Left, t = R.Top, r = R.Right - 1, b = R.Bottom - 1;
    for (int x = l; x <= r; x += 2) {
        dots << QPoint(x, t);
        if (b != t)
            dots << QPoint(x, b);
    }
    for (int y = t + 2; y < b; y += 2) {
        dots << QPoint(l, y);
        if (r != l)
            dots << QPoint(r, y);
    }
    Canvas.drawPoints(dots.constData(), int(dots.size()));
    Canvas.restore();
}

// ---- input

void TVxCustomCommandLinkButton::Click()
{
    OnClick(this);
    emit clicked();
}

bool TVxCustomCommandLinkButton::DialogChar(QChar Key)
{
    const QWidget* active = window() ? window()->focusWidget() : nullptr;
    bool handled = false;
    if (Key == QLatin1Char('\r') || Key == QLatin1Char('\n'))
        handled = FDefault && (hasFocus() || !active);
    else if (Key == QChar(0x1B))
        handled = FCancel;
    else
        handled = !Key.isNull() && IsAccel(Key, FCaption);
    // A button that cannot take the focus leaves the character to the others.
    if (!handled || !isEnabled() || !isVisible())
        return false;
    setFocus(Qt::ShortcutFocusReason);
    if (hasFocus())
        Click();
    return true;
}

void TVxCustomCommandLinkButton::UpdateShortcut()
{
    if (FShortcutId) {
        releaseShortcut(FShortcutId);
        FShortcutId = 0;
    }
    const QKeySequence mnemonic = QKeySequence::mnemonic(FCaption);
    if (!mnemonic.isEmpty())
        FShortcutId = grabShortcut(mnemonic);
}

bool TVxCustomCommandLinkButton::event(QEvent* Event)
{
    if (Event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(Event);
        if (shortcut->shortcutId() == FShortcutId && FShortcutId != 0) {
            // Several buttons with one accelerator: the key moves the focus among them instead of
            // clicking one.
            if (shortcut->isAmbiguous())
                setFocus(Qt::ShortcutFocusReason);
            else
                DialogChar(GetHotkey(FCaption));
            return true;
        }
    } else if (Event->type() == QEvent::ParentChange) {
        UpdateRegion();
    }
    return QWidget::event(Event);
}

void TVxCustomCommandLinkButton::keyPressEvent(QKeyEvent* Event)
{
    const Qt::KeyboardModifiers shifts =
        Event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool enter = Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter;
    const bool space = Event->key() == Qt::Key_Space;
    if (!Event->isAutoRepeat()) {
        FProcessEnter = enter && shifts == Qt::NoModifier;
        FProcessSpace = space && shifts == Qt::NoModifier;
    }
    if ((enter || space) && shifts == Qt::NoModifier) {
        Event->accept();
        return;
    }
    QWidget::keyPressEvent(Event);
}

void TVxCustomCommandLinkButton::keyReleaseEvent(QKeyEvent* Event)
{
    if (Event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(Event);
        return;
    }
    const bool enter = Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter;
    const bool space = Event->key() == Qt::Key_Space;
    if ((space && FProcessSpace) || (enter && FProcessEnter)) {
        FProcessSpace = FProcessEnter = false;
        Event->accept();
        Click();
        return;
    }
    QWidget::keyReleaseEvent(Event);
}

void TVxCustomCommandLinkButton::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton && isEnabled()) {
        FMouseButtonPressed = true;
        setFocus(Qt::MouseFocusReason);
        update();
    }
    Event->accept();
}

void TVxCustomCommandLinkButton::mouseMoveEvent(QMouseEvent* Event)
{
    // While the button is held the mouse belongs to it; leaving and coming back shows as hot.
    if (FMouseButtonPressed)
        SetMouseInControl(rect().contains(Event->position().toPoint()));
    QWidget::mouseMoveEvent(Event);
}

void TVxCustomCommandLinkButton::mouseReleaseEvent(QMouseEvent* Event)
{
    if (!isEnabled()) {
        QWidget::mouseReleaseEvent(Event);
        return;
    }
    const bool wasPressed = FMouseButtonPressed;
    FMouseButtonPressed = false;
    update();
    Event->accept();
    if (Event->button() == Qt::LeftButton && wasPressed && rect().contains(Event->position().toPoint()))
        Click();
}

void TVxCustomCommandLinkButton::enterEvent(QEnterEvent* Event)
{
    QWidget::enterEvent(Event);
    SetMouseInControl(true);
}

void TVxCustomCommandLinkButton::leaveEvent(QEvent* Event)
{
    QWidget::leaveEvent(Event);
    SetMouseInControl(false);
}

void TVxCustomCommandLinkButton::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    UpdateRegion();
    update();
}

void TVxCustomCommandLinkButton::focusInEvent(QFocusEvent* Event)
{
    QWidget::focusInEvent(Event);
    update();
}

void TVxCustomCommandLinkButton::focusOutEvent(QFocusEvent* Event)
{
    QWidget::focusOutEvent(Event);
    update();
}

void TVxCustomCommandLinkButton::changeEvent(QEvent* Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            FMouseButtonPressed = false;
        update();
    }
}
