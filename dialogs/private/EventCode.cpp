#include "EventCode_p.h"

#include "VxDialog.h"
#include "VxPersistent.h"

namespace {

template <typename E>
bool Assign(E& Event, const std::any& Code)
{
    const auto* code = std::any_cast<typename E::Function>(&Code);
    if (!code)
        return false;
    const TMethodRef method = Event.Method();
    Event = E(*code, method.Data, method.Name);
    return true;
}

// Calls Visit(name, event) for each published event of the object until one returns true. The
// reflection reaches events only by handler name, so their members are listed here by type.
template <typename V>
bool VisitEvents(TObject& Object, V&& Visit)
{
    if (auto* d = dynamic_cast<TVxCustomDialog*>(&Object)) {
        return Visit("OnCleanUpDialog", d->OnCleanUpDialog) || Visit("OnCreated", d->OnCreated)
            || Visit("OnDestroyed", d->OnDestroyed) || Visit("OnDialogClick", d->OnDialogClick)
            || Visit("OnDialogClose", d->OnDialogClose) || Visit("OnDialogConstructed", d->OnDialogConstructed)
            || Visit("OnGetMoreFileName", d->OnGetMoreFileName) || Visit("OnGetMoreStream", d->OnGetMoreStream)
            || Visit("OnHelpLinkClick", d->OnHelpLinkClick) || Visit("OnHelpButtonClick", d->OnHelpButtonClick)
            || Visit("OnGetControlClass", d->OnGetControlClass) || Visit("OnInitControl", d->OnInitControl)
            || Visit("OnControlClick", d->OnControlClick) || Visit("OnDialogCollapse", d->OnDialogCollapse)
            || Visit("OnDialogExpand", d->OnDialogExpand) || Visit("OnDialogShow", d->OnDialogShow)
            || Visit("OnGetRadioButtonChecked", d->OnGetRadioButtonChecked)
            || Visit("OnGetVerificationResult", d->OnGetVerificationResult) || Visit("OnProgress", d->OnProgress)
            || Visit("OnUpdateProgressBarState", d->OnUpdateProgressBarState)
            || Visit("OnUpdateProgressBar", d->OnUpdateProgressBar) || Visit("OnTimer", d->OnTimer)
            || Visit("OnKeyPress", d->OnKeyPress) || Visit("OnVerificationClick", d->OnVerificationClick);
    }
    if (auto* p = dynamic_cast<TVxChangePersistent*>(&Object))
        return Visit("OnChange", p->OnChange);
    return false;
}

} // namespace

bool SetEventCode(TObject& Object, const QString& Property, const std::any& Code)
{
    return VisitEvents(Object, [&](const char* Name, auto& Event) {
        return Property == QLatin1String(Name) && Assign(Event, Code);
    });
}

QStringList CodeEvents(const TObject& Object)
{
    QStringList names;
    VisitEvents(const_cast<TObject&>(Object), [&](const char* Name, auto&) {
        names.append(QLatin1String(Name));
        return false;
    });
    return names;
}
