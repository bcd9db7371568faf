#pragma once

#include <QString>

class TComponent;
class TVxDialog;

// The confirmation dialog of the designer's worked example, owned by frmMain at the designer
// position 336, 184 with the button face colour 15790320.
TVxDialog* WorkedExample(TComponent* frmMain, const QString& name);
