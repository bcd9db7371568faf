#include "VxDualEditDialog.h"

#include "VxDualEditDialogFrame.h"
#include "VxDialogStrs.h"
#include "VxEditControls.h"

#include "Screen.h"

#include <QLabel>
#include <QResizeEvent>

const TEnumInfo& CaptionAlignmentTypeInfo()
{
    static const TEnumInfo info{QStringLiteral("TVxCaptionAlignment"), {QStringLiteral("caLeft"), QStringLiteral("caRight")}};
    return info;
}

const TClassInfo& TVxDualEditProperties::StaticClassInfo()
{
    using C = TVxDualEditProperties;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxDualEditProperties"), nullptr)
            .Enum(QStringLiteral("CaptionAlignment"), &C::CaptionAlignment, &C::SetCaptionAlignment,
                  CaptionAlignmentTypeInfo(), std::optional(caRight))
            .String(QStringLiteral("Value1"), &C::Value1, &C::SetValue1)
            .String(QStringLiteral("Value1Caption"), &C::Value1Caption, &C::SetValue1Caption)
            .String(QStringLiteral("Value2"), &C::Value2, &C::SetValue2)
            .String(QStringLiteral("Value2Caption"), &C::Value2Caption, &C::SetValue2Caption)
            .Build();
    return info;
}

void TVxDualEditProperties::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxDualEditProperties*>(Source)) {
        FCaptionAlignment = src->FCaptionAlignment;
        FValue1 = src->FValue1;
        FValue1Caption = src->FValue1Caption;
        FValue2 = src->FValue2;
        FValue2Caption = src->FValue2Caption;
        return;
    }
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------------------------

const TClassInfo& TVxCustomDualEditDialog::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TVxCustomDualEditDialog"), &TVxEditDialog::StaticClassInfo(), {});
    return info;
}

const TClassInfo& TVxDualEditDialog::StaticClassInfo()
{
    using C = TVxDualEditDialog;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxDualEditDialog"), &TVxCustomDualEditDialog::StaticClassInfo())
            .Object<TVxDualEditProperties>(QStringLiteral("DualEditProperties"), &C::DualEditProperties,
                                           &C::SetDualEditProperties, QStringLiteral("TVxDualEditProperties"))
            .Build();
    return info;
}

TVxCustomDualEditDialog::TVxCustomDualEditDialog(TComponent* AOwner)
    : TVxEditDialog(AOwner), FDualEditProperties(std::make_unique<TVxDualEditProperties>())
{
    EditProperties()->SetEditType(etCustom);
}

TVxCustomDualEditDialog::~TVxCustomDualEditDialog() = default;

void TVxCustomDualEditDialog::SetDualEditProperties(const TVxDualEditProperties* Value)
{
    FDualEditProperties->Assign(Value);
}

void TVxCustomDualEditDialog::DoGetEditControlClass(TControlClass& ControlClass)
{
    // Always the frame; OnGetEditControlClass is not asked.
    ControlClass = &TfmDualEditDialog::staticMetaObject;
}

int TVxCustomDualEditDialog::CalcControlHeight()
{
    // Taller when a long caption wraps at the width the frame gets.
    if (auto* frame = qobject_cast<TfmDualEditDialog*>(EditControl())) {
        CalcEditWidth();
        return qMax(Scaled(54), frame->NeededHeight());
    }
    return Scaled(54);
}

void TVxCustomDualEditDialog::DoDialogClose()
{
    ReadDualValues();
    TVxEditDialog::DoDialogClose();
}

void TVxCustomDualEditDialog::ReadDualValues()
{
    if (auto* frame = qobject_cast<TfmDualEditDialog*>(EditControl())) {
        FEditValue1 = frame->Edit1();
        FEditValue2 = frame->Edit2();
    }
}

// ---------------------------------------------------------------------------------------------

namespace {

int Px(int Value)
{
    return MulDiv(Value, PixelsPerInch(), 96);
}

QLabel* NewLabel(QWidget* Parent, const QString& Name, const QString& Caption, QWidget* Buddy)
{
    auto* label = new QLabel(Caption, Parent);
    label->setObjectName(Name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(Buddy);
    label->adjustSize();
    return label;
}

} // namespace

TfmDualEditDialog::TfmDualEditDialog(QWidget* Parent) : QFrame(Parent)
{
    setObjectName(QStringLiteral("fmDualEditDialog"));
    resize(Px(320), Px(54));
    eValue1 = new TEdit(this);
    eValue1->setObjectName(QStringLiteral("eValue1"));
    eValue1->setGeometry(Px(112), Px(3), Px(205), Px(21));
    eValue2 = new TEdit(this);
    eValue2->setObjectName(QStringLiteral("eValue2"));
    eValue2->setGeometry(Px(112), Px(30), Px(205), Px(21));
    setTabOrder(eValue1, eValue2);
    Value1Label = NewLabel(this, QStringLiteral("Value1Label"), QStringLiteral("Edit 1"), eValue1);
    Value1Label->move(Px(79), Px(6));
    Value2Label = NewLabel(this, QStringLiteral("Value2Label"), QStringLiteral("Edit 2"), eValue2);
    Value2Label->move(Px(79), Px(33));
}

QString TfmDualEditDialog::Edit1() const
{
    return eValue1->text();
}

QString TfmDualEditDialog::Edit2() const
{
    return eValue2->text();
}

QWidget* TfmDualEditDialog::GetFocusControl()
{
    return eValue1;
}

QWidget* TfmDualEditDialog::GetErrorControl()
{
    return FActiveControlInError ? FActiveControlInError.data() : eValue1;
}

void TfmDualEditDialog::SetEditWidth(int AWidth)
{
    // The frame gets this width; its edits follow it at once.
    LayoutEdits(AWidth);
}

void TfmDualEditDialog::SetErrorControl(QWidget* AControl)
{
    FActiveControlInError = AControl;
}

int TfmDualEditDialog::GetPreferredWidth()
{
    return qMax(Px(320), Px(3) + qMax(FCaption1Width, FCaption2Width) + Px(6) + Px(205) + Px(3));
}

bool TfmDualEditDialog::Validate(QString& AMessage, int AModalResult)
{
    AMessage.clear();
    // The two texts are stored as one, separated by a vertical bar (the expando's show and hide
    // texts): a bar in either would move the split. Only an accepting close is refused.
    if (AModalResult != mrOk && AModalResult != mrYes)
        return true;
    for (TEdit* edit : {eValue1, eValue2})
        if (edit->text().contains(QLatin1Char('|'))) {
            AMessage = LoadResString(&SVxTextHasBar);
            SetErrorControl(edit);
            return false;
        }
    return true;
}

void TfmDualEditDialog::SetDialog(TVxCustomEditDialog* ADialog)
{
    FDialog = ADialog;
    auto* dialog = qobject_cast<TVxCustomDualEditDialog*>(ADialog);
    if (!dialog)
        return;
    const TVxDualEditProperties* p = dialog->DualEditProperties();
    Value1Label->setText(p->Value1Caption());
    Value2Label->setText(p->Value2Caption());
    eValue1->SetText(p->Value1());
    eValue2->SetText(p->Value2());
    FRightAligned = p->CaptionAlignment() == caRight;
    for (QLabel* label : {Value1Label, Value2Label}) {
        label->setAlignment((FRightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        label->setWordWrap(false);
        label->adjustSize();
    }
    FCaption1Width = Value1Label->width();
    FCaption2Width = Value2Label->width();
    FLaidOut = true;
    LayoutEdits(width());
}

void TfmDualEditDialog::LayoutEdits(int Width)
{
    if (!FLaidOut) {
        // As designed: the edits follow the frame as anchored left and right.
        for (TEdit* edit : {eValue1, eValue2})
            edit->resize(qMax(0, Width - Px(3) - edit->x()), edit->height());
        FNeededHeight = qMax(Px(54), eValue2->geometry().bottom() + 1 + Px(3));
        return;
    }
    // The captions end flush (right-aligned) or start flush (left-aligned) 3 pixels from the
    // left; the edits start 6 pixels after the wider one. A caption that would leave the edits
    // less than a usable width wraps instead.
    const int room = qMax(Px(40), Width - Px(3) - Px(6) - Px(100) - Px(3));
    const std::pair<QLabel*, int> captions[] = {{Value1Label, FCaption1Width}, {Value2Label, FCaption2Width}};
    int widest = 0;
    for (auto [label, natural] : captions) {
        const bool wraps = natural > room;
        label->setWordWrap(wraps);
        const int w = qMin(natural, room);
        label->resize(w, wraps ? label->heightForWidth(w) : label->sizeHint().height());
        widest = qMax(widest, w);
    }
    const int left = Px(3) + widest + Px(6);
    int top = Px(3);
    for (auto [label, edit] : {std::pair<QLabel*, TEdit*>{Value1Label, eValue1}, {Value2Label, eValue2}}) {
        // Each caption sits level with its edit.
        const int row = qMax(edit->height(), label->height());
        edit->setGeometry(left, top + (row - edit->height()) / 2, qMax(0, Width - Px(3) - left), edit->height());
        label->move(FRightAligned ? Px(3) + widest - label->width() : Px(3), top + (row - label->height()) / 2);
        top += row + Px(6);
    }
    FNeededHeight = qMax(Px(54), top - Px(6) + Px(3));
}

void TfmDualEditDialog::resizeEvent(QResizeEvent* Event)
{
    QFrame::resizeEvent(Event);
    LayoutEdits(width());
}
