// The rich-text reader on arbitrary bytes.
#include "FuzzSupport.h"

#include "RtfReader.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(Data), qsizetype(Size));
    QTextDocument document;
    document.setPlainText(QStringLiteral("before"));
    const bool read = ReadRtf(bytes, document);
    // Input that is not rich text leaves the document alone.
    if (!read && document.toPlainText() != QLatin1String("before"))
        __builtin_trap();
    return 0;
}
