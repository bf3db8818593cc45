// What the play bar shows under Wine, read back from its window: pictures, played part, knobs
// and the time text. Saves playbar_wine_shot.bmp beside the test for a look.
#include "PlayBarWineFixture.h"

#include "res/resource.h"
#include "ui/playbar/logic/BarGeometry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ios>

namespace playbar_wine {
namespace {

TEST_F(PlayBarTest, VolumeSliderRedrawsOnlyWhenTheVolumeChanges)
{
    placeBar(480);
    ASSERT_FALSE(bar->slidersDrawn.load());
    bar->updateVolume();  // 100 shown, 100 set: nothing to draw
    EXPECT_FALSE(bar->slidersDrawn.load());

    logic->setVolume(50);
    EXPECT_EQ(50, bar->shownVolume.load());
    EXPECT_TRUE(bar->slidersDrawn.load());
    logic->toggleMute();
    EXPECT_EQ(0, bar->shownVolume.load());
    logic->toggleMute();
    EXPECT_EQ(50, bar->shownVolume.load());

    // On screen the knob moves with the volume: its centre is at r.left + 26 + 8 for 50 and
    // at r.left + 8 when muted.
    const RECT v = rectOf(IDC_VOLUME_SLIDER);
    const int y = (v.top + v.bottom) / 2;
    auto shown = [&](int x) {
        pump();
        HDC dc = GetDC(bar->hWnd);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(bar->hWnd, dc);
        return c;
    };
    const COLORREF at50Unmuted = shown(v.left + 34);
    const COLORREF at8Unmuted = shown(v.left + 8);
    logic->toggleMute();
    EXPECT_NE(at50Unmuted, shown(v.left + 34));
    EXPECT_NE(at8Unmuted, shown(v.left + 8));
    logic->toggleMute();
    EXPECT_EQ(at50Unmuted, shown(v.left + 34));
}

struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> data;  // top-down, 0x00RRGGBB

    DWORD at(int x, int y) const { return data[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
    static int r(DWORD c) { return (c >> 16) & 0xFF; }
    static int g(DWORD c) { return (c >> 8) & 0xFF; }
    static int b(DWORD c) { return c & 0xFF; }
    static int distance(DWORD a, DWORD c)
    {
        return std::abs(r(a) - r(c)) + std::abs(g(a) - g(c)) + std::abs(b(a) - b(c));
    }
};

// What the bar window shows, read back from its own device context.
Pixels capture(HWND hWnd)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    Pixels p;
    p.width = rc.right;
    p.height = rc.bottom;
    p.data.resize(static_cast<size_t>(p.width) * p.height);
    HDC windowDc = GetDC(hWnd);
    HDC memory = CreateCompatibleDC(windowDc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, p.width, p.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    std::memcpy(p.data.data(), bits, p.data.size() * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hWnd, windowDc);
    return p;
}

// Saved beside the test for a look (24-bit BMP).
void saveBmp(const Pixels& p, const char* path)
{
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return;
    const int row = (p.width * 3 + 3) & ~3;
    const DWORD size = 54 + row * p.height;
    unsigned char header[54] = {'B', 'M'};
    auto put32 = [&](int at, DWORD v) { std::memcpy(header + at, &v, 4); };
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, p.width);
    put32(22, p.height);
    header[26] = 1;
    header[28] = 24;
    std::fwrite(header, 1, 54, f);
    std::vector<unsigned char> line(row);
    for (int y = p.height - 1; y >= 0; --y) {
        for (int x = 0; x < p.width; ++x) {
            const DWORD c = p.at(x, y);
            line[x * 3] = Pixels::b(c);
            line[x * 3 + 1] = Pixels::g(c);
            line[x * 3 + 2] = Pixels::r(c);
        }
        std::fwrite(line.data(), 1, row, f);
    }
    std::fclose(f);
}

TEST_F(PlayBarTest, ScreenshotShowsPicturesPlayedPartKnobAndTimeText)
{
    placeBar(800);
    player.state = PlayerState::Playing;
    player.length = 3725000;
    player.time = 3725000 / 2;
    bar->updateButtons();
    bar->updateTime();
    InvalidateRect(bar->hWnd, nullptr, FALSE);
    UpdateWindow(bar->hWnd);
    pump();
    Sleep(200);
    pump();
    const Pixels shot = capture(bar->hWnd);
    saveBmp(shot, "playbar_wine_shot.bmp");
    ASSERT_EQ(800, shot.width);
    ASSERT_EQ(kBarHeight, shot.height);

    // The background picture: the same colour along a row between the controls... and not the
    // fallback brush.
    const RECT t = rectOf(IDC_TIME_SLIDER);
    const DWORD background = shot.at(t.left + 2, 1);
    EXPECT_NE(RGB(28, 28, 28) & 0xFFFFFF, background);
    EXPECT_EQ(background, shot.at(t.left + 40, 1));

    // A button shows its picture: its middle differs from the bare background there.
    const RECT stop = rectOf(IDC_STOP);
    int differing = 0;
    for (int x = stop.left; x < stop.right; ++x)
        differing += Pixels::distance(shot.at(x, (stop.top + stop.bottom) / 2), shot.at(x, 1)) > 30;
    EXPECT_GT(differing, 5);

    // The played part (left of the knob) looks different from the track (right of it).
    const int fill = playbar::timeFill(bar->shownTime, bar->shownLength, t.right - t.left, bar->timeKnobWidth);
    const int midY = (t.top + t.bottom) / 2;
    const DWORD played = shot.at(t.left + fill / 2, midY);
    const DWORD track = shot.at(t.left + fill + bar->timeKnobWidth + 20, midY);
    EXPECT_GT(Pixels::distance(played, track), 60) << std::hex << played << " " << track;

    // The time text is dark ink in the band above the right end of the track (the background
    // is the same along each row), and none over the left part, where the text does not reach.
    int ink = 0;
    int stray = 0;
    for (int y = 0; y < t.top; ++y) {
        const DWORD row = shot.at(t.left, y);
        for (int x = t.right - 120; x < t.right; ++x)
            ink += Pixels::distance(shot.at(x, y), row) > 80;
        for (int x = t.left; x < t.left + 60; ++x)
            stray += Pixels::distance(shot.at(x, y), row) > 80;
    }
    EXPECT_GT(ink, 40);
    EXPECT_EQ(0, stray);

    // The track runs without a gap to its right end, the squeezed last tile included.
    const DWORD trackColour = shot.at(t.right - 30, t.top + 5);
    for (int x = t.right - 30; x < t.right; ++x)
        EXPECT_LT(Pixels::distance(shot.at(x, t.top + 5), trackColour), 30) << x;
}

} // namespace
} // namespace playbar_wine
