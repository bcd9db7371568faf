#pragma once
/// The settings of an edit dialog's input control: which kind of control, its caption and where
/// the caption goes, its starting value and items, its height and how much of the dialog's width
/// it covers. \file

#include "StringList.h"
#include "VxPersistent.h"

#include <memory>

/// The kind of input control an edit dialog shows.
enum TVxEditType {
    etNone, etEdit, etMemo, etComboBox, etListBox, etDate, etTime, etCalendar, etCustom, etCheckListBox, etRTF,
    etHTML, etEditComboBox
};
constexpr int EditTypeCount = etEditComboBox + 1;

enum TVxCaptionPosition { cpLeft, cpTop };
enum TCoverageType { ctPercent, ctPixels };

const TEnumInfo& EditTypeTypeInfo();
const TEnumInfo& CaptionPositionTypeInfo();
const TEnumInfo& CoverageTypeTypeInfo();

class TVxEditProperties : public TVxChangePersistent {
    VX_PUBLISHED_CLASS
public:
    TVxEditProperties();
    ~TVxEditProperties() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    /// The starting value of the control.
    QString Value() const { return FValue; }
    void SetValue(const QString& Value);
    TVxEditType EditType() const { return FEditType; }
    /// Stored without a change notification.
    void SetEditType(TVxEditType Value) { FEditType = Value; }
    /// Height of the multi-line kinds (memo, lists, rich edit, web page, calendar), pixels at 96 DPI.
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    /// Items of lists and combo boxes, or the lines of a memo, rich edit or web page.
    TStrings* Items() const { return FItems.get(); }
    void SetItems(const TStrings* Value);
    /// 0 = no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = Value; }
    bool AllowDoubleClickToClose() const { return FAllowDoubleClickToClose; }
    void SetAllowDoubleClickToClose(bool Value) { FAllowDoubleClickToClose = Value; }
    TVxCaptionPosition CaptionPosition() const { return FCaptionPosition; }
    void SetCaptionPosition(TVxCaptionPosition Value);
    /// Percent of the content width, or pixels, after CoverageType.
    int Coverage() const { return FCoverage; }
    void SetCoverage(int Value) { FCoverage = Value; }
    TCoverageType CoverageType() const { return FCoverageType; }
    void SetCoverageType(TCoverageType Value) { FCoverageType = Value; }
    /// Whether the control may take the focus when the window shows.
    bool AllowActiveControl() const { return FAllowActiveControl; }
    void SetAllowActiveControl(bool Value) { FAllowActiveControl = Value; }

    /// True when the caption holds more than blanks and control characters.
    bool CaptionVisible() const;

    /// From another TVxEditProperties: everything but Value and MaxLength, then one Changed.
    void Assign(const TPersistent* Source) override;

private:
    QString FCaption;
    QString FValue;
    TVxEditType FEditType = etEdit;
    int FHeight = 100;
    std::unique_ptr<TStringList> FItems;
    int FMaxLength = 0;
    bool FAllowDoubleClickToClose = true;
    TVxCaptionPosition FCaptionPosition = cpLeft;
    int FCoverage = 100;
    TCoverageType FCoverageType = ctPercent;
    bool FAllowActiveControl = true;
};
