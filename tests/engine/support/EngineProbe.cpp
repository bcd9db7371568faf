#include "EngineProbe.h"

#include "Screen.h"
#include "VxTaskDialogForm.h"

#include <QScopeGuard>
#include <QTimer>

int Scaled(int Value)
{
    return MulDiv(Value, PixelsPerInch(), 96);
}

QWidget* WindowOf(TVxCustomDialog* Dialog)
{
    return qobject_cast<QWidget*>(Dialog->Form());
}

int RunModal(TVxCustomDialog* Dialog, std::function<void(QWidget* Window)> Action, QObject* Owner)
{
    const auto previous = Dialog->OnDialogShow;
    Dialog->OnDialogShow = TNotifyEvent([Dialog, Action, previous](TObject* Sender) {
        if (previous)
            previous(Sender);
        // After the show handler returns, inside the modal loop.
        QTimer::singleShot(0, [Dialog, Action] {
            if (QWidget* window = WindowOf(Dialog))
                Action(window);
        });
    });
    // The handler goes back also when the run raises.
    const auto restore = qScopeGuard([Dialog, previous] { Dialog->OnDialogShow = previous; });
    return Dialog->Execute(Owner);
}
