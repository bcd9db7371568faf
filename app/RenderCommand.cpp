#include "RenderCommand.h"

#include "DesignFile.h"

#include "Classes.h"
#include "CommandLine.h"
#include "SysUtils.h"
#include "VxDialog.h"
#include "VxDialogEngine.h"
#include "VxDialogRender.h"
#include "VxOptions.h"

#include "VxDialogStrs.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QLocale>
#include <QImage>
#include <QImageWriter>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {
const QString CommandName = QStringLiteral("render");
// Laying out a text takes time in proportion to its length; a dialog holds far less than this.
constexpr qsizetype MaxRenderTextLength = qsizetype(1) << 20;

QList<QCommandLineOption> RenderOptions()
{
    return StandardOptions()
           << QCommandLineOption(QStringLiteral("out"), QStringLiteral("the PNG file to write"), QStringLiteral("FILE"))
           << QCommandLineOption(QStringLiteral("scale"),
                                 QStringLiteral("screen scale: 1, 1.25, 1.5 or 2 (96 to 192 dots per inch)"),
                                 QStringLiteral("SCALE"))
           << QCommandLineOption(QStringLiteral("dark"), QStringLiteral("render in a dark palette"))
           << QCommandLineOption(QStringLiteral("rtl"), QStringLiteral("render read right to left"))
           << QCommandLineOption(QStringLiteral("expanded"),
                                 QStringLiteral("render the expando expanded, as after a click on its show text"))
           << DesignOptions();
}

QString Description()
{
    return QStringLiteral("Renders the dialog of the design given as options, as Preview shows it, into a PNG\n"
                          "picture, with the buttons' texts in the user's language (LANGUAGE, LC_ALL, LANG).\n"
                          "Texts are taken literally; a line break in a value is a line break. An existing\n"
                          "FILE.png is replaced only by a whole picture. Needs no display.");
}

bool ReadScale(const QString& Text, double& Scale)
{
    static const QList<std::pair<QString, double>> scales{
        {QStringLiteral("1"), 1.0}, {QStringLiteral("1.25"), 1.25}, {QStringLiteral("1.5"), 1.5}, {QStringLiteral("2"), 2.0}};
    for (const auto& [name, value] : scales)
        if (Text == name) {
            Scale = value;
            return true;
        }
    return false;
}

} // namespace

QPalette DarkPalette()
{
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 32), text(230, 230, 230), button(60, 60, 64);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, button);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Light, QColor(80, 80, 84));
    p.setColor(QPalette::Midlight, QColor(70, 70, 74));
    p.setColor(QPalette::Mid, QColor(50, 50, 54));
    p.setColor(QPalette::Dark, QColor(25, 25, 27));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(90, 170, 255));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    return p;
}


QString RenderSynopsis()
{
    return QStringLiteral("render [--from FILE] [design options] --out FILE.png [--scale 1|1.25|1.5|2] [--dark] [--rtl]\n"
                          "         [--expanded]");
}

QString RenderHelpText()
{
    QCommandLineParser parser;
    parser.addOptions(RenderOptions());
    return CommandHelpText(parser, RenderSynopsis(), Description());
}

bool ParseRenderArguments(const QStringList& Args, TRenderRequest& Request, QString& Error, int* Status)
{
    if (Status)
        *Status = esUsage;
    QCommandLineParser parser;
    if (!ParseCommandArguments(parser, RenderOptions(), Args, Error))
        return false;
    // The command line is checked whole before the file is read: a bad option is a usage error
    // whatever the file holds.
    TDesignValues checked;
    if (!ReadDesignOptions(parser, checked, Error))
        return false;
    Request.OutFile = parser.value(QStringLiteral("out"));
    if (Request.OutFile.isEmpty()) {
        Error = QStringLiteral("--out FILE.png is required");
        return false;
    }
    if (parser.isSet(QStringLiteral("scale")) && !ReadScale(parser.value(QStringLiteral("scale")), Request.Scale)) {
        Error = QStringLiteral("unknown scale '%1'; use 1, 1.25, 1.5 or 2").arg(parser.value(QStringLiteral("scale")));
        return false;
    }
    Request.Dark = parser.isSet(QStringLiteral("dark"));
    Request.RightToLeft = parser.isSet(QStringLiteral("rtl"));
    Request.Expanded = parser.isSet(QStringLiteral("expanded"));
    if (Status)
        *Status = esFailed;
    if (!ReadDesignFromOption(parser, Request.FromText, Request.Values, Error))
        return false;
    if (Status)
        *Status = esSuccess;
    return ReadDesignOptions(parser, Request.Values, Error);
}

void PrepareRenderApplication(const QStringList& Args)
{
    // The engine scales its layout with the screen's resolution as the platform does; the
    // offscreen screen takes it from QT_FONT_DPI.
    double scale = 1.0;
    for (int i = 0; i < Args.size(); ++i) {
        QString value;
        if (Args.at(i) == QLatin1String("--scale") && i + 1 < Args.size())
            value = Args.at(i + 1);
        else if (Args.at(i).startsWith(QLatin1String("--scale=")))
            value = Args.at(i).mid(8);
        if (!value.isEmpty() && ReadScale(value, scale))
            qputenv("QT_FONT_DPI", QByteArray::number(qRound(96 * scale)));
    }
}

QImage RenderDialogRequest(const TRenderRequest& Request)
{
    InstallDialogEngine();
    // One style on every machine, so pictures compare across desktops.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(Request.Dark ? DarkPalette() : QApplication::style()->standardPalette());
    QApplication::setLayoutDirection(Request.RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    TVxDialog* dialog = CreateCommandDialog(&root, Request.FromText);
    ApplyDesignToDialog(Request.Values, dialog);
    if (Request.RightToLeft)
        dialog->SetBiDiMode(bdRightToLeft);
    if (Request.Expanded)
        dialog->Expando()->SetShowing(true);
    dialog->SetPlaySounds(false);
    if (const qsizetype length = DialogTextLength(dialog); length > MaxRenderTextLength)
        throw Exception(QStringLiteral("the dialog's texts hold %1 characters, more than the %2 that render lays out")
                            .arg(length)
                            .arg(MaxRenderTextLength));
    return RenderDialogImage(dialog);
}

int RunRenderCommand(const QStringList& Args)
{
    QCommandLineParser parser;
    QString error;
    if (!ParseCommandArguments(parser, RenderOptions(), Args, error)) {
        PrintCommandError(CommandName, error);
        return esUsage;
    }
    int status = esSuccess;
    if (HandleStandardOptions(parser, CommandName, RenderHelpText(), status))
        return status;
    TRenderRequest request;
    if (!ParseRenderArguments(Args, request, error, &status)) {
        PrintCommandError(CommandName, error);
        return status;
    }
    // The buttons' texts in the user's language, as Preview shows them.
    InstallStringTableTranslation(QLocale::system());
    QByteArray png;
    try {
        const QImage image = RenderDialogRequest(request);
        if (image.isNull())
            throw EInOutError(QStringLiteral("nothing was rendered"));
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image))
            throw EInOutError(QStringLiteral("cannot encode the picture: %1").arg(writer.errorString()));
        buffer.close();
        WriteFileSafely(request.OutFile, png);
    } catch (const Exception& E) {
        PrintCommandError(CommandName, E.Message());
        return esFailed;
    } catch (const std::bad_alloc&) {
        PrintCommandError(CommandName, QStringLiteral("not enough memory to render the dialog"));
        return esFailed;
    }
    return esSuccess;
}
