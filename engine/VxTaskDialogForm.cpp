#include "VxTaskDialogForm.h"

#include "Shell.h"
#include "VxCommandLinkButton.h"
#include "VxDialogEngine.h"
#include "VxOptions.h"

#include <QAbstractButton>
#include <QPushButton>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>

namespace {

// The platform's private window messages travel as posted events.
class DialogMessageEvent : public QEvent {
public:
    static QEvent::Type EventType()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }
    explicit DialogMessageEvent(int AMessage) : QEvent(EventType()), Message(AMessage) {}
    int Message;
};

constexpr quint16 VK_MENU = 0x12;
constexpr quint16 VK_F4 = 0x73;

} // namespace

quint32 VxTickCount()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    // Never 0, which stands for "no tick yet".
    return quint32(clock.elapsed()) + 1;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers)
{
    TShiftState shift;
    if (Modifiers & Qt::ShiftModifier)
        shift.Include(ssShift);
    if (Modifiers & Qt::AltModifier)
        shift.Include(ssAlt);
    if (Modifiers & Qt::ControlModifier)
        shift.Include(ssCtrl);
    return shift;
}

quint16 VirtualKeyOf(int QtKey)
{
    if ((QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) || (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9))
        return quint16(QtKey);
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24)
        return quint16(0x70 + (QtKey - Qt::Key_F1));
    switch (QtKey) {
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_Tab: return 0x09;
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Delete: return 0x2E;
    default: return 0;
    }
}

TVxCustomTaskDialogForm::TVxCustomTaskDialogForm(QWidget* Parent) : QDialog(Parent) {}

TVxTaskDialogForm::TVxTaskDialogForm(QWidget* Parent) : TVxCustomTaskDialogForm(Parent)
{
    // Painting covers the whole client area; nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setSizeGripEnabled(false);
    // Key preview: the window sees keys before its controls.
    qApp->installEventFilter(this);
}

TVxTaskDialogForm* TVxTaskDialogForm::CreateNew(QWidget* AOwner)
{
    return new TVxTaskDialogForm(AOwner ? AOwner->window() : nullptr);
}

TVxTaskDialogForm::~TVxTaskDialogForm()
{
    qApp->removeEventFilter(this);
    FTimer.stop();
    if (OnDestroyHandler) {
        const auto handler = std::move(OnDestroyHandler);
        OnDestroyHandler = nullptr;
        handler();
    }
}

void TVxTaskDialogForm::SetDialog(TVxCustomDialog* ADialog, TVxDialogEngine* AEngine)
{
    FDialog = ADialog;
    FEngine = AEngine;
}

void TVxTaskDialogForm::GetDialogText(QString& Text)
{
    Text = FEngine ? FEngine->GetDialogText() : QString();
}

void TVxTaskDialogForm::DoClientClick(const QPoint& APt)
{
    if (OnClientClick)
        OnClientClick(this, APt);
}

void TVxTaskDialogForm::StartDialogTimer()
{
    if (!FDialog)
        return;
    // A zero interval would tick on every pass of the event loop; the platform's timer has a
    // minimum of 10 milliseconds, and so has this one.
    constexpr quint32 MinimumInterval = 10;
    const quint32 interval = qBound<quint32>(MinimumInterval, FDialog->Timer()->Interval(), quint32(INT_MAX));
    FTimerInterval = int(interval);
    FTimer.start(FTimerInterval, Qt::PreciseTimer, this);
}

void TVxTaskDialogForm::StopDialogTimer()
{
    FTimer.stop();
}

void TVxTaskDialogForm::PostDialogMessage(int Message)
{
    QCoreApplication::postEvent(this, new DialogMessageEvent(Message));
}

void TVxTaskDialogForm::CloseFromCode()
{
    FClosingFromCode = true;
    close();
    FClosingFromCode = false;
}

void TVxTaskDialogForm::paintEvent(QPaintEvent*)
{
    if (!FDialog || !FEngine) {
        close();
        return;
    }
    QPainter painter(this);
    FEngine->PaintDialog(painter);
    ++FPaintCount;
    if (OnPainted)
        OnPainted();
}

void TVxTaskDialogForm::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    if (!Event->spontaneous() && OnShowHandler)
        OnShowHandler();
}

void TVxTaskDialogForm::closeEvent(QCloseEvent* Event)
{
    if (!FDialog) {
        QDialog::closeEvent(Event);
        return;
    }
    // The window manager's close box and Alt+F4 are refused when the dialog cannot be cancelled.
    if (!FClosingFromCode && Event->spontaneous() && !FDialog->AllowCancel()) {
        Event->ignore();
        return;
    }
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(canClose);
    if (!canClose) {
        Event->ignore();
        return;
    }
    if (OnCloseHandler)
        OnCloseHandler();
    // QDialog ends its modal loop (reject) and hides.
    QDialog::closeEvent(Event);
    if (Event->isAccepted() && FDialog && !FDialog->DialogOptions().Contains(doModal))
        PostDialogMessage(WM_DIALOG_RELEASE);
}

void TVxTaskDialogForm::keyPressEvent(QKeyEvent* Event)
{
    switch (Event->key()) {
    case Qt::Key_Escape: {
        // Escape clicks the cancel button; without one it closes the window when the dialog may
        // be cancelled, and does nothing otherwise (QDialog would reject in every case).
        if (Event->modifiers() != Qt::NoModifier)
            break;
        for (QWidget* w : findChildren<QWidget*>()) {
            if (!w->property("Cancel").toBool() || !w->isVisible() || !w->isEnabled())
                continue;
            if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                button->click();
                return;
            }
            if (auto* link = qobject_cast<TVxCustomCommandLinkButton*>(w)) {
                link->Click();
                return;
            }
        }
        if (FDialog && FDialog->AllowCancel())
            close();
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // QDialog clicks its default push button, and takes the key even when it has none; a
        // default command link takes it then, wherever the focus is.
        bool defaultButton = false;
        for (auto* button : findChildren<QPushButton*>())
            if (button->isDefault() && button->isVisible())
                defaultButton = true;
        if (!defaultButton && (Event->modifiers() == Qt::NoModifier || Event->modifiers() == Qt::KeypadModifier)) {
            for (auto* link : findChildren<TVxCustomCommandLinkButton*>())
                if (link->Default() && link->isVisible() && link->isEnabled()) {
                    Event->accept();
                    link->Click();
                    return;
                }
        }
        QDialog::keyPressEvent(Event);
        return;
    }
    default:
        break;
    }
    QDialog::keyPressEvent(Event);
}

void TVxTaskDialogForm::mouseReleaseEvent(QMouseEvent* Event)
{
    QDialog::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        DoClientClick(Event->globalPosition().toPoint());
}

void TVxTaskDialogForm::timerEvent(QTimerEvent* Event)
{
    if (Event->timerId() != FTimer.timerId()) {
        QDialog::timerEvent(Event);
        return;
    }
    if (!FDialog)
        return;
    quint32 elapsed = 0;
    if (FTickClock.isValid())
        elapsed = quint32(qMin<qint64>(FTickClock.restart(), qint64(UINT_MAX)));
    else
        FTickClock.start();
    FLastTimer = VxTickCount();
    // The handler may close the dialog and free this window: nothing of it is used afterwards.
    TVxCustomDialog* dialog = FDialog;
    FEngine->Guarded([dialog, elapsed] { dialog->DoTimer(elapsed); });
}

void TVxTaskDialogForm::changeEvent(QEvent* Event)
{
    QDialog::changeEvent(Event);
    if (Event->type() == QEvent::ActivationChange && FEngine)
        for (QWidget* button : FEngine->CreatedCustomButtons())
            button->update();
}

void TVxTaskDialogForm::resizeEvent(QResizeEvent* Event)
{
    QDialog::resizeEvent(Event);
    const QSize old = Event->oldSize();
    if (!isVisible() || !old.isValid() || old.height() == height())
        return;
    const int dy = height() - old.height();
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow())
            continue;
        const QVariant anchors = w->property("Anchors");
        if (!anchors.isValid())
            continue;
        const auto edges = Qt::Edges(anchors.toInt());
        if ((edges & Qt::BottomEdge) && !(edges & Qt::TopEdge))
            w->move(w->x(), w->y() + dy);
    }
}

bool TVxTaskDialogForm::event(QEvent* Event)
{
    if (Event->type() == DialogMessageEvent::EventType()) {
        switch (static_cast<DialogMessageEvent*>(Event)->Message) {
        case WM_DIALOG_SNAPCURSOR: SnapCursor(); break;
        case WM_DIALOG_RELEASE: Release(); break;
        default: break;
        }
        return true;
    }
    return QDialog::event(Event);
}

bool TVxTaskDialogForm::eventFilter(QObject* Watched, QEvent* Event)
{
    const QEvent::Type type = Event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && Watched->isWidgetType() &&
        static_cast<QWidget*>(Watched)->window() == this) {
        // A key travels from the focus widget up to the window; the window previews it once, at
        // the widget it is delivered to first.
        QWidget* focus = QApplication::focusWidget();
        const QWidget* first = focus && focus->window() == this ? focus : this;
        if (Watched == first) {
            auto* keyEvent = static_cast<QKeyEvent*>(Event);
            quint16 key = VirtualKeyOf(keyEvent->key());
            const TShiftState shift = ShiftStateOf(keyEvent->modifiers());
            if (type == QEvent::KeyPress) {
                if (KeyDown(key, shift))
                    return true;
            } else if (!keyEvent->isAutoRepeat() && OnKeyUp) {
                OnKeyUp(key, shift);
            }
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

bool TVxTaskDialogForm::KeyDown(quint16& Key, TShiftState Shift)
{
    if (!FDialog)
        return false;
    if (Shift == TShiftState{ssCtrl} && Key == quint16('C')) {
        MessageBeep(0);
        // Reading the expanded information runs the dialog's file or stream handler, which may
        // close the dialog and free this window; the key then goes no further.
        const QPointer<TVxTaskDialogForm> self(this);
        QString text;
        GetDialogText(text);
        ClipboardSetText(text);
        return !self;
    }
    if (Shift == TShiftState{ssAlt}) {
        if (Key == VK_F4) {
            if (!FDialog->AllowCancel()) {
                Key = 0;
                return true;
            }
            // Without a window manager to do it, Alt+F4 closes like the system menu.
            close();
            return true;
        }
        for (QWidget* link : FEngine->CreatedCustomButtons())
            if (link->metaObject()->indexOfProperty("ShowHotKey") >= 0)
                link->setProperty("ShowHotKey", true);
    }
    return false;
}

void TVxTaskDialogForm::SnapCursor()
{
    // The pointer snaps to the default button only where the platform theme asks for it, and QDialog
    // already follows that hint for its default QPushButton when it shows; nothing is left to do
    // here without the theme's private interface.
}

void TVxTaskDialogForm::Release()
{
    if (!FDialog || !FEngine)
        return;
    if (FDialog->DialogOptions().Contains(doTimer))
        StopDialogTimer();
    FDialog->SetForm(nullptr);
    delete this;
}
