#include "SectionAccessible.h"

#include "VxDControls.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <mutex>

namespace {

// A read-only text: the section's value (the icon's name for an icon section). It is edited in
// an editor of its own, which is an ordinary text field.
class TSectionAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TSectionAccessible(TVxDCustomSectionControl* Section)
        : QAccessibleWidget(Section, IsIcon(Section) ? QAccessible::Graphic : QAccessible::EditableText)
    {
    }

    TVxDCustomSectionControl* Section() const { return static_cast<TVxDCustomSectionControl*>(object()); }

    static bool IsIcon(const TVxDCustomSectionControl* Section)
    {
        return Section->EditType() == etIcon || Section->EditType() == etSmallIcon;
    }

    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        if (Type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(Type);
    }

    QString text(QAccessible::Text Kind) const override
    {
        switch (Kind) {
        case QAccessible::Name: {
            const QString name = Section()->accessibleName();
            return name.isEmpty() ? Section()->Caption() : name;
        }
        case QAccessible::Value:
            return Value();
        case QAccessible::Description: {
            const QString description = Section()->accessibleDescription();
            if (!description.isEmpty())
                return description;
            return IsIcon(Section()) ? QStringLiteral("Enter or a double click picks the icon")
                                     : QStringLiteral("Enter or a double click edits the text");
        }
        default:
            return QAccessibleWidget::text(Kind);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true; // edited through its editor, not in place
        s.multiLine = Section()->EditType() == etText;
        return s;
    }

    // QAccessibleTextInterface: the value, without selection or caret.
    void selection(int, int* StartOffset, int* EndOffset) const override { *StartOffset = *EndOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int StartOffset, int EndOffset) const override
    {
        const QString value = Value();
        if (EndOffset < 0 || EndOffset > value.size())
            EndOffset = int(value.size());
        StartOffset = qBound(0, StartOffset, EndOffset);
        return value.mid(StartOffset, EndOffset - StartOffset);
    }
    int characterCount() const override { return int(Value().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int Offset, int* StartOffset, int* EndOffset) const override
    {
        *StartOffset = *EndOffset = Offset;
        return {};
    }

private:
    QString Value() const
    {
        // The page keeps CR LF; a reader gets plain line feeds.
        return Section()->EditValue().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
};

QAccessibleInterface* SectionFactory(const QString&, QObject* Object)
{
    if (auto* section = qobject_cast<TVxDCustomSectionControl*>(Object))
        return new TSectionAccessible(section);
    return nullptr;
}

} // namespace

void InstallSectionAccessible()
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(SectionFactory); });
}
