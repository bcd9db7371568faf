// Creation code: translation of the form text into declarations, creation, sorted property
// statements, Execute and free statements.

#include "ComponentCreate.h"
#include "FormTextWriter.h"
#include "ImageList.h"
#include "StringList.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "VxOptions.h"
#include "support/CgTestClasses.h"
#include "support/WorkedExample.h"

#include <QImage>
#include <QTest>

namespace {

QStringList CodeOf(TComponent* component, TCCOptionSet options = {ccUseFree})
{
    TComponentCreate generator;
    generator.AsCode(component, options);
    return generator.Code()->Lines();
}

// The statement block of a code fragment: the lines between "try" and the Execute line.
QStringList Statements(const QStringList& code)
{
    const qsizetype begin = code.indexOf(QStringLiteral("  try"));
    qsizetype end = begin;
    while (end < code.size() && !code.at(end).endsWith(QLatin1String(".Execute;")))
        ++end;
    return code.mid(begin + 1, end - begin - 1);
}

QImage SmallImage()
{
    QImage image(5, 4, QImage::Format_ARGB32);
    image.fill(QColor(0, 120, 215));
    return image;
}

class TCgOdd : public TComponent {
public:
    using TComponent::TComponent;
    const TClassInfo* ClassInfo() const override
    {
        static const TClassInfo info = [] {
            TPropInfo odd;
            odd.Name = QStringLiteral("Odd");
            odd.Kind = static_cast<TTypeKind>(42);
            return TClassInfo(QStringLiteral("TCgOdd"), &TComponent::StaticClassInfo(), {odd});
        }();
        return &info;
    }
};

} // namespace

class TstComponentCreate : public QObject {
    Q_OBJECT

private slots:
    void init();
    void dialogWorkedExample();
    void freshDialog();
    void radioButtonsAndCustomButtons();
    void allDefaults();
    void ownerArgument();
    void stringListStatements();
    void listsLongerThan999Items();
    void collectionWithBlocks();
    void continuedValue();
    void binaryValues_data();
    void binaryValues();
    void includeObjectText();
    void dfmList();
    void listsAreNeverCleared();
    void withoutUseFree();
    void itemValuesThatSpanLines();
    void keysOnlyLeaveListStatements();
    void nestedObjectsUseTheirOwnComponent();
    void floatValues();
    void ownerPrefixIsStripped();
    void readErrorPropagates();
    void assignability();
    void identifiersThatAreNotAscii();
    void deepNestingIsAnError_data();
    void deepNestingIsAnError();
};

void TstComponentCreate::init()
{
    SetStyleServicesEnabled(false);
}

void TstComponentCreate::dialogWorkedExample()
{
    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));
    TVxDialog* dialog = WorkedExample(&frmMain, QStringLiteral("VxDialog1"));

    const QStringList expectedText{
        "object VxDialog1: TVxDialog",
        "  Content.Strings = (",
        "    'The document has been modified.')",
        "  Instruction.Text = 'Save changes?'",
        "  ButtonBar.Buttons = [cbYes, cbNo, cbCancel]",
        "  ButtonBar.Color = 15790320",
        "  MainIcon = tdiWarning",
        "  Title = 'Confirm'",
        "  Left = 336",
        "  Top = 184",
        "end",
    };
    QCOMPARE(FormTextLines(ComponentFormText(dialog)), expectedText);
    QCOMPARE(ComponentFormText(dialog), expectedText.join("\r\n").toLatin1() + "\r\n");

    TComponentCreate generator;
    generator.AsCode(dialog, {ccUseFree});
    QCOMPARE(generator.Code()->Lines(), (QStringList{
                                            "var",
                                            "  VxDialog1: TVxDialog;",
                                            "begin",
                                            "  VxDialog1 := TVxDialog.Create(nil);",
                                            "  try",
                                            "    VxDialog1.ButtonBar.Buttons := [cbYes, cbNo, cbCancel];",
                                            "    VxDialog1.ButtonBar.Color := 15790320;",
                                            "    VxDialog1.Content.Clear;",
                                            "    VxDialog1.Content.Add('The document has been modified.');",
                                            "    VxDialog1.Instruction.Text := 'Save changes?';",
                                            "    VxDialog1.MainIcon := tdiWarning;",
                                            "    VxDialog1.Name := 'VxDialog1';",
                                            "    VxDialog1.Title := 'Confirm';",
                                            "    VxDialog1.Execute;",
                                            "  finally",
                                            "    VxDialog1.Free;",
                                            "  end",
                                            "end;",
                                        }));
    // The designer's second generator gives the form text alone.
    TComponentCreate dfm;
    dfm.AsDFM(dialog, {ccDFMOnly});
    QCOMPARE(dfm.DFM()->Lines(), expectedText);
}

void TstComponentCreate::freshDialog()
{
    TVxDialog dialog;
    dialog.SetName(QStringLiteral("VxDialog1"));
    QCOMPARE(FormTextLines(ComponentFormText(&dialog)), (QStringList{"object VxDialog1: TVxDialog", "end"}));
    QCOMPARE(CodeOf(&dialog).size(), 11);
}

void TstComponentCreate::radioButtonsAndCustomButtons()
{
    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));
    TVxDialog* dialog = WorkedExample(&frmMain, QStringLiteral("VxDialog1"));
    dialog->RadioButtons()->Add();
    dialog->RadioButtons()->Add();
    dialog->SetDialogOptions(dialog->DialogOptions() + doRadioButtons);

    QCOMPARE(FormTextLines(ComponentFormText(dialog)), (QStringList{
                                                           "object VxDialog1: TVxDialog",
                                                           "  Content.Strings = (",
                                                           "    'The document has been modified.')",
                                                           "  DialogOptions = [doRadioButtons, doModal]",
                                                           "  Instruction.Text = 'Save changes?'",
                                                           "  RadioButtons = <",
                                                           "    item",
                                                           "      Caption = 'Radio Button 0'",
                                                           "      Checked = True",
                                                           "      Value = 200",
                                                           "    end",
                                                           "    item",
                                                           "      Caption = 'Radio Button 1'",
                                                           "      Value = 201",
                                                           "    end>",
                                                           "  ButtonBar.Buttons = [cbYes, cbNo, cbCancel]",
                                                           "  ButtonBar.Color = 15790320",
                                                           "  MainIcon = tdiWarning",
                                                           "  Title = 'Confirm'",
                                                           "  Left = 336",
                                                           "  Top = 184",
                                                           "end",
                                                       }));
    QCOMPARE(Statements(CodeOf(dialog)), (QStringList{
                                             "    VxDialog1.ButtonBar.Buttons := [cbYes, cbNo, cbCancel];",
                                             "    VxDialog1.ButtonBar.Color := 15790320;",
                                             "    VxDialog1.Content.Clear;",
                                             "    VxDialog1.Content.Add('The document has been modified.');",
                                             "    VxDialog1.DialogOptions := [doRadioButtons, doModal];",
                                             "    VxDialog1.Instruction.Text := 'Save changes?';",
                                             "    VxDialog1.MainIcon := tdiWarning;",
                                             "    VxDialog1.Name := 'VxDialog1';",
                                             "    VxDialog1.Title := 'Confirm';",
                                             "    with VxDialog1.RadioButtons.Add do begin ",
                                             "      Caption := 'Radio Button 0';",
                                             "      Checked := True;",
                                             "      Value := 200;",
                                             "    end;",
                                             "    with VxDialog1.RadioButtons.Add do begin ",
                                             "      Caption := 'Radio Button 1';",
                                             "      Value := 201;",
                                             "    end;",
                                         }));

    // A custom button with two Info lines and a long caption, next to an image list of the
    // main window: the collection's own reference comes before the collection.
    auto* images = new TImageList(&frmMain);
    images->SetName(QStringLiteral("ImageList1"));
    dialog->CustomButtons()->SetImages(images);
    TVxCustomButtonItem* button = dialog->CustomButtons()->Add();
    button->SetCaption(QString(70, QLatin1Char('s')));
    button->Info()->Add(QStringLiteral("first line"));
    button->Info()->Add(QStringLiteral("second line"));
    const QStringList text = FormTextLines(ComponentFormText(dialog));
    const qsizetype images1 = text.indexOf(QStringLiteral("  CustomButtons.Images = ImageList1"));
    QVERIFY(images1 > 0);
    QCOMPARE(text.at(images1 + 1), QStringLiteral("  CustomButtons = <"));
    const QStringList statements = Statements(CodeOf(dialog));
    QVERIFY(statements.contains(QStringLiteral("    VxDialog1.CustomButtons.Images := ImageList1;")));
    const qsizetype with = statements.indexOf(QStringLiteral("    with VxDialog1.CustomButtons.Add do begin "));
    QVERIFY(with > 0);
    QCOMPARE(statements.mid(with + 1, 8), (QStringList{
                                              "      Caption := ",
                                              "        '" + QString(64, QLatin1Char('s')) + "' +",
                                              "        'ssssss';",
                                              "      Value := 100;",
                                              "      Info.Clear;",
                                              "      Info.Add('first line');",
                                              "      Info.Add('second line');",
                                              "    end;",
                                          }));
}

void TstComponentCreate::allDefaults()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* images = new TCgImageList(&root);
    images->SetName(QStringLiteral("ImageList1"));
    QCOMPARE(CodeOf(images), (QStringList{
                                 "var",
                                 "  ImageList1: TCgImageList;",
                                 "begin",
                                 "  ImageList1 := TCgImageList.Create(nil);",
                                 "  try",
                                 "    ImageList1.Name := 'ImageList1';",
                                 "    ImageList1.Execute;",
                                 "  finally",
                                 "    ImageList1.Free;",
                                 "  end",
                                 "end;",
                             }));
}

void TstComponentCreate::ownerArgument()
{
    // Processed on its own, a component without an owner is its own form: owner nil.
    TCgImageList alone;
    alone.SetName(QStringLiteral("Alone"));
    TComponentCreate generator;
    generator.AsCode(&alone, {ccUseFree});
    QVERIFY(generator.Code()->Lines().contains(QStringLiteral("  Alone := TCgImageList.Create(nil);")));

    // Once a form was selected, a component of another owner is created with that owner.
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* images = new TCgImageList(&root);
    images->SetName(QStringLiteral("ImageList1"));
    generator.AsCode(images, {ccUseFree});
    QVERIFY(generator.Code()->Lines().contains(QStringLiteral("  ImageList1 := TCgImageList.Create(frmMain);")));
}

void TstComponentCreate::stringListStatements()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    thing->Lines()->Add(QStringLiteral("zulu"));
    thing->Lines()->Add(QStringLiteral("alpha"));
    thing->Lines()->Add(QStringLiteral("It's"));
    thing->SetTitle(QStringLiteral("T"));
    QCOMPARE(Statements(CodeOf(thing)), (QStringList{
                                            "    Thing1.Items.Clear;",
                                            "    Thing1.Lines.Clear;",
                                            "    Thing1.Lines.Add('zulu');",
                                            "    Thing1.Lines.Add('alpha');",
                                            "    Thing1.Lines.Add('It'#39's');",
                                            "    Thing1.Mixed := [];",
                                            "    Thing1.Name := 'Thing1';",
                                            "    Thing1.Title := 'T';",
                                        }));
}

void TstComponentCreate::listsLongerThan999Items()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    QStringList expected{QStringLiteral("    Thing1.Lines.Clear;")};
    for (int i = 1; i <= 1200; ++i) {
        thing->Lines()->Add(QString::number(1200 - i));
        expected.append(QStringLiteral("    Thing1.Lines.Add('%1');").arg(1200 - i));
    }
    // Item 1000 and beyond keep their places after item 999.
    QCOMPARE(Statements(CodeOf(thing)).mid(1, 1201), expected);
}

void TstComponentCreate::collectionWithBlocks()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("zThing"));
    thing->Items()->Add()->SetValue(2);
    thing->Items()->Add()->SetValue(1);
    thing->SetCount(4);
    // Lower-case object names sort after "with"; upper-case ones before.
    QCOMPARE(Statements(CodeOf(thing)), (QStringList{
                                            "    with zThing.Items.Add do begin ",
                                            "      Value := 2;",
                                            "    end;",
                                            "    with zThing.Items.Add do begin ",
                                            "      Value := 1;",
                                            "    end;",
                                            "    zThing.Count := 4;",
                                            "    zThing.Mixed := [];",
                                            "    zThing.Name := 'zThing';",
                                        }));
    thing->SetName(QStringLiteral("Thing1"));
    const QStringList statements = Statements(CodeOf(thing));
    QCOMPARE(statements.at(2), QStringLiteral("    Thing1.Name := 'Thing1';"));
    QCOMPARE(statements.at(3), QStringLiteral("    with Thing1.Items.Add do begin "));
    QCOMPARE(statements.at(4), QStringLiteral("      Value := 2;"));
    QCOMPARE(statements.last(), QStringLiteral("    end;"));
}

void TstComponentCreate::continuedValue()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    thing->SetTitle(QString(100, QLatin1Char('t')));
    thing->SetCount(1);
    QCOMPARE(Statements(CodeOf(thing)), (QStringList{
                                            "    Thing1.Count := 1;",
                                            "    Thing1.Items.Clear;",
                                            "    Thing1.Mixed := [];",
                                            "    Thing1.Name := 'Thing1';",
                                            "    Thing1.Title := ",
                                            "      '" + QString(64, QLatin1Char('t')) + "' +",
                                            "      '" + QString(36, QLatin1Char('t')) + "';",
                                        }));
}

void TstComponentCreate::binaryValues_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("expected");
    // An empty collection is written "<>" and becomes a Clear.
    const QStringList plain{"    Thing1.Items.Clear;", "    Thing1.Mixed := [];", "    Thing1.Name := 'Thing1';"};
    QTest::newRow("removed") << int(ccBinaryRemove) << plain;
    QTest::newRow("commented") << int(ccBinaryComment) << plain + QStringList{"  //  Picture := // please assign"};
    QTest::newRow("uncommented") << int(ccBinaryUncomment) << QStringList{"      Picture := // please assign"} + plain;
}

void TstComponentCreate::binaryValues()
{
    QFETCH(int, option);
    QFETCH(QStringList, expected);
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    thing->Picture()->Png()->SetImage(SmallImage());
    QVERIFY(thing->Picture()->SaveToData().size() > 64);
    const QStringList code = CodeOf(thing, {ccUseFree, static_cast<TCCOptions>(option)});
    QCOMPARE(Statements(code), expected);
    // Both placeholder options together: the commented one wins.
    if (option == ccBinaryComment)
        QCOMPARE(Statements(CodeOf(thing, {ccUseFree, ccBinaryComment, ccBinaryUncomment})), expected);
}

void TstComponentCreate::includeObjectText()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* images = new TCgImageList(&root);
    images->SetName(QStringLiteral("ImageList1"));
    images->SetDesignPosition(16, 0);
    const QStringList code = CodeOf(images, {ccUseFree, ccIncludeObjectText});
    QCOMPARE(code.mid(0, 5), (QStringList{"//object ImageList1: TCgImageList", "//  Left = 16", "//end", "", "var"}));
    // The designer position of a component without published Left gives no statement.
    QVERIFY(!code.join('\n').contains(QStringLiteral("ImageList1.Left")));
}

void TstComponentCreate::dfmList()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    TComponentCreate generator;
    generator.AsCode(thing, {ccUseFree});
    QCOMPARE(generator.DFM()->Count(), 0);
    generator.AsDFM(thing, {ccDFMOnly});
    QCOMPARE(generator.DFM()->Lines(), FormTextLines(ComponentFormText(thing)));
    // A second run replaces the text instead of adding to it.
    thing->SetCount(2);
    generator.AsDFM(thing, {ccDFMOnly});
    QCOMPARE(generator.DFM()->Lines(), FormTextLines(ComponentFormText(thing)));
}

void TstComponentCreate::listsAreNeverCleared()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    thing->Lines()->Add(QStringLiteral("b"));
    thing->Lines()->Add(QStringLiteral("a"));
    TComponentCreate generator;
    generator.AsCode(thing, {ccUseFree});
    const QStringList first = generator.Code()->Lines();
    QCOMPARE(generator.Code()->Lines(), first);

    generator.AsCode(thing, {ccUseFree});
    const QStringList second = generator.Code()->Lines();
    QCOMPARE(second.count(QStringLiteral("  Thing1: TCgThing;")), 2);
    QCOMPARE(second.count(QStringLiteral("    Thing1.Free;")), 2);
    // Each run's list keeps its Clear in front of its Adds.
    QCOMPARE(Statements(second).mid(2, 6), (QStringList{
                                               "    Thing1.Lines.Clear;",
                                               "    Thing1.Lines.Clear;",
                                               "    Thing1.Lines.Add('b');",
                                               "    Thing1.Lines.Add('b');",
                                               "    Thing1.Lines.Add('a');",
                                               "    Thing1.Lines.Add('a');",
                                           }));
}

void TstComponentCreate::withoutUseFree()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    // Without the finally part there is no try either: the fragment stays a valid block.
    QCOMPARE(CodeOf(thing, {}), (QStringList{
                                    "var",
                                    "  Thing1: TCgThing;",
                                    "begin",
                                    "  Thing1 := TCgThing.Create(nil);",
                                    "  Thing1.Items.Clear;",
                                    "  Thing1.Mixed := [];",
                                    "  Thing1.Name := 'Thing1';",
                                    "  Thing1.Execute;",
                                    "end;",
                                }));
}

void TstComponentCreate::itemValuesThatSpanLines()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    thing->Lines()->Add(QString(70, QLatin1Char('l')));
    TCgItem* item = thing->Items()->Add();
    item->SetCaption(QString(66, QLatin1Char('c')));
    item->SetValue(100);
    item->Info()->Add(QStringLiteral("first"));
    item->Info()->Add(QString(65, QLatin1Char('i')));
    item->Glyph()->Png()->SetImage(SmallImage());
    QCOMPARE(Statements(CodeOf(thing, {ccUseFree, ccBinaryComment})),
             (QStringList{
                 "    Thing1.Lines.Clear;",
                 "    Thing1.Lines.Add(",
                 "      '" + QString(64, QLatin1Char('l')) + "' +",
                 "      'llllll');",
                 "    Thing1.Mixed := [];",
                 "    Thing1.Name := 'Thing1';",
                 "    with Thing1.Items.Add do begin ",
                 "      Caption := ",
                 "        '" + QString(64, QLatin1Char('c')) + "' +",
                 "        'cc';",
                 "      Value := 100;",
                 "      Info.Clear;",
                 "      Info.Add('first');",
                 "      Info.Add(",
                 "        '" + QString(64, QLatin1Char('i')) + "' +",
                 "        'i');",
                 "  //  Glyph := // please assign",
                 "    end;",
             }));
}

void TstComponentCreate::keysOnlyLeaveListStatements()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    thing->SetTitle(QStringLiteral("a{001}b"));
    thing->Lines()->Add(QStringLiteral("{x}"));
    thing->Options()->SetCaption(QStringLiteral(".{0}"));
    const QStringList statements = Statements(CodeOf(thing));
    QVERIFY(statements.contains(QStringLiteral("    Thing1.Title := 'a{001}b';")));
    QVERIFY(statements.contains(QStringLiteral("    Thing1.Lines.Add('{x}');")));
    QVERIFY(statements.contains(QStringLiteral("    Thing1.Options.Caption := '.{0}';")));
}

void TstComponentCreate::nestedObjectsUseTheirOwnComponent()
{
    TCgForm form;
    form.SetName(QStringLiteral("Form1"));
    form.SetCaption(QStringLiteral("Main"));
    auto* panel = new TCgWinControl(&form);
    panel->SetName(QStringLiteral("Panel1"));
    panel->SetParentControl(&form);
    panel->SetLeft(8);
    auto* edit = new TCgEdit(&form);
    edit->SetName(QStringLiteral("Edit1"));
    edit->SetParentControl(panel);
    edit->SetText(QStringLiteral("abc"));

    // The form publishes no Text: the edit's own class decides that its Text is assignable, the
    // parent statement names the edit's parent, and the form's TextHeight is left out.
    QCOMPARE(CodeOf(&form), (QStringList{
                                "var",
                                "  Form1: TCgForm;",
                                "  Panel1: TCgWinControl;",
                                "  Edit1: TCgEdit;",
                                "begin",
                                "  Form1 := TCgForm.Create(nil);",
                                "  Panel1 := TCgWinControl.Create(nil);",
                                "  Edit1 := TCgEdit.Create(nil);",
                                "  try",
                                "    Edit1.Left := 0;",
                                "    Edit1.Name := 'Edit1';",
                                "    Edit1.Parent := Panel1;",
                                "    Edit1.Text := 'abc';",
                                "    Edit1.Top := 0;",
                                "    Form1.Caption := 'Main';",
                                "    Form1.Left := 0;",
                                "    Form1.Name := 'Form1';",
                                "    Form1.Top := 0;",
                                "    Panel1.Left := 8;",
                                "    Panel1.Name := 'Panel1';",
                                "    Panel1.Parent := Form1;",
                                "    Panel1.Top := 0;",
                                "    Form1.Execute;",
                                "  finally",
                                "    Edit1.Free;",
                                "    Panel1.Free;",
                                "    Form1.Free;",
                                "  end",
                                "end;",
                            }));

    // A form that belongs to another one gets "Self" as the parent of its controls.
    TComponent application;
    application.SetName(QStringLiteral("Application"));
    auto* owned = new TCgForm(&application);
    owned->SetName(QStringLiteral("Form2"));
    auto* button = new TCgControl(owned);
    button->SetName(QStringLiteral("Button1"));
    button->SetParentControl(owned);
    TComponentCreate generator;
    generator.AsCode(button, {ccUseFree});
    QVERIFY(generator.Code()->Lines().contains(QStringLiteral("    Button1.Parent := Self;")));
}

void TstComponentCreate::floatValues()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    thing->SetRatio(0.25);
    thing->SetScale(-2.5);
    thing->SetPrice(3.75);
    thing->SetWhen(45000.5);
    thing->SetColor(clRed);
    thing->SetShade(shDark);
    const QStringList statements = Statements(CodeOf(thing));
    // Identifiers that end in one of the type letters stay as they are.
    QVERIFY(statements.contains(QStringLiteral("    Thing1.Color := clRed;")));
    QVERIFY(statements.contains(QStringLiteral("    Thing1.Shade := shDark;")));
    QVERIFY(statements.contains(QStringLiteral("    Thing1.Ratio := 0.250000000000000000;")));
    QVERIFY(statements.contains(QStringLiteral("    Thing1.Scale := -2.5;")));
    QVERIFY(statements.contains(QStringLiteral("    Thing1.Price := 3.75;")));
    QVERIFY(statements.contains(QStringLiteral("    Thing1.When := 45000.5;")));
}

void TstComponentCreate::ownerPrefixIsStripped()
{
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    auto* thing = new TCgThing(&root);
    thing->SetName(QStringLiteral("Thing1"));
    // A component of another owner that happens to carry the form's name (in other case).
    TComponent other;
    other.SetName(QStringLiteral("FRMMAIN"));
    auto* list = new TCgImageList(&other);
    list->SetName(QStringLiteral("Images"));
    thing->SetLink(list);
    QVERIFY(FormTextLines(ComponentFormText(thing)).contains(QStringLiteral("  Link = FRMMAIN.Images")));
    QVERIFY(Statements(CodeOf(thing)).contains(QStringLiteral("    Thing1.Link := Images;")));
    thing->SetLink(nullptr);

    // A component that the root owns and links through a writable property is a reference, not
    // a sub-object.
    TCgThing form;
    form.SetName(QStringLiteral("Thing1"));
    auto* own = new TCgImageList(&form);
    own->SetName(QStringLiteral("List1"));
    form.SetLink(own);
    QVERIFY(Statements(CodeOf(&form)).contains(QStringLiteral("    Thing1.Link := List1;")));
    form.SetLink(nullptr);
}

void TstComponentCreate::readErrorPropagates()
{
    TCgOdd odd;
    odd.SetName(QStringLiteral("Odd1"));
    TComponentCreate generator;
    QVERIFY_THROWS_EXCEPTION(EReadError, generator.AsCode(&odd, {ccUseFree}));
    // The generator stays usable.
    TCgImageList images;
    images.SetName(QStringLiteral("Images1"));
    generator.AsCode(&images, {ccUseFree});
    QVERIFY(generator.Code()->Lines().contains(QStringLiteral("    Images1.Name := 'Images1';")));
}

void TstComponentCreate::assignability()
{
    TCgThing thing;
    QVERIFY(TComponentCreate::IsAssignableProperty(&thing, QStringLiteral("Title")));
    QVERIFY(TComponentCreate::IsAssignableProperty(&thing, QStringLiteral("Direct")));
    QVERIFY(!TComponentCreate::IsAssignableProperty(&thing, QStringLiteral("Fixed")));
    QVERIFY(!TComponentCreate::IsAssignableProperty(&thing, QStringLiteral("title")));
    QVERIFY(!TComponentCreate::IsAssignableProperty(&thing, QStringLiteral(" ")));
    QVERIFY(!TComponentCreate::IsAssignableProperty(nullptr, QStringLiteral("Title")));
}

void TstComponentCreate::identifiersThatAreNotAscii()
{
    TComponent root;
    root.SetName(QStringLiteral("Hauptfenster"));
    auto* images = new TCgImageList(&root);
    images->SetName(QStringLiteral("Bilder\u00DC"));
    TComponentCreate generator;
    generator.AsCode(images, {ccUseFree, ccIncludeObjectText, ccDFMOnly});
    const QStringList code = generator.Code()->Lines();
    QCOMPARE(code.first(), QStringLiteral("//object Bilder\u00DC: TCgImageList"));
    QVERIFY(code.contains(QStringLiteral("  Bilder\u00DC: TCgImageList;")));
    QVERIFY(code.contains(QStringLiteral("    Bilder\u00DC.Name := 'Bilder\u00DC';")));
    QCOMPARE(generator.DFM()->Lines(), (QStringList{"object Bilder\u00DC: TCgImageList", "end"}));
}

void TstComponentCreate::deepNestingIsAnError_data()
{
    QTest::addColumn<QStringList>("text");
    // A statement the code must hold (blanks around it aside) when the text is accepted, and how
    // often; empty when the text must be refused.
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("times");

    const auto nestedObjects = [](int depth) {
        QStringList lines;
        for (int i = 0; i < depth; ++i)
            lines << QStringLiteral("%1object a%2: TB").arg(QString(i * 2, QLatin1Char(' '))).arg(i);
        for (int i = depth - 1; i >= 0; --i)
            lines << QString(i * 2, QLatin1Char(' ')) + QStringLiteral("end");
        return lines;
    };
    const auto nestedCollections = [](int depth) {
        QStringList lines{QStringLiteral("object Thing1: TCgThing")};
        for (int i = 0; i < depth; ++i)
            lines << QStringLiteral("P = <") << QStringLiteral("item");
        for (int i = 0; i < depth; ++i)
            lines << QStringLiteral("end>");
        lines << QStringLiteral("end");
        return lines;
    };
    const int deepest = TComponentCreate::MaxNesting - 1;
    QTest::newRow("objects at the limit")
        << nestedObjects(TComponentCreate::MaxNesting) << QStringLiteral("a%1: TB;").arg(deepest) << 1;
    QTest::newRow("2,000 nested objects") << nestedObjects(2000) << QString() << 0;
    QTest::newRow("collections at the limit")
        << nestedCollections(deepest) << QStringLiteral("with P.Add do begin") << deepest - 1; // the outermost is Thing1.P
    QTest::newRow("3,750 nested collections") << nestedCollections(3750) << QString() << 0;
}

void TstComponentCreate::deepNestingIsAnError()
{
    QFETCH(QStringList, text);
    QFETCH(QString, expected);
    QFETCH(int, times);
    TCgThing thing;
    thing.SetName(QStringLiteral("Thing1"));
    TComponentCreate generator;
    if (!expected.isEmpty()) {
        generator.AsCodeFromFormText(&thing, text, {ccUseFree});
        const QStringList code = generator.Code()->Lines();
        QCOMPARE(std::count_if(code.cbegin(), code.cend(), [&](const QString& line) { return line.trimmed() == expected; }),
                 times);
    } else {
        QVERIFY_THROWS_EXCEPTION(EReadError, generator.AsCodeFromFormText(&thing, text, {ccUseFree}));
    }
    // The generator translates the next text as if nothing had happened.
    generator.AsCodeFromFormText(&thing, {QStringLiteral("object Thing1: TCgThing"), QStringLiteral("end")},
                                 {ccUseFree});
    QVERIFY(generator.Code()->Lines().contains(QStringLiteral("    Thing1.Name := 'Thing1';")));
}

QTEST_MAIN(TstComponentCreate)
#include "tst_componentcreate.moc"
