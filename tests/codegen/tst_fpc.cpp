// The generated texts checked with Free Pascal: the form text must be read by its Classes unit's
// form-text reader, and the creation code must compile against Pascal declarations of the
// published surface (tests/codegen/pascal).

#include "ComponentCreate.h"
#include "FormTextWriter.h"
#include "ImageList.h"
#include "StringList.h"
#include "VxButtonOptions.h"
#include "VxCollections.h"
#include "VxCommandLinkColors.h"
#include "VxDialog.h"
#include "VxOptions.h"
#include "support/CgTestClasses.h"
#include "support/WorkedExample.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

const QString PascalDir = QStringLiteral(CG_PASCAL_DIR);

struct Design {
    QString Name;
    QByteArray FormText;
    QStringList Code;
};

QImage Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor(x * 20 % 256, y * 30 % 256, 90));
    return image;
}

// A text with everything the quoting has to handle: apostrophes, line breaks, a tab, non-ASCII
// letters, a character outside the basic plane, and more than one segment.
QString Awkward(int length)
{
    QString s = QStringLiteral("It's \"quoted\"\r\nGr\u00FC\u00DFe \u20AC\t") + QString::fromUtf8("\xF0\x9F\x98\x80");
    while (s.size() < length)
        s += QStringLiteral(" more text, don't stop");
    return s.left(length);
}

void FillEveryDialogSection(TComponent* frmMain, TVxDialog* d)
{
    auto* images = new TImageList(frmMain);
    images->SetName(QStringLiteral("ImageList1"));
    d->SetActiveControlType(ctCommandLink);
    d->SetAllowCancel(false);
    d->SetAllowMinimize(true);
    d->SetBiDiMode(bdRightToLeft);
    d->Button()->CommandLinkColors()->SetEnabled(true);
    d->Button()->CommandLinkColors()->SetFontColor(clRed);
    d->Button()->CommandLinkColors()->SetGradientStart(0x00F0F0F0);
    d->Content()->Add(Awkward(150));
    d->Content()->Add(QString());
    d->Content()->Add(QStringLiteral("plain"));
    d->SetDefaultMonitor(dmPrimary);
    d->SetDialogOptions({});
    d->SetDialogStyle(dsSheet);
    d->Expando()->Animate()->SetEnabled(true);
    d->Expando()->Animate()->SetSpeed(20);
    d->Expando()->Lines()->Add(Awkward(70));
    d->Expando()->SetShowing(true);
    d->Expando()->SetMoreHeight(120);
    d->Expando()->SetMoreFormat(mfRTF);
    d->Expando()->SetMoreScrollbars(ssNone);
    d->Expando()->SetVisible(true);
    d->Expando()->SetShowText(QStringLiteral("Show details"));
    d->Expando()->SetHideText(QStringLiteral("Hide details"));
    d->Instruction()->SetText(Awkward(65));
    d->Instruction()->SetColor(clNavy);
    d->Instruction()->SetShowGlyph(true);
    d->Instruction()->Glyph()->Png()->SetImage(Picture(8, 8));
    d->RadioButtons()->Add();
    d->RadioButtons()->Add()->SetCaption(QStringLiteral("Don't ask again"));
    d->CustomButtons()->SetImages(images);
    for (int i = 0; i < 2; ++i) {
        TVxCustomButtonItem* b = d->CustomButtons()->Add();
        b->SetCaption(Awkward(70));
        b->Info()->Add(QStringLiteral("First line of the note"));
        b->Info()->Add(Awkward(80));
        b->SetModalResult(mrYes);
        b->SetDefault(i == 0);
        b->SetHint(QStringLiteral("It's a hint"));
        b->SetImageIndex(i);
        b->Glyph()->Png()->SetImage(Picture(6, 5));
    }
    d->ButtonBar()->SetButtons({});
    d->ButtonBar()->SetColor(15790320);
    d->ButtonBar()->SetShowDivider(false);
    d->ButtonBar()->SetDefault(cbYes);
    d->Verification()->SetText(QStringLiteral("Remember"));
    d->Verification()->SetVisible(true);
    d->Verification()->SetInitialState(true);
    d->Footer()->SetText(QStringLiteral("Footer text"));
    d->Footer()->SetVisible(true);
    d->Footer()->SetIcon(tdiInformation);
    d->Footer()->SetColor(clCream);
    d->Header()->SetText(QStringLiteral("Header"));
    d->Header()->SetVisible(true);
    d->Header()->Gradient()->SetEnabled(true);
    d->Header()->Gradient()->SetDirection(gdVertical);
    d->Header()->Gradient()->SetStartColor(clWhite);
    d->Header()->SetIconSize(isSmall);
    d->SetMainIcon(tdiCustom);
    d->Glyph()->Png()->SetImage(Picture(32, 32));
    d->HelpLink()->SetText(QStringLiteral("Help"));
    d->HelpLink()->SetHelpContext(42);
    d->HelpLink()->SetHelpKeyword(QStringLiteral("keyword"));
    d->Progress()->SetMax(200);
    d->Progress()->SetPosition(50);
    d->Progress()->SetState(pbstPaused);
    d->Progress()->SetInterval(250);
    d->Border()->SetVisible(true);
    d->Border()->SetWidth(2);
    d->Border()->SetColor(qint32(0xFF00001F));
    d->SetTitle(Awkward(100));
    d->SetPosition(dpDesigned);
    d->SetColor(clInfoBk);
    d->SetUseDefaultFonts(false);
    d->Font()->SetName(QStringLiteral("DejaVu Sans"));
    d->Font()->SetCharset(ANSI_CHARSET);
    d->Font()->SetStyle({fsItalic, fsUnderline});
    d->Font()->SetOrientation(900);
    d->Expando()->Font()->SetPitch(fpFixed);
    d->Header()->Font()->SetQuality(fqClearType);
    d->Footer()->Font()->SetCharset(3);
    d->SetBorderStyle(bsSizeToolWin);
    d->Icon()->SetImage(Picture(16, 16));
    d->SetHelpContext(7);
    d->SetHelpType(htKeyword);
    d->SetHelpKeyword(QStringLiteral("topic"));
    d->Location()->SetLeft(10);
    d->Location()->SetTop(-20);
    d->SetWidth(480);
    d->SetUseOldStyleSetting(false);
    d->Sheet()->SetLocation(slDesktop);
    d->Timer()->SetInterval(2500);
    d->RadioButton()->SetColumns(2);
    d->RadioButton()->SetShowBorder(true);
    d->RadioButton()->SetCaption(QStringLiteral("Choose"));
    d->SetShowHint(true);
    d->SetMaxLines(5);
    d->OnDialogShow = TNotifyEvent([](TObject*) {}, frmMain, QStringLiteral("DialogShow"));
    d->OnCreated = TNotifyEvent([](TObject*) {}, frmMain, QStringLiteral("DialogShow"));
}

void FillEveryKind(TComponent* frmMain, TCgThing* t)
{
    auto* images = new TCgImageList(frmMain);
    images->SetName(QStringLiteral("CgImages1"));
    t->SetCount(3);
    t->SetBig(-9876543210123);
    t->SetFlag(true);
    t->SetShade(shBlack);
    t->SetShades({shNone, shDark});
    t->SetTitle(Awkward(129));
    t->SetRatio(-1.0 / 3);
    t->SetScale(0.5);
    t->SetPrice(19.99);
    t->SetWhen(45000.75);
    t->SetColor(qint32(0xFF000019));
    t->SetCharset(OEM_CHARSET);
    t->Lines()->Add(Awkward(64));
    t->Lines()->Add(Awkward(66));
    t->Options()->SetCaption(Awkward(10));
    t->Options()->SetLevel(-4);
    t->Options()->Notes()->Add(QStringLiteral("note"));
    t->SetUseDefaultFont(false);
    t->Font()->SetColor(clHighlightText);
    t->Picture()->Png()->SetImage(Picture(12, 12));
    t->Icon()->SetImage(Picture(16, 16));
    t->Items()->SetImages(images);
    for (int i = 0; i < 3; ++i) {
        TCgItem* item = t->Items()->Add();
        item->SetCaption(i == 1 ? Awkward(67) : QStringLiteral("Item %1").arg(i));
        item->SetValue(i * 10);
        item->SetEnabled(i != 2);
        item->SetShade(shDark);
        item->Info()->Add(Awkward(65));
        item->Info()->Add(QStringLiteral("{braces}"));
        if (i == 0)
            item->Glyph()->Png()->SetImage(Picture(9, 9));
    }
    t->SetLink(images);
    t->SetCounted(8);
    t->SetDirect(-1);
    t->Sub()->SetCaption(QStringLiteral("sub"));
    t->OnChange = TNotifyEvent([](TObject*) {}, frmMain, QStringLiteral("ThingChange"));
}

} // namespace

class TstFpc : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void formTextIsReadByFreePascal();
    void codeCompilesWithFreePascal();

private:
    void AddDesign(const QString& name, TComponent* component, TCCOptionSet options);
    QString Fpc(const QStringList& arguments, int& exitCode);

    QString FFpc;
    std::unique_ptr<QTemporaryDir> FDir;
    QList<Design> FDesigns;
};

void TstFpc::AddDesign(const QString& name, TComponent* component, TCCOptionSet options)
{
    TComponentCreate generator;
    generator.AsCode(component, options);
    FDesigns.append({name, ComponentFormText(component), generator.Code()->Lines()});
}

QString TstFpc::Fpc(const QStringList& arguments, int& exitCode)
{
    QProcess fpc;
    fpc.setProcessChannelMode(QProcess::MergedChannels);
    // The linker leaves response files and scripts in the working directory: keep them out of
    // the source tree.
    fpc.setWorkingDirectory(FDir->path());
    fpc.start(FFpc, arguments);
    if (!fpc.waitForFinished(120000)) {
        exitCode = -1;
        return QStringLiteral("fpc did not finish");
    }
    exitCode = fpc.exitStatus() == QProcess::NormalExit ? fpc.exitCode() : -1;
    return QString::fromLocal8Bit(fpc.readAll());
}

void TstFpc::initTestCase()
{
    FFpc = QStandardPaths::findExecutable(QStringLiteral("fpc"));
    if (FFpc.isEmpty())
        QSKIP("Free Pascal (fpc) is not installed");
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());

    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));

    AddDesign(QStringLiteral("worked example"), WorkedExample(&frmMain, QStringLiteral("VxDialog1")), {ccUseFree});

    TVxDialog* radio = WorkedExample(&frmMain, QStringLiteral("VxDialog2"));
    radio->RadioButtons()->Add();
    radio->RadioButtons()->Add();
    radio->SetDialogOptions(radio->DialogOptions() + doRadioButtons);
    AddDesign(QStringLiteral("radio buttons"), radio, {ccUseFree});

    auto* every = new TVxDialog(&frmMain);
    every->SetName(QStringLiteral("VxDialog3"));
    FillEveryDialogSection(&frmMain, every);
    AddDesign(QStringLiteral("every dialog section"), every, {ccUseFree});
    AddDesign(QStringLiteral("every dialog section, binary comments and form text"), every,
              {ccUseFree, ccBinaryComment, ccIncludeObjectText});
    AddDesign(QStringLiteral("every dialog section without free"), every, {});

    TVxDialog fresh;
    fresh.SetName(QStringLiteral("VxDialog1"));
    AddDesign(QStringLiteral("fresh dialog"), &fresh, {ccUseFree});

    auto* thing = new TCgThing(&frmMain);
    thing->SetName(QStringLiteral("Thing1"));
    FillEveryKind(&frmMain, thing);
    AddDesign(QStringLiteral("every value kind"), thing, {ccUseFree});

    auto* thing2 = new TCgThing2(&frmMain);
    thing2->SetName(QStringLiteral("Thing2"));
    thing2->SetShade(shNone);
    thing2->SetExtra(QStringLiteral("extra"));
    AddDesign(QStringLiteral("redeclared property and empty collection"), thing2, {ccUseFree});

    TCgForm form;
    form.SetName(QStringLiteral("Form1"));
    form.SetCaption(QStringLiteral("Main"));
    auto* formImages = new TCgImageList(&form);
    formImages->SetName(QStringLiteral("FormImages"));
    auto* panel = new TCgWinControl(&form);
    panel->SetName(QStringLiteral("Panel1"));
    panel->SetParentControl(&form);
    panel->SetLeft(8);
    auto* edit = new TCgEdit(&form);
    edit->SetName(QStringLiteral("Edit1"));
    edit->SetParentControl(panel);
    edit->SetText(Awkward(90));
    edit->OnClick = TNotifyEvent([](TObject*) {}, &form, QStringLiteral("Label1Click"));
    AddDesign(QStringLiteral("form with nested controls"), &form, {ccUseFree});
}

void TstFpc::formTextIsReadByFreePascal()
{
    int exitCode = 0;
    const QString checker = FDir->filePath(QStringLiteral("formtextcheck"));
    const QString built = Fpc({QStringLiteral("-Mobjfpc"), QStringLiteral("-FU") + FDir->path(),
                               QStringLiteral("-o") + checker, PascalDir + QStringLiteral("/FormTextCheck.pas")},
                              exitCode);
    QVERIFY2(exitCode == 0, qPrintable(built));

    QStringList files;
    for (int i = 0; i < FDesigns.size(); ++i) {
        const QString path = FDir->filePath(QStringLiteral("design%1.txt").arg(i));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(FDesigns.at(i).FormText);
        files.append(path);
    }
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(checker, files);
    QVERIFY(run.waitForFinished(60000));
    const QStringList results = QString::fromLocal8Bit(run.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(results.size(), FDesigns.size());

    // The reader reports "(at line,column, ...)": name the design and show the line it rejected.
    static const QRegularExpression at(QStringLiteral("\\(at (\\d+),(\\d+)"));
    QStringList failures;
    for (int i = 0; i < results.size(); ++i) {
        if (results.at(i).startsWith(QLatin1String("OK ")))
            continue;
        QString failure = QStringLiteral("%1: %2").arg(FDesigns.at(i).Name, results.at(i));
        const QRegularExpressionMatch m = at.match(results.at(i));
        const QStringList lines = FormTextLines(FDesigns.at(i).FormText);
        if (m.hasMatch() && m.captured(1).toInt() >= 1 && m.captured(1).toInt() <= lines.size())
            failure += QStringLiteral("\n    line: ") + lines.at(m.captured(1).toInt() - 1);
        failures.append(failure);
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

void TstFpc::codeCompilesWithFreePascal()
{
    // All fragments become methods of one form class, so one compiler run checks them all; the
    // class declares the components and handlers that the designs refer to.
    QStringList program{
        QStringLiteral("program CgDesigns;"),
        QStringLiteral("{$mode delphi}{$H+}"),
        QStringLiteral("uses Classes, PlatformSurface, VxDialogSurface, CgTestClasses;"),
        QStringLiteral("type"),
        QStringLiteral("  TfrmMain = class(TCgForm)"),
        QStringLiteral("  published"),
        QStringLiteral("    ImageList1: TImageList;"),
        QStringLiteral("    CgImages1: TCgImageList;"),
        QStringLiteral("    procedure DialogShow(Sender: TObject);"),
        QStringLiteral("    procedure ThingChange(Sender: TObject);"),
        QStringLiteral("    procedure Label1Click(Sender: TObject);"),
        QStringLiteral("  public"),
    };
    for (int i = 0; i < FDesigns.size(); ++i)
        program.append(QStringLiteral("    procedure Design%1;").arg(i));
    program += QStringList{
        QStringLiteral("  end;"),
        QStringLiteral("procedure TfrmMain.DialogShow(Sender: TObject); begin end;"),
        QStringLiteral("procedure TfrmMain.ThingChange(Sender: TObject); begin end;"),
        QStringLiteral("procedure TfrmMain.Label1Click(Sender: TObject); begin end;"),
    };
    struct Range {
        int First;
        int Last;
    };
    QList<Range> ranges;
    for (int i = 0; i < FDesigns.size(); ++i) {
        program.append(QStringLiteral("procedure TfrmMain.Design%1;").arg(i));
        const int first = int(program.size()) + 1;
        program += FDesigns.at(i).Code;
        ranges.append({first, int(program.size())});
    }
    program += QStringList{QStringLiteral("begin"), QStringLiteral("end.")};

    const QString source = FDir->filePath(QStringLiteral("CgDesigns.pas"));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(program.join(QStringLiteral("\n")).toUtf8() + '\n');
    file.close();

    int exitCode = 0;
    const QString output = Fpc({QStringLiteral("-Mdelphi"), QStringLiteral("-Cn"), QStringLiteral("-vew"),
                                QStringLiteral("-FU") + FDir->path(), QStringLiteral("-Fu") + PascalDir, source},
                               exitCode);
    // "CgDesigns.pas(line,column) Error: text": name the design and the generated line.
    static const QRegularExpression error(QStringLiteral("CgDesigns\\.pas\\((\\d+),(\\d+)\\) (Error|Fatal): (.*)"));
    QStringList failures;
    for (const QString& line : output.split('\n')) {
        const QRegularExpressionMatch m = error.match(line);
        if (!m.hasMatch())
            continue;
        const int number = m.captured(1).toInt();
        QString design = QStringLiteral("wrapper");
        for (int i = 0; i < ranges.size(); ++i)
            if (number >= ranges.at(i).First && number <= ranges.at(i).Last)
                design = FDesigns.at(i).Name;
        const QString text = number >= 1 && number <= program.size() ? program.at(number - 1) : QString();
        failures.append(QStringLiteral("%1: %2\n    line: %3").arg(design, m.captured(4), text));
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    QVERIFY2(exitCode == 0, qPrintable(output));
}

QTEST_MAIN(TstFpc)
#include "tst_fpc.moc"
