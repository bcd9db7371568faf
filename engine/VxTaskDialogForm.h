#pragma once
/// The top-level window of a running dialog. It has no layout of its own: painting, clicks, keys,
/// timer ticks and closing go to its dialog component, which paints its bands into one off-screen
/// image per paint. \file

#include "Classes.h"
#include "VxDialog.h"

#include <QBasicTimer>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

#include <functional>

class TVxDialogEngine;

class TVxCustomTaskDialogForm : public QDialog, public TObject {
    Q_OBJECT
public:
    explicit TVxCustomTaskDialogForm(QWidget* Parent = nullptr);
};

class TVxTaskDialogForm : public TVxCustomTaskDialogForm {
    Q_OBJECT
public:
    /// A window without a designed layout. A window owner makes it the transient parent.
    static TVxTaskDialogForm* CreateNew(QWidget* AOwner);
    ~TVxTaskDialogForm() override;

    TVxCustomDialog* Dialog() const { return FDialog; }
    void SetDialog(TVxCustomDialog* ADialog, TVxDialogEngine* AEngine);
    /// The owner the run was given (a component or a window); used to name the window.
    QObject* OwnerRef() const { return FOwnerRef.data(); }
    void SetOwnerRef(QObject* Value) { FOwnerRef = Value; }

    /// The clipboard text of Ctrl+C.
    virtual void GetDialogText(QString& Text);
    /// Fires OnClientClick with a screen position.
    virtual void DoClientClick(const QPoint& APt);

    void StartDialogTimer();
    void StopDialogTimer();
    bool DialogTimerActive() const { return FTimer.isActive(); }
    /// The milliseconds the running timer ticks at; 0 while it is stopped.
    int DialogTimerInterval() const { return FTimer.isActive() ? FTimerInterval : 0; }

    /// Tick count (milliseconds since the process started) of the previous timer tick; 0 before
    /// the first.
    quint32 FLastTimer = 0;

    std::function<void(TObject* Sender, const QPoint& APt)> OnClientClick;
    std::function<void()> OnShowHandler;
    std::function<void(bool& CanClose)> OnCloseQuery;
    std::function<void()> OnCloseHandler;
    std::function<void()> OnDestroyHandler;
    std::function<void(quint16& Key, TShiftState Shift)> OnKeyUp;

    /// Called when the window becomes visible (after focus and sound): counts first paints for the
    /// benchmark and lets tests wait for them.
    int PaintCount() const { return FPaintCount; }
    std::function<void()> OnPainted;

    /// The platform's private messages.
    static constexpr int WM_DIALOG_SNAPCURSOR = 0x0400 + 43;
    static constexpr int WM_DIALOG_RELEASE = 0x0400 + 47;
    void PostDialogMessage(int Message);

    /// Tells the window that a close that did not come from the user is under way (Close of the
    /// component), so AllowCancel does not stop it.
    void CloseFromCode();

protected:
    explicit TVxTaskDialogForm(QWidget* Parent);

    void paintEvent(QPaintEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void timerEvent(QTimerEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    /// Anchors: while the window height changes between placements (the expand animation),
    /// controls anchored to the bottom edge keep their distance from it.
    void resizeEvent(QResizeEvent* Event) override;
    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

    /// The platform's KeyDown with key preview: Ctrl+C copies, Alt+F4 is swallowed when the
    /// dialog cannot be cancelled, Alt shows the command links' hot keys. Returns True when the
    /// key was swallowed.
    virtual bool KeyDown(quint16& Key, TShiftState Shift);

private:
    void SnapCursor();
    void Release();

    TVxCustomDialog* FDialog = nullptr;
    TVxDialogEngine* FEngine = nullptr;
    QPointer<QObject> FOwnerRef;
    QBasicTimer FTimer;
    int FTimerInterval = 0;
    /// Measures the time between ticks (monotonic); invalid before the first tick.
    QElapsedTimer FTickClock;
    bool FClosingFromCode = false;
    int FPaintCount = 0;
};

/// The process's tick count in milliseconds (GetTickCount).
quint32 VxTickCount();
/// The shift state of a key or mouse event's modifiers.
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers);
/// The platform's virtual key code of a Qt key (letters and digits as upper-case characters).
quint16 VirtualKeyOf(int QtKey);
