#include "VxDialogRender.h"

#include "VxDialogEngine.h"
#include "VxTaskDialogForm.h"

#include <QPixmap>

QImage RenderDialogImage(TVxCustomDialog* Dialog)
{
    TVxDialogEngine* engine = TVxDialogEngine::Of(Dialog);
    if (!engine)
        return {};
    TVxTaskDialogForm* form = engine->BuildHidden();
    if (!form)
        return {};
    const QImage image = form->grab().toImage();
    engine->DestroyHiddenWindow();
    return image;
}
