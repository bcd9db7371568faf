#include "ProgressAccessible_p.h"

#include "VxProgressBar.h"
#include "VxMarqueeThread.h"

#include <QAccessibleWidget>

#include <mutex>

namespace {

class TVxProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TVxProgressBarAccessible(TVxProgressBar* Bar) : QAccessibleWidget(Bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        if (Type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(Type);
    }

    QString text(QAccessible::Text Kind) const override
    {
        if (Kind == QAccessible::Value) {
            if (Bar()->MarqueeThread())
                return {};
            const int max = Bar()->Max();
            if (max <= 0)
                return QStringLiteral("100%");
            return QStringLiteral("%1%").arg(qRound64(100.0 * Bar()->Position() / max));
        }
        return QAccessibleWidget::text(Kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State result = QAccessibleWidget::state();
        result.readOnly = true;
        result.busy = Bar()->MarqueeThread() != nullptr;
        return result;
    }

    QVariant currentValue() const override { return Bar()->Position(); }
    void setCurrentValue(const QVariant&) override {} // the program drives the bar, not the user
    QVariant maximumValue() const override { return std::max(Bar()->Max(), 0); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 0; }

private:
    TVxProgressBar* Bar() const { return static_cast<TVxProgressBar*>(widget()); }
};

QAccessibleInterface* ProgressAccessibleFactory(const QString& ClassName, QObject* Object)
{
    if (ClassName == QLatin1String("TVxProgressBar") && Object && Object->isWidgetType())
        return new TVxProgressBarAccessible(static_cast<TVxProgressBar*>(Object));
    return nullptr;
}

} // namespace

void InstallProgressAccessibility()
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(ProgressAccessibleFactory); });
}
