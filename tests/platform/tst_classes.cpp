#include "Classes.h"
#include "TypInfo.h"

#include <QTest>

#include <memory>
#include <vector>

// ---------------------------------------------------------------------------------------------
// A small published hierarchy: a component base, a descendant that redeclares a property and
// adds a sub-object, a collection, a set, an event and a property with a stored rule.

enum TShape { shNone, shSquare, shCircle, shStar };
using TShapes = TSet<TShape>;

const TEnumInfo& ShapeTypeInfo()
{
    static const TEnumInfo info{QStringLiteral("TShape"),
                                {QStringLiteral("shNone"), QStringLiteral("shSquare"), QStringLiteral("shCircle"),
                                 QStringLiteral("shStar")}};
    return info;
}

class TSubObject : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    void Assign(const TPersistent* Source) override
    {
        if (const auto* other = dynamic_cast<const TSubObject*>(Source)) {
            FCaption = other->FCaption;
            return;
        }
        TPersistent::Assign(Source);
    }

private:
    QString FCaption;
};

const TClassInfo& TSubObject::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TSubObject>(QStringLiteral("TSubObject"), nullptr)
                                       .String(QStringLiteral("Caption"), &TSubObject::Caption,
                                               &TSubObject::SetCaption, QStringLiteral("TCaption"))
                                       .Build();
    return info;
}

// Knows how to copy itself into a TSubObject, which does not know it: Assign asks AssignTo.
class TCaptionSource : public TPersistent {
public:
    QString Text;

protected:
    void AssignTo(TPersistent* Dest) const override
    {
        if (auto* sub = dynamic_cast<TSubObject*>(Dest)) {
            sub->SetCaption(Text);
            return;
        }
        TPersistent::AssignTo(Dest);
    }
};

int LiveItems = 0;

class TTestItem : public TCollectionItem {
public:
    explicit TTestItem(TCollection* Collection) : TCollectionItem(Collection), FConstructed(true) { ++LiveItems; }
    ~TTestItem() override { --LiveItems; }
    bool Constructed() const { return FConstructed; }
    int Value() const { return FValue; }
    void SetValue(int Value)
    {
        FValue = Value;
        Changed(false);
    }
    void Assign(const TPersistent* Source) override
    {
        if (const auto* other = dynamic_cast<const TTestItem*>(Source)) {
            FValue = other->FValue;
            return;
        }
        TCollectionItem::Assign(Source);
    }

private:
    bool FConstructed = false;
    int FValue = 0;
};

struct Notice {
    TCollectionItem* Item;
    TCollectionNotification Action;
    bool FullyConstructed;
    int Index;
};

class TTestCollection : public TOwnedCollection {
public:
    explicit TTestCollection(TPersistent* Owner) : TOwnedCollection(Owner, CollectionItemClass<TTestItem>()) {}
    TTestItem* Item(int Index) const { return static_cast<TTestItem*>(Items(Index)); }
    std::vector<Notice> Notices;
    std::vector<TCollectionItem*> Updates;

protected:
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override
    {
        const auto* item = dynamic_cast<TTestItem*>(Item);
        Notices.push_back({Item, Action, item && item->Constructed(), IndexOf(Item)});
        TOwnedCollection::Notify(Item, Action);
    }
    void Update(TCollectionItem* Item) override
    {
        Updates.push_back(Item);
        TOwnedCollection::Update(Item);
    }
};

class TBaseWidget : public TComponent {
    VX_PUBLISHED_CLASS
public:
    using TComponent::TComponent;
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    TShape Kind() const { return FKind; }
    void SetKind(TShape Value) { FKind = Value; }
    TShapes Shapes() const { return FShapes; }
    void SetShapes(TShapes Value) { FShapes = Value; }

private:
    int FWidth = 0;
    TShape FKind = shNone;
    TShapes FShapes;
};

const TClassInfo& TBaseWidget::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TBaseWidget>(QStringLiteral("TBaseWidget"), &TComponent::StaticClassInfo())
            .Integer(QStringLiteral("Width"), &TBaseWidget::Width, &TBaseWidget::SetWidth, 0)
            .Enum(QStringLiteral("Kind"), &TBaseWidget::Kind, &TBaseWidget::SetKind, ShapeTypeInfo(),
                  std::optional<TShape>(shNone))
            .Set(QStringLiteral("Shapes"), &TBaseWidget::Shapes, &TBaseWidget::SetShapes, QStringLiteral("TShapes"),
                 ShapeTypeInfo(), TShapes{shSquare}.Mask())
            .Build();
    return info;
}

class TWidget : public TBaseWidget {
    VX_PUBLISHED_CLASS
public:
    explicit TWidget(TComponent* Owner = nullptr) : TBaseWidget(Owner), FItems(this)
    {
        SetWidth(10);
    }
    TSubObject* Sub() const { return const_cast<TSubObject*>(&FSub); }
    void SetSub(TSubObject* Value) { FSub.Assign(Value); }
    TTestCollection* Items() const { return const_cast<TTestCollection*>(&FItems); }
    void SetItems(TTestCollection* Value) { FItems.Assign(Value); }
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }
    TNotifyEvent OnClick;

private:
    TSubObject FSub;
    TTestCollection FItems;
    QString FHint;
};

const TClassInfo& TWidget::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TWidget>(QStringLiteral("TWidget"), &TBaseWidget::StaticClassInfo())
            .Object<TSubObject>(QStringLiteral("Sub"), &TWidget::Sub, &TWidget::SetSub, QStringLiteral("TSubObject"))
            .Object<TTestCollection>(QStringLiteral("Items"), &TWidget::Items, &TWidget::SetItems,
                                     QStringLiteral("TTestItems"))
            .Integer(QStringLiteral("Width"), &TWidget::Width, &TWidget::SetWidth, 10) // redeclared
            .String(QStringLiteral("Hint"), &TWidget::Hint, &TWidget::SetHint)
            .Stored([](const TWidget& w) { return !w.Hint().isEmpty(); })
            .Event(QStringLiteral("OnClick"), &TWidget::OnClick, QStringLiteral("TNotifyEvent"))
            .Build();
    return info;
}

// Records the notifications it receives and drops its reference to a removed component.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Target = nullptr;
    std::vector<std::pair<TComponent*, TOperation>> Received;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        Received.emplace_back(AComponent, Operation);
        if (Operation == opRemove && AComponent == Target)
            Target = nullptr;
    }
};

// Appends its name to a shared log when destroyed.
class TLogged : public TComponent {
public:
    TLogged(TComponent* Owner, const QString& Name, QStringList* Log) : TComponent(Owner), FLog(Log)
    {
        SetName(Name);
    }
    ~TLogged() override { FLog->append(Name()); }

private:
    QStringList* FLog;
};

template <typename E, typename F>
QString ErrorOf(F&& f)
{
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return QStringLiteral("no exception");
}

// ---------------------------------------------------------------------------------------------

class TestClasses : public QObject {
    Q_OBJECT
private slots:
    void assignErrors();
    void assignAsksSource();
    void ownerDestroysOwnedNewestFirst();
    void destroyedChildLeavesOwner();
    void findComponentIgnoresCase();
    void names_data();
    void names();
    void freeNotification();
    void freeNotificationOtherOrder();
    void siblingsHearOfRemoval();
    void designPosition_data();
    void designPosition();
    void designingPropagates();
    void collectionAddNotifiesWhenConstructed();
    void collectionInsertAndDelete();
    void collectionChangeEvents();
    void collectionAssignRecreatesItems();
    void collectionErrors();
    void deletingAnItemTakesItOut();
    void propertyOrder();
    void redeclaredProperty();
    void propertyAccessors();
    void storedRule();
    void propertyTypeName_data();
    void propertyTypeName();
};

void TestClasses::assignErrors()
{
    TSubObject sub;
    TBaseWidget widget;
    QCOMPARE(ErrorOf<EConvertError>([&] { sub.Assign(nullptr); }), QStringLiteral("Cannot assign a nil to a TSubObject"));
    QCOMPARE(ErrorOf<EConvertError>([&] { sub.Assign(&widget); }),
             QStringLiteral("Cannot assign a TBaseWidget to a TSubObject"));
    // A class that publishes nothing reports its C++ name.
    TCaptionSource source;
    QCOMPARE(ErrorOf<EConvertError>([&] { widget.Assign(&source); }),
             QStringLiteral("Cannot assign a TCaptionSource to a TBaseWidget"));
}

void TestClasses::assignAsksSource()
{
    TCaptionSource source;
    source.Text = QStringLiteral("from source");
    TSubObject sub;
    sub.Assign(&source);
    QCOMPARE(sub.Caption(), QStringLiteral("from source"));
}

void TestClasses::ownerDestroysOwnedNewestFirst()
{
    QStringList log;
    auto* owner = new TLogged(nullptr, QStringLiteral("Owner"), &log);
    auto* first = new TLogged(owner, QStringLiteral("First"), &log);
    auto* second = new TLogged(owner, QStringLiteral("Second"), &log);
    new TLogged(second, QStringLiteral("Grandchild"), &log);
    QCOMPARE(owner->ComponentCount(), 2);
    QCOMPARE(owner->Components(0), first);
    QCOMPARE(owner->Components(1), second);
    QCOMPARE(second->Owner(), owner);
    QCOMPARE(second->parent(), owner); // the owner is the QObject parent
    delete owner;
    // Each logs in its own destructor body, before its owned components go: the owner first,
    // then the newest owned component with what it owns, then the older one.
    QCOMPARE(log, QStringList({"Owner", "Second", "Grandchild", "First"}));
}

void TestClasses::destroyedChildLeavesOwner()
{
    TWatcher owner;
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    delete a;
    QCOMPARE(owner.ComponentCount(), 1);
    QCOMPARE(owner.Components(0), b);
    QCOMPARE(owner.Received.size(), size_t(1));
    QCOMPARE(owner.Received[0].first, a);
    QCOMPARE(owner.Received[0].second, opRemove);
}

void TestClasses::findComponentIgnoresCase()
{
    TComponent owner;
    auto* button = new TComponent(&owner);
    button->SetName(QStringLiteral("OkButton"));
    auto* unnamed = new TComponent(&owner);
    Q_UNUSED(unnamed);
    QCOMPARE(owner.FindComponent(QStringLiteral("OkButton")), button);
    QCOMPARE(owner.FindComponent(QStringLiteral("okbutton")), button);
    QCOMPARE(owner.FindComponent(QStringLiteral("Missing")), nullptr);
    QCOMPARE(owner.FindComponent(QString()), nullptr);
    QCOMPARE(button->FindComponent(QStringLiteral("OkButton")), nullptr); // only owned ones
}

void TestClasses::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("free name") << "Label1" << "";
    QTest::newRow("underscore") << "_x" << "";
    QTest::newRow("same name again") << "Button1" << "";
    QTest::newRow("taken") << "Edit1" << "A component named Edit1 already exists";
    QTest::newRow("taken in other case") << "EDIT1" << "A component named EDIT1 already exists";
    QTest::newRow("starts with a digit") << "1abc" << "'1abc' is not a valid component name";
    QTest::newRow("blank inside") << "a b" << "'a b' is not a valid component name";
    QTest::newRow("empty is allowed") << "" << "";
}

void TestClasses::names()
{
    QFETCH(QString, name);
    QFETCH(QString, error);
    TComponent owner;
    auto* edit = new TComponent(&owner);
    edit->SetName(QStringLiteral("Edit1"));
    auto* button = new TComponent(&owner);
    button->SetName(QStringLiteral("Button1"));
    if (error.isEmpty()) {
        button->SetName(name);
        QCOMPARE(button->Name(), name);
    } else {
        QCOMPARE(ErrorOf<EComponentError>([&] { button->SetName(name); }), error);
        QCOMPARE(button->Name(), QStringLiteral("Button1"));
    }
}

void TestClasses::freeNotification()
{
    auto watcher = std::make_unique<TWatcher>();
    auto* target = new TComponent;
    watcher->Target = target;
    watcher->FreeNotification(target);
    delete target;
    QCOMPARE(watcher->Target, nullptr); // cleared inside Notification
    QCOMPARE(watcher->Received.size(), size_t(1));
    QCOMPARE(watcher->Received[0].second, opRemove);

    // After removal the link is gone in both directions: nothing is told twice.
    auto* other = new TComponent;
    watcher->FreeNotification(other);
    watcher->RemoveFreeNotification(other);
    delete other;
    QCOMPARE(watcher->Received.size(), size_t(1));
}

void TestClasses::freeNotificationOtherOrder()
{
    // The watcher goes first; the target must not call back into it afterwards.
    auto* watcher = new TWatcher;
    auto target = std::make_unique<TWatcher>();
    watcher->Target = target.get();
    watcher->FreeNotification(target.get());
    delete watcher;
    QCOMPARE(target->Received.size(), size_t(1)); // the target hears of the watcher's removal
    target.reset();
}

void TestClasses::siblingsHearOfRemoval()
{
    TComponent owner;
    auto* watcher = new TWatcher(&owner);
    auto* sibling = new TComponent(&owner);
    watcher->Target = sibling;
    delete sibling;
    QCOMPARE(watcher->Target, nullptr);
}

void TestClasses::designPosition_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("origin") << 0 << 0;
    QTest::newRow("ordinary") << 100 << 200;
    QTest::newRow("negative left") << -8 << 300;
    QTest::newRow("negative top") << 40 << -1;
    QTest::newRow("16-bit limits") << 32767 << -32768;
}

void TestClasses::designPosition()
{
    QFETCH(int, left);
    QFETCH(int, top);
    TComponent c;
    c.SetDesignPosition(left, top);
    QCOMPARE(c.DesignLeft(), left);
    QCOMPARE(c.DesignTop(), top);
    QCOMPARE(quint32(c.DesignInfo()) & 0xFFFF, quint32(quint16(left)));
    QCOMPARE(quint32(c.DesignInfo()) >> 16, quint32(quint16(top)));

    QList<TDefinedProperty> filer;
    c.DefineProperties(filer);
    QStringList names;
    for (const TDefinedProperty& p : filer) {
        names << p.Name;
        QCOMPARE(std::get<qint64>(p.Value), qint64(p.Name == QLatin1String("Left") ? left : top));
    }
    QStringList expected;
    if (left != 0)
        expected << QStringLiteral("Left");
    if (top != 0)
        expected << QStringLiteral("Top");
    QCOMPARE(names, expected);
}

void TestClasses::designingPropagates()
{
    TComponent owner;
    auto* child = new TComponent(&owner);
    owner.SetDesigning(true);
    QVERIFY(child->ComponentState().Contains(csDesigning));
    auto* late = new TComponent(&owner);
    late->SetDesigning(true);
    owner.SetDesigning(false);
    QVERIFY(!child->ComponentState().Contains(csDesigning));
    QVERIFY(!late->ComponentState().Contains(csDesigning));
}

void TestClasses::collectionAddNotifiesWhenConstructed()
{
    TSubObject owner;
    TTestCollection items(&owner);
    auto* first = static_cast<TTestItem*>(items.Add());
    QCOMPARE(items.Notices.size(), size_t(2));
    QCOMPARE(items.Notices[0].Action, cnAdding);
    QCOMPARE(items.Notices[0].Index, -1); // not in the list yet
    QCOMPARE(items.Notices[1].Action, cnAdded);
    QCOMPARE(items.Notices[1].Item, first);
    QVERIFY(items.Notices[1].FullyConstructed);
    QCOMPARE(items.Notices[1].Index, 0);
    QCOMPARE(first->Collection(), &items);
    QCOMPARE(first->GetOwner(), &items);
    QCOMPARE(items.GetOwner(), &owner);

    auto* second = items.Add();
    QCOMPARE(second->Index(), 1);
    QVERIFY(second->ID() != first->ID());
    QCOMPARE(items.FindItemID(second->ID()), second);
    QCOMPARE(items.FindItemID(12345), nullptr);
}

void TestClasses::collectionInsertAndDelete()
{
    const int before = LiveItems;
    {
        TTestCollection items(nullptr);
        items.Add();
        auto* b = items.Add();
        auto* front = items.Insert(0);
        QCOMPARE(items.Count(), 3);
        QCOMPARE(items.Items(0), front);
        QCOMPARE(b->Index(), 2);
        items.Notices.clear();

        items.Delete(0);
        QCOMPARE(items.Count(), 2);
        QCOMPARE(items.IndexOf(front), -1);
        QCOMPARE(b->Index(), 1);
        QCOMPARE(items.Notices.size(), size_t(2));
        QCOMPARE(items.Notices[0].Action, cnDeleting);
        QCOMPARE(items.Notices[0].Index, 0);
        QCOMPARE(items.Notices[1].Action, cnRemoved);
        QCOMPARE(items.Notices[1].Index, -1);
        QCOMPARE(LiveItems, before + 2); // the deleted item is freed
    }
    QCOMPARE(LiveItems, before); // the collection frees the rest
}

void TestClasses::collectionChangeEvents()
{
    TTestCollection items(nullptr);
    int changes = 0;
    items.OnChange = TNotifyEvent([&](TObject* sender) {
        QCOMPARE(sender, static_cast<TObject*>(&items));
        ++changes;
    });
    items.Add();
    QCOMPARE(changes, 1);
    items.BeginUpdate();
    items.Add();
    items.Add();
    items.Delete(0);
    QCOMPARE(changes, 1);
    items.EndUpdate();
    QCOMPARE(changes, 2);

    // An item's own change reaches Update with that item.
    items.Updates.clear();
    items.Item(1)->SetValue(7);
    QCOMPARE(changes, 3);
    QCOMPARE(items.Updates, std::vector<TCollectionItem*>{items.Items(1)});
    items.BeginUpdate();
    items.Item(0)->SetValue(8); // held back during an update
    QCOMPARE(changes, 3);
    items.EndUpdate();
    QCOMPARE(changes, 4);
    QCOMPARE(items.Updates.back(), nullptr); // the whole collection

    items.Clear();
    QCOMPARE(items.Count(), 0);
    QCOMPARE(changes, 5);
}

void TestClasses::collectionAssignRecreatesItems()
{
    TTestCollection source(nullptr);
    static_cast<TTestItem*>(source.Add())->SetValue(1);
    static_cast<TTestItem*>(source.Add())->SetValue(2);

    TTestCollection dest(nullptr);
    const int oldId = dest.Add()->ID();
    int changes = 0;
    dest.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    const int before = LiveItems;
    dest.Assign(&source);
    QCOMPARE(changes, 1);
    QCOMPARE(dest.Count(), 2);
    QCOMPARE(LiveItems, before + 1); // one freed, two made
    QCOMPARE(dest.FindItemID(oldId), nullptr);
    for (int i = 0; i < 2; ++i) {
        QVERIFY(dest.Items(i) != source.Items(i));
        QCOMPARE(dest.Items(i)->Collection(), &dest);
        QCOMPARE(dest.Item(i)->Value(), source.Item(i)->Value());
    }
    dest.Assign(&dest); // itself: nothing happens
    QCOMPARE(dest.Count(), 2);
    QCOMPARE(changes, 1);
}

void TestClasses::collectionErrors()
{
    TTestCollection items(nullptr);
    items.Add();
    QCOMPARE(ErrorOf<EListError>([&] { items.Items(1); }), QStringLiteral("List index out of bounds (1)"));
    QCOMPARE(ErrorOf<EListError>([&] { items.Delete(-1); }), QStringLiteral("List index out of bounds (-1)"));
    QCOMPARE(ErrorOf<EListError>([&] { items.Insert(3); }), QStringLiteral("List index out of bounds (3)"));
    TSubObject other;
    QVERIFY(ErrorOf<EConvertError>([&] { items.Assign(&other); }).startsWith(QStringLiteral("Cannot assign a TSubObject to a ")));
    QCOMPARE(items.Count(), 1);
}

void TestClasses::deletingAnItemTakesItOut()
{
    const int before = LiveItems;
    {
        TTestCollection items(nullptr);
        items.Add();
        auto* doomed = items.Add();
        auto* last = items.Add();
        int changes = 0;
        items.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
        delete doomed;
        QCOMPARE(items.Count(), 2);
        QCOMPARE(last->Index(), 1);
        QCOMPARE(changes, 1);
        QCOMPARE(LiveItems, before + 2);
    }
    QCOMPARE(LiveItems, before);
}

void TestClasses::propertyOrder()
{
    TWidget widget;
    QCOMPARE(widget.ClassName(), QStringLiteral("TWidget"));
    QStringList names;
    for (const TPropInfo& p : widget.ClassInfo()->Properties())
        names << p.Name;
    QCOMPARE(names, QStringList({"Name", "Tag", "Width", "Kind", "Shapes", "Sub", "Items", "Hint", "OnClick"}));
    QVERIFY(widget.InheritsFrom(TComponent::StaticClassInfo()));
    QVERIFY(widget.InheritsFrom(TBaseWidget::StaticClassInfo()));
    QVERIFY(!TBaseWidget().InheritsFrom(TWidget::StaticClassInfo()));
    QCOMPARE(GetPropInfo(widget, QStringLiteral("width")), nullptr); // exact case
    QCOMPARE(GetPropInfo(widget, QStringLiteral("Kind"))->EnumInfo, &ShapeTypeInfo());
}

void TestClasses::redeclaredProperty()
{
    const TPropInfo* derived = TWidget::StaticClassInfo().FindProperty(QStringLiteral("Width"));
    const TPropInfo* base = TBaseWidget::StaticClassInfo().FindProperty(QStringLiteral("Width"));
    QVERIFY(derived && base);
    QCOMPARE(derived->Default, std::optional<qint64>(10));
    QCOMPARE(base->Default, std::optional<qint64>(0));
    int count = 0;
    for (const TPropInfo& p : TWidget::StaticClassInfo().Properties())
        count += p.Name == QLatin1String("Width");
    QCOMPARE(count, 1);
}

void TestClasses::propertyAccessors()
{
    TWidget widget;
    const TClassInfo& info = *widget.ClassInfo();

    const TPropInfo* shapes = info.FindProperty(QStringLiteral("Shapes"));
    QCOMPARE(shapes->Kind, TTypeKind::Set);
    QCOMPARE(shapes->Default, std::optional<qint64>(qint64(TShapes{shSquare}.Mask())));
    shapes->SetOrd(widget, qint64(TShapes({shCircle, shStar}).Mask()));
    QCOMPARE(widget.Shapes(), TShapes({shCircle, shStar}));
    QCOMPARE(shapes->GetOrd(widget), qint64(0b1100));

    info.FindProperty(QStringLiteral("Kind"))->SetOrd(widget, shStar);
    QCOMPARE(widget.Kind(), shStar);

    const TPropInfo* sub = info.FindProperty(QStringLiteral("Sub"));
    QCOMPARE(sub->Kind, TTypeKind::Class);
    QCOMPARE(sub->PropertyClass(), &TSubObject::StaticClassInfo());
    QCOMPARE(sub->GetObj(widget), static_cast<TObject*>(widget.Sub()));
    TSubObject replacement;
    replacement.SetCaption(QStringLiteral("copied"));
    sub->SetObj(widget, &replacement);
    QCOMPARE(widget.Sub()->Caption(), QStringLiteral("copied")); // copied into the owned object
    QVERIFY(widget.Sub() != &replacement);

    const TPropInfo* items = info.FindProperty(QStringLiteral("Items"));
    QCOMPARE(items->GetObj(widget), static_cast<TObject*>(widget.Items()));
    QCOMPARE(widget.Items()->GetOwner(), &widget);

    const TPropInfo* click = info.FindProperty(QStringLiteral("OnClick"));
    QCOMPARE(click->Kind, TTypeKind::Event);
    widget.OnClick = TNotifyEvent([](TObject*) {}, &widget, QStringLiteral("WidgetClick"));
    QCOMPARE(click->GetMethod(widget).Name, QStringLiteral("WidgetClick"));
    QCOMPARE(click->GetMethod(widget).Data, &widget);

    const TPropInfo* name = info.FindProperty(QStringLiteral("Name"));
    QCOMPARE(name->Stored, TPropInfo::StoredKind::Never);
    name->SetStr(widget, QStringLiteral("Widget1"));
    QCOMPARE(widget.Name(), QStringLiteral("Widget1"));
}

void TestClasses::storedRule()
{
    TWidget widget;
    const TPropInfo* hint = widget.ClassInfo()->FindProperty(QStringLiteral("Hint"));
    QCOMPARE(hint->Stored, TPropInfo::StoredKind::Predicate);
    QVERIFY(!hint->IsStored(widget));
    widget.SetHint(QStringLiteral("tip"));
    QVERIFY(hint->IsStored(widget));
    QVERIFY(widget.ClassInfo()->FindProperty(QStringLiteral("Width"))->IsStored(widget));
}

void TestClasses::propertyTypeName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("type");
    QTest::newRow("own property") << "Shapes" << "TShapes";
    QTest::newRow("inherited") << "Tag" << "NativeInt";
    QTest::newRow("sub-object") << "Sub" << "TSubObject";
    QTest::newRow("dotted path") << "Sub.Caption" << "TCaption";
    QTest::newRow("collection") << "Items" << "TTestItems";
    QTest::newRow("unknown") << "Nope" << "";
    QTest::newRow("unknown inside") << "Sub.Nope" << "";
    QTest::newRow("wrong case") << "sub.Caption" << "";
    QTest::newRow("through a non-class") << "Width.Caption" << "";
    QTest::newRow("empty step") << "Sub." << "";
}

void TestClasses::propertyTypeName()
{
    QFETCH(QString, path);
    QFETCH(QString, type);
    TWidget widget;
    QCOMPARE(PropertyTypeName(widget, path), type);
}

QTEST_GUILESS_MAIN(TestClasses)
#include "tst_classes.moc"
