// Renders each generated design offscreen as `quillfen render` does (Fusion style, its standard
// palette) and compares the picture pixel for pixel with that command's PNG of the same design.
// Usage: generated_designs REFERENCE_FOLDER OUTPUT_FOLDER
#include <VxDialog.h>
#include <VxDialogRender.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <memory>

#define DESIGN(Name) std::unique_ptr<TVxDialog> Create##Name(TComponent* Owner);
#include "designs.inc"
#undef DESIGN

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    const QDir references(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));
    int failures = 0;
    const auto check = [&](const char* name, std::unique_ptr<TVxDialog> dialog) {
        dialog->SetPlaySounds(false);
        const QImage image = RenderDialogImage(dialog.get()).convertToFormat(QImage::Format_ARGB32);
        image.save(output.filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
        const QImage reference = QImage(references.filePath(QString::fromLatin1(name) + QStringLiteral(".png")))
                                     .convertToFormat(QImage::Format_ARGB32);
        qint64 differing = 0;
        if (reference.size() != image.size()) {
            differing = -1;
        } else {
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    differing += image.pixel(x, y) != reference.pixel(x, y);
        }
        std::printf("%s: %dx%d, reference %dx%d, %lld pixels differ\n", name, image.width(), image.height(),
                    reference.width(), reference.height(), static_cast<long long>(differing));
        failures += differing != 0;
    };
#define DESIGN(Name) check(#Name, Create##Name(&frmMain));
#include "designs.inc"
#undef DESIGN
    return failures == 0 ? 0 : 1;
}
