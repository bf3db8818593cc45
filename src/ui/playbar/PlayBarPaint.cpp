// Painting the bar: background, the two sliders and the time text, and the updates of time and
// volume. All drawing into the back buffers and onto the window happens under drawLock; no
// holder calls anything that takes it again (flushSliders takes it on its own, after).
#include "PlayBar.h"

#include "PlayBarGdiplus.h"

#include "playback/PlayLogic.h"
#include "res/resource.h"
#include "shell/AppContext.h"
#include "ui/playbar/logic/BarControls.h"
#include "ui/playbar/logic/BarGeometry.h"
#include "ui/playbar/logic/TimeText.h"

namespace {

MediaPlayer* currentPlayer()
{
    PlayLogic* logic = appContext().playLogic;
    return logic ? logic->player.load() : nullptr;
}

} // namespace

void PlayBar::paint(HDC dc)
{
    {
        DrawLockHold hold(*this);
        // The bar spans the main window's whole width; the paint DC clips to the bar.
        RECT r = {};
        if (!GetClientRect(appContext().hMainWnd, &r))
            GetClientRect(hWnd, &r);
        FillRect(dc, &r, hBackgroundBrush);
        if (r.right - r.left != 0)
            drawTiled(dc, backgroundImage, 0, 0, r.right - r.left);
    }
    if (composeBuffer.exists())
        flushSliders(dc);
}

void PlayBar::restoreBackground(int slider, HDC dc)
{
    RECT r;
    if (!controlRect(slider, r))
        return;
    // The whole column from the top of the bar: the time text band goes too.
    BitBlt(dc, r.left, 0, r.right - r.left, height(), backgroundBuffer.dc, r.left, 0, SRCCOPY);
}

void PlayBar::drawVolumeSlider(HDC dc)
{
    RECT r;
    Gdiplus::Image* bar = imageFor(IDC_VOLUME_SLIDER);
    if (!bar || !controlRect(IDC_VOLUME_SLIDER, r))
        return;
    restoreBackground(IDC_VOLUME_SLIDER, dc);
    Gdiplus::Graphics g(dc);
    playbar_gdi::prepare(g);
    const int barWidth = playbar_gdi::widthOf(bar);
    playbar_gdi::drawImage(g, bar, r.left, r.top, barWidth, playbar_gdi::heightOf(bar));
    if (volumeBallImage) {
        const int kh = playbar_gdi::heightOf(volumeBallImage);
        const int x = playbar::volumeKnobX(r.left, shownVolume.load(), barWidth, volumeKnobWidth);
        const int y = playbar::knobTop(r.top, r.bottom, kh);
        playbar_gdi::drawImage(g, volumeBallImage, x, y, volumeKnobWidth, kh);
    }
}

void PlayBar::drawTimeSlider(HDC dc)
{
    RECT r;
    Gdiplus::Image* track = imageFor(IDC_TIME_SLIDER);
    if (!track || !controlRect(IDC_TIME_SLIDER, r))
        return;
    restoreBackground(IDC_TIME_SLIDER, dc);
    const std::int64_t time = shownTime.load();
    const std::int64_t length = shownLength.load();
    const int tw = r.right - r.left;
    const int fill = playbar::timeFill(time, length, tw, timeKnobWidth);
    if (tw != 0)
        drawTiled(dc, track, r.left, r.top, tw);
    // The played part ends where the knob begins.
    if (fill != 0)
        drawTiled(dc, timeFillImage, r.left, r.top, fill);
    if (timeBallImage) {
        Gdiplus::Graphics g(dc);
        playbar_gdi::prepare(g);
        const int kh = playbar_gdi::heightOf(timeBallImage);
        playbar_gdi::drawImage(g, timeBallImage, r.left + fill, playbar::knobTop(r.top, r.bottom, kh),
            timeKnobWidth, kh);
    }

    MediaPlayer* player = currentPlayer();
    const int kind = player ? static_cast<int>(player->kind()) : 1;
    const std::wstring text = playbar::timeText(length, time, kind);
    RECT band = {r.left, 0, r.right, r.top};
    const HGDIOBJ oldFont = hTimeFont ? SelectObject(dc, hTimeFont) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(32, 32, 32));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &band, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
    if (oldFont)
        SelectObject(dc, oldFont);
}

std::wstring PlayBar::formatTime(std::int64_t value, int kind)
{
    return playbar::formatTime(value, kind);
}

void PlayBar::flushSliders(HDC dc)
{
    DrawLockHold hold(*this);
    if (!dc && !slidersDrawn.load())
        return;
    if (!composeBuffer.exists() || !hWnd)
        return;
    const HDC target = dc ? dc : GetDC(hWnd);
    if (!target)
        return;
    for (int id : playbar::sliderControls) {
        RECT r;
        if (!controlRect(id, r))
            continue;
        const int w = std::min<int>(composeBuffer.width, r.right - r.left);
        // A full-height column: the time text band goes with the time slider.
        BitBlt(target, r.left, 0, w, composeBuffer.height, composeBuffer.dc, r.left, 0, SRCCOPY);
    }
    if (!dc)
        ReleaseDC(hWnd, target);
}

void PlayBar::updateTime()
{
    if (onBarThread()) {
        refreshTime();
        return;
    }
    // The engine's thread: plain GDI only, no message to the bar's thread, and nothing once
    // the windows are going away.
    std::lock_guard<std::mutex> guard(foreignCalls);
    if (!windowsClosing)
        refreshTime();
}

void PlayBar::refreshTime()
{
    if (MediaPlayer* player = currentPlayer()) {
        const int state = player->getState();
        if (state == 3 || state == 4) {
            shownTime.store(player->getTime());
            shownLength.store(player->getLength());
        }
    }
    const std::int64_t length = shownLength.load();
    std::int64_t time = shownTime.load();
    if (time > length)
        time = length;
    if (time < 0)
        time = 0;
    shownTime.store(time);

    if (composeBuffer.exists()) {
        {
            DrawLockHold hold(*this);
            drawTimeSlider(composeBuffer.dc);
            slidersDrawn.store(true);
        }
        flushSliders(nullptr);
    }
    updateVolume();
}

void PlayBar::updateVolume()
{
    PlayLogic* logic = appContext().playLogic;
    if (!logic)
        return;
    const int v = logic->muted.load() ? 0 : logic->volume.load();
    if (shownVolume.exchange(v) == v)
        return;
    if (composeBuffer.exists()) {
        {
            DrawLockHold hold(*this);
            drawVolumeSlider(composeBuffer.dc);
            slidersDrawn.store(true);
        }
        flushSliders(nullptr);
    }
}
