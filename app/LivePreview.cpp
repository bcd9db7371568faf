#include "LivePreview.h"

#include "RenderCommand.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "VxDialogEngine.h"
#include "VxDialogRender.h"
#include "VxOptions.h"
#include "VxTaskDialogForm.h"

#include <QApplication>
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
    FPictureLabel->setCursor(Qt::PointingHandCursor);
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
            // The engine keeps the expanded text's place while the expando is closed.
            const bool open = FDialog->Expando()->Visible() && FDialog->Expando()->Showing();
            for (const auto& [rect, part] : parts)
                if (!rect.isEmpty() && (open || (part != TLiveSection::ExpandoContent && part != TLiveSection::ExpandoFooter)))
                    FRegions.emplace_back(rect.translated(origin), part);
            FRegions.emplace_back(QRect(1, 1, clientSize.width(), strip - 1), TLiveSection::Title);
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

TLiveSection TLivePreview::SectionAt(const QPoint& P) const
{
    for (const auto& [rect, part] : FRegions)
        if (rect.contains(P))
            return part;
    return TLiveSection::None;
}

QRect TLivePreview::SectionRect(TLiveSection Section) const
{
    for (const auto& [rect, part] : FRegions)
        if (part == Section)
            return rect;
    return {};
}

bool TLivePreview::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FPictureLabel && Event->type() == QEvent::MouseButtonRelease && !FPicture.isNull()) {
        const auto* mouse = static_cast<QMouseEvent*>(Event);
        if (mouse->button() == Qt::LeftButton) {
            // Label pixels are device pixels over the screen's ratio; the picture's are device
            // pixels over its scale.
            const QPointF device = mouse->position() * FPictureLabel->devicePixelRatioF();
            const TLiveSection part = SectionAt((device / FLook.Scale).toPoint());
            if (part != TLiveSection::None)
                emit SectionClicked(part);
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}
