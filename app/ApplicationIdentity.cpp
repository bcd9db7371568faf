#include "ApplicationIdentity.h"

#include <QGuiApplication>
#include <QIcon>

QString QuillfenApplicationId()
{
    return QStringLiteral(QUILLFEN_APP_ID);
}

void SetUpApplicationIdentity()
{
    QGuiApplication::setApplicationName(QStringLiteral("Quillfen"));
    QGuiApplication::setDesktopFileName(QuillfenApplicationId());
    // The installed theme icon when there is one (it may be a desktop's own rendering), else
    // the same artwork from the resources, so a build run from its folder has it too.
    const QString resource = QStringLiteral(":/app/%1.svg").arg(QuillfenApplicationId());
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QuillfenApplicationId(), QIcon(resource)));
}
