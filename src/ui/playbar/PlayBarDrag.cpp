// Pressing and dragging on the two sliders: seeking and the volume.
#include "PlayBar.h"

#include "playback/PlayLogic.h"
#include "res/resource.h"
#include "shell/AppContext.h"
#include "ui/playbar/logic/BarGeometry.h"

namespace {

std::optional<playbar::Rect> frameOf(const PlayBar& bar, int id)
{
    RECT r;
    if (!bar.controlRect(id, r))
        return std::nullopt;
    return playbar::Rect{r.left, r.top, r.right, r.bottom};
}

} // namespace

void PlayBar::beginDrag(LPARAM lParam)
{
    const auto word = static_cast<std::uint32_t>(lParam);
    const playbar::Point p = {playbar::signedWord(word), playbar::signedWord(word >> 16)};
    // Only the frames count: a press on the time text or on a knob sticking out starts nothing.
    dragControl = playbar::dragTargetAt(p, frameOf(*this, IDC_TIME_SLIDER), frameOf(*this, IDC_VOLUME_SLIDER));
    if (dragControl == 0)
        return;
    SetCapture(hWnd);
    if (GetCapture() == hWnd)
        dragTo(lParam);
}

void PlayBar::dragTo(LPARAM lParam)
{
    if (dragControl == 0)
        return;
    const int x = playbar::signedWord(static_cast<std::uint32_t>(lParam));
    const auto frame = frameOf(*this, dragControl);
    if (!frame)
        return;
    const bool time = dragControl == IDC_TIME_SLIDER;
    // No room for the knob to travel: there is no value under the cursor to apply.
    const auto ratio = playbar::dragRatio(x, *frame, time ? timeKnobWidth : volumeKnobWidth);
    if (!ratio)
        return;
    PlayLogic* logic = appContext().playLogic;
    if (time) {
        MediaPlayer* player = logic ? logic->player.load() : nullptr;
        if (player) {
            if (const auto target = playbar::seekTarget(*ratio, shownLength.load()))
                player->setTime(*target);
        }
        updateTime();
    } else if (logic) {
        // The play logic redraws the volume slider through updateVolume.
        logic->setVolume(playbar::volumeForRatio(*ratio));
    }
}

void PlayBar::endDrag()
{
    if (hWnd && GetCapture() == hWnd) {
        ReleaseCapture();
        dragControl = 0;
    }
}
