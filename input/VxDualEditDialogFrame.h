#pragma once
/// The input control of the dual edit dialog: two captioned one-line edits in a frame that lays
/// itself out from the dialog's settings. The frame asks for the width its captions need beside
/// edits of the designed width (the dialog keeps it within the screen); at a narrower width a
/// long caption wraps, so the edits always keep a usable width, and the frame grows taller. \file

#include "VxEditDialogIntf.h"

#include <QFrame>
#include <QPointer>

class QLabel;
class TEdit;

class TfmDualEditDialog : public QFrame, public IVxEditDialogControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TfmDualEditDialog(QWidget* Parent = nullptr);

    QLabel* Value1Label;
    QLabel* Value2Label;
    TEdit* eValue2;
    TEdit* eValue1;

    /// The texts of the two edits.
    QString Edit1() const;
    QString Edit2() const;

    QWidget* GetFocusControl() override;
    QWidget* GetErrorControl() override;
    void SetEditWidth(int AWidth) override;
    void SetErrorControl(QWidget* AControl) override;
    int GetPreferredWidth() override;
    void SetDialog(TVxCustomEditDialog* ADialog) override;
    bool Validate(QString& AMessage, int AModalResult) override;

    /// The height the captions and edits need at the frame's width: the designed 54 pixels unless
    /// a caption wraps.
    int NeededHeight() const { return FNeededHeight; }

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    /// The edits follow the frame as anchored left and right; also before the frame shows.
    void LayoutEdits(int Width);
    QPointer<TVxCustomEditDialog> FDialog;
    QPointer<QWidget> FActiveControlInError;
    // Set once the dialog's settings are laid out; the captions' widths on one line.
    bool FLaidOut = false;
    bool FRightAligned = true;
    int FCaption1Width = 0;
    int FCaption2Width = 0;
    int FNeededHeight = 0;
};
