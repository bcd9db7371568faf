#pragma once
// The designer's main window: a toolbar of seven commands over a page scroller with the design
// page, the generated-code page and the generated form-text page. The design page holds the
// design; every command that needs it copies the page into VxDialog1 first.

#include "DesignValues.h"
#include "VxDControls.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QToolBar;
class TCodeView;
class TComponent;
class TVxDialog;
class TVxDualEditDialog;
class TVxPage;
class TVxPageScroller;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* Parent = nullptr);
    ~TfrmMain() override;

    // The design page's values as they stand.
    TDesignValues DesignValues() const;
    // The guide HelpActn opens: a file the program writes from its resources into the user's
    // cache folder. When nothing can open it, a message box gives its path.
    static QString GuideFileName();

    // Components of the window (the names of its stored form).
    TComponent* FormRoot() const { return FRoot.get(); }
    TVxDialog* VxDialog1;
    // Asks for the expando's show and hide texts.
    TVxDualEditDialog* VxDualEditDialog1;
    TVxPageScroller* VxPageScroller1;
    TVxPage* VxPage1;
    TVxPage* VxPage2;
    TVxPage* VxPage3;
    TCodeView* SynEdit1;
    TCodeView* SynEdit2;
    QToolBar* ToolBar1;
    QAction* NewActn;
    QAction* PreviewActn;
    QAction* GenerateActn;
    QAction* CopyCodeActn;
    QAction* CopyDFMActn;
    QAction* HelpActn;
    QAction* ExitActn;

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
    void HelpActnExecute();
    void ExitActnExecute();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void FormCreate();
    void BuildToolBar();
    QWidget* BuildDesignPage(QWidget* Page);
    TVxDSectionControl* NewSection(QWidget* Parent, const QString& Name, const QString& Caption, TVxDEditType EditType);
    QCheckBox* NewCheckBox(QWidget* Parent, const QString& Name, const QString& Caption, const QRect& Bounds);
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
    void ApplyDesignToDialog();
    void PickSectionIcon(TVxDSectionControl* Section);
    static bool WriteGuide(const QString& FileName, QString& Error);

    std::unique_ptr<TComponent> FRoot;
    // The window's component list, in creation order, as New and EndSectionEditing walk it.
    std::vector<TVxDSectionControl*> FSections;
    std::vector<QCheckBox*> FCheckBoxes;
    std::vector<QAction*> FActions;
};
