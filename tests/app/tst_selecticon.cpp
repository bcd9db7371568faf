#include "VxIconFrame.h"
#include "VxSelectIconForm.h"

#include "support/ModalHelper.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QtTest>

#include <algorithm>

class tst_selecticon : public QObject {
    Q_OBJECT
private slots:
    void rowsReadFromCustomToNone();
    void selectedValue_data();
    void selectedValue();
    void clickKeepsExactlyOneRow();
    void execute_data();
    void execute();
    void keyboardOrderAndSize();
};

void tst_selecticon::rowsReadFromCustomToNone()
{
    TfrmSelectIcon form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("Select Icon"));
    const QList<TfrIcon*> rows = form.Rows();
    QCOMPARE(rows.size(), 7);
    QStringList created;
    for (int i = 0; i < rows.size(); ++i) {
        created << rows[i]->Caption();
        QCOMPARE(rows[i]->objectName(), QStringLiteral("IconFrame%1").arg(i + 1));
        QCOMPARE(rows[i]->height(), 38);
        // Stock icons for the five system names, nothing for None and Custom.
        const bool hasIcon = i >= 1 && i <= 5;
        QCOMPARE(!rows[i]->Image1->pixmap().isNull(), hasIcon);
        if (hasIcon)
            QCOMPARE(rows[i]->Image1->pixmap().size(), QSize(32, 32));
    }
    QCOMPARE(created, (QStringList{"None", "Warning", "Error", "Information", "Confirmation", "Shield", "Custom"}));

    QList<TfrIcon*> onScreen = rows;
    std::sort(onScreen.begin(), onScreen.end(), [](TfrIcon* a, TfrIcon* b) { return a->y() < b->y(); });
    QStringList fromTop;
    for (TfrIcon* row : onScreen)
        fromTop << row->Caption();
    QCOMPARE(fromTop, (QStringList{"Custom", "Shield", "Confirmation", "Information", "Error", "Warning", "None"}));
    for (TfrIcon* row : rows)
        QVERIFY(!row->Selected());
    QCOMPARE(form.SelectedValue(), QStringLiteral("None"));
}

void tst_selecticon::selectedValue_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("selectedRow"); // empty: no row selected
    QTest::addColumn<QString>("result");
    QTest::newRow("Warning") << "Warning" << "Warning" << "Warning";
    QTest::newRow("lower case") << "warning" << "Warning" << "Warning";
    QTest::newRow("upper case") << "SHIELD" << "Shield" << "Shield";
    QTest::newRow("unknown name") << "Question" << "None" << "None";
    QTest::newRow("empty value") << "" << "None" << "None";
    QTest::newRow("non-ASCII fold") << QString::fromUtf8("\xC4\xB0nformation") << "None" << "None";
}

void tst_selecticon::selectedValue()
{
    QFETCH(QString, value);
    QFETCH(QString, selectedRow);
    QFETCH(QString, result);
    TfrmSelectIcon form;
    form.SetSelectedValue(QStringLiteral("Error")); // replaced by the next call
    form.SetSelectedValue(value);
    QStringList selected;
    for (TfrIcon* row : form.Rows())
        if (row->Selected())
            selected << row->Caption();
    QCOMPARE(selected, QStringList{selectedRow});
    QCOMPARE(form.SelectedValue(), result);
}

void tst_selecticon::clickKeepsExactlyOneRow()
{
    TfrmSelectIcon form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TfrIcon* error = form.Rows().at(2);
    TfrIcon* shield = form.Rows().at(5);
    QTest::mouseClick(error->RadioButton1, Qt::LeftButton);
    QCOMPARE(form.SelectedValue(), QStringLiteral("Error"));
    QTest::mouseClick(shield->RadioButton1, Qt::LeftButton);
    QTest::mouseClick(shield->RadioButton1, Qt::LeftButton); // a second click keeps it
    int selected = 0;
    for (TfrIcon* row : form.Rows())
        selected += row->Selected();
    QCOMPARE(selected, 1);
    QVERIFY(shield->Selected());
    QCOMPARE(form.SelectedValue(), QStringLiteral("Shield"));
}

void tst_selecticon::execute_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("value");
    QTest::newRow("OK at once, empty start") << "" << "ok" << true << "None";
    QTest::newRow("OK keeps the start row") << "error" << "ok" << true << "Error";
    QTest::newRow("Enter is OK") << "Shield" << "enter" << true << "Shield";
    QTest::newRow("click a row then OK") << "Warning" << "pick Information" << true << "Information";
    QTest::newRow("Cancel button") << "Warning" << "cancel" << false << "Warning";
    QTest::newRow("Escape") << "" << "escape" << false << "";
    QTest::newRow("close box") << "Custom" << "close" << false << "Custom";
    // The keyboard starts on the selected row (the top row when none is) and Up/Down move the
    // selection.
    QTest::newRow("Down from the start row") << "Warning" << "down" << true << "None";
    QTest::newRow("Up from the start row") << "Warning" << "up" << true << "Error";
    QTest::newRow("Down from the top row") << "" << "down" << true << "Shield";
    QTest::newRow("Up at the top stays") << "Custom" << "up" << true << "Custom";
}

void tst_selecticon::execute()
{
    QFETCH(QString, start);
    QFETCH(QString, how);
    QFETCH(bool, result);
    QFETCH(QString, value);
    QWidget owner;
    owner.show();
    QString startSeen;
    WhenModalShows([&](QWidget* modal) {
        auto* form = qobject_cast<TfrmSelectIcon*>(modal);
        QVERIFY(form);
        startSeen = form->SelectedValue();
        if (how == QLatin1String("ok"))
            QTest::mouseClick(form->bOK, Qt::LeftButton);
        else if (how == QLatin1String("enter"))
            QTest::keyClick(form, Qt::Key_Return);
        else if (how == QLatin1String("cancel"))
            QTest::mouseClick(form->bCancel, Qt::LeftButton);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(form, Qt::Key_Escape);
        else if (how == QLatin1String("close"))
            form->close();
        else if (how == QLatin1String("down") || how == QLatin1String("up")) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            QTest::keyClick(focused, how == QLatin1String("down") ? Qt::Key_Down : Qt::Key_Up);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        else {
            for (TfrIcon* row : form->Rows())
                if (row->Caption() == how.mid(5))
                    QTest::mouseClick(row->RadioButton1, Qt::LeftButton);
            QTest::mouseClick(form->bOK, Qt::LeftButton);
        }
    });
    QString v = start;
    QCOMPARE(TfrmSelectIcon::Execute(&owner, v), result);
    QCOMPARE(v, value);
    if (!start.isEmpty())
        QCOMPARE(startSeen.toLower(), start.toLower()); // the start value's row was selected
}

void tst_selecticon::keyboardOrderAndSize()
{
    TfrmSelectIcon form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    // The first focus is on the top row and shows as keyboard focus.
    const QList<TfrIcon*> rows = form.VisualRows();
    QCOMPARE(rows.first()->Caption(), QStringLiteral("Custom"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(rows.first()->RadioButton1));
    QVERIFY(form.testAttribute(Qt::WA_KeyboardFocusChange));
    // Tab walks the rows top to bottom, then OK and Cancel.
    QList<QWidget*> expected;
    for (int i = 1; i < rows.size(); ++i)
        expected.append(rows[i]->RadioButton1);
    expected << form.bOK << form.bCancel;
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    // At its minimum size the buttons stay clear of the list, which shows whole rows.
    QVERIFY(form.minimumWidth() > 0 && form.minimumHeight() > 0);
    form.resize(form.minimumSize());
    QTRY_COMPARE(form.size(), form.minimumSize());
    QVERIFY(form.ScrollBox1->geometry().right() < form.bOK->geometry().left());
    QVERIFY(form.ScrollBox1->viewport()->height() >= 3 * 38);
    for (TfrIcon* row : rows)
        QVERIFY2(row->RadioButton1->width() >= row->RadioButton1->sizeHint().width(), qPrintable(row->Caption()));
}

QTEST_MAIN(tst_selecticon)
#include "tst_selecticon.moc"
