#include "Graphics.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

#include <memory>

// Runs once without a GUI application (only a core application), where system colours fall
// back to fixed values, then once with a GUI application and its palette.
class TestColorsWithoutGui : public QObject {
    Q_OBJECT
private slots:
    void systemColorsUseClassicValues_data();
    void systemColorsUseClassicValues();
};

class TestColors : public QObject {
    Q_OBJECT
private slots:
    void nameTable_data();
    void nameTable();
    void everyNameRoundTrips();
    void colorToString_data();
    void colorToString();
    void stringToColor_data();
    void stringToColor();
    void stringToColorRejects_data();
    void stringToColorRejects();
    void systemColorsFollowPalette_data();
    void systemColorsFollowPalette();
    void fixedAndSpecialColors_data();
    void fixedAndSpecialColors();
    void qColorConversion();
    void styleServicesSwitch();
    void charsetTable();
};

void TestColorsWithoutGui::systemColorsUseClassicValues_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<TColor>("rgb");
    QTest::newRow("button face") << clBtnFace << TColor(0x00F0F0F0);
    QTest::newRow("window") << clWindow << TColor(0x00FFFFFF);
    QTest::newRow("window text") << clWindowText << TColor(0x00000000);
    QTest::newRow("grey text") << clGrayText << TColor(0x006D6D6D);
    QTest::newRow("info background") << clInfoBk << TColor(0x00E1FFFF);
    QTest::newRow("unused system number") << TColor(clSystemColor | 0x19) << clBlack;
}

void TestColorsWithoutGui::systemColorsUseClassicValues()
{
    QVERIFY(!qobject_cast<QGuiApplication*>(QCoreApplication::instance()));
    QFETCH(TColor, color);
    QFETCH(TColor, rgb);
    QCOMPARE(ColorToRGB(color), rgb);
}

void TestColors::nameTable_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<TColor>("value");
    QTest::newRow("first") << 0 << "clBlack" << TColor(0x00000000);
    QTest::newRow("last fixed") << 19 << "clMedGray" << TColor(0x00A4A0A0);
    QTest::newRow("first system") << 20 << "clActiveBorder" << TColor(0xFF00000A);
    QTest::newRow("default between system colours") << 29 << "clDefault" << TColor(0x20000000);
    QTest::newRow("none") << 45 << "clNone" << TColor(0x1FFFFFFF);
    QTest::newRow("scroll bar") << 46 << "clScrollBar" << TColor(0xFF000000);
    QTest::newRow("last") << 51 << "clWindowText" << TColor(0xFF000008);
}

void TestColors::nameTable()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(TColor, value);
    const TIntNameMap& map = ColorNameMap();
    QCOMPARE(map.TypeName, QStringLiteral("TColor"));
    QCOMPARE(int(map.Entries.size()), 52);
    QCOMPARE(map.Entries.at(size_t(index)).second, name);
    QCOMPARE(map.Entries.at(size_t(index)).first, qint64(value));
}

void TestColors::everyNameRoundTrips()
{
    for (const auto& [value, name] : ColorNameMap().Entries) {
        QCOMPARE(ColorToString(TColor(value)), name);
        QCOMPARE(StringToColor(name), TColor(value));
        QCOMPARE(StringToColor(name.toUpper()), TColor(value));
        QCOMPARE(StringToColor(ColorToString(TColor(value))), TColor(value));
    }
}

void TestColors::colorToString_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("system colour by name") << clWindowText << "clWindowText";
    QTest::newRow("button face RGB") << TColor(0x00F0F0F0) << "15790320";
    QTest::newRow("unnamed system colour") << TColor(clSystemColor | 0x19) << "-16777191";
    QTest::newRow("window as name, not number") << TColor(-16777211) << "clWindow";
    QTest::newRow("none") << clNone << "clNone";
    QTest::newRow("dark blue") << TColor(0x00993300) << "10040064";
}

void TestColors::colorToString()
{
    QFETCH(TColor, color);
    QFETCH(QString, text);
    QCOMPARE(ColorToString(color), text);
    QCOMPARE(StringToColor(text), color);
}

void TestColors::stringToColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TColor>("color");
    QTest::newRow("name in lower case") << "clbtnface" << clBtnFace;
    QTest::newRow("name in mixed case") << "CLwindow" << clWindow;
    QTest::newRow("decimal") << "15790320" << TColor(0x00F0F0F0);
    QTest::newRow("negative decimal") << "-16777211" << clWindow;
    QTest::newRow("plus sign") << "+255" << clRed;
    QTest::newRow("hexadecimal") << "$00F0F0F0" << TColor(0x00F0F0F0);
    QTest::newRow("lower-case hexadecimal") << "$ff0000" << clBlue;
    QTest::newRow("hexadecimal with top byte FF is negative") << "$FF000005" << clWindow;
    QTest::newRow("largest int") << "2147483647" << TColor(2147483647);
    QTest::newRow("smallest int") << "-2147483648" << TColor(-2147483647 - 1);
    QTest::newRow("decimal with leading zeros") << "00000000255" << clRed;
    QTest::newRow("hexadecimal with leading zeros") << "$0000000FF" << clRed;
    QTest::newRow("negative with leading zeros") << "-0002147483648" << TColor(-2147483647 - 1);
    QTest::newRow("zeros only") << "$0000000000" << clBlack;
}

void TestColors::stringToColor()
{
    QFETCH(QString, text);
    QFETCH(TColor, color);
    QCOMPARE(StringToColor(text), color);
}

void TestColors::stringToColorRejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("unknown word") << "xyz";
    QTest::newRow("empty") << "";
    QTest::newRow("sign only") << "-";
    QTest::newRow("dollar only") << "$";
    QTest::newRow("trailing letters") << "12a";
    QTest::newRow("bad hex digit") << "$GG";
    QTest::newRow("C prefix") << "0x10";
    QTest::newRow("leading blank") << " 12";
    QTest::newRow("nine hex digits") << "$123456789";
    QTest::newRow("beyond int") << "2147483648";
    QTest::newRow("below int") << "-2147483649";
    QTest::newRow("beyond int after zeros") << "0002147483648";
    QTest::newRow("nine hex digits after zeros") << "$00123456789";
    QTest::newRow("colour name with blank") << "cl Red";
}

void TestColors::stringToColorRejects()
{
    QFETCH(QString, text);
    try {
        StringToColor(text);
        QFAIL("no exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void TestColors::systemColorsFollowPalette_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("role");
    QTest::newRow("window") << clWindow << int(QPalette::Active) << int(QPalette::Base);
    QTest::newRow("window text") << clWindowText << int(QPalette::Active) << int(QPalette::Text);
    QTest::newRow("button face") << clBtnFace << int(QPalette::Active) << int(QPalette::Button);
    QTest::newRow("button text") << clBtnText << int(QPalette::Active) << int(QPalette::ButtonText);
    QTest::newRow("highlight") << clHighlight << int(QPalette::Active) << int(QPalette::Highlight);
    QTest::newRow("highlight text") << clHighlightText << int(QPalette::Active) << int(QPalette::HighlightedText);
    QTest::newRow("grey text") << clGrayText << int(QPalette::Disabled) << int(QPalette::Text);
    QTest::newRow("info background") << clInfoBk << int(QPalette::Active) << int(QPalette::ToolTipBase);
    QTest::newRow("info text") << clInfoText << int(QPalette::Active) << int(QPalette::ToolTipText);
    QTest::newRow("menu bar") << clMenuBar << int(QPalette::Active) << int(QPalette::Window);
    QTest::newRow("menu") << clMenu << int(QPalette::Active) << int(QPalette::Window);
    QTest::newRow("hot light") << clHotLight << int(QPalette::Active) << int(QPalette::Link);
    QTest::newRow("button highlight") << clBtnHighlight << int(QPalette::Active) << int(QPalette::Light);
    QTest::newRow("button shadow") << clBtnShadow << int(QPalette::Active) << int(QPalette::Dark);
    QTest::newRow("3D dark shadow") << cl3DDkShadow << int(QPalette::Active) << int(QPalette::Shadow);
}

void TestColors::systemColorsFollowPalette()
{
    QFETCH(TColor, color);
    QFETCH(int, group);
    QFETCH(int, role);

    // Every role gets a colour of its own so a wrong mapping cannot pass by accident.
    const QPalette saved = QGuiApplication::palette();
    QPalette palette;
    int n = 1;
    for (int g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int r = 0; r < QPalette::NColorRoles; ++r, ++n)
            palette.setColor(QPalette::ColorGroup(g), QPalette::ColorRole(r), QColor(n, 255 - n, (n * 7) % 256));
    QGuiApplication::setPalette(palette);

    const QColor expected = palette.color(QPalette::ColorGroup(group), QPalette::ColorRole(role));
    const TColor rgb = ColorToRGB(color);
    QGuiApplication::setPalette(saved);

    QCOMPARE(rgb, TColor(expected.red() | expected.green() << 8 | expected.blue() << 16));
    QCOMPARE(rgb & 0xFF000000, 0);
}

void TestColors::fixedAndSpecialColors_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<TColor>("rgb");
    QTest::newRow("fixed colour unchanged") << TColor(0x00993300) << TColor(0x00993300);
    QTest::newRow("red") << clRed << clRed;
    QTest::newRow("none is black") << clNone << clBlack;
    QTest::newRow("default is black") << clDefault << clBlack;
    QTest::newRow("unused system number is black") << TColor(clSystemColor | 0x19) << clBlack;
    QTest::newRow("system number beyond the table is black") << TColor(clSystemColor | 0x40) << clBlack;
}

void TestColors::fixedAndSpecialColors()
{
    QFETCH(TColor, color);
    QFETCH(TColor, rgb);
    QCOMPARE(ColorToRGB(color), rgb);
}

void TestColors::qColorConversion()
{
    QCOMPARE(ToQColor(clRed), QColor(255, 0, 0));
    QCOMPARE(ToQColor(TColor(0x00563412)), QColor(0x12, 0x34, 0x56));
    QCOMPARE(FromQColor(QColor(0x12, 0x34, 0x56)), TColor(0x00563412));
    QCOMPARE(FromQColor(QColor(0x12, 0x34, 0x56, 0x10)), TColor(0x00563412)); // alpha is not a colour
    QCOMPARE(ToQColor(clNone), QColor(Qt::black));
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    QCOMPARE(ToQColor(clBtnFace), QColor(face.red(), face.green(), face.blue()));
}

void TestColors::styleServicesSwitch()
{
    QCOMPARE(StyleServicesEnabled(), false);
    SetStyleServicesEnabled(true);
    QCOMPARE(StyleServicesEnabled(), true);
    SetStyleServicesEnabled(false);
    QCOMPARE(StyleServicesEnabled(), false);
}

void TestColors::charsetTable()
{
    const TIntNameMap& map = CharsetNameMap();
    QCOMPARE(map.TypeName, QStringLiteral("TFontCharset"));
    QCOMPARE(int(map.Entries.size()), 18);
    QCOMPARE(map.NameOf(0), QStringLiteral("ANSI_CHARSET"));
    QCOMPARE(map.NameOf(1), QStringLiteral("DEFAULT_CHARSET"));
    QCOMPARE(map.NameOf(204), QStringLiteral("RUSSIAN_CHARSET"));
    QCOMPARE(map.NameOf(255), QStringLiteral("OEM_CHARSET"));
    QCOMPARE(map.NameOf(3), QString());
    QCOMPARE(map.ValueOf(QStringLiteral("easteurope_charset")), std::optional<qint64>(238));
    qint64 previous = -1;
    for (const auto& entry : map.Entries) {
        QVERIFY2(entry.first > previous, qPrintable(entry.second)); // ascending, no duplicates
        previous = entry.first;
    }
}

int main(int argc, char** argv)
{
    int failures = 0;
    {
        QCoreApplication app(argc, argv);
        TestColorsWithoutGui test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        QGuiApplication app(argc, argv);
        TestColors test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

#include "tst_colors.moc"
