#include "MainLayout.h"

namespace layout {

int reservedBarHeight(bool barVisible, bool fullScreen, int barHeight)
{
    return (barVisible || !fullScreen) ? barHeight : 0;
}

Size firstClientSize(int reserved) { return {kFirstVideoWidth, kFirstVideoHeight + reserved}; }

Size minimumClientSize(Size client, int reserved)
{
    Size wanted = client;
    if (client.width < kMinClientWidth)
        wanted.width = kMinClientWidth;
    if (client.height - reserved < kMinVideoHeight)
        wanted.height = reserved + kMinVideoHeight;
    return wanted;
}

Rect videoRect(Size client, int reserved)
{
    const int height = client.height - reserved;
    return {0, 0, client.width, height > 0 ? height : 0};
}

Rect barRect(Size client, int barHeight) { return {0, client.height - barHeight, client.width, barHeight}; }

} // namespace layout
