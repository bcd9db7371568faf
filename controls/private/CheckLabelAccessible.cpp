#include "CheckLabelAccessible_p.h"

#include "VxCaptionControl.h"
#include "VxCheckBox.h"
#include "VxLabel.h"

#include "DrawText.h"
#include "Shell.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>

namespace {

QString Described(const QWidget* Widget)
{
    const QString description = Widget->accessibleDescription();
    return description.isEmpty() ? Widget->toolTip() : description;
}

QString NameOr(const QWidget* Widget, const QString& Fallback)
{
    const QString name = Widget->accessibleName();
    return name.isEmpty() ? Fallback : name;
}

QString Mnemonic(const QString& Caption)
{
    return QKeySequence::mnemonic(Caption).toString(QKeySequence::NativeText);
}

} // namespace

// The check box: role check box, its state and a toggle action that works like a click.
class TVxCheckBoxAccessible : public QAccessibleWidget {
public:
    explicit TVxCheckBoxAccessible(TVxCustomCheckBox* Box) : QAccessibleWidget(Box, QAccessible::CheckBox) {}

    TVxCustomCheckBox* Box() const { return static_cast<TVxCustomCheckBox*>(object()); }

    QString text(QAccessible::Text Kind) const override
    {
        switch (Kind) {
        case QAccessible::Name: return NameOr(Box(), StripHotkey(Box()->Caption()).trimmed());
        case QAccessible::Description: return Described(Box());
        case QAccessible::Accelerator: return Mnemonic(Box()->Caption());
        default: return QAccessibleWidget::text(Kind);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Box()->Checked();
        s.hotTracked = Box()->MouseInControl();
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (Box()->isEnabled())
            names << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& Action) override
    {
        if (Action == toggleAction() || Action == pressAction()) {
            if (Box()->isEnabled()) {
                Box()->SetChecked(!Box()->Checked());
                Box()->DoClick();
            }
            return;
        }
        QAccessibleWidget::doAction(Action);
    }

    QStringList keyBindingsForAction(const QString& Action) const override
    {
        const QString key = Mnemonic(Box()->Caption());
        if (Action == toggleAction() && !key.isEmpty())
            return {key};
        return QAccessibleWidget::keyBindingsForAction(Action);
    }
};

// A label: static text named by its caption.
class TVxLabelAccessible : public QAccessibleWidget {
public:
    explicit TVxLabelAccessible(TVxCustomLabel* Label, QAccessible::Role Role = QAccessible::StaticText)
        : QAccessibleWidget(Label, Role)
    {
    }

    TVxCustomLabel* Label() const { return static_cast<TVxCustomLabel*>(object()); }

    QString text(QAccessible::Text Kind) const override
    {
        switch (Kind) {
        case QAccessible::Name: return NameOr(Label(), StripHotkey(Label()->Caption()).trimmed());
        case QAccessible::Description: return Described(Label());
        case QAccessible::Accelerator: return Mnemonic(Label()->Caption());
        default: return QAccessibleWidget::text(Kind);
        }
    }
};

// The expand/collapse toggle: a button that is expanded or collapsed; pressing it toggles.
class TVxMoreLabelAccessible : public TVxLabelAccessible {
public:
    explicit TVxMoreLabelAccessible(TVxCustomMoreLabel* Label) : TVxLabelAccessible(Label, QAccessible::Button) {}

    TVxCustomMoreLabel* More() const { return static_cast<TVxCustomMoreLabel*>(object()); }

    QAccessible::State state() const override
    {
        QAccessible::State s = TVxLabelAccessible::state();
        s.expandable = true;
        s.expanded = More()->Expanded();
        s.collapsed = !More()->Expanded();
        s.hotTracked = More()->MouseInControl();
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (More()->isEnabled())
            names << pressAction();
        return names + TVxLabelAccessible::actionNames();
    }

    void doAction(const QString& Action) override
    {
        if (Action == pressAction() || Action == toggleAction()) {
            if (More()->isEnabled())
                More()->Click();
            return;
        }
        TVxLabelAccessible::doAction(Action);
    }

    QStringList keyBindingsForAction(const QString& Action) const override
    {
        if (Action == pressAction()) {
            QStringList keys{QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
            const QString key = Mnemonic(More()->Caption());
            if (!key.isEmpty())
                keys << key;
            return keys;
        }
        return TVxLabelAccessible::keyBindingsForAction(Action);
    }
};

// The caption control: static text, or a link when the whole control acts as one (TreatAsLink,
// or a text that is nothing but its link). Its name is the text as shown, without markup.
class TVxCaptionControlAccessible : public QAccessibleWidget {
public:
    explicit TVxCaptionControlAccessible(TVxCustomCaptionControl* Control)
        : QAccessibleWidget(Control, QAccessible::StaticText)
    {
    }

    TVxCustomCaptionControl* Control() const { return static_cast<TVxCustomCaptionControl*>(object()); }

    // The text a reader sees: markup removed, the link shown by its text, lines kept.
    struct Shown {
        QString Text;
        QString LinkText;
        QString Link;
    };

    Shown ShownText() const
    {
        const TVxCaption caption(nullptr, Control()->Text()->Text(), TVxCaptionBackground(), Control()->Font(), -1,
                                 qMax(1, Control()->width()), QPoint(), nullptr, Control()->BiDiMode());
        Shown shown;
        shown.LinkText = caption.LinkInfo().Text;
        shown.Link = caption.LinkInfo().Link;
        for (const QString& segment : caption.CaptionSegments()) {
            if (segment.contains(QLatin1String("<NEWLINE>")))
                shown.Text += QLatin1Char('\n');
            else if (segment.contains(QLatin1String("<BOLD>")))
                shown.Text += segment.mid(6);
            else if (segment.contains(QLatin1String("<UNDERLINE>")))
                shown.Text += segment.mid(11);
            else if (segment.contains(QLatin1String("<ITALIC>")))
                shown.Text += segment.mid(8);
            else if (segment.contains(QLatin1String("<LINK>")))
                shown.Text += caption.LinkInfo().Text;
            else
                shown.Text += segment;
        }
        shown.Text = shown.Text.trimmed();
        return shown;
    }

    bool ActsAsLink() const
    {
        if (Control()->TreatAsLink())
            return true;
        const Shown shown = ShownText();
        return !shown.Link.isEmpty() && shown.Text == shown.LinkText.trimmed();
    }

    QAccessible::Role role() const override { return ActsAsLink() ? QAccessible::Link : QAccessible::StaticText; }

    QString text(QAccessible::Text Kind) const override
    {
        switch (Kind) {
        case QAccessible::Name: return NameOr(Control(), ShownText().Text);
        case QAccessible::Description: return Described(Control());
        case QAccessible::Value: return ActsAsLink() ? ShownText().Link : QString();
        default: return QAccessibleWidget::text(Kind);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = ActsAsLink();
        s.traversed = false;
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (Control()->isEnabled() && ActsAsLink())
            names << pressAction();
        return names + QAccessibleWidget::actionNames();
    }

    // Pressing the link opens it as a mouse click on it would; a control that only acts as a link
    // reports its click.
    void doAction(const QString& Action) override
    {
        if (Action == pressAction()) {
            if (!Control()->isEnabled() || !ActsAsLink())
                return;
            const QString link = ShownText().Link;
            if (link.isEmpty()) {
                Control()->OnClick(Control());
            } else if (Control()->Caption()) {
                Control()->DoLinkClick();
            } else {
                // Not painted yet, so the control holds no laid-out caption: the same steps with
                // the address read from the text.
                bool handled = false;
                if (Control()->OnLinkClick)
                    Control()->OnLinkClick(Control(), link, handled);
                if (!handled)
                    ShellOpen(link);
            }
            return;
        }
        QAccessibleWidget::doAction(Action);
    }
};

namespace {

QAccessibleInterface* CheckLabelFactory(const QString& ClassName, QObject* Object)
{
    if (!Object || !Object->isWidgetType())
        return nullptr;
    if (ClassName == QLatin1String("TVxCustomCheckBox"))
        return new TVxCheckBoxAccessible(static_cast<TVxCustomCheckBox*>(Object));
    if (ClassName == QLatin1String("TVxCustomMoreLabel"))
        return new TVxMoreLabelAccessible(static_cast<TVxCustomMoreLabel*>(Object));
    if (ClassName == QLatin1String("TVxCustomLabel"))
        return new TVxLabelAccessible(static_cast<TVxCustomLabel*>(Object));
    if (ClassName == QLatin1String("TVxCustomCaptionControl"))
        return new TVxCaptionControlAccessible(static_cast<TVxCustomCaptionControl*>(Object));
    return nullptr;
}

} // namespace

void InstallCheckLabelAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(CheckLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void NotifyCheckLabelStateChange(QObject* Control, CheckLabelStateChange Change)
{
    if (!QAccessible::isActive())
        return;
    switch (Change) {
    case CheckLabelStateChange::Checked: {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(Control, changed);
        QAccessible::updateAccessibility(&event);
        break;
    }
    case CheckLabelStateChange::Expanded: {
        QAccessible::State changed;
        changed.expanded = true;
        changed.collapsed = true;
        QAccessibleStateChangeEvent event(Control, changed);
        QAccessible::updateAccessibility(&event);
        break;
    }
    case CheckLabelStateChange::Name: {
        QAccessibleEvent event(Control, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
        break;
    }
    }
}
