#include "CheckListAccessible_p.h"

#include "VxEditControls.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include <mutex>

namespace {

// One item of the list, by row. It owns no widget; the list keeps it registered while the row
// exists, so a screen reader keeps talking to the same object.
class CheckItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CheckItemAccessible(TCheckListBox* List, int Row) : FList(List), FRow(Row) {}

    bool isValid() const override { return FList && FList->item(FRow); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(FList); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text T) const override
    {
        const QListWidgetItem* item = isValid() ? FList->item(FRow) : nullptr;
        if (!item)
            return {};
        switch (T) {
        case QAccessible::Name: return item->text();
        case QAccessible::Description: return item->toolTip();
        default: return {};
        }
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = FList->visualItemRect(FList->item(FRow));
        return QRect(FList->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const QListWidgetItem* item = FList->item(FRow);
        s.checkable = true;
        s.checked = item->checkState() == Qt::Checked;
        s.selectable = true;
        s.selected = item->isSelected();
        s.focusable = true;
        s.focused = FList->hasFocus() && FList->currentRow() == FRow;
        s.disabled = !FList->isEnabled() || !(item->flags() & Qt::ItemIsEnabled);
        s.invisible = !FList->isVisible() || !FList->viewport()->rect().intersects(FList->visualItemRect(item));
        s.offscreen = s.invisible;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType T) override
    {
        return T == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }

    void doAction(const QString& Action) override
    {
        if (Action != toggleAction() || !isValid() || !FList->isEnabled())
            return;
        FList->setCurrentRow(FRow);
        FList->SetChecked(FRow, !FList->Checked(FRow));
    }

    QStringList keyBindingsForAction(const QString& Action) const override
    {
        return Action == toggleAction() ? QStringList{QStringLiteral("Space")} : QStringList();
    }

private:
    QPointer<TCheckListBox> FList;
    int FRow;
};

class CheckListAccessible : public QAccessibleWidget {
public:
    explicit CheckListAccessible(TCheckListBox* List) : QAccessibleWidget(List, QAccessible::List)
    {
        // Every change of the rows renumbers them: the items are made anew.
        // The connections live as long as this interface, not the list: Qt deletes the interface
        // when the list is destroyed, before the list's model resets for the last time.
        QAbstractItemModel* model = List->model();
        QObject::connect(model, &QAbstractItemModel::modelReset, &FGuard, [this] { Forget(); });
        QObject::connect(model, &QAbstractItemModel::rowsInserted, &FGuard, [this] { Forget(); });
        QObject::connect(model, &QAbstractItemModel::rowsRemoved, &FGuard, [this] { Forget(); });
        QObject::connect(List, &QListWidget::itemChanged, &FGuard,
                         [this](QListWidgetItem* Item) { Announce(Item); });
    }

    ~CheckListAccessible() override { Forget(); }

    TCheckListBox* list() const { return static_cast<TCheckListBox*>(widget()); }

    int childCount() const override { return list()->count(); }

    QAccessibleInterface* child(int Index) const override
    {
        if (Index < 0 || Index >= list()->count())
            return nullptr;
        if (const QAccessible::Id id = FItems.value(Index))
            return QAccessible::accessibleInterface(id);
        auto* item = new CheckItemAccessible(list(), Index);
        FItems.insert(Index, QAccessible::registerAccessibleInterface(item));
        return item;
    }

    int indexOfChild(const QAccessibleInterface* Child) const override
    {
        for (auto it = FItems.cbegin(); it != FItems.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == Child)
                return it.key();
        return -1;
    }

    QAccessibleInterface* childAt(int X, int Y) const override
    {
        const QListWidgetItem* item = list()->itemAt(list()->viewport()->mapFromGlobal(QPoint(X, Y)));
        return item ? child(list()->row(item)) : nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        return list()->hasFocus() && list()->currentRow() >= 0 ? child(list()->currentRow()) : nullptr;
    }

private:
    void Forget()
    {
        for (const QAccessible::Id id : std::as_const(FItems))
            QAccessible::deleteAccessibleInterface(id);
        FItems.clear();
    }

    void Announce(QListWidgetItem* Item)
    {
        if (!QAccessible::isActive())
            return;
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(child(list()->row(Item)), changed);
        QAccessible::updateAccessibility(&event);
    }

    mutable QHash<int, QAccessible::Id> FItems;
    QObject FGuard;
};

QAccessibleInterface* CheckListFactory(const QString&, QObject* Object)
{
    if (auto* list = qobject_cast<TCheckListBox*>(Object))
        return new CheckListAccessible(list);
    return nullptr;
}

} // namespace

void InstallCheckListAccessibility(TCheckListBox* List)
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(CheckListFactory); });
    // While the list view was being built it was no check list yet, and the toolkit may have
    // made and kept its own interface for it; that one goes, so the next query makes ours.
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(List);
    if (made && !dynamic_cast<CheckListAccessible*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}
