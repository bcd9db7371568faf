// Form text: which properties are written, in which order, and how the lines are laid out.

#include "FormTextWriter.h"
#include "VxDialog.h"
#include "VxOptions.h"
#include "support/CgTestClasses.h"

#include <QImage>
#include <QTest>

#include <memory>

namespace {

QStringList Write(const TComponent* component, const TComponent* root = nullptr)
{
    if (!root)
        root = component->Owner() ? component->Owner() : component;
    TFormTextWriter writer(root);
    writer.WriteComponent(component);
    return writer.Lines();
}

// The hexadecimal lines of a binary value as the form text lays them out at the given indent.
QStringList HexLines(const QByteArray& data, const QString& indent)
{
    QStringList lines;
    for (qsizetype at = 0; at < data.size(); at += 32)
        lines.append(indent + QString::fromLatin1(data.mid(at, 32).toHex().toUpper()));
    lines.last() += QLatin1Char('}');
    return lines;
}

QImage SmallImage()
{
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30));
    image.setPixelColor(1, 1, QColor(255, 0, 0));
    return image;
}

// A component whose class reports a property of a kind the writer cannot stream.
class TCgOdd : public TComponent {
public:
    using TComponent::TComponent;
    const TClassInfo* ClassInfo() const override
    {
        static const TClassInfo info = [] {
            TPropInfo odd;
            odd.Name = QStringLiteral("Odd");
            odd.Kind = static_cast<TTypeKind>(42);
            odd.TypeName = QStringLiteral("TOdd");
            return TClassInfo(QStringLiteral("TCgOdd"), &TComponent::StaticClassInfo(), {odd});
        }();
        return &info;
    }
};

} // namespace

class TstFormText : public QObject {
    Q_OBJECT

private slots:
    void defaultComponent();
    void everyValueKind();
    void storedAndDefaultRules();
    void componentReferences_data();
    void componentReferences();
    void redeclaredPropertyKeepsInheritedPlace();
    void events_data();
    void events();
    void longStrings();
    void stringListItems();
    void binaryLayout_data();
    void binaryLayout();
    void collections();
    void nestedControls();
    void lineEndsAndByteOrderMark();
    void unknownValueKind();
    void dialogFontsFollowUseDefaultFonts();
};

void TstFormText::defaultComponent()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    // Mixed has no declared default, so even the empty set is written; the collection has no
    // stored rule, so it is written empty.
    QCOMPARE(Write(thing), (QStringList{"object Thing1: TCgThing", "  Mixed = []", "  Items = <>", "end"}));

    TCgImageList plain;
    QCOMPARE(Write(&plain), (QStringList{"object TCgImageList", "end"}));
}

void TstFormText::everyValueKind()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* images = new TCgImageList(&root);
    images->SetName(QStringLiteral("ImageList1"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    thing->SetDesignPosition(336, 184);

    thing->SetCount(3);
    thing->SetBig(12345678901234);
    thing->SetFlag(true);
    thing->SetShade(shDark);
    thing->SetShades({shBlack, shLight});
    thing->SetTitle(QStringLiteral("It's a test"));
    thing->SetRatio(1.5);
    thing->SetScale(2.5);
    thing->SetPrice(12.5);
    thing->SetWhen(45000.25);
    thing->SetColor(clWindowText);
    thing->SetCharset(ANSI_CHARSET);
    thing->Lines()->Add(QStringLiteral("first"));
    thing->Lines()->Add(QStringLiteral("second"));
    thing->Options()->SetCaption(QStringLiteral("Opt"));
    thing->Options()->SetLevel(2);
    thing->Options()->Notes()->Add(QStringLiteral("n"));
    thing->SetUseDefaultFont(false);
    thing->Font()->SetCharset(ANSI_CHARSET);
    thing->Font()->SetColor(clRed);
    thing->Font()->SetHeight(-12);
    thing->Font()->SetName(QStringLiteral("DejaVu Sans"));
    thing->Font()->SetStyle({fsBold});
    thing->Picture()->Png()->SetImage(SmallImage());
    thing->Items()->SetImages(images);
    TCgItem* item = thing->Items()->Add();
    item->SetCaption(QStringLiteral("A"));
    item->SetValue(100);
    item->SetEnabled(false);
    item->Info()->Add(QStringLiteral("x"));
    thing->SetLink(images);
    thing->SetSecret(5);
    thing->SetCounted(7);
    thing->SetFixedValue(9);
    thing->SetDirect(4);
    thing->Sub()->SetCaption(QStringLiteral("inner"));
    thing->OnChange = TNotifyEvent([](TObject*) {}, &root, QStringLiteral("ThingChange"));

    QStringList expected{
        "object Thing1: TCgThing",
        "  Count = 3",
        "  Big = 12345678901234",
        "  Flag = True",
        "  Shade = shDark",
        "  Shades = [shLight, shBlack]",
        "  Mixed = []",
        "  Title = 'It'#39's a test'",
        "  Ratio = 1.500000000000000000",
        "  Scale = 2.5s",
        "  Price = 12.5c",
        "  When = 45000.25d",
        "  Color = clWindowText",
        "  Charset = ANSI_CHARSET",
        "  Lines.Strings = (",
        "    'first'",
        "    'second')",
        "  Options.Caption = 'Opt'",
        "  Options.Level = 2",
        "  Options.Notes.Strings = (",
        "    'n')",
        "  UseDefaultFont = False",
        "  Font.Charset = ANSI_CHARSET",
        "  Font.Color = clRed",
        "  Font.Height = -12",
        "  Font.Name = 'DejaVu Sans'",
        "  Font.Style = [fsBold]",
        "  Picture.Data = {",
    };
    expected += HexLines(thing->Picture()->SaveToData(), QStringLiteral("    "));
    expected += QStringList{
        "  Items.Images = ImageList1",
        "  Items = <",
        "    item",
        "      Caption = 'A'",
        "      Value = 100",
        "      Enabled = False",
        "      Info.Strings = (",
        "        'x')",
        "    end>",
        "  Link = ImageList1",
        "  Counted = 7",
        "  Direct = 4",
        "  Sub.Caption = 'inner'",
        "  OnChange = ThingChange",
        "  Left = 336",
        "  Top = 184",
        "end",
    };
    QVERIFY(thing->Picture()->SaveToData().size() > 64);
    QCOMPARE(Write(thing), expected);
}

void TstFormText::storedAndDefaultRules()
{
    TCgThing thing;
    thing.SetName(QStringLiteral("T"));
    const auto lines = [&] { return Write(&thing); };

    // A stored predicate decides per instance.
    thing.SetCounted(7);
    QVERIFY(!lines().contains(QStringLiteral("  Counted = 7")));
    thing.SetCount(1);
    QVERIFY(lines().contains(QStringLiteral("  Counted = 7")));

    // A property without a declared default is written whatever its value; with one it is left
    // out while it holds that default.
    thing.SetColor(clWindow);
    thing.SetCharset(DEFAULT_CHARSET);
    QVERIFY(!lines().join('\n').contains(QStringLiteral("Color")));
    QVERIFY(!lines().join('\n').contains(QStringLiteral("Charset")));

    // Floats with a declared default are left out at 0; a font is left out by its stored rule
    // whatever its values.
    thing.Font()->SetHeight(-30);
    QVERIFY(!lines().join('\n').contains(QStringLiteral("Font.")));
    thing.SetUseDefaultFont(false);
    const QStringList withFont = lines();
    QVERIFY(withFont.contains(QStringLiteral("  Font.Height = -30")));
    // Orientation, Pitch and Quality only when they differ from their defaults; Size never.
    QVERIFY(!withFont.join('\n').contains(QStringLiteral("Font.Size")));
    QVERIFY(!withFont.join('\n').contains(QStringLiteral("Font.Pitch")));
    thing.Font()->SetPitch(fpFixed);
    thing.Font()->SetOrientation(900);
    thing.Font()->SetQuality(fqClearType);
    const QStringList fontLines = lines().filter(QStringLiteral("Font."));
    QCOMPARE(fontLines.size(), 8);
    QCOMPARE(fontLines.at(4), QStringLiteral("  Font.Orientation = 900"));
    QCOMPARE(fontLines.at(5), QStringLiteral("  Font.Pitch = fpFixed"));
    QCOMPARE(fontLines.at(7), QStringLiteral("  Font.Quality = fqClearType"));

    // Never stored and read-only properties stay out; a property stored without a setter method
    // is written.
    thing.SetSecret(3);
    thing.SetFixedValue(4);
    thing.SetDirect(5);
    const QString all = lines().join('\n');
    QVERIFY(!all.contains(QStringLiteral("Secret")));
    QVERIFY(!all.contains(QStringLiteral("  Fixed =")));
    QVERIFY(all.contains(QStringLiteral("  Direct = 5")));

    // A reference to a component without a name is not written; nor is an empty string.
    TCgImageList anonymous;
    thing.SetLink(&anonymous);
    thing.SetTitle(QString());
    QVERIFY(!lines().join('\n').contains(QStringLiteral("Link")));
    QVERIFY(!lines().join('\n').contains(QStringLiteral("Title")));
    // The root itself is "Owner".
    thing.SetLink(&thing);
    QVERIFY(lines().contains(QStringLiteral("  Link = Owner")));
    thing.SetLink(nullptr);
}

void TstFormText::componentReferences_data()
{
    QTest::addColumn<bool>("thingIsRoot");
    QTest::addColumn<QString>("targetOwner");
    QTest::addColumn<QString>("expected");
    // A writable property names the component whoever owns it; only a read-only property whose
    // component the publishing object owns (Sub) is written in place.
    QTest::newRow("root links a component it owns") << true << "thing" << "  Link = List1";
    QTest::newRow("component links one it owns") << false << "thing" << "  Link = Thing1.List1";
    QTest::newRow("component of the root") << false << "root" << "  Link = List1";
    QTest::newRow("component of another form") << false << "other" << "  Link = Form2.List1";
}

void TstFormText::componentReferences()
{
    QFETCH(bool, thingIsRoot);
    QFETCH(QString, targetOwner);
    QFETCH(QString, expected);
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    TComponent other;
    other.SetName(QStringLiteral("Form2"));
    auto* thing = new TCgThing(thingIsRoot ? nullptr : &root);
    const std::unique_ptr<TCgThing> ownerless(thingIsRoot ? thing : nullptr);
    thing->SetName(QStringLiteral("Thing1"));
    thing->Sub()->SetCaption(QStringLiteral("inner"));
    TComponent* targetOwnerComponent = targetOwner == QLatin1String("thing") ? static_cast<TComponent*>(thing)
                                     : targetOwner == QLatin1String("root")  ? &root
                                                                             : &other;
    auto* list = new TCgImageList(targetOwnerComponent);
    list->SetName(QStringLiteral("List1"));
    thing->SetLink(list);

    const QStringList lines = Write(thing);
    QVERIFY2(lines.contains(expected), qPrintable(lines.join('\n')));
    QVERIFY2(lines.filter(QStringLiteral("Link")).size() == 1, qPrintable(lines.join('\n')));
    QVERIFY(lines.contains(QStringLiteral("  Sub.Caption = 'inner'")));
    thing->SetLink(nullptr);
}

void TstFormText::redeclaredPropertyKeepsInheritedPlace()
{
    TCgThing2 thing;
    thing.SetName(QStringLiteral("T2"));
    // shLight is the redeclared default.
    QCOMPARE(Write(&thing), (QStringList{"object T2: TCgThing2", "  Mixed = []", "  Items = <>", "end"}));
    thing.SetShade(shNone);
    thing.SetFlag(true);
    thing.SetShades({shDark});
    thing.SetExtra(QStringLiteral("e"));
    QCOMPARE(Write(&thing), (QStringList{"object T2: TCgThing2", "  Flag = True", "  Shade = shNone",
                                         "  Shades = [shDark]", "  Mixed = []", "  Items = <>", "  Extra = 'e'",
                                         "end"}));
}

void TstFormText::events_data()
{
    QTest::addColumn<int>("owner"); // 0 the root, 1 the component itself, 2 none
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("written");
    QTest::newRow("named handler of the root") << 0 << "ThingChange" << true;
    QTest::newRow("handler of another object") << 1 << "ThingChange" << false;
    QTest::newRow("handler without an owner") << 2 << "ThingChange" << false;
    QTest::newRow("internal handler without a name") << 0 << "" << false;
}

void TstFormText::events()
{
    QFETCH(int, owner);
    QFETCH(QString, name);
    QFETCH(bool, written);
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    const TObject* data = owner == 0 ? static_cast<const TObject*>(&root)
                        : owner == 1 ? static_cast<const TObject*>(thing)
                                     : nullptr;
    thing->OnDone = TNotifyEvent([](TObject*) {}, data, name);
    QCOMPARE(Write(thing).contains(QStringLiteral("  OnDone = ThingChange")), written);
    QCOMPARE(Write(thing).size(), written ? 5 : 4);
}

void TstFormText::longStrings()
{
    TCgThing thing;
    thing.SetName(QStringLiteral("T"));
    thing.SetTitle(QString(64, QLatin1Char('a')));
    QVERIFY(Write(&thing).contains(QStringLiteral("  Title = '") + QString(64, QLatin1Char('a')) + "'"));

    thing.SetTitle(QString(100, QLatin1Char('b')));
    QStringList lines = Write(&thing);
    qsizetype at = lines.indexOf(QStringLiteral("  Title = "));
    QVERIFY(at > 0);
    QCOMPARE(lines.at(at + 1), QStringLiteral("    '") + QString(64, QLatin1Char('b')) + QStringLiteral("' +"));
    QCOMPARE(lines.at(at + 2), QStringLiteral("    '") + QString(36, QLatin1Char('b')) + QStringLiteral("'"));

    // 64 plain units and a line break: 66 units, so the value starts on its own line.
    thing.SetTitle(QString(64, QLatin1Char('c')) + QStringLiteral("\r\n"));
    lines = Write(&thing);
    at = lines.indexOf(QStringLiteral("  Title = "));
    QVERIFY(at > 0);
    QCOMPARE(lines.mid(at + 1, 2),
             (QStringList{QStringLiteral("    '") + QString(64, QLatin1Char('c')) + QStringLiteral("' +"),
                          QStringLiteral("    #13#10")}));

    // Within a sub-object the continuation lines are one level below the property line.
    thing.Options()->SetCaption(QString(65, QLatin1Char('d')));
    lines = Write(&thing);
    at = lines.indexOf(QStringLiteral("  Options.Caption = "));
    QVERIFY(at > 0);
    QCOMPARE(lines.at(at + 2), QStringLiteral("    'd'"));
}

void TstFormText::stringListItems()
{
    TCgThing thing;
    thing.SetName(QStringLiteral("T"));
    thing.Lines()->Add(QString());
    QStringList lines = Write(&thing);
    QCOMPARE(lines.mid(lines.indexOf(QStringLiteral("  Lines.Strings = (")), 2),
             (QStringList{"  Lines.Strings = (", "    '')"}));

    // An item longer than one segment: a line of indentation only, then its segments one level
    // deeper; the list's ")" follows the last segment of the last item.
    thing.Lines()->Clear();
    thing.Lines()->Add(QString(70, QLatin1Char('x')));
    thing.Lines()->Add(QStringLiteral("short"));
    thing.Lines()->Add(QString(70, QLatin1Char('y')));
    lines = Write(&thing);
    const qsizetype at = lines.indexOf(QStringLiteral("  Lines.Strings = ("));
    QVERIFY(at > 0);
    QCOMPARE(lines.mid(at + 1, 7), (QStringList{
                                       "    ",
                                       "      '" + QString(64, QLatin1Char('x')) + "' +",
                                       "      'xxxxxx'",
                                       "    'short'",
                                       "    ",
                                       "      '" + QString(64, QLatin1Char('y')) + "' +",
                                       "      'yyyyyy')",
                                   }));
}

void TstFormText::binaryLayout_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("lineCount");
    QTest::newRow("empty") << 0 << 1;
    QTest::newRow("shorter than a line") << 31 << 1;
    QTest::newRow("exactly one line") << 32 << 2;
    QTest::newRow("one byte more") << 33 << 3;
    QTest::newRow("two full lines") << 64 << 3;
}

void TstFormText::binaryLayout()
{
    QFETCH(int, size);
    QFETCH(int, lineCount);
    QByteArray data;
    for (int i = 0; i < size; ++i)
        data.append(char(i * 7));
    TFormTextWriter writer(nullptr);
    TFormProperty property{QStringLiteral("Glyph.Data"), {}};
    property.Value.Type = vaBinary;
    property.Value.Data = data;
    writer.WriteProperty(QStringLiteral("T"), property, 1);
    const QStringList& lines = writer.Lines();
    QCOMPARE(lines.size(), lineCount);
    if (size < 32) {
        QCOMPARE(lines.first(), "  Glyph.Data = {" + QString::fromLatin1(data.toHex().toUpper()) + "}");
        return;
    }
    QCOMPARE(lines.first(), QStringLiteral("  Glyph.Data = {"));
    QCOMPARE(lines.mid(1), HexLines(data, QStringLiteral("    ")));
    for (int i = 1; i + 1 < lines.size(); ++i)
        QCOMPARE(lines.at(i).size(), 4 + 64);
}

void TstFormText::collections()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    for (int i = 0; i < 2; ++i) {
        TCgItem* item = thing->Items()->Add();
        item->SetValue(200 + i);
    }
    thing->Items()->Item(1)->SetShade(shBlack);
    thing->Items()->Item(1)->SetCaption(QString(66, QLatin1Char('c')));
    thing->Items()->Item(1)->Glyph()->Png()->SetImage(SmallImage());
    QStringList expected{"object Thing1: TCgThing", "  Mixed = []", "  Items = <", "    item", "      Value = 200",
                         "    end", "    item", "      Caption = ", "        '" + QString(64, QLatin1Char('c')) + "' +",
                         "        'cc'", "      Value = 201", "      Shade = shBlack", "      Glyph.Data = {"};
    expected += HexLines(thing->Items()->Item(1)->Glyph()->SaveToData(), QStringLiteral("        "));
    expected += QStringList{"    end>", "end"};
    QCOMPARE(Write(thing), expected);
}

void TstFormText::nestedControls()
{
    TCgForm form;
    form.SetName(QStringLiteral("Form1"));
    form.SetCaption(QStringLiteral("Main"));
    auto* images = new TCgImageList(&form);
    images->SetName(QStringLiteral("ImageList1"));
    auto* panel = new TCgWinControl(&form);
    panel->SetName(QStringLiteral("Panel1"));
    panel->SetParentControl(&form);
    panel->SetLeft(8);
    auto* label = new TCgControl(&form);
    label->SetName(QStringLiteral("Label1"));
    label->SetParentControl(panel);
    label->SetCaption(QStringLiteral("Hello"));
    label->OnClick = TNotifyEvent([](TObject*) {}, &form, QStringLiteral("Label1Click"));
    // A control owned elsewhere is not streamed by its parent.
    TCgControl foreign;
    foreign.SetName(QStringLiteral("Foreign"));
    foreign.SetParentControl(panel);

    QCOMPARE(Write(&form), (QStringList{
                               "object Form1: TCgForm",
                               "  Left = 0",
                               "  Top = 0",
                               "  Caption = 'Main'",
                               "  TextHeight = 13",
                               "  object ImageList1: TCgImageList",
                               "  end",
                               "  object Panel1: TCgWinControl",
                               "    Left = 8",
                               "    Top = 0",
                               "    object Label1: TCgControl",
                               "      Left = 0",
                               "      Top = 0",
                               "      Caption = 'Hello'",
                               "      OnClick = Label1Click",
                               "    end",
                               "  end",
                               "end",
                           }));
    foreign.SetParentControl(nullptr);
}

void TstFormText::lineEndsAndByteOrderMark()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    thing->SetTitle(QStringLiteral("Gr\u00FC\u00DFe \u20AC"));

    // Strings are escaped, so the text stays ASCII and has no byte order mark.
    QByteArray text = ComponentFormText(thing);
    QVERIFY(!text.startsWith("\xEF\xBB\xBF"));
    QVERIFY(text.startsWith("object Thing1: TCgThing\r\n"));
    QVERIFY(text.endsWith("end\r\n"));
    QCOMPARE(text.count("\r\n"), 5);
    QCOMPARE(text.count('\n'), 5);
    QVERIFY(text.contains("  Title = 'Gr'#252#223'e '#8364\r\n"));
    QCOMPARE(FormTextLines(text), Write(thing));

    // An identifier that is not ASCII is written in UTF-8 behind the byte order mark.
    thing->SetName(QStringLiteral("\u00C4rger"));
    text = ComponentFormText(thing);
    QVERIFY(text.startsWith("\xEF\xBB\xBFobject \xC3\x84rger: TCgThing\r\n"));
    const QStringList lines = FormTextLines(text);
    QCOMPARE(lines.first(), QStringLiteral("object \u00C4rger: TCgThing"));
    QCOMPARE(lines, Write(thing));
}

void TstFormText::unknownValueKind()
{
    TFormTextWriter writer(nullptr);
    TFormProperty property{QStringLiteral("Title"), {}};
    property.Value.Type = static_cast<TValueType>(99);
    try {
        writer.WriteProperty(QStringLiteral("VxDialog1"), property, 1);
        QFAIL("no read error");
    } catch (const EReadError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Error reading VxDialog1.Title: 99"));
    }

    // A property kind the writer cannot stream reaches the text conversion as no value at all.
    TCgOdd odd;
    odd.SetName(QStringLiteral("Odd1"));
    try {
        ComponentFormText(&odd);
        QFAIL("no read error");
    } catch (const EReadError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Error reading Odd1.Odd: 0"));
    }
}

void TstFormText::dialogFontsFollowUseDefaultFonts()
{
    SetStyleServicesEnabled(false);
    TVxDialog dialog;
    dialog.SetName(QStringLiteral("VxDialog1"));
    dialog.SetTitle(QStringLiteral("T"));
    QCOMPARE(Write(&dialog), (QStringList{"object VxDialog1: TVxDialog", "  Title = 'T'", "end"}));

    // Every font appears with its five always-written lines, in the place of its property: the
    // option objects' fonts inside their blocks, the dialog's own before UseDefaultFonts.
    dialog.SetUseDefaultFonts(false);
    const QStringList lines = Write(&dialog);
    QStringList order;
    for (const QString& line : lines) {
        const qsizetype at = line.indexOf(QLatin1String("Font."));
        if (at < 0)
            continue;
        const QString prefix = line.mid(2, at - 2 + 5);
        if (order.isEmpty() || order.last() != prefix)
            order.append(prefix);
    }
    QCOMPARE(order, (QStringList{"Expando.Font.", "Instruction.Font.", "Footer.Font.", "Header.Font.",
                                 "HelpLink.Font.", "Font."}));
    for (const QString& prefix : order) {
        QStringList names;
        for (const QString& line : lines)
            if (line.startsWith(QStringLiteral("  ") + prefix))
                names.append(line.mid(2 + prefix.size()).section(QLatin1Char(' '), 0, 0));
        for (const char* name : {"Charset", "Color", "Height", "Style"})
            QVERIFY2(names.contains(QLatin1String(name)), qPrintable(prefix + name));
        QVERIFY(!names.contains(QStringLiteral("Size")));
    }
    const qsizetype dialogFont = lines.indexOf(lines.filter(QStringLiteral("  Font.Charset = ")).value(0));
    QVERIFY(dialogFont > 0);
    QCOMPARE(lines.indexOf(QStringLiteral("  UseDefaultFonts = False")), dialogFont + 5);
}

QTEST_MAIN(TstFormText)
#include "tst_formtext.moc"
