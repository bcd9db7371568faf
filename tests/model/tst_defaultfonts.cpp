// The process-wide default fonts: the toolkit's user-interface font as the base, the fallback,
// the instruction font, and replacing a role's font for later dialogs.

#include "VxDefaultFonts.h"
#include "VxDialog.h"
#include "VxOptions.h"

#include <QFontDatabase>
#include <QtTest>

class TestDefaultFonts : public QObject {
    Q_OBJECT
private slots:
    void baseIsToolkitFont();
    void fallbackFont();
    void instructionFont();
    void rolesAreSeparateCopies();
    void setFontReachesLaterDialogs();
};

void TestDefaultFonts::baseIsToolkitFont()
{
    const QFont ui = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    TVxDefaultFonts fonts;
    for (TVxFontType role : {ftContent, ftHeader, ftFooter, ftExpando}) {
        const TFont* f = fonts.GetFont(role);
        QCOMPARE(f->Name(), ui.family());
        QCOMPARE(f->Size(), ui.pointSize());
        QCOMPARE(f->Charset(), DEFAULT_CHARSET);
        QCOMPARE(f->Style().Contains(fsBold), ui.bold());
    }
    // The process-wide object is built the same way.
    QCOMPARE(VxDefaultFonts().GetFont(ftContent)->Name(), ui.family());
    QCOMPARE(&VxDefaultFonts(), &VxDefaultFonts());
}

void TestDefaultFonts::fallbackFont()
{
    TVxDefaultFonts fonts(nullptr);
    QCOMPARE(fonts.GetFont(ftContent)->Name(), QStringLiteral("Segoe UI"));
    QCOMPARE(fonts.GetFont(ftContent)->Size(), 9);
    QCOMPARE(fonts.GetFont(ftFooter)->Size(), 9);
    QCOMPARE(fonts.GetFont(ftContent)->Charset(), DEFAULT_CHARSET);
    QCOMPARE(fonts.GetFont(ftInstruction)->Name(), QStringLiteral("Segoe UI"));
    QCOMPARE(fonts.GetFont(ftInstruction)->Size(), 12);
    QCOMPARE(fonts.GetFont(ftInstruction)->Color(), TColor(0x00993300));
}

void TestDefaultFonts::instructionFont()
{
    TFont base;
    base.SetName("DejaVu Sans");
    base.SetSize(10);
    base.SetStyle(TFontStyles{fsItalic});
    TVxDefaultFonts fonts(&base);
    const TFont* instruction = fonts.GetFont(ftInstruction);
    QCOMPARE(instruction->Name(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(instruction->Size(), 12);
    QCOMPARE(instruction->Color(), TColor(0x00993300));
    QCOMPARE(instruction->Style(), TFontStyles{fsItalic});
    QCOMPARE(fonts.GetFont(ftContent)->Size(), 10);
    QCOMPARE(fonts.GetFont(ftContent)->Color(), base.Color());
}

void TestDefaultFonts::rolesAreSeparateCopies()
{
    TVxDefaultFonts fonts(nullptr);
    TFont footer;
    footer.SetName("Courier New");
    footer.SetSize(14);
    fonts.SetFont(ftFooter, &footer);
    QCOMPARE(fonts.GetFont(ftFooter)->Name(), QStringLiteral("Courier New"));
    QCOMPARE(fonts.GetFont(ftFooter)->Size(), 14);
    QCOMPARE(fonts.GetFont(ftHeader)->Name(), QStringLiteral("Segoe UI"));
    QCOMPARE(fonts.GetFont(ftContent)->Size(), 9);
    // The stored font is a copy: changing the source later changes nothing.
    footer.SetSize(30);
    QCOMPARE(fonts.GetFont(ftFooter)->Size(), 14);
}

void TestDefaultFonts::setFontReachesLaterDialogs()
{
    TFont saved;
    saved.Assign(VxDefaultFonts().GetFont(ftContent));
    TFont content;
    content.SetName("Courier New");
    content.SetSize(15);
    VxDefaultFonts().SetFont(ftContent, &content);
    {
        TVxDialog d;
        QCOMPARE(d.Font()->Name(), QStringLiteral("Courier New"));
        QCOMPARE(d.Font()->Size(), 15);
        QCOMPARE(d.Expando()->Font()->Size(), 15);
        QCOMPARE(d.Instruction()->Font()->Size(), VxDefaultFonts().GetFont(ftInstruction)->Size());
    }
    VxDefaultFonts().SetFont(ftContent, &saved);
    TVxDialog d;
    QVERIFY(*d.Font() == saved);
}

QTEST_MAIN(TestDefaultFonts)
#include "tst_defaultfonts.moc"
