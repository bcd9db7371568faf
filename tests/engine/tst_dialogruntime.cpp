// A client driving a showing dialog: progress on the bar and the taskbar, timer ticks, the
// animated expand and collapse, expanded information from a file or a stream, and help.

#include "support/EngineProbe.h"

#include "ApplicationHelp.h"
#include "Shell.h"
#include "VxCaptionControl.h"
#include "VxLabel.h"
#include "VxOptions.h"
#include "VxProgressBar.h"
#include "VxProgressBarEx.h"
#include "VxRichEdit.h"
#include "VxStdControls.h"
#include "VxTaskBarProgress.h"
#include "VxTaskDialogForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

// A progress control of the client's own class: the dialog reports to it through events.
class TClientBar : public QWidget {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TClientBar(QWidget* Parent = nullptr) : QWidget(Parent) {}
};

namespace {

class TRuntimeDialog : public TProbeDialog {
public:
    using TProbeDialog::TProbeDialog;
    using TVxCustomDialog::HelpButtonClick;
    using TVxCustomDialog::HelpLinkClick;
    int ExpandedHeight() const { return FExpandedHeight; }
    bool Expanding() const { return FExpanding; }
    bool Collapsing() const { return FCollapsing; }
};

// Position of any of the bar classes; INT_MIN for another control.
int BarPosition(QObject* Bar)
{
    if (auto* bar = qobject_cast<TVxProgressBar*>(Bar))
        return bar->Position();
    if (auto* bar = qobject_cast<TVxProgressBarEx*>(Bar))
        return bar->Position();
    if (auto* bar = qobject_cast<TProgressBar*>(Bar))
        return bar->value();
    return INT_MIN;
}

int BarState(QObject* Bar)
{
    if (auto* bar = qobject_cast<TVxProgressBar*>(Bar))
        return int(bar->State());
    if (auto* bar = qobject_cast<TVxProgressBarEx*>(Bar))
        return int(bar->State());
    if (auto* bar = qobject_cast<TProgressBar*>(Bar))
        return bar->property("State").toInt();
    return -1;
}

const QMetaObject* ClassNamed(const QString& Name)
{
    if (Name == u"painted")
        return &TVxProgressBar::staticMetaObject;
    if (Name == u"ex")
        return &TVxProgressBarEx::staticMetaObject;
    if (Name == u"native")
        return &TProgressBar::staticMetaObject;
    return &TClientBar::staticMetaObject;
}

// Shows the dialog without a modal loop; returns Execute's result (-1).
int ShowModeless(TVxCustomDialog& Dialog)
{
    Dialog.SetDialogOptions(Dialog.DialogOptions() - doModal);
    return Dialog.Execute(nullptr);
}

TVxCustomMoreLabel* Toggle(TRuntimeDialog& Dialog)
{
    return qobject_cast<TVxCustomMoreLabel*>(Dialog.Engine()->ShowMoreButton());
}

// A dialog with expanded information in the body and a button bar.
void SetUpExpando(TRuntimeDialog& Dialog, int Step, int Speed)
{
    Dialog.Instruction()->SetText(QStringLiteral("Copying files"));
    Dialog.Content()->SetText(QStringLiteral("Three files are copied."));
    Dialog.Expando()->SetVisible(true);
    Dialog.Expando()->Lines()->SetText(QStringLiteral("first.txt\nsecond.txt\nthird.txt\nfourth.txt\nfifth.txt"));
    Dialog.Expando()->Animate()->SetEnabled(true);
    Dialog.Expando()->Animate()->SetStep(Step);
    Dialog.Expando()->Animate()->SetSpeed(Speed);
    Dialog.ButtonBar()->SetVisible(true);
}

// Records the window height at each resize, and how far the button bar buttons stand above the
// bottom edge then.
class TFrameRecorder : public QObject {
public:
    TFrameRecorder(TRuntimeDialog* Dialog, QWidget* Window) : FDialog(Dialog), FWindow(Window)
    {
        Window->installEventFilter(this);
    }
    QList<int> Heights;
    QList<int> ButtonGaps;
    std::function<void(int Frame)> OnFrame;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Watched == FWindow && Event->type() == QEvent::Resize) {
            Heights.append(FWindow->height());
            const QList<QWidget*> buttons = FDialog->Engine()->CreatedButtonBarButtons();
            ButtonGaps.append(buttons.isEmpty() ? 0 : FWindow->height() - buttons.first()->geometry().bottom());
            if (OnFrame)
                OnFrame(Heights.size());
        }
        return false;
    }

private:
    TRuntimeDialog* FDialog;
    QWidget* FWindow;
};

} // namespace

class TestDialogRuntime : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallDialogEngine(); }

    void cleanup()
    {
        SetApplicationHelpHandler(nullptr);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TVxTaskDialogForm*>(w))
                QFAIL("a dialog window was left open");
    }

    // --- Progress --------------------------------------------------------------------------

    void progressOperations_data()
    {
        QTest::addColumn<QString>("barClass");
        QTest::addColumn<bool>("marqueeOnly");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("barPosition");  // INT_MIN: not checked
        QTest::addColumn<int>("barState");     // -1: not checked
        QTest::addColumn<int>("taskBarState"); // -1: not checked (freed with the window)
        QTest::addColumn<double>("taskBarValue");
        QTest::addColumn<int>("clientGot"); // position or state the client's events received

        // Max 100, Step 10, ShowOnTaskBar.
        for (const char* cls : {"painted", "ex", "native"}) {
            const QString c = QString::fromLatin1(cls);
            QTest::newRow(qPrintable(c + QStringLiteral(" 95+5 reaches Max: closes, position restored")))
                << c << false << 10 << "pos" << 95 << 5 << 10 << true << INT_MIN << -1 << -1 << 0.0 << INT_MIN;
            QTest::newRow(qPrintable(c + QStringLiteral(" 40+5 below Max")))
                << c << false << 10 << "pos" << 40 << 5 << 45 << false << 45 << -1 << TBPF_NORMAL << 0.45 << INT_MIN;
            QTest::newRow(qPrintable(c + QStringLiteral(" beyond Max closes")))
                << c << false << 10 << "pos" << 250 << 0 << 10 << true << INT_MIN << -1 << -1 << 0.0 << INT_MIN;
            QTest::newRow(qPrintable(c + QStringLiteral(" overflowing sum closes")))
                << c << false << 10 << "pos" << INT_MAX << INT_MAX << 10 << true << INT_MIN << -1 << -1 << 0.0 << INT_MIN;
            QTest::newRow(qPrintable(c + QStringLiteral(" below Min stays at Min")))
                << c << false << 10 << "pos" << -30 << 0 << 0 << false << 0 << -1 << TBPF_NORMAL << 0.0 << INT_MIN;
            QTest::newRow(qPrintable(c + QStringLiteral(" own step")))
                << c << false << 20 << "step" << 0 << 0 << 30 << false << 30 << -1 << TBPF_NORMAL << 0.3 << INT_MIN;
            QTest::newRow(qPrintable(c + QStringLiteral(" own step to Max closes")))
                << c << false << 95 << "step" << 0 << 0 << 95 << true << INT_MIN << -1 << -1 << 0.0 << INT_MIN;
            // Any class but the painted and the native bar is told of a state through the event.
            QTest::newRow(qPrintable(c + QStringLiteral(" paused"))) << c << false << 10 << "paused" << 0 << 0 << 0 << false << 10
                                         << int(pbsPaused) << TBPF_PAUSED << 0.0 << (c == u"ex" ? int(pbstPaused) : INT_MIN);
            QTest::newRow(qPrintable(c + QStringLiteral(" error"))) << c << false << 10 << "error" << 0 << 0 << 0 << false << 10
                                        << int(pbsError) << TBPF_ERROR << 0.0 << (c == u"ex" ? int(pbstError) : INT_MIN);
        }
        QTest::newRow("marquee only: position ignored")
            << "painted" << true << 10 << "pos" << 50 << 0 << 0 << false << 10 << -1 << TBPF_INDETERMINATE << 0.0
            << INT_MIN;
        QTest::newRow("client bar gets the sum, model unchanged")
            << "client" << false << 10 << "pos" << 40 << 5 << 10 << false << INT_MIN << -1 << TBPF_NORMAL << 0.1 << 45;
        QTest::newRow("client bar asks to close")
            << "client" << false << 10 << "pos" << 120 << 0 << 10 << true << INT_MIN << -1 << -1 << 0.0 << 120;
        QTest::newRow("client bar own step gets -1")
            << "client" << false << 10 << "step" << 0 << 0 << 10 << false << INT_MIN << -1 << TBPF_NORMAL << 0.1 << -1;
        QTest::newRow("client bar state through its event")
            << "client" << false << 10 << "paused" << 0 << 0 << 0 << false << INT_MIN << -1 << TBPF_PAUSED << 0.0
            << int(pbstPaused);
    }

    void progressOperations()
    {
        QFETCH(QString, barClass);
        QFETCH(bool, marqueeOnly);
        QFETCH(int, start);
        QFETCH(QString, operation);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, result);
        QFETCH(bool, closes);
        QFETCH(int, barPosition);
        QFETCH(int, barState);
        QFETCH(int, taskBarState);
        QFETCH(double, taskBarValue);
        QFETCH(int, clientGot);

        TRuntimeDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + (marqueeOnly ? doProgressBarMarquee : doProgressBar));
        dialog.Progress()->SetMax(100);
        dialog.Progress()->SetStep(10);
        dialog.Progress()->SetPosition(start);
        dialog.Progress()->SetShowOnTaskBar(true);
        dialog.OnGetControlClass = TGetControlClassEvent([&](TObject*, TControlType Type, TControlClass& Class) {
            if (Type == ctProgressBar)
                Class = ClassNamed(barClass);
        });
        int got = INT_MIN;
        dialog.OnUpdateProgressBar = TUpdateProgressBarEvent([&](TObject*, TControl* Control, int Position, bool& Close) {
            QVERIFY(qobject_cast<TClientBar*>(Control));
            got = Position;
            Close = Position >= 100;
        });
        dialog.OnUpdateProgressBarState = TUpdateProgressBarStateEvent(
            [&](TObject*, TControl*, TProgressBarState State) { got = int(State); });
        QList<int> progressEvents;
        dialog.OnProgress = TProgressEvent([&](TObject*, int Position) { progressEvents.append(Position); });
        QCOMPARE(ShowModeless(dialog), -1);
        QVERIFY(dialog.IsShowing());

        int returned = 0;
        if (operation == u"pos")
            returned = dialog.UpdateProgress(a, b);
        else if (operation == u"step")
            returned = dialog.UpdateProgress();
        else
            dialog.SetProgressState(operation == u"paused" ? pbstPaused : pbstError);
        if (operation == u"pos" || operation == u"step")
            QCOMPARE(returned, result);
        QCOMPARE(!dialog.IsShowing(), closes);
        if (closes) {
            QCOMPARE(dialog.ModalResult(), 0);
            QCOMPARE(dialog.Progress()->Position(), start);
            QVERIFY(progressEvents.isEmpty() || barClass == u"client");
        }
        if (barPosition != INT_MIN)
            QCOMPARE(BarPosition(dialog.GetControl(ctProgressBar, 0)), barPosition);
        if (barState != -1)
            QCOMPARE(BarState(dialog.GetControl(ctProgressBar, 0)), barState);
        if (taskBarState != -1) {
            TVxTaskBarProgressImpl* taskBar = dialog.Engine()->TaskBarProgress();
            QVERIFY(taskBar);
            QCOMPARE(taskBar->State(), taskBarState);
            QVERIFY(qAbs(taskBar->Value() - taskBarValue) < 1e-9);
        }
        QCOMPARE(got, clientGot);
        if (!closes && (operation == u"pos" || operation == u"step") && !marqueeOnly)
            QVERIFY(!progressEvents.isEmpty() && progressEvents.last() == dialog.Progress()->Position());
        dialog.Close(mrCancel);
    }

    void progressControlClassAndModelChanges_data()
    {
        QTest::addColumn<bool>("native");
        QTest::addColumn<bool>("marquee");
        QTest::addColumn<QString>("className");
        QTest::addColumn<int>("taskBarState");
        QTest::newRow("native normal") << true << false << "TProgressBar" << TBPF_NORMAL;
        QTest::newRow("native marquee") << true << true << "TProgressBar" << TBPF_INDETERMINATE;
        QTest::newRow("painted marquee") << false << true << "TVxProgressBar" << TBPF_INDETERMINATE;
        QTest::newRow("platform layer normal") << false << false << "TVxProgressBarEx" << TBPF_NORMAL;
    }

    void progressControlClassAndModelChanges()
    {
        QFETCH(bool, native);
        QFETCH(bool, marquee);
        QFETCH(QString, className);
        QFETCH(int, taskBarState);
        TRuntimeDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + (marquee ? doProgressBarMarquee : doProgressBar));
        dialog.Progress()->SetUseNativeProgressBar(native);
        dialog.Progress()->SetShowOnTaskBar(true);
        dialog.Progress()->SetPosition(30);
        ShowModeless(dialog);
        QObject* bar = dialog.GetControl(ctProgressBar, 0);
        QVERIFY(bar);
        QCOMPARE(QString::fromLatin1(bar->metaObject()->className()), className);
        QCOMPARE(dialog.Engine()->TaskBarProgress()->State(), taskBarState);
        if (!marquee)
            QCOMPARE(BarPosition(bar), 30);
        // Model changes reach the painted bars, not the native one.
        dialog.Progress()->SetMax(200);
        dialog.Progress()->SetPosition(150);
        dialog.Progress()->SetState(pbstError);
        if (!marquee || !native)
            QCOMPARE(BarPosition(bar), native ? 30 : 150);
        QCOMPARE(BarState(bar), native ? 0 : int(pbsError));
        dialog.Close(mrCancel);
        // The taskbar object goes with the window.
        QVERIFY(!dialog.Engine()->TaskBarProgress());
    }

    void progressWithoutWindowReturnsZero()
    {
        TRuntimeDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doProgressBar);
        dialog.Progress()->SetPosition(40);
        QCOMPARE(dialog.UpdateProgress(50), 0);
        QCOMPARE(dialog.UpdateProgress(), 0);
        QCOMPARE(dialog.Progress()->Position(), 40);
        dialog.SetProgressState(pbstPaused);
        QCOMPARE(dialog.Progress()->State(), pbstPaused);
    }

    // --- Timer -----------------------------------------------------------------------------

    void timerTicks_data()
    {
        QTest::addColumn<quint32>("interval");
        QTest::addColumn<int>("atLeast"); // milliseconds a later tick reports at least
        QTest::newRow("20 ms") << 20u << 15;
        // No busy loop: the platform's minimum of 10 ms applies.
        QTest::newRow("zero interval") << 0u << 8;
    }

    void timerTicks()
    {
        QFETCH(quint32, interval);
        QFETCH(int, atLeast);
        TRuntimeDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doTimer);
        dialog.Timer()->SetInterval(interval);
        QList<quint32> ticks;
        dialog.OnTimer = TTimerEvent([&](TObject*, quint32 TimeSince) { ticks.append(TimeSince); });
        ShowModeless(dialog);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 5, 10000);
        dialog.Close(mrOk);
        QCOMPARE(ticks.first(), 0u);
        for (int i = 1; i < ticks.size(); ++i) {
            // Generous: a loaded machine delays ticks, but never by seconds.
            QVERIFY(ticks.at(i) < 5000);
        }
        // A late tick is followed by an early one (the timer keeps its schedule), so the mean
        // is what the interval fixes.
        quint64 sum = 0;
        for (int i = 1; i < ticks.size(); ++i)
            sum += ticks.at(i);
        QVERIFY2(sum >= quint64(atLeast) * quint64(ticks.size() - 1), qPrintable(QString::number(sum)));
        // No ticks once the window is gone.
        const int count = ticks.size();
        QCoreApplication::processEvents();
        QCOMPARE(ticks.size(), count);
    }

    void timerHandlerClosesTheDialog_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::newRow("modeless") << false;
        QTest::newRow("modal") << true;
    }

    void timerHandlerClosesTheDialog()
    {
        QFETCH(bool, modal);
        TRuntimeDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doTimer);
        dialog.Timer()->SetInterval(10);
        int ticks = 0;
        dialog.OnTimer = TTimerEvent([&](TObject*, quint32) {
            ++ticks;
            dialog.Close(mrRetry);
        });
        const int result = modal ? dialog.Execute(nullptr) : ShowModeless(dialog);
        if (modal)
            QCOMPARE(result, int(mrRetry));
        QTRY_VERIFY(!dialog.IsShowing());
        QCOMPARE(ticks, 1);
        QCOMPARE(dialog.ModalResult(), int(mrRetry));
    }

    void timerRestartsWithNewInterval_data()
    {
        QTest::addColumn<quint32>("interval");
        QTest::addColumn<int>("running"); // the interval the window's timer runs at
        QTest::newRow("20 ms") << 20u << 20;
        QTest::newRow("zero: the 10 ms minimum") << 0u << 10;
    }

    void timerRestartsWithNewInterval()
    {
        QFETCH(quint32, interval);
        QFETCH(int, running);
        TRuntimeDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doTimer);
        // Long enough that no tick of the first interval can arrive during the test.
        dialog.Timer()->SetInterval(600000);
        QList<quint32> ticks;
        dialog.OnTimer = TTimerEvent([&](TObject*, quint32 TimeSince) { ticks.append(TimeSince); });
        ShowModeless(dialog);
        auto* form = qobject_cast<TVxTaskDialogForm*>(WindowOf(&dialog));
        QVERIFY(form);
        QCOMPARE(form->DialogTimerInterval(), 600000);

        dialog.Timer()->SetInterval(interval);
        QCOMPARE(form->DialogTimerInterval(), running);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 5, 10000);
        QCOMPARE(ticks.first(), 0u);
        quint64 sum = 0;
        for (int i = 1; i < ticks.size(); ++i)
            sum += ticks.at(i);
        // The mean follows the new interval: never below it (less a little for the clock), and
        // nowhere near the old one.
        const quint64 later = quint64(ticks.size() - 1);
        QVERIFY2(sum >= later * quint64(running * 3 / 4), qPrintable(QString::number(sum)));
        QVERIFY2(sum < later * 5000, qPrintable(QString::number(sum)));

        // Back to a long interval: the ticks stop coming.
        dialog.Timer()->SetInterval(600000);
        QCOMPARE(form->DialogTimerInterval(), 600000);
        const int count = ticks.size();
        QTest::qWait(10 * running);
        QCOMPARE(ticks.size(), count);
        dialog.Close(mrOk);
    }

    void timerChangeOutsideARun()
    {
        TRuntimeDialog dialog;
        QList<quint32> ticks;
        dialog.OnTimer = TTimerEvent([&](TObject*, quint32 TimeSince) { ticks.append(TimeSince); });
        // Without a window a change only stores the interval.
        dialog.Timer()->SetInterval(20);
        QCOMPARE(dialog.Timer()->Interval(), 20u);
        // Without doTimer a showing window gets no timer from a change.
        ShowModeless(dialog);
        auto* form = qobject_cast<TVxTaskDialogForm*>(WindowOf(&dialog));
        QVERIFY(form);
        dialog.Timer()->SetInterval(10);
        QVERIFY(!form->DialogTimerActive());
        QTest::qWait(100);
        QVERIFY(ticks.isEmpty());
        dialog.Close(mrOk);
        // Assigning another timer's settings to a showing dialog restarts its timer too.
        TRuntimeDialog other;
        other.Timer()->SetInterval(15);
        dialog.SetDialogOptions(dialog.DialogOptions() + doTimer);
        dialog.Timer()->SetInterval(600000);
        ShowModeless(dialog);
        form = qobject_cast<TVxTaskDialogForm*>(WindowOf(&dialog));
        QVERIFY(form);
        QCOMPARE(form->DialogTimerInterval(), 600000);
        dialog.SetTimer(other.Timer());
        QCOMPARE(form->DialogTimerInterval(), 15);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 2, 10000);
        dialog.Close(mrOk);
    }

    void timerHandlerChangesTheInterval()
    {
        // A handler that slows its own timer down: the change takes effect from inside the tick.
        TRuntimeDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doTimer);
        dialog.Timer()->SetInterval(10);
        int ticks = 0;
        dialog.OnTimer = TTimerEvent([&](TObject*, quint32) {
            ++ticks;
            dialog.Timer()->SetInterval(600000);
        });
        ShowModeless(dialog);
        QTRY_COMPARE(ticks, 1);
        QTest::qWait(150);
        QCOMPARE(ticks, 1);
        auto* form = qobject_cast<TVxTaskDialogForm*>(WindowOf(&dialog));
        QVERIFY(form);
        QCOMPARE(form->DialogTimerInterval(), 600000);
        dialog.Close(mrOk);
    }

    // --- Expand and collapse ----------------------------------------------------------------

    void expandAndCollapseFrameByFrame()
    {
        TRuntimeDialog dialog;
        SetUpExpando(dialog, 4, 10);
        QStringList events;
        dialog.OnDialogExpand = TNotifyEvent([&](TObject*) { events << QStringLiteral("expand"); });
        dialog.OnDialogCollapse = TNotifyEvent([&](TObject*) { events << QStringLiteral("collapse"); });
        ShowModeless(dialog);
        QWidget* window = WindowOf(&dialog);
        const int collapsedHeight = window->height();
        TFrameRecorder frames(&dialog, window);
        frames.OnFrame = [&](int) {
            // The events fire before the window moves; the guards hold while it does.
            QVERIFY(!events.isEmpty());
            QVERIFY(dialog.Expanding() != dialog.Collapsing());
        };

        Toggle(dialog)->SetExpanded(true);
        QCOMPARE(events, QStringList{QStringLiteral("expand")});
        QCOMPARE(Toggle(dialog)->Caption(), dialog.Expando()->HideText());
        const int expandedHeight = window->height();
        QVERIFY(expandedHeight > collapsedHeight + 8);
        QVERIFY(frames.Heights.size() >= 3);
        // Every frame but the last (the exact final size) grows by Step.
        for (int i = 0; i + 1 < frames.Heights.size(); ++i)
            QCOMPARE(frames.Heights.at(i), collapsedHeight + 4 * (i + 1));
        QVERIFY(expandedHeight - frames.Heights.at(frames.Heights.size() - 2) <= 4);
        QVERIFY(qAbs(expandedHeight - frames.Heights.at(frames.Heights.size() - 2)) <= 4);
        // The button bar keeps its distance from the moving bottom edge.
        for (int gap : frames.ButtonGaps)
            QCOMPARE(gap, frames.ButtonGaps.first());
        QVERIFY(!dialog.Expanding() && !dialog.Collapsing());
        QCOMPARE(dialog.ExpandedHeight(), -1);
        QVERIFY(dialog.Engine()->MoreLinesLabel()->isVisible());

        frames.Heights.clear();
        frames.ButtonGaps.clear();
        Toggle(dialog)->SetExpanded(false);
        QCOMPARE(events, (QStringList{QStringLiteral("expand"), QStringLiteral("collapse")}));
        QCOMPARE(Toggle(dialog)->Caption(), dialog.Expando()->ShowText());
        QCOMPARE(window->height(), collapsedHeight);
        for (int i = 0; i + 1 < frames.Heights.size(); ++i)
            QCOMPARE(frames.Heights.at(i), expandedHeight - 4 * (i + 1));
        for (int gap : frames.ButtonGaps)
            QCOMPARE(gap, frames.ButtonGaps.first());
        QVERIFY(!dialog.Engine()->MoreLinesLabel()->isVisible());
        dialog.Close(mrOk);
    }

    void expandWithoutAnimationJumps()
    {
        TRuntimeDialog animated, plain;
        SetUpExpando(animated, 8, 2);
        SetUpExpando(plain, 8, 2);
        plain.Expando()->Animate()->SetEnabled(false);
        ShowModeless(animated);
        ShowModeless(plain);
        TFrameRecorder frames(&plain, WindowOf(&plain));
        Toggle(plain)->SetExpanded(true);
        Toggle(animated)->SetExpanded(true);
        QCOMPARE(frames.Heights.size(), 1);
        // Both end at the same size.
        QCOMPARE(WindowOf(&animated)->size(), WindowOf(&plain)->size());
        animated.Close(mrOk);
        plain.Close(mrOk);
    }

    void clickDuringAnimationEndsConsistent()
    {
        TRuntimeDialog dialog;
        SetUpExpando(dialog, 2, 10);
        QStringList events;
        dialog.OnDialogExpand = TNotifyEvent([&](TObject*) { events << QStringLiteral("expand"); });
        dialog.OnDialogCollapse = TNotifyEvent([&](TObject*) { events << QStringLiteral("collapse"); });
        ShowModeless(dialog);
        QWidget* window = WindowOf(&dialog);
        const int collapsedHeight = window->height();
        TFrameRecorder frames(&dialog, window);
        frames.OnFrame = [&](int Frame) {
            if (Frame == 3)
                Toggle(dialog)->SetExpanded(false); // the user clicks the toggle again
        };
        Toggle(dialog)->SetExpanded(true);
        QCOMPARE(events, (QStringList{QStringLiteral("expand"), QStringLiteral("collapse")}));
        QVERIFY(!Toggle(dialog)->Expanded());
        QCOMPARE(Toggle(dialog)->Caption(), dialog.Expando()->ShowText());
        QCOMPARE(window->height(), collapsedHeight);
        QVERIFY(!dialog.Expanding() && !dialog.Collapsing());
        QVERIFY(!dialog.Engine()->MoreLinesLabel()->isVisible());
        dialog.Close(mrOk);
    }

    void closeDuringAnimation_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::newRow("modeless: window freed at once") << false;
        QTest::newRow("modal: window hidden, freed after the loop") << true;
    }

    void closeDuringAnimation()
    {
        QFETCH(bool, modal);
        TRuntimeDialog dialog;
        SetUpExpando(dialog, 2, 10);
        std::unique_ptr<TFrameRecorder> frames;
        const auto expandThenClose = [&](QWidget* Window) {
            frames = std::make_unique<TFrameRecorder>(&dialog, Window);
            frames->OnFrame = [&](int Frame) {
                // As a click or a timer handler would, from the event loop between frames.
                if (Frame == 2)
                    QTimer::singleShot(0, [&] { dialog.Close(mrAbort); });
            };
            Toggle(dialog)->SetExpanded(true);
        };
        if (modal) {
            QCOMPARE(RunModal(&dialog, expandThenClose), int(mrAbort));
        } else {
            ShowModeless(dialog);
            expandThenClose(WindowOf(&dialog));
        }
        QVERIFY(!dialog.IsShowing());
        QVERIFY(!dialog.Expanding() && !dialog.Collapsing());
        QCOMPARE(dialog.ModalResult(), int(mrAbort));
        QVERIFY(frames->Heights.size() <= 3);
        frames.reset();
    }

    // --- Expanded information from a file or a stream -----------------------------------------

    void moreSource_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("behaviour");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("ownStreamFreed");
        QTest::newRow("default: the lines") << "default" << "" << "From the lines" << true;
        QTest::newRow("file") << "file" << "existing" << "From the file" << true;
        QTest::newRow("missing file: unchanged, lines unused") << "file" << "missing" << "" << true;
        QTest::newRow("empty file name: nothing") << "file" << "empty" << "" << true;
        QTest::newRow("stream") << "stream" << "write" << "From the stream" << true;
        QTest::newRow("stream swapped by the handler") << "stream" << "swap" << "Swapped in" << true;
        QTest::newRow("stream set to none") << "stream" << "none" << "" << true;
        QTest::newRow("stream handler raises") << "stream" << "raise" << "" << true;
    }

    void moreSource()
    {
        QFETCH(QString, source);
        QFETCH(QString, behaviour);
        QFETCH(QString, shown);
        QFETCH(bool, ownStreamFreed);
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("more.txt"));
        {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("From the file");
        }
        TRuntimeDialog dialog;
        SetUpExpando(dialog, 2, 10);
        dialog.Expando()->Animate()->SetEnabled(false);
        dialog.Expando()->Lines()->SetText(QStringLiteral("From the lines"));
        dialog.Expando()->SetMoreSource(source == u"file" ? msFile : source == u"stream" ? msStream : msDefault);
        dialog.OnGetMoreFileName = TGetMoreFileNameEvent([&](TObject*, QString& FileName) {
            QVERIFY(FileName.isEmpty());
            if (behaviour == u"existing")
                FileName = existing;
            else if (behaviour == u"missing")
                FileName = dir.filePath(QStringLiteral("absent.txt"));
        });
        bool streamFreed = false, swappedFreed = false;
        dialog.OnGetMoreStream = TGetMoreStreamEvent([&](TObject*, TMemoryStream*& Stream) {
            QVERIFY(Stream);
            connect(Stream, &QObject::destroyed, this, [&] { streamFreed = true; });
            if (behaviour == u"write") {
                Stream->write("From the stream");
            } else if (behaviour == u"swap") {
                auto* mine = new TMemoryStream;
                mine->open(QIODevice::ReadWrite);
                mine->write("Swapped in");
                connect(mine, &QObject::destroyed, this, [&] { swappedFreed = true; });
                Stream = mine;
            } else if (behaviour == u"none") {
                Stream = nullptr;
            } else if (behaviour == u"raise") {
                Stream->write("half");
                throw EInOutError(QStringLiteral("the source is gone"));
            }
        });
        ShowModeless(dialog);
        Toggle(dialog)->SetExpanded(true);
        auto* label = qobject_cast<TVxCaptionControl*>(dialog.Engine()->MoreLinesLabel());
        QVERIFY(label);
        QCOMPARE(label->Text()->Text().trimmed(), shown);
        QVERIFY(dialog.IsShowing());
        if (source == u"stream") {
            QCOMPARE(streamFreed, ownStreamFreed);
            if (behaviour == u"swap")
                QVERIFY(swappedFreed);
        }
        dialog.Close(mrOk);
    }

    void moreStreamRichTextReachesTheRichEdit()
    {
        TRuntimeDialog dialog;
        SetUpExpando(dialog, 2, 10);
        dialog.Expando()->Animate()->SetEnabled(false);
        dialog.Expando()->SetShowInFooter(true);
        dialog.Expando()->SetMoreFormat(mfRTF);
        dialog.Expando()->SetMoreSource(msStream);
        dialog.OnGetMoreStream = TGetMoreStreamEvent(
            [](TObject*, TMemoryStream*& Stream) { Stream->write("{\\rtf1\\ansi {\\b Bold} words}"); });
        ShowModeless(dialog);
        Toggle(dialog)->SetExpanded(true);
        auto* edit = qobject_cast<TVxRichEdit*>(dialog.Engine()->MoreRichEdit());
        QVERIFY(edit);
        QCOMPARE(edit->toPlainText().trimmed(), QStringLiteral("Bold words"));
        QVERIFY(!edit->toPlainText().contains(u'\\'));
        dialog.Close(mrOk);
    }

    // --- Ctrl+C copies the expanded information that shows -------------------------------------

    void copyTakesExpandedTextFromSource_data()
    {
        QTest::addColumn<QString>("placement"); // "body", "footer" (caption control), "footer rtf"
        QTest::addColumn<QString>("source");    // "file", "stream", "missing file", "failing stream"
        QTest::addColumn<bool>("expand");
        QTest::addColumn<QString>("section"); // the part of the copied text that must be there
        const QString body = QStringLiteral("[Expanded Information]\r\n");
        const QString footer = QStringLiteral("\r\n[Expanded Information]\r\n");
        const QString lines = QStringLiteral("From the source\r\nSecond line\r\n");
        QTest::newRow("body, file") << "body" << "file" << true << body + lines + "\r\n\r\n";
        QTest::newRow("body, stream") << "body" << "stream" << true << body + lines + "\r\n\r\n";
        QTest::newRow("body, stream, collapsed") << "body" << "stream" << false << body + lines + "\r\n\r\n";
        QTest::newRow("body, missing file: no lines") << "body" << "missing file" << true << body + "\r\n\r\n";
        QTest::newRow("body, failing stream: no lines") << "body" << "failing stream" << true << body + "\r\n\r\n";
        QTest::newRow("footer, file") << "footer" << "file" << true << footer + lines;
        QTest::newRow("footer, stream") << "footer" << "stream" << true << footer + lines;
        QTest::newRow("footer rich edit, file") << "footer rtf" << "file" << true
                                                << footer + "Bold words\nSecond line\r\n\r\n";
        QTest::newRow("footer rich edit, stream") << "footer rtf" << "stream" << true
                                                  << footer + "Bold words\nSecond line\r\n\r\n";
        QTest::newRow("footer rich edit, stream, collapsed") << "footer rtf" << "stream" << false
                                                             << footer + "Bold words\nSecond line\r\n\r\n";
    }

    void copyTakesExpandedTextFromSource()
    {
        QFETCH(QString, placement);
        QFETCH(QString, source);
        QFETCH(bool, expand);
        QFETCH(QString, section);
        const QByteArray content = placement == u"footer rtf"
                                       ? QByteArray("{\\rtf1\\ansi {\\b Bold} words\\par Second line}")
                                       : QByteArray("From the source\nSecond line\n");
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("more.txt"));
        {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        TRuntimeDialog dialog;
        SetUpExpando(dialog, 2, 10);
        dialog.Expando()->Animate()->SetEnabled(false);
        dialog.Expando()->Lines()->SetText(QStringLiteral("Design-time lines"));
        if (placement != u"body") {
            dialog.Expando()->SetShowInFooter(true);
            dialog.Expando()->SetMoreFormat(placement == u"footer rtf" ? mfRTF : mfText);
        }
        const bool fromFile = source.contains(u"file");
        dialog.Expando()->SetMoreSource(fromFile ? msFile : msStream);
        dialog.OnGetMoreFileName = TGetMoreFileNameEvent([&](TObject*, QString& FileName) {
            FileName = source == u"file" ? existing : dir.filePath(QStringLiteral("absent.txt"));
        });
        dialog.OnGetMoreStream = TGetMoreStreamEvent([&](TObject*, TMemoryStream*& Stream) {
            Stream->write(content);
            if (source == u"failing stream")
                throw EInOutError(QStringLiteral("the source is gone"));
        });
        ShowModeless(dialog);
        if (expand)
            Toggle(dialog)->SetExpanded(true);
        QWidget* window = WindowOf(&dialog);
        QVERIFY(window);
        ClipboardSetText(QStringLiteral("before"));
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != window)
            target = window;
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        const QString copied = ClipboardText();
        QVERIFY2(copied.contains(section), qPrintable(copied));
        QVERIFY2(!copied.contains(QStringLiteral("Design-time")), qPrintable(copied));
        QVERIFY(dialog.IsShowing());
        dialog.Close(mrOk);
    }

    void copyWhenTheSourceHandlerClosesTheDialog_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::newRow("modeless: the window is freed at once") << false;
        QTest::newRow("modal") << true;
    }

    void copyWhenTheSourceHandlerClosesTheDialog()
    {
        QFETCH(bool, modal);
        TRuntimeDialog dialog;
        SetUpExpando(dialog, 2, 10);
        dialog.Expando()->Animate()->SetEnabled(false);
        dialog.SetTitle(QStringLiteral("Copying"));
        dialog.Expando()->SetMoreSource(msStream);
        int asked = 0;
        dialog.OnGetMoreStream = TGetMoreStreamEvent([&](TObject*, TMemoryStream*& Stream) {
            ++asked;
            Stream->write("Late lines");
            dialog.Close(mrAbort);
        });
        ClipboardSetText(QStringLiteral("before"));
        const auto copy = [](QWidget* Window) {
            QWidget* target = QApplication::focusWidget();
            if (!target || target->window() != Window)
                target = Window;
            QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        };
        if (modal) {
            QCOMPARE(RunModal(&dialog, copy), int(mrAbort));
        } else {
            ShowModeless(dialog);
            copy(WindowOf(&dialog));
        }
        QCOMPARE(asked, 1);
        QVERIFY(!dialog.IsShowing());
        QCOMPARE(dialog.ModalResult(), int(mrAbort));
        const QString copied = ClipboardText();
        QVERIFY2(copied.startsWith(QStringLiteral("[Window Title]\r\nCopying\r\n")), qPrintable(copied));
        QVERIFY2(copied.contains(QStringLiteral("[Expanded Information]\r\nLate lines\r\n")), qPrintable(copied));
    }

    // --- Help --------------------------------------------------------------------------------

    void help_data()
    {
        QTest::addColumn<QString>("path");        // "link" or "button"
        QTest::addColumn<bool>("handled");        // the dialog's handler handles it
        QTest::addColumn<bool>("applicationHelp"); // the application has help
        QTest::addColumn<int>("helpType");
        QTest::addColumn<QString>("expected"); // the request the application got; "raise"; ""
        QTest::newRow("link handled") << "link" << true << true << int(htContext) << "";
        QTest::newRow("link by context") << "link" << false << true << int(htContext) << "context 12";
        QTest::newRow("link by keyword") << "link" << false << true << int(htKeyword) << "keyword saving";
        QTest::newRow("link without help") << "link" << false << false << int(htContext) << "raise";
        QTest::newRow("link handled without help") << "link" << true << false << int(htContext) << "";
        QTest::newRow("button handled") << "button" << true << true << int(htContext) << "";
        QTest::newRow("button: the dialog's context") << "button" << false << true << int(htKeyword) << "context 77";
        QTest::newRow("button without help") << "button" << false << false << int(htContext) << "raise";
    }

    void help()
    {
        QFETCH(QString, path);
        QFETCH(bool, handled);
        QFETCH(bool, applicationHelp);
        QFETCH(int, helpType);
        QFETCH(QString, expected);
        QString request;
        if (applicationHelp)
            SetApplicationHelpHandler([&](const TApplicationHelpRequest& R) {
                request = R.ByKeyword ? QStringLiteral("keyword ") + R.HelpKeyword
                                      : QStringLiteral("context ") + QString::number(R.HelpContext);
            });
        TRuntimeDialog dialog;
        dialog.SetDialogOptions(dialog.DialogOptions() + doShowHelpLink);
        dialog.HelpLink()->SetText(QStringLiteral("Help on saving"));
        dialog.HelpLink()->SetHelpType(THelpType(helpType));
        dialog.HelpLink()->SetHelpContext(12);
        dialog.HelpLink()->SetHelpKeyword(QStringLiteral("saving"));
        dialog.SetHelpContext(77);
        dialog.ButtonBar()->SetVisible(true);
        dialog.ButtonBar()->SetButtons(dialog.ButtonBar()->Buttons() + cbHelp);
        TObject* sender = nullptr;
        bool asked = false;
        dialog.OnHelpLinkClick = THelpLinkClickEvent([&](TObject* Sender, bool& Handled) {
            asked = true;
            sender = Sender;
            Handled = handled;
        });
        dialog.OnHelpButtonClick = THelpButtonClickEvent([&](TObject*, bool& Handled) {
            asked = true;
            Handled = handled;
        });
        ShowModeless(dialog);
        auto* helpButton = WindowOf(&dialog)->findChild<QAbstractButton*>(QStringLiteral("bHelp"));
        QVERIFY(helpButton);
        const auto click = [&] {
            if (path == u"link")
                dialog.HelpLinkClick();
            else if (expected == u"raise")
                dialog.HelpButtonClick(helpButton);
            else
                QTest::mouseClick(helpButton, Qt::LeftButton); // the user's click
        };
        if (expected == u"raise") {
            try {
                click();
                QFAIL("no exception");
            } catch (const VxNoHelpFileException& E) {
                QCOMPARE(E.Message(), QStringLiteral("You must associate a Help File with your application"));
            }
        } else {
            click();
            QCOMPARE(request, expected);
        }
        QVERIFY(asked);
        if (path == u"link")
            QCOMPARE(dynamic_cast<QObject*>(sender), dialog.Engine()->HelpLinkLabel());
        QVERIFY(dialog.IsShowing());
        dialog.Close(mrOk);
    }
};

QTEST_MAIN(TestDialogRuntime)
#include "tst_dialogruntime.moc"
