#include "ItemsPanel.h"

#include "DesignFile.h"
#include "DrawText.h"
#include "Picture.h"
#include "SysUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <climits>

namespace {
const char* const CommonButtonNames[] = {"Yes",    "No",  "OK",        "Cancel",     "Abort", "Retry",
                                         "Ignore", "All", "No to All", "Yes to All", "Help",  "Close"};

QSpinBox* NewSpin(QWidget* Parent, const QString& Name, int Min = INT_MIN, int Max = INT_MAX)
{
    auto* spin = new QSpinBox(Parent);
    spin->setObjectName(Name);
    spin->setRange(Min, Max);
    spin->setKeyboardTracking(false); // one step per value, not per typed digit
    return spin;
}

QCheckBox* NewCheck(QWidget* Parent, const QString& Name, const QString& Caption)
{
    auto* box = new QCheckBox(Caption, Parent);
    box->setObjectName(Name);
    return box;
}

QPushButton* NewButton(QWidget* Parent, const QString& Name, const QString& Caption, const QString& Tip = QString())
{
    auto* button = new QPushButton(Caption, Parent);
    button->setObjectName(Name);
    button->setAutoDefault(false);
    if (!Tip.isEmpty())
        button->setToolTip(Tip);
    return button;
}

// A list with its add, remove, up and down buttons in a column beside it: the panel stays
// narrow enough to share the window with the page and the live preview.
QWidget* ListRow(QWidget* Parent, QListWidget* List, std::initializer_list<QPushButton*> Buttons)
{
    auto* box = new QWidget(Parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(List, 1);
    auto* column = new QVBoxLayout;
    for (QPushButton* b : Buttons)
        column->addWidget(b);
    column->addStretch(1);
    row->addLayout(column);
    // As tall as its buttons: a few rows show, and the fields below stay in sight.
    List->setMinimumHeight(column->sizeHint().height());
    List->setMaximumHeight(qMax(column->sizeHint().height(), List->fontMetrics().lineSpacing() * 8));
    return box;
}

// A note's lines as the command link shows them: none for an empty note.
QStringList NoteLines(const QString& Text)
{
    return Text.isEmpty() ? QStringList() : Text.split(QLatin1Char('\n'));
}

QString PictureText(const QByteArray& Data)
{
    if (Data.isEmpty())
        return QStringLiteral("None");
    TPicture picture;
    try {
        picture.LoadFromData(Data);
    } catch (const Exception&) {
        return QStringLiteral("Unreadable");
    }
    return QStringLiteral("%1 x %2").arg(picture.Width()).arg(picture.Height());
}
} // namespace

TItemsPanel::TItemsPanel(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("ItemsPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    // One page per kind of item: the panel stays short enough to sit above or beside the live
    // preview without scrolling.
    Tabs = new QTabWidget(this);
    Tabs->setObjectName(QStringLiteral("ItemsTabs"));
    Tabs->setDocumentMode(true);
    Tabs->setUsesScrollButtons(false);
    auto* buttons = new QWidget(Tabs);
    buttons->setObjectName(QStringLiteral("ButtonsPage"));
    BuildButtons(buttons);
    Tabs->addTab(buttons, QStringLiteral("&Buttons"));
    Tabs->setTabToolTip(0, QStringLiteral("Custom buttons and command links"));
    auto* radios = new QWidget(Tabs);
    radios->setObjectName(QStringLiteral("RadiosPage"));
    BuildRadios(radios);
    Tabs->addTab(radios, QStringLiteral("&Radio Buttons"));
    auto* dialog = new QWidget(Tabs);
    dialog->setObjectName(QStringLiteral("DialogPage"));
    BuildDialog(dialog);
    Tabs->addTab(dialog, QStringLiteral("Dia&log"));
    Tabs->setTabToolTip(2, QStringLiteral("The default button, the progress bar and the timer"));
    column->addWidget(Tabs);
    SetItems(FItems);
}

void TItemsPanel::ShowField(QWidget* Field)
{
    for (int i = 0; i < Tabs->count(); ++i)
        if (Tabs->widget(i)->isAncestorOf(Field))
            Tabs->setCurrentIndex(i);
    Field->setFocus(Qt::OtherFocusReason);
}

void TItemsPanel::SelectButton(int Row)
{
    SelectRow(ButtonList, int(FItems.Buttons.size()), Row, ButtonCaption);
}

void TItemsPanel::SelectRadio(int Row)
{
    SelectRow(RadioList, int(FItems.Radios.size()), Row, RadioCaption);
}

void TItemsPanel::SelectRow(QListWidget* List, int Count, int Row, QLineEdit* Caption)
{
    if (Row < 0 || Row >= Count)
        return;
    List->setCurrentRow(Row);
    ShowField(Caption);
    Caption->selectAll();
}

void TItemsPanel::DraftWhileTyping(QLineEdit* Field)
{
    // Typing shows in the live preview at once; the step waits for the edit to end, and Escape
    // puts the item's text back (eventFilter).
    connect(Field, &QLineEdit::textEdited, this, [this] {
        if (!FShowing)
            Q_EMIT ItemsDrafted();
    });
    Field->installEventFilter(this);
}

void TItemsPanel::BuildButtons(QWidget* Box)
{
    auto* layout = new QVBoxLayout(Box);
    ButtonList = new QListWidget(Box);
    ButtonList->setObjectName(QStringLiteral("ButtonList"));
    ButtonList->setAccessibleName(QStringLiteral("Custom buttons"));
    ButtonList->setUniformItemSizes(true);
    ButtonList->installEventFilter(this);
    AddButtonBtn = NewButton(Box, QStringLiteral("AddButtonBtn"), QStringLiteral("Add"), QStringLiteral("Add a button"));
    RemoveButtonBtn = NewButton(Box, QStringLiteral("RemoveButtonBtn"), QStringLiteral("Remove"),
                                QStringLiteral("Remove the selected button"));
    ButtonUpBtn = NewButton(Box, QStringLiteral("ButtonUpBtn"), QStringLiteral("Up"),
                            QStringLiteral("Move the selected button up (Alt+Up)"));
    ButtonDownBtn = NewButton(Box, QStringLiteral("ButtonDownBtn"), QStringLiteral("Down"),
                              QStringLiteral("Move the selected button down (Alt+Down)"));
    layout->addWidget(ListRow(Box, ButtonList, {AddButtonBtn, RemoveButtonBtn, ButtonUpBtn, ButtonDownBtn}));

    auto* form = new QFormLayout;
    ButtonCaption = new QLineEdit(Box);
    ButtonCaption->setObjectName(QStringLiteral("ButtonCaption"));
    ButtonCaption->setMaxLength(INT_MAX); // not the default 32,767: a longer caption would be cut
    ButtonCaption->setToolTip(QStringLiteral("An ampersand marks the access key: &Save"));
    form->addRow(QStringLiteral("Capt&ion:"), ButtonCaption);
    ButtonNote = new QPlainTextEdit(Box);
    ButtonNote->setObjectName(QStringLiteral("ButtonNote"));
    ButtonNote->setTabChangesFocus(true);
    ButtonNote->setToolTip(QStringLiteral("The lines a command link shows under its caption"));
    ButtonNote->setFixedHeight(ButtonNote->fontMetrics().lineSpacing() * 3 + 12);
    auto* noteLabel = new QLabel(QStringLiteral("No&te:"), Box);
    noteLabel->setBuddy(ButtonNote);
    form->addRow(noteLabel, ButtonNote);
    ButtonModalResult = NewSpin(Box, QStringLiteral("ButtonModalResult"));
    form->addRow(QStringLiteral("&Modal result:"), ButtonModalResult);
    ButtonHint = new QLineEdit(Box);
    ButtonHint->setObjectName(QStringLiteral("ButtonHint"));
    ButtonHint->setMaxLength(INT_MAX);
    form->addRow(QStringLiteral("Hint:"), ButtonHint);
    layout->addLayout(form);

    auto* flags = new QGridLayout;
    ButtonDefault = NewCheck(Box, QStringLiteral("ButtonDefault"), QStringLiteral("Defa&ult"));
    ButtonCancel = NewCheck(Box, QStringLiteral("ButtonCancel"), QStringLiteral("Cancel"));
    ButtonEnabled = NewCheck(Box, QStringLiteral("ButtonEnabled"), QStringLiteral("Enabled"));
    ButtonVisible = NewCheck(Box, QStringLiteral("ButtonVisible"), QStringLiteral("Visible"));
    ButtonShield = NewCheck(Box, QStringLiteral("ButtonShield"), QStringLiteral("Elevation re&quired (shield)"));
    flags->addWidget(ButtonDefault, 0, 0);
    flags->addWidget(ButtonCancel, 0, 1);
    flags->addWidget(ButtonEnabled, 1, 0);
    flags->addWidget(ButtonVisible, 1, 1);
    flags->addWidget(ButtonShield, 2, 0, 1, 2);
    layout->addLayout(flags);

    auto* pictures = new QFormLayout;
    const auto pictureRow = [&](const QString& Caption, const QString& Name, QLabel*& Label, QPushButton*& Choose,
                                QPushButton*& Clear) {
        auto* row = new QHBoxLayout;
        Label = new QLabel(Box);
        Label->setObjectName(Name + QStringLiteral("Label"));
        Choose = NewButton(Box, Name + QStringLiteral("Btn"), QStringLiteral("Choose..."));
        Choose->setAccessibleName(QStringLiteral("Choose %1").arg(QString(Caption).remove(QLatin1Char('&')).chopped(1)));
        Clear = NewButton(Box, Name + QStringLiteral("ClearBtn"), QStringLiteral("Clear"));
        Clear->setAccessibleName(QStringLiteral("Clear %1").arg(QString(Caption).remove(QLatin1Char('&')).chopped(1)));
        row->addWidget(Label, 1);
        row->addWidget(Choose);
        row->addWidget(Clear);
        auto* label = new QLabel(Caption, Box);
        label->setBuddy(Choose);
        pictures->addRow(label, row);
    };
    pictureRow(QStringLiteral("Gl&yph:"), QStringLiteral("Glyph"), GlyphLabel, GlyphBtn, GlyphClearBtn);
    pictureRow(QStringLiteral("Picture:"), QStringLiteral("Picture"), PictureLabel, PictureBtn, PictureClearBtn);
    layout->addLayout(pictures);
    layout->addStretch(1);

    connect(ButtonList, &QListWidget::currentRowChanged, this, [this] { ShowButton(); });
    connect(AddButtonBtn, &QPushButton::clicked, this, [this] { AddButton(); });
    connect(RemoveButtonBtn, &QPushButton::clicked, this, [this] { RemoveButton(); });
    connect(ButtonUpBtn, &QPushButton::clicked, this, [this] { MoveSelected(ButtonList, -1); });
    connect(ButtonDownBtn, &QPushButton::clicked, this, [this] { MoveSelected(ButtonList, 1); });
    connect(ButtonCaption, &QLineEdit::editingFinished, this, [this] {
        EditButton(QStringLiteral("Edit Button Caption"), [this](TDesignCustomButton& B) { B.Caption = ButtonCaption->text(); });
    });
    ButtonNote->installEventFilter(this); // the note is taken when the editor loses the focus
    DraftWhileTyping(ButtonCaption);
    DraftWhileTyping(ButtonHint);
    connect(ButtonNote, &QPlainTextEdit::textChanged, this, [this] {
        if (!FShowing)
            Q_EMIT ItemsDrafted();
    });
    connect(ButtonModalResult, &QSpinBox::valueChanged, this, [this](int Value) {
        EditButton(QStringLiteral("Edit Modal Result"), [Value](TDesignCustomButton& B) { B.ModalResult = Value; });
    });
    connect(ButtonHint, &QLineEdit::editingFinished, this, [this] {
        EditButton(QStringLiteral("Edit Button Hint"), [this](TDesignCustomButton& B) { B.Hint = ButtonHint->text(); });
    });
    const std::pair<QCheckBox*, bool TDesignCustomButton::*> flagFields[] = {
        {ButtonDefault, &TDesignCustomButton::Default},
        {ButtonCancel, &TDesignCustomButton::Cancel},
        {ButtonEnabled, &TDesignCustomButton::Enabled},
        {ButtonVisible, &TDesignCustomButton::Visible},
        {ButtonShield, &TDesignCustomButton::ElevationRequired}};
    for (const auto& flag : flagFields) {
        // Named copies: lambdas cannot capture structured bindings with every compiler we build with.
        QCheckBox* box = flag.first;
        auto field = flag.second;
        connect(box, &QCheckBox::toggled, this, [this, box, field](bool Checked) {
            EditButton(QStringLiteral("%1 %2").arg(Checked ? QStringLiteral("Check") : QStringLiteral("Uncheck"),
                                                   box->text().remove(QLatin1Char('&'))),
                       [field, Checked](TDesignCustomButton& B) { B.*field = Checked; });
        });
    }
    connect(GlyphBtn, &QPushButton::clicked, this, [this] { ChooseButtonPicture(false); });
    connect(PictureBtn, &QPushButton::clicked, this, [this] { ChooseButtonPicture(true); });
    connect(GlyphClearBtn, &QPushButton::clicked, this, [this] {
        EditButton(QStringLiteral("Clear Glyph"), [](TDesignCustomButton& B) { B.Glyph.clear(); });
    });
    connect(PictureClearBtn, &QPushButton::clicked, this, [this] {
        EditButton(QStringLiteral("Clear Picture"), [](TDesignCustomButton& B) { B.Picture.clear(); });
    });
}

void TItemsPanel::BuildRadios(QWidget* Box)
{
    auto* layout = new QVBoxLayout(Box);
    RadioList = new QListWidget(Box);
    RadioList->setObjectName(QStringLiteral("RadioList"));
    RadioList->setAccessibleName(QStringLiteral("Radio buttons"));
    RadioList->setUniformItemSizes(true);
    RadioList->installEventFilter(this);
    AddRadioBtn = NewButton(Box, QStringLiteral("AddRadioBtn"), QStringLiteral("Add"), QStringLiteral("Add a radio button"));
    RemoveRadioBtn = NewButton(Box, QStringLiteral("RemoveRadioBtn"), QStringLiteral("Remove"),
                               QStringLiteral("Remove the selected radio button"));
    RadioUpBtn = NewButton(Box, QStringLiteral("RadioUpBtn"), QStringLiteral("Up"),
                           QStringLiteral("Move the selected radio button up (Alt+Up)"));
    RadioDownBtn = NewButton(Box, QStringLiteral("RadioDownBtn"), QStringLiteral("Down"),
                             QStringLiteral("Move the selected radio button down (Alt+Down)"));
    // The same captions serve both lists; the names say which.
    const std::pair<QPushButton*, const char*> names[] = {
        {AddButtonBtn, "Add button"},          {RemoveButtonBtn, "Remove button"},
        {ButtonUpBtn, "Move button up"},       {ButtonDownBtn, "Move button down"},
        {AddRadioBtn, "Add radio button"},     {RemoveRadioBtn, "Remove radio button"},
        {RadioUpBtn, "Move radio button up"},  {RadioDownBtn, "Move radio button down"}};
    for (const auto& [button, name] : names)
        button->setAccessibleName(QLatin1String(name));
    layout->addWidget(ListRow(Box, RadioList, {AddRadioBtn, RemoveRadioBtn, RadioUpBtn, RadioDownBtn}));
    auto* form = new QFormLayout;
    RadioCaption = new QLineEdit(Box);
    RadioCaption->setObjectName(QStringLiteral("RadioCaption"));
    RadioCaption->setMaxLength(INT_MAX);
    form->addRow(QStringLiteral("Capt&ion:"), RadioCaption);
    RadioValue = NewSpin(Box, QStringLiteral("RadioValue"));
    form->addRow(QStringLiteral("Val&ue:"), RadioValue);
    layout->addLayout(form);
    auto* flags = new QHBoxLayout;
    RadioChecked = NewCheck(Box, QStringLiteral("RadioChecked"), QStringLiteral("Checked"));
    RadioEnabled = NewCheck(Box, QStringLiteral("RadioEnabled"), QStringLiteral("Enabled"));
    flags->addWidget(RadioChecked);
    flags->addWidget(RadioEnabled);
    flags->addStretch(1);
    layout->addLayout(flags);

    // The group the buttons stand in.
    auto* group = new QFormLayout;
    RadioGroupCaption = new QLineEdit(Box);
    RadioGroupCaption->setObjectName(QStringLiteral("RadioGroupCaption"));
    RadioGroupCaption->setMaxLength(INT_MAX);
    RadioGroupCaption->setToolTip(QStringLiteral("The caption over the radio buttons"));
    group->addRow(QStringLiteral("Group cap&tion:"), RadioGroupCaption);
    RadioColumns = NewSpin(Box, QStringLiteral("RadioColumns"), 1, MaxRadioColumns);
    group->addRow(QStringLiteral("Colu&mns:"), RadioColumns);
    RadioBorder = NewCheck(Box, QStringLiteral("RadioBorder"), QStringLiteral("Sho&w border"));
    group->addRow(QString(), RadioBorder);
    layout->addLayout(group);
    layout->addStretch(1);

    connect(RadioList, &QListWidget::currentRowChanged, this, [this] { ShowRadio(); });
    connect(AddRadioBtn, &QPushButton::clicked, this, [this] { AddRadio(); });
    connect(RemoveRadioBtn, &QPushButton::clicked, this, [this] { RemoveRadio(); });
    connect(RadioUpBtn, &QPushButton::clicked, this, [this] { MoveSelected(RadioList, -1); });
    connect(RadioDownBtn, &QPushButton::clicked, this, [this] { MoveSelected(RadioList, 1); });
    DraftWhileTyping(RadioCaption);
    connect(RadioCaption, &QLineEdit::editingFinished, this, [this] {
        EditRadio(QStringLiteral("Edit Radio Caption"), [this](TDesignRadioButton& R) { R.Caption = RadioCaption->text(); });
    });
    connect(RadioValue, &QSpinBox::valueChanged, this, [this](int Value) {
        EditRadio(QStringLiteral("Edit Radio Value"), [Value](TDesignRadioButton& R) { R.Value = Value; });
    });
    connect(RadioChecked, &QCheckBox::toggled, this, [this](bool Checked) {
        EditRadio(Checked ? QStringLiteral("Check Radio Button") : QStringLiteral("Uncheck Radio Button"),
                  [Checked](TDesignRadioButton& R) { R.Checked = Checked; });
    });
    DraftWhileTyping(RadioGroupCaption);
    connect(RadioGroupCaption, &QLineEdit::editingFinished, this, [this] {
        EditDialog(QStringLiteral("Edit Radio Group Caption"),
                   [this](TDesignItems& I) { I.RadioGroupCaption = RadioGroupCaption->text(); });
    });
    connect(RadioColumns, &QSpinBox::valueChanged, this, [this](int Value) {
        EditDialog(QStringLiteral("Set Radio Columns"), [Value](TDesignItems& I) { I.RadioColumns = Value; });
    });
    connect(RadioBorder, &QCheckBox::toggled, this, [this](bool Checked) {
        EditDialog(Checked ? QStringLiteral("Show Radio Border") : QStringLiteral("Hide Radio Border"),
                   [Checked](TDesignItems& I) { I.RadioBorder = Checked; });
    });
    connect(RadioEnabled, &QCheckBox::toggled, this, [this](bool Checked) {
        EditRadio(Checked ? QStringLiteral("Enable Radio Button") : QStringLiteral("Disable Radio Button"),
                  [Checked](TDesignRadioButton& R) { R.Enabled = Checked; });
    });
}

void TItemsPanel::BuildDialog(QWidget* Box)
{
    auto* column = new QVBoxLayout(Box);
    auto* form = new QFormLayout;
    column->addLayout(form);
    column->addStretch(1);
    DefaultButton = new QComboBox(Box);
    DefaultButton->setObjectName(QStringLiteral("DefaultButton"));
    DefaultButton->addItem(QStringLiteral("None"));
    for (const char* name : CommonButtonNames)
        DefaultButton->addItem(QLatin1String(name));
    DefaultButton->setToolTip(QStringLiteral("The common button that Enter presses"));
    form->addRow(QStringLiteral("Default b&utton:"), DefaultButton);
    ProgressPosition = NewSpin(Box, QStringLiteral("ProgressPosition"));
    form->addRow(QStringLiteral("Progress posi&tion:"), ProgressPosition);
    ProgressMin = NewSpin(Box, QStringLiteral("ProgressMin"));
    form->addRow(QStringLiteral("Progress m&inimum:"), ProgressMin);
    ProgressMax = NewSpin(Box, QStringLiteral("ProgressMax"));
    form->addRow(QStringLiteral("Progress &maximum:"), ProgressMax);
    ProgressState = new QComboBox(Box);
    ProgressState->setObjectName(QStringLiteral("ProgressState"));
    ProgressState->addItems({QStringLiteral("Normal"), QStringLiteral("Error"), QStringLiteral("Paused")});
    form->addRow(QStringLiteral("Progress state:"), ProgressState);
    TimerInterval = NewSpin(Box, QStringLiteral("TimerInterval"), 0, INT_MAX);
    TimerInterval->setSuffix(QStringLiteral(" ms"));
    form->addRow(QStringLiteral("Timer interval:"), TimerInterval);

    connect(DefaultButton, &QComboBox::currentIndexChanged, this, [this](int Index) {
        EditDialog(QStringLiteral("Set Default Button"), [Index](TDesignItems& I) {
            // "None" keeps which button would be the default, so a design read that way stays as it was.
            I.UseDefault = Index > 0;
            if (Index > 0)
                I.DefaultButton = TCommonButton(Index - 1);
        });
    });
    connect(ProgressPosition, &QSpinBox::valueChanged, this, [this](int Value) {
        EditDialog(QStringLiteral("Set Progress Position"), [Value](TDesignItems& I) { I.ProgressPosition = Value; });
    });
    connect(ProgressMin, &QSpinBox::valueChanged, this, [this](int Value) {
        EditDialog(QStringLiteral("Set Progress Minimum"), [Value](TDesignItems& I) { I.ProgressMin = Value; });
    });
    connect(ProgressMax, &QSpinBox::valueChanged, this, [this](int Value) {
        EditDialog(QStringLiteral("Set Progress Maximum"), [Value](TDesignItems& I) { I.ProgressMax = Value; });
    });
    connect(ProgressState, &QComboBox::currentIndexChanged, this, [this](int Index) {
        EditDialog(QStringLiteral("Set Progress State"),
                   [Index](TDesignItems& I) { I.ProgressState = TProgressBarState(qMax(0, Index)); });
    });
    connect(TimerInterval, &QSpinBox::valueChanged, this, [this](int Value) {
        EditDialog(QStringLiteral("Set Timer Interval"), [Value](TDesignItems& I) { I.TimerInterval = quint32(Value); });
    });
}

QString TItemsPanel::RowText(const QString& Caption)
{
    // A row reads as the button will: without its accelerator marker ("&&" is one "&"). A very
    // long caption is shown by its start: laying out all of it for one row costs time.
    const bool cut = Caption.size() > ShownCaptionLength;
    const QString text = StripHotkey(cut ? Caption.left(ShownCaptionLength) : Caption);
    if (cut)
        return text + QChar(0x2026);
    return text.isEmpty() ? QStringLiteral("(no caption)") : text;
}

void TItemsPanel::FillList(QListWidget* List, const QStringList& Captions, int Current)
{
    const QSignalBlocker block(List);
    List->setUpdatesEnabled(false);
    if (List->count() != Captions.size()) {
        List->clear();
        for (const QString& caption : Captions)
            List->addItem(RowText(caption));
    } else {
        for (int i = 0; i < Captions.size(); ++i) {
            const QString text = RowText(Captions[i]);
            if (List->item(i)->text() != text)
                List->item(i)->setText(text);
        }
    }
    List->setCurrentRow(Captions.isEmpty() ? -1 : qBound(0, Current, int(Captions.size()) - 1));
    List->setUpdatesEnabled(true);
}

void TItemsPanel::SetItems(const TDesignItems& Value)
{
    ++FShowing;
    FItems = Value;
    QStringList buttons, radios;
    buttons.reserve(FItems.Buttons.size());
    for (const TDesignCustomButton& b : FItems.Buttons)
        buttons.append(b.Caption);
    for (const TDesignRadioButton& r : FItems.Radios)
        radios.append(r.Caption);
    FillList(ButtonList, buttons, ButtonList->currentRow());
    FillList(RadioList, radios, RadioList->currentRow());
    ShowButton();
    ShowRadio();
    ShowDialog();
    --FShowing;
}

void TItemsPanel::ShowButton()
{
    ++FShowing;
    const int row = ButtonList->currentRow();
    const bool has = row >= 0 && row < FItems.Buttons.size();
    const TDesignCustomButton b = has ? FItems.Buttons[row] : TDesignCustomButton();
    for (QWidget* w : std::initializer_list<QWidget*>{ButtonCaption, ButtonNote, ButtonModalResult, ButtonHint,
                                                      ButtonDefault, ButtonCancel, ButtonEnabled, ButtonVisible,
                                                      ButtonShield, GlyphBtn, GlyphClearBtn, PictureBtn,
                                                      PictureClearBtn, RemoveButtonBtn})
        w->setEnabled(has);
    ButtonUpBtn->setEnabled(has && row > 0);
    ButtonDownBtn->setEnabled(has && row + 1 < FItems.Buttons.size());
    if (ButtonCaption->text() != b.Caption)
        ButtonCaption->setText(b.Caption);
    const QString note = b.Info.join(QLatin1Char('\n'));
    if (ButtonNote->toPlainText() != note)
        ButtonNote->setPlainText(note);
    ButtonModalResult->setValue(b.ModalResult);
    ButtonHint->setText(b.Hint);
    ButtonDefault->setChecked(b.Default);
    ButtonCancel->setChecked(b.Cancel);
    ButtonEnabled->setChecked(b.Enabled);
    ButtonVisible->setChecked(b.Visible);
    ButtonShield->setChecked(b.ElevationRequired);
    GlyphLabel->setText(PictureText(b.Glyph));
    PictureLabel->setText(PictureText(b.Picture));
    GlyphClearBtn->setEnabled(has && !b.Glyph.isEmpty());
    PictureClearBtn->setEnabled(has && !b.Picture.isEmpty());
    --FShowing;
}

void TItemsPanel::ShowRadio()
{
    ++FShowing;
    const int row = RadioList->currentRow();
    const bool has = row >= 0 && row < FItems.Radios.size();
    const TDesignRadioButton r = has ? FItems.Radios[row] : TDesignRadioButton();
    for (QWidget* w : std::initializer_list<QWidget*>{RadioCaption, RadioValue, RadioChecked, RadioEnabled, RemoveRadioBtn})
        w->setEnabled(has);
    RadioUpBtn->setEnabled(has && row > 0);
    RadioDownBtn->setEnabled(has && row + 1 < FItems.Radios.size());
    if (RadioCaption->text() != r.Caption)
        RadioCaption->setText(r.Caption);
    RadioValue->setValue(r.Value);
    RadioChecked->setChecked(r.Checked);
    RadioEnabled->setChecked(r.Enabled);
    --FShowing;
}

void TItemsPanel::ShowDialog()
{
    ++FShowing;
    DefaultButton->setCurrentIndex(FItems.UseDefault ? int(FItems.DefaultButton) + 1 : 0);
    ProgressPosition->setValue(FItems.ProgressPosition);
    ProgressMin->setValue(FItems.ProgressMin);
    ProgressMax->setValue(FItems.ProgressMax);
    ProgressState->setCurrentIndex(int(FItems.ProgressState));
    // An interval beyond what the box holds is shown at its limit and kept until it is edited;
    // so are columns outside the box's range.
    TimerInterval->setValue(int(qMin<quint32>(FItems.TimerInterval, INT_MAX)));
    if (RadioGroupCaption->text() != FItems.RadioGroupCaption)
        RadioGroupCaption->setText(FItems.RadioGroupCaption);
    RadioColumns->setValue(FItems.RadioColumns);
    RadioBorder->setChecked(FItems.RadioBorder);
    --FShowing;
}

void TItemsPanel::EditButton(const QString& Step, const std::function<void(TDesignCustomButton&)>& Edit)
{
    const int row = ButtonList->currentRow();
    if (FShowing || row < 0 || row >= FItems.Buttons.size())
        return;
    TDesignCustomButton b = FItems.Buttons[row];
    Edit(b);
    if (b == FItems.Buttons[row])
        return;
    FItems.Buttons[row] = b;
    ++FShowing;
    if (QListWidgetItem* item = ButtonList->item(row); item && item->text() != RowText(b.Caption))
        item->setText(RowText(b.Caption));
    GlyphLabel->setText(PictureText(b.Glyph));
    PictureLabel->setText(PictureText(b.Picture));
    GlyphClearBtn->setEnabled(!b.Glyph.isEmpty());
    PictureClearBtn->setEnabled(!b.Picture.isEmpty());
    --FShowing;
    Q_EMIT ItemsEdited(Step);
}

void TItemsPanel::EditRadio(const QString& Step, const std::function<void(TDesignRadioButton&)>& Edit)
{
    const int row = RadioList->currentRow();
    if (FShowing || row < 0 || row >= FItems.Radios.size())
        return;
    TDesignRadioButton r = FItems.Radios[row];
    Edit(r);
    if (r == FItems.Radios[row])
        return;
    FItems.Radios[row] = r;
    ++FShowing;
    if (QListWidgetItem* item = RadioList->item(row); item && item->text() != RowText(r.Caption))
        item->setText(RowText(r.Caption));
    --FShowing;
    Q_EMIT ItemsEdited(Step);
}

void TItemsPanel::EditDialog(const QString& Step, const std::function<void(TDesignItems&)>& Edit)
{
    if (FShowing)
        return;
    TDesignItems items = FItems;
    Edit(items);
    if (items == FItems)
        return;
    FItems = std::move(items);
    Q_EMIT ItemsEdited(Step);
}

void TItemsPanel::AddButton()
{
    TDesignCustomButton b;
    const int count = int(FItems.Buttons.size());
    b.Caption = QStringLiteral("Button %1").arg(count + 1);
    // Each button closes the dialog with its own value, so every choice is told apart.
    b.ModalResult = 100 + count;
    FItems.Buttons.append(b);
    ++FShowing;
    ButtonList->addItem(RowText(b.Caption));
    ButtonList->setCurrentRow(count);
    --FShowing;
    ShowButton();
    Q_EMIT ItemsEdited(QStringLiteral("Add Button"));
}

void TItemsPanel::RemoveButton()
{
    const int row = ButtonList->currentRow();
    if (row < 0 || row >= FItems.Buttons.size())
        return;
    FItems.Buttons.removeAt(row);
    ++FShowing;
    delete ButtonList->takeItem(row);
    ButtonList->setCurrentRow(qMin(row, int(FItems.Buttons.size()) - 1));
    --FShowing;
    ShowButton();
    Q_EMIT ItemsEdited(QStringLiteral("Remove Button"));
}

void TItemsPanel::AddRadio()
{
    // As the dialog's own collection numbers them: the value 199 + count, the first one checked.
    const int count = int(FItems.Radios.size()) + 1;
    TDesignRadioButton r;
    r.Caption = QStringLiteral("Radio Button %1").arg(count - 1);
    r.Value = count + 199;
    r.Checked = count == 1;
    FItems.Radios.append(r);
    ++FShowing;
    RadioList->addItem(RowText(r.Caption));
    RadioList->setCurrentRow(count - 1);
    --FShowing;
    ShowRadio();
    Q_EMIT ItemsEdited(QStringLiteral("Add Radio Button"));
}

void TItemsPanel::RemoveRadio()
{
    const int row = RadioList->currentRow();
    if (row < 0 || row >= FItems.Radios.size())
        return;
    FItems.Radios.removeAt(row);
    ++FShowing;
    delete RadioList->takeItem(row);
    RadioList->setCurrentRow(qMin(row, int(FItems.Radios.size()) - 1));
    --FShowing;
    ShowRadio();
    Q_EMIT ItemsEdited(QStringLiteral("Remove Radio Button"));
}

void TItemsPanel::MoveSelected(QListWidget* List, int Delta)
{
    const int row = List->currentRow();
    const int to = row + Delta;
    const bool buttons = List == ButtonList;
    const int count = buttons ? int(FItems.Buttons.size()) : int(FItems.Radios.size());
    if (row < 0 || to < 0 || to >= count)
        return;
    if (buttons)
        FItems.Buttons.move(row, to);
    else
        FItems.Radios.move(row, to);
    ++FShowing;
    List->insertItem(to, List->takeItem(row));
    List->setCurrentRow(to);
    --FShowing;
    if (buttons)
        ShowButton();
    else
        ShowRadio();
    Q_EMIT ItemsEdited(buttons ? QStringLiteral("Move Button") : QStringLiteral("Move Radio Button"));
}

TDesignItems TItemsPanel::DraftItems() const
{
    TDesignItems items = FItems;
    const int button = ButtonList->currentRow();
    if (button >= 0 && button < items.Buttons.size()) {
        TDesignCustomButton& b = items.Buttons[button];
        b.Caption = ButtonCaption->text();
        b.Hint = ButtonHint->text();
        b.Info = NoteLines(ButtonNote->toPlainText());
    }
    const int radio = RadioList->currentRow();
    if (radio >= 0 && radio < items.Radios.size())
        items.Radios[radio].Caption = RadioCaption->text();
    items.RadioGroupCaption = RadioGroupCaption->text();
    return items;
}

bool TItemsPanel::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::FocusOut && Watched == ButtonNote)
        CommitNote();
    if (Event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape
        && (Watched == ButtonCaption || Watched == ButtonHint || Watched == ButtonNote || Watched == RadioCaption
            || Watched == RadioGroupCaption)) {
        // Escape gives up the text being typed: the field shows the item's own again.
        if (DraftItems() != FItems) {
            if (Watched == RadioGroupCaption)
                ShowDialog();
            else if (Watched == RadioCaption)
                ShowRadio();
            else
                ShowButton();
            Q_EMIT ItemsDrafted();
            return true;
        }
    }
    if (Event->type() == QEvent::KeyPress && (Watched == ButtonList || Watched == RadioList)) {
        const auto* key = static_cast<QKeyEvent*>(Event);
        if (key->modifiers() == Qt::AltModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            MoveSelected(static_cast<QListWidget*>(Watched), key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

void TItemsPanel::CommitNote()
{
    EditButton(QStringLiteral("Edit Button Note"), [this](TDesignCustomButton& B) {
        B.Info = NoteLines(ButtonNote->toPlainText());
    });
}

void TItemsPanel::ChooseButtonPicture(bool AsPicture)
{
    const QString fileName = QFileDialog::getOpenFileName(
        this, AsPicture ? QStringLiteral("Choose Picture") : QStringLiteral("Choose Glyph"), QString(),
        QStringLiteral("Pictures (*.png *.bmp *.ico);;All files (*)"));
    if (!fileName.isEmpty())
        LoadButtonPicture(fileName, AsPicture);
}

bool TItemsPanel::LoadButtonPicture(const QString& FileName, bool AsPicture)
{
    const int row = ButtonList->currentRow();
    if (row < 0 || row >= FItems.Buttons.size())
        return false;
    QByteArray data;
    try {
        TPicture picture;
        picture.LoadFromFile(FileName);
        data = picture.SaveToData();
    } catch (const Exception& E) {
        QMessageBox::warning(this, QStringLiteral("Quillfen"),
                             QStringLiteral("%1 is not a picture that a button can show:\n%2")
                                 .arg(ShownFileName(QFileInfo(FileName).fileName()), E.Message()));
        return false;
    }
    EditButton(AsPicture ? QStringLiteral("Set Picture") : QStringLiteral("Set Glyph"),
               [&](TDesignCustomButton& B) { (AsPicture ? B.Picture : B.Glyph) = data; });
    return true;
}
