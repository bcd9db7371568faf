#include "VxCaption.h"

#include "Screen.h"
#include "SysUtils.h"
#include "private/CaptionLayout_p.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QtMath>
#include <QPixmap>

namespace {

const QString NewLineMarker = QStringLiteral("<NEWLINE>");

// Lower case that keeps every character in place, so positions found in it index the caption.
QString LowerInPlace(const QString& S)
{
    QString L = S;
    for (QChar& c : L)
        c = c.toLower();
    return L;
}

// 1-based position of Sub in S at or after the 1-based position From; 0 when absent.
int Pos(const QString& Sub, const QString& S, int From = 1)
{
    return int(S.indexOf(Sub, From - 1)) + 1;
}

// Copy with the platform's 1-based index and its clamping of the count.
QString Copy(const QString& S, int Index, int Count)
{
    if (Count <= 0 || Index > S.size())
        return {};
    if (Index < 1) {
        Count += Index - 1;
        Index = 1;
        if (Count <= 0)
            return {};
    }
    return S.mid(Index - 1, Count);
}

void EmitPlain(QStringList& Segments, QString Text)
{
    Text.replace(QStringLiteral("\r\n"), NewLineMarker);
    if (!Text.contains(NewLineMarker)) {
        Segments.append(Text);
        return;
    }
    qsizetype at;
    while ((at = Text.indexOf(NewLineMarker)) >= 0) {
        if (at > 0)
            Segments.append(Text.left(at));
        Segments.append(NewLineMarker);
        Text.remove(0, at + NewLineMarker.size());
    }
    if (!Text.isEmpty())
        Segments.append(Text);
}

bool Before(int Pos, int Other) { return Other == 0 || Pos < Other; }

} // namespace

TVxCaptionBackground::TVxCaptionBackground(TColor AColor, const TVxCaptionGradient* AGradient, const TRect& ACopyRect,
                                           bool ABuffered, bool AAutoFree)
    : Color(AColor), CopyRect(ACopyRect), Buffered(ABuffered), FAutoFree(AAutoFree)
{
    if (AGradient)
        Gradient = *AGradient;
    else
        Gradient.Enabled = false;
}

uint DrawTextBiDiModeFlags(TBiDiMode Mode, uint Flags)
{
    uint result = Flags;
    if (Mode == bdRightToLeft) {
        if ((result & DT_RIGHT) == DT_RIGHT)
            result &= ~DT_RIGHT;
        else if ((result & DT_CENTER) != DT_CENTER)
            result |= DT_RIGHT;
    }
    if (Mode != bdLeftToRight)
        result |= DT_RTLREADING;
    return result;
}

int DrawThemedText(QPainter* DC, const QString& Text, const TFont& Font, QRect& Rect, uint Flags)
{
    if (DC && !(Flags & DT_CALCRECT)) {
        const TColor color = StyleServicesEnabled() ? clWindowText : Font.Color();
        DC->setPen(ToQColor(color));
    }
    return DrawText(DC, Font.ToQFont(), Text, Rect, Flags);
}

// ---- link rectangles

void TVxLinkRects::Add(const TRect& aRect)
{
    for (const auto& stored : FLinkRects) {
        const TRect& s = stored->FRect;
        if (s.Left == aRect.Left || s.Right == aRect.Right || s.Top == aRect.Top || s.Bottom == aRect.Bottom)
            return;
    }
    FLinkRects.push_back(std::make_unique<TVxLinkRect>(aRect));
}

const TVxLinkRect* TVxLinkRects::InLink(int X, int Y) const
{
    for (const auto& r : FLinkRects)
        if (r->FRect.Contains(X, Y))
            return r.get();
    return nullptr;
}

const TVxLinkRect& TVxLinkRects::GetItem(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("Invalid index"));
    return *FLinkRects[size_t(Index)];
}

void TVxLinkRects::SetItem(int Index, const TVxLinkRect& Value)
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("Invalid index"));
    *FLinkRects[size_t(Index)] = Value;
}

// ---- caption

TVxCaption::TVxCaption(QPainter* ACanvas, const QString& ACaption, const TVxCaptionBackground& ABackground,
                       const TFont& AFont, int AHeight, int AWidth, QPoint AOffSet, const TVxBiDiControl* AControl,
                       TBiDiMode ABiDiMode)
    : FCaption(ACaption), FCanvas(ACanvas), FWidth(AWidth), FHeight(AHeight), FColor(ABackground.Color),
      FFont(AFont), FLinkFont(AFont), FOffSet(AOffSet), FBiDiMode(ABiDiMode), FControl(AControl)
{
    FLinkFont.SetColor(clBlue);
    TFontStyles style = FLinkFont.Style();
    style.Include(fsUnderline);
    FLinkFont.SetStyle(style);
    FBackground = std::make_unique<TVxCaptionBackground>(ABackground.Color, &ABackground.Gradient,
                                                         ABackground.CopyRect, ABackground.Buffered, true);
    ParseCaption();
}

TVxCaption::~TVxCaption() = default;

void TVxCaption::ParseCaption()
{
    FCaptionSegments.clear();
    FLinkInfo.Text.clear();
    FLinkInfo.Link.clear();
    if (FCaption.isEmpty())
        return;
    if (FBiDiMode == bdRightToLeft) {
        FCaptionSegments.append(FCaption);
        return;
    }
    QString S = FCaption;
    QString L = LowerInPlace(S);
    // A tag counts only with its closing tag after it; a closing tag found before the opening one
    // would otherwise swallow the text after the tag.
    auto closing = [&](const QString& Tag, int Open) { return Open > 0 ? Pos(Tag, L, Open + 1) : 0; };
    while (!S.isEmpty()) {
        const int b = Pos(QStringLiteral("<b>"), L), u = Pos(QStringLiteral("<u>"), L),
                  i = Pos(QStringLiteral("<i>"), L), a = Pos(QStringLiteral("<a"), L);
        const int cb = closing(QStringLiteral("</b>"), b), cu = closing(QStringLiteral("</u>"), u),
                  ci = closing(QStringLiteral("</i>"), i), ca = closing(QStringLiteral("</a>"), a);
        int p = 0, c = 0;
        QString marker;
        if (b > 0 && cb > 0 && Before(b, u) && Before(b, i) && Before(b, a)) {
            p = b, c = cb, marker = QStringLiteral("<BOLD>");
        } else if (u > 0 && cu > 0 && Before(u, i) && Before(u, a)) {
            p = u, c = cu, marker = QStringLiteral("<UNDERLINE>");
        } else if (i > 0 && ci > 0 && Before(i, a)) {
            p = i, c = ci, marker = QStringLiteral("<ITALIC>");
        } else if (a > 0 && ca > 0) {
            p = a, c = ca;
        } else {
            EmitPlain(FCaptionSegments, S);
            break;
        }
        EmitPlain(FCaptionSegments, Copy(S, 1, p - 1));
        int consumed;
        if (!marker.isEmpty()) {
            const QString content = Copy(S, p + 3, c - p - 3);
            FCaptionSegments.append(marker + content);
            consumed = (p - 1) + int(content.size()) + 7;
        } else {
            const QString T = Copy(S, p, c - p + 4);
            const int q = Pos(QStringLiteral("\">"), T);
            const int h = Pos(QStringLiteral("href=\""), T);
            const QString address = Copy(T, h + 6, q - h - 6);
            const int e = Pos(QStringLiteral("</a>"), LowerInPlace(T));
            const QString text = Copy(T, q + 2, e - q - 2);
            FLinkInfo.Link = address;
            FLinkInfo.Text = text;
            FCaptionSegments.append(QStringLiteral("<LINK>") + text);
            consumed = (p - 1) + int(text.size()) + q + 5;
        }
        S.remove(0, consumed);
        L.remove(0, consumed);
    }
}

void TVxCaption::Paint() { LayoutCaption(true); }

TRect TVxCaption::GetLinkRect(int AIndex) const
{
    if (AIndex >= 0 && AIndex < FLinkRects.Count())
        return FLinkRects.GetItem(AIndex).FRect;
    return {};
}

void TVxCaption::SetCaption(const QString& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    ParseCaption();
    Paint();
}

void TVxCaption::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Paint();
}

void TVxCaption::SetHeight(int Value)
{
    if (Value == FHeight)
        return;
    FHeight = Value;
    Paint();
}

void TVxCaption::SetWidth(int Value)
{
    if (Value == FWidth)
        return;
    FWidth = qAbs(Value);
    Paint();
}

void TVxCaption::SetFont(const TFont& Value)
{
    FFont.Assign(&Value);
    Paint();
}

void TVxCaption::SetLinkFont(const TFont& Value)
{
    FLinkFont.Assign(&Value);
    Paint();
}

void TVxCaption::SetBackground(const TVxCaptionBackground& Value)
{
    if (&Value == FBackground.get())
        return;
    FBackground = std::make_unique<TVxCaptionBackground>(Value.Color, &Value.Gradient, Value.CopyRect, Value.Buffered,
                                                         true);
}

void TVxCaption::PaintBackground(QPainter& Surface, int SurfaceWidth, int SurfaceHeight) const
{
    const TVxCaptionBackground& bg = *FBackground;
    if (bg.Gradient.Enabled) {
        const QPointF end = bg.Gradient.Direction == gdHorizontal ? QPointF(SurfaceWidth, 0) : QPointF(0, SurfaceHeight);
        QLinearGradient gradient(QPointF(0, 0), end);
        gradient.setColorAt(0, ToQColor(bg.Gradient.StartColor));
        gradient.setColorAt(1, ToQColor(bg.Gradient.EndColor));
        Surface.fillRect(QRect(0, 0, SurfaceWidth, SurfaceHeight), gradient);
    } else if (bg.Color == clNone) {
        if (!bg.CopyRect.IsEmpty() && FCanvas && FCanvas != &Surface) {
            QImage source;
            if (auto* image = dynamic_cast<QImage*>(FCanvas->device()))
                source = image->copy(bg.CopyRect.ToQRect());
            else if (auto* pixmap = dynamic_cast<QPixmap*>(FCanvas->device()))
                source = pixmap->copy(bg.CopyRect.ToQRect()).toImage();
            // Other devices cannot be read back; a buffered surface is transparent there anyway.
            if (!source.isNull())
                Surface.drawImage(QRect(0, 0, FWidth, FHeight), source);
        }
    } else {
        Surface.fillRect(QRect(0, 0, FWidth, FHeight == -1 ? 200 : FHeight), ToQColor(bg.Color));
    }
}

void TVxCaption::LayoutCaption(bool APaint)
{
    FLinkRects.Clear();
    FRequiredHeight = 0;
    const bool buffered = FBackground->Buffered;
    int surfaceWidth = FWidth <= 0 ? 200 : FWidth;
    int surfaceHeight = FHeight <= 0 ? 200 : FHeight;

    TVxCaptionLayoutInput input;
    input.Segments = &FCaptionSegments;
    input.Caption = FCaption;
    input.LinkText = FLinkInfo.Text;
    input.Font = &FFont;
    input.LinkFont = &FLinkFont;
    input.Width = FWidth;
    input.Height = FHeight;
    input.OffSet = FOffSet;
    input.BiDiMode = FBiDiMode;
    input.Control = FControl;
    input.Paint = APaint;
    // Measuring draws only into the buffer, which nobody sees: nothing needs drawing then.
    input.CollectRuns = APaint && FCanvas;
    const TVxCaptionLayoutResult layout = ArrangeCaption(input, FLinkRects);
    FRequiredHeight = layout.RequiredHeight;

    if (buffered && FHeight == -1) {
        const int screenWidth = ScreenWidth(), screenHeight = ScreenHeight();
        if (screenWidth > 0 && surfaceWidth > screenWidth)
            surfaceWidth = screenWidth - 20;
        surfaceHeight = (screenHeight > 0 && screenHeight < FRequiredHeight) ? screenHeight - 20 : FRequiredHeight;
        if (!FCaption.isEmpty())
            surfaceHeight += layout.SampleLineHeight;
    }

    if (APaint && input.CollectRuns) {
        auto drawRuns = [&](QPainter& Surface) {
            for (const TVxCaptionRun& run : layout.Runs) {
                QRect r = run.Rect.ToQRect();
                DrawThemedText(&Surface, run.Text, run.Font, r, run.Flags);
            }
        };
        if (buffered) {
            // The buffer has the target's pixel density, so text stays sharp on scaled screens.
            const qreal scale = FCanvas->device() ? qMax(qreal(1), FCanvas->device()->devicePixelRatioF()) : 1;
            auto makeBitmap = [scale](int W, int H) {
                QImage image(qCeil(qMax(1, W) * scale), qCeil(qMax(1, H) * scale), QImage::Format_ARGB32_Premultiplied);
                image.setDevicePixelRatio(scale);
                return image;
            };
            QImage bitmap = makeBitmap(surfaceWidth, surfaceHeight);
            if (bitmap.isNull()) { // out of memory for a measured height
                surfaceHeight = 200;
                bitmap = makeBitmap(surfaceWidth, surfaceHeight);
            }
            if (!bitmap.isNull()) {
                bitmap.fill(Qt::transparent);
                {
                    QPainter surface(&bitmap);
                    PaintBackground(surface, surfaceWidth, surfaceHeight);
                    drawRuns(surface);
                }
                if (surfaceWidth > 0 && surfaceHeight > 0)
                    FCanvas->drawImage(QPointF(FLeft, FTop), bitmap,
                                       QRectF(0, 0, surfaceWidth * scale, surfaceHeight * scale));
            }
        } else {
            FCanvas->save();
            PaintBackground(*FCanvas, surfaceWidth, surfaceHeight);
            drawRuns(*FCanvas);
            FCanvas->restore();
        }
    }
    if (FHeight == -1 && buffered)
        FHeight = surfaceHeight;
}

// ---- class operations

void TVxCaption::PaintCaption(QPainter* ACanvas, const QString& ACaption, TVxCaptionBackground* ABackground,
                              const TFont& AFont, int ALeft, int ATop, int AWidth, int AHeight, QPoint AOffSet,
                              const TVxBiDiControl* AControl, TBiDiMode BiDiMode)
{
    if (AHeight < 0)
        return;
    {
        const TVxCaptionBackground fallback;
        TVxCaption caption(ACanvas, ACaption, ABackground ? *ABackground : fallback, AFont, AHeight, AWidth, AOffSet,
                           AControl, BiDiMode);
        caption.FLeft = ALeft;
        caption.FTop = ATop;
        caption.LayoutCaption(true);
    }
    if (ABackground && ABackground->AutoFree())
        delete ABackground;
}

void TVxCaption::PaintCaption(QPainter* ACanvas, const QString& ACaption, TVxCaptionBackground* ABackground,
                              const TFont& AFont, const TRect& ARect, QPoint AOffSet)
{
    PaintCaption(ACanvas, ACaption, ABackground, AFont, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AOffSet,
                 nullptr, bdLeftToRight);
}

void TVxCaption::PaintCaption(QPainter* ACanvas, const QString& ACaption, TVxCaptionBackground* ABackground,
                              const TFont& AFont, const TRect& ARect)
{
    PaintCaption(ACanvas, ACaption, ABackground, AFont, ARect, QPoint(0, 0));
}

void TVxCaption::PaintCaption(QPainter* ACanvas, const QString& ACaption, TVxCaptionBackground* ABackground,
                              const TFont& AFont, const TRect& ARect, const TVxBiDiControl* AControl,
                              TBiDiMode BiDiMode)
{
    PaintCaption(ACanvas, ACaption, ABackground, AFont, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom,
                 QPoint(0, 0), AControl, BiDiMode);
}

TRect TVxCaption::TranslateRect(const TRect& ARect)
{
    return {ARect.Left, ARect.Top, ARect.Right - ARect.Left, ARect.Bottom - ARect.Top};
}

int TVxCaption::MinimumHeight(QPainter* ACanvas, const QString& ACaption, const TFont& AFont, int AWidth)
{
    if (AWidth <= 0)
        return 0;
    const TVxCaptionBackground background(clNone, nullptr, TRect{}, true, true);
    TVxCaption caption(ACanvas, ACaption, background, AFont, -1, AWidth, QPoint(0, 0), nullptr, bdLeftToRight);
    caption.LayoutCaption(false);
    return caption.Height();
}

int TVxCaption::MinimumWidth(QPainter* ACanvas, const QString& ACaption, const TFont& AFont, int AWidth)
{
    const QFont font = AFont.ToQFont();
    if (ACanvas)
        ACanvas->setFont(font);
    QRect r(0, 0, AWidth, 0);
    DrawText(ACanvas, font, ACaption, r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return r.left() + r.width();
}
