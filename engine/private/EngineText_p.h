#pragma once
// Names, captions and results of the common buttons.

#include "VxTypes.h"

#include <QString>

// The caption of a common button kind, as the string table gives it.
QString CommonButtonCaption(TCommonButton Kind);
// "bYes", "bNo", ...
QString CommonButtonName(TCommonButton Kind);
// The modal result, also the created button's Tag (0 for Help).
int CommonButtonResult(TCommonButton Kind);
