#pragma once
// Runs the built program as a shell script would, with no display unless a Qt platform is
// chosen, and keeps what it said and how it ended.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct Run {
    int ExitCode = -1; // -1: it crashed or ran for more than a minute
    QString Out;
    QString Err;
};

// No X, no Wayland, no chosen Qt platform; with Platform the program runs on that Qt platform,
// with Language in that user language.
inline QProcessEnvironment CommandEnvironment(const QString& Platform = QString(), const QString& Language = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (!Platform.isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), Platform);
    if (!Language.isEmpty()) {
        env.insert(QStringLiteral("LANGUAGE"), Language);
        env.remove(QStringLiteral("LC_ALL"));
        env.remove(QStringLiteral("LC_MESSAGES"));
        env.insert(QStringLiteral("LANG"), Language + QStringLiteral(".UTF-8"));
    }
    return env;
}

// Starts Program with Args in P (already given its environment and redirections) and waits for
// its end.
inline Run RunToEnd(QProcess& P, const QString& Program, const QStringList& Args)
{
    if (P.processEnvironment().isEmpty())
        P.setProcessEnvironment(CommandEnvironment());
    P.start(Program, Args);
    Run r;
    if (!P.waitForFinished(60000) || P.exitStatus() != QProcess::NormalExit)
        return r;
    r.ExitCode = P.exitCode();
    r.Out = QString::fromUtf8(P.readAllStandardOutput());
    r.Err = QString::fromUtf8(P.readAllStandardError());
    return r;
}
