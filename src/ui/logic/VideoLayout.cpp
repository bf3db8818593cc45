#include "VideoLayout.h"

#include <algorithm>

namespace ui {

namespace {

// Floor division by 2, also for negative values.
int half(int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

} // namespace

Point linkPosition(int clientWidth, Size link) { return {clientWidth - link.width - kLinkMargin, kLinkMargin}; }

Rect surfaceRect(Size client, int linkHeight)
{
    const int top = linkHeight + kSurfaceGap;
    const int height = std::max(0, client.height - linkHeight - kLinkMargin);
    return {0, top, std::max(0, client.width), top + height};
}

Rect logoRect(Size client, Size logo)
{
    if (client.isEmpty() || logo.isEmpty())
        return {};
    Size drawn = logo;
    if (logo.width > client.width || logo.height > client.height) {
        // Largest size of the logo's proportions inside the area, in exact integer steps.
        const long long byWidth = static_cast<long long>(client.width) * logo.height;
        const long long byHeight = static_cast<long long>(client.height) * logo.width;
        if (byWidth <= byHeight) {
            drawn.width = client.width;
            drawn.height = static_cast<int>(byWidth / logo.width);
        } else {
            drawn.height = client.height;
            drawn.width = static_cast<int>(byHeight / logo.height);
        }
        if (drawn.isEmpty())
            return {};
    }
    const Point at{half(client.width - drawn.width), half(client.height - drawn.height)};
    return Rect::fromPointSize(at, drawn);
}

} // namespace ui
