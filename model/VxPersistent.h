#pragma once
/// Change-notifying persistent bases of the dialog's option objects. \file

#include "TypInfo.h"

class TVxCustomDialog;

/// A persistent object that tells its owner about changes through OnChange. Setters call
/// Changed() when a value really changes; an Assign that copies several values can set
/// FIgnoreChange around the copy and notify once at the end.
class TVxChangePersistent : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    TVxChangePersistent() = default;
    TVxChangePersistent(const TVxChangePersistent&) = delete;
    TVxChangePersistent& operator=(const TVxChangePersistent&) = delete;

    /// Fires OnChange(this) unless changes are being ignored or no handler is assigned.
    virtual void Changed();

    TNotifyEvent OnChange;

protected:
    bool FIgnoreChange = false;
};

/// An option object that belongs to a dialog. The dialog is not owned and never changes; the
/// option objects read its font settings for their own fonts.
class TVxDialogOwnedPersistent : public TVxChangePersistent {
    VX_PUBLISHED_CLASS
public:
    explicit TVxDialogOwnedPersistent(TVxCustomDialog* ADialog) : FDialog(ADialog) {}

    TVxCustomDialog* Dialog() const { return FDialog; }

protected:
    /// True when the dialog manages the fonts (they are then not written to the form text). An
    /// object without a dialog keeps its own fonts.
    bool DialogUsesDefaultFonts() const;

    TVxCustomDialog* const FDialog;
};

/// Common base of the instruction and the expandable section.
class TVxTextSection : public TVxDialogOwnedPersistent {
    VX_PUBLISHED_CLASS
public:
    using TVxDialogOwnedPersistent::TVxDialogOwnedPersistent;
};
