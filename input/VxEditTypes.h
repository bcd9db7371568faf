#pragma once
/// Event types of the edit dialogs. Sender is the dialog; AControl its input control; Index is 0,
/// except -1 when a caller sets the value through EditValue. \file

#include "VxDialog.h"

#include <QString>

using TVxGetControlClassEvent = TEvent<TObject*, int, TControlClass&>;
using TVxGetEditValueEvent = TEvent<TObject*, TControl*, int, QString&>;
using TVxInitialiseEditEvent = TEvent<TObject*, TControl*, int>;
using TVxSetDefaultValueEvent = TEvent<TObject*, TControl*, int, const QString&>;
using TVxGetControlHeightEvent = TEvent<TObject*, TControl*, int, int&>;
using TVxValidateEvent = TEvent<TObject*, TControl*, bool&>;
using TVxAdjustTopValueEvent = TEvent<TObject*, int&>;

/// A control of the wrong class handed to code that needs a particular one.
VX_DECLARE_EXCEPTION(EInvalidCast, Exception)
