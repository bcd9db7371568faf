#pragma once
/// A dialog as a picture: the window is built as a run builds it, laid out, painted into an image
/// and destroyed again, without being shown. Used by the render command and by tests. \file

#include <QImage>
#include <QtGlobal>

class TVxCustomDialog;

/// The dialog's window at the screen's resolution (logical dots per inch and device pixel ratio).
QImage RenderDialogImage(TVxCustomDialog* Dialog);

/// The characters of every text the dialog lays out: title, header, instruction, content,
/// expanded information and the expando's captions, verification, help link and footer texts, and
/// the captions, hints and infos of its custom and radio buttons. Laying out takes time in
/// proportion to it, which the render command bounds.
qsizetype DialogTextLength(const TVxCustomDialog* Dialog);
