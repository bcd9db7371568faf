// Design files: the form-text reader on any bytes, and the dialog it reads.
#include "FuzzSupport.h"

#include "FormTextReader.h"
#include "SysUtils.h"
#include "VxDialog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    const QByteArray text(reinterpret_cast<const char*>(Data), qsizetype(Size));
    try {
        const TFormTextDocument document = ParseFormText(text);
        if (const TFormTextObject* block = document.FindClass(QStringLiteral("TVxDialog"))) {
            TVxDialog dialog;
            TFormTextReader reader(&dialog);
            reader.SetSkipUnknown(true);
            reader.ReadComponent(*block, &dialog);
        }
    } catch (const Exception&) {
    }
    return 0;
}
