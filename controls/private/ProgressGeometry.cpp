#include "ProgressGeometry_p.h"

#include <algorithm>
#include <cmath>

int ProgressInset(bool Themed) { return Themed && ProgressPlatformMajorVersion <= 5 ? 3 : 1; }

TRect ProgressFillRect(int Width, int Height, int Max, int Position, int Inset)
{
    TRect R{Inset, Inset, Width - Inset, Height - Inset};
    if (Max > 0) {
        R.Left = Inset;
        // The unit is held in single precision and the product rounded with ties to even, so
        // Position 50 of 100 on a 145-pixel bar ends at 69 (50 x 1.38999998 = 69.4999993).
        const float unit = float(double(Width - 6) / double(Max));
        if (Position == 0) {
            R.Right = Inset;
        } else {
            const double right = std::nearbyint(double(Position) * double(unit));
            // Far beyond the bar (or far before it) the fill is simply clipped by the control.
            R.Right = int(std::clamp(right, -1.0e6, 1.0e6));
        }
    }
    return R;
}

TVxMarqueeStep MarqueeStep(const TRect& ClientRect, int ChunkWidth, int Offset, int X, TRect Rect,
                           const TRect* ContentRect)
{
    if (ContentRect)
        Rect = *ContentRect;
    if (X < ChunkWidth) {
        if (!ContentRect)
            Rect.Left = ClientRect.Left + Offset;
        Rect.Right = Rect.Left + X;
    } else {
        Rect.Left = X - ChunkWidth;
        Rect.Right = X;
    }
    Rect.Right = std::min(Rect.Right, ClientRect.Right - Offset);
    int next = X + 8;
    if (next > ClientRect.Right + ChunkWidth)
        next = ClientRect.Left + Offset;
    return {Rect, next};
}
