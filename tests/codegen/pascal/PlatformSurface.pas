{ Pascal declarations of the platform types that generated code and form text name: colours and
  their names, character sets, fonts, pictures, image lists and a control base. Declarations only:
  the generator tests compile generated code against them. }
unit PlatformSurface;

{$mode delphi}{$H+}

interface

uses
  Classes;

type
  TColor = -$7FFFFFFF - 1..$7FFFFFFF;

const
  clBlack = TColor(0);
  clMaroon = TColor(128);
  clGreen = TColor(32768);
  clOlive = TColor(32896);
  clNavy = TColor(8388608);
  clPurple = TColor(8388736);
  clTeal = TColor(8421376);
  clGray = TColor(8421504);
  clSilver = TColor(12632256);
  clRed = TColor(255);
  clLime = TColor(65280);
  clYellow = TColor(65535);
  clBlue = TColor(16711680);
  clFuchsia = TColor(16711935);
  clAqua = TColor(16776960);
  clWhite = TColor(16777215);
  clMoneyGreen = TColor(12639424);
  clSkyBlue = TColor(15780518);
  clCream = TColor(15793151);
  clMedGray = TColor(10789024);
  clActiveBorder = TColor(-16777206);
  clActiveCaption = TColor(-16777214);
  clAppWorkSpace = TColor(-16777204);
  clBackground = TColor(-16777215);
  clBtnFace = TColor(-16777201);
  clBtnHighlight = TColor(-16777196);
  clBtnShadow = TColor(-16777200);
  clBtnText = TColor(-16777198);
  clCaptionText = TColor(-16777207);
  clDefault = TColor(536870912);
  clGradientActiveCaption = TColor(-16777189);
  clGradientInactiveCaption = TColor(-16777188);
  clGrayText = TColor(-16777199);
  clHighlight = TColor(-16777203);
  clHighlightText = TColor(-16777202);
  clHotLight = TColor(-16777190);
  clInactiveBorder = TColor(-16777205);
  clInactiveCaption = TColor(-16777213);
  clInactiveCaptionText = TColor(-16777197);
  clInfoBk = TColor(-16777192);
  clInfoText = TColor(-16777193);
  clMenu = TColor(-16777212);
  clMenuBar = TColor(-16777186);
  clMenuHighlight = TColor(-16777187);
  clMenuText = TColor(-16777209);
  clNone = TColor(536870911);
  clScrollBar = TColor(-16777216);
  cl3DDkShadow = TColor(-16777195);
  cl3DLight = TColor(-16777194);
  clWindow = TColor(-16777211);
  clWindowFrame = TColor(-16777210);
  clWindowText = TColor(-16777208);

type
  TFontCharset = 0..255;

const
  ANSI_CHARSET = 0;
  DEFAULT_CHARSET = 1;
  SYMBOL_CHARSET = 2;
  MAC_CHARSET = 77;
  SHIFTJIS_CHARSET = 128;
  HANGEUL_CHARSET = 129;
  JOHAB_CHARSET = 130;
  GB2312_CHARSET = 134;
  CHINESEBIG5_CHARSET = 136;
  GREEK_CHARSET = 161;
  TURKISH_CHARSET = 162;
  HEBREW_CHARSET = 177;
  ARABIC_CHARSET = 178;
  BALTIC_CHARSET = 186;
  RUSSIAN_CHARSET = 204;
  THAI_CHARSET = 222;
  EASTEUROPE_CHARSET = 238;
  OEM_CHARSET = 255;

type
  TFontStyle = (fsBold, fsItalic, fsUnderline, fsStrikeOut);
  TFontStyles = set of TFontStyle;
  TFontPitch = (fpDefault, fpVariable, fpFixed);
  TFontQuality = (fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType,
    fqClearTypeNatural);
  TFontName = string;
  TModalResult = Integer;
  THelpContext = Integer;
  TCaption = string;

  TBiDiMode = (bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly);
  TDefaultMonitor = (dmDesktop, dmPrimary, dmMainForm, dmActiveForm);
  TFormBorderStyle = (bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
  THelpType = (htKeyword, htContext);
  TScrollStyle = (ssNone, ssHorizontal, ssVertical, ssBoth);
  TGradientDirection = (gdHorizontal, gdVertical);

  TFont = class(TPersistent)
  private
    FCharset: TFontCharset;
    FColor: TColor;
    FHeight: Integer;
    FName: TFontName;
    FOrientation: Integer;
    FPitch: TFontPitch;
    FSize: Integer;
    FStyle: TFontStyles;
    FQuality: TFontQuality;
  published
    property Charset: TFontCharset read FCharset write FCharset;
    property Color: TColor read FColor write FColor;
    property Height: Integer read FHeight write FHeight;
    property Name: TFontName read FName write FName;
    property Orientation: Integer read FOrientation write FOrientation default 0;
    property Pitch: TFontPitch read FPitch write FPitch default fpDefault;
    property Size: Integer read FSize write FSize stored False;
    property Style: TFontStyles read FStyle write FStyle;
    property Quality: TFontQuality read FQuality write FQuality default fqDefault;
  end;

  TGraphic = class(TPersistent)
  end;

  TIcon = class(TGraphic)
  end;

  TPicture = class(TPersistent)
  end;

  TCustomImageList = class(TComponent)
  end;

  TImageList = class(TCustomImageList)
  end;

  TControl = class(TComponent)
  end;

  TControlClass = class of TControl;

implementation

end.
