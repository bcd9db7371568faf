#include "CommandLinkAccessible_p.h"

#include "VxCommandLinkButton.h"

#include <QAccessibleWidget>
#include <QKeySequence>

#include <mutex>

namespace {

class CommandLinkAccessible : public QAccessibleWidget {
public:
    explicit CommandLinkAccessible(TVxCustomCommandLinkButton* Button)
        : QAccessibleWidget(Button, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("clicked()"));
    }

    TVxCustomCommandLinkButton* button() const { return static_cast<TVxCustomCommandLinkButton*>(widget()); }

    QString text(QAccessible::Text T) const override
    {
        switch (T) {
        case QAccessible::Name:
            return StripHotkey(button()->Caption());
        case QAccessible::Description:
            return CommandLinkPlainInfo(button()->GetInfoText());
        case QAccessible::Accelerator:
            return QKeySequence::mnemonic(button()->Caption()).toString(QKeySequence::NativeText);
        case QAccessible::Help:
            return button()->Hint();
        default:
            return QAccessibleWidget::text(T);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.defaultButton = button()->Default();
        s.pressed = button()->MouseButtonPressed() && button()->MouseInControl();
        s.hotTracked = button()->MouseInControl();
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (button()->isEnabled())
            names << pressAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& Action) override
    {
        if (Action == pressAction()) {
            if (button()->isEnabled())
                button()->Click();
            return;
        }
        QAccessibleWidget::doAction(Action);
    }
};

QAccessibleInterface* CommandLinkFactory(const QString&, QObject* Object)
{
    if (auto* button = qobject_cast<TVxCustomCommandLinkButton*>(Object))
        return new CommandLinkAccessible(button);
    return nullptr;
}

} // namespace

void InstallCommandLinkAccessibility()
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(CommandLinkFactory); });
}

QString CommandLinkPlainInfo(const QString& InfoText)
{
    if (InfoText.isEmpty())
        return {};
    const TVxCaption caption(nullptr, InfoText, TVxCaptionBackground(), TFont(), 0, 1, QPoint(), nullptr,
                             bdLeftToRight);
    static const QStringList markers = {QStringLiteral("<BOLD>"), QStringLiteral("<UNDERLINE>"),
                                        QStringLiteral("<ITALIC>")};
    QString plain;
    for (const QString& segment : caption.CaptionSegments()) {
        if (segment == QLatin1String("<NEWLINE>")) {
            plain += QLatin1Char('\n');
        } else if (segment.startsWith(QLatin1String("<LINK>"))) {
            plain += caption.LinkInfo().Text;
        } else {
            QString piece = segment;
            for (const QString& marker : markers)
                if (piece.startsWith(marker))
                    piece.remove(0, marker.size());
            plain += piece;
        }
    }
    return plain;
}
