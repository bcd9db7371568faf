#pragma once
// The panel beside the design page that edits what the page has no place for: the custom
// buttons (command links) and radio buttons of the design, item by item, and the dialog's default
// button, progress bar and timer. It holds a copy of the items; every edit by the user changes
// the copy and is told as one named step, which the main window records.

#include "DesignValues.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

class TItemsPanel : public QWidget {
    Q_OBJECT
public:
    explicit TItemsPanel(QWidget* Parent = nullptr);

    const TDesignItems& Items() const { return FItems; }
    // Items() with the text being typed in the caption, note, hint, radio caption and group
    // caption fields laid over the selected rows: what the live preview shows before the edit is told as a step.
    TDesignItems DraftItems() const;
    // Shows Value; tells no step. The selected rows stay where they can.
    void SetItems(const TDesignItems& Value);

    // Gives the selected button a glyph (or, with AsPicture, a command link picture) read from
    // FileName. A file that is no picture is refused with a message that names it; false then.
    bool LoadButtonPicture(const QString& FileName, bool AsPicture);

    // Takes the note editor's text into the selected button (also done when it loses the focus).
    void CommitNote();

    // Selects the button (radio button) at Row and puts the focus on its caption, on the page
    // that shows it; nothing happens for a row that does not exist.
    void SelectButton(int Row);
    void SelectRadio(int Row);
    // Turns to the page that holds Field and gives it the focus.
    void ShowField(QWidget* Field);

    // Moves the selected row of List (ButtonList or RadioList) by Delta places.
    void MoveSelected(QListWidget* List, int Delta);

    QTabWidget* Tabs;
    QListWidget* ButtonList;
    QPushButton* AddButtonBtn;
    QPushButton* RemoveButtonBtn;
    QPushButton* ButtonUpBtn;
    QPushButton* ButtonDownBtn;
    QLineEdit* ButtonCaption;
    QPlainTextEdit* ButtonNote;
    QSpinBox* ButtonModalResult;
    QCheckBox* ButtonDefault;
    QCheckBox* ButtonCancel;
    QCheckBox* ButtonEnabled;
    QCheckBox* ButtonVisible;
    QCheckBox* ButtonShield;
    QLineEdit* ButtonHint;
    QLabel* GlyphLabel;
    QPushButton* GlyphBtn;
    QPushButton* GlyphClearBtn;
    QLabel* PictureLabel;
    QPushButton* PictureBtn;
    QPushButton* PictureClearBtn;

    QListWidget* RadioList;
    QPushButton* AddRadioBtn;
    QPushButton* RemoveRadioBtn;
    QPushButton* RadioUpBtn;
    QPushButton* RadioDownBtn;
    QLineEdit* RadioCaption;
    QSpinBox* RadioValue;
    QCheckBox* RadioChecked;
    QCheckBox* RadioEnabled;
    QLineEdit* RadioGroupCaption;
    QSpinBox* RadioColumns;
    QCheckBox* RadioBorder;
    // More columns than this would not fit a dialog; a design's own number is kept until edited.
    static constexpr int MaxRadioColumns = 20;

    QComboBox* DefaultButton;
    QSpinBox* ProgressPosition;
    QSpinBox* ProgressMin;
    QSpinBox* ProgressMax;
    QComboBox* ProgressState;
    QSpinBox* TimerInterval;

    // A list row shows at most this many characters of a caption.
    static constexpr int ShownCaptionLength = 200;

Q_SIGNALS:
    // The user changed the items; Step names the change ("Add Button", "Edit Caption", ...).
    void ItemsEdited(const QString& Step);
    // The text in a caption, note, hint, radio or group caption field changed without ending its edit
    // (DraftItems follows), or Escape put the field back to the item's value.
    void ItemsDrafted();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildButtons(QWidget* Box);
    void BuildRadios(QWidget* Box);
    void BuildDialog(QWidget* Box);
    void FillList(QListWidget* List, const QStringList& Captions, int Current);
    void ShowButton();
    void ShowRadio();
    void ShowDialog();
    void AddButton();
    void RemoveButton();
    void AddRadio();
    void RemoveRadio();
    void ChooseButtonPicture(bool AsPicture);
    // Applies Edit to the selected button (radio) and tells the step, unless the panel is
    // showing values itself.
    void EditButton(const QString& Step, const std::function<void(TDesignCustomButton&)>& Edit);
    void EditRadio(const QString& Step, const std::function<void(TDesignRadioButton&)>& Edit);
    void EditDialog(const QString& Step, const std::function<void(TDesignItems&)>& Edit);
    // Selects Row of List (Count rows) and focuses its Caption field on the page showing it.
    void SelectRow(QListWidget* List, int Count, int Row, QLineEdit* Caption);
    // Tells ItemsDrafted while the user types into Field, and lets Escape give the text up.
    void DraftWhileTyping(QLineEdit* Field);
    static QString RowText(const QString& Caption);

    TDesignItems FItems;
    int FShowing = 0;
};
