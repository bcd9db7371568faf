#pragma once
// The headless "render" command: the dialog a design describes, built by the engine on the
// offscreen platform and saved as a PNG picture, at a screen scale, in a dark palette or read
// right to left. Needs no display.

#include "DesignValues.h"

#include <QByteArray>
#include <QPalette>

#include <QString>
#include <QStringList>

struct TRenderRequest {
    TDesignValues Values;
    // The text of the --from file, whose dialog takes the values; empty for a fresh design.
    QByteArray FromText;
    QString OutFile;
    // Screen scale: 1, 1.25, 1.5 or 2 (96, 120, 144 or 192 dots per inch).
    double Scale = 1.0;
    bool Dark = false;
    bool RightToLeft = false;
    // The expando opens expanded.
    bool Expanded = false;
};

// Qt's own dark colours for the roles the dialogs use: the render command's --dark and the
// designer's live preview.
QPalette DarkPalette();

QString RenderSynopsis();
QString RenderHelpText();

// Parses the arguments that follow "render". False with one line in Error for a bad design
// option, a missing --out, or a scale other than 1, 1.25, 1.5 and 2 (Status esUsage), or a --from
// file that cannot be read (Status esFailed).
bool ParseRenderArguments(const QStringList& Args, TRenderRequest& Request, QString& Error, int* Status = nullptr);

// Called before the application exists: the scale asked for becomes the screen's resolution.
// Arguments it cannot read are left to RunRenderCommand to report.
void PrepareRenderApplication(const QStringList& Args);

// Renders the request into a picture (the application must exist).
QImage RenderDialogRequest(const TRenderRequest& Request);

// Runs the command on the arguments after "render": 0 and the picture written whole; 2 and one
// line on standard error for a bad command line; 1 and one line when the --from file cannot be
// read or the picture cannot be rendered or written (an existing file then stays as it was).
int RunRenderCommand(const QStringList& Args);
