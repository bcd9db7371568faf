#pragma once
// A screen of a chosen size and scale for the offscreen platform, whose own screen is 800 x 600
// at scale 1. Call before the application object exists; on any other platform nothing changes.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

inline void UseOffscreenScreen(const QTemporaryDir& Folder, int Width, int Height, double Scale = 1.0)
{
    if (qEnvironmentVariable("QT_QPA_PLATFORM") != QLatin1String("offscreen") || !Folder.isValid())
        return;
    const QString file = Folder.filePath(QStringLiteral("screens.json"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return;
    out.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1, "height": %2,)"
                             R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": %3}]})")
                  .arg(Width)
                  .arg(Height)
                  .arg(Scale)
                  .toUtf8());
    out.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(file));
}
