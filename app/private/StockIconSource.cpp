#include "StockIconSource.h"

#if __has_include("StockIcons.h")
#include "StockIcons.h"
#define QUILLFEN_HAVE_STOCK_ICONS 1
#endif

QPixmap StockIconPixmap(int ResourceId, int Size)
{
    if (ResourceId == 0)
        return {};
#ifdef QUILLFEN_HAVE_STOCK_ICONS
    return QPixmap::fromImage(LoadStockIcon(ResourceId, Size));
#else
    Q_UNUSED(Size);
    return {};
#endif
}
