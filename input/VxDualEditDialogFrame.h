#pragma once
/// The input control of the dual edit dialog: two captioned one-line edits in a frame that lays
/// itself out from the dialog's settings. \file

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

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    /// The edits follow the frame as anchored left and right; also before the frame shows.
    void LayoutEdits(int Width);
    QPointer<TVxCustomEditDialog> FDialog;
    QPointer<QWidget> FActiveControlInError;
};
