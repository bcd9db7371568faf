#include "VxDialogStrs.h"

#include <QDir>
#include <QHash>
#include <QLocale>
#include <QTranslator>
#include <QtTest>

namespace {

// The 33 keys in their registration order.
const QStringList RegisteredKeys = {
    "Assigned source must be a TVxDialog",
    "You must associate a Help File with your application",
    "&Yes", "&No", "OK", "Cancel", "&Help", "&Abort", "&Retry", "&Ignore", "&All", "N&o to All",
    "Yes to &All", "&Close", "Confirmation", "Warning", "Error", "Information", "Enter Password",
    "Change Password", "Change Password", "Enter your password", "Change your password",
    "Change your password", "Enter and confirm your new password.",
    "Enter and confirm your new password.", "Entered passwords must be the same.",
    "Show passwords as plain text", "Invalid dialog type (%s) using %s.", "&Enter Password",
    "&Old Password", "&New Password", "&Confirm New Password",
};

// The resources in registration order, as the rest of the program names them.
const TVxResString* const Resources[] = {
    &SVxAssignError, &SVxNoHelpFile, &SVxMsgDlgYes, &SVxMsgDlgNo, &SVxMsgDlgOK, &SVxMsgDlgCancel,
    &SVxMsgDlgHelp, &SVxMsgDlgAbort, &SVxMsgDlgRetry, &SVxMsgDlgIgnore, &SVxMsgDlgAll,
    &SVxMsgDlgNoToAll, &SVxMsgDlgYesToAll, &SVxMsgDlgClose, &SVxMsgDlgConfirm, &SVxMsgDlgWarning,
    &SVxMsgDlgError, &SVxMsgDlgInformation, &SVxEnterPasswordCaption, &SVxChangePasswordCaption,
    &SVxChangePasswordTitle, &SVxEnterPasswordInstruction, &SVxChangePasswordInstruction,
    &SVxChangePasswordHeader, &SVxNewPasswordContent, &SVxChangePasswordContent,
    &SVxPasswordsDiffer, &SVxShowPasswords, &SVxInvalidDialogType, &SVxEnterPasswordLabel,
    &SVxOldPasswordLabel, &SVxNewPasswordLabel, &SVxConfirmPasswordLabel,
};

QStringList CommonButtonCaptions()
{
    QStringList captions;
    for (int kind = 0; CommonButtonResString(kind); ++kind)
        captions << TranslateString(QString::fromUtf8(CommonButtonResString(kind)->Text));
    return captions;
}

} // namespace

class TestStringTable : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void registersTheEntriesSortedWithDuplicates();
    void resourceModeLookup_data();
    void resourceModeLookup();
    void translationMode();
    void commonButtonCaptionsFollowTheButtonKinds();

    void languageSwitchChangesCaptions_data();
    void languageSwitchChangesCaptions();
    void catalogueCoversEveryText_data();
    void catalogueCoversEveryText();
    void buttonCaptionsTellApart_data();
    void buttonCaptionsTellApart();
    void translationModeTakesTheLanguageOfItsStart();
};

void TestStringTable::cleanup()
{
    InstallStringTableTranslation(QLocale(QLocale::English));
    UseResourceStrings = true;
    InitStringTable();
}

void TestStringTable::registersTheEntriesSortedWithDuplicates()
{
    TVxStringTable* table = StringTable();
    QCOMPARE(table->Count(), 33);
    QStringList keys;
    for (int i = 0; i < table->Count(); ++i)
        keys << table->Entry(i).Key;
    for (int i = 1; i < keys.size(); ++i)
        QVERIFY2(QString::compare(keys[i - 1], keys[i], Qt::CaseInsensitive) <= 0,
                 qPrintable(keys[i - 1] + " before " + keys[i]));
    QStringList expected = RegisteredKeys;
    QStringList actual = keys;
    expected.sort(Qt::CaseInsensitive);
    actual.sort(Qt::CaseInsensitive);
    QCOMPARE(actual, expected);
    QCOMPARE(keys.count("Change Password"), 2);
    QCOMPARE(keys.count("Change your password"), 2);
    QCOMPARE(keys.count("Enter and confirm your new password."), 2);

    // Every resource is registered under its own text, once.
    for (const TVxResString* res : Resources) {
        int hits = 0;
        for (int i = 0; i < table->Count(); ++i)
            if (table->Entry(i).Resource == res) {
                ++hits;
                QCOMPARE(table->Entry(i).Key, QString::fromUtf8(res->Text));
            }
        QCOMPARE(hits, 1);
    }
    // A duplicate is added in front of the equal keys, so the newest registration is found.
    QCOMPARE(FindResString("Change Password"), &SVxChangePasswordTitle);
    QCOMPARE(FindResString("Change your password"), &SVxChangePasswordHeader);

    // Building again starts from scratch.
    InitStringTable();
    QCOMPARE(StringTable()->Count(), 33);
}

void TestStringTable::resourceModeLookup_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("found");
    QTest::newRow("yes") << "&Yes" << "&Yes" << true;
    QTest::newRow("first key") << "Assigned source must be a TVxDialog" << "Assigned source must be a TVxDialog" << true;
    QTest::newRow("last key") << "&Confirm New Password" << "&Confirm New Password" << true;
    QTest::newRow("upper case") << "&YES" << "&Yes" << true;
    QTest::newRow("lower case") << "warning" << "Warning" << true;
    QTest::newRow("mixed case two words") << "yES TO &aLL" << "Yes to &All" << true;
    QTest::newRow("without accelerator") << "Yes" << QString() << false;
    QTest::newRow("not a key") << "Frobnicate" << QString() << false;
    QTest::newRow("empty") << "" << QString() << false;
    QTest::newRow("prefix of a key") << "Change" << QString() << false;
}

void TestStringTable::resourceModeLookup()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QFETCH(bool, found);
    QVERIFY(UseResourceStrings);
    QCOMPARE(TranslateString(key), expected);
    QCOMPARE(FindResString(key) != nullptr, found);
    // GetTranslation has no translations to give in resource mode: the key comes back.
    QCOMPARE(GetTranslation(key), key);
}

void TestStringTable::translationMode()
{
    UseResourceStrings = false;
    InitStringTable();
    QCOMPARE(StringTable()->Count(), 33);
    QCOMPARE(TranslateString("&Yes"), QString("&Yes"));
    QCOMPARE(TranslateString("&yes"), QString("&Yes"));
    QCOMPARE(TranslateString("Frobnicate"), QString("Frobnicate"));
    QCOMPARE(FindResString("&Yes"), nullptr);

    // The translation is replaceable per entry.
    int index = -1;
    QVERIFY(StringTable()->Find("Warning", index));
    StringTable()->Entry(index).Object->Translation = "Achtung";
    QCOMPARE(TranslateString("WARNING"), QString("Achtung"));
    QCOMPARE(GetTranslation("Warning"), QString("Achtung"));
    QCOMPARE(TranslateString("Error"), QString("Error"));

    FreeTranslations();
    for (int i = 0; i < StringTable()->Count(); ++i)
        QVERIFY(!StringTable()->Entry(i).Object);
    QCOMPARE(TranslateString("Warning"), QString("Warning"));
}

void TestStringTable::commonButtonCaptionsFollowTheButtonKinds()
{
    QCOMPARE(CommonButtonCaptions(),
             QStringList({"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All",
                          "N&o to All", "Yes to &All", "&Help", "&Close"}));
    QCOMPARE(CommonButtonResString(-1), nullptr);
    QCOMPARE(CommonButtonResString(12), nullptr);
}

void TestStringTable::languageSwitchChangesCaptions_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("warning");
    const QStringList english = {"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore",
                                 "&All", "N&o to All", "Yes to &All", "&Help", "&Close"};
    const QStringList german = {"&Ja", "&Nein", "OK", "Abbrechen", "A&bbruch", "&Wiederholen",
                                "&Ignorieren", "&Alle", "N&ein für alle", "Ja für a&lle", "&Hilfe",
                                "&Schließen"};
    const QStringList french = {"&Oui", "&Non", "OK", "Annuler", "A&bandonner", "&Réessayer",
                                "&Ignorer", "&Tout", "Non pour to&ut", "Oui &pour tout", "&Aide", "&Fermer"};
    QTest::newRow("German") << QLocale("de_DE") << true << german << "Warnung";
    QTest::newRow("Austrian German") << QLocale("de_AT") << true << german << "Warnung";
    QTest::newRow("French") << QLocale("fr_FR") << true << french << "Avertissement";
    QTest::newRow("Canadian French") << QLocale("fr_CA") << true << french << "Avertissement";
    QTest::newRow("English") << QLocale("en_GB") << false << english << "Warning";
    QTest::newRow("no catalogue") << QLocale("ja_JP") << false << english << "Warning";
}

void TestStringTable::languageSwitchChangesCaptions()
{
    QFETCH(QLocale, locale);
    QFETCH(bool, installed);
    QFETCH(QStringList, captions);
    QFETCH(QString, warning);
    // Start from another language each time, so a catalogue left behind would show.
    QVERIFY(InstallStringTableTranslation(QLocale("fr_FR")));
    QVERIFY(InstallStringTableTranslation(QLocale("de_DE")));
    QCOMPARE(InstallStringTableTranslation(locale), installed);
    QCOMPARE(CommonButtonCaptions(), captions);
    QCOMPARE(TranslateString("Warning"), warning);
    QCOMPARE(TranslateString("wARNING"), warning);
}

// One row per catalogue built into the program, so a new language is checked as it is added.
void AddCatalogueRows()
{
    QTest::addColumn<QString>("language");
    const QStringList files = QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("quillfen_*.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString language = file.mid(9, file.size() - 9 - 3);
        QTest::newRow(qPrintable(language)) << language;
    }
    // No catalogue at all is a fault of the build: the row fails to load.
    if (files.isEmpty())
        QTest::newRow("no catalogue built in") << QString();
}

void TestStringTable::catalogueCoversEveryText_data()
{
    AddCatalogueRows();
}

void TestStringTable::catalogueCoversEveryText()
{
    QFETCH(QString, language);
    QTranslator catalogue;
    QVERIFY(catalogue.load("quillfen_" + language, ":/i18n"));
    for (const TVxResString* res : Resources) {
        const QString english = QString::fromUtf8(res->Text);
        const QString text = catalogue.translate(VxDialogStrsContext, res->Text, *res->Comment ? res->Comment : nullptr);
        QVERIFY2(!text.isEmpty(), qPrintable(language + ": no translation of " + english));
        // Accelerators and format arguments survive translation.
        QCOMPARE(text.count('&'), english.count('&'));
        QCOMPARE(text.count("%s"), english.count("%s"));
    }
}

void TestStringTable::buttonCaptionsTellApart_data()
{
    AddCatalogueRows();
}

void TestStringTable::buttonCaptionsTellApart()
{
    // Any common buttons can share one box: in every catalogue each caption that has an
    // accelerator keeps one, no two share a key, and no two read the same.
    QFETCH(QString, language);
    QTranslator catalogue;
    QVERIFY(catalogue.load("quillfen_" + language, ":/i18n"));
    QHash<QChar, QString> keys;
    QHash<QString, QString> texts;
    for (int kind = 0; const TVxResString* res = CommonButtonResString(kind); ++kind) {
        const QString english = QString::fromUtf8(res->Text);
        const QString caption = catalogue.translate(VxDialogStrsContext, res->Text, *res->Comment ? res->Comment : nullptr);
        QVERIFY2(!caption.isEmpty(), qPrintable(english));
        const qsizetype amp = caption.indexOf(QLatin1Char('&'));
        QCOMPARE(amp >= 0, english.contains(QLatin1Char('&')));
        if (amp >= 0) {
            QVERIFY2(amp + 1 < caption.size() && caption.at(amp + 1).isLetterOrNumber(), qPrintable(caption));
            const QChar key = caption.at(amp + 1).toLower();
            QVERIFY2(!keys.contains(key), qPrintable(caption + " and " + keys.value(key) + " share the key " + key));
            keys.insert(key, caption);
        }
        const QString plain = QString(caption).remove(QLatin1Char('&')).toLower();
        QVERIFY2(!texts.contains(plain), qPrintable(caption + " reads as " + texts.value(plain)));
        texts.insert(plain, caption);
    }
    QCOMPARE(texts.size(), 12);
}

void TestStringTable::translationModeTakesTheLanguageOfItsStart()
{
    QVERIFY(InstallStringTableTranslation(QLocale("de_DE")));
    UseResourceStrings = false;
    InitStringTable();
    // Keys stay English; the translations are the texts of the language at start.
    QCOMPARE(TranslateString("&Yes"), QString("&Ja"));
    QCOMPARE(TranslateString("Enter and confirm your new password."),
             QString("Geben Sie Ihr neues Kennwort ein und bestätigen Sie es."));
    QVERIFY(InstallStringTableTranslation(QLocale("fr_FR")));
    QCOMPARE(TranslateString("&Yes"), QString("&Ja"));
}

QTEST_GUILESS_MAIN(TestStringTable)
#include "tst_stringtable.moc"
