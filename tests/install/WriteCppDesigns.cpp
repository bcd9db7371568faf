// Writes the designs the C++ generation test compiles: for each, NAME.dfm (its form text, which
// `quillfen render` draws) and NAME.cpp (the generated creation code), plus designs.inc with one
// DESIGN(NAME) line each. Together the designs set every kind of property a dialog has.
#include "CppCreate.h"
#include "FormTextWriter.h"
#include "Picture.h"
#include "StringList.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "VxOptions.h"
#include "WorkedExample.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>

namespace {

void Write(const QString& FileName, const QByteArray& Bytes)
{
    QFile file(FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(Bytes) != Bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(FileName));
        std::exit(1);
    }
}

QByteArray PngBytes(QColor Color)
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setBrush(Color);
    p.drawEllipse(2, 2, 20, 20);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_cpp_designs FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));

    using TDesign = std::function<void(TVxDialog*)>;
    const std::vector<std::pair<QString, TDesign>> designs = {
        {QStringLiteral("WorkedExample"), nullptr},
        {QStringLiteral("Texts"),
         [](TVxDialog* d) {
             // Quotes, backslashes, non-ASCII (beyond the first plane too) and line breaks.
             d->SetTitle(QStringLiteral("It's \"quoted\" \\ here"));
             d->Instruction()->SetText(QString::fromUtf8("Z\xC3\xBCrich \xE2\x80\x94 \xF0\x9F\x98\x80 caf\xC3\xA9"));
             d->Content()->Add(QStringLiteral("First line\twith a tab"));
             d->Content()->Add(QStringLiteral("C:\\path\\to\\file.txt ends ' here"));
             d->Content()->Add(QString(70, QLatin1Char('x')) + QStringLiteral(" a line longer than one segment"));
             d->Footer()->SetText(QStringLiteral("Footer\r\nwith a break"));
             d->Footer()->SetIcon(tdiInformation);
             d->Footer()->SetVisible(true);
         }},
        {QStringLiteral("SetsColoursFonts"),
         [](TVxDialog* d) {
             d->SetDialogOptions(TDialogOptions{doModal, doCommandLinks, doRadioButtons});
             d->ButtonBar()->SetButtons(TCommonButtons{cbYes, cbNo, cbClose});
             d->ButtonBar()->SetColor(clSkyBlue);
             d->Instruction()->SetText(QStringLiteral("Coloured and bold"));
             d->Instruction()->SetColor(clRed);
             d->Instruction()->Font()->SetStyle(TFontStyles{fsBold, fsItalic});
             d->Instruction()->Font()->SetSize(14);
             d->SetMainIcon(tdiShield);
         }},
        {QStringLiteral("Collections"),
         [](TVxDialog* d) {
             d->SetDialogOptions(TDialogOptions{doModal, doCommandLinks, doRadioButtons});
             d->Instruction()->SetText(QStringLiteral("Choose"));
             for (const char* caption : {"First choice", "Second 'choice'"}) {
                 auto* item = static_cast<TVxRadioButtonItem*>(d->RadioButtons()->Add());
                 item->SetCaption(QString::fromUtf8(caption));
             }
             auto* link = static_cast<TVxCustomButtonItem*>(d->CustomButtons()->Add());
             link->SetCaption(QStringLiteral("Go on"));
             link->SetModalResult(mrOk);
             link->Info()->Add(QStringLiteral("Keeps every file"));
         }},
        {QStringLiteral("PicturesEvents"),
         [&frmMain](TVxDialog* d) {
             d->Instruction()->SetText(QStringLiteral("With pictures"));
             d->Instruction()->Glyph()->Png()->LoadFromBytes(PngBytes(Qt::darkGreen));
             d->SetMainIcon(tdiCustom);
             d->Glyph()->Png()->LoadFromBytes(PngBytes(Qt::blue));
             d->OnDialogShow = TNotifyEvent({}, &frmMain, QStringLiteral("PicturesEventsDialogShow"));
             d->OnDialogClick = TDialogClickEvent({}, &frmMain, QStringLiteral("PicturesEventsDialogClick"));
         }},
    };
    QByteArray list;
    for (const auto& [name, design] : designs) {
        TVxDialog* d = design ? new TVxDialog(&frmMain) : WorkedExample(&frmMain, name);
        if (design) {
            d->SetName(name);
            design(d);
        }
        Write(dir.filePath(name + QStringLiteral(".dfm")), ComponentFormText(d, &frmMain));
        Write(dir.filePath(name + QStringLiteral(".cpp")), CppCreationCode(d).join(QLatin1Char('\n')).toUtf8() + '\n');
        list += "DESIGN(" + name.toUtf8() + ")\n";
    }
    Write(dir.filePath(QStringLiteral("designs.inc")), list);
    return 0;
}
