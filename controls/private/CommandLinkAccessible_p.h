#pragma once
// What screen readers learn about a command link: a push button named by its caption, described
// by its info text, with its focus, disabled and default states and a press action.

#include <QString>

// Installs the accessibility factory of command links; later calls do nothing.
void InstallCommandLinkAccessibility();

// The info text as it reads: markup removed, line breaks kept, the link's text in its place.
QString CommandLinkPlainInfo(const QString& InfoText);
