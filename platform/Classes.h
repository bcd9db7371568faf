#pragma once
/// The object model every published class builds on: persistent objects with Assign, components
/// with owners and names, events that can name their handler, and owned collections of items. \file

#include "Sets.h"
#include "SysUtils.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <variant>
#include <vector>

class TClassInfo;
class TComponent;
class TCollection;

/// Root of every class that takes part in reflection.
class TObject {
public:
    virtual ~TObject() = default;
    /// The published surface of the object's class; nullptr for classes that publish nothing.
    virtual const TClassInfo* ClassInfo() const { return nullptr; }
    virtual QString ClassName() const;
    /// True when the object's class is `info` or derives from it.
    bool InheritsFrom(const TClassInfo& info) const;
};

/// Identifies an event handler: the object it belongs to and its method name. Handlers that the
/// program installs for itself carry no name; the form text only writes named handlers of the root.
struct TMethodRef {
    const TObject* Data = nullptr;
    QString Name;
    bool operator==(const TMethodRef&) const = default;
};

/// An event: a callable plus, optionally, the handler's owner and name.
template <typename... Args>
class TEvent {
public:
    using Function = std::function<void(Args...)>;
    TEvent() = default;
    TEvent(Function code, const TObject* data = nullptr, QString name = {})
        : FCode(std::move(code)), FMethod{data, std::move(name)} {}

    explicit operator bool() const { return bool(FCode); }
    void operator()(Args... args) const
    {
        if (FCode)
            FCode(std::forward<Args>(args)...);
    }
    const TMethodRef& Method() const { return FMethod; }
    bool IsAssigned() const { return bool(FCode); }
    void Clear() { *this = TEvent(); }

private:
    Function FCode;
    TMethodRef FMethod;
};

using TNotifyEvent = TEvent<TObject*>;

/// A value stored in the form text beside the published properties (designer position, string
/// list lines, picture data).
struct TDefinedProperty {
    QString Name;
    std::variant<qint64, QStringList, QByteArray> Value;
};

class TPersistent : public TObject {
public:
    /// Copies Source into this object; the base asks Source->AssignTo and fails when neither
    /// side knows the other.
    virtual void Assign(const TPersistent* Source);
    /// Adds the defined properties that hold data, in writing order.
    virtual void DefineProperties(QList<TDefinedProperty>& Filer) const;
    /// The reading side: every defined property the class takes back, each with an empty value of
    /// the kind it holds (qint64, QStringList or QByteArray).
    virtual void DefinedPropertyKinds(QList<TDefinedProperty>& Filer) const;
    /// Takes back one value named by DefinedPropertyKinds (the name as listed there).
    virtual void ReadDefinedProperty(const TDefinedProperty& Property);
    /// The object that owns this one in the naming path (collection of an item, ...).
    virtual TPersistent* GetOwner() const { return nullptr; }

    /// Raises EConvertError "Cannot assign a <source class> to a <Dest class>".
    [[noreturn]] static void AssignError(const TPersistent* Source, const TPersistent* Dest);

protected:
    virtual void AssignTo(TPersistent* Dest) const;
};

enum TOperation { opInsert, opRemove };

enum TComponentStateElement {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateElement>;

/// A named object with an owner that destroys it. Built on QObject: the owner is the QObject
/// parent and the name is the objectName, so components, windows and widgets share one ownership
/// model. Owned components are destroyed, in reverse order of insertion, before the owner's own
/// QObject part goes away; the owner is not notified of their removal while it is destroying.
class TComponent : public QObject, public TPersistent {
    Q_OBJECT
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }

    QString Name() const { return objectName(); }
    /// Raises EComponentError for a name that is not an identifier or is taken in the owner.
    void SetName(const QString& NewName);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int Index) const { return FComponents.at(Index); }
    /// Case-insensitive lookup among the owned components; nullptr when absent.
    TComponent* FindComponent(const QString& AName) const;

    /// Designer position: low 16 bits Left, high 16 bits Top.
    qint32 DesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(qint32 Value) { FDesignInfo = Value; }
    void SetDesignPosition(int Left, int Top);
    int DesignLeft() const { return qint16(FDesignInfo & 0xFFFF); }
    int DesignTop() const { return qint16((FDesignInfo >> 16) & 0xFFFF); }

    TComponentState ComponentState() const { return FComponentState; }
    void SetDesigning(bool Value);
    /// Marks the component (and what it owns) as being read by a form reader until Loaded().
    void BeginLoading();
    virtual void Loaded();

    /// Asks to be told through Notification(this, opRemove) when AComponent is destroyed.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    /// Visual-control tests the code generator asks; plain components are none of these.
    virtual bool IsVisualControl() const { return false; }
    virtual bool IsWindowedControl() const { return false; }
    virtual bool IsForm() const { return false; }
    virtual TComponent* ParentControl() const { return nullptr; }
    virtual QList<TComponent*> ChildControls() const { return {}; }

    /// The parent a form reader gives a nested object (a control's parent control); plain
    /// components have none.
    virtual void SetParentComponent(TComponent* /*Value*/) {}

    void DefineProperties(QList<TDefinedProperty>& Filer) const override;
    void DefinedPropertyKinds(QList<TDefinedProperty>& Filer) const override;
    void ReadDefinedProperty(const TDefinedProperty& Property) override;
    TPersistent* GetOwner() const override { return FOwner; }

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    TComponentState FComponentState;

private:
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    int FTag = 0;
    qint32 FDesignInfo = 0;
};

/// Component classes a form reader may create for nested object blocks, by class name.
using TComponentFactory = std::function<TComponent*(TComponent* AOwner)>;
/// A second registration of a name replaces the first.
void RegisterComponentClass(const QString& ClassName, TComponentFactory Factory);
/// The factory of a registered class (case-insensitive), or an empty function.
TComponentFactory FindComponentClass(const QString& ClassName);

enum TCollectionNotification { cnAdding, cnAdded, cnExtracting, cnExtracted, cnDeleting, cnRemoved };

class TCollectionItem : public TPersistent {
public:
    /// Items are created by their collection (TCollection::Add/Insert), which inserts them after
    /// they are fully constructed.
    explicit TCollectionItem(TCollection* Collection) : FCollection(Collection) {}
    /// Deleting an item directly takes it out of its collection (one change notification).
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    int Index() const;
    int ID() const { return FID; }
    QString DisplayName() const { return GetDisplayName(); }
    TPersistent* GetOwner() const override;

protected:
    /// The default is the class name.
    virtual QString GetDisplayName() const { return ClassName(); }
    /// Tells the collection that this item (or, with AllItems, every item) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection;
    int FID = 0;
};

/// Makes a new item of the collection's item class.
using TCollectionItemClass = std::function<TCollectionItem*(TCollection*)>;

template <typename Item>
TCollectionItemClass CollectionItemClass()
{
    return [](TCollection* c) -> TCollectionItem* { return new Item(c); };
}

class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemClass ItemClass);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int Count() const { return int(FItems.size()); }
    TCollectionItem* Items(int Index) const;
    TCollectionItem* FindItemID(int ID) const;
    int IndexOf(const TCollectionItem* Item) const;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    /// Copies another collection: every item is recreated and copied with the item's Assign.
    void Assign(const TPersistent* Source) override;

    /// Fired (outside updates) after items were added, removed or changed.
    TNotifyEvent OnChange;

protected:
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    /// Called with the changed item, or nullptr when the whole collection changed.
    virtual void Update(TCollectionItem* Item);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item, int Index);
    void RemoveItem(TCollectionItem* Item);
    TCollectionItemClass FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
};

class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
        : TCollection(std::move(ItemClass)), FOwner(AOwner) {}
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};
