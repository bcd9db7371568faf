#pragma once
/// The application's help system. The application installs a handler that shows a help topic
/// (the designer shows its bundled guide); without one the application has no help file, and
/// dialogs that want to show help raise VxNoHelpFileException. \file

#include "SysUtils.h"

#include <QString>

#include <functional>

/// Raised when help is asked for and the application has none.
VX_DECLARE_EXCEPTION(VxNoHelpFileException, Exception)

/// A help request: a topic number (ByKeyword false) or a keyword.
struct TApplicationHelpRequest {
    bool ByKeyword = false;
    int HelpContext = 0;
    QString HelpKeyword;
};

/// Shows the topic. Returns the handler installed before; an empty handler removes help.
using TApplicationHelpHandler = std::function<void(const TApplicationHelpRequest& Request)>;
TApplicationHelpHandler SetApplicationHelpHandler(TApplicationHelpHandler Handler);
bool ApplicationHasHelp();
/// Passes the request to the handler; false (nothing shown) without one.
bool ShowApplicationHelp(const TApplicationHelpRequest& Request);
