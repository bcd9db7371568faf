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
};

// The file filters of the open and save dialogs.
QString DesignFileFilter();

// The bytes of a design file. Raises EInOutError when it cannot be read and EFormTextError when
// it is larger than form text may be (checked before reading).
QByteArray ReadDesignFileBytes(const QString& FileName);

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

// Writes Text to FileName through a temporary file in the same folder that then replaces the
// target, so a failed write leaves the old file whole. Raises EInOutError naming the file and the
// reason, also for a target that exists and is read-only (replacing it would bypass that).
void WriteDesignFile(const QString& FileName, const QByteArray& Text);
