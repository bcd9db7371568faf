// Reading form text back: every value kind, the errors with their places, hostile input, and the
// round trip (write, read into a fresh component, write again: the same bytes).

#include "FormTextReader.h"
#include "FormTextWriter.h"
#include "ImageList.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "VxOptions.h"
#include "support/CgTestClasses.h"
#include "support/RandomDesign.h"
#include "support/WorkedExample.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTest>

namespace {

QByteArray Crlf(const QStringList& Lines)
{
    QByteArray text;
    for (const QString& line : Lines)
        text += line.toUtf8() + "\r\n";
    return text;
}

QByteArray SmallIconData()
{
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(QColor(20, 40, 200));
    TPicture picture;
    picture.Icon()->SetImage(image);
    return picture.SaveToData();
}

// A fresh TCgThing of frmMain (which also owns ImageList1) to read into.
struct TThingFixture {
    TComponent Root;
    TCgImageList* Images;
    TCgThing* Thing;
    TThingFixture()
    {
        Root.SetName(QStringLiteral("frmMain"));
        Images = new TCgImageList(&Root);
        Images->SetName(QStringLiteral("ImageList1"));
        Thing = new TCgThing(&Root);
        Thing->SetName(QStringLiteral("Thing1"));
    }
    // The property lines the writer gives for the thing (header, Mixed, Items and end left out).
    QStringList Written() const
    {
        TFormTextWriter writer(&Root);
        writer.WriteComponent(Thing);
        QStringList lines = writer.Lines().mid(1, writer.Lines().size() - 2);
        lines.removeAll(QStringLiteral("  Mixed = []"));
        lines.removeAll(QStringLiteral("  Items = <>"));
        return lines;
    }
};

void RegisterTestControls()
{
    RegisterComponentClass(QStringLiteral("TCgControl"), [](TComponent* Owner) { return new TCgControl(Owner); });
    RegisterComponentClass(QStringLiteral("TCgWinControl"), [](TComponent* Owner) { return new TCgWinControl(Owner); });
    RegisterComponentClass(QStringLiteral("TCgEdit"), [](TComponent* Owner) { return new TCgEdit(Owner); });
    RegisterComponentClass(QStringLiteral("TCgImageList"), [](TComponent* Owner) { return new TCgImageList(Owner); });
}

// Writes Component, reads the text into Fresh (same lookup root), writes Fresh: same bytes.
void CheckRoundTrip(const TComponent* Component, TComponent* Fresh, TComponent* Root, const QString& Context = {})
{
    const QByteArray first = ComponentFormText(Component, Root);
    try {
        ReadComponentFormText(first, Fresh, Root);
    } catch (const Exception& E) {
        QFAIL(qPrintable(Context + QStringLiteral(": reading failed: ") + E.Message() + QStringLiteral("\n")
                         + QString::fromUtf8(first)));
    }
    const QByteArray second = ComponentFormText(Fresh, Root);
    if (first != second) {
        const QStringList a = FormTextLines(first);
        const QStringList b = FormTextLines(second);
        for (int i = 0; i < std::max(a.size(), b.size()); ++i)
            if (a.value(i) != b.value(i))
                QFAIL(qPrintable(QStringLiteral("%1: line %2 differs:\n  written: %3\n  again:   %4")
                                     .arg(Context)
                                     .arg(i + 1)
                                     .arg(a.value(i), b.value(i))));
    }
}

} // namespace

class TstFormTextReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void values_data();
    void values();
    void errors_data();
    void errors();
    void hostileInput_data();
    void hostileInput();
    void multibyteCharactersAcrossLongText();
    void skipUnknownReadsTheRest();
    void nestedObjectsAndForwardReferences();
    void findsTheDialogInAFormFile();
    void roundTripFixedDesigns();
    void roundTripRandomDialogs();
    void picturesOfOneDesignShareABound_data();
    void picturesOfOneDesignShareABound();
};

void TstFormTextReader::initTestCase()
{
    RegisterTestControls();
}

// Each row: property lines of a TCgThing as a file may hold them, and the lines the writer gives
// after reading them.
void TstFormTextReader::values_data()
{
    QTest::addColumn<QStringList>("text");
    QTest::addColumn<QStringList>("written");

    QTest::newRow("integer") << QStringList{"  Count = 3"} << QStringList{"  Count = 3"};
    QTest::newRow("negative hexadecimal") << QStringList{"  count = -$10"} << QStringList{"  Count = -16"};
    QTest::newRow("64-bit integer") << QStringList{"  Big = -9223372036854775808"}
                                    << QStringList{"  Big = -9223372036854775808"};
    QTest::newRow("boolean any case") << QStringList{"  Flag = TRUE"} << QStringList{"  Flag = True"};
    QTest::newRow("enumeration any case") << QStringList{"  Shade = SHDARK"} << QStringList{"  Shade = shDark"};
    QTest::newRow("set") << QStringList{"  Shades = [shBlack, shlight ,shBlack]"}
                         << QStringList{"  Shades = [shLight, shBlack]"};
    QTest::newRow("empty set") << QStringList{"  Shades = [ ]"} << QStringList{};
    QTest::newRow("string escapes") << QStringList{"  Title = 'It'#39's'#13#10'two'#$20AC''"}
                                    << QStringList{"  Title = 'It'#39's'#13#10'two'#8364"};
    QTest::newRow("doubled apostrophe") << QStringList{"  Title = 'It''s'"} << QStringList{"  Title = 'It'#39's'"};
    QTest::newRow("character above the basic plane") << QStringList{"  Title = #128512"}
                                                     << QStringList{"  Title = #55357#56832"};
    QTest::newRow("continued string")
        << QStringList{"  Title = ", "    '" + QString(64, 'a') + "' +", "", "    'bb' + #39"}
        << QStringList{"  Title = ", "    '" + QString(64, 'a') + "' +", "    'bb'#39"};
    QTest::newRow("empty string") << QStringList{"  Title = ''"} << QStringList{};
    QTest::newRow("floats") << QStringList{"  Ratio = 1.5", "  Scale = 2.5s", "  Price = 12.5C", "  When = 4.500025E4d"}
                            << QStringList{"  Ratio = 1.500000000000000000", "  Scale = 2.5s", "  Price = 12.5c",
                                           "  When = 45000.25d"};
    QTest::newRow("integer for a float") << QStringList{"  Ratio = -2"} << QStringList{"  Ratio = -2.000000000000000000"};
    QTest::newRow("colour name any case") << QStringList{"  Color = CLWINDOWTEXT"}
                                          << QStringList{"  Color = clWindowText"};
    QTest::newRow("colour number") << QStringList{"  Color = 15790320"} << QStringList{"  Color = 15790320"};
    QTest::newRow("charset name") << QStringList{"  Charset = ANSI_CHARSET"} << QStringList{"  Charset = ANSI_CHARSET"};
    QTest::newRow("string list") << QStringList{"  Lines.Strings = (", "    'first'", "    ''", "    'sec' +", "    'ond')"}
                                 << QStringList{"  Lines.Strings = (", "    'first'", "    ''", "    'second')"};
    QTest::newRow("sub-object path") << QStringList{"  options.caption = 'Opt'", "  Options.Notes.Strings = ('n')"}
                                     << QStringList{"  Options.Caption = 'Opt'", "  Options.Notes.Strings = (",
                                                    "    'n')"};
    QTest::newRow("font") << QStringList{"  UseDefaultFont = False", "  Font.Name = 'Courier New'", "  Font.Style = [fsBold]"}
                          << QStringList{"  UseDefaultFont = False", "  Font.Charset = DEFAULT_CHARSET",
                                         "  Font.Color = clWindowText", "  Font.Height = -11",
                                         "  Font.Name = 'Courier New'", "  Font.Style = [fsBold]"};
    const QString hex = QString::fromLatin1(SmallIconData().toHex().toUpper());
    QStringList pictureLines{"  Picture.Data = {"};
    for (int at = 0; at < hex.size(); at += 64)
        pictureLines.append("    " + hex.mid(at, 64));
    pictureLines.last() += '}';
    QTest::newRow("binary picture") << QStringList{"  Picture.Data = {" + hex.left(10) + "   ", hex.mid(10) + "}"}
                                    << pictureLines;
    QTest::newRow("collection")
        << QStringList{"  Items.Images = ImageList1", "  Items = <", "    item", "      Caption = 'a'", "      Value = 7",
                       "    end", "    ITEM", "      Shade = shBlack", "      Info.Strings = ('i')", "    END>"}
        << QStringList{"  Items.Images = ImageList1", "  Items = <", "    item", "      Caption = 'a'", "      Value = 7",
                       "    end", "    item", "      Value = 0", "      Shade = shBlack", "      Info.Strings = (",
                       "        'i')", "    end>"};
    QTest::newRow("reference and handler") << QStringList{"  Link = imagelist1", "  OnDone = ThingDone"}
                                           << QStringList{"  Link = ImageList1", "  OnDone = ThingDone"};
    QTest::newRow("reference to the root") << QStringList{"  Link = Owner"} << QStringList{"  Link = Owner"};
    QTest::newRow("nil") << QStringList{"  Link = nil", "  OnDone = nil"} << QStringList{};
    QTest::newRow("sub-component") << QStringList{"  Sub.Caption = 'part'"} << QStringList{"  Sub.Caption = 'part'"};
    QTest::newRow("designer position") << QStringList{"  Left = 336", "  top = -4"}
                                       << QStringList{"  Left = 336", "  Top = -4"};
    QTest::newRow("property named like a keyword") << QStringList{"  Title = 'x'", "  Left = 1"}
                                                   << QStringList{"  Title = 'x'", "  Left = 1"};
}

void TstFormTextReader::values()
{
    QFETCH(QStringList, text);
    QFETCH(QStringList, written);
    TThingFixture f;
    ReadComponentFormText(Crlf(QStringList{"object Thing1: TCgThing"} + text + QStringList{"end"}), f.Thing, &f.Root);
    QCOMPARE(f.Written(), written);
}

// Each row: the lines after "object Thing1: TCgThing" (line 1), and the message.
void TstFormTextReader::errors_data()
{
    QTest::addColumn<QStringList>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown property") << QStringList{"  Count = 1", "  Titel = 'x'", "end"}
                                      << "line 3, column 3: unknown property 'Titel' of TCgThing";
    QTest::newRow("unknown sub-property") << QStringList{"  Options.Captio = 'x'", "end"}
                                          << "line 2, column 11: unknown property 'Captio' of TCgOptions";
    QTest::newRow("path through a simple value") << QStringList{"  Count.Value = 1", "end"}
                                                 << "line 2, column 3: property 'Count' of TCgThing holds no object";
    QTest::newRow("string for an integer") << QStringList{"  Count = '3'", "end"}
                                           << "line 2, column 11: expected an integer for Count but found a string";
    QTest::newRow("integer for a string") << QStringList{"  Title = 5", "end"}
                                          << "line 2, column 11: expected a string for Title but found the number 5";
    QTest::newRow("unknown enumeration value") << QStringList{"  Shade = shPurple", "end"}
                                               << "line 2, column 11: 'shPurple' is not a value of TCgShade";
    QTest::newRow("not a boolean") << QStringList{"  Flag = Yes", "end"}
                                   << "line 2, column 10: expected True or False for Flag but found the identifier Yes";
    QTest::newRow("unknown set element") << QStringList{"  Shades = [shLight, shPink]", "end"}
                                         << "line 2, column 22: 'shPink' is not an element of TCgShades";
    QTest::newRow("unknown colour") << QStringList{"  Color = clPlaid", "end"}
                                    << "line 2, column 11: 'clPlaid' is not a name of TColor";
    QTest::newRow("integer out of range") << QStringList{"  Count = 2147483648", "end"}
                                          << "line 2, column 11: 2147483648 is out of range for Integer "
                                             "(-2147483648..2147483647)";
    QTest::newRow("charset out of range") << QStringList{"  Charset = 256", "end"}
                                          << "line 2, column 13: 256 is out of range for TFontCharset (0..255)";
    QTest::newRow("designer position out of range") << QStringList{"  Left = 40000", "end"}
                                                    << "line 2, column 10: Left: 40000 is out of range for a designer "
                                                       "position (-32768..32767)";
    QTest::newRow("read-only property") << QStringList{"  Fixed = 1", "end"}
                                        << "line 2, column 11: property 'Fixed' of TCgThing cannot be set";
    QTest::newRow("no setter") << QStringList{"  Direct = 1", "end"}
                               << "line 2, column 12: property 'Direct' of TCgThing cannot be set";
    QTest::newRow("unknown component") << QStringList{"  Link = ImageList9", "end"}
                                       << "line 2, column 10: unknown component 'ImageList9'";
    QTest::newRow("string in a set") << QStringList{"  Shades = ['a']", "end"}
                                     << "line 2, column 13: expected a set element but found '''";
    QTest::newRow("number in a list") << QStringList{"  Lines.Strings = (", "    'a'", "    5)", "end"}
                                      << "line 4, column 5: expected a string in the list Strings but found the number 5";
    QTest::newRow("bad picture data") << QStringList{"  Picture.Data = {0554497A6F6E}", "end"}
                                      << "line 2, column 18: Picture.Data: The picture data holds an unknown graphic "
                                         "class \"TIzon\"";
    QTest::newRow("missing equals sign") << QStringList{"  Count 1", "end"}
                                         << "line 2, column 9: expected '=' after the property name but found '1'";
    QTest::newRow("unterminated string") << QStringList{"  Title = 'abc", "end"}
                                         << "line 2, column 11: unterminated string";
    QTest::newRow("plus without a string") << QStringList{"  Title = 'a' +", "  Count = 1", "end"}
                                           << "line 3, column 3: expected a string after '+' but found 'C'";
    QTest::newRow("missing end") << QStringList{"  Count = 1"}
                                 << "line 3, column 1: expected 'end' of object Thing1 (line 1) but found the end of the text";
    QTest::newRow("unclosed list") << QStringList{"  Lines.Strings = (", "    'a'"}
                                   << "line 4, column 1: expected ')' at the end of the list (line 2) but found the end "
                                      "of the text";
    QTest::newRow("item without end") << QStringList{"  Items = <", "    item", "      Value = 1", "  >", "end"}
                                      << "line 5, column 3: expected a property name or 'end' but found '>'";
    QTest::newRow("bad hexadecimal digit") << QStringList{"  Picture.Data = {0A0G}", "end"}
                                           << "line 2, column 22: expected a hexadecimal digit or '}' but found 'G'";
    QTest::newRow("odd hexadecimal digits") << QStringList{"  Picture.Data = {0A0}", "end"}
                                            << "line 2, column 22: odd number of hexadecimal digits in binary data";
    QTest::newRow("binary without end") << QStringList{"  Picture.Data = {0A0B", "end"}
                                        << "line 3, column 2: expected a hexadecimal digit or '}' but found 'n'";
    QTest::newRow("number glued to a word") << QStringList{"  Count = 12ab", "end"}
                                            << "line 2, column 13: unexpected 'a' after the number 12";
    QTest::newRow("control character") << QStringList{"  Count = \x01" "1", "end"}
                                       << "line 2, column 11: unexpected control character #1";
    QTest::newRow("text after the object") << QStringList{"end", "Count = 1"}
                                           << "line 3, column 1: expected 'object' but found 'Count'";
    QTest::newRow("class mismatch") << QStringList{"  object Child: TCgThing2", "  end", "end"}
                                    << "line 2, column 17: unknown class TCgThing2";
}

void TstFormTextReader::errors()
{
    QFETCH(QStringList, text);
    QFETCH(QString, message);
    TThingFixture f;
    try {
        ReadComponentFormText(Crlf(QStringList{"object Thing1: TCgThing"} + text), f.Thing, &f.Root);
        QFAIL("no error");
    } catch (const EFormTextError& E) {
        QCOMPARE(E.Message(), message);
        QCOMPARE(QStringLiteral("line %1, column %2: %3").arg(E.Line()).arg(E.Column()).arg(E.What()), message);
    }
}

// Hostile texts end with an error found within the bounds, never by running out of memory.
void TstFormTextReader::hostileInput_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");

    QByteArray nested;
    for (int i = 0; i < 100000; ++i)
        nested += "object A: TCgThing\n";
    QTest::newRow("100,000 nested objects") << nested << "line 129, column 1: nesting deeper than 128 levels";
    QByteArray lists = "object A: TCgThing\n  Lines.Strings = " + QByteArray(100000, '(') + "\nend\n";
    QTest::newRow("100,000 nested lists") << lists << "line 2, column 146: nesting deeper than 128 levels";
    QTest::newRow("5,000 digits") << "object A: TCgThing\n  Count = " + QByteArray(5000, '7') + "\nend\n"
                                  << "line 2, column 11: number longer than 64 characters";
    QTest::newRow("largest 64-bit integer plus one")
        << QByteArray("object A: TCgThing\n  Big = 9223372036854775808\nend\n")
        << "line 2, column 9: 9223372036854775808 is out of the range of 64-bit integers";
    QTest::newRow("unterminated string of a megabyte")
        << "object A: TCgThing\n  Title = '" + QByteArray(1 << 20, 'x') << "line 2, column 11: unterminated string";
    QTest::newRow("invalid UTF-8") << QByteArray("object A: TCgThing\n  Title = 'ab\xC3('\nend\n")
                                   << "line 2, column 14: invalid UTF-8 byte $C3";
    QTest::newRow("invalid UTF-8 far into the text")
        << "object A: TCgThing\n  Title = '" + QByteArray(70000, 'x') + "\xC3('\nend\n"
        << "line 2, column 70012: invalid UTF-8 byte $C3";
    QTest::newRow("encoded surrogate") << QByteArray("\xEF\xBB\xBFobject A\xED\xA0\x80: TCgThing\nend\n")
                                       << "line 1, column 9: invalid UTF-8 byte $ED";
    QTest::newRow("empty") << QByteArray("  \r\n") << "line 2, column 1: expected 'object' but the text is empty";
    QTest::newRow("binary data above the limit")
        << "object A: TCgThing\n  Picture.Data = {" + QByteArray(2 * 4097, 'A') + "}\nend\n"
        << "line 2, column 18: binary data longer than 4096 bytes";
    QByteArray elements = "object A: TCgThing\n  Shades = [";
    for (int i = 0; i < 3000; ++i)
        elements += "shLight,";
    QTest::newRow("set elements above the limit") << elements + "shDark]\nend\n"
                                                  << "line 2, column 15997: more than 2000 values";
    QTest::newRow("text above the limit") << QByteArray(70000, ' ')
                                          << "line 1, column 1: the text is 70000 bytes long; at most 65536 bytes are read";
}

void TstFormTextReader::hostileInput()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    TFormTextLimits limits;
    if (QByteArray(QTest::currentDataTag()).contains("limit")) {
        limits.MaxBinaryBytes = 4096;
        limits.MaxTextBytes = 65536;
        limits.MaxNodes = 2000;
    }
    try {
        ParseFormText(text, limits);
        QFAIL("no error");
    } catch (const EFormTextError& E) {
        QCOMPARE(E.Message(), message);
    }
}

// A long text is decoded piece by piece: characters of two, three and four bytes come out
// whole wherever they fall, also across the places where one piece ends.
void TstFormTextReader::multibyteCharactersAcrossLongText()
{
    const QString unit = QStringLiteral("\u00E9\u20AC") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("a");
    for (int shift = 0; shift < 10; ++shift) {
        QString title(shift, QLatin1Char('x'));
        for (int i = 0; i < 20000; ++i) // 10 bytes each: the text passes 64 KiB three times
            title += unit;
        TThingFixture f;
        ReadComponentFormText("object Thing1: TCgThing\n  Title = '" + title.toUtf8() + "'\nend\n", f.Thing, &f.Root);
        QCOMPARE(f.Thing->Title(), title);
    }
}

void TstFormTextReader::skipUnknownReadsTheRest()
{
    TThingFixture f;
    const TFormTextDocument document = ParseFormText(Crlf({"object Thing1: TCgThing", "  Count = 4", "  Colour = clRed",
                                                           "  Options.Size = 3", "  Link = Gone1", "  Title = 'kept'",
                                                           "  object Extra: TNobodyKnows", "  end", "end"}));
    TFormTextReader reader(&f.Root);
    reader.SetSkipUnknown(true);
    reader.ReadComponent(document.Objects.front(), f.Thing);
    QCOMPARE(f.Thing->Count(), 4);
    QCOMPARE(f.Thing->Title(), QStringLiteral("kept"));
    QCOMPARE(reader.Skipped(), (QStringList{"line 3, column 3: unknown property 'Colour' of TCgThing",
                                            "line 4, column 11: unknown property 'Size' of TCgOptions",
                                            "line 7, column 17: unknown class TNobodyKnows",
                                            "line 5, column 10: unknown component 'Gone1'"}));
    // Values of the wrong kind stay errors.
    reader.SetSkipUnknown(true);
    QVERIFY_THROWS_EXCEPTION(EFormTextError, ReadComponentFormText(Crlf({"object Thing1: TCgThing", "  Count = 'x'", "end"}),
                                                                   f.Thing, &f.Root));
}

void TstFormTextReader::nestedObjectsAndForwardReferences()
{
    const QByteArray text = Crlf({"object Form1: TCgForm", "  Caption = 'Main'", "  object Panel1: TCgWinControl",
                                  "    Left = 8", "    object Label1: TCgControl", "      Caption = 'Hello'",
                                  "      OnClick = Label1Click", "    end", "  end", "end"});
    TCgForm form;
    ReadComponentFormText(text, &form, &form);
    QCOMPARE(form.Name(), QStringLiteral("Form1"));
    auto* panel = dynamic_cast<TCgWinControl*>(form.FindComponent(QStringLiteral("Panel1")));
    auto* label = dynamic_cast<TCgControl*>(form.FindComponent(QStringLiteral("Label1")));
    QVERIFY(panel && label);
    QCOMPARE(label->ParentControl(), panel);
    QCOMPARE(panel->ParentControl(), &form);
    QCOMPARE(label->Caption(), QStringLiteral("Hello"));
    QCOMPARE(label->OnClick.Method(), (TMethodRef{&form, QStringLiteral("Label1Click")}));
    QVERIFY(!form.ComponentState().Contains(csLoading));
    QVERIFY(!label->ComponentState().Contains(csLoading));

    // Link names a component that only a later block creates.
    TThingFixture f;
    ReadComponentFormText(Crlf({"object Thing1: TCgThing", "  Link = Later1", "  object Later1: TCgControl", "  end", "end"}),
                          f.Thing, &f.Root);
    QVERIFY(f.Thing->Link());
    QCOMPARE(f.Thing->Link()->Name(), QStringLiteral("Later1"));
    QCOMPARE(f.Thing->Link()->Owner(), &f.Root);
}

void TstFormTextReader::findsTheDialogInAFormFile()
{
    const TFormTextDocument document = ParseFormText(
        Crlf({"inherited Form1: TForm1", "  Caption = 'Project'", "  object Button1: TButton", "  end",
              "  object dlgSave: TVxDialog", "    Title = 'Save'", "  end", "end"}));
    const TFormTextObject* dialog = document.FindClass(QStringLiteral("tvxdialog"));
    QVERIFY(dialog);
    QCOMPARE(dialog->Name, QStringLiteral("dlgSave"));
    QCOMPARE(dialog->Position.Line, 5);
    QCOMPARE(dialog->EndLine, 7);
    TComponent root;
    TVxDialog fresh(&root);
    TFormTextReader reader(&root);
    reader.ReadComponent(*dialog, &fresh);
    QCOMPARE(fresh.Title(), QStringLiteral("Save"));
    QCOMPARE(fresh.Name(), QStringLiteral("dlgSave"));
}

void TstFormTextReader::roundTripFixedDesigns()
{
    {
        TComponent frmMain;
        frmMain.SetName(QStringLiteral("frmMain"));
        TVxDialog* example = WorkedExample(&frmMain, QStringLiteral("VxDialog1"));
        example->SetDialogOptions(example->DialogOptions() + doRadioButtons);
        example->RadioButtons()->Add();
        example->RadioButtons()->Add();
        TComponent other;
        TVxDialog fresh(&other);
        CheckRoundTrip(example, &fresh, &frmMain, QStringLiteral("worked example"));
    }
    {
        TThingFixture f;
        TCgThing* t = f.Thing;
        t->SetDesignPosition(336, 184);
        t->SetCount(3);
        t->SetBig(12345678901234);
        t->SetFlag(true);
        t->SetShades({shBlack, shLight});
        t->SetTitle(QStringLiteral("It's a test with a long text that goes over the sixty-four units of a segment"));
        t->SetRatio(1.5);
        t->SetScale(2.5);
        t->SetPrice(12.5);
        t->SetWhen(45000.25);
        t->SetColor(clWindowText);
        t->SetCharset(ANSI_CHARSET);
        t->Lines()->Add(QString(70, QLatin1Char('l')));
        t->Options()->Notes()->Add(QStringLiteral("n"));
        t->SetUseDefaultFont(false);
        t->Font()->SetName(QStringLiteral("Courier New"));
        t->Picture()->Bitmap()->SetImage(QImage(5, 4, QImage::Format_RGB32));
        t->Icon()->SetImage(QImage(2, 2, QImage::Format_ARGB32));
        t->Items()->SetImages(f.Images);
        t->Items()->Add()->Glyph()->Png()->SetImage(QImage(3, 3, QImage::Format_ARGB32));
        t->SetLink(f.Images);
        t->Sub()->SetCaption(QStringLiteral("part"));
        t->OnDone = TNotifyEvent([](TObject*) {}, &f.Root, QStringLiteral("ThingDone"));
        TComponent other;
        auto* fresh = new TCgThing(&other);
        CheckRoundTrip(t, fresh, &f.Root, QStringLiteral("every value kind"));
    }
    {
        TCgForm form;
        form.SetName(QStringLiteral("Form1"));
        form.SetCaption(QStringLiteral("Main"));
        auto* panel = new TCgWinControl(&form);
        panel->SetName(QStringLiteral("Panel1"));
        panel->SetParentControl(&form);
        panel->SetLeft(8);
        auto* edit = new TCgEdit(&form);
        edit->SetName(QStringLiteral("Edit1"));
        edit->SetParentControl(panel);
        edit->SetText(QStringLiteral("typed"));
        edit->OnClick = TNotifyEvent([](TObject*) {}, &form, QStringLiteral("Edit1Click"));
        TCgForm fresh;
        const QByteArray first = ComponentFormText(&form, &form);
        ReadComponentFormText(first, &fresh, &fresh);
        // The handler belongs to the fresh root now; written relative to it, the text is the same.
        QCOMPARE(ComponentFormText(&fresh, &fresh), first);
    }
}

void TstFormTextReader::roundTripRandomDialogs()
{
    const quint32 seed = 20261210;
    QRandomGenerator random(seed);
    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));
    auto* images = new TImageList(&frmMain);
    images->SetName(QStringLiteral("ImageList1"));
    auto* pictures = new TImageList(&frmMain);
    pictures->SetName(QStringLiteral("PictureList1"));
    for (int i = 0; i < 300; ++i) {
        auto* dialog = new TVxDialog(&frmMain);
        dialog->SetName(QStringLiteral("VxDialog1"));
        FillRandomly(*dialog, frmMain, random);
        TComponent other;
        auto* fresh = new TVxDialog(&other);
        CheckRoundTrip(dialog, fresh, &frmMain, QStringLiteral("seed %1, dialog %2").arg(seed).arg(i));
        delete dialog;
        if (QTest::currentTestFailed())
            return;
    }
}

void TstFormTextReader::picturesOfOneDesignShareABound_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("message");
    // Each button has a glyph and a picture of 1200 x 1200 pixels; 16,777,216 pixels hold eleven.
    QTest::newRow("five buttons") << 5 << QString();
    QTest::newRow("eight buttons") << 8
                                   << "Picture.Data: The PNG image is too large: 1200 x 1200 pixels, where the pictures read "
                                      "before it leave 937216 of the 16777216 pixels that may be read together";
}

void TstFormTextReader::picturesOfOneDesignShareABound()
{
    QFETCH(int, buttons);
    QFETCH(QString, message);

    QImage image(1200, 1200, QImage::Format_ARGB32);
    image.fill(qRgba(200, 40, 20, 255));
    TPngImage png;
    png.SetImage(image);
    png.SaveToBytes(); // encoded once, shared by the copies
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    TVxDialog dialog(&root);
    dialog.SetName(QStringLiteral("VxDialog1"));
    for (int i = 0; i < buttons; ++i) {
        TVxCustomButtonItem* item = dialog.CustomButtons()->Add();
        item->Glyph()->SetGraphic(&png);
        item->Picture()->SetGraphic(&png);
    }
    const QByteArray text = ComponentFormText(&dialog, &root);

    // Each reading has a bound of its own, so the same text reads the same way twice.
    for (int round = 0; round < 2; ++round) {
        TComponent freshRoot;
        freshRoot.SetName(QStringLiteral("frmMain"));
        TVxDialog fresh(&freshRoot);
        try {
            ReadComponentFormText(text, &fresh, &freshRoot);
            QVERIFY2(message.isEmpty(), "no error");
            QCOMPARE(fresh.CustomButtons()->Count(), buttons);
            QCOMPARE(fresh.CustomButtons()->Items(buttons - 1)->Picture()->Width(), 1200);
        } catch (const EFormTextError& E) {
            QVERIFY2(!message.isEmpty() && E.Message().endsWith(message), qPrintable(E.Message()));
        }
        QVERIFY(!TPictureBudget::Current());
    }
}

QTEST_MAIN(TstFormTextReader)
#include "tst_formtextreader.moc"
