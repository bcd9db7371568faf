#pragma once
/// An edit dialog that asks for two related texts at once: its input control is a frame with two
/// captioned one-line edits, read back when the window closes. \file

#include "VxEditDialog.h"

enum TVxCaptionAlignment { caLeft, caRight };
const TEnumInfo& CaptionAlignmentTypeInfo();

class TVxDualEditProperties : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    TVxDualEditProperties() = default;
    TVxDualEditProperties(const TVxDualEditProperties&) = delete;
    TVxDualEditProperties& operator=(const TVxDualEditProperties&) = delete;

    QString Value1Caption() const { return FValue1Caption; }
    void SetValue1Caption(const QString& Value) { FValue1Caption = Value; }
    QString Value2Caption() const { return FValue2Caption; }
    void SetValue2Caption(const QString& Value) { FValue2Caption = Value; }
    QString Value2() const { return FValue2; }
    void SetValue2(const QString& Value) { FValue2 = Value; }
    QString Value1() const { return FValue1; }
    void SetValue1(const QString& Value) { FValue1 = Value; }
    /// caRight: both captions end at the same right edge.
    TVxCaptionAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TVxCaptionAlignment Value) { FCaptionAlignment = Value; }

    /// From another TVxDualEditProperties: all five values; anything else raises EConvertError.
    void Assign(const TPersistent* Source) override;

private:
    QString FValue1Caption;
    QString FValue2Caption;
    QString FValue2;
    QString FValue1;
    TVxCaptionAlignment FCaptionAlignment = caRight;
};

class TVxCustomDualEditDialog : public TVxEditDialog {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxCustomDualEditDialog(TComponent* AOwner = nullptr);
    ~TVxCustomDualEditDialog() override;

    TVxDualEditProperties* DualEditProperties() const { return FDualEditProperties.get(); }
    void SetDualEditProperties(const TVxDualEditProperties* Value);
    /// The two texts when the window last closed (also when the user cancelled).
    QString EditValue1() const { return FEditValue1; }
    QString EditValue2() const { return FEditValue2; }

protected:
    void DoGetEditControlClass(TControlClass& ControlClass) override;
    int CalcControlHeight() override;
    void DoDialogClose() override;
    virtual void ReadDualValues();

private:
    std::unique_ptr<TVxDualEditProperties> FDualEditProperties;
    QString FEditValue2;
    QString FEditValue1;
};

class TVxDualEditDialog : public TVxCustomDualEditDialog {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TVxDualEditDialog(TComponent* AOwner = nullptr) : TVxCustomDualEditDialog(AOwner) {}
};
