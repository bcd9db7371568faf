#pragma once
/// Enumerations and sets of the dialog component's published surface, with the value names the
/// form text and the generated code use. \file

#include "ControlTypes.h"
#include "Sets.h"
#include "TypInfo.h"

enum TDialogOption {
    doShowHelpLink, doRadioButtons, doCommandLinks, doCommandLinksNoIcon, doProgressBar,
    doProgressBarMarquee, doTimer, doTopMost, doModal
};
using TDialogOptions = TSet<TDialogOption>;

enum TTaskDialogIcon { tdiNone, tdiWarning, tdiError, tdiInformation, tdiConfirmation, tdiCustom, tdiShield };
enum TDialogPosition { dpScreenCenter, dpDesktopCenter, dpMainFormCenter, dpOwnerFormCenter, dpDesigned };
enum TVxDialogStyle { dsDialog, dsSheet };
enum TControlType {
    ctButton, ctCommandLink, ctCheckBox, ctMoreButton, ctRichEdit, ctLinkLabel, ctURLLabel,
    ctRadioButton, ctProgressBar, ctRadioGroup, ctMaxLines
};
enum TCommonButton { cbYes, cbNo, cbOK, cbCancel, cbAbort, cbRetry, cbIgnore, cbAll, cbNoToAll, cbYesToAll, cbHelp, cbClose };
using TCommonButtons = TSet<TCommonButton>;
enum TVxDialogHitTest {
    htNone, htHeader, htHeaderImage, htInstruction, htInstructionImage, htContent, htMainIcon,
    htButtonBar, htExpandedSection, htFooter, htFooterImage
};
enum TMoreFormat { mfText, mfRTF };
enum TMoreSource { msDefault, msStream, msFile };
enum TVxImageAlignment { vxImageAlignLeft, vxImageAlignRight };
enum TVxIconSize { isSmall, isMedium, isLarge };
enum TVxSheetLocation { slActiveForm, slDesktop };
enum TProgressBarState { pbstNormal, pbstError, pbstPaused };

/// Platform enumerations the surface uses.
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum THelpType { htKeyword, htContext };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
// TBiDiMode and TGradientDirection come from ControlTypes.h.

// Subranges of the animation settings.
using TVxSpeedRange = quint8; ///< 2..50
using TVxStepRange = quint8;  ///< 1..10

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrClose = 8, mrHelp = 9, mrTryAgain = 10, mrContinue = 11, mrAll = 12,
                       mrNoToAll = 13, mrYesToAll = 14;

/// Value names by ordinal, for reflection.
const TEnumInfo& DialogOptionTypeInfo();
const TEnumInfo& TaskDialogIconTypeInfo();
const TEnumInfo& DialogPositionTypeInfo();
const TEnumInfo& DialogStyleTypeInfo();
const TEnumInfo& ControlTypeTypeInfo();
const TEnumInfo& CommonButtonTypeInfo();
const TEnumInfo& DialogHitTestTypeInfo();
const TEnumInfo& MoreFormatTypeInfo();
const TEnumInfo& MoreSourceTypeInfo();
const TEnumInfo& ImageAlignmentTypeInfo();
const TEnumInfo& IconSizeTypeInfo();
const TEnumInfo& SheetLocationTypeInfo();
const TEnumInfo& ProgressBarStateTypeInfo();
const TEnumInfo& BiDiModeTypeInfo();
const TEnumInfo& DefaultMonitorTypeInfo();
const TEnumInfo& FormBorderStyleTypeInfo();
const TEnumInfo& HelpTypeTypeInfo();
const TEnumInfo& ScrollStyleTypeInfo();
const TEnumInfo& GradientDirectionTypeInfo();
