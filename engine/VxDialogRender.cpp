#include "VxDialogRender.h"

#include "StringList.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "VxDialogEngine.h"
#include "VxOptions.h"
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

qsizetype DialogTextLength(const TVxCustomDialog* Dialog)
{
    const auto lines = [](const TStrings* Lines) {
        qsizetype length = 0;
        for (int i = 0; i < Lines->Count(); ++i)
            length += Lines->Strings(i).size() + 1;
        return length;
    };
    qsizetype length = Dialog->Title().size() + Dialog->Header()->Text().size() + Dialog->Instruction()->Text().size() +
                       lines(Dialog->Content()) + lines(Dialog->Expando()->Lines()) + Dialog->Expando()->ShowText().size() +
                       Dialog->Expando()->HideText().size() + Dialog->Verification()->Text().size() +
                       Dialog->HelpLink()->Text().size() + Dialog->Footer()->Text().size();
    for (int i = 0; i < Dialog->CustomButtons()->Count(); ++i) {
        const TVxCustomButtonItem* item = Dialog->CustomButtons()->Items(i);
        length += item->Caption().size() + item->Hint().size() + lines(item->Info());
    }
    for (int i = 0; i < Dialog->RadioButtons()->Count(); ++i)
        length += Dialog->RadioButtons()->Items(i)->Caption().size();
    return length;
}
