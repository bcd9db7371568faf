#include "VxEditProperties.h"

#define VX_INPUT_ENUM_INFO(Func, TypeName, ...)                                                  \
    const TEnumInfo& Func()                                                                      \
    {                                                                                            \
        static const TEnumInfo info{QStringLiteral(TypeName),                                    \
                                    QString::fromLatin1(#__VA_ARGS__).remove(' ').split(',')};   \
        return info;                                                                             \
    }

VX_INPUT_ENUM_INFO(EditTypeTypeInfo, "TVxEditType", etNone, etEdit, etMemo, etComboBox, etListBox, etDate, etTime,
                   etCalendar, etCustom, etCheckListBox, etRTF, etHTML, etEditComboBox)
VX_INPUT_ENUM_INFO(CaptionPositionTypeInfo, "TVxCaptionPosition", cpLeft, cpTop)
VX_INPUT_ENUM_INFO(CoverageTypeTypeInfo, "TCoverageType", ctPercent, ctPixels)

const TClassInfo& TVxEditProperties::StaticClassInfo()
{
    using C = TVxEditProperties;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxEditProperties"), &TVxChangePersistent::StaticClassInfo())
            .String(QStringLiteral("Caption"), &C::Caption, &C::SetCaption)
            .String(QStringLiteral("Value"), &C::Value, &C::SetValue)
            .Enum(QStringLiteral("EditType"), &C::EditType, &C::SetEditType, EditTypeTypeInfo(), std::optional(etEdit))
            .Integer(QStringLiteral("Height"), &C::Height, &C::SetHeight, 100)
            .Object<TStrings>(QStringLiteral("Items"), &C::Items, &C::SetItems, QStringLiteral("TStrings"))
            .Integer(QStringLiteral("MaxLength"), &C::MaxLength, &C::SetMaxLength, 0)
            .Boolean(QStringLiteral("AllowDoubleClickToClose"), &C::AllowDoubleClickToClose,
                     &C::SetAllowDoubleClickToClose, true)
            .Enum(QStringLiteral("CaptionPosition"), &C::CaptionPosition, &C::SetCaptionPosition,
                  CaptionPositionTypeInfo(), std::optional(cpLeft))
            .Integer(QStringLiteral("Coverage"), &C::Coverage, &C::SetCoverage, 100)
            .Enum(QStringLiteral("CoverageType"), &C::CoverageType, &C::SetCoverageType, CoverageTypeTypeInfo(),
                  std::optional(ctPercent))
            .Boolean(QStringLiteral("AllowActiveControl"), &C::AllowActiveControl, &C::SetAllowActiveControl, true)
            .Build();
    return info;
}

TVxEditProperties::TVxEditProperties() : FItems(std::make_unique<TStringList>()) {}

TVxEditProperties::~TVxEditProperties() = default;

void TVxEditProperties::SetCaption(const QString& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    Changed();
}

void TVxEditProperties::SetValue(const QString& Value)
{
    if (FValue == Value)
        return;
    FValue = Value;
    Changed();
}

void TVxEditProperties::SetHeight(int Value)
{
    if (FHeight == Value)
        return;
    FHeight = Value;
    Changed();
}

void TVxEditProperties::SetItems(const TStrings* Value)
{
    FItems->Assign(Value);
}

void TVxEditProperties::SetCaptionPosition(TVxCaptionPosition Value)
{
    if (FCaptionPosition == Value)
        return;
    FCaptionPosition = Value;
    Changed();
}

bool TVxEditProperties::CaptionVisible() const
{
    // The platform's Trim: blanks and control characters (everything up to the space) go.
    qsizetype first = 0, last = FCaption.size();
    while (first < last && FCaption.at(first).unicode() <= ' ')
        ++first;
    while (last > first && FCaption.at(last - 1).unicode() <= ' ')
        --last;
    return last > first;
}

void TVxEditProperties::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TVxEditProperties*>(Source)) {
        FEditType = src->FEditType;
        FCaption = src->FCaption;
        FCaptionPosition = src->FCaptionPosition;
        FHeight = src->FHeight;
        FItems->Assign(src->FItems.get());
        FAllowDoubleClickToClose = src->FAllowDoubleClickToClose;
        FCoverageType = src->FCoverageType;
        FCoverage = src->FCoverage;
        FAllowActiveControl = src->FAllowActiveControl;
        Changed();
        return;
    }
    TVxChangePersistent::Assign(Source);
}
