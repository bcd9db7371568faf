#pragma once
/// The dialog engine's localisable texts: button captions, message titles, error texts and the
/// texts of the password dialogs, in one process-wide table keyed by the English text.
///
/// A built-in text is a TVxResString: its English text and a comment that tells apart entries
/// sharing a text. Loading one asks Qt's installed translators (context "VxDialogStrs"), so the
/// catalogue of the user's language changes every text without code changes. \file

#include <QString>

#include <memory>
#include <vector>

class QLocale;

/// A built-in text ("string resource"): what the catalogues are keyed by.
struct TVxResString {
    const char* Text;    ///< the English text, also the key of the table
    const char* Comment; ///< disambiguation for entries with the same text; "" when none
};

/// The translation context of every built-in text in the catalogues.
inline constexpr const char* VxDialogStrsContext = "VxDialogStrs";

// The built-in texts, in the order the table registers them.
extern const TVxResString SVxAssignError;          ///< "Assigned source must be a TVxDialog"
extern const TVxResString SVxNoHelpFile;           ///< "You must associate a Help File with your application"
extern const TVxResString SVxMsgDlgYes;            ///< "&Yes"
extern const TVxResString SVxMsgDlgNo;             ///< "&No"
extern const TVxResString SVxMsgDlgOK;             ///< "OK"
extern const TVxResString SVxMsgDlgCancel;         ///< "Cancel"
extern const TVxResString SVxMsgDlgHelp;           ///< "&Help"
extern const TVxResString SVxMsgDlgAbort;          ///< "&Abort"
extern const TVxResString SVxMsgDlgRetry;          ///< "&Retry"
extern const TVxResString SVxMsgDlgIgnore;         ///< "&Ignore"
extern const TVxResString SVxMsgDlgAll;            ///< "&All"
extern const TVxResString SVxMsgDlgNoToAll;        ///< "N&o to All"
extern const TVxResString SVxMsgDlgYesToAll;       ///< "Yes to &All"
extern const TVxResString SVxMsgDlgClose;          ///< "&Close"
extern const TVxResString SVxMsgDlgConfirm;        ///< "Confirmation"
extern const TVxResString SVxMsgDlgWarning;        ///< "Warning"
extern const TVxResString SVxMsgDlgError;          ///< "Error"
extern const TVxResString SVxMsgDlgInformation;    ///< "Information"
extern const TVxResString SVxEnterPasswordCaption; ///< "Enter Password"
extern const TVxResString SVxChangePasswordCaption; ///< "Change Password"
extern const TVxResString SVxChangePasswordTitle;  ///< "Change Password" (second entry)
extern const TVxResString SVxEnterPasswordInstruction; ///< "Enter your password"
extern const TVxResString SVxChangePasswordInstruction; ///< "Change your password"
extern const TVxResString SVxChangePasswordHeader; ///< "Change your password" (second entry)
extern const TVxResString SVxNewPasswordContent;   ///< "Enter and confirm your new password."
extern const TVxResString SVxChangePasswordContent; ///< "Enter and confirm your new password." (second)
extern const TVxResString SVxPasswordsDiffer;      ///< "Entered passwords must be the same."
extern const TVxResString SVxShowPasswords;        ///< "Show passwords as plain text"
extern const TVxResString SVxInvalidDialogType;    ///< "Invalid dialog type (%s) using %s."
extern const TVxResString SVxEnterPasswordLabel;   ///< "&Enter Password"
extern const TVxResString SVxOldPasswordLabel;     ///< "&Old Password"
extern const TVxResString SVxNewPasswordLabel;     ///< "&New Password"
extern const TVxResString SVxConfirmPasswordLabel; ///< "&Confirm New Password"
// A catalogued text that is no key of the table: the edit dialog's refusal of a typed text over
// its maximum length (%1 the length, %2 the maximum).
extern const TVxResString SVxTextTooLong; ///< "The text has %1 characters; at most %2 are allowed."
/// The dual edit dialog's refusal of a vertical bar, which separates its two texts where they are
/// stored as one.
extern const TVxResString SVxTextHasBar; ///< "Neither text may contain a vertical bar (|): it separates the two texts."

/// The text of a built-in text in the current language (what the installed translators give).
QString LoadResString(const TVxResString* Res);

/// The English caption of a common button, by the ordinal of its kind (cbYes = 0 ... cbClose =
/// 11, the order of the dialog model's TCommonButton); nullptr for any other ordinal. Callers pass
/// its Text to TranslateString.
const TVxResString* CommonButtonResString(int Kind);

/// A replaceable translation (the object of an entry in translation mode).
class TStringObj {
public:
    explicit TStringObj(const QString& ATranslation) : Translation(ATranslation) {}
    QString Translation;
};

/// One entry of the table: the key and either the resource (resource mode) or a TStringObj
/// (translation mode).
struct TVxStringEntry {
    QString Key;
    const TVxResString* Resource = nullptr;
    std::unique_ptr<TStringObj> Object;
};

/// The table: sorted by key, case-insensitively; entries with equal keys are all kept.
class TVxStringTable {
public:
    int Count() const { return int(FEntries.size()); }
    const TVxStringEntry& Entry(int Index) const { return FEntries.at(std::size_t(Index)); }
    TVxStringEntry& Entry(int Index) { return FEntries.at(std::size_t(Index)); }
    /// Binary search: True when Key is in the table; Index receives the first entry with that key
    /// or, when absent, the place where it would go.
    bool Find(const QString& Key, int& Index) const;
    /// Inserts at the sorted place. An entry whose key is already present goes in front of the
    /// entries with that key, as the platform's sorted lists add duplicates, so a lookup finds the
    /// newest of them.
    int Add(const QString& Key, const TVxResString* Resource, std::unique_ptr<TStringObj> Object);
    void Clear() { FEntries.clear(); }

private:
    std::vector<TVxStringEntry> FEntries;
};

/// The mode: True (the start-up value) maps keys to their built-in texts; False maps them to
/// replaceable TStringObj translations. InitStringTable builds the table for the current mode.
extern bool UseResourceStrings;

/// The process-wide table, built on first use.
TVxStringTable* StringTable();
/// Frees an existing table and registers the 33 entries in their order for the current mode.
void InitStringTable();
/// Translation mode: frees the TStringObj of every entry. Nothing in resource mode.
void FreeTranslations();

/// The display text for a key. Resource mode: the current-language text of the entry's built-in
/// text, or an empty text when Text is not a key. Translation mode: GetTranslation(Text).
QString TranslateString(const QString& Text);
/// The Translation of the entry registered under Text; Text itself when it is not a key.
QString GetTranslation(const QString& Text);
/// The built-in text registered under Text, or nullptr.
const TVxResString* FindResString(const QString& Text);

/// Installs the program's catalogue for Locale's languages (the first of Locale.uiLanguages()
/// with a catalogue), replacing the one installed before; without a catalogue for any of them
/// (English, for one) the built-in English texts show. Returns True when a catalogue was
/// installed. Needs a QCoreApplication.
bool InstallStringTableTranslation(const QLocale& Locale);
