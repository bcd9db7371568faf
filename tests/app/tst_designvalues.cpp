#include "DesignValues.h"

#include "FormTextWriter.h"
#include "ImageList.h"
#include "RandomDesign.h"

#include "StringList.h"
#include "VxDialog.h"
#include "VxOptions.h"

#include <QtTest>

#include <memory>

class tst_designvalues : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void iconFromName_data();
    void iconFromName();
    void designDialog();
    void expandoCaption_data();
    void expandoCaption();
    void expandoSections();
    void headerAndFooterNeedText();
    void optionsAndButtons();
    void verificationTextOnlyWhileChecked();
    void helpLinkTextFollowsOption();
    void pageFromDialogIsTheInverse_data();
    void pageFromDialogIsTheInverse();
    void pageValuesOfALoadedDialog();

private:
    std::unique_ptr<TComponent> FRoot;
    TVxDialog* FDialog = nullptr;
};

void tst_designvalues::init()
{
    FRoot = std::make_unique<TComponent>();
    FRoot->SetName(QStringLiteral("frmMain"));
    FDialog = CreateDesignDialog(FRoot.get());
}

void tst_designvalues::cleanup()
{
    FRoot.reset();
}

void tst_designvalues::iconFromName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("icon");
    QTest::newRow("Information") << "Information" << int(tdiInformation);
    QTest::newRow("confirmation") << "confirmation" << int(tdiConfirmation);
    QTest::newRow("WARNING") << "WARNING" << int(tdiWarning);
    QTest::newRow("Error") << "Error" << int(tdiError);
    QTest::newRow("sHiElD") << "sHiElD" << int(tdiShield);
    QTest::newRow("Custom") << "Custom" << int(tdiCustom);
    QTest::newRow("None") << "None" << int(tdiNone);
    QTest::newRow("empty") << "" << int(tdiNone);
    QTest::newRow("other") << "Question" << int(tdiNone);
    QTest::newRow("trailing blank") << "Error " << int(tdiNone);
}

void tst_designvalues::iconFromName()
{
    QFETCH(QString, name);
    QFETCH(int, icon);
    QCOMPARE(int(IconFromName(name)), icon);
}

void tst_designvalues::designDialog()
{
    QCOMPARE(FDialog->Name(), QStringLiteral("VxDialog1"));
    QCOMPARE(FDialog->Owner(), FRoot.get());
    QCOMPARE(FDialog->ButtonBar()->Color(), TColor(0x00F0F0F0));
    QCOMPARE(FDialog->DesignLeft(), 336);
    QCOMPARE(FDialog->DesignTop(), 184);
}

void tst_designvalues::expandoCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("show");
    QTest::addColumn<QString>("hide");
    QTest::newRow("show|hide") << "Expand Dialog|Collapse Dialog" << "Expand Dialog" << "Collapse Dialog";
    QTest::newRow("two bars") << "a|b|c" << "a" << "b|c";
    QTest::newRow("starts with bar") << "|hide" << "" << "hide";
    QTest::newRow("ends with bar") << "show|" << "show" << "";
    QTest::newRow("no bar keeps texts") << "Just text" << "earlier show" << "earlier hide";
    QTest::newRow("reset caption keeps texts") << "Expando" << "earlier show" << "earlier hide";
}

void tst_designvalues::expandoCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, show);
    QFETCH(QString, hide);
    FDialog->Expando()->SetShowText(QStringLiteral("earlier show"));
    FDialog->Expando()->SetHideText(QStringLiteral("earlier hide"));
    TDesignValues v;
    v.ExpandoChecked = true;
    v.ExpandoCaption = caption;
    ApplyDesignToDialog(v, FDialog);
    QVERIFY(FDialog->Expando()->Visible());
    QCOMPARE(FDialog->Expando()->ShowText(), show);
    QCOMPARE(FDialog->Expando()->HideText(), hide);
}

void tst_designvalues::expandoSections()
{
    TDesignValues v;
    v.ExpandoContent = QStringLiteral("body 1\nbody 2");
    v.ExpandoFooter = QStringLiteral("footer text");
    ApplyDesignToDialog(v, FDialog);
    QCOMPARE(FDialog->Expando()->Lines()->Lines(), (QStringList{"body 1", "body 2"}));
    QVERIFY(!FDialog->Expando()->ShowInFooter()); // the content section wins
    QVERIFY(!FDialog->Expando()->Visible());

    v.ExpandoContent.clear();
    ApplyDesignToDialog(v, FDialog);
    QCOMPARE(FDialog->Expando()->Lines()->Lines(), QStringList{"footer text"});
    QVERIFY(FDialog->Expando()->ShowInFooter());

    // Both empty: what an earlier apply set stays, and is still generated.
    ApplyDesignToDialog(TDesignValues(), FDialog);
    QCOMPARE(FDialog->Expando()->Lines()->Lines(), QStringList{"footer text"});
    QVERIFY(FDialog->Expando()->ShowInFooter());
    QVERIFY(RenderFormText(FDialog).contains(QStringLiteral("'footer text'")));
}

void tst_designvalues::headerAndFooterNeedText()
{
    TDesignValues v;
    v.HeaderIcon = QStringLiteral("Shield");
    v.FooterIcon = QStringLiteral("information");
    ApplyDesignToDialog(v, FDialog);
    QCOMPARE(FDialog->Header()->Icon(), tdiShield);
    QCOMPARE(FDialog->Footer()->Icon(), tdiInformation);
    QVERIFY(!FDialog->Header()->Visible());
    QVERIFY(!FDialog->Footer()->Visible());
    v.Header = QStringLiteral("Head");
    v.Footer = QStringLiteral("Foot");
    ApplyDesignToDialog(v, FDialog);
    QVERIFY(FDialog->Header()->Visible());
    QVERIFY(FDialog->Footer()->Visible());
    QCOMPARE(FDialog->Header()->Text(), QStringLiteral("Head"));
    QCOMPARE(FDialog->Footer()->Text(), QStringLiteral("Foot"));
}

void tst_designvalues::optionsAndButtons()
{
    TDesignValues v;
    ApplyDesignToDialog(v, FDialog);
    QCOMPARE(FDialog->DialogOptions(), TDialogOptions({doModal}));
    QCOMPARE(FDialog->ButtonBar()->Buttons(), TCommonButtons({cbOK, cbCancel}));

    v.Modal = false;
    v.RadioButtons = v.ProgressBarMarquee = v.TopMost = true;
    v.ButtonOK = v.ButtonCancel = false;
    v.ButtonYes = v.ButtonClose = true;
    ApplyDesignToDialog(v, FDialog);
    QCOMPARE(FDialog->DialogOptions(), TDialogOptions({doRadioButtons, doProgressBarMarquee, doTopMost}));
    QCOMPARE(FDialog->ButtonBar()->Buttons(), TCommonButtons({cbYes, cbClose}));
}

void tst_designvalues::verificationTextOnlyWhileChecked()
{
    TDesignValues v;
    v.VerificationChecked = true;
    v.VerificationCaption = QStringLiteral("Do not ask again");
    ApplyDesignToDialog(v, FDialog);
    QVERIFY(FDialog->Verification()->Visible());
    QCOMPARE(FDialog->Verification()->Text(), QStringLiteral("Do not ask again"));

    v.VerificationChecked = false;
    v.VerificationCaption = QStringLiteral("Verification");
    ApplyDesignToDialog(v, FDialog);
    QVERIFY(!FDialog->Verification()->Visible());
    QCOMPARE(FDialog->Verification()->Text(), QStringLiteral("Do not ask again"));
}

void tst_designvalues::helpLinkTextFollowsOption()
{
    TDesignValues v;
    v.ShowHelpLink = true;
    v.HelpLink = QStringLiteral("More help");
    ApplyDesignToDialog(v, FDialog);
    QVERIFY(FDialog->DialogOptions().Contains(doShowHelpLink));
    QCOMPARE(FDialog->HelpLink()->Text(), QStringLiteral("More help"));
    v.ShowHelpLink = false;
    ApplyDesignToDialog(v, FDialog);
    QVERIFY(!FDialog->DialogOptions().Contains(doShowHelpLink));
    QCOMPARE(FDialog->HelpLink()->Text(), QString());
}

// Filling the page from a dialog and applying the page to it again changes nothing in the dialog,
// for any dialog (random values in every published property, a fixed seed); so does the page with
// the items and settings beside it, which rebuild the collections.
void tst_designvalues::pageFromDialogIsTheInverse_data()
{
    QTest::addColumn<bool>("withItems");
    QTest::newRow("page") << false;
    QTest::newRow("page and items") << true;
}

void tst_designvalues::pageFromDialogIsTheInverse()
{
    QFETCH(bool, withItems);
    const quint32 seed = 14;
    QRandomGenerator random(seed);
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    (new TImageList(&root))->SetName(QStringLiteral("ImageList1"));
    for (int i = 0; i < 200; ++i) {
        TVxDialog dialog(&root);
        dialog.SetName(QStringLiteral("VxDialog1"));
        FillRandomly(dialog, root, random);
        // The page splits the expando caption at its first bar, so a show text cannot hold one.
        dialog.Expando()->SetShowText(dialog.Expando()->ShowText().remove(QLatin1Char('|')));
        const QByteArray before = ComponentFormText(&dialog);
        TDesignValues values = DesignFromDialog(&dialog);
        if (withItems)
            values.Items = DesignItemsFromDialog(&dialog);
        ApplyDesignToDialog(values, &dialog);
        const QByteArray after = ComponentFormText(&dialog);
        if (before != after)
            QFAIL(qPrintable(QStringLiteral("seed %1, dialog %2:\n%3\n---\n%4")
                                 .arg(seed)
                                 .arg(i)
                                 .arg(QString::fromUtf8(before), QString::fromUtf8(after))));
    }
}

void tst_designvalues::pageValuesOfALoadedDialog()
{
    TVxDialog dialog;
    dialog.SetTitle(QStringLiteral("T"));
    dialog.SetMainIcon(tdiShield);
    dialog.Content()->SetText(QStringLiteral("a\r\n\r\n"));
    dialog.Expando()->SetShowText(QStringLiteral("More"));
    dialog.Expando()->Lines()->SetText(QStringLiteral("x"));
    dialog.Expando()->SetShowInFooter(true);
    dialog.Footer()->SetText(QStringLiteral("F"));
    dialog.HelpLink()->SetText(QStringLiteral("kept while the option is off"));
    dialog.ButtonBar()->SetButtons({cbRetry, cbClose});
    const TDesignValues v = DesignFromDialog(&dialog);
    QCOMPARE(v.Title, QStringLiteral("T"));
    QCOMPARE(v.MainIcon, QStringLiteral("Shield"));
    QCOMPARE(v.Content, QStringLiteral("a\r\n\r\n")); // the empty last line survives
    QCOMPARE(v.ExpandoCaption, QStringLiteral("More|"));
    QCOMPARE(v.ExpandoFooter, QStringLiteral("x"));
    QCOMPARE(v.ExpandoContent, QString());
    QCOMPARE(v.Footer, QStringLiteral("F"));
    QCOMPARE(v.FooterVisible, std::optional<bool>(false)); // a text, yet hidden
    QVERIFY(v.KeepHelpLinkText);
    QVERIFY(v.ButtonClose && !v.ButtonOK && !v.ButtonCancel);
    QCOMPARE(v.OtherButtons, (TCommonButtons{cbRetry}));
    QVERIFY(!v.Modal == !dialog.DialogOptions().Contains(doModal));
}

QTEST_GUILESS_MAIN(tst_designvalues)
#include "tst_designvalues.moc"
