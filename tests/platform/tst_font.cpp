#include "Graphics.h"
#include "Screen.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QTest>

// A persistent class that fonts know nothing about.
class TOtherPersistent : public TPersistent {};

class TestFont : public QObject {
    Q_OBJECT
private slots:
    void defaults();
    void sizeFromHeight_data();
    void sizeFromHeight();
    void setSize_data();
    void setSize();
    void setterNotifiesOncePerChange();
    void sameValueDoesNotNotify();
    void emptyNameIsIgnored();
    void assignCopiesValuesWithOneChange();
    void assignKeepsPointSizeAcrossResolutions();
    void assignFromOtherClassFails();
    void copyDoesNotTakeHandler();
    void publishedProperties();
    void publishedAccessors();
    void qFontFromCharacterHeight();
    void qFontFromCellHeight();
    void qFontStyles();
    void missingFamilyFallsBack();
};

void TestFont::defaults()
{
    const TFont font;
    QCOMPARE(font.Name(), QStringLiteral("Tahoma"));
    QCOMPARE(font.PixelsPerInch(), PixelsPerInch());
    QCOMPARE(font.Height(), -MulDiv(8, PixelsPerInch(), 72));
    QCOMPARE(font.Size(), 8);
    QCOMPARE(font.Charset(), DEFAULT_CHARSET);
    QCOMPARE(font.Color(), clWindowText);
    QVERIFY(font.Style().IsEmpty());
    QCOMPARE(font.Pitch(), fpDefault);
    QCOMPARE(font.Orientation(), 0);
    QCOMPARE(font.Quality(), fqDefault);
    if (PixelsPerInch() == 96)
        QCOMPARE(font.Height(), -11);
}

void TestFont::sizeFromHeight_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("size");
    QTest::newRow("-11 at 96 is 8 pt") << 96 << -11 << 8;     // 8.25
    QTest::newRow("-12 at 96 is 9 pt") << 96 << -12 << 9;
    QTest::newRow("-16 at 96 is 12 pt") << 96 << -16 << 12;
    QTest::newRow("-15 at 96 rounds down") << 96 << -15 << 11;  // 11.25 -> 11
    QTest::newRow("-14 at 96 half rounds away") << 96 << -14 << 11; // 10.5 -> 11
    QTest::newRow("-13 at 120 is 8 pt") << 120 << -13 << 8;   // 7.8
    QTest::newRow("-11 at 120") << 120 << -11 << 7;           // 6.6
    QTest::newRow("positive cell height gives negative size") << 96 << 13 << -10; // 9.75
}

void TestFont::sizeFromHeight()
{
    QFETCH(int, ppi);
    QFETCH(int, height);
    QFETCH(int, size);
    TFont font;
    font.SetPixelsPerInch(ppi);
    font.SetHeight(height);
    QCOMPARE(font.Size(), size);
}

void TestFont::setSize_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("height");
    QTest::newRow("8 pt at 96") << 96 << 8 << -11;     // 10.67
    QTest::newRow("9 pt at 96") << 96 << 9 << -12;
    QTest::newRow("12 pt at 96") << 96 << 12 << -16;
    QTest::newRow("8 pt at 120") << 120 << 8 << -13;   // 13.33
    QTest::newRow("9 pt at 144") << 144 << 9 << -18;
    QTest::newRow("3 pt at 96 half rounds away") << 96 << 3 << -4; // 4.0
    QTest::newRow("negative size is a cell height") << 96 << -10 << 13; // 13.33
}

void TestFont::setSize()
{
    QFETCH(int, ppi);
    QFETCH(int, size);
    QFETCH(int, height);
    TFont font;
    font.SetPixelsPerInch(ppi);
    font.SetSize(size);
    QCOMPARE(font.Height(), height);
}

void TestFont::setterNotifiesOncePerChange()
{
    TFont font;
    int changes = 0;
    font.OnChange = TNotifyEvent([&](TObject* sender) {
        QCOMPARE(sender, static_cast<TObject*>(&font));
        ++changes;
    });
    font.SetName(QStringLiteral("Segoe UI"));
    QCOMPARE(changes, 1);
    font.SetHeight(-16);
    font.SetColor(clRed);
    font.SetCharset(ANSI_CHARSET);
    font.SetOrientation(900);
    font.SetPitch(fpFixed);
    font.SetStyle({fsBold, fsItalic});
    font.SetQuality(fqClearType);
    QCOMPARE(changes, 8);
    font.SetSize(9); // one change through the height
    QCOMPARE(changes, 9);
    QCOMPARE(font.Height(), -MulDiv(9, font.PixelsPerInch(), 72));
}

void TestFont::sameValueDoesNotNotify()
{
    TFont font;
    int changes = 0;
    font.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    font.SetName(font.Name());
    font.SetHeight(font.Height());
    font.SetColor(font.Color());
    font.SetCharset(font.Charset());
    font.SetOrientation(font.Orientation());
    font.SetPitch(font.Pitch());
    font.SetStyle(font.Style());
    font.SetQuality(font.Quality());
    font.SetSize(font.Size());
    QCOMPARE(changes, 0);
}

void TestFont::emptyNameIsIgnored()
{
    TFont font;
    int changes = 0;
    font.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    font.SetName(QString());
    QCOMPARE(font.Name(), QStringLiteral("Tahoma"));
    QCOMPARE(changes, 0);
}

void TestFont::assignCopiesValuesWithOneChange()
{
    TFont source;
    source.SetName(QStringLiteral("Segoe UI"));
    source.SetHeight(-16);
    source.SetColor(TColor(0x00993300));
    source.SetCharset(204);
    source.SetOrientation(450);
    source.SetPitch(fpVariable);
    source.SetStyle({fsUnderline, fsStrikeOut});
    source.SetQuality(fqProof);

    TFont dest;
    int changes = 0;
    dest.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    dest.Assign(&source);
    QCOMPARE(changes, 1);
    QVERIFY(dest == source);
    QCOMPARE(dest.Name(), QStringLiteral("Segoe UI"));
    QCOMPARE(dest.Height(), -16);
    QCOMPARE(dest.Color(), TColor(0x00993300));
    QCOMPARE(dest.Charset(), TFontCharset(204));
    QCOMPARE(dest.Orientation(), 450);
    QCOMPARE(dest.Pitch(), fpVariable);
    QCOMPARE(dest.Style(), TFontStyles({fsUnderline, fsStrikeOut}));
    QCOMPARE(dest.Quality(), fqProof);
    QVERIFY(!source.OnChange.IsAssigned()); // the handler stays where it was
    QVERIFY(dest.OnChange.IsAssigned());

    dest.Assign(&dest);
    QCOMPARE(changes, 1);
}

void TestFont::assignKeepsPointSizeAcrossResolutions()
{
    TFont source;
    source.SetPixelsPerInch(96);
    source.SetSize(12); // -16 px at 96
    TFont dest;
    dest.SetPixelsPerInch(144);
    dest.Assign(&source);
    QCOMPARE(dest.PixelsPerInch(), 144);
    QCOMPARE(dest.Size(), 12);
    QCOMPARE(dest.Height(), -24);
}

void TestFont::assignFromOtherClassFails()
{
    TFont font;
    TFont before(font);
    TOtherPersistent other;
    try {
        font.Assign(&other);
        QFAIL("no exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Cannot assign a TOtherPersistent to a TFont"));
    }
    try {
        font.Assign(nullptr);
        QFAIL("no exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Cannot assign a nil to a TFont"));
    }
    QVERIFY(font == before);
}

void TestFont::copyDoesNotTakeHandler()
{
    TFont source;
    int sourceChanges = 0;
    source.OnChange = TNotifyEvent([&](TObject*) { ++sourceChanges; });
    source.SetName(QStringLiteral("Courier New"));
    const TFont copy(source);
    QVERIFY(!copy.OnChange.IsAssigned());
    QVERIFY(copy == source);

    TFont target;
    int targetChanges = 0;
    target.OnChange = TNotifyEvent([&](TObject*) { ++targetChanges; });
    target = source;
    QCOMPARE(targetChanges, 1);
    QVERIFY(target == source);
    target = source;
    QCOMPARE(targetChanges, 1); // nothing differs any more
    QCOMPARE(sourceChanges, 1);
}

void TestFont::publishedProperties()
{
    const TFont font;
    const TClassInfo* info = font.ClassInfo();
    QVERIFY(info);
    QCOMPARE(info->ClassName(), QStringLiteral("TFont"));
    QCOMPARE(font.ClassName(), QStringLiteral("TFont"));
    QVERIFY(!info->Parent());

    struct Expected {
        const char* name;
        TTypeKind kind;
        const char* type;
        std::optional<qint64> def;
        TPropInfo::StoredKind stored;
    };
    const std::vector<Expected> expected = {
        {"Charset", TTypeKind::Integer, "TFontCharset", std::nullopt, TPropInfo::StoredKind::Always},
        {"Color", TTypeKind::Integer, "TColor", std::nullopt, TPropInfo::StoredKind::Always},
        {"Height", TTypeKind::Integer, "Integer", std::nullopt, TPropInfo::StoredKind::Always},
        {"Name", TTypeKind::String, "TFontName", std::nullopt, TPropInfo::StoredKind::Always},
        {"Orientation", TTypeKind::Integer, "Integer", 0, TPropInfo::StoredKind::Always},
        {"Pitch", TTypeKind::Enumeration, "TFontPitch", qint64(fpDefault), TPropInfo::StoredKind::Always},
        {"Size", TTypeKind::Integer, "Integer", std::nullopt, TPropInfo::StoredKind::Never},
        {"Style", TTypeKind::Set, "TFontStyles", std::nullopt, TPropInfo::StoredKind::Always},
        {"Quality", TTypeKind::Enumeration, "TFontQuality", qint64(fqDefault), TPropInfo::StoredKind::Always},
    };
    const auto& props = info->Properties();
    QCOMPARE(props.size(), expected.size());
    for (size_t i = 0; i < props.size(); ++i) {
        const TPropInfo& p = props[i];
        QCOMPARE(p.Name, QString::fromLatin1(expected[i].name));
        QCOMPARE(p.Kind, expected[i].kind);
        QCOMPARE(p.TypeName, QString::fromLatin1(expected[i].type));
        QCOMPARE(p.Default, expected[i].def);
        QCOMPARE(p.Stored, expected[i].stored);
        QVERIFY(p.HasSetter);
    }
    QCOMPARE(info->FindProperty(QStringLiteral("Charset"))->NameMap, &CharsetNameMap());
    QCOMPARE(info->FindProperty(QStringLiteral("Color"))->NameMap, &ColorNameMap());
    QCOMPARE(info->FindProperty(QStringLiteral("Pitch"))->EnumInfo, &FontPitchTypeInfo());
    QCOMPARE(info->FindProperty(QStringLiteral("Quality"))->EnumInfo, &FontQualityTypeInfo());
    const TEnumInfo* styles = info->FindProperty(QStringLiteral("Style"))->EnumInfo;
    QCOMPARE(styles, &FontStyleTypeInfo());
    QCOMPARE(styles->TypeName, QStringLiteral("TFontStyle"));
    QCOMPARE(styles->Names, QStringList({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    QCOMPARE(FontPitchTypeInfo().Names, QStringList({"fpDefault", "fpVariable", "fpFixed"}));
    QCOMPARE(FontQualityTypeInfo().Names.size(), 7);
    QCOMPARE(FontQualityTypeInfo().Names.at(fqClearTypeNatural), QStringLiteral("fqClearTypeNatural"));
}

void TestFont::publishedAccessors()
{
    TFont font;
    const TClassInfo& info = *font.ClassInfo();
    info.FindProperty(QStringLiteral("Charset"))->SetOrd(font, 238);
    info.FindProperty(QStringLiteral("Color"))->SetOrd(font, clHighlight);
    info.FindProperty(QStringLiteral("Name"))->SetStr(font, QStringLiteral("Arial"));
    info.FindProperty(QStringLiteral("Style"))->SetOrd(font, qint64(TFontStyles({fsBold, fsStrikeOut}).Mask()));
    info.FindProperty(QStringLiteral("Pitch"))->SetOrd(font, fpFixed);
    info.FindProperty(QStringLiteral("Size"))->SetOrd(font, 12);
    QCOMPARE(font.Charset(), TFontCharset(238));
    QCOMPARE(font.Color(), clHighlight);
    QCOMPARE(font.Name(), QStringLiteral("Arial"));
    QCOMPARE(font.Style(), TFontStyles({fsBold, fsStrikeOut}));
    QCOMPARE(font.Pitch(), fpFixed);
    QCOMPARE(info.FindProperty(QStringLiteral("Height"))->GetOrd(font), qint64(-MulDiv(12, font.PixelsPerInch(), 72)));
    QCOMPARE(info.FindProperty(QStringLiteral("Color"))->GetOrd(font), qint64(clHighlight));
    QCOMPARE(info.FindProperty(QStringLiteral("Style"))->GetOrd(font), qint64(0b1001));
}

void TestFont::qFontFromCharacterHeight()
{
    TFont font;
    font.SetHeight(-13);
    const QFont qfont = font.ToQFont();
    QCOMPARE(qfont.pixelSize(), 13);
    QCOMPARE(QFontInfo(qfont).pixelSize(), 13);
}

void TestFont::qFontFromCellHeight()
{
    // A positive height is the whole cell: ascent + descent of the face in use.
    TFont font;
    font.SetName(QFontInfo(QFont(QStringLiteral("sans-serif"))).family());
    for (int cell : {13, 20, 40}) {
        font.SetHeight(cell);
        const QFontMetrics metrics(font.ToQFont());
        QVERIFY2(qAbs(metrics.ascent() + metrics.descent() - cell) <= 1,
                 qPrintable(QStringLiteral("cell %1 gave %2").arg(cell).arg(metrics.ascent() + metrics.descent())));
        QVERIFY(font.ToQFont().pixelSize() < cell);
    }
}

void TestFont::qFontStyles()
{
    TFont font;
    QFont plain = font.ToQFont();
    QVERIFY(!plain.bold() && !plain.italic() && !plain.underline() && !plain.strikeOut());
    font.SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
    QFont styled = font.ToQFont();
    QVERIFY(styled.bold() && styled.italic() && styled.underline() && styled.strikeOut());
    font.SetStyle({fsItalic});
    styled = font.ToQFont();
    QVERIFY(!styled.bold() && styled.italic() && !styled.underline() && !styled.strikeOut());
    font.SetQuality(fqNonAntialiased);
    QVERIFY(font.ToQFont().styleStrategy() & QFont::NoAntialias);
}

void TestFont::missingFamilyFallsBack()
{
    const QString missing = QStringLiteral("Quillfen No Such Face");
    QVERIFY(!QFontDatabase::families().contains(missing));
    TFont font;
    font.SetName(missing);
    font.SetHeight(-12);
    const QFontInfo info(font.ToQFont());
    QVERIFY(!info.exactMatch());
    QVERIFY(!info.family().isEmpty());
    QVERIFY(QFontDatabase::families().contains(info.family()));
    QCOMPARE(info.pixelSize(), 12);
    // The fallback is the desktop's sans-serif face, and a fixed pitch asks for a monospace one.
    QFont sans;
    sans.setStyleHint(QFont::SansSerif);
    sans.setFamily(QStringLiteral("sans-serif"));
    QCOMPARE(info.family(), QFontInfo(sans).family());
    font.SetPitch(fpFixed);
    // What a fixed pitch means: every character advances alike (QFontInfo::fixedPitch() is false
    // for some monospaced faces, Noto Sans Mono among them).
    const QFontMetricsF fixed(font.ToQFont());
    QCOMPARE(fixed.horizontalAdvance(QLatin1Char('i')), fixed.horizontalAdvance(QLatin1Char('M')));
}

QTEST_MAIN(TestFont)
#include "tst_font.moc"
