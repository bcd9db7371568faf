#include "LivePreview.h"

#include "RenderCommand.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "VxDialogEngine.h"
#include "VxDialogRender.h"
#include "VxOptions.h"
#include "VxStdControls.h"
#include "VxTaskDialogForm.h"
#include "DrawText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace {
QString SectionName(TLiveSection Section)
{
    switch (Section) {
    case TLiveSection::Title: return QStringLiteral("Title: click to edit it on the page");
    case TLiveSection::Header: return QStringLiteral("Header: click to edit it on the page");
    case TLiveSection::HeaderIcon: return QStringLiteral("Header icon: click to choose it");
    case TLiveSection::Instruction: return QStringLiteral("Main instruction: click to edit it on the page");
    case TLiveSection::InstructionIcon: return QStringLiteral("Instruction icon: click to choose it");
    case TLiveSection::MainIcon: return QStringLiteral("Main icon: click to choose it");
    case TLiveSection::Content: return QStringLiteral("Content: click to edit it on the page");
    case TLiveSection::HelpLink: return QStringLiteral("Help link: click to edit it on the page");
    case TLiveSection::ExpandoContent: return QStringLiteral("Expanded text: click to edit it on the page");
    case TLiveSection::ExpandoFooter:
        return QStringLiteral("Expanded text in the footer: click to edit it on the page");
    case TLiveSection::Footer: return QStringLiteral("Footer: click to edit it on the page");
    case TLiveSection::FooterIcon: return QStringLiteral("Footer icon: click to choose it");
    case TLiveSection::None: break;
    }
    return {};
}

// Where a control of the hidden window shows in it: its rectangle clipped by every parent (a
// control scrolled out of a tall dialog's scroll area shows nowhere).
QRect RectInForm(QWidget* Control, QWidget* Form)
{
    if (!Control || !Form || !Form->isAncestorOf(Control) || !Control->isVisibleTo(Form))
        return {};
    QRect rect = Control->rect();
    for (QWidget* w = Control; w != Form; w = w->parentWidget()) {
        rect.translate(w->pos());
        rect &= w->parentWidget()->rect();
    }
    return rect;
}
} // namespace

TLivePreview::TLivePreview(QWidget* Parent) : QWidget(Parent), FRoot(std::make_unique<TComponent>())
{
    setObjectName(QStringLiteral("LivePreview"));
    FRoot->SetName(QStringLiteral("LivePreviewRoot"));
    FDialog = CreateDesignDialog(FRoot.get());

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    ExpandedBox = new QCheckBox(QStringLiteral("E&xpanded"), this);
    ExpandedBox->setObjectName(QStringLiteral("ExpandedBox"));
    DarkBox = new QCheckBox(QStringLiteral("Dar&k"), this);
    DarkBox->setObjectName(QStringLiteral("DarkBox"));
    RightToLeftBox = new QCheckBox(QStringLiteral("Right to le&ft"), this);
    RightToLeftBox->setObjectName(QStringLiteral("RightToLeftBox"));
    ScaleBox = new QComboBox(this);
    ScaleBox->setObjectName(QStringLiteral("ScaleBox"));
    for (const double scale : {1.0, 1.25, 1.5, 2.0})
        ScaleBox->addItem(QStringLiteral("%1%").arg(qRound(scale * 100)), scale);
    auto* scaleLabel = new QLabel(QStringLiteral("Scale:"), this);
    scaleLabel->setBuddy(ScaleBox);
    ScaleBox->setAccessibleName(QStringLiteral("Scale"));
    row->addWidget(ExpandedBox);
    row->addWidget(DarkBox);
    row->addWidget(RightToLeftBox);
    row->addStretch(1);
    row->addWidget(scaleLabel);
    row->addWidget(ScaleBox);

    FScroll = new QScrollArea(this);
    FScroll->setObjectName(QStringLiteral("LivePreviewScroll"));
    FScroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    FPictureLabel = new QLabel;
    FPictureLabel->setObjectName(QStringLiteral("LivePreviewPicture"));
    FPictureLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FPictureLabel->setWordWrap(true);
    FPictureLabel->setAccessibleName(QStringLiteral("Live preview"));
    FPictureLabel->setMouseTracking(true); // the cursor tells what a click picks
    FPictureLabel->installEventFilter(this);
    FScroll->setWidget(FPictureLabel);
    column->addWidget(FScroll, 1);

    // The picture's pixels meet the screen's one to one, so the pane starts at the screen's own
    // scale: at 100 % on a screen at 200 % the dialog would show at half the size it runs at.
    TLivePreviewLook look = FLook;
    look.Scale = devicePixelRatioF();
    SetLook(look);

    for (QCheckBox* box : {ExpandedBox, DarkBox, RightToLeftBox})
        connect(box, &QCheckBox::toggled, this, &TLivePreview::ReadLookFromControls);
    connect(ScaleBox, &QComboBox::currentIndexChanged, this, &TLivePreview::ReadLookFromControls);
}

TLivePreview::~TLivePreview() = default;

QWidget* TLivePreview::PictureWidget() const
{
    return FPictureLabel;
}

void TLivePreview::SetDesign(const TVxDialog* Base, const TDesignValues& Values)
{
    if (Base)
        FDialog->Assign(Base);
    ApplyDesignToDialog(Values, FDialog);
    FValues = Values;
    FHasDesign = true;
    ScheduleUpdate();
}

void TLivePreview::SetLook(const TLivePreviewLook& Look)
{
    if (Look == FLook)
        return;
    FLook = Look;
    FLook.Scale = qBound(1.0, FLook.Scale, 2.0);
    {
        const QSignalBlocker a(ExpandedBox), b(DarkBox), c(RightToLeftBox), d(ScaleBox);
        ExpandedBox->setChecked(FLook.Expanded);
        DarkBox->setChecked(FLook.Dark);
        RightToLeftBox->setChecked(FLook.RightToLeft);
        int nearest = 0;
        for (int i = 1; i < ScaleBox->count(); ++i)
            if (qAbs(ScaleBox->itemData(i).toDouble() - FLook.Scale)
                < qAbs(ScaleBox->itemData(nearest).toDouble() - FLook.Scale))
                nearest = i;
        ScaleBox->setCurrentIndex(nearest);
    }
    ScheduleUpdate();
}

void TLivePreview::ReadLookFromControls()
{
    TLivePreviewLook look;
    look.Expanded = ExpandedBox->isChecked();
    look.Dark = DarkBox->isChecked();
    look.RightToLeft = RightToLeftBox->isChecked();
    look.Scale = ScaleBox->currentData().toDouble();
    SetLook(look);
}

void TLivePreview::ScheduleUpdate()
{
    if (FPending)
        return;
    FPending = true;
    // After the change's own event: changes that come together (a design opened, New) draw once.
    QTimer::singleShot(0, this, [this] {
        if (FPending)
            UpdateNow();
    });
}

void TLivePreview::UpdateNow()
{
    FPending = false;
    if (!FHasDesign)
        return;
    FRegions.clear();
    FPicture = QImage();
    FPlaceholder.clear();

    // What the dialog holds of the look: its reading order and its expando.
    const TBiDiMode bidi = FDialog->BiDiMode();
    const bool showing = FDialog->Expando()->Showing();
    if (FLook.RightToLeft)
        FDialog->SetBiDiMode(bdRightToLeft);
    FDialog->Expando()->SetShowing(FLook.Expanded);
    FDialog->SetPlaySounds(false);
    const qsizetype length = DialogTextLength(FDialog);
    const int items = FDialog->CustomButtons()->Count() + FDialog->RadioButtons()->Count();
    if (length > MaxTextLength || items > MaxItems) {
        FPlaceholder = QStringLiteral("This design is too large to draw on every change (%1 characters of text, %2 "
                                      "items; the pane draws up to %3 and %4). Preview (Ctrl+P) shows it.")
                           .arg(length)
                           .arg(items)
                           .arg(MaxTextLength)
                           .arg(MaxItems);
    } else {
        InstallDialogEngine();
        const QPalette palette = FLook.Dark ? DarkPalette() : QApplication::palette();
        // The dialog's own colours come from the system colours, the styled controls' from the
        // window's palette; both take the look asked for, the designer keeps its own.
        std::optional<TSystemPaletteScope> scope;
        if (FLook.Dark)
            scope.emplace(palette);
        TVxDialogEngine* engine = TVxDialogEngine::Of(FDialog);
        TVxTaskDialogForm* form = engine ? engine->BuildHidden() : nullptr;
        if (form) {
            if (FLook.Dark)
                form->setPalette(palette);
            const double scale = FLook.Scale;
            const QSize clientSize = form->size();
            QImage client(clientSize * scale, QImage::Format_ARGB32_Premultiplied);
            client.setDevicePixelRatio(scale);
            client.fill(palette.color(QPalette::Window));
            form->render(&client);

            // A title strip stands for the window's frame, which the picture otherwise lacks.
            QFont titleFont = font();
            titleFont.setBold(true);
            const int strip = QFontMetrics(titleFont).height() + 10;
            const QPoint origin(1, strip);
            const QSize whole(clientSize.width() + 2, strip + clientSize.height() + 1);
            FPicture = QImage(whole * scale, QImage::Format_ARGB32_Premultiplied);
            FPicture.setDevicePixelRatio(scale);
            {
                QPainter painter(&FPicture);
                painter.fillRect(QRect(QPoint(), whole), palette.color(QPalette::Mid));
                painter.fillRect(QRect(1, 1, clientSize.width(), strip - 1), palette.color(QPalette::Window).darker(112));
                painter.setFont(titleFont);
                painter.setPen(palette.color(QPalette::WindowText));
                QString title = FDialog->Title();
                if (title.isEmpty())
                    title = QGuiApplication::applicationDisplayName();
                const QRect titleRect(9, 1, qMax(0, clientSize.width() - 16), strip - 1);
                painter.drawText(titleRect,
                                 Qt::AlignVCenter | (FLook.RightToLeft ? Qt::AlignRight : Qt::AlignLeft),
                                 QFontMetrics(titleFont).elidedText(title.left(1000), Qt::ElideRight, titleRect.width()));
                painter.drawImage(origin, client);
            }

            // The parts a click picks, from the engine's own layout.
            const auto section = [&](TVxDialogSection S) {
                const TRect r = engine->GetSectionRect(S);
                return QRect(r.Left, r.Top, r.Width(), r.Height());
            };
            const auto image = [&](TVxDialogSection S) {
                const TRect r = engine->GetImageRect(S);
                return QRect(r.Left, r.Top, r.Width(), r.Height());
            };
            const QRect header = section(secHeader), footer = section(secFooter), instruction = section(secInstruction);
            QRect instructionIcon;
            if (FDialog->Instruction()->GlyphAvailable() && !instruction.isEmpty())
                instructionIcon = FLook.RightToLeft
                                      ? QRect(QPoint(instruction.right() + 1, instruction.top()),
                                              QPoint(clientSize.width() - 1, instruction.bottom()))
                                      : QRect(QPoint(0, instruction.top()), QPoint(instruction.left() - 1, instruction.bottom()));
            const std::pair<QRect, TLiveSection> parts[] = {
                {section(secHelpLink), TLiveSection::HelpLink},
                {image(secHeader), TLiveSection::HeaderIcon},
                {image(secFooter), TLiveSection::FooterIcon},
                {instructionIcon, TLiveSection::InstructionIcon},
                {section(secMainIcon), TLiveSection::MainIcon},
                {section(secContent), TLiveSection::Content},
                {section(secExpandedText), TLiveSection::ExpandoContent},
                {section(secFooterExpanded), TLiveSection::ExpandoFooter},
                {header, TLiveSection::Header},
                {footer, TLiveSection::Footer},
                {instruction, TLiveSection::Instruction},
                {section(secInstructionBand), TLiveSection::Instruction},
            };
            // The items first: they stand over the sections around them.
            AddItemRegions(engine, form, origin);
            // The engine keeps the expanded text's place while the expando is closed.
            const bool open = FDialog->Expando()->Visible() && FDialog->Expando()->Showing();
            for (const auto& [rect, part] : parts)
                if (!rect.isEmpty() && (open || (part != TLiveSection::ExpandoContent && part != TLiveSection::ExpandoFooter)))
                    FRegions.push_back({rect.translated(origin), part, {}, SectionName(part)});
            FRegions.push_back({QRect(1, 1, clientSize.width(), strip - 1), TLiveSection::Title, {},
                                SectionName(TLiveSection::Title)});
        }
        if (engine)
            engine->DestroyHiddenWindow();
    }
    FDialog->SetBiDiMode(bidi);
    FDialog->Expando()->SetShowing(showing);
    ShowPicture();
    emit PictureChanged();
}

void TLivePreview::ShowPicture()
{
    if (FPicture.isNull()) {
        FPictureLabel->setPixmap(QPixmap());
        FPictureLabel->setText(FPlaceholder);
        FPictureLabel->resize(FScroll->viewport()->width(), FPictureLabel->heightForWidth(FScroll->viewport()->width()));
        return;
    }
    // Device pixels one to one: a picture at scale 2 shows twice as large on a screen at scale 1.
    QPixmap pixmap = QPixmap::fromImage(FPicture);
    pixmap.setDevicePixelRatio(FPictureLabel->devicePixelRatioF());
    FPictureLabel->setText(QString());
    FPictureLabel->setPixmap(pixmap);
    FPictureLabel->resize(pixmap.deviceIndependentSize().toSize());
}

void TLivePreview::AddItemRegions(TVxDialogEngine* Engine, QWidget* Form, const QPoint& Origin)
{
    const auto add = [&](QWidget* Control, TLiveItem Kind, int Index, const QString& Name) {
        const QRect rect = RectInForm(Control, Form);
        if (!rect.isEmpty())
            FRegions.push_back({rect.translated(Origin), TLiveSection::None, {Kind, Index}, Name});
    };
    const auto caption = [](const QString& Text) { return StripHotkey(Text).left(80); };

    const QList<QWidget*> buttons = Engine->CreatedCustomButtons();
    const QList<int> buttonItems = Engine->CreatedCustomButtonItems();
    TVxCustomButtons* customs = FDialog->CustomButtons();
    const QString kind = FDialog->DialogOptions().Contains(doCommandLinks) ? QStringLiteral("Command link")
                                                                           : QStringLiteral("Button");
    for (int i = 0; i < buttons.size() && i < buttonItems.size(); ++i) {
        const int index = buttonItems[i];
        if (index >= 0 && index < customs->Count())
            add(buttons[i], TLiveItem::CustomButton, index,
                QStringLiteral("%1 %2, \u201c%3\u201d: click to edit it in the items panel")
                    .arg(kind)
                    .arg(index + 1)
                    .arg(caption(customs->Items(index)->Caption())));
    }

    // Radio buttons stand alone, one per item, or in a group box that holds one per item.
    TVxRadioButtons* radios = FDialog->RadioButtons();
    QList<QWidget*> radioButtons = Engine->CreatedRadioButtons();
    if (auto* group = qobject_cast<TRadioGroup*>(Engine->RadioGroup()))
        for (int i = 0; i < group->Count(); ++i)
            radioButtons.append(group->Buttons(i));
    for (int i = 0; i < radioButtons.size() && i < radios->Count(); ++i)
        add(radioButtons[i], TLiveItem::RadioButton, i,
            QStringLiteral("Radio button %1, \u201c%2\u201d: click to edit it in the items panel")
                .arg(i + 1)
                .arg(caption(radios->Items(i)->Caption())));
    add(Engine->RadioGroup(), TLiveItem::RadioGroup, 0,
        QStringLiteral("Radio group: click to edit its caption in the items panel"));

    for (QWidget* button : Engine->CreatedButtonBarButtons())
        if (const std::optional<TCommonButton> kind = Engine->ButtonBarKind(button)) {
            const auto* push = qobject_cast<QAbstractButton*>(button);
            add(button, TLiveItem::CommonButton, int(*kind),
                QStringLiteral("%1 button: click to choose the default button in the items panel")
                    .arg(push ? caption(push->text()) : button->objectName()));
        }

    add(Engine->ProgressBar(), TLiveItem::ProgressBar, 0,
        QStringLiteral("Progress bar: click to edit its position in the items panel"));
    add(Engine->VerificationCheckBox(), TLiveItem::Verification, 0,
        QStringLiteral("Verification check box: click to go to it on the page"));
}

const TLivePreview::TRegion* TLivePreview::RegionAt(const QPoint& P) const
{
    for (const TRegion& region : FRegions)
        if (region.Rect.contains(P))
            return &region;
    return nullptr;
}

TLiveSection TLivePreview::SectionAt(const QPoint& P) const
{
    const TRegion* region = RegionAt(P);
    return region ? region->Section : TLiveSection::None;
}

QRect TLivePreview::SectionRect(TLiveSection Section) const
{
    for (const TRegion& region : FRegions)
        if (region.Section == Section && Section != TLiveSection::None)
            return region.Rect;
    return {};
}

TLiveItemRef TLivePreview::ItemAt(const QPoint& P) const
{
    const TRegion* region = RegionAt(P);
    return region ? region->Item : TLiveItemRef();
}

QRect TLivePreview::ItemRect(TLiveItem Kind, int Index) const
{
    for (const TRegion& region : FRegions)
        if (region.Item == TLiveItemRef{Kind, Index} && Kind != TLiveItem::None)
            return region.Rect;
    return {};
}

QString TLivePreview::PartDescription(const QPoint& P) const
{
    const TRegion* region = RegionAt(P);
    return region ? region->Name : QString();
}

QPoint TLivePreview::PicturePoint(const QPointF& WidgetPoint) const
{
    // Label pixels are device pixels over the screen's ratio; the picture's are device pixels
    // over its scale.
    return (WidgetPoint * FPictureLabel->devicePixelRatioF() / FLook.Scale).toPoint();
}

bool TLivePreview::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != FPictureLabel || FPicture.isNull())
        return QWidget::eventFilter(Watched, Event);
    switch (Event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(Event);
        if (mouse->button() != Qt::LeftButton)
            break;
        if (const TRegion* region = RegionAt(PicturePoint(mouse->position()))) {
            if (region->Item.Kind != TLiveItem::None)
                emit ItemClicked(region->Item.Kind, region->Item.Index);
            else
                emit SectionClicked(region->Section);
        }
        return true;
    }
    case QEvent::MouseMove: {
        // The hand shows where a click edits something.
        const bool part = RegionAt(PicturePoint(static_cast<QMouseEvent*>(Event)->position()));
        if (part != (FPictureLabel->cursor().shape() == Qt::PointingHandCursor)) {
            if (part)
                FPictureLabel->setCursor(Qt::PointingHandCursor);
            else
                FPictureLabel->unsetCursor();
        }
        break;
    }
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(Event);
        const QString text = PartDescription(PicturePoint(help->pos()));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, FPictureLabel);
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(Watched, Event);
}
