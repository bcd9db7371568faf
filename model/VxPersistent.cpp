#include "VxPersistent.h"

const TClassInfo& TVxChangePersistent::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TVxChangePersistent>(QStringLiteral("TVxChangePersistent"), nullptr)
            .Event(QStringLiteral("OnChange"), &TVxChangePersistent::OnChange, QStringLiteral("TNotifyEvent"))
            .Build();
    return info;
}

void TVxChangePersistent::Changed()
{
    if (!FIgnoreChange && OnChange)
        OnChange(this);
}

const TClassInfo& TVxDialogOwnedPersistent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TVxDialogOwnedPersistent>(
                                       QStringLiteral("TVxDialogOwnedPersistent"), &TVxChangePersistent::StaticClassInfo())
                                       .Build();
    return info;
}

const TClassInfo& TVxTextSection::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TVxTextSection>(QStringLiteral("TVxTextSection"),
                                                                 &TVxDialogOwnedPersistent::StaticClassInfo())
                                       .Build();
    return info;
}
