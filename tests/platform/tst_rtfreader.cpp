#include "RtfReader.h"

#include <QRandomGenerator>
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

} // namespace

class tst_RtfReader : public QObject {
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void formats();
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
