#include "VxRichEdit.h"

#include "Shell.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QUrl>

namespace {

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

const QString Address = QStringLiteral("https://example.org/guide");

QTextCharFormat FormatAt(TVxRichEdit& Edit, int Position)
{
    QTextCursor c(Edit.document());
    c.setPosition(Position + 1);
    return c.charFormat();
}

} // namespace

class tst_RichEdit : public QObject {
    Q_OBJECT
private slots:
    void detectsAddresses_data();
    void detectsAddresses();
    void showLinksSwitch();
    void detectsWhileTyping();
    void undoTakesBackTypingOnly();
    void manyAddressesInOneParagraph();
    void richTextLinkOpensItsAddress();
    void linkClick_data();
    void linkClick();
    void clickWithoutLinks();
    void scrolling();
    void loading();
};

void tst_RichEdit::detectsAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("link");
    QTest::newRow("web address") << "Read " + Address + " first." << Address;
    QTest::newRow("www") << "Or www.example.com, then" << "www.example.com";
    QTest::newRow("mail") << "Write to mailto:help@example.org!" << "mailto:help@example.org";
    QTest::newRow("in parentheses") << "(see https://example.org/a_(b))" << "https://example.org/a_(b)";
    QTest::newRow("none") << "No address here: example dot org" << QString();
}

void tst_RichEdit::detectsAddresses()
{
    QFETCH(QString, text);
    QFETCH(QString, link);
    TVxRichEdit edit;
    edit.setPlainText(text);
    QString found;
    for (int i = 0; i < text.size(); ++i) {
        if (!edit.LinkAt(i).isEmpty()) {
            found += text.at(i);
            QCOMPARE(edit.LinkAt(i), link);
        }
    }
    QCOMPARE(found, link);
}

void tst_RichEdit::showLinksSwitch()
{
    TVxRichEdit edit;
    QVERIFY(edit.ShowLinks());
    edit.setHtml("Mine: <a href=\"https://kept.example\">kept</a>, found: " + Address);
    const int found = int(edit.toPlainText().indexOf(Address));
    QCOMPARE(edit.LinkAt(found), Address);
    edit.SetShowLinks(false);
    QVERIFY(edit.LinkAt(found).isEmpty());
    QCOMPARE(edit.LinkAt(6), "https://kept.example"); // a link of the text itself stays
    edit.setPlainText("Plain " + Address);
    QVERIFY(edit.LinkAt(7).isEmpty());
    edit.SetShowLinks(true);
    QCOMPARE(edit.LinkAt(7), Address);
    // Detected links are drawn over the text; the text's own formats are untouched.
    QVERIFY(!FormatAt(edit, 7).isAnchor());
    QVERIFY(!FormatAt(edit, 7).fontUnderline());
}

void tst_RichEdit::detectsWhileTyping()
{
    TVxRichEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QTest::keyClicks(&edit, "go to www.example.com now");
    QCOMPARE(edit.LinkAt(7), "www.example.com");
    QVERIFY(edit.LinkAt(22).isEmpty());
    QVERIFY(!edit.document()->toPlainText().isEmpty());
}

void tst_RichEdit::undoTakesBackTypingOnly()
{
    TVxRichEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QTextDocument* doc = edit.document();
    for (const char* typed : {"see ", "https://example.org ", "now"}) {
        QTest::keyClicks(&edit, typed);
        doc->setModified(false); // separate undo steps, as pauses between typing give
        QTest::qWait(0);
    }
    QCOMPARE(edit.toPlainText(), "see https://example.org now");
    QCOMPARE(edit.LinkAt(5), "https://example.org");
    // Every undo takes typing back; detection adds no steps, and the text ends empty.
    const int steps = doc->availableUndoSteps();
    QVERIFY(steps > 0);
    QString before = edit.toPlainText();
    for (int i = 0; i < steps; ++i) {
        edit.undo();
        QVERIFY2(edit.toPlainText() != before, qPrintable(QStringLiteral("undo %1 changed nothing").arg(i)));
        before = edit.toPlainText();
    }
    QCOMPARE(edit.toPlainText(), QString());
    QVERIFY(!doc->isUndoAvailable());
    // Redo brings it back, link included.
    while (doc->isRedoAvailable())
        edit.redo();
    QCOMPARE(edit.toPlainText(), "see https://example.org now");
    QCOMPARE(edit.LinkAt(5), "https://example.org");
    QVERIFY(!doc->isRedoAvailable());
}

void tst_RichEdit::manyAddressesInOneParagraph()
{
    // Detection reads each changed paragraph once: 4,000 addresses in one paragraph, then a
    // change at its end.
    TVxRichEdit edit;
    QString text;
    for (int i = 0; i < 4000; ++i)
        text += QStringLiteral("see https://example.org/%1 and ").arg(i);
    edit.setPlainText(text);
    const int last = int(text.lastIndexOf("https://"));
    QCOMPARE(edit.LinkAt(last), "https://example.org/3999");
    QTextCursor end(edit.document());
    end.movePosition(QTextCursor::End);
    end.insertText("www.example.com");
    QCOMPARE(edit.LinkAt(int(text.size()) + 2), "www.example.com");
    QCOMPARE(edit.LinkAt(4), "https://example.org/0");
}

void tst_RichEdit::linkClick_data()
{
    QTest::addColumn<bool>("handler");
    QTest::addColumn<bool>("handles");
    QTest::addColumn<bool>("opens");
    QTest::newRow("no handler") << false << false << true;
    QTest::newRow("handler leaves it") << true << false << true;
    QTest::newRow("handler handles it") << true << true << false;
}

void tst_RichEdit::linkClick()
{
    QFETCH(bool, handler);
    QFETCH(bool, handles);
    QFETCH(bool, opens);
    ShellSpy shell;
    TVxRichEdit edit;
    edit.resize(400, 200);
    edit.setPlainText("Read " + Address + " first.");
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QStringList seen;
    if (handler)
        edit.OnLinkClicked = TLinkClickedEvent([&](TObject*, const QString& Link, bool& Handled) {
            // The link is selected before the handler runs.
            QCOMPARE(edit.textCursor().selectedText(), Link);
            seen << Link;
            Handled = handles;
        });
    QTextCursor inside(edit.document());
    inside.setPosition(10);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, edit.cursorRect(inside).center());
    QCOMPARE(edit.textCursor().selectedText(), Address);
    QCOMPARE(seen, handler ? QStringList{Address} : QStringList());
    QCOMPARE(shell.Opened, opens ? QList<QUrl>{QUrl(Address)} : QList<QUrl>());
}

void tst_RichEdit::richTextLinkOpensItsAddress()
{
    // A hyperlink field shows its own text; a click selects it and opens the address.
    ShellSpy shell;
    TVxRichEdit edit;
    edit.resize(400, 200);
    edit.LoadFromData("{\\rtf1 Read {\\field{\\*\\fldinst HYPERLINK \"" + Address.toLatin1() +
                      "\"}{\\fldrslt the guide}} first.}");
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QCOMPARE(edit.LinkAt(6), Address);
    QTextCursor inside(edit.document());
    inside.setPosition(8);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, edit.cursorRect(inside).center());
    QCOMPARE(edit.textCursor().selectedText(), "the guide");
    QCOMPARE(shell.Opened, QList<QUrl>{QUrl(Address)});
}

void tst_RichEdit::clickWithoutLinks()
{
    ShellSpy shell;
    TVxRichEdit edit;
    edit.resize(400, 200);
    edit.SetShowLinks(false);
    edit.setPlainText("Read " + Address + " first.");
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    int calls = 0;
    edit.OnLinkClicked = TLinkClickedEvent([&](TObject*, const QString&, bool&) { ++calls; });
    QTextCursor inside(edit.document());
    inside.setPosition(10);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, edit.cursorRect(inside).center());
    QCOMPARE(calls, 0);
    QVERIFY(shell.Opened.isEmpty());
    QVERIFY(edit.textCursor().selectedText().isEmpty());
}

void tst_RichEdit::scrolling()
{
    TVxRichEdit edit;
    edit.resize(300, 120);
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("line %1").arg(i);
    edit.setPlainText(lines.join(u'\n'));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QCOMPARE(edit.LineCount(), 200);

    edit.ScrollToLine(50);
    QCOMPARE(edit.FirstVisibleLine(), 50);
    QCOMPARE(edit.textCursor().blockNumber(), 50);
    QCOMPARE(edit.textCursor().positionInBlock(), 0);

    edit.ScrollToEnd();
    QCOMPARE(edit.textCursor().position(), edit.document()->characterCount() - 1);
    QVERIFY(edit.viewport()->rect().contains(edit.cursorRect()));
    QVERIFY(edit.FirstVisibleLine() > 190);

    edit.ScrollToTop();
    QCOMPARE(edit.FirstVisibleLine(), 0);
    QCOMPARE(edit.verticalScrollBar()->value(), 0);
    QCOMPARE(edit.textCursor().position(), 0);
}

void tst_RichEdit::loading()
{
    const QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\b Bold\\b0  see " + Address.toLatin1() + "\\par next}";
    TVxRichEdit edit;
    edit.LoadFromData(rtf);
    QCOMPARE(edit.toPlainText(), "Bold see " + Address + "\nnext");
    QCOMPARE(FormatAt(edit, 0).fontWeight(), int(QFont::Bold));
    QCOMPARE(edit.LinkAt(10), Address);

    edit.SetPlainText(true);
    edit.LoadFromData(rtf);
    QCOMPARE(edit.toPlainText(), QString::fromLatin1(rtf));

    edit.SetPlainText(false);
    edit.LoadFromData(QByteArray("caf\xc3\xa9 plain"));
    QCOMPARE(edit.toPlainText(), QString::fromUtf8("café plain"));
}

QTEST_MAIN(tst_RichEdit)
#include "tst_richedit.moc"
