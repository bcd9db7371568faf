#pragma once
/// The platform controls an edit dialog puts on its window, on Qt widgets. Each can be created from
/// its meta object (a control class is a meta object) and shows the settings the dialog reads by
/// name: `Text` where the control has one text, `MaxLength` where typing can be limited.
///
/// MaxLength limits what the user types, never what the program puts in: a longer value given by
/// the caller stays whole (the dialog then refuses to accept it until it is short enough).
/// Lengths count whole characters of the value as the caller gets it (`ValueLength`): a surrogate
/// pair is one character, and a memo's line break two, since the memo returns it as CR LF. What
/// the user types or pastes past the limit is cut between whole characters (never inside a
/// surrogate pair or a combining sequence); what the control held before stays. \file

#include "Classes.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBrowser>
#include <QValidator>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

/// The first item equal to Value, ignoring case as the platform's lists compare; -1 when none.
/// The one rule by which a value finds its item, in the dialog and in the list and combo handlers.
int IndexOfText(const QStringList& Items, const QString& Value);

/// Length of a value in characters: a surrogate pair counts one.
int ValueLength(QStringView Value);

/// The text to keep after a change turned Before into After, when the text may hold Limit
/// characters (0: no limit) or as many as Before held: After itself when it fits, else After with
/// the inserted part cut at the last whole character that fits. With BreaksCountTwo a line feed
/// counts two characters. Pos, when given, receives the index just after what was kept.
QString FitInsertion(const QString& Before, const QString& After, int Limit, bool BreaksCountTwo = false,
                     int* Pos = nullptr);

/// Keeps what the user types or pastes into a line edit on its one line (each run of line breaks
/// becomes a space, so the text returned is the text shown) and within a character limit
/// (FitInsertion). Texts the program sets while Passing is set, and texts Whole accepts, stay whole.
class TLineGuard : public QValidator {
public:
    TLineGuard(QLineEdit* Edit, std::function<int()> Limit, std::function<bool(const QString&)> Whole = {});
    State validate(QString& Input, int& Pos) const override;
    bool Passing = false;

private:
    std::function<int()> FLimit;
    std::function<bool(const QString&)> FWhole;
    QString FBefore;
};

/// One-line edit.
class TEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
public:
    Q_INVOKABLE explicit TEdit(QWidget* Parent = nullptr);
    QString Text() const { return text(); }
    void SetText(const QString& Value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = qMax(0, Value); }

private:
    TLineGuard* FGuard = nullptr;
    int FMaxLength = 0;
};

/// Multi-line plain text; lines are joined with CR LF, as the platform's memo does.
class TEditMemo : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
public:
    Q_INVOKABLE explicit TEditMemo(QWidget* Parent = nullptr);
    QString Text() const;
    void SetText(const QString& Value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);

private:
    void Limit();
    int FMaxLength = 0;
    /// The plain text before the change being limited.
    QString FBefore;
    bool FLimiting = false;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

/// Drop-down list, editable (csDropDown) or fixed (csDropDownList).
class TComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
public:
    Q_INVOKABLE explicit TComboBox(QWidget* Parent = nullptr);
    TComboBoxStyle Style() const { return isEditable() ? csDropDown : csDropDownList; }
    void SetStyle(TComboBoxStyle Value);
    /// The edit text of an editable box, the selected item's text of a fixed one.
    QString Text() const { return currentText(); }
    void SetText(const QString& Value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    QStringList Items() const;
    void SetItems(const QStringList& Lines);
    int ItemIndex() const { return currentIndex(); }
    /// -1 clears the selection; an index outside the items is ignored.
    void SetItemIndex(int Value);

private:
    void GuardLineEdit();
    TLineGuard* FGuard = nullptr;
    int FMaxLength = 0;
};

/// List of texts; a double click anywhere on it fires OnDblClick.
class TListBox : public QListWidget {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TListBox(QWidget* Parent = nullptr);
    QStringList Items() const;
    virtual void SetItems(const QStringList& Lines);
    int ItemIndex() const { return currentRow(); }
    /// -1 clears the selection; an index outside the items is ignored.
    void SetItemIndex(int Value);
    int Count() const { return count(); }

    std::function<void()> OnDblClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
};

/// List whose items carry check marks.
class TCheckListBox : public TListBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TCheckListBox(QWidget* Parent = nullptr);
    void SetItems(const QStringList& Lines) override;
    bool Checked(int Index) const;
    void SetChecked(int Index, bool Value);
};

enum TDateTimeKind { dtkDate, dtkTime };

/// Date or time picker.
class TDateTimePicker : public QDateTimeEdit {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDateTimePicker(QWidget* Parent = nullptr);
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    QDateTime DateTime() const { return dateTime(); }
    void SetDateTime(const QDateTime& Value) { setDateTime(Value); }

private:
    TDateTimeKind FKind = dtkDate;
};

/// Web page view: HTML documents, local files and pages fetched over http(s). Pages are plain
/// rich text (no scripts, no style sheets from the net); see docs/architecture.md.
class TWebBrowser : public QTextBrowser {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TWebBrowser(QWidget* Parent = nullptr);
    ~TWebBrowser() override;

    /// The platform's ready states: 0 uninitialised, 1 loading, 4 complete.
    enum { READYSTATE_UNINITIALIZED = 0, READYSTATE_LOADING = 1, READYSTATE_COMPLETE = 4 };
    int ReadyState() const { return FReadyState; }

    /// "about:blank" empties the view; file URLs and paths load the file; http and https fetch
    /// the page (at most MaxPageBytes, failing after the time-out with a message in the view).
    void Navigate(const QString& Url);
    /// Shows Lines as one HTML document.
    void LoadHTMLDocument(const QStringList& Lines);
    QString LocationURL() const { return FLocation; }

    static constexpr qint64 MaxPageBytes = 8 * 1024 * 1024;
    static constexpr int FetchTimeoutMs = 30000;

private:
    void Fetched(QNetworkReply* Reply);
    QNetworkAccessManager* FNetwork = nullptr;
    QPointer<QNetworkReply> FPending;
    QString FLocation;
    int FReadyState = READYSTATE_UNINITIALIZED;
};

/// Creates a control of a class given by its meta object as a child of Parent: the classes above
/// and the controls layer's month calendar and rich edit, or any widget class with an invokable
/// (QWidget*) constructor. nullptr when the class cannot be created or is not a widget.
QWidget* CreateEditControl(const QMetaObject* ControlClass, QWidget* Parent);
