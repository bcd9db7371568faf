#pragma once
// The design page's values apart from its widgets, and the copy of a design into the dialog
// component. The main window fills TDesignValues from its page; the headless generate command
// fills it from the command line; both then share ApplyDesignToDialog and the renderers.

#include "VxTypes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class TComponent;
class TVxDialog;

// A custom button or command link given on the command line: its caption and, for a command
// link, the note below the caption.
struct TDesignButton {
    QString Caption;
    QString Note;
    bool operator==(const TDesignButton&) const = default;
};

// A custom button or command link as the designer edits it: every published value of the item
// but its Value, which the collection gives by position (100, 101, ...). Pictures are held as
// their stored data, so what was read is written back byte for byte.
struct TDesignCustomButton {
    QString Caption;
    QStringList Info; // a command link's note, line by line
    int ModalResult = 0;
    bool Default = false;
    bool Cancel = false;
    bool Enabled = true;
    bool Visible = true;
    bool ElevationRequired = false;
    QString Hint;
    int ImageIndex = -1;
    int PictureIndex = -1;
    QByteArray Glyph;   // TPicture::SaveToData; empty for none
    QByteArray Picture;
    bool operator==(const TDesignCustomButton&) const = default;
};

struct TDesignRadioButton {
    QString Caption;
    int Value = 200;
    bool Checked = false;
    bool Enabled = true;
    bool operator==(const TDesignRadioButton&) const = default;
};

// The lists and run-time settings the designer edits beside the page: the items and the
// dialog's default button, progress bar and timer.
struct TDesignItems {
    QList<TDesignCustomButton> Buttons;
    QList<TDesignRadioButton> Radios;
    TCommonButton DefaultButton = cbOK;
    bool UseDefault = false;
    int ProgressMin = 0;
    int ProgressMax = 100;
    int ProgressPosition = 0;
    TProgressBarState ProgressState = pbstNormal;
    quint32 TimerInterval = 0;
    // The radio buttons' group: its caption, its columns and whether a frame surrounds it.
    QString RadioGroupCaption;
    int RadioColumns = 1;
    bool RadioBorder = false;
    bool operator==(const TDesignItems&) const = default;
};

struct TDesignValues {
    QString Title;
    QString MainIcon;
    QString Header;
    QString HeaderIcon;
    QString Instruction;
    QString InstructionIcon;
    QString Content;
    bool ExpandoChecked = false;
    QString ExpandoCaption = QStringLiteral("Expando");
    QString ExpandoContent; // the expando section above the footer
    QString ExpandoFooter;  // the expando section below the footer
    QString Footer;
    QString FooterIcon;
    bool ShowHelpLink = false;
    QString HelpLink;
    bool RadioButtons = false;
    bool CommandLinks = false;
    bool CommandLinksNoIcon = false;
    bool ProgressBar = false;
    bool ProgressBarMarquee = false;
    bool Timer = false;
    bool TopMost = false;
    bool Modal = true;
    bool ButtonYes = false;
    bool ButtonNo = false;
    bool ButtonOK = true;
    bool ButtonCancel = true;
    bool ButtonHelp = false;
    bool ButtonClose = false;
    bool VerificationChecked = false;
    QString VerificationCaption = QStringLiteral("Verification");

    // What a dialog read from a file holds that the page has no control for. ApplyDesignToDialog
    // keeps these instead of deriving them from the page; a page the user filled leaves them empty.
    TCommonButtons OtherButtons;       // common buttons without a check box (Abort, Retry, ...)
    std::optional<bool> HeaderVisible; // set when it differs from "the header has a text"
    std::optional<bool> FooterVisible;
    bool KeepHelpLinkText = false;     // the help link text stays while doShowHelpLink is off

    // What the page has no control for but the command line gives; unset keeps the dialog's.
    std::optional<QList<TDesignButton>> CustomButtons; // in order; values 100, 101, ...
    std::optional<QStringList> RadioItems;              // in order; values 200, 201, ...
    int DefaultRadio = 0;                               // position from 1 of the checked item; 0 none
    QString DefaultButton;                              // a common button's name or a custom position from 1
    std::optional<quint32> TimerInterval;               // milliseconds
    std::optional<int> ProgressPosition;

    // The designer's items and settings; unset keeps the dialog's. Applied before the command
    // line's values above, which win.
    std::optional<TDesignItems> Items;

    bool operator==(const TDesignValues&) const = default;
};

// The picker's name of an icon ("Warning", ...); empty for tdiNone.
QString IconName(TTaskDialogIcon Icon);

// The page for a dialog: the inverse of ApplyDesignToDialog. Applying the result to the same
// dialog changes nothing in it (a show text with a vertical bar in it apart).
TDesignValues DesignFromDialog(const TVxDialog* ADialog);

// The items and settings of ADialog as the designer edits them; applying them (Items of
// TDesignValues) to the same dialog changes nothing in it.
TDesignItems DesignItemsFromDialog(const TVxDialog* ADialog);

// A multi-line section's text as the page stores it: every line break (LF, CR or CR LF) is CR LF,
// the break of the dialog's texts.
QString MultiLineSectionText(const QString& Text);

// A one-line section's text as the page stores and shows it: every line break (CR LF counts as
// one) becomes a space.
QString SingleLineSectionText(const QString& Text);

// The icon of a picker name, ASCII case-insensitive; tdiNone for anything else.
TTaskDialogIcon IconFromName(const QString& Name);

// Copies the design into ADialog, property by property through the setters, in the designer's
// fixed order. Properties the page does not reach keep their values.
void ApplyDesignToDialog(const TDesignValues& Values, TVxDialog* ADialog);

// The designer's dialog component: "VxDialog1", owned by AOwner, all defaults except the button
// bar colour $00F0F0F0, at the designer position 336, 184 of the main window's form.
TVxDialog* CreateDesignDialog(TComponent* AOwner);

// The two texts of Generate, each from a fresh generator: creation code with ccUseFree, and the
// form text with ccDFMOnly. Every line is followed by a line break, the last one included.
QString RenderCreationCode(TVxDialog* ADialog);
QString RenderFormText(TVxDialog* ADialog);
