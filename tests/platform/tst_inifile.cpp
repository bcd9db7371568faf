#include "IniFile.h"
#include "SysUtils.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray ReadAll(const QString& Path)
{
    QFile F(Path);
    if (!F.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return F.readAll();
}

void WriteAll(const QString& Path, const QByteArray& Bytes)
{
    QFile F(Path);
    QVERIFY(F.open(QIODevice::WriteOnly));
    QCOMPARE(F.write(Bytes), Bytes.size());
}

QByteArray Crlf(QByteArray Lf)
{
    return Lf.replace("\n", "\r\n");
}

// A file another program wrote: a comment before the first section, blank lines, blanks around
// "=", a line without "=", a section we do not know, and keys we do not know.
const QByteArray Foreign = "; colours of my command links\n"
                           "\n"
                           "[General]\n"
                           "Version = 1\n"
                           "Owner=someone else\n"
                           "\n"
                           "[Color]\n"
                           "  FontColor =  clRed  \n"
                           "# a comment inside\n"
                           "just a remark\n"
                           "BorderInner=$00C6C6C6\n"
                           "\n"
                           "; belongs to the next section\n"
                           "[Other]\n"
                           "Key=Value\n";

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    QString Path(const QString& Name) const { return FDir.filePath(Name); }

private slots:
    void initTestCase() { QVERIFY(FDir.isValid()); }

    void unchangedRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("LF") << Foreign << Crlf(Foreign);
        QTest::newRow("CR LF") << Crlf(Foreign) << Crlf(Foreign);
        QTest::newRow("CR") << QByteArray(Foreign).replace('\n', '\r') << Crlf(Foreign);
        QTest::newRow("no final line end") << QByteArray("[A]\r\nx=1") << QByteArray("[A]\r\nx=1\r\n");
        QTest::newRow("byte order mark kept") << QByteArray("\xEF\xBB\xBF[A]\nx=\xC3\xA4\n")
                                              << QByteArray("\xEF\xBB\xBF[A]\r\nx=\xC3\xA4\r\n");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }

    void unchangedRoundTrip()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, written);
        const QString File = Path("roundtrip.ini");
        WriteAll(File, content);
        TIniFile Ini(File);
        Ini.UpdateFile();
        QCOMPARE(ReadAll(File), written);
    }

    void reading()
    {
        const QString File = Path("reading.ini");
        WriteAll(File, Foreign);
        const TIniFile Ini(File);
        QCOMPARE(Ini.ReadString("Color", "FontColor", "x"), QStringLiteral("clRed"));
        QCOMPARE(Ini.ReadString("color", "fontcolor", "x"), QStringLiteral("clRed"));
        QCOMPARE(Ini.ReadString("COLOR", "BORDERINNER", "x"), QStringLiteral("$00C6C6C6"));
        QCOMPARE(Ini.ReadString("Color", "just a remark", "x"), QStringLiteral("x"));
        QCOMPARE(Ini.ReadString("Color", "Owner", "x"), QStringLiteral("x")); // other section
        QCOMPARE(Ini.ReadString("Nowhere", "Key", "x"), QStringLiteral("x"));
        QCOMPARE(Ini.ReadInteger("General", "Version", 0), 1);
        QVERIFY(Ini.SectionExists("other"));
        QVERIFY(!Ini.SectionExists("Key"));
        QVERIFY(Ini.ValueExists("general", "OWNER"));
        QVERIFY(!Ini.ValueExists("Other", "Owner"));
        QCOMPARE(Ini.ReadSection("Color"), (QStringList{"FontColor", "BorderInner"}));
        QCOMPARE(Ini.ReadSections(), (QStringList{"General", "Color", "Other"}));
    }

    // Many names, each twice in another case: each listed once, as first written.
    void manyNames()
    {
        QByteArray content;
        QStringList sections;
        QStringList keys;
        for (int i = 0; i < 20000; ++i) {
            sections << QStringLiteral("Sec%1").arg(i);
            keys << QStringLiteral("Key%1").arg(i);
        }
        content += "[Big]\n";
        for (int i = 0; i < 20000; ++i)
            content += "Key" + QByteArray::number(i) + "=1\nKEY" + QByteArray::number(i) + "=2\n";
        for (int i = 0; i < 20000; ++i)
            content += "[Sec" + QByteArray::number(i) + "]\n[SEC" + QByteArray::number(i) + "]\n";
        const QString File = Path("many.ini");
        WriteAll(File, content);
        const TIniFile Ini(File);
        QCOMPARE(Ini.ReadSection("big"), keys);
        QCOMPARE(Ini.ReadSections(), QStringList{"Big"} + sections);
    }

    void changesInPlace()
    {
        const QString File = Path("changes.ini");
        WriteAll(File, Foreign);
        {
            TIniFile Ini(File);
            Ini.WriteString("color", "FONTCOLOR", "$000000FF"); // existing key, other case
            Ini.WriteString("Color", "BorderInner", "$00C6C6C6"); // same value: line untouched
            Ini.WriteInteger("General", "Size", 12);             // new key in a known section
            Ini.WriteBool("Color", "Enabled", true);
            Ini.WriteString("Fresh", "A", "1");                  // new section
            Ini.WriteString("Fresh", "B", "2");
            Ini.UpdateFile();
        }
        const QByteArray Expected = Crlf("; colours of my command links\n"
                                         "\n"
                                         "[General]\n"
                                         "Version = 1\n"
                                         "Owner=someone else\n"
                                         "Size=12\n"
                                         "\n"
                                         "[Color]\n"
                                         "FontColor=$000000FF\n"
                                         "# a comment inside\n"
                                         "just a remark\n"
                                         "BorderInner=$00C6C6C6\n"
                                         "Enabled=1\n"
                                         "\n"
                                         "; belongs to the next section\n"
                                         "[Other]\n"
                                         "Key=Value\n"
                                         "[Fresh]\n"
                                         "A=1\n"
                                         "B=2\n");
        QCOMPARE(ReadAll(File), Expected);

        const TIniFile Again(File);
        QCOMPARE(Again.ReadString("Color", "FontColor", {}), QStringLiteral("$000000FF"));
        QCOMPARE(Again.ReadInteger("General", "Size", 0), 12);
        QCOMPARE(Again.ReadBool("Color", "Enabled", false), true);
        QCOMPARE(Again.ReadSection("Fresh"), (QStringList{"A", "B"}));
    }

    void newKeyInSectionWithoutKeys()
    {
        const QString File = Path("headeronly.ini");
        WriteAll(File, "[A]\n; note\n[B]\n");
        TIniFile Ini(File);
        Ini.WriteString("A", "k", "v");
        Ini.UpdateFile();
        QCOMPARE(ReadAll(File), QByteArray("[A]\r\nk=v\r\n; note\r\n[B]\r\n"));
    }

    void eraseAndDelete()
    {
        const QString File = Path("erase.ini");
        WriteAll(File, Foreign + "[color]\nLate=1\n");
        TIniFile Ini(File);
        Ini.DeleteKey("GENERAL", "owner");
        Ini.DeleteKey("General", "Missing");
        Ini.EraseSection("Color"); // both sections of that name
        Ini.EraseSection("Missing");
        QVERIFY(!Ini.SectionExists("Color"));
        QVERIFY(!Ini.ValueExists("General", "Owner"));
        Ini.UpdateFile();
        QCOMPARE(ReadAll(File), Crlf("; colours of my command links\n"
                                     "\n"
                                     "[General]\n"
                                     "Version = 1\n"
                                     "\n"
                                     "[Other]\n"
                                     "Key=Value\n"));
    }

    void duplicatesFirstWins()
    {
        const QString File = Path("dupes.ini");
        WriteAll(File, "[A]\nk=1\nK=2\n[a]\nk=3\n");
        TIniFile Ini(File);
        QCOMPARE(Ini.ReadString("A", "k", {}), QStringLiteral("1"));
        QCOMPARE(Ini.ReadSection("a"), QStringList{"k"});
        Ini.WriteString("a", "K", "9");
        Ini.UpdateFile();
        QCOMPARE(ReadAll(File), QByteArray("[A]\r\nk=9\r\nK=2\r\n[a]\r\nk=3\r\n"));
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("integer");
        QTest::addColumn<bool>("boolean");
        // Defaults used below: integer -7, boolean true.
        QTest::newRow("decimal") << "42" << 42 << true;
        QTest::newRow("zero") << "0" << 0 << false;
        QTest::newRow("negative") << "-5" << -5 << true;
        QTest::newRow("dollar hex") << "$1F" << 31 << true;
        QTest::newRow("0x hex") << "0x1f" << 31 << true;
        QTest::newRow("32-bit pattern") << "$FFFFFFFF" << -1 << true;
        QTest::newRow("too big") << "99999999999" << -7 << true;
        QTest::newRow("text") << "false" << -7 << true;
        QTest::newRow("trailing junk") << "12px" << -7 << true;
        QTest::newRow("empty") << "" << -7 << true;
    }

    void numbers()
    {
        QFETCH(QString, value);
        QFETCH(int, integer);
        QFETCH(bool, boolean);
        const QString File = Path("numbers.ini");
        QFile::remove(File);
        TIniFile Ini(File);
        Ini.WriteString("N", "v", value);
        QCOMPARE(Ini.ReadInteger("N", "v", -7), integer);
        QCOMPARE(Ini.ReadBool("N", "v", true), boolean);
        QCOMPARE(Ini.ReadInteger("N", "absent", -7), -7);
    }

    void missingFile()
    {
        const QString File = Path("missing.ini");
        QVERIFY(!QFile::exists(File));
        TIniFile Ini(File);
        QVERIFY(Ini.ReadSections().isEmpty());
        QCOMPARE(Ini.ReadString("General", "Version", "d"), QStringLiteral("d"));
        QVERIFY(!QFile::exists(File)); // reading creates nothing
        Ini.WriteInteger("General", "Version", 1);
        Ini.UpdateFile();
        QCOMPARE(ReadAll(File), QByteArray("[General]\r\nVersion=1\r\n"));
    }

    void unwritablePath()
    {
        const QString Blocker = Path("plainfile");
        WriteAll(Blocker, "x");
        const QString File = Blocker + "/colors.ini"; // a folder that is a file
        TIniFile Ini(File);
        Ini.WriteString("A", "b", "c");
        try {
            Ini.UpdateFile();
            QFAIL("UpdateFile wrote into a file's path");
        } catch (const EInOutError& E) {
            QVERIFY2(E.Message().contains(File), qPrintable(E.Message()));
        }
    }

    void unreadableFile()
    {
        QVERIFY_THROWS_EXCEPTION(EInOutError, TIniFile(FDir.path()));
    }

    // Texts that would change the file's structure are refused and leave the file as it was.
    void structureBreakingTexts_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("line break in value") << "A" << "k" << "x\r\n[Injected]";
        QTest::newRow("equals in key") << "A" << "k=v" << "x";
        QTest::newRow("empty key") << "A" << " " << "x";
        QTest::newRow("comment key") << "A" << ";k" << "x";
        QTest::newRow("bracket in section") << "A]x" << "k" << "x";
        QTest::newRow("line break in section") << "A\nB" << "k" << "x";
    }

    void structureBreakingTexts()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QString File = Path("structure.ini");
        WriteAll(File, "[A]\r\nk=1\r\n");
        TIniFile Ini(File);
        QVERIFY_THROWS_EXCEPTION(EInOutError, Ini.WriteString(section, key, value));
        Ini.UpdateFile();
        QCOMPARE(ReadAll(File), QByteArray("[A]\r\nk=1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
