#pragma once
// A small published hierarchy for the generator tests: one component with a property of every
// value kind and stored rule, a collection, sub-objects, and a form with nested controls. The
// Pascal declarations in tests/codegen/pascal/CgTestClasses.pas mirror it.

#include "Graphics.h"
#include "Picture.h"
#include "StringList.h"
#include "TypInfo.h"

#include <memory>

enum TCgShade { shNone, shLight, shDark, shBlack };
using TCgShades = TSet<TCgShade>;
const TEnumInfo& CgShadeTypeInfo();

// A component that stands for an image list or any other referenced component.
class TCgImageList : public TComponent {
    VX_PUBLISHED_CLASS
public:
    using TComponent::TComponent;
};

// A component owned and published by another one (a sub-component).
class TCgPart : public TComponent {
    VX_PUBLISHED_CLASS
public:
    using TComponent::TComponent;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }

private:
    QString FCaption;
};

// A persistent sub-object.
class TCgOptions : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    int Level() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }
    TStrings* Notes() const { return FNotes.get(); }
    void SetNotes(const TStrings* Value) { FNotes->Assign(Value); }

private:
    QString FCaption;
    int FLevel = 0;
    std::unique_ptr<TStringList> FNotes = std::make_unique<TStringList>();
};

class TCgItem : public TCollectionItem {
    VX_PUBLISHED_CLASS
public:
    using TCollectionItem::TCollectionItem;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    int Value() const { return FValue; }
    void SetValue(int Value) { FValue = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TCgShade Shade() const { return FShade; }
    void SetShade(TCgShade Value) { FShade = Value; }
    TStrings* Info() const { return FInfo.get(); }
    void SetInfo(const TStrings* Value) { FInfo->Assign(Value); }
    TPicture* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TPicture* Value) { FGlyph->Assign(Value); }

private:
    QString FCaption;
    int FValue = 0;
    bool FEnabled = true;
    TCgShade FShade = shNone;
    std::unique_ptr<TStringList> FInfo = std::make_unique<TStringList>();
    std::unique_ptr<TPicture> FGlyph = std::make_unique<TPicture>();
};

class TCgItems : public TOwnedCollection {
    VX_PUBLISHED_CLASS
public:
    explicit TCgItems(TPersistent* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<TCgItem>()) {}
    TCgItem* Add() { return static_cast<TCgItem*>(TCollection::Add()); }
    TCgItem* Item(int Index) const { return static_cast<TCgItem*>(Items(Index)); }
    TCgImageList* Images() const { return FImages; }
    void SetImages(TCgImageList* Value) { FImages = Value; }

private:
    TCgImageList* FImages = nullptr;
};

// A component with one published property of every value kind and stored rule.
class TCgThing : public TComponent {
    VX_PUBLISHED_CLASS
public:
    explicit TCgThing(TComponent* AOwner = nullptr);

    int Count() const { return FCount; }
    void SetCount(int Value) { FCount = Value; }
    qint64 Big() const { return FBig; }
    void SetBig(qint64 Value) { FBig = Value; }
    bool Flag() const { return FFlag; }
    void SetFlag(bool Value) { FFlag = Value; }
    TCgShade Shade() const { return FShade; }
    void SetShade(TCgShade Value) { FShade = Value; }
    TCgShades Shades() const { return FShades; }
    void SetShades(TCgShades Value) { FShades = Value; }
    TCgShades Mixed() const { return FMixed; }
    void SetMixed(TCgShades Value) { FMixed = Value; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString& Value) { FTitle = Value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double Value) { FRatio = Value; }
    double Scale() const { return FScale; }
    void SetScale(double Value) { FScale = Value; }
    double Price() const { return FPrice; }
    void SetPrice(double Value) { FPrice = Value; }
    double When() const { return FWhen; }
    void SetWhen(double Value) { FWhen = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value) { FCharset = Value; }
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(const TStrings* Value) { FLines->Assign(Value); }
    TCgOptions* Options() const { return FOptions.get(); }
    void SetOptions(const TCgOptions*) {}
    bool UseDefaultFont() const { return FUseDefaultFont; }
    void SetUseDefaultFont(bool Value) { FUseDefaultFont = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* Value) { FPicture->Assign(Value); }
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(const TIcon* Value) { FIcon->Assign(Value); }
    TCgItems* Items() const { return FItems.get(); }
    void SetItems(const TCgItems* Value) { FItems->Assign(Value); }
    TComponent* Link() const { return FLink; }
    void SetLink(TComponent* Value) { FLink = Value; }
    int Secret() const { return FSecret; }
    void SetSecret(int Value) { FSecret = Value; }
    int Counted() const { return FCounted; }
    void SetCounted(int Value) { FCounted = Value; }
    int Fixed() const { return FFixed; }
    void SetFixedValue(int Value) { FFixed = Value; }
    int Direct() const { return FDirect; }
    void SetDirect(int Value) { FDirect = Value; }
    TCgPart* Sub() const { return FSub; }

    TNotifyEvent OnChange;
    TNotifyEvent OnDone;

private:
    int FCount = 0;
    qint64 FBig = 0;
    bool FFlag = false;
    TCgShade FShade = shNone;
    TCgShades FShades;
    TCgShades FMixed;
    QString FTitle;
    double FRatio = 0;
    double FScale = 0;
    double FPrice = 0;
    double FWhen = 0;
    TColor FColor = clWindow;
    TFontCharset FCharset = DEFAULT_CHARSET;
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
    std::unique_ptr<TCgOptions> FOptions = std::make_unique<TCgOptions>();
    bool FUseDefaultFont = true;
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
    std::unique_ptr<TIcon> FIcon = std::make_unique<TIcon>();
    std::unique_ptr<TCgItems> FItems;
    TComponent* FLink = nullptr;
    int FSecret = 0;
    int FCounted = 0;
    int FFixed = 0;
    int FDirect = 0;
    TCgPart* FSub = nullptr;
};

// Redeclares Shade with another default and adds a property of its own.
class TCgThing2 : public TCgThing {
    VX_PUBLISHED_CLASS
public:
    explicit TCgThing2(TComponent* AOwner = nullptr) : TCgThing(AOwner) { SetShade(shLight); }
    QString Extra() const { return FExtra; }
    void SetExtra(const QString& Value) { FExtra = Value; }

private:
    QString FExtra;
};

class TCgWinControl;

// A visual control with published position and caption.
class TCgControl : public TComponent {
    VX_PUBLISHED_CLASS
public:
    using TComponent::TComponent;
    ~TCgControl() override;
    bool IsVisualControl() const override { return true; }
    TComponent* ParentControl() const override;
    void SetParentControl(TCgWinControl* Parent);
    // A form reader's parent: only windowed controls take children.
    void SetParentComponent(TComponent* Value) override;

    int Left() const { return FLeft; }
    void SetLeft(int Value) { FLeft = Value; }
    int Top() const { return FTop; }
    void SetTop(int Value) { FTop = Value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    TNotifyEvent OnClick;

private:
    friend class TCgWinControl;
    TCgWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    QString FCaption;
};

// A control with a property that forms do not have.
class TCgEdit : public TCgControl {
    VX_PUBLISHED_CLASS
public:
    using TCgControl::TCgControl;
    QString Text() const { return FText; }
    void SetText(const QString& Value) { FText = Value; }

private:
    QString FText;
};

class TCgWinControl : public TCgControl {
    VX_PUBLISHED_CLASS
public:
    using TCgControl::TCgControl;
    // Children that outlive their parent (they are destroyed later by the owner) forget it.
    ~TCgWinControl() override;
    bool IsWindowedControl() const override { return true; }
    QList<TComponent*> ChildControls() const override { return FChildren; }

private:
    friend class TCgControl;
    QList<TComponent*> FChildren;
};

class TCgForm : public TCgWinControl {
    VX_PUBLISHED_CLASS
public:
    using TCgWinControl::TCgWinControl;
    bool IsForm() const override { return true; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int Value) { FTextHeight = Value; }

private:
    int FTextHeight = 13;
};
