#include "StringList.h"

#include <QTest>

namespace {

// Records the order of OnChanging / OnChange calls of a list.
struct EventLog {
    explicit EventLog(TStrings& list)
    {
        list.OnChanging = TNotifyEvent([this, &list](TObject* sender) {
            QCOMPARE(sender, static_cast<TObject*>(&list));
            Events += QLatin1Char('<');
        });
        list.OnChange = TNotifyEvent([this, &list](TObject* sender) {
            QCOMPARE(sender, static_cast<TObject*>(&list));
            Events += QLatin1Char('>');
        });
    }
    QString Events;
};

template <typename F>
QString ListError(F&& f)
{
    try {
        f();
    } catch (const EListError& e) {
        return e.Message();
    }
    return QStringLiteral("no exception");
}

} // namespace

// A persistent class that string lists know nothing about.
class TOtherPersistent : public TPersistent {};

class TestStringList : public QObject {
    Q_OBJECT
private slots:
    void setText_data();
    void setText();
    void textJoinsWithCrLf();
    void editing();
    void indexOf();
    void badIndexRaises_data();
    void badIndexRaises();
    void notificationsOutsideUpdate();
    void notificationsInsideUpdate();
    void sameContentDoesNotNotify();
    void assign();
    void sortedAdd();
    void sortedDuplicates();
    void sortedCaseSensitivity();
    void sortedForbidsPositionalChanges();
    void findInSortedList();
    void definedProperties();
    void classInfo();
};

void TestStringList::setText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("one line without break") << "a" << QStringList{"a"};
    QTest::newRow("trailing CR LF adds nothing") << "a\r\n" << QStringList{"a"};
    QTest::newRow("CR LF") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("CR") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("mixed breaks") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("empty line inside") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("break alone is one empty line") << "\r\n" << QStringList{""};
    QTest::newRow("two trailing breaks keep one empty line") << "a\r\n\r\n" << QStringList{"a", ""};
    QTest::newRow("leading break") << "\nx" << QStringList{"", "x"};
    QTest::newRow("blanks kept") << "  a \r\n b" << QStringList{"  a ", " b"};
}

void TestStringList::setText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    TStringList list;
    list.Add(QStringLiteral("old"));
    list.SetText(text);
    QCOMPARE(list.Lines(), lines);
    QCOMPARE(list.Count(), lines.size());
    // Text puts CR LF after every line, so it reads back to the same lines.
    TStringList again;
    again.SetText(list.Text());
    QCOMPARE(again.Lines(), lines);
}

void TestStringList::textJoinsWithCrLf()
{
    TStringList list;
    QCOMPARE(list.Text(), QString());
    list.Add(QStringLiteral("one"));
    QCOMPARE(list.Text(), QStringLiteral("one\r\n"));
    list.Add(QString());
    list.Add(QStringLiteral("three"));
    QCOMPARE(list.Text(), QStringLiteral("one\r\n\r\nthree\r\n"));
}

void TestStringList::editing()
{
    TStringList list;
    QCOMPARE(list.Add(QStringLiteral("b")), 0);
    QCOMPARE(list.Add(QStringLiteral("d")), 1);
    list.Insert(0, QStringLiteral("a"));
    list.Insert(2, QStringLiteral("c"));
    list.Insert(4, QStringLiteral("e")); // at the end
    QCOMPARE(list.Lines(), QStringList({"a", "b", "c", "d", "e"}));
    list.Delete(1);
    list.Put(0, QStringLiteral("A"));
    QCOMPARE(list.Lines(), QStringList({"A", "c", "d", "e"}));
    QCOMPARE(list.Strings(3), QStringLiteral("e"));
    list.AddStrings({QStringLiteral("f"), QStringLiteral("g")});
    QCOMPARE(list.Count(), 6);
    list.Clear();
    QCOMPARE(list.Count(), 0);
}

void TestStringList::indexOf()
{
    TStringList list;
    list.SetText(QStringLiteral("Alpha\nbeta\nALPHA"));
    QCOMPARE(list.IndexOf(QStringLiteral("alpha")), 0);
    QCOMPARE(list.IndexOf(QStringLiteral("BETA")), 1);
    QCOMPARE(list.IndexOf(QStringLiteral("gamma")), -1);
    list.SetCaseSensitive(true);
    QCOMPARE(list.IndexOf(QStringLiteral("ALPHA")), 2);
    QCOMPARE(list.IndexOf(QStringLiteral("alpha")), -1);
    // The base class compares without case.
    TStrings& base = list;
    QCOMPARE(base.TStrings::IndexOf(QStringLiteral("alpha")), 0);
}

void TestStringList::badIndexRaises_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("message");
    // The list holds two lines.
    QTest::newRow("read past the end") << 0 << 2 << "List index out of bounds (2)";
    QTest::newRow("read negative") << 0 << -1 << "List index out of bounds (-1)";
    QTest::newRow("put past the end") << 1 << 2 << "List index out of bounds (2)";
    QTest::newRow("delete past the end") << 2 << 5 << "List index out of bounds (5)";
    QTest::newRow("delete negative") << 2 << -3 << "List index out of bounds (-3)";
    QTest::newRow("insert beyond the end") << 3 << 3 << "List index out of bounds (3)";
    QTest::newRow("insert negative") << 3 << -1 << "List index out of bounds (-1)";
}

void TestStringList::badIndexRaises()
{
    QFETCH(int, operation);
    QFETCH(int, index);
    QFETCH(QString, message);
    TStringList list;
    list.SetText(QStringLiteral("a\nb"));
    EventLog log(list);
    const QString error = ListError([&] {
        switch (operation) {
        case 0:
            list.Strings(index);
            break;
        case 1:
            list.Put(index, QStringLiteral("x"));
            break;
        case 2:
            list.Delete(index);
            break;
        default:
            list.Insert(index, QStringLiteral("x"));
            break;
        }
    });
    QCOMPARE(error, message);
    QCOMPARE(list.Lines(), QStringList({"a", "b"}));
    QCOMPARE(log.Events, QString()); // a refused change is not announced
}

void TestStringList::notificationsOutsideUpdate()
{
    TStringList list;
    EventLog log(list);
    list.Add(QStringLiteral("a"));
    QCOMPARE(log.Events, QStringLiteral("<>"));
    list.Insert(0, QStringLiteral("b"));
    list.Put(0, QStringLiteral("c"));
    list.Delete(0);
    QCOMPARE(log.Events, QStringLiteral("<><><><>"));
    list.Clear();
    QCOMPARE(log.Events, QStringLiteral("<><><><><>"));
    list.Clear(); // already empty
    QCOMPARE(log.Events.size(), 10);
    log.Events.clear();
    list.SetText(QStringLiteral("x\ny\nz")); // one change for the whole text
    QCOMPARE(log.Events, QStringLiteral("<>"));
    list.AddStrings({QStringLiteral("1"), QStringLiteral("2")});
    QCOMPARE(log.Events, QStringLiteral("<><>"));
}

void TestStringList::notificationsInsideUpdate()
{
    TStringList list;
    EventLog log(list);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(QStringLiteral("a"));
    QCOMPARE(log.Events, QStringLiteral("<")); // announced before the first change only
    list.Add(QStringLiteral("b"));
    list.Delete(0);
    list.EndUpdate();
    QCOMPARE(log.Events, QStringLiteral("<"));
    QCOMPARE(list.UpdateCount(), 1);
    list.EndUpdate();
    QCOMPARE(log.Events, QStringLiteral("<>"));
    QCOMPARE(list.UpdateCount(), 0);

    // An update without changes fires nothing.
    log.Events.clear();
    list.BeginUpdate();
    list.Clear();
    list.Clear();
    list.EndUpdate();
    QCOMPARE(log.Events, QStringLiteral("<>"));
    log.Events.clear();
    list.BeginUpdate();
    list.EndUpdate();
    QCOMPARE(log.Events, QString());
    list.EndUpdate(); // unbalanced: ignored
    QCOMPARE(list.UpdateCount(), 0);
    list.Add(QStringLiteral("c"));
    QCOMPARE(log.Events, QStringLiteral("<>"));
}

void TestStringList::sameContentDoesNotNotify()
{
    TStringList list;
    list.SetText(QStringLiteral("a\nb"));
    EventLog log(list);
    list.SetText(QStringLiteral("a\r\nb\r\n"));
    list.Put(1, QStringLiteral("b"));
    TStringList same;
    same.SetText(QStringLiteral("a\nb"));
    list.Assign(&same);
    QCOMPARE(log.Events, QString());
    list.Put(1, QStringLiteral("B")); // case matters for content
    QCOMPARE(log.Events, QStringLiteral("<>"));
}

void TestStringList::assign()
{
    TStringList source;
    source.SetText(QStringLiteral("one\ntwo"));
    TStringList dest;
    dest.Add(QStringLiteral("old"));
    EventLog log(dest);
    dest.Assign(&source);
    QCOMPARE(dest.Lines(), source.Lines());
    QVERIFY(dest.Equals(source));
    QCOMPARE(log.Events, QStringLiteral("<>"));

    // A sorted destination sorts what it receives.
    TStringList sorted;
    sorted.SetSorted(true);
    sorted.Assign(&source);
    QCOMPARE(sorted.Lines(), QStringList({"one", "two"}));
    source.SetText(QStringLiteral("zeta\nalpha"));
    sorted.Assign(&source);
    QCOMPARE(sorted.Lines(), QStringList({"alpha", "zeta"}));

    TOtherPersistent other;
    try {
        dest.Assign(&other);
        QFAIL("no exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Cannot assign a TOtherPersistent to a TStringList"));
    }
    try {
        dest.Assign(nullptr);
        QFAIL("no exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Cannot assign a nil to a TStringList"));
    }
    QCOMPARE(dest.Lines(), QStringList({"one", "two"}));
}

void TestStringList::sortedAdd()
{
    TStringList list;
    list.SetText(QStringLiteral("pear\nApple\nfig"));
    EventLog log(list);
    list.SetSorted(true);
    QCOMPARE(list.Lines(), QStringList({"Apple", "fig", "pear"})); // without case by default
    QCOMPARE(log.Events, QStringLiteral("<>"));
    QCOMPARE(list.Add(QStringLiteral("banana")), 1);
    QCOMPARE(list.Add(QStringLiteral("zucchini")), 4);
    QCOMPARE(list.Add(QStringLiteral("aardvark")), 0);
    QCOMPARE(list.Lines(), QStringList({"aardvark", "Apple", "banana", "fig", "pear", "zucchini"}));
    log.Events.clear();
    list.SetSorted(true);
    list.Sort(); // already in order
    QCOMPARE(log.Events, QString());
}

void TestStringList::sortedDuplicates()
{
    TStringList list;
    list.SetSorted(true);
    list.Add(QStringLiteral("a"));
    list.Add(QStringLiteral("b"));
    list.Add(QStringLiteral("c"));
    EventLog log(list);

    // dupIgnore (the default): the existing entry's index, nothing added.
    QCOMPARE(list.Add(QStringLiteral("B")), 1);
    QCOMPARE(list.Count(), 3);
    QCOMPARE(log.Events, QString());

    // dupError raises and leaves the list alone.
    list.SetDuplicates(dupError);
    QCOMPARE(ListError([&] { list.Add(QStringLiteral("b")); }), QStringLiteral("String list does not allow duplicates"));
    QCOMPARE(list.Count(), 3);
    QCOMPARE(log.Events, QString());

    // dupAccept: after the equal entries.
    list.SetDuplicates(dupAccept);
    QCOMPARE(list.Add(QStringLiteral("B")), 2);
    QCOMPARE(list.Add(QStringLiteral("b2")), 3);
    QCOMPARE(list.Add(QStringLiteral("b")), 3);
    QCOMPARE(list.Lines(), QStringList({"a", "b", "B", "b", "b2", "c"}));
    QCOMPARE(log.Events, QStringLiteral("<><><>"));
}

void TestStringList::sortedCaseSensitivity()
{
    TStringList list;
    list.SetText(QStringLiteral("b\nB\na\nA"));
    list.SetSorted(true);
    QCOMPARE(list.Lines(), QStringList({"a", "A", "b", "B"})); // equal entries keep their order
    QCOMPARE(list.IndexOf(QStringLiteral("B")), 2);
    list.SetCaseSensitive(true); // re-sorts
    QCOMPARE(list.Lines(), QStringList({"A", "B", "a", "b"}));
    QCOMPARE(list.IndexOf(QStringLiteral("b")), 3);
    QCOMPARE(list.IndexOf(QStringLiteral("c")), -1);
}

void TestStringList::sortedForbidsPositionalChanges()
{
    TStringList list;
    list.SetSorted(true);
    list.Add(QStringLiteral("m"));
    QCOMPARE(ListError([&] { list.Insert(0, QStringLiteral("a")); }), QStringLiteral("Operation not allowed on sorted list"));
    QCOMPARE(ListError([&] { list.Put(0, QStringLiteral("z")); }), QStringLiteral("Operation not allowed on sorted list"));
    QCOMPARE(list.Lines(), QStringList({"m"}));
    list.Delete(0); // removing keeps the order
    QCOMPARE(list.Count(), 0);
    list.SetSorted(false);
    list.Insert(0, QStringLiteral("z"));
    list.Insert(1, QStringLiteral("a"));
    QCOMPARE(list.Lines(), QStringList({"z", "a"}));
}

void TestStringList::findInSortedList()
{
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    for (const char* s : {"d", "b", "f", "b", "h"})
        list.Add(QString::fromLatin1(s));
    QCOMPARE(list.Lines(), QStringList({"b", "b", "d", "f", "h"}));
    int index = -1;
    QVERIFY(list.Find(QStringLiteral("B"), index));
    QCOMPARE(index, 0); // the first of the equal entries
    QVERIFY(list.Find(QStringLiteral("h"), index));
    QCOMPARE(index, 4);
    QVERIFY(!list.Find(QStringLiteral("e"), index));
    QCOMPARE(index, 3); // insertion place
    QVERIFY(!list.Find(QStringLiteral("a"), index));
    QCOMPARE(index, 0);
    QVERIFY(!list.Find(QStringLiteral("z"), index));
    QCOMPARE(index, 5);
    TStringList empty;
    QVERIFY(!empty.Find(QStringLiteral("x"), index));
    QCOMPARE(index, 0);
}

void TestStringList::definedProperties()
{
    TStringList list;
    QList<TDefinedProperty> filer;
    list.DefineProperties(filer);
    QVERIFY(filer.isEmpty());
    list.SetText(QStringLiteral("first\n\nthird"));
    list.DefineProperties(filer);
    QCOMPARE(filer.size(), 1);
    QCOMPARE(filer.at(0).Name, QStringLiteral("Strings"));
    QVERIFY(std::holds_alternative<QStringList>(filer.at(0).Value));
    QCOMPARE(std::get<QStringList>(filer.at(0).Value), QStringList({"first", "", "third"}));
}

void TestStringList::classInfo()
{
    TStringList list;
    QVERIFY(list.ClassInfo());
    QCOMPARE(list.ClassName(), QStringLiteral("TStringList"));
    QVERIFY(list.ClassInfo()->Properties().empty());
    QVERIFY(!list.ClassInfo()->Parent());
}

QTEST_GUILESS_MAIN(TestStringList)
#include "tst_stringlist.moc"
