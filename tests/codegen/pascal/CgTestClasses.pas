{ Pascal declarations of the generator tests' own classes (tests/codegen/support/CgTestClasses.h):
  one property of every value kind, a collection, sub-objects, a form with controls. }
unit CgTestClasses;

{$mode delphi}{$H+}

interface

uses
  Classes, PlatformSurface;

type
  TCgShade = (shNone, shLight, shDark, shBlack);
  TCgShades = set of TCgShade;

  TCgImageList = class(TComponent)
  public
    function Execute: Boolean;
  end;

  TCgPart = class(TComponent)
  private
    FCaption: string;
  published
    property Caption: string read FCaption write FCaption;
  end;

  TCgOptions = class(TPersistent)
  private
    FCaption: string;
    FLevel: Integer;
    FNotes: TStrings;
    procedure SetNotes(Value: TStrings);
  published
    property Caption: string read FCaption write FCaption;
    property Level: Integer read FLevel write FLevel default 0;
    property Notes: TStrings read FNotes write SetNotes;
  end;

  TCgItem = class(TCollectionItem)
  private
    FCaption: string;
    FValue: Integer;
    FEnabled: Boolean;
    FShade: TCgShade;
    FInfo: TStrings;
    FGlyph: TPicture;
    procedure SetInfo(Value: TStrings);
    procedure SetGlyph(Value: TPicture);
  published
    property Caption: string read FCaption write FCaption;
    property Value: Integer read FValue write FValue;
    property Enabled: Boolean read FEnabled write FEnabled default True;
    property Shade: TCgShade read FShade write FShade default shNone;
    property Info: TStrings read FInfo write SetInfo;
    property Glyph: TPicture read FGlyph write SetGlyph;
  end;

  TCgItems = class(TOwnedCollection)
  private
    FImages: TCgImageList;
  public
    function Add: TCgItem;
  published
    property Images: TCgImageList read FImages write FImages;
  end;

  TCgThing = class(TComponent)
  private
    FCount: Integer;
    FBig: Int64;
    FFlag: Boolean;
    FShade: TCgShade;
    FShades: TCgShades;
    FMixed: TCgShades;
    FTitle: string;
    FRatio: Double;
    FScale: Single;
    FPrice: Currency;
    FWhen: TDateTime;
    FColor: TColor;
    FCharset: TFontCharset;
    FLines: TStrings;
    FOptions: TCgOptions;
    FUseDefaultFont: Boolean;
    FFont: TFont;
    FPicture: TPicture;
    FIcon: TIcon;
    FItems: TCgItems;
    FLink: TComponent;
    FSecret: Integer;
    FCounted: Integer;
    FFixed: Integer;
    FDirect: Integer;
    FSub: TCgPart;
    FOnChange: TNotifyEvent;
    FOnDone: TNotifyEvent;
    procedure SetPersistent(Target, Value: TPersistent);
    procedure SetLines(Value: TStrings);
    procedure SetOptions(Value: TCgOptions);
    procedure SetFont(Value: TFont);
    procedure SetPicture(Value: TPicture);
    procedure SetIcon(Value: TIcon);
    procedure SetItems(Value: TCgItems);
  public
    function Execute: Boolean;
  published
    property Count: Integer read FCount write FCount default 0;
    property Big: Int64 read FBig write FBig;
    property Flag: Boolean read FFlag write FFlag default False;
    property Shade: TCgShade read FShade write FShade default shNone;
    property Shades: TCgShades read FShades write FShades default [];
    property Mixed: TCgShades read FMixed write FMixed;
    property Title: string read FTitle write FTitle;
    property Ratio: Double read FRatio write FRatio;
    property Scale: Single read FScale write FScale;
    property Price: Currency read FPrice write FPrice;
    property When: TDateTime read FWhen write FWhen;
    property Color: TColor read FColor write FColor default clWindow;
    property Charset: TFontCharset read FCharset write FCharset default DEFAULT_CHARSET;
    property Lines: TStrings read FLines write SetLines;
    property Options: TCgOptions read FOptions write SetOptions;
    property UseDefaultFont: Boolean read FUseDefaultFont write FUseDefaultFont default True;
    property Font: TFont read FFont write SetFont;
    property Picture: TPicture read FPicture write SetPicture;
    property Icon: TIcon read FIcon write SetIcon;
    property Items: TCgItems read FItems write SetItems;
    property Link: TComponent read FLink write FLink;
    property Secret: Integer read FSecret write FSecret stored False;
    property Counted: Integer read FCounted write FCounted default 0;
    property Fixed: Integer read FFixed;
    property Direct: Integer read FDirect write FDirect default 0;
    property Sub: TCgPart read FSub;
    property OnChange: TNotifyEvent read FOnChange write FOnChange;
    property OnDone: TNotifyEvent read FOnDone write FOnDone;
  end;

  TCgThing2 = class(TCgThing)
  private
    FExtra: string;
  published
    property Shade default shLight;
    property Extra: string read FExtra write FExtra;
  end;

  TCgWinControl = class;

  TCgControl = class(TComponent)
  private
    FParent: TCgWinControl;
    FLeft: Integer;
    FTop: Integer;
    FCaption: TCaption;
    FOnClick: TNotifyEvent;
  public
    function Execute: Boolean;
    property Parent: TCgWinControl read FParent write FParent;
  published
    property Left: Integer read FLeft write FLeft;
    property Top: Integer read FTop write FTop;
    property Caption: TCaption read FCaption write FCaption;
    property OnClick: TNotifyEvent read FOnClick write FOnClick;
  end;

  TCgEdit = class(TCgControl)
  private
    FText: string;
  published
    property Text: string read FText write FText;
  end;

  TCgWinControl = class(TCgControl)
  end;

  TCgForm = class(TCgWinControl)
  private
    FTextHeight: Integer;
  published
    property TextHeight: Integer read FTextHeight write FTextHeight;
  end;

implementation

function TCgImageList.Execute: Boolean;
begin
  Result := False;
end;

procedure TCgOptions.SetNotes(Value: TStrings);
begin
  FNotes.Assign(Value);
end;

procedure TCgItem.SetInfo(Value: TStrings);
begin
  FInfo.Assign(Value);
end;

procedure TCgItem.SetGlyph(Value: TPicture);
begin
  FGlyph.Assign(Value);
end;

function TCgItems.Add: TCgItem;
begin
  Result := TCgItem(inherited Add);
end;

procedure TCgThing.SetPersistent(Target, Value: TPersistent);
begin
  Target.Assign(Value);
end;

procedure TCgThing.SetLines(Value: TStrings); begin SetPersistent(FLines, Value); end;
procedure TCgThing.SetOptions(Value: TCgOptions); begin SetPersistent(FOptions, Value); end;
procedure TCgThing.SetFont(Value: TFont); begin SetPersistent(FFont, Value); end;
procedure TCgThing.SetPicture(Value: TPicture); begin SetPersistent(FPicture, Value); end;
procedure TCgThing.SetIcon(Value: TIcon); begin SetPersistent(FIcon, Value); end;
procedure TCgThing.SetItems(Value: TCgItems); begin SetPersistent(FItems, Value); end;

function TCgThing.Execute: Boolean;
begin
  Result := False;
end;

function TCgControl.Execute: Boolean;
begin
  Result := False;
end;

end.
