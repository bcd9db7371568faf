#pragma once
// Acts on the next modal window as soon as it is up, so a test can drive exec() calls.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

inline void WhenModalShows(std::function<void(QWidget*)> Action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, Action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        Action(modal);
    });
    timer->start(5);
}
