// Sizing and placement: the measurements, the client size, the section rectangles and the
// placement of every created control. Nothing here needs a shown window.

#include "VxDialogEngine.h"

#include "VxCaption.h"
#include "VxCaptionControl.h"
#include "VxCommandLinkButton.h"
#include "VxLabel.h"
#include "VxProgressBar.h"
#include "VxProgressBarEx.h"
#include "VxRichEdit.h"
#include "VxStdControls.h"
#include "VxTaskDialogForm.h"

#include "DrawText.h"
#include "Screen.h"
#include "VxCollections.h"
#include "VxOptions.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWindow>

namespace {

bool IsStockKind(TTaskDialogIcon Icon)
{
    return Icon == tdiWarning || Icon == tdiError || Icon == tdiInformation || Icon == tdiConfirmation ||
           Icon == tdiShield;
}

// Themed: visual styles are in use (the emulated system is of major version 6 or later).
bool Themed()
{
    return StyleServicesEnabled();
}

QString FontKey(const QFont& Font)
{
    return Font.key();
}

// The origin, in window coordinates, of the widget that holds the scrolled controls.
constexpr char ScrollOriginProperty[] = "VxScrollOrigin";

// Placement keeps the rule's integer rectangles, in window coordinates; Qt widgets take position
// and size in their parent's, which differs for the controls of the scroll area.
void SetBounds(QWidget* Control, int Left, int Top, int Width, int Height)
{
    if (!Control)
        return;
    QPoint origin;
    if (QWidget* parent = Control->parentWidget(); parent && !parent->isWindow())
        origin = parent->property(ScrollOriginProperty).toPoint();
    Control->setGeometry(Left - origin.x(), Top - origin.y(), qMax(0, Width), qMax(0, Height));
}

// Set on a command link once the engine has measured it at its current width.
constexpr char MeasuredProperty[] = "VxMeasuredAtWidth";

} // namespace

QSize MaximumDialogClientSize(const QWidget* Window)
{
    QScreen* screen = Window && Window->screen() ? Window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect area = screen->availableGeometry();
    // The frame is known once a window manager framed the window; before, the style's title bar
    // and a thin border stand in for it. Platforms without window decorations have none.
    QMargins frame;
    const QString platform = QGuiApplication::platformName();
    if (Window && Window->windowHandle() && !Window->windowHandle()->frameMargins().isNull()) {
        frame = Window->windowHandle()->frameMargins();
    } else if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        const int border = 4;
        const QStyle* style = Window ? Window->style() : nullptr;
        const int title = style ? style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, Window) : 24;
        frame = QMargins(border, title + border, border, border);
    }
    return QSize(qMax(1, area.width() - frame.left() - frame.right()),
                 qMax(1, area.height() - frame.top() - frame.bottom()));
}

// ---------------------------------------------------------------------------------------------
// Derived conditions

bool TVxDialogEngine::CommandLinks() const
{
    return D->FDialogOptions.Contains(doCommandLinks) || D->FDialogOptions.Contains(doCommandLinksNoIcon);
}

bool TVxDialogEngine::HasProgress() const
{
    return D->FDialogOptions.Contains(doProgressBar) || D->FDialogOptions.Contains(doProgressBarMarquee);
}

bool TVxDialogEngine::HasRadio() const
{
    return D->FDialogOptions.Contains(doRadioButtons) && D->RadioButtons()->Count() > 0;
}

bool TVxDialogEngine::Expanded() const
{
    auto* toggle = qobject_cast<TVxCustomMoreLabel*>(FShowMoreButton);
    return toggle && toggle->Expanded() && !D->FExpanding;
}

bool TVxDialogEngine::InBody() const
{
    return !D->Expando()->ShowInFooter();
}

bool TVxDialogEngine::MainGlyph() const
{
    return !D->FGlyph->Empty();
}

bool TVxDialogEngine::IconBelowInstructionBand() const
{
    TVxInstruction* instruction = D->Instruction();
    return MainGlyph() && instruction->ShowAtTop() && !instruction->Text().isEmpty() && !instruction->GlyphAvailable();
}

bool TVxDialogEngine::RightToLeft() const
{
    return D->BiDiMode() != bdLeftToRight;
}

// ---------------------------------------------------------------------------------------------
// Measurements

int TVxDialogEngine::MulDiv(int Value) const
{
    return ::MulDiv(Value, PixelsPerInch(), 96);
}

int TVxDialogEngine::CaptionHeight(const QString& Text, const TFont& Font, int Width) const
{
    return TVxCaption::MinimumHeight(nullptr, Text, Font, Width);
}

int TVxDialogEngine::OneLineHeight(int Width) const
{
    return CaptionHeight(QStringLiteral("One line"), *D->Font(), Width);
}

int TVxDialogEngine::FontTextHeight(const TFont& Font) const
{
    return TextHeight(Font.ToQFont(), QStringLiteral("Text height test"));
}

int TVxDialogEngine::ClientWidthNow() const
{
    TVxTaskDialogForm* form = Form();
    return form ? form->width() : 0;
}

int TVxDialogEngine::ClientHeightNow() const
{
    TVxTaskDialogForm* form = Form();
    return form ? form->height() : 0;
}

QFont TVxDialogEngine::ButtonMeasureFont() const
{
    TFont font(*D->Font());
    if (font.Size() < 9)
        font.SetSize(9);
    return font.ToQFont();
}

namespace {
QSize AverageCharSize(const QFont& Font)
{
    const QSize extent =
        TextExtent(Font, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize(extent.width() / 52, extent.height());
}
} // namespace

int TVxDialogEngine::MinimumButtonWidth() const
{
    return ::MulDiv(50, AverageCharSize(ButtonMeasureFont()).width(), 4) - (Themed() ? 7 : 0);
}

int TVxDialogEngine::ButtonHeight() const
{
    return ::MulDiv(14, AverageCharSize(ButtonMeasureFont()).height(), 8) - (Themed() ? 3 : 0);
}

int TVxDialogEngine::CommonButtonWidth(TCommonButton Kind, const QString& Caption)
{
    // One measurement per kind and font for the whole process.
    static QHash<QString, int> cache;
    const QFont font = D->Font()->ToQFont();
    const QString key = QStringLiteral("%1|%2|%3").arg(int(Kind)).arg(PixelsPerInch()).arg(FontKey(font));
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return it.value();
    QRect r;
    ::DrawText(nullptr, font, Caption, r, DT_CALCRECT | DT_SINGLELINE);
    const int width = r.width() + MulDiv(8);
    cache.insert(key, width);
    return width;
}

int TVxDialogEngine::FooterIconWidth() const
{
    switch (D->Footer()->Icon()) {
    case tdiNone: return 0;
    case tdiCustom: return D->Footer()->Glyph()->Empty() ? 0 : D->Footer()->Glyph()->Width();
    default: return MulDiv(16);
    }
}

int TVxDialogEngine::HeaderIconWidth() const
{
    switch (D->Header()->Icon()) {
    case tdiNone: return 0;
    case tdiCustom: return D->Header()->Glyph()->Empty() ? 0 : D->Header()->Glyph()->Width();
    default:
        switch (D->Header()->IconSize()) {
        case isSmall: return MulDiv(16);
        case isMedium: return MulDiv(24);
        case isLarge: return MulDiv(32);
        }
    }
    return 0;
}

int TVxDialogEngine::FooterHeight()
{
    TVxFooter* footer = D->Footer();
    if (!footer->Visible())
        return 0;
    int x = MulDiv(11);
    if (footer->Icon() != tdiNone)
        x += MulDiv(8) + (footer->Icon() == tdiCustom ? footer->Glyph()->Width() : MulDiv(16));
    int h = footer->Text().isEmpty() ? 0 : CaptionHeight(footer->Text(), *footer->Font(), D->FClientWidth - D->FHorzSpacing - x);
    if (footer->Icon() == tdiCustom)
        h = qMax(h, footer->Glyph()->Height());
    return h + MulDiv(21);
}

int TVxDialogEngine::ExpandedTextHeight()
{
    return CaptionHeight(D->Expando()->Lines()->Text().trimmed(), *D->Expando()->Font(),
                         D->FClientWidth - 2 * D->FHorzSpacing) +
           2 * D->FVertMargin;
}

int TVxDialogEngine::InstructionTextHeight()
{
    return CaptionHeight(D->Instruction()->Text(), *D->Instruction()->Font(),
                         D->FClientWidth - D->FRightMargin - D->FLeftMargin);
}

int TVxDialogEngine::InstructionMinimumWidth()
{
    TVxInstruction* instruction = D->Instruction();
    int w = TVxCaption::MinimumWidth(nullptr, instruction->Text(), *instruction->Font(),
                                     CommandLinks() ? D->GetCommandLinkWidth() : 360);
    w += MulDiv(8);
    if (instruction->GlyphAvailable() && !instruction->Text().isEmpty())
        w += instruction->GlyphWidth();
    return w;
}

int TVxDialogEngine::ContentMinimumWidth()
{
    int width;
    if (CommandLinks())
        width = D->GetCommandLinkWidth() - D->FLeftMargin;
    else if (D->FLeftMargin < 360)
        width = 360 - D->FLeftMargin;
    else if (D->MainIcon() != tdiNone)
        width = 360 - MulDiv(32) - 3 * D->FHorzSpacing - D->FRightMargin;
    else
        width = 360 - D->FHorzSpacing - D->FRightMargin;
    return TVxCaption::MinimumWidth(nullptr, D->Content()->Text(), *D->Font(), width);
}

int TVxDialogEngine::ExpandoButtonWidth()
{
    if (!FShowMoreButton)
        D->CreateExpandoButton();
    if (!FShowMoreButton)
        return 0;
    if (D->FShowMoreButtonWidth != -1)
        return D->FShowMoreButtonWidth;
    const QString other = D->Expando()->Showing() ? D->Expando()->ShowText() : D->Expando()->HideText();
    int textWidth = TextWidth(FShowMoreButton->font(), StripHotkey(other));
    if (auto* toggle = qobject_cast<TVxCustomMoreLabel*>(FShowMoreButton))
        if (!toggle->Glyph()->Empty())
            textWidth += toggle->Glyph()->Width() + toggle->Spacing();
    D->FShowMoreButtonWidth = qMax(FShowMoreButton->width() + D->FHorzSpacing, textWidth + D->FHorzSpacing);
    return D->FShowMoreButtonWidth;
}

int TVxDialogEngine::GetFooterControlsHeight()
{
    if (!FShowMoreButton)
        D->CreateExpandoButton();
    if (!FVerificationCheckBox)
        D->CreateVerificationCheckBox();
    if (!FShowMoreButton || !FVerificationCheckBox)
        return 0;
    return FShowMoreButton->height() + FVerificationCheckBox->height() + D->FVertSpacing + 2 * D->FVertMargin + 1;
}

int TVxDialogEngine::GetFrameExtraWidth()
{
    int result = 2 * MulDiv(10);
    if (MainGlyph())
        result += D->FGlyph->Width() + D->FHorzSpacing;
    else if (D->MainIcon() != tdiNone && D->MainIcon() != tdiCustom)
        result += D->Icon()->Width();
    // The window frame: sizing frame, dialog frame and border of the platform's metrics.
    result += 2 * (MulDiv(4) + MulDiv(3) + MulDiv(1));
    return result;
}

// ---------------------------------------------------------------------------------------------
// Client size

void TVxDialogEngine::CalcAutoSize(int& Height, int& Width, bool Apply)
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    const QScopedValueRollback<bool> autosizing(D->FCalcAutosizing, true);
    const QSize outerBefore = form->size();
    const int HS = D->FHorzSpacing;

    int w = InstructionMinimumWidth();
    if (w < MulDiv(16))
        w = ContentMinimumWidth() + 7;
    w += 2 * HS;

    TVxInstruction* instruction = D->Instruction();
    const bool iconColumn = MainGlyph() || IsStockKind(D->MainIcon()) ||
                            (instruction->ShowGlyph() && !instruction->ShowAtTop() &&
                             (!instruction->Glyph()->Empty() || IsStockKind(instruction->Icon())));
    if (iconColumn) {
        if (MainGlyph())
            w += D->FGlyph->Width() + HS;
        else if (!instruction->Glyph()->Empty())
            w += instruction->Glyph()->Width() + HS;
        else
            w += HS + MulDiv(32);
    }

    const bool links = CommandLinks();
    int b = 0;
    if (D->ButtonBar()->Visible()) {
        b = 2 * HS;
        if (!links) {
            const QList<QWidget*> custom = CreatedCustomButtons();
            for (QWidget* button : custom)
                b += button->width() + HS;
            if (!custom.isEmpty())
                b += D->FButtonSpacing;
        }
        for (QWidget* button : CreatedButtonBarButtons())
            b += button->width() + HS;
        const int toggle = D->Expando()->Visible() ? ExpandoButtonWidth() : 0;
        const int box = D->Verification()->Visible() && FVerificationCheckBox ? FVerificationCheckBox->width() + HS : 0;
        b += qMax(toggle, box);
    }

    int cw;
    if (D->Width() != 0)
        cw = D->Width();
    else if (links)
        cw = qMax(w, D->GetCommandLinkWidth());
    else
        cw = qMax(w, 360);
    if (links)
        for (QWidget* link : CreatedCustomButtons())
            cw = qMax(cw, link->property("MinimumWidth").toInt() + D->FLeftMargin + D->FRightMargin);
    // Radio buttons show their captions on one line: the dialog widens for the longest (up to
    // the screen's bound below).
    if (HasRadio()) {
        for (QWidget* radio : CreatedRadioButtons())
            cw = qMax(cw, radio->sizeHint().width() + D->FLeftMargin + MulDiv(8) + D->FRightMargin);
        if (auto* group = qobject_cast<TRadioGroup*>(FRadioGroup))
            cw = qMax(cw, group->ItemsWidth() + D->FLeftMargin + D->FRightMargin);
    }
    cw = qMax(cw, b);
    D->FClientWidth = cw;
    if (FContentMaxLines)
        D->FClientWidth += MulDiv(8);
    if (D->GetMinimumWidth() > 0 && D->GetMinimumWidth() > D->FClientWidth)
        D->FClientWidth = D->GetMinimumWidth();

    // A window never leaves the available screen: the text column wraps (breaking words longer
    // than a line) rather than widen the window past it.
    const QSize maxClient = MaximumDialogClientSize(form);
    D->FClientWidth = qMin(D->FClientWidth, maxClient.width());

    // The client height of the sections at the current width and margins; BodyBottom is where
    // the sections that may scroll (content to command links) end.
    const auto measureHeight = [&](int& BodyBottom) {
        const TRect c = GetSectionRect(secContent);
        const int screenHeight = ScreenHeight();
        if (screenHeight > 0 && double(c.Height()) > double(screenHeight) - double(screenHeight) / 10.0) {
            const int line = OneLineHeight(D->FClientWidth - D->FLeftMargin - D->FRightMargin);
            if (line > 0)
                D->FMaxLines = (screenHeight / 2) / line;
        }

        int h = c.Bottom;
        if (c.Height() > 0)
            h += MulDiv(9);
        if (HasProgress())
            h += GetSectionRect(secProgressBar).Height();
        if (Expanded() || D->FExpanding) {
            if (InBody()) {
                h += GetSectionRect(secExpandedText).Height();
                if (c.Height() == 0)
                    h += D->FVertMargin;
            } else if (D->Expando()->MoreFormat() == mfRTF) {
                h += 2 * D->FVertMargin + D->Expando()->MoreHeight();
            } else {
                h += GetSectionRect(secFooterExpanded).Height();
            }
        }
        if (HasRadio())
            h += GetSectionRect(secRadioButtons).Height();
        if (links) {
            const int linkWidth = D->FClientWidth - D->FLeftMargin - D->FRightMargin;
            for (QWidget* link : CreatedCustomButtons()) {
                // A command link measures its height for its width. It measures again by itself when
                // its texts, fonts or pictures change, so only a new width needs a new measurement.
                auto* commandLink = qobject_cast<TVxCustomCommandLinkButton*>(link);
                if (link->width() != linkWidth || (commandLink && !link->property(MeasuredProperty).toBool())) {
                    link->resize(linkWidth, link->height());
                    if (commandLink) {
                        commandLink->AdjustBounds();
                        link->setProperty(MeasuredProperty, true);
                    }
                }
                h += link->height();
            }
            if (!D->Content()->Text().isEmpty())
                h += D->FVertSpacing + MulDiv(6);
            else if (!instruction->Text().isEmpty())
                h += D->FVertSpacing + MulDiv(15);
            else
                h += D->FVertSpacing + MulDiv(22);
        }
        BodyBottom = h;
        if (D->FDialogOptions.Contains(doShowHelpLink) && FHelpLinkLabel)
            h += FHelpLinkLabel->height() + 2 * D->FVertSpacing;
        if (D->MainIcon() == tdiCustom && MainGlyph())
            h = qMax(h, D->FVertSpacing * MulDiv(5) + D->FGlyph->Height());
        // An icon moved below the instruction band keeps clear of the button bar.
        if (IconBelowInstructionBand())
            h = qMax(h, GetSectionRect(secMainIcon).Bottom + D->FVertMargin);
        if (D->ButtonBar()->Visible()) {
            if (D->Expando()->Visible() && D->Verification()->Visible())
                h += qMax(D->FButtonBarHeight, D->GetFooterControlsHeight());
            else
                h += D->FButtonBarHeight;
        } else if (!links && D->CustomButtons()->Count() > 0) {
            h += D->FButtonBarHeight - D->FVertMargin;
        } else if (links) {
            h += D->FVertMargin;
        }
        h += FooterHeight();
        if (D->UseMinimumHeight())
            h = qMax(h, 93);
        return h + D->GetExtraHeight();
    };

    int bodyBottom = 0;
    int total = measureHeight(bodyBottom);
    FScrollTop = FScrollBottom = FScrollVisible = 0;
    if (maxClient.height() > 0 && total > maxClient.height()) {
        // Too tall: the scrolling part gives up the excess. Its scroll bar takes room at the
        // right; the margin grows by that much and so does the window where the screen allows,
        // so the text keeps its width and its height.
        const int bar = form->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, form);
        const int widthBefore = D->FClientWidth;
        D->FRightMargin += bar;
        D->FClientWidth = qMin(D->FClientWidth + bar, maxClient.width());
        // Only the header and footer bands measure at the window's own width.
        if (D->FClientWidth != widthBefore + bar || D->Header()->Visible() || D->Footer()->Visible() ||
            (D->Expando()->Visible() && D->Expando()->ShowInFooter()))
            total = measureHeight(bodyBottom);
        FScrollTop = GetSectionRect(secInstruction).Bottom;
        FScrollBottom = qMax(bodyBottom, FScrollTop);
        const int fixed = total - (FScrollBottom - FScrollTop);
        // At least a few lines stay visible, whatever the rest takes.
        const int least = qMin(FScrollBottom - FScrollTop, 3 * OneLineHeight(D->FClientWidth));
        FScrollVisible = qMax(least, maxClient.height() - fixed);
        if (FScrollVisible >= FScrollBottom - FScrollTop) {
            FScrollTop = FScrollBottom = FScrollVisible = 0;
        } else {
            total -= FScrollBottom - FScrollTop - FScrollVisible;
            FScrollVisible = qMax(FScrollVisible, 1);
        }
    }
    D->FClientHeight = qMin(total, qMax(maxClient.height(), 1));

    if (Apply) {
        const bool sizeable = form->property("BorderStyle").toInt() == bsSizeable;
        // The toolkit's window size is the client size; a few rounds cover a window manager that
        // adjusts the first request.
        for (int round = 0; round < 3 && (form->width() != D->FClientWidth || form->height() != D->FClientHeight);
             ++round) {
            if (sizeable) {
                form->setMinimumSize(0, 0);
                form->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
                form->resize(D->FClientWidth, D->FClientHeight);
            } else {
                form->setFixedSize(D->FClientWidth, D->FClientHeight);
            }
        }
    }
    Height = D->FClientHeight;
    Width = D->FClientWidth;
    D->FInvalidateOnPosition = form->size() != outerBefore;
}

void TVxDialogEngine::Resize()
{
    int height = 0, width = 0;
    D->CalcAutoSize(height, width, true);
}

// ---------------------------------------------------------------------------------------------
// Sections

TRect TVxDialogEngine::GetSectionRect(TVxDialogSection Section)
{
    TRect r;
    if (D->FClientWidth == 0)
        return r;
    const int CW = D->FClientWidth;
    const int HS = D->FHorzSpacing;
    const int VS = D->FVertSpacing;
    const int VM = D->FVertMargin;
    TVxInstruction* instruction = D->Instruction();
    TVxExpando* expando = D->Expando();
    const auto headerHeight = [this] { return D->Header()->Visible() ? GetSectionRect(secHeader).Height() : 0; };

    switch (Section) {
    case secMainIcon: {
        if (!MainGlyph())
            return r;
        const int H = headerHeight();
        r.Left = MulDiv(10);
        r.Top = H + MulDiv(10);
        r.Right = r.Left + D->FGlyph->Width();
        r.Bottom = r.Top + D->FGlyph->Height();
        // Below an instruction with its own glyph, and below an instruction band shown at the
        // top, which would otherwise cover the icon.
        if (instruction->GlyphAvailable() || IconBelowInstructionBand()) {
            const int dy = GetSectionRect(secInstruction).Bottom - H;
            r.Top += dy;
            r.Bottom += dy;
        }
        if (RightToLeft()) {
            r.Left = CW - D->FGlyph->Width() - MulDiv(10);
            r.Right = CW - MulDiv(10);
        }
        return r;
    }
    case secInstruction: {
        const int H = headerHeight();
        if (!instruction->Text().isEmpty() || instruction->GlyphAvailable()) {
            r.Left = D->FLeftMargin;
            r.Top = H + MulDiv(10);
            r.Right = ClientWidthNow() - D->FRightMargin;
            r.Bottom = r.Top + InstructionTextHeight();
            if (MainGlyph() && instruction->ShowAtTop() && !instruction->HasGlyph() && !instruction->HasCustomGlyph()) {
                const int margin = D->FGlyph->Width() + MulDiv(8) + HS;
                r.Right -= margin - D->FLeftMargin;
                D->FLeftMargin = margin;
                r.Left = margin;
            } else if (MainGlyph() && instruction->GlyphAvailable()) {
                const int margin = instruction->GlyphWidth() + MulDiv(8) + HS;
                r.Right -= margin - D->FLeftMargin;
                D->FLeftMargin = margin;
                r.Left = margin;
            } else if (D->MainIcon() != tdiNone && RightToLeft()) {
                r.Right -= MulDiv(32) + MulDiv(8);
            }
            if (instruction->GlyphAvailable())
                r.Bottom = r.Top + qMax(r.Bottom - H, instruction->GlyphHeight() + 2 * VS);
        } else {
            r.Left = D->FLeftMargin;
            r.Top = r.Bottom = H;
            r.Right = ClientWidthNow() - D->FRightMargin;
        }
        return r;
    }
    case secContent: {
        const TRect i = GetSectionRect(secInstruction);
        if (!D->Content()->Text().trimmed().isEmpty()) {
            r.Left = D->FLeftMargin;
            // Measured at the width the control gets: the instruction's right edge (narrower
            // right to left beside an icon), taken as if the window already had its new width.
            const int right = qMin(CW - D->FRightMargin, i.Right - ClientWidthNow() + CW);
            int height;
            if (FContentLabel)
                height = CaptionHeight(D->Content()->Text(), *D->Font(), right - r.Left);
            else
                height = OneLineHeight(right - r.Left) * (D->FMaxLines + 1);
            r.Top = VM + i.Bottom + (i.Bottom != 0 ? MulDiv(7) : VM);
            r.Right = i.Right;
            r.Bottom = r.Top + height;
        } else {
            r.Top = r.Bottom = !instruction->Text().trimmed().isEmpty() && D->MainIcon() != tdiNone
                                   ? i.Bottom + MulDiv(32)
                                   : i.Bottom + VM;
        }
        return r;
    }
    case secExpandedText: {
        if (expando->ShowInFooter())
            return r;
        r.Left = D->FLeftMargin;
        r.Right = CW - D->FRightMargin;
        r.Top = GetSectionRect(secContent).Bottom;
        r.Bottom = r.Top + CaptionHeight(expando->Lines()->Text(), *expando->Font(), r.Right - r.Left);
        return r;
    }
    case secRadioButtons: {
        if (HasProgress())
            r.Top = GetSectionRect(secProgressBar).Bottom;
        else if ((Expanded() || D->FExpanding) && InBody())
            r.Top = GetSectionRect(secExpandedText).Bottom;
        else
            r.Top = GetSectionRect(secContent).Bottom;
        const int t = FontTextHeight(*D->Font());
        const int n = D->RadioButtons()->Count();
        const TRect c = GetSectionRect(secContent);
        if (D->RadioButton()->ShowBorder()) {
            const int columns = qMax(1, D->RadioButton()->Columns());
            // Rounded to the nearest integer, halves to the even neighbour (the frame's own need
            // is checked below).
            const int rows = int(std::nearbyint(double(n) / double(columns)));
            r.Bottom = r.Top + rows * (t + MulDiv(1)) + rows * 4 + VM;
            if (c.Height() == 0)
                r.Bottom += VM;
        } else {
            r.Bottom = r.Top + (t + 1) * n + VM;
        }
        r.Bottom += MulDiv(6) * (n - 1) + MulDiv(5) + 3 * (n - 1);
        if (c.Height() == 0)
            r.Bottom += 2 * VM;
        if (D->RadioButton()->ShowBorder() && n > 0) {
            // The group's frame holds its caption line, the half line the rows start below and
            // each row at its text's height. The sum above has no line for a caption and counts
            // one item in two columns as no row, which cut the buttons: the band grows to what
            // the frame needs, never shrinks.
            const int columns = qMax(1, D->RadioButton()->Columns());
            const int rows = (n + columns - 1) / columns;
            const int captionLine = D->RadioButton()->Caption().isEmpty() ? 0 : t + 2;
            const int need = captionLine + t / 2 + 2 + rows * (t + 4) + 6;
            const int group = r.Height() - (c.Height() == 0 ? 2 * VM : VM);
            if (group < need)
                r.Bottom += need - group;
        }
        r.Left = 0;
        r.Right = CW;
        return r;
    }
    case secCommandLinks: {
        if (HasRadio())
            r.Top = GetSectionRect(secRadioButtons).Bottom;
        else if (HasProgress())
            r.Top = GetSectionRect(secProgressBar).Bottom;
        else if ((Expanded() || D->FExpanding) && InBody())
            r.Top = GetSectionRect(secExpandedText).Bottom;
        else
            r.Top = GetSectionRect(secContent).Bottom;
        r.Bottom = r.Top + MulDiv(10);
        r.Right = CW;
        return r;
    }
    case secHeader: {
        TVxHeader* header = D->Header();
        if (!header->Visible())
            return r;
        int iw = 0, ih = 0;
        if (header->Icon() == tdiCustom && !header->Glyph()->Empty()) {
            iw = header->Glyph()->Width();
            ih = header->Glyph()->Height() + 3 * VS;
        } else if (IsStockKind(header->Icon())) {
            iw = HeaderIconWidth();
            ih = iw + 2 * VS;
        }
        iw += 2 * HS;
        r.Right = CW;
        r.Bottom = qMax(ih, 2 * VS + CaptionHeight(header->Text(), *header->Font(), CW - iw));
        return r;
    }
    case secFooter: {
        if (!D->Footer()->Visible())
            return r;
        const int f = FooterHeight();
        if (D->FExpanding || D->FCollapsing) {
            r.Top = ClientHeightNow() - f - (expando->ShowInFooter() ? D->FExpandedLeftOver : 0);
        } else if (Expanded() && expando->ShowInFooter()) {
            r.Top = GetSectionRect(secFooterExpanded).Top - f;
        } else {
            r.Top = D->FClientHeight - f;
        }
        r.Bottom = r.Top + f;
        r.Right = CW;
        return r;
    }
    case secFooterExpanded: {
        const bool fixed = expando->MoreFormat() == mfRTF || expando->MoreSource() == msStream ||
                           expando->MoreSource() == msFile;
        r.Right = CW;
        if (Expanded()) {
            if (fixed) {
                r.Top = D->FClientHeight - expando->MoreHeight() - 2 * VM;
                r.Bottom = r.Top + expando->MoreHeight() + 2 * VM;
            } else {
                r.Top = ClientHeightNow() - ExpandedTextHeight();
                r.Bottom = r.Top + (D->FCollapsing ? D->FExpandedLeftOver : ExpandedTextHeight());
            }
            return r;
        }
        int bottom = GetSectionRect(secFooter).Bottom;
        if (bottom == 0)
            bottom = ClientHeightNow() - D->FExpandedLeftOver;
        r.Top = bottom;
        if (r.Top == 0)
            return TRect();
        r.Bottom = r.Top + (fixed ? expando->MoreHeight() + 2 * VM
                                  : (D->FCollapsing ? D->FExpandedLeftOver : ExpandedTextHeight()));
        return r;
    }
    case secButtonBar: {
        int bh = D->FButtonBarHeight;
        if (D->Verification()->Visible() && expando->Visible())
            bh = qMax(D->GetFooterControlsHeight(), D->FButtonBarHeight) + MulDiv(2);
        const int s = ClientHeightNow();
        const int footer = FooterHeight();
        if ((Expanded() || D->FExpanding) && expando->ShowInFooter()) {
            const bool fixedHeight = expando->MoreFormat() == mfRTF || expando->MoreSource() != msDefault;
            const int e = fixedHeight ? expando->MoreHeight()
                                      : CaptionHeight(expando->Lines()->Text().trimmed(), *expando->Font(), CW - 2 * HS) + 2 * VM;
            if (D->Footer()->Visible()) {
                if (D->FExpanding)
                    r.Top = s - footer - bh - D->FExpandedLeftOver;
                else if (expando->MoreFormat() == mfRTF)
                    r.Top = s - footer - bh - e - MulDiv(16);
                else
                    r.Top = s - footer - bh - e;
            } else {
                r.Top = fixedHeight ? D->FClientHeight - e - bh - MulDiv(16) : D->FClientHeight - e - bh;
            }
        } else if (D->FCollapsing) {
            r.Top = s - footer - bh - (expando->ShowInFooter() ? D->FExpandedLeftOver : 0);
        } else {
            r.Top = D->FClientHeight - bh - footer;
        }
        if (D->FExpanding && InBody())
            r.Top -= D->FExpandedAmount - D->FExpandedLeftOver;
        r.Bottom = r.Top + bh;
        r.Right = CW;
        return r;
    }
    case secHelpLink: {
        if (!FHelpLinkLabel)
            return r;
        const int linkHeight = FHelpLinkLabel->height();
        r.Right = CW;
        if (D->ButtonBar()->Visible()) {
            const TRect bar = GetSectionRect(secButtonBar);
            r.Top = bar.Top - linkHeight - 2 * VS;
            r.Bottom = r.Top + linkHeight + 2 * VS;
        } else if (CommandLinks()) {
            r.Left = D->FLeftMargin;
            r.Top = D->FClientHeight - VM - VS - linkHeight;
            r.Bottom = r.Top + linkHeight;
        } else {
            const TRect c = GetSectionRect(secContent);
            r.Left = c.Left;
            r.Right = c.Right;
            r.Top = c.Bottom + 2 * VS;
            r.Bottom = r.Top + linkHeight + 2 * VS;
        }
        return r;
    }
    case secProgressBar: {
        if (!FProgressBar)
            return r;
        if ((Expanded() || D->FExpanding || D->FCollapsing) && InBody())
            r.Top = GetSectionRect(secExpandedText).Bottom;
        else
            r.Top = GetSectionRect(secContent).Bottom;
        r.Bottom = r.Top + MulDiv(25);
        r.Right = CW;
        return r;
    }
    case secInstructionBand: {
        r.Top = headerHeight();
        r.Bottom = GetSectionRect(secInstruction).Bottom;
        r.Right = CW;
        return r;
    }
    }
    return r;
}

// ---------------------------------------------------------------------------------------------
// Placement

void TVxDialogEngine::PositionControls()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    if (FScrollArea && FScrollArea->widget())
        FScrollArea->widget()->setProperty(ScrollOriginProperty, QPoint(0, FScrollTop));
    {
        const QScopedValueRollback<bool> layout(D->FCalcLayout, true);
        D->PositionInstructionLabel();
        D->PositionContentLabel();
        D->PositionRadioButtons();
        D->PositionHelpLinkLabel();
        if (CommandLinks())
            D->PositionCustomButtons();
        D->PositionProgressBar();
        D->PositionButtonBarButtons();
        if (!CommandLinks())
            D->PositionCustomButtons();
        D->PositionExpandoButton();
        D->PositionVerificationCheckBox();
        D->PositionMoreLinesLabel();
        D->PositionMoreRichEdit();
        D->PositionFooterLabel();
    }
    UpdateScrollRegion();
    if (D->FInvalidateOnPosition) {
        form->update();
        D->FInvalidateOnPosition = false;
    }
}

QScrollArea* TVxDialogEngine::ScrollArea() const
{
    return FScrollArea.data();
}

QList<QWidget*> TVxDialogEngine::ScrolledControls() const
{
    QList<QWidget*> result;
    for (QWidget* w : std::initializer_list<QWidget*>{FContentLabel, FContentMaxLines, FProgressBar, FRadioGroup})
        if (w)
            result.append(w);
    if (FMoreLinesLabel && InBody())
        result.append(FMoreLinesLabel);
    result.append(CreatedRadioButtons());
    if (CommandLinks())
        result.append(CreatedCustomButtons());
    return result;
}

void TVxDialogEngine::UpdateScrollRegion()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    // Moves a control to another parent, keeping its place in window coordinates.
    const auto reparent = [](QWidget* Control, QWidget* Parent, const QPoint& Shift) {
        const bool hidden = Control->isHidden();
        const QRect g = Control->geometry().translated(Shift);
        Control->setParent(Parent);
        Control->setGeometry(g);
        Control->setVisible(!hidden);
    };
    if (FScrollVisible <= 0) {
        if (!FScrollArea)
            return;
        QWidget* body = FScrollArea->widget();
        const QPoint origin = body ? body->property(ScrollOriginProperty).toPoint() : QPoint();
        if (body)
            for (QWidget* w : body->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                reparent(w, form, origin);
        delete FScrollArea.data();
        return;
    }
    if (!FScrollArea) {
        auto* area = new QScrollArea(form);
        area->setObjectName(QStringLiteral("VxDialogScrollArea"));
        area->setFrameShape(QFrame::NoFrame);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        area->setWidgetResizable(false);
        // The window paints the bands and the main icon under the area.
        area->setAutoFillBackground(false);
        area->viewport()->setAutoFillBackground(false);
        auto* body = new QWidget;
        body->setObjectName(QStringLiteral("VxDialogScrollBody"));
        body->setAutoFillBackground(false);
        body->setProperty(ScrollOriginProperty, QPoint(0, FScrollTop));
        area->setWidget(body);
        area->show();
        FScrollArea = area;
    }
    QWidget* body = FScrollArea->widget();
    const QPoint origin(0, FScrollTop);
    body->setProperty(ScrollOriginProperty, origin);
    FScrollArea->setGeometry(0, FScrollTop, D->FClientWidth, FScrollVisible);
    const int bar = form->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, form);
    body->resize(qMax(1, D->FClientWidth - bar), FScrollBottom - FScrollTop);
    for (QWidget* w : ScrolledControls())
        if (w->parentWidget() != body)
            reparent(w, body, -origin);
    // The scrolled part lies under the instruction, the rest of the window over it.
    FScrollArea->lower();
}

void TVxDialogEngine::PositionInstructionLabel()
{
    if (!FInstructionLabel)
        return;
    const TRect r = GetSectionRect(secInstruction);
    if (!D->Instruction()->ShowAtTop() || D->Instruction()->GlyphAvailable())
        SetBounds(FInstructionLabel, D->FLeftMargin, r.Top, r.Width(), r.Height());
    else
        SetBounds(FInstructionLabel, MulDiv(10), r.Top, ClientWidthNow() - MulDiv(10) - D->FRightMargin, r.Height());
    FInstructionLabel->SetText(D->Instruction()->Text());
    FInstructionLabel->setVisible(!D->Instruction()->Text().isEmpty());
}

void TVxDialogEngine::PositionContentLabel()
{
    const TRect r = GetSectionRect(secContent);
    const bool visible = !D->Content()->Text().isEmpty();
    if (FContentLabel) {
        SetBounds(FContentLabel, D->FLeftMargin, r.Top, r.Width(), r.Height());
        FContentLabel->SetText(*D->Content());
        FContentLabel->setVisible(visible);
    }
    if (FContentMaxLines) {
        SetBounds(FContentMaxLines, D->FLeftMargin, r.Top, r.Width(), r.Height());
        QString text = D->Content()->Text();
        for (const char* tag : {"<b>", "</b>", "<i>", "</i>", "<u>", "</u>"})
            text.remove(QLatin1String(tag), Qt::CaseSensitive);
        FContentMaxLines->setPlainText(text);
        FContentMaxLines->setVisible(visible);
    }
}

void TVxDialogEngine::PositionRadioButtons()
{
    if (!Form() || !D->FDialogOptions.Contains(doRadioButtons) || !FCreatedRadioButtons)
        return;
    const TRect r = GetSectionRect(secRadioButtons);
    int y = r.Top + D->FVertMargin;
    if (D->RadioButton()->ShowBorder() && FRadioGroup) {
        const int height = GetSectionRect(secContent).Height() > 0 ? r.Height() - D->FVertMargin
                                                                   : r.Height() - 2 * D->FVertMargin;
        SetBounds(FRadioGroup, D->FLeftMargin, y, D->FClientWidth - D->FLeftMargin - D->FRightMargin, height);
        return;
    }
    for (QWidget* button : CreatedRadioButtons()) {
        TFont font;
        font.Assign(D->Font());
        SetBounds(button, D->FLeftMargin + MulDiv(8), y, D->FClientWidth - D->FLeftMargin - MulDiv(8) - D->FRightMargin,
                  FontTextHeight(font));
        y += button->height() + 2 * D->FVertSpacing - MulDiv(1);
    }
}

void TVxDialogEngine::PositionHelpLinkLabel()
{
    if (!FHelpLinkLabel)
        return;
    const TRect r = GetSectionRect(secHelpLink);
    int height = MulDiv(13);
    if (D->FClientWidth > 0)
        height = qMax(height, CaptionHeight(D->HelpLink()->Text(), *D->HelpLink()->Font(),
                                            D->FClientWidth - D->FHorzSpacing - D->FLeftMargin));
    SetBounds(FHelpLinkLabel, D->FLeftMargin, r.Top, D->FClientWidth - D->FLeftMargin - D->FRightMargin, height);
    FHelpLinkLabel->SetText(D->HelpLink()->Text());
}

void TVxDialogEngine::PositionCustomButtons()
{
    if (!FCreatedCustomButtons)
        return;
    const QList<QWidget*> buttons = CreatedCustomButtons();
    if (CommandLinks()) {
        int y = GetSectionRect(secCommandLinks).Top + 2;
        for (QWidget* link : buttons) {
            SetBounds(link, D->FLeftMargin, y, D->FClientWidth - D->FLeftMargin - D->FRightMargin, link->height());
            y += link->height();
        }
        return;
    }
    const TRect r = GetSectionRect(secButtonBar);
    int x0 = D->FFirstButtonLeftPos;
    if (x0 == -1)
        x0 = RightToLeft() ? 10 - D->FButtonSpacing : r.Right;
    const bool both = D->Expando()->Visible() && D->Verification()->Visible();
    int left = 0;
    int previousWidth = 0;
    for (int i = int(buttons.size()) - 1; i >= 0; --i) {
        QWidget* button = buttons.at(i);
        const int w = button->width();
        const bool last = i == buttons.size() - 1;
        if (!RightToLeft())
            left = last ? x0 - 2 * D->FButtonSpacing - w - 2 : left - D->FButtonSpacing - w - 2;
        else
            left = last ? D->FWidthOfLastCommonButton + x0 + D->FButtonSpacing
                        : left + D->FButtonSpacing + previousWidth + 2;
        int top = r.Top + (r.Height() - button->height()) / 2;
        if (both)
            top -= 9;
        button->move(left, top);
        previousWidth = w;
    }
}

void TVxDialogEngine::PositionProgressBar()
{
    if (!FProgressBar)
        return;
    const TRect r = GetSectionRect(secProgressBar);
    const int height = FProgressBar->height() > 0 && FProgressBar->height() < r.Height() ? FProgressBar->height()
                                                                                        : MulDiv(15);
    SetBounds(FProgressBar, D->FLeftMargin, r.Top, D->FClientWidth - D->FLeftMargin - D->FRightMargin, height);
}

void TVxDialogEngine::PositionButtonBarButtons()
{
    if (!FCreatedButtonBarButtons)
        return;
    const TRect r = GetSectionRect(secButtonBar);
    D->FWidthOfLastCommonButton = 0;
    const QList<QWidget*> buttons = CreatedButtonBarButtons();
    const bool both = D->Expando()->Visible() && D->Verification()->Visible();
    int left = 0;
    for (int i = int(buttons.size()) - 1; i >= 0; --i) {
        QWidget* button = buttons.at(i);
        const int w = button->width();
        const bool last = i == buttons.size() - 1;
        if (last)
            left = RightToLeft() ? D->FLeftMargin : r.Right - w - 2 * D->FButtonSpacing - 2;
        else if (RightToLeft())
            left = left + w + D->FButtonSpacing + 2;
        else
            left = left - w - D->FButtonSpacing - 2;
        int top = r.Top + (r.Height() - button->height()) / 2;
        if (both)
            top -= 9;
        button->move(left, top);
        if (D->Expando()->ShowInFooter())
            button->setProperty("Anchors", int(Qt::TopEdge | (RightToLeft() ? Qt::LeftEdge : Qt::RightEdge)));
        else
            button->setProperty("Anchors", int(Qt::BottomEdge | (RightToLeft() ? Qt::LeftEdge : Qt::RightEdge)));
        D->FWidthOfLastCommonButton = w;
    }
    if (!buttons.isEmpty())
        D->FFirstButtonLeftPos = left + D->FButtonSpacing;
}

void TVxDialogEngine::PositionExpandoButton()
{
    if (!FShowMoreButton || D->Assigning())
        return;
    const TRect r = GetSectionRect(secButtonBar);
    const int left = RightToLeft() ? D->FClientWidth - FShowMoreButton->width() - MulDiv(10) : r.Left + MulDiv(10);
    FShowMoreButton->move(left, r.Top + MulDiv(10));
    FShowMoreButton->setProperty("Anchors", int(D->Expando()->ShowInFooter() ? (Qt::TopEdge | Qt::LeftEdge)
                                                                            : (Qt::LeftEdge | Qt::BottomEdge)));
}

void TVxDialogEngine::PositionVerificationCheckBox()
{
    if (!FVerificationCheckBox || D->Assigning())
        return;
    const TRect r = GetSectionRect(secButtonBar);
    const int top = D->Expando()->Visible() && FShowMoreButton
                        ? r.Top + FShowMoreButton->height() + D->FVertSpacing + MulDiv(11)
                        : r.Top + MulDiv(15);
    const int left = RightToLeft() ? D->FClientWidth - FVerificationCheckBox->width() - MulDiv(12) : r.Left + MulDiv(12);
    FVerificationCheckBox->move(left, top);
    FVerificationCheckBox->setProperty("Anchors", int(D->Expando()->ShowInFooter() ? (Qt::TopEdge | Qt::LeftEdge)
                                                                                 : (Qt::LeftEdge | Qt::BottomEdge)));
}

void TVxDialogEngine::PositionMoreLinesLabel()
{
    if (!FMoreLinesLabel || !Expanded())
        return;
    if (InBody()) {
        const TRect r = GetSectionRect(secExpandedText);
        SetBounds(FMoreLinesLabel, D->FLeftMargin, r.Top, ClientWidthNow() - D->FRightMargin - D->FLeftMargin, r.Height());
    } else if (D->Expando()->MoreFormat() == mfText) {
        TRect r = GetSectionRect(secFooterExpanded);
        r.Top += D->FVertMargin;
        r.Left += D->FHorzSpacing;
        r.Right -= D->FHorzSpacing;
        SetBounds(FMoreLinesLabel, r.Left, r.Top, r.Width(), r.Height());
    } else {
        return;
    }
    FMoreLinesLabel->show();
    if (const std::optional<QString> text = MoreText())
        FMoreLinesLabel->SetText(*text);
}

void TVxDialogEngine::PositionMoreRichEdit()
{
    if (!FMoreRichEdit)
        return;
    auto* toggle = qobject_cast<TVxCustomMoreLabel*>(FShowMoreButton);
    const bool expanded = toggle && toggle->Expanded();
    if (expanded) {
        SetBounds(FMoreRichEdit, D->FHorzSpacing, D->FClientHeight - D->FVertMargin - D->Expando()->MoreHeight(),
                  D->FClientWidth - 2 * D->FHorzSpacing, D->Expando()->MoreHeight());
        if (const std::optional<QByteArray> data = MoreData())
            FMoreRichEdit->LoadFromData(*data);
    }
    FMoreRichEdit->setVisible(expanded && D->Expando()->ShowInFooter() && !D->FExpanding && !D->FCollapsing);
}

void TVxDialogEngine::PositionFooterLabel()
{
    if (!FFooterLabel)
        return;
    const TRect r = GetSectionRect(secFooter);
    TVxFooter* footer = D->Footer();
    const int top = r.Top + D->FVertMargin + 3;
    int left, width;
    const bool rightAligned = footer->ImageAlignment() == vxImageAlignRight;
    if (footer->Icon() != tdiNone) {
        left = MulDiv(11);
        if (!(rightAligned && !RightToLeft()))
            left += FooterIconWidth() + D->FHorzSpacing;
        width = D->FClientWidth - left - D->FHorzSpacing;
        if (rightAligned || RightToLeft())
            width -= D->FHorzSpacing + FooterIconWidth();
    } else {
        left = MulDiv(11);
        width = D->FClientWidth - D->FHorzSpacing - D->FRightMargin;
    }
    const int height = D->FClientWidth > 0 ? CaptionHeight(footer->Text(), *footer->Font(), width) : MulDiv(13);
    SetBounds(FFooterLabel, left, top, width, height);
    FFooterLabel->SetText(footer->Text());
    FFooterLabel->setVisible(footer->Visible());
    FFooterLabel->setProperty("Anchors", int(D->Expando()->Visible() && D->Expando()->ShowInFooter()
                                                 ? (Qt::TopEdge | Qt::LeftEdge)
                                                 : (Qt::LeftEdge | Qt::BottomEdge)));
}

// ---------------------------------------------------------------------------------------------
// Model changes while the window shows

void TVxDialogEngine::ContentChange()
{
    TVxTaskDialogForm* form = Form();
    if (!form || D->Assigning() || D->FCalcLayout || D->FInitialisingFonts)
        return;
    const int before = D->FClientHeight;
    Resize();
    D->PositionControls();
    if (D->FClientHeight != before) {
        form->update();
        return;
    }
    if (FContentLabel) {
        FContentLabel->SetColor(D->Color());
        FContentLabel->update();
    }
    if (FContentMaxLines)
        FContentMaxLines->update();
}

void TVxDialogEngine::InstructionChange()
{
    TVxTaskDialogForm* form = Form();
    if (!form || D->Assigning() || D->FCalcLayout || D->FInitialisingFonts || !FCreatedCustomButtons)
        return;
    const int before = D->FClientHeight;
    Resize();
    D->CreateInstructionLabel();
    D->PositionControls();
    if (FInstructionLabel) {
        const TColor color = D->Instruction()->ShowAtTop() && D->Instruction()->Color() != clNone
                                 ? D->Instruction()->Color()
                                 : D->Color();
        FInstructionLabel->SetColor(color);
        FInstructionLabel->SetFont(*D->Instruction()->Font());
    }
    if (D->FClientHeight == before)
        form->update(GetSectionRect(secInstructionBand).ToQRect());
    else
        form->update();
}

void TVxDialogEngine::VerificationChange()
{
    if (!Form() || D->Assigning() || D->FCalcLayout || D->FInitialisingFonts)
        return;
    if (!D->Verification()->Visible())
        DeleteVerificationBox();
    else
        D->CreateVerificationCheckBox();
    Resize();
    D->PositionControls();
}

void TVxDialogEngine::ExpandoChange()
{
    TVxTaskDialogForm* form = Form();
    if (!form || D->Assigning() || D->FCalcLayout || D->FInitialisingFonts || D->FExpanding)
        return;
    D->FShowMoreButtonWidth = -1;
    Resize();
    D->PositionControls();
    if (D->Expando()->Visible())
        form->update(GetSectionRect(secExpandedText).ToQRect());
    if (D->Expando()->ShowInFooter() && D->Expando()->MoreFormat() == mfRTF)
        D->CreateMoreRichEdit();
}

void TVxDialogEngine::FooterChange()
{
    if (!Form() || D->Assigning() || D->FCalcLayout)
        return;
    Resize();
    if (!D->Footer()->Text().isEmpty())
        D->CreateFooterLabel();
    D->PositionControls();
}

void TVxDialogEngine::HeaderChange()
{
    FooterChange();
}

void TVxDialogEngine::ProgressChange()
{
    // The painted bars follow the model; the native bar is driven through the progress calls.
    if (D->ComponentState().Contains(csDestroying))
        return;
    TVxProgress* progress = D->Progress();
    if (auto* bar = qobject_cast<TVxProgressBar*>(FProgressBar)) {
        bar->SetMax(progress->Max());
        bar->SetPosition(progress->Position());
        bar->SetState(TVxProgressBarState(progress->State()));
        bar->SetInterval(progress->Interval());
    } else if (auto* barEx = qobject_cast<TVxProgressBarEx*>(FProgressBar)) {
        barEx->SetMax(progress->Max());
        barEx->SetPosition(progress->Position());
        barEx->SetState(TVxProgressBarState(progress->State()));
        barEx->SetInterval(int(progress->Interval()));
    }
}

void TVxDialogEngine::TimerChange()
{
    TVxTaskDialogForm* form = Form();
    if (!form)
        return;
    form->StopDialogTimer();
    if (D->FDialogOptions.Contains(doTimer))
        form->StartDialogTimer();
}
