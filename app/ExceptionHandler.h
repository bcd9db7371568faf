#pragma once
// The application's one handler for failures: it shows the message and the program goes on.
// Commands run their work through RunGuarded; anything else that escapes an event handler is
// caught by TQuillfenApplication::notify.

#include "SysUtils.h"

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

// Receives the message of every handled failure. The default shows a message box over the
// active window. Returns the handler installed before (tests install their own).
using TExceptionHandler = std::function<void(const QString& Message)>;
TExceptionHandler SetExceptionHandler(TExceptionHandler Handler);
void HandleException(const QString& Message);

template <typename F>
void RunGuarded(F&& Work)
{
    try {
        Work();
    } catch (const Exception& E) {
        HandleException(E.Message());
    } catch (const std::exception& E) {
        HandleException(QString::fromUtf8(E.what()));
    }
}

class TQuillfenApplication : public QApplication {
    Q_OBJECT
public:
    using QApplication::QApplication;
    bool notify(QObject* Receiver, QEvent* Event) override;
};
