#pragma once
/// The shell services the dialogs use: opening an address, the plain-text clipboard and the
/// message beep. Opening and beeping go through replaceable handlers so that tests (and the
/// application, for the beep) decide what really happens. \file

#include <QString>

#include <functional>

class QUrl;

/// Opens Address as the shell's "open" verb does: a URL with a scheme ("https://...",
/// "mailto:..."), a local file or folder path (absolute, or relative to the working directory), or
/// a host name such as "www.example.com" (opened as http). Returns whether the address was
/// understood and handed on successfully; an empty address opens nothing and returns false.
bool ShellOpen(const QString& Address);

/// Receives the resolved URL instead of the desktop. An empty handler restores the desktop
/// (QDesktopServices::openUrl). Returns the handler that was installed before.
using TShellOpenHandler = std::function<bool(const QUrl&)>;
TShellOpenHandler SetShellOpenHandler(TShellOpenHandler Handler);

/// The system clipboard as plain text (replacing its whole contents). Both need a running
/// QGuiApplication; without one they raise EInvalidOperation "Cannot open clipboard".
void ClipboardSetText(const QString& Text);
QString ClipboardText();

/// The platform's MessageBeep: Type is the platform's sound type (0 default, $10 error, $20
/// question, $30 warning, $40 information). This layer cannot make a sound without Qt Widgets, so
/// it only counts the call and passes Type to the handler; the application installs one that
/// beeps.
void MessageBeep(int Type);
/// Installs the beep handler (empty: none) and returns the one installed before.
using TBeepHandler = std::function<void(int Type)>;
TBeepHandler SetBeepHandler(TBeepHandler Handler);
/// Calls of MessageBeep since the program started, whatever the handler.
int MessageBeepCount();
