#pragma once
// A dialog as a picture: the window is built as a run builds it, laid out, painted into an image
// and destroyed again, without being shown. Used by the render command and by tests.

#include <QImage>

class TVxCustomDialog;

// The dialog's window at the screen's resolution (logical dots per inch and device pixel ratio).
QImage RenderDialogImage(TVxCustomDialog* Dialog);
