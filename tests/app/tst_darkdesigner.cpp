// The designer on a dark desktop: the design page's values, placeholders, check boxes and the
// toolbar's captions read (contrast at least 4.5:1, measured on the window's picture).

#include "../support/DesktopDarkPalette.h"
#include "../support/MeasuredContrast.h"

#include "CodeView.h"
#include "VxDControls.h"
#include "VxPageScroller.h"
#include "frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

class TestDarkDesigner : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(DesktopDarkPalette());
    }

    void designPageReads()
    {
        QVERIFY(PaletteIsDark());
        TfrmMain window;
        // Values in the fixed colours of the page (the instruction's dark blue, the help link's
        // blue), values in the page's text colour, and placeholders.
        window.InstructionSection->SetEditValue(QStringLiteral("Replace the design on disk?"));
        window.HelpLinkSection->SetEditValue(QStringLiteral("Help on replacing"));
        window.ContentSection->SetEditValue(QStringLiteral("The file was changed by another program."));
        window.FooterSection->SetEditValue(QStringLiteral("Designs are form text."));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage picture = window.grab().toImage();

        QStringList failures;
        int measured = 0;
        auto check = [&](const QString& What, const QWidget* Control, const QRect& Local) {
            if (!Control->isVisible() || Local.isEmpty())
                return;
            QColor text, background;
            const QRect area = Local.translated(Control->mapTo(&window, QPoint(0, 0)));
            const double ratio = MeasuredTextContrast(picture, area, &background, &text);
            ++measured;
            if (ratio < MinimumTextContrast)
                failures << QStringLiteral("%1: %2 on %3 is %4:1")
                                .arg(What, text.name(), background.name())
                                .arg(ratio, 0, 'f', 2);
        };
        for (auto* section : window.findChildren<TVxDCustomSectionControl*>()) {
            if (section->EditType() != etText && section->EditType() != etSingleText)
                continue;
            // Inside the dashed frame, which is no text.
            check(section->objectName(), section, section->rect().adjusted(4, 4, -4, -4));
        }
        for (auto* box : window.findChildren<QCheckBox*>()) {
            QStyleOptionButton option;
            option.initFrom(box);
            check(box->objectName(), box, box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box));
        }
        for (auto* button : window.ToolBar1->findChildren<QToolButton*>()) {
            if (!button->isEnabled() || button->text().isEmpty())
                continue;
            // The caption under the icon.
            const int line = button->fontMetrics().height();
            check(QStringLiteral("tool button '%1'").arg(button->text()), button,
                  QRect(0, button->height() - line - 4, button->width(), line + 4));
        }
        QVERIFY2(measured >= 15, qPrintable(QString::number(measured)));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }

    // The generated code reads on a dark page: keywords, strings, numbers and plain text.
    void codeViewsRead()
    {
        TfrmMain window;
        window.InstructionSection->SetEditValue(QStringLiteral("Replace the design on disk?"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.GenerateActn->trigger();
        for (TCodeView* view : {window.SynEdit1, window.SynEdit2, window.SynEdit3}) {
            window.VxPageScroller1->SetActivePageIndex(view == window.SynEdit1 ? 1 : view == window.SynEdit2 ? 2 : 3);
            QTRY_VERIFY(view->isVisible());
            QVERIFY(!view->text().isEmpty());
            const QImage picture = view->grab().toImage();
            QColor text, background;
            // Line by line: each line's own colours.
            const int line = int(view->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0));
            int lines = 0;
            for (int i = 0; i < qMin(view->lines(), 12) && (i + 1) * line <= picture.height(); ++i) {
                if (view->text(i).trimmed().isEmpty())
                    continue; // nothing to read, at most the caret
                const int top = i * line;
                const double ratio = MeasuredTextContrast(picture, QRect(0, top, picture.width(), line), &background, &text);
                ++lines;
                QVERIFY2(RelativeLuminance(background) < 0.2, qPrintable(background.name()));
                QVERIFY2(ratio >= MinimumTextContrast, qPrintable(QStringLiteral("%1 line %2: %3 on %4 is %5:1")
                                                                      .arg(view->objectName()).arg(top / line)
                                                                      .arg(text.name(), background.name())
                                                                      .arg(ratio, 0, 'f', 2)));
            }
            QVERIFY(lines >= 3);
        }
    }
};

QTEST_MAIN(TestDarkDesigner)
#include "tst_darkdesigner.moc"
