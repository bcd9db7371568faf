#include "VxCaption.h"
#include "private/CaptionLayout_p.h"

#include "Screen.h"
#include "SysUtils.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

TFont ContentFont()
{
    TFont font;
    font.SetName(QStringLiteral("DejaVu Sans"));
    font.SetSize(9);
    return font;
}

TFont WithStyle(TFont Font, TFontStyle Style)
{
    TFontStyles s = Font.Style();
    s.Include(Style);
    Font.SetStyle(s);
    return Font;
}

QFontMetrics Metrics(const TFont& Font) { return QFontMetrics(Font.ToQFont()); }

int Advance(const TFont& Font, const QString& Text) { return Metrics(Font).horizontalAdvance(Text); }

// The layout as a paint would do it, with the pieces to draw.
struct Laid {
    TVxCaptionLayoutResult Result;
    TVxLinkRects Links;
};

Laid Arrange(const QString& Caption, int Width, int Height = 200, QPoint OffSet = {}, bool Paint = true,
             bool CollectRuns = true, TBiDiMode BiDiMode = bdLeftToRight)
{
    static const TVxCaptionBackground background;
    static const TFont font = ContentFont();
    TVxCaption caption(nullptr, Caption, background, font, Height, Width, OffSet, nullptr, BiDiMode);
    TVxCaptionLayoutInput in;
    in.Segments = &caption.CaptionSegments();
    in.Kinds = &caption.SegmentKinds();
    in.Caption = Caption;
    in.LinkText = caption.LinkInfo().Text;
    in.Font = &caption.Font();
    in.LinkFont = &caption.LinkFont();
    in.Width = Width;
    in.Height = Height;
    in.OffSet = OffSet;
    in.BiDiMode = BiDiMode;
    in.Paint = Paint;
    in.CollectRuns = CollectRuns;
    Laid laid;
    laid.Result = ArrangeCaption(in, laid.Links);
    return laid;
}

QStringList RunTexts(const Laid& L)
{
    QStringList texts;
    for (const TVxCaptionRun& run : L.Result.Runs)
        texts << run.Text;
    return texts;
}

// A caption painted on an image, so its link rectangles are those of a real paint.
struct Painted {
    QImage Image{400, 300, QImage::Format_ARGB32_Premultiplied};
    std::unique_ptr<QPainter> Painter;
    std::unique_ptr<TVxCaption> Caption;
    Painted(const QString& Text, int Width, int Height = 200)
    {
        Image.fill(Qt::white);
        Painter = std::make_unique<QPainter>(&Image);
        const TVxCaptionBackground background(clWhite, nullptr, TRect{}, true, false);
        Caption = std::make_unique<TVxCaption>(Painter.get(), Text, background, ContentFont(), Height, Width, QPoint(),
                                               nullptr, bdLeftToRight);
        Caption->Paint();
    }
};

const QString Link = QStringLiteral("<a href=\"https://example.org/a\">");

} // namespace

class tst_Caption : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void rightToLeftMirrors_data();
    void rightToLeftMirrors();
    void manyTags();
    void typedMarkersAreText();

    void wrapsAtLastFittingBlank();
    void breaksLongWordAtLineStart_data();
    void breaksLongWordAtLineStart();
    void wordAfterTextStartsTwoLinesDown();
    void oneSegmentIsCentredWhenPainted();
    void italicOverhang();
    void noProgressWidthsTerminate_data();
    void noProgressWidthsTerminate();
    void fitPrefixMatchesCharacterByCharacterTrimming();
    void measuringMatchesFullLayout();

    void minimumHeight_data();
    void minimumHeight();
    void minimumHeightStopsAtTheScreen();
    void measureMatchesMinimumHeight_data();
    void measureMatchesMinimumHeight();
    void measureKnowsItsTextAndFont();
    void minimumWidthCountsMarkup();

    void linkHitTesting();
    void wrappedLink_data();
    void wrappedLink();
    void twoLinksShowTheLastOne();
    void linkRectsAddRuleAndIndexes();

    void settersAndTranslateRect();
    void paintCaptionPaintsBackgroundAndText();
    void copiedBackground();
    void themedTextColour_data();
    void themedTextColour();
};

void tst_Caption::parse_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("segments");
    QTest::addColumn<QString>("linkText");
    QTest::addColumn<QString>("link");

    const QString none;
    QTest::newRow("empty") << QString() << QStringList() << none << none;
    QTest::newRow("plain") << "Hello" << QStringList{"Hello"} << none << none;
    QTest::newRow("bold after text") << "Hello <b>World</b>" << QStringList{"Hello ", "<BOLD>World"} << none << none;
    QTest::newRow("bold at start") << "<b>x</b>" << QStringList{"", "<BOLD>x"} << none << none;
    QTest::newRow("upper-case tags") << "<B>Big</B>" << QStringList{"", "<BOLD>Big"} << none << none;
    QTest::newRow("no nesting") << "<b>x <i>y</i></b>" << QStringList{"", "<BOLD>x <i>y</i>"} << none << none;
    QTest::newRow("unclosed tag") << "<u>open" << QStringList{"<u>open"} << none << none;
    QTest::newRow("underline and italic") << "a<u>b</u>c<i>d</i>"
                                          << QStringList{"a", "<UNDERLINE>b", "c", "<ITALIC>d"} << none << none;
    QTest::newRow("first opening tag wins") << "<i>i</i><b>b</b>" << QStringList{"", "<ITALIC>i", "", "<BOLD>b"}
                                            << none << none;
    QTest::newRow("line break") << "a\r\nb" << QStringList{"a", "<NEWLINE>", "b"} << none << none;
    QTest::newRow("typed line break") << "a<NEWLINE>b" << QStringList{"a", "<NEWLINE>", "b"} << none << none;
    QTest::newRow("trailing line break") << "a\r\n" << QStringList{"a", "<NEWLINE>"} << none << none;
    QTest::newRow("line break inside a tag") << "<b>a\r\nb</b>" << QStringList{"", "<BOLD>a\r\nb"} << none << none;
    QTest::newRow("link") << "See " + Link + "here</a>." << QStringList{"See ", "<LINK>here", "."} << "here"
                          << "https://example.org/a";
    QTest::newRow("two links, last wins")
        << "<a href=\"one\">first</a> and <a href=\"two\">second</a>"
        << QStringList{"", "<LINK>first", " and ", "<LINK>second"} << "second" << "two";
    QTest::newRow("other tags are text") << "<p>x</p>" << QStringList{"<p>x</p>"} << none << none;
    // A closing tag before its opening tag is text and pairs with nothing: an opening tag pairs
    // with the first closing tag after it, and an opening tag without one is text. Nothing is lost.
    QTest::newRow("stray closing tag") << "</u>x<u>yyyyZ" << QStringList{"</u>x<u>yyyyZ"} << none << none;
    QTest::newRow("stray closing bold") << "</b>x<b>y</b>" << QStringList{"</b>x", "<BOLD>y"} << none << none;
    QTest::newRow("stray closing link") << "</a><a href=\"h\">t</a>" << QStringList{"</a>", "<LINK>t"} << "t" << "h";
    QTest::newRow("unclosed tag before a pair") << "<u>x <b>y</b>" << QStringList{"<u>x ", "<BOLD>y"} << none << none;
    QTest::newRow("unclosed link before a pair") << "<a x <i>y</i> z" << QStringList{"<a x ", "<ITALIC>y", " z"}
                                                 << none << none;
    QTest::newRow("closing tags only") << "</b></u></i></a>" << QStringList{"</b></u></i></a>"} << none << none;
    QTest::newRow("typed marker is text") << "x<BOLD>y" << QStringList{"x<BOLD>y"} << none << none;
}

void tst_Caption::parse()
{
    QFETCH(QString, caption);
    TVxCaption c(nullptr, caption, TVxCaptionBackground(), ContentFont(), 20, 300, QPoint(), nullptr, bdLeftToRight);
    QFETCH(QStringList, segments);
    QFETCH(QString, linkText);
    QFETCH(QString, link);
    QCOMPARE(c.CaptionSegments(), segments);
    QCOMPARE(c.LinkInfo().Text, linkText);
    QCOMPARE(c.LinkInfo().Link, link);
    QCOMPARE(c.SegmentKinds().size(), size_t(c.CaptionSegments().size()));
}

void tst_Caption::manyTags()
{
    // Every tag used to rescan the rest of the text; 100,000 pairs must parse in one pass.
    const int pairs = 100000;
    QString caption;
    for (int i = 0; i < pairs; ++i)
        caption += QStringLiteral("<b>x</b> <u>y</U>\r\n");
    TVxCaption c(nullptr, caption, TVxCaptionBackground(), ContentFont(), 20, 300, QPoint(), nullptr, bdLeftToRight);
    const QStringList& segments = c.CaptionSegments();
    QCOMPARE(segments.size(), qsizetype(4) * pairs + 1);
    QCOMPARE(segments.mid(segments.size() - 7),
             (QStringList{" ", "<UNDERLINE>y", "<NEWLINE>", "<BOLD>x", " ", "<UNDERLINE>y", "<NEWLINE>"}));
}

void tst_Caption::typedMarkersAreText()
{
    // Marker texts typed in a caption are shown, not taken for markup.
    for (const QString& text : {QStringLiteral("<BOLD>x"), QStringLiteral("a<LINK>b"), QStringLiteral("<b>c<NEWLINE>d</b>")}) {
        const Laid l = Arrange(text, 400);
        const QString shown = RunTexts(l).join(QString());
        QCOMPARE(shown, text == "<b>c<NEWLINE>d</b>" ? QStringLiteral("c<NEWLINE>d") : text);
    }
}

void tst_Caption::rightToLeftMirrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("link and bold on one line") << QString("See " + Link + "here</a> and <b>more</b>") << 300;
    QTest::newRow("wrapped sentence with a link")
        << QString("The document has been modified since it was last saved. " + Link + "Learn more</a>") << 120;
    QTest::newRow("line break and offset") << QString("First line\r\n<i>second</i> line") << 200;
}

// Right to left is the left-to-right layout mirrored: the markup is parsed, the pieces, line
// breaks and link are the same, every rectangle is mirrored in the width and read right to left.
void tst_Caption::rightToLeftMirrors()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    TVxCaption rtl(nullptr, text, TVxCaptionBackground(), ContentFont(), 20, width, QPoint(), nullptr, bdRightToLeft);
    TVxCaption ltr(nullptr, text, TVxCaptionBackground(), ContentFont(), 20, width, QPoint(), nullptr, bdLeftToRight);
    QCOMPARE(rtl.CaptionSegments(), ltr.CaptionSegments());
    QCOMPARE(rtl.LinkInfo().Link, ltr.LinkInfo().Link);

    const QPoint offset(5, 2);
    const Laid l = Arrange(text, width, 200, offset, true, true, bdLeftToRight);
    const Laid r = Arrange(text, width, 200, offset, true, true, bdRightToLeft);
    QCOMPARE(RunTexts(r), RunTexts(l));
    QCOMPARE(r.Result.RequiredHeight, l.Result.RequiredHeight);
    QVERIFY(!RunTexts(r).join(QString()).contains(QLatin1String("</")));
    for (size_t i = 0; i < l.Result.Runs.size(); ++i) {
        const TRect a = l.Result.Runs[i].Rect;
        const TRect b = r.Result.Runs[i].Rect;
        QCOMPARE(b.Left, qMax(0, width - a.Right));
        QCOMPARE(b.Right, width - a.Left);
        QCOMPARE(b.Top, a.Top);
        QCOMPARE(b.Bottom, a.Bottom);
        QVERIFY(r.Result.Runs[i].Flags & DT_RTLREADING);
        // Nothing is cut at either edge.
        QVERIFY(b.Left >= 0 && b.Right <= width);
    }
    QCOMPARE(r.Links.Count(), l.Links.Count());
    for (int i = 0; i < l.Links.Count(); ++i) {
        QCOMPARE(r.Links.GetItem(i).FRect.Left, qMax(0, width - l.Links.GetItem(i).FRect.Right));
        QCOMPARE(r.Links.GetItem(i).FRect.Top, l.Links.GetItem(i).FRect.Top);
    }
}

void tst_Caption::wrapsAtLastFittingBlank()
{
    const TFont font = ContentFont();
    const int h = Metrics(font).height();
    // The third word only partly fits: the line ends at the blank before it.
    const Laid l = Arrange("aaaa aaaa aaaa aaaa aaaa aaaa", Advance(font, "aaaa aaaa a"));
    // The first line drops its trailing blank; wrapped lines keep theirs.
    QCOMPARE(RunTexts(l), (QStringList{"aaaa aaaa", "aaaa aaaa ", "aaaa aaaa"}));
    QCOMPARE(l.Result.Runs[1].Rect.Top, h);
    QCOMPARE(l.Result.Runs[2].Rect.Top, 2 * h);
    QCOMPARE(l.Result.Runs[1].Rect.Width(), Advance(font, "aaaa aaaa "));
    QCOMPARE(l.Result.RequiredHeight, 2 * h);
}

void tst_Caption::breaksLongWordAtLineStart_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("widthOf"); // the width is this text's
    QTest::addColumn<int>("extra");       // plus these pixels
    QTest::newRow("letters") << "abcdefghijklmnop" << "abcde" << 0;
    // Tabs measure as DrawText draws them (stops every 8 average character widths).
    QTest::newRow("tabs") << "a\tb\tc\td\te\tf\tg\th" << "a\tb" << 0;
    QString emoji;
    for (int i = 0; i < 30; ++i)
        emoji += QString::fromUcs4(U"\U0001F600");
    // Never a cut inside a surrogate pair or a grapheme cluster.
    QTest::newRow("surrogate pairs") << emoji << QString() << 37;
    QTest::newRow("combining marks") << QString::fromUtf8("e\u0301a\u0308o\u0302u\u0300").repeated(6) << "eaou" << 0;
    QTest::newRow("flags") << QString::fromUcs4(U"\U0001F1E9\U0001F1EA\U0001F1EB\U0001F1F7").repeated(5) << "ab" << 0;
}

void tst_Caption::breaksLongWordAtLineStart()
{
    QFETCH(QString, word);
    QFETCH(QString, widthOf);
    QFETCH(int, extra);
    const TFont font = ContentFont();
    const QFont qfont = font.ToQFont();
    const QFontMetrics fm = Metrics(font);
    const int width = TextWidth(qfont, widthOf) + extra;
    // Expected lines: the longest run of whole grapheme clusters that fits, again and again; a
    // first cluster wider than the line leaves the first line empty.
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, word);
    QList<int> bounds;
    for (qsizetype b = 0; b >= 0; b = clusters.toNextBoundary())
        bounds << int(b);
    QStringList lines;
    int start = 0;
    for (int k = 0; start < word.size(); ++k) {
        int end = start;
        for (int b : std::as_const(bounds))
            if (b > start && TextWidth(qfont, word.mid(start, b - start)) <= width)
                end = b;
        if (end == start && k > 0)
            end = *std::upper_bound(bounds.cbegin(), bounds.cend(), start);
        lines << word.mid(start, end - start);
        start = end;
    }
    if (lines.first().endsWith(u'\t') && lines.size() > 1)
        lines.first().chop(1); // blanks and tabs at the end of the first line are not drawn
    QVERIFY(lines.size() > 2);
    const Laid l = Arrange(word, width);
    QCOMPARE(RunTexts(l), lines);
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(l.Result.Runs[size_t(i)].Rect.Top, i * fm.height());
    QCOMPARE(TVxCaption::MinimumHeight(nullptr, word, font, width), int(lines.size()) * fm.height());
}

void tst_Caption::wordAfterTextStartsTwoLinesDown()
{
    const TFont font = ContentFont();
    const int h = Metrics(font).height();
    const int width = Advance(font, "Hello ") + Advance(WithStyle(font, fsBold), "Wo");
    const Laid l = Arrange("Hello <b>World</b>", width);
    QCOMPARE(RunTexts(l), (QStringList{"Hello ", "", "World"}));
    QCOMPARE(l.Result.Runs[0].Rect.Top, 0);
    QCOMPARE(l.Result.Runs[2].Rect.Top, 2 * h);
    QCOMPARE(l.Result.Runs[2].Font.Style().Contains(fsBold), true);
}

void tst_Caption::oneSegmentIsCentredWhenPainted()
{
    const Laid painted = Arrange("Hello", 300, 50);
    QCOMPARE(painted.Result.Runs.size(), size_t(1));
    QVERIFY(painted.Result.Runs[0].Flags & DT_VCENTER);
    QVERIFY(painted.Result.Runs[0].Flags & DT_SINGLELINE);
    QCOMPARE(painted.Result.Runs[0].Rect.Top, 0);
    QCOMPARE(painted.Result.Runs[0].Rect.Bottom, 50);

    const Laid measured = Arrange("Hello", 300, 50, {}, false);
    QVERIFY(!(measured.Result.Runs[0].Flags & DT_VCENTER));
    const Laid two = Arrange("Hello <b>x</b>", 300, 50);
    for (const TVxCaptionRun& run : two.Result.Runs)
        QVERIFY(!(run.Flags & DT_VCENTER));
}

void tst_Caption::italicOverhang()
{
    const TFont font = ContentFont();
    const Laid l = Arrange("<i>xy</i> z", 300);
    QCOMPARE(RunTexts(l), (QStringList{"", "xy", " z"}));
    // A 9-point italic piece claims 3 pixels more; the next piece starts after them.
    const int italicWidth = Advance(WithStyle(font, fsItalic), "xy");
    QCOMPARE(l.Result.Runs[1].Rect.Width(), italicWidth + 3);
    QCOMPARE(l.Result.Runs[2].Rect.Left, italicWidth + 3);
}

void tst_Caption::noProgressWidthsTerminate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("zero width") << "abc" << 0;
    QTest::newRow("negative width") << "abc" << -10;
    QTest::newRow("first character wider than the width") << "WWW" << 1;
}

void tst_Caption::noProgressWidthsTerminate()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    const int h = Metrics(ContentFont()).height();
    // One character per line: an empty first line, then every character on its own.
    const Laid l = Arrange(text, width);
    QStringList expected{""};
    for (QChar c : text)
        expected << QString(c);
    QCOMPARE(RunTexts(l), expected);
    QCOMPARE(l.Result.Runs.back().Rect.Top, int(text.size()) * h);

    TVxCaption caption(nullptr, text, TVxCaptionBackground(), ContentFont(), 100, width, QPoint(), nullptr,
                       bdLeftToRight);
    caption.Paint(); // returns
    QVERIFY(caption.RequiredHeight() >= int(text.size()) * h);
}

void tst_Caption::fitPrefixMatchesCharacterByCharacterTrimming()
{
    const QStringList texts{
        "The quick brown fox jumps over the lazy dog. AVAVAV To Wa Ta.",
        QString::fromUtf8("Ünïcödé ✓ 中文字符 and mixed text"),
        "tabs\tand\tlines\r\nhere",
    };
    for (const TFont& font : {ContentFont(), WithStyle(ContentFont(), fsBold), WithStyle(ContentFont(), fsItalic)}) {
        const QFontMetrics fm = Metrics(font);
        for (const QString& text : texts) {
            const int full = fm.horizontalAdvance(text);
            for (int from : {0, 4}) {
                const int count = int(text.size()) - from;
                for (int avail = -1; avail <= full + 3; avail += 3) {
                    int naive = count;
                    while (naive > 0 && TextWidth(font.ToQFont(), text.mid(from, naive)) > avail)
                        --naive;
                    QCOMPARE(FitPrefix(font.ToQFont(), text, from, count, avail), naive);
                }
            }
        }
    }
}

void tst_Caption::measuringMatchesFullLayout()
{
    // Measuring skips what nothing reads; the heights must be those of the full layout.
    const QString words = "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor "
                          "incididunt ut labore et dolore magna aliqua. ";
    const QStringList captions{
        words + words + words,
        words + "<b>" + words + "</b>" + words,
        "<i>" + words + "</i><b>x</b>" + words + "<a href=\"x\">" + words + "</a>",
        words + "\r\n" + words + "\r\n\r\n" + "supercalifragilisticexpialidocious" + words,
        "<b>tab\there and a\r\nbreak</b> " + words,
    };
    for (const QString& caption : captions) {
        for (int width = 1; width < 500; width += 13) {
            for (QPoint offset : {QPoint(), QPoint(7, 3)}) {
                const Laid quick = Arrange(caption, width, -1, offset, false, false);
                const Laid full = Arrange(caption, width, -1, offset, false, true);
                QCOMPARE(quick.Result.RequiredHeight, full.Result.RequiredHeight);
                QCOMPARE(quick.Result.SampleLineHeight, full.Result.SampleLineHeight);
            }
        }
    }
}

void tst_Caption::minimumHeight_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("lines");
    QTest::newRow("empty") << QString() << 300 << 0;
    QTest::newRow("one line") << "Hello" << 300 << 1;
    QTest::newRow("one line with markup") << "Hello <b>bold</b> <a href=\"x\">link</a>" << 300 << 1;
    QTest::newRow("two lines") << "a\r\nb" << 300 << 2;
    QTest::newRow("trailing line break") << "Hello\r\n" << 300 << 2;
    QTest::newRow("typed line break") << "Hello<NEWLINE>there" << 300 << 2;
    QTest::newRow("line break inside bold") << "<b>a\r\nb</b>" << 300 << 2;
    QTest::newRow("zero width") << "Hello" << 0 << 0;
    QTest::newRow("negative width") << "Hello" << -5 << 0;
}

void tst_Caption::minimumHeight()
{
    QFETCH(QString, caption);
    QFETCH(int, width);
    QFETCH(int, lines);
    const TFont font = ContentFont();
    QCOMPARE(TVxCaption::MinimumHeight(nullptr, caption, font, width), lines * Metrics(font).height());
}

void tst_Caption::minimumHeightStopsAtTheScreen()
{
    // A measured height is capped at the screen's; measuring stops there, with the same result.
    const int screen = ScreenHeight();
    if (screen <= 0)
        QSKIP("no screen");
    const TFont font = ContentFont();
    const QString words = "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod. ";
    for (const QString& caption : {words.repeated(300) + "<b>end</b>", words.repeated(300) + "\r\n",
                                   (words + "\r\n").repeated(200) + "<a href=\"x\">end</a>"}) {
        const Laid full = Arrange(caption, 300, -1, {}, false, false);
        QVERIFY(full.Result.RequiredHeight > screen);
        QCOMPARE(TVxCaption::MinimumHeight(nullptr, caption, font, 300), screen - 20 + full.Result.SampleLineHeight);
    }
}

// A caption measured once for every width gives the heights MinimumHeight gives, whether its
// pieces fit their lines (no measuring) or not (laid out in full), in any order of widths.
void tst_Caption::measureMatchesMinimumHeight_data()
{
    const QString words = "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor. ";
    QTest::addColumn<QString>("caption");
    QTest::newRow("empty") << QString();
    QTest::newRow("one word") << "Hello";
    QTest::newRow("one line") << "The first line of what action 7 does.";
    QTest::newRow("two lines") << "The first line of what action 7 does.\r\nThe second line, a little longer.";
    QTest::newRow("wraps") << words + words + words;
    QTest::newRow("word longer than the line") << "supercalifragilisticexpialidocious " + words;
    QTest::newRow("markup") << "Hello <b>bold</b> <u>under</u> <i>italic</i> and <a href=\"x\">a link</a> end";
    QTest::newRow("markup that wraps") << words + "<b>" + words + "</b>" + words + "<a href=\"x\">" + words + "</a>";
    QTest::newRow("italic overhang") << "<i>" + words + "</i>tail";
    QTest::newRow("hard breaks") << "a\r\n\r\nb\r\n";
    QTest::newRow("typed break") << "Hello<NEWLINE>there";
    QTest::newRow("break inside bold") << "<b>one\r\ntwo</b> and " + words;
    QTest::newRow("lone CR and LF") << "one\rtwo\nthree " + words;
    QTest::newRow("tabs") << "tab\there\tand there " + words;
    QTest::newRow("clusters") << QString::fromUtf8("Ünïcödé ✓ 中文字符 e\u0301e\u0301 🇫🇷🇫🇷 ") + words;
}

void tst_Caption::measureMatchesMinimumHeight()
{
    QFETCH(QString, caption);
    TFont large = WithStyle(ContentFont(), fsItalic);
    large.SetSize(12);
    const QList<int> widths{600, 0, 1, 2, 7, 40, 2000, 90, 150, 300, -5, 61, 600, 1};
    for (const TFont& font : {ContentFont(), large}) {
        const TVxCaptionMeasure measure(caption, font);
        for (int width : widths)
            QVERIFY2(measure.MinimumHeight(width) == TVxCaption::MinimumHeight(nullptr, caption, font, width),
                     qPrintable(QStringLiteral("width %1, size %2").arg(width).arg(font.Size())));
        // Every width between, too: where a piece stops fitting is where the shortcut ends.
        for (int width = 1; width <= 700; width += 3)
            QVERIFY2(measure.MinimumHeight(width) == TVxCaption::MinimumHeight(nullptr, caption, font, width),
                     qPrintable(QStringLiteral("width %1, size %2").arg(width).arg(font.Size())));
    }
}

void tst_Caption::measureKnowsItsTextAndFont()
{
    const TFont font = ContentFont();
    const TVxCaptionMeasure measure(QStringLiteral("Hello"), font);
    QVERIFY(measure.Measures(QStringLiteral("Hello"), font));
    QVERIFY(!measure.Measures(QStringLiteral("Hello!"), font));
    TFont larger = font;
    larger.SetSize(14);
    QVERIFY(!measure.Measures(QStringLiteral("Hello"), larger));
    TFont denser = font;
    denser.SetPixelsPerInch(font.PixelsPerInch() * 2);
    QVERIFY(!measure.Measures(QStringLiteral("Hello"), denser));
}

void tst_Caption::minimumWidthCountsMarkup()
{
    const TFont font = ContentFont();
    QCOMPARE(TVxCaption::MinimumWidth(nullptr, "<b>Hi</b>", font, 300), Advance(font, "<b>Hi</b>"));
    QVERIFY(TVxCaption::MinimumWidth(nullptr, "<b>Hi</b>", font, 300) > Advance(font, "Hi"));
}

void tst_Caption::linkHitTesting()
{
    const TFont font = ContentFont();
    const TFont linkFont = WithStyle(font, fsUnderline);
    const int h = Metrics(font).height();
    Painted p("See " + Link + "here</a>.", 300);
    QCOMPARE(p.Caption->LinkRectCount(), 1);
    const TRect r = p.Caption->GetLinkRect(0);
    const int left = Advance(font, "See ");
    QCOMPARE(r, (TRect{left, 0, left + Advance(linkFont, "here"), h}));
    QVERIFY(p.Caption->MouseInLink(r.Left, r.Top));
    QVERIFY(p.Caption->MouseInLink(r.Right - 1, r.Bottom - 1));
    QVERIFY(!p.Caption->MouseInLink(r.Right, r.Top));
    QVERIFY(!p.Caption->MouseInLink(r.Left - 1, r.Top));
    QVERIFY(!p.Caption->MouseInLink(r.Left, r.Bottom));
    QCOMPARE(p.Caption->GetLinkRect(1), TRect{});
    QCOMPARE(p.Caption->GetLinkRect(-1), TRect{});
}

void tst_Caption::wrappedLink_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("rects");
    QTest::addColumn<bool>("secondLineHits");
    // The second line starts at Left 0 like the first: only the first line hit-tests.
    QTest::newRow("shares its left") << QString() << 1 << false;
    QTest::newRow("shares nothing") << "ab " << 2 << true;
}

void tst_Caption::wrappedLink()
{
    QFETCH(QString, before);
    QFETCH(int, rects);
    QFETCH(bool, secondLineHits);
    const TFont font = ContentFont();
    const TFont linkFont = WithStyle(font, fsUnderline);
    const int h = Metrics(font).height();
    const int width = Advance(font, before) + Advance(linkFont, "first sec");
    Painted p(before + Link + "first second</a>", width);
    QCOMPARE(p.Caption->LinkRectCount(), rects);
    // The first line's rectangle keeps the width of the whole uncut link text.
    const TRect first = p.Caption->GetLinkRect(0);
    QCOMPARE(first.Left, Advance(font, before));
    QCOMPARE(first.Width(), Advance(linkFont, "first second"));
    QVERIFY(p.Caption->MouseInLink(first.Left + 1, 1));
    QCOMPARE(p.Caption->MouseInLink(1, h + 1), secondLineHits);
}

void tst_Caption::twoLinksShowTheLastOne()
{
    const Laid l = Arrange("<a href=\"one\">first</a> and <a href=\"two\">second</a>", 400);
    QCOMPARE(RunTexts(l), (QStringList{"", "second", " and ", "second"}));
    QVERIFY(l.Result.Runs[1].Font.Style().Contains(fsUnderline));
    QCOMPARE(l.Result.Runs[1].Font.Color(), clBlue);
}

void tst_Caption::linkRectsAddRuleAndIndexes()
{
    TVxLinkRects rects;
    rects.Add({0, 0, 10, 10});
    rects.Add({20, 20, 30, 30});
    rects.Add({0, 40, 5, 50});   // same Left
    rects.Add({40, 0, 50, 5});   // same Top
    rects.Add({40, 40, 30, 45}); // same Right
    rects.Add({40, 40, 60, 30}); // same Bottom
    QCOMPARE(rects.Count(), 2);
    QCOMPARE(rects.GetItem(1).FRect, (TRect{20, 20, 30, 30}));
    QCOMPARE(rects.InLink(25, 25), &rects.GetItem(1));
    QCOMPARE(rects.InLink(10, 5), nullptr);
    rects.SetItem(0, TVxLinkRect({1, 1, 2, 2}));
    QCOMPARE(rects.GetItem(0).FRect, (TRect{1, 1, 2, 2}));
    for (int index : {2, -1}) {
        try {
            rects.GetItem(index);
            QFAIL("GetItem accepted an index out of range");
        } catch (const EListError& e) {
            QCOMPARE(e.Message(), QStringLiteral("Invalid index"));
        }
    }
    QVERIFY_THROWS_EXCEPTION(EListError, rects.SetItem(2, TVxLinkRect({})));
    rects.Clear();
    QCOMPARE(rects.Count(), 0);
}

void tst_Caption::settersAndTranslateRect()
{
    TVxCaption c(nullptr, "a <b>b</b>", TVxCaptionBackground(clRed), ContentFont(), 20, 100, QPoint(), nullptr,
                 bdLeftToRight);
    QCOMPARE(c.Color(), clRed);
    c.SetWidth(-300);
    QCOMPARE(c.Width(), 300);
    c.SetCaption("<i>x</i>");
    QCOMPARE(c.CaptionSegments(), (QStringList{"", "<ITALIC>x"}));
    QCOMPARE(TVxCaption::TranslateRect({10, 20, 110, 70}), (TRect{10, 20, 100, 50}));
}

void tst_Caption::paintCaptionPaintsBackgroundAndText()
{
    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        auto* background = new TVxCaptionBackground(clRed, nullptr, TRect{}, true, true); // handed over
        TVxCaption::PaintCaption(&painter, "Hi", background, ContentFont(), TRect{10, 10, 100, 40});
        TVxCaption::PaintCaption(&painter, "Hi", nullptr, ContentFont(), TRect{10, 60, 100, -1}); // nothing
    }
    QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
    QCOMPARE(image.pixelColor(105, 45), QColor(Qt::red));
    QCOMPARE(image.pixelColor(111, 45), QColor(Qt::white));
    // Text is drawn on the background, vertically centred in the 40 pixels.
    bool dark = false;
    for (int x = 10; x < 40 && !dark; ++x)
        for (int y = 20; y < 40 && !dark; ++y)
            dark = image.pixelColor(x, y).red() < 100;
    QVERIFY(dark);
    QCOMPARE(image.pixelColor(50, 70), QColor(Qt::white));

    TVxCaptionGradient gradient{true, gdHorizontal, clRed, clBlue};
    QImage g(100, 20, QImage::Format_ARGB32_Premultiplied);
    g.fill(Qt::white);
    {
        QPainter painter(&g);
        TVxCaptionBackground background(clNone, &gradient, TRect{}, true, false);
        TVxCaption::PaintCaption(&painter, QString(), &background, ContentFont(), TRect{0, 0, 100, 20});
    }
    QVERIFY(g.pixelColor(1, 10).red() > 200 && g.pixelColor(1, 10).blue() < 50);
    QVERIFY(g.pixelColor(98, 10).blue() > 200 && g.pixelColor(98, 10).red() < 50);
}

void tst_Caption::copiedBackground()
{
    // Colour clNone copies a rectangle of the target canvas behind the text.
    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.fillRect(QRect(0, 0, 50, 50), Qt::blue);
        TVxCaptionBackground background(clNone, nullptr, TRect{0, 0, 50, 50}, true, false);
        TVxCaption::PaintCaption(&painter, QString(), &background, ContentFont(), TRect{100, 50, 60, 30});
    }
    QCOMPARE(image.pixelColor(101, 51), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(158, 78), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(161, 51), QColor(Qt::white));
}

void tst_Caption::themedTextColour_data()
{
    QTest::addColumn<bool>("styled");
    QTest::newRow("system style: the font's colour") << false;
    QTest::newRow("other style: the style's text colour") << true;
}

void tst_Caption::themedTextColour()
{
    QFETCH(bool, styled);
    const bool before = StyleServicesEnabled();
    SetStyleServicesEnabled(styled);
    TFont font = ContentFont();
    font.SetSize(20);
    font.SetColor(clRed);
    QImage image(100, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QRect r(0, 0, 100, 60);
        DrawThemedText(&painter, "WWW", font, r, DT_NOPREFIX);
    }
    SetStyleServicesEnabled(before);
    // The darkest pixel of the text shows its colour.
    QColor darkest = Qt::white;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < darkest.lightness())
                darkest = image.pixelColor(x, y);
    const QColor expected = ToQColor(styled ? clWindowText : clRed);
    QVERIFY2(qAbs(darkest.red() - expected.red()) < 40 && qAbs(darkest.green() - expected.green()) < 40 &&
                 qAbs(darkest.blue() - expected.blue()) < 40,
             qPrintable(darkest.name()));
}

QTEST_MAIN(tst_Caption)
#include "tst_caption.moc"
