// Radio button and custom button collections: numbering, captions, lookups, display names,
// copying and the dialog-level radio operations.

#include "ImageList.h"
#include "VxCollections.h"
#include "VxDialog.h"

#include <QtTest>

namespace {

class SpyDialog : public TVxDialog {
public:
    using TVxDialog::TVxDialog;
    int Repositions = 0;
    QList<QPair<int, bool>> Enabled;
    void PositionRadioButtons() override { ++Repositions; }
    void EnableButton(int AValue, bool AEnabled) override { Enabled.append({AValue, AEnabled}); }
};

QList<int> Values(const TVxRadioButtons& c)
{
    QList<int> v;
    for (int i = 0; i < c.Count(); ++i)
        v << c.Items(i)->Value();
    return v;
}

QList<int> Values(const TVxCustomButtons& c)
{
    QList<int> v;
    for (int i = 0; i < c.Count(); ++i)
        v << c.Items(i)->Value();
    return v;
}

QList<bool> CheckedStates(const TVxRadioButtons& c)
{
    QList<bool> v;
    for (int i = 0; i < c.Count(); ++i)
        v << c.Items(i)->Checked();
    return v;
}

QStringList PropertyNames(const TObject& o)
{
    QStringList names;
    for (const TPropInfo& p : o.ClassInfo()->Properties())
        names << p.Name;
    return names;
}

} // namespace

class TestCollections : public QObject {
    Q_OBJECT
private slots:
    void radioNumberingByAdd();
    void radioNumberingByNotification();
    void radioDeletionKeepsValues();
    void radioLookups();
    void radioDisplayName();
    void radioAssign();
    void radioCaptionRepositions();
    void radioReadingDoesNotReposition();
    void radioReflection();

    void customNumberingBothPaths();
    void customValueSetterIgnored();
    void customDisplayName_data();
    void customDisplayName();
    void customLookups();
    void customEnabledTellsDialog();
    void customAssign();
    void customAssignIgnoresOtherClasses();
    void customReflection();

    void setChecked_data();
    void setChecked();
    void setUnchecked_data();
    void setUnchecked();
    void defaultRadioButton_data();
    void defaultRadioButton();
};

void TestCollections::radioNumberingByAdd()
{
    TVxDialog d;
    for (int i = 0; i < 3; ++i)
        d.RadioButtons()->Add();
    QCOMPARE(Values(*d.RadioButtons()), QList<int>({200, 201, 202}));
    QCOMPARE(d.RadioButtons()->Items(0)->Caption(), QStringLiteral("Radio Button 0"));
    QCOMPARE(d.RadioButtons()->Items(1)->Caption(), QStringLiteral("Radio Button 1"));
    QCOMPARE(d.RadioButtons()->Items(2)->Caption(), QStringLiteral("Radio Button 2"));
    QCOMPARE(CheckedStates(*d.RadioButtons()), QList<bool>({true, false, false}));
    QVERIFY(d.RadioButtons()->Items(2)->Enabled());
}

void TestCollections::radioNumberingByNotification()
{
    // The platform's own add (as a form reader uses it) numbers and names, but checks nothing.
    TVxDialog d;
    TCollection* plain = d.RadioButtons();
    plain->Add();
    plain->Add();
    QCOMPARE(Values(*d.RadioButtons()), QList<int>({200, 201}));
    QCOMPARE(d.RadioButtons()->Items(1)->Caption(), QStringLiteral("Radio Button 1"));
    QCOMPARE(CheckedStates(*d.RadioButtons()), QList<bool>({false, false}));
    // Inserting at the front numbers by count, not by position.
    plain->Insert(0);
    QCOMPARE(Values(*d.RadioButtons()), QList<int>({202, 200, 201}));
    QCOMPARE(d.RadioButtons()->Items(0)->Caption(), QStringLiteral("Radio Button 2"));
}

void TestCollections::radioDeletionKeepsValues()
{
    TVxDialog d;
    for (int i = 0; i < 3; ++i)
        d.RadioButtons()->Add();
    d.RadioButtons()->Delete(0);
    QCOMPARE(Values(*d.RadioButtons()), QList<int>({201, 202}));
    TVxRadioButtonItem* added = d.RadioButtons()->Add();
    QCOMPARE(added->Value(), 202);
    QCOMPARE(added->Caption(), QStringLiteral("Radio Button 2"));
    QCOMPARE(d.RadioButtons()->ItemWithValue(202), d.RadioButtons()->Items(1));
}

void TestCollections::radioLookups()
{
    TVxDialog d;
    d.RadioButtons()->Add();
    d.RadioButtons()->Add();
    QCOMPARE(d.RadioButtons()->ItemWithValue(201), d.RadioButtons()->Items(1));
    QCOMPARE(d.RadioButtons()->ItemWithValue(999), nullptr);
    d.RadioButtons()->SetEnabled(999, false);
    QVERIFY(d.RadioButtons()->Items(0)->Enabled());
    QVERIFY(d.RadioButtons()->Items(1)->Enabled());
    d.RadioButtons()->SetEnabled(201, false);
    QVERIFY(d.RadioButtons()->Items(0)->Enabled());
    QVERIFY(!d.RadioButtons()->Items(1)->Enabled());
}

void TestCollections::radioDisplayName()
{
    TVxDialog d;
    TVxRadioButtonItem* item = d.RadioButtons()->Add();
    QCOMPARE(item->DisplayName(), QStringLiteral("Radio Button 0"));
    item->SetCaption(QString());
    QCOMPARE(item->DisplayName(), QStringLiteral("TVxRadioButtonItem"));
}

void TestCollections::radioAssign()
{
    TVxDialog source;
    source.RadioButtons()->Add()->SetCaption("First");
    source.RadioButtons()->Add()->SetEnabled(false);
    TVxDialog target;
    target.SetRadioButtons(source.RadioButtons());
    QCOMPARE(target.RadioButtons()->Count(), 2);
    QCOMPARE(target.RadioButtons()->Items(0)->Caption(), QStringLiteral("First"));
    QCOMPARE(CheckedStates(*target.RadioButtons()), QList<bool>({true, false}));
    QVERIFY(!target.RadioButtons()->Items(1)->Enabled());
    QCOMPARE(Values(*target.RadioButtons()), QList<int>({200, 201}));

    TVxCustomButtonItem* other = target.CustomButtons()->Add();
    try {
        target.RadioButtons()->Items(0)->Assign(other);
        QFAIL("no exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Cannot assign a TVxCustomButtonItem to a TVxRadioButtonItem"));
    }
}

void TestCollections::radioCaptionRepositions()
{
    SpyDialog d;
    TVxRadioButtonItem* item = d.RadioButtons()->Add();
    QCOMPARE(d.Repositions, 1); // the default caption
    item->SetCaption("Radio Button 0");
    QCOMPARE(d.Repositions, 1);
    item->SetCaption("Other");
    QCOMPARE(d.Repositions, 2);
}

void TestCollections::radioReadingDoesNotReposition()
{
    SpyDialog d;
    d.BeginLoading();
    TCollection* plain = d.RadioButtons();
    auto* item = static_cast<TVxRadioButtonItem*>(plain->Add());
    item->SetCaption("Read");
    item->SetValue(205);
    item->SetChecked(true);
    QCOMPARE(d.Repositions, 0);
    QCOMPARE(item->Value(), 205);
    QCOMPARE(item->Caption(), QStringLiteral("Read"));
    d.Loaded();
    item->SetCaption("Renamed");
    QCOMPARE(d.Repositions, 1);
}

void TestCollections::radioReflection()
{
    TVxDialog d;
    TVxRadioButtonItem* item = d.RadioButtons()->Add();
    QCOMPARE(PropertyNames(*item), QStringList({"Caption", "Checked", "Enabled", "Value"}));
    const TClassInfo* info = item->ClassInfo();
    QCOMPARE(*info->FindProperty("Checked")->Default, 0);
    QCOMPARE(*info->FindProperty("Enabled")->Default, 1);
    QVERIFY(!info->FindProperty("Value")->Default.has_value());
    QVERIFY(info->FindProperty("Caption")->HasSetter);
    QVERIFY(!info->FindProperty("Checked")->HasSetter);
    QCOMPARE(d.RadioButtons()->ClassName(), QStringLiteral("TVxRadioButtons"));
}

void TestCollections::customNumberingBothPaths()
{
    TVxDialog d;
    d.CustomButtons()->Add();
    d.CustomButtons()->Add();
    QCOMPARE(Values(*d.CustomButtons()), QList<int>({100, 101}));
    for (int i = 0; i < 2; ++i) {
        TVxCustomButtonItem* item = d.CustomButtons()->Items(i);
        QVERIFY(item->Caption().isEmpty());
        QCOMPARE(item->ModalResult(), 0);
        QCOMPARE(item->ImageIndex(), -1);
        QCOMPARE(item->PictureIndex(), -1);
        QVERIFY(item->Enabled());
        QVERIFY(item->Visible());
        QVERIFY(!item->Default());
        QVERIFY(!item->Cancel());
        QVERIFY(!item->ElevationRequired());
        QCOMPARE(item->Info()->Count(), 0);
        QVERIFY(item->Glyph()->Empty());
        QVERIFY(item->Picture()->Empty());
        QCOMPARE(item->GetOwner(), d.CustomButtons());
    }
    TCollection* plain = d.CustomButtons();
    plain->Insert(0);
    QCOMPARE(Values(*d.CustomButtons()), QList<int>({102, 100, 101}));
    d.CustomButtons()->Delete(1);
    QCOMPARE(d.CustomButtons()->Add()->Value(), 102);
}

void TestCollections::customValueSetterIgnored()
{
    TVxDialog d;
    TVxCustomButtonItem* item = d.CustomButtons()->Add();
    item->SetValue(150);
    QCOMPARE(item->Value(), 100);
    const TPropInfo* value = item->ClassInfo()->FindProperty("Value");
    QVERIFY(value->HasSetter);
    value->SetOrd(*item, 150);
    QCOMPARE(item->Value(), 100);
}

void TestCollections::customDisplayName_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("info");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no caption") << "" << QStringList{"ignored"} << "TVxCustomButtonItem";
    QTest::newRow("caption only") << "Save" << QStringList{} << "Save";
    QTest::newRow("two info lines") << "Save" << QStringList{"Keeps it.", "Really."}
                                    << "Save - Keeps it.\r\nReally.";
    QTest::newRow("info trimmed") << "Open" << QStringList{"  padded  "} << "Open - padded";
}

void TestCollections::customDisplayName()
{
    QFETCH(QString, caption);
    QFETCH(QStringList, info);
    QFETCH(QString, expected);
    TVxDialog d;
    TVxCustomButtonItem* item = d.CustomButtons()->Add();
    item->SetCaption(caption);
    item->Info()->AddStrings(info);
    QCOMPARE(item->DisplayName(), expected);
}

void TestCollections::customLookups()
{
    TVxDialog d;
    d.CustomButtons()->Add()->SetModalResult(mrYes);
    d.CustomButtons()->Add()->SetModalResult(mrNo);
    d.CustomButtons()->Items(1)->SetVisible(false);
    d.CustomButtons()->Add();
    QCOMPARE(d.CustomButtons()->GetModalResult(100), mrYes);
    QCOMPARE(d.CustomButtons()->GetModalResult(101), mrNo);
    QCOMPARE(d.CustomButtons()->GetModalResult(999), 0);
    QCOMPARE(d.CustomButtons()->VisibleCount(), 2);
}

void TestCollections::customEnabledTellsDialog()
{
    SpyDialog d;
    TVxCustomButtonItem* item = d.CustomButtons()->Add();
    d.CustomButtons()->Add()->SetEnabled(false);
    item->SetEnabled(true);
    item->SetEnabled(false);
    QCOMPARE(d.Enabled, (QList<QPair<int, bool>>{{101, false}, {100, false}}));
}

void TestCollections::customAssign()
{
    TComponent form;
    auto* images = new TImageList(&form);
    auto* pictures = new TImageList(&form);
    TVxDialog source(&form);
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::green);
    TIcon icon;
    icon.SetImage(image);
    TVxCustomButtonItem* a = source.CustomButtons()->Add();
    a->SetCaption("Save");
    a->SetHint("hint");
    a->Info()->Add("info");
    a->Glyph()->SetGraphic(&icon);
    a->Picture()->SetGraphic(&icon);
    a->SetImageIndex(3);
    a->SetPictureIndex(4);
    a->SetModalResult(mrOk);
    a->SetDefault(true);
    a->SetCancel(true);
    a->SetElevationRequired(true);
    a->SetEnabled(false);
    a->SetVisible(false);
    source.CustomButtons()->Add();
    source.CustomButtons()->Delete(1);
    source.CustomButtons()->Add(); // value 101 again after the deletion
    source.CustomButtons()->SetImages(images);
    source.CustomButtons()->SetPictureImages(pictures);

    TVxDialog target(&form);
    target.CustomButtons()->Add();
    target.CustomButtons()->Add();
    target.CustomButtons()->Add();
    target.SetCustomButtons(source.CustomButtons());
    QCOMPARE(target.CustomButtons()->Count(), 2);
    TVxCustomButtonItem* b = target.CustomButtons()->Items(0);
    QCOMPARE(b->Caption(), QStringLiteral("Save"));
    QCOMPARE(b->Hint(), QStringLiteral("hint"));
    QCOMPARE(b->Info()->Lines(), QStringList({"info"}));
    QCOMPARE(b->Glyph()->Width(), 4);
    QCOMPARE(b->Picture()->Width(), 4);
    QVERIFY(b->Glyph() != a->Glyph());
    QCOMPARE(b->ImageIndex(), 3);
    QCOMPARE(b->PictureIndex(), 4);
    QCOMPARE(b->ModalResult(), mrOk);
    QVERIFY(b->Default());
    QVERIFY(b->Cancel());
    QVERIFY(b->ElevationRequired());
    QVERIFY(!b->Enabled());
    QVERIFY(!b->Visible());
    QCOMPARE(Values(*target.CustomButtons()), QList<int>({100, 101}));
    QCOMPARE(target.CustomButtons()->Images(), images);
    QCOMPARE(target.CustomButtons()->PictureImages(), pictures);

    // The target follows the lists' lifetime too.
    delete images;
    QCOMPARE(target.CustomButtons()->Images(), nullptr);
}

void TestCollections::customAssignIgnoresOtherClasses()
{
    TVxDialog d;
    TVxCustomButtonItem* item = d.CustomButtons()->Add();
    item->SetCaption("kept");
    TVxRadioButtonItem* radio = d.RadioButtons()->Add();
    item->Assign(radio);
    item->Assign(nullptr);
    QCOMPARE(item->Caption(), QStringLiteral("kept"));
    QCOMPARE(item->Value(), 100);
}

void TestCollections::customReflection()
{
    TVxDialog d;
    TVxCustomButtonItem* item = d.CustomButtons()->Add();
    QCOMPARE(PropertyNames(*item),
             QStringList({"ElevationRequired", "Caption", "Glyph", "ImageIndex", "Value", "ModalResult", "Default",
                          "Cancel", "Hint", "Info", "Picture", "PictureIndex", "Enabled", "Visible"}));
    const TClassInfo* info = item->ClassInfo();
    QCOMPARE(*info->FindProperty("ImageIndex")->Default, -1);
    QCOMPARE(*info->FindProperty("PictureIndex")->Default, -1);
    QCOMPARE(*info->FindProperty("ModalResult")->Default, 0);
    QCOMPARE(info->FindProperty("ModalResult")->TypeName, QStringLiteral("TModalResult"));
    QCOMPARE(*info->FindProperty("Visible")->Default, 1);
    QVERIFY(!info->FindProperty("Value")->Default.has_value());
    QCOMPARE(info->FindProperty("Info")->TypeName, QStringLiteral("TStrings"));
    QCOMPARE(PropertyNames(*d.CustomButtons()), QStringList({"Images", "PictureImages"}));
    QCOMPARE(d.CustomButtons()->ClassInfo()->FindProperty("Images")->TypeName, QStringLiteral("TCustomImageList"));
}

void TestCollections::setChecked_data()
{
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<QList<bool>>("before");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QList<bool>>("after");
    QTest::newRow("uncheck every match") << QList<int>{200, 201, 200} << QList<bool>{true, true, true} << 200 << false
                                         << QList<bool>{false, true, false};
    QTest::newRow("check every match") << QList<int>{200, 201, 201} << QList<bool>{false, false, false} << 201
                                       << true << QList<bool>{false, true, true};
    QTest::newRow("no match") << QList<int>{200, 201} << QList<bool>{true, false} << 999 << false
                              << QList<bool>{true, false};
}

void TestCollections::setChecked()
{
    QFETCH(QList<int>, values);
    QFETCH(QList<bool>, before);
    QFETCH(int, value);
    QFETCH(bool, checked);
    QFETCH(QList<bool>, after);
    TVxDialog d;
    for (int i = 0; i < values.size(); ++i) {
        TVxRadioButtonItem* item = d.RadioButtons()->Add();
        item->SetValue(values[i]);
        item->SetChecked(before[i]);
    }
    d.SetChecked(value, checked);
    QCOMPARE(CheckedStates(*d.RadioButtons()), after);
}

void TestCollections::setUnchecked_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QList<bool>>("after");
    QTest::newRow("one value") << 201 << QList<bool>{true, false, true};
    QTest::newRow("all with -1") << -1 << QList<bool>{false, false, false};
    QTest::newRow("no match") << 999 << QList<bool>{true, true, true};
}

void TestCollections::setUnchecked()
{
    QFETCH(int, value);
    QFETCH(QList<bool>, after);
    TVxDialog d;
    for (int i = 0; i < 3; ++i)
        d.RadioButtons()->Add()->SetChecked(true);
    d.SetUnchecked(value);
    QCOMPARE(CheckedStates(*d.RadioButtons()), after);
}

void TestCollections::defaultRadioButton_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<bool>>("after");
    QTest::newRow("second") << 1 << QList<bool>{false, true, false};
    QTest::newRow("first") << 0 << QList<bool>{true, false, false};
    QTest::newRow("count unchecks all") << 3 << QList<bool>{false, false, false};
    QTest::newRow("beyond count changes nothing") << 5 << QList<bool>{true, false, true};
}

void TestCollections::defaultRadioButton()
{
    QFETCH(int, index);
    QFETCH(QList<bool>, after);
    TVxDialog d;
    for (int i = 0; i < 3; ++i)
        d.RadioButtons()->Add();
    d.RadioButtons()->Items(2)->SetChecked(true);
    d.DefaultRadioButton(index);
    QCOMPARE(CheckedStates(*d.RadioButtons()), after);
}

QTEST_MAIN(TestCollections)
#include "tst_collections.moc"
