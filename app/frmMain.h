#pragma once
// The designer's main window: a toolbar of seven commands over a page scroller with the design
// page, the generated-code page and the generated form-text page. The design page holds the
// design; every command that needs it copies the page into VxDialog1 first.

#include "ApplicationHelp.h"
#include "DesignFile.h"
#include "DesignValues.h"
#include "VxDControls.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QDockWidget;
class QGroupBox;
class QLabel;
class QMenu;
class QMimeData;
class QTimer;
class QToolBar;
class QDockWidget;
class QUndoStack;
class TItemsPanel;
class TDesignChange;
class TDesignReplace;
class TCodeView;
class TComponent;
class TLivePreview;
class TVxDialog;
enum class TLiveSection;
enum class TLiveItem;
class TVxDualEditDialog;
class TVxPage;
class TVxPageScroller;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* Parent = nullptr);
    ~TfrmMain() override;

    // The design page's values as they stand, with the items.
    TDesignValues DesignValues() const;
    // The same with the edits in progress laid over them (the text in a section's editor, in
    // the items' text fields): what the live preview shows while the user types. Only a
    // finished edit becomes a step of the history.
    TDesignValues DraftDesignValues() const;
    // The items and settings beside the page.
    const TDesignItems& Items() const { return FItems; }
    // Replaces them as one step of the undo history named Step.
    void SetItems(const TDesignItems& Value, const QString& Step);
    // Every change of the design is a step here; Open and New start a new history.
    QUndoStack* UndoStack() const { return FUndoStack; }
    // The guide HelpActn opens: a file the program writes from its resources into the user's
    // cache folder. When nothing can open it, a message box gives its path.
    static QString GuideFileName();
    // While the window exists the guide is the application's help: a previewed dialog's help
    // link or Help button that no handler of the dialog takes opens it. Opening goes through a
    // replaceable opener that gets the request (topic number or keyword) as the dialog made it;
    // an empty opener restores the default, which writes the guide and hands it to the desktop
    // (the guide has no topics of its own, so it opens at its start). Returns the opener
    // installed before.
    using TGuideOpener = std::function<void(const TApplicationHelpRequest& Request)>;
    static TGuideOpener SetGuideOpener(TGuideOpener Opener);
    // Opens the guide for Request through the opener. Messages of the default opener stand over
    // the modal window that asked (a previewed dialog), else over Parent.
    static void OpenGuide(const TApplicationHelpRequest& Request, QWidget* Parent = nullptr);

    // Components of the window (the names of its stored form).
    TComponent* FormRoot() const { return FRoot.get(); }
    TVxDialog* VxDialog1;
    // Asks for the expando's show and hide texts.
    TVxDualEditDialog* VxDualEditDialog1;
    TVxPageScroller* VxPageScroller1;
    TVxPage* VxPage1;
    TVxPage* VxPage2;
    TVxPage* VxPage3;
    // The C++ creation code page.
    TVxPage* VxPage4;
    TCodeView* SynEdit1;
    TCodeView* SynEdit2;
    TCodeView* SynEdit3;
    QToolBar* ToolBar1;
    QAction* NewActn;
    QAction* OpenActn;
    QAction* SaveActn;
    QAction* SaveAsActn;
    QAction* PasteActn;
    QAction* UndoActn;
    QAction* RedoActn;
    QMenu* EditMenu;
    QMenu* ViewMenu;
    // The items and settings beside the page, in a dock on the right; ItemsActn shows it.
    TItemsPanel* ItemsPanel1;
    QDockWidget* ItemsDock;
    QAction* ItemsActn;
    QMenu* RecentMenu;
    QAction* PreviewActn;
    QAction* GenerateActn;
    QAction* CopyCodeActn;
    QAction* CopyDFMActn;
    // Copy and Save of the C++ creation code (buttons on its page).
    QAction* CopyCppActn;
    QAction* SaveCppActn;
    QAction* HelpActn;
    QAction* ExitActn;

    // The dialog as it will run, beside the pages, following every change of the design.
    QDockWidget* LivePreviewDock = nullptr;
    TLivePreview* LivePreview = nullptr;

    TVxDSectionControl* TitleSection;
    TVxDSectionControl* HeaderIconSection;
    TVxDSectionControl* HeaderSection;
    TVxDSectionControl* InstructionIconSection;
    TVxDSectionControl* InstructionSection;
    TVxDSectionControl* MainIconSection;
    TVxDSectionControl* ContentSection;
    TVxDSectionControl* HelpLinkSection;
    TVxDSectionControl* ExpandoContentSection;
    TVxDSectionControl* FooterIconSection;
    TVxDSectionControl* FooterSection;
    TVxDSectionControl* ExpandoFooterSection;

    QWidget* HeaderPanel;
    QWidget* InstructionPanel;
    QWidget* Panel2;
    QWidget* DialogOptionsPanel;
    QGroupBox* gbOptions;
    QWidget* Panel3;
    QWidget* FooterPanel;

    QCheckBox* cbdoShowHelpLink;
    QCheckBox* cbdoRadioButtons;
    QCheckBox* cbdoCommandLinks;
    QCheckBox* cbdoCommandLinksNoIcon;
    QCheckBox* cbdoProgressBar;
    QCheckBox* cbdoProgressBarMarque;
    QCheckBox* cbdoTimer;
    QCheckBox* cbdoTopMost;
    QCheckBox* cbdoModal;
    QCheckBox* VerificationCheckBox;
    QCheckBox* ExpandoCheckBox;
    QCheckBox* cbButtonYes;
    QCheckBox* cbButtonNo;
    QCheckBox* cbButtonOK;
    QCheckBox* cbButtonCancel;
    QCheckBox* cbButtonHelp;
    QCheckBox* cbButtonClose;

    // The commands (handlers of the actions).
    void NewActnExecute();
    void GenerateActnExecute();
    // Copies the design into VxDialog1 and shows it modally, as a client program would.
    void PreviewActnExecute();
    void CopyCodeActnExecute();
    void CopyCodeActnUpdate();
    void CopyDFMActnExecute();
    void CopyDFMActnUpdate();
    void CopyCppActnExecute();
    // Asks for a file name (C++ sources offered first) and saves the C++ view's text there.
    bool SaveCppActnExecute();
    void CppActnsUpdate();
    // Writes the C++ view's text to FileName; false with a message shown when it cannot.
    bool SaveCppFile(const QString& FileName);
    void HelpActnExecute();
    void ExitActnExecute();
    // File commands. The save commands answer whether the design was saved.
    void OpenActnExecute();
    bool SaveActnExecute();
    bool SaveAsActnExecute();
    // Reads a design from the clipboard's form text onto the page (an untitled design).
    void PasteActnExecute();

    // Opens a design file (after asking about unsaved changes when AskFirst). False, with a
    // message shown, when the file cannot be read or the user keeps the current design.
    bool OpenFile(const QString& FileName, bool AskFirst = true);
    // Saves the design to FileName; false with a message shown when it cannot be written.
    bool SaveFile(const QString& FileName);
    // The file the design was opened from or saved to last; empty for an untitled design.
    QString FileName() const { return FFileName; }
    // The page differs from what was opened, saved or started with.
    bool IsModified() const;
    // Asks whether to save unsaved changes: true to go on (saved or discarded), false to stay.
    bool MaybeSave();
    // Opens the first local file of dropped data (soon after, outside the drop); false when the
    // data names none.
    bool DropFiles(const QMimeData* Data);
    // Most recent first, at most RecentFileCount.
    QStringList RecentFiles() const;
    static constexpr int RecentFileCount = 6;

Q_SIGNALS:
    // After every change of the design: an edit, an undo or redo, Open, New, Paste.
    void DesignChanged();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    friend class TDesignChange;
    friend class TDesignReplace;
    // A design read from text, not yet in the window.
    struct TReadDesign {
        std::unique_ptr<TVxDialog> Dialog;
        TDesignSource Source;
        QString Name;
    };
    // The state that goes with one dialog object: swapped in and out by an undoable paste.
    struct TDesignSlot {
        TVxDialog* Dialog = nullptr; // owned by the form root; unnamed while out of the window
        QString Name;
        TDesignSource Source;
        QString FileName;
        bool Loaded = false;
        TDesignValues Values;
    };
    void FormCreate();
    void BuildToolBar();
    QWidget* BuildDesignPage(QWidget* Page);
    TVxDSectionControl* NewSection(QWidget* Parent, const QString& Name, const QString& Caption, TVxDEditType EditType);
    // HoldsData: the caption is data the user typed (see TDataCheckBox).
    QCheckBox* NewCheckBox(QWidget* Parent, const QString& Name, const QString& Caption, const QRect& Bounds,
                           bool HoldsData = false);
    void VxPageScroller1PageChanged(TObject* Sender, int OldPageIndex, int NewPageIndex);
    void TitleSectionClick();
    void FormClick();
    void cbdoRadioButtonsClick();
    void cbdoShowHelpLinkClick();
    void ExpandoCheckBoxClick();
    void VerificationCheckBoxClick();
    // Sets a caption that holds data (the expando's or the verification's texts).
    void SetDataCaption(QCheckBox* Box, const QString& Caption);
    void MainIconSectionShowEdit(TObject* Sender, bool& Handled);
    void EndSectionEditing();
    TDesignValues PageValues(bool Drafts) const;
    void ApplyDesignToDialog();
    void PickSectionIcon(TVxDSectionControl* Section);
    static bool WriteGuide(const QString& FileName, QString& Error);
    static void WriteAndShowGuide(QWidget* Parent);
    // Reads Text into a new dialog; false with a message when it holds none the window can use.
    bool ReadDesignText(const QByteArray& Text, const QString& SourceName, TReadDesign& Read);
    void ShowDesign(const TDesignValues& Values);
    // Shows Values on the page and beside it without recording a step.
    void RestoreDesign(const TDesignValues& Values);
    // Records the difference between the last recorded design and the page as one step.
    void CommitChange(const QString& Step);
    // A new history whose start is the design as it stands, saved.
    void ResetUndo();
    void SwapDesign(TDesignSlot& Slot);
    void MarkSaved();
    void UpdateCaption();
    void AddRecentFile(const QString& FileName);
    void UpdateRecentMenu();
    void Warn(const QString& Text);
    void BuildLivePreview();
    // The items panel was shown or hidden: the window widens for it or gives the width back.
    void MakeRoomForItems(bool Shown);
    // The design changed: the live preview follows.
    void UpdateLivePreview();
    // A click on the live picture edits the section that holds what was clicked.
    void LivePreviewSectionClicked(TLiveSection Section);
    // A click on an item of the live picture selects it in the items panel (the verification
    // box goes to its box on the page).
    void LivePreviewItemClicked(TLiveItem Kind, int Index);

    std::unique_ptr<TComponent> FRoot;
    // The window's component list, in creation order, as New and EndSectionEditing walk it.
    std::vector<TVxDSectionControl*> FSections;
    std::vector<QCheckBox*> FCheckBoxes;
    std::vector<QAction*> FActions;

    int FPageIndex = 0;
    QString FFileName;
    // The design came from a file or the clipboard (New then starts from a fresh dialog).
    bool FLoaded = false;
    // How much the window widened for the items panel, and its width then.
    int FItemsGrowth = 0;
    int FWidthWithItems = 0;
    TDesignSource FSource;
    // Values of a loaded dialog that the page has no control for (see TDesignValues).
    TDesignValues FKept;
    TDesignItems FItems;
    TDesignItems FFreshItems; // those of a new design
    // The design as last recorded in the history; a change is measured against it.
    TDesignValues FRecorded;
    int FRestoring = 0; // page changes made by the window itself are no steps
    QUndoStack* FUndoStack;
    // The application's help before this window installed the guide; restored when it goes.
    TApplicationHelpHandler FPreviousHelp;
};
