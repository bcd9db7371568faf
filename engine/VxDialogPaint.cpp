// Painting of the dialog's bands, the hit test and the Ctrl+C text.

#include "VxDialogEngine.h"

#include "VxCaption.h"
#include "VxCaptionControl.h"
#include "VxLabel.h"
#include "VxRichEdit.h"
#include "VxTaskDialogForm.h"
#include "private/EngineText_p.h"

#include "DrawText.h"
#include "Screen.h"
#include "StockIcons.h"
#include "VxCollections.h"
#include "VxOptions.h"

#include <QPainter>

namespace {

bool IsStockKind(TTaskDialogIcon Icon)
{
    return Icon == tdiWarning || Icon == tdiError || Icon == tdiInformation || Icon == tdiConfirmation ||
           Icon == tdiShield;
}

int StockIdOf(TTaskDialogIcon Icon)
{
    switch (Icon) {
    case tdiWarning: return StockIconWarning;
    case tdiError: return StockIconError;
    case tdiInformation: return StockIconInformation;
    case tdiConfirmation: return StockIconQuestion;
    case tdiShield: return StockIconShield;
    default: return 0;
    }
}

// The divider colour of systems of major version 6 or later; under a custom style the style's
// colour for it.
QColor DividerColor()
{
    return ToQColor(0x00DFDFDF);
}

// A stock icon at a size, drawn at a point. The artwork is rendered at the painter's device pixel
// ratio, so it stays sharp on scaled screens.
void DrawStockIcon(QPainter* Canvas, TTaskDialogIcon Icon, int Size, QPoint At)
{
    const qreal ratio = Canvas->device() ? Canvas->device()->devicePixelRatioF() : 1.0;
    QImage image = LoadStockIcon(StockIdOf(Icon), qRound(Size * ratio));
    if (image.isNull())
        return;
    image.setDevicePixelRatio(ratio);
    Canvas->drawImage(At, image);
}

// A glyph drawn transparently (bitmaps take their transparent colour).
void DrawGlyph(QPainter* Canvas, const TPicture& Picture, const QRect& Target, bool Stretch)
{
    const TGraphic* graphic = Picture.Graphic();
    if (!graphic || graphic->Empty())
        return;
    const QImage image = graphic->DrawImage();
    if (Stretch)
        Canvas->drawImage(Target, image);
    else
        Canvas->drawImage(Target.topLeft(), image);
}

} // namespace

void TVxDialogEngine::PaintDialog(QPainter& Canvas)
{
    TVxTaskDialogForm* form = Form();
    if (!form || D->FCalcAutosizing || D->FCalcLayout || D->ComponentState().Contains(csDestroying))
        return;
    const qreal ratio = form->devicePixelRatioF();
    QImage image(form->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(ToQColor(D->Color()));
    {
        QPainter p(&image);
        if (D->Header()->Visible())
            D->PaintHeader(&p);
        D->PaintInstruction(&p, GetSectionRect(secInstruction));
        D->PaintMainIcon(&p, GetSectionRect(secMainIcon));
        D->PaintButtonBar(&p, GetSectionRect(secButtonBar));
        if (D->Footer()->Visible() || (D->Expando()->ShowInFooter() && D->Expando()->Visible()))
            D->PaintFooter(&p);
        if (D->Border()->Visible()) {
            QPen pen(ToQColor(D->Border()->Color()));
            const int width = qMax(1, D->Border()->Width());
            pen.setWidth(width);
            pen.setJoinStyle(Qt::MiterJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            QRectF r(0, 0, form->width(), form->height());
            const qreal half = width / 2.0;
            r.adjust(half, half, -half, -half);
            if (width > 1)
                r.adjust(1, 1, -1, -1);
            p.drawRect(r);
        }
    }
    Canvas.drawImage(0, 0, image);
}

void TVxDialogEngine::PaintDivider(QPainter* Canvas, const TRect& Rect)
{
    Canvas->setPen(QPen(DividerColor(), 1));
    Canvas->drawLine(Rect.Left, Rect.Top, Rect.Right, Rect.Top);
    Canvas->setPen(QPen(Qt::white, 1));
    Canvas->drawLine(Rect.Left, Rect.Top + 1, Rect.Right, Rect.Top + 1);
}

void TVxDialogEngine::PaintButtonBar(QPainter* Canvas, const TRect& Rect)
{
    if (!D->ButtonBar()->Visible())
        return;
    Canvas->fillRect(Rect.ToQRect(), ToQColor(D->ButtonBar()->Color()));
    if (D->ButtonBar()->ShowDivider()) {
        Canvas->setPen(QPen(DividerColor(), 1));
        Canvas->drawLine(Rect.Left, Rect.Top, Rect.Right, Rect.Top);
    }
}

void TVxDialogEngine::PaintMainIcon(QPainter* Canvas, const TRect& Rect)
{
    if (!MainGlyph())
        return;
    Canvas->fillRect(Rect.ToQRect(), ToQColor(D->Color()));
    // Stock pictures are drawn from the artwork at the painter's resolution.
    if (IsStockKind(D->MainIcon()) && FGlyphLoadedByRun)
        DrawStockIcon(Canvas, D->MainIcon(), Rect.Width(), QPoint(Rect.Left, Rect.Top));
    else
        DrawGlyph(Canvas, *D->FGlyph, Rect.ToQRect(), false);
}

void TVxDialogEngine::PaintInstruction(QPainter* Canvas, const TRect& Rect)
{
    TVxInstruction* instruction = D->Instruction();
    if (instruction->Color() != clNone && (D->MainIcon() == tdiNone || instruction->ShowAtTop()))
        Canvas->fillRect(GetSectionRect(secInstructionBand).ToQRect(), ToQColor(instruction->Color()));
    if (!instruction->HasCustomGlyph() && !instruction->HasGlyph())
        return;
    if (IsStockKind(instruction->Icon()) && instruction->HasGlyph()) {
        const int size = MulDiv(32);
        DrawStockIcon(Canvas, instruction->Icon(), size, QPoint(Rect.Left - size - 8, Rect.Top));
        return;
    }
    const TPicture& glyph = *instruction->Glyph();
    if (glyph.Empty())
        return;
    const QPoint at = instruction->Text().isEmpty() ? QPoint(Rect.Left, Rect.Top)
                                                    : QPoint(Rect.Left - glyph.Width() - MulDiv(8), Rect.Top);
    DrawGlyph(Canvas, glyph, QRect(at, QSize(glyph.Width(), glyph.Height())), false);
}

void TVxDialogEngine::PaintHeader(QPainter* Canvas)
{
    TVxHeader* header = D->Header();
    TRect r = GetSectionRect(secHeader);
    int iconWidth = 0, iconHeight = 0;
    if (header->Icon() == tdiCustom) {
        iconWidth = header->Glyph()->Width();
        iconHeight = header->Glyph()->Height();
    } else if (header->Icon() != tdiNone) {
        iconWidth = iconHeight = HeaderIconWidth();
    }
    int x = (!header->Glyph()->Empty() || iconHeight > 0) ? iconWidth + r.Left + 2 * D->FHorzSpacing : D->FHorzSpacing;
    QPoint offset(x, D->FVertSpacing);
    const bool right = header->ImageAlignment() == vxImageAlignRight;
    if (right) {
        r.Right -= x;
        offset = QPoint(D->FHorzSpacing, D->FVertSpacing);
    }
    TVxCaptionGradient gradient;
    gradient.Enabled = header->Gradient()->Enabled();
    gradient.Direction = header->Gradient()->Direction();
    gradient.StartColor = header->Gradient()->StartColor();
    gradient.EndColor = header->Gradient()->EndColor();
    // The band is filled across the whole width, also behind a right-aligned icon.
    Canvas->fillRect(GetSectionRect(secHeader).ToQRect(), ToQColor(header->Color()));
    auto* background = new TVxCaptionBackground(header->Color(), &gradient, TRect{}, true, true);
    // Right to left the band is mirrored: the text runs from the right edge, the icon stands on
    // the other side (a right-aligned icon at the left, the text's room moved past it).
    const bool rightToLeft = RightToLeft();
    const int textLeft = rightToLeft && right ? r.Left + x : r.Left;
    TVxCaption::PaintCaption(Canvas, header->Text(), background, *header->Font(), textLeft, r.Top, r.Right, r.Bottom,
                             offset, nullptr, rightToLeft ? bdRightToLeft : bdLeftToRight);

    if (header->Icon() == tdiNone || (header->Icon() == tdiCustom && header->Glyph()->Empty()))
        return;
    r = GetSectionRect(secHeader);
    const int top = r.Top + D->FVertSpacing;
    const bool iconRight = right != rightToLeft;
    const int left = iconRight ? r.Right - D->FHorzSpacing - iconWidth : r.Left + D->FHorzSpacing;
    if (header->Icon() == tdiCustom)
        DrawGlyph(Canvas, *header->Glyph(), QRect(left, top, iconWidth, iconHeight), true);
    else
        DrawStockIcon(Canvas, header->Icon(), iconWidth, QPoint(left, top));
}

void TVxDialogEngine::PaintFooter(QPainter* Canvas)
{
    TVxFooter* footer = D->Footer();
    if (footer->Visible() || D->FExpanding || D->FCollapsing) {
        TRect r = GetSectionRect(secFooter);
        Canvas->fillRect(r.ToQRect(), ToQColor(footer->Color()));
        D->PaintDivider(Canvas, r);
        if (footer->Icon() != tdiNone) {
            r.Left += MulDiv(12);
            r.Top += MulDiv(11);
            const bool right = footer->ImageAlignment() == vxImageAlignRight || RightToLeft();
            const bool custom = footer->Icon() == tdiCustom;
            const QSize size = custom && !footer->Glyph()->Empty() ? QSize(footer->Glyph()->Width(), footer->Glyph()->Height())
                                                                   : QSize(MulDiv(16), MulDiv(16));
            int left = right ? r.Right - D->FHorzSpacing - size.width() : r.Left;
            if (right && custom && footer->Glyph()->Empty())
                left = r.Left - D->FHorzSpacing;
            if (custom)
                DrawGlyph(Canvas, *footer->Glyph(), QRect(QPoint(left, r.Top), size), true);
            else
                DrawStockIcon(Canvas, footer->Icon(), MulDiv(16), QPoint(left, r.Top));
        }
    }
    if ((Expanded() || D->FExpanding || D->FCollapsing) && D->Expando()->ShowInFooter()) {
        const TRect r = GetSectionRect(secFooterExpanded);
        Canvas->fillRect(r.ToQRect(), ToQColor(D->ButtonBar()->Color()));
        D->PaintDivider(Canvas, r);
    }
}

// ---------------------------------------------------------------------------------------------
// Hit test

TRect TVxDialogEngine::GetImageRect(TVxDialogSection Section)
{
    if (Section != secHeader && Section != secFooter)
        return {};
    return GetImageRect(Section, GetSectionRect(Section));
}

TRect TVxDialogEngine::GetImageRect(TVxDialogSection Section, const TRect& SectionRect)
{
    const TRect& r = SectionRect;
    if (r.IsEmpty())
        return {};
    if (Section == secHeader) {
        // Where PaintHeader draws the icon: right to left the header band is mirrored.
        const int w = HeaderIconWidth();
        const bool iconRight = (D->Header()->ImageAlignment() == vxImageAlignRight) != RightToLeft();
        const int left = iconRight ? r.Right - D->FHorzSpacing - w : r.Left + D->FHorzSpacing;
        return TRect{left, r.Top, left + w, r.Bottom};
    }
    // Where PaintFooter draws the icon: at the right when aligned there or right to left, else
    // past the footer's own margin.
    const int w = FooterIconWidth();
    const bool iconRight = D->Footer()->ImageAlignment() == vxImageAlignRight || RightToLeft();
    const int left = iconRight ? r.Right - D->FHorzSpacing - w : r.Left + MulDiv(12);
    return TRect{left, r.Top, left + w, r.Bottom};
}

TVxDialogHitTest TVxDialogEngine::HitTest(const QPoint& P)
{
    for (int s = secMainIcon; s <= secInstructionBand; ++s) {
        const auto section = TVxDialogSection(s);
        TRect r = GetSectionRect(section);
        if (section == secInstruction && D->Instruction()->GlyphAvailable()) {
            r.Right = r.Left - D->FHorzSpacing;
            r.Left = D->FHorzSpacing;
        }
        if (!r.Contains(P.x(), P.y()))
            continue;
        switch (section) {
        case secMainIcon: return htMainIcon;
        case secInstruction: return htInstructionImage;
        case secContent: return htContent;
        case secExpandedText:
        case secFooterExpanded: return htExpandedSection;
        case secHeader:
            return GetImageRect(secHeader, r).Contains(P.x(), P.y()) ? htHeaderImage : htHeader;
        case secFooter:
            return GetImageRect(secFooter, r).Contains(P.x(), P.y()) ? htFooterImage : htFooter;
        case secButtonBar: return htButtonBar;
        default: return htNone;
        }
    }
    return htNone;
}

// ---------------------------------------------------------------------------------------------
// Ctrl+C text

QString TVxDialogEngine::GetDialogText()
{
    const QString CRLF = QStringLiteral("\r\n");
    const auto withoutAmpersand = [](QString Text) {
        const int i = Text.indexOf(QLatin1Char('&'));
        if (i >= 0)
            Text.remove(i, 1);
        return Text;
    };
    QString s;
    s += QStringLiteral("[Window Title]") + CRLF + D->Title() + CRLF + CRLF;
    if (D->Header()->Visible())
        s += QStringLiteral("[Header]") + CRLF + D->Header()->Text() + CRLF + CRLF;
    if (!D->Instruction()->Text().isEmpty())
        s += QStringLiteral("[Main Instruction]") + CRLF + D->Instruction()->Text() + CRLF + CRLF;
    if (!D->Content()->Text().isEmpty())
        s += QStringLiteral("[Content]") + CRLF + D->Content()->Text() + CRLF + CRLF;
    TVxExpando* expando = D->Expando();
    if (expando->Visible() && !expando->ShowInFooter()) {
        s += QStringLiteral("[Expanded Information]") + CRLF;
        s += ExpandedTextForCopy();
        s += CRLF + CRLF;
    }
    TVxCustomButtons* items = D->CustomButtons();
    const bool links = CommandLinks();
    if (links) {
        for (int i = 0; i < items->Count(); ++i) {
            TVxCustomButtonItem* item = items->Items(i);
            s += QStringLiteral("[") + item->Caption() + QStringLiteral("]") + CRLF;
            const QString info = item->Info()->Text().trimmed();
            if (!info.isEmpty())
                s += QStringLiteral("  ") + item->Info()->Text() + CRLF;
        }
        s += CRLF;
    }
    if (D->FDialogOptions.Contains(doShowHelpLink) && !D->HelpLink()->Text().isEmpty())
        s += QStringLiteral("[HelpLink]") + CRLF + D->HelpLink()->Text() + CRLF + CRLF;
    if (expando->Visible()) {
        auto* toggle = qobject_cast<TVxCustomMoreLabel*>(FShowMoreButton);
        const bool expanded = toggle ? toggle->Expanded() : expando->Showing();
        s += QStringLiteral("[") + (expanded ? QStringLiteral("^") : QStringLiteral("V")) + QStringLiteral("] ") +
             withoutAmpersand(expanded ? expando->HideText() : expando->ShowText()) + QStringLiteral("  ");
        if (D->Verification()->Visible())
            s += CRLF;
    }
    if (D->Verification()->Visible())
        s += QStringLiteral("[") + (D->VerificationResult() ? QStringLiteral("X") : QStringLiteral(" ")) +
             QStringLiteral("] ") + withoutAmpersand(D->Verification()->Text()) + QStringLiteral("  ");
    if (items->Count() == 0 || (D->ButtonBar()->Visible() && links && items->Count() > 0)) {
        for (int k = cbYes; k <= cbClose; ++k)
            if (D->ButtonBar()->Buttons().Contains(TCommonButton(k)))
                s += QStringLiteral("[") + withoutAmpersand(CommonButtonCaption(TCommonButton(k))) + QStringLiteral("] ");
        s += CRLF + CRLF;
    } else if (!D->Verification()->Visible() && !expando->Visible()) {
        s += CRLF;
    }
    if (items->Count() > 0 && !links) {
        for (int i = 0; i < items->Count(); ++i)
            s += QStringLiteral("[") + items->Items(i)->Caption() + QStringLiteral("] ");
        s += CRLF;
    }
    if (D->Footer()->Visible())
        s += QStringLiteral("[Footer]") + CRLF + D->Footer()->Text() + CRLF;
    if (expando->Visible() && expando->ShowInFooter()) {
        s += CRLF + QStringLiteral("[Expanded Information]") + CRLF;
        const bool richEdit = !FMoreRichEdit.isNull();
        s += ExpandedTextForCopy();
        if (richEdit)
            s += CRLF + CRLF;
    }
    return s;
}
