#include "frmMain.h"

#include "VxDialogEngine.h"

#include "CodeView.h"
#include "CppCreate.h"
#include "DesignerFonts.h"
#include "ExceptionHandler.h"
#include "LivePreview.h"
#include "Shell.h"
#include "TextContrast.h"
#include "VxDialog.h"
#include "VxDualEditDialog.h"
#include "VxEditDialogs.h"
#include "VxOptions.h"
#include "VxPageScroller.h"
#include "ItemsPanel.h"
#include "VxSelectIconForm.h"
#include "private/AnchoredPanel.h"
#include "private/CheckBoxFit.h"
#include "private/DataCheckBox.h"
#include "private/SvgIconEngine.h"
#include "private/WideCheckBox.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDesktopServices>
#include <QUrl>

#include <optional>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>
#include <QPointer>
#include <QMenuBar>
#include <QDockWidget>
#include <QScreen>
#include <QScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QStyle>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTemporaryFile>
#include <QTextEdit>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// The stored dialog that asks for the expando's texts; every run starts from these two texts.
TVxDualEditDialog* CreateExpandoTextDialog(TComponent* AOwner)
{
    auto* dialog = new TVxDualEditDialog(AOwner);
    dialog->SetName(QStringLiteral("VxDualEditDialog1"));
    dialog->SetTitle(QStringLiteral("Expando Information"));
    dialog->Instruction()->SetText(QStringLiteral("Enter in the Expando Caption details"));
    dialog->SetPosition(dpMainFormCenter);
    dialog->ButtonBar()->SetColor(TColor(0x00F0F0F0));
    dialog->EditProperties()->SetEditType(etCustom);
    TVxDualEditProperties* texts = dialog->DualEditProperties();
    texts->SetValue1(QStringLiteral("Expand Dialog"));
    texts->SetValue1Caption(QStringLiteral("Show Text:"));
    texts->SetValue2(QStringLiteral("Collapse Dialog"));
    texts->SetValue2Caption(QStringLiteral("Hide Text:"));
    return dialog;
}

QWidget* NewPanel(QWidget* Parent, const QString& Name)
{
    auto* panel = new QWidget(Parent);
    panel->setObjectName(Name);
    return panel;
}

QIcon ToolbarIcon(const QString& Name)
{
    return QIcon(new TSvgIconEngine(QStringLiteral(":/toolbar/%1.svg").arg(Name),
                                    QStringLiteral(":/toolbar/%1_disabled.svg").arg(Name), QSize(32, 32)));
}

QLabel* NewPageTitle(QWidget* Page, const QString& Text)
{
    auto* title = new QLabel(Text, Page);
    title->setObjectName(QStringLiteral("PageTitle"));
    title->setFont(DesignerFont(QStringLiteral("Tahoma"), 12, true));
    title->setFixedHeight(14);
    return title;
}

// Client size of the stored form, and the smallest whole window (with a Windows frame of 8 on
// each side and a 31-pixel caption, as the stored sizes assume).
constexpr int ClientWidth = 768, ClientHeight = 667;
constexpr int MinWindowWidth = 705, MinWindowHeight = 675;
constexpr int FrameWidth = 16, FrameHeight = 39;
} // namespace

// One edit of the design: the values before and after it. The edit has happened when the step
// is recorded, so the first redo changes nothing.
class TDesignChange : public QUndoCommand {
public:
    TDesignChange(TfrmMain* Window, const QString& Step, TDesignValues Before, TDesignValues After)
        : QUndoCommand(Step), FWindow(Window), FBefore(std::move(Before)), FAfter(std::move(After))
    {
    }
    void undo() override { FWindow->RestoreDesign(FBefore); }
    void redo() override
    {
        if (FDone)
            FWindow->RestoreDesign(FAfter);
        FDone = true;
    }

private:
    TfrmMain* FWindow;
    TDesignValues FBefore;
    TDesignValues FAfter;
    bool FDone = false;
};

// A design that replaces the window's dialog object (a paste): the other dialog and what goes
// with it wait here, unnamed, until the step is undone or redone.
class TDesignReplace : public QUndoCommand {
public:
    TDesignReplace(TfrmMain* Window, const QString& Step, TfrmMain::TDesignSlot Slot)
        : QUndoCommand(Step), FWindow(Window), FSlot(std::move(Slot))
    {
    }
    ~TDesignReplace() override { delete FSlot.Dialog; }
    void undo() override { FWindow->SwapDesign(FSlot); }
    void redo() override { FWindow->SwapDesign(FSlot); }

private:
    TfrmMain* FWindow;
    TfrmMain::TDesignSlot FSlot;
};

TfrmMain::TfrmMain(QWidget* Parent) : QMainWindow(Parent), FRoot(std::make_unique<TComponent>())
{
    FRestoring = 1; // building the page records nothing
    FUndoStack = new QUndoStack(this);
    FUndoStack->setObjectName(QStringLiteral("UndoStack"));
    setObjectName(QStringLiteral("frmMain"));
    FRoot->SetName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillfen"));
    setFont(DesignerFont(QStringLiteral("Tahoma"), 11));
    resize(ClientWidth, ClientHeight);
    setMinimumSize(MinWindowWidth - FrameWidth, MinWindowHeight - FrameHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button)); // clBtnFace
    setPalette(pal);

    VxDialog1 = CreateDesignDialog(FRoot.get());
    FFreshItems = DesignItemsFromDialog(VxDialog1);
    FItems = FFreshItems;
    VxDualEditDialog1 = CreateExpandoTextDialog(FRoot.get());

    BuildToolBar();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->installEventFilter(this); // a click on the background is FormClick
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(8, 10, 8, 3);
    clientLayout->setSpacing(0);
    setCentralWidget(client);

    // The scroller loads as stored: three pages, page 0 remembered and shown once loading ends.
    VxPageScroller1 = new TVxPageScroller(client);
    VxPageScroller1->setObjectName(QStringLiteral("VxPageScroller1"));
    clientLayout->addWidget(VxPageScroller1);
    VxPageScroller1->OnPageChanged = TPageChangedEvent(
        [this](TObject* Sender, int OldIndex, int NewIndex) { VxPageScroller1PageChanged(Sender, OldIndex, NewIndex); });
    VxPageScroller1->BeginLoading();
    VxPage1 = new TVxPage(VxPageScroller1);
    VxPage2 = new TVxPage(VxPageScroller1);
    VxPage3 = new TVxPage(VxPageScroller1);
    VxPage4 = new TVxPage(VxPageScroller1);
    const QString titles[] = {QStringLiteral("Design Dialog"), QStringLiteral("Generated Code"),
                              QStringLiteral("Generated DFM"), QStringLiteral("Generated C++")};
    TVxPage* pages[] = {VxPage1, VxPage2, VxPage3, VxPage4};
    for (int i = 0; i < 4; ++i) {
        pages[i]->setObjectName(QStringLiteral("VxPage%1").arg(i + 1));
        pages[i]->SetPageIndex(i);
        auto* layout = new QVBoxLayout(pages[i]);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(NewPageTitle(pages[i], titles[i]));
    }
    static_cast<QVBoxLayout*>(VxPage1->layout())->addWidget(BuildDesignPage(VxPage1), 1);
    SynEdit1 = new TCodeView(TCodeLanguage::ObjectPascal, VxPage2);
    SynEdit1->setObjectName(QStringLiteral("SynEdit1"));
    static_cast<QVBoxLayout*>(VxPage2->layout())->addWidget(SynEdit1, 1);
    SynEdit2 = new TCodeView(TCodeLanguage::FormText, VxPage3);
    SynEdit2->setObjectName(QStringLiteral("SynEdit2"));
    static_cast<QVBoxLayout*>(VxPage3->layout())->addWidget(SynEdit2, 1);
    // The C++ page has its own Copy and Save buttons above the view.
    auto* cppButtons = new QToolBar(VxPage4);
    cppButtons->setObjectName(QStringLiteral("CppToolBar"));
    cppButtons->setToolButtonStyle(Qt::ToolButtonTextOnly);
    cppButtons->addAction(CopyCppActn);
    cppButtons->addAction(SaveCppActn);
    static_cast<QVBoxLayout*>(VxPage4->layout())->addWidget(cppButtons);
    SynEdit3 = new TCodeView(TCodeLanguage::Cpp, VxPage4);
    SynEdit3->setObjectName(QStringLiteral("SynEdit3"));
    static_cast<QVBoxLayout*>(VxPage4->layout())->addWidget(SynEdit3, 1);
    connect(SynEdit1, &QsciScintilla::textChanged, this, &TfrmMain::CopyCodeActnUpdate);
    connect(SynEdit2, &QsciScintilla::textChanged, this, &TfrmMain::CopyDFMActnUpdate);
    connect(SynEdit3, &QsciScintilla::textChanged, this, &TfrmMain::CppActnsUpdate);
    VxPageScroller1->SetActivePageIndex(0);
    VxPageScroller1->Loaded();

    // The items panel: hidden until asked for, or until a design with items opens.
    ItemsDock = new QDockWidget(QStringLiteral("Items"), this);
    ItemsDock->setObjectName(QStringLiteral("ItemsDock"));
    ItemsDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    auto* itemsScroll = new QScrollArea(ItemsDock);
    itemsScroll->setObjectName(QStringLiteral("ItemsScroll"));
    itemsScroll->setWidgetResizable(true);
    itemsScroll->setFrameShape(QFrame::NoFrame);
    ItemsPanel1 = new TItemsPanel(itemsScroll);
    itemsScroll->setWidget(ItemsPanel1);
    ItemsDock->setWidget(itemsScroll);
    // The panes stand after the page in reading order: at its right, or at its left right to left.
    const Qt::DockWidgetArea after = isRightToLeft() ? Qt::LeftDockWidgetArea : Qt::RightDockWidgetArea;
    addDockWidget(after, ItemsDock);
    ItemsDock->hide();
    ItemsPanel1->SetItems(FItems);
    connect(ItemsPanel1, &TItemsPanel::ItemsEdited, this,
            [this](const QString& Step) { SetItems(ItemsPanel1->Items(), Step); });
    ItemsActn = ItemsDock->toggleViewAction();
    ItemsActn->setObjectName(QStringLiteral("ItemsActn"));
    ItemsActn->setText(QStringLiteral("&Items"));
    ItemsActn->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    ItemsActn->setShortcutContext(Qt::WindowShortcut);
    ItemsActn->setToolTip(QStringLiteral("Items"));
    ItemsActn->setStatusTip(QStringLiteral("Edit the buttons, command links and radio buttons of the dialog, its default "
                                           "button, progress bar and timer."));
    addAction(ItemsActn);
    ViewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
    ViewMenu->addAction(ItemsActn);

    FormCreate();
    BuildLivePreview();
    qApp->installEventFilter(this); // window shortcuts win over the focused control's own keys

    setAcceptDrops(true);
    FRestoring = 0;
    ResetUndo();
    // The unsaved marker follows the history: back at the saved step, the design is saved.
    connect(FUndoStack, &QUndoStack::cleanChanged, this, &TfrmMain::UpdateCaption);
    UpdateRecentMenu();
    // A previewed dialog's help, when the dialog has no handler of its own, is the guide.
    FPreviousHelp = SetApplicationHelpHandler([](const TApplicationHelpRequest& Request) { OpenGuide(Request); });
}

TfrmMain::~TfrmMain()
{
    // A field that loses the focus while the window goes (text typed, the edit not ended) would
    // record its edit into members already destroyed, and closing hides the docks once this
    // window is only a QWidget: the page, the panel and the docks tell nothing more.
    ++FRestoring;
    ItemsPanel1->disconnect(this);
    for (TVxDSectionControl* section : FSections)
        section->disconnect(this);
    for (QDockWidget* dock : {ItemsDock, LivePreviewDock})
        dock->disconnect(this);
    // The steps hold dialogs that the form root owns: they go first.
    FUndoStack->clear();
    SetApplicationHelpHandler(std::move(FPreviousHelp));
    qApp->removeEventFilter(this);
}

void TfrmMain::FormCreate()
{
    VxPageScroller1->SetActivePageIndex(0);
    setAttribute(Qt::WA_AlwaysShowToolTips, true);
    CopyCodeActnUpdate();
    CopyDFMActnUpdate();
    CppActnsUpdate();
}

void TfrmMain::BuildLivePreview()
{
    LivePreviewDock = new QDockWidget(QStringLiteral("Live Preview"), this);
    LivePreviewDock->setObjectName(QStringLiteral("LivePreviewDock"));
    LivePreviewDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    LivePreviewDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    LivePreview = new TLivePreview(LivePreviewDock);
    LivePreviewDock->setWidget(LivePreview);
    addDockWidget(dockWidgetArea(ItemsDock), LivePreviewDock);
    // The items sit between the page and the picture, each at its full height: an edited item
    // is seen changing beside its fields.
    // (The split does not follow the reading order: right to left the picture goes first.)
    if (isRightToLeft())
        splitDockWidget(LivePreviewDock, ItemsDock, Qt::Horizontal);
    else
        splitDockWidget(ItemsDock, LivePreviewDock, Qt::Horizontal);
    // The pages keep their stored size; the window grows by the pane.
    constexpr int PaneWidth = 480;
    resize(ClientWidth + PaneWidth, ClientHeight);
    resizeDocks({LivePreviewDock},
                {PaneWidth - style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this)},
                Qt::Horizontal);
    connect(ItemsDock, &QDockWidget::visibilityChanged, this, &TfrmMain::MakeRoomForItems);
    QAction* toggle = LivePreviewDock->toggleViewAction();
    toggle->setObjectName(QStringLiteral("LivePreviewActn"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    toggle->setShortcutContext(Qt::WindowShortcut);
    addAction(toggle);
    FActions.push_back(toggle);

    // Every change of the design (a box, a section, the items, undo, redo, Open, New, a paste)
    // ends in DesignChanged.
    connect(this, &TfrmMain::DesignChanged, this, &TfrmMain::UpdateLivePreview);
    // Text being typed shows at once; it becomes a change (and a step) when its edit ends. The
    // window's own restoring ends in DesignChanged: the editors it fills on the way draw nothing.
    const auto drafted = [this] {
        if (!FRestoring)
            UpdateLivePreview();
    };
    for (TVxDSectionControl* section : FSections)
        connect(section, &TVxDSectionControl::DraftChanged, this, drafted);
    connect(ItemsPanel1, &TItemsPanel::ItemsDrafted, this, drafted);
    connect(LivePreview, &TLivePreview::SectionClicked, this,
            [this](TLiveSection Section) { RunGuarded([&] { LivePreviewSectionClicked(Section); }); });
    connect(LivePreview, &TLivePreview::ItemClicked, this, &TfrmMain::LivePreviewItemClicked);
    UpdateLivePreview();
}

void TfrmMain::MakeRoomForItems(bool Shown)
{
    // Docked beside the page, the panel takes its width from the window: the window widens by
    // it as far as the screen allows, so the page and the picture keep theirs, and gives the
    // width back when the panel closes (unless the user has resized the window meanwhile).
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    if (!Shown) {
        if (FItemsGrowth > 0 && ItemsDock->isHidden() && width() == FWidthWithItems && !isMaximized()) {
            // The panel's room would go to the picture; it goes back to the screen instead.
            const int page = centralWidget()->width();
            resize(width() - FItemsGrowth, height());
            if (LivePreviewDock->isVisible() && !LivePreviewDock->isFloating())
                resizeDocks({LivePreviewDock}, {width() - page - separator}, Qt::Horizontal);
        }
        FItemsGrowth = 0;
        return;
    }
    if (FItemsGrowth > 0 || ItemsDock->isFloating() || isMaximized() || isFullScreen() || !isVisible() || !screen())
        return;
    const QRect room = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    // The page's own width; by now the dock may already have taken some of it.
    const int page = ClientWidth;
    const int panel = ItemsDock->sizeHint().width();
    const int grow = qMin(panel + separator, room.width() - frame.width());
    if (grow > 0) {
        if (const int over = frame.right() + grow - room.right(); over > 0)
            move(x() - over, y());
        resize(width() + grow, height());
        FItemsGrowth = grow;
        FWidthWithItems = width();
    }
    // What the screen could not give comes from the picture, which scrolls, not from the page.
    if (LivePreviewDock->isVisible() && !LivePreviewDock->isFloating()) {
        const int docks = qMax(width() - page - 2 * separator, 2 * LivePreviewDock->minimumSizeHint().width());
        const int items = qMin(panel, docks / 2);
        resizeDocks({ItemsDock, LivePreviewDock}, {items, docks - items}, Qt::Horizontal);
    }
}

void TfrmMain::UpdateLivePreview()
{
    if (!LivePreview)
        return;
    LivePreview->SetDesign(VxDialog1, DraftDesignValues());
}

void TfrmMain::LivePreviewSectionClicked(TLiveSection Section)
{
    const std::pair<TLiveSection, TVxDSectionControl*> targets[] = {
        {TLiveSection::Title, TitleSection},
        {TLiveSection::Header, HeaderSection},
        {TLiveSection::HeaderIcon, HeaderIconSection},
        {TLiveSection::Instruction, InstructionSection},
        {TLiveSection::InstructionIcon, InstructionIconSection},
        {TLiveSection::MainIcon, MainIconSection},
        {TLiveSection::Content, ContentSection},
        {TLiveSection::HelpLink, HelpLinkSection},
        {TLiveSection::ExpandoContent, ExpandoContentSection},
        {TLiveSection::ExpandoFooter, ExpandoFooterSection},
        {TLiveSection::Footer, FooterSection},
        {TLiveSection::FooterIcon, FooterIconSection}};
    TVxDSectionControl* target = nullptr;
    for (const auto& [part, section] : targets)
        if (part == Section)
            target = section;
    if (!target || !target->isVisibleTo(VxPage1))
        return;
    VxPageScroller1->SetActivePageIndex(0);
    EndSectionEditing();
    // An icon section is edited in the icon picker, a text section in place.
    if (target->EditType() == etIcon || target->EditType() == etSmallIcon)
        PickSectionIcon(target);
    else
        target->SetIsEditing(true);
}

void TfrmMain::LivePreviewItemClicked(TLiveItem Kind, int Index)
{
    EndSectionEditing();
    if (Kind == TLiveItem::Verification) {
        // The page's own box: its caption is the verification text.
        VxPageScroller1->SetActivePageIndex(0);
        VerificationCheckBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    ItemsDock->show();
    ItemsDock->raise();
    switch (Kind) {
    case TLiveItem::CustomButton:
        ItemsPanel1->SelectButton(Index);
        break;
    case TLiveItem::RadioButton:
        ItemsPanel1->SelectRadio(Index);
        break;
    case TLiveItem::RadioGroup:
        ItemsPanel1->ShowField(ItemsPanel1->RadioGroupCaption);
        break;
    case TLiveItem::CommonButton:
        ItemsPanel1->ShowField(ItemsPanel1->DefaultButton);
        break;
    case TLiveItem::ProgressBar:
        ItemsPanel1->ShowField(ItemsPanel1->ProgressPosition);
        break;
    default:
        break;
    }
}

void TfrmMain::BuildToolBar()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(32, 32));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->setFont(DesignerFont(QStringLiteral("Tahoma"), 11));
    // The colour map: black captions, disabled ones $006D6D6D (a style sheet's buttons take their
    // text colours from the sheet, not from the palette below). A dark palette keeps its own text
    // colours: black would not read on its bar.
    const QPalette& app = QApplication::palette();
    const bool dark = PaletteIsDark();
    const QColor captionColor = dark ? app.color(QPalette::Active, QPalette::ButtonText) : QColor(Qt::black);
    const QColor disabledColor = dark ? app.color(QPalette::Disabled, QPalette::ButtonText) : QColor(0x6D, 0x6D, 0x6D);
    ToolBar1->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: 0px; }"
                                           "QToolButton { padding: 0px 4px; margin: 0px; color: %1; }"
                                           "QToolButton:disabled { color: %2; }")
                                .arg(captionColor.name(), disabledColor.name()));
    QPalette pal = ToolBar1->palette();
    pal.setColor(QPalette::Window, app.color(QPalette::Window)); // clMenuBar
    pal.setColor(QPalette::Active, QPalette::ButtonText, captionColor);
    pal.setColor(QPalette::Inactive, QPalette::ButtonText, captionColor);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, disabledColor);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, disabledColor);
    ToolBar1->setPalette(pal);
    ToolBar1->setAutoFillBackground(true);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    struct Command {
        QAction** Action;
        const char* Name;
        const char* ToolCaption;
        const char* Caption;
        const char* Image;
        QKeySequence Shortcut;
        const char* Hint;
    };
    const Command commands[] = {
        {&NewActn, "NewActn", "&New", "New", "new", QKeySequence(Qt::CTRL | Qt::Key_N),
         "New Dialog|Clear all of the previous customisations ready to start again."},
        {&OpenActn, "OpenActn", "Op&en", "Open", "open", QKeySequence(Qt::CTRL | Qt::Key_O),
         "Open Design|Open a dialog design kept as form text (a .dfm file)."},
        {&SaveActn, "SaveActn", "&Save", "Save", "save", QKeySequence(Qt::CTRL | Qt::Key_S),
         "Save Design|Save the design as form text."},
        {&SaveAsActn, "SaveAsActn", "Save &As", "Save As", "saveas", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         "Save Design As|Save the design as form text under a new name."},
        {&PreviewActn, "PreviewActn", "&Preview", "Preview", "preview", QKeySequence(Qt::CTRL | Qt::Key_P),
         "Preview Dialog|Preview the dialog as it would appear to the user."},
        {&GenerateActn, "GenerateActn", "&Generate", "Generate", "generate", QKeySequence(Qt::CTRL | Qt::Key_G),
         "Generate|Generate the source code and DFM object for the entered dialog inputs."},
        {&CopyCodeActn, "CopyCodeActn", "&Copy Code", "Copy Code", "copycode", QKeySequence(Qt::CTRL | Qt::Key_C),
         "Copy Code|Copy the source code required to create the designed dialog."},
        {&CopyDFMActn, "CopyDFMActn", "C&opy DFM", "Copy DFM", "copydfm", QKeySequence(Qt::CTRL | Qt::Key_D),
         "Copy DFM|Copy the DFM representation required to create the designed dialog."},
        {&HelpActn, "HelpActn", "&Help", "Help", "help", QKeySequence(Qt::Key_F1),
         "Help|Display online help for this application."},
        {&ExitActn, "ExitActn", "&Exit", "Exit", "exit", QKeySequence(Qt::CTRL | Qt::Key_Q), "Exit|Exit Quillfen"},
    };
    for (const Command& c : commands) {
        auto* action = new QAction(ToolbarIcon(QLatin1String(c.Image)), QLatin1String(c.Caption), this);
        action->setObjectName(QLatin1String(c.Name));
        action->setIconText(QLatin1String(c.ToolCaption));
        action->setShortcut(c.Shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        const QString hint = QLatin1String(c.Hint);
        action->setProperty("Hint", hint);
        action->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
        action->setStatusTip(hint.section(QLatin1Char('|'), 1));
        addAction(action); // shortcuts work anywhere in the window
        *c.Action = action;
        FActions.push_back(action);
    }
    connect(NewActn, &QAction::triggered, this, [this] { RunGuarded([this] { NewActnExecute(); }); });
    connect(GenerateActn, &QAction::triggered, this, [this] { RunGuarded([this] { GenerateActnExecute(); }); });
    connect(CopyCodeActn, &QAction::triggered, this, [this] { RunGuarded([this] { CopyCodeActnExecute(); }); });
    connect(CopyDFMActn, &QAction::triggered, this, [this] { RunGuarded([this] { CopyDFMActnExecute(); }); });
    connect(HelpActn, &QAction::triggered, this, [this] { RunGuarded([this] { HelpActnExecute(); }); });
    connect(ExitActn, &QAction::triggered, this, [this] { RunGuarded([this] { ExitActnExecute(); }); });
    connect(PreviewActn, &QAction::triggered, this, [this] { RunGuarded([this] { PreviewActnExecute(); }); });
    connect(OpenActn, &QAction::triggered, this, [this] { RunGuarded([this] { OpenActnExecute(); }); });
    connect(SaveActn, &QAction::triggered, this, [this] { RunGuarded([this] { SaveActnExecute(); }); });
    connect(SaveAsActn, &QAction::triggered, this, [this] { RunGuarded([this] { SaveAsActnExecute(); }); });
    PasteActn = new QAction(QStringLiteral("Paste Design"), this);
    PasteActn->setObjectName(QStringLiteral("PasteActn"));
    PasteActn->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    PasteActn->setShortcutContext(Qt::WindowShortcut);
    PasteActn->setProperty("Hint", QStringLiteral("Paste Design|Read a dialog's form text from the clipboard onto the design page."));
    PasteActn->setToolTip(QStringLiteral("Paste Design"));
    addAction(PasteActn);
    FActions.push_back(PasteActn);
    connect(PasteActn, &QAction::triggered, this, [this] { RunGuarded([this] { PasteActnExecute(); }); });
    CopyCppActn = new QAction(QStringLiteral("Copy C++"), this);
    CopyCppActn->setObjectName(QStringLiteral("CopyCppActn"));
    CopyCppActn->setIconText(QStringLiteral("Cop&y C++"));
    CopyCppActn->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    CopyCppActn->setShortcutContext(Qt::WindowShortcut);
    CopyCppActn->setProperty("Hint", QStringLiteral("Copy C++|Copy the C++ code that creates the designed dialog."));
    CopyCppActn->setToolTip(QStringLiteral("Copy C++"));
    SaveCppActn = new QAction(QStringLiteral("Save C++ As"), this);
    SaveCppActn->setObjectName(QStringLiteral("SaveCppActn"));
    SaveCppActn->setIconText(QStringLiteral("Save C++ As..."));
    SaveCppActn->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    SaveCppActn->setShortcutContext(Qt::WindowShortcut);
    SaveCppActn->setProperty("Hint", QStringLiteral("Save C++|Save the C++ code that creates the designed dialog as a source file."));
    SaveCppActn->setToolTip(QStringLiteral("Save C++ As"));
    for (QAction* action : {CopyCppActn, SaveCppActn}) {
        addAction(action);
        FActions.push_back(action);
    }
    connect(CopyCppActn, &QAction::triggered, this, [this] { RunGuarded([this] { CopyCppActnExecute(); }); });
    connect(SaveCppActn, &QAction::triggered, this, [this] { RunGuarded([this] { SaveCppActnExecute(); }); });

    // Undo and redo name the step they take back or do again. They are not window shortcuts
    // above the focused control: a text editor undoes its own typing first.
    // An edit in progress in a section is a step of its own, taken back first.
    UndoActn = new QAction(this);
    UndoActn->setObjectName(QStringLiteral("UndoActn"));
    UndoActn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    RedoActn = new QAction(this);
    RedoActn->setObjectName(QStringLiteral("RedoActn"));
    RedoActn->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    const auto name = [](QAction* Action, const QString& Verb, const QString& Step) {
        Action->setText(Step.isEmpty() ? Verb : QStringLiteral("%1 %2").arg(Verb, Step));
    };
    connect(FUndoStack, &QUndoStack::undoTextChanged, UndoActn,
            [this, name](const QString& Step) { name(UndoActn, QStringLiteral("&Undo"), Step); });
    connect(FUndoStack, &QUndoStack::redoTextChanged, RedoActn,
            [this, name](const QString& Step) { name(RedoActn, QStringLiteral("&Redo"), Step); });
    connect(FUndoStack, &QUndoStack::canUndoChanged, UndoActn, &QAction::setEnabled);
    connect(FUndoStack, &QUndoStack::canRedoChanged, RedoActn, &QAction::setEnabled);
    name(UndoActn, QStringLiteral("&Undo"), QString());
    name(RedoActn, QStringLiteral("&Redo"), QString());
    UndoActn->setEnabled(false);
    RedoActn->setEnabled(false);
    connect(UndoActn, &QAction::triggered, this, [this] {
        RunGuarded([this] {
            EndSectionEditing();
            FUndoStack->undo();
        });
    });
    connect(RedoActn, &QAction::triggered, this, [this] {
        RunGuarded([this] {
            EndSectionEditing();
            FUndoStack->redo();
        });
    });
    for (QAction* action : {UndoActn, RedoActn}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    EditMenu = menuBar()->addMenu(QStringLiteral("E&dit"));
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    EditMenu->addAction(UndoActn);
    EditMenu->addAction(RedoActn);
    EditMenu->addSeparator();
    EditMenu->addAction(PasteActn);

    ToolBar1->addAction(NewActn);
    ToolBar1->addAction(OpenActn);
    ToolBar1->addAction(SaveActn);
    ToolBar1->addAction(SaveAsActn);
    ToolBar1->addSeparator();
    // The Open button's menu lists the recent files.
    RecentMenu = new QMenu(this);
    RecentMenu->setObjectName(QStringLiteral("RecentMenu"));
    if (auto* openButton = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(OpenActn))) {
        openButton->setMenu(RecentMenu);
        openButton->setPopupMode(QToolButton::MenuButtonPopup);
    }
    ToolBar1->addAction(CopyCodeActn);
    ToolBar1->addAction(CopyDFMActn);
    ToolBar1->addSeparator();
    ToolBar1->addAction(GenerateActn);
    ToolBar1->addAction(PreviewActn);
    ToolBar1->addSeparator();
    ToolBar1->addAction(HelpActn);
    ToolBar1->addSeparator();
    ToolBar1->addAction(ExitActn);
    // The stored 42 pixels when the buttons fit; a 32-pixel image with a caption line under it
    // needs more (about 50 with the 8-point caption), and a cut caption is worse than a taller bar.
    ToolBar1->setFixedHeight(qMax(42, ToolBar1->sizeHint().height()));
}

TVxDSectionControl* TfrmMain::NewSection(QWidget* Parent, const QString& Name, const QString& Caption,
                                         TVxDEditType EditType)
{
    auto* section = new TVxDSectionControl(Parent);
    section->setObjectName(Name);
    section->SetCaption(Caption);
    section->SetEditType(EditType);
    const QFont font = DesignerFont(QStringLiteral("Segoe UI"), 12);
    section->setFont(font);
    section->SetEditValueFont(font);
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    section->SetFontColor(windowText);
    section->SetEditValueColor(windowText);
    FSections.push_back(section);
    return section;
}

QCheckBox* TfrmMain::NewCheckBox(QWidget* Parent, const QString& Name, const QString& Caption, const QRect& Bounds,
                                  bool HoldsData)
{
    auto* box = HoldsData ? new TDataCheckBox(Caption, Parent) : new TWideCheckBox(Caption, Parent);
    box->setObjectName(Name);
    box->setGeometry(Bounds);
    FCheckBoxes.push_back(box);
    return box;
}

QWidget* TfrmMain::BuildDesignPage(QWidget* Page)
{
    auto* panel = NewPanel(Page, QStringLiteral("DesignPanel"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    const auto fixedHeight = [](QWidget* w, int h) {
        w->setFixedHeight(h);
        return w;
    };
    const auto iconBand = [this](QWidget* Band, TVxDSectionControl* Icon, TVxDSectionControl* Text) {
        auto* row = new QHBoxLayout(Band);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        Icon->setFixedWidth(100);
        row->addWidget(Icon);
        row->addWidget(Text, 1);
        Q_UNUSED(this);
    };

    TitleSection = NewSection(panel, QStringLiteral("TitleSection"), QStringLiteral("Title"), etSingleText);
    column->addWidget(fixedHeight(TitleSection, 37));

    HeaderPanel = NewPanel(panel, QStringLiteral("HeaderPanel"));
    HeaderIconSection = NewSection(HeaderPanel, QStringLiteral("HeaderIconSection"), QStringLiteral("Header Icon"), etIcon);
    HeaderSection = NewSection(HeaderPanel, QStringLiteral("HeaderSection"), QStringLiteral("Header"), etText);
    iconBand(HeaderPanel, HeaderIconSection, HeaderSection);
    column->addWidget(fixedHeight(HeaderPanel, 50));

    InstructionPanel = NewPanel(panel, QStringLiteral("InstructionPanel"));
    InstructionIconSection = NewSection(InstructionPanel, QStringLiteral("InstructionIconSection"),
                                        QStringLiteral("Instruction Icon"), etIcon);
    InstructionSection = NewSection(InstructionPanel, QStringLiteral("InstructionSection"),
                                    QStringLiteral("Instruction"), etText);
    InstructionSection->setAccessibleName(QStringLiteral("Main instruction"));
    InstructionSection->SetEditValueFont(DesignerFont(QStringLiteral("Segoe UI"), 16));
    InstructionSection->SetEditValueColor(QColor(0x00, 0x33, 0x99)); // $00993300
    iconBand(InstructionPanel, InstructionIconSection, InstructionSection);
    column->addWidget(fixedHeight(InstructionPanel, 50));

    Panel2 = NewPanel(panel, QStringLiteral("Panel2"));
    auto* row2 = new QHBoxLayout(Panel2);
    row2->setContentsMargins(0, 0, 0, 0);
    row2->setSpacing(0);
    MainIconSection = NewSection(Panel2, QStringLiteral("MainIconSection"), QStringLiteral("Main Icon"), etIcon);
    MainIconSection->setFixedWidth(100);
    row2->addWidget(MainIconSection);
    auto* contentColumn = new QVBoxLayout;
    contentColumn->setSpacing(0);
    row2->addLayout(contentColumn, 1);
    ContentSection = NewSection(Panel2, QStringLiteral("ContentSection"), QStringLiteral("Content"), etText);
    contentColumn->addWidget(ContentSection, 1);
    HelpLinkSection = NewSection(Panel2, QStringLiteral("HelpLinkSection"), QStringLiteral("Help Link"), etText);
    QFont link = DesignerFont(QStringLiteral("Segoe UI"), 12);
    link.setUnderline(true);
    HelpLinkSection->SetEditValueFont(link);
    HelpLinkSection->SetEditValueColor(QColor(0x00, 0x00, 0xFF)); // clBlue
    HelpLinkSection->setFixedHeight(37);
    HelpLinkSection->hide();
    contentColumn->addWidget(HelpLinkSection);
    DialogOptionsPanel = NewPanel(Panel2, QStringLiteral("DialogOptionsPanel"));
    DialogOptionsPanel->setFixedHeight(91);
    DialogOptionsPanel->installEventFilter(this);
    contentColumn->addWidget(DialogOptionsPanel);
    auto* optionsLayout = new QVBoxLayout(DialogOptionsPanel);
    optionsLayout->setContentsMargins(8, 5, 8, 8);
    gbOptions = new QGroupBox(QStringLiteral(" &Options "), DialogOptionsPanel);
    gbOptions->setObjectName(QStringLiteral("gbOptions"));
    gbOptions->installEventFilter(this);
    optionsLayout->addWidget(gbOptions);
    cbdoShowHelpLink = NewCheckBox(gbOptions, QStringLiteral("cbdoShowHelpLink"), QStringLiteral("doShowHelpLink"), {14, 22, 98, 17});
    cbdoRadioButtons = NewCheckBox(gbOptions, QStringLiteral("cbdoRadioButtons"), QStringLiteral("doRadioButtons"), {15, 48, 97, 17});
    cbdoCommandLinks = NewCheckBox(gbOptions, QStringLiteral("cbdoCommandLinks"), QStringLiteral("doCommandLinks"), {136, 22, 108, 17});
    cbdoCommandLinksNoIcon = NewCheckBox(gbOptions, QStringLiteral("cbdoCommandLinksNoIcon"), QStringLiteral("doCommandLinksNoIcon"), {250, 22, 140, 17});
    cbdoProgressBar = NewCheckBox(gbOptions, QStringLiteral("cbdoProgressBar"), QStringLiteral("doProgressBar"), {136, 48, 108, 17});
    cbdoProgressBarMarque = NewCheckBox(gbOptions, QStringLiteral("cbdoProgressBarMarque"), QStringLiteral("doProgressBarMarquee"), {250, 48, 140, 17});
    cbdoTimer = NewCheckBox(gbOptions, QStringLiteral("cbdoTimer"), QStringLiteral("doTimer"), {478, 22, 57, 17});
    cbdoTopMost = NewCheckBox(gbOptions, QStringLiteral("cbdoTopMost"), QStringLiteral("doTopMost"), {396, 22, 76, 17});
    cbdoModal = NewCheckBox(gbOptions, QStringLiteral("cbdoModal"), QStringLiteral("doModal"), {396, 48, 76, 17});
    cbdoModal->setChecked(true);
    // Captions that do not fit the stored widths (another font than the one they were measured
    // in) widen their boxes.
    new TCheckBoxColumns(gbOptions, {cbdoShowHelpLink, cbdoRadioButtons, cbdoCommandLinks, cbdoCommandLinksNoIcon,
                                     cbdoProgressBar, cbdoProgressBarMarque, cbdoTimer, cbdoTopMost, cbdoModal});
    column->addWidget(Panel2, 1);

    ExpandoContentSection = NewSection(panel, QStringLiteral("ExpandoContentSection"),
                                       QStringLiteral("Expando Content (More Lines)"), etText);
    column->addWidget(fixedHeight(ExpandoContentSection, 71));

    auto* panel3 = new TAnchoredPanel(panel, QSize(752, 52));
    Panel3 = panel3;
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->installEventFilter(this);
    VerificationCheckBox = NewCheckBox(Panel3, QStringLiteral("VerificationCheckBox"), QStringLiteral("Verification"), {8, 29, 237, 17}, true);
    ExpandoCheckBox = NewCheckBox(Panel3, QStringLiteral("ExpandoCheckBox"), QStringLiteral("Expando"), {8, 6, 237, 17}, true);
    // Their captions are data (the texts the user gave); a screen reader names them by their place.
    VerificationCheckBox->setAccessibleName(QStringLiteral("Verification"));
    ExpandoCheckBox->setAccessibleName(QStringLiteral("Expando"));
    cbButtonYes = NewCheckBox(Panel3, QStringLiteral("cbButtonYes"), QStringLiteral("Yes"), {492, 6, 75, 17});
    cbButtonNo = NewCheckBox(Panel3, QStringLiteral("cbButtonNo"), QStringLiteral("No"), {492, 30, 75, 17});
    cbButtonOK = NewCheckBox(Panel3, QStringLiteral("cbButtonOK"), QStringLiteral("OK"), {580, 6, 75, 17});
    cbButtonCancel = NewCheckBox(Panel3, QStringLiteral("cbButtonCancel"), QStringLiteral("Cancel"), {580, 30, 75, 17});
    cbButtonHelp = NewCheckBox(Panel3, QStringLiteral("cbButtonHelp"), QStringLiteral("Help"), {668, 6, 75, 17});
    cbButtonClose = NewCheckBox(Panel3, QStringLiteral("cbButtonClose"), QStringLiteral("Close"), {668, 30, 75, 17});
    panel3->Anchor(VerificationCheckBox, TAnchoredPanel::TopLeft);
    panel3->Anchor(ExpandoCheckBox, TAnchoredPanel::TopLeft);
    for (QCheckBox* box : {cbButtonYes, cbButtonNo, cbButtonOK, cbButtonCancel, cbButtonHelp, cbButtonClose})
        panel3->Anchor(box, TAnchoredPanel::TopRight);
    cbButtonOK->setChecked(true);
    cbButtonCancel->setChecked(true);
    panel3->Relayout();
    column->addWidget(fixedHeight(Panel3, 52));

    FooterPanel = NewPanel(panel, QStringLiteral("FooterPanel"));
    FooterIconSection = NewSection(FooterPanel, QStringLiteral("FooterIconSection"), QStringLiteral("Footer Icon"), etSmallIcon);
    FooterSection = NewSection(FooterPanel, QStringLiteral("FooterSection"), QStringLiteral("Footer"), etText);
    iconBand(FooterPanel, FooterIconSection, FooterSection);
    column->addWidget(fixedHeight(FooterPanel, 50));

    ExpandoFooterSection = NewSection(panel, QStringLiteral("ExpandoFooterSection"),
                                      QStringLiteral("Expando Footer (More Lines)"), etText);
    column->addWidget(fixedHeight(ExpandoFooterSection, 50));

    // Keyboard order: the page from top to bottom, sections included (each takes the focus and
    // is edited with Enter or F2); inside the options box and Panel3 the stored tab orders.
    const QList<QWidget*> tabOrder = {
        TitleSection, HeaderIconSection, HeaderSection, InstructionIconSection, InstructionSection, MainIconSection,
        ContentSection, HelpLinkSection, cbdoShowHelpLink, cbdoRadioButtons, cbdoCommandLinks,
        cbdoCommandLinksNoIcon, cbdoProgressBar, cbdoProgressBarMarque, cbdoTimer, cbdoTopMost, cbdoModal,
        ExpandoContentSection, VerificationCheckBox, ExpandoCheckBox, cbButtonYes, cbButtonNo, cbButtonOK,
        cbButtonCancel, cbButtonHelp, cbButtonClose, FooterIconSection, FooterSection, ExpandoFooterSection};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // Handlers (a state change from code raises them as a user click would).
    for (TVxDSectionControl* section : FSections) {
        if (section != HelpLinkSection)
            section->OnClick = TNotifyEvent([this](TObject*) { TitleSectionClick(); });
    }
    for (TVxDSectionControl* section : {MainIconSection, HeaderIconSection, InstructionIconSection, FooterIconSection})
        section->OnShowEdit = TVxDShowEditEvent([this](TObject* Sender, bool& Handled) {
            RunGuarded([&] { MainIconSectionShowEdit(Sender, Handled); });
        });
    // Each handler's whole work (a query included) is one step.
    const auto boxStep = [](QCheckBox* Box) {
        return (Box->isChecked() ? QStringLiteral("Check %1") : QStringLiteral("Uncheck %1")).arg(Box->text());
    };
    for (QCheckBox* box : {cbdoRadioButtons, cbdoCommandLinks, cbdoCommandLinksNoIcon, cbdoProgressBar,
                           cbdoProgressBarMarque, cbdoTimer, cbdoTopMost, cbdoModal, cbButtonYes, cbButtonNo,
                           cbButtonOK, cbButtonCancel, cbButtonHelp, cbButtonClose})
        connect(box, &QCheckBox::toggled, this, [this, box, boxStep] {
            cbdoRadioButtonsClick();
            CommitChange(boxStep(box));
        });
    connect(cbdoShowHelpLink, &QCheckBox::toggled, this, [this, boxStep] {
        cbdoShowHelpLinkClick();
        CommitChange(boxStep(cbdoShowHelpLink));
    });
    connect(ExpandoCheckBox, &QCheckBox::toggled, this, [this] {
        ExpandoCheckBoxClick();
        CommitChange(QStringLiteral("Expando"));
    });
    connect(VerificationCheckBox, &QCheckBox::toggled, this, [this] {
        VerificationCheckBoxClick();
        CommitChange(QStringLiteral("Verification"));
    });
    for (TVxDSectionControl* section : FSections)
        connect(section, &TVxDSectionControl::EditValueChanged, this,
                [this, section] { CommitChange(QStringLiteral("Edit %1").arg(section->Caption())); });
    return panel;
}

TDesignValues TfrmMain::DesignValues() const
{
    return PageValues(false);
}

TDesignValues TfrmMain::DraftDesignValues() const
{
    return PageValues(true);
}

TDesignValues TfrmMain::PageValues(bool Drafts) const
{
    const auto text = [Drafts](const TVxDSectionControl* Section) {
        return Drafts ? Section->DraftValue() : Section->EditValue();
    };
    TDesignValues v;
    v.Title = text(TitleSection);
    v.MainIcon = MainIconSection->EditValue();
    v.Header = text(HeaderSection);
    v.HeaderIcon = HeaderIconSection->EditValue();
    v.Instruction = text(InstructionSection);
    v.InstructionIcon = InstructionIconSection->EditValue();
    v.Content = text(ContentSection);
    v.ExpandoChecked = ExpandoCheckBox->isChecked();
    v.ExpandoCaption = ExpandoCheckBox->text();
    v.ExpandoContent = text(ExpandoContentSection);
    v.ExpandoFooter = text(ExpandoFooterSection);
    v.Footer = text(FooterSection);
    v.FooterIcon = FooterIconSection->EditValue();
    v.ShowHelpLink = cbdoShowHelpLink->isChecked();
    v.HelpLink = text(HelpLinkSection);
    v.RadioButtons = cbdoRadioButtons->isChecked();
    v.CommandLinks = cbdoCommandLinks->isChecked();
    v.CommandLinksNoIcon = cbdoCommandLinksNoIcon->isChecked();
    v.ProgressBar = cbdoProgressBar->isChecked();
    v.ProgressBarMarquee = cbdoProgressBarMarque->isChecked();
    v.Timer = cbdoTimer->isChecked();
    v.TopMost = cbdoTopMost->isChecked();
    v.Modal = cbdoModal->isChecked();
    v.ButtonYes = cbButtonYes->isChecked();
    v.ButtonNo = cbButtonNo->isChecked();
    v.ButtonOK = cbButtonOK->isChecked();
    v.ButtonCancel = cbButtonCancel->isChecked();
    v.ButtonHelp = cbButtonHelp->isChecked();
    v.ButtonClose = cbButtonClose->isChecked();
    v.VerificationChecked = VerificationCheckBox->isChecked();
    v.VerificationCaption = VerificationCheckBox->text();
    v.OtherButtons = FKept.OtherButtons;
    v.HeaderVisible = FKept.HeaderVisible;
    v.FooterVisible = FKept.FooterVisible;
    v.KeepHelpLinkText = FKept.KeepHelpLinkText;
    v.Items = Drafts ? ItemsPanel1->DraftItems() : FItems;
    return v;
}

// --- handlers --------------------------------------------------------------------------------

void TfrmMain::VxPageScroller1PageChanged(TObject*, int, int NewPageIndex)
{
    FPageIndex = NewPageIndex;
    UpdateCaption();
}

void TfrmMain::UpdateCaption()
{
    QString caption = QStringLiteral("Quillfen");
    switch (FPageIndex) {
    case 0:
        caption += QStringLiteral(" - Design Dialog");
        break;
    case 1:
        caption += QStringLiteral(" - Generated Code");
        break;
    case 2:
        caption += QStringLiteral(" - Generated DFM");
        break;
    case 3:
        caption += QStringLiteral(" - Generated C++");
        break;
    default:
        break;
    }
    // The file's name, with a marker while there are unsaved changes. An untitled design keeps the
    // plain page caption (its changes are still asked about before they are dropped).
    if (!FFileName.isEmpty())
        caption += QStringLiteral(" - %1[*]").arg(QFileInfo(FFileName).fileName());
    if (windowTitle() != caption)
        setWindowTitle(caption);
    setWindowModified(!FFileName.isEmpty() && IsModified());
}

void TfrmMain::TitleSectionClick()
{
    EndSectionEditing();
}

void TfrmMain::FormClick()
{
    EndSectionEditing();
}

void TfrmMain::cbdoRadioButtonsClick()
{
    EndSectionEditing();
}

void TfrmMain::cbdoShowHelpLinkClick()
{
    EndSectionEditing();
    HelpLinkSection->setVisible(cbdoShowHelpLink->isChecked());
}

// Asking for the show and hide texts needs the program's input dialogs, which this build does
// not have yet: the box changes state without asking and keeps its caption.
void TfrmMain::ExpandoCheckBoxClick()
{
    EndSectionEditing();
    if (!ExpandoCheckBox->isChecked()) {
        SetDataCaption(ExpandoCheckBox, QStringLiteral("Expando"));
        return;
    }
    // A cancelled query leaves the box checked with its caption.
    RunGuarded([this] {
        if (VxDualEditDialog1->Execute() == mrOk)
            SetDataCaption(ExpandoCheckBox, VxDualEditDialog1->EditValue1() + QLatin1Char('|') + VxDualEditDialog1->EditValue2());
    });
}

// As above for the verification text.
void TfrmMain::VerificationCheckBoxClick()
{
    EndSectionEditing();
    if (!VerificationCheckBox->isChecked()) {
        SetDataCaption(VerificationCheckBox, QStringLiteral("Verification"));
        return;
    }
    RunGuarded([this] {
        QString caption;
        if (EditQuery(QStringLiteral("Caption:"), QStringLiteral("Enter Verification Caption"), caption))
            SetDataCaption(VerificationCheckBox, caption);
    });
}

void TfrmMain::SetDataCaption(QCheckBox* Box, const QString& Caption)
{
    // The panel widens the box for its caption as far as there is room; a caption too long even
    // for that ends with an ellipsis, and the box's tip shows it in full.
    Box->setText(Caption);
}

void TfrmMain::MainIconSectionShowEdit(TObject* Sender, bool& Handled)
{
    Handled = true;
    PickSectionIcon(dynamic_cast<TVxDSectionControl*>(Sender));
}

void TfrmMain::EndSectionEditing()
{
    for (TVxDSectionControl* section : FSections)
        section->SetIsEditing(false);
}

void TfrmMain::ApplyDesignToDialog()
{
    ::ApplyDesignToDialog(DesignValues(), VxDialog1);
}

void TfrmMain::PickSectionIcon(TVxDSectionControl* Section)
{
    if (!Section)
        return;
    QString value = Section->EditValue();
    if (TfrmSelectIcon::Execute(this, value))
        Section->SetEditValue(value);
}

// --- commands --------------------------------------------------------------------------------

void TfrmMain::NewActnExecute()
{
    if (!MaybeSave())
        return;
    // A design read from a file brought values the page cannot show; a new design starts
    // without them.
    if (FLoaded) {
        delete VxDialog1;
        VxDialog1 = CreateDesignDialog(FRoot.get());
    }
    FLoaded = false;
    FKept = TDesignValues();
    FItems = FFreshItems;
    ItemsPanel1->SetItems(FItems);
    FSource = TDesignSource();
    FFileName.clear();
    ++FRestoring;
    for (TVxDSectionControl* section : FSections)
        section->SetEditValue(QString());
    for (QCheckBox* box : FCheckBoxes)
        box->setChecked(false);
    cbdoModal->setChecked(true);
    cbButtonOK->setChecked(true);
    cbButtonCancel->setChecked(true);
    --FRestoring;
    VxPageScroller1->SetActivePageIndex(0);
    ResetUndo();
    Q_EMIT DesignChanged();
}

void TfrmMain::GenerateActnExecute()
{
    EndSectionEditing();
    ApplyDesignToDialog();
    const QString code = RenderCreationCode(VxDialog1);
    SynEdit1->SetText(code);
    VxPageScroller1->SetActivePageIndex(1);
    ApplyDesignToDialog();
    const QString formText = RenderFormText(VxDialog1);
    SynEdit2->SetText(formText);
    ApplyDesignToDialog();
    SynEdit3->SetText(CppCreationCode(VxDialog1).join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

namespace {
// A busy cursor from now until the event loop runs again (a modal window's loop included) or
// the work ends, whichever comes first.
class TBusyCursor {
public:
    explicit TBusyCursor(QObject* Context) : FRestored(std::make_shared<bool>(false))
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QTimer::singleShot(0, Context, [restored = FRestored] { Restore(*restored); });
    }
    ~TBusyCursor() { Restore(*FRestored); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    static void Restore(bool& Restored)
    {
        if (!Restored)
            QApplication::restoreOverrideCursor();
        Restored = true;
    }
    std::shared_ptr<bool> FRestored;
};

// While a preview runs, a link that nothing opens says so, as Help does.
class TPreviewLinks {
public:
    TPreviewLinks()
    {
        FPrevious = SetShellOpenHandler([this](const QUrl& Url) {
            const bool opened = FPrevious ? FPrevious(Url) : QDesktopServices::openUrl(Url);
            if (!opened)
                QMessageBox::information(QApplication::activeModalWidget(), QStringLiteral("Preview"),
                                         QStringLiteral("No program could open the link:\n%1").arg(Url.toDisplayString()));
            return opened;
        });
    }
    ~TPreviewLinks() { SetShellOpenHandler(std::move(FPrevious)); }
    TPreviewLinks(const TPreviewLinks&) = delete;
    TPreviewLinks& operator=(const TPreviewLinks&) = delete;

private:
    TShellOpenHandler FPrevious;
};
} // namespace

void TfrmMain::PreviewActnExecute()
{
    EndSectionEditing();
    const TPreviewLinks links;
    const TBusyCursor busy(this); // laying out a large design takes a moment before it shows
    ApplyDesignToDialog();
    InstallDialogEngine();
    VxDialog1->ExecutePreview();
}

void TfrmMain::CopyCodeActnExecute()
{
    VxPageScroller1->SetActivePageIndex(1);
    ClipboardSetText(SynEdit1->Text());
}

void TfrmMain::CopyCodeActnUpdate()
{
    CopyCodeActn->setEnabled(!SynEdit1->Text().isEmpty());
}

void TfrmMain::CopyDFMActnExecute()
{
    VxPageScroller1->SetActivePageIndex(2);
    ClipboardSetText(SynEdit2->Text());
}

void TfrmMain::CopyDFMActnUpdate()
{
    CopyDFMActn->setEnabled(!SynEdit2->Text().isEmpty());
}

void TfrmMain::CopyCppActnExecute()
{
    VxPageScroller1->SetActivePageIndex(3);
    ClipboardSetText(SynEdit3->Text());
}

void TfrmMain::CppActnsUpdate()
{
    const bool any = !SynEdit3->Text().isEmpty();
    CopyCppActn->setEnabled(any);
    SaveCppActn->setEnabled(any);
}

bool TfrmMain::SaveCppActnExecute()
{
    VxPageScroller1->SetActivePageIndex(3);
    const QString dir = FFileName.isEmpty() ? QString() : QFileInfo(FFileName).absolutePath();
    const QString suggested = QDir(dir).filePath(VxDialog1->Name() + QStringLiteral(".cpp"));
    QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Save C++ Code"), suggested,
                                                    QStringLiteral("C++ sources (*.cpp *.cc *.cxx);;All files (*)"));
    if (fileName.isEmpty())
        return false;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".cpp");
    return SaveCppFile(fileName);
}

bool TfrmMain::SaveCppFile(const QString& FileName)
{
    try {
        WriteFileSafely(FileName, SynEdit3->Text().toUtf8());
    } catch (const Exception& E) {
        Warn(E.Message());
        return false;
    }
    return true;
}

QString TfrmMain::GuideFileName()
{
    // The user's own cache folder, not a shared temporary one where another user could plant a
    // link under the name the program writes to.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty())
        folder = QDir::home().filePath(QStringLiteral(".cache/quillfen"));
    return QDir(folder).filePath(QStringLiteral("quillfen-guide.html"));
}

bool TfrmMain::WriteGuide(const QString& FileName, QString& Error)
{
    const QFileInfo info(FileName);
    if (!QDir().mkpath(info.absolutePath())) {
        Error = QStringLiteral("Cannot create the folder %1.").arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    QFile::setPermissions(info.absolutePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile source(QStringLiteral(":/help/guide.html"));
    if (!source.open(QIODevice::ReadOnly)) {
        Error = source.errorString();
        return false;
    }
    // Written beside the target and renamed over it: whatever sits at the name (a link
    // included) is replaced, never written through.
    QTemporaryFile target(info.absolutePath() + QStringLiteral("/quillfen-guide-XXXXXX.html"));
    if (!target.open() || target.write(source.readAll()) < 0 || !target.flush()) {
        Error = QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(FileName), target.errorString());
        return false;
    }
    target.close();
    if (std::rename(QFile::encodeName(target.fileName()).constData(), QFile::encodeName(FileName).constData()) != 0) {
        Error = QStringLiteral("Cannot write %1: %2")
                    .arg(QDir::toNativeSeparators(FileName), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    target.setAutoRemove(false); // it has become the guide
    return true;
}

namespace {
TfrmMain::TGuideOpener& GuideOpener()
{
    static TfrmMain::TGuideOpener opener;
    return opener;
}
} // namespace

TfrmMain::TGuideOpener TfrmMain::SetGuideOpener(TGuideOpener Opener)
{
    TGuideOpener old = std::move(GuideOpener());
    GuideOpener() = std::move(Opener);
    return old;
}

void TfrmMain::OpenGuide(const TApplicationHelpRequest& Request, QWidget* Parent)
{
    // A copy, so an opener that replaces itself does not destroy the running function.
    if (const TGuideOpener opener = GuideOpener()) {
        opener(Request);
        return;
    }
    WriteAndShowGuide(Parent);
}

void TfrmMain::WriteAndShowGuide(QWidget* Parent)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = Parent;
    // The guide ships inside the program; the browser gets a copy on disk.
    const QString fileName = GuideFileName();
    QString error;
    if (!WriteGuide(fileName, error)) {
        QMessageBox::warning(parent, QStringLiteral("Help"), QStringLiteral("The guide could not be written.\n%1").arg(error));
        return;
    }
    if (!ShellOpen(fileName))
        QMessageBox::information(parent, QStringLiteral("Help"),
                                 QStringLiteral("No program could open the guide. It is at:\n%1")
                                     .arg(QDir::toNativeSeparators(fileName)));
}

void TfrmMain::HelpActnExecute()
{
    EndSectionEditing();
    OpenGuide(TApplicationHelpRequest(), this);
}

void TfrmMain::ExitActnExecute()
{
    close(); // closeEvent asks about unsaved changes
}

// --- design files ----------------------------------------------------------------------------

namespace {
QSettings RecentSettings()
{
    // A small settings file of our own; the program keeps nothing else between runs.
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillfen"), QStringLiteral("recent"));
}
} // namespace

bool TfrmMain::IsModified() const
{
    return !FUndoStack->isClean();
}

void TfrmMain::MarkSaved()
{
    FUndoStack->setClean();
    UpdateCaption();
}

void TfrmMain::ResetUndo()
{
    FUndoStack->clear();
    FRecorded = DesignValues();
    MarkSaved();
}

void TfrmMain::CommitChange(const QString& Step)
{
    if (FRestoring)
        return;
    TDesignValues now = DesignValues();
    if (now == FRecorded)
        return;
    auto* step = new TDesignChange(this, Step, FRecorded, now);
    FRecorded = std::move(now);
    FUndoStack->push(step);
    UpdateCaption();
    Q_EMIT DesignChanged();
}

void TfrmMain::SetItems(const TDesignItems& Value, const QString& Step)
{
    if (FItems == Value)
        return;
    FItems = Value;
    if (ItemsPanel1->Items() != FItems)
        ItemsPanel1->SetItems(FItems);
    CommitChange(Step);
}

void TfrmMain::RestoreDesign(const TDesignValues& Values)
{
    ++FRestoring;
    // Showing a text goes through the section's editor, which takes the focus for a moment.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    FKept = Values;
    FItems = Values.Items.value_or(FFreshItems);
    ShowDesign(Values);
    ItemsPanel1->SetItems(FItems);
    if (focus && focus->isVisible())
        focus->setFocus(Qt::OtherFocusReason);
    --FRestoring;
    FRecorded = DesignValues();
    UpdateCaption();
    Q_EMIT DesignChanged();
}

void TfrmMain::SwapDesign(TDesignSlot& Slot)
{
    ++FRestoring;
    EndSectionEditing();
    --FRestoring;
    TDesignSlot current{VxDialog1, VxDialog1->Name(), FSource, FFileName, FLoaded, DesignValues()};
    VxDialog1->SetName(QString()); // out of the window: its name goes to the one coming in
    VxDialog1 = Slot.Dialog;
    VxDialog1->SetName(Slot.Name);
    FSource = Slot.Source;
    FFileName = Slot.FileName;
    FLoaded = Slot.Loaded;
    RestoreDesign(Slot.Values);
    Slot = std::move(current);
}

void TfrmMain::Warn(const QString& Text)
{
    QMessageBox::warning(this, QStringLiteral("Quillfen"), Text);
}

bool TfrmMain::MaybeSave()
{
    EndSectionEditing();
    if (!IsModified())
        return true;
    const QString name = FFileName.isEmpty() ? QStringLiteral("the untitled design") : QFileInfo(FFileName).fileName();
    const auto answer = QMessageBox::question(this, QStringLiteral("Quillfen"),
                                              QStringLiteral("Save the changes to %1?").arg(name),
                                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                              QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return SaveActnExecute();
    return answer == QMessageBox::Discard;
}

void TfrmMain::OpenActnExecute()
{
    if (!MaybeSave())
        return;
    const QString dir = FFileName.isEmpty() ? QString() : QFileInfo(FFileName).absolutePath();
    const QString fileName = QFileDialog::getOpenFileName(this, QStringLiteral("Open Design"), dir, DesignFileFilter());
    if (!fileName.isEmpty())
        OpenFile(fileName, false);
}

bool TfrmMain::OpenFile(const QString& FileName, bool AskFirst)
{
    if (AskFirst && !MaybeSave())
        return false;
    QByteArray text;
    try {
        text = ReadDesignFileBytes(FileName);
    } catch (const Exception& E) {
        Warn(E.Message());
        return false;
    }
    TReadDesign read;
    std::optional<TBusyCursor> busy(std::in_place, this);
    if (!ReadDesignText(text, QFileInfo(FileName).fileName(), read))
        return false;
    // Opening into the window is no step: the design starts a new history.
    ++FRestoring;
    EndSectionEditing();
    --FRestoring;
    FUndoStack->clear();
    delete VxDialog1;
    VxDialog1 = read.Dialog.release();
    VxDialog1->SetName(read.Name);
    FSource = read.Source;
    FLoaded = true;
    FFileName = QFileInfo(FileName).absoluteFilePath();
    TDesignValues values = DesignFromDialog(VxDialog1);
    values.Items = DesignItemsFromDialog(VxDialog1);
    RestoreDesign(values);
    busy.reset();
    VxPageScroller1->SetActivePageIndex(0);
    if (!FItems.Buttons.isEmpty() || !FItems.Radios.isEmpty())
        ItemsDock->show(); // what the page cannot show is listed beside it
    AddRecentFile(FFileName);
    ResetUndo();
    return true;
}

void TfrmMain::PasteActnExecute()
{
    const QString text = ClipboardText();
    if (text.trimmed().isEmpty()) {
        Warn(QStringLiteral("The clipboard holds no text to read a design from."));
        return;
    }
    if (!MaybeSave())
        return;
    TReadDesign read;
    if (!ReadDesignText(text.toUtf8(), QStringLiteral("The clipboard"), read))
        return; // nothing changed, and no step to undo
    // Pasted form text is the dialog alone, whatever else the clipboard held; it is not saved
    // yet. The paste is a step: undoing it brings back the dialog it replaced.
    TDesignSlot slot;
    slot.Dialog = read.Dialog.release();
    slot.Name = read.Name;
    slot.Loaded = true;
    slot.Values = DesignFromDialog(slot.Dialog);
    slot.Values.Items = DesignItemsFromDialog(slot.Dialog);
    FUndoStack->push(new TDesignReplace(this, QStringLiteral("Paste Design"), std::move(slot)));
    VxPageScroller1->SetActivePageIndex(0);
    UpdateCaption();
}

bool TfrmMain::ReadDesignText(const QByteArray& Text, const QString& SourceName, TReadDesign& Read)
{
    EndSectionEditing();
    TDesignSource source;
    QStringList skipped;
    std::unique_ptr<TVxDialog> dialog;
    try {
        dialog = ReadDesign(Text, FRoot.get(), source, true, &skipped);
    } catch (const Exception& E) {
        Warn(QStringLiteral("%1 holds no design that can be read:\n%2").arg(SourceName, E.Message()));
        return false;
    }
    if (!skipped.isEmpty()) {
        QStringList shown = skipped.mid(0, 15);
        if (skipped.size() > shown.size())
            shown.append(QStringLiteral("... and %1 more").arg(skipped.size() - shown.size()));
        const auto answer = QMessageBox::question(
            this, QStringLiteral("Quillfen"),
            QStringLiteral("%1 holds what this designer does not know:\n\n%2\n\nLoad the rest of the design "
                           "without these?")
                .arg(SourceName, shown.join(QLatin1Char('\n'))),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }
    const QString name = source.Name.isEmpty() ? QStringLiteral("VxDialog1") : source.Name;
    if (TComponent* other = FRoot->FindComponent(name); other && other != VxDialog1 && other != dialog.get()) {
        Warn(QStringLiteral("%1: the name %2 is taken in the designer").arg(SourceName, name));
        return false;
    }
    Read.Dialog = std::move(dialog);
    Read.Source = source;
    Read.Name = name;
    return true;
}

void TfrmMain::ShowDesign(const TDesignValues& V)
{
    // Check boxes first: their handlers show or hide the help link section. The expando and
    // verification boxes would ask for their texts when checked; the design brings them.
    const std::pair<QCheckBox*, bool> boxes[] = {
        {cbdoShowHelpLink, V.ShowHelpLink}, {cbdoRadioButtons, V.RadioButtons},
        {cbdoCommandLinks, V.CommandLinks}, {cbdoCommandLinksNoIcon, V.CommandLinksNoIcon},
        {cbdoProgressBar, V.ProgressBar},   {cbdoProgressBarMarque, V.ProgressBarMarquee},
        {cbdoTimer, V.Timer},               {cbdoTopMost, V.TopMost},
        {cbdoModal, V.Modal},               {cbButtonYes, V.ButtonYes},
        {cbButtonNo, V.ButtonNo},           {cbButtonOK, V.ButtonOK},
        {cbButtonCancel, V.ButtonCancel},   {cbButtonHelp, V.ButtonHelp},
        {cbButtonClose, V.ButtonClose}};
    for (const auto& [box, checked] : boxes)
        box->setChecked(checked);
    {
        const QSignalBlocker expando(ExpandoCheckBox);
        const QSignalBlocker verification(VerificationCheckBox);
        ExpandoCheckBox->setChecked(V.ExpandoChecked);
        VerificationCheckBox->setChecked(V.VerificationChecked);
    }
    SetDataCaption(ExpandoCheckBox, V.ExpandoCaption);
    SetDataCaption(VerificationCheckBox, V.VerificationCaption);
    const std::pair<TVxDSectionControl*, const QString*> sections[] = {
        {TitleSection, &V.Title},           {MainIconSection, &V.MainIcon},
        {HeaderSection, &V.Header},         {HeaderIconSection, &V.HeaderIcon},
        {InstructionSection, &V.Instruction}, {InstructionIconSection, &V.InstructionIcon},
        {ContentSection, &V.Content},       {ExpandoContentSection, &V.ExpandoContent},
        {ExpandoFooterSection, &V.ExpandoFooter}, {FooterSection, &V.Footer},
        {FooterIconSection, &V.FooterIcon}, {HelpLinkSection, &V.HelpLink}};
    for (const auto& [section, value] : sections) {
        if (section->EditValue() == *value)
            continue;
        // A text section shows (and later edits) what its in-place editor holds, and that editor
        // only exists after a first edit; a value set without it would show as the placeholder
        // and be lost by the next edit. So the value goes through the editor.
        if (section->EditType() != etIcon && section->EditType() != etSmallIcon && !value->isEmpty()) {
            section->SetIsEditing(true);
            section->SetEditValue(*value);
            section->SetIsEditing(false);
        } else {
            section->SetEditValue(*value);
        }
    }
}

bool TfrmMain::SaveActnExecute()
{
    if (FFileName.isEmpty())
        return SaveAsActnExecute();
    return SaveFile(FFileName);
}

bool TfrmMain::SaveAsActnExecute()
{
    EndSectionEditing();
    const QString suggested = FFileName.isEmpty() ? VxDialog1->Name() + QStringLiteral(".dfm") : FFileName;
    QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Save Design As"), suggested, DesignFileFilter());
    if (fileName.isEmpty())
        return false;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".dfm");
    return SaveFile(fileName);
}

bool TfrmMain::SaveFile(const QString& FileName)
{
    EndSectionEditing();
    ApplyDesignToDialog();
    TDesignSave save;
    try {
        // Another program (the user's IDE) may have changed the file since it was opened: its
        // edit of the rest of the form is kept; an edit of the dialog itself is asked about.
        save = PrepareDesignSave(VxDialog1, FRoot.get(), FSource, FFileName, FileName);
        if (save.Change == TDiskChange::DialogChanged || save.Change == TDiskChange::Unreadable) {
            const QString name = QFileInfo(FileName).fileName();
            const QString what =
                save.Change == TDiskChange::DialogChanged
                    ? QStringLiteral("Another program changed the dialog in %1 since it was opened here.").arg(name)
                    : QStringLiteral("Another program changed %1 since it was opened here, and it holds no dialog "
                                     "that can be read now:\n%2")
                          .arg(name, save.Reason);
            const auto answer = QMessageBox::question(
                this, QStringLiteral("Quillfen"),
                what + QStringLiteral("\n\nReplace it with the design in this window?"),
                QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Cancel);
            if (answer != QMessageBox::Save)
                return false;
        }
        WriteDesignFile(FileName, save.Text);
    } catch (const Exception& E) {
        Warn(E.Message() + QStringLiteral("\nThe design stays in the window; save it under another name."));
        return false;
    }
    FSource = save.Source;
    FFileName = QFileInfo(FileName).absoluteFilePath();
    AddRecentFile(FFileName);
    MarkSaved();
    return true;
}

QStringList TfrmMain::RecentFiles() const
{
    return RecentSettings().value(QStringLiteral("Files")).toStringList().mid(0, RecentFileCount);
}

void TfrmMain::AddRecentFile(const QString& FileName)
{
    QStringList files = RecentFiles();
    files.removeAll(FileName);
    files.prepend(FileName);
    QSettings settings = RecentSettings();
    settings.setValue(QStringLiteral("Files"), files.mid(0, RecentFileCount));
    settings.sync();
    UpdateRecentMenu();
}

void TfrmMain::UpdateRecentMenu()
{
    RecentMenu->clear();
    const QStringList files = RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files.at(i);
        QAction* action = RecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()));
        action->setToolTip(file);
        action->setData(file);
        connect(action, &QAction::triggered, this, [this, file] { RunGuarded([&] { OpenFile(file); }); });
    }
    if (files.isEmpty())
        RecentMenu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
}

void TfrmMain::closeEvent(QCloseEvent* Event)
{
    if (!MaybeSave()) {
        Event->ignore();
        return;
    }
    QMainWindow::closeEvent(Event);
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* Event)
{
    const QList<QUrl> urls = Event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile())
        Event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* Event)
{
    if (DropFiles(Event->mimeData()))
        Event->acceptProposedAction();
}

bool TfrmMain::DropFiles(const QMimeData* Data)
{
    const QList<QUrl> urls = Data ? Data->urls() : QList<QUrl>();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return false;
    const QString file = urls.first().toLocalFile();
    // Not inside the drop: the questions and messages run their own loops.
    QTimer::singleShot(0, this, [this, file] { RunGuarded([&] { OpenFile(file); }); });
    return true;
}

bool TfrmMain::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(Watched);
        if (widget && widget->window() == this) {
            const auto* key = static_cast<QKeyEvent*>(Event);
            const QKeySequence pressed(key->keyCombination());
            // A code view with a selection copies the selection, as every editor does; elsewhere
            // Ctrl+C stays Copy Code.
            const bool copyOrCut = pressed == QKeySequence(QKeySequence::Copy) || pressed == QKeySequence(QKeySequence::Cut);
            // A focused text editor (a section's in-place editor) copies and cuts its own text.
            if (copyOrCut
                && (qobject_cast<QLineEdit*>(Watched) || qobject_cast<QPlainTextEdit*>(Watched)
                    || qobject_cast<QTextEdit*>(Watched))) {
                Event->accept();
                return true;
            }
            if (pressed == QKeySequence(QKeySequence::Copy))
                for (QObject* o = Watched; o; o = o->parent())
                    if (auto* view = qobject_cast<TCodeView*>(o)) {
                        if (view->hasSelectedText()) {
                            Event->accept(); // the view's own key handling copies
                            return true;
                        }
                        break;
                    }
            for (QAction* action : FActions)
                if (action->isEnabled() && action->shortcut() == pressed) {
                    Event->ignore(); // leave it to the window's shortcut
                    return true;
                }
        }
        return false;
    }
    if (Event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton) {
        if (Watched == centralWidget())
            FormClick();
        else if (Watched == DialogOptionsPanel || Watched == gbOptions || Watched == Panel3)
            TitleSectionClick();
    }
    return QMainWindow::eventFilter(Watched, Event);
}
