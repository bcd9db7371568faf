#include "VxCheckBox.h"

#include "DrawText.h"
#include "Screen.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOption>
#include <QProxyStyle>
#include <QTest>

namespace {

// Records how the check-box element is asked to draw itself.
class RecordingStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement Element, const QStyleOption* Option, QPainter* Painter,
                       const QWidget* Widget) const override
    {
        if (Element == PE_IndicatorCheckBox) {
            State = Option->state;
            Rect = Option->rect;
            ++Count;
        }
        QProxyStyle::drawPrimitive(Element, Option, Painter, Widget);
    }
    mutable QStyle::State State;
    mutable QRect Rect;
    mutable int Count = 0;
};

// Turns visual styles on for one test and back off afterwards.
struct StyledScope {
    explicit StyledScope(bool On) { SetStyleServicesEnabled(On); }
    ~StyledScope() { SetStyleServicesEnabled(false); }
};

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

bool IsDark(QRgb Pixel) { return qGray(Pixel) < 110; }

int DarkPixels(const QImage& Image, const QRect& Area)
{
    int n = 0;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            n += IsDark(Image.pixel(x, y)) ? 1 : 0;
    return n;
}

const QColor ParentColour(0x33, 0x66, 0x99);

} // namespace

class tst_CheckBox : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void defaults();
    void geometry_data();
    void geometry();
    void setterAndStateAreSilent();
    void mouse_data();
    void mouse();
    void keyboard_data();
    void keyboard();
    void disabledIgnoresInput();
    void classicPainting_data();
    void classicPainting();
    void transparentShowsParent();
    void focusRectangle();
    void themedStates_data();
    void themedStates();
    void actionDrivesCheckedAndCaption();
    void screenshot();

private:
    // A box in an active window, so focus and shortcuts work.
    TVxCheckBox* Shown(const QString& Caption, int Width = 160, int Height = -1);
    std::unique_ptr<QWidget> FWindow;
    int FClicks = 0;
};

TVxCheckBox* tst_CheckBox::Shown(const QString& Caption, int Width, int Height)
{
    FWindow = std::make_unique<QWidget>();
    QPalette palette = FWindow->palette();
    palette.setColor(QPalette::Window, ParentColour);
    FWindow->setPalette(palette);
    FWindow->setAutoFillBackground(true);
    auto* box = new TVxCheckBox(FWindow.get());
    if (Height < 0)
        Height = box->height();
    FWindow->resize(Width + 20, Height + 20);
    box->setGeometry(10, 10, Width, Height);
    box->SetCaption(Caption);
    box->OnClick = TNotifyEvent([this](TObject*) { ++FClicks; });
    FWindow->show();
    if (!QTest::qWaitForWindowActive(FWindow.get()))
        return nullptr;
    return box;
}

void tst_CheckBox::init()
{
    FWindow.reset();
    FClicks = 0;
    SetStyleServicesEnabled(false);
}

void tst_CheckBox::cleanup()
{
    FWindow.reset();
    SetStyleServicesEnabled(false);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_CheckBox::defaults()
{
    {
        TVxCheckBox box;
        QCOMPARE(box.size(), QSize(97, MulDiv(17, PixelsPerInch(), 96)));
        QVERIFY(!box.Checked());
        QCOMPARE(box.State(), cbUnchecked);
        QCOMPARE(box.Alignment(), taLeftJustify);
        QCOMPARE(box.Color(), clBtnFace);
        QVERIFY(!box.Transparent()); // no visual styles: opaque
        QVERIFY(box.focusPolicy() & Qt::TabFocus);
        const int size = MulDiv(13, PixelsPerInch(), 96);
        QCOMPARE(QSize(box.CheckWidth(), box.CheckHeight()), QSize(size, size));
    }
    StyledScope styled(true);
    TVxCheckBox box;
    QVERIFY(box.Transparent());
}

void tst_CheckBox::geometry_data()
{
    QTest::addColumn<TAlignment>("alignment");
    QTest::addColumn<TBiDiMode>("bidi");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("boxAtRight");

    QTest::newRow("left, left to right") << taLeftJustify << bdLeftToRight << 17 << false;
    QTest::newRow("right, left to right") << taRightJustify << bdLeftToRight << 17 << true;
    QTest::newRow("left, right to left") << taLeftJustify << bdRightToLeft << 17 << true;
    QTest::newRow("left, reading order only") << taLeftJustify << bdRightToLeftReadingOnly << 17 << true;
    QTest::newRow("tall") << taLeftJustify << bdLeftToRight << 40 << false;
    QTest::newRow("lower than the box") << taLeftJustify << bdLeftToRight << 8 << false;
}

void tst_CheckBox::geometry()
{
    QFETCH(TAlignment, alignment);
    QFETCH(TBiDiMode, bidi);
    QFETCH(int, height);
    QFETCH(bool, boxAtRight);

    TVxCheckBox box;
    box.resize(150, height);
    box.SetAlignment(alignment);
    box.SetBiDiMode(bidi);
    const int w = box.CheckWidth();
    const int h = box.CheckHeight();

    const TRect check = box.GetCheckRect();
    QCOMPARE(check.Left, boxAtRight ? 150 - w : 0);
    QCOMPARE(check.Width(), w);
    QCOMPARE(check.Height(), h);
    QCOMPARE(check.Top, qMax(1, (height - h + 1) / 2));
    if (height < h)
        QCOMPARE(check.Top, 1);

    const TRect caption = box.CaptionRect();
    if (boxAtRight) {
        QCOMPARE(caption.Left, 2);
        QCOMPARE(caption.Right, 150 - w - 1);
    } else {
        QCOMPARE(caption.Left, w + 4);
        QCOMPARE(caption.Right, 150);
    }
    QCOMPARE(caption.Top, 0);
    QCOMPARE(caption.Bottom, height);
    // The caption and the box never overlap.
    QVERIFY(caption.Right <= check.Left || check.Right <= caption.Left);
    QVERIFY(box.PointInCaption(caption.Left, caption.Top));
    QVERIFY(!box.PointInCaption(caption.Right, caption.Top));
}

void tst_CheckBox::setterAndStateAreSilent()
{
    TVxCheckBox box;
    box.OnClick = TNotifyEvent([this](TObject*) { ++FClicks; });
    box.SetChecked(true);
    QCOMPARE(box.State(), cbChecked);
    box.SetState(cbGrayed);
    QVERIFY(box.Checked()); // any state but unchecked shows the mark
    box.Toggle();
    QCOMPARE(box.State(), cbChecked);
    box.Toggle();
    QCOMPARE(box.State(), cbUnchecked);
    QVERIFY(!box.Checked());
    QCOMPARE(FClicks, 0);
}

void tst_CheckBox::mouse_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("pressAt");   // box, caption, outside
    QTest::addColumn<QString>("releaseAt"); // box, caption, outside
    QTest::addColumn<bool>("toggles");

    QTest::newRow("left click on the box") << Qt::LeftButton << "box" << "box" << true;
    QTest::newRow("left click on the caption") << Qt::LeftButton << "caption" << "caption" << true;
    QTest::newRow("right click does not toggle") << Qt::RightButton << "box" << "box" << false;
    QTest::newRow("released off the control") << Qt::LeftButton << "box" << "outside" << false;
    QTest::newRow("pressed on the caption, released on the box") << Qt::LeftButton << "caption" << "box" << true;
}

void tst_CheckBox::mouse()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, pressAt);
    QFETCH(QString, releaseAt);
    QFETCH(bool, toggles);

    TVxCheckBox* box = Shown(QStringLiteral("Do not show again"));
    QVERIFY(box);
    auto* other = new QWidget(FWindow.get());
    other->setFocusPolicy(Qt::StrongFocus);
    other->show();
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    const auto where = [&](const QString& name) {
        if (name == QLatin1String("box"))
            return box->GetCheckRect().ToQRect().center();
        if (name == QLatin1String("caption"))
            return box->CaptionRect().ToQRect().center();
        return QPoint(box->width() + 5, box->height() + 5);
    };
    QTest::mousePress(box, button, {}, where(pressAt));
    QTest::mouseRelease(box, button, {}, where(releaseAt));
    QCOMPARE(box->Checked(), toggles);
    QCOMPARE(FClicks, 1); // every release is reported
    // Only the left button takes the focus.
    QCOMPARE(box->hasFocus(), button == Qt::LeftButton);
}

void tst_CheckBox::keyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("clicks");

    QTest::newRow("space clicks") << int(Qt::Key_Space) << int(Qt::NoModifier) << 1;
    QTest::newRow("accelerator toggles silently") << int(Qt::Key_V) << int(Qt::AltModifier) << 0;
}

void tst_CheckBox::keyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, clicks);

    TVxCheckBox* box = Shown(QStringLiteral("  &Verify this"));
    QVERIFY(box);
    if (key == Qt::Key_Space) {
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(box->Checked());
    QVERIFY(box->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(!box->Checked());
    QCOMPARE(FClicks, 2 * clicks);
}

void tst_CheckBox::disabledIgnoresInput()
{
    TVxCheckBox* box = Shown(QStringLiteral("  &Verify"));
    QVERIFY(box);
    auto* other = new QWidget(FWindow.get());
    other->setFocusPolicy(Qt::StrongFocus);
    other->show();
    other->setFocus();
    box->setEnabled(false);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->GetCheckRect().ToQRect().center());
    QTest::keyClick(FWindow.get(), Qt::Key_V, Qt::AltModifier);
    QVERIFY(!box->DialogChar(u'v'));
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(!box->Checked());
    QVERIFY(!box->hasFocus());
    QCOMPARE(FClicks, 0);

    box->setEnabled(true);
    QVERIFY(box->DialogChar(u'V')); // the dialog character, without Alt
    QVERIFY(box->Checked());
    QVERIFY(!box->DialogChar(u'x'));
}

void tst_CheckBox::classicPainting_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<TColor>("interior");

    QTest::newRow("normal") << false << true << clWindow;
    QTest::newRow("checked") << true << true << clWindow;
    QTest::newRow("disabled") << false << false << clBtnFace;
    QTest::newRow("checked, disabled") << true << false << clBtnFace;
}

void tst_CheckBox::classicPainting()
{
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(TColor, interior);

    TVxCheckBox* box = Shown(QStringLiteral("Caption"));
    QVERIFY(box);
    box->SetColor(clYellow);
    box->SetChecked(checked);
    box->setEnabled(enabled);
    const QImage image = box->grab().toImage();
    const QRect check = box->GetCheckRect().ToQRect();

    // Opaque fill in Color outside the box and the caption.
    QCOMPARE(QColor(image.pixel(check.right() + 2, 0)), ToQColor(clYellow));
    // The sunken frame: shadow at the top left, highlight at the bottom right.
    QCOMPARE(QColor(image.pixel(check.left(), check.top() + 3)), ToQColor(clBtnShadow));
    QCOMPARE(QColor(image.pixel(check.right(), check.top() + 3)), ToQColor(clBtnHighlight));
    // The interior: its corner never carries the mark.
    QCOMPARE(QColor(image.pixel(check.left() + 2, check.top() + 2)), ToQColor(interior));

    const QRect inside = check.adjusted(2, 2, -2, -2);
    int marked = 0;
    int gray = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c(image.pixel(x, y));
            marked += c != ToQColor(interior) ? 1 : 0;
            gray += c == ToQColor(clGrayText) ? 1 : 0;
        }
    if (!checked) {
        QCOMPARE(marked, 0);
    } else {
        QVERIFY2(marked >= 15, qPrintable(QString::number(marked)));
        // Enabled: a black mark; disabled: a grey one.
        if (enabled)
            QVERIFY(DarkPixels(image, inside) >= 15);
        else
            QVERIFY(gray >= 15);
    }

    // The caption: dark text when enabled, no darker than the disabled text colour when not.
    const QRect caption = box->CaptionRect().ToQRect();
    int darkest = 255;
    int inked = 0;
    for (int y = caption.top(); y <= caption.bottom(); ++y)
        for (int x = caption.left(); x <= caption.right(); ++x) {
            darkest = qMin(darkest, qGray(image.pixel(x, y)));
            inked += QColor(image.pixel(x, y)) != ToQColor(clYellow) ? 1 : 0;
        }
    QVERIFY(inked > 10);
    if (enabled)
        QVERIFY(darkest < 60);
    else
        QVERIFY(darkest >= qGray(ToQColor(clGrayText).rgb()) - 8);
}

void tst_CheckBox::transparentShowsParent()
{
    TVxCheckBox* box = Shown(QStringLiteral("Caption"));
    QVERIFY(box);
    box->SetTransparent(true);
    const QRect check = box->GetCheckRect().ToQRect();
    // What the window shows at a point of the box's own fill.
    const QImage image = FWindow->grab().toImage();
    QCOMPARE(QColor(image.pixel(box->x() + check.right() + 2, box->y())), ParentColour);
    box->SetTransparent(false);
    const QImage opaque = FWindow->grab().toImage();
    QCOMPARE(QColor(opaque.pixel(box->x() + check.right() + 2, box->y())), ToQColor(clBtnFace));
}

void tst_CheckBox::focusRectangle()
{
    TVxCheckBox* box = Shown(QStringLiteral("  Caption"));
    QVERIFY(box);
    auto* other = new QWidget(FWindow.get());
    other->setFocusPolicy(Qt::StrongFocus);
    other->show();
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    box->SetColor(clWhite);
    const QImage unfocused = box->grab().toImage();
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    const QImage focused = box->grab().toImage();

    // A dotted frame along the caption area, its left edge 4 pixels into it, top 1 pixel down.
    const TRect caption = box->CaptionRect();
    const int left = caption.Left + 4;
    const int top = caption.Top + 1;
    int dotsLeft = 0;
    int dotsBottom = 0;
    for (int y = top; y < caption.Bottom; ++y)
        dotsLeft += focused.pixel(left, y) != unfocused.pixel(left, y) ? 1 : 0;
    for (int x = left; x < caption.Right; ++x)
        dotsBottom += focused.pixel(x, caption.Bottom - 1) != unfocused.pixel(x, caption.Bottom - 1) ? 1 : 0;
    QVERIFY(dotsLeft >= (caption.Bottom - top) / 2 - 1);
    QVERIFY(dotsBottom >= (caption.Right - left) / 2 - 1);
    // Dotted, not solid.
    QVERIFY(dotsBottom <= (caption.Right - left) / 2 + 1);
    // Nothing changes left of the frame.
    for (int y = 0; y < box->height(); ++y)
        QCOMPARE(focused.pixel(left - 1, y), unfocused.pixel(left - 1, y));
}

void tst_CheckBox::themedStates_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("held");
    QTest::addColumn<bool>("over");
    QTest::addColumn<TThemedCheckBox>("element");

    QTest::newRow("unchecked, disabled") << false << false << false << true << tbCheckBoxUncheckedDisabled;
    QTest::newRow("checked, disabled") << true << false << false << false << tbCheckBoxCheckedDisabled;
    QTest::newRow("unchecked, pressed") << false << true << true << true << tbCheckBoxUncheckedPressed;
    QTest::newRow("unchecked, hot") << false << true << false << true << tbCheckBoxUncheckedHot;
    QTest::newRow("unchecked, normal") << false << true << false << false << tbCheckBoxUncheckedNormal;
    QTest::newRow("checked, pressed") << true << true << true << true << tbCheckBoxCheckedPressed;
    QTest::newRow("checked, hot") << true << true << false << true << tbCheckBoxCheckedHot;
    QTest::newRow("checked, normal") << true << true << false << false << tbCheckBoxCheckedNormal;
}

void tst_CheckBox::themedStates()
{
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(bool, held);
    QFETCH(bool, over);
    QFETCH(TThemedCheckBox, element);

    StyledScope styled(true);
    TVxCheckBox* box = Shown(QStringLiteral("Caption"));
    QVERIFY(box);
    RecordingStyle style;
    box->setStyle(&style);
    box->SetChecked(checked);
    box->setEnabled(enabled);
    if (over)
        Enter(box);
    const QPoint outside(box->width() + 5, 1);
    if (held) // a press off the box and caption leaves the state alone
        QTest::mousePress(box, Qt::LeftButton, {}, outside);

    QCOMPARE(box->GetCheckDetails(), element);
    box->grab();
    QVERIFY(style.Count > 0);
    QCOMPARE(style.Rect, box->GetCheckRect().ToQRect());
    QCOMPARE(bool(style.State & QStyle::State_Enabled), enabled);
    QCOMPARE(bool(style.State & QStyle::State_On), checked);
    QCOMPARE(bool(style.State & QStyle::State_Off), !checked);
    QCOMPARE(bool(style.State & QStyle::State_Sunken), enabled && held);
    QCOMPARE(bool(style.State & QStyle::State_MouseOver), enabled && over && !held);

    if (held)
        QTest::mouseRelease(box, Qt::LeftButton, {}, outside);
    Leave(box);
    QCOMPARE(box->GetCheckDetails(), enabled ? (checked ? tbCheckBoxCheckedNormal : tbCheckBoxUncheckedNormal) : element);
    box->setStyle(nullptr);
}

void tst_CheckBox::actionDrivesCheckedAndCaption()
{
    TVxCheckBox box;
    QAction action(QStringLiteral("&Remember"));
    action.setCheckable(true);
    action.setChecked(true);
    box.SetAction(&action);
    QVERIFY(box.Checked());
    QCOMPARE(box.Caption(), QStringLiteral("&Remember"));
    action.setChecked(false);
    QVERIFY(!box.Checked());
    action.setText(QStringLiteral("Forget"));
    QCOMPARE(box.Caption(), QStringLiteral("Forget"));
    box.SetAction(nullptr);
    action.setChecked(true);
    QVERIFY(!box.Checked());
}

void tst_CheckBox::screenshot()
{
    // Rows: normal, checked, disabled, checked + disabled, focused, themed hot, right aligned.
    FWindow = std::make_unique<QWidget>();
    FWindow->resize(220, 8 * 24);
    const QStringList captions{QStringLiteral("  &Normal"), QStringLiteral("  &Checked"), QStringLiteral("  &Disabled"),
                               QStringLiteral("  Checked, disabled"), QStringLiteral("  &Focused"),
                               QStringLiteral("  Themed, hot"), QStringLiteral("Right aligned")};
    QList<TVxCheckBox*> boxes;
    for (int i = 0; i < captions.size(); ++i) {
        auto* box = new TVxCheckBox(FWindow.get());
        box->setGeometry(10, 10 + 24 * i, 200, box->height());
        box->SetCaption(captions[i]);
        boxes << box;
    }
    boxes[1]->SetChecked(true);
    boxes[2]->setEnabled(false);
    boxes[3]->SetChecked(true);
    boxes[3]->setEnabled(false);
    boxes[6]->SetAlignment(taRightJustify);
    boxes[6]->SetChecked(true);
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    boxes[4]->setFocus();
    QTRY_VERIFY(boxes[4]->hasFocus());
    QImage image = FWindow->grab().toImage();
    {
        StyledScope styled(true);
        boxes[5]->SetChecked(true);
        Enter(boxes[5]);
        const QImage themed = boxes[5]->grab().toImage();
        QPainter painter(&image);
        painter.drawImage(boxes[5]->pos(), themed);
    }
    QVERIFY(image.save(QStringLiteral("/tmp/quillfen_checkbox.png")));
}

QTEST_MAIN(tst_CheckBox)
#include "tst_checkbox.moc"
