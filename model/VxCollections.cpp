#include "VxCollections.h"

#include "ImageList.h"
#include "VxDialog.h"

// ---------------------------------------------------------------------------------------------
// TVxRadioButtonItem

const TClassInfo& TVxRadioButtonItem::StaticClassInfo()
{
    using C = TVxRadioButtonItem;
    static const TClassInfo info = TClassBuilder<C>(QStringLiteral("TVxRadioButtonItem"), nullptr)
                                       .String(QStringLiteral("Caption"), &C::Caption, &C::SetCaption)
                                       .Boolean(QStringLiteral("Checked"), &C::Checked, &C::SetChecked, false)
                                       .NoSetter()
                                       .Boolean(QStringLiteral("Enabled"), &C::Enabled, &C::SetEnabled, true)
                                       .NoSetter()
                                       .Integer(QStringLiteral("Value"), &C::Value, &C::SetValue)
                                       .NoSetter()
                                       .Build();
    return info;
}

TVxRadioButtonItem::TVxRadioButtonItem(TCollection* Collection) : TCollectionItem(Collection) {}

void TVxRadioButtonItem::Assign(const TPersistent* Source)
{
    const auto* source = dynamic_cast<const TVxRadioButtonItem*>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = source->FCaption;
    FValue = source->FValue;
    FChecked = source->FChecked;
    FEnabled = source->FEnabled;
}

void TVxRadioButtonItem::SetCaption(const QString& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    auto* buttons = dynamic_cast<TVxRadioButtons*>(Collection());
    TVxCustomDialog* dialog = buttons ? buttons->MessagePanel() : nullptr;
    if (!dialog)
        return;
    const TComponentState state = dialog->ComponentState();
    if (state.Contains(csReading) && state.Contains(csLoading))
        return;
    dialog->PositionRadioButtons();
}

QString TVxRadioButtonItem::GetDisplayName() const
{
    return FCaption.isEmpty() ? TCollectionItem::GetDisplayName() : FCaption;
}

// ---------------------------------------------------------------------------------------------
// TVxRadioButtons

const TClassInfo& TVxRadioButtons::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TVxRadioButtons>(QStringLiteral("TVxRadioButtons"), nullptr).Build();
    return info;
}

TVxRadioButtons::TVxRadioButtons(TPersistent* AOwner, TCollectionItemClass ItemClass)
    : TOwnedCollection(AOwner, std::move(ItemClass))
{
}

TVxRadioButtonItem* TVxRadioButtons::Add()
{
    auto* item = static_cast<TVxRadioButtonItem*>(TOwnedCollection::Add());
    item->FValue = Count() + 199;
    if (Count() == 1)
        item->FChecked = true;
    return item;
}

TVxRadioButtonItem* TVxRadioButtons::Items(int Index) const
{
    return static_cast<TVxRadioButtonItem*>(TOwnedCollection::Items(Index));
}

void TVxRadioButtons::SetItem(int Index, const TVxRadioButtonItem* Value)
{
    Items(Index)->Assign(Value);
}

TVxRadioButtonItem* TVxRadioButtons::ItemWithValue(int AValue) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Value() == AValue)
            return Items(i);
    return nullptr;
}

void TVxRadioButtons::SetEnabled(int AValue, bool AEnabled)
{
    if (TVxRadioButtonItem* item = ItemWithValue(AValue))
        item->SetEnabled(AEnabled);
}

TVxCustomDialog* TVxRadioButtons::MessagePanel() const
{
    return dynamic_cast<TVxCustomDialog*>(GetOwner());
}

void TVxRadioButtons::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    TOwnedCollection::Notify(Item, Action);
    if (Action != cnAdded)
        return;
    auto* item = static_cast<TVxRadioButtonItem*>(Item);
    item->FValue = Count() + 199;
    item->SetCaption(QStringLiteral("Radio Button %1").arg(Count() - 1));
}

// ---------------------------------------------------------------------------------------------
// TVxCustomButtonItem

const TClassInfo& TVxCustomButtonItem::StaticClassInfo()
{
    using C = TVxCustomButtonItem;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxCustomButtonItem"), nullptr)
            .Boolean(QStringLiteral("ElevationRequired"), &C::ElevationRequired, &C::SetElevationRequired, false)
            .NoSetter()
            .String(QStringLiteral("Caption"), &C::Caption, &C::SetCaption)
            .Object<TPicture>(QStringLiteral("Glyph"), &C::Glyph, &C::SetGlyph, QStringLiteral("TPicture"))
            .Integer(QStringLiteral("ImageIndex"), &C::ImageIndex, &C::SetImageIndex, -1)
            .NoSetter()
            .Integer(QStringLiteral("Value"), &C::Value, &C::SetValue)
            .Integer(QStringLiteral("ModalResult"), &C::ModalResult, &C::SetModalResult, 0,
                     QStringLiteral("TModalResult"))
            .NoSetter()
            .Boolean(QStringLiteral("Default"), &C::Default, &C::SetDefault, false)
            .NoSetter()
            .Boolean(QStringLiteral("Cancel"), &C::Cancel, &C::SetCancel, false)
            .NoSetter()
            .String(QStringLiteral("Hint"), &C::Hint, &C::SetHint)
            .Object<TStrings>(QStringLiteral("Info"), &C::Info, &C::SetInfo, QStringLiteral("TStrings"))
            .Object<TPicture>(QStringLiteral("Picture"), &C::Picture, &C::SetPicture, QStringLiteral("TPicture"))
            .Integer(QStringLiteral("PictureIndex"), &C::PictureIndex, &C::SetPictureIndex, -1)
            .NoSetter()
            .Boolean(QStringLiteral("Enabled"), &C::Enabled, &C::SetEnabled, true)
            .Boolean(QStringLiteral("Visible"), &C::Visible, &C::SetVisible, true)
            .Build();
    return info;
}

TVxCustomButtonItem::TVxCustomButtonItem(TCollection* Collection)
    : TCollectionItem(Collection)
    , FOwner(dynamic_cast<TVxCustomButtons*>(Collection))
    , FGlyph(std::make_unique<TPicture>())
    , FInfo(std::make_unique<TStringList>())
    , FPicture(std::make_unique<TPicture>())
{
}

TVxCustomButtonItem::~TVxCustomButtonItem() = default;

TPersistent* TVxCustomButtonItem::GetOwner() const
{
    return FOwner;
}

void TVxCustomButtonItem::Assign(const TPersistent* Source)
{
    const auto* source = dynamic_cast<const TVxCustomButtonItem*>(Source);
    if (!source)
        return;
    FCaption = source->FCaption;
    FValue = source->FValue;
    SetGlyph(source->Glyph());
    SetPicture(source->Picture());
    FImageIndex = source->FImageIndex;
    FPictureIndex = source->FPictureIndex;
    FModalResult = source->FModalResult;
    FDefault = source->FDefault;
    FCancel = source->FCancel;
    FHint = source->FHint;
    SetInfo(source->Info());
    FElevationRequired = source->FElevationRequired;
    FEnabled = source->FEnabled;
    FVisible = source->FVisible;
}

void TVxCustomButtonItem::SetGlyph(const TPicture* Value)
{
    FGlyph->Assign(Value);
}

void TVxCustomButtonItem::SetValue(int /*Value*/) {}

void TVxCustomButtonItem::SetInfo(const TStrings* Value)
{
    FInfo->Assign(Value);
}

void TVxCustomButtonItem::SetPicture(const TPicture* Value)
{
    FPicture->Assign(Value);
}

void TVxCustomButtonItem::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    if (FOwner)
        if (TVxCustomDialog* dialog = FOwner->MessagePanel())
            dialog->EnableButton(FValue, FEnabled);
}

QString TVxCustomButtonItem::GetDisplayName() const
{
    if (FCaption.isEmpty())
        return TCollectionItem::GetDisplayName();
    const QString info = FInfo->Text();
    if (info.isEmpty())
        return FCaption;
    return QStringLiteral("%1 - %2").arg(FCaption, info.trimmed());
}

// ---------------------------------------------------------------------------------------------
// TVxCustomButtons

const TClassInfo& TVxCustomButtons::StaticClassInfo()
{
    using C = TVxCustomButtons;
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxCustomButtons"), nullptr)
            .Object<TCustomImageList>(QStringLiteral("Images"), &C::Images, &C::SetImages,
                                      QStringLiteral("TCustomImageList"))
            .Object<TCustomImageList>(QStringLiteral("PictureImages"), &C::PictureImages, &C::SetPictureImages,
                                      QStringLiteral("TCustomImageList"))
            .Build();
    return info;
}

TVxCustomButtons::TVxCustomButtons(TPersistent* AOwner, TCollectionItemClass ItemClass)
    : TOwnedCollection(AOwner, std::move(ItemClass))
{
}

void TVxCustomButtons::Assign(const TPersistent* Source)
{
    TOwnedCollection::Assign(Source);
    if (const auto* source = dynamic_cast<const TVxCustomButtons*>(Source)) {
        SetImages(source->Images());
        SetPictureImages(source->PictureImages());
    }
}

TVxCustomButtonItem* TVxCustomButtons::Add()
{
    auto* item = static_cast<TVxCustomButtonItem*>(TOwnedCollection::Add());
    item->FValue = Count() + 99;
    return item;
}

TVxCustomButtonItem* TVxCustomButtons::Items(int Index) const
{
    return static_cast<TVxCustomButtonItem*>(TOwnedCollection::Items(Index));
}

void TVxCustomButtons::SetItem(int Index, const TVxCustomButtonItem* Value)
{
    Items(Index)->Assign(Value);
}

int TVxCustomButtons::GetModalResult(int aValue) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Value() == aValue)
            return Items(i)->ModalResult();
    return 0;
}

int TVxCustomButtons::VisibleCount() const
{
    int visible = 0;
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Visible())
            ++visible;
    return visible;
}

TVxCustomDialog* TVxCustomButtons::MessagePanel() const
{
    return dynamic_cast<TVxCustomDialog*>(GetOwner());
}

void TVxCustomButtons::SetImages(TCustomImageList* Value)
{
    SetImageList(FImages, Value);
}

void TVxCustomButtons::SetPictureImages(TCustomImageList* Value)
{
    SetImageList(FPictureImages, Value);
}

void TVxCustomButtons::SetImageList(TCustomImageList*& Field, TCustomImageList* Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (Value)
        if (TVxCustomDialog* dialog = MessagePanel())
            Value->FreeNotification(dialog);
}

void TVxCustomButtons::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    TOwnedCollection::Notify(Item, Action);
    if (Action == cnAdded)
        static_cast<TVxCustomButtonItem*>(Item)->FValue = Count() + 99;
}
