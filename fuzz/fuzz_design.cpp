// A design file as the designer opens it: the form text read into a dialog (unknown properties
// skipped), the design page filled from it and applied back, the dialog's window built and laid
// out as Preview and render build it, and the design written out again.
#include "DesignFile.h"
#include "DesignValues.h"
#include "Picture.h"
#include "SysUtils.h"
#include "VxDialog.h"
#include "VxDialogEngine.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        auto* result = new QApplication(argc, argv);
        InstallDialogEngine();
        return result;
    }();
    (void)app;

    // A smaller bound than a design has keeps every run quick; what is beyond it takes the same
    // way as what is beyond the design's bound.
    const TPictureBudget pictures(qint64(1) << 18);
    const QByteArray text(reinterpret_cast<const char*>(Data), qsizetype(Size));
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    try {
        TDesignSource source;
        QStringList skipped;
        std::unique_ptr<TVxDialog> dialog = ReadDesign(text, &root, source, true, &skipped);
        dialog->SetName(source.Name.isEmpty() ? QStringLiteral("VxDialog1") : source.Name);
        const TDesignValues values = DesignFromDialog(dialog.get());
        ApplyDesignToDialog(values, dialog.get());
        dialog->SetPlaySounds(false);
        if (TVxDialogEngine* engine = TVxDialogEngine::Of(dialog.get()); engine && engine->BuildHidden())
            engine->DestroyHiddenWindow();
        (void)DesignText(dialog.get(), &root, source);
    } catch (const Exception&) {
    }
    return 0;
}
