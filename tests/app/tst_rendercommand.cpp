// "quillfen render": the dialog of a design as a PNG picture, run as a process without a display.

#include "support/CommandRun.h"
#include "RenderCommand.h"
#include "VxDialogStrs.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <sys/resource.h>

namespace {

// FileSizeLimit > 0 runs the program with that limit on the size of the files it writes (what a
// disk with that much free space does to a write).
Run Quillfen(const QStringList& Args, const QString& Language = QString(), rlim_t FileSizeLimit = 0)
{
    QProcess p;
    p.setProcessEnvironment(CommandEnvironment(QString(), Language));
    if (FileSizeLimit > 0)
        p.setChildProcessModifier([FileSizeLimit] {
            const rlimit limit{FileSizeLimit, FileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    return RunToEnd(p, QStringLiteral(QUILLFEN_BINARY), Args);
}

const QStringList WorkedExample = {"render",        "--title",     "Confirm", "--content", "The document has been modified.",
                                   "--instruction", "Save changes?", "--main-icon", "Warning", "--buttons",
                                   "Yes,No,Cancel"};

// A device that answers every write with "no space left": a node of our own where this user may
// make one (the super-user), so that a faulty save that replaces its target instead of writing
// to it replaces the node and not the system's /dev/full.
QString FullDevice(const QString& Folder)
{
    const QString node = Folder + QStringLiteral("/full-device");
    if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0)
        return node;
    return QStringLiteral("/dev/full");
}

// The mean brightness of a picture, 0 (black) to 255 (white).
double Brightness(const QImage& Image)
{
    qint64 sum = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            sum += qGray(Image.pixel(x, y));
    return double(sum) / (qint64(Image.width()) * Image.height());
}

// The horizontal centre of the picture's most saturated pixels (the warning icon).
double IconCentreX(const QImage& Image)
{
    qint64 sum = 0, count = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            const QColor c = Image.pixelColor(x, y);
            if (c.hsvSaturation() > 150 && c.value() > 150 && c.hsvHue() >= 30 && c.hsvHue() <= 60) {
                sum += x;
                ++count;
            }
        }
    return count ? double(sum) / count : -1;
}

} // namespace

class tst_rendercommand : public QObject {
    Q_OBJECT
private slots:
    void workedExampleInSettings();
    void fromFile();
    void badCommandLines_data();
    void badCommandLines();
    void unwritableFile();
    void textsTooLongToLayOut();
    void failedWriteKeepsTheOldPicture_data();
    void failedWriteKeepsTheOldPicture();
    void userLanguage();
    void expanded();
};

void tst_rendercommand::workedExampleInSettings()
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.png"));
    QCOMPARE(Quillfen(WorkedExample + QStringList{"--out", plain}).ExitCode, 0);
    const QImage image(plain);
    QVERIFY(!image.isNull());
    // The dialog's client width follows the layout rules: at least 360 pixels at 100 %.
    QVERIFY2(image.width() >= 360 && image.width() < 800, qPrintable(QString::number(image.width())));
    QVERIFY(image.height() > 93);
    QVERIFY(Brightness(image) > 180);
    const double iconX = IconCentreX(image);
    QVERIFY(iconX > 0 && iconX < image.width() / 4);

    const QString scaled = dir.filePath(QStringLiteral("scaled.png"));
    QCOMPARE(Quillfen(WorkedExample + QStringList{"--out", scaled, "--scale", "2"}).ExitCode, 0);
    const QImage big(scaled);
    QVERIFY2(big.height() > image.height() * 17 / 10, qPrintable(QStringLiteral("%1 vs %2").arg(big.height()).arg(image.height())));

    const QString dark = dir.filePath(QStringLiteral("dark.png"));
    QCOMPARE(Quillfen(WorkedExample + QStringList{"--out", dark, "--dark"}).ExitCode, 0);
    QVERIFY(Brightness(QImage(dark)) < 120);

    // Read right to left, the main icon stands at the right edge.
    const QString rtl = dir.filePath(QStringLiteral("rtl.png"));
    QCOMPARE(Quillfen(WorkedExample + QStringList{"--out", rtl, "--rtl"}).ExitCode, 0);
    const QImage mirrored(rtl);
    QVERIFY(IconCentreX(mirrored) > mirrored.width() * 3 / 4);
}

// The same design from a form-text file (its creation defaults, not the designer's, where the
// file says nothing) gives the same picture as given by options; a bad file fails the job.
void tst_rendercommand::fromFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ask.dfm"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("object VxDialog1: TVxDialog\r\n"
              "  Content.Strings = (\r\n"
              "    'The document has been modified.')\r\n"
              "  Instruction.Text = 'Save changes?'\r\n"
              "  ButtonBar.Buttons = [cbYes, cbNo, cbCancel]\r\n"
              "  ButtonBar.Color = 15790320\r\n"
              "  MainIcon = tdiWarning\r\n"
              "  Title = 'Will be replaced'\r\n"
              "end\r\n");
    out.close();
    const QString fromOptions = dir.filePath(QStringLiteral("options.png"));
    const QString fromFile = dir.filePath(QStringLiteral("file.png"));
    QCOMPARE(Quillfen(WorkedExample + QStringList{"--out", fromOptions}).ExitCode, 0);
    const Run r = Quillfen({"render", "--from", file, "--title", "Confirm", "--out", fromFile});
    QCOMPARE(r.Err, QString());
    QCOMPARE(r.ExitCode, 0);
    QCOMPARE(QImage(fromFile), QImage(fromOptions));

    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write("object VxDialog1: TVxDialog\r\n  MainIcon = tdiPurple\r\nend\r\n");
    out.close();
    const Run bad = Quillfen({"render", "--from", file, "--out", fromFile});
    QCOMPARE(bad.ExitCode, 1);
    QCOMPARE(bad.Err, QStringLiteral("quillfen render: %1: line 2, column 14: 'tdiPurple' is not a value of "
                                     "TTaskDialogIcon\n").arg(file));
}

void tst_rendercommand::badCommandLines_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no --out") << QStringList{"render", "--title", "T"};
    QTest::newRow("unknown scale") << QStringList{"render", "--out", "x.png", "--scale", "3"};
    QTest::newRow("unknown option") << QStringList{"render", "--out", "x.png", "--shiny"};
    QTest::newRow("unknown icon") << QStringList{"render", "--out", "x.png", "--main-icon", "Sparkle"};
}

void tst_rendercommand::badCommandLines()
{
    QFETCH(QStringList, args);
    const Run r = Quillfen(args);
    QCOMPARE(r.ExitCode, 2);
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
    QVERIFY(r.Err.startsWith(QStringLiteral("quillfen render: ")));
}

void tst_rendercommand::unwritableFile()
{
    const Run r = Quillfen({"render", "--out", "/nonexistent-folder/dialog.png"});
    QCOMPARE(r.ExitCode, 1);
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
}

// A content word of over a million characters is legal form text, but laying it out is slow:
// render refuses it with one line, and writes nothing.
void tst_rendercommand::textsTooLongToLayOut()
{
    QTemporaryDir dir;
    const QString design = dir.filePath(QStringLiteral("long.dfm"));
    QFile file(design);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("object VxDialog1: TVxDialog\r\n  Content.Strings = (\r\n");
    const QByteArray piece = "    '" + QByteArray(60, 'x') + "' +\r\n";
    file.write(piece.repeated(18000));
    file.write("    'end')\r\nend\r\n");
    file.close();

    const QString png = dir.filePath(QStringLiteral("long.png"));
    const Run r = Quillfen({"render", "--from", design, "--out", png});
    QCOMPARE(r.Err, QStringLiteral("quillfen render: the dialog's texts hold 1080004 characters, more than the 1048576 "
                                   "that render lays out\n"));
    QCOMPARE(r.ExitCode, 1);
    QVERIFY(!QFile::exists(png));
}

// A render that cannot be written whole exits 1 with one line and leaves an existing picture as
// it was, and no temporary file behind.
void tst_rendercommand::failedWriteKeepsTheOldPicture_data()
{
    QTest::addColumn<QString>("target"); // empty: a picture in the test's folder
    QTest::addColumn<int>("fileSizeLimit");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full device") << "device" << 0 << "the disk is full";
    QTest::newRow("8 KB left") << "" << 8192 << "the file would exceed the largest size allowed";
    QTest::newRow("picture that cannot be read") << "" << 0 << "Glyph.Data: The data is not a valid PNG image";
}

void tst_rendercommand::failedWriteKeepsTheOldPicture()
{
    QFETCH(QString, target);
    QFETCH(int, fileSizeLimit);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    // A design whose picture takes well over 8 KB.
    QString content;
    for (int i = 0; i < 40; ++i)
        content += QStringLiteral("Line %1 of a long content that fills the dialog with text.\n").arg(i);
    const QStringList design = {"render", "--title", "Big", "--content", content, "--scale", "2"};
    QStringList extra;
    if (reason.contains(QLatin1String("PNG"))) {
        // A picture whose header fails libpng's check: the program's own line only.
        const QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0\0\0\0\0", 33);
        const QString file = dir.filePath(QStringLiteral("bad-crc.dfm"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("object VxDialog1: TVxDialog\r\n  Glyph.Data = {\r\n    "
                  + (QByteArray("\x09TPngImage") + png).toHex().toUpper() + "}\r\nend\r\n");
        out.close();
        extra = QStringList{"--from", file};
    }
    const QString picture = target.isEmpty() ? dir.filePath(QStringLiteral("dialog.png")) : FullDevice(dir.path());
    QByteArray old;
    if (target.isEmpty()) {
        QCOMPARE(Quillfen(design + QStringList{"--out", picture}).ExitCode, 0);
        QFile file(picture);
        QVERIFY(file.open(QIODevice::ReadOnly));
        old = file.readAll();
        QVERIFY2(old.size() > fileSizeLimit, qPrintable(QString::number(old.size())));
        QVERIFY(QImage(picture).width() > 0);
    }
    const Run r = Quillfen(design + extra + QStringList{"--out", picture}, QString(), rlim_t(fileSizeLimit));
    QCOMPARE(r.ExitCode, 1);
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
    QVERIFY2(r.Err.startsWith(QStringLiteral("quillfen render: ")) && r.Err.contains(reason), qPrintable(r.Err));
    if (target.isEmpty()) {
        QFile file(picture);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("dialog.png")),
                 QStringList{QStringLiteral("dialog.png")});
    }
}

// The buttons' texts in the user's language, as Preview shows them: German differs from English,
// and matches the dialog rendered here with the German catalogue.
void tst_rendercommand::userLanguage()
{
    QTemporaryDir dir;
    const QStringList design = {"render", "--title", "T", "--buttons", "OK,Cancel,Close"};
    const QString german = dir.filePath(QStringLiteral("de.png"));
    const QString english = dir.filePath(QStringLiteral("en.png"));
    QCOMPARE(Quillfen(design + QStringList{"--out", german}, QStringLiteral("de_DE")).ExitCode, 0);
    QCOMPARE(Quillfen(design + QStringList{"--out", english}, QStringLiteral("en_US")).ExitCode, 0);
    QVERIFY(!QImage(german).isNull());
    QVERIFY(QImage(german) != QImage(english));

    TRenderRequest request;
    QString error;
    QVERIFY2(ParseRenderArguments(design.mid(1) + QStringList{"--out", german}, request, error), qPrintable(error));
    QVERIFY(InstallStringTableTranslation(QLocale(QStringLiteral("de_DE"))));
    const QImage here = RenderDialogRequest(request);
    InstallStringTableTranslation(QLocale(QStringLiteral("en_US")));
    QCOMPARE(here.convertToFormat(QImage(german).format()), QImage(german));
}

// --expanded shows the expanded information: a taller picture than the collapsed dialog.
void tst_rendercommand::expanded()
{
    QTemporaryDir dir;
    const QStringList design = {"render", "--title", "T", "--expando", "More|Less", "--expanded-text",
                                "One\nTwo\nThree\nFour"};
    const QString collapsed = dir.filePath(QStringLiteral("collapsed.png"));
    const QString open = dir.filePath(QStringLiteral("expanded.png"));
    QCOMPARE(Quillfen(design + QStringList{"--out", collapsed}).ExitCode, 0);
    QCOMPARE(Quillfen(design + QStringList{"--out", open, "--expanded"}).ExitCode, 0);
    QVERIFY2(QImage(open).height() > QImage(collapsed).height(),
             qPrintable(QStringLiteral("%1 vs %2").arg(QImage(open).height()).arg(QImage(collapsed).height())));
}

QTEST_MAIN(tst_rendercommand)
#include "tst_rendercommand.moc"
