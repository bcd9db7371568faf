#pragma once
/// The dialog's two owned collections: radio button items and custom buttons (push buttons or
/// command links). Both number their items with result values and offer lookups by value. \file

#include "Classes.h"
#include "Picture.h"
#include "StringList.h"
#include "TypInfo.h"
#include "VxTypes.h"

#include <memory>

class TVxCustomDialog;
class TCustomImageList;

class TVxRadioButtonItem : public TCollectionItem {
    VX_PUBLISHED_CLASS
public:
    explicit TVxRadioButtonItem(TCollection* Collection);

    /// Copies Caption, Value, Checked and Enabled; another class raises EConvertError.
    void Assign(const TPersistent* Source) override;

    QString Caption() const { return FCaption; }
    /// A different caption asks the dialog to re-place its radio buttons, except while the dialog
    /// is being read from a form.
    void SetCaption(const QString& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value) { FChecked = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    int Value() const { return FValue; }
    void SetValue(int Value) { FValue = Value; }

protected:
    QString GetDisplayName() const override;

private:
    friend class TVxRadioButtons;
    QString FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    int FValue = 0;
};

class TVxRadioButtons : public TOwnedCollection {
    VX_PUBLISHED_CLASS
public:
    TVxRadioButtons(TPersistent* AOwner, TCollectionItemClass ItemClass);

    /// Adds an item numbered Count + 199; the first item of a collection is checked.
    TVxRadioButtonItem* Add();
    TVxRadioButtonItem* Items(int Index) const;
    TVxRadioButtonItem* GetItem(int Index) const { return Items(Index); }
    void SetItem(int Index, const TVxRadioButtonItem* Value);
    /// The first item whose Value equals AValue, or nullptr.
    TVxRadioButtonItem* ItemWithValue(int AValue) const;
    /// Sets Enabled of the item with that value; nothing when there is none.
    void SetEnabled(int AValue, bool AEnabled);
    /// The dialog that owns the collection.
    TVxCustomDialog* MessagePanel() const;

protected:
    /// Every added item (also one a form reader adds) is numbered Count + 199 and gets the
    /// caption "Radio Button <Count - 1>".
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
};

class TVxCustomButtons;

class TVxCustomButtonItem : public TCollectionItem {
    VX_PUBLISHED_CLASS
public:
    explicit TVxCustomButtonItem(TCollection* Collection);
    ~TVxCustomButtonItem() override;

    /// Copies every published value; a source of another class is ignored.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    bool ElevationRequired() const { return FElevationRequired; }
    void SetElevationRequired(bool Value) { FElevationRequired = Value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    TPicture* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TPicture* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    int Value() const { return FValue; }
    /// Ignored: a custom button's value is given by its collection (and copied by Assign), so
    /// that it stays unique.
    void SetValue(int Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value) { FDefault = Value; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }
    TStrings* Info() const { return FInfo.get(); }
    void SetInfo(const TStrings* Value);
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* Value);
    int PictureIndex() const { return FPictureIndex; }
    void SetPictureIndex(int Value) { FPictureIndex = Value; }
    bool Enabled() const { return FEnabled; }
    /// A change enables or disables the dialog's button of this value.
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }

protected:
    QString GetDisplayName() const override;

private:
    friend class TVxCustomButtons;
    TVxCustomButtons* FOwner;
    bool FElevationRequired = false;
    QString FCaption;
    std::unique_ptr<TPicture> FGlyph;
    int FImageIndex = -1;
    int FValue = 0;
    TModalResult FModalResult = 0;
    bool FDefault = false;
    bool FCancel = false;
    QString FHint;
    std::unique_ptr<TStringList> FInfo;
    std::unique_ptr<TPicture> FPicture;
    int FPictureIndex = -1;
    bool FEnabled = true;
    bool FVisible = true;
};

class TVxCustomButtons : public TOwnedCollection {
    VX_PUBLISHED_CLASS
public:
    TVxCustomButtons(TPersistent* AOwner, TCollectionItemClass ItemClass);

    /// The platform collection's copy, then the image-list references of another
    /// TVxCustomButtons.
    void Assign(const TPersistent* Source) override;

    /// Adds an item numbered Count + 99.
    TVxCustomButtonItem* Add();
    TVxCustomButtonItem* Items(int Index) const;
    TVxCustomButtonItem* GetItem(int Index) const { return Items(Index); }
    void SetItem(int Index, const TVxCustomButtonItem* Value);
    /// ModalResult of the first item with that value; 0 when there is none.
    int GetModalResult(int aValue) const;
    int VisibleCount() const;
    TVxCustomDialog* MessagePanel() const;

    TCustomImageList* Images() const { return FImages; }
    /// The dialog asks to be told when the list goes away, and then clears the reference.
    void SetImages(TCustomImageList* Value);
    TCustomImageList* PictureImages() const { return FPictureImages; }
    void SetPictureImages(TCustomImageList* Value);

protected:
    /// Every added item (also one a form reader adds) is numbered Count + 99.
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FPictureImages = nullptr;
};
