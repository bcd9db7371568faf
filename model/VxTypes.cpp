#include "VxTypes.h"

#define VX_ENUM_INFO(Func, TypeName, ...)                                              \
    const TEnumInfo& Func()                                                            \
    {                                                                                  \
        static const TEnumInfo info{QStringLiteral(TypeName),                          \
                                    QString::fromLatin1(#__VA_ARGS__).remove(' ').split(','), }; \
        return info;                                                                   \
    }

VX_ENUM_INFO(DialogOptionTypeInfo, "TDialogOption", doShowHelpLink, doRadioButtons, doCommandLinks,
             doCommandLinksNoIcon, doProgressBar, doProgressBarMarquee, doTimer, doTopMost, doModal)
VX_ENUM_INFO(TaskDialogIconTypeInfo, "TTaskDialogIcon", tdiNone, tdiWarning, tdiError, tdiInformation,
             tdiConfirmation, tdiCustom, tdiShield)
VX_ENUM_INFO(DialogPositionTypeInfo, "TDialogPosition", dpScreenCenter, dpDesktopCenter, dpMainFormCenter,
             dpOwnerFormCenter, dpDesigned)
VX_ENUM_INFO(DialogStyleTypeInfo, "TVxDialogStyle", dsDialog, dsSheet)
VX_ENUM_INFO(ControlTypeTypeInfo, "TControlType", ctButton, ctCommandLink, ctCheckBox, ctMoreButton, ctRichEdit,
             ctLinkLabel, ctURLLabel, ctRadioButton, ctProgressBar, ctRadioGroup, ctMaxLines)
VX_ENUM_INFO(CommonButtonTypeInfo, "TCommonButton", cbYes, cbNo, cbOK, cbCancel, cbAbort, cbRetry, cbIgnore, cbAll,
             cbNoToAll, cbYesToAll, cbHelp, cbClose)
VX_ENUM_INFO(DialogHitTestTypeInfo, "TVxDialogHitTest", htNone, htHeader, htHeaderImage, htInstruction,
             htInstructionImage, htContent, htMainIcon, htButtonBar, htExpandedSection, htFooter, htFooterImage)
VX_ENUM_INFO(MoreFormatTypeInfo, "TMoreFormat", mfText, mfRTF)
VX_ENUM_INFO(MoreSourceTypeInfo, "TMoreSource", msDefault, msStream, msFile)
VX_ENUM_INFO(ImageAlignmentTypeInfo, "TVxImageAlignment", vxImageAlignLeft, vxImageAlignRight)
VX_ENUM_INFO(IconSizeTypeInfo, "TVxIconSize", isSmall, isMedium, isLarge)
VX_ENUM_INFO(SheetLocationTypeInfo, "TVxSheetLocation", slActiveForm, slDesktop)
VX_ENUM_INFO(ProgressBarStateTypeInfo, "TProgressBarState", pbstNormal, pbstError, pbstPaused)
VX_ENUM_INFO(BiDiModeTypeInfo, "TBiDiMode", bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign,
             bdRightToLeftReadingOnly)
VX_ENUM_INFO(DefaultMonitorTypeInfo, "TDefaultMonitor", dmDesktop, dmPrimary, dmMainForm, dmActiveForm)
VX_ENUM_INFO(FormBorderStyleTypeInfo, "TFormBorderStyle", bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow,
             bsSizeToolWin)
VX_ENUM_INFO(HelpTypeTypeInfo, "THelpType", htKeyword, htContext)
VX_ENUM_INFO(ScrollStyleTypeInfo, "TScrollStyle", ssNone, ssHorizontal, ssVertical, ssBoth)
VX_ENUM_INFO(GradientDirectionTypeInfo, "TGradientDirection", gdHorizontal, gdVertical)
