// Sizing and placement of dialogs built without showing their window: a table of designs checked
// against the rules every layout keeps, and a few designs pinned to the formulas with the font
// metrics in use.

#include "../codegen/support/WorkedExample.h"
#include "support/EngineProbe.h"

#include "DrawText.h"
#include "VxCaption.h"
#include "VxCaptionControl.h"
#include "VxCheckBox.h"
#include "VxCollections.h"
#include "VxDefaultFonts.h"
#include "VxOptions.h"
#include "VxTaskDialogForm.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QGroupBox>
#include <QRadioButton>
#include <QtTest>

#include <functional>

namespace {

using Design = std::function<void(TProbeDialog&)>;

QString Words(int Count)
{
    QStringList words;
    for (int i = 0; i < Count; ++i)
        words << QStringLiteral("word%1").arg(i);
    return words.join(QLatin1Char(' '));
}

void AddRadios(TProbeDialog& D, int Count)
{
    D.SetDialogOptions(D.DialogOptions() + doRadioButtons);
    for (int i = 0; i < Count; ++i)
        D.RadioButtons()->Add()->SetCaption(QStringLiteral("Choice number %1").arg(i));
}

void AddCustomButtons(TProbeDialog& D, int Count, bool Info)
{
    for (int i = 0; i < Count; ++i) {
        TVxCustomButtonItem* item = D.CustomButtons()->Add();
        item->SetCaption(QStringLiteral("&Action %1").arg(i));
        if (Info)
            item->Info()->Add(QStringLiteral("What action %1 does, in a sentence.").arg(i));
    }
}

QRect Bounds(const TRect& R)
{
    return R.ToQRect();
}

} // namespace

Q_DECLARE_METATYPE(Design)

class TestDialogLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallDialogEngine(); }

    void invariants_data()
    {
        QTest::addColumn<Design>("design");
        const auto row = [](const char* Name, Design D) { QTest::newRow(Name) << D; };
        row("title only", [](TProbeDialog& D) { D.SetTitle(QStringLiteral("T")); });
        row("instruction only", [](TProbeDialog& D) { D.Instruction()->SetText(QStringLiteral("Main instruction")); });
        row("content only", [](TProbeDialog& D) { D.Content()->Add(Words(60)); });
        row("worked example", [](TProbeDialog& D) {
            D.SetTitle(QStringLiteral("Confirm"));
            D.Instruction()->SetText(QStringLiteral("Save changes?"));
            D.Content()->Add(QStringLiteral("The document has been modified."));
            D.SetMainIcon(tdiWarning);
            D.ButtonBar()->SetButtons({cbYes, cbNo, cbCancel});
        });
        for (int size : {int(isSmall), int(isMedium), int(isLarge)}) {
            const QByteArray name = "header icon size " + QByteArray::number(size);
            QTest::newRow(name.constData()) << Design([size](TProbeDialog& D) {
                D.Header()->SetVisible(true);
                D.Header()->SetText(QStringLiteral("Header <b>text</b>"));
                D.Header()->SetIcon(tdiInformation);
                D.Header()->SetIconSize(TVxIconSize(size));
                D.Instruction()->SetText(QStringLiteral("Instruction"));
            });
        }
        row("header right-aligned icon", [](TProbeDialog& D) {
            D.Header()->SetVisible(true);
            D.Header()->SetText(Words(40));
            D.Header()->SetIcon(tdiShield);
            D.Header()->SetImageAlignment(vxImageAlignRight);
        });
        row("footer with icon", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Body"));
            D.Footer()->SetVisible(true);
            D.Footer()->SetText(Words(30));
            D.Footer()->SetIcon(tdiError);
        });
        row("radio buttons", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Pick one"));
            AddRadios(D, 4);
        });
        row("radio buttons without content", [](TProbeDialog& D) { AddRadios(D, 3); });
        row("radio group with border", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Pick one"));
            D.RadioButton()->SetShowBorder(true);
            D.RadioButton()->SetCaption(QStringLiteral("Choices"));
            D.RadioButton()->SetColumns(2);
            AddRadios(D, 5);
        });
        row("command links without info", [](TProbeDialog& D) {
            D.Instruction()->SetText(QStringLiteral("Choose an action"));
            D.SetDialogOptions(D.DialogOptions() + doCommandLinks);
            AddCustomButtons(D, 3, false);
        });
        row("command links with info", [](TProbeDialog& D) {
            D.Instruction()->SetText(QStringLiteral("Choose an action"));
            D.Content()->Add(QStringLiteral("Some content"));
            D.SetDialogOptions(D.DialogOptions() + doCommandLinks);
            AddCustomButtons(D, 3, true);
        });
        row("custom push buttons", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Body"));
            AddCustomButtons(D, 2, false);
        });
        row("help link", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Body"));
            D.SetDialogOptions(D.DialogOptions() + doShowHelpLink);
            D.HelpLink()->SetText(QStringLiteral("More help"));
        });
        row("progress bar", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Working"));
            D.SetDialogOptions(D.DialogOptions() + doProgressBar);
        });
        row("painted progress bar", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Working"));
            D.SetDialogOptions(D.DialogOptions() + doProgressBar);
            D.Progress()->SetUseNativeProgressBar(false);
            D.Progress()->SetPosition(40);
        });
        row("painted marquee", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Working"));
            D.SetDialogOptions(D.DialogOptions() + doProgressBarMarquee);
            D.Progress()->SetUseNativeProgressBar(false);
        });
        row("long content in a memo", [](TProbeDialog& D) {
            for (int i = 0; i < 8; ++i)
                D.Content()->Add(QStringLiteral("Line <b>%1</b>").arg(i));
            D.SetMaxLines(3);
        });
        row("width property", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Short"));
            D.SetWidth(500);
        });
        row("expanded text in the body", [](TProbeDialog& D) {
            D.Instruction()->SetText(QStringLiteral("Instruction"));
            D.Content()->Add(QStringLiteral("Content"));
            D.Expando()->SetVisible(true);
            D.Expando()->SetShowing(true);
            D.Expando()->SetShowText(QStringLiteral("&More"));
            D.Expando()->SetHideText(QStringLiteral("&Less"));
            D.Expando()->Lines()->Add(Words(50));
        });
        row("expanded text in the footer", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Content"));
            D.Expando()->SetVisible(true);
            D.Expando()->SetShowing(true);
            D.Expando()->SetShowInFooter(true);
            D.Expando()->Lines()->Add(Words(50));
            D.Footer()->SetVisible(true);
            D.Footer()->SetText(QStringLiteral("Footer"));
        });
        row("collapsed toggle and verification", [](TProbeDialog& D) {
            D.Content()->Add(QStringLiteral("Content"));
            D.Expando()->SetVisible(true);
            D.Expando()->SetShowText(QStringLiteral("&More"));
            D.Expando()->Lines()->Add(Words(10));
            D.Verification()->SetVisible(true);
            D.Verification()->SetText(QStringLiteral("&Don't ask again"));
        });
        row("all sections", [](TProbeDialog& D) {
            D.SetTitle(QStringLiteral("Everything"));
            D.Header()->SetVisible(true);
            D.Header()->SetText(QStringLiteral("Header"));
            D.Header()->SetIcon(tdiWarning);
            D.Instruction()->SetText(QStringLiteral("Instruction text"));
            D.Content()->Add(Words(30));
            D.SetMainIcon(tdiConfirmation);
            D.SetDialogOptions(D.DialogOptions() + doShowHelpLink + doProgressBar);
            D.HelpLink()->SetText(QStringLiteral("Help"));
            AddRadios(D, 2);
            AddCustomButtons(D, 1, false);
            D.Footer()->SetVisible(true);
            D.Footer()->SetText(QStringLiteral("Footer"));
            D.Footer()->SetIcon(tdiInformation);
            D.ButtonBar()->SetButtons({cbOK, cbCancel, cbHelp, cbClose});
        });
        row("instruction band at the top with a main icon", [](TProbeDialog& D) {
            D.SetMainIcon(tdiError);
            D.Instruction()->SetText(QStringLiteral("Instruction at the top"));
            D.Instruction()->SetShowAtTop(true);
            D.Instruction()->SetColor(0x00F0E0D0);
            D.Content()->Add(QStringLiteral("One line"));
        });
        // Measured at the width the content gets beside the icon, which is narrower right to left.
        for (int width : {433, 420, 450}) {
            const QByteArray name = "right to left content beside an icon, width " + QByteArray::number(width);
            QTest::newRow(name.constData()) << Design([width](TProbeDialog& D) {
                D.SetBiDiMode(bdRightToLeft);
                D.SetMainIcon(tdiWarning);
                D.SetWidth(width);
                D.Instruction()->SetText(QStringLiteral("Save changes?"));
                D.Content()->Add(QStringLiteral("The document has been modified since it was last saved."));
            });
        }
        row("right to left", [](TProbeDialog& D) {
            D.SetBiDiMode(bdRightToLeft);
            D.SetMainIcon(tdiInformation);
            D.Instruction()->SetText(QStringLiteral("Instruction"));
            D.Content()->Add(Words(20));
            D.Footer()->SetVisible(true);
            D.Footer()->SetText(QStringLiteral("Footer"));
        });
    }

    void invariants()
    {
        QFETCH(Design, design);
        TProbeDialog dialog;
        design(dialog);
        TVxDialogEngine* engine = dialog.Engine();
        QWidget* window = engine->BuildHidden();
        QVERIFY(window);
        const QRect client(0, 0, dialog.ClientWidth(), dialog.ClientHeight());
        QCOMPARE(window->size(), client.size());

        // Sections present, from top to bottom in the order of the rules.
        const QList<TVxDialogSection> order{secHeader,        secInstruction, secContent,  secExpandedText,
                                            secProgressBar,   secRadioButtons, secHelpLink, secButtonBar,
                                            secFooter,        secFooterExpanded};
        // The expanded information's sections only take space while it is expanded.
        QWidget* toggle = engine->ShowMoreButton();
        const bool expanded = toggle && toggle->property("Expanded").toBool();
        int previousBottom = 0;
        QString previousName;
        for (TVxDialogSection section : order) {
            if (!expanded && (section == secExpandedText || section == secFooterExpanded))
                continue;
            if (section == secRadioButtons && !(dialog.DialogOptions().Contains(doRadioButtons) &&
                                                dialog.RadioButtons()->Count() > 0))
                continue;
            const QRect r = Bounds(engine->GetSectionRect(section));
            if (r.height() <= 0)
                continue;
            const QString name = QString::number(int(section));
            QVERIFY2(client.contains(r), qPrintable(QStringLiteral("section %1 leaves the client area").arg(name)));
            QVERIFY2(r.top() >= previousBottom,
                     qPrintable(QStringLiteral("section %1 overlaps section %2").arg(name, previousName)));
            previousBottom = r.top() + r.height();
            previousName = name;
        }

        // Controls lie inside the client area and inside their section; a caption is never
        // taller than its control.
        const auto inSection = [&](QWidget* Control, TVxDialogSection Section) {
            if (!Control || Control->isHidden())
                return;
            const QRect g = Control->geometry();
            QVERIFY2(client.contains(g), qPrintable(Control->objectName() + QStringLiteral(" leaves the client area")));
            const QRect r = Bounds(engine->GetSectionRect(Section));
            QVERIFY2(r.contains(g), qPrintable(Control->objectName() + QStringLiteral(" leaves its section")));
        };
        // An instruction shown at the top without a glyph spans its band.
        const bool band = dialog.Instruction()->ShowAtTop() && !dialog.Instruction()->GlyphAvailable();
        inSection(engine->InstructionLabel(), band ? secInstructionBand : secInstruction);
        inSection(engine->ContentLabel(), secContent);
        inSection(engine->ContentMemo(), secContent);
        inSection(engine->FooterLabel(), secFooter);
        inSection(engine->ShowMoreButton(), secButtonBar);
        inSection(engine->VerificationCheckBox(), secButtonBar);
        if (expanded)
            inSection(engine->MoreLinesLabel(), dialog.Expando()->ShowInFooter() ? secFooterExpanded : secExpandedText);
        inSection(engine->ProgressBar(), secProgressBar);
        inSection(engine->RadioGroup(), secRadioButtons);
        for (QWidget* radio : engine->CreatedRadioButtons())
            inSection(radio, secRadioButtons);
        const bool links = dialog.DialogOptions().Contains(doCommandLinks);
        for (QWidget* button : engine->CreatedButtonBarButtons())
            inSection(button, secButtonBar);
        int linksBottom = 0;
        for (QWidget* button : engine->CreatedCustomButtons()) {
            if (links) {
                QVERIFY(client.contains(button->geometry()));
                QVERIFY(button->y() >= linksBottom);
                linksBottom = button->geometry().bottom() + 1;
            } else {
                inSection(button, secButtonBar);
            }
        }
        if (links)
            QVERIFY(linksBottom <= engine->GetSectionRect(secButtonBar).Top);
        if (QWidget* help = engine->HelpLinkLabel())
            QVERIFY(client.contains(help->geometry()));
        const QList<std::pair<QWidget*, QString>> captions{{engine->InstructionLabel(), dialog.Instruction()->Text()},
                                                           {engine->ContentLabel(), dialog.Content()->Text()},
                                                           {engine->FooterLabel(), dialog.Footer()->Text()},
                                                           {engine->MoreLinesLabel(), dialog.Expando()->Lines()->Text().trimmed()}};
        for (const auto& [w, text] : captions) {
            auto* caption = qobject_cast<TVxCaptionControl*>(w);
            if (!caption || caption->isHidden())
                continue;
            const int needed = TVxCaption::MinimumHeight(nullptr, text, caption->Font(), caption->width());
            QVERIFY2(needed <= caption->height(), qPrintable(caption->objectName() + QStringLiteral(" is clipped")));
        }

        // The main icon is covered by no text control and stays above the button bar.
        const QRect icon = Bounds(engine->GetSectionRect(secMainIcon));
        if (icon.isValid()) {
            QVERIFY(client.contains(icon));
            for (QWidget* w : {engine->InstructionLabel(), engine->ContentLabel()})
                if (w && !w->isHidden())
                    QVERIFY2(!w->geometry().intersects(icon), qPrintable(w->objectName() + QStringLiteral(" covers the icon")));
            QVERIFY(icon.bottom() < engine->GetSectionRect(secButtonBar).Top);
        }

        // Common buttons stand right-aligned (left-aligned when reading right to left), equally
        // spaced, in list order.
        const QList<QWidget*> buttons = engine->CreatedButtonBarButtons();
        if (!buttons.isEmpty()) {
            const bool rtl = dialog.BiDiMode() != bdLeftToRight;
            if (rtl)
                QCOMPARE(buttons.last()->x(), dialog.LeftMargin());
            else
                QCOMPARE(buttons.last()->geometry().right() + 1, client.width() - 2 * dialog.ButtonSpacing() - 2);
            for (int i = 0; i + 1 < buttons.size(); ++i) {
                const QRect a = buttons.at(i)->geometry();
                const QRect b = buttons.at(i + 1)->geometry();
                if (rtl)
                    QCOMPARE(a.left(), b.right() + 1 + dialog.ButtonSpacing() + 2);
                else
                    QCOMPARE(b.left(), a.right() + 1 + dialog.ButtonSpacing() + 2);
            }
        }
        engine->DestroyHiddenWindow();
    }

    // Right to left the header band is mirrored: its text runs from the right edge.
    void rightToLeftHeader_data()
    {
        QTest::addColumn<bool>("rightToLeft");
        QTest::newRow("left to right") << false;
        QTest::newRow("right to left") << true;
    }

    void rightToLeftHeader()
    {
        QFETCH(bool, rightToLeft);
        TProbeDialog dialog;
        dialog.SetBiDiMode(rightToLeft ? bdRightToLeft : bdLeftToRight);
        dialog.Header()->SetVisible(true);
        dialog.Header()->SetText(QStringLiteral("Header"));
        dialog.Header()->SetColor(0x00FFFFFF);
        dialog.Header()->Font()->SetColor(0);
        TVxDialogEngine* engine = dialog.Engine();
        QWidget* window = engine->BuildHidden();
        QImage image(window->size(), QImage::Format_ARGB32);
        {
            QPainter painter(&image);
            engine->PaintDialog(painter);
        }
        const QRect band = engine->GetSectionRect(secHeader).ToQRect();
        int left = image.width(), right = -1;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                if (QColor(image.pixel(x, y)).lightness() < 128) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
        QVERIFY(right >= 0);
        if (rightToLeft)
            QVERIFY2(left > band.width() / 2, qPrintable(QString::number(left)));
        else
            QVERIFY2(right < band.width() / 2, qPrintable(QString::number(right)));
        engine->DestroyHiddenWindow();
    }

    // The header and footer icons are hit where they are drawn: at the side they are aligned to,
    // the header mirrored right to left, the footer's icon at the right then.
    void iconHitWhereDrawn_data()
    {
        QTest::addColumn<bool>("footer");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<bool>("alignRight");
        QTest::addColumn<bool>("drawnRight");
        QTest::newRow("header, left to right, icon left") << false << false << false << false;
        QTest::newRow("header, left to right, icon right") << false << false << true << true;
        QTest::newRow("header, right to left, icon left") << false << true << false << true;
        QTest::newRow("header, right to left, icon right") << false << true << true << false;
        QTest::newRow("footer, left to right, icon left") << true << false << false << false;
        QTest::newRow("footer, left to right, icon right") << true << false << true << true;
        QTest::newRow("footer, right to left, icon left") << true << true << false << true;
        QTest::newRow("footer, right to left, icon right") << true << true << true << true;
    }

    void iconHitWhereDrawn()
    {
        QFETCH(bool, footer);
        QFETCH(bool, rightToLeft);
        QFETCH(bool, alignRight);
        QFETCH(bool, drawnRight);
        TProbeDialog dialog;
        dialog.SetBiDiMode(rightToLeft ? bdRightToLeft : bdLeftToRight);
        const TVxImageAlignment alignment = alignRight ? vxImageAlignRight : vxImageAlignLeft;
        if (footer) {
            dialog.Footer()->SetVisible(true);
            dialog.Footer()->SetText(QStringLiteral("Footer"));
            dialog.Footer()->SetColor(0x00FFFFFF);
            dialog.Footer()->Font()->SetColor(0x00FFFFFF); // only the icon shows
            dialog.Footer()->SetIcon(tdiInformation);
            dialog.Footer()->SetImageAlignment(alignment);
        } else {
            dialog.Header()->SetVisible(true);
            dialog.Header()->SetText(QStringLiteral("Header"));
            dialog.Header()->SetColor(0x00FFFFFF);
            dialog.Header()->Font()->SetColor(0x00FFFFFF);
            dialog.Header()->SetIcon(tdiInformation);
            dialog.Header()->SetImageAlignment(alignment);
        }
        TVxDialogEngine* engine = dialog.Engine();
        QWidget* window = engine->BuildHidden();
        QImage image(window->size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            engine->PaintDialog(painter);
        }
        // The band without its divider line: what differs from the band's own colour is the icon.
        QRect band = engine->GetSectionRect(footer ? secFooter : secHeader).ToQRect();
        if (footer)
            band.setTop(band.top() + 2);
        const QRgb plain = image.pixel(band.center().x(), band.bottom());
        QRect drawn;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                if (image.pixel(x, y) != plain)
                    drawn |= QRect(x, y, 1, 1);
        QVERIFY(!drawn.isEmpty());
        QCOMPARE(drawn.center().x() > band.center().x(), drawnRight);
        const TVxDialogHitTest image_ = footer ? htFooterImage : htHeaderImage;
        const TVxDialogHitTest plainPart = footer ? htFooter : htHeader;
        QCOMPARE(engine->HitTest(drawn.center()), image_);
        // The same place on the other side of the band is the plain band.
        const QPoint mirrored(band.left() + band.right() - drawn.center().x(), drawn.center().y());
        QCOMPARE(engine->HitTest(mirrored), plainPart);
        engine->DestroyHiddenWindow();
    }

    // A long radio caption widens the dialog, so it is shown whole, in a button or in a group.
    void radioCaptionsShowWhole_data()
    {
        QTest::addColumn<bool>("border");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("groupCaption");
        QTest::addColumn<int>("items");
        const QString longCaption = QStringLiteral("HTML page, with images stored in a separate folder next to it");
        const QString shorter = QStringLiteral("HTML page, with its images in a folder");
        QTest::newRow("radio buttons") << false << 1 << longCaption << QString() << 2;
        QTest::newRow("radio group") << true << 1 << longCaption << QString() << 2;
        QTest::newRow("radio group in two columns") << true << 2 << shorter << QString() << 2;
        // The group's caption takes a line inside its frame; one item in two columns is still a row.
        QTest::newRow("radio group with a caption") << true << 1 << shorter << QStringLiteral("Save as") << 3;
        QTest::newRow("captioned group in two columns") << true << 2 << shorter << QStringLiteral("Save as") << 2;
        QTest::newRow("one item in two columns") << true << 2 << shorter << QStringLiteral("Save as") << 1;
    }

    void radioCaptionsShowWhole()
    {
        QFETCH(bool, border);
        QFETCH(int, columns);
        QFETCH(QString, caption);
        QFETCH(QString, groupCaption);
        QFETCH(int, items);
        TProbeDialog dialog;
        dialog.Content()->Add(QStringLiteral("Save the page as:"));
        dialog.SetDialogOptions(dialog.DialogOptions() + doRadioButtons);
        dialog.RadioButton()->SetShowBorder(border);
        dialog.RadioButton()->SetColumns(columns);
        dialog.RadioButton()->SetCaption(groupCaption);
        dialog.RadioButtons()->Add()->SetCaption(caption);
        for (int i = 1; i < items; ++i)
            dialog.RadioButtons()->Add()->SetCaption(QStringLiteral("Text only %1").arg(i));
        TVxDialogEngine* engine = dialog.Engine();
        QWidget* window = engine->BuildHidden();
        // Grabbing delivers the resize events a hidden window holds back (the group arranges its
        // buttons on resizing), as showing would.
        window->grab();
        QList<QRadioButton*> buttons = window->findChildren<QRadioButton*>();
        QCOMPARE(buttons.size(), items);
        for (QRadioButton* button : buttons) {
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
            const QRect inWindow(button->mapTo(window, QPoint(0, 0)), button->size());
            QVERIFY2(window->rect().contains(inWindow), qPrintable(button->text()));
            // Its line of text inside the group's frame, below its caption, clear of the other
            // buttons' lines (a button's own margins may reach past them).
            const int line = button->fontMetrics().height();
            const int middle = button->geometry().center().y();
            if (auto* group = qobject_cast<QGroupBox*>(button->parentWidget())) {
                const QRect inner = group->contentsRect();
                QVERIFY2(middle - line / 2 >= inner.top() - 1 && middle + line / 2 <= inner.bottom() + 1,
                         qPrintable(QStringLiteral("%1: line %2..%3 in %4..%5")
                                        .arg(button->text()).arg(middle - line / 2).arg(middle + line / 2)
                                        .arg(inner.top()).arg(inner.bottom())));
            }
            for (QRadioButton* other : buttons)
                if (other != button && other->x() == button->x())
                    QVERIFY2(qAbs(other->geometry().center().y() - middle) >= line,
                             qPrintable(button->text() + QStringLiteral(" and ") + other->text()));
        }
        engine->DestroyHiddenWindow();
    }

    void controlClasses_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("name");
        const auto progress = [](bool Native, bool Marquee) {
            return Design([Native, Marquee](TProbeDialog& D) {
                D.SetDialogOptions(D.DialogOptions() + (Marquee ? doProgressBarMarquee : doProgressBar));
                D.Progress()->SetUseNativeProgressBar(Native);
            });
        };
        QTest::newRow("native progress") << progress(true, false) << int(ctProgressBar) << 0 << "TProgressBar"
                                         << "VxDialogProgressControl";
        QTest::newRow("painted progress") << progress(false, false) << int(ctProgressBar) << 0 << "TVxProgressBarEx"
                                          << "VxDialogProgressControl";
        QTest::newRow("painted marquee") << progress(false, true) << int(ctProgressBar) << 0 << "TVxProgressBar"
                                         << "VxDialogProgressControl";
        QTest::newRow("command link") << Design([](TProbeDialog& D) {
            D.SetDialogOptions(D.DialogOptions() + doCommandLinks);
            AddCustomButtons(D, 1, true);
        }) << int(ctCommandLink) << 100 << "TVxCommandLinkButton" << QString();
        QTest::newRow("custom push button") << Design([](TProbeDialog& D) { AddCustomButtons(D, 1, false); })
                                            << int(ctCommandLink) << 100 << "TButton" << QString();
        QTest::newRow("verification") << Design([](TProbeDialog& D) {
            D.Verification()->SetVisible(true);
            D.Verification()->SetText(QStringLiteral("Check"));
        }) << int(ctCheckBox) << 0 << "TVxCheckBox" << "VxDialogVerificationControl";
        QTest::newRow("toggle") << Design([](TProbeDialog& D) { D.Expando()->SetVisible(true); }) << int(ctMoreButton) << 0
                                << "TVxMoreLabel" << "VxDialogExpandoControl";
        QTest::newRow("help link") << Design([](TProbeDialog& D) {
            D.SetDialogOptions(D.DialogOptions() + doShowHelpLink);
            D.HelpLink()->SetText(QStringLiteral("Help"));
        }) << int(ctLinkLabel) << 0 << "TVxCaptionControl" << "VxDialogHelpLinkControl";
        QTest::newRow("footer") << Design([](TProbeDialog& D) {
            D.Footer()->SetVisible(true);
            D.Footer()->SetText(QStringLiteral("Footer"));
        }) << int(ctURLLabel) << 0 << "TVxCaptionControl" << "VxDialogFooterControl";
        QTest::newRow("radio button") << Design([](TProbeDialog& D) { AddRadios(D, 2); }) << int(ctRadioButton) << 201
                                      << "TRadioButton" << "rb201";
        QTest::newRow("radio group") << Design([](TProbeDialog& D) {
            D.RadioButton()->SetShowBorder(true);
            AddRadios(D, 2);
        }) << int(ctRadioGroup) << 0 << "TRadioGroup" << "VxDialogRadioGroupControl";
        QTest::newRow("OK button") << Design([](TProbeDialog&) {}) << int(ctButton) << int(mrOk) << "TButton" << "bOK";
    }

    void controlClasses()
    {
        QFETCH(Design, design);
        QFETCH(int, type);
        QFETCH(int, value);
        QFETCH(QString, className);
        QFETCH(QString, name);
        TProbeDialog dialog;
        design(dialog);
        dialog.Engine()->BuildHidden();
        QObject* control = dialog.GetControl(TControlType(type), value);
        QVERIFY(control);
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
        if (!name.isEmpty())
            QCOMPARE(control->objectName(), name);
        QCOMPARE(static_cast<QWidget*>(control)->window(), WindowOf(&dialog));
        dialog.Engine()->DestroyHiddenWindow();
        QVERIFY(!dialog.GetControl(TControlType(type), value));
    }

    void clientChoosesControlClass()
    {
        TProbeDialog dialog;
        QList<int> asked;
        // A handler that leaves the class empty gets the built-in one.
        dialog.OnGetControlClass = TGetControlClassEvent([&](TObject*, TControlType Type, TControlClass& Class) {
            asked.append(int(Type));
            Class = nullptr;
        });
        int initialised = 0;
        dialog.OnInitControl = TInitControlEvent([&](TObject*, TControlType Type, TControl*, TCollectionItem*, bool& Handled) {
            ++initialised;
            Handled = Type == ctButton;
        });
        dialog.Engine()->BuildHidden();
        QCOMPARE(asked, (QList<int>{ctButton, ctButton}));
        QCOMPARE(initialised, 2);
        // Handled set-up still gets the engine's tag, size and click handler.
        auto* ok = qobject_cast<QWidget*>(dialog.GetControl(ctButton, mrOk));
        QVERIFY(ok);
        QCOMPARE(QString::fromLatin1(ok->metaObject()->className()), QStringLiteral("TButton"));
        QVERIFY(ok->width() > 0);
        dialog.Engine()->DestroyHiddenWindow();
    }

    void titleOnly()
    {
        TProbeDialog dialog;
        dialog.SetTitle(QStringLiteral("T"));
        dialog.ButtonBar()->SetButtons({});
        dialog.Engine()->BuildHidden();
        QCOMPARE(dialog.LeftMargin(), Scaled(10));
        QCOMPARE(dialog.ClientWidth(), 360);
        QCOMPARE(dialog.ClientHeight(), 93);
        dialog.Engine()->DestroyHiddenWindow();
    }

    void warningIconMargin()
    {
        TProbeDialog dialog;
        dialog.SetMainIcon(tdiWarning);
        dialog.Instruction()->SetText(QStringLiteral("Instruction"));
        dialog.Content()->Add(QStringLiteral("Content"));
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        QCOMPARE(dialog.LeftMargin(), Scaled(dialog.HorzSpacing() + 44));
        const TRect icon = engine->GetSectionRect(secMainIcon);
        QCOMPARE(icon.Left, Scaled(10));
        QCOMPARE(icon.Top, Scaled(10));
        QCOMPARE(icon.Width(), Scaled(32));
        engine->DestroyHiddenWindow();
        // The run's stock picture does not stay in the model.
        QVERIFY(dialog.Glyph()->Empty());
    }

    void workedExampleHeight()
    {
        // Instruction band, content, button bar: the height follows the section formulas.
        std::unique_ptr<TVxDialog> source(WorkedExample(nullptr, QStringLiteral("VxDialog1")));
        TProbeDialog dialog;
        dialog.Assign(source.get());
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        const int width = dialog.ClientWidth();
        const int instructionHeight = TVxCaption::MinimumHeight(nullptr, QStringLiteral("Save changes?"),
                                                                *dialog.Instruction()->Font(),
                                                                width - dialog.RightMargin() - dialog.LeftMargin());
        const int contentTop = Scaled(10) + instructionHeight + dialog.VertMargin() + Scaled(7);
        const TRect content = engine->GetSectionRect(secContent);
        QCOMPARE(content.Top, contentTop);
        const int contentHeight = TVxCaption::MinimumHeight(nullptr, QStringLiteral("The document has been modified.\r\n"),
                                                            *dialog.Font(), width - dialog.RightMargin() - dialog.LeftMargin());
        QCOMPARE(content.Height(), contentHeight);
        QCOMPARE(dialog.ClientHeight(), content.Bottom + Scaled(9) + dialog.ButtonBarHeight());
        const TRect bar = engine->GetSectionRect(secButtonBar);
        QCOMPARE(bar.Bottom, dialog.ClientHeight());
        engine->DestroyHiddenWindow();
    }

    void widthProperty()
    {
        TProbeDialog dialog;
        dialog.Content()->Add(QStringLiteral("Short"));
        dialog.SetWidth(500);
        dialog.Engine()->BuildHidden();
        QCOMPARE(dialog.ClientWidth(), 500);
        dialog.Engine()->DestroyHiddenWindow();
        // Never narrower than the button row.
        dialog.SetWidth(100);
        dialog.ButtonBar()->SetButtons({cbYes, cbNo, cbCancel, cbRetry, cbIgnore});
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        int row = 2 * dialog.HorzSpacing();
        for (QWidget* b : engine->CreatedButtonBarButtons())
            row += b->width() + dialog.HorzSpacing();
        QCOMPARE(dialog.ClientWidth(), row);
        engine->DestroyHiddenWindow();
    }

    void commonButtonsShareWidth()
    {
        TProbeDialog dialog;
        dialog.ButtonBar()->SetButtons({cbOK, cbCancel});
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        const QList<QWidget*> buttons = engine->CreatedButtonBarButtons();
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons.at(0)->objectName(), QStringLiteral("bOK"));
        QCOMPARE(buttons.at(1)->objectName(), QStringLiteral("bCancel"));
        QCOMPARE(buttons.at(0)->width(), buttons.at(1)->width());
        // The default button is the focused one.
        QCOMPARE(dialog.GetControl(ctButton, mrOk), buttons.at(0));
        // Right-aligned: Cancel ends 2 x button spacing + 2 before the edge, OK before it.
        const int w = buttons.at(1)->width();
        QCOMPARE(buttons.at(1)->x(), dialog.ClientWidth() - w - 2 * dialog.ButtonSpacing() - 2);
        QCOMPARE(buttons.at(0)->x(), buttons.at(1)->x() - w - dialog.ButtonSpacing() - 2);
        QCOMPARE(dialog.FirstButtonLeftPos(), buttons.at(0)->x() + dialog.ButtonSpacing());
        engine->DestroyHiddenWindow();

        // Close stands before Help.
        dialog.ButtonBar()->SetButtons({cbOK, cbHelp, cbClose});
        engine->BuildHidden();
        QStringList names;
        for (QWidget* b : engine->CreatedButtonBarButtons())
            names << b->objectName();
        QCOMPARE(names, (QStringList{"bOK", "bClose", "bHelp"}));
        engine->DestroyHiddenWindow();
    }

    void customPushButtonBesideCommonButtons()
    {
        TProbeDialog dialog;
        dialog.ButtonBar()->SetButtons({cbOK, cbCancel});
        AddCustomButtons(dialog, 1, false);
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        QWidget* custom = engine->CreatedCustomButtons().first();
        QCOMPARE(custom->x(), dialog.FirstButtonLeftPos() - 2 * dialog.ButtonSpacing() - custom->width() - 2);
        engine->DestroyHiddenWindow();
    }

    void radioRows_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("nine in two columns") << 9 << 2 << 4;
        QTest::newRow("three in two columns") << 3 << 2 << 2;
        QTest::newRow("four in one column") << 4 << 1 << 4;
    }

    void radioRows()
    {
        QFETCH(int, items);
        QFETCH(int, columns);
        QFETCH(int, rows);
        TProbeDialog dialog;
        dialog.Content()->Add(QStringLiteral("Pick"));
        dialog.RadioButton()->SetShowBorder(true);
        dialog.RadioButton()->SetColumns(columns);
        AddRadios(dialog, items);
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        const int t = engine->FontTextHeight(*dialog.Font());
        const int n = items;
        const int expected = rows * (t + Scaled(1)) + rows * 4 + dialog.VertMargin() + Scaled(6) * (n - 1) + Scaled(5) +
                             3 * (n - 1);
        QCOMPARE(engine->GetSectionRect(secRadioButtons).Height(), expected);
        engine->DestroyHiddenWindow();
    }

    void headerHeightFollowsLargeIcon()
    {
        TProbeDialog dialog;
        dialog.Header()->SetVisible(true);
        dialog.Header()->SetText(QStringLiteral("One line"));
        dialog.Header()->SetIcon(tdiWarning);
        dialog.Header()->SetIconSize(isLarge);
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        const int text = TVxCaption::MinimumHeight(nullptr, QStringLiteral("One line"), *dialog.Header()->Font(),
                                                   dialog.ClientWidth() - Scaled(32) - 2 * dialog.HorzSpacing());
        QCOMPARE(engine->GetSectionRect(secHeader).Height(),
                 qMax(Scaled(32) + 2 * dialog.VertSpacing(), text + 2 * dialog.VertSpacing()));
        engine->DestroyHiddenWindow();
    }

    void rightToLeft()
    {
        TProbeDialog dialog;
        dialog.SetBiDiMode(bdRightToLeft);
        dialog.SetMainIcon(tdiError);
        dialog.Instruction()->SetText(QStringLiteral("Instruction"));
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        QCOMPARE(dialog.RightMargin(), Scaled(10) + dialog.HorzSpacing() + 32);
        const TRect icon = engine->GetSectionRect(secMainIcon);
        QCOMPARE(icon.Right, dialog.ClientWidth() - Scaled(10));
        engine->DestroyHiddenWindow();
    }

    void longContentBecomesMemo()
    {
        TProbeDialog dialog;
        for (int i = 0; i < 5; ++i)
            dialog.Content()->Add(QStringLiteral("<b>Line</b> %1").arg(i));
        dialog.SetMaxLines(3);
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        auto* memo = qobject_cast<QPlainTextEdit*>(engine->ContentMemo());
        QVERIFY(memo);
        QVERIFY(!engine->ContentLabel());
        QVERIFY(memo->isReadOnly());
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("Line 0")));
        QCOMPARE(dialog.GetControl(ctMaxLines, 0), memo);
        engine->DestroyHiddenWindow();

        dialog.Content()->Clear();
        for (int i = 0; i < 3; ++i)
            dialog.Content()->Add(QStringLiteral("Line %1").arg(i));
        engine->BuildHidden();
        QVERIFY(!engine->ContentMemo());
        QVERIFY(engine->ContentLabel());
        engine->DestroyHiddenWindow();
    }

    void contentChangeRelayoutsShowingWindow()
    {
        TProbeDialog dialog;
        dialog.SetDialogOptions(TDialogOptions{});
        dialog.Content()->Add(QStringLiteral("One line"));
        QCOMPARE(dialog.Execute(nullptr), -1);
        const int before = dialog.ClientHeight();
        dialog.Content()->Add(Words(80));
        QVERIFY(dialog.ClientHeight() > before);
        QCOMPARE(WindowOf(&dialog)->height(), dialog.ClientHeight());
        dialog.Close(mrOk);
    }

    void optionChangeRebuildsButtons()
    {
        TProbeDialog dialog;
        dialog.SetDialogOptions(TDialogOptions{});
        AddCustomButtons(dialog, 2, true);
        dialog.Verification()->SetVisible(true);
        dialog.Verification()->SetText(QStringLiteral("Remember"));
        QCOMPARE(dialog.Execute(nullptr), -1);
        TVxDialogEngine* engine = dialog.Engine();
        QCOMPARE(QString::fromLatin1(engine->CreatedCustomButtons().first()->metaObject()->className()),
                 QStringLiteral("TButton"));
        // The box's state survives the rebuild as the initial state.
        qobject_cast<TVxCheckBox*>(engine->VerificationCheckBox())->SetChecked(true);
        dialog.SetDialogOptions(TDialogOptions{doCommandLinks});
        QCOMPARE(engine->CreatedCustomButtons().size(), 2);
        QCOMPARE(QString::fromLatin1(engine->CreatedCustomButtons().first()->metaObject()->className()),
                 QStringLiteral("TVxCommandLinkButton"));
        QVERIFY(dialog.Verification()->InitialState());
        QVERIFY(dialog.VerificationResult());
        dialog.Close(mrCancel);
        QVERIFY(!dialog.Form());
    }

    void hitTest()
    {
        TProbeDialog dialog;
        dialog.Header()->SetVisible(true);
        dialog.Header()->SetText(QStringLiteral("Header"));
        dialog.Header()->SetIcon(tdiWarning);
        dialog.SetMainIcon(tdiInformation);
        dialog.Instruction()->SetText(QStringLiteral("Instruction"));
        dialog.Content()->Add(QStringLiteral("Content"));
        dialog.Footer()->SetVisible(true);
        dialog.Footer()->SetText(QStringLiteral("Footer"));
        TVxDialogEngine* engine = dialog.Engine();
        engine->BuildHidden();
        const TRect header = engine->GetSectionRect(secHeader);
        QCOMPARE(engine->HitTest(QPoint(dialog.HorzSpacing() + 2, header.Top + 2)), htHeaderImage);
        QCOMPARE(engine->HitTest(QPoint(header.Right - 5, header.Top + 2)), htHeader);
        const TRect icon = engine->GetSectionRect(secMainIcon);
        QCOMPARE(engine->HitTest(QPoint(icon.Left + 1, icon.Top + 1)), htMainIcon);
        const TRect content = engine->GetSectionRect(secContent);
        QCOMPARE(engine->HitTest(QPoint(content.Left + 1, content.Top + 1)), htContent);
        const TRect bar = engine->GetSectionRect(secButtonBar);
        QCOMPARE(engine->HitTest(QPoint(bar.Left + 1, bar.Top + 1)), htButtonBar);
        const TRect footer = engine->GetSectionRect(secFooter);
        QCOMPARE(engine->HitTest(QPoint(footer.Right - 2, footer.Bottom - 2)), htFooter);
        engine->DestroyHiddenWindow();
    }
};

QTEST_MAIN(TestDialogLayout)
#include "tst_dialoglayout.moc"
