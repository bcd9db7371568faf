#include "VxMarqueeThread.h"
#include "VxProgressBar.h"
#include "VxProgressBarEx.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

#include <memory>
#include <thread>

Q_DECLARE_METATYPE(TVxProgressBarState)
Q_DECLARE_METATYPE(TRect)

namespace {

QRgb Rgb(TColor Color) { return ToQColor(ColorToRGB(Color)).rgb(); }

// The columns of row Y whose colour is Color, as [first, last + 1); {0, 0} when there are none.
QPair<int, int> ColouredSpan(const QImage& Image, int Y, QRgb Color)
{
    int first = -1, last = -1;
    for (int x = 0; x < Image.width(); ++x) {
        if (Image.pixel(x, Y) == Color) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return first < 0 ? qMakePair(0, 0) : qMakePair(first, last + 1);
}

QImage Grab(QWidget& Widget) { return Widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Restores the style-services switch a test changes.
struct StyleServicesScope {
    bool Saved = StyleServicesEnabled();
    explicit StyleServicesScope(bool On) { SetStyleServicesEnabled(On); }
    ~StyleServicesScope() { SetStyleServicesEnabled(Saved); }
};

} // namespace

class tst_ProgressBar : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void defaults();
    void fillWidth_data();
    void fillWidth();
    void stateColours_data();
    void stateColours();
    void themedFillFollowsState();

    void marqueeFrameSequence_data();
    void marqueeFrameSequence();
    void marqueeRunsAndStops();
    void marqueeSettingsRestartTheWorker();
    void stateAndStyleDriveTheMarquee();
    void stopWithFramePendingReturns();
    void startStopStress();

    void accessibility();
    void emptyBarMirrors_data();
    void emptyBarMirrors();
    void accessibilityOfNativeBar();
    void emptyBarIsNoTextField_data();
    void emptyBarIsNoTextField();

    void nativeBarMarquee();
    void screenshot();
};

void tst_ProgressBar::cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

void tst_ProgressBar::defaults()
{
    TVxProgressBar bar;
    QCOMPARE(bar.size(), QSize(145, 17));
    QCOMPARE(bar.Interval(), 100u);
    QCOMPARE(bar.Max(), 100);
    QCOMPARE(bar.Position(), 0);
    QCOMPARE(bar.Step(), 1);
    QCOMPARE(bar.ChunkWidth(), 40);
    QCOMPARE(bar.ProgressColor(), TColor(0x0000FF00));
    QCOMPARE(bar.Color(), clBtnFace);
    QCOMPARE(bar.State(), pbsNormal);
    QCOMPARE(bar.Style(), psNormal);
    QVERIFY(!bar.IsActivated());
    QVERIFY(!bar.MarqueeThread());

    bar.SetStep(7);
    bar.StepIt();
    bar.StepIt();
    QCOMPARE(bar.Position(), 14);
    bar.SetStyle(psMarquee);
    bar.SetPosition(5);
    bar.StepIt(); // nothing with a marquee
    QCOMPARE(bar.Position(), 5);
}

void tst_ProgressBar::fillWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("fillEnd"); // first column after the fill; 1 = no fill

    QTest::newRow("50 of 100 on 145 pixels") << 145 << 100 << 50 << 69;
    QTest::newRow("nothing done") << 145 << 100 << 0 << 1;
    QTest::newRow("all done") << 145 << 100 << 100 << 139;
    QTest::newRow("2 of 3: 92.67 rounds up") << 145 << 3 << 2 << 93;
    QTest::newRow("tie 2.5 goes to even 2") << 16 << 4 << 1 << 2;
    QTest::newRow("tie 7.5 goes to even 8") << 16 << 4 << 3 << 8;
    QTest::newRow("above max runs past the track") << 145 << 100 << 200 << 145;
    QTest::newRow("negative position draws no fill") << 145 << 100 << -10 << 1;
    QTest::newRow("max 0 fills the inset bar") << 145 << 0 << 30 << 144;
    QTest::newRow("negative max fills the inset bar") << 145 << -5 << 0 << 144;
    QTest::newRow("max 1, position 1") << 200 << 1 << 1 << 194;
}

void tst_ProgressBar::fillWidth()
{
    QFETCH(int, width);
    QFETCH(int, max);
    QFETCH(int, position);
    QFETCH(int, fillEnd);

    TVxProgressBar bar;
    bar.SetBounds(0, 0, width, 17);
    bar.SetMax(max);
    bar.SetPosition(position);
    const QImage image = Grab(bar);
    QCOMPARE(image.width(), width);

    const QRgb fill = Rgb(ProgressStateColor(pbsNormal));
    const QPair<int, int> span = ColouredSpan(image, 8, fill);
    if (fillEnd <= 1) {
        QCOMPARE(span, qMakePair(0, 0));
    } else {
        QCOMPARE(span, qMakePair(1, fillEnd));
        // One pixel of background above and below the fill.
        QCOMPARE(image.pixel(1, 0), Rgb(clBtnFace));
        QCOMPARE(image.pixel(1, 1), fill);
        QCOMPARE(image.pixel(1, 15), fill);
        QCOMPARE(image.pixel(1, 16), Rgb(clBtnFace));
    }
    QCOMPARE(image.pixel(0, 8), Rgb(clBtnFace));
}

void tst_ProgressBar::stateColours_data()
{
    QTest::addColumn<TVxProgressBarState>("state");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("normal") << pbsNormal << QColor(0x00, 0x00, 0x80);
    QTest::newRow("error") << pbsError << QColor(0xFF, 0x00, 0x00);
    QTest::newRow("paused") << pbsPaused << QColor(0xFF, 0xFF, 0x00);
}

void tst_ProgressBar::stateColours()
{
    QFETCH(TVxProgressBarState, state);
    QFETCH(QColor, colour);
    TVxProgressBar bar;
    bar.SetColor(clWhite);
    bar.SetPosition(50);
    bar.SetState(state);
    const QImage image = Grab(bar);
    QCOMPARE(QColor(image.pixel(10, 8)), colour);
    QCOMPARE(QColor(image.pixel(100, 8)), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::white));
}

void tst_ProgressBar::themedFillFollowsState()
{
    StyleServicesScope themed(true);
    TVxProgressBar bar;
    bar.SetPosition(100);
    QColor colours[3];
    for (int s = pbsNormal; s <= pbsPaused; ++s) {
        bar.SetState(TVxProgressBarState(s));
        colours[s] = Grab(bar).pixel(bar.width() / 2, bar.height() / 2);
    }
    QVERIFY2(colours[pbsError].red() > 2 * colours[pbsError].green(), qPrintable(colours[pbsError].name()));
    QVERIFY2(colours[pbsPaused].green() > 2 * colours[pbsPaused].blue(), qPrintable(colours[pbsPaused].name()));
    QVERIFY(colours[pbsNormal] != colours[pbsError] && colours[pbsNormal] != colours[pbsPaused]);
}

void tst_ProgressBar::marqueeFrameSequence_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<TRect>("chunk");
    // A 145 x 17 bar without visual style: inset 1, chunk 60, 8 pixels a frame; the pass ends
    // when the position passes 145 + 60 and the next pass starts at the inset.
    QTest::newRow("first frame is empty") << 0 << TRect{1, 1, 1, 16};
    QTest::newRow("grows from the left") << 1 << TRect{1, 1, 9, 16};
    QTest::newRow("last growing frame") << 7 << TRect{1, 1, 57, 16};
    QTest::newRow("full chunk moves") << 8 << TRect{4, 1, 64, 16};
    QTest::newRow("reaches the right inset") << 18 << TRect{84, 1, 144, 16};
    QTest::newRow("shrinks at the right") << 19 << TRect{92, 1, 144, 16};
    QTest::newRow("last frame of the pass") << 25 << TRect{140, 1, 144, 16};
    QTest::newRow("second pass starts at the inset") << 26 << TRect{1, 1, 2, 16};
    QTest::newRow("second pass grows") << 27 << TRect{1, 1, 10, 16};
}

void tst_ProgressBar::marqueeFrameSequence()
{
    QFETCH(int, frame);
    QFETCH(TRect, chunk);
    TVxProgressBar bar;
    bar.SetStyle(psMarquee);
    TVxMarqueeThread thread(&bar, false); // not started: the test draws the frames
    for (int i = 0; i <= frame; ++i)
        thread.DrawMarqueeFrame();
    QCOMPARE(thread.ChunkRect(), chunk);
    QCOMPARE(thread.FrameCount(), frame + 1);

    const QImage image = thread.Frame().convertToFormat(QImage::Format_RGB32);
    const QPair<int, int> span = ColouredSpan(image, 8, Rgb(ProgressStateColor(pbsNormal)));
    if (chunk.IsEmpty())
        QCOMPARE(span, qMakePair(0, 0));
    else
        QCOMPARE(span, qMakePair(chunk.Left, chunk.Right));
    QCOMPARE(image.pixel(chunk.Left, 0), Rgb(clBtnFace));
}

void tst_ProgressBar::marqueeRunsAndStops()
{
    QWidget window;
    auto* bar = new TVxProgressBar(&window);
    bar->SetBounds(10, 10, 145, 17);
    window.resize(165, 37);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    bar->SetStyle(psMarquee);
    bar->SetPosition(100); // the marquee does not show the position
    bar->Activate(10);
    QVERIFY(bar->IsActivated());
    QVERIFY(bar->MarqueeThread());
    QCOMPARE(bar->MarqueeThread()->Interval(), 10u);
    QTRY_VERIFY(bar->MarqueeThread()->FrameCount() >= 12);
    // The bar shows the thread's last frame: chunk where the frame has it, track elsewhere.
    const TRect chunk = bar->MarqueeThread()->ChunkRect();
    bar->repaint();
    const QImage image = Grab(*bar);
    const QPair<int, int> span = ColouredSpan(image, 8, Rgb(ProgressStateColor(pbsNormal)));
    QCOMPARE(span, qMakePair(chunk.Left, chunk.Right));

    bar->Deactivate();
    QVERIFY(!bar->IsActivated());
    QVERIFY(!bar->MarqueeThread());
    // Stopped, the bar paints its position again.
    QCOMPARE(ColouredSpan(Grab(*bar), 8, Rgb(ProgressStateColor(pbsNormal))), qMakePair(1, 139));
}

void tst_ProgressBar::marqueeSettingsRestartTheWorker()
{
    TVxProgressBar bar;
    bar.SetStyle(psMarquee);
    bar.Activate(100);
    const TVxMarqueeThread* first = bar.MarqueeThread();
    QVERIFY(first && first->Started());

    bar.SetInterval(30);
    QVERIFY(bar.MarqueeThread() && bar.MarqueeThread()->Interval() == 30u);

    bar.SetBounds(0, 0, 300, 25);
    QCOMPARE(bar.MarqueeThread()->ClientRect(), QRect(0, 0, 300, 25));
    QTRY_VERIFY(bar.MarqueeThread()->FrameCount() >= 2);
    QCOMPARE(bar.MarqueeThread()->Frame().size(), QSize(300, 25));
    QCOMPARE(bar.MarqueeThread()->ChunkRect().Bottom, 24);

    bar.SetChunkWidth(20); // stop and start again; the platform's chunk stays 60 pixels
    QVERIFY(bar.IsActivated() && bar.MarqueeThread());
    QCOMPARE(bar.MarqueeThread()->ChunkWidth(), 60);
    QCOMPARE(bar.ChunkWidth(), 20);

    // Activate with another interval starts the worker even on a position bar.
    TVxProgressBar plain;
    plain.Activate(50);
    QVERIFY(plain.IsActivated());
    QVERIFY(plain.MarqueeThread());
    QCOMPARE(plain.Interval(), 50u);
    // ... and with the same interval and a position bar, nothing starts.
    TVxProgressBar same;
    same.Activate(100);
    QVERIFY(!same.IsActivated());
    QVERIFY(!same.MarqueeThread());
}

void tst_ProgressBar::stateAndStyleDriveTheMarquee()
{
    TVxProgressBar bar;
    bar.SetStyle(psMarquee);
    bar.SetActive(true);
    QVERIFY(bar.MarqueeThread());

    bar.SetState(pbsPaused);
    QVERIFY(!bar.IsActivated());
    QVERIFY(!bar.MarqueeThread());
    bar.SetState(pbsNormal);
    QVERIFY(bar.IsActivated());
    QVERIFY(bar.MarqueeThread());
    QCOMPARE(bar.MarqueeThread()->State(), pbsNormal);

    bar.SetPosition(40);
    bar.SetStyle(psNormal);
    QVERIFY(!bar.MarqueeThread());
    QCOMPARE(bar.Position(), 0);
    // Back to a marquee, it can be started again.
    bar.SetStyle(psMarquee);
    bar.SetActive(true);
    QVERIFY(bar.MarqueeThread());
}

void tst_ProgressBar::stopWithFramePendingReturns()
{
    // The stop that would deadlock a worker waiting for its frame: a frame request is outstanding
    // and the user-interface thread stops the worker without serving it first.
    for (int round = 0; round < 50; ++round) {
        auto bar = std::make_unique<TVxProgressBar>();
        bar->SetStyle(psMarquee);
        bar->Activate(1);
        const TVxMarqueeThread* thread = bar->MarqueeThread();
        QVERIFY(thread);
        while (!thread->FramePending())
            std::this_thread::yield();
        bar->Deactivate();
        QVERIFY(!bar->MarqueeThread());
        bar->Activate(2);
        while (!bar->MarqueeThread()->FramePending())
            std::this_thread::yield();
        bar.reset(); // destroyed with a request in the queue
        QCoreApplication::processEvents(); // the stale request, if any were left, would crash here
    }
}

// Every start makes a std::thread worker; thousands of changes start and stop them while frame
// requests are pending. Run under ThreadSanitizer too (`make tsan`).
void tst_ProgressBar::startStopStress()
{
    QWidget window;
    window.resize(400, 60);
    auto* bar = new TVxProgressBar(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QRandomGenerator random(20261210);
    bar->SetStyle(psMarquee);
    for (int i = 0; i < 10000; ++i) {
        switch (random.bounded(8)) {
        case 0:
            bar->Activate(random.bounded(0, 4));
            break;
        case 1:
            bar->Deactivate();
            break;
        case 2:
            bar->SetInterval(random.bounded(0, 4));
            break;
        case 3:
            bar->SetBounds(0, 0, random.bounded(0, 400), random.bounded(0, 40));
            break;
        case 4:
            bar->SetState(TVxProgressBarState(random.bounded(3)));
            break;
        case 5:
            bar->SetChunkWidth(random.bounded(1, 80));
            break;
        case 6:
            bar->SetActive(true);
            break;
        case 7:
            QCoreApplication::processEvents(); // serve some frames between the changes
            break;
        }
        // A running worker always matches the bar's current settings.
        if (const TVxMarqueeThread* thread = bar->MarqueeThread()) {
            QCOMPARE(thread->ClientRect().size(), bar->size());
            QCOMPARE(thread->Interval(), bar->Interval());
        }
    }
    // Still alive: frames keep coming after the storm.
    bar->SetState(pbsNormal);
    bar->SetBounds(0, 0, 200, 20);
    bar->Activate(5);
    bar->SetActive(true);
    QVERIFY(bar->MarqueeThread());
    const int before = bar->MarqueeThread()->FrameCount();
    QTRY_VERIFY(bar->MarqueeThread()->FrameCount() >= before + 5);
}

void tst_ProgressBar::accessibility()
{
    TVxProgressBar bar;
    bar.setAccessibleName(QStringLiteral("Copying files"));
    bar.SetMax(200);
    bar.SetPosition(50);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&bar);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::ProgressBar);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Copying files"));
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("25%"));
    QAccessibleValueInterface* value = iface->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toInt(), 50);
    QCOMPARE(value->minimumValue().toInt(), 0);
    QCOMPARE(value->maximumValue().toInt(), 200);
    value->setCurrentValue(120); // read-only for the user
    QCOMPARE(bar.Position(), 50);

    bar.StepIt();
    QCOMPARE(value->currentValue().toInt(), 51);
    QVERIFY(!iface->state().busy);
    bar.SetStyle(psMarquee);
    bar.SetActive(true);
    QVERIFY(iface->state().busy);
    QCOMPARE(iface->text(QAccessible::Value), QString());
}

void tst_ProgressBar::emptyBarMirrors_data()
{
    QTest::addColumn<bool>("painted");
    QTest::newRow("painted bar") << true;
    QTest::newRow("native bar") << false;
}

// An empty bar read right to left shows the same empty track as left to right: no stray line.
void tst_ProgressBar::emptyBarMirrors()
{
    QFETCH(bool, painted);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const auto grab = [painted](Qt::LayoutDirection Direction) {
        std::unique_ptr<QWidget> bar;
        if (painted)
            bar = std::make_unique<TVxProgressBar>();
        else
            bar = std::make_unique<TVxProgressBarEx>();
        bar->setLayoutDirection(Direction);
        bar->resize(145, 17);
        return bar->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const QImage ltr = grab(Qt::LeftToRight);
    const QImage rtl = grab(Qt::RightToLeft);
    // The empty track is symmetric: nothing but the track at either end (no chunk, no line).
    QCOMPARE(rtl, ltr);
}

void tst_ProgressBar::accessibilityOfNativeBar()
{
    TVxProgressBarEx bar;
    bar.SetPosition(30);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&bar);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::ProgressBar);
    QVERIFY(iface->valueInterface());
    QCOMPARE(iface->valueInterface()->currentValue().toInt(), 30);
}

void tst_ProgressBar::emptyBarIsNoTextField_data()
{
    QTest::addColumn<bool>("painted");
    QTest::addColumn<bool>("wasFilled");
    QTest::newRow("painted bar, new") << true << false;
    QTest::newRow("painted bar, back to 0") << true << true;
    QTest::newRow("native bar, new") << false << false;
    QTest::newRow("native bar, back to 0") << false << true;
}

// A bar at position 0 is announced as a progress bar at 0 %, not as an empty (text) field.
void tst_ProgressBar::emptyBarIsNoTextField()
{
    QFETCH(bool, painted);
    QFETCH(bool, wasFilled);
    std::unique_ptr<QWidget> bar;
    const auto setPosition = [&](int Position) {
        if (painted)
            static_cast<TVxProgressBar*>(bar.get())->SetPosition(Position);
        else
            static_cast<TVxProgressBarEx*>(bar.get())->SetPosition(Position);
    };
    if (painted)
        bar = std::make_unique<TVxProgressBar>();
    else
        bar = std::make_unique<TVxProgressBarEx>();
    bar->setAccessibleName(QStringLiteral("Copying files"));
    if (wasFilled) {
        setPosition(60);
        setPosition(0);
    }
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(bar.get());
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::ProgressBar);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Copying files"));
    // Read out as a value (the painted bar says "0%", Qt's own bar "0"), never as nothing.
    QVERIFY(iface->text(QAccessible::Value).startsWith(QLatin1Char('0')));
    QVERIFY(!iface->textInterface());
    QVERIFY(!iface->editableTextInterface());
    QVERIFY(!iface->state().editable);
    QVERIFY(iface->state().readOnly || !painted);
    QAccessibleValueInterface* value = iface->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toInt(), 0);
    QCOMPARE(value->minimumValue().toInt(), 0);
    QCOMPARE(value->maximumValue().toInt(), 100);
}

void tst_ProgressBar::nativeBarMarquee()
{
    TVxProgressBarEx bar;
    QCOMPARE(bar.height(), 17);
    QCOMPARE(bar.Interval(), 100);
    bar.SetMax(50);
    bar.SetPosition(70); // kept inside the range, like the platform's bar
    QCOMPARE(bar.Position(), 50);
    bar.SetPosition(20);
    bar.SetActive(true);
    QVERIFY(bar.MarqueeShown());
    bar.SetPosition(30); // remembered while the marquee runs
    bar.SetActive(false);
    QVERIFY(!bar.MarqueeShown());
    QCOMPARE(bar.maximum(), 50);
    QCOMPARE(bar.value(), 30);

    bar.SetState(pbsError);
    QVERIFY(bar.palette().color(QPalette::Highlight).red() > 200);
    bar.SetState(pbsNormal);
    QCOMPARE(bar.palette().color(QPalette::Highlight), QPalette().color(QPalette::Highlight));

    TVxProgressBarMarquee marquee;
    QVERIFY(marquee.MarqueeShown());
    marquee.SetActive(true);
    marquee.SetActive(false);
    QVERIFY(marquee.MarqueeShown());
    QCOMPARE(marquee.Max(), 100);
}

void tst_ProgressBar::screenshot()
{
    const QString dir = qEnvironmentVariable("QUILLFEN_SHOTS");
    if (dir.isEmpty())
        QSKIP("set QUILLFEN_SHOTS to a folder to write the pictures");
    QImage sheet(340, 8 * 27, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int y = 5;
    for (bool themed : {false, true}) {
        StyleServicesScope scope(themed);
        for (int s = pbsNormal; s <= pbsPaused; ++s) {
            TVxProgressBar bar;
            bar.SetBounds(0, 0, 320, 17);
            bar.SetPosition(60);
            bar.SetState(TVxProgressBarState(s));
            painter.drawImage(10, y, Grab(bar));
            y += 27;
        }
        TVxProgressBar marquee;
        marquee.SetBounds(0, 0, 320, 17);
        marquee.SetStyle(psMarquee);
        TVxMarqueeThread thread(&marquee, themed);
        for (int i = 0; i < 20; ++i)
            thread.DrawMarqueeFrame();
        painter.drawImage(10, y, thread.Frame());
        y += 27;
    }
    painter.end();
    QVERIFY(sheet.save(dir + QStringLiteral("/progressbar.png")));
}

QTEST_MAIN(tst_ProgressBar)
#include "tst_progressbar.moc"
