#include "RtfReader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString Read(const QByteArray& Rtf)
{
    QTextDocument document;
    if (!ReadRtf(Rtf, document))
        return QStringLiteral("<not rich text>");
    return document.toRawText();
}

// The character format of the first occurrence of Word.
QTextCharFormat FormatOf(const QTextDocument& Document, const QString& Word)
{
    const QTextCursor found = Document.find(Word);
    if (found.isNull())
        return {};
    QTextCursor at(const_cast<QTextDocument*>(&Document));
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

const QString Para = QString(QChar(QChar::ParagraphSeparator));

QByteArray Fixture(const QString& Name)
{
    QFile file(QStringLiteral(RTF_FIXTURES "/") + Name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(Name));
    return file.readAll();
}

// The words of a text, whatever separates them (blanks, tabs, line and paragraph breaks).
QStringList Words(const QString& Text)
{
    static const QRegularExpression space(QStringLiteral("[\\s\\x{2028}\\x{2029}]+"));
    return Text.split(space, Qt::SkipEmptyParts);
}

// The paragraphs of a document.
QStringList Blocks(const QTextDocument& Document)
{
    QStringList blocks;
    for (QTextBlock b = Document.begin(); b.isValid(); b = b.next())
        blocks << b.text();
    return blocks;
}

// The address of the link that holds the first occurrence of Word, or empty.
QString LinkOf(const QTextDocument& Document, const QString& Word)
{
    const QTextCharFormat f = FormatOf(Document, Word);
    return f.isAnchor() ? f.anchorHref() : QString();
}

} // namespace

class tst_RtfReader : public QObject {
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void formats();
    void corpus_data();
    void corpus();
    void tables();
    void hyperlinkFields_data();
    void hyperlinkFields();
    void outOfBody();
    void deepGroupsKeepNoState();
    void notRichText();
    void malformed_data();
    void malformed();
    void randomJunkNeverHangs();
};

void tst_RtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QByteArray("{\\rtf1\\ansi Hello world}") << "Hello world";
    QTest::newRow("paragraphs and line breaks")
        << QByteArray("{\\rtf1 one\\par two\\line three\\par\r\nfour}")
        << "one" + Para + "two" + QChar(QChar::LineSeparator) + "three" + Para + "four";
    QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << "a\tb";
    QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 \\{x\\} \\\\ y}") << "{x} \\ y";
    QTest::newRow("code page characters") << QByteArray("{\\rtf1\\ansi caf\\'e9 \\'80}") << QString::fromUtf8("café €");
    QTest::newRow("unicode with stand-in") << QByteArray("{\\rtf1 \\u8364?x}") << QString::fromUtf8("€x");
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(char16_t(61623)));
    QTest::newRow("two stand-ins") << QByteArray("{\\rtf1\\uc2 \\u233\\'65\\'65x}") << QString::fromUtf8("éx");
    QTest::newRow("no stand-in") << QByteArray("{\\rtf1\\uc0 \\u233 x}") << QString::fromUtf8("éx");
    QTest::newRow("skipped destinations")
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
                      "{\\info{\\title T}{\\author A}}{\\*\\generator Writer;}{\\*\\unknown x}"
                      "\\pard\\f0 Body}")
        << "Body";
    QTest::newRow("nested groups") << QByteArray("{\\rtf1 a{b{c}d}e}") << "abcde";
    QTest::newRow("ignored control words") << QByteArray("{\\rtf1\\viewkind4\\lang1033\\sa200 text\\-more}")
                                           << "textmore";
    QTest::newRow("binary data") << QByteArray("{\\rtf1 a\\bin3 {}}b}") << "ab";
    // Code pages: the document's, or the one of the font's character set.
    QTest::newRow("font charset 204") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}"
                                                     "\\f1 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\f0  caf\\'e9}")
                                      << QString::fromUtf8("Привет café");
    QTest::newRow("code page 932") << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'93\\'fa\\'96\\'7b}") << QString::fromUtf8("日本");
    QTest::newRow("code page 932, literal trail byte")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'83e\\'83L\\'83X\\'83g}") << QString::fromUtf8("テキスト");
    QTest::newRow("code page 936") << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}") << QString::fromUtf8("中文");
    QTest::newRow("code page 949") << QByteArray("{\\rtf1\\ansi\\ansicpg949 \\'c7\\'d1\\'b1\\'b9}") << QString::fromUtf8("한국");
    QTest::newRow("code page 950") << QByteArray("{\\rtf1\\ansi\\ansicpg950 \\'a4\\'a4\\'a4\\'e5}") << QString::fromUtf8("中文");
    QTest::newRow("font charset 128 in a Western document")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\'93\\'fa\\'96\\'7b}") << QString::fromUtf8("日本");
    QTest::newRow("charset 0 is Western in any document")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 caf\\'e9}") << QString::fromUtf8("café");
    QTest::newRow("lead byte without trail byte") << QByteArray("{\\rtf1\\ansicpg932 a\\'93\\par b}")
                                                  << QString("a") + QChar(0xFFFD) + Para + "b";
    QTest::newRow("8-bit text with its Unicode twin")
        << QByteArray("{\\rtf1 {\\upr{caf\\'e9}{\\*\\ud{caf\\u233?}}} x{\\v{\\upr{a}{\\*\\ud{b}}}}}") << QString::fromUtf8("café x");
    // Stand-in counts belong to their group.
    QTest::newRow("uc ends with its group") << QByteArray("{\\rtf1 {\\uc0 a}\\u233?x}") << QString::fromUtf8("aéx");
    QTest::newRow("uc2 inside a group") << QByteArray("{\\rtf1 {\\uc2\\u26085\\'93\\'fa}\\u233\\'e9x}")
                                        << QString::fromUtf8("日éx");
    QTest::newRow("pending stand-in ends with the group") << QByteArray("{\\rtf1 {\\uc3\\u233}xyz}")
                                                          << QString::fromUtf8("éxyz");
    // Tables: a tab between cells, a paragraph per row.
    QTest::newRow("table") << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200\\pard\\intbl a\\cell b\\cell\\row"
                                         "\\trowd\\cellx100\\cellx200\\pard\\intbl\\cell d\\cell\\row\\pard after}")
                           << "a\tb" + Para + "\td" + Para + "after";
    QTest::newRow("paragraphs in a cell") << QByteArray("{\\rtf1\\pard\\intbl one\\par two\\par\\cell x\\par\\cell\\row}")
                                          << "one" + QString(QChar(QChar::LineSeparator)) + "two\tx" + Para;
    QTest::newRow("nested cells") << QByteArray("{\\rtf1\\pard\\intbl a\\cell\\pard\\intbl\\itap2 n1\\nestcell n2\\nestcell"
                                                "{\\*\\nesttableprops\\trowd\\cellx10\\nestrow}{\\nonesttables\\par}\\cell\\row}")
                                  << "a\tn1\tn2" + Para;
    // Breaks and text that is not part of the body.
    QTest::newRow("page and section breaks") << QByteArray("{\\rtf1 one\\page two\\sect three\\par\\sect four}")
                                             << "one" + Para + "two" + Para + "three" + Para + "four";
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 shown {\\v hidden }\\v more\\v0  shown}") << "shown  shown";
    QTest::newRow("index and contents entries")
        << QByteArray("{\\rtf1 word{\\xe {\\v entry}}{\\tc\\tcl1 Heading} end}") << "word end";
    QTest::newRow("first-page header and footer")
        << QByteArray("{\\rtf1{\\headerf\\pard Head\\par}{\\footerf\\pard Foot\\par}body}") << "body";
    QTest::newRow("footnote mark") << QByteArray("{\\rtf1 text{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} note}"
                                                 " more{\\super\\chftn}{\\*\\footnote\\chftn two}.}")
                                   << "text1 more2.";
    QTest::newRow("other fields show their result")
        << QByteArray("{\\rtf1 page {\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}}") << "page 3";
}

void tst_RtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(Read(rtf), text);
}

void tst_RtfReader::formats()
{
    QTextDocument document;
    QVERIFY(ReadRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                    "normal \\b bold\\b0  {\\i italic} \\ul under\\ulnone  after "
                    "\\fs40 big\\fs24  \\cf1 red \\cf2 blue\\cf0  auto "
                    "\\b\\i\\ul\\cf1\\fs30 all\\plain  reset {\\b inner} outer}",
                    document));
    QCOMPARE(document.toPlainText(), "normal bold italic under after big red blue auto all reset inner outer");
    QCOMPARE(FormatOf(document, "normal").fontWeight(), int(QFont::Normal));
    QCOMPARE(FormatOf(document, "bold").fontWeight(), int(QFont::Bold));
    QVERIFY(FormatOf(document, "italic").fontItalic());
    QVERIFY(!FormatOf(document, "under").fontItalic()); // the group ended
    QVERIFY(FormatOf(document, "under").fontUnderline());
    QVERIFY(!FormatOf(document, "after").fontUnderline());
    QCOMPARE(FormatOf(document, "big").fontPointSize(), 20.0);
    QCOMPARE(FormatOf(document, "after").fontPointSize(), 12.0);
    QCOMPARE(FormatOf(document, "red").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(FormatOf(document, "blue").foreground().color(), QColor(0, 0, 255));
    QCOMPARE(FormatOf(document, "auto").foreground().style(), Qt::NoBrush);
    const QTextCharFormat all = FormatOf(document, "all");
    QVERIFY(all.fontWeight() == QFont::Bold && all.fontItalic() && all.fontUnderline());
    QCOMPARE(all.fontPointSize(), 15.0);
    const QTextCharFormat reset = FormatOf(document, "reset");
    QVERIFY(reset.fontWeight() == QFont::Normal && !reset.fontItalic() && !reset.fontUnderline());
    QCOMPARE(reset.foreground().style(), Qt::NoBrush);
    QCOMPARE(FormatOf(document, "inner").fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatOf(document, "outer").fontWeight(), int(QFont::Normal));
}

void tst_RtfReader::corpus_data()
{
    // Files written by pandoc and LibreOffice (see rtf/make-fixtures.sh), each beside the
    // plain text LibreOffice exports from it. The words agree, in order; a word processor's
    // text export differs only in what separates them (a line per table cell, for one) and in
    // showing hidden text.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("hidden"); // words the export shows that are hidden text
    QTest::newRow("pandoc: link, table, footnote") << "pandoc-notes" << QStringList();
    QTest::newRow("word processor: the same document") << "writer-notes" << QStringList();
    QTest::newRow("word processor: header, footer, hidden text, nested table, breaks")
        << "writer-layout" << QStringList{"hidden", "words"};
    QTest::newRow("word processor: Unicode scripts") << "writer-intl" << QStringList();
    QTest::newRow("font character sets, uc2") << "legacy-fcharset" << QStringList();
    QTest::newRow("document code page 932") << "legacy-ansicpg932" << QStringList();
}

void tst_RtfReader::corpus()
{
    QFETCH(QString, name);
    QFETCH(QStringList, hidden);
    QStringList expected = Words(QString::fromUtf8(Fixture(name + ".txt")));
    for (const QString& word : hidden)
        QVERIFY(expected.removeOne(word));
    QCOMPARE(Words(Read(Fixture(name + ".rtf"))), expected);
}

void tst_RtfReader::tables()
{
    QTextDocument document;
    QVERIFY(ReadRtf(Fixture("pandoc-notes.rtf"), document));
    const QStringList blocks = Blocks(document);
    for (const QString row : {"Name\tValue", "Width\t400", "Colour\tblue"})
        QVERIFY2(blocks.contains(row), qPrintable(blocks.join(u'|')));

    QVERIFY(ReadRtf(Fixture("writer-layout.rtf"), document));
    // The nested table's cells stay in the row of the cell that holds them.
    // (The writer puts the outer table's second row into the first; the row holds what it wrote.)
    QVERIFY2(Blocks(document).contains("A1\tn1\tn2\tA2\tB2"), qPrintable(Blocks(document).join(u'|')));
}

void tst_RtfReader::hyperlinkFields_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("link");
    QTest::newRow("pandoc") << Fixture("pandoc-notes.rtf") << "guide" << "https://example.org/guide?a=1&b=2";
    QTest::newRow("word processor") << Fixture("writer-layout.rtf") << "link" << "https://example.org/a?b=1";
    QTest::newRow("place in the document")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \\\\l \"part2\"}{\\fldrslt jump}}}") << "jump" << "#part2";
    QTest::newRow("switches and escaped backslashes")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst {HYPERLINK \\\\o \"tip\" \"C:\\\\\\\\docs\\\\\\\\a.txt\"}}{\\fldrslt file}}}")
        << "file" << "C:\\docs\\a.txt";
    QTest::newRow("not a hyperlink") << QByteArray("{\\rtf1{\\field{\\*\\fldinst DATE}{\\fldrslt today}}}") << "today"
                                     << QString();
}

void tst_RtfReader::hyperlinkFields()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, link);
    QTextDocument document;
    QVERIFY(ReadRtf(rtf, document));
    QCOMPARE(LinkOf(document, text), link);
}

void tst_RtfReader::outOfBody()
{
    QTextDocument document;
    QVERIFY(ReadRtf(Fixture("writer-layout.rtf"), document));
    const QString text = document.toPlainText();
    for (const QString absent : {"Header line", "Footer line", "Note body", "hidden words"})
        QVERIFY2(!text.contains(absent), qPrintable(absent));
    // The footnote's mark stays, raised.
    QVERIFY(text.contains("a note1 here."));
    QCOMPARE(FormatOf(document, "note1").verticalAlignment(), QTextCharFormat::AlignNormal);
    QTextCursor mark(&document);
    mark.setPosition(int(text.indexOf("note1")) + 5);
    QCOMPARE(mark.charFormat().verticalAlignment(), QTextCharFormat::AlignSuperScript);
    // Page and section breaks end paragraphs without adding empty ones.
    const QStringList blocks = Blocks(document);
    const qsizetype second = blocks.indexOf("Second page.");
    QVERIFY(second > 0);
    QCOMPARE(blocks.mid(second, 3), (QStringList{"Second page.", "In a section.", "After the section."}));
}

void tst_RtfReader::deepGroupsKeepNoState()
{
    // Past the depth limit groups keep no state of their own, so nothing leaks out of them.
    const QByteArray open(1100, '{'), close(1100, '}');
    QTextDocument document;
    QVERIFY(ReadRtf("{\\rtf1 " + open + "{\\*\\x hidden}visible{\\fonttbl{\\f0 Arial;}}{\\b bold}plain{\\uc0 a}\\u233?x" +
                        close + " after}",
                    document));
    QCOMPARE(document.toPlainText(), QString::fromUtf8("visibleboldplainaéx after"));
    QCOMPARE(FormatOf(document, "plain").fontWeight(), int(QFont::Normal));
    QCOMPARE(FormatOf(document, "after").fontWeight(), int(QFont::Normal));

    // At the limit itself formatting still works.
    const QByteArray within(1000, '{'), within2(1000, '}');
    QVERIFY(ReadRtf("{\\rtf1 " + within + "{\\b bold}plain" + within2 + "}", document));
    QCOMPARE(FormatOf(document, "bold").fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatOf(document, "plain").fontWeight(), int(QFont::Normal));
}

void tst_RtfReader::notRichText()
{
    QTextDocument document;
    document.setPlainText("kept");
    QVERIFY(!ReadRtf("plain text {\\rtf1 x}", document));
    QVERIFY(!ReadRtf(QByteArray(), document));
    QCOMPARE(document.toPlainText(), "kept");
    QVERIFY(IsRtf("  \r\n{\\rtf1 x}"));
}

void tst_RtfReader::malformed_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 a{\\b b{c") << "abc";
    QTest::newRow("closing braces too many") << QByteArray("{\\rtf1 a}}} b}") << "a b";
    QTest::newRow("truncated hex escape") << QByteArray("{\\rtf1 a\\'4") << "a";
    QTest::newRow("escape without hex") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("unicode without number") << QByteArray("{\\rtf1 a\\u b}") << "ab";
    QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs99999999999999999 a\\uc99999999 \\u65 bcd}") << "aA";
    QTest::newRow("binary length past the end") << QByteArray("{\\rtf1 a\\bin999999999 junk") << "a";
    QTest::newRow("control characters") << QByteArray("{\\rtf1 a\x01\x02\x7f" "b}") << QString("a") + QChar(0x7f) + "b";
    QTest::newRow("deep nesting") << QByteArray("{\\rtf1 ") + QByteArray(100000, '{') + "x" + QByteArray(100000, '}')
                                  << "x";
    QTest::newRow("skipped destination never closed") << QByteArray("{\\rtf1 a{\\fonttbl b") << "a";
    QTest::newRow("long control word") << QByteArray("{\\rtf1 \\") + QByteArray(100, 'x') + " y}"
                                       << QString(100 - 32, u'x') + " y";
}

void tst_RtfReader::malformed()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(Read(rtf), text);
}

void tst_RtfReader::randomJunkNeverHangs()
{
    QRandomGenerator random(20261210);
    const QByteArray alphabet("{}\\'*abcdefuxyz0123456789- ;\r\n\x80\xff");
    for (int round = 0; round < 200; ++round) {
        QByteArray junk("{\\rtf1 ");
        const int length = int(random.bounded(2000));
        for (int i = 0; i < length; ++i)
            junk += random.bounded(4) == 0 ? char(random.bounded(256)) : alphabet.at(random.bounded(alphabet.size()));
        QTextDocument document;
        QVERIFY(ReadRtf(junk, document));
        QVERIFY(document.characterCount() <= junk.size() + 1);
    }
}

QTEST_MAIN(tst_RtfReader)
#include "tst_rtfreader.moc"
