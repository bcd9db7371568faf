#pragma once
// Platform enumerations shared by the dialog model and the dialog controls.

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TGradientDirection { gdHorizontal, gdVertical };
