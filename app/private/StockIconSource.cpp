#include "StockIconSource.h"

#include "StockIcons.h"

QPixmap StockIconPixmap(int ResourceId, int Size)
{
    if (!IsStockIcon(ResourceId))
        return {};
    return QPixmap::fromImage(LoadStockIcon(ResourceId, Size));
}
