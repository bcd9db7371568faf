#include "DrawText.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTextBoundaryFinder>
#include <QtTest>

namespace {

QStringList Texts(const TDrawTextLayout& Layout)
{
    QStringList Result;
    for (const TDrawTextLine& Line : Layout.Lines)
        Result << Line.Text;
    return Result;
}

// Straightforward greedy word wrap: add words while the whole candidate line still fits.
QStringList NaiveWrap(const QFontMetrics& Fm, const QString& Text, int Width)
{
    QStringList Lines;
    QString Line;
    for (const QString& Word : Text.split(u' ', Qt::SkipEmptyParts)) {
        if (Line.isEmpty()) {
            Line = Word;
        } else if (Fm.horizontalAdvance(Line + u' ' + Word) <= Width) {
            Line += u' ' + Word;
        } else {
            Lines << Line;
            Line = Word;
        }
    }
    if (!Line.isEmpty())
        Lines << Line;
    return Lines;
}

QString Lorem(int MinLength)
{
    static const QStringList Words = QStringLiteral(
        "lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod tempor incididunt ut labore et "
        "dolore magna aliqua WWW iii Quillfen mmmm a I")
                                         .split(u' ');
    QString Text;
    for (int I = 0; Text.size() < MinLength; ++I) {
        if (!Text.isEmpty())
            Text += u' ';
        Text += Words.at((I * 7 + I / 3) % Words.size());
    }
    return Text;
}

QRect InkBounds(const QImage& Image)
{
    QRect Ink;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if (Image.pixel(X, Y) != qRgb(255, 255, 255))
                Ink |= QRect(X, Y, 1, 1);
    return Ink;
}

} // namespace

class TestDrawText : public QObject {
    Q_OBJECT

    QFont FFont;

    QFontMetrics Fm() const { return QFontMetrics(FFont); }
    int Adv(const QString& S) const { return Fm().horizontalAdvance(S); }

    QImage Render(QSize Size, const QString& Text, QRect Rect, uint Format) const
    {
        QImage Image(Size, QImage::Format_RGB32);
        Image.fill(Qt::white);
        QPainter Painter(&Image);
        Painter.setPen(Qt::black);
        DrawText(&Painter, FFont, Text, Rect, Format);
        return Image;
    }

private slots:
    void initTestCase()
    {
        FFont = QFont(QStringLiteral("DejaVu Sans"));
        FFont.setPixelSize(13);
        QVERIFY(Fm().height() > 0);
    }

    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<uint>("format");
        QTest::addColumn<QStringList>("expected");

        const uint WB = DT_WORDBREAK;
        QTest::newRow("exact fit") << "word word word word" << Adv("word word") << WB << QStringList{"word word", "word word"};
        QTest::newRow("one pixel short") << "word word word" << Adv("word word") - 1 << WB
                                         << QStringList{"word", "word", "word"};
        QTest::newRow("blanks at a break dropped") << "word    word" << Adv("word") << WB << QStringList{"word", "word"};
        QTest::newRow("leading blanks kept") << "  word word" << Adv("  word") << WB << QStringList{"  word", "word"};
        QTest::newRow("CR LF, LF and CR") << "one\r\ntwo\nthree\rfour" << 1000 << 0u
                                          << QStringList{"one", "two", "three", "four"};
        QTest::newRow("empty lines kept") << "a\r\n\r\nb" << 1000 << WB << QStringList{"a", "", "b"};
        QTest::newRow("trailing line break") << "a\r\n" << 1000 << 0u << QStringList{"a", ""};
        QTest::newRow("no wrapping without word break") << "word word word" << Adv("word") << 0u
                                                        << QStringList{"word word word"};
        QTest::newRow("long word stays whole") << "a verylongword b" << Adv("verylong") << WB
                                               << QStringList{"a", "verylongword", "b"};
        QTest::newRow("long word broken inside") << "xxxxxxxxxx" << Adv("xxxx") << (WB | DT_EDITCONTROL)
                                                 << QStringList{"xxxx", "xxxx", "xx"};
        QTest::newRow("long word moves to its own line first")
            << "ab xxxxxxxx" << Adv("ab xx") << (WB | DT_EDITCONTROL)
            << QStringList{"ab"} + NaiveCharWrap("xxxxxxxx", Adv("ab xx"));
        QTest::newRow("single line ignores breaks") << "one\r\ntwo three" << Adv("one") << (WB | DT_SINGLELINE)
                                                    << QStringList{"one two three"};
        QTest::newRow("zero width, words") << "abc def" << 0 << WB << QStringList{"abc", "def"};
        QTest::newRow("negative width, characters") << "abc def" << -10 << (WB | DT_EDITCONTROL)
                                                    << QStringList{"a", "b", "c", "d", "e", "f"};
        QTest::newRow("only blanks") << "   " << 0 << WB << QStringList{"   "};
    }

    void lines()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(uint, format);
        QFETCH(QStringList, expected);

        const TDrawTextLayout Layout = LayoutDrawText(Fm(), text, width, format);
        QCOMPARE(Texts(Layout), expected);
        QCOMPARE(Layout.LineHeight, Fm().height());
        int Widest = 0;
        for (const TDrawTextLine& Line : Layout.Lines) {
            QCOMPARE(Line.Width, Adv(Line.Text));
            Widest = std::max(Widest, Line.Width);
        }
        QCOMPARE(Layout.Width, Widest);
    }

    // Wrapping points agree with a plain greedy wrap measured by QFontMetrics, also for a long
    // text (which must not take quadratic time).
    void wrapMatchesMetrics_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("width");
        for (int Width : {1, 40, 97, 160, 333, 1200})
            QTest::addRow("300 chars at %d px", Width) << 300 << Width;
        QTest::newRow("100000 chars at 250 px") << 100000 << 250;
    }

    void wrapMatchesMetrics()
    {
        QFETCH(int, length);
        QFETCH(int, width);
        const QString Text = Lorem(length);
        const TDrawTextLayout Layout = LayoutDrawText(Fm(), Text, width, DT_WORDBREAK);
        QCOMPARE(Texts(Layout), NaiveWrap(Fm(), Text, width));
    }

    void calcRect_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<uint>("format");
        QTest::addColumn<int>("expectedWidth");
        QTest::addColumn<int>("expectedLines");

        QTest::newRow("single line") << "Hello world" << 0 << DT_SINGLELINE << Adv("Hello world") << 1;
        QTest::newRow("two lines, widest counts") << "ab\r\nlonger line" << 0 << 0u << Adv("longer line") << 2;
        QTest::newRow("word break narrows to the text") << "word word word" << 1000 << DT_WORDBREAK
                                                        << Adv("word word word") << 1;
        QTest::newRow("word break widens for a long word") << "a verylongword" << 10 << DT_WORDBREAK
                                                           << Adv("verylongword") << 2;
        QTest::newRow("accelerator not measured") << "&File" << 0 << DT_SINGLELINE << Adv("File") << 1;
        QTest::newRow("double ampersand is one") << "A&&B" << 0 << DT_SINGLELINE << Adv("A&B") << 1;
        QTest::newRow("no prefix keeps ampersand") << "&File" << 0 << (DT_SINGLELINE | DT_NOPREFIX) << Adv("&File") << 1;
        const int Tab = 8 * Fm().averageCharWidth();
        QTest::newRow("tab expanded") << "a\tb" << 0 << (DT_SINGLELINE | DT_EXPANDTABS)
                                      << (Adv("a") / Tab + 1) * Tab + Adv("b") << 1;
        QTest::newRow("two tabs expanded") << "a\t\tb" << 0 << DT_EXPANDTABS << (Adv("a") / Tab + 2) * Tab + Adv("b")
                                           << 1;
        QTest::newRow("tab as a blank without expansion") << "a\tb" << 0 << DT_SINGLELINE << Adv("a b") << 1;
        QTest::newRow("ellipsis keeps the width") << Lorem(200) << 150 << (DT_SINGLELINE | DT_END_ELLIPSIS) << -150 << 1;
    }

    void calcRect()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(uint, format);
        QFETCH(int, expectedWidth);
        QFETCH(int, expectedLines);

        QRect R(5, 7, width, 0);
        const int Height = DrawText(nullptr, FFont, text, R, format | DT_CALCRECT);
        QCOMPARE(R.topLeft(), QPoint(5, 7));
        if (expectedWidth < 0) // at most this wide, and not much narrower
            QVERIFY2(R.width() <= -expectedWidth && R.width() > -expectedWidth - Adv("WWW"), qPrintable(QString::number(R.width())));
        else
            QCOMPARE(R.width(), expectedWidth);
        QCOMPARE(R.height(), expectedLines * Fm().height());
        QCOMPARE(Height, R.height());
    }

    void emptyText_data()
    {
        QTest::addColumn<uint>("format");
        QTest::addColumn<int>("expectedLines");
        QTest::newRow("multi-line") << uint(DT_WORDBREAK) << 0;
        QTest::newRow("single line") << uint(DT_SINGLELINE) << 1;
    }

    void emptyText()
    {
        QFETCH(uint, format);
        QFETCH(int, expectedLines);
        QRect R(0, 0, 100, 50);
        QCOMPARE(DrawText(nullptr, FFont, QString(), R, format | DT_CALCRECT), Fm().height());
        QCOMPARE(R, QRect(0, 0, 0, expectedLines * Fm().height()));
        QVERIFY(LayoutDrawText(Fm(), QString(), 100, format).Lines.isEmpty());
        QCOMPARE(TextHeight(FFont, QString()), Fm().height());
    }

    void prefix_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("format");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("underline");

        QTest::newRow("first") << "&File" << 0u << QStringList{"File"} << QList<int>{0};
        QTest::newRow("middle") << "Save &As" << 0u << QStringList{"Save As"} << QList<int>{5};
        QTest::newRow("literal") << "A&&B" << 0u << QStringList{"A&B"} << QList<int>{-1};
        QTest::newRow("literal then marker") << "&&&x" << 0u << QStringList{"&x"} << QList<int>{1};
        QTest::newRow("lone trailing dropped") << "Trail&" << 0u << QStringList{"Trail"} << QList<int>{-1};
        QTest::newRow("no prefix") << "&File" << DT_NOPREFIX << QStringList{"&File"} << QList<int>{-1};
        QTest::newRow("second line") << "One\r\n&Two" << 0u << QStringList{"One", "Two"} << QList<int>{-1, 0};
        QTest::newRow("marker before a line break") << "A&\nB" << 0u << QStringList{"A", "B"} << QList<int>{-1, -1};
    }

    void prefix()
    {
        QFETCH(QString, text);
        QFETCH(uint, format);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, underline);

        const TDrawTextLayout Layout = LayoutDrawText(Fm(), text, 1000, format);
        QCOMPARE(Texts(Layout), lines);
        QList<int> Marks;
        for (const TDrawTextLine& Line : Layout.Lines)
            Marks << Line.Underline;
        QCOMPARE(Marks, underline);
    }

    void hotkeys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stripped");
        QTest::addColumn<QChar>("hotkey");
        QTest::newRow("none") << "Close" << "Close" << QChar();
        QTest::newRow("first") << "&Yes" << "Yes" << QChar(u'Y');
        QTest::newRow("last marker counts") << "&Yes to &all" << "Yes to all" << QChar(u'a');
        QTest::newRow("literal") << "Fish && Chips" << "Fish & Chips" << QChar();
        QTest::newRow("literal then marker") << "&&&Go" << "&Go" << QChar(u'G');
        QTest::newRow("trailing") << "Go&" << "Go" << QChar();
        QTest::newRow("marker before a line break is none") << "&Go&\n" << "Go\n" << QChar(u'G');
        QTest::newRow("lines and tabs kept") << "a\tb\r\n&c" << "a\tb\r\nc" << QChar(u'c');
    }

    void hotkeys()
    {
        QFETCH(QString, text);
        QFETCH(QString, stripped);
        QFETCH(QChar, hotkey);
        QCOMPARE(StripHotkey(text), stripped);
        QCOMPARE(GetHotkey(text), hotkey);
        if (!hotkey.isNull()) {
            QVERIFY(IsAccel(hotkey.toLower(), text));
            QVERIFY(IsAccel(hotkey.toUpper(), text));
        }
        QVERIFY(!IsAccel(u'z', text));
        QVERIFY(!IsAccel(QChar(), text));
    }

    // The marked character is drawn underlined; "&&" draws the same as a plain "&".
    void prefixDrawing()
    {
        const QSize Size(80, 30);
        const QRect R(2, 2, 76, 26);
        const QImage Marked = Render(Size, "&x", R, DT_SINGLELINE);
        const QImage Plain = Render(Size, "x", R, DT_SINGLELINE);
        QVERIFY(Marked != Plain);
        QVERIFY(InkBounds(Marked).bottom() > InkBounds(Plain).bottom());
        QCOMPARE(Render(Size, "A&&B", R, DT_SINGLELINE), Render(Size, "A&B", R, DT_SINGLELINE | DT_NOPREFIX));
    }

    void ellipsis_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<uint>("format");

        const QString Long = QStringLiteral("The quick brown fox jumps over the lazy dog");
        for (int Width : {0, 5, 30, 120, 250})
            QTest::addRow("end, %d px", Width) << Long << Width << uint(DT_SINGLELINE | DT_END_ELLIPSIS);
        QTest::newRow("end, long word in wrapped text")
            << "a verylongword b" << Adv("verylong") << uint(DT_WORDBREAK | DT_END_ELLIPSIS);
        QTest::newRow("path") << "C:\\Program Files\\Vendor\\readme.txt" << Adv("C:\\Prog...\\readme.txt")
                              << uint(DT_SINGLELINE | DT_PATH_ELLIPSIS);
    }

    void ellipsis()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(uint, format);

        const TDrawTextLayout Layout = LayoutDrawText(Fm(), text, width, format);
        const int Dots = Adv("...");
        for (const TDrawTextLine& Line : Layout.Lines) {
            if (!Line.Text.contains("...")) {
                QVERIFY(Line.Width <= width);
                continue;
            }
            if (Dots > width) {
                QCOMPARE(Line.Text, QStringLiteral("..."));
                continue;
            }
            QVERIFY2(Line.Width <= width, qPrintable(Line.Text));
            if (format & DT_PATH_ELLIPSIS) {
                QVERIFY(Line.Text.endsWith("...\\readme.txt"));
                QVERIFY(Line.Text.startsWith("C:\\Prog"));
            } else {
                // The longest start of the text that fits with the dots.
                const QString Kept = Line.Text.chopped(3);
                QVERIFY(text.contains(Kept));
                const QString OneMore = text.mid(text.indexOf(Kept), Kept.size() + 1);
                QVERIFY(Adv(OneMore + "...") > width);
            }
        }
        QRect R(0, 0, width, 0);
        DrawText(nullptr, FFont, text, R, format | DT_CALCRECT);
        QVERIFY(R.width() <= std::max(width, Dots));
    }

    void ellipsisLeavesFittingTextAlone()
    {
        const TDrawTextLayout Layout = LayoutDrawText(Fm(), "short", Adv("short"), DT_SINGLELINE | DT_END_ELLIPSIS);
        QCOMPARE(Texts(Layout), QStringList{"short"});
    }

    // Wrapped text in a rectangle too low for it: the last line that fits ends with "...".
    void ellipsisOnLastVisibleLine()
    {
        const int W = Adv("word word");
        const int H = Fm().height() * 5 / 2;
        const QString Text = "word word word word word word";
        QString Last = "word word";
        while (Adv(Last + "...") > W)
            Last.chop(1);
        const QSize Size(W + 20, H + 20);
        const QRect R(10, 10, W, H);
        QCOMPARE(Render(Size, Text, R, DT_WORDBREAK | DT_END_ELLIPSIS), Render(Size, "word word\n" + Last + "...", R, DT_NOPREFIX));
        // Without the ellipsis the third line shows partly.
        QCOMPARE(Render(Size, Text, R, DT_WORDBREAK), Render(Size, "word word\nword word\nword word", R, 0));
        // An edit control leaves the partly visible line out.
        QCOMPARE(Render(Size, Text, R, DT_WORDBREAK | DT_EDITCONTROL), Render(Size, "word word\nword word", R, 0));
    }

    // Wrapped text with an end ellipsis: wrapped lines lose nothing; only the last line that
    // fits the rectangle gets the ellipsis, and only when text follows it.
    void wordBreakEllipsis_data()
    {
        QTest::addColumn<int>("width");
        for (int Width : {60, 97, 131, 160, 203, 250, 311})
            QTest::addRow("%d px", Width) << Width;
    }

    void wordBreakEllipsis()
    {
        QFETCH(int, width);
        const QString Text = QStringLiteral("A header text longer than the section, beyond the width of the section so that "
                                            "we can see how the end ellipsis is drawn");
        const uint Format = DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX;
        const TDrawTextLayout Layout = LayoutDrawText(Fm(), Text, width, Format);
        QCOMPARE(Texts(Layout).join(u' '), Text);
        QCOMPARE(Texts(Layout), NaiveWrap(Fm(), Text, width));

        const QStringList Lines = Texts(Layout);
        QVERIFY(Lines.size() > 2);
        const int Lh = Fm().height();
        const QSize Size(width + 20, Lh * int(Lines.size()) + 20);
        // Tall enough: drawn as wrapped, every word.
        const QRect All(10, 10, width, Lh * int(Lines.size()));
        QCOMPARE(Render(Size, Text, All, Format), Render(Size, Lines.join(u'\n'), All, DT_NOPREFIX));
        // Two lines and a half: the first line whole, the second cut with "..." (the longest
        // start of it that fits with the dots, even when the whole line would fit alone).
        const QRect Low(10, 10, width, Lh * 5 / 2);
        QString Second = Lines.at(1);
        while (Adv(Second + "...") > width)
            Second.chop(1);
        QCOMPARE(Render(Size, Text, Low, Format), Render(Size, Lines.at(0) + "\n" + Second + "...", Low, DT_NOPREFIX));
    }

    // Breaking inside a word and cutting for an ellipsis never split a grapheme cluster.
    void clustersStayWhole_data()
    {
        QTest::addColumn<QString>("text");
        QString emoji;
        for (int i = 0; i < 12; ++i)
            emoji += QString::fromUcs4(U"\U0001F600");
        QTest::newRow("surrogate pairs") << emoji;
        QTest::newRow("combining marks") << QString::fromUtf8("e\u0301a\u0308o\u0302u\u0300").repeated(5);
        QTest::newRow("flags") << QString::fromUcs4(U"\U0001F1E9\U0001F1EA\U0001F1EB\U0001F1F7").repeated(4);
        QTest::newRow("family") << QString::fromUcs4(U"\U0001F468\u200D\U0001F469\u200D\U0001F467x").repeated(4);
    }

    void clustersStayWhole()
    {
        QFETCH(QString, text);
        QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
        auto boundary = [&](qsizetype Pos) {
            clusters.setPosition(Pos);
            return clusters.isAtBoundary();
        };
        const int Full = Adv(text);
        for (int Width = 1; Width < Full; Width += 7) {
            const TDrawTextLayout Wrapped = LayoutDrawText(Fm(), text, Width, DT_WORDBREAK | DT_EDITCONTROL);
            QCOMPARE(Texts(Wrapped).join(QString()), text);
            for (const TDrawTextLine& Line : Wrapped.Lines) {
                QVERIFY2(boundary(Line.Start), qPrintable(QStringLiteral("line at %1, width %2").arg(Line.Start).arg(Width)));
                QVERIFY(!Line.Text.isEmpty());
            }
            const TDrawTextLayout Cut = LayoutDrawText(Fm(), text, Width, DT_SINGLELINE | DT_END_ELLIPSIS);
            QCOMPARE(Cut.Lines.size(), qsizetype(1));
            const QString Kept = Cut.Lines.first().Text.chopped(3);
            QVERIFY(Cut.Lines.first().Text.endsWith("..."));
            QVERIFY(text.startsWith(Kept));
            QVERIFY2(boundary(Kept.size()), qPrintable(QStringLiteral("cut at %1, width %2").arg(Kept.size()).arg(Width)));
        }
    }

    void verticalPlacement_data()
    {
        QTest::addColumn<uint>("format");
        QTest::addColumn<int>("expected"); // in line heights / rectangle heights, see below
        QTest::newRow("top") << uint(DT_SINGLELINE) << 0;
        QTest::newRow("vcenter") << uint(DT_SINGLELINE | DT_VCENTER) << 1;
        QTest::newRow("bottom") << uint(DT_SINGLELINE | DT_BOTTOM) << 2;
        QTest::newRow("vcenter needs single line") << uint(DT_VCENTER) << 0;
        QTest::newRow("bottom needs single line") << uint(DT_BOTTOM) << 0;
    }

    void verticalPlacement()
    {
        QFETCH(uint, format);
        QFETCH(int, expected);
        const int Lh = Fm().height();
        const QRect R(0, 10, 100, 5 * Lh);
        const int Top = (expected == 0) ? R.top() : (expected == 1) ? R.top() + (R.height() - Lh) / 2 : R.top() + R.height() - Lh;
        QImage Image(100, 10 + 5 * Lh, QImage::Format_RGB32);
        Image.fill(Qt::white);
        QPainter Painter(&Image);
        Painter.setPen(Qt::black);
        QRect Rect = R;
        const int Result = DrawText(&Painter, FFont, "Hg", Rect, format);
        Painter.end();
        QCOMPARE(Result, (format & DT_SINGLELINE) && expected ? Top + Lh - R.top() : Lh);
        const QRect Ink = InkBounds(Image);
        QVERIFY2(Ink.top() >= Top && Ink.bottom() < Top + Lh, qPrintable(QStringLiteral("%1..%2 not in line at %3").arg(Ink.top()).arg(Ink.bottom()).arg(Top)));
    }

    void horizontalPlacement_data()
    {
        QTest::addColumn<uint>("format");
        QTest::newRow("left") << uint(DT_LEFT);
        QTest::newRow("center") << uint(DT_CENTER);
        QTest::newRow("right") << uint(DT_RIGHT);
        QTest::newRow("right, right to left") << uint(DT_RIGHT | DT_RTLREADING);
    }

    void horizontalPlacement()
    {
        QFETCH(uint, format);
        const QRect R(10, 0, 200, 30);
        const QImage Image = Render(QSize(220, 30), "Hello", R, format | DT_SINGLELINE);
        const QRect Ink = InkBounds(Image);
        const int W = Adv("Hello");
        const int Left = (format & DT_CENTER) ? R.left() + (R.width() - W) / 2 : (format & DT_RIGHT) ? R.left() + R.width() - W : R.left();
        // Glyph ink sits inside the advance box, give or take the side bearings.
        QVERIFY2(Ink.left() >= Left - 1 && Ink.left() <= Left + 3, qPrintable(QString::number(Ink.left())));
        QVERIFY(Ink.right() <= Left + W + 1);
    }

    // Drawing puts the text after a tab where measuring says it is.
    void tabsDrawnAtStops_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("format");
        QTest::addColumn<QString>("before"); // what stands before "H" when measured
        QTest::newRow("expanded") << "\tH" << uint(DT_EXPANDTABS) << "\t";
        QTest::newRow("two stops") << "\t\tH" << uint(DT_EXPANDTABS) << "\t\t";
        QTest::newRow("blank then tab") << "  \tH" << uint(DT_EXPANDTABS) << "  \t";
        QTest::newRow("as a blank") << "\tH" << 0u << "\t";
    }

    void tabsDrawnAtStops()
    {
        QFETCH(QString, text);
        QFETCH(uint, format);
        QFETCH(QString, before);
        const QRect R(10, 0, 300, 30);
        QRect Measured(0, 0, 0, 0);
        DrawText(nullptr, FFont, before, Measured, format | DT_CALCRECT | DT_SINGLELINE);
        QVERIFY(Measured.width() > 0);
        // Only the "H" leaves ink.
        const QRect Ink = InkBounds(Render(QSize(320, 30), text, R, format | DT_SINGLELINE));
        const int HLeft = R.left() + Measured.width();
        QVERIFY2(Ink.left() >= HLeft && Ink.left() <= HLeft + 3,
                 qPrintable(QStringLiteral("ink at %1, expected about %2").arg(Ink.left()).arg(HLeft)));
    }

    // Right-to-left reading moves weak characters at the end of the text to its left side.
    void rightToLeft()
    {
        const QSize Size(120, 30);
        const QRect R(5, 5, 110, 20);
        QCOMPARE(Render(Size, "ab!", R, DT_SINGLELINE | DT_RTLREADING), Render(Size, "!ab", R, DT_SINGLELINE));
        QVERIFY(Render(Size, "ab!", R, DT_SINGLELINE) != Render(Size, "!ab", R, DT_SINGLELINE));
    }

    void clipping()
    {
        const QSize Size(200, 60);
        const QRect R(10, 10, Adv("Hello") / 2, 40);
        const QRect Clipped = InkBounds(Render(Size, "Hello", R, DT_SINGLELINE));
        QVERIFY(Clipped.right() < R.left() + R.width());
        const QRect Free = InkBounds(Render(Size, "Hello", R, DT_SINGLELINE | DT_NOCLIP));
        QVERIFY(Free.right() >= R.left() + R.width());
    }

    // TextWidth measures tabs as DrawText draws them.
    void extentWithTabs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("tab") << "\t";
        QTest::newRow("tabs between letters") << "a\tb\tc\td\te\tf\tg\th";
        QTest::newRow("text and tab") << "Name:\tvalue";
        QTest::newRow("two tabs") << "x\t\ty";
    }

    void extentWithTabs()
    {
        QFETCH(QString, text);
        QRect R(0, 0, 0, 0);
        DrawText(nullptr, FFont, text, R, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
        QCOMPARE(TextWidth(FFont, text), R.width());
        QCOMPARE(TextExtent(FFont, text).width(), R.width());
        QCOMPARE(TextWidth(FFont, "\t"), TabStopWidth(Fm()));
    }

    void extent()
    {
        QCOMPARE(TextWidth(FFont, "Text height test"), Adv("Text height test"));
        QCOMPARE(TextExtent(FFont, "Text&&"), QSize(Adv("Text&&"), Fm().height()));
        QCOMPARE(TextHeight(FFont, "SpgqwWq"), Fm().height());
    }

private:
    QStringList NaiveCharWrap(const QString& Word, int Width) const
    {
        QStringList Lines;
        QString Line;
        for (QChar C : Word) {
            if (!Line.isEmpty() && Adv(Line + C) > Width) {
                Lines << Line;
                Line.clear();
            }
            Line += C;
        }
        Lines << Line;
        return Lines;
    }
};

QTEST_MAIN(TestDrawText)
#include "tst_drawtext.moc"
