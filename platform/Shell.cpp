#include "Shell.h"

#include "SysUtils.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QUrl>

#include <atomic>
#include <utility>

namespace {

TShellOpenHandler& OpenHandler()
{
    static TShellOpenHandler Handler;
    return Handler;
}

TBeepHandler& BeepHandler()
{
    static TBeepHandler Handler;
    return Handler;
}

std::atomic<int> BeepCount{0};

QClipboard* Clipboard()
{
    QClipboard* Board = qGuiApp ? QGuiApplication::clipboard() : nullptr;
    if (!Board)
        throw EInvalidOperation(QStringLiteral("Cannot open clipboard"));
    return Board;
}

} // namespace

bool ShellOpen(const QString& Address)
{
    const QString Trimmed = Address.trimmed();
    if (Trimmed.isEmpty())
        return false;
    // Existing relative paths win over host names, as for the shell.
    const QUrl Url = QUrl::fromUserInput(Trimmed, QDir::currentPath());
    if (!Url.isValid())
        return false;
    if (const TShellOpenHandler& Handler = OpenHandler())
        return Handler(Url);
    return QDesktopServices::openUrl(Url);
}

TShellOpenHandler SetShellOpenHandler(TShellOpenHandler Handler)
{
    return std::exchange(OpenHandler(), std::move(Handler));
}

void ClipboardSetText(const QString& Text)
{
    Clipboard()->setText(Text);
}

QString ClipboardText()
{
    return Clipboard()->text();
}

void MessageBeep(int Type)
{
    ++BeepCount;
    if (const TBeepHandler& Handler = BeepHandler())
        Handler(Type);
}

TBeepHandler SetBeepHandler(TBeepHandler Handler)
{
    return std::exchange(BeepHandler(), std::move(Handler));
}

int MessageBeepCount()
{
    return BeepCount.load();
}
