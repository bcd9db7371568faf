#pragma once
/// Platform enumerations shared by the dialog model and the dialog controls. \file

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TGradientDirection { gdHorizontal, gdVertical };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

#include <QPoint>
#include <QRect>

/// A rectangle in the platform's terms: Right and Bottom lie just outside it, so Right - Left is
/// the width. Contains follows PtInRect: left and top inclusive, right and bottom exclusive.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int X, int Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
    constexpr bool operator==(const TRect&) const = default;
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect& R) { return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()}; }
};
