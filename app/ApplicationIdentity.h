#pragma once
// How the designer names itself to the desktop: the title, the reverse-DNS application id that
// is also its desktop file name (the desktop matches windows, the taskbar progress and the
// Wayland app id to the installed entry through it), and the window icon.

#include <QString>

// "org.quillfen.Quillfen": the name of the installed desktop entry without ".desktop".
QString QuillfenApplicationId();

// Sets the application's name, desktop file name and window icon. Call once the
// QGuiApplication exists, before the first window shows.
void SetUpApplicationIdentity();
