#include "VxEditDialog.h"

#include "Screen.h"
#include "VxDialogEngine.h"
#include "VxDialogStrs.h"
#include "VxDialogs.h"
#include "VxEditControls.h"
#include "VxEditDialogIntf.h"
#include "VxMonthCalendar.h"
#include "VxOptions.h"
#include "VxRichEdit.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaProperty>
#include <QPlainTextEdit>

#include <cmath>

namespace {

// The lines of a text as the platform's string lists split it (a final break adds no line).
QStringList LinesOf(const QString& Text)
{
    TStringList lines;
    lines.SetText(Text);
    return lines.Lines();
}

// The control's "Text" property (or Qt's "text") when it has one.
QMetaProperty TextProperty(const QObject* Control)
{
    const QMetaObject* meta = Control->metaObject();
    for (const char* name : {"Text", "text"}) {
        const int index = meta->indexOfProperty(name);
        if (index >= 0 && meta->property(index).metaType().id() == QMetaType::QString)
            return meta->property(index);
    }
    return {};
}

// Whether the control's text is its value: not for a date or time picker, whose text is only
// its display (the edit-value handler gives the value).
bool ValueIsText(TVxEditType Type, const QWidget* Control)
{
    return Type != etDate && Type != etTime && Type != etCalendar && !qobject_cast<const QDateTimeEdit*>(Control);
}

// Whether the control's text is what the user typed: a one-line edit, a memo, an editable combo.
// A picker's display text or a fixed list's item is no typed text, so no length limit reads it.
bool TypedText(TVxEditType Type, const QWidget* Control)
{
    switch (Type) {
    case etEdit:
    case etMemo: return true;
    case etComboBox:
    case etEditComboBox: {
        const auto* combo = qobject_cast<const QComboBox*>(Control);
        return !combo || combo->isEditable();
    }
    case etDate:
    case etTime:
    case etCalendar: return false;
    default: return !qobject_cast<const QAbstractSpinBox*>(Control);
    }
}

QStringList ListItems(const QListWidget* List)
{
    QStringList items;
    for (int i = 0; i < List->count(); ++i)
        items << List->item(i)->text();
    return items;
}

bool ModalResultAccepts(int ModalResult)
{
    return ModalResult == mrOk || ModalResult == mrYes;
}

} // namespace

// ---------------------------------------------------------------------------------------------

const TClassInfo& TVxCustomEditDialog::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TVxCustomEditDialog"), &TVxDialog::StaticClassInfo(), {});
    return info;
}

const TClassInfo& TVxEditDialog::StaticClassInfo()
{
    using C = TVxEditDialog;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxEditDialog"), &TVxCustomEditDialog::StaticClassInfo())
            .Object<TVxEditProperties>(QStringLiteral("EditProperties"), &C::EditProperties, &C::SetEditProperties,
                                       QStringLiteral("TVxEditProperties"))
            .Event(QStringLiteral("OnAdjustTopValue"), &C::OnAdjustTopValue, QStringLiteral("TVxAdjustTopValueEvent"))
            .Event(QStringLiteral("OnGetEditControlClass"), &C::OnGetEditControlClass,
                   QStringLiteral("TVxGetControlClassEvent"))
            .Event(QStringLiteral("OnInitialiseEdit"), &C::OnInitialiseEdit, QStringLiteral("TVxInitialiseEditEvent"))
            .Event(QStringLiteral("OnSetDefaultValue"), &C::OnSetDefaultValue, QStringLiteral("TVxSetDefaultValueEvent"))
            .Event(QStringLiteral("OnSetEditValue"), &C::OnSetEditValue, QStringLiteral("TVxSetDefaultValueEvent"))
            .Event(QStringLiteral("OnGetEditValue"), &C::OnGetEditValue, QStringLiteral("TVxGetEditValueEvent"))
            .Event(QStringLiteral("OnGetControlHeight"), &C::OnGetControlHeight, QStringLiteral("TVxGetControlHeightEvent"))
            .Event(QStringLiteral("OnValidate"), &C::OnValidate, QStringLiteral("TVxValidateEvent"))
            .Build();
    return info;
}

TVxCustomEditDialog::TVxCustomEditDialog(TComponent* AOwner)
    : TVxCustomEditDialog(AOwner, std::make_unique<TVxEditProperties>())
{
}

TVxCustomEditDialog::TVxCustomEditDialog(TComponent* AOwner, std::unique_ptr<TVxEditProperties> AEditProperties)
    : TVxDialog(AOwner), FEditProperties(AEditProperties ? std::move(AEditProperties) : std::make_unique<TVxEditProperties>())
{
    InstallDialogEngine();
}

TVxCustomEditDialog::~TVxCustomEditDialog()
{
    FEditControl = nullptr;
    FEditLabel = nullptr;
}

void TVxCustomEditDialog::Assign(const TPersistent* Source)
{
    TVxDialog::Assign(Source);
    if (auto* src = dynamic_cast<const TVxCustomEditDialog*>(Source))
        SetEditProperties(src->EditProperties());
}

void TVxCustomEditDialog::SetEditProperties(const TVxEditProperties* Value)
{
    FEditProperties->Assign(Value);
}

int TVxCustomEditDialog::Execute(QObject* aOwner)
{
    FEditInitialised = false;
    return TVxDialog::Execute(aOwner);
}

void TVxCustomEditDialog::SetEditValue(const QString& Value)
{
    SetControlValue(Value, nullptr);
    if (OnSetEditValue)
        OnSetEditValue(this, FEditControl.data(), -1, Value);
}

QWidget* TVxCustomEditDialog::EditControls(int) const
{
    return FEditControl.data();
}

IVxEditDialogControl* TVxCustomEditDialog::EditIntf() const
{
    return dynamic_cast<IVxEditDialogControl*>(FEditControl.data());
}

int TVxCustomEditDialog::Scaled(int Value)
{
    return MulDiv(Value, PixelsPerInch(), 96);
}

int TVxCustomEditDialog::DialogClientWidth() const
{
    if (FClientWidth > 0)
        return FClientWidth;
    auto* form = qobject_cast<QWidget*>(Form());
    return form ? form->width() : 0;
}

// ---------------------------------------------------------------------------------------------
// Queries of a showing dialog

void TVxCustomEditDialog::UpdateValue(const QString& AValue, bool AFocus, bool ASelect)
{
    if (FEditProperties->EditType() != etEdit || !FEditControl)
        return;
    if (QMetaProperty text = TextProperty(FEditControl); text.isValid())
        text.write(FEditControl, AValue);
    if (AFocus)
        FEditControl->setFocus(Qt::OtherFocusReason);
    if (ASelect)
        if (auto* edit = qobject_cast<QLineEdit*>(FEditControl))
            edit->selectAll();
}

int TVxCustomEditDialog::ItemCount() const
{
    const TVxEditType type = FEditProperties->EditType();
    if (type != etListBox && type != etCheckListBox)
        return 0;
    auto* list = qobject_cast<QListWidget*>(FEditControl.data());
    return list ? list->count() : 0;
}

bool TVxCustomEditDialog::ItemChecked(int AIndex) const
{
    if (AIndex < 0 || AIndex >= ItemCount())
        return false;
    const QListWidgetItem* item = qobject_cast<QListWidget*>(FEditControl.data())->item(AIndex);
    return (item->flags() & Qt::ItemIsUserCheckable) && item->checkState() == Qt::Checked;
}

bool TVxCustomEditDialog::ItemChecked(const QString& AValue) const
{
    if (ItemCount() == 0)
        return false;
    return ItemChecked(IndexOfText(ListItems(qobject_cast<QListWidget*>(FEditControl.data())), AValue));
}

bool TVxCustomEditDialog::GetCheckedItems(TStrings* AItems) const
{
    if (!AItems)
        return false;
    AItems->BeginUpdate();
    AItems->Clear();
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemChecked(i))
            AItems->Add(qobject_cast<QListWidget*>(FEditControl.data())->item(i)->text());
    AItems->EndUpdate();
    return AItems->Count() > 0;
}

// ---------------------------------------------------------------------------------------------
// Engine operations

void TVxCustomEditDialog::DoCloseQuery(TObject* Sender, bool& CanClose)
{
    TVxDialog::DoCloseQuery(Sender, CanClose);
    CanClose = ValidateEdit();
}

bool TVxCustomEditDialog::UseMinimumHeight()
{
    return false;
}

int TVxCustomEditDialog::GetExtraHeight()
{
    int result = 0;
    if (!Form())
        return result;
    const int a = GetEditHeight();
    const int b = FEditProperties->CaptionVisible() ? EditLabelSize().height() : 0;
    result = a + FVertMargin;
    if (FEditProperties->CaptionPosition() == cpTop)
        result += b;
    else if (a < b)
        result += b - a;
    if (FDialogOptions.Contains(doProgressBar) || FDialogOptions.Contains(doProgressBarMarquee) ||
        FDialogOptions.Contains(doRadioButtons))
        result += Scaled(8);
    return result;
}

int TVxCustomEditDialog::GetMinimumWidth()
{
    return CalcEditWidth() + FLeftMargin + FRightMargin;
}

void TVxCustomEditDialog::CreateAdditionalControls()
{
    TVxDialog::CreateAdditionalControls();
    CreateEditControl();
}

TWinControl* TVxCustomEditDialog::GetInitialFocusControl()
{
    if (IVxEditDialogControl* intf = EditIntf())
        return intf->GetFocusControl();
    if (FActiveControlType == ctButton && FEditProperties->AllowActiveControl() && FEditControl)
        return FEditControl.data();
    return TVxDialog::GetInitialFocusControl();
}

void TVxCustomEditDialog::DoDialogClose()
{
    try {
        FEditValue = ReadEditValue();
    } catch (const Exception& E) {
        // The value cannot be read: the caller keeps the value it gave.
        FEditValue = FEditProperties->Value();
        ShowValidationMessage(E.Message());
    }
    TVxDialog::DoDialogClose();
}

void TVxCustomEditDialog::DoDestroyed()
{
    TVxDialog::DoDestroyed();
    FEditControl = nullptr;
    FEditLabel = nullptr;
}

void TVxCustomEditDialog::DoDialogConstructed()
{
    TVxDialog::DoDialogConstructed();
    try {
        DoSetDefaultValue();
    } catch (const Exception& E) {
        ShowValidationMessage(E.Message());
    }
}

// ---------------------------------------------------------------------------------------------
// Edit dialog operations

int TVxCustomEditDialog::GetEditHeight()
{
    // The window stays within the screen as every dialog does: the control takes at most half
    // the client height a dialog may have, and the rest is left to the dialog's own sections.
    const int height = CalcControlHeight();
    const QSize bound = MaximumDialogClientSize(qobject_cast<QWidget*>(Form()));
    return qBound(0, height, qMax(1, bound.height() / 2));
}

void TVxCustomEditDialog::DoGetEditValue(QString& Value)
{
    Value.clear();
    if (OnGetEditValue)
        OnGetEditValue(this, FEditControl.data(), 0, Value);
}

void TVxCustomEditDialog::DoSetDefaultValue()
{
    SetControlValue(FEditProperties->Value(), FEditProperties->Items());
    if (OnSetDefaultValue)
        OnSetDefaultValue(this, FEditControl.data(), 0, FEditProperties->Value());
}

void TVxCustomEditDialog::SetControlValue(const QString& Value, const TStrings* Items)
{
    if (!FEditControl)
        return;
    const bool itemsGiven = Items && !Items->Text().isEmpty();
    QWidget* control = FEditControl.data();
    switch (FEditProperties->EditType()) {
    case etEdit:
        if (QMetaProperty text = TextProperty(control); text.isValid())
            text.write(control, Value);
        break;
    case etMemo:
        if (auto* memo = qobject_cast<TEditMemo*>(control))
            memo->SetText(itemsGiven ? Items->Lines().join(QStringLiteral("\r\n")) : Value);
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
            plain->setPlainText(itemsGiven ? Items->Lines().join(QLatin1Char('\n')) : Value);
        break;
    case etComboBox:
    case etEditComboBox:
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            const QStringList items = itemsGiven ? Items->Lines() : LinesOf(Value);
            combo->clear();
            combo->addItems(items);
            combo->setCurrentIndex(-1);
            if (!Value.isEmpty()) {
                combo->setCurrentIndex(IndexOfText(items, Value));
                // An editable box shows a value that is none of its items, rather than losing it.
                if (combo->currentIndex() < 0 && combo->isEditable()) {
                    if (auto* own = qobject_cast<TComboBox*>(combo))
                        own->SetText(Value);
                    else
                        combo->setEditText(Value);
                }
            }
        }
        break;
    case etListBox:
    case etCheckListBox:
        if (auto* list = qobject_cast<QListWidget*>(control)) {
            const QStringList items = itemsGiven ? Items->Lines() : LinesOf(Value);
            if (auto* own = qobject_cast<TListBox*>(list)) {
                own->SetItems(items);
            } else {
                list->clear();
                list->addItems(items);
            }
            if (!Value.isEmpty()) {
                const int index = IndexOfText(items, Value);
                list->setCurrentRow(index);
                if (index < 0)
                    list->clearSelection();
            }
        }
        break;
    case etRTF:
        if (auto* rich = qobject_cast<TVxRichEdit*>(control)) {
            if (itemsGiven)
                rich->setPlainText(Items->Lines().join(QLatin1Char('\n')));
            else if (rich->PlainText())
                rich->setPlainText(Value);
            else
                rich->LoadFromData(Value.toUtf8());
        }
        break;
    case etHTML:
        if (auto* browser = qobject_cast<TWebBrowser*>(control)) {
            const auto isAddress = [](const QString& Text) {
                const QString lower = Text.trimmed().toLower();
                return lower.startsWith(QLatin1String("http")) || lower.startsWith(QLatin1String("file"));
            };
            if (itemsGiven) {
                if (Items->Count() == 1 && isAddress(Items->Strings(0)))
                    browser->Navigate(Items->Strings(0).trimmed());
                else
                    browser->LoadHTMLDocument(Items->Lines());
            } else if (isAddress(Value)) {
                browser->Navigate(Value.trimmed());
            } else {
                browser->LoadHTMLDocument({Value});
            }
        }
        break;
    default:
        // Dates, times, the calendar and custom controls: the handlers or the program's events.
        break;
    }
}

void TVxCustomEditDialog::DoGetEditControlClass(TControlClass& ControlClass)
{
    if (OnGetEditControlClass)
        OnGetEditControlClass(this, 0, ControlClass);
    if (ControlClass)
        return;
    switch (FEditProperties->EditType()) {
    case etMemo: ControlClass = &TEditMemo::staticMetaObject; break;
    case etComboBox:
    case etEditComboBox: ControlClass = &TComboBox::staticMetaObject; break;
    case etListBox: ControlClass = &TListBox::staticMetaObject; break;
    case etDate:
    case etTime: ControlClass = &TDateTimePicker::staticMetaObject; break;
    case etCalendar: ControlClass = &TVxMonthCalendar::staticMetaObject; break;
    case etCheckListBox: ControlClass = &TCheckListBox::staticMetaObject; break;
    case etRTF: ControlClass = &TVxRichEdit::staticMetaObject; break;
    case etHTML: ControlClass = &TWebBrowser::staticMetaObject; break;
    default: ControlClass = &TEdit::staticMetaObject; break;
    }
}

void TVxCustomEditDialog::CreateEditControl()
{
    auto* form = qobject_cast<QWidget*>(Form());
    if (!form)
        return;
    TControlClass controlClass = nullptr;
    DoGetEditControlClass(controlClass);
    if (!controlClass)
        controlClass = &TEdit::staticMetaObject;
    QWidget* control = ::CreateEditControl(controlClass, form);
    // A class that is no widget, or cannot be made from its meta object: a one-line edit.
    if (!control)
        control = new TEdit(form);
    control->setObjectName(QStringLiteral("EditControl"));
    FEditControl = control;
    if (FEditProperties->CaptionVisible()) {
        auto* label = new QLabel(form);
        label->setObjectName(QStringLiteral("EditLabel"));
        label->setWordWrap(true);
        label->setText(FEditProperties->Caption());
        label->setBuddy(control);
        FEditLabel = label;
    }
    QWidget* initialised = control;
    InitialiseEditControl(initialised);
    if (initialised != control && initialised)
        FEditControl = initialised;
    FEditControl->show();
    if (FEditLabel)
        FEditLabel->show();
}

void TVxCustomEditDialog::InitialiseEditControl(QWidget*& AControl)
{
    if (!AControl)
        return;
    AControl->resize(AControl->width(), GetEditHeight());
    const bool dblClick = FEditProperties->AllowDoubleClickToClose();
    switch (FEditProperties->EditType()) {
    case etComboBox:
        if (auto* combo = qobject_cast<TComboBox*>(AControl))
            combo->SetStyle(csDropDownList);
        else if (auto* plain = qobject_cast<QComboBox*>(AControl))
            plain->setEditable(false);
        break;
    case etListBox:
        if (auto* list = qobject_cast<TListBox*>(AControl); list && dblClick)
            list->OnDblClick = [this] { EditDblClick(); };
        break;
    case etTime:
        if (auto* picker = qobject_cast<TDateTimePicker*>(AControl))
            picker->SetKind(dtkTime);
        break;
    case etCalendar:
        if (auto* calendar = qobject_cast<TVxMonthCalendar*>(AControl); calendar && dblClick)
            connect(calendar, &TVxMonthCalendar::doubleClicked, this, [this] { EditDblClick(); });
        break;
    default: break;
    }
    const QMetaObject* meta = AControl->metaObject();
    if (int index = meta->indexOfProperty("MaxLength"); index >= 0)
        meta->property(index).write(AControl, FEditProperties->MaxLength());
    else if (int qt = meta->indexOfProperty("maxLength"); qt >= 0 && FEditProperties->MaxLength() > 0)
        meta->property(qt).write(AControl, FEditProperties->MaxLength());
    if (auto* intf = dynamic_cast<IVxEditDialogControl*>(AControl))
        intf->SetDialog(this);
}

void TVxCustomEditDialog::EditDblClick()
{
    FButtonClicked = true;
    FModalResult = mrOk;
    if (auto* form = qobject_cast<QWidget*>(Form()))
        form->close();
}

int TVxCustomEditDialog::CalcControlHeight()
{
    int height = 0;
    if (OnGetControlHeight)
        OnGetControlHeight(this, FEditControl.data(), 0, height);
    if (height >= 1)
        return height;
    switch (FEditProperties->EditType()) {
    case etNone:
    case etEdit:
    case etComboBox:
    case etDate:
    case etTime:
    case etEditComboBox:
        if (auto* form = qobject_cast<QWidget*>(Form()))
            return QFontMetrics(form->font()).height() + 8;
        return Scaled(23);
    case etCalendar: return Scaled(qMax(FEditProperties->Height(), 164));
    default: return Scaled(FEditProperties->Height());
    }
}

int TVxCustomEditDialog::CalcEditWidth()
{
    int width = DialogClientWidth() - FLeftMargin - FRightMargin;
    const int coverage = FEditProperties->Coverage();
    if (FEditProperties->CoverageType() == ctPercent && coverage < 100)
        // Nearest integer, halves to even.
        width = int(std::nearbyint(double(coverage) / 100.0 * width));
    else if (FEditProperties->CoverageType() == ctPixels)
        width = coverage;
    // A width no screen can show is no help to anyone.
    width = qBound(0, width, 16384);
    if (IVxEditDialogControl* intf = EditIntf()) {
        width = qMax(intf->GetPreferredWidth(), width);
        // A control asking for more than the screen allows gets the widest client there is.
        if (auto* form = qobject_cast<QWidget*>(Form()))
            if (const int most = MaximumDialogClientSize(form).width() - FLeftMargin - FRightMargin; most > 0)
                width = qMin(width, most);
        intf->SetEditWidth(width);
    }
    return width;
}

int TVxCustomEditDialog::CalcEditLeft()
{
    const int coverage = FEditProperties->Coverage();
    if (FEditProperties->CoverageType() == ctPixels)
        return DialogClientWidth() - FRightMargin - qBound(0, coverage, 16384);
    if (coverage < 100)
        return DialogClientWidth() - FRightMargin - CalcEditWidth();
    return FLeftMargin + 1;
}

void TVxCustomEditDialog::DoAdjustTopValue(int& ATop)
{
    if (OnAdjustTopValue)
        OnAdjustTopValue(this, ATop);
}

bool TVxCustomEditDialog::ValidateEdit()
{
    bool valid = true;
    IVxEditDialogControl* intf = EditIntf();
    if (FButtonClicked && intf) {
        QString message;
        valid = intf->Validate(message, FModalResult);
        if (!valid && !message.isEmpty())
            ShowValidationMessage(message);
    }
    // A text the caller gave longer than MaxLength is kept in the control, but not accepted.
    if (valid && FButtonClicked && ModalResultAccepts(FModalResult) && FEditControl && FEditProperties->MaxLength() > 0 &&
        FEditProperties->EditType() != etCustom && TypedText(FEditProperties->EditType(), FEditControl)) {
        QString text;
        if (QMetaProperty property = TextProperty(FEditControl); property.isValid())
            text = property.read(FEditControl).toString();
        else if (auto* memo = qobject_cast<TEditMemo*>(FEditControl))
            text = memo->Text();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(FEditControl))
            text = plain->toPlainText();
        // Counted as the control counts: whole characters of the value the caller gets.
        if (const int length = ValueLength(text); length > FEditProperties->MaxLength()) {
            valid = false;
            ShowValidationMessage(LoadResString(&SVxTextTooLong).arg(length).arg(FEditProperties->MaxLength()));
        }
    }
    if (valid && ModalResultAccepts(FModalResult) && OnValidate)
        OnValidate(this, FEditControl.data(), valid);
    if (!valid) {
        QObject* focus = intf ? intf->GetErrorControl() : GetInitialFocusControl();
        if (auto* widget = qobject_cast<QWidget*>(focus))
            widget->setFocus(Qt::OtherFocusReason);
    }
    return valid;
}

QString TVxCustomEditDialog::ReadEditValue()
{
    if (!FEditControl)
        return {};
    if (FEditProperties->EditType() != etCustom && ValueIsText(FEditProperties->EditType(), FEditControl))
        if (QMetaProperty text = TextProperty(FEditControl); text.isValid()) {
            // The text is the value; a value handler still sees the closing control (a combo
            // handler carries the chosen index out), starting from that text.
            QString value = text.read(FEditControl).toString();
            if (OnGetEditValue)
                OnGetEditValue(this, FEditControl.data(), 0, value);
            return value;
        }
    if (FEditProperties->EditType() == etMemo) {
        if (auto* memo = qobject_cast<TEditMemo*>(FEditControl))
            return memo->Text();
        if (auto* plain = qobject_cast<QPlainTextEdit*>(FEditControl))
            return plain->toPlainText();
    }
    QString value;
    DoGetEditValue(value);
    return value;
}

void TVxCustomEditDialog::ShowValidationMessage(const QString& Message)
{
    // The library's error message box: the message and one Close button.
    VxShowError(Message);
}

// ---------------------------------------------------------------------------------------------
// Placement

QSize TVxCustomEditDialog::EditLabelSize() const
{
    if (!FEditProperties->CaptionVisible())
        return {};
    const QFont font = FEditLabel ? FEditLabel->font()
                                  : (qobject_cast<QWidget*>(Form()) ? qobject_cast<QWidget*>(Form())->font() : QFont());
    const QFontMetrics metrics(font);
    const QString caption = FEditProperties->Caption();
    const int content = qMax(1, DialogClientWidth() - FLeftMargin - FRightMargin);
    // A caption beside the control takes at most half the width, above it the width from the
    // control's left edge to the right margin.
    const int limit = FEditProperties->CaptionPosition() == cpTop
                          ? qMax(1, DialogClientWidth() - FRightMargin - const_cast<TVxCustomEditDialog*>(this)->CalcEditLeft() - 1)
                          : qMax(1, content / 2);
    const QRect natural = metrics.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::TextShowMnemonic, caption);
    if (natural.width() <= limit)
        return {natural.width() + 1, qMax(natural.height(), metrics.height())};
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, limit, 1 << 20), Qt::TextShowMnemonic | Qt::TextWordWrap, caption);
    int height = qMax(wrapped.height(), metrics.height());
    if (FEditLabel)
        height = qMax(height, FEditLabel->heightForWidth(limit));
    return {limit, height};
}

void TVxCustomEditDialog::SizeEditLabel()
{
    if (!FEditLabel)
        return;
    FEditLabel->setText(FEditProperties->Caption());
    const QSize size = EditLabelSize();
    FEditLabel->resize(size.width(), qMax(FEditLabel->height(), size.height()));
}

void TVxCustomEditDialog::PositionControls()
{
    TVxDialog::PositionControls();
    if (!FEditControl)
        return;
    TVxDialogEngine* engine = TVxDialogEngine::Of(this);
    auto* form = qobject_cast<QWidget*>(Form());
    if (!engine || !form)
        return;
    int left = CalcEditLeft();
    const int height = GetEditHeight();
    TRect bar = engine->GetSectionRect(secButtonBar);
    if (bar.IsEmpty())
        bar.Top = form->height() - FVertMargin;
    int top = bar.Top - height - Scaled(8);
    DoAdjustTopValue(top);
    const bool captioned = FEditProperties->CaptionVisible() && FEditLabel;
    const bool above = FEditProperties->CaptionPosition() == cpTop;
    if (captioned) {
        FEditLabel->resize(FEditLabel->width(), 0);
        SizeEditLabel();
        const int labelHeight = FEditLabel->height();
        if (above) {
            top -= Scaled(3) + labelHeight;
            FEditLabel->move(left, top);
        } else {
            top += Scaled(3);
            if (labelHeight > height)
                FEditLabel->move(left, bar.Top - labelHeight - Scaled(8));
            else
                FEditLabel->move(left, top);
        }
        left += Scaled(8) + FEditLabel->width();
    }
    if (captioned && above) {
        top += Scaled(3) + FEditLabel->height();
        left = CalcEditLeft();
    } else {
        top -= Scaled(3);
    }
    // A page shown once stays: only an empty view starts blank.
    if (FEditProperties->EditType() == etHTML)
        if (auto* browser = qobject_cast<TWebBrowser*>(FEditControl); browser && browser->ReadyState() == 0)
            browser->Navigate(QStringLiteral("about:blank"));
    if (captioned && !above)
        FEditControl->setGeometry(left, top, qMax(0, DialogClientWidth() - FRightMargin - left), height);
    else
        FEditControl->setGeometry(left, top, CalcEditWidth(), height);
    if (FEditLabel)
        FEditLabel->setBuddy(FEditControl);
    if (!FEditInitialised && OnInitialiseEdit) {
        OnInitialiseEdit(this, FEditControl.data(), 0);
        FEditInitialised = true;
    }
}
