#include "ExceptionHandler.h"

#include <QMessageBox>

namespace {
TExceptionHandler& CurrentHandler()
{
    static TExceptionHandler handler;
    return handler;
}
} // namespace

TExceptionHandler SetExceptionHandler(TExceptionHandler Handler)
{
    TExceptionHandler old = std::move(CurrentHandler());
    CurrentHandler() = std::move(Handler);
    return old;
}

void HandleException(const QString& Message)
{
    if (CurrentHandler()) {
        CurrentHandler()(Message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), Message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool TQuillfenApplication::notify(QObject* Receiver, QEvent* Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const Exception& E) {
        HandleException(E.Message());
    } catch (const std::exception& E) {
        HandleException(QString::fromUtf8(E.what()));
    }
    return false;
}
