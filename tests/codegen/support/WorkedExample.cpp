#include "WorkedExample.h"

#include "StringList.h"
#include "VxDialog.h"
#include "VxOptions.h"

TVxDialog* WorkedExample(TComponent* frmMain, const QString& name)
{
    auto* d = new TVxDialog(frmMain);
    d->SetName(name);
    d->SetDesignPosition(336, 184);
    d->SetTitle(QStringLiteral("Confirm"));
    d->Content()->Add(QStringLiteral("The document has been modified."));
    d->Instruction()->SetText(QStringLiteral("Save changes?"));
    d->SetMainIcon(tdiWarning);
    d->ButtonBar()->SetButtons({cbYes, cbNo, cbCancel});
    d->ButtonBar()->SetColor(15790320);
    return d;
}
