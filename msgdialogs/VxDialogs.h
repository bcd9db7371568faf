#pragma once
/// Message-box functions: a text, a message type and a set of buttons in, the modal result of the
/// pressed button out. A call shows the native message box (Qt's QMessageBox, which follows the
/// desktop's platform theme) when the platform and the requested buttons allow it, or else a
/// TVxDialog run by the dialog engine. \file

#include "Sets.h"
#include "VxTypes.h"

#include <QString>

#include <memory>

class TVxCustomDialog;

/// A fixed underlying type: callers may pass any number, and the functions treat unknown ones as mtCustom.
enum TMsgDlgType : int { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
/// Ordinals equal those of TCommonButton (mbYes = cbYes ... mbClose = cbClose).
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

/// The class of the emulated dialog: makes a new dialog without an owner.
using TVxCustomDialogClass = std::unique_ptr<TVxCustomDialog> (*)();
/// TVxDialog, the class the emulated dialog has unless MessageDialogClass says otherwise.
std::unique_ptr<TVxCustomDialog> CreateVxDialog();

// Start-up values in the comments; nothing in the program changes them.
extern TVxCustomDialogClass MessageDialogClass; ///< CreateVxDialog; nullptr also means TVxDialog
extern TDialogPosition MessageDialogPosition;   ///< dpScreenCenter: Position of the emulated dialog
extern bool ForceEmulatedMessages;              ///< False: when True the native box is never used
extern bool MessageDialogsTopMost;              ///< False: when True the emulated dialog stays on top
extern bool MessageDialogsPlaySounds;           ///< True: PlaySounds of the emulated dialog

/// The longest title or message the native box shows; longer texts are cut.
constexpr int NativeMessageTextLimit = 2049;

/// VxMessageDlg(Msg, mtError, [mbClose], 0).
int VxShowError(const QString& Msg);
/// VxMessageDlgEx with the default button mbOK when requested, else mbYes when requested, else
/// mbRetry.
int VxMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
/// The native box when it is available, ForceEmulatedMessages is off, style services are enabled
/// and every button is one of mbYes, mbNo, mbOK, mbCancel, mbRetry, mbClose (DefaultButton is then
/// not used); otherwise the emulated dialog. Returns the modal result of the pressed button; 0,
/// showing nothing, without a QApplication or off its thread.
int VxMessageDlgEx(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, TMsgDlgBtn DefaultButton,
                   int HelpCtx);
/// The native box: OK, Yes, No, Cancel and Retry buttons (mbClose and every other kind give no
/// button; without any the box shows its own OK), an icon by type, the message as its text.
/// Returns mrOk, mrCancel, mrRetry, mrYes or mrNo for the pressed button, 0 for anything else and
/// when the native box is not available (nothing is shown then).
int NativeMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

/// Whether the native message box is available: a QApplication exists and this is its thread.
/// (The native box needs no library to load here, so it never fails the way a missing entry
/// point would.)
bool LoadTaskDialog();

/// The title of a message type: "Warning", "Error", "Information", "Confirmation" through the
/// string table; for any other type the file name of the running program without its folder.
QString MessageDialogTitle(TMsgDlgType DlgType);
