#include "VxEditDialogs.h"

#include "VxEditDialog.h"
#include "VxEditEvents.h"

#include <functional>

std::unique_ptr<TVxCustomEditDialog> CreateVxEditDialog()
{
    return std::make_unique<TVxEditDialog>();
}

TVxEditDialogClass EditDialogClass = &CreateVxEditDialog;

bool EditQueryEx(const QString& ATitle, const QString& ACaption, QString& AValue, TVxCaptionPosition ACaptionPosition)
{
    std::unique_ptr<TVxCustomEditDialog> dialog = EditDialogClass ? EditDialogClass() : CreateVxEditDialog();
    dialog->EditProperties()->SetEditType(etEdit);
    dialog->EditProperties()->SetValue(AValue);
    dialog->EditProperties()->SetCaption(ACaption);
    dialog->EditProperties()->SetCaptionPosition(ACaptionPosition);
    dialog->SetTitle(ATitle);

    std::unique_ptr<TVxEditEvents> handler;
    if (TVxEditEventClass cls = GetEditEventClass(etEdit))
        handler = cls->Create();
    if (handler) {
        TVxEditEvents* h = handler.get();
        using namespace std::placeholders;
        dialog->OnGetEditControlClass =
            TVxGetControlClassEvent(std::bind(&TVxEditEvents::GetEditControlClass, h, _1, _2, _3));
        dialog->OnGetControlHeight =
            TVxGetControlHeightEvent(std::bind(&TVxEditEvents::GetControlHeightHandler, h, _1, _2, _3, _4));
    }
    const int result = dialog->Execute();
    if (result == mrOk)
        AValue = dialog->EditValue();
    return result == mrOk;
}

bool EditQuery(const QString& ATitle, const QString& ACaption, QString& AValue)
{
    return EditQueryEx(ATitle, ACaption, AValue, cpTop);
}
