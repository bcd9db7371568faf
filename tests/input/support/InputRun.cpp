#include "InputRun.h"

#include "Screen.h"
#include "VxTaskDialogForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

int Scaled(int Value)
{
    return MulDiv(Value, PixelsPerInch(), 96);
}

QWidget* WindowOf(TVxCustomDialog* Dialog)
{
    return qobject_cast<QWidget*>(Dialog->Form());
}

int RunModal(TVxCustomDialog* Dialog, std::function<void(QWidget* Window)> Action)
{
    const auto previous = Dialog->OnDialogShow;
    Dialog->OnDialogShow = TNotifyEvent([Dialog, Action, previous](TObject* Sender) {
        if (previous)
            previous(Sender);
        QTimer::singleShot(0, [Dialog, Action] {
            if (QWidget* window = WindowOf(Dialog))
                Action(window);
            // A failed check left the window open: end the run so the test can report.
            if (QTest::currentTestFailed() && WindowOf(Dialog))
                Dialog->Close(mrCancel);
        });
    });
    const int result = Dialog->Execute(nullptr);
    Dialog->OnDialogShow = previous;
    return result;
}

QWidget* CommonButton(QWidget* Window, int AModalResult)
{
    if (!Window)
        return nullptr;
    for (auto* button : Window->findChildren<QAbstractButton*>())
        if (ControlTag(button) == AModalResult && button->isVisible())
            return button;
    return nullptr;
}

void ClickCommonButton(QWidget* Window, int AModalResult)
{
    if (auto* button = qobject_cast<QAbstractButton*>(CommonButton(Window, AModalResult)))
        button->click();
}

void AnswerNextDialog(QWidget* Except, int AModalResult, QString* Seen)
{
    QPointer<QWidget> except = Except;
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, except, AModalResult, Seen] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<TVxTaskDialogForm*>(w);
            if (!form || form == except || !form->isVisible())
                continue;
            QWidget* button = CommonButton(form, AModalResult);
            if (!button)
                continue;
            timer->stop();
            timer->deleteLater();
            if (Seen)
                form->GetDialogText(*Seen);
            qobject_cast<QAbstractButton*>(button)->click();
            return;
        }
    });
    timer->start(5);
}
