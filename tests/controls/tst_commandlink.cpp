#include "VxCommandLinkButton.h"

#include "private/CommandLinkArt_p.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <cmath>

namespace {

const QString ThreeLines = QStringLiteral("First line of help\r\nSecond line\r\nThird line");

int LineHeight(const TFont& Font) { return QFontMetrics(Font.ToQFont()).height(); }
int Advance(const TFont& Font, const QString& Text) { return QFontMetrics(Font.ToQFont()).horizontalAdvance(Text); }

QImage SolidImage(int W, int H, QColor Color)
{
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
    image.fill(Color);
    return image;
}

int Distance(QRgb A, QRgb B)
{
    return std::abs(qRed(A) - qRed(B)) + std::abs(qGreen(A) - qGreen(B)) + std::abs(qBlue(A) - qBlue(B));
}

// The pixel of a rectangle nearest to a colour, as its distance.
int NearestDistance(const QImage& Image, const QRect& Rect, QRgb Color)
{
    int best = 1000;
    const QRect r = Rect & Image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            best = qMin(best, Distance(Image.pixel(x, y), Color));
    return best;
}

QRgb Rgb(TColor Color) { return ToQColor(Color).rgb(); }

// A colour set with a flat, distinct colour for every part, so painted pixels name their state.
TVxCommandLinkColorSet DistinctColors()
{
    TVxCommandLinkColorSet c;
    c.Enabled = true;
    c.Color = 0x00F0E0D0;
    c.GradientStart = c.GradientEnd = 0x00F0E0D0;
    c.HotGradientStart = c.HotGradientEnd = 0x0080FFFF;
    c.PressedGradientStart = c.PressedGradientEnd = 0x00FFC080;
    c.GradientPen = 0x00008000;
    c.BorderOuter = 0x00404040;
    c.BorderInner = 0x00000080;
    c.DefaultBorderOuter = 0x00800080;
    c.DefaultBorderInner = 0x00FF0000;
    c.FontColor = 0x00006000;
    c.FontHotColor = 0x000000FF;
    c.FontPressedColor = 0x00FF00FF;
    c.FontDisabledColor = 0x00A0A0A0;
    return c;
}

} // namespace

Q_DECLARE_METATYPE(TVxCommandLinkState)
Q_DECLARE_METATYPE(TVxCommandLinkColorSet)
Q_DECLARE_METATYPE(TVxCommandLinkLook)

class tst_CommandLink : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void defaultGeometry();
    void propertiesByName();
    void measuredSize_data();
    void measuredSize();
    void wrappedInfoIsNeverCut_data();
    void wrappedInfoIsNeverCut();
    void keptMeasurementsMatchFreshOnes();
    void rightToLeftParts();
    void rightToLeftArrowAndInfo();
    void nativeLook_data();
    void nativeLook();
    void paintedStateColours_data();
    void paintedStateColours();
    void builtInLookWithoutColourSet();
    void classicLookUsesStyleFrame();
    void hotKeyUnderline();
    void glyphFollowsState();
    void shieldReplacesArrow();
    void bitmapsAreDrawnTransparent();
    void imageListGoneIsNotUsed();
    void activation_data();
    void activation();
    void sharedAccelerator();
    void dialogChars();
    void pressedNeedsMouseOver();
    void defaultFrameFollowsFocus();
    void accessibility();
    void screenshots();

private:
    // A button in a shown, active window.
    TVxCommandLinkButton* Shown(int Width = 400);
    std::unique_ptr<QWidget> FWindow;
};

void tst_CommandLink::init() { FWindow.reset(); }

void tst_CommandLink::cleanup()
{
    FWindow.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

TVxCommandLinkButton* tst_CommandLink::Shown(int Width)
{
    FWindow = std::make_unique<QWidget>();
    FWindow->resize(Width + 40, 260);
    auto* button = new TVxCommandLinkButton(FWindow.get());
    button->SetCaption(QStringLiteral("&Save the document"));
    button->SetBounds(20, 20, Width, 60);
    button->SetInfo(ThreeLines);
    FWindow->show();
    FWindow->activateWindow();
    if (!QTest::qWaitForWindowActive(FWindow.get()))
        return nullptr;
    return button;
}

void tst_CommandLink::defaultGeometry()
{
    TVxCommandLinkButton button;
    button.SetCaption(QStringLiteral("Go"));
    button.SetBounds(0, 0, 300, 50);
    QCOMPARE(button.GetPartRect(clpGlyph), (TRect{10, 13, 26, 29}));
    const TRect caption = button.GetPartRect(clpCaption);
    QCOMPARE(caption.Left, 33);
    QCOMPARE(caption.Top, 10);
    QCOMPARE(caption.Right, 300 - 12);
    QCOMPARE(caption.Height(), LineHeight(button.Font()));
    QCOMPARE(button.GetPartRect(clpFocus), (TRect{3, 3, 297, 47}));
    QCOMPARE(button.MinimumWidth(), Advance(button.Font(), QStringLiteral("Go")) + 54);
    button.SetShowIcon(false);
    QCOMPARE(button.MinimumWidth(), Advance(button.Font(), QStringLiteral("Go")) + 28);
    QCOMPARE(button.GetPartRect(clpCaption).Left, 13);
    // Fonts of a new button: 12 and 9 points in the button's text colour.
    QCOMPARE(button.Font().Size(), 12);
    QCOMPARE(button.InfoFont().Size(), 9);
    QCOMPARE(button.Font().Color(), TColor(0x00551C15));
}

// Callers that set up controls generically reach the simple properties by name.
void tst_CommandLink::propertiesByName()
{
    TVxCommandLinkButton button;
    button.SetBounds(0, 0, 300, 40);
    QVERIFY(button.setProperty("Caption", QStringLiteral("&Run")));
    QVERIFY(button.setProperty("InfoText", QStringLiteral("one\r\ntwo")));
    QVERIFY(button.setProperty("ShowIcon", false));
    QVERIFY(button.setProperty("ElevationRequired", true));
    QVERIFY(button.setProperty("ModalResult", 101));
    QVERIFY(button.setProperty("Cancel", true));
    QVERIFY(button.setProperty("ShowHotKey", true));
    QCOMPARE(button.Caption(), QStringLiteral("&Run"));
    QCOMPARE(button.Info()->Count(), 2);
    QCOMPARE(button.GetInfoText(), QStringLiteral("one\r\ntwo"));
    QVERIFY(!button.ShowIcon());
    QVERIFY(button.HasGlyph());
    QCOMPARE(button.ModalResult(), 101);
    QVERIFY(button.Cancel());
    QCOMPARE(button.property("MinimumWidth").toInt(), button.MinimumWidth());
    QCOMPARE(button.property("MinimumWidth").toInt(), Advance(button.Font(), QStringLiteral("Run")) + 28);
    // Setting the info text measured the button again.
    QCOMPARE(button.height(), qMax(LineHeight(button.Font()) + 2 * LineHeight(button.InfoFont()), 16 + 4) + 21);
}

// Sizes after AdjustBounds, computed here from the font metrics in use.
void tst_CommandLink::measuredSize_data()
{
    QTest::addColumn<int>("infoLines");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("glyph");
    QTest::addColumn<bool>("shield");
    QTest::addColumn<bool>("showIcon");
    QTest::addColumn<bool>("autoSize");

    QTest::newRow("caption only") << 0 << QSize() << QSize() << false << true << false;
    QTest::newRow("one info line") << 1 << QSize() << QSize() << false << true << false;
    QTest::newRow("three info lines") << 3 << QSize() << QSize() << false << true << false;
    QTest::newRow("no icon, info") << 2 << QSize() << QSize() << false << false << false;
    QTest::newRow("tall picture, one line") << 1 << QSize(48, 64) << QSize() << false << true << false;
    QTest::newRow("small picture, three lines") << 3 << QSize(20, 10) << QSize() << false << true << false;
    QTest::newRow("tall glyph") << 0 << QSize() << QSize(40, 48) << false << true << false;
    QTest::newRow("tall glyph, info") << 3 << QSize() << QSize(40, 48) << false << true << false;
    QTest::newRow("shield") << 0 << QSize() << QSize() << true << true << false;
    QTest::newRow("shield, info") << 2 << QSize() << QSize() << true << true << false;
    QTest::newRow("auto size") << 1 << QSize() << QSize() << false << true << true;
    QTest::newRow("auto size, picture, glyph") << 1 << QSize(30, 30) << QSize(24, 24) << false << true << true;
    QTest::newRow("auto size, no icon") << 0 << QSize() << QSize() << false << false << true;
}

void tst_CommandLink::measuredSize()
{
    QFETCH(int, infoLines);
    QFETCH(QSize, picture);
    QFETCH(QSize, glyph);
    QFETCH(bool, shield);
    QFETCH(bool, showIcon);
    QFETCH(bool, autoSize);

    const QString caption = QStringLiteral("&Open the file");
    TVxCommandLinkButton button; // never shown
    button.SetBounds(5, 7, 600, 10);
    button.SetCaption(caption);
    button.SetShowIcon(showIcon);
    QStringList lines;
    for (int i = 0; i < infoLines; ++i)
        lines << QStringLiteral("Line %1 of the <b>info</b>").arg(i + 1);
    button.SetInfo(lines.join(QStringLiteral("\r\n")));
    if (picture.isValid()) {
        TPngImage png;
        png.SetImage(SolidImage(picture.width(), picture.height(), Qt::red));
        button.SetPicture(&png);
    }
    if (glyph.isValid()) {
        TPngImage png;
        png.SetImage(SolidImage(glyph.width(), glyph.height(), Qt::blue));
        button.SetGlyph(&png);
    }
    button.SetElevationRequired(shield);
    button.SetAutoSize(autoSize);
    button.AdjustBounds();

    const int ch = LineHeight(button.Font());
    const int cw = Advance(button.Font(), QStringLiteral("Open the file"));
    const QSize g = glyph.isValid() ? glyph : QSize(16, 16);
    const bool hasGlyph = glyph.isValid() || shield;
    const int ih = infoLines * LineHeight(button.InfoFont());
    int h = ch + (picture.isValid() ? qMax(picture.height() + 4, ih) : ih);
    if (hasGlyph)
        h = qMax(g.height() + 4, h);
    h += 21;
    int w = 600;
    if (autoSize) {
        w = 32 + cw + (showIcon ? g.width() : 0) + (picture.isValid() ? picture.width() + 20 : 0);
    }
    QCOMPARE(button.size(), QSize(w, h));
    QCOMPARE(button.pos(), QPoint(5, 7));
    QCOMPARE(button.MinimumWidth(), cw + 28 + (showIcon ? g.width() + 10 : 0));
    QCOMPARE(button.GetPartRect(clpCaption).Left, showIcon ? 10 + g.width() + 7 : 13);
    if (picture.isValid()) {
        const TRect pictureRect = button.GetPartRect(clpPicture);
        QCOMPARE(pictureRect.Left, button.GetPartRect(clpCaption).Left + 1);
        QCOMPARE(pictureRect.Top, 10 + ch + 4);
        QCOMPARE(button.GetPartRect(clpInfo).Left, button.GetPartRect(clpCaption).Left + picture.width() + 8);
    }
    // A button narrower than its glyph column keeps its size.
    button.SetBounds(0, 0, 10, 33);
    button.AdjustBounds();
    QCOMPARE(button.size(), autoSize || !showIcon ? button.size() : QSize(10, 33));
}

// Whatever the width, the info text as painted (wrapped at the width of its rectangle) ends
// inside the button.
void tst_CommandLink::wrappedInfoIsNeverCut_data()
{
    QTest::addColumn<bool>("showIcon");
    QTest::addColumn<bool>("picture");
    QTest::newRow("icon") << true << false;
    QTest::newRow("no icon") << false << false;
    QTest::newRow("icon and picture") << true << true;
    QTest::newRow("picture, no icon") << false << true;
}

void tst_CommandLink::wrappedInfoIsNeverCut()
{
    QFETCH(bool, showIcon);
    QFETCH(bool, picture);
    TVxCommandLinkButton button;
    button.SetCaption(QStringLiteral("Wrap"));
    button.SetShowIcon(showIcon);
    if (picture) {
        TPngImage png;
        png.SetImage(SolidImage(24, 8, Qt::red));
        button.SetPicture(&png);
    }
    const QString info = QStringLiteral("Several short words that wrap again and again at every width we try");
    button.SetInfo(info);
    for (int width = 120; width <= 420; width += 3) {
        button.SetBounds(0, 0, width, 10);
        button.AdjustBounds();
        const TRect r = button.GetPartRect(clpInfo);
        const int painted = TVxCaption::MinimumHeight(nullptr, info, button.InfoFont(), r.Width());
        QVERIFY2(r.Top + painted <= button.height(), qPrintable(QStringLiteral("width %1").arg(width)));
    }
}

// The texts are measured once for all widths and the measurements kept while the texts and
// fonts stay; sizes and parts are always those of a fresh measurement, also after a text or a
// font changed.
void tst_CommandLink::keptMeasurementsMatchFreshOnes()
{
    TVxCommandLinkButton button;
    button.SetCaption(QStringLiteral("&Action number 7"));
    auto fresh = [&button] {
        TVxCommandLinkMetrics m = button.Metrics();
        m.InfoMeasure.reset();
        m.CaptionExtents.reset();
        return TVxCommandLinkLayout(m);
    };
    auto check = [&](const char* Step) {
        for (int width : {600, 640, 140, 61, 600, 30, 0, 640}) {
            button.SetBounds(0, 0, width, 10);
            button.AdjustBounds();
            const QByteArray where = QByteArray(Step) + " at width " + QByteArray::number(width);
            QVERIFY2(button.size() == fresh().AdjustedSize(), where.constData());
            QVERIFY2(button.MinimumWidth() == fresh().MinimumWidth(), where.constData());
            for (int part : {clpCaption, clpInfo})
                QVERIFY2(button.GetPartRect(part) == fresh().PartRect(part), where.constData());
        }
    };
    button.SetInfo(QStringLiteral("The first line of what action 7 does.\r\nThe second line, a little longer."));
    check("two lines");
    const std::shared_ptr<const TVxCaptionMeasure> kept = button.Metrics().InfoMeasure;
    QVERIFY(kept);
    QCOMPARE(button.Metrics().InfoMeasure, kept);

    button.SetInfo(QStringLiteral("One line with <b>markup</b> and <a href=\"x\">a link</a> that wraps when narrow"));
    QVERIFY(button.Metrics().InfoMeasure != kept);
    check("new info text");
    TFont larger = button.InfoFont();
    larger.SetSize(14);
    button.SetInfoFont(larger);
    check("larger info font");
    button.SetCaption(QStringLiteral("A much longer caption with a &tab\tinside"));
    check("new caption");
    TFont captionFont = button.Font();
    captionFont.SetSize(20);
    button.SetFont(captionFont);
    check("larger caption font");
    button.SetBiDiMode(bdRightToLeft);
    check("right to left");
    button.SetInfo(QString());
    check("no info");
}

void tst_CommandLink::rightToLeftParts()
{
    TVxCommandLinkButton button;
    button.SetCaption(QStringLiteral("Go"));
    button.SetBounds(0, 0, 300, 50);
    button.SetBiDiMode(bdRightToLeft);
    QCOMPARE(button.GetPartRect(clpGlyph), (TRect{300 - 10 - 16, 13, 300 - 10, 29}));
    QCOMPARE(button.GetPartRect(clpCaption).Left, 10);
    QCOMPARE(button.GetPartRect(clpCaption).Right, 300 - 10 - 16 - 7);
    // Without the glyph the caption still runs left to right inside the button.
    button.SetShowIcon(false);
    const TRect caption = button.GetPartRect(clpCaption);
    QVERIFY(caption.Left < caption.Right);
    QCOMPARE(caption.Right, 300 - 13);
}

// Right to left the arrow points left (the left-to-right arrow mirrored) and the info text ends
// at the same (right) edge as the caption.
void tst_CommandLink::rightToLeftArrowAndInfo()
{
    const auto make = [](TBiDiMode Mode) {
        auto button = std::make_unique<TVxCommandLinkButton>();
        button->SetCaption(QStringLiteral("Go"));
        button->SetInfo(QStringLiteral("A short note"));
        button->SetBounds(0, 0, 300, 60);
        button->SetBiDiMode(Mode);
        return button;
    };
    const auto ltr = make(bdLeftToRight);
    const auto rtl = make(bdRightToLeft);
    const QImage a = ltr->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage b = rtl->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRect ga = ltr->GetPartRect(clpGlyph).ToQRect();
    const QRect gb = rtl->GetPartRect(clpGlyph).ToQRect();
    QCOMPARE(b.copy(gb), a.copy(ga).mirrored(true, false));
    QVERIFY(b.copy(gb) != a.copy(ga));

    // The rightmost ink of the info text lies near the caption's right edge, not at the left.
    const QRect info = rtl->GetPartRect(clpInfo).ToQRect();
    const QColor paper = b.pixelColor(info.left() + 1, info.top() + 1);
    int right = -1, left = b.width();
    for (int y = info.top(); y <= info.bottom() && y < b.height(); ++y)
        for (int x = info.left(); x <= info.right() && x < b.width(); ++x)
            if (qAbs(b.pixelColor(x, y).lightness() - paper.lightness()) > 60) {
                right = qMax(right, x);
                left = qMin(left, x);
            }
    QVERIFY(right >= 0);
    QVERIFY2(right > info.right() - 8, qPrintable(QStringLiteral("ink ends at %1, info %2..%3").arg(right).arg(info.left()).arg(info.right())));
    QVERIFY(left > info.left() + info.width() / 2);
}

// The state-to-colour table of the native look.
void tst_CommandLink::nativeLook_data()
{
    QTest::addColumn<TVxCommandLinkState>("state");
    QTest::addColumn<TVxCommandLinkColorSet>("colors");
    QTest::addColumn<bool>("customStyle");
    QTest::addColumn<TVxCommandLinkLook>("look");

    const TColor own = 0x00FAFAFA; // the button's Color
    const TVxCommandLinkColorSet builtIn;
    const TVxCommandLinkColorSet set = DistinctColors();
    TVxCommandLinkColorSet noPressed = set;
    noPressed.PressedGradientEnd = clNone;
    noPressed.FontPressedColor = clNone;
    TVxCommandLinkColorSet noBorders = set;
    noBorders.BorderOuter = clNone;
    noBorders.BorderInner = clNone;
    TVxCommandLinkColorSet noGradient = set;
    noGradient.GradientStart = noGradient.GradientEnd = clNone;

    // Enabled, Hot, Pressed, DefaultFrame
    const TVxCommandLinkState normal{true, false, false, false};
    const TVxCommandLinkState hot{true, true, false, false};
    const TVxCommandLinkState pressed{true, true, true, false};
    const TVxCommandLinkState heldOutside{true, false, true, false};
    const TVxCommandLinkState defaulted{true, false, false, true};
    const TVxCommandLinkState disabled{false, false, false, false};
    const TVxCommandLinkState disabledHot{false, true, false, true};

    // Brush, BackgroundStart, BackgroundEnd, HotLine, PressedInnerFrame, BorderOuter, BorderInner, Text
    QTest::newRow("built-in normal") << normal << builtIn << false
                                     << TVxCommandLinkLook{own, own, own, clNone, false, clNone, clNone, 0x00551C15};
    QTest::newRow("built-in hot") << hot << builtIn << false
                                  << TVxCommandLinkLook{own, 0x00FFFFFF, 0x00F6F6F6, 0x00FBFBFB, false, 0x00EAEAEA,
                                                        0x00C6C6C6, 0x00E54A07};
    QTest::newRow("built-in pressed") << pressed << builtIn << false
                                      << TVxCommandLinkLook{own, 0x00ECECEB, 0x00ECECEB, clNone, true, 0x00EAEAEA,
                                                            0x00C6C6C6, 0x00551C15};
    QTest::newRow("built-in pressed, custom style")
        << pressed << builtIn << true
        << TVxCommandLinkLook{own, own, own, clNone, true, 0x00EAEAEA, 0x00C6C6C6, 0x00551C15};
    QTest::newRow("built-in held outside") << heldOutside << builtIn << false
                                           << TVxCommandLinkLook{own, own, own, clNone, false, clNone, clNone, 0x00551C15};
    QTest::newRow("built-in default") << defaulted << builtIn << false
                                      << TVxCommandLinkLook{own, own, own, clNone, false, 0x00FFF4C7, 0x00FFEFAE,
                                                            0x00551C15};
    QTest::newRow("built-in disabled") << disabled << builtIn << false
                                       << TVxCommandLinkLook{own, own, own, clNone, false, clNone, clNone, clGrayText};
    QTest::newRow("built-in disabled under mouse")
        << disabledHot << builtIn << false
        << TVxCommandLinkLook{own, own, own, clNone, false, 0x00FFF4C7, 0x00FFEFAE, clGrayText};

    const TColor bg = set.Color;
    QTest::newRow("set normal") << normal << set << false
                                << TVxCommandLinkLook{bg, bg, bg, clNone, false, clNone, clNone, set.FontColor};
    QTest::newRow("set hot") << hot << set << false
                             << TVxCommandLinkLook{bg, set.HotGradientStart, set.HotGradientEnd, set.GradientPen, false,
                                                   set.BorderOuter, set.BorderInner, set.FontHotColor};
    QTest::newRow("set pressed") << pressed << set << false
                                 << TVxCommandLinkLook{bg, set.PressedGradientStart, set.PressedGradientEnd, clNone,
                                                       true, set.BorderOuter, set.BorderInner, set.FontPressedColor};
    QTest::newRow("set pressed without pressed colours")
        << pressed << noPressed << false
        << TVxCommandLinkLook{bg, set.GradientStart, set.GradientEnd, clNone, true, set.BorderOuter, set.BorderInner,
                              0x00551C15};
    QTest::newRow("set held outside") << heldOutside << set << false
                                      << TVxCommandLinkLook{bg, bg, bg, clNone, false, clNone, clNone,
                                                            set.FontPressedColor};
    QTest::newRow("set default") << defaulted << set << false
                                 << TVxCommandLinkLook{bg, bg, bg, clNone, false, set.DefaultBorderOuter,
                                                       set.DefaultBorderInner, set.FontColor};
    QTest::newRow("set disabled") << disabled << set << false
                                  << TVxCommandLinkLook{bg, bg, bg, clNone, false, clNone, clNone,
                                                        set.FontDisabledColor};
    QTest::newRow("set hot, borders keep the pen")
        << hot << noBorders << false
        << TVxCommandLinkLook{bg, set.HotGradientStart, set.HotGradientEnd, set.GradientPen, false, set.GradientPen,
                              set.GradientPen, set.FontHotColor};
    QTest::newRow("set without gradient paints its colour")
        << normal << noGradient << false
        << TVxCommandLinkLook{bg, bg, bg, clNone, false, clNone, clNone, set.FontColor};
}

void tst_CommandLink::nativeLook()
{
    QFETCH(TVxCommandLinkState, state);
    QFETCH(TVxCommandLinkColorSet, colors);
    QFETCH(bool, customStyle);
    QFETCH(TVxCommandLinkLook, look);
    const TVxCommandLinkLook actual = CommandLinkNativeLook(state, colors, 0x00FAFAFA, customStyle);
    QCOMPARE(actual.Brush, look.Brush);
    QCOMPARE(actual.BackgroundStart, look.BackgroundStart);
    QCOMPARE(actual.BackgroundEnd, look.BackgroundEnd);
    QCOMPARE(actual.HotLine, look.HotLine);
    QCOMPARE(actual.PressedInnerFrame, look.PressedInnerFrame);
    QCOMPARE(actual.BorderOuter, look.BorderOuter);
    QCOMPARE(actual.BorderInner, look.BorderInner);
    QCOMPARE(actual.Text, look.Text);
}

// Grabbed pixels carry the colours of the state.
void tst_CommandLink::paintedStateColours_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<TColor>("background");
    QTest::addColumn<TColor>("edge");
    QTest::addColumn<TColor>("text");
    const TVxCommandLinkColorSet c = DistinctColors();
    QTest::newRow("normal") << "normal" << c.Color << c.Color << c.FontColor;
    QTest::newRow("hot") << "hot" << c.HotGradientStart << c.BorderInner << c.FontHotColor;
    QTest::newRow("pressed") << "pressed" << c.PressedGradientStart << c.BorderInner << c.FontPressedColor;
    QTest::newRow("held outside") << "held outside" << c.Color << c.DefaultBorderInner << c.FontPressedColor;
    QTest::newRow("default") << "default" << c.Color << c.DefaultBorderInner << c.FontColor;
    QTest::newRow("disabled") << "disabled" << c.Color << c.Color << c.FontDisabledColor;
}

void tst_CommandLink::paintedStateColours()
{
    QFETCH(QString, state);
    QFETCH(TColor, background);
    QFETCH(TColor, edge);
    QFETCH(TColor, text);

    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    auto* edit = new QLineEdit(FWindow.get());
    edit->setGeometry(20, 200, 100, 24);
    edit->show();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    button->SetCommandLinkColors(DistinctColors());
    const QPoint inside(button->width() / 2, 4);
    if (state == QLatin1String("hot")) {
        button->SetMouseInControl(true);
    } else if (state == QLatin1String("pressed") || state == QLatin1String("held outside")) {
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        QVERIFY(button->MouseButtonPressed());
        button->SetMouseInControl(state == QLatin1String("pressed"));
    } else if (state == QLatin1String("default")) {
        button->SetDefault(true);
    } else if (state == QLatin1String("disabled")) {
        button->setEnabled(false);
    }
    const QImage image = button->grab().toImage();
    const int w = button->width(), h = button->height();
    // Right of the text, above the bottom line: plain background of the state.
    QCOMPARE(image.pixel(w - 6, h / 2), Rgb(background));
    // The middle of the left edge: the inner border (or nothing).
    QCOMPARE(image.pixel(0, h / 2), Rgb(edge));
    // Somewhere in the caption a pixel carries the text colour.
    const QRect caption = button->GetPartRect(clpCaption).ToQRect();
    QVERIFY2(NearestDistance(image, caption, Rgb(text)) < 40, qPrintable(state));
    // And the info text shares it.
    const QRect info = button->GetPartRect(clpInfo).ToQRect();
    QVERIFY2(NearestDistance(image, info, Rgb(text)) < 60, qPrintable(state));
    if (state == QLatin1String("pressed")) // held over the button: the pressed frame's inner rectangle
        // (the focus rectangle's dots lie on every other pixel of it)
        QVERIFY(image.pixel(3, h / 2) == Rgb(DistinctColors().Color)
                || image.pixel(3, h / 2 + 1) == Rgb(DistinctColors().Color));
    if (state == QLatin1String("held outside"))
        QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
}

// Without an enabled colour set the built-in colours paint the hot and pressed looks.
void tst_CommandLink::builtInLookWithoutColourSet()
{
    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    auto* edit = new QLineEdit(FWindow.get());
    edit->setGeometry(20, 200, 100, 24);
    edit->show();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    const int w = button->width(), h = button->height();

    QImage image = button->grab().toImage();
    QCOMPARE(image.pixel(w - 6, h / 2), Rgb(clWindow));

    button->SetMouseInControl(true);
    image = button->grab().toImage();
    QVERIFY(Distance(image.pixel(w - 6, 1), qRgb(0xFF, 0xFF, 0xFF)) <= 3);
    QVERIFY(Distance(image.pixel(w - 6, h - 3), qRgb(0xF6, 0xF6, 0xF6)) <= 3);
    QCOMPARE(image.pixel(w - 6, h - 2), Rgb(0x00FBFBFB));
    QCOMPARE(image.pixel(0, h / 2), Rgb(0x00C6C6C6));

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(w / 2, 4));
    button->SetMouseInControl(true);
    image = button->grab().toImage();
    QCOMPARE(image.pixel(w - 6, h / 2), Rgb(0x00ECECEB));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(w / 2, 4));
}

// The classic look is the style's push-button bevel over the button face colour.
void tst_CommandLink::classicLookUsesStyleFrame()
{
    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    auto* edit = new QLineEdit(FWindow.get());
    edit->setGeometry(20, 200, 100, 24);
    edit->show();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    button->SetStyle(vxbClassic);
    button->SetMouseInControl(false);
    const int w = button->width(), h = button->height();

    auto expected = [&](QStyle::State Extra) {
        QImage image(button->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(ToQColor(clBtnFace));
        QPainter painter(&image);
        QStyleOptionButton option;
        option.initFrom(button);
        option.rect = button->rect();
        option.state |= Extra;
        button->style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, button);
        return image;
    };
    const QList<QPoint> frame = {QPoint(0, h / 2), QPoint(1, h / 2), QPoint(w / 2, 0), QPoint(w / 2, 1),
                                 QPoint(w - 1, h / 2), QPoint(w / 2, h - 1), QPoint(w - 6, h / 2)};
    QImage actual = button->grab().toImage();
    QImage wanted = expected(QStyle::State_Raised);
    for (const QPoint& p : frame)
        QCOMPARE(actual.pixel(p), wanted.pixel(p));

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(w / 2, 4));
    button->SetMouseInControl(true);
    actual = button->grab().toImage();
    wanted = expected(QStyle::State_Sunken | QStyle::State_MouseOver | QStyle::State_HasFocus);
    for (const QPoint& p : frame)
        QCOMPARE(actual.pixel(p), wanted.pixel(p));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(w / 2, 4));
}

// ShowHotKey draws the accelerator's underline; without it the caption reads as without marker.
void tst_CommandLink::hotKeyUnderline()
{
    auto grab = [](const QString& Caption, bool ShowHotKey) {
        TVxCommandLinkButton button;
        button.SetBounds(0, 0, 300, 60);
        button.SetCaption(Caption);
        button.SetShowHotKey(ShowHotKey);
        return button.grab().toImage();
    };
    const QImage plain = grab(QStringLiteral("Save"), true);
    const QImage hidden = grab(QStringLiteral("&Save"), false);
    const QImage shown = grab(QStringLiteral("&Save"), true);
    QCOMPARE(hidden, plain);
    QVERIFY(shown != plain);

    TVxCommandLinkButton probe;
    probe.SetBounds(0, 0, 300, 60);
    const TRect caption = probe.GetPartRect(clpCaption);
    const int sWidth = Advance(probe.Font(), QStringLiteral("S"));
    const int baseline = caption.Top + QFontMetrics(probe.Font().ToQFont()).ascent();
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (shown.pixel(x, y) != plain.pixel(x, y)) {
                QVERIFY2(x >= caption.Left - 1 && x <= caption.Left + sWidth + 1, qPrintable(QString::number(x)));
                QVERIFY2(y >= baseline - 1, qPrintable(QString::number(y)));
            }
}

// The built-in arrow shows the state: cold, hot, pressed, disabled.
void tst_CommandLink::glyphFollowsState()
{
    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    TVxCommandLinkColorSet colors = DistinctColors();
    button->SetCommandLinkColors(colors);
    const QRect glyph = button->GetPartRect(clpGlyph).ToQRect();
    QCOMPARE(glyph, QRect(10, 13, 16, 16));

    auto check = [&](TVxCommandLinkArrow Arrow, TColor Background) {
        QImage expected(16, 16, QImage::Format_ARGB32_Premultiplied);
        expected.fill(ToQColor(Background));
        QPainter(&expected).drawImage(0, 0, CommandLinkArrowImage(Arrow, 16));
        const QImage actual = button->grab().toImage().copy(glyph);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (Distance(actual.pixel(x, y), expected.pixel(x, y)) > 3)
                    return false;
        return true;
    };
    button->SetMouseInControl(false);
    QVERIFY(check(claCold, colors.Color));
    button->SetMouseInControl(true);
    QVERIFY(check(claHot, colors.HotGradientStart));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(100, 5));
    button->SetMouseInControl(true);
    QVERIFY(check(claDown, colors.PressedGradientStart));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(100, 5));
    button->SetMouseInControl(false);
    button->setEnabled(false);
    QVERIFY(check(claDisabled, colors.Color));
    // The four are different drawings.
    QVERIFY(CommandLinkArrowImage(claCold, 16) != CommandLinkArrowImage(claHot, 16));
    QVERIFY(CommandLinkArrowImage(claHot, 16) != CommandLinkArrowImage(claDown, 16));
    QVERIFY(CommandLinkArrowImage(claCold, 16) != CommandLinkArrowImage(claDisabled, 16));
}

void tst_CommandLink::shieldReplacesArrow()
{
    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    button->SetCommandLinkColors(DistinctColors());
    TPngImage custom;
    custom.SetImage(SolidImage(16, 16, Qt::blue));
    button->SetGlyph(&custom);
    button->SetElevationRequired(true);
    QVERIFY(button->HasGlyph());
    QCOMPARE(button->GetGlyphSize(), QSize(16, 16));

    QImage expected(16, 16, QImage::Format_ARGB32_Premultiplied);
    const QRect glyph = button->GetPartRect(clpGlyph).ToQRect();
    for (int state = 0; state < 3; ++state) {
        button->SetMouseInControl(state == 1);
        button->setEnabled(state != 2);
        const QImage actual = button->grab().toImage().copy(glyph);
        expected.fill(actual.pixel(0, 0)); // the shield's corner is clear
        QPainter(&expected).drawImage(0, 0, CommandLinkShieldImage(16));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                QVERIFY(Distance(actual.pixel(x, y), expected.pixel(x, y)) <= 3);
    }
    button->SetElevationRequired(false);
    QVERIFY(button->Glyph()->Empty()); // the custom glyph set before is gone too
    QVERIFY(!button->HasGlyph());
}

// A bitmap picture or glyph is drawn transparent: its bottom-left colour lets the button show.
void tst_CommandLink::bitmapsAreDrawnTransparent()
{
    TVxCommandLinkButton button;
    button.SetBounds(0, 0, 300, 60);
    const TVxCommandLinkColorSet colors = DistinctColors();
    button.SetCommandLinkColors(colors);
    QImage art = SolidImage(20, 20, Qt::magenta);
    QPainter(&art).fillRect(5, 5, 10, 10, Qt::blue);
    TBitmap bitmap;
    bitmap.SetImage(art);
    button.SetPicture(&bitmap);
    button.SetGlyph(&bitmap);
    const QImage image = button.grab().toImage();
    const TRect glyph = button.GetPartRect(clpGlyph);
    const TRect picture = button.GetPartRect(clpPicture);
    for (const TRect& r : {glyph, picture}) {
        QCOMPARE(image.pixel(r.Left + 1, r.Top + 1), Rgb(colors.Color));
        QCOMPARE(image.pixel(r.Left + 8, r.Top + 8), qRgb(0, 0, 255));
    }
}

// An image list that is destroyed is no longer used.
void tst_CommandLink::imageListGoneIsNotUsed()
{
    TVxCommandLinkButton button;
    button.SetBounds(0, 0, 300, 60);
    auto* glyphs = new TVxImageList(24, 20);
    glyphs->Add(SolidImage(24, 20, Qt::blue));
    auto* pictures = new TVxImageList(30, 30);
    pictures->Add(SolidImage(30, 30, Qt::red));
    button.SetGlyphImages(glyphs);
    button.SetGlyphIndex(0);
    button.SetPictureImages(pictures);
    button.SetPictureIndex(0);
    QVERIFY(button.HasGlyph());
    QVERIFY(button.HasPicture());
    QCOMPARE(button.GetGlyphSize(), QSize(24, 20));
    QCOMPARE(button.GetPictureSize(), QSize(30, 30));
    QImage image = button.grab().toImage();
    QCOMPARE(image.pixel(button.GetPartRect(clpGlyph).Left + 3, 13 + 3), qRgb(0, 0, 255));
    const TRect picture = button.GetPartRect(clpPicture);
    QCOMPARE(image.pixel(picture.Left + 3, picture.Top + 3), qRgb(255, 0, 0));
    button.setEnabled(false); // the disabled look is grey
    image = button.grab().toImage();
    const QRgb grey = image.pixel(picture.Left + 3, picture.Top + 3);
    QCOMPARE(qRed(grey), qGreen(grey));

    delete glyphs;
    delete pictures;
    QVERIFY(!button.HasGlyph());
    QVERIFY(!button.HasPicture());
    QCOMPARE(button.GetGlyphSize(), QSize(16, 16));
    QVERIFY(!button.grab().isNull());
}

void tst_CommandLink::activation_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    const struct {
        const char* Action;
        int Clicks;
    } rows[] = {{"space", 1},       {"return", 1},       {"keypad enter", 1}, {"shift space", 0},
                {"ctrl return", 0}, {"click", 1},        {"right click", 0},  {"release outside", 0},
                {"alt accelerator", 1}, {"other alt letter", 0}};
    for (const auto& row : rows) {
        QTest::newRow(row.Action) << QString::fromLatin1(row.Action) << true << row.Clicks;
        QTest::newRow(qPrintable(QStringLiteral("disabled, %1").arg(QLatin1String(row.Action))))
            << QString::fromLatin1(row.Action) << false << 0;
    }
}

void tst_CommandLink::activation()
{
    QFETCH(QString, action);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    int onClick = 0;
    button->OnClick = TNotifyEvent([&](TObject* Sender) {
        QCOMPARE(Sender, static_cast<TObject*>(button));
        ++onClick;
    });
    QSignalSpy spy(button, &TVxCommandLinkButton::clicked);
    button->setFocus();
    QTRY_VERIFY(button->hasFocus());
    button->setEnabled(enabled);
    const QPoint inside(button->width() / 2, button->height() / 2);

    if (action == QLatin1String("space"))
        QTest::keyClick(button, Qt::Key_Space);
    else if (action == QLatin1String("return"))
        QTest::keyClick(button, Qt::Key_Return);
    else if (action == QLatin1String("keypad enter"))
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    else if (action == QLatin1String("shift space"))
        QTest::keyClick(button, Qt::Key_Space, Qt::ShiftModifier);
    else if (action == QLatin1String("ctrl return"))
        QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    else if (action == QLatin1String("click"))
        QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    else if (action == QLatin1String("right click"))
        QTest::mouseClick(button, Qt::RightButton, {}, inside);
    else if (action == QLatin1String("release outside")) {
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, -20));
    } else if (action == QLatin1String("alt accelerator"))
        QTest::keyClick(FWindow.get(), Qt::Key_S, Qt::AltModifier);
    else if (action == QLatin1String("other alt letter"))
        QTest::keyClick(FWindow.get(), Qt::Key_X, Qt::AltModifier);

    QCOMPARE(spy.count(), clicks);
    QCOMPARE(onClick, clicks);
    QVERIFY(!button->MouseButtonPressed());
}

// Two buttons with one accelerator: Alt and the letter move the focus between them, clicking none.
void tst_CommandLink::sharedAccelerator()
{
    TVxCommandLinkButton* first = Shown();
    QVERIFY(first);
    auto* second = new TVxCommandLinkButton(FWindow.get());
    second->SetCaption(QStringLiteral("&Send the document"));
    second->SetBounds(20, 120, 300, 60);
    second->show();
    auto* edit = new QLineEdit(FWindow.get());
    edit->setGeometry(20, 200, 100, 24);
    edit->show();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QSignalSpy firstClicks(first, &TVxCommandLinkButton::clicked);
    QSignalSpy secondClicks(second, &TVxCommandLinkButton::clicked);
    QTest::keyClick(FWindow.get(), Qt::Key_S, Qt::AltModifier);
    QVERIFY(first->hasFocus() || second->hasFocus());
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(FWindow.get(), Qt::Key_S, Qt::AltModifier);
    QVERIFY(first->hasFocus() || second->hasFocus());
    QVERIFY(QApplication::focusWidget() != focused);
    QCOMPARE(firstClicks.count() + secondClicks.count(), 0);
}

// Characters a dialog offers to its buttons.
void tst_CommandLink::dialogChars()
{
    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    auto* other = new TVxCommandLinkButton(FWindow.get());
    other->SetCaption(QStringLiteral("&Keep"));
    other->SetBounds(20, 120, 300, 60);
    auto* edit = new QLineEdit(FWindow.get());
    edit->setGeometry(20, 200, 100, 24);
    other->show();
    edit->show();
    QSignalSpy clicks(button, &TVxCommandLinkButton::clicked);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());

    QVERIFY(!button->DialogChar(QLatin1Char('x')));
    QVERIFY(!button->DialogChar(QLatin1Char('\r'))); // not the default button
    QVERIFY(!button->DialogChar(QChar(0x1B)));       // not the cancel button
    QCOMPARE(clicks.count(), 0);

    QVERIFY(button->DialogChar(QLatin1Char('S'))); // the accelerator, any case
    QVERIFY(button->hasFocus());
    QCOMPARE(clicks.count(), 1);

    button->SetDefault(true);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QVERIFY(!button->DialogChar(QLatin1Char('\r'))); // the focus is elsewhere
    button->setFocus();
    QTRY_VERIFY(button->hasFocus());
    QVERIFY(button->DialogChar(QLatin1Char('\r')));
    QCOMPARE(clicks.count(), 2);

    button->SetCancel(true);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QVERIFY(button->DialogChar(QChar(0x1B)));
    QVERIFY(button->hasFocus());
    QCOMPARE(clicks.count(), 3);

    button->setEnabled(false);
    QVERIFY(!button->DialogChar(QLatin1Char('s')));
    QCOMPARE(clicks.count(), 3);
}

// Holding the button and leaving it shows no pressed background, but the text keeps the
// pressed colour; releasing outside does not click.
void tst_CommandLink::pressedNeedsMouseOver()
{
    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    const TVxCommandLinkColorSet colors = DistinctColors();
    button->SetCommandLinkColors(colors);
    QSignalSpy clicks(button, &TVxCommandLinkButton::clicked);
    const int w = button->width(), h = button->height();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(w / 2, 4));
    button->SetMouseInControl(true);
    QCOMPARE(button->grab().toImage().pixel(w - 6, h / 2), Rgb(colors.PressedGradientStart));
    QTest::mouseMove(button, QPoint(w + 30, h + 30));
    QTRY_VERIFY(!button->MouseInControl());
    QVERIFY(button->MouseButtonPressed());
    const QImage image = button->grab().toImage();
    QCOMPARE(image.pixel(w - 6, h / 2), Rgb(colors.Color));
    QVERIFY(NearestDistance(image, button->GetPartRect(clpCaption).ToQRect(), Rgb(colors.FontPressedColor)) < 40);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(w + 30, h + 30));
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!button->MouseButtonPressed());
}

// The default button shows its border while the focus is on an edit control, not while it is
// on another command link.
void tst_CommandLink::defaultFrameFollowsFocus()
{
    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    const TVxCommandLinkColorSet colors = DistinctColors();
    button->SetCommandLinkColors(colors);
    button->SetDefault(true);
    auto* other = new TVxCommandLinkButton(FWindow.get());
    other->SetBounds(20, 120, 300, 60);
    other->SetCommandLinkColors(colors);
    auto* edit = new QLineEdit(FWindow.get());
    edit->setGeometry(20, 200, 100, 24);
    other->show();
    edit->show();
    const int h = button->height();

    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(button->grab().toImage().pixel(0, h / 2), Rgb(colors.DefaultBorderInner));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(button->grab().toImage().pixel(0, h / 2), Rgb(colors.Color));
    // A focused command link shows the same border, and the focus rectangle inside it.
    QImage focused = other->grab().toImage();
    QCOMPARE(focused.pixel(0, other->height() / 2), Rgb(colors.DefaultBorderInner));
    QCOMPARE(focused.pixel(3, 3), qRgb(0, 0, 0));
    QCOMPARE(focused.pixel(4, 3), Rgb(colors.Color));
    button->setFocus();
    QTRY_VERIFY(button->hasFocus());
    QCOMPARE(button->grab().toImage().pixel(0, h / 2), Rgb(colors.DefaultBorderInner));
}

void tst_CommandLink::accessibility()
{
    TVxCommandLinkButton* button = Shown();
    QVERIFY(button);
    button->SetInfo(QStringLiteral("Keeps a <b>copy</b>\r\nsee <a href=\"https://example.org\">the guide</a>"));
    QSignalSpy clicks(button, &TVxCommandLinkButton::clicked);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Save the document"));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Keeps a copy\nsee the guide"));

    button->setFocus();
    QTRY_VERIFY(button->hasFocus());
    QVERIFY(iface->state().focused);
    QVERIFY(!iface->state().defaultButton);
    button->SetDefault(true);
    QVERIFY(iface->state().defaultButton);

    QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);

    button->setEnabled(false);
    QVERIFY(iface->state().disabled);
    QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);
}

// A sheet of the looks, for the eye: native and classic, with info, glyph, shield and picture.
void tst_CommandLink::screenshots()
{
    FWindow = std::make_unique<QWidget>();
    FWindow->setAutoFillBackground(true);
    QPalette palette = FWindow->palette();
    palette.setColor(QPalette::Window, Qt::white);
    FWindow->setPalette(palette);
    FWindow->resize(900, 720);
    QList<TVxCommandLinkButton*> buttons;
    auto add = [&](int Column, const QString& Caption, const QString& Info) {
        auto* b = new TVxCommandLinkButton(FWindow.get());
        b->SetCaption(Caption);
        b->SetInfo(Info);
        b->SetShowHotKey(true);
        const int y = buttons.size() % 10 == 0 ? 10 : buttons.last()->geometry().bottom() + 6;
        b->SetBounds(10 + Column * 445, y, 430, 10);
        b->AdjustBounds();
        buttons << b;
        return b;
    };
    for (int column = 0; column < 2; ++column) {
        const TVxButtonStyle style = column == 0 ? vxbNative : vxbClassic;
        add(column, QStringLiteral("&Normal"), ThreeLines)->SetStyle(style);
        TVxCommandLinkButton* hot = add(column, QStringLiteral("&Hot"), QStringLiteral("The <b>mouse</b> is over it"));
        hot->SetStyle(style);
        hot->SetMouseInControl(true);
        TVxCommandLinkButton* def = add(column, QStringLiteral("&Default"), QStringLiteral("The default button"));
        def->SetStyle(style);
        def->SetDefault(true);
        TVxCommandLinkButton* off = add(column, QStringLiteral("D&isabled"), QStringLiteral("Cannot be chosen"));
        off->SetStyle(style);
        off->setEnabled(false);
        TVxCommandLinkButton* shield = add(column, QStringLiteral("&Elevated"), QStringLiteral("Needs the shield"));
        shield->SetStyle(style);
        shield->SetElevationRequired(true);
        shield->AdjustBounds();
        TVxCommandLinkButton* glyph = add(column, QStringLiteral("&Custom glyph"), QString());
        glyph->SetStyle(style);
        TPngImage png;
        QImage art = SolidImage(32, 32, QColor(0x2C, 0x78, 0xD4));
        glyph->SetGlyph(&png);
        png.SetImage(art);
        glyph->SetGlyph(&png);
        TVxCommandLinkButton* picture =
            add(column, QStringLiteral("&Picture"), QStringLiteral("A picture sits left of this text, under the "
                                                                   "caption, and the text wraps beside it."));
        picture->SetStyle(style);
        png.SetImage(SolidImage(40, 30, QColor(0xF5, 0xC0, 0x2A)));
        picture->SetPicture(&png);
        TVxCommandLinkButton* colours = add(column, QStringLiteral("Colour &set"), QStringLiteral("Painted from a set"));
        colours->SetStyle(style);
        TVxCommandLinkColorSet set = DistinctColors();
        set.GradientStart = 0x00FFFFFF;
        set.GradientEnd = 0x00F0E0D0;
        colours->SetCommandLinkColors(set);
        add(column, QStringLiteral("&Pressed"), QStringLiteral("Held down under the mouse"))->SetStyle(style);
        TVxCommandLinkButton* rtl = add(column, QStringLiteral("&Right to left"), QStringLiteral("Reads from the right"));
        rtl->SetStyle(style);
        rtl->SetBiDiMode(bdRightToLeft);
    }
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    for (TVxCommandLinkButton* pressed : {buttons[8], buttons[18]}) {
        QTest::mousePress(pressed, Qt::LeftButton, {}, QPoint(100, 10));
        pressed->SetMouseInControl(true);
    }
    for (TVxCommandLinkButton* b : buttons) {
        QVERIFY(b->geometry().bottom() < FWindow->height());
        QVERIFY(b->GetPartRect(clpInfo).Bottom <= b->height() || b->Info()->Count() == 0 || b->HasPicture());
    }
    const QImage sheet = FWindow->grab().toImage();
    QVERIFY(sheet.save(QDir::temp().filePath(QStringLiteral("quillfen_commandlink.png"))));
    // Native and classic looks differ.
    QVERIFY(buttons[0]->grab().toImage() != buttons[10]->grab().toImage());
    for (TVxCommandLinkButton* pressed : {buttons[8], buttons[18]})
        QTest::mouseRelease(pressed, Qt::LeftButton, {}, QPoint(100, 10));
}

QTEST_MAIN(tst_CommandLink)
#include "tst_commandlink.moc"
