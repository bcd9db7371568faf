#pragma once
// Acts on the next modal window as soon as it is up and has the keyboard, so a test can drive
// exec() calls: keys sent to QApplication::focusWidget() from the action reach the modal window,
// never the window underneath that opened it.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

inline void WhenModalShows(std::function<void(QWidget*)> Action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, Action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !modal->isActiveWindow())
            return;
        const QWidget* focus = QApplication::focusWidget();
        if (focus && focus->window() != modal)
            return;
        timer->stop();
        timer->deleteLater();
        Action(modal);
    });
    timer->start(5);
}
