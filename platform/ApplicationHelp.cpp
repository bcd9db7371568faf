#include "ApplicationHelp.h"

namespace {
TApplicationHelpHandler& CurrentHelpHandler()
{
    static TApplicationHelpHandler handler;
    return handler;
}
} // namespace

TApplicationHelpHandler SetApplicationHelpHandler(TApplicationHelpHandler Handler)
{
    TApplicationHelpHandler old = std::move(CurrentHelpHandler());
    CurrentHelpHandler() = std::move(Handler);
    return old;
}

bool ApplicationHasHelp()
{
    return bool(CurrentHelpHandler());
}

bool ShowApplicationHelp(const TApplicationHelpRequest& Request)
{
    // A copy, so a handler that replaces itself does not destroy the running function.
    const TApplicationHelpHandler handler = CurrentHelpHandler();
    if (!handler)
        return false;
    handler(Request);
    return true;
}
