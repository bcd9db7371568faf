#include "VxLabel.h"

#include "DrawText.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

#include <limits>

namespace {

void Enter(QWidget* W)
{
    const QPointF p(W->width() / 2.0, W->height() / 2.0);
    QEnterEvent event(p, p, W->mapToGlobal(p));
    QApplication::sendEvent(W, &event);
}

void Leave(QWidget* W)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(W, &event);
}

int TextWidth(const TFont& Font, const QString& Caption)
{
    return QFontMetrics(Font.ToQFont()).horizontalAdvance(StripHotkey(Caption));
}

int TextHeight(const TFont& Font) { return QFontMetrics(Font.ToQFont()).height(); }

// Columns of Image (within rows Top..Bottom) that hold a pixel other than Background.
QList<int> InkedColumns(const QImage& Image, const QColor& Background, int Top = 0, int Bottom = -1)
{
    if (Bottom < 0)
        Bottom = Image.height() - 1;
    QList<int> columns;
    for (int x = 0; x < Image.width(); ++x)
        for (int y = Top; y <= Bottom; ++y)
            if (QColor(Image.pixel(x, y)) != Background) {
                columns << x;
                break;
            }
    return columns;
}

// The glyph as it must appear on the control: drawn over the control's fill.
QImage GlyphOver(const QString& Name, const QColor& Background)
{
    QImage image(TVxCustomMoreLabel::GlyphSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Background);
    QPainter painter(&image);
    painter.drawImage(QPoint(0, 0), TVxCustomMoreLabel::RenderGlyph(QStringLiteral("%1").arg(Name),
                                                                    TVxCustomMoreLabel::GlyphSize()));
    return image;
}

bool SameGlyph(const QImage& Shown, const QImage& Expected)
{
    for (int y = 0; y < Expected.height(); ++y)
        for (int x = 0; x < Expected.width(); ++x) {
            const QColor a(Shown.pixel(x, y));
            const QColor b(Expected.pixel(x, y));
            if (qAbs(a.red() - b.red()) > 2 || qAbs(a.green() - b.green()) > 2 || qAbs(a.blue() - b.blue()) > 2)
                return false;
        }
    return true;
}

} // namespace

class tst_Label : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void labelAutoSize_data();
    void labelAutoSize();
    void labelFocusRectangleHugsText();
    void labelDisabledIsEmbossed();
    void labelFocusAndClick();
    void moreLabelAutoSize_data();
    void moreLabelAutoSize();
    void absurdSpacingStaysDefined();
    void rightToLeftKeepsRightEdge();
    void moreLabelDrawsTextAfterGlyph();
    void togglesAndNotifies_data();
    void togglesAndNotifies();
    void settingSameExpandedFiresNothing();
    void disabledIgnoresInput();
    void glyphFollowsState_data();
    void glyphFollowsState();
    void glyphArtwork();
    void captionsSwitchLikeTheEngine();
    void sizeWithoutWindow();
    void screenshot();

private:
    template <typename T>
    T* Shown(const QString& Caption);
    std::unique_ptr<QWidget> FWindow;
    QStringList FEvents;
};

template <typename T>
T* tst_Label::Shown(const QString& Caption)
{
    FWindow = std::make_unique<QWidget>();
    FWindow->resize(320, 80);
    auto* label = new T(FWindow.get());
    label->move(10, 10);
    label->SetCaption(Caption);
    label->OnClick = TNotifyEvent([this](TObject*) { FEvents << QStringLiteral("click"); });
    if constexpr (std::is_base_of_v<TVxCustomMoreLabel, T>) {
        label->OnExpanded = TNotifyEvent([this](TObject*) { FEvents << QStringLiteral("expanded"); });
        label->OnCollapsed = TNotifyEvent([this](TObject*) { FEvents << QStringLiteral("collapsed"); });
    }
    FWindow->show();
    if (!QTest::qWaitForWindowActive(FWindow.get()))
        return nullptr;
    return label;
}

void tst_Label::init()
{
    FWindow.reset();
    FEvents.clear();
    SetStyleServicesEnabled(false);
}

void tst_Label::cleanup()
{
    FWindow.reset();
    SetStyleServicesEnabled(false);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Label::labelAutoSize_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("plain") << QStringLiteral("Details");
    QTest::newRow("accelerator") << QStringLiteral("&Details of the run");
}

void tst_Label::labelAutoSize()
{
    QFETCH(QString, caption);
    QWidget parent;
    TVxCustomLabel label(&parent);
    QCOMPARE(label.size(), QSize(65, 17));
    label.SetCaption(caption);
    const TFont& font = label.Font();
    // Text from x = 4, its focus rectangle up to text width + 6.
    const int tw = TextWidth(font, caption);
    QCOMPARE(label.width(), tw + 6);
    QCOMPARE(label.height(), caption.isEmpty() ? 0 : TextHeight(font));

    label.SetAutoSize(false);
    label.SetCaption(caption + QStringLiteral(" and a lot more text"));
    QCOMPARE(label.width(), tw + 6);
    label.SetAutoSize(true);
    QCOMPARE(label.width(), TextWidth(font, caption + QStringLiteral(" and a lot more text")) + 6);
}

void tst_Label::labelFocusRectangleHugsText()
{
    auto* label = Shown<TVxCustomLabel>(QStringLiteral("Focus me"));
    QVERIFY(label);
    label->SetAutoSize(false);
    label->resize(200, 40);
    const QImage before = label->grab().toImage();
    label->setFocus();
    QTRY_VERIFY(label->hasFocus());
    const QImage after = label->grab().toImage();
    const int tw = TextWidth(label->Font(), label->Caption());
    const int th = TextHeight(label->Font());

    QRect changed;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    // The platform rectangle (2, 2) - (tw + 6, th + 3), right and bottom outside.
    QCOMPARE(changed, QRect(QPoint(2, 2), QPoint(tw + 5, th + 2)));
}

void tst_Label::labelFocusAndClick()
{
    auto* label = Shown<TVxCustomLabel>(QStringLiteral("&Name:"));
    QVERIFY(label);
    auto* more = new TVxMoreLabel(FWindow.get());
    more->move(10, 40);
    more->show();
    auto* edit = new QWidget(FWindow.get());
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->show();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());

    // Not a tab stop: Tab goes to the toggle, which is one.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(more->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(edit->hasFocus());

    // A right press leaves the focus alone; a left click takes it and clicks.
    QTest::mouseClick(label, Qt::RightButton);
    QVERIFY(edit->hasFocus());
    QVERIFY(FEvents.isEmpty());
    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(label->hasFocus());
    QCOMPARE(FEvents, QStringList({"click"}));
    // Pressed on the label but released elsewhere: no click.
    QTest::mousePress(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 5, 0));
    QCOMPARE(FEvents.size(), 1);

    // The accelerator focuses the label and clicks it.
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_N, Qt::AltModifier);
    QVERIFY(label->hasFocus());
    QCOMPARE(FEvents, QStringList({"click", "click"}));
}

void tst_Label::labelDisabledIsEmbossed()
{
    auto* label = Shown<TVxCustomLabel>(QStringLiteral("Disabled"));
    QVERIFY(label);
    label->setEnabled(false);
    const QImage image = label->grab().toImage();
    const QColor fill = ToQColor(clBtnFace);
    int highlight = 0;
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            highlight += qGray(c.rgb()) > qGray(fill.rgb()) ? 1 : 0;
            darkest = qMin(darkest, qGray(c.rgb()));
        }
    // A highlight copy below right, the text itself in the shadow colour, never black.
    QVERIFY(highlight > 10);
    QVERIFY(darkest >= qGray(ToQColor(clBtnShadow).rgb()) - 8);

    // Under visual styles: one pass in the disabled text colour.
    SetStyleServicesEnabled(true);
    const QImage styled = label->grab().toImage();
    int styledDarkest = 255;
    for (int y = 0; y < styled.height(); ++y)
        for (int x = 0; x < styled.width(); ++x)
            styledDarkest = qMin(styledDarkest, qGray(styled.pixel(x, y)));
    QVERIFY(styledDarkest >= qGray(ToQColor(clGrayText).rgb()) - 8);
    QVERIFY(styledDarkest < qGray(fill.rgb()));
}

void tst_Label::moreLabelAutoSize_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("spacing");
    QTest::newRow("show") << QStringLiteral("See details") << 4;
    QTest::newRow("accelerator") << QStringLiteral("&Hide details") << 4;
    QTest::newRow("wide spacing") << QStringLiteral("See details") << 12;
    QTest::newRow("no spacing") << QStringLiteral("See details") << 0;
}

void tst_Label::moreLabelAutoSize()
{
    QFETCH(QString, caption);
    QFETCH(int, spacing);
    QWidget parent;
    TVxMoreLabel label(&parent);
    QCOMPARE(label.size(), QSize(200, 20));
    QCOMPARE(label.Glyph()->Width(), 19);
    QCOMPARE(label.Glyph()->Height(), 19);
    label.SetSpacing(spacing);
    label.SetCaption(caption);
    const int column = 19 + spacing;
    // The glyph column counted by the measurement and once more by the explicit addition.
    QCOMPARE(label.width(), 2 * column + 2 + TextWidth(label.Font(), caption));
    QCOMPARE(label.height(), qMax(TextHeight(label.Font()), 19));

    // A larger font makes the label taller than the glyph.
    TFont big = label.Font();
    big.SetSize(24);
    label.SetFont(big);
    QCOMPARE(label.height(), qMax(TextHeight(big), 19));
    QVERIFY(label.height() > 19);
    QCOMPARE(label.width(), 2 * column + 2 + TextWidth(big, caption));
}

void tst_Label::absurdSpacingStaysDefined()
{
    QWidget parent;
    TVxMoreLabel label(&parent);
    label.SetCaption(QStringLiteral("See details"));
    label.SetSpacing(std::numeric_limits<int>::max());
    label.SetFont(label.Font()); // measures again
    QVERIFY(label.width() > 0);
    QVERIFY(label.width() <= 2 * 100000 + 2 + TextWidth(label.Font(), label.Caption()));
    label.grab();
}

void tst_Label::rightToLeftKeepsRightEdge()
{
    QWidget parent;
    TVxMoreLabel label(&parent);
    label.SetBiDiMode(bdRightToLeft);
    label.setGeometry(50, 5, 300, 20);
    label.SetCaption(QStringLiteral("See details"));
    QCOMPARE(label.geometry().right(), 349);
    label.SetCaption(QStringLiteral("See more of the details"));
    QCOMPARE(label.geometry().right(), 349);
    // Right to left the measurement leaves the glyph column out; it is added once.
    QCOMPARE(label.width(), 2 + TextWidth(label.Font(), label.Caption()) + 23);
}

void tst_Label::moreLabelDrawsTextAfterGlyph()
{
    auto* label = Shown<TVxMoreLabel>(QStringLiteral("See details"));
    QVERIFY(label);
    label->clearFocus(); // no focus rectangle
    QTRY_VERIFY(!label->hasFocus());
    const QImage image = label->grab().toImage();
    const QColor fill = ToQColor(clBtnFace);
    const QList<int> inked = InkedColumns(image, fill);
    // The glyph fills columns 0..18; the spacing up to the text start is empty.
    QVERIFY(inked.contains(0) || inked.contains(1));
    QVERIFY(inked.contains(18) || inked.contains(17));
    for (int x = 19; x < 27; ++x)
        QVERIFY2(!inked.contains(x), qPrintable(QString::number(x)));
    QVERIFY(inked.contains(27) || inked.contains(28));
    QVERIFY(inked.last() < 27 + TextWidth(label->Font(), label->Caption()));

    label->SetBiDiMode(bdRightToLeft);
    const QImage mirrored = label->grab().toImage();
    const QList<int> rtl = InkedColumns(mirrored, fill);
    QVERIFY(rtl.contains(label->width() - 1) || rtl.contains(label->width() - 2));
    // Right to left the text ends right at the spacing before the glyph.
    for (int x = label->width() - 23; x < label->width() - 19; ++x)
        QVERIFY2(!rtl.contains(x), qPrintable(QString::number(x)));
    QVERIFY(rtl.contains(label->width() - 24) || rtl.contains(label->width() - 25));
}

void tst_Label::togglesAndNotifies_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("space") << QStringLiteral("space");
    QTest::newRow("mouse click") << QStringLiteral("mouse");
    QTest::newRow("accelerator") << QStringLiteral("alt");
    QTest::newRow("dialog character") << QStringLiteral("char");
}

void tst_Label::togglesAndNotifies()
{
    QFETCH(QString, input);
    auto* label = Shown<TVxMoreLabel>(QStringLiteral("&See details"));
    QVERIFY(label);
    label->setFocus();
    QTRY_VERIFY(label->hasFocus());
    const auto act = [&] {
        if (input == QLatin1String("space"))
            QTest::keyClick(label, Qt::Key_Space);
        else if (input == QLatin1String("mouse"))
            QTest::mouseClick(label, Qt::LeftButton);
        else if (input == QLatin1String("alt"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        else
            QVERIFY(label->DialogChar(u's'));
    };
    act();
    QVERIFY(label->Expanded());
    act();
    QVERIFY(!label->Expanded());
    // The click comes before the state notification.
    QCOMPARE(FEvents, QStringList({"click", "expanded", "click", "collapsed"}));
}

void tst_Label::settingSameExpandedFiresNothing()
{
    TVxMoreLabel label;
    label.OnExpanded = TNotifyEvent([this](TObject*) { FEvents << QStringLiteral("expanded"); });
    label.OnCollapsed = TNotifyEvent([this](TObject*) { FEvents << QStringLiteral("collapsed"); });
    label.SetExpanded(false);
    QVERIFY(FEvents.isEmpty());
    label.SetExpanded(true);
    label.SetExpanded(true);
    QCOMPARE(FEvents, QStringList({"expanded"}));
}

void tst_Label::disabledIgnoresInput()
{
    auto* label = Shown<TVxMoreLabel>(QStringLiteral("&See details"));
    QVERIFY(label);
    label->setEnabled(false);
    QTest::keyClick(label, Qt::Key_Space);
    QTest::mouseClick(label, Qt::LeftButton);
    QTest::keyClick(FWindow.get(), Qt::Key_S, Qt::AltModifier);
    QVERIFY(!label->DialogChar(u's'));
    QVERIFY(!label->Expanded());
    QVERIFY(FEvents.isEmpty());
}

void tst_Label::glyphFollowsState_data()
{
    QTest::addColumn<bool>("expanded");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("over");
    QTest::addColumn<bool>("held");
    QTest::addColumn<QString>("glyph");

    QTest::newRow("collapsed") << false << true << false << false << "VXD_SHOWCOLD";
    QTest::newRow("collapsed, hot") << false << true << true << false << "VXD_SHOWHOT";
    QTest::newRow("collapsed, pressed") << false << true << true << true << "VXD_SHOWPRESS";
    QTest::newRow("collapsed, disabled") << false << false << true << false << "VXD_SHOWCOLD";
    QTest::newRow("expanded") << true << true << false << false << "VXD_HIDECOLD";
    QTest::newRow("expanded, hot") << true << true << true << false << "VXD_HIDEHOT";
    QTest::newRow("expanded, pressed") << true << true << true << true << "VXD_HIDEPRESS";
    QTest::newRow("expanded, disabled") << true << false << false << false << "VXD_HIDECOLD";
}

void tst_Label::glyphFollowsState()
{
    QFETCH(bool, expanded);
    QFETCH(bool, enabled);
    QFETCH(bool, over);
    QFETCH(bool, held);
    QFETCH(QString, glyph);

    auto* label = Shown<TVxMoreLabel>(QStringLiteral("See details"));
    QVERIFY(label);
    label->SetExpanded(expanded);
    label->setEnabled(enabled);
    if (over)
        Enter(label);
    if (held)
        QTest::mousePress(label, Qt::LeftButton);
    QCOMPARE(label->GlyphResourceName(), glyph);
    const QImage shown = label->grab().toImage();
    QVERIFY(SameGlyph(shown, GlyphOver(glyph, ToQColor(clBtnFace))));
    if (held)
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 5, 0));
    Leave(label);
    QCOMPARE(label->GlyphResourceName(), QString(expanded ? "VXD_HIDECOLD" : "VXD_SHOWCOLD"));
}

void tst_Label::glyphArtwork()
{
    const QStringList names{"VXD_SHOWCOLD", "VXD_SHOWHOT", "VXD_SHOWPRESS",
                            "VXD_HIDECOLD", "VXD_HIDEHOT", "VXD_HIDEPRESS"};
    const QColor fill = ToQColor(clBtnFace);
    for (int i = 0; i < names.size(); ++i) {
        const QImage one = TVxCustomMoreLabel::RenderGlyph(names[i], QSize(19, 19));
        QCOMPARE(one.size(), QSize(19, 19));
        // Drawn at twice the pixels for a 2x screen, not scaled up from 1x.
        const QImage two = TVxCustomMoreLabel::RenderGlyph(names[i], QSize(19, 19), 2.0);
        QCOMPARE(two.size(), QSize(38, 38));
        QCOMPARE(two.devicePixelRatio(), 2.0);
        QVERIFY(two != one.scaled(38, 38));
        // Every state looks different from every other.
        for (int j = 0; j < i; ++j)
            QVERIFY2(!SameGlyph(GlyphOver(names[i], fill), GlyphOver(names[j], fill)),
                     qPrintable(names[i] + " / " + names[j]));
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("VXD_NOSUCH")));
    QVERIFY(TVxCustomMoreLabel::RenderGlyph(QStringLiteral("VXD_NOSUCH"), QSize(19, 19)).isNull());
}

void tst_Label::captionsSwitchLikeTheEngine()
{
    // The engine gives the toggle the hide text when it expands and the show text when it
    // collapses.
    auto* label = Shown<TVxMoreLabel>(QStringLiteral("Show details"));
    QVERIFY(label);
    label->OnExpanded = TNotifyEvent([label](TObject*) { label->SetCaption(QStringLiteral("Hide all of the details")); });
    label->OnCollapsed = TNotifyEvent([label](TObject*) { label->SetCaption(QStringLiteral("Show details")); });
    const int collapsedWidth = label->width();
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(label->Caption(), QStringLiteral("Hide all of the details"));
    QCOMPARE(label->width(), 2 * 23 + 2 + TextWidth(label->Font(), label->Caption()));
    QVERIFY(label->width() > collapsedWidth);
    Leave(label);
    QCOMPARE(label->GlyphResourceName(), QStringLiteral("VXD_HIDECOLD"));
    QVERIFY(SameGlyph(label->grab().toImage(), GlyphOver(QStringLiteral("VXD_HIDECOLD"), ToQColor(clBtnFace))));
    QTest::keyClick(label, Qt::Key_Space);
    QCOMPARE(label->Caption(), QStringLiteral("Show details"));
    QCOMPARE(label->width(), collapsedWidth);
    QVERIFY(SameGlyph(label->grab().toImage(), GlyphOver(QStringLiteral("VXD_SHOWCOLD"), ToQColor(clBtnFace))));
}

void tst_Label::sizeWithoutWindow()
{
    // The engine measures before anything is shown; without a parent nothing resizes, but the
    // extent is known.
    QWidget parent;
    TVxMoreLabel label;
    label.SetCaption(QStringLiteral("Show details"));
    QCOMPARE(label.size(), QSize(200, 20));
    QCOMPARE(label.AutoSizeExtent(),
             QSize(2 * 23 + 2 + TextWidth(label.Font(), label.Caption()), qMax(19, TextHeight(label.Font()))));
    label.setParent(&parent);
    QCOMPARE(label.size(), label.AutoSizeExtent());
    QVERIFY(!parent.isVisible());
}

void tst_Label::screenshot()
{
    // Collapsed, hot, pressed, expanded, focused, disabled, right to left, plain label.
    FWindow = std::make_unique<QWidget>();
    FWindow->resize(240, 9 * 26);
    QList<TVxCustomLabel*> labels;
    const QStringList captions{"&See details", "Hot", "Pressed", "&Hide details", "Focused", "Disabled",
                               "Right to left", "Expanded, disabled"};
    for (int i = 0; i < captions.size(); ++i) {
        auto* label = new TVxMoreLabel(FWindow.get());
        label->move(10, 6 + 26 * i);
        label->SetCaption(captions[i]);
        labels << label;
    }
    auto* plain = new TVxCustomLabel(FWindow.get());
    plain->move(10, 6 + 26 * 8);
    plain->SetCaption(QStringLiteral("Plain &label, focused"));
    auto more = [&](int i) { return static_cast<TVxMoreLabel*>(labels[i]); };
    more(3)->SetExpanded(true);
    more(5)->setEnabled(false);
    more(6)->SetBiDiMode(bdRightToLeft);
    more(7)->SetExpanded(true);
    more(7)->setEnabled(false);
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    Enter(labels[1]);
    Enter(labels[2]);
    QTest::mousePress(labels[2], Qt::LeftButton);
    more(4)->setFocus();
    QTRY_VERIFY(more(4)->hasFocus());
    QImage image = FWindow->grab().toImage();
    plain->setFocus();
    QTRY_VERIFY(plain->hasFocus());
    {
        QPainter painter(&image);
        painter.drawImage(plain->pos(), plain->grab().toImage());
    }
    QVERIFY(image.save(QStringLiteral("/tmp/quillfen_morelabel.png")));
    QTest::mouseRelease(labels[2], Qt::LeftButton);
}

QTEST_MAIN(tst_Label)
#include "tst_label.moc"
