{ The published surface of the dialog component as the dialog model states it: enumerations,
  sets, event types, option objects, the two collections and TVxDialog. Declarations with trivial
  bodies only: the generator tests compile generated creation code against it. }
unit VxDialogSurface;

{$mode delphi}{$H+}

interface

uses
  Classes, PlatformSurface;

type
  TDialogOption = (doShowHelpLink, doRadioButtons, doCommandLinks, doCommandLinksNoIcon, doProgressBar,
    doProgressBarMarquee, doTimer, doTopMost, doModal);
  TDialogOptions = set of TDialogOption;
  TTaskDialogIcon = (tdiNone, tdiWarning, tdiError, tdiInformation, tdiConfirmation, tdiCustom, tdiShield);
  TDialogPosition = (dpScreenCenter, dpDesktopCenter, dpMainFormCenter, dpOwnerFormCenter, dpDesigned);
  TVxDialogStyle = (dsDialog, dsSheet);
  TControlType = (ctButton, ctCommandLink, ctCheckBox, ctMoreButton, ctRichEdit, ctLinkLabel, ctURLLabel,
    ctRadioButton, ctProgressBar, ctRadioGroup, ctMaxLines);
  TCommonButton = (cbYes, cbNo, cbOK, cbCancel, cbAbort, cbRetry, cbIgnore, cbAll, cbNoToAll, cbYesToAll,
    cbHelp, cbClose);
  TCommonButtons = set of TCommonButton;
  TVxDialogHitTest = (htNone, htHeader, htHeaderImage, htInstruction, htInstructionImage, htContent,
    htMainIcon, htButtonBar, htExpandedSection, htFooter, htFooterImage);
  TMoreFormat = (mfText, mfRTF);
  TMoreSource = (msDefault, msStream, msFile);
  TVxImageAlignment = (vxImageAlignLeft, vxImageAlignRight);
  TVxIconSize = (isSmall, isMedium, isLarge);
  TVxSheetLocation = (slActiveForm, slDesktop);
  TProgressBarState = (pbstNormal, pbstError, pbstPaused);
  TVxSpeedRange = 2..50;
  TVxStepRange = 1..10;

  TVxCustomDialog = class;

  TDialogClickEvent = procedure(Sender: TObject; HitTest: TVxDialogHitTest) of object;
  TDialogCloseEvent = procedure(Sender: TVxCustomDialog) of object;
  TGetMoreFileNameEvent = procedure(Sender: TObject; var FileName: string) of object;
  TGetMoreStreamEvent = procedure(Sender: TObject; var Stream: TMemoryStream) of object;
  THelpLinkClickEvent = procedure(Sender: TObject; var Handled: Boolean) of object;
  THelpButtonClickEvent = procedure(Sender: TObject; var Handled: Boolean) of object;
  TGetControlClassEvent = procedure(Sender: TObject; ControlType: TControlType;
    var ControlClass: TControlClass) of object;
  TInitControlEvent = procedure(Sender: TObject; ControlType: TControlType; Control: TControl;
    ControlItem: TCollectionItem; var Handled: Boolean) of object;
  TControlClickEvent = procedure(Sender: TObject; ControlType: TControlType; Control: TControl;
    const Value: Integer; var Handled: Boolean) of object;
  TGetRadioButtonChecked = procedure(Sender: TObject; Control: TControl; var Checked: Boolean;
    var Handled: Boolean) of object;
  TGetVerificationResult = procedure(Sender: TObject; Control: TControl;
    var VerificationResult: Boolean) of object;
  TProgressEvent = procedure(Sender: TObject; const Position: Integer) of object;
  TUpdateProgressBarStateEvent = procedure(Sender: TObject; Control: TControl;
    const State: TProgressBarState) of object;
  TUpdateProgressBarEvent = procedure(Sender: TObject; Control: TControl; const Position: Integer;
    var CloseDialog: Boolean) of object;
  TTimerEvent = procedure(Sender: TObject; const TimeSince: Cardinal) of object;
  TKeyEvent = procedure(Sender: TObject; var Key: Word; Shift: TShiftState) of object;
  TVerificationClickEvent = procedure(Sender: TObject; const Checked: Boolean) of object;

  TVxChangePersistent = class(TPersistent)
  private
    FOnChange: TNotifyEvent;
  published
    property OnChange: TNotifyEvent read FOnChange write FOnChange;
  end;

  TVxDialogOwnedPersistent = class(TVxChangePersistent)
  private
    FDialog: TVxCustomDialog;
  public
    constructor Create(ADialog: TVxCustomDialog); virtual;
  end;

  TVxGradient = class(TVxChangePersistent)
  private
    FDirection: TGradientDirection;
    FEnabled: Boolean;
    FEndColor: TColor;
    FStartColor: TColor;
  published
    property Direction: TGradientDirection read FDirection write FDirection default gdHorizontal;
    property Enabled: Boolean read FEnabled write FEnabled default False;
    property EndColor: TColor read FEndColor write FEndColor default clNone;
    property StartColor: TColor read FStartColor write FStartColor default clNone;
  end;

  TVxCommandLinkColors = class(TVxChangePersistent)
  private
    FEnabled: Boolean;
    FColors: array[0..15] of TColor;
  published
    property Enabled: Boolean read FEnabled write FEnabled default False;
    property BorderInner: TColor read FColors[0] write FColors[0];
    property BorderOuter: TColor read FColors[1] write FColors[1];
    property Color: TColor read FColors[2] write FColors[2];
    property DefaultBorderInner: TColor read FColors[3] write FColors[3];
    property DefaultBorderOuter: TColor read FColors[4] write FColors[4];
    property FontColor: TColor read FColors[5] write FColors[5];
    property FontDisabledColor: TColor read FColors[6] write FColors[6];
    property FontHotColor: TColor read FColors[7] write FColors[7];
    property FontPressedColor: TColor read FColors[8] write FColors[8];
    property GradientEnd: TColor read FColors[9] write FColors[9];
    property GradientPen: TColor read FColors[10] write FColors[10];
    property GradientStart: TColor read FColors[11] write FColors[11];
    property HotGradientEnd: TColor read FColors[12] write FColors[12];
    property HotGradientStart: TColor read FColors[13] write FColors[13];
    property PressedGradientEnd: TColor read FColors[14] write FColors[14];
    property PressedGradientStart: TColor read FColors[15] write FColors[15];
  end;

  TVxButtonOptions = class(TVxDialogOwnedPersistent)
  private
    FCommandLinkColors: TVxCommandLinkColors;
    procedure SetCommandLinkColors(Value: TVxCommandLinkColors);
  published
    property CommandLinkColors: TVxCommandLinkColors read FCommandLinkColors write SetCommandLinkColors;
  end;

  TVxButtonBarOptions = class(TVxDialogOwnedPersistent)
  private
    FButtons: TCommonButtons;
    FColor: TColor;
    FVisible: Boolean;
    FDefault: TCommonButton;
    FCancel: TCommonButton;
    FShowDivider: Boolean;
    FUseDefault: Boolean;
    FUseCancel: Boolean;
  published
    property Buttons: TCommonButtons read FButtons write FButtons default [cbOK, cbCancel];
    property Color: TColor read FColor write FColor default clBtnFace;
    property Visible: Boolean read FVisible write FVisible default True;
    property Default: TCommonButton read FDefault write FDefault default cbOK;
    property Cancel: TCommonButton read FCancel write FCancel default cbCancel;
    property ShowDivider: Boolean read FShowDivider write FShowDivider default True;
    property UseDefault: Boolean read FUseDefault write FUseDefault default True;
    property UseCancel: Boolean read FUseCancel write FUseCancel default True;
  end;

  TVxTextSection = class(TVxDialogOwnedPersistent)
  end;

  TVxInstruction = class(TVxTextSection)
  private
    FColor: TColor;
    FFont: TFont;
    FText: string;
    FShowAtTop: Boolean;
    FGlyph: TPicture;
    FIcon: TTaskDialogIcon;
    FShowGlyph: Boolean;
    procedure SetFont(Value: TFont);
    procedure SetGlyph(Value: TPicture);
  published
    property Color: TColor read FColor write FColor default clNone;
    property Font: TFont read FFont write SetFont;
    property Text: string read FText write FText;
    property ShowAtTop: Boolean read FShowAtTop write FShowAtTop default False;
    property Glyph: TPicture read FGlyph write SetGlyph;
    property Icon: TTaskDialogIcon read FIcon write FIcon default tdiNone;
    property ShowGlyph: Boolean read FShowGlyph write FShowGlyph default False;
  end;

  TVxAnimate = class(TPersistent)
  private
    FEnabled: Boolean;
    FSpeed: TVxSpeedRange;
    FStep: TVxStepRange;
  published
    property Enabled: Boolean read FEnabled write FEnabled default False;
    property Speed: TVxSpeedRange read FSpeed write FSpeed default 10;
    property Step: TVxStepRange read FStep write FStep default 2;
  end;

  TVxExpando = class(TVxTextSection)
  private
    FAnimate: TVxAnimate;
    FLines: TStrings;
    FFont: TFont;
    FShowing: Boolean;
    FShowInFooter: Boolean;
    FMoreHeight: Integer;
    FMoreFormat: TMoreFormat;
    FMoreScrollbars: TScrollStyle;
    FMoreSource: TMoreSource;
    FVisible: Boolean;
    FShowText: string;
    FHideText: string;
    procedure SetAnimate(Value: TVxAnimate);
    procedure SetLines(Value: TStrings);
    procedure SetFont(Value: TFont);
  published
    property Animate: TVxAnimate read FAnimate write SetAnimate;
    property Lines: TStrings read FLines write SetLines;
    property Font: TFont read FFont write SetFont;
    property Showing: Boolean read FShowing write FShowing default False;
    property ShowInFooter: Boolean read FShowInFooter write FShowInFooter default False;
    property MoreHeight: Integer read FMoreHeight write FMoreHeight default 0;
    property MoreFormat: TMoreFormat read FMoreFormat write FMoreFormat default mfText;
    property MoreScrollbars: TScrollStyle read FMoreScrollbars write FMoreScrollbars default ssBoth;
    property MoreSource: TMoreSource read FMoreSource write FMoreSource default msDefault;
    property Visible: Boolean read FVisible write FVisible default False;
    property ShowText: string read FShowText write FShowText;
    property HideText: string read FHideText write FHideText;
  end;

  TVxBaseOptions = class(TVxDialogOwnedPersistent)
  private
    FColor: TColor;
    FText: string;
    FGlyph: TPicture;
    FFont: TFont;
    FIcon: TTaskDialogIcon;
    FVisible: Boolean;
    FImageAlignment: TVxImageAlignment;
    procedure SetGlyph(Value: TPicture);
    procedure SetFont(Value: TFont);
  published
    property Color: TColor read FColor write FColor;
    property Text: string read FText write FText;
    property Glyph: TPicture read FGlyph write SetGlyph;
    property Font: TFont read FFont write SetFont;
    property Icon: TTaskDialogIcon read FIcon write FIcon default tdiNone;
    property Visible: Boolean read FVisible write FVisible default False;
    property ImageAlignment: TVxImageAlignment read FImageAlignment write FImageAlignment
      default vxImageAlignLeft;
  end;

  TVxHeader = class(TVxBaseOptions)
  private
    FGradient: TVxGradient;
    FIconSize: TVxIconSize;
    procedure SetGradient(Value: TVxGradient);
  published
    property Color default clWindow;
    property Gradient: TVxGradient read FGradient write SetGradient;
    property IconSize: TVxIconSize read FIconSize write FIconSize default isLarge;
  end;

  TVxFooter = class(TVxBaseOptions)
  published
    property Color default clBtnFace;
  end;

  TVxHelpLink = class(TVxDialogOwnedPersistent)
  private
    FFont: TFont;
    FHelpContext: THelpContext;
    FHelpType: THelpType;
    FHelpKeyword: string;
    FText: string;
    procedure SetFont(Value: TFont);
  published
    property Font: TFont read FFont write SetFont;
    property HelpContext: THelpContext read FHelpContext write FHelpContext default 0;
    property HelpType: THelpType read FHelpType write FHelpType default htContext;
    property HelpKeyword: string read FHelpKeyword write FHelpKeyword;
    property Text: string read FText write FText;
  end;

  TVxVerification = class(TVxDialogOwnedPersistent)
  private
    FInitialState: Boolean;
    FText: string;
    FVisible: Boolean;
  published
    property InitialState: Boolean read FInitialState write FInitialState default False;
    property Text: string read FText write FText;
    property Visible: Boolean read FVisible write FVisible default False;
  end;

  TVxProgress = class(TVxDialogOwnedPersistent)
  private
    FInterval: Cardinal;
    FMax: Integer;
    FMin: Integer;
    FStep: Integer;
    FPosition: Integer;
    FShowOnTaskBar: Boolean;
    FState: TProgressBarState;
    FUseNativeProgressBar: Boolean;
  published
    property Interval: Cardinal read FInterval write FInterval default 100;
    property Max: Integer read FMax write FMax default 100;
    property Min: Integer read FMin write FMin default 0;
    property Step: Integer read FStep write FStep default 1;
    property Position: Integer read FPosition write FPosition default 0;
    property ShowOnTaskBar: Boolean read FShowOnTaskBar write FShowOnTaskBar default False;
    property State: TProgressBarState read FState write FState default pbstNormal;
    property UseNativeProgressBar: Boolean read FUseNativeProgressBar write FUseNativeProgressBar
      default True;
  end;

  TVxBorder = class(TVxDialogOwnedPersistent)
  private
    FColor: TColor;
    FWidth: Integer;
    FVisible: Boolean;
  published
    property Color: TColor read FColor write FColor default clGray;
    property Width: Integer read FWidth write FWidth default 1;
    property Visible: Boolean read FVisible write FVisible default False;
  end;

  TVxLocation = class(TPersistent)
  private
    FLeft: Integer;
    FTop: Integer;
  published
    property Left: Integer read FLeft write FLeft default -1;
    property Top: Integer read FTop write FTop default -1;
  end;

  TVxTimer = class(TVxDialogOwnedPersistent)
  private
    FInterval: Cardinal;
  published
    property Interval: Cardinal read FInterval write FInterval default 1000;
  end;

  TVxRadioButton = class(TVxDialogOwnedPersistent)
  private
    FColumns: Integer;
    FShowBorder: Boolean;
    FCaption: string;
  published
    property Columns: Integer read FColumns write FColumns default 1;
    property ShowBorder: Boolean read FShowBorder write FShowBorder default False;
    property Caption: string read FCaption write FCaption;
  end;

  TVxSheetOptions = class(TVxDialogOwnedPersistent)
  private
    FLocation: TVxSheetLocation;
    FInterval: Cardinal;
  published
    property Location: TVxSheetLocation read FLocation write FLocation default slActiveForm;
    property Interval: Cardinal read FInterval write FInterval default 500;
  end;

  TVxRadioButtonItem = class(TCollectionItem)
  private
    FCaption: string;
    FChecked: Boolean;
    FEnabled: Boolean;
    FValue: Integer;
  published
    property Caption: string read FCaption write FCaption;
    property Checked: Boolean read FChecked write FChecked default False;
    property Enabled: Boolean read FEnabled write FEnabled default True;
    property Value: Integer read FValue write FValue;
  end;

  TVxRadioButtons = class(TOwnedCollection)
  public
    function Add: TVxRadioButtonItem;
  end;

  TVxCustomButtonItem = class(TCollectionItem)
  private
    FElevationRequired: Boolean;
    FCaption: string;
    FGlyph: TPicture;
    FImageIndex: Integer;
    FValue: Integer;
    FModalResult: TModalResult;
    FDefault: Boolean;
    FCancel: Boolean;
    FHint: string;
    FInfo: TStrings;
    FPicture: TPicture;
    FPictureIndex: Integer;
    FEnabled: Boolean;
    FVisible: Boolean;
    procedure SetGlyph(Value: TPicture);
    procedure SetValue(Value: Integer);
    procedure SetInfo(Value: TStrings);
    procedure SetPicture(Value: TPicture);
  published
    property ElevationRequired: Boolean read FElevationRequired write FElevationRequired default False;
    property Caption: string read FCaption write FCaption;
    property Glyph: TPicture read FGlyph write SetGlyph;
    property ImageIndex: Integer read FImageIndex write FImageIndex default -1;
    property Value: Integer read FValue write SetValue;
    property ModalResult: TModalResult read FModalResult write FModalResult default 0;
    property Default: Boolean read FDefault write FDefault default False;
    property Cancel: Boolean read FCancel write FCancel default False;
    property Hint: string read FHint write FHint;
    property Info: TStrings read FInfo write SetInfo;
    property Picture: TPicture read FPicture write SetPicture;
    property PictureIndex: Integer read FPictureIndex write FPictureIndex default -1;
    property Enabled: Boolean read FEnabled write FEnabled default True;
    property Visible: Boolean read FVisible write FVisible default True;
  end;

  TVxCustomButtons = class(TOwnedCollection)
  private
    FImages: TCustomImageList;
    FPictureImages: TCustomImageList;
  public
    function Add: TVxCustomButtonItem;
  published
    property Images: TCustomImageList read FImages write FImages;
    property PictureImages: TCustomImageList read FPictureImages write FPictureImages;
  end;

  TVxCustomDialog = class(TComponent)
  protected
    FActiveControlType: TControlType;
    FAllowCancel: Boolean;
    FAllowMinimize: Boolean;
    FBiDiMode: TBiDiMode;
    FButton: TVxButtonOptions;
    FContent: TStrings;
    FDefaultMonitor: TDefaultMonitor;
    FDialogOptions: TDialogOptions;
    FDialogStyle: TVxDialogStyle;
    FExpando: TVxExpando;
    FGlyph: TPicture;
    FInstruction: TVxInstruction;
    FRadioButtons: TVxRadioButtons;
    FCustomButtons: TVxCustomButtons;
    FButtonBar: TVxButtonBarOptions;
    FVerification: TVxVerification;
    FFooter: TVxFooter;
    FHeader: TVxHeader;
    FMainIcon: TTaskDialogIcon;
    FHelpLink: TVxHelpLink;
    FProgress: TVxProgress;
    FBorder: TVxBorder;
    FTitle: string;
    FPosition: TDialogPosition;
    FColor: TColor;
    FFont: TFont;
    FUseDefaultFonts: Boolean;
    FBorderStyle: TFormBorderStyle;
    FIcon: TIcon;
    FHelpContext: Integer;
    FHelpType: THelpType;
    FHelpKeyword: string;
    FLocation: TVxLocation;
    FWidth: Integer;
    FUseOldStyleSetting: Boolean;
    FSheet: TVxSheetOptions;
    FTimer: TVxTimer;
    FRadioButton: TVxRadioButton;
    FShowHint: Boolean;
    FMaxLines: Integer;
    FOnCleanUpDialog: TNotifyEvent;
    FOnCreated: TNotifyEvent;
    FOnDestroyed: TNotifyEvent;
    FOnDialogClick: TDialogClickEvent;
    FOnDialogClose: TDialogCloseEvent;
    FOnDialogConstructed: TNotifyEvent;
    FOnGetMoreFileName: TGetMoreFileNameEvent;
    FOnGetMoreStream: TGetMoreStreamEvent;
    FOnHelpLinkClick: THelpLinkClickEvent;
    FOnHelpButtonClick: THelpButtonClickEvent;
    FOnGetControlClass: TGetControlClassEvent;
    FOnInitControl: TInitControlEvent;
    FOnControlClick: TControlClickEvent;
    FOnDialogCollapse: TNotifyEvent;
    FOnDialogExpand: TNotifyEvent;
    FOnDialogShow: TNotifyEvent;
    FOnGetRadioButtonChecked: TGetRadioButtonChecked;
    FOnGetVerificationResult: TGetVerificationResult;
    FOnProgress: TProgressEvent;
    FOnUpdateProgressBarState: TUpdateProgressBarStateEvent;
    FOnUpdateProgressBar: TUpdateProgressBarEvent;
    FOnTimer: TTimerEvent;
    FOnKeyPress: TKeyEvent;
    FOnVerificationClick: TVerificationClickEvent;
    procedure SetPersistent(Target, Value: TPersistent);
    procedure SetButton(Value: TVxButtonOptions);
    procedure SetContent(Value: TStrings);
    procedure SetExpando(Value: TVxExpando);
    procedure SetGlyph(Value: TPicture);
    procedure SetInstruction(Value: TVxInstruction);
    procedure SetRadioButtons(Value: TVxRadioButtons);
    procedure SetCustomButtons(Value: TVxCustomButtons);
    procedure SetButtonBar(Value: TVxButtonBarOptions);
    procedure SetVerification(Value: TVxVerification);
    procedure SetFooter(Value: TVxFooter);
    procedure SetHeader(Value: TVxHeader);
    procedure SetHelpLink(Value: TVxHelpLink);
    procedure SetProgress(Value: TVxProgress);
    procedure SetBorder(Value: TVxBorder);
    procedure SetFont(Value: TFont);
    procedure SetIcon(Value: TIcon);
    procedure SetLocation(Value: TVxLocation);
    procedure SetSheet(Value: TVxSheetOptions);
    procedure SetTimer(Value: TVxTimer);
    procedure SetRadioButton(Value: TVxRadioButton);
  public
    function Execute: Boolean;
  end;

  TVxDialog = class(TVxCustomDialog)
  published
    property ActiveControlType: TControlType read FActiveControlType write FActiveControlType default ctButton;
    property AllowCancel: Boolean read FAllowCancel write FAllowCancel default True;
    property AllowMinimize: Boolean read FAllowMinimize write FAllowMinimize default False;
    property BiDiMode: TBiDiMode read FBiDiMode write FBiDiMode default bdLeftToRight;
    property Button: TVxButtonOptions read FButton write SetButton;
    property Content: TStrings read FContent write SetContent;
    property DefaultMonitor: TDefaultMonitor read FDefaultMonitor write FDefaultMonitor default dmActiveForm;
    property DialogOptions: TDialogOptions read FDialogOptions write FDialogOptions default [doModal];
    property DialogStyle: TVxDialogStyle read FDialogStyle write FDialogStyle default dsDialog;
    property Expando: TVxExpando read FExpando write SetExpando;
    property Glyph: TPicture read FGlyph write SetGlyph;
    property Instruction: TVxInstruction read FInstruction write SetInstruction;
    property RadioButtons: TVxRadioButtons read FRadioButtons write SetRadioButtons;
    property CustomButtons: TVxCustomButtons read FCustomButtons write SetCustomButtons;
    property ButtonBar: TVxButtonBarOptions read FButtonBar write SetButtonBar;
    property Verification: TVxVerification read FVerification write SetVerification;
    property Footer: TVxFooter read FFooter write SetFooter;
    property Header: TVxHeader read FHeader write SetHeader;
    property MainIcon: TTaskDialogIcon read FMainIcon write FMainIcon default tdiNone;
    property HelpLink: TVxHelpLink read FHelpLink write SetHelpLink;
    property Progress: TVxProgress read FProgress write SetProgress;
    property Border: TVxBorder read FBorder write SetBorder;
    property Title: string read FTitle write FTitle;
    property Position: TDialogPosition read FPosition write FPosition default dpScreenCenter;
    property Color: TColor read FColor write FColor default clWindow;
    property Font: TFont read FFont write SetFont;
    property UseDefaultFonts: Boolean read FUseDefaultFonts write FUseDefaultFonts default True;
    property BorderStyle: TFormBorderStyle read FBorderStyle write FBorderStyle default bsDialog;
    property Icon: TIcon read FIcon write SetIcon;
    property HelpContext: Integer read FHelpContext write FHelpContext default 0;
    property HelpType: THelpType read FHelpType write FHelpType default htContext;
    property HelpKeyword: string read FHelpKeyword write FHelpKeyword;
    property Location: TVxLocation read FLocation write SetLocation;
    property Width: Integer read FWidth write FWidth default 0;
    property UseOldStyleSetting: Boolean read FUseOldStyleSetting write FUseOldStyleSetting default True;
    property Sheet: TVxSheetOptions read FSheet write SetSheet;
    property Timer: TVxTimer read FTimer write SetTimer;
    property RadioButton: TVxRadioButton read FRadioButton write SetRadioButton;
    property ShowHint: Boolean read FShowHint write FShowHint default False;
    property MaxLines: Integer read FMaxLines write FMaxLines default 0;
    property OnCleanUpDialog: TNotifyEvent read FOnCleanUpDialog write FOnCleanUpDialog;
    property OnCreated: TNotifyEvent read FOnCreated write FOnCreated;
    property OnDestroyed: TNotifyEvent read FOnDestroyed write FOnDestroyed;
    property OnDialogClick: TDialogClickEvent read FOnDialogClick write FOnDialogClick;
    property OnDialogClose: TDialogCloseEvent read FOnDialogClose write FOnDialogClose;
    property OnDialogConstructed: TNotifyEvent read FOnDialogConstructed write FOnDialogConstructed;
    property OnGetMoreFileName: TGetMoreFileNameEvent read FOnGetMoreFileName write FOnGetMoreFileName;
    property OnGetMoreStream: TGetMoreStreamEvent read FOnGetMoreStream write FOnGetMoreStream;
    property OnHelpLinkClick: THelpLinkClickEvent read FOnHelpLinkClick write FOnHelpLinkClick;
    property OnHelpButtonClick: THelpButtonClickEvent read FOnHelpButtonClick write FOnHelpButtonClick;
    property OnGetControlClass: TGetControlClassEvent read FOnGetControlClass write FOnGetControlClass;
    property OnInitControl: TInitControlEvent read FOnInitControl write FOnInitControl;
    property OnControlClick: TControlClickEvent read FOnControlClick write FOnControlClick;
    property OnDialogCollapse: TNotifyEvent read FOnDialogCollapse write FOnDialogCollapse;
    property OnDialogExpand: TNotifyEvent read FOnDialogExpand write FOnDialogExpand;
    property OnDialogShow: TNotifyEvent read FOnDialogShow write FOnDialogShow;
    property OnGetRadioButtonChecked: TGetRadioButtonChecked read FOnGetRadioButtonChecked
      write FOnGetRadioButtonChecked;
    property OnGetVerificationResult: TGetVerificationResult read FOnGetVerificationResult
      write FOnGetVerificationResult;
    property OnProgress: TProgressEvent read FOnProgress write FOnProgress;
    property OnUpdateProgressBarState: TUpdateProgressBarStateEvent read FOnUpdateProgressBarState
      write FOnUpdateProgressBarState;
    property OnUpdateProgressBar: TUpdateProgressBarEvent read FOnUpdateProgressBar
      write FOnUpdateProgressBar;
    property OnTimer: TTimerEvent read FOnTimer write FOnTimer;
    property OnKeyPress: TKeyEvent read FOnKeyPress write FOnKeyPress;
    property OnVerificationClick: TVerificationClickEvent read FOnVerificationClick
      write FOnVerificationClick;
  end;

implementation

constructor TVxDialogOwnedPersistent.Create(ADialog: TVxCustomDialog);
begin
  inherited Create;
  FDialog := ADialog;
end;

procedure TVxButtonOptions.SetCommandLinkColors(Value: TVxCommandLinkColors);
begin
  FCommandLinkColors.Assign(Value);
end;

procedure TVxInstruction.SetFont(Value: TFont);
begin
  FFont.Assign(Value);
end;

procedure TVxInstruction.SetGlyph(Value: TPicture);
begin
  FGlyph.Assign(Value);
end;

procedure TVxExpando.SetAnimate(Value: TVxAnimate);
begin
  FAnimate.Assign(Value);
end;

procedure TVxExpando.SetLines(Value: TStrings);
begin
  FLines.Assign(Value);
end;

procedure TVxExpando.SetFont(Value: TFont);
begin
  FFont.Assign(Value);
end;

procedure TVxBaseOptions.SetGlyph(Value: TPicture);
begin
  FGlyph.Assign(Value);
end;

procedure TVxBaseOptions.SetFont(Value: TFont);
begin
  FFont.Assign(Value);
end;

procedure TVxHeader.SetGradient(Value: TVxGradient);
begin
  FGradient.Assign(Value);
end;

procedure TVxHelpLink.SetFont(Value: TFont);
begin
  FFont.Assign(Value);
end;

function TVxRadioButtons.Add: TVxRadioButtonItem;
begin
  Result := TVxRadioButtonItem(inherited Add);
end;

procedure TVxCustomButtonItem.SetGlyph(Value: TPicture);
begin
  FGlyph.Assign(Value);
end;

procedure TVxCustomButtonItem.SetValue(Value: Integer);
begin
end;

procedure TVxCustomButtonItem.SetInfo(Value: TStrings);
begin
  FInfo.Assign(Value);
end;

procedure TVxCustomButtonItem.SetPicture(Value: TPicture);
begin
  FPicture.Assign(Value);
end;

function TVxCustomButtons.Add: TVxCustomButtonItem;
begin
  Result := TVxCustomButtonItem(inherited Add);
end;

procedure TVxCustomDialog.SetPersistent(Target, Value: TPersistent);
begin
  Target.Assign(Value);
end;

procedure TVxCustomDialog.SetButton(Value: TVxButtonOptions); begin SetPersistent(FButton, Value); end;
procedure TVxCustomDialog.SetContent(Value: TStrings); begin SetPersistent(FContent, Value); end;
procedure TVxCustomDialog.SetExpando(Value: TVxExpando); begin SetPersistent(FExpando, Value); end;
procedure TVxCustomDialog.SetGlyph(Value: TPicture); begin SetPersistent(FGlyph, Value); end;
procedure TVxCustomDialog.SetInstruction(Value: TVxInstruction); begin SetPersistent(FInstruction, Value); end;
procedure TVxCustomDialog.SetRadioButtons(Value: TVxRadioButtons); begin SetPersistent(FRadioButtons, Value); end;
procedure TVxCustomDialog.SetCustomButtons(Value: TVxCustomButtons); begin SetPersistent(FCustomButtons, Value); end;
procedure TVxCustomDialog.SetButtonBar(Value: TVxButtonBarOptions); begin SetPersistent(FButtonBar, Value); end;
procedure TVxCustomDialog.SetVerification(Value: TVxVerification); begin SetPersistent(FVerification, Value); end;
procedure TVxCustomDialog.SetFooter(Value: TVxFooter); begin SetPersistent(FFooter, Value); end;
procedure TVxCustomDialog.SetHeader(Value: TVxHeader); begin SetPersistent(FHeader, Value); end;
procedure TVxCustomDialog.SetHelpLink(Value: TVxHelpLink); begin SetPersistent(FHelpLink, Value); end;
procedure TVxCustomDialog.SetProgress(Value: TVxProgress); begin SetPersistent(FProgress, Value); end;
procedure TVxCustomDialog.SetBorder(Value: TVxBorder); begin SetPersistent(FBorder, Value); end;
procedure TVxCustomDialog.SetFont(Value: TFont); begin SetPersistent(FFont, Value); end;
procedure TVxCustomDialog.SetIcon(Value: TIcon); begin SetPersistent(FIcon, Value); end;
procedure TVxCustomDialog.SetLocation(Value: TVxLocation); begin SetPersistent(FLocation, Value); end;
procedure TVxCustomDialog.SetSheet(Value: TVxSheetOptions); begin SetPersistent(FSheet, Value); end;
procedure TVxCustomDialog.SetTimer(Value: TVxTimer); begin SetPersistent(FTimer, Value); end;
procedure TVxCustomDialog.SetRadioButton(Value: TVxRadioButton); begin SetPersistent(FRadioButton, Value); end;

function TVxCustomDialog.Execute: Boolean;
begin
  Result := False;
end;

end.
