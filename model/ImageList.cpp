#include "ImageList.h"

const TClassInfo& TCustomImageList::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCustomImageList>(QStringLiteral("TCustomImageList"), &TComponent::StaticClassInfo()).Build();
    return info;
}

const TClassInfo& TImageList::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TImageList>(QStringLiteral("TImageList"), &TCustomImageList::StaticClassInfo()).Build();
    return info;
}
