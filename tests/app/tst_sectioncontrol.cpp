#include "VxDControls.h"
#include "private/ElidedText.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

class tst_sectioncontrol : public QObject {
    Q_OBJECT
private slots:
    void geometry_data();
    void geometry();
    void iconResourceId_data();
    void iconResourceId();
    void doubleClickEditsInPlace_data();
    void doubleClickEditsInPlace();
    void enterEndsOnlyOneLineEdits();
    void valueSetBeforeFirstEditShowsPlaceholder();
    void longOneLineValueSurvivesAnEdit();
    void clickEndsEditingBeforeOnClick();
    void showEditHandlerTakesOver();
    void disabledSectionIgnoresDoubleClick();
    void editTypeChangeDestroysEditor();
    void editValueReachesVisibleEditor();
    void lineBreaksAsStored_data();
    void lineBreaksAsStored();
    void keyboardStartsEditing_data();
    void keyboardStartsEditing();
    void ampersandsDrawnAsTheDialogShowsThem();
    void paintsIconOrCaption_data();
    void paintsIconOrCaption();
    void wrappedTextKeepsEveryWord_data();
    void wrappedTextKeepsEveryWord();
    void lastLineThatFitsEndsWithEllipsis_data();
    void lastLineThatFitsEndsWithEllipsis();
    void editorShowsNoCutRowOfOldText_data();
    void editorShowsNoCutRowOfOldText();
};

void tst_sectioncontrol::geometry_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("iconSize");
    QTest::newRow("default 100x50, big icon") << QSize(100, 50) << 32;
    QTest::newRow("odd 101x37, small icon") << QSize(101, 37) << 16;
    QTest::newRow("smaller than the icon") << QSize(20, 10) << 32;
}

void tst_sectioncontrol::geometry()
{
    QFETCH(QSize, client);
    QFETCH(int, iconSize);
    const QRect r(QPoint(0, 0), client);
    QCOMPARE(SectionGeometry::FrameRect(r), QRect(2, 2, client.width() - 4, client.height() - 4));
    QCOMPARE(SectionGeometry::TextRect(r), QRect(10, 5, client.width() - 20, client.height() - 9));
    QCOMPARE(SectionGeometry::IconCaptionRect(r), QRect(2, 6, client.width() - 4, client.height() - 8));
    // Integer division toward zero, also for negative room.
    QCOMPARE(SectionGeometry::IconTopLeft(client, iconSize),
             QPoint(int((client.width() - iconSize) / 2), int((client.height() - iconSize) / 2)));
    QCOMPARE(SectionGeometry::EditorRect(client), QRect(8, 8, client.width() - 16, client.height() - 16));
}

void tst_sectioncontrol::iconResourceId_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("id");
    QTest::newRow("Information") << "Information" << 104;
    QTest::newRow("confirmation lower case") << "confirmation" << 102;
    QTest::newRow("WARNING") << "WARNING" << 101;
    QTest::newRow("Error") << "Error" << 103;
    QTest::newRow("Shield") << "Shield" << 106;
    QTest::newRow("None") << "None" << 0;
    QTest::newRow("Custom") << "Custom" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("non-ASCII letter does not fold") << QString::fromUtf8("\xC4\xB0nformation") << 0;
}

void tst_sectioncontrol::iconResourceId()
{
    QFETCH(QString, name);
    QFETCH(int, id);
    QCOMPARE(IconResourceId(name), id);
}

void tst_sectioncontrol::doubleClickEditsInPlace_data()
{
    QTest::addColumn<int>("editType");
    QTest::addColumn<bool>("multiLine");
    QTest::newRow("etText") << int(etText) << true;
    QTest::newRow("etSingleText") << int(etSingleText) << false;
}

void tst_sectioncontrol::doubleClickEditsInPlace()
{
    QFETCH(int, editType);
    QFETCH(bool, multiLine);
    QWidget form;
    form.resize(300, 200);
    auto* section = new TVxDSectionControl(&form);
    section->setGeometry(10, 10, 200, 60);
    section->SetCaption(QStringLiteral("Title"));
    section->SetEditType(TVxDEditType(editType));
    auto* other = new QLineEdit(&form);
    other->setGeometry(10, 100, 100, 20);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QCOMPARE(section->DisplayText(), QStringLiteral("[ Title ]"));
    QTest::mouseDClick(section, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(section->IsEditing());
    QWidget* editor = section->Editor();
    QVERIFY(editor);
    QCOMPARE(bool(qobject_cast<QPlainTextEdit*>(editor)), multiLine);
    QCOMPARE(bool(qobject_cast<QLineEdit*>(editor)), !multiLine);
    QCOMPARE(editor->geometry(), SectionGeometry::EditorRect(section->size()));
    QTRY_VERIFY(editor->hasFocus());

    QTest::keyClicks(editor, QStringLiteral("Confirm"));
    other->setFocus(); // leaving the editor ends the edit
    QTRY_VERIFY(!section->IsEditing());
    QVERIFY(!editor->isVisible());
    QCOMPARE(section->EditValue(), QStringLiteral("Confirm"));
    QCOMPARE(section->DisplayText(), QStringLiteral("Confirm"));

    // The editor follows the section's size.
    section->resize(250, 80);
    QCOMPARE(editor->geometry(), SectionGeometry::EditorRect(QSize(250, 80)));
    // The same editor is reused.
    section->SetIsEditing(true);
    QCOMPARE(section->Editor(), editor);
}

void tst_sectioncontrol::enterEndsOnlyOneLineEdits()
{
    QWidget form;
    auto* single = new TVxDSectionControl(&form);
    single->SetEditType(etSingleText);
    auto* multi = new TVxDSectionControl(&form);
    multi->move(0, 60);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    single->SetIsEditing(true);
    QTest::keyClicks(single->Editor(), QStringLiteral("One"));
    QTest::keyClick(single->Editor(), Qt::Key_Return);
    QVERIFY(!single->IsEditing());
    QCOMPARE(single->EditValue(), QStringLiteral("One"));

    multi->SetIsEditing(true);
    QTest::keyClicks(multi->Editor(), QStringLiteral("a"));
    QTest::keyClick(multi->Editor(), Qt::Key_Return);
    QTest::keyClicks(multi->Editor(), QStringLiteral("b"));
    QVERIFY(multi->IsEditing());
    multi->SetIsEditing(false);
    QCOMPARE(multi->EditValue(), QStringLiteral("a\r\nb")); // the dialog's line break
}

void tst_sectioncontrol::valueSetBeforeFirstEditShowsPlaceholder()
{
    QWidget form;
    auto* section = new TVxDSectionControl(&form);
    section->SetCaption(QStringLiteral("Content"));
    form.show();
    section->SetEditValue(QStringLiteral("from code"));
    bool isValue = true;
    QCOMPARE(section->DisplayText(&isValue), QStringLiteral("[ Content ]"));
    QVERIFY(!isValue);
    section->SetIsEditing(true);
    QCOMPARE(qobject_cast<QPlainTextEdit*>(section->Editor())->toPlainText(), QString()); // opens empty
    section->SetIsEditing(false);
    QCOMPARE(section->EditValue(), QString()); // and stores what it holds
}

// A one-line editor holds more than a line edit's default 32,767 characters: an edit of a long
// title does not cut it.
void tst_sectioncontrol::longOneLineValueSurvivesAnEdit()
{
    QWidget form;
    auto* section = new TVxDSectionControl(&form);
    section->SetEditType(etSingleText);
    form.show();
    const QString title(100000, QLatin1Char('t'));
    section->SetIsEditing(true);
    section->SetEditValue(title);
    section->SetIsEditing(false);
    section->SetIsEditing(true);
    QTest::keyClick(section->Editor(), Qt::Key_End);
    QTest::keyClicks(section->Editor(), QStringLiteral("!"));
    section->SetIsEditing(false);
    QCOMPARE(section->EditValue(), title + QLatin1Char('!'));
}

void tst_sectioncontrol::clickEndsEditingBeforeOnClick()
{
    QWidget form;
    auto* section = new TVxDSectionControl(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    bool editingSeenByHandler = true;
    int clicks = 0;
    section->OnClick = TNotifyEvent([&](TObject* Sender) {
        QCOMPARE(Sender, static_cast<TObject*>(section));
        editingSeenByHandler = section->IsEditing();
        ++clicks;
    });
    QTest::mouseDClick(section, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(section->IsEditing());
    QTest::keyClicks(section->Editor(), QStringLiteral("typed"));
    // On the frame, away from the double click (so it is not taken as a second one).
    QTest::mouseClick(section, Qt::LeftButton, {}, QPoint(section->width() - 3, section->height() - 3));
    QCOMPARE(clicks, 1);
    QVERIFY(!editingSeenByHandler);
    QCOMPARE(section->EditValue(), QStringLiteral("typed"));
}

void tst_sectioncontrol::showEditHandlerTakesOver()
{
    QWidget form;
    auto* section = new TVxDSectionControl(&form);
    section->SetEditType(etIcon);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    int asked = 0;
    bool handledOnEntry = true;
    section->OnShowEdit = TVxDShowEditEvent([&](TObject*, bool& Handled) {
        handledOnEntry = Handled;
        Handled = true;
        ++asked;
    });
    QTest::mouseDClick(section, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(asked, 1);
    QVERIFY(!handledOnEntry);
    QVERIFY(!section->IsEditing());
    QVERIFY(!section->Editor());

    // A handler that leaves Handled False lets the edit start.
    section->OnShowEdit = TVxDShowEditEvent([&](TObject*, bool&) { ++asked; });
    QTest::mouseDClick(section, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(asked, 2);
    QVERIFY(section->IsEditing());
    QVERIFY(qobject_cast<QLineEdit*>(section->Editor()));
}

void tst_sectioncontrol::disabledSectionIgnoresDoubleClick()
{
    QWidget form;
    auto* section = new TVxDSectionControl(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    int asked = 0;
    section->OnShowEdit = TVxDShowEditEvent([&](TObject*, bool&) { ++asked; });
    section->setEnabled(false);
    QTest::mouseDClick(section, Qt::LeftButton, {}, QPoint(3, 3));
    section->SetIsEditing(true);
    QCOMPARE(asked, 0);
    QVERIFY(!section->IsEditing());
    QVERIFY(!section->Editor());
}

void tst_sectioncontrol::editTypeChangeDestroysEditor()
{
    QWidget form;
    auto* section = new TVxDSectionControl(&form);
    form.show();
    section->SetIsEditing(true);
    QPointer<QWidget> editor = section->Editor();
    QVERIFY(editor);
    section->SetEditType(etSingleText);
    QVERIFY(!editor);
    QVERIFY(!section->Editor());
    QVERIFY(section->IsEditing()); // until the next end of editing
    section->SetIsEditing(false);
    QVERIFY(!section->IsEditing());
    section->SetIsEditing(true);
    QVERIFY(qobject_cast<QLineEdit*>(section->Editor()));
}

void tst_sectioncontrol::editValueReachesVisibleEditor()
{
    QWidget form;
    auto* section = new TVxDSectionControl(&form);
    section->SetEditType(etSingleText);
    form.show();
    section->SetIsEditing(true);
    QTest::keyClicks(section->Editor(), QStringLiteral("abc"));
    section->SetEditValue(QString()); // the editor is emptied, editing goes on
    QVERIFY(section->IsEditing());
    QCOMPARE(qobject_cast<QLineEdit*>(section->Editor())->text(), QString());
    section->SetEditValue(QStringLiteral("new"));
    QCOMPARE(qobject_cast<QLineEdit*>(section->Editor())->text(), QStringLiteral("new"));
}

void tst_sectioncontrol::lineBreaksAsStored_data()
{
    QTest::addColumn<int>("editType");
    QTest::addColumn<bool>("paste"); // through the editor's paste, else set from code
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("stored");
    QTest::newRow("multi-line, LF set") << int(etText) << false << "one\ntwo" << "one\r\ntwo";
    QTest::newRow("multi-line, CR LF and CR set") << int(etText) << false << "a\r\nb\rc" << "a\r\nb\r\nc";
    QTest::newRow("multi-line, pasted") << int(etText) << true << "one\ntwo\n" << "one\r\ntwo\r\n";
    QTest::newRow("one line, LF set") << int(etSingleText) << false << "first\nsecond" << "first second";
    QTest::newRow("one line, pasted") << int(etSingleText) << true << "first line\nsecond line"
                                      << "first line second line";
    QTest::newRow("one line, CR LF pasted") << int(etSingleText) << true << "a\r\nb" << "a b";
}

void tst_sectioncontrol::lineBreaksAsStored()
{
    QFETCH(int, editType);
    QFETCH(bool, paste);
    QFETCH(QString, given);
    QFETCH(QString, stored);
    QWidget form;
    auto* section = new TVxDSectionControl(&form);
    section->SetEditType(TVxDEditType(editType));
    form.show();
    if (paste) {
        QGuiApplication::clipboard()->setText(given);
        section->SetIsEditing(true);
        if (auto* edit = qobject_cast<QLineEdit*>(section->Editor())) {
            edit->paste();
            // What the field shows is what is stored.
            QCOMPARE(edit->text(), stored);
        } else {
            qobject_cast<QPlainTextEdit*>(section->Editor())->paste();
        }
        section->SetIsEditing(false);
    } else {
        section->SetEditValue(given);
    }
    QCOMPARE(section->EditValue(), stored);
}

void tst_sectioncontrol::keyboardStartsEditing_data()
{
    QTest::addColumn<int>("editType");
    QTest::addColumn<int>("key");
    QTest::newRow("text, Enter") << int(etText) << int(Qt::Key_Return);
    QTest::newRow("text, F2") << int(etText) << int(Qt::Key_F2);
    QTest::newRow("one line, keypad Enter") << int(etSingleText) << int(Qt::Key_Enter);
    QTest::newRow("icon, Enter") << int(etIcon) << int(Qt::Key_Return);
}

void tst_sectioncontrol::keyboardStartsEditing()
{
    QFETCH(int, editType);
    QFETCH(int, key);
    QWidget form;
    auto* section = new TVxDSectionControl(&form);
    section->SetEditType(TVxDEditType(editType));
    auto* other = new QLineEdit(&form);
    other->move(0, 60);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    int asked = 0;
    section->OnShowEdit = TVxDShowEditEvent([&](TObject*, bool& Handled) {
        ++asked;
        Handled = TVxDEditType(editType) == etIcon; // the owner takes icon sections over
    });
    // Sections take the keyboard focus with Tab.
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Tab);
    QTRY_VERIFY(section->hasFocus());
    // The keypad's Enter comes with the keypad modifier.
    QTest::keyClick(section, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(asked, 1); // the same request as a double click
    if (TVxDEditType(editType) == etIcon) {
        QVERIFY(!section->IsEditing());
        return;
    }
    QVERIFY(section->IsEditing());
    QTRY_VERIFY(section->Editor()->hasFocus());
    QTest::keyClicks(section->Editor(), QStringLiteral("typed"));
    // Escape leaves the editor, keeps the text and gives the keyboard back to the section.
    QTest::keyClick(section->Editor(), Qt::Key_Escape);
    QVERIFY(!section->IsEditing());
    QCOMPARE(section->EditValue(), QStringLiteral("typed"));
    QTRY_VERIFY(section->hasFocus());
}

void tst_sectioncontrol::ampersandsDrawnAsTheDialogShowsThem()
{
    // The dialog draws section texts without accelerator processing ("&" stays as typed), so the
    // section does too: the ink spans the literal text, not "W&&&W" with an underline.
    TVxDSectionControl section;
    section.resize(400, 37);
    section.SetEditType(etSingleText);
    section.SetIsEditing(true);
    qobject_cast<QLineEdit*>(section.Editor())->setText(QStringLiteral("W&&&&&&W"));
    section.SetIsEditing(false);
    QCOMPARE(section.EditValue(), QStringLiteral("W&&&&&&W"));
    const QImage image = section.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb base = section.palette().color(QPalette::Base).rgb();
    const QRect text = SectionGeometry::TextRect(section.rect()).adjusted(0, 2, 0, -2);
    int first = -1, last = -1;
    for (int x = text.left(); x <= text.right(); ++x)
        for (int y = text.top(); y <= text.bottom(); ++y)
            if (image.pixel(x, y) != base) {
                if (first < 0)
                    first = x;
                last = x;
            }
    const QFontMetrics fm(section.EditValueFont());
    const int literal = fm.horizontalAdvance(QStringLiteral("W&&&&&&W"));
    const int processed = fm.horizontalAdvance(QStringLiteral("W&&&W"));
    const int ink = last - first + 1;
    QVERIFY2(qAbs(ink - literal) < qAbs(ink - processed), qPrintable(QStringLiteral("%1 %2 %3").arg(ink).arg(literal).arg(processed)));
}

void tst_sectioncontrol::paintsIconOrCaption_data()
{
    QTest::addColumn<int>("editType");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("icon");
    QTest::newRow("Warning, 32") << int(etIcon) << "Warning" << true;
    QTest::newRow("shield lower case, 16") << int(etSmallIcon) << "shield" << true;
    QTest::newRow("None shows the caption") << int(etIcon) << "None" << false;
    QTest::newRow("Custom shows the caption") << int(etIcon) << "Custom" << false;
    QTest::newRow("empty shows the caption") << int(etSmallIcon) << "" << false;
}

void tst_sectioncontrol::paintsIconOrCaption()
{
    QFETCH(int, editType);
    QFETCH(QString, value);
    QFETCH(bool, icon);
    TVxDSectionControl section;
    section.resize(100, 50);
    section.SetEditType(TVxDEditType(editType));
    section.SetCaption(QStringLiteral("Icon"));
    section.SetEditValue(value);
    const QImage image = section.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb base = section.palette().color(QPalette::Base).rgb();
    const int size = SectionGeometry::IconSize(TVxDEditType(editType));
    const QRect iconRect(SectionGeometry::IconTopLeft(section.size(), size), QSize(size, size));
    // Something is drawn inside the icon's square exactly when the icon shows or the caption
    // crosses it; outside the square only the caption draws.
    const auto inkIn = [&](const QRect& r) {
        int ink = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ink += image.pixel(x, y) != base;
        return ink;
    };
    const QRect text = SectionGeometry::IconCaptionRect(section.rect()).adjusted(2, 2, -2, -2); // inside the frame
    const QRect leftOfIcon(text.left(), text.top(), iconRect.left() - text.left() - 1, text.height());
    if (icon) {
        QVERIFY(inkIn(iconRect) > size * size / 4);
        QCOMPARE(inkIn(leftOfIcon), 0);
    } else {
        const QFontMetrics fm(section.font());
        QVERIFY(fm.horizontalAdvance(QStringLiteral("Icon")) < section.width());
        QVERIFY(inkIn(text) > 0);
    }
}

void tst_sectioncontrol::wrappedTextKeepsEveryWord_data()
{
    // The width is that of `widthOf` in the section's value font, so a line break falls where the
    // row says on any machine; `lines` is how many lines the height holds.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("widthOf");
    QTest::addColumn<int>("lines");
    const QString sentence = QStringLiteral(
        "Type here some long text, so that we can see how the end ellipsis works when the text is long");
    QTest::newRow("break after a word, all fits") << sentence << "Type here some long text, so that we can" << 10;
    QTest::newRow("break after a word, cut on line 2") << sentence << "Type here some long text, so that we can" << 2;
    QTest::newRow("narrow, all fits") << sentence << "some long text," << 20;
    QTest::newRow("narrow, cut on line 3") << sentence << "some long text," << 3;
    QTest::newRow("blanks between words") << "one  two   three    four     five" << "one  two" << 10;
    QTest::newRow("paragraphs, all fit") << "First line of words\r\nand the second one\r\nthird" << "First line" << 10;
    QTest::newRow("paragraphs, cut") << "First line of words\r\nand the second one\r\nthird" << "First line" << 3;
}

void tst_sectioncontrol::wrappedTextKeepsEveryWord()
{
    QFETCH(QString, text);
    QFETCH(QString, widthOf);
    QFETCH(int, lines);
    TVxDSectionControl section;
    const QFont font = section.EditValueFont();
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(widthOf);
    const QStringList shown = WordBreakElidedLines(font, QSize(width, lines * fm.height()), text);
    QVERIFY(!shown.isEmpty());
    QVERIFY(shown.size() <= lines);

    const QString ellipsis(QChar(0x2026));
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList seen;
    for (int i = 0; i < shown.size(); ++i) {
        QVERIFY2(fm.horizontalAdvance(shown[i]) <= width, qPrintable(shown[i]));
        // Only the last line may end with the ellipsis.
        QVERIFY2(i + 1 == shown.size() || !shown[i].endsWith(ellipsis), qPrintable(shown[i]));
        seen += shown[i].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    }
    const bool cut = shown.last().endsWith(ellipsis);
    if (!cut) {
        QCOMPARE(seen, words);
        return;
    }
    // Every word up to the cut shows, in order; the cut word shows as far as it goes.
    QString stem = seen.takeLast();
    stem.chop(ellipsis.size());
    QVERIFY(seen.size() < words.size());
    QCOMPARE(seen, words.mid(0, seen.size()));
    QVERIFY2(words.at(seen.size()).startsWith(stem), qPrintable(stem));
    QCOMPARE(shown.size(), lines); // cut only when no line is left
}

void tst_sectioncontrol::lastLineThatFitsEndsWithEllipsis_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("widthOf");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("expected");
    const QString e(QChar(0x2026));
    const QString ten = QStringLiteral("Line one\r\nLine two\r\nLine three\r\nLine four\r\nLine five\r\n"
                                       "Line six\r\nLine seven\r\nLine eight\r\nLine nine\r\nLine ten");
    QTest::newRow("ten lines, six fit") << ten << "Line seven and some room" << 6
                                        << QStringList{"Line one", "Line two", "Line three", "Line four", "Line five",
                                                       "Line six" + e};
    QTest::newRow("ten lines, one fits") << ten << "Line seven and some room" << 1 << QStringList{"Line one" + e};
    QTest::newRow("wrapped paragraph") << "alpha beta gamma delta epsilon" << "alpha beta gamma" << 1
                                       << QStringList{"alpha beta gamma" + e};
}

void tst_sectioncontrol::lastLineThatFitsEndsWithEllipsis()
{
    QFETCH(QString, text);
    QFETCH(QString, widthOf);
    QFETCH(int, lines);
    QFETCH(QStringList, expected);
    TVxDSectionControl section;
    const QFont font = section.EditValueFont();
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(widthOf);
    // Half a line more than `lines` must not show a cut row.
    const QStringList shown = WordBreakElidedLines(font, QSize(width, lines * fm.height() + fm.height() / 2), text);
    if (fm.horizontalAdvance(expected.last()) > width) {
        // A narrow fallback font: the last line loses letters before its ellipsis, never gains any.
        QCOMPARE(shown.mid(0, shown.size() - 1), expected.mid(0, expected.size() - 1));
        QVERIFY(shown.last().endsWith(QChar(0x2026)));
        QVERIFY(expected.last().startsWith(shown.last().chopped(1)));
        return;
    }
    QCOMPARE(shown, expected);
}

void tst_sectioncontrol::editorShowsNoCutRowOfOldText_data()
{
    QTest::addColumn<int>("editType");
    QTest::newRow("multi-line") << int(etText);
    QTest::newRow("one line") << int(etSingleText);
}

void tst_sectioncontrol::editorShowsNoCutRowOfOldText()
{
    QFETCH(int, editType);
    TVxDSectionControl section;
    section.SetEditType(TVxDEditType(editType));
    // A low box and a big value font: text drawn from the text rectangle's top (or centred in it)
    // reaches above the editor.
    section.resize(300, 40);
    QFont big = section.EditValueFont();
    big.setPointSize(28);
    section.SetEditValueFont(big);
    section.show();
    QVERIFY(QTest::qWaitForWindowExposed(&section));
    section.SetIsEditing(true);
    section.SetEditValue(QStringLiteral("\u00C9\u00C5|Hg")); // as if typed
    section.SetIsEditing(false);
    bool isValue = false;
    section.DisplayText(&isValue);
    QVERIFY(isValue);
    section.SetIsEditing(true); // re-editing a box that has text
    QVERIFY(section.Editor() && section.Editor()->isVisible());
    const QImage image = section.grab().toImage();
    const QRect text = SectionGeometry::TextRect(section.rect());
    const QRect editor = SectionGeometry::EditorRect(section.size());
    const QColor base = section.palette().color(QPalette::Active, QPalette::Base);
    for (int y = text.top(); y < editor.top(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            QVERIFY2(image.pixelColor(x, y) == base, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

QTEST_MAIN(tst_sectioncontrol)
#include "tst_sectioncontrol.moc"
