#pragma once
/// What an input control class may offer an edit dialog so that it takes part in focus, sizing and
/// validation. A control implements it by deriving from it beside its widget class. \file

#include <QString>

class QWidget;
class TVxCustomEditDialog;

class IVxEditDialogControl {
public:
    virtual ~IVxEditDialogControl() = default;
    /// The inner control to focus when the window shows.
    virtual QWidget* GetFocusControl() = 0;
    /// The inner control to focus after a failed validation.
    virtual QWidget* GetErrorControl() = 0;
    /// The width the dialog gives the control.
    virtual void SetEditWidth(int AWidth) = 0;
    /// Records the inner control that failed.
    virtual void SetErrorControl(QWidget* AControl) = 0;
    /// The width the control needs at least.
    virtual int GetPreferredWidth() = 0;
    /// Hands the dialog to the control once it is created; the control lays itself out from the
    /// dialog's settings.
    virtual void SetDialog(TVxCustomEditDialog* ADialog) = 0;
    /// False refuses to close; AMessage, when not empty, is shown to the user.
    virtual bool Validate(QString& AMessage, int AModalResult) = 0;
};
