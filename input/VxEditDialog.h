#pragma once
/// A task dialog with one input control above its button bar: a one-line edit, a memo, a combo
/// box, a list or check list, a date or time picker, a month calendar, a rich edit, a web page
/// view, or any widget class the program supplies. It changes the engine only through the
/// dialog's protected operations, validates on close and reads the value back from the control
/// when the window closes. \file

#include "VxEditProperties.h"
#include "VxEditTypes.h"

#include <QLabel>
#include <QPointer>


class QWidget;
class IVxEditDialogControl;

class TVxCustomEditDialog : public TVxDialog {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxCustomEditDialog(TComponent* AOwner = nullptr);
    ~TVxCustomEditDialog() override;

    /// Also copies EditProperties from another edit dialog.
    void Assign(const TPersistent* Source) override;

    using TVxDialog::Execute;
    int Execute(QObject* aOwner) override;
    void PositionControls() override;

    TVxEditProperties* EditProperties() const { return FEditProperties.get(); }
    void SetEditProperties(const TVxEditProperties* Value);

    /// The value read from the control when the window last closed. Setting it fills the control
    /// of a showing dialog (and fires OnSetEditValue with index -1).
    QString EditValue() const { return FEditValue; }
    void SetEditValue(const QString& Value);
    /// The input control of the current run, whatever the index.
    QWidget* EditControls(int Index) const;
    QWidget* EditControl() const { return FEditControl.data(); }
    QLabel* EditLabel() const { return FEditLabel.data(); }

    /// One-line edits only: sets the text, optionally focuses the control and selects all.
    void UpdateValue(const QString& AValue, bool AFocus, bool ASelect);
    /// Lists and check lists of a showing dialog (0 / False otherwise).
    int ItemCount() const;
    bool ItemChecked(int AIndex) const;
    bool ItemChecked(const QString& AValue) const;
    /// Clears AItems and adds the checked items' texts in list order; True when any was added.
    bool GetCheckedItems(TStrings* AItems) const;

    TVxGetControlClassEvent OnGetEditControlClass;
    TVxSetDefaultValueEvent OnSetDefaultValue;
    TVxGetControlHeightEvent OnGetControlHeight;
    TVxGetEditValueEvent OnGetEditValue;
    TVxInitialiseEditEvent OnInitialiseEdit;
    TVxValidateEvent OnValidate;
    TVxAdjustTopValueEvent OnAdjustTopValue;
    TVxSetDefaultValueEvent OnSetEditValue;

protected:
    /// A descendant with its own settings class hands its settings object over.
    TVxCustomEditDialog(TComponent* AOwner, std::unique_ptr<TVxEditProperties> AEditProperties);

    /// Engine operations.
    void DoCloseQuery(TObject* Sender, bool& CanClose) override;
    bool UseMinimumHeight() override;
    int GetExtraHeight() override;
    int GetMinimumWidth() override;
    void CreateAdditionalControls() override;
    TWinControl* GetInitialFocusControl() override;
    void DoDialogClose() override;
    void DoDestroyed() override;
    void DoDialogConstructed() override;

    /// Operations of the edit dialog, in the order descendants know.
    virtual int GetEditHeight();
    virtual void DoGetEditValue(QString& Value);
    virtual void DoSetDefaultValue();
    /// Items may be nullptr.
    virtual void SetControlValue(const QString& Value, const TStrings* Items);
    virtual void DoGetEditControlClass(TControlClass& ControlClass);
    virtual int CalcControlHeight();
    virtual void InitialiseEditControl(QWidget*& AControl);
    virtual int CalcEditWidth();
    virtual bool ValidateEdit();
    virtual int CalcEditLeft();
    virtual void DoAdjustTopValue(int& ATop);

    void CreateEditControl();
    QString ReadEditValue();
    /// A double click on a list or calendar: OK, through the close query.
    void EditDblClick();
    /// The control's interface for the dialog, when it implements one.
    IVxEditDialogControl* EditIntf() const;
    /// The client width the layout works with.
    int DialogClientWidth() const;
    /// MulDiv(n, screen pixels per inch, 96).
    static int Scaled(int Value);
    /// Shows a validation message (an error with one Close button).
    virtual void ShowValidationMessage(const QString& Message);

    QString FEditValue;
    bool FEditInitialised = false;
    QPointer<QWidget> FEditControl;
    QPointer<QLabel> FEditLabel;

private:
    void SizeEditLabel();
    /// The label's size for its caption: word-wrapped at most to the width the caption may take.
    QSize EditLabelSize() const;
    std::unique_ptr<TVxEditProperties> FEditProperties;
};

class TVxEditDialog : public TVxCustomEditDialog {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxEditDialog(TComponent* AOwner = nullptr) : TVxCustomEditDialog(AOwner) {}

protected:
    using TVxCustomEditDialog::TVxCustomEditDialog;
};
