#pragma once
// The pieces of the message functions that decide without showing anything, so they can be
// checked on their own.

#include "VxDialogs.h"

#include <QMessageBox>

class TVxCustomDialog;

namespace msgdialogs {

// True when the call goes to the native box (see VxMessageDlgEx).
bool UseNativeMessageBox(TMsgDlgButtons Buttons);
// The default button VxMessageDlg passes on.
TMsgDlgBtn DefaultButtonFor(TMsgDlgButtons Buttons);
// Sets up a new emulated dialog from the arguments of VxMessageDlgEx.
void SetUpMessageDialog(TVxCustomDialog* Dialog, const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        TMsgDlgBtn DefaultButton, int HelpCtx);
// Text cut to NativeMessageTextLimit characters (never in the middle of a surrogate pair).
QString CutNativeText(const QString& Text);
// The native buttons and icon for the requested buttons and type.
QMessageBox::StandardButtons NativeButtons(TMsgDlgButtons Buttons);
QMessageBox::Icon NativeIcon(TMsgDlgType DlgType);
// The modal result of the native box's answer.
int NativeResult(int Answer);
// Fills a message box as NativeMessageDlg shows it.
void SetUpNativeMessageBox(QMessageBox& Box, const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

} // namespace msgdialogs
