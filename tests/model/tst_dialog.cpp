// The dialog component's model: published surface, construction, copying, setters and the
// notifications it reacts to.

#include "support/FormTextWalk.h"
#include "ImageList.h"
#include "VxButtonOptions.h"
#include "VxCollections.h"
#include "VxCommandLinkColors.h"
#include "VxDefaultFonts.h"
#include "VxDialog.h"
#include "VxOptions.h"

#include <QPointer>
#include <QtTest>

namespace {

// Counts the engine operations the model asks for.
class SpyDialog : public TVxDialog {
public:
    using TVxDialog::TVxDialog;
    QMap<QString, int> Calls;
    int Count(const char* Name) const { return Calls.value(QString::fromLatin1(Name)); }
    void SetDesigningForTest(bool On) { SetDesigning(On); }

    void PositionControls() override { ++Calls[QStringLiteral("PositionControls")]; }
    void PositionRadioButtons() override { ++Calls[QStringLiteral("PositionRadioButtons")]; }
    void EnableButton(int, bool) override { ++Calls[QStringLiteral("EnableButton")]; }

protected:
    void CreateControls() override { ++Calls[QStringLiteral("CreateControls")]; }
    void FreeButtonControls() override { ++Calls[QStringLiteral("FreeButtonControls")]; }
    void CalcAutoSize(int&, int&, bool Apply) override { Calls[QStringLiteral("CalcAutoSize")] += Apply ? 1 : 100; }
    void RecreateFontControls() override { ++Calls[QStringLiteral("RecreateFontControls")]; }
    void InvalidateWindow() override { ++Calls[QStringLiteral("InvalidateWindow")]; }
    void UpdateMainIcon() override { ++Calls[QStringLiteral("UpdateMainIcon")]; }
    void RepaintMainIcon() override { ++Calls[QStringLiteral("RepaintMainIcon")]; }
    void UpdateWindowTitle() override { ++Calls[QStringLiteral("UpdateWindowTitle")]; }
    void UpdateWindowShowHint() override { ++Calls[QStringLiteral("UpdateWindowShowHint")]; }
    void InstructionChange(TObject*) override { ++Calls[QStringLiteral("InstructionChange")]; }
    void ContentChange(TObject*) override { ++Calls[QStringLiteral("ContentChange")]; }
    void VerificationChange(TObject*) override { ++Calls[QStringLiteral("VerificationChange")]; }
    void ExpandoChange(TObject*) override { ++Calls[QStringLiteral("ExpandoChange")]; }
    void FooterChange(TObject*) override { ++Calls[QStringLiteral("FooterChange")]; }
    void HeaderChange(TObject*) override { ++Calls[QStringLiteral("HeaderChange")]; }
    void ProgressChange(TObject*) override { ++Calls[QStringLiteral("ProgressChange")]; }
    void TimerChange(TObject*) override { ++Calls[QStringLiteral("TimerChange")]; }
};

// A plain published class that is not a dialog.
class NotADialog : public TComponent {
public:
    NotADialog() : TComponent(nullptr) {}
};

TPicture* SomePicture(TPicture& Picture)
{
    QImage image(16, 8, QImage::Format_ARGB32);
    image.fill(Qt::red);
    TIcon icon;
    icon.SetImage(image);
    Picture.SetGraphic(&icon);
    return &Picture;
}

const QStringList PublishedOrder = {
    "Name", "Tag", "ActiveControlType", "AllowCancel", "AllowMinimize", "BiDiMode", "Button", "Content",
    "DefaultMonitor", "DialogOptions", "DialogStyle", "Expando", "Glyph", "Instruction", "RadioButtons",
    "CustomButtons", "ButtonBar", "Verification", "Footer", "Header", "MainIcon", "HelpLink", "Progress", "Border",
    "Title", "Position", "Color", "Font", "UseDefaultFonts", "BorderStyle", "Icon", "HelpContext", "HelpType",
    "HelpKeyword", "Location", "Width", "UseOldStyleSetting", "Sheet", "Timer", "RadioButton", "ShowHint",
    "MaxLines", "OnCleanUpDialog", "OnCreated", "OnDestroyed", "OnDialogClick", "OnDialogClose",
    "OnDialogConstructed", "OnGetMoreFileName", "OnGetMoreStream", "OnHelpLinkClick", "OnHelpButtonClick",
    "OnGetControlClass", "OnInitControl", "OnControlClick", "OnDialogCollapse", "OnDialogExpand", "OnDialogShow",
    "OnGetRadioButtonChecked", "OnGetVerificationResult", "OnProgress", "OnUpdateProgressBarState",
    "OnUpdateProgressBar", "OnTimer", "OnKeyPress", "OnVerificationClick"};

const QStringList CopiedEvents = {"OnGetControlClass", "OnGetMoreFileName", "OnInitControl", "OnGetMoreStream",
                                  "OnHelpLinkClick",   "OnControlClick",    "OnDialogExpand", "OnDialogCollapse",
                                  "OnGetVerificationResult", "OnDialogClose", "OnDialogClick", "OnCleanUpDialog",
                                  "OnDestroyed", "OnCreated"};

// Gives every event of the dialog a named handler of Root.
void AssignAllEvents(TVxCustomDialog& d, const TObject* Root)
{
    d.OnCleanUpDialog = TNotifyEvent([](TObject*) {}, Root, "OnCleanUpDialog");
    d.OnCreated = TNotifyEvent([](TObject*) {}, Root, "OnCreated");
    d.OnDestroyed = TNotifyEvent([](TObject*) {}, Root, "OnDestroyed");
    d.OnDialogClick = TDialogClickEvent([](TObject*, TVxDialogHitTest) {}, Root, "OnDialogClick");
    d.OnDialogClose = TDialogCloseEvent([](TVxCustomDialog*) {}, Root, "OnDialogClose");
    d.OnDialogConstructed = TNotifyEvent([](TObject*) {}, Root, "OnDialogConstructed");
    d.OnGetMoreFileName = TGetMoreFileNameEvent([](TObject*, QString&) {}, Root, "OnGetMoreFileName");
    d.OnGetMoreStream = TGetMoreStreamEvent([](TObject*, TMemoryStream*&) {}, Root, "OnGetMoreStream");
    d.OnHelpLinkClick = THelpLinkClickEvent([](TObject*, bool&) {}, Root, "OnHelpLinkClick");
    d.OnHelpButtonClick = THelpButtonClickEvent([](TObject*, bool&) {}, Root, "OnHelpButtonClick");
    d.OnGetControlClass = TGetControlClassEvent([](TObject*, TControlType, TControlClass&) {}, Root, "OnGetControlClass");
    d.OnInitControl =
        TInitControlEvent([](TObject*, TControlType, TControl*, TCollectionItem*, bool&) {}, Root, "OnInitControl");
    d.OnControlClick = TControlClickEvent([](TObject*, TControlType, TControl*, int, bool&) {}, Root, "OnControlClick");
    d.OnDialogCollapse = TNotifyEvent([](TObject*) {}, Root, "OnDialogCollapse");
    d.OnDialogExpand = TNotifyEvent([](TObject*) {}, Root, "OnDialogExpand");
    d.OnDialogShow = TNotifyEvent([](TObject*) {}, Root, "OnDialogShow");
    d.OnGetRadioButtonChecked =
        TGetRadioButtonChecked([](TObject*, TControl*, bool&, bool&) {}, Root, "OnGetRadioButtonChecked");
    d.OnGetVerificationResult =
        TGetVerificationResult([](TObject*, TControl*, bool&) {}, Root, "OnGetVerificationResult");
    d.OnProgress = TProgressEvent([](TObject*, int) {}, Root, "OnProgress");
    d.OnUpdateProgressBarState =
        TUpdateProgressBarStateEvent([](TObject*, TControl*, TProgressBarState) {}, Root, "OnUpdateProgressBarState");
    d.OnUpdateProgressBar =
        TUpdateProgressBarEvent([](TObject*, TControl*, int, bool&) {}, Root, "OnUpdateProgressBar");
    d.OnTimer = TTimerEvent([](TObject*, quint32) {}, Root, "OnTimer");
    d.OnKeyPress = TKeyEvent([](TObject*, quint16&, TShiftState) {}, Root, "OnKeyPress");
    d.OnVerificationClick = TVerificationClickEvent([](TObject*, bool) {}, Root, "OnVerificationClick");
}

} // namespace

class TestDialog : public QObject {
    Q_OBJECT
private slots:
    void init() { SetStyleServicesEnabled(false); }
    void cleanup() { SetStyleServicesEnabled(false); }

    void publishedSurface();
    void defaultsAndSetterKinds_data();
    void defaultsAndSetterKinds();
    void construction();
    void freshDialogWritesNothing_data();
    void freshDialogWritesNothing();
    void colourRuleFollowsStyle();
    void fontStoredOnlyWithoutDefaultFonts();
    void collectionsStoredWithItems();
    void dialogOptionsWrittenWhenDifferent();
    void namedHandlersOfRootWritten();

    void assignCopiesValues();
    void assignLeavesOthers();
    void assignCopiesListedEvents();
    void assignSkipsEngineWork();
    void assignFromOtherClassFails_data();
    void assignFromOtherClassFails();
    void assignToItselfKeepsEverything();

    void setterEngineCalls_data();
    void setterEngineCalls();
    void titleSameValueDoesNothing();
    void mainIconAndGlyph();
    void dialogOptionsInDesignMode();
    void colorFollowsBackground();
    void fontChangeRecreatesControls();
    void fontChangedNotification();
    void optionChangesReachDialog_data();
    void optionChangesReachDialog();
    void unpublishedState();

    void notificationClearsImageLists();
    void sameImageListInBothRoles();
    void formDestroyedClearsForm();
    void destroyingDialogDestroysForm();
};

void TestDialog::publishedSurface()
{
    TVxDialog d;
    QCOMPARE(d.ClassName(), QStringLiteral("TVxDialog"));
    QStringList names;
    for (const TPropInfo& p : d.ClassInfo()->Properties())
        names << p.Name;
    QCOMPARE(names, PublishedOrder);

    const QList<QPair<QString, QString>> typeNames = {
        {"ActiveControlType", "TControlType"}, {"BiDiMode", "TBiDiMode"}, {"Button", "TVxButtonOptions"},
        {"Content", "TStrings"}, {"DefaultMonitor", "TDefaultMonitor"}, {"DialogOptions", "TDialogOptions"},
        {"DialogStyle", "TVxDialogStyle"}, {"Glyph", "TPicture"}, {"RadioButtons", "TVxRadioButtons"},
        {"CustomButtons", "TVxCustomButtons"}, {"ButtonBar", "TVxButtonBarOptions"}, {"MainIcon", "TTaskDialogIcon"},
        {"Title", "string"}, {"Position", "TDialogPosition"}, {"Color", "TColor"}, {"Font", "TFont"},
        {"UseDefaultFonts", "Boolean"}, {"BorderStyle", "TFormBorderStyle"}, {"Icon", "TIcon"},
        {"HelpType", "THelpType"}, {"Location", "TVxLocation"}, {"Sheet", "TVxSheetOptions"},
        {"RadioButton", "TVxRadioButton"}, {"MaxLines", "Integer"}, {"OnDialogClose", "TDialogCloseEvent"},
        {"OnKeyPress", "TKeyEvent"}, {"OnGetRadioButtonChecked", "TGetRadioButtonChecked"},
        {"OnUpdateProgressBarState", "TUpdateProgressBarStateEvent"}, {"OnCreated", "TNotifyEvent"}};
    for (const auto& [name, type] : typeNames) {
        QVERIFY2(d.ClassInfo()->FindProperty(name), qPrintable(name));
        QCOMPARE(d.ClassInfo()->FindProperty(name)->TypeName, type);
    }
    QCOMPARE(PropertyTypeName(d, "Font.Name"), PropertyTypeName(TFont(), "Name"));
    QCOMPARE(d.ClassInfo()->FindProperty("MainIcon")->EnumInfo->Names,
             QStringList({"tdiNone", "tdiWarning", "tdiError", "tdiInformation", "tdiConfirmation", "tdiCustom",
                          "tdiShield"}));
}

void TestDialog::defaultsAndSetterKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasDefault");
    QTest::addColumn<qint64>("defaultValue");
    QTest::addColumn<bool>("hasSetter");
    QTest::newRow("ActiveControlType") << "ActiveControlType" << true << qint64(ctButton) << true;
    QTest::newRow("AllowCancel") << "AllowCancel" << true << qint64(1) << false;
    QTest::newRow("AllowMinimize") << "AllowMinimize" << true << qint64(0) << false;
    QTest::newRow("BiDiMode") << "BiDiMode" << true << qint64(bdLeftToRight) << false;
    QTest::newRow("DefaultMonitor") << "DefaultMonitor" << true << qint64(dmActiveForm) << false;
    QTest::newRow("DialogOptions") << "DialogOptions" << true << qint64(256) << true;
    QTest::newRow("DialogStyle") << "DialogStyle" << true << qint64(dsDialog) << true;
    QTest::newRow("MainIcon") << "MainIcon" << true << qint64(tdiNone) << true;
    QTest::newRow("Position") << "Position" << true << qint64(dpScreenCenter) << false;
    QTest::newRow("Color") << "Color" << true << qint64(-16777211) << true;
    QTest::newRow("UseDefaultFonts") << "UseDefaultFonts" << true << qint64(1) << true;
    QTest::newRow("BorderStyle") << "BorderStyle" << true << qint64(bsDialog) << false;
    QTest::newRow("HelpContext") << "HelpContext" << true << qint64(0) << false;
    QTest::newRow("HelpType") << "HelpType" << true << qint64(htContext) << false;
    QTest::newRow("Width") << "Width" << true << qint64(0) << true;
    QTest::newRow("UseOldStyleSetting") << "UseOldStyleSetting" << true << qint64(1) << false;
    QTest::newRow("ShowHint") << "ShowHint" << true << qint64(0) << true;
    QTest::newRow("MaxLines") << "MaxLines" << true << qint64(0) << false;
    QTest::newRow("Content") << "Content" << false << qint64(0) << true;
    QTest::newRow("Font") << "Font" << false << qint64(0) << true;
    QTest::newRow("Title") << "Title" << false << qint64(0) << true;
    QTest::newRow("HelpKeyword") << "HelpKeyword" << false << qint64(0) << false;
}

void TestDialog::defaultsAndSetterKinds()
{
    QFETCH(QString, name);
    QFETCH(bool, hasDefault);
    QFETCH(qint64, defaultValue);
    QFETCH(bool, hasSetter);
    TVxDialog d;
    const TPropInfo* p = d.ClassInfo()->FindProperty(name);
    QVERIFY(p);
    QCOMPARE(p->Default.has_value(), hasDefault);
    if (hasDefault) {
        QCOMPARE(*p->Default, defaultValue);
        // A fresh dialog holds the declared default.
        QCOMPARE(p->GetOrd(d), defaultValue);
    }
    QCOMPARE(p->HasSetter, hasSetter);
    QVERIFY(!p->ReadOnly);
}

void TestDialog::construction()
{
    TVxDialog d;
    QCOMPARE(d.Font()->Name(), VxDefaultFonts().GetFont(ftContent)->Name());
    QVERIFY(*d.Font() == *VxDefaultFonts().GetFont(ftContent));
    QVERIFY(*d.Expando()->Font() == *d.Font());
    QCOMPARE(d.HelpLink()->Font()->Name(), d.Font()->Name());
    QCOMPARE(d.HelpLink()->Font()->Size(), d.Font()->Size());
    QCOMPARE(d.Instruction()->Font()->Color(), TVxDefaultFonts::InstructionFontColor);
    QCOMPARE(d.Location()->Left(), -1);
    QCOMPARE(d.Location()->Top(), -1);
    QCOMPARE(d.Content()->Count(), 0);
    QVERIFY(d.Glyph()->Empty());
    QVERIFY(d.Icon()->Empty());
    QCOMPARE(d.RadioButtons()->MessagePanel(), &d);
    QCOMPARE(d.CustomButtons()->MessagePanel(), &d);
    QCOMPARE(d.Background()->Color(), clWindow);
    QVERIFY(d.Background()->Buffered());
    QVERIFY(!d.Background()->AutoFree());
    QVERIFY(d.Background()->CopyRect().isEmpty());
    QVERIFY(!d.Background()->Gradient()->Enabled());
    QCOMPARE(d.ButtonBar()->Buttons(), TCommonButtons({cbOK, cbCancel}));
    QCOMPARE(d.Instruction()->Dialog(), &d);
}

void TestDialog::freshDialogWritesNothing_data()
{
    QTest::addColumn<bool>("styleServices");
    QTest::addColumn<bool>("customStyle");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("no visual styles") << false << false << QStringList();
    // The button bar takes the RGB value of the button face, which differs from clBtnFace.
    QTest::newRow("system visual style") << true << false << QStringList{"ButtonBar.Color"};
    QTest::newRow("custom visual style") << true << true << QStringList();
}

void TestDialog::freshDialogWritesNothing()
{
    QFETCH(bool, styleServices);
    QFETCH(bool, customStyle);
    QFETCH(QStringList, written);
    SetStyleServicesEnabled(styleServices);
    SetCustomStyleActive(customStyle);
    TComponent owner;
    TVxDialog d(&owner);
    QCOMPARE(WrittenPaths(d, owner), written);
    // Designer position and the name are the only other things an owned dialog carries.
    d.SetName("VxDialog1");
    d.SetDesignPosition(336, 184);
    QCOMPARE(WrittenPaths(d, owner), written + QStringList({"Left", "Top"}));
    SetCustomStyleActive(false);
}

void TestDialog::colourRuleFollowsStyle()
{
    TVxDialog d;
    d.SetColor(clRed);
    QVERIFY(WrittenPaths(d, d).contains("Color"));
    SetStyleServicesEnabled(true);
    QVERIFY(WrittenPaths(d, d).contains("Color"));
    SetCustomStyleActive(true);
    QVERIFY(!WrittenPaths(d, d).contains("Color"));
    SetCustomStyleActive(false);
    d.SetColor(clWindow);
    SetStyleServicesEnabled(false);
    QVERIFY(!WrittenPaths(d, d).contains("Color"));
}

void TestDialog::fontStoredOnlyWithoutDefaultFonts()
{
    TVxDialog d;
    TFont other;
    other.SetName("Courier New");
    other.SetSize(20);
    d.SetFont(&other);
    QVERIFY(!WrittenPaths(d, d).join(' ').contains("Font."));

    d.SetUseDefaultFonts(false);
    const QStringList paths = WrittenPaths(d, d);
    for (const char* sub : {"Font.Charset", "Font.Color", "Font.Height", "Font.Name", "Font.Style"})
        QVERIFY2(paths.contains(QString::fromLatin1(sub)), sub);
    QVERIFY(paths.contains("UseDefaultFonts"));
    QVERIFY(paths.contains("Instruction.Font.Name"));
    QVERIFY(paths.contains("Expando.Font.Name"));
    // Font lines stand at the place of the Font property: after Color's place, before UseDefaultFonts.
    QVERIFY(paths.indexOf("Font.Name") < paths.indexOf("UseDefaultFonts"));
    QVERIFY(paths.indexOf("Title") < 0 || paths.indexOf("Title") < paths.indexOf("Font.Name"));
}

void TestDialog::collectionsStoredWithItems()
{
    TVxDialog d;
    d.SetDialogOptions(TDialogOptions{doRadioButtons, doModal});
    d.RadioButtons()->Add();
    d.RadioButtons()->Add();
    const QStringList paths = WrittenPaths(d, d);
    QCOMPARE(paths, QStringList({"DialogOptions", "RadioButtons", "RadioButtons[0].Caption", "RadioButtons[0].Checked",
                                 "RadioButtons[0].Value", "RadioButtons[1].Caption", "RadioButtons[1].Value"}));
    QCOMPARE(d.RadioButtons()->Items(0)->Caption(), QStringLiteral("Radio Button 0"));
    QVERIFY(!WrittenPaths(d, d).contains("CustomButtons"));
    d.CustomButtons()->Add();
    QVERIFY(WrittenPaths(d, d).contains("CustomButtons"));
    QVERIFY(WrittenPaths(d, d).contains("CustomButtons[0].Value"));
}

void TestDialog::dialogOptionsWrittenWhenDifferent()
{
    TVxDialog d;
    d.SetDialogOptions(TDialogOptions{});
    QCOMPARE(WrittenPaths(d, d), QStringList({"DialogOptions"}));
    d.SetDialogOptions(TDialogOptions{doModal});
    QCOMPARE(WrittenPaths(d, d), QStringList());
}

void TestDialog::namedHandlersOfRootWritten()
{
    TComponent root;
    TVxDialog d(&root);
    d.OnDialogClose = TDialogCloseEvent([](TVxCustomDialog*) {}, &root, "VxDialog1DialogClose");
    d.OnTimer = TTimerEvent([](TObject*, quint32) {});
    d.OnCreated = TNotifyEvent([](TObject*) {}, &d, "Elsewhere");
    QCOMPARE(WrittenPaths(d, root), QStringList({"OnDialogClose"}));
}

void TestDialog::assignCopiesValues()
{
    TVxDialog source;
    source.SetActiveControlType(ctCommandLink);
    source.SetBiDiMode(bdRightToLeft);
    source.SetColor(clYellow);
    TFont font;
    font.SetName("Courier New");
    font.SetSize(17);
    source.SetFont(&font);
    source.SetEmulateMessageDlg(true);
    source.Content()->Add("line");
    source.SetMainIcon(tdiCustom);
    TPicture picture;
    source.SetGlyph(SomePicture(picture));
    source.CustomButtons()->Add()->SetCaption("Save");
    source.ButtonBar()->SetButtons(TCommonButtons{cbYes});
    source.RadioButtons()->Add();
    source.Expando()->SetShowText("more");
    source.Verification()->SetText("check");
    source.Footer()->SetText("foot");
    source.Header()->SetText("head");
    source.HelpLink()->SetText("help");
    source.SetHelpKeyword("kw");
    source.SetHelpType(htKeyword);
    source.SetHelpContext(42);
    source.Progress()->SetMax(7);
    source.Instruction()->SetText("instr");
    source.Border()->SetWidth(3);
    source.SetDialogOptions(TDialogOptions{doTimer});
    source.SetDialogStyle(dsSheet);
    source.SetTitle("title");
    source.SetUseDefaultFonts(false);
    source.Location()->SetLeft(10);
    TIcon icon;
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    icon.SetImage(image);
    source.SetIcon(&icon);
    source.SetBorderStyle(bsSizeable);
    source.SetAllowCancel(false);
    source.SetAllowMinimize(true);
    source.SetPosition(dpDesigned);
    source.SetWidth(500);
    source.Timer()->SetInterval(77);
    source.RadioButton()->SetColumns(3);
    source.Button()->CommandLinkColors()->SetEnabled(true);
    source.Sheet()->SetInterval(99);

    TVxDialog target;
    target.Assign(&source);
    QCOMPARE(target.ActiveControlType(), ctCommandLink);
    QCOMPARE(target.BiDiMode(), bdRightToLeft);
    QCOMPARE(target.Color(), clYellow);
    QCOMPARE(target.Background()->Color(), clYellow);
    QCOMPARE(target.Font()->Name(), QStringLiteral("Courier New"));
    QCOMPARE(target.Font()->Size(), 17);
    QVERIFY(target.EmulateMessageDlg());
    QCOMPARE(target.Content()->Lines(), QStringList({"line"}));
    QCOMPARE(target.Glyph()->Width(), 16);
    QCOMPARE(target.MainIcon(), tdiCustom);
    QCOMPARE(target.CustomButtons()->Count(), 1);
    QCOMPARE(target.CustomButtons()->Items(0)->Caption(), QStringLiteral("Save"));
    QCOMPARE(target.ButtonBar()->Buttons(), TCommonButtons{cbYes});
    QCOMPARE(target.RadioButtons()->Count(), 1);
    QCOMPARE(target.Expando()->ShowText(), QStringLiteral("more"));
    QCOMPARE(target.Verification()->Text(), QStringLiteral("check"));
    QCOMPARE(target.Footer()->Text(), QStringLiteral("foot"));
    QCOMPARE(target.Header()->Text(), QStringLiteral("head"));
    QCOMPARE(target.HelpLink()->Text(), QStringLiteral("help"));
    QCOMPARE(target.HelpKeyword(), QStringLiteral("kw"));
    QCOMPARE(target.HelpType(), htKeyword);
    QCOMPARE(target.HelpContext(), 42);
    QCOMPARE(target.Progress()->Max(), 7);
    QCOMPARE(target.Instruction()->Text(), QStringLiteral("instr"));
    QCOMPARE(target.Border()->Width(), 3);
    QCOMPARE(target.DialogOptions(), TDialogOptions{doTimer});
    QCOMPARE(target.DialogStyle(), dsSheet);
    QCOMPARE(target.Title(), QStringLiteral("title"));
    QVERIFY(!target.UseDefaultFonts());
    QCOMPARE(target.Location()->Left(), 10);
    QCOMPARE(target.Icon()->Width(), 8);
    QCOMPARE(target.BorderStyle(), bsSizeable);
    QVERIFY(!target.AllowCancel());
    QVERIFY(target.AllowMinimize());
    QCOMPARE(target.Position(), dpDesigned);
    QCOMPARE(target.Width(), 500);
    QCOMPARE(target.Timer()->Interval(), 77u);
    QCOMPARE(target.RadioButton()->Columns(), 3);
    QVERIFY(target.Button()->CommandLinkColors()->Enabled());
    QCOMPARE(target.Sheet()->Interval(), 99u);
    QVERIFY(!target.Assigning());
    // Owned objects are copied into, never shared.
    QVERIFY(target.Font() != source.Font());
    QCOMPARE(target.Instruction()->Dialog(), &target);
}

void TestDialog::assignLeavesOthers()
{
    TComponent owner;
    TVxDialog source(&owner);
    source.SetName("Source");
    source.SetTag(5);
    source.SetDefaultMonitor(dmPrimary);
    source.SetUseOldStyleSetting(false);
    source.SetShowHint(true);
    source.SetMaxLines(4);
    source.SetPlaySounds(false);

    TVxDialog target(&owner);
    target.SetName("Target");
    target.Assign(&source);
    QCOMPARE(target.Name(), QStringLiteral("Target"));
    QCOMPARE(target.Tag(), 0);
    QCOMPARE(target.DefaultMonitor(), dmActiveForm);
    QVERIFY(target.UseOldStyleSetting());
    QVERIFY(!target.ShowHint());
    QCOMPARE(target.MaxLines(), 0);
    QVERIFY(target.PlaySounds());
}

void TestDialog::assignCopiesListedEvents()
{
    TComponent root;
    TVxDialog source(&root);
    AssignAllEvents(source, &root);
    TVxDialog target(&root);
    target.Assign(&source);

    int events = 0;
    for (const TPropInfo& p : target.ClassInfo()->Properties()) {
        if (p.Kind != TTypeKind::Event)
            continue;
        ++events;
        const bool copied = CopiedEvents.contains(p.Name);
        QCOMPARE(p.GetMethod(source).Name, p.Name);
        QVERIFY2((p.GetMethod(target).Name == p.Name) == copied, qPrintable(p.Name));
    }
    QCOMPARE(events, 24);
    // A copied handler runs.
    TVxCustomDialog* closed = nullptr;
    source.OnDialogClose = TDialogCloseEvent([&closed](TVxCustomDialog* d) { closed = d; });
    target.Assign(&source);
    target.OnDialogClose(&target);
    QCOMPARE(closed, &target);
}

void TestDialog::assignSkipsEngineWork()
{
    TVxDialog source;
    source.Content()->Add("x");
    TPicture picture;
    source.SetGlyph(SomePicture(picture));
    source.SetMainIcon(tdiCustom);
    source.Footer()->SetText("f");
    source.SetDialogOptions(TDialogOptions{doTimer});

    SpyDialog target;
    QObject form;
    target.SetForm(&form);
    target.Assign(&source);
    QCOMPARE(target.Count("PositionControls"), 0);
    QCOMPARE(target.Count("CreateControls"), 0);
    QCOMPARE(target.Count("RepaintMainIcon"), 0);
    // Freeing the button controls does not depend on the copy.
    QCOMPARE(target.Count("FreeButtonControls"), 1);
    QVERIFY(!target.Assigning());

    target.SetContent(source.Content());
    QCOMPARE(target.Count("PositionControls"), 1);
}

void TestDialog::assignFromOtherClassFails_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("font") << "font" << "Cannot assign a TFont to a TVxDialog";
    QTest::newRow("image list") << "imagelist" << "Cannot assign a TImageList to a TVxDialog";
    QTest::newRow("custom dialog") << "custom" << "Cannot assign a TVxCustomDialog to a TVxDialog";
    QTest::newRow("nil") << "nil" << "Cannot assign a nil to a TVxDialog";
}

void TestDialog::assignFromOtherClassFails()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    TFont font;
    TImageList list;
    TVxCustomDialog custom;
    const TPersistent* source = kind == "font" ? static_cast<const TPersistent*>(&font)
                              : kind == "imagelist" ? static_cast<const TPersistent*>(&list)
                              : kind == "custom"    ? static_cast<const TPersistent*>(&custom)
                                                    : nullptr;
    TVxDialog d;
    d.SetTitle("kept");
    try {
        d.Assign(source);
        QFAIL("no exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.Message(), message);
    }
    QCOMPARE(d.Title(), QStringLiteral("kept"));
    QVERIFY(!d.Assigning());
}

void TestDialog::assignToItselfKeepsEverything()
{
    TVxDialog d;
    TPicture picture;
    d.SetGlyph(SomePicture(picture));
    d.Content()->Add("line");
    d.RadioButtons()->Add();
    d.CustomButtons()->Add()->SetCaption("Go");
    d.Assign(&d);
    QVERIFY(!d.Glyph()->Empty());
    QCOMPARE(d.Content()->Lines(), QStringList({"line"}));
    QCOMPARE(d.RadioButtons()->Count(), 1);
    QCOMPARE(d.CustomButtons()->Items(0)->Caption(), QStringLiteral("Go"));
}

void TestDialog::setterEngineCalls_data()
{
    QTest::addColumn<QString>("setter");
    QTest::addColumn<bool>("showing");
    QTest::addColumn<QStringList>("expected");
    const QStringList none;
    QTest::newRow("Content hidden") << "Content" << false << QStringList{"PositionControls"};
    QTest::newRow("Content showing") << "Content" << true << QStringList{"PositionControls"};
    QTest::newRow("Verification hidden") << "Verification" << false << QStringList{"PositionControls"};
    QTest::newRow("Footer hidden") << "Footer" << false << none;
    QTest::newRow("Footer showing") << "Footer" << true << QStringList{"PositionControls"};
    QTest::newRow("Header showing") << "Header" << true << QStringList{"PositionControls"};
    QTest::newRow("HelpLink hidden") << "HelpLink" << false << none;
    QTest::newRow("HelpLink showing") << "HelpLink" << true << QStringList{"PositionControls"};
    QTest::newRow("Glyph hidden") << "Glyph" << false << none;
    QTest::newRow("Glyph showing") << "Glyph" << true
                                   << QStringList{"InvalidateWindow", "PositionControls", "RepaintMainIcon"};
    QTest::newRow("Color hidden") << "Color" << false << none;
    QTest::newRow("Color showing") << "Color" << true << QStringList{"InvalidateWindow"};
    QTest::newRow("Width hidden") << "Width" << false << none;
    QTest::newRow("Width showing") << "Width" << true << QStringList{"CalcAutoSize", "PositionControls"};
    QTest::newRow("MainIcon showing") << "MainIcon" << true << QStringList{"UpdateMainIcon"};
    QTest::newRow("ShowHint showing") << "ShowHint" << true << QStringList{"UpdateWindowShowHint"};
    QTest::newRow("Title showing") << "Title" << true << QStringList{"UpdateWindowTitle"};
    QTest::newRow("DialogOptions hidden") << "DialogOptions" << false << QStringList{"FreeButtonControls"};
    QTest::newRow("DialogOptions showing")
        << "DialogOptions" << true << QStringList{"CreateControls", "FreeButtonControls", "PositionControls"};
    QTest::newRow("Instruction showing") << "Instruction" << true << none;
    QTest::newRow("Progress showing") << "Progress" << true << none;
}

void TestDialog::setterEngineCalls()
{
    QFETCH(QString, setter);
    QFETCH(bool, showing);
    QFETCH(QStringList, expected);
    SpyDialog d;
    QObject form;
    if (showing)
        d.SetForm(&form);
    QCOMPARE(d.IsShowing(), showing);
    TVxDialog other;
    TPicture picture;
    if (setter == "Content")
        d.SetContent(other.Content());
    else if (setter == "Verification")
        d.SetVerification(other.Verification());
    else if (setter == "Footer")
        d.SetFooter(other.Footer());
    else if (setter == "Header")
        d.SetHeader(other.Header());
    else if (setter == "HelpLink")
        d.SetHelpLink(other.HelpLink());
    else if (setter == "Glyph")
        d.SetGlyph(SomePicture(picture));
    else if (setter == "Color")
        d.SetColor(clRed);
    else if (setter == "Width")
        d.SetWidth(400);
    else if (setter == "MainIcon")
        d.SetMainIcon(tdiWarning);
    else if (setter == "ShowHint")
        d.SetShowHint(true);
    else if (setter == "Title")
        d.SetTitle("New");
    else if (setter == "DialogOptions")
        d.SetDialogOptions(TDialogOptions{doModal, doTimer});
    else if (setter == "Instruction")
        d.SetInstruction(other.Instruction());
    else if (setter == "Progress")
        d.SetProgress(other.Progress());
    else
        QFAIL("unknown setter");
    QStringList called;
    for (auto it = d.Calls.cbegin(); it != d.Calls.cend(); ++it) {
        if (it.key().endsWith("Change") || it.key() == "RecreateFontControls")
            continue;
        QCOMPARE(it.value(), 1);
        called << it.key();
    }
    QCOMPARE(called, expected);
}

void TestDialog::titleSameValueDoesNothing()
{
    SpyDialog d;
    QObject form;
    d.SetForm(&form);
    d.SetTitle("Confirm");
    d.SetTitle("Confirm");
    QCOMPARE(d.Count("UpdateWindowTitle"), 1);
    QCOMPARE(d.Title(), QStringLiteral("Confirm"));
    d.SetShowHint(false);
    QCOMPARE(d.Count("UpdateWindowShowHint"), 0);
    d.SetWidth(0);
    QCOMPARE(d.Count("CalcAutoSize"), 0);
    d.SetColor(clWindow);
    QCOMPARE(d.Count("InvalidateWindow"), 0);
    d.SetDialogOptions(TDialogOptions{doModal});
    QCOMPARE(d.Count("FreeButtonControls"), 0);
}

void TestDialog::mainIconAndGlyph()
{
    TVxDialog d;
    TPicture picture;
    d.SetGlyph(SomePicture(picture));
    d.SetMainIcon(tdiCustom);
    QVERIFY(!d.Glyph()->Empty());
    d.SetMainIcon(tdiWarning);
    QVERIFY(!d.Glyph()->Empty());
    d.SetMainIcon(tdiNone);
    QVERIFY(d.Glyph()->Empty());
    QCOMPARE(d.MainIcon(), tdiNone);
}

void TestDialog::dialogOptionsInDesignMode()
{
    SpyDialog d;
    QObject form;
    d.SetForm(&form);
    d.SetDesigningForTest(true);
    d.SetDialogOptions(TDialogOptions{doTimer});
    QCOMPARE(d.DialogOptions(), TDialogOptions{doTimer});
    QCOMPARE(d.Count("FreeButtonControls"), 0);
    QCOMPARE(d.Count("CreateControls"), 0);
    d.SetDesigningForTest(false);
    d.SetDialogOptions(TDialogOptions{doModal});
    QCOMPARE(d.Count("FreeButtonControls"), 1);
    QCOMPARE(d.Count("CreateControls"), 1);
}

void TestDialog::colorFollowsBackground()
{
    TVxDialog d;
    d.SetColor(clAqua);
    QCOMPARE(d.Color(), clAqua);
    QCOMPARE(d.Background()->Color(), clAqua);
    // Values are not validated.
    d.SetWidth(-5);
    d.SetMaxLines(-1);
    QCOMPARE(d.Width(), -5);
    QCOMPARE(d.MaxLines(), -1);
}

void TestDialog::fontChangeRecreatesControls()
{
    SpyDialog d;
    d.Font()->SetSize(d.Font()->Size() + 3);
    QCOMPARE(d.Count("RecreateFontControls"), 1);
    TFont other;
    other.SetName("Courier New");
    d.SetFont(&other);
    QVERIFY(d.Count("RecreateFontControls") >= 2);
    QCOMPARE(d.Font()->Name(), QStringLiteral("Courier New"));
}

void TestDialog::fontChangedNotification()
{
    TVxDialog d;
    d.BeginLoading();
    d.CMFontChanged();
    QVERIFY(d.UseDefaultFonts());
    d.Loaded();
    d.CMFontChanged();
    QVERIFY(!d.UseDefaultFonts());
}

void TestDialog::optionChangesReachDialog_data()
{
    QTest::addColumn<QString>("handler");
    QTest::newRow("instruction") << "InstructionChange";
    QTest::newRow("content") << "ContentChange";
    QTest::newRow("verification") << "VerificationChange";
    QTest::newRow("expando") << "ExpandoChange";
    QTest::newRow("footer") << "FooterChange";
    QTest::newRow("header") << "HeaderChange";
    QTest::newRow("progress") << "ProgressChange";
}

void TestDialog::optionChangesReachDialog()
{
    QFETCH(QString, handler);
    SpyDialog d;
    if (handler == "InstructionChange")
        d.Instruction()->SetText("x");
    else if (handler == "ContentChange")
        d.Content()->Add("x");
    else if (handler == "VerificationChange")
        d.Verification()->SetText("x");
    else if (handler == "ExpandoChange")
        d.Expando()->SetVisible(true);
    else if (handler == "FooterChange")
        d.Footer()->SetVisible(true);
    else if (handler == "HeaderChange")
        d.Header()->SetVisible(true);
    else if (handler == "ProgressChange")
        d.Progress()->SetPosition(5);
    QCOMPARE(d.Calls.value(handler), 1);
    // None of the handlers is a named method of a root, so none is written.
    QCOMPARE(WrittenPaths(d, d).filter("OnChange"), QStringList());
}

void TestDialog::unpublishedState()
{
    TVxDialog d;
    QVERIFY(d.PlaySounds());
    QVERIFY(d.Text().isEmpty());
    QVERIFY(!d.ShowHelpButton());
    QVERIFY(!d.EmulateMessageDlg());
    QVERIFY(!d.Assigning());
    QVERIFY(!d.IsShowing());
    d.SetPlaySounds(false);
    d.SetText("t");
    d.SetShowHelpButton(true);
    QVERIFY(!d.PlaySounds());
    QCOMPARE(d.Text(), QStringLiteral("t"));
    QVERIFY(d.ShowHelpButton());
    QCOMPARE(WrittenPaths(d, d), QStringList());
}

void TestDialog::notificationClearsImageLists()
{
    TComponent form;
    auto* images = new TImageList(&form);
    images->SetName("Images1");
    auto* pictures = new TImageList(&form);
    pictures->SetName("Pictures1");
    TVxDialog d(&form);
    d.CustomButtons()->SetImages(images);
    d.CustomButtons()->SetPictureImages(pictures);
    d.CustomButtons()->Add();
    QStringList paths = WrittenPaths(d, form);
    QVERIFY(paths.contains("CustomButtons.Images"));
    QVERIFY(paths.indexOf("CustomButtons.Images") < paths.indexOf("CustomButtons"));

    TVxDialog copy(&form);
    copy.SetCustomButtons(d.CustomButtons());
    QCOMPARE(copy.CustomButtons()->Images(), images);
    QCOMPARE(copy.CustomButtons()->PictureImages(), pictures);

    delete images;
    QCOMPARE(d.CustomButtons()->Images(), nullptr);
    QCOMPARE(copy.CustomButtons()->Images(), nullptr);
    QCOMPARE(d.CustomButtons()->PictureImages(), pictures);
    delete pictures;
    QCOMPARE(d.CustomButtons()->PictureImages(), nullptr);
    QCOMPARE(copy.CustomButtons()->PictureImages(), nullptr);
}

void TestDialog::sameImageListInBothRoles()
{
    // A list in another owner: only the free notification tells the dialog.
    TComponent listOwner;
    auto* list = new TImageList(&listOwner);
    TVxDialog d;
    d.CustomButtons()->SetImages(list);
    d.CustomButtons()->SetPictureImages(list);
    delete list;
    QCOMPARE(d.CustomButtons()->Images(), nullptr);
    QCOMPARE(d.CustomButtons()->PictureImages(), nullptr);
}

void TestDialog::formDestroyedClearsForm()
{
    TVxDialog d;
    auto* form = new QObject;
    d.SetForm(form);
    QVERIFY(d.IsShowing());
    delete form;
    QVERIFY(!d.IsShowing());
    QCOMPARE(d.Form(), nullptr);

    // A window that is itself a component is also dropped through the notification.
    TComponent owner;
    auto* windowComponent = new TComponent(&owner);
    TVxDialog owned(&owner);
    owned.SetForm(windowComponent);
    delete windowComponent;
    QCOMPARE(owned.Form(), nullptr);
}

void TestDialog::destroyingDialogDestroysForm()
{
    auto* d = new TVxDialog;
    d->Content()->Add("still here");
    QPointer<QObject> form = new QObject;
    d->SetForm(form);
    // The window goes first, while the model it shows is still complete.
    bool modelComplete = false;
    QObject::connect(form, &QObject::destroyed, [d, &modelComplete] {
        modelComplete = d->Content() && d->Content()->Count() == 1 && d->CustomButtons() && d->Font()
                     && d->Instruction() && d->Sheet() && d->Background();
    });
    delete d;
    QVERIFY(form.isNull());
    QVERIFY(modelComplete);
}

QTEST_MAIN(TestDialog)
#include "tst_dialog.moc"
