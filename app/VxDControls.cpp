#include "VxDControls.h"

#include "DesignValues.h"
#include "TextContrast.h"
#include "private/AsciiText.h"
#include "private/ElidedText.h"
#include "private/SectionAccessible.h"
#include "private/StockIconSource.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QValidator>

#include <climits>

int IconResourceId(const QString& Name)
{
    static const struct {
        const char* Name;
        int Id;
    } table[] = {{"Information", 104}, {"Confirmation", 102}, {"Warning", 101}, {"Error", 103}, {"Shield", 106}};
    for (const auto& entry : table)
        if (AsciiSameText(Name, QLatin1String(entry.Name)))
            return entry.Id;
    return 0;
}

namespace {
// What a one-line editor holds is what the section stores: a pasted line break becomes a space
// as it arrives, so the field never shows one line while holding two.
class TOneLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& Input, int& Pos) const override
    {
        const QString before = Input.left(Pos);
        const QString shown = SingleLineSectionText(Input);
        if (shown != Input) {
            Pos = int(SingleLineSectionText(before).size());
            Input = shown;
        }
        return Acceptable;
    }
};
} // namespace

namespace SectionGeometry {
QRect FrameRect(const QRect& Client)
{
    return Client.adjusted(2, 2, -2, -2);
}

QRect TextRect(const QRect& Client)
{
    return FrameRect(Client).adjusted(8, 3, -8, -2);
}

QRect IconCaptionRect(const QRect& Client)
{
    return FrameRect(Client).adjusted(0, 4, 0, 0);
}

QPoint IconTopLeft(const QSize& Client, int IconSize)
{
    // Integer division rounding toward zero, as the stored layout does.
    return {(Client.width() - IconSize) / 2, (Client.height() - IconSize) / 2};
}

int IconSize(TVxDEditType EditType)
{
    switch (EditType) {
    case etIcon:
        return 32;
    case etSmallIcon:
        return 16;
    default:
        return 0;
    }
}

QRect EditorRect(const QSize& Client)
{
    return {8, 8, Client.width() - 16, Client.height() - 16};
}
} // namespace SectionGeometry

TVxDCustomSectionControl::TVxDCustomSectionControl(QWidget* Parent) : QWidget(Parent)
{
    resize(100, 50);
    QFont f(QStringLiteral("Segoe UI"));
    f.setPointSize(9);
    setFont(f);
    FEditValueFont = f;
    FFontColor = palette().color(QPalette::WindowText);
    FEditValueColor = FFontColor;
    setAttribute(Qt::WA_OpaquePaintEvent); // the paint fills everything
    // Sections are reached with Tab and edited with Enter or F2 as well as with the mouse.
    setFocusPolicy(Qt::StrongFocus);
    InstallSectionAccessible();
}

TVxDCustomSectionControl::~TVxDCustomSectionControl()
{
    // The editor must not report its focus loss to a half-destroyed section.
    DestroyEditor();
}

void TVxDCustomSectionControl::SetCaption(const QString& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    update();
}

QString TVxDCustomSectionControl::StoredText(const QString& Text) const
{
    switch (FEditType) {
    case etText:
        return MultiLineSectionText(Text);
    case etSingleText:
        return SingleLineSectionText(Text);
    default:
        return Text;
    }
}

void TVxDCustomSectionControl::SetEditType(TVxDEditType Value)
{
    if (FEditType == Value)
        return;
    FEditType = Value;
    DestroyEditor(); // the next edit creates one of the right kind
    update();
}

void TVxDCustomSectionControl::SetEditValue(const QString& AValue)
{
    const QString Value = StoredText(AValue);
    // An editor holding typed text that was never stored is brought in line as well, so that
    // clearing a section (New) also clears an edit in progress.
    if (FEditValue == Value && (!FEditor || EditorText() == Value))
        return;
    const bool changed = FEditValue != Value;
    FEditValue = Value;
    if (FEditor)
        SetEditorText(Value);
    update();
    if (changed)
        Q_EMIT EditValueChanged();
}

void TVxDCustomSectionControl::SetEditValueFont(const QFont& Value)
{
    FEditValueFont = Value;
    update();
}

void TVxDCustomSectionControl::SetEditValueColor(const QColor& Value)
{
    FEditValueColor = Value;
    update();
}

void TVxDCustomSectionControl::SetFontColor(const QColor& Value)
{
    FFontColor = Value;
    update();
}

void TVxDCustomSectionControl::SetIsEditing(bool Value)
{
    if (Value == FIsEditing)
        return;
    if (Value)
        BeginEdit();
    else
        EndEdit();
}

void TVxDCustomSectionControl::BeginEdit()
{
    if (!isEnabled())
        return;
    if (!FEditor) {
        if (FEditType == etText) {
            auto* memo = new QPlainTextEdit(this);
            memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            memo->setTabChangesFocus(true);
            FEditor = memo;
        } else {
            auto* edit = new QLineEdit(this);
            edit->setValidator(new TOneLineValidator(edit));
            edit->setMaxLength(INT_MAX); // the default 32,767 would cut a longer title
            FEditor = edit;
        }
        FEditor->setObjectName(QStringLiteral("Editor"));
        if (auto* memo = qobject_cast<QPlainTextEdit*>(FEditor))
            connect(memo, &QPlainTextEdit::textChanged, this, &TVxDCustomSectionControl::DraftChanged);
        else
            connect(static_cast<QLineEdit*>(FEditor), &QLineEdit::textChanged, this,
                    &TVxDCustomSectionControl::DraftChanged);
        QFont f = font();
        f.setPointSize(8);
        FEditor->setFont(f);
        FEditor->setGeometry(SectionGeometry::EditorRect(size()));
        FEditor->installEventFilter(this);
        // Tab from the editor goes on to the control after the section.
        if (window() != FEditor)
            QWidget::setTabOrder(this, FEditor);
    }
    FEditor->show();
    FEditor->setFocus(Qt::OtherFocusReason);
    FIsEditing = true;
}

void TVxDCustomSectionControl::EndEdit()
{
    if (FEnding)
        return;
    FEnding = true;
    bool changed = false;
    if (FEditor) {
        const QString text = EditorText();
        changed = text != FEditValue;
        FEditValue = text; // directly: the value may equal the old one
        FEditor->hide();
    }
    FIsEditing = false;
    FEnding = false;
    update();
    if (changed)
        Q_EMIT EditValueChanged();
}

void TVxDCustomSectionControl::DestroyEditor()
{
    if (!FEditor)
        return;
    QWidget* editor = FEditor;
    FEditor = nullptr;
    editor->removeEventFilter(this);
    delete editor;
}

QString TVxDCustomSectionControl::EditorText() const
{
    // The editors break lines with LF; the section stores its own kind of break.
    if (auto* memo = qobject_cast<QPlainTextEdit*>(FEditor))
        return StoredText(memo->toPlainText());
    if (auto* edit = qobject_cast<QLineEdit*>(FEditor))
        return StoredText(edit->text());
    return {};
}

void TVxDCustomSectionControl::SetEditorText(const QString& Text)
{
    if (auto* memo = qobject_cast<QPlainTextEdit*>(FEditor))
        memo->setPlainText(QString(Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    else if (auto* edit = qobject_cast<QLineEdit*>(FEditor))
        edit->setText(Text);
}

QString TVxDCustomSectionControl::DraftValue() const
{
    return FIsEditing && FEditor ? EditorText() : FEditValue;
}

QString TVxDCustomSectionControl::DisplayText(bool* IsValue) const
{
    const bool value = FEditor && !EditorText().isEmpty();
    if (IsValue)
        *IsValue = value;
    return value ? FEditValue : QStringLiteral("[ ") + FCaption + QStringLiteral(" ]");
}

void TVxDCustomSectionControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter);
}

void TVxDCustomSectionControl::Paint(QPainter& Painter)
{
    const QRect client = rect();
    const QPalette& pal = palette();
    const QColor grayText = pal.color(QPalette::Disabled, QPalette::Text);
    const QColor base = pal.color(QPalette::Active, QPalette::Base);
    // The value colours (the instruction's dark blue, the help link's blue) are made for light
    // pages; on a dark one they lighten until they read.
    auto readable = [&](const QColor& Color) { return PaletteIsDark() ? ReadableOn(Color, base) : Color; };
    const bool enabled = isEnabled();
    if (!FEditValue.isEmpty() && enabled) {
        Painter.setFont(FEditValueFont);
        Painter.setPen(readable(FEditValueColor));
    } else {
        Painter.setFont(font());
        Painter.setPen(enabled ? readable(FFontColor) : grayText);
    }
    const QPen textPen = Painter.pen();

    Painter.fillRect(client, base);

    QPen frame(enabled ? QColor(0x80, 0x80, 0x80) : grayText);
    frame.setStyle(Qt::DashLine);
    frame.setWidth(0);
    Painter.setPen(frame);
    Painter.setBrush(Qt::NoBrush);
    const QRect r = SectionGeometry::FrameRect(client);
    // A corner ellipse of 3 by 3; Qt's rectangle spans one pixel more than the Windows one.
    Painter.drawRoundedRect(QRectF(r).adjusted(0, 0, -1, -1), 1.5, 1.5);
    if (hasFocus() && !FIsEditing) {
        // The keyboard focus: a solid frame in the highlight colour over the dashed one.
        QPen focus(pal.color(QPalette::Active, QPalette::Highlight));
        focus.setWidth(2);
        Painter.setPen(focus);
        Painter.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -1.5, -1.5), 1.5, 1.5);
    }
    Painter.setPen(textPen);

    if (FEditType == etText || FEditType == etSingleText) {
        // The editor stands over the text; the rows of the text above it would show cut.
        if (FIsEditing && FEditor && !FEditor->isHidden())
            return;
        bool isValue = false;
        const QString text = DisplayText(&isValue);
        const QRect tr = SectionGeometry::TextRect(client);
        if (!isValue)
            DrawSingleLineElided(Painter, tr, text, Qt::AlignHCenter);
        else if (FEditType == etText)
            DrawWordBreakElided(Painter, tr, text);
        else
            DrawSingleLineElided(Painter, tr, text, Qt::AlignLeft);
        return;
    }

    bool drawn = false;
    if (!FEditValue.isEmpty()) {
        const int size = SectionGeometry::IconSize(FEditType);
        const QPixmap icon = StockIconPixmap(IconResourceId(FEditValue), size);
        if (!icon.isNull()) {
            Painter.drawPixmap(QRect(SectionGeometry::IconTopLeft(client.size(), size), QSize(size, size)), icon);
            drawn = true;
        }
    }
    if (!drawn)
        DrawSingleLineElided(Painter, SectionGeometry::IconCaptionRect(client), FCaption, Qt::AlignHCenter);
}

void TVxDCustomSectionControl::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton)
        FPressed = true;
    FSwallowRelease = false; // a new press: its release is a click again
    QWidget::mousePressEvent(Event);
}

void TVxDCustomSectionControl::mouseReleaseEvent(QMouseEvent* Event)
{
    const bool clicked = Event->button() == Qt::LeftButton && FPressed && rect().contains(Event->position().toPoint());
    FPressed = false;
    if (FSwallowRelease) {
        // The release that ends a double click is not a click of its own.
        FSwallowRelease = false;
        return;
    }
    if (clicked)
        Click();
    QWidget::mouseReleaseEvent(Event);
}

void TVxDCustomSectionControl::mouseDoubleClickEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(Event);
        return;
    }
    FSwallowRelease = true;
    DblClick();
}

void TVxDCustomSectionControl::Click()
{
    EndEdit();
    OnClick(this);
}

void TVxDCustomSectionControl::DblClick()
{
    if (!isEnabled())
        return;
    bool handled = false;
    OnShowEdit(this, handled);
    if (!handled)
        BeginEdit();
}

void TVxDCustomSectionControl::keyPressEvent(QKeyEvent* Event)
{
    const int key = Event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2)
        && (Event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // The keyboard's double click: the owner may take the request over (the icon picker).
        DblClick();
        return;
    }
    QWidget::keyPressEvent(Event);
}

void TVxDCustomSectionControl::focusInEvent(QFocusEvent* Event)
{
    update();
    QWidget::focusInEvent(Event);
}

void TVxDCustomSectionControl::focusOutEvent(QFocusEvent* Event)
{
    update();
    QWidget::focusOutEvent(Event);
}

void TVxDCustomSectionControl::resizeEvent(QResizeEvent* Event)
{
    if (FEditor)
        FEditor->setGeometry(SectionGeometry::EditorRect(size()));
    QWidget::resizeEvent(Event);
}

void TVxDCustomSectionControl::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(Event);
}

bool TVxDCustomSectionControl::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FEditor) {
        if (Event->type() == QEvent::FocusOut) {
            // Leaving the editor ends the edit; a window losing activation does not.
            const auto reason = static_cast<QFocusEvent*>(Event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && FEditor->isVisible())
                EndEdit();
        } else if (Event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(Event)->key();
            // Escape leaves any editor (keeping what it holds, as leaving it with the mouse
            // does); Enter leaves a one-line editor. The keyboard stays on the section.
            if (key == Qt::Key_Escape
                || (FEditType == etSingleText && (key == Qt::Key_Return || key == Qt::Key_Enter))) {
                setFocus(Qt::OtherFocusReason);
                EndEdit();
                return true; // the editor does not see the key
            }
        }
    }
    return QWidget::eventFilter(Watched, Event);
}
