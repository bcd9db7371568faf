#include "VxButtonOptions.h"

#include "VxCommandLinkColors.h"

const TClassInfo& TVxButtonOptions::StaticClassInfo()
{
    using C = TVxButtonOptions;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxButtonOptions"), &TVxDialogOwnedPersistent::StaticClassInfo())
            .Object<TVxCommandLinkColors>(QStringLiteral("CommandLinkColors"), &C::CommandLinkColors,
                                          &C::SetCommandLinkColors, QStringLiteral("TVxCommandLinkColors"))
            .Build();
    return info;
}

TVxButtonOptions::TVxButtonOptions(TVxCustomDialog* ADialog)
    : TVxDialogOwnedPersistent(ADialog), FCommandLinkColors(std::make_unique<TVxCommandLinkColors>(nullptr))
{
}

TVxButtonOptions::~TVxButtonOptions() = default;

void TVxButtonOptions::SetCommandLinkColors(const TVxCommandLinkColors* Value)
{
    FCommandLinkColors->Assign(Value);
}

void TVxButtonOptions::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxButtonOptions*>(Source)) {
        FCommandLinkColors->Assign(src->FCommandLinkColors.get());
        return;
    }
    TVxDialogOwnedPersistent::Assign(Source);
}
