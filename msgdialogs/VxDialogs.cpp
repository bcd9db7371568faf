#include "VxDialogs.h"

#include "Graphics.h"
#include "VxDialogEngine.h"
#include "VxDialog.h"
#include "VxDialogStrs.h"
#include "VxOptions.h"
#include "private/MessageDialogSetup_p.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QThread>

std::unique_ptr<TVxCustomDialog> CreateVxDialog()
{
    return std::make_unique<TVxDialog>(nullptr);
}

TVxCustomDialogClass MessageDialogClass = &CreateVxDialog;
TDialogPosition MessageDialogPosition = dpScreenCenter;
bool ForceEmulatedMessages = false;
bool MessageDialogsTopMost = false;
bool MessageDialogsPlaySounds = true;

namespace msgdialogs {

bool UseNativeMessageBox(TMsgDlgButtons Buttons)
{
    const TMsgDlgButtons nativeKinds{mbYes, mbNo, mbOK, mbCancel, mbRetry, mbClose};
    return LoadTaskDialog() && !ForceEmulatedMessages && (Buttons - nativeKinds).IsEmpty()
           && StyleServicesEnabled();
}

TMsgDlgBtn DefaultButtonFor(TMsgDlgButtons Buttons)
{
    if (Buttons.Contains(mbOK))
        return mbOK;
    if (Buttons.Contains(mbYes))
        return mbYes;
    return mbRetry;
}

void SetUpMessageDialog(TVxCustomDialog* Dialog, const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        TMsgDlgBtn DefaultButton, int HelpCtx)
{
    Dialog->Font()->SetCharset(TFont().Charset());
    Dialog->Content()->SetText(Msg);
    Dialog->SetTitle(MessageDialogTitle(DlgType));
    TTaskDialogIcon icon = tdiNone;
    switch (DlgType) {
    case mtWarning: icon = tdiWarning; break;
    case mtError: icon = tdiError; break;
    case mtInformation: icon = tdiInformation; break;
    case mtConfirmation: icon = tdiConfirmation; break;
    case mtCustom: icon = tdiCustom; break;
    }
    Dialog->SetMainIcon(icon);

    // A box without buttons could only be closed by its close box: it shows OK, as the native one.
    if (Buttons.IsEmpty())
        Buttons = TMsgDlgButtons{mbOK};
    // Enter always presses a shown button: the one named when shown, else the first in the order
    // of the kinds that is no Help button (Enter should not open the help).
    if (!Buttons.Contains(DefaultButton)) {
        DefaultButton = mbHelp;
        for (int kind = mbYes; kind <= mbClose; ++kind)
            if (kind != mbHelp && Buttons.Contains(TMsgDlgBtn(kind))) {
                DefaultButton = TMsgDlgBtn(kind);
                break;
            }
    }
    TVxButtonBarOptions* bar = Dialog->ButtonBar();
    // One button at a time, in the order of the kinds, as the bar's observers expect.
    bar->SetButtons(TCommonButtons());
    for (int kind = mbYes; kind <= mbClose; ++kind)
        if (Buttons.Contains(TMsgDlgBtn(kind)))
            bar->SetButtons(bar->Buttons() + TCommonButton(kind));
    if (bar->UseDefault())
        bar->SetDefault(TCommonButton(DefaultButton));
    // Escape answers as the button that backs out: Cancel, else No, else Close (the error box's
    // one button), else OK; without any of them the window's own close (mrCancel).
    if (bar->UseCancel())
        bar->SetCancel(Buttons.Contains(mbCancel) ? cbCancel
                       : Buttons.Contains(mbNo)   ? cbNo
                       : Buttons.Contains(mbClose) ? cbClose
                                                   : cbOK);

    Dialog->SetHelpContext(HelpCtx);
    Dialog->SetPosition(MessageDialogPosition);
    if (MessageDialogsTopMost)
        Dialog->SetDialogOptions(Dialog->DialogOptions() + doTopMost);
    Dialog->SetPlaySounds(MessageDialogsPlaySounds);
}

QString CutNativeText(const QString& Text)
{
    if (Text.size() <= NativeMessageTextLimit)
        return Text;
    int length = NativeMessageTextLimit;
    // Half a character would show as garbage: drop the lone high surrogate.
    if (Text.at(length - 1).isHighSurrogate())
        --length;
    return Text.left(length);
}

QMessageBox::StandardButtons NativeButtons(TMsgDlgButtons Buttons)
{
    QMessageBox::StandardButtons result;
    if (Buttons.Contains(mbOK))
        result |= QMessageBox::Ok;
    if (Buttons.Contains(mbYes))
        result |= QMessageBox::Yes;
    if (Buttons.Contains(mbNo))
        result |= QMessageBox::No;
    if (Buttons.Contains(mbCancel))
        result |= QMessageBox::Cancel;
    if (Buttons.Contains(mbRetry))
        result |= QMessageBox::Retry;
    return result;
}

QMessageBox::Icon NativeIcon(TMsgDlgType DlgType)
{
    switch (DlgType) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

int NativeResult(int Answer)
{
    switch (Answer) {
    case QMessageBox::Ok:
    case QMessageBox::Close:
        return mrOk;
    case QMessageBox::Cancel: return mrCancel;
    case QMessageBox::Retry: return mrRetry;
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    default: return mrNone;
    }
}

void SetUpNativeMessageBox(QMessageBox& Box, const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    Box.setWindowTitle(CutNativeText(MessageDialogTitle(DlgType)));
    // A message is text, never markup.
    Box.setTextFormat(Qt::PlainText);
    Box.setText(CutNativeText(Msg));
    Box.setIcon(NativeIcon(DlgType));
    QMessageBox::StandardButtons buttons = NativeButtons(Buttons);
    // Without a button of its own the box shows OK.
    if (buttons == QMessageBox::NoButton)
        buttons = QMessageBox::Ok;
    Box.setStandardButtons(buttons);
    // The captions come from the string table, so they follow the program's language like those
    // of the emulated dialog.
    const struct {
        QMessageBox::StandardButton Button;
        const TVxResString* Caption;
    } captions[] = {
        {QMessageBox::Ok, &SVxMsgDlgOK}, {QMessageBox::Yes, &SVxMsgDlgYes}, {QMessageBox::No, &SVxMsgDlgNo},
        {QMessageBox::Cancel, &SVxMsgDlgCancel}, {QMessageBox::Retry, &SVxMsgDlgRetry},
    };
    for (const auto& c : captions)
        if (QAbstractButton* button = Box.button(c.Button))
            button->setText(TranslateString(QString::fromUtf8(c.Caption->Text)));
}

} // namespace msgdialogs

using namespace msgdialogs;

bool LoadTaskDialog()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance())
           && QThread::currentThread() == QCoreApplication::instance()->thread();
}

QString MessageDialogTitle(TMsgDlgType DlgType)
{
    const TVxResString* title = nullptr;
    switch (DlgType) {
    case mtWarning: title = &SVxMsgDlgWarning; break;
    case mtError: title = &SVxMsgDlgError; break;
    case mtInformation: title = &SVxMsgDlgInformation; break;
    case mtConfirmation: title = &SVxMsgDlgConfirm; break;
    default: break;
    }
    if (title)
        return TranslateString(QString::fromUtf8(title->Text));
    const QString program = QCoreApplication::instance() ? QCoreApplication::applicationFilePath()
                                                         : QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QFileInfo(program).fileName();
}

int VxShowError(const QString& Msg)
{
    return VxMessageDlg(Msg, mtError, TMsgDlgButtons{mbClose}, 0);
}

int VxMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    return VxMessageDlgEx(Msg, DlgType, Buttons, DefaultButtonFor(Buttons), HelpCtx);
}

int VxMessageDlgEx(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, TMsgDlgBtn DefaultButton,
                   int HelpCtx)
{
    if (UseNativeMessageBox(Buttons))
        return NativeMessageDlg(Msg, DlgType, Buttons, HelpCtx);
    // Windows exist only with a QApplication and on its thread; anywhere else nothing can show
    // (the engine would abort the process), so the answer is "no button", as for the native box.
    if (!LoadTaskDialog())
        return mrNone;
    std::unique_ptr<TVxCustomDialog> dialog = MessageDialogClass ? MessageDialogClass() : nullptr;
    if (!dialog)
        dialog = CreateVxDialog();
    SetUpMessageDialog(dialog.get(), Msg, DlgType, Buttons, DefaultButton, HelpCtx);
    InstallDialogEngine();
    return dialog->Execute();
}

int NativeMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    Q_UNUSED(HelpCtx) // the native box has no Help button to pass it to
    if (!LoadTaskDialog())
        return mrNone;
    // Parent: the active window, else the main window, else none.
    QWidget* parent = QApplication::activeWindow();
    if (!parent)
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QMainWindow*>(w) && w->isVisible()) {
                parent = w;
                break;
            }
    QMessageBox box(parent);
    SetUpNativeMessageBox(box, Msg, DlgType, Buttons);
    return NativeResult(box.exec());
}
