#pragma once
/// The dialog's button options: the colour set the engine gives to every command link. \file

#include "VxPersistent.h"

#include <memory>

class TVxCommandLinkColors;
class TVxCustomDialog;

class TVxButtonOptions : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    /// The colour set belongs to no button.
    explicit TVxButtonOptions(TVxCustomDialog* ADialog);
    ~TVxButtonOptions() override;

    TVxCommandLinkColors* CommandLinkColors() const { return FCommandLinkColors.get(); }
    void SetCommandLinkColors(const TVxCommandLinkColors* Value);

    void Assign(const TPersistent* Source) override;

private:
    std::unique_ptr<TVxCommandLinkColors> FCommandLinkColors;
};
