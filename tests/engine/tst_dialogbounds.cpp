// Dialogs whose texts or command links ask for more than the screen has: the window stays within
// the available screen, over-long words are broken, and what does not fit scrolls while the
// button bar stays in view.

#include "support/EngineProbe.h"

#include "VxCaption.h"
#include "VxCaptionControl.h"
#include "VxCollections.h"
#include "VxOptions.h"
#include "VxTaskDialogForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QtTest>

#include <functional>

namespace {

using Design = std::function<void(TProbeDialog&)>;

void AddLinks(TProbeDialog& D, int Count)
{
    D.SetDialogOptions(D.DialogOptions() + doCommandLinks);
    for (int i = 0; i < Count; ++i) {
        TVxCustomButtonItem* item = D.CustomButtons()->Add();
        item->SetCaption(QStringLiteral("&Action number %1").arg(i));
        item->Info()->Add(QStringLiteral("What action %1 does.").arg(i));
    }
}

QString Word(int Length)
{
    QString word;
    for (int i = 0; i < Length; ++i)
        word.append(QChar(u'a' + i % 26));
    return word;
}

// Where a control lies in window coordinates, also inside the scroll area.
QRect InWindow(QWidget* Control, QWidget* Window)
{
    QWidget* parent = Control->parentWidget();
    if (parent == Window)
        return Control->geometry();
    const QPoint origin = parent->property("VxScrollOrigin").toPoint();
    return Control->geometry().translated(origin);
}

} // namespace

Q_DECLARE_METATYPE(Design)

class TestDialogBounds : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallDialogEngine(); }

    void staysOnScreen_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("50 command links") << Design([](TProbeDialog& D) {
            D.Instruction()->SetText(QStringLiteral("Choose an action"));
            D.Content()->Add(QStringLiteral("Some content."));
            AddLinks(D, 50);
            D.ButtonBar()->SetButtons({cbCancel});
        }) << true;
        QTest::newRow("50 command links with a footer") << Design([](TProbeDialog& D) {
            AddLinks(D, 50);
            D.Footer()->SetVisible(true);
            D.Footer()->SetText(QStringLiteral("A footer that stays in view."));
        }) << true;
        QTest::newRow("200-character word as content") << Design([](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("See ") + Word(200) + QStringLiteral(" now."));
        }) << false;
        QTest::newRow("200-character word as instruction") << Design([](TProbeDialog& D) {
            D.Instruction()->SetText(Word(200));
            D.SetMainIcon(tdiWarning);
        }) << false;
        QTest::newRow("200-character word as header") << Design([](TProbeDialog& D) {
            D.Header()->SetVisible(true);
            D.Header()->SetText(Word(200));
        }) << false;
        QTest::newRow("200,000 characters of content") << Design([](TProbeDialog& D) {
            D.Content()->Add(Word(200000));
        }) << true;
        QTest::newRow("many content lines") << Design([](TProbeDialog& D) {
            QString text;
            for (int i = 0; i < 400; ++i)
                text += QStringLiteral("Line %1 of a long text<NEWLINE>").arg(i);
            D.Content()->Add(text);
            D.ButtonBar()->SetButtons({cbOK, cbCancel});
        }) << true;
    }

    void staysOnScreen()
    {
        QFETCH(Design, design);
        QFETCH(bool, scrolls);
        TProbeDialog dialog;
        design(dialog);
        TVxDialogEngine* engine = dialog.Engine();
        QWidget* window = engine->BuildHidden();
        QVERIFY(window);
        QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        QVERIFY(screen);
        const QSize available = screen->availableGeometry().size();
        QVERIFY2(window->width() <= available.width() && window->height() <= available.height(),
                 qPrintable(QStringLiteral("%1 x %2 on %3 x %4")
                                .arg(window->width())
                                .arg(window->height())
                                .arg(available.width())
                                .arg(available.height())));
        const QSize bound = MaximumDialogClientSize(window);
        QVERIFY(window->width() <= bound.width() && window->height() <= bound.height());
        const QRect client = window->rect();

        // The button bar and the footer stay in view.
        for (TVxDialogSection section : {secButtonBar, secFooter}) {
            const QRect r = engine->GetSectionRect(section).ToQRect();
            if (r.height() > 0)
                QVERIFY(client.contains(r));
        }
        for (QWidget* button : engine->CreatedButtonBarButtons())
            QVERIFY(client.contains(button->geometry()));

        // Captions wrap within their controls, breaking a word longer than a line.
        const QList<std::pair<QWidget*, QString>> captions{{engine->InstructionLabel(), dialog.Instruction()->Text()},
                                                           {engine->ContentLabel(), dialog.Content()->Text()},
                                                           {engine->FooterLabel(), dialog.Footer()->Text()}};
        for (const auto& [w, text] : captions) {
            auto* caption = qobject_cast<TVxCaptionControl*>(w);
            if (!caption || caption->isHidden())
                continue;
            const QRect g = InWindow(caption, window);
            QVERIFY2(g.left() >= 0 && g.right() < client.width(), qPrintable(caption->objectName()));
            QVERIFY2(TVxCaption::MinimumHeight(nullptr, text, caption->Font(), caption->width()) <= caption->height(),
                     qPrintable(caption->objectName() + QStringLiteral(" is clipped")));
        }

        // What scrolls is all inside the scroll area, which sits between the instruction and the
        // button bar and leaves room for its scroll bar.
        QScrollArea* area = engine->ScrollArea();
        QCOMPARE(area != nullptr, scrolls);
        if (area) {
            QVERIFY(client.contains(area->geometry()));
            QVERIFY(area->geometry().bottom() < engine->GetSectionRect(secButtonBar).Top ||
                    !dialog.ButtonBar()->Visible());
            QWidget* body = area->widget();
            // The viewport's own size is only laid out once the window shows.
            const int viewWidth = area->width() - area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
            int linksBottom = 0;
            for (QWidget* link : engine->CreatedCustomButtons()) {
                QCOMPARE(link->parentWidget(), body);
                QVERIFY(link->y() >= linksBottom);
                linksBottom = link->geometry().bottom() + 1;
                QVERIFY(link->geometry().right() < viewWidth);
            }
            QVERIFY(linksBottom <= body->height());
            if (QWidget* content = engine->ContentLabel()) {
                QCOMPARE(content->parentWidget(), body);
                QVERIFY(content->geometry().bottom() < body->height());
                QVERIFY(content->geometry().right() < viewWidth);
            }
        }
        engine->DestroyHiddenWindow();
    }

    // A dialog that fits again after a change puts its controls back on the window.
    void scrollingEndsWhenAllFits()
    {
        TProbeDialog dialog;
        AddLinks(dialog, 50);
        TVxDialogEngine* engine = dialog.Engine();
        QWidget* window = engine->BuildHidden();
        QVERIFY(engine->ScrollArea());
        while (dialog.CustomButtons()->Count() > 3)
            dialog.CustomButtons()->Delete(dialog.CustomButtons()->Count() - 1);
        // An option change rebuilds the buttons; a width change sizes and places again.
        dialog.SetDialogOptions(dialog.DialogOptions() + doTopMost);
        dialog.SetWidth(420);
        QVERIFY(!engine->ScrollArea());
        const QList<QWidget*> links = engine->CreatedCustomButtons();
        QCOMPARE(links.size(), 3);
        for (QWidget* link : links) {
            QCOMPARE(link->parentWidget(), window);
            QVERIFY(window->rect().contains(link->geometry()));
        }
        engine->DestroyHiddenWindow();
    }
};

QTEST_MAIN(TestDialogBounds)
#include "tst_dialogbounds.moc"
