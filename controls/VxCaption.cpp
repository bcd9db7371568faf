#include "VxCaption.h"

#include "Screen.h"
#include "SysUtils.h"
#include "TextContrast.h"
#include "private/CaptionLayout_p.h"
#include "private/ReadableText_p.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QtMath>
#include <QPixmap>

namespace {

const QString NewLineMarker = QStringLiteral("<NEWLINE>");

// 1-based position of Sub in S; 0 when absent.
int Pos(const QString& Sub, const QString& S)
{
    return int(S.indexOf(Sub)) + 1;
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

// Collects the segments with their kinds.
struct SegmentSink {
    QStringList& Segments;
    std::vector<TVxCaptionSegmentKind>& Kinds;
    void Add(const QString& Text, TVxCaptionSegmentKind Kind)
    {
        Segments.append(Text);
        Kinds.push_back(Kind);
    }
};

// Plain text: CR LF and a typed "<NEWLINE>" break the line. A text without breaks is one
// segment, even when empty. Markers holds every marker's position in the caption, and Next
// the first of them not yet passed: the pieces come in caption order, so each marker and each
// CR is looked at once.
struct PlainEmitter {
    SegmentSink& Sink;
    const QString& Caption;
    const std::vector<qsizetype>& Markers;
    size_t Next = 0;
    qsizetype CrLf = -2; // the next CR LF found, -1 when there is none, -2 before the first search

    void Emit(qsizetype From, qsizetype To)
    {
        const QStringView text(Caption);
        bool broken = false;
        qsizetype from = From;
        for (;;) {
            while (Next < Markers.size() && Markers[Next] < from)
                ++Next;
            qsizetype marker = Next < Markers.size() && Markers[Next] + NewLineMarker.size() <= To ? Markers[Next] : -1;
            if (CrLf == -2 || (CrLf >= 0 && CrLf < from)) {
                CrLf = text.indexOf(u'\r', from);
                while (CrLf >= 0 && !(CrLf + 1 < text.size() && text.at(CrLf + 1) == u'\n'))
                    CrLf = text.indexOf(u'\r', CrLf + 1);
            }
            qsizetype cr = CrLf >= 0 && CrLf + 2 <= To ? CrLf : -1;
            if (marker >= 0 && cr >= 0 && cr > marker)
                cr = -1;
            if (cr < 0 && marker < 0)
                break;
            const qsizetype at = cr >= 0 ? cr : marker;
            if (at > from)
                Sink.Add(text.mid(from, at - from).toString(), skPlain);
            Sink.Add(NewLineMarker, skNewLine);
            from = at + (cr >= 0 ? 2 : NewLineMarker.size());
            broken = true;
        }
        if (!broken)
            Sink.Add(text.mid(From, To - From).toString(), skPlain);
        else if (from < To)
            Sink.Add(text.mid(from, To - from).toString(), skPlain);
    }
};

// The height a measuring layout gives a caption: what it requires, capped just below the
// screen's height, plus one sample line unless the caption is empty.
int MeasuredHeight(const TVxCaptionLayoutResult& Layout, bool Empty)
{
    const int screenHeight = ScreenHeight();
    int height = (screenHeight > 0 && screenHeight < Layout.RequiredHeight) ? screenHeight - 20 : Layout.RequiredHeight;
    if (!Empty)
        height += Layout.SampleLineHeight;
    return height;
}

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

int DrawThemedText(QPainter* DC, const QString& Text, const TFont& Font, QRect& Rect, uint Flags, TColor Background,
                   TColor Background2)
{
    if (DC && !(Flags & DT_CALCRECT)) {
        const TColor color = StyleServicesEnabled() ? clWindowText : Font.Color();
        DC->setPen(ToQColor(TextColorOn(color, Background, Background2)));
    }
    return DrawText(DC, Font.ToQFont(), Text, Rect, Flags);
}

int DrawThemedText(QPainter* DC, const QString& Text, const TFont& Font, QRect& Rect, uint Flags)
{
    return DrawThemedText(DC, Text, Font, Rect, Flags, clNone);
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
    FSegmentKinds.clear();
    FLinkInfo.Text.clear();
    FLinkInfo.Link.clear();
    if (FCaption.isEmpty())
        return;
    SegmentSink sink{FCaptionSegments, FSegmentKinds};
    // Tags are matched without regard to case (each character lower-cased in place); text is
    // always copied from the caption.
    const QString& S = FCaption;
    // The next tag is the earliest opening tag that has its closing tag after it; its content
    // runs to the first such closing tag. An opening tag without a closing tag after it, and a
    // closing tag before any opening one, are text. One scan over the "<" characters finds every
    // tag and line-break marker, and the choice below only moves forward, so the work is linear
    // in the caption's length.
    struct Tag {
        Tag(QLatin1StringView AOpen, QLatin1StringView AClose, TVxCaptionSegmentKind AKind, const QString& AMarker)
            : Open(AOpen), Close(AClose), Kind(AKind), Marker(AMarker)
        {
        }
        QLatin1StringView Open, Close;
        TVxCaptionSegmentKind Kind;
        QString Marker;
        std::vector<qsizetype> Opens, Closes;
        size_t NextOpen = 0, NextClose = 0;
        bool Done = false;
    };
    Tag tags[] = {{QLatin1StringView("<b>"), QLatin1StringView("</b>"), skBold, QStringLiteral("<BOLD>")},
                  {QLatin1StringView("<u>"), QLatin1StringView("</u>"), skUnderline, QStringLiteral("<UNDERLINE>")},
                  {QLatin1StringView("<i>"), QLatin1StringView("</i>"), skItalic, QStringLiteral("<ITALIC>")},
                  {QLatin1StringView("<a"), QLatin1StringView("</a>"), skLink, QStringLiteral("<LINK>")}};
    std::vector<qsizetype> markers;
    const QStringView view(S);
    auto matchesLower = [&](qsizetype At, QLatin1StringView Tag) {
        if (At + Tag.size() > view.size())
            return false;
        for (qsizetype k = 0; k < Tag.size(); ++k)
            if (view.at(At + k).toLower() != QLatin1Char(Tag.at(k)))
                return false;
        return true;
    };
    for (qsizetype at = view.indexOf(u'<'); at >= 0; at = view.indexOf(u'<', at + 1)) {
        for (Tag& tag : tags) {
            if (matchesLower(at, tag.Open))
                tag.Opens.push_back(at);
            else if (matchesLower(at, tag.Close))
                tag.Closes.push_back(at);
        }
        if (view.mid(at).startsWith(NewLineMarker))
            markers.push_back(at);
    }
    PlainEmitter plain{sink, S, markers};
    const qsizetype n = S.size();
    qsizetype cur = 0;
    while (cur < n) {
        Tag* chosen = nullptr;
        qsizetype open = 0, close = 0;
        for (Tag& tag : tags) {
            if (tag.Done)
                continue;
            while (tag.NextOpen < tag.Opens.size() && tag.Opens[tag.NextOpen] < cur)
                ++tag.NextOpen;
            if (tag.NextOpen == tag.Opens.size()) {
                tag.Done = true;
                continue;
            }
            const qsizetype o = tag.Opens[tag.NextOpen];
            while (tag.NextClose < tag.Closes.size() && tag.Closes[tag.NextClose] <= o)
                ++tag.NextClose;
            if (tag.NextClose == tag.Closes.size()) {
                tag.Done = true; // no later opening of this tag has a closing either
                continue;
            }
            if (!chosen || o < open) {
                chosen = &tag;
                open = o;
                close = tag.Closes[tag.NextClose];
            }
        }
        if (!chosen) {
            plain.Emit(cur, n);
            break;
        }
        plain.Emit(cur, open);
        if (chosen->Kind != skLink) {
            sink.Add(chosen->Marker + S.mid(open + 3, close - open - 3), chosen->Kind);
        } else {
            // '<a href="address">text</a>'; T is the whole tag with its text and closing tag.
            const QString T = S.mid(open, close - open + 4);
            const int q = Pos(QStringLiteral("\">"), T);
            const int h = Pos(QStringLiteral("href=\""), T);
            const QString address = Copy(T, h + 6, q - h - 6);
            const int e = int(close - open) + 1; // "</a>" in T
            const QString text = Copy(T, q + 2, e - q - 2);
            FLinkInfo.Link = address;
            FLinkInfo.Text = text;
            sink.Add(chosen->Marker + text, skLink);
        }
        cur = close + chosen->Close.size();
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

TVxCaptionLayoutInput TVxCaption::LayoutInput(bool APaint) const
{
    TVxCaptionLayoutInput input;
    input.Segments = &FCaptionSegments;
    input.Kinds = &FSegmentKinds;
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
    // A measured height is capped at the screen's: the layout need not go further down.
    if (!APaint && FBackground->Buffered && FHeight == -1)
        input.MeasureLimit = qMax(0, ScreenHeight());
    return input;
}

void TVxCaption::LayoutCaption(bool APaint)
{
    FLinkRects.Clear();
    FRequiredHeight = 0;
    const bool buffered = FBackground->Buffered;
    int surfaceWidth = FWidth <= 0 ? 200 : FWidth;
    int surfaceHeight = FHeight <= 0 ? 200 : FHeight;

    const TVxCaptionLayoutInput input = LayoutInput(APaint);
    const TVxCaptionLayoutResult layout = ArrangeCaption(input, FLinkRects);
    FRequiredHeight = layout.RequiredHeight;

    if (buffered && FHeight == -1) {
        const int screenWidth = ScreenWidth();
        if (screenWidth > 0 && surfaceWidth > screenWidth)
            surfaceWidth = screenWidth - 20;
        surfaceHeight = MeasuredHeight(layout, FCaption.isEmpty());
    }

    if (APaint && input.CollectRuns) {
        // What the text stands on, so a dark palette can keep it readable; a copied background
        // is not known.
        const TVxCaptionBackground& bg = *FBackground;
        const TColor under = bg.Gradient.Enabled ? bg.Gradient.StartColor : bg.Color;
        const TColor under2 = bg.Gradient.Enabled ? bg.Gradient.EndColor : clNone;
        auto drawRuns = [&](QPainter& Surface) {
            for (const TVxCaptionRun& run : layout.Runs) {
                QRect r = run.Rect.ToQRect();
                DrawThemedText(&Surface, run.Text, run.Font, r, run.Flags, under, under2);
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

// ---- measuring at any width

TVxCaptionMeasure::TVxCaptionMeasure(const QString& ACaption, const TFont& AFont)
    : FCaption(nullptr, ACaption, TVxCaptionBackground(clNone, nullptr, TRect{}, true, true), AFont, -1, 0,
               QPoint(0, 0), nullptr, bdLeftToRight)
{
}

TVxCaptionMeasure::~TVxCaptionMeasure() = default;

bool TVxCaptionMeasure::Measures(const QString& ACaption, const TFont& AFont) const
{
    return FCaption.Caption() == ACaption && FCaption.Font() == AFont &&
           FCaption.Font().PixelsPerInch() == AFont.PixelsPerInch();
}

int TVxCaptionMeasure::MinimumHeight(int AWidth) const
{
    // As TVxCaption::MinimumHeight: a caption without a canvas, of height -1, measured at AWidth.
    if (AWidth <= 0)
        return 0;
    TVxCaptionLayoutInput input = FCaption.LayoutInput(false);
    if (!FFacts)
        FFacts = std::make_unique<TVxCaptionFacts>(MeasureCaptionFacts(input));
    input.Width = AWidth;
    input.Facts = FFacts.get();
    TVxLinkRects linkRects;
    return MeasuredHeight(ArrangeCaption(input, linkRects), FCaption.Caption().isEmpty());
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
