#include "VxCaptionControl.h"

#include "Shell.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace {

const QString LinkText = QStringLiteral("See <a href=\"https://example.org/help\">the guide</a> for more.");

// Receives what the shell would open.
struct ShellSpy {
    QList<QUrl> Opened;
    TShellOpenHandler Previous;
    ShellSpy()
    {
        Previous = SetShellOpenHandler([this](const QUrl& Url) {
            Opened << Url;
            return true;
        });
    }
    ~ShellSpy() { SetShellOpenHandler(Previous); }
};

int LineHeight(const TFont& Font) { return QFontMetrics(Font.ToQFont()).height(); }

} // namespace

class tst_CaptionControl : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void autoSizeTakesMinimumHeightOnlyFromZero();
    void tabStopOnlyWithLinks_data();
    void tabStopOnlyWithLinks();
    void linkClick_data();
    void linkClick();
    void cursorOverLinks_data();
    void cursorOverLinks();
    void spaceClicksWithoutOpening();
    void focusRectangleAroundLink();
    void offSetMovesText();
    void pointAssignAlwaysReportsChange();
    void screenshot();

private:
    // Shown in a window so it paints; the caption exists after the first paint.
    TVxCaptionControl* Shown(const QString& Text, int Width = 300, int Height = 40);
    std::unique_ptr<QWidget> FWindow;
};

TVxCaptionControl* tst_CaptionControl::Shown(const QString& Text, int Width, int Height)
{
    FWindow = std::make_unique<QWidget>();
    FWindow->resize(Width + 20, Height + 20);
    auto* control = new TVxCaptionControl(FWindow.get());
    control->setGeometry(10, 10, Width, Height);
    control->SetText(Text);
    FWindow->show();
    if (!QTest::qWaitForWindowExposed(FWindow.get()))
        return nullptr;
    control->repaint();
    return control;
}

void tst_CaptionControl::init() { FWindow.reset(); }

void tst_CaptionControl::cleanup()
{
    FWindow.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_CaptionControl::autoSizeTakesMinimumHeightOnlyFromZero()
{
    QWidget parent;
    auto* grows = new TVxCaptionControl(&parent);
    grows->setGeometry(0, 0, 300, 0);
    grows->SetText(QStringLiteral("Hello"));
    // The caption's text ends with a line break: one extra line.
    QCOMPARE(grows->height(), 2 * LineHeight(grows->Font()));
    QCOMPARE(grows->height(), TVxCaption::MinimumHeight(nullptr, "Hello\r\n", grows->Font(), 300));

    auto* keeps = new TVxCaptionControl(&parent);
    keeps->setGeometry(0, 0, 300, 7);
    keeps->SetText(QStringLiteral("Hello"));
    QCOMPARE(keeps->height(), 7);

    auto* manual = new TVxCaptionControl(&parent);
    manual->SetAutoSize(false);
    manual->setGeometry(0, 0, 300, 0);
    manual->SetText(QStringLiteral("Hello"));
    QCOMPARE(manual->height(), 0);
}

void tst_CaptionControl::tabStopOnlyWithLinks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("tabStop");
    QTest::newRow("no link") << "Plain <b>text</b>" << false;
    QTest::newRow("link") << LinkText << true;
}

void tst_CaptionControl::tabStopOnlyWithLinks()
{
    QFETCH(QString, text);
    QFETCH(bool, tabStop);
    TVxCaptionControl* control = Shown(text);
    QVERIFY(control);
    QCOMPARE(control->HasLinks(), tabStop);
    QCOMPARE(control->focusPolicy() == Qt::TabFocus, tabStop);
}

void tst_CaptionControl::linkClick_data()
{
    QTest::addColumn<bool>("handler");
    QTest::addColumn<bool>("handles");
    QTest::addColumn<bool>("opens");
    QTest::newRow("no handler") << false << false << true;
    QTest::newRow("handler leaves it") << true << false << true;
    QTest::newRow("handler handles it") << true << true << false;
}

void tst_CaptionControl::linkClick()
{
    QFETCH(bool, handler);
    QFETCH(bool, handles);
    QFETCH(bool, opens);
    ShellSpy shell;
    TVxCaptionControl* control = Shown(LinkText);
    QVERIFY(control);
    QStringList seen;
    if (handler)
        control->OnLinkClick = TVxLinkClickEvent([&](TObject* Sender, const QString& Link, bool& Handled) {
            QCOMPARE(Sender, static_cast<TObject*>(control));
            seen << Link;
            Handled = handles;
        });
    const TRect link = control->Caption()->GetLinkRect(0);
    QVERIFY(!link.IsEmpty());
    QTest::mouseClick(control, Qt::LeftButton, {}, link.ToQRect().center());
    QCOMPARE(seen, handler ? QStringList{"https://example.org/help"} : QStringList());
    QCOMPARE(shell.Opened, opens ? QList<QUrl>{QUrl("https://example.org/help")} : QList<QUrl>());

    // Outside the link nothing opens; the right button opens nothing either.
    shell.Opened.clear();
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(link.Right + 5, link.Top + 1));
    QTest::mouseClick(control, Qt::RightButton, {}, link.ToQRect().center());
    QVERIFY(shell.Opened.isEmpty());
}

void tst_CaptionControl::cursorOverLinks_data()
{
    QTest::addColumn<bool>("treatAsLink");
    QTest::newRow("links only") << false;
    QTest::newRow("treat as link") << true;
}

void tst_CaptionControl::cursorOverLinks()
{
    QFETCH(bool, treatAsLink);
    ShellSpy shell;
    TVxCaptionControl* control = Shown(LinkText);
    QVERIFY(control);
    control->SetTreatAsLink(treatAsLink);
    const TRect link = control->Caption()->GetLinkRect(0);
    QTest::mouseMove(control, link.ToQRect().center());
    QTRY_COMPARE(control->cursor().shape(), Qt::PointingHandCursor);
    const QPoint outside(link.Left - 3, link.Top + 1);
    QTest::mouseMove(control, outside);
    QTRY_COMPARE(control->cursor().shape(), treatAsLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QTest::mouseClick(control, Qt::LeftButton, {}, outside);
    QVERIFY(shell.Opened.isEmpty());
}

void tst_CaptionControl::spaceClicksWithoutOpening()
{
    ShellSpy shell;
    TVxCaptionControl* control = Shown(LinkText);
    QVERIFY(control);
    int clicks = 0;
    control->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    control->setFocus();
    QTRY_VERIFY(control->hasFocus());
    QTest::keyClick(control, Qt::Key_Space);
    QCOMPARE(clicks, 1);
    QTest::keyClick(control, Qt::Key_Return);
    QCOMPARE(clicks, 1);
    QVERIFY(shell.Opened.isEmpty());
}

void tst_CaptionControl::focusRectangleAroundLink()
{
    TVxCaptionControl* control = Shown(LinkText);
    QVERIFY(control);
    const TRect link = control->Caption()->GetLinkRect(0);
    // The focus rectangle is drawn inside the link's rectangle: the columns just outside it,
    // where the neighbouring text stands, stay as they are.
    auto columnInk = [&](int X) {
        const QImage image = control->grab().toImage();
        int ink = 0;
        for (int y = link.Top; y < link.Bottom; ++y)
            ink += image.pixelColor(X, y).lightness() < 128;
        return ink;
    };
    control->clearFocus();
    QTRY_VERIFY(!control->hasFocus());
    const int outsideLeft = columnInk(link.Left - 1), outsideRight = columnInk(link.Right);
    const int edge = columnInk(link.Left);
    control->setFocus();
    QTRY_VERIFY(control->hasFocus());
    QVERIFY(columnInk(link.Left) > edge);
    QCOMPARE(columnInk(link.Left - 1), outsideLeft);
    QCOMPARE(columnInk(link.Right), outsideRight);
    for (const QRect& r : control->LinkFocusRects())
        QVERIFY(link.ToQRect().contains(r.adjusted(0, 0, 1, 1)));
}

void tst_CaptionControl::offSetMovesText()
{
    TVxCaptionControl* control = Shown(LinkText);
    QVERIFY(control);
    const TRect before = control->Caption()->GetLinkRect(0);
    TVxPoint offset;
    offset.SetX(12);
    offset.SetY(4);
    control->SetOffSet(offset);
    control->repaint();
    QCOMPARE(control->Caption()->OffSet(), QPoint(12, 4));
    const TRect after = control->Caption()->GetLinkRect(0);
    QCOMPARE(after.Left, before.Left + 12);
    QCOMPARE(after.Top, before.Top + 4);
}

void tst_CaptionControl::pointAssignAlwaysReportsChange()
{
    TVxPoint a, b;
    int changes = 0;
    a.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    a.SetX(0);
    QCOMPARE(changes, 0);
    a.SetX(3);
    QCOMPARE(changes, 1);
    b.SetX(3);
    a.Assign(&b); // same values
    QCOMPARE(changes, 2);
    QCOMPARE(a.AsPoint(), QPoint(3, 0));
    TFont font;
    QVERIFY_THROWS_EXCEPTION(EConvertError, a.Assign(&font));
}

void tst_CaptionControl::screenshot()
{
    TVxCaptionControl* control = Shown(QStringLiteral("Plain, <b>bold</b>, <i>italic</i>, <u>underlined</u> and "
                                                      "<a href=\"https://example.org\">a link that wraps onto the "
                                                      "next line</a>.\r\nSecond paragraph."),
                                       260, 70);
    QVERIFY(control);
    control->setFocus();
    QTRY_VERIFY(control->hasFocus());
    const QImage image = control->grab().toImage();
    QVERIFY(image.save(QStringLiteral("/tmp/quillfen_caption_control.png")));
}

QTEST_MAIN(tst_CaptionControl)
#include "tst_captioncontrol.moc"
