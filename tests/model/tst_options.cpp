#include "support/FormTextWalk.h"
#include "Graphics.h"
#include "Picture.h"
#include "StringList.h"
#include "VxButtonOptions.h"
#include "VxCommandLinkColors.h"
#include "VxDefaultFonts.h"
#include "VxDialog.h"
#include "VxOptions.h"

#include <QTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(std::function<void(TPersistent&)>)
Q_DECLARE_METATYPE(std::function<void(TFont&)>)
Q_DECLARE_METATYPE(TCommonButtons)
Q_DECLARE_METATYPE(TCommonButton)
Q_DECLARE_METATYPE(TTaskDialogIcon)

namespace {

// One line per published property: name, type name, declared default ("-" for none) and
// "field" when the value is stored without a setter method.
QStringList Describe(const TClassInfo& Info)
{
    QStringList lines;
    for (const TPropInfo& p : Info.Properties()) {
        QString line = p.Name + QLatin1Char(':') + p.TypeName + QLatin1Char('=')
            + (p.Default ? QString::number(*p.Default) : QStringLiteral("-"));
        if (!p.HasSetter)
            line += QStringLiteral(" field");
        lines << line;
    }
    return lines;
}

// Counts OnChange notifications of an option object.
struct ChangeCounter {
    explicit ChangeCounter(TVxChangePersistent& Object)
    {
        Object.OnChange = TNotifyEvent([this, &Object](TObject* Sender) {
            ++Count;
            SenderWasObject = SenderWasObject && Sender == &Object;
        });
    }
    int Count = 0;
    bool SenderWasObject = true;
};

// Every published value of an object, for "nothing changed" checks.
QStringList Snapshot(const TObject& Object)
{
    QStringList values;
    for (const TPropInfo& p : Object.ClassInfo()->Properties()) {
        switch (p.Kind) {
        case TTypeKind::Integer:
        case TTypeKind::Enumeration:
        case TTypeKind::Set:
        case TTypeKind::Int64:
            values << p.Name + QLatin1Char('=') + QString::number(p.GetOrd(Object));
            break;
        case TTypeKind::String:
            values << p.Name + QLatin1Char('=') + p.GetStr(Object);
            break;
        case TTypeKind::Class:
            if (const TObject* sub = p.GetObj(Object); sub && sub->ClassInfo())
                values << p.Name + QLatin1Char('(') + Snapshot(*sub).join(QLatin1Char(',')) + QLatin1Char(')');
            break;
        default:
            break;
        }
    }
    return values;
}

std::unique_ptr<TPicture> MakePicture(int Width, int Height)
{
    auto picture = std::make_unique<TPicture>();
    TIcon icon;
    QImage image(Width, Height, QImage::Format_ARGB32);
    image.fill(Qt::red);
    icon.SetImage(image);
    picture->SetGraphic(&icon);
    return picture;
}

using Factory = std::function<std::unique_ptr<TPersistent>(TVxCustomDialog*)>;

const QMap<QString, Factory>& Factories()
{
    static const QMap<QString, Factory> map{
        {QStringLiteral("TVxGradient"), [](TVxCustomDialog*) { return std::make_unique<TVxGradient>(); }},
        {QStringLiteral("TVxBackground"),
         [](TVxCustomDialog*) { return std::make_unique<TVxBackground>(clRed, nullptr, QRect(), true, false); }},
        {QStringLiteral("TVxButtonOptions"), [](TVxCustomDialog* d) { return std::make_unique<TVxButtonOptions>(d); }},
        {QStringLiteral("TVxButtonBarOptions"),
         [](TVxCustomDialog* d) { return std::make_unique<TVxButtonBarOptions>(d); }},
        {QStringLiteral("TVxInstruction"), [](TVxCustomDialog* d) { return std::make_unique<TVxInstruction>(d); }},
        {QStringLiteral("TVxExpando"), [](TVxCustomDialog* d) { return std::make_unique<TVxExpando>(d); }},
        {QStringLiteral("TVxAnimate"), [](TVxCustomDialog*) { return std::make_unique<TVxAnimate>(); }},
        {QStringLiteral("TVxHeader"), [](TVxCustomDialog* d) { return std::make_unique<TVxHeader>(d); }},
        {QStringLiteral("TVxFooter"), [](TVxCustomDialog* d) { return std::make_unique<TVxFooter>(d); }},
        {QStringLiteral("TVxHelpLink"), [](TVxCustomDialog* d) { return std::make_unique<TVxHelpLink>(d); }},
        {QStringLiteral("TVxVerification"), [](TVxCustomDialog* d) { return std::make_unique<TVxVerification>(d); }},
        {QStringLiteral("TVxProgress"), [](TVxCustomDialog* d) { return std::make_unique<TVxProgress>(d); }},
        {QStringLiteral("TVxBorder"), [](TVxCustomDialog* d) { return std::make_unique<TVxBorder>(d); }},
        {QStringLiteral("TVxLocation"), [](TVxCustomDialog*) { return std::make_unique<TVxLocation>(); }},
        {QStringLiteral("TVxTimer"), [](TVxCustomDialog* d) { return std::make_unique<TVxTimer>(d); }},
        {QStringLiteral("TVxRadioButton"), [](TVxCustomDialog* d) { return std::make_unique<TVxRadioButton>(d); }},
        {QStringLiteral("TVxSheetOptions"), [](TVxCustomDialog* d) { return std::make_unique<TVxSheetOptions>(d); }},
    };
    return map;
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void publishedSurface_data();
    void publishedSurface();
    void freshDialogWritesNoOptionValue_data();
    void freshDialogWritesNoOptionValue();
    void changedValuesAreWritten_data();
    void changedValuesAreWritten();

    void fontStoredRule_data();
    void fontStoredRule();
    void headerFontDiffersFromDefault_data();
    void headerFontDiffersFromDefault();
    void buttonBarColorRule_data();
    void buttonBarColorRule();

    void constructionValues();
    void helpLinkFontFollowsDialogFontAtCreation();

    void settersNotifyOnlyOnChange_data();
    void settersNotifyOnlyOnChange();
    void headerAndFooterNotifyOnlyWhileVisible();
    void expandoLinesNotify();

    void instructionIconClearsGlyph_data();
    void instructionIconClearsGlyph();
    void instructionGlyphQueries_data();
    void instructionGlyphQueries();

    void progressAssignCopiesAndNotifiesOnce();
    void progressAssignFailureStillNotifiesOnce();
    void timerAssignNotifiesOnlyOnChange();
    void instructionAssignCopiesAndNotifiesOnce();
    void headerAssignCopiesGradientAndIconSize();
    void footerAssignFromHeaderCopiesCommonPart();
    void expandoAssignLeavesAnimationAlone();
    void copyLists();
    void assignFallback_data();
    void assignFallback();
    void ownedObjectsCopyNeverShare();

    void determineDefaults_data();
    void determineDefaults();

    void sizeComparer_data();
    void sizeComparer();

private:
    std::unique_ptr<TVxDialog> FDialog;
};

void TestOptions::init()
{
    SetStyleServicesEnabled(false);
    FDialog = std::make_unique<TVxDialog>(nullptr);
}

void TestOptions::cleanup()
{
    FDialog.reset();
    SetStyleServicesEnabled(false);
}

// ---------------------------------------------------------------------------------------------

void TestOptions::publishedSurface_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QStringList>("expected");

    const QString onChange = QStringLiteral("OnChange:TNotifyEvent=-");
    QTest::newRow("TVxGradient") << "TVxGradient"
                                 << QStringList{onChange, "Direction:TGradientDirection=0", "Enabled:Boolean=0",
                                                "EndColor:TColor=536870911", "StartColor:TColor=536870911"};
    QTest::newRow("TVxButtonOptions") << "TVxButtonOptions"
                                      << QStringList{onChange, "CommandLinkColors:TVxCommandLinkColors=-"};
    QTest::newRow("TVxButtonBarOptions")
        << "TVxButtonBarOptions"
        << QStringList{onChange,
                       "Buttons:TCommonButtons=12",
                       "Color:TColor=-16777201",
                       "Visible:Boolean=1",
                       "Default:TCommonButton=2",
                       "Cancel:TCommonButton=3",
                       "ShowDivider:Boolean=1 field",
                       "UseDefault:Boolean=1 field",
                       "UseCancel:Boolean=1 field"};
    QTest::newRow("TVxInstruction") << "TVxInstruction"
                                    << QStringList{onChange,
                                                   "Color:TColor=536870911",
                                                   "Font:TFont=-",
                                                   "Text:string=-",
                                                   "ShowAtTop:Boolean=0",
                                                   "Glyph:TPicture=-",
                                                   "Icon:TTaskDialogIcon=0",
                                                   "ShowGlyph:Boolean=0"};
    QTest::newRow("TVxExpando") << "TVxExpando"
                                << QStringList{onChange,
                                               "Animate:TVxAnimate=-",
                                               "Lines:TStrings=-",
                                               "Font:TFont=-",
                                               "Showing:Boolean=0",
                                               "ShowInFooter:Boolean=0",
                                               "MoreHeight:Integer=0",
                                               "MoreFormat:TMoreFormat=0 field",
                                               "MoreScrollbars:TScrollStyle=3 field",
                                               "MoreSource:TMoreSource=0 field",
                                               "Visible:Boolean=0",
                                               "ShowText:string=-",
                                               "HideText:string=-"};
    QTest::newRow("TVxAnimate") << "TVxAnimate"
                                << QStringList{"Enabled:Boolean=0 field", "Speed:TVxSpeedRange=10 field",
                                               "Step:TVxStepRange=2 field"};
    // The header redeclares Color in the inherited place with its own default.
    QTest::newRow("TVxHeader") << "TVxHeader"
                               << QStringList{onChange,
                                              "Color:TColor=-16777211 field",
                                              "Text:string=-",
                                              "Glyph:TPicture=-",
                                              "Font:TFont=-",
                                              "Icon:TTaskDialogIcon=0",
                                              "Visible:Boolean=0",
                                              "ImageAlignment:TVxImageAlignment=0 field",
                                              "Gradient:TVxGradient=-",
                                              "IconSize:TVxIconSize=2 field"};
    QTest::newRow("TVxFooter") << "TVxFooter"
                               << QStringList{onChange,
                                              "Color:TColor=-16777201 field",
                                              "Text:string=-",
                                              "Glyph:TPicture=-",
                                              "Font:TFont=-",
                                              "Icon:TTaskDialogIcon=0",
                                              "Visible:Boolean=0",
                                              "ImageAlignment:TVxImageAlignment=0 field"};
    QTest::newRow("TVxHelpLink") << "TVxHelpLink"
                                 << QStringList{onChange, "Font:TFont=-", "HelpContext:THelpContext=0 field",
                                                "HelpType:THelpType=1 field", "HelpKeyword:string=- field",
                                                "Text:string=-"};
    QTest::newRow("TVxVerification") << "TVxVerification"
                                     << QStringList{onChange, "InitialState:Boolean=0 field", "Text:string=-",
                                                    "Visible:Boolean=0"};
    QTest::newRow("TVxProgress") << "TVxProgress"
                                 << QStringList{onChange,
                                                "Interval:Cardinal=100",
                                                "Max:Integer=100",
                                                "Min:Integer=0 field",
                                                "Step:Integer=1",
                                                "Position:Integer=0",
                                                "ShowOnTaskBar:Boolean=0",
                                                "State:TProgressBarState=0",
                                                "UseNativeProgressBar:Boolean=1"};
    QTest::newRow("TVxBorder") << "TVxBorder"
                               << QStringList{onChange, "Color:TColor=8421504 field", "Width:Integer=1 field",
                                              "Visible:Boolean=0 field"};
    QTest::newRow("TVxLocation") << "TVxLocation"
                                 << QStringList{"Left:Integer=-1 field", "Top:Integer=-1 field"};
    // The interval notifies, so a showing dialog restarts its timer with a new one.
    QTest::newRow("TVxTimer") << "TVxTimer" << QStringList{onChange, "Interval:Cardinal=1000"};
    QTest::newRow("TVxRadioButton") << "TVxRadioButton"
                                    << QStringList{onChange, "Columns:Integer=1 field", "ShowBorder:Boolean=0 field",
                                                   "Caption:string=- field"};
    QTest::newRow("TVxSheetOptions") << "TVxSheetOptions"
                                     << QStringList{onChange, "Location:TVxSheetLocation=0", "Interval:Cardinal=500"};
}

void TestOptions::publishedSurface()
{
    QFETCH(QString, className);
    QFETCH(QStringList, expected);
    const auto object = Factories().value(className)(FDialog.get());
    QCOMPARE(object->ClassName(), className);
    QCOMPARE(Describe(*object->ClassInfo()), expected);
}

void TestOptions::freshDialogWritesNoOptionValue_data()
{
    QTest::addColumn<QString>("property");
    for (const char* name : {"Button", "Expando", "Instruction", "ButtonBar", "Verification", "Footer", "Header",
                             "HelpLink", "Progress", "Border", "Location", "Sheet", "Timer", "RadioButton"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestOptions::freshDialogWritesNoOptionValue()
{
    QFETCH(QString, property);
    const TPropInfo* prop = GetPropInfo(*FDialog, property);
    QVERIFY(prop);
    const TObject* option = prop->GetObj(*FDialog);
    QVERIFY(option);
    QCOMPARE(WrittenPaths(*option, *FDialog), QStringList());
}

void TestOptions::changedValuesAreWritten_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<std::function<void(TPersistent&)>>("change");
    QTest::addColumn<QStringList>("written");

    QTest::newRow("empty button set") << "TVxButtonBarOptions"
                                      << std::function<void(TPersistent&)>([](TPersistent& o) {
                                             static_cast<TVxButtonBarOptions&>(o).SetButtons({});
                                         })
                                      << QStringList{"Buttons"};
    QTest::newRow("divider off (field)") << "TVxButtonBarOptions"
                                         << std::function<void(TPersistent&)>([](TPersistent& o) {
                                                static_cast<TVxButtonBarOptions&>(o).SetShowDivider(false);
                                            })
                                         << QStringList{"ShowDivider"};
    QTest::newRow("expando lines and animation")
        << "TVxExpando" << std::function<void(TPersistent&)>([](TPersistent& o) {
               auto& e = static_cast<TVxExpando&>(o);
               e.Lines()->Add(QStringLiteral("more"));
               e.Animate()->SetSpeed(20);
           })
        << QStringList{"Animate.Speed", "Lines.Strings"};
    QTest::newRow("header gradient and icon size")
        << "TVxHeader" << std::function<void(TPersistent&)>([](TPersistent& o) {
               auto& h = static_cast<TVxHeader&>(o);
               h.Gradient()->SetEnabled(true);
               h.SetIconSize(isSmall);
           })
        << QStringList{"Gradient.Enabled", "IconSize"};
    QTest::newRow("footer colour clWindow")
        << "TVxFooter" << std::function<void(TPersistent&)>([](TPersistent& o) {
               static_cast<TVxFooter&>(o).SetColor(clWindow);
           })
        << QStringList{"Color"};
    QTest::newRow("instruction glyph") << "TVxInstruction" << std::function<void(TPersistent&)>([](TPersistent& o) {
        const auto picture = MakePicture(16, 16);
        static_cast<TVxInstruction&>(o).SetGlyph(picture.get());
    }) << QStringList{"Glyph.Data"};
    QTest::newRow("location") << "TVxLocation" << std::function<void(TPersistent&)>([](TPersistent& o) {
        static_cast<TVxLocation&>(o).SetLeft(0);
    }) << QStringList{"Left"};
    QTest::newRow("progress minimum") << "TVxProgress" << std::function<void(TPersistent&)>([](TPersistent& o) {
        static_cast<TVxProgress&>(o).SetMin(-5);
    }) << QStringList{"Min"};
}

void TestOptions::changedValuesAreWritten()
{
    QFETCH(QString, className);
    QFETCH(std::function<void(TPersistent&)>, change);
    QFETCH(QStringList, written);
    const auto object = Factories().value(className)(FDialog.get());
    QCOMPARE(WrittenPaths(*object, *FDialog), QStringList());
    change(*object);
    QCOMPARE(WrittenPaths(*object, *FDialog), written);
}

// ---------------------------------------------------------------------------------------------

void TestOptions::fontStoredRule_data()
{
    QTest::addColumn<QString>("property");
    QTest::newRow("Instruction") << "Instruction";
    QTest::newRow("Expando") << "Expando";
    QTest::newRow("HelpLink") << "HelpLink";
    QTest::newRow("Header") << "Header";
    QTest::newRow("Footer") << "Footer";
}

void TestOptions::fontStoredRule()
{
    QFETCH(QString, property);
    const TObject* option = GetPropInfo(*FDialog, property)->GetObj(*FDialog);
    const TPropInfo* font = GetPropInfo(*option, QStringLiteral("Font"));
    QVERIFY(font);

    FDialog->SetUseDefaultFonts(true);
    QVERIFY(!font->IsStored(*option));
    QVERIFY(!WrittenPaths(*option, *FDialog).join(',').contains(QStringLiteral("Font")));

    FDialog->SetUseDefaultFonts(false);
    QVERIFY(font->IsStored(*option));
    const QStringList written = WrittenPaths(*option, *FDialog);
    for (const char* sub : {"Font.Charset", "Font.Color", "Font.Height"})
        QVERIFY2(written.contains(QString::fromLatin1(sub)), qPrintable(written.join(',')));
}

void TestOptions::headerFontDiffersFromDefault_data()
{
    QTest::addColumn<std::function<void(TFont&)>>("change");
    QTest::addColumn<bool>("differs");

    QTest::newRow("untouched") << std::function<void(TFont&)>([](TFont&) {}) << false;
    QTest::newRow("height") << std::function<void(TFont&)>([](TFont& f) { f.SetHeight(f.Height() - 3); }) << true;
    QTest::newRow("orientation") << std::function<void(TFont&)>([](TFont& f) { f.SetOrientation(900); }) << true;
    QTest::newRow("pitch") << std::function<void(TFont&)>([](TFont& f) { f.SetPitch(fpFixed); }) << true;
    QTest::newRow("style") << std::function<void(TFont&)>([](TFont& f) { f.SetStyle({fsBold}); }) << true;
    QTest::newRow("charset") << std::function<void(TFont&)>([](TFont& f) { f.SetCharset(SYMBOL_CHARSET); }) << true;
    QTest::newRow("name") << std::function<void(TFont&)>([](TFont& f) { f.SetName(f.Name() + QStringLiteral("X")); })
                          << true;
    // Colour and quality are not part of the comparison.
    QTest::newRow("colour only") << std::function<void(TFont&)>([](TFont& f) { f.SetColor(clRed); }) << false;
    QTest::newRow("quality only") << std::function<void(TFont&)>([](TFont& f) { f.SetQuality(fqDraft); }) << false;
}

void TestOptions::headerFontDiffersFromDefault()
{
    QFETCH(std::function<void(TFont&)>, change);
    QFETCH(bool, differs);
    FDialog->SetUseDefaultFonts(true);

    TVxHeader header(FDialog.get());
    TVxFooter footer(FDialog.get());
    change(*header.Font());
    change(*footer.Font());

    QCOMPARE(header.FontDiffersFromDefault(), differs);
    QCOMPARE(GetPropInfo(header, QStringLiteral("Font"))->IsStored(header), differs);
    // The footer's font follows the default fonts only.
    QVERIFY(!footer.FontDiffersFromDefault());
    QVERIFY(!GetPropInfo(footer, QStringLiteral("Font"))->IsStored(footer));
}

void TestOptions::buttonBarColorRule_data()
{
    QTest::addColumn<bool>("styleServices");
    QTest::addColumn<bool>("customStyle");
    QTest::newRow("no visual styles") << false << false;
    QTest::newRow("system visual style") << true << false;
    QTest::newRow("custom visual style") << true << true;
}

void TestOptions::buttonBarColorRule()
{
    QFETCH(bool, styleServices);
    QFETCH(bool, customStyle);
    SetStyleServicesEnabled(styleServices);
    SetCustomStyleActive(customStyle);
    TVxButtonBarOptions bar(FDialog.get());
    const bool stored = !customStyle;
    const TPropInfo* color = GetPropInfo(bar, QStringLiteral("Color"));

    if (styleServices) {
        QCOMPARE(bar.Color(), ColorToRGB(clBtnFace));
        QVERIFY((quint32(bar.Color()) & 0xFF000000u) == 0);
    } else {
        QCOMPARE(bar.Color(), clBtnFace);
    }
    QCOMPARE(color->IsStored(bar), stored);
    // Under the system style the construction colour is an RGB value, so it differs from the
    // default and is written.
    QCOMPARE(WrittenPaths(bar, *FDialog), styleServices && stored ? QStringList{"Color"} : QStringList());

    bar.SetColor(clRed);
    QCOMPARE(WrittenPaths(bar, *FDialog), stored ? QStringList{"Color"} : QStringList());
    bar.SetColor(clBtnFace);
    QCOMPARE(WrittenPaths(bar, *FDialog), QStringList());
    SetCustomStyleActive(false);
    SetStyleServicesEnabled(false);
}

// ---------------------------------------------------------------------------------------------

void TestOptions::constructionValues()
{
    TVxInstruction instruction(FDialog.get());
    const TFont* defaultInstruction = VxDefaultFonts().GetFont(ftInstruction);
    QVERIFY(*instruction.Font() == *defaultInstruction);
    QCOMPARE(instruction.Font()->Color(), TColor(0x00993300));

    TVxHeader header(FDialog.get());
    QCOMPARE(header.Color(), clWindow);
    QCOMPARE(header.IconSize(), isLarge);
    QVERIFY(!header.Gradient()->Enabled());
    QVERIFY(*header.Font() == TFont());

    TVxFooter footer(FDialog.get());
    QCOMPARE(footer.Color(), clBtnFace);
    QVERIFY(*footer.Font() == TFont());

    TVxButtonOptions button(FDialog.get());
    QVERIFY(button.CommandLinkColors());
    QVERIFY(!button.CommandLinkColors()->CommandLinkButton());

    TVxGradient given;
    given.SetEnabled(true);
    given.SetStartColor(clRed);
    const QRect rect(1, 2, 30, 40);
    TVxBackground background(clYellow, &given, rect, false, true);
    QCOMPARE(background.Color(), clYellow);
    QCOMPARE(background.CopyRect(), rect);
    QVERIFY(!background.Buffered());
    QVERIFY(background.AutoFree());
    QVERIFY(background.Gradient() != &given);
    QVERIFY(background.Gradient()->Enabled());
    QCOMPARE(background.Gradient()->StartColor(), clRed);

    TVxBackground plain(0, nullptr, QRect(), true, false);
    QVERIFY(!plain.Gradient()->Enabled());
}

void TestOptions::helpLinkFontFollowsDialogFontAtCreation()
{
    FDialog->Font()->SetName(QStringLiteral("Courier New"));
    FDialog->Font()->SetSize(14);
    TVxHelpLink link(FDialog.get());
    QCOMPARE(link.Font()->Name(), QStringLiteral("Courier New"));
    QCOMPARE(link.Font()->Size(), 14);
    QCOMPARE(link.Font()->Style(), TFontStyles{fsUnderline});
    QCOMPARE(link.Font()->Color(), clBlue);

    // Later changes of the dialog font do not reach it.
    FDialog->Font()->SetSize(20);
    QCOMPARE(link.Font()->Size(), 14);
}

// ---------------------------------------------------------------------------------------------

void TestOptions::settersNotifyOnlyOnChange_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("property");
    QTest::addColumn<qint64>("newValue");

    QTest::newRow("Gradient.Direction") << "TVxGradient" << "Direction" << qint64(gdVertical);
    QTest::newRow("Gradient.StartColor") << "TVxGradient" << "StartColor" << qint64(clRed);
    QTest::newRow("ButtonBar.Buttons") << "TVxButtonBarOptions" << "Buttons" << qint64(TCommonButtons{cbYes}.Mask());
    QTest::newRow("ButtonBar.Cancel") << "TVxButtonBarOptions" << "Cancel" << qint64(cbNo);
    QTest::newRow("Instruction.ShowAtTop") << "TVxInstruction" << "ShowAtTop" << qint64(1);
    QTest::newRow("Instruction.Icon") << "TVxInstruction" << "Icon" << qint64(tdiShield);
    QTest::newRow("Expando.MoreHeight") << "TVxExpando" << "MoreHeight" << qint64(80);
    QTest::newRow("Verification.Visible") << "TVxVerification" << "Visible" << qint64(1);
    QTest::newRow("Progress.Interval") << "TVxProgress" << "Interval" << qint64(250);
    QTest::newRow("Progress.ShowOnTaskBar") << "TVxProgress" << "ShowOnTaskBar" << qint64(1);
    QTest::newRow("Progress.State") << "TVxProgress" << "State" << qint64(pbstPaused);
    QTest::newRow("Sheet.Interval") << "TVxSheetOptions" << "Interval" << qint64(0);
    QTest::newRow("Timer.Interval") << "TVxTimer" << "Interval" << qint64(250);
}

void TestOptions::settersNotifyOnlyOnChange()
{
    QFETCH(QString, className);
    QFETCH(QString, property);
    QFETCH(qint64, newValue);
    const auto object = Factories().value(className)(FDialog.get());
    auto& changing = dynamic_cast<TVxChangePersistent&>(*object);
    ChangeCounter counter(changing);
    const TPropInfo* prop = GetPropInfo(*object, property);
    QVERIFY(prop && prop->HasSetter);

    prop->SetOrd(*object, prop->GetOrd(*object));
    QCOMPARE(counter.Count, 0);
    prop->SetOrd(*object, newValue);
    QCOMPARE(prop->GetOrd(*object), newValue);
    QCOMPARE(counter.Count, 1);
    QVERIFY(counter.SenderWasObject);
    prop->SetOrd(*object, newValue);
    QCOMPARE(counter.Count, 1);

    // Strings follow the same rule.
    if (const TPropInfo* text = GetPropInfo(*object, QStringLiteral("Text")); text && text->HasSetter) {
        text->SetStr(*object, QStringLiteral("hello"));
        text->SetStr(*object, QStringLiteral("hello"));
        QCOMPARE(counter.Count, 2);
    }
}

void TestOptions::headerAndFooterNotifyOnlyWhileVisible()
{
    TVxFooter footer(FDialog.get());
    ChangeCounter counter(footer);

    footer.SetText(QStringLiteral("Footnote"));
    footer.SetIcon(tdiInformation);
    QCOMPARE(footer.Text(), QStringLiteral("Footnote"));
    QCOMPARE(footer.Icon(), tdiInformation);
    QCOMPARE(counter.Count, 0);

    // Visible notifies even without a change.
    footer.SetVisible(false);
    QCOMPARE(counter.Count, 1);
    footer.SetVisible(true);
    QCOMPARE(counter.Count, 2);

    footer.SetText(QStringLiteral("Other"));
    footer.SetIcon(tdiError);
    QCOMPARE(counter.Count, 4);
    footer.SetText(QStringLiteral("Other"));
    footer.SetIcon(tdiError);
    QCOMPARE(counter.Count, 4);

    // Pictures, fonts and field properties never notify.
    const auto picture = MakePicture(8, 8);
    footer.SetGlyph(picture.get());
    TFont font;
    font.SetName(QStringLiteral("Courier New"));
    footer.SetFont(&font);
    footer.SetColor(clRed);
    QCOMPARE(counter.Count, 4);
    QCOMPARE(footer.Font()->Name(), QStringLiteral("Courier New"));
    QCOMPARE(footer.Glyph()->Width(), 8);

    TVxHeader header(FDialog.get());
    ChangeCounter headerCounter(header);
    header.SetText(QStringLiteral("Title"));
    QCOMPARE(headerCounter.Count, 0);
}

void TestOptions::expandoLinesNotify()
{
    TVxExpando expando(FDialog.get());
    ChangeCounter counter(expando);

    TStringList same;
    expando.SetLines(&same);
    QCOMPARE(counter.Count, 0);

    TStringList lines;
    lines.Add(QStringLiteral("first"));
    lines.Add(QStringLiteral("second"));
    expando.SetLines(&lines);
    QVERIFY(counter.Count > 0);
    QCOMPARE(expando.Lines()->Lines(), lines.Lines());
    QVERIFY(expando.Lines() != &lines);

    const int afterCopy = counter.Count;
    expando.SetLines(&lines);
    QCOMPARE(counter.Count, afterCopy);

    // Editing the list in place also notifies.
    expando.Lines()->Add(QStringLiteral("third"));
    QCOMPARE(counter.Count, afterCopy + 1);

    // The font setter notifies even with an equal font.
    TFont font(*expando.Font());
    expando.SetFont(&font);
    QCOMPARE(counter.Count, afterCopy + 2);
}

// ---------------------------------------------------------------------------------------------

void TestOptions::instructionIconClearsGlyph_data()
{
    QTest::addColumn<TTaskDialogIcon>("icon");
    QTest::addColumn<bool>("keepsPicture");
    QTest::newRow("tdiWarning") << tdiWarning << false;
    QTest::newRow("tdiShield") << tdiShield << false;
    QTest::newRow("tdiCustom") << tdiCustom << true;
}

void TestOptions::instructionIconClearsGlyph()
{
    QFETCH(TTaskDialogIcon, icon);
    QFETCH(bool, keepsPicture);
    TVxInstruction instruction(FDialog.get());
    const auto picture = MakePicture(24, 20);
    instruction.SetGlyph(picture.get());
    ChangeCounter counter(instruction);

    instruction.SetIcon(icon);
    QCOMPARE(instruction.Icon(), icon);
    QCOMPARE(!instruction.Glyph()->Empty(), keepsPicture);
    QCOMPARE(counter.Count, 1);
}

void TestOptions::instructionGlyphQueries_data()
{
    QTest::addColumn<TTaskDialogIcon>("icon");
    QTest::addColumn<bool>("showGlyph");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<bool>("hasGlyph");
    QTest::addColumn<bool>("hasCustomGlyph");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    // The picture is 40 x 30.
    QTest::newRow("nothing") << tdiNone << false << false << false << false << 0 << 0;
    QTest::newRow("picture, not shown") << tdiNone << false << true << false << false << 40 << 30;
    QTest::newRow("picture, ShowGlyph") << tdiNone << true << true << false << true << 40 << 30;
    QTest::newRow("picture, tdiCustom") << tdiCustom << false << true << false << true << 40 << 30;
    QTest::newRow("tdiCustom without picture") << tdiCustom << true << false << false << false << 0 << 0;
    QTest::newRow("tdiShield") << tdiShield << false << false << true << false << 32 << 32;
    QTest::newRow("tdiWarning") << tdiWarning << false << false << true << false << 32 << 32;
    QTest::newRow("tdiError") << tdiError << false << false << true << false << 32 << 32;
    QTest::newRow("tdiInformation") << tdiInformation << false << false << true << false << 32 << 32;
    QTest::newRow("tdiConfirmation, ShowGlyph") << tdiConfirmation << true << false << true << false << 32 << 32;
    QTest::newRow("tdiWarning and picture") << tdiWarning << true << true << true << true << 40 << 30;
}

void TestOptions::instructionGlyphQueries()
{
    QFETCH(TTaskDialogIcon, icon);
    QFETCH(bool, showGlyph);
    QFETCH(bool, picture);
    QFETCH(bool, hasGlyph);
    QFETCH(bool, hasCustomGlyph);
    QFETCH(int, width);
    QFETCH(int, height);

    TVxInstruction instruction(FDialog.get());
    instruction.SetIcon(icon);
    instruction.SetShowGlyph(showGlyph);
    if (picture) {
        const auto p = MakePicture(40, 30);
        instruction.SetGlyph(p.get());
    }
    QCOMPARE(instruction.HasGlyph(), hasGlyph);
    QCOMPARE(instruction.HasCustomGlyph(), hasCustomGlyph);
    QCOMPARE(instruction.GlyphAvailable(), hasGlyph || hasCustomGlyph);
    QCOMPARE(instruction.GlyphWidth(), width);
    QCOMPARE(instruction.GlyphHeight(), height);
}

// ---------------------------------------------------------------------------------------------

void TestOptions::progressAssignCopiesAndNotifiesOnce()
{
    TVxProgress source(FDialog.get());
    source.SetMax(500);
    source.SetMin(10);
    source.SetStep(5);
    source.SetPosition(42);
    source.SetState(pbstError);
    source.SetInterval(33);
    source.SetUseNativeProgressBar(false);
    source.SetShowOnTaskBar(true);

    TVxProgress target(FDialog.get());
    ChangeCounter counter(target);
    target.Assign(&source);

    QCOMPARE(counter.Count, 1);
    QCOMPARE(target.Max(), 500);
    QCOMPARE(target.Min(), 10);
    QCOMPARE(target.Step(), 5);
    QCOMPARE(target.Position(), 42);
    QCOMPARE(target.State(), pbstError);
    QCOMPARE(target.Interval(), 33u);
    QVERIFY(!target.UseNativeProgressBar());
    QVERIFY(!target.ShowOnTaskBar());

    // An unchanged copy still reports once; setters notify normally afterwards.
    target.Assign(&source);
    QCOMPARE(counter.Count, 2);
    target.SetMax(501);
    QCOMPARE(counter.Count, 3);
}

void TestOptions::progressAssignFailureStillNotifiesOnce()
{
    TVxProgress target(FDialog.get());
    ChangeCounter counter(target);
    TVxBorder border(FDialog.get());
    try {
        target.Assign(&border);
        QFAIL("no error raised");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Cannot assign a TVxBorder to a TVxProgress"));
    }
    QCOMPARE(counter.Count, 1);
    target.SetPosition(3);
    QCOMPARE(counter.Count, 2);
}

void TestOptions::timerAssignNotifiesOnlyOnChange()
{
    TVxTimer source(FDialog.get());
    source.SetInterval(40);
    TVxTimer target(FDialog.get());
    ChangeCounter counter(target);
    target.Assign(&source);
    QCOMPARE(target.Interval(), 40u);
    QCOMPARE(counter.Count, 1);
    QVERIFY(counter.SenderWasObject);
    // The same interval again: nothing to restart.
    target.Assign(&source);
    QCOMPARE(counter.Count, 1);
}

void TestOptions::instructionAssignCopiesAndNotifiesOnce()
{
    TVxInstruction source(FDialog.get());
    source.SetColor(clRed);
    source.SetText(QStringLiteral("Save changes?"));
    source.SetShowAtTop(true);
    source.SetShowGlyph(true);
    source.SetIcon(tdiWarning);
    // Set after the icon, which would clear it.
    const auto picture = MakePicture(12, 10);
    source.SetGlyph(picture.get());
    TFont font;
    font.SetName(QStringLiteral("Courier New"));
    source.SetFont(&font);

    TVxInstruction target(FDialog.get());
    ChangeCounter counter(target);
    target.Assign(&source);

    QCOMPARE(counter.Count, 1);
    QCOMPARE(target.Color(), clRed);
    QCOMPARE(target.Text(), QStringLiteral("Save changes?"));
    QVERIFY(target.ShowAtTop());
    QVERIFY(target.ShowGlyph());
    QCOMPARE(target.Icon(), tdiWarning);
    QCOMPARE(target.Glyph()->Width(), 12);
    QVERIFY(target.Glyph() != source.Glyph());
    QCOMPARE(target.Font()->Name(), QStringLiteral("Courier New"));

    try {
        target.Assign(nullptr);
        QFAIL("no error raised");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Cannot assign a nil to a TVxInstruction"));
    }
    QCOMPARE(counter.Count, 2);
}

void TestOptions::headerAssignCopiesGradientAndIconSize()
{
    TVxHeader source(FDialog.get());
    source.SetIconSize(isMedium);
    source.Gradient()->SetEnabled(true);
    source.Gradient()->SetEndColor(clNavy);
    source.SetColor(clYellow);
    source.SetText(QStringLiteral("Header"));
    source.SetVisible(true);
    source.SetImageAlignment(vxImageAlignRight);

    TVxHeader target(FDialog.get());
    ChangeCounter counter(target);
    FDialog->SetHeader(&source);
    target.Assign(&source);
    QCOMPARE(counter.Count, 1);
    QCOMPARE(target.IconSize(), isMedium);
    QVERIFY(target.Gradient()->Enabled());
    QCOMPARE(target.Gradient()->EndColor(), clNavy);
    QVERIFY(target.Gradient() != source.Gradient());
    QCOMPARE(target.Color(), clYellow);
    QCOMPARE(target.Text(), QStringLiteral("Header"));
    QVERIFY(target.Visible());
    QCOMPARE(target.ImageAlignment(), vxImageAlignRight);
    QCOMPARE(FDialog->Header()->IconSize(), isMedium);
}

void TestOptions::footerAssignFromHeaderCopiesCommonPart()
{
    TVxHeader header(FDialog.get());
    header.SetText(QStringLiteral("Shared"));
    header.SetIcon(tdiError);
    TVxFooter footer(FDialog.get());
    ChangeCounter counter(footer);
    footer.Assign(&header);
    QCOMPARE(counter.Count, 1);
    QCOMPARE(footer.Text(), QStringLiteral("Shared"));
    QCOMPARE(footer.Icon(), tdiError);
    QCOMPARE(footer.Color(), clWindow);
}

void TestOptions::expandoAssignLeavesAnimationAlone()
{
    TVxExpando source(FDialog.get());
    source.Lines()->Add(QStringLiteral("details"));
    source.SetVisible(true);
    source.SetShowing(true);
    source.SetShowInFooter(true);
    source.SetMoreHeight(120);
    source.SetMoreFormat(mfRTF);
    source.SetMoreScrollbars(ssVertical);
    source.SetMoreSource(msFile);
    source.SetShowText(QStringLiteral("Show"));
    source.SetHideText(QStringLiteral("Hide"));
    source.Animate()->SetEnabled(true);
    source.FShowMore = true;

    TVxExpando target(FDialog.get());
    target.Assign(&source);
    QCOMPARE(target.Lines()->Lines(), QStringList{QStringLiteral("details")});
    QVERIFY(target.Visible());
    QVERIFY(target.Showing());
    QVERIFY(target.ShowInFooter());
    QCOMPARE(target.MoreHeight(), 120);
    QCOMPARE(target.MoreFormat(), mfRTF);
    QCOMPARE(target.MoreScrollbars(), ssVertical);
    QCOMPARE(target.MoreSource(), msFile);
    QCOMPARE(target.ShowText(), QStringLiteral("Show"));
    QCOMPARE(target.HideText(), QStringLiteral("Hide"));
    QVERIFY(!target.Animate()->Enabled());
    QVERIFY(!target.FShowMore);
}

// Classes whose Assign copies field by field: after copying a source with every published value
// changed, source and target agree on every published value (except those a class leaves out).
void TestOptions::copyLists()
{
    TVxButtonBarOptions bar(FDialog.get());
    bar.SetButtons({cbYes, cbNo});
    bar.SetColor(clRed);
    bar.SetVisible(false);
    bar.SetDefault(cbYes);
    bar.SetCancel(cbNo);
    bar.SetShowDivider(false);
    bar.SetUseDefault(false);
    bar.SetUseCancel(false);

    TVxHelpLink link(FDialog.get());
    TFont font;
    font.SetName(QStringLiteral("Courier New"));
    link.SetFont(&font);
    link.SetHelpContext(17);
    link.SetHelpType(htKeyword);
    link.SetHelpKeyword(QStringLiteral("topic"));
    link.SetText(QStringLiteral("Help"));

    TVxVerification verification(FDialog.get());
    verification.SetInitialState(true);
    verification.SetText(QStringLiteral("Do not ask again"));
    verification.SetVisible(true);

    TVxBorder border(FDialog.get());
    border.SetColor(clRed);
    border.SetWidth(3);
    border.SetVisible(true);

    TVxLocation location;
    location.SetLeft(10);
    location.SetTop(20);

    TVxTimer timer(FDialog.get());
    timer.SetInterval(250);

    TVxRadioButton radio(FDialog.get());
    radio.SetColumns(3);
    radio.SetShowBorder(true);
    radio.SetCaption(QStringLiteral("Choose"));

    TVxSheetOptions sheet(FDialog.get());
    sheet.SetLocation(slDesktop);
    sheet.SetInterval(100);

    TVxGradient gradient;
    gradient.SetDirection(gdVertical);
    gradient.SetEnabled(true);
    gradient.SetEndColor(clRed);
    gradient.SetStartColor(clBlue);

    TVxAnimate animate;
    animate.SetEnabled(true);
    animate.SetSpeed(30);
    animate.SetStep(5);

    TVxButtonOptions button(FDialog.get());
    button.CommandLinkColors()->SetEnabled(true);
    button.CommandLinkColors()->SetGradientEnd(clRed);

    const QList<const TPersistent*> sources{&bar, &link, &verification, &border, &location, &timer, &radio,
                                            &sheet, &gradient, &animate, &button};
    for (const TPersistent* source : sources) {
        const auto target = Factories().value(source->ClassName())(FDialog.get());
        QVERIFY2(Snapshot(*target) != Snapshot(*source), qPrintable(source->ClassName()));
        int notifications = 0;
        if (auto* changing = dynamic_cast<TVxChangePersistent*>(target.get()))
            changing->OnChange = TNotifyEvent([&](TObject*) { ++notifications; });
        target->Assign(source);
        QCOMPARE(Snapshot(*target), Snapshot(*source));
        // Only the classes that copy through notifying setters report the copy.
        const bool notifies = source == &link || source == &verification || source == &timer;
        QVERIFY2((notifications > 0) == notifies, qPrintable(source->ClassName()));
    }

    // The background is not published; compare its values directly.
    TVxBackground background(clRed, &gradient, QRect(1, 2, 3, 4), false, true);
    TVxBackground copy(0, nullptr, QRect(), true, false);
    copy.Assign(&background);
    QCOMPARE(copy.Color(), clRed);
    QCOMPARE(copy.CopyRect(), QRect(1, 2, 3, 4));
    QVERIFY(!copy.Buffered());
    QVERIFY(copy.AutoFree());
    QCOMPARE(Snapshot(*copy.Gradient()), Snapshot(gradient));
    QVERIFY(copy.Gradient() != background.Gradient());
}

void TestOptions::assignFallback_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("error");

    const QString ignored;
    QTest::newRow("Expando ignores") << "TVxExpando" << "TVxBorder" << ignored;
    QTest::newRow("HelpLink ignores") << "TVxHelpLink" << "TVxBorder" << ignored;
    QTest::newRow("Location ignores") << "TVxLocation" << "TVxBorder" << ignored;
    QTest::newRow("RadioButton ignores") << "TVxRadioButton" << "TVxBorder" << ignored;
    QTest::newRow("Location ignores nil") << "TVxLocation" << "" << ignored;
    for (const char* target : {"TVxHeader", "TVxFooter", "TVxInstruction", "TVxProgress", "TVxButtonBarOptions",
                               "TVxButtonOptions", "TVxVerification", "TVxTimer", "TVxSheetOptions", "TVxGradient",
                               "TVxBackground", "TVxAnimate"}) {
        const QString name = QString::fromLatin1(target);
        QTest::addRow("%s fails", target)
            << name << "TVxBorder" << QStringLiteral("Cannot assign a TVxBorder to a %1").arg(name);
    }
    QTest::newRow("Border fails") << "TVxBorder" << "TVxTimer"
                                  << QStringLiteral("Cannot assign a TVxTimer to a TVxBorder");
    QTest::newRow("Header from gradient fails") << "TVxHeader" << "TVxGradient"
                                              << QStringLiteral("Cannot assign a TVxGradient to a TVxHeader");
    QTest::newRow("Timer from nil") << "TVxTimer" << ""
                                    << QStringLiteral("Cannot assign a nil to a TVxTimer");
}

void TestOptions::assignFallback()
{
    QFETCH(QString, target);
    QFETCH(QString, source);
    QFETCH(QString, error);

    const auto object = Factories().value(target)(FDialog.get());
    const auto from = source.isEmpty() ? nullptr : Factories().value(source)(FDialog.get());
    if (auto* border = dynamic_cast<TVxBorder*>(from.get())) {
        border->SetColor(clRed);
        border->SetVisible(true);
    }
    const QStringList before = Snapshot(*object);
    try {
        object->Assign(from.get());
        QVERIFY2(error.isEmpty(), "no error raised");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), error);
    }
    QCOMPARE(Snapshot(*object), before);
}

void TestOptions::ownedObjectsCopyNeverShare()
{
    TVxExpando expando(FDialog.get());
    TVxAnimate animate;
    animate.SetSpeed(40);
    TVxAnimate* own = expando.Animate();
    expando.SetAnimate(&animate);
    QCOMPARE(expando.Animate(), own);
    QCOMPARE(own->Speed(), TVxSpeedRange(40));

    TVxHeader header(FDialog.get());
    TVxGradient gradient;
    gradient.SetEnabled(true);
    TVxGradient* ownGradient = header.Gradient();
    header.SetGradient(&gradient);
    QCOMPARE(header.Gradient(), ownGradient);
    QVERIFY(ownGradient->Enabled());

    // Through the reflection, as a form reader assigns.
    TVxButtonOptions button(FDialog.get());
    TVxCommandLinkColors colors;
    colors.SetGradientStart(clLime);
    TVxCommandLinkColors* ownColors = button.CommandLinkColors();
    GetPropInfo(button, QStringLiteral("CommandLinkColors"))->SetObj(button, &colors);
    QCOMPARE(button.CommandLinkColors(), ownColors);
    QCOMPARE(ownColors->GradientStart(), clLime);
}

// ---------------------------------------------------------------------------------------------

void TestOptions::determineDefaults_data()
{
    QTest::addColumn<TCommonButtons>("buttons");
    QTest::addColumn<TCommonButton>("defaultButton");
    QTest::addColumn<TCommonButton>("cancelButton");
    QTest::addColumn<int>("notifications");

    // Before each row: Default = cbAbort, Cancel = cbAll (so "unchanged" is visible).
    QTest::newRow("yes, no") << TCommonButtons{cbYes, cbNo} << cbYes << cbNo << 2;
    QTest::newRow("ok") << TCommonButtons{cbOK} << cbOK << cbAll << 1;
    QTest::newRow("abort, retry, ignore") << TCommonButtons{cbAbort, cbRetry, cbIgnore} << cbRetry << cbAbort << 2;
    QTest::newRow("no, cancel") << TCommonButtons{cbNo, cbCancel} << cbAbort << cbCancel << 1;
    QTest::newRow("ok, cancel, close") << TCommonButtons{cbOK, cbCancel, cbClose} << cbOK << cbCancel << 2;
    QTest::newRow("close") << TCommonButtons{cbClose} << cbClose << cbClose << 2;
    QTest::newRow("abort only") << TCommonButtons{cbAbort} << cbAbort << cbAbort << 1;
    QTest::newRow("all, no to all") << TCommonButtons{cbAll, cbNoToAll} << cbAll << cbNoToAll << 2;
    QTest::newRow("yes to all, help") << TCommonButtons{cbYesToAll, cbHelp} << cbYesToAll << cbHelp << 2;
    QTest::newRow("help") << TCommonButtons{cbHelp} << cbHelp << cbHelp << 2;
    QTest::newRow("ignore, help") << TCommonButtons{cbIgnore, cbHelp} << cbHelp << cbIgnore << 2;
    QTest::newRow("ok, yes") << TCommonButtons{cbOK, cbYes} << cbYes << cbAll << 1;
    QTest::newRow("retry, close, all") << TCommonButtons{cbRetry, cbClose, cbAll} << cbRetry << cbClose << 2;
    QTest::newRow("close, all, help") << TCommonButtons{cbClose, cbAll, cbHelp} << cbClose << cbClose << 2;
    QTest::newRow("no to all, help") << TCommonButtons{cbNoToAll, cbHelp} << cbHelp << cbNoToAll << 2;
    QTest::newRow("empty") << TCommonButtons{} << cbAbort << cbAll << 0;
}

void TestOptions::determineDefaults()
{
    QFETCH(TCommonButtons, buttons);
    QFETCH(TCommonButton, defaultButton);
    QFETCH(TCommonButton, cancelButton);
    QFETCH(int, notifications);

    TVxButtonBarOptions bar(FDialog.get());
    bar.SetButtons(buttons);
    bar.SetDefault(cbAbort);
    bar.SetCancel(cbAll);
    ChangeCounter counter(bar);
    bar.DetermineDefaults();
    QCOMPARE(bar.Default(), defaultButton);
    QCOMPARE(bar.Cancel(), cancelButton);
    QCOMPARE(counter.Count, notifications);

    // A second run finds everything in place.
    bar.DetermineDefaults();
    QCOMPARE(counter.Count, notifications);
}

void TestOptions::sizeComparer_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same") << 32 << 16 << true;
    QTest::newRow("width differs") << 31 << 16 << false;
    QTest::newRow("height differs") << 32 << 17 << false;
    QTest::newRow("swapped") << 16 << 32 << false;
}

void TestOptions::sizeComparer()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, equal);
    const TVxSizeComparer comparer(32, 16);
    QCOMPARE(comparer.IsEqual(width, height), equal);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
