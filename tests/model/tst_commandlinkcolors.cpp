// The command link colour set: defaults, change notification, the owning button, copying and the
// INI colour file.

#include "VxCommandLinkColors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

namespace {

class ButtonStub : public CommandLinkColorOwner {
public:
    QList<TColor> Colors;
    void SetColor(TColor Value) override { Colors << Value; }
};

using Getter = TColor (TVxCommandLinkColors::*)() const;
using Setter = void (TVxCommandLinkColors::*)(TColor);
struct Prop {
    const char* Name;
    Getter Get;
    Setter Set;
};
using C = TVxCommandLinkColors;
const QList<Prop> Props = {
    {"BorderInner", &C::BorderInner, &C::SetBorderInner},
    {"BorderOuter", &C::BorderOuter, &C::SetBorderOuter},
    {"Color", &C::Color, &C::SetColor},
    {"DefaultBorderInner", &C::DefaultBorderInner, &C::SetDefaultBorderInner},
    {"DefaultBorderOuter", &C::DefaultBorderOuter, &C::SetDefaultBorderOuter},
    {"FontColor", &C::FontColor, &C::SetFontColor},
    {"FontDisabledColor", &C::FontDisabledColor, &C::SetFontDisabledColor},
    {"FontHotColor", &C::FontHotColor, &C::SetFontHotColor},
    {"FontPressedColor", &C::FontPressedColor, &C::SetFontPressedColor},
    {"GradientEnd", &C::GradientEnd, &C::SetGradientEnd},
    {"GradientPen", &C::GradientPen, &C::SetGradientPen},
    {"GradientStart", &C::GradientStart, &C::SetGradientStart},
    {"HotGradientEnd", &C::HotGradientEnd, &C::SetHotGradientEnd},
    {"HotGradientStart", &C::HotGradientStart, &C::SetHotGradientStart},
    {"PressedGradientEnd", &C::PressedGradientEnd, &C::SetPressedGradientEnd},
    {"PressedGradientStart", &C::PressedGradientStart, &C::SetPressedGradientStart},
};

const QStringList NewSetColorSection = {
    "BorderInner=$00C6C6C6", "BorderOuter=$00EAEAEA",    "DefaultBorderInner=$00FFEFAE",
    "DefaultBorderOuter=$00FFF4C7", "FontColor=$00551C15", "FontPressedColor=clNone",
    "FontHotColor=$00E54A07", "FontDisabledColor=clGrayText", "GradientStart=clNone",
    "GradientEnd=clNone", "HotGradientStart=clWhite", "HotGradientEnd=$00F6F6F6",
    "PressedGradientStart=$00ECECEB", "GradientPen=$00FBFBFB", "PressedGradientEnd=$00ECECEB",
    "Color=clWindow"};

QStringList FileLines(const QString& Path)
{
    QFile f(Path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void WriteFile(const QString& Path, const QString& Text)
{
    QFile f(Path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(Text.toUtf8());
}

// Key lines of one section, in file order.
QStringList SectionLines(const QStringList& Lines, const QString& Section)
{
    QStringList result;
    bool inside = false;
    for (const QString& line : Lines) {
        if (line.startsWith('[')) {
            inside = line == '[' + Section + ']';
            continue;
        }
        if (inside && !line.trimmed().isEmpty())
            result << line;
    }
    return result;
}

// Whether this process still holds the file open.
bool FileIsOpen(const QString& Path)
{
    const std::filesystem::path target = std::filesystem::canonical(Path.toStdString());
    std::error_code error;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code linkError;
        if (std::filesystem::read_symlink(fd.path(), linkError) == target)
            return true;
    }
    return false;
}

} // namespace

class TestCommandLinkColors : public QObject {
    Q_OBJECT
private slots:
    void defaultsAndReflection();
    void settersNotifyOnChange();
    void colorReachesOwningButton();
    void assignCopiesWithoutNotification();
    void assignFromOtherClassFails();

    void newSetFile();
    void roundTrip();
    void saveUpdatesInPlace();
    void saveErrorPropagates();
    void missingKeysTakeFileDefaults();
    void missingFileChangesNothing();
    void valueNotations();
    void conversionErrorKeepsEarlierValues();
    void loadNotifiesOnlyChanges();
};

void TestCommandLinkColors::defaultsAndReflection()
{
    TVxCommandLinkColors c;
    QVERIFY(!c.Enabled());
    QStringList names;
    for (const TPropInfo& p : c.ClassInfo()->Properties())
        names << p.Name;
    QStringList expected{"OnChange", "Enabled"};
    for (const Prop& p : Props)
        expected << QString::fromLatin1(p.Name);
    QCOMPARE(names, expected);
    // A new set holds every declared default, so none of it reaches the form text.
    for (const TPropInfo& p : c.ClassInfo()->Properties()) {
        if (p.Kind == TTypeKind::Event)
            continue;
        QVERIFY2(p.Default.has_value(), qPrintable(p.Name));
        QCOMPARE(p.GetOrd(c), *p.Default);
        QVERIFY(p.HasSetter);
    }
    QCOMPARE(c.BorderInner(), TColor(0x00C6C6C6));
    QCOMPARE(c.Color(), clWindow);
    QCOMPARE(c.FontDisabledColor(), clGrayText);
    QCOMPARE(c.FontPressedColor(), clNone);
    QCOMPARE(c.GradientStart(), clNone);
    QCOMPARE(c.HotGradientStart(), TColor(0x00FFFFFF));
    QCOMPARE(c.PressedGradientStart(), TColor(0x00ECECEB));
    QCOMPARE(c.ClassInfo()->FindProperty("FontColor")->TypeName, QStringLiteral("TColor"));
}

void TestCommandLinkColors::settersNotifyOnChange()
{
    TVxCommandLinkColors c;
    int changes = 0;
    c.OnChange = TNotifyEvent([&changes](TObject*) { ++changes; });
    for (const Prop& p : Props) {
        const TColor old = (c.*p.Get)();
        (c.*p.Set)(old);
        QCOMPARE(changes, 0);
        (c.*p.Set)(0x00123456);
        QCOMPARE((c.*p.Get)(), TColor(0x00123456));
        QCOMPARE(changes, 1);
        changes = 0;
    }
    c.SetEnabled(false);
    QCOMPARE(changes, 0);
    c.SetEnabled(true);
    QCOMPARE(changes, 1);
}

void TestCommandLinkColors::colorReachesOwningButton()
{
    ButtonStub button;
    TVxCommandLinkColors c(&button);
    QCOMPARE(c.CommandLinkButton(), &button);
    c.SetColor(clWindow);
    QVERIFY(button.Colors.isEmpty());
    c.SetColor(clRed);
    c.SetBorderInner(clBlue);
    QCOMPARE(button.Colors, QList<TColor>{clRed});
}

void TestCommandLinkColors::assignCopiesWithoutNotification()
{
    TVxCommandLinkColors source;
    source.SetEnabled(true);
    for (int i = 0; i < Props.size(); ++i)
        (source.*Props[i].Set)(0x00010100 + i);
    ButtonStub button;
    TVxCommandLinkColors target(&button);
    int changes = 0;
    target.OnChange = TNotifyEvent([&changes](TObject*) { ++changes; });
    target.Assign(&source);
    QCOMPARE(changes, 0);
    QVERIFY(button.Colors.isEmpty());
    QVERIFY(target.Enabled());
    for (const Prop& p : Props)
        QCOMPARE((target.*p.Get)(), (source.*p.Get)());
    QCOMPARE(target.CommandLinkButton(), &button);
}

void TestCommandLinkColors::assignFromOtherClassFails()
{
    TVxCommandLinkColors c;
    TFont font;
    try {
        c.Assign(&font);
        QFAIL("no exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Cannot assign a TFont to a TVxCommandLinkColors"));
    }
}

void TestCommandLinkColors::newSetFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("colors.ini");
    TVxCommandLinkColors().SaveToFile(path);
    const QStringList lines = FileLines(path);
    QCOMPARE(SectionLines(lines, "General"), QStringList({"Version=1"}));
    QCOMPARE(SectionLines(lines, "Color"), NewSetColorSection);
    QVERIFY(lines.indexOf("[General]") < lines.indexOf("[Color]"));
}

void TestCommandLinkColors::roundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("colors.ini");
    TVxCommandLinkColors source;
    for (int i = 0; i < Props.size(); ++i)
        (source.*Props[i].Set)(0x00102030 + i);
    source.SetFontHotColor(clHighlight);
    source.SetGradientPen(TColor(0xFF000019)); // a system colour without a name
    source.SaveToFile(path);
    QVERIFY(SectionLines(FileLines(path), "Color").contains("GradientPen=$FF000019"));
    QVERIFY(SectionLines(FileLines(path), "Color").contains("FontHotColor=clHighlight"));

    TVxCommandLinkColors target;
    target.SetEnabled(true);
    QVERIFY(target.LoadFromFile(path));
    for (const Prop& p : Props)
        QCOMPARE((target.*p.Get)(), (source.*p.Get)());
    QVERIFY(target.Enabled());
    QVERIFY(!FileIsOpen(path));
}

void TestCommandLinkColors::saveUpdatesInPlace()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("colors.ini");
    WriteFile(path, "; colours of the command links\r\n"
                    "[Other]\r\n"
                    "Keep=yes\r\n"
                    "[Color]\r\n"
                    "Custom=1\r\n"
                    "FontColor=clRed\r\n"
                    "[Tail]\r\n"
                    "Z=9\r\n");
    TVxCommandLinkColors c;
    c.SetFontColor(clBlue);
    c.SaveToFile(path);
    const QStringList lines = FileLines(path);
    QCOMPARE(lines.first(), QStringLiteral("; colours of the command links"));
    QCOMPARE(SectionLines(lines, "Other"), QStringList({"Keep=yes"}));
    QCOMPARE(SectionLines(lines, "Tail"), QStringList({"Z=9"}));
    QStringList color = SectionLines(lines, "Color");
    QCOMPARE(color.value(0), QStringLiteral("Custom=1"));
    QCOMPARE(color.value(1), QStringLiteral("FontColor=clBlue"));
    QCOMPARE(color.size(), 17);
    QCOMPARE(SectionLines(lines, "General"), QStringList({"Version=1"}));
    QVERIFY(lines.indexOf("[Other]") < lines.indexOf("[Color]"));
    QVERIFY(lines.indexOf("[Color]") < lines.indexOf("[Tail]"));

    TVxCommandLinkColors loaded;
    QVERIFY(loaded.LoadFromFile(path));
    QCOMPARE(loaded.FontColor(), clBlue);
}

void TestCommandLinkColors::saveErrorPropagates()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing-folder/colors.ini");
    QVERIFY_THROWS_EXCEPTION(EInOutError, TVxCommandLinkColors().SaveToFile(path));
    QVERIFY(!QFile::exists(path));
}

void TestCommandLinkColors::missingKeysTakeFileDefaults()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("colors.ini");
    WriteFile(path, "[Color]\r\nFontColor=clRed\r\n");
    TVxCommandLinkColors c;
    for (const Prop& p : Props)
        (c.*p.Set)(0x00ABCDEF);
    QVERIFY(c.LoadFromFile(path));
    const TVxCommandLinkColors fresh;
    for (const Prop& p : Props) {
        const QString name = QString::fromLatin1(p.Name);
        if (name == "FontColor")
            QCOMPARE((c.*p.Get)(), TColor(0x000000FF));
        else if (name == "GradientStart" || name == "GradientEnd")
            QCOMPARE((c.*p.Get)(), clWindow);
        else
            QCOMPARE((c.*p.Get)(), (fresh.*p.Get)());
    }
}

void TestCommandLinkColors::missingFileChangesNothing()
{
    QTemporaryDir dir;
    TVxCommandLinkColors c;
    c.SetFontColor(clRed);
    int changes = 0;
    c.OnChange = TNotifyEvent([&changes](TObject*) { ++changes; });
    QVERIFY(!c.LoadFromFile(dir.filePath("absent.ini")));
    QVERIFY(!c.LoadFromFile(dir.path()));
    QCOMPARE(c.FontColor(), clRed);
    QCOMPARE(changes, 0);
    QVERIFY(!QFile::exists(dir.filePath("absent.ini")));
}

void TestCommandLinkColors::valueNotations()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("colors.ini");
    WriteFile(path, "[color]\r\nborderinner = clred\r\nBorderOuter=255\r\nDefaultBorderInner=00000000255\r\n"
                    "DefaultBorderOuter=$0000000FF\r\nFontColor=$0000FF00\r\nFontHotColor=-16777201\r\n");
    TVxCommandLinkColors c;
    QVERIFY(c.LoadFromFile(path));
    QCOMPARE(c.BorderInner(), clRed);
    QCOMPARE(c.BorderOuter(), TColor(255));
    // Leading zeros are part of a valid number.
    QCOMPARE(c.DefaultBorderInner(), clRed);
    QCOMPARE(c.DefaultBorderOuter(), clRed);
    QCOMPARE(c.FontColor(), clLime);
    QCOMPARE(c.FontHotColor(), clBtnFace);
}

void TestCommandLinkColors::conversionErrorKeepsEarlierValues()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("colors.ini");
    WriteFile(path, "[Color]\r\nBorderInner=clRed\r\nBorderOuter=clBlue\r\nDefaultBorderInner=reddish\r\n"
                    "FontColor=clLime\r\n");
    TVxCommandLinkColors c;
    c.SetFontColor(clPurple);
    int changes = 0;
    c.OnChange = TNotifyEvent([&changes](TObject*) { ++changes; });
    try {
        c.LoadFromFile(path);
        QFAIL("no exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("'reddish' is not a valid integer value"));
    }
    QCOMPARE(c.BorderInner(), clRed);
    QCOMPARE(c.BorderOuter(), clBlue);
    QCOMPARE(c.DefaultBorderInner(), TColor(0x00FFEFAE));
    QCOMPARE(c.FontColor(), clPurple);
    QCOMPARE(changes, 2);
    QVERIFY(!FileIsOpen(path));
    {
        // The check above can see an open file.
        QFile open(path);
        QVERIFY(open.open(QIODevice::ReadOnly));
        QVERIFY(FileIsOpen(path));
    }
    // The file can be rewritten at once.
    c.SaveToFile(path);
    QVERIFY(SectionLines(FileLines(path), "Color").contains("DefaultBorderInner=$00FFEFAE"));
}

void TestCommandLinkColors::loadNotifiesOnlyChanges()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("colors.ini");
    TVxCommandLinkColors c;
    c.SaveToFile(path);
    int changes = 0;
    c.OnChange = TNotifyEvent([&changes](TObject*) { ++changes; });
    QVERIFY(c.LoadFromFile(path));
    QCOMPARE(changes, 0);
    TVxCommandLinkColors other;
    other.SetBorderInner(clRed);
    other.SetColor(clBlue);
    other.SaveToFile(path);
    QVERIFY(c.LoadFromFile(path));
    QCOMPARE(changes, 2);
}

QTEST_MAIN(TestCommandLinkColors)
#include "tst_commandlinkcolors.moc"
