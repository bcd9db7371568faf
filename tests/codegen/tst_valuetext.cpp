// Value notation shared by the form text and the creation code.

#include "Classes.h"
#include "Graphics.h"
#include "ValueText.h"
#include "VxTypes.h"

#include <QTest>

class TstValueText : public QObject {
    Q_OBJECT

private slots:
    void strings_data();
    void strings();
    void integers_data();
    void integers();
    void ordinals();
    void floats_data();
    void floats();
    void componentReferences();
    void binary();
};

void TstValueText::strings_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("segments");
    QTest::addColumn<bool>("ownLine");

    const QString a64(64, QLatin1Char('a'));
    const QString q64 = QLatin1Char('\'') + a64 + QLatin1Char('\'');
    QTest::newRow("empty") << QString() << QStringList{"''"} << false;
    QTest::newRow("apostrophe") << QStringLiteral("It's") << QStringList{"'It'#39's'"} << false;
    QTest::newRow("line break") << QStringLiteral("one\r\ntwo") << QStringList{"'one'#13#10'two'"} << false;
    QTest::newRow("euro sign") << QString(QChar(0x20AC)) << QStringList{"#8364"} << false;
    QTest::newRow("surrogate pair") << QString::fromUtf8("\xF0\x9F\x98\x80") << QStringList{"#55357#56832"} << false;
    QTest::newRow("tab and delete") << QStringLiteral("a\tb\x7F") << QStringList{"'a'#9'b\x7F'"} << false;
    QTest::newRow("64 plain units") << a64 << QStringList{q64} << false;
    QTest::newRow("65 plain units") << a64 + QLatin1Char('b') << QStringList{q64, "'b'"} << true;
    QTest::newRow("64 units and a line break") << a64 + QStringLiteral("\r\n") << QStringList{q64, "#13#10"} << true;
    QTest::newRow("100 units") << QString(100, QLatin1Char('x'))
                               << QStringList{QLatin1Char('\'') + QString(64, QLatin1Char('x')) + QLatin1Char('\''),
                                              QLatin1Char('\'') + QString(36, QLatin1Char('x')) + QLatin1Char('\'')}
                               << true;
    // A plain run that crosses the border is split into two quoted pieces; a special unit
    // counts as one unit however long its escape is.
    QTest::newRow("run across the border") << QString(62, QLatin1Char('a')) + QChar(0xE9) + QStringLiteral("bcd")
                                           << QStringList{QLatin1Char('\'') + QString(62, QLatin1Char('a'))
                                                              + QStringLiteral("'#233'b'"),
                                                          "'cd'"}
                                           << true;
    QString umlauts(64, QChar(0xFC));
    QTest::newRow("64 specials stay on the line") << umlauts << QStringList{QString("#252").repeated(64)} << false;
}

void TstValueText::strings()
{
    QFETCH(QString, value);
    QFETCH(QStringList, segments);
    QFETCH(bool, ownLine);
    QCOMPARE(ValueText::StringSegments(value), segments);
    QCOMPARE(ValueText::StartsOnNewLine(value), ownLine);
    QCOMPARE(ValueText::QuotedString(value), segments.join(QString()));
}

void TstValueText::integers_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("map"); // 0 none, 1 colour, 2 charset
    QTest::addColumn<QString>("text");

    QTest::newRow("negative") << qint64(-42) << 0 << "-42";
    QTest::newRow("large") << qint64(4000000000) << 0 << "4000000000";
    QTest::newRow("clWindowText") << qint64(clWindowText) << 1 << "clWindowText";
    QTest::newRow("clWindow") << qint64(-16777211) << 1 << "clWindow";
    QTest::newRow("button face RGB") << qint64(0x00F0F0F0) << 1 << "15790320";
    QTest::newRow("black is the first zero") << qint64(0) << 1 << "clBlack";
    QTest::newRow("clNone") << qint64(clNone) << 1 << "clNone";
    QTest::newRow("clDefault") << qint64(clDefault) << 1 << "clDefault";
    QTest::newRow("system colour without a name") << qint64(qint32(0xFF000019)) << 1 << "-16777191";
    QTest::newRow("ANSI_CHARSET") << qint64(0) << 2 << "ANSI_CHARSET";
    QTest::newRow("charset 3") << qint64(3) << 2 << "3";
    QTest::newRow("OEM_CHARSET") << qint64(255) << 2 << "OEM_CHARSET";
}

void TstValueText::integers()
{
    QFETCH(qint64, value);
    QFETCH(int, map);
    QFETCH(QString, text);
    const TIntNameMap* names = map == 1 ? &ColorNameMap() : map == 2 ? &CharsetNameMap() : nullptr;
    QCOMPARE(ValueText::Integer(value, names), text);
}

void TstValueText::ordinals()
{
    QCOMPARE(ValueText::Boolean(false), QStringLiteral("False"));
    QCOMPARE(ValueText::Boolean(true), QStringLiteral("True"));
    QCOMPARE(ValueText::Enumeration(tdiWarning, TaskDialogIconTypeInfo()), QStringLiteral("tdiWarning"));
    QCOMPARE(ValueText::Enumeration(bdRightToLeft, BiDiModeTypeInfo()), QStringLiteral("bdRightToLeft"));
    QCOMPARE(ValueText::Enumeration(17, TaskDialogIconTypeInfo()), QStringLiteral("17"));

    const TDialogOptions options{doModal, doShowHelpLink};
    QCOMPARE(ValueText::Set(options.Mask(), DialogOptionTypeInfo()), QStringLiteral("[doShowHelpLink, doModal]"));
    QCOMPARE(ValueText::Set(0, DialogOptionTypeInfo()), QStringLiteral("[]"));
    const TCommonButtons buttons{cbCancel, cbYes, cbNo};
    QCOMPARE(ValueText::Set(buttons.Mask(), CommonButtonTypeInfo()), QStringLiteral("[cbYes, cbNo, cbCancel]"));
}

void TstValueText::floats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<QString>("text");

    QTest::newRow("one and a half") << 1.5 << "Double" << "1.500000000000000000";
    QTest::newRow("a tenth") << 0.1 << "Extended" << "0.100000000000000000";
    QTest::newRow("a third: 16 significant digits") << 1.0 / 3 << "Double" << "0.333333333333333300";
    QTest::newRow("negative") << -2.25 << "Double" << "-2.250000000000000000";
    QTest::newRow("zero") << 0.0 << "Double" << "0.000000000000000000";
    QTest::newRow("integer part") << 123456.789 << "Double" << "123456.789000000000000000";
    QTest::newRow("small") << 1.25e-5 << "Double" << "0.000012500000000000";
    QTest::newRow("rounded at the last decimal") << 2.0 / 3 * 1e-3 << "Double" << "0.000666666666666667";
    QTest::newRow("too large for fixed point") << 1e20 << "Double" << "1.000000000000000E+20";
    QTest::newRow("single") << 2.5 << "Single" << "2.5s";
    QTest::newRow("currency") << 12.34 << "Currency" << "12.34c";
    QTest::newRow("date") << 45000.5 << "TDateTime" << "45000.5d";
}

void TstValueText::floats()
{
    QFETCH(double, value);
    QFETCH(QString, typeName);
    QFETCH(QString, text);
    QCOMPARE(ValueText::Float(value, ValueText::FloatKindOf(typeName)), text);
}

void TstValueText::componentReferences()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* direct = new TComponent(&root);
    direct->SetName(QStringLiteral("ImageList1"));
    auto* frame = new TComponent(&root);
    frame->SetName(QStringLiteral("Frame1"));
    auto* inFrame = new TComponent(frame);
    inFrame->SetName(QStringLiteral("Button1"));
    auto* deeper = new TComponent(inFrame);
    deeper->SetName(QStringLiteral("Part"));
    auto* unnamed = new TComponent(&root);

    TComponent other;
    other.SetName(QStringLiteral("DataModule2"));
    auto* elsewhere = new TComponent(&other);
    elsewhere->SetName(QStringLiteral("Table1"));
    TComponent loose;
    loose.SetName(QStringLiteral("Loose"));
    TComponent anonymousOwner;
    auto* underAnonymous = new TComponent(&anonymousOwner);
    underAnonymous->SetName(QStringLiteral("Orphan"));

    QCOMPARE(ValueText::ComponentReference(direct, &root), QStringLiteral("ImageList1"));
    QCOMPARE(ValueText::ComponentReference(&root, &root), QStringLiteral("Owner"));
    QCOMPARE(ValueText::ComponentReference(inFrame, &root), QStringLiteral("Frame1.Button1"));
    QCOMPARE(ValueText::ComponentReference(deeper, &root), QStringLiteral("Frame1.Button1.Part"));
    QCOMPARE(ValueText::ComponentReference(elsewhere, &root), QStringLiteral("DataModule2.Table1"));
    QCOMPARE(ValueText::ComponentReference(&loose, &root), QStringLiteral("Loose.Owner"));
    QCOMPARE(ValueText::ComponentReference(underAnonymous, &root), QStringLiteral("Orphan.Owner"));
    QCOMPARE(ValueText::ComponentReference(unnamed, &root), QString());
    // Relative to another root the same component is reached through its owner.
    QCOMPARE(ValueText::ComponentReference(direct, frame), QStringLiteral("frmMain.ImageList1"));
}

void TstValueText::binary()
{
    QCOMPARE(ValueText::Hex(QByteArray("\x00\x0A\xFF\x7F", 4)), QStringLiteral("000AFF7F"));
    QCOMPARE(ValueText::Binary(QByteArray("\x01\xAB", 2)), QStringLiteral("{01AB}"));
    QCOMPARE(ValueText::Binary(QByteArray()), QStringLiteral("{}"));
}

QTEST_GUILESS_MAIN(TstValueText)
#include "tst_valuetext.moc"
