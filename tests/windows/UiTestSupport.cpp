#include "UiTestSupport.h"

#include <objidl.h>
#include <gdiplus.h>

GdiplusSession::GdiplusSession()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
}

GdiplusSession::~GdiplusSession()
{
    if (token)
        Gdiplus::GdiplusShutdown(token);
}

void pumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
