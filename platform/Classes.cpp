#include "Classes.h"
#include "TypInfo.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cxxabi.h>
#include <typeinfo>

QString TObject::ClassName() const
{
    if (const TClassInfo* info = ClassInfo())
        return info->ClassName();
    // Classes that publish nothing still report their C++ name.
    int status = 0;
    char* demangled = abi::__cxa_demangle(typeid(*this).name(), nullptr, nullptr, &status);
    QString name = status == 0 && demangled ? QString::fromLatin1(demangled) : QString::fromLatin1(typeid(*this).name());
    std::free(demangled);
    return name;
}

bool TObject::InheritsFrom(const TClassInfo& info) const
{
    const TClassInfo* own = ClassInfo();
    return own && own->InheritsFrom(info);
}

// ---------------------------------------------------------------------------------------------
// TPersistent

void TPersistent::Assign(const TPersistent* Source)
{
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignError(nullptr, this);
}

void TPersistent::AssignTo(TPersistent* Dest) const
{
    AssignError(this, Dest);
}

void TPersistent::AssignError(const TPersistent* Source, const TPersistent* Dest)
{
    const QString source = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(source, Dest->ClassName()));
}

void TPersistent::DefineProperties(QList<TDefinedProperty>&) const {}
void TPersistent::DefinedPropertyKinds(QList<TDefinedProperty>&) const {}
void TPersistent::ReadDefinedProperty(const TDefinedProperty&) {}

// ---------------------------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FComponentState.Include(csDestroying);
    // Free notifications first, so holders drop their references before anything is freed.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        other->RemoveNotification(this);
        if (!other->FComponentState.Contains(csDestroying))
            other->Notification(this, opRemove);
    }
    while (!FComponents.empty()) {
        TComponent* child = FComponents.back();
        FComponents.pop_back();
        child->FOwner = nullptr;
        child->setParent(nullptr);
        delete child;
    }
    if (FOwner)
        FOwner->RemoveComponent(this);
}

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TComponent>(QStringLiteral("TComponent"), nullptr)
                                       .String(QStringLiteral("Name"), &TComponent::Name, &TComponent::SetName,
                                               QStringLiteral("TComponentName"))
                                       .NeverStored()
                                       .Integer(QStringLiteral("Tag"), &TComponent::Tag, &TComponent::SetTag, 0,
                                                QStringLiteral("NativeInt"))
                                       .Build();
    return info;
}

void TComponent::SetName(const QString& NewName)
{
    if (NewName == objectName())
        return;
    static const QRegularExpression ident(QStringLiteral("^[A-Za-z_\\x{80}-\\x{FFFF}][A-Za-z0-9_\\x{80}-\\x{FFFF}]*$"));
    if (!NewName.isEmpty() && !ident.match(NewName).hasMatch())
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(NewName));
    if (FOwner && !NewName.isEmpty()) {
        TComponent* other = FOwner->FindComponent(NewName);
        if (other && other != this)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
    }
    setObjectName(NewName);
}

TComponent* TComponent::FindComponent(const QString& AName) const
{
    if (AName.isEmpty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->Name().compare(AName, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TComponent::SetDesignPosition(int Left, int Top)
{
    FDesignInfo = qint32((quint32(quint16(Top)) << 16) | quint16(Left));
}

void TComponent::SetDesigning(bool Value)
{
    if (Value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    for (TComponent* c : FComponents)
        c->SetDesigning(Value);
}

void TComponent::BeginLoading()
{
    FComponentState.Include(csLoading).Include(csReading);
    for (TComponent* c : FComponents)
        c->BeginLoading();
}

void TComponent::Loaded()
{
    FComponentState.Exclude(csLoading).Exclude(csReading);
    for (TComponent* c : FComponents)
        c->Loaded();
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this || AComponent == FOwner)
        return;
    // Both sides remember each other, so whichever goes first tells the other.
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this)
        == AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent)
        return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent)
{
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    for (TComponent* c : FComponents)
        if (c != AComponent)
            c->Notification(AComponent, Operation);
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    AComponent->FOwner = this;
    AComponent->setParent(this);
    FComponents.push_back(AComponent);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
    AComponent->FOwner = nullptr;
    if (!FComponentState.Contains(csDestroying))
        Notification(AComponent, opRemove);
}

void TComponent::DefineProperties(QList<TDefinedProperty>& Filer) const
{
    if (DesignLeft() != 0)
        Filer.append({QStringLiteral("Left"), qint64(DesignLeft())});
    if (DesignTop() != 0)
        Filer.append({QStringLiteral("Top"), qint64(DesignTop())});
}

void TComponent::DefinedPropertyKinds(QList<TDefinedProperty>& Filer) const
{
    TPersistent::DefinedPropertyKinds(Filer);
    Filer.append({QStringLiteral("Left"), qint64(0)});
    Filer.append({QStringLiteral("Top"), qint64(0)});
}

void TComponent::ReadDefinedProperty(const TDefinedProperty& Property)
{
    const auto* value = std::get_if<qint64>(&Property.Value);
    if (!value)
        return;
    if ((Property.Name == QLatin1String("Left") || Property.Name == QLatin1String("Top"))
        && (*value < -32768 || *value > 32767))
        throw EReadError(QStringLiteral("%1 is out of range for a designer position (-32768..32767)").arg(*value));
    if (Property.Name == QLatin1String("Left"))
        SetDesignPosition(int(*value), DesignTop());
    else if (Property.Name == QLatin1String("Top"))
        SetDesignPosition(DesignLeft(), int(*value));
    else
        TPersistent::ReadDefinedProperty(Property);
}

namespace {
QHash<QString, TComponentFactory>& ComponentClasses()
{
    static QHash<QString, TComponentFactory> classes;
    return classes;
}
} // namespace

void RegisterComponentClass(const QString& ClassName, TComponentFactory Factory)
{
    ComponentClasses().insert(ClassName.toLower(), std::move(Factory));
}

TComponentFactory FindComponentClass(const QString& ClassName)
{
    return ComponentClasses().value(ClassName.toLower());
}

// ---------------------------------------------------------------------------------------------
// Collections

TCollectionItem::~TCollectionItem()
{
    if (FCollection)
        FCollection->RemoveItem(this);
}

int TCollectionItem::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

TPersistent* TCollectionItem::GetOwner() const
{
    return FCollection;
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(std::move(ItemClass)) {}

TCollection::~TCollection()
{
    FUpdateCount = 1; // no change notifications while going away
    for (TCollectionItem* item : FItems) {
        item->FCollection = nullptr;
        delete item;
    }
    FItems.clear();
}

TCollectionItem* TCollection::Add()
{
    return Insert(Count());
}

TCollectionItem* TCollection::Insert(int Index)
{
    if (Index < 0 || Index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    TCollectionItem* item = FItemClass(this);
    InsertItem(item, Index);
    return item;
}

void TCollection::InsertItem(TCollectionItem* Item, int Index)
{
    Notify(Item, cnAdding);
    Item->FCollection = this;
    Item->FID = FNextID++;
    FItems.insert(FItems.begin() + Index, Item);
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::Delete(int Index)
{
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    FItems.erase(FItems.begin() + Index);
    Notify(item, cnRemoved);
    item->FCollection = nullptr;
    delete item;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    // Called from the item's destructor: the item is no longer whole, so it is not passed to
    // Notify; the collection only forgets it and reports the change.
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    Changed();
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        Delete(Count() - 1);
    EndUpdate();
}

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[size_t(Index)];
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* item : FItems)
        if (item->FID == ID)
            return item;
    return nullptr;
}

int TCollection::IndexOf(const TCollectionItem* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TCollection::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TCollection*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->FItems)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Update(TCollectionItem*)
{
    OnChange(this);
}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}
