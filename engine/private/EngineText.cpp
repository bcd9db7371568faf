#include "EngineText_p.h"

#include "VxDialogStrs.h"

namespace {

struct CommonButtonInfo {
    const char* Caption;
    const char* Name;
    int Result;
};

const CommonButtonInfo& Info(TCommonButton Kind)
{
    static const CommonButtonInfo table[] = {
        {"&Yes", "bYes", mrYes},          {"&No", "bNo", mrNo},
        {"OK", "bOK", mrOk},              {"Cancel", "bCancel", mrCancel},
        {"&Abort", "bAbort", mrAbort},    {"&Retry", "bRetry", mrRetry},
        {"&Ignore", "bIgnore", mrIgnore}, {"&All", "bAll", mrAll},
        {"N&o to All", "bNoToAll", mrNoToAll}, {"Yes to &All", "bYesToAll", mrYesToAll},
        {"&Help", "bHelp", 0},            {"&Close", "bClose", mrClose},
    };
    return table[qBound(0, int(Kind), int(cbClose))];
}

} // namespace

QString CommonButtonCaption(TCommonButton Kind)
{
    if (const TVxResString* res = CommonButtonResString(int(Kind))) {
        const QString text = TranslateString(QString::fromLatin1(res->Text));
        if (!text.isEmpty())
            return text;
    }
    return QString::fromLatin1(Info(Kind).Caption);
}

QString CommonButtonName(TCommonButton Kind)
{
    return QString::fromLatin1(Info(Kind).Name);
}

int CommonButtonResult(TCommonButton Kind)
{
    return Info(Kind).Result;
}
