// The creation-code generator reading form text: any lines, translated for a dialog component.
#include "FuzzSupport.h"

#include "ComponentCreate.h"
#include "StringList.h"
#include "SysUtils.h"
#include "VxDialog.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(Data), qsizetype(Size));
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    static TVxDialog* dialog = [] {
        auto* d = new TVxDialog;
        d->SetName(QStringLiteral("VxDialog1"));
        return d;
    }();
    TComponentCreate generator;
    try {
        generator.AsCodeFromFormText(dialog, lines, {ccUseFree, ccBinaryComment});
        generator.Code();
    } catch (const Exception&) {
    }
    return 0;
}
