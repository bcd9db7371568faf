#pragma once
// Design files: a dialog kept as form text, the text Generate writes. A file may also be a whole
// form that holds the dialog among other objects; then saving puts the dialog's block back in
// its place and keeps the rest of the form as it was.

#include "FormTextReader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class TComponent;
class TVxDialog;

// Where a design came from: the text around the dialog's block when the block is part of a
// larger form.
struct TDesignSource {
    QString Name;        // the block's object name ("VxDialog1")
    bool WholeText = true; // the text is the dialog's block and nothing else
    QStringList Lines;   // the text's lines (only when not WholeText)
    int FirstLine = 0;   // 1-based lines of the block's header and end
    int LastLine = 0;
    QString Keyword;     // "object", "inherited" or "inline"
    int Indent = 0;
    bool ByteOrderMark = false;
    // What was read, to notice another program's edit before saving over it: a digest of the
    // whole text and the lines of the dialog's block.
    QByteArray Digest;
    QStringList BlockLines;
};

// What another program did to a design file since it was read.
enum class TDiskChange {
    None,          // the file is as it was read (or it is another file, or gone)
    RestChanged,   // only the rest of the form changed: the save keeps that change
    DialogChanged, // the dialog's own block changed: saving replaces it, so ask first
    Unreadable,    // the file holds no readable dialog any more: saving replaces it, so ask first
};

// The text a save writes and the source it leaves behind.
struct TDesignSave {
    QByteArray Text;
    TDesignSource Source; // describes Text, for the next save
    TDiskChange Change = TDiskChange::None;
    QString Reason;       // why the file cannot be read any more (Unreadable)
};

// The file filters of the open and save dialogs.
QString DesignFileFilter();

// File names as the system spells them. A name's bytes that are not UTF-8 travel in the QString
// as U+DC80..U+DCFF, one per byte, so a name taken from the command line reaches the system
// unchanged; Qt's own conversion would turn them into U+FFFD, which names another file.
QString DecodeFileName(const QByteArray& Name);
QByteArray EncodeFileName(const QString& Name);
// The name for a message: bytes that are not UTF-8 shown as \xNN.
QString ShownFileName(const QString& Name);

// The reason for a failed system call, for a message: a full disk says so ("the disk is full").
QString FileErrorText(int Errno);

// The name that stands for standard input where a file is read ("-").
inline constexpr char StandardInputName[] = "-";

// The bytes of a design file, or of standard input for "-". Only a regular file or standard
// input is read: anything else (a folder, a pipe that is not standard input, a device) is
// refused before any read, so a pipe without a writer cannot block. Raises EInOutError when it
// cannot be read and EFormTextError when it is larger than form text may be.
QByteArray ReadDesignFileBytes(const QString& FileName);

// Replaces FileName with Data so that no reader ever sees a partial file: a temporary file in the
// same folder takes every byte, is flushed to the disk and renamed over the target, whose mode
// (and, for the super-user, owner) it keeps; any failure removes the temporary file and leaves
// the target as it was. A target that is not a regular file (a device, a pipe) is written
// directly. Raises EInOutError with "Cannot write "FILE": REASON" (a full disk reads "the disk is
// full").
void WriteFileSafely(const QString& FileName, const QByteArray& Data);

// Reads the first TVxDialog block of Text into a new dialog owned by Root (component references
// and handler names are resolved relative to Root). The dialog keeps no name; Source gets the
// block's name. With SkipUnknown, unknown properties are listed in Skipped instead of failing.
// Raises EFormTextError; nothing is left behind then.
std::unique_ptr<TVxDialog> ReadDesign(const QByteArray& Text, TComponent* Root, TDesignSource& Source,
                                      bool SkipUnknown = false, QStringList* Skipped = nullptr);

// The dialog a headless command works on, owned by Root: read from FromText (named as in the
// text) or, when FromText is empty, a fresh designer dialog ("VxDialog1"). Raises EFormTextError.
TVxDialog* CreateCommandDialog(TComponent* Root, const QByteArray& FromText);

// The text to save: the dialog's form text, or the source form with the dialog's block replaced.
QByteArray DesignText(const TVxDialog* Dialog, const TComponent* Root, const TDesignSource& Source);

// What saving Dialog into FileName writes. When FileName is OpenedFile, the file Source was read
// from, and another program changed it since, the save starts from the file as it is now: its
// other lines stay as that program left them and only the dialog's block (found by its name,
// else the first TVxDialog) is replaced; Change says whether the dialog's own block was changed
// too, or the file cannot be read any more (then Text is built from what was read), which the
// caller asks about before writing. Nothing of another program's edit is dropped unasked.
TDesignSave PrepareDesignSave(const TVxDialog* Dialog, const TComponent* Root, const TDesignSource& Source,
                              const QString& OpenedFile, const QString& FileName);

// Writes Text to FileName with WriteFileSafely. Raises EInOutError naming the file and the
// reason, also for a target that exists and is read-only (replacing it would bypass that): one
// this process may not write, or, for the super-user who may write anything, one without any
// write permission bit.
void WriteDesignFile(const QString& FileName, const QByteArray& Text);
