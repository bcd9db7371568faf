#pragma once
// A dialog that shows the engine's layout fields to tests, and helpers to run a modal dialog
// from a test: the given action runs once the window shows.

#include "VxDialog.h"
#include "VxDialogEngine.h"

#include <QList>
#include <QWidget>

#include <functional>

class TProbeDialog : public TVxDialog {
public:
    using TVxDialog::TVxDialog;
    int LeftMargin() const { return FLeftMargin; }
    int RightMargin() const { return FRightMargin; }
    int HorzSpacing() const { return FHorzSpacing; }
    int VertSpacing() const { return FVertSpacing; }
    int VertMargin() const { return FVertMargin; }
    int ButtonSpacing() const { return FButtonSpacing; }
    int ButtonBarHeight() const { return FButtonBarHeight; }
    int ClientWidth() const { return FClientWidth; }
    int ClientHeight() const { return FClientHeight; }
    int FirstButtonLeftPos() const { return FFirstButtonLeftPos; }
    TVxDialogEngine* Engine() { return TVxDialogEngine::Of(this); }
};

// MulDiv(n) of the layout rules at the screen's resolution.
int Scaled(int Value);

// Runs Action (with the shown window) from the event loop once the modal run's window shows,
// then runs the dialog modally and returns Execute's result.
// Owner is the window it is run for (none by default).
int RunModal(TVxCustomDialog* Dialog, std::function<void(QWidget* Window)> Action, QObject* Owner = nullptr);

// The engine's window of a dialog (nullptr when none).
QWidget* WindowOf(TVxCustomDialog* Dialog);
