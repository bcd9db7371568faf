#include "DesignValues.h"
#include "ItemsPanel.h"
#include "LivePreview.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "VxDialogRender.h"
#include "VxPageScroller.h"
#include "frmMain.h"

#include "support/ModalHelper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolTip>
#include <QUndoStack>
#include <QtTest>

namespace {
// The dialog's client area inside the picture: below the title strip, inside the one-pixel frame.
QImage ClientPart(const TLivePreview& P)
{
    const QImage picture = P.Picture();
    const QRect title = P.SectionRect(TLiveSection::Title);
    const double scale = picture.devicePixelRatio();
    const QRect client(1, title.bottom() + 1, title.width(), picture.height() / scale - title.bottom() - 2);
    QImage part = picture.copy(QRect(client.topLeft() * scale, client.size() * scale));
    part.setDevicePixelRatio(1);
    return part.convertToFormat(QImage::Format_ARGB32);
}

double Lightness(const QImage& Image)
{
    double sum = 0;
    for (int y = 0; y < Image.height(); y += 2)
        for (int x = 0; x < Image.width(); x += 2)
            sum += qGray(Image.pixel(x, y));
    return sum / ((Image.width() + 1) / 2 * ((Image.height() + 1) / 2));
}

// What a pane given Values from scratch draws: the live pane must draw the same.
QImage DrawnFrom(const TLivePreview& Pane, const TDesignValues& Values)
{
    TLivePreview fresh;
    fresh.resize(Pane.size());
    fresh.SetLook(Pane.Look());
    std::unique_ptr<TVxDialog> base(CreateDesignDialog(nullptr));
    fresh.SetDesign(base.get(), Values);
    fresh.UpdateNow();
    return ClientPart(fresh);
}

QPoint LabelPoint(const TLivePreview* P, const QPoint& PicturePoint)
{
    const double toLabel = P->Look().Scale / P->PictureWidget()->devicePixelRatioF();
    return (QPointF(PicturePoint) * toLabel).toPoint();
}

void ClickPicture(TLivePreview* P, const QPoint& PicturePoint)
{
    QTest::mouseClick(P->PictureWidget(), Qt::LeftButton, {}, LabelPoint(P, PicturePoint));
}

// A point of an item that no other part covers: the group box of the radio buttons is picked
// along its top, where its caption stands over the buttons.
QPoint ItemPoint(const TLivePreview* P, TLiveItem Kind, int Index)
{
    const QRect rect = P->ItemRect(Kind, Index);
    return Kind == TLiveItem::RadioGroup ? QPoint(rect.center().x(), rect.top() + 2) : rect.center();
}

// Two command links, two radio buttons (in a captioned group box with Border), the progress
// bar and the verification box beside the page's OK and Cancel.
void AddItems(const std::unique_ptr<TfrmMain>& W, bool Border = false)
{
    TDesignItems items = W->Items();
    for (const char* caption : {"&Install now", "Install &later"}) {
        TDesignCustomButton button;
        button.Caption = QLatin1String(caption);
        button.Info = {QStringLiteral("A note")};
        items.Buttons.append(button);
    }
    for (const char* caption : {"Me", "Everyone"}) {
        TDesignRadioButton radio;
        radio.Caption = QLatin1String(caption);
        items.Radios.append(radio);
    }
    items.ProgressPosition = 40;
    items.RadioBorder = Border;
    if (Border)
        items.RadioGroupCaption = QStringLiteral("Who");
    W->SetItems(items, QStringLiteral("Add Items"));
    W->cbdoCommandLinks->setChecked(true);
    W->cbdoRadioButtons->setChecked(true);
    W->cbdoProgressBar->setChecked(true);
    // A cancelled question keeps the verification box checked with its caption.
    WhenModalShows([](QWidget* Modal) { Modal->close(); });
    QTest::mouseClick(W->VerificationCheckBox, Qt::LeftButton);
    QVERIFY(W->VerificationCheckBox->isChecked());
    QTRY_VERIFY(!W->LivePreview->UpdatePending());
    W->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(W.get()));
}
} // namespace

class tst_livepreview : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsDialogAsItRuns();
    void pageChangeRedrawsPicture_data();
    void pageChangeRedrawsPicture();
    void lookSwitches_data();
    void lookSwitches();
    void clickStartsEditingSection_data();
    void clickStartsEditingSection();
    void largeDesignShowsPlaceholder_data();
    void largeDesignShowsPlaceholder();
    void typingShowsAtOnceAndStepsOnce_data();
    void typingShowsAtOnceAndStepsOnce();
    void escapeGivesUpItemText_data();
    void escapeGivesUpItemText();
    void itemRegions_data();
    void itemRegions();
    void clickPicksItem_data();
    void clickPicksItem();
    void cursorAndTipTellWhatAClickEdits();

private:
    std::unique_ptr<TfrmMain> W;
};

void tst_livepreview::init()
{
    W = std::make_unique<TfrmMain>();
    W->show();
    QVERIFY(QTest::qWaitForWindowExposed(W.get()));
    QVERIFY(W->LivePreviewDock->isVisible());
    // The pages keep their stored width beside the pane.
    QCOMPARE(W->centralWidget()->width(), 768);
    W->TitleSection->SetEditValue(QStringLiteral("Confirm"));
    W->InstructionSection->SetEditValue(QStringLiteral("Save changes?"));
    W->ContentSection->SetEditValue(QStringLiteral("The document has been modified."));
    W->MainIconSection->SetEditValue(QStringLiteral("Warning"));
    W->HeaderSection->SetEditValue(QStringLiteral("A header"));
    W->FooterSection->SetEditValue(QStringLiteral("A footer"));
    W->FooterIconSection->SetEditValue(QStringLiteral("Information"));
    W->ExpandoContentSection->SetEditValue(QStringLiteral("More lines\r\nand more"));
    // The expando box asks for its texts; closing the question keeps it checked.
    WhenModalShows([](QWidget* Modal) { Modal->close(); });
    QTest::mouseClick(W->ExpandoCheckBox, Qt::LeftButton);
    QVERIFY(W->ExpandoCheckBox->isChecked());
    QTRY_VERIFY(!W->LivePreview->UpdatePending());
    QVERIFY(!W->LivePreview->Picture().isNull());
    W->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(W.get()));
}

void tst_livepreview::cleanup()
{
    W.reset();
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_livepreview::showsDialogAsItRuns()
{
    // The client area of the picture is what the engine paints of the dialog Preview runs.
    W->GenerateActn->trigger(); // copies the page into the dialog
    const QImage run = RenderDialogImage(W->VxDialog1).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!run.isNull());
    QCOMPARE(ClientPart(*W->LivePreview), run);
}

void tst_livepreview::pageChangeRedrawsPicture_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("typed content") << "content";
    QTest::newRow("command links option") << "progress";
    QTest::newRow("common button") << "button";
    QTest::newRow("new design") << "new";
}

void tst_livepreview::pageChangeRedrawsPicture()
{
    QFETCH(QString, change);
    const QImage before = W->LivePreview->Picture();
    if (change == QLatin1String("content")) {
        W->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(W.get()));
        QTest::mouseDClick(W->ContentSection, Qt::LeftButton, {}, QPoint(4, 4));
        QTRY_VERIFY(W->ContentSection->Editor() && W->ContentSection->Editor()->hasFocus());
        QTest::keyClicks(W->ContentSection->Editor(), QStringLiteral(" Twice."));
        QTest::mouseClick(W->TitleSection, Qt::LeftButton, {}, QPoint(W->TitleSection->width() - 3, 3));
    } else if (change == QLatin1String("progress")) {
        QTest::mouseClick(W->cbdoProgressBar, Qt::LeftButton);
    } else if (change == QLatin1String("button")) {
        QTest::mouseClick(W->cbButtonOK, Qt::LeftButton);
    } else {
        WhenModalShows([](QWidget* Modal) {
            auto* box = qobject_cast<QMessageBox*>(Modal);
            QVERIFY(box);
            box->button(QMessageBox::Discard)->click();
        });
        W->NewActn->trigger();
    }
    QTRY_VERIFY(!W->LivePreview->UpdatePending());
    QVERIFY(W->LivePreview->Picture() != before);
    // The picture is the page's design: a pane given the design directly draws the same.
    QCOMPARE(ClientPart(*W->LivePreview), DrawnFrom(*W->LivePreview, W->DesignValues()));
}

void tst_livepreview::lookSwitches_data()
{
    QTest::addColumn<QString>("look");
    QTest::newRow("dark") << "dark";
    QTest::newRow("right to left") << "rtl";
    QTest::newRow("scale 2") << "scale";
    QTest::newRow("expanded") << "expanded";
}

void tst_livepreview::lookSwitches()
{
    QFETCH(QString, look);
    TLivePreview* pane = W->LivePreview;
    QCOMPARE(pane->Look(), TLivePreviewLook());
    const QImage light = pane->Picture();
    const QRect icon = pane->SectionRect(TLiveSection::MainIcon);
    const QRect expando = pane->SectionRect(TLiveSection::ExpandoContent);
    QVERIFY(!icon.isEmpty());
    QVERIFY(expando.isEmpty());
    const QSize size = light.size();
    if (look == QLatin1String("dark")) {
        QTest::mouseClick(pane->DarkBox, Qt::LeftButton);
    } else if (look == QLatin1String("rtl")) {
        QTest::mouseClick(pane->RightToLeftBox, Qt::LeftButton);
    } else if (look == QLatin1String("scale")) {
        pane->ScaleBox->setCurrentIndex(pane->ScaleBox->findData(2.0));
    } else {
        QTest::mouseClick(pane->ExpandedBox, Qt::LeftButton);
    }
    QTRY_VERIFY(!pane->UpdatePending());
    const QImage changed = pane->Picture();
    QVERIFY(changed != light);
    if (look == QLatin1String("dark")) {
        QVERIFY(pane->Look().Dark);
        QCOMPARE(changed.size(), size);
        QVERIFY2(Lightness(changed) < Lightness(light) - 60,
                 qPrintable(QStringLiteral("%1 against %2").arg(Lightness(changed)).arg(Lightness(light))));
        // The designer keeps its own colours.
        QCOMPARE(W->palette().color(QPalette::WindowText), QApplication::palette().color(QPalette::WindowText));
    } else if (look == QLatin1String("rtl")) {
        QVERIFY(pane->Look().RightToLeft);
        const int middle = size.width() / 2;
        QVERIFY(icon.center().x() < middle);
        QVERIFY(pane->SectionRect(TLiveSection::MainIcon).center().x() > middle);
        // Generated texts are not touched by the look.
        QCOMPARE(W->VxDialog1->BiDiMode(), bdLeftToRight);
    } else if (look == QLatin1String("scale")) {
        QCOMPARE(pane->Look().Scale, 2.0);
        QCOMPARE(changed.size(), size * 2);
        QCOMPARE(changed.devicePixelRatio(), 2.0);
        // Shown twice as large: one device pixel of the picture to one of the screen.
        QCOMPARE(pane->PictureWidget()->size() * pane->PictureWidget()->devicePixelRatioF(), QSizeF(changed.size()));
        QCOMPARE(pane->SectionRect(TLiveSection::MainIcon), icon);
    } else {
        QVERIFY(pane->Look().Expanded);
        QVERIFY(changed.height() > size.height());
        QVERIFY(!pane->SectionRect(TLiveSection::ExpandoContent).isEmpty());
    }
}

void tst_livepreview::clickStartsEditingSection_data()
{
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("section");
    QTest::addColumn<bool>("expanded");
    QTest::addColumn<double>("scale");
    QTest::newRow("title") << int(TLiveSection::Title) << "TitleSection" << false << 1.0;
    QTest::newRow("header") << int(TLiveSection::Header) << "HeaderSection" << false << 1.0;
    QTest::newRow("instruction") << int(TLiveSection::Instruction) << "InstructionSection" << false << 1.0;
    QTest::newRow("content") << int(TLiveSection::Content) << "ContentSection" << false << 1.0;
    QTest::newRow("content at scale 2") << int(TLiveSection::Content) << "ContentSection" << false << 2.0;
    QTest::newRow("footer") << int(TLiveSection::Footer) << "FooterSection" << false << 1.0;
    QTest::newRow("expanded text") << int(TLiveSection::ExpandoContent) << "ExpandoContentSection" << true << 1.0;
    QTest::newRow("main icon") << int(TLiveSection::MainIcon) << "MainIconSection" << false << 1.0;
    QTest::newRow("footer icon") << int(TLiveSection::FooterIcon) << "FooterIconSection" << false << 1.0;
}

void tst_livepreview::clickStartsEditingSection()
{
    QFETCH(int, part);
    QFETCH(QString, section);
    QFETCH(bool, expanded);
    QFETCH(double, scale);
    TLivePreview* pane = W->LivePreview;
    pane->SetLook({expanded, false, false, scale});
    QTRY_VERIFY(!pane->UpdatePending());
    const QRect rect = pane->SectionRect(TLiveSection(part));
    QVERIFY(!rect.isEmpty());
    QCOMPARE(pane->SectionAt(rect.center()), TLiveSection(part));
    auto* target = W->findChild<TVxDSectionControl*>(section);
    QVERIFY(target);
    W->VxPageScroller1->SetActivePageIndex(1);
    if (target->EditType() == etIcon || target->EditType() == etSmallIcon) {
        // An icon section is edited in the icon picker.
        bool picked = false;
        WhenModalShows([&picked](QWidget* Modal) {
            picked = Modal->objectName() == QLatin1String("frmSelectIcon");
            Modal->close();
        });
        ClickPicture(pane, rect.center());
        QTRY_VERIFY(picked);
    } else {
        ClickPicture(pane, rect.center());
        QVERIFY(target->IsEditing());
        QTRY_VERIFY(target->Editor() && target->Editor()->hasFocus());
    }
    QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 0);
}

void tst_livepreview::largeDesignShowsPlaceholder_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("items");
    QTest::newRow("100,000-character caption") << 100000 << 0;
    QTest::newRow("1,000 items") << 0 << 1000;
}

void tst_livepreview::largeDesignShowsPlaceholder()
{
    QFETCH(int, characters);
    QFETCH(int, items);
    TLivePreview* pane = W->LivePreview;
    if (characters)
        W->InstructionSection->SetEditValue(QString(characters, QLatin1Char('w')));
    if (items) {
        TDesignItems many = W->Items();
        for (int i = 0; i < items; ++i) {
            TDesignCustomButton button;
            button.Caption = QStringLiteral("Item %1").arg(i);
            many.Buttons.append(button);
        }
        W->SetItems(many, QStringLiteral("Add Buttons"));
        W->cbdoCommandLinks->click();
    }
    QTRY_VERIFY(!pane->UpdatePending());
    QVERIFY(pane->Picture().isNull());
    QVERIFY(pane->PlaceholderText().contains(QStringLiteral("Preview (Ctrl+P)")));
    auto* label = qobject_cast<QLabel*>(pane->PictureWidget());
    QCOMPARE(label->text(), pane->PlaceholderText());
    // Back under the limit the picture returns.
    if (characters)
        W->InstructionSection->SetEditValue(QStringLiteral("Short again"));
    else {
        TDesignItems none = W->Items();
        none.Buttons.clear();
        W->SetItems(none, QStringLiteral("Remove Buttons"));
        W->cbdoCommandLinks->click();
    }
    QTRY_VERIFY(!pane->UpdatePending());
    QVERIFY(!pane->Picture().isNull());
    QVERIFY(pane->PlaceholderText().isEmpty());
}

void tst_livepreview::typingShowsAtOnceAndStepsOnce_data()
{
    // Where the text is typed, and the key that ends the edit there.
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("endKey");
    QTest::newRow("instruction section") << "InstructionSection" << int(Qt::Key_Tab);
    QTest::newRow("content section, left with Escape") << "ContentSection" << int(Qt::Key_Escape);
    QTest::newRow("title section") << "TitleSection" << int(Qt::Key_Return);
    QTest::newRow("button caption") << "ButtonCaption" << int(Qt::Key_Return);
    QTest::newRow("button note") << "ButtonNote" << int(Qt::Key_Tab);
    QTest::newRow("radio caption") << "RadioCaption" << int(Qt::Key_Return);
    QTest::newRow("radio group caption") << "RadioGroupCaption" << int(Qt::Key_Return);
}

void tst_livepreview::typingShowsAtOnceAndStepsOnce()
{
    QFETCH(QString, field);
    QFETCH(int, endKey);
    TLivePreview* pane = W->LivePreview;
    QWidget* editor = nullptr;
    if (auto* section = W->findChild<TVxDSectionControl*>(field)) {
        QTest::mouseDClick(section, Qt::LeftButton, {}, QPoint(4, 4));
        QTRY_VERIFY(section->Editor() && section->Editor()->hasFocus());
        editor = section->Editor();
    } else {
        // A command link and a radio button to type into.
        W->ItemsActn->trigger();
        QTRY_VERIFY(W->ItemsDock->isVisible());
        QTest::mouseClick(W->ItemsPanel1->AddButtonBtn, Qt::LeftButton);
        QTest::mouseClick(W->ItemsPanel1->AddRadioBtn, Qt::LeftButton);
        QTest::mouseClick(W->cbdoCommandLinks, Qt::LeftButton);
        QTest::mouseClick(W->cbdoRadioButtons, Qt::LeftButton);
        // The group's caption shows over a bordered group.
        W->ItemsPanel1->ShowField(W->ItemsPanel1->RadioBorder);
        QTest::mouseClick(W->ItemsPanel1->RadioBorder, Qt::LeftButton);
        editor = W->ItemsPanel1->findChild<QWidget*>(field);
        QVERIFY(editor);
        W->ItemsPanel1->ShowField(editor);
        QTRY_VERIFY(editor->hasFocus());
    }
    QTRY_VERIFY(!pane->UpdatePending());
    const QImage before = pane->Picture();
    const TDesignValues committed = W->DesignValues();
    const int steps = W->UndoStack()->count();

    QTest::keyClicks(editor, QStringLiteral(" - typed without a step, a line long enough to wrap in the dialog"));
    // The picture follows the keystrokes; the design and its history wait for the edit to end.
    QTRY_VERIFY(!pane->UpdatePending());
    const QImage typing = pane->Picture();
    QVERIFY(typing != before);
    QCOMPARE(ClientPart(*pane), DrawnFrom(*pane, W->DraftDesignValues()));
    QVERIFY(W->DraftDesignValues() != committed);
    QVERIFY(W->DesignValues() == committed);
    QCOMPARE(W->UndoStack()->count(), steps);

    QTest::keyClick(editor, Qt::Key(endKey));
    QCOMPARE(W->UndoStack()->count(), steps + 1);
    QVERIFY(W->DesignValues() == W->DraftDesignValues());
    QTRY_VERIFY(!pane->UpdatePending());
    QCOMPARE(pane->Picture(), typing);
}

void tst_livepreview::escapeGivesUpItemText_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("button caption") << "ButtonCaption";
    QTest::newRow("button note") << "ButtonNote";
    QTest::newRow("radio caption") << "RadioCaption";
    QTest::newRow("radio group caption") << "RadioGroupCaption";
}

void tst_livepreview::escapeGivesUpItemText()
{
    QFETCH(QString, field);
    TLivePreview* pane = W->LivePreview;
    W->ItemsActn->trigger();
    QTRY_VERIFY(W->ItemsDock->isVisible());
    QTest::mouseClick(W->ItemsPanel1->AddButtonBtn, Qt::LeftButton);
    QTest::mouseClick(W->ItemsPanel1->AddRadioBtn, Qt::LeftButton);
    QTest::mouseClick(W->cbdoCommandLinks, Qt::LeftButton);
    QTest::mouseClick(W->cbdoRadioButtons, Qt::LeftButton);
    W->ItemsPanel1->ShowField(W->ItemsPanel1->RadioBorder);
    QTest::mouseClick(W->ItemsPanel1->RadioBorder, Qt::LeftButton);
    auto* editor = W->ItemsPanel1->findChild<QWidget*>(field);
    QVERIFY(editor);
    W->ItemsPanel1->ShowField(editor);
    QTRY_VERIFY(editor->hasFocus());
    QTRY_VERIFY(!pane->UpdatePending());
    const QImage committed = ClientPart(*pane);
    const TDesignValues values = W->DesignValues();
    const int steps = W->UndoStack()->count();

    QTest::keyClicks(editor, QStringLiteral("Given up"));
    QTRY_VERIFY(!pane->UpdatePending());
    QVERIFY(ClientPart(*pane) != committed);
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!pane->UpdatePending());
    QCOMPARE(ClientPart(*pane), committed);
    QVERIFY(W->DraftDesignValues() == values);
    // Leaving the field now records nothing.
    W->TitleSection->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!editor->hasFocus());
    QCOMPARE(W->UndoStack()->count(), steps);
    QVERIFY(W->DesignValues() == values);

    // The window may go while a field holds typed text: its focus loss records nothing then.
    W->ItemsPanel1->ShowField(editor);
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("Typed as the window goes"));
    W.reset();
}

void tst_livepreview::itemRegions_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    // Which half of the picture holds the item left to right (-1 left, 1 right, 0 both).
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("rtl");
    QTest::addColumn<bool>("border");
    const struct {
        const char* Name;
        TLiveItem Kind;
        int Index;
        int Side;
        bool Border;
    } rows[] = {{"first command link", TLiveItem::CustomButton, 0, 0, false},
                {"second command link", TLiveItem::CustomButton, 1, 0, false},
                {"first radio button", TLiveItem::RadioButton, 0, 0, false},
                {"second radio button", TLiveItem::RadioButton, 1, 0, false},
                {"second radio button in a group box", TLiveItem::RadioButton, 1, 0, true},
                {"radio group box", TLiveItem::RadioGroup, 0, 0, true},
                {"progress bar", TLiveItem::ProgressBar, 0, 0, false},
                {"OK button", TLiveItem::CommonButton, int(cbOK), 1, false},
                {"Cancel button", TLiveItem::CommonButton, int(cbCancel), 1, false},
                {"verification box", TLiveItem::Verification, 0, -1, false}};
    for (const auto& row : rows)
        for (const bool rtl : {false, true})
            QTest::addRow("%s%s", row.Name, rtl ? ", right to left" : "")
                << int(row.Kind) << row.Index << (rtl ? -row.Side : row.Side) << rtl << row.Border;
}

void tst_livepreview::itemRegions()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(int, side);
    QFETCH(bool, rtl);
    QFETCH(bool, border);
    AddItems(W, border);
    TLivePreview* pane = W->LivePreview;
    pane->SetLook({false, false, rtl, 1.0});
    QTRY_VERIFY(!pane->UpdatePending());
    const QRect rect = pane->ItemRect(TLiveItem(kind), index);
    QVERIFY(!rect.isEmpty());
    QVERIFY(QRect(QPoint(), pane->Picture().deviceIndependentSize().toSize()).contains(rect));
    const TLiveItemRef picked{TLiveItem(kind), index};
    const QPoint at = ItemPoint(pane, TLiveItem(kind), index);
    QCOMPARE(pane->ItemAt(at), picked);
    // An item is no section, also where it lies inside one.
    QCOMPARE(pane->SectionAt(at), TLiveSection::None);
    QVERIFY(!pane->PartDescription(at).isEmpty());
    const int middle = int(pane->Picture().deviceIndependentSize().width() / 2);
    if (side < 0)
        QVERIFY2(rect.center().x() < middle, qPrintable(QStringLiteral("%1 of %2").arg(rect.center().x()).arg(middle * 2)));
    else if (side > 0)
        QVERIFY2(rect.center().x() > middle, qPrintable(QStringLiteral("%1 of %2").arg(rect.center().x()).arg(middle * 2)));
    // The sections around keep their own parts.
    QCOMPARE(pane->SectionAt(pane->SectionRect(TLiveSection::Instruction).center()), TLiveSection::Instruction);
    QCOMPARE(pane->ItemAt(pane->SectionRect(TLiveSection::Instruction).center()), TLiveItemRef());
}

void tst_livepreview::clickPicksItem_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("scale");
    QTest::addColumn<bool>("rtl");
    QTest::newRow("second command link") << int(TLiveItem::CustomButton) << 1 << "ButtonCaption" << 1.0 << false;
    QTest::newRow("second command link, right to left at scale 2")
        << int(TLiveItem::CustomButton) << 1 << "ButtonCaption" << 2.0 << true;
    QTest::newRow("second radio button") << int(TLiveItem::RadioButton) << 1 << "RadioCaption" << 1.0 << false;
    QTest::newRow("first radio button at scale 2") << int(TLiveItem::RadioButton) << 0 << "RadioCaption" << 2.0 << false;
    QTest::newRow("progress bar") << int(TLiveItem::ProgressBar) << 0 << "ProgressPosition" << 1.0 << false;
    QTest::newRow("radio group box") << int(TLiveItem::RadioGroup) << 0 << "RadioGroupCaption" << 1.0 << false;
    QTest::newRow("OK button, right to left") << int(TLiveItem::CommonButton) << int(cbOK) << "DefaultButton" << 1.0 << true;
    QTest::newRow("verification box") << int(TLiveItem::Verification) << 0 << "VerificationCheckBox" << 1.0 << false;
}

void tst_livepreview::clickPicksItem()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QString, field);
    QFETCH(double, scale);
    QFETCH(bool, rtl);
    AddItems(W, TLiveItem(kind) == TLiveItem::RadioGroup);
    TLivePreview* pane = W->LivePreview;
    pane->SetLook({false, false, rtl, scale});
    W->ItemsDock->hide();
    W->VxPageScroller1->SetActivePageIndex(1);
    QTRY_VERIFY(!pane->UpdatePending());
    const QRect rect = pane->ItemRect(TLiveItem(kind), index);
    QVERIFY(!rect.isEmpty());
    const int steps = W->UndoStack()->count();
    ClickPicture(pane, ItemPoint(pane, TLiveItem(kind), index));
    auto* target = W->findChild<QWidget*>(field);
    QVERIFY(target);
    QTRY_VERIFY(target->hasFocus());
    if (TLiveItem(kind) == TLiveItem::Verification) {
        QVERIFY(!W->ItemsDock->isVisible());
        QCOMPARE(W->VxPageScroller1->ActivePageIndex(), 0);
    } else {
        QVERIFY(W->ItemsDock->isVisible());
    }
    if (TLiveItem(kind) == TLiveItem::CustomButton)
        QCOMPARE(W->ItemsPanel1->ButtonList->currentRow(), index);
    if (TLiveItem(kind) == TLiveItem::RadioButton)
        QCOMPARE(W->ItemsPanel1->RadioList->currentRow(), index);
    // Picking changes nothing.
    QCOMPARE(W->UndoStack()->count(), steps);
}

void tst_livepreview::cursorAndTipTellWhatAClickEdits()
{
    AddItems(W);
    TLivePreview* pane = W->LivePreview;
    QWidget* picture = pane->PictureWidget();
    const QRect link = pane->ItemRect(TLiveItem::CustomButton, 0);
    QVERIFY(!link.isEmpty());
    QTest::mouseMove(picture, LabelPoint(pane, link.center()));
    QTRY_COMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
    // The frame beside the link edits nothing.
    const QPoint frame(0, link.center().y());
    QCOMPARE(pane->PartDescription(frame), QString());
    QTest::mouseMove(picture, LabelPoint(pane, frame));
    QTRY_COMPARE(picture->cursor().shape(), Qt::ArrowCursor);

    const QPoint at = LabelPoint(pane, link.center());
    QHelpEvent tip(QEvent::ToolTip, at, picture->mapToGlobal(at));
    QApplication::sendEvent(picture, &tip);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), pane->PartDescription(link.center()));
    QVERIFY(QToolTip::text().contains(QStringLiteral("Install now")));
    QToolTip::hideText();
}

QTEST_MAIN(tst_livepreview)
#include "tst_livepreview.moc"
