#include "PlayLogic.h"

#include "VlcPlayer.h"
#include "platform/Platform.h"

namespace {

// The play logic the engine's events are delivered to (events carry no user data).
std::atomic<PlayLogic*> activeLogic{nullptr};

struct KindRow {
    const wchar_t* extension;
    PlayerKind kind;
};
const KindRow kKindTable[] = {
    {L"swf", PlayerKind::Flash},
    {L"fla", PlayerKind::Flash},
};

std::wstring asciiLower(std::wstring text)
{
    for (auto& c : text)
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
    return text;
}

} // namespace

PlayLogic::PlayLogic(PlaybackView& view) : view(view) {}

PlayLogic::~PlayLogic()
{
    destroyMediaPlayer();
    PlayLogic* self = this;
    activeLogic.compare_exchange_strong(self, nullptr);
}

void PlayLogic::setActive(PlayLogic* logic) { activeLogic.store(logic); }

PlayLogic* PlayLogic::active() { return activeLogic.load(); }

PlayerKind PlayLogic::fileKind(const std::wstring& path)
{
    const auto dot = path.rfind(L'.');
    if (dot == std::wstring::npos)
        return PlayerKind::Vlc;
    const std::wstring extension = asciiLower(path.substr(dot + 1));
    if (extension.empty())
        return PlayerKind::Vlc;
    for (const auto& row : kKindTable)
        if (extension == row.extension)
            return row.kind;
    return PlayerKind::Vlc;
}

MediaPlayer* PlayLogic::makePlayer(PlayerKind kind)
{
    if (kind == PlayerKind::Vlc)
        return new VlcPlayer();
    return nullptr;
}

bool PlayLogic::createMediaPlayer(PlayerKind kind)
{
    if (kind == playerKind && player.load())
        return true;
    destroyMediaPlayer();
    player.store(makePlayer(kind));
    MediaPlayer* p = player.load();
    if (p) {
        if (!p->init(view.mainWindow())) {
            destroyMediaPlayer();
            return false;
        }
        surfaceGiven = view.videoSurface();
        p->setWindow(surfaceGiven);
        if (kind == PlayerKind::Vlc) {
            if (auto* vlc = dynamic_cast<VlcPlayer*>(p)) {
                vlc->eventCallback = &PlayLogic::handleProc;
                if (vlc->eventManager)
                    vlc->attachEvents();
            }
        }
    }
    return player.load() != nullptr;
}

void PlayLogic::destroyMediaPlayer()
{
    MediaPlayer* p = player.load();
    if (!p)
        return;
    p->release();
    player.store(nullptr);
    delete p;
}

bool PlayLogic::open(const std::wstring& path)
{
    const PlayerKind kind = fileKind(path);
    // A file the user opens again deserves to hear again if the engine still fails on it.
    lastReportedFailure.clear();
    if (!openInPlayer(path, kind))
        return false;
    rememberFile(path);
    playerKind = kind;
    return true;
}

bool PlayLogic::openInPlayer(const std::wstring& path, PlayerKind kind)
{
    if (!view.openVideo(kind))
        return false;
    if (!createMediaPlayer(kind))
        return false;
    MediaPlayer* p = player.load();
    if (!p)
        return false;
    // A player kept from an earlier file must draw into the surface prepared for this one.
    if (surfaceGiven != view.videoSurface()) {
        surfaceGiven = view.videoSurface();
        p->setWindow(surfaceGiven);
    }
    return p->open(path.c_str());
}

void PlayLogic::rememberFile(const std::wstring& path)
{
    filePath = path;
    const auto sep = platform::lastSeparator(path);
    fileName = sep == std::wstring::npos ? path : path.substr(sep + 1);
}

void PlayLogic::play()
{
    while (!player.load()) {
        if (filePath.empty() || !open(filePath)) {
            stop();
            return;
        }
    }
    MediaPlayer* p = player.load();
    if (p->getState() == PlayerState::Playing)
        return;
    p->play();
    if (view.videoSurface())
        view.showVideo(p->hasVideo());
    applyVolume();
}

void PlayLogic::waitWhilePlaying()
{
    for (;;) {
        MediaPlayer* p = player.load();
        if (!p || !p->isPlaying())
            return;
        platform::sleepMs(kWaitPoll);
    }
}

void PlayLogic::pause()
{
    MediaPlayer* p = player.load();
    if (!p || !p->isPlaying())
        return;
    p->pause();
    waitWhilePlaying();
}

void PlayLogic::stop()
{
    if (MediaPlayer* p = player.load()) {
        p->stop();
        waitWhilePlaying();
    }
    view.resetAfterStop();
}

bool PlayLogic::seek(int direction)
{
    MediaPlayer* p = player.load();
    if (!p)
        return false;
    const int state = p->getState();
    if (state != PlayerState::Playing && state != PlayerState::Paused)
        return false;
    const std::int64_t t = p->getTime();
    if (t == 0)
        return false;
    const std::int64_t len = p->getLength();
    std::int64_t target;
    if (direction >= 0) {
        // Without a known length there is no end to clamp to: stay where we are.
        if (len <= 0)
            return false;
        target = t + kSeekStep;
        if (target >= len)
            target = len;
    } else {
        target = t > kSeekStep ? t - kSeekStep : 0;
    }
    p->setTime(target);
    return true;
}

void PlayLogic::setVolume(int value)
{
    if (value < kVolumeMin)
        value = kVolumeMin;
    if (value > kVolumeMax)
        value = kVolumeMax;
    volume.store(value);
    muted.store(false);
    if (MediaPlayer* p = player.load()) {
        const int state = p->getState();
        if (state == PlayerState::Playing || state == PlayerState::Paused)
            applyVolume();
    }
    view.updateVolume();
}

void PlayLogic::stepVolume(int direction)
{
    if (muted.load())
        volume.store(0);
    setVolume(direction > 0 ? volume.load() + kVolumeStep : volume.load() - kVolumeStep);
}

void PlayLogic::toggleMute()
{
    muted.store(!muted.load());
    if (MediaPlayer* p = player.load()) {
        const int state = p->getState();
        if (state == PlayerState::Playing || state == PlayerState::Paused)
            applyVolume();
    }
    view.updateVolume();
}

void PlayLogic::applyVolume()
{
    MediaPlayer* p = player.load();
    if (!p)
        return;
    const bool wantMuted = muted.load();
    const int wantVolume = volume.load();
    if (p->kind() == PlayerKind::Vlc) {
        if (p->isMuted() != wantMuted)
            p->toggleMute();
        if (wantMuted)
            return;
    } else if (wantMuted) {
        if (p->getVolume() != 0)
            p->setVolume(0);
        return;
    }
    if (p->getVolume() != wantVolume)
        p->setVolume(wantVolume);
}

bool PlayLogic::isPlaying() const
{
    MediaPlayer* p = player.load();
    return p && p->isPlaying();
}

bool PlayLogic::canStep() const { return playList.count() >= 2 && playList.currentIndex() >= 0; }

bool PlayLogic::hasFiles() const { return playList.count() > 0; }

void PlayLogic::stepPlaylist(int direction)
{
    if (!canStep())
        return;
    if (MediaPlayer* p = player.load())
        if (p->getState() == PlayerState::Playing && p->getTime() == 0)
            return;
    stop();
    int i = playList.currentIndex() + direction;
    for (;;) {
        const int n = playList.count();
        if (n == 0)
            return;
        if (i < 0)
            i = n - 1;
        if (i >= n)
            i = 0;
        const std::wstring path = playList.pathAt(i);
        const PlayerKind kind = fileKind(path);
        if (openInPlayer(path, kind)) {
            rememberFile(path);
            playerKind = kind;
            playList.setCurrent(i);
            play();
            return;
        }
        playList.remove(i);
        if (direction < 0)
            --i;
    }
}

void PlayLogic::timerProc()
{
    MediaPlayer* p = player.load();
    if (!p)
        return;
    const int state = p->getState();
    if (state == PlayerState::Playing) {
        applyVolume();
        return;
    }
    if (state == PlayerState::Ended) {
        platform::debugOutput(L"Playlogic: timerProc: Ended\n");
        stop();
        if (canStep() && playList.currentIndex() < playList.count() - 1)
            stepPlaylist(+1);
        return;
    }
    if (state == PlayerState::Error) {
        // The engine could not play this file: skip it like an ended one, then tell the user
        // once. The message is shown later by the view, not from inside this tick.
        const std::wstring failed = filePath;
        stop();
        if (canStep() && playList.currentIndex() < playList.count() - 1)
            stepPlaylist(+1);
        if (failed != lastReportedFailure) {
            lastReportedFailure = failed;
            view.reportUnplayable(failed);
        }
    }
}

void PlayLogic::updateVideoVisibility()
{
    MediaPlayer* p = player.load();
    if (p && view.isVideoSurfaceHidden())
        view.showVideo(p->hasVideo());
}

void PlayLogic::handleProc(const libvlc_event_t* event, void* /*userData*/)
{
    PlayLogic* logic = activeLogic.load();
    if (!logic || !event)
        return;
    switch (event->type) {
    case libvlc_MediaPlayerPlaying:
        platform::debugOutput(L"handleProc: libvlc_MediaPlayerPlaying\n");
        break;
    case libvlc_MediaPlayerPaused:
        platform::debugOutput(L"handleProc: libvlc_MediaPlayerPaused\n");
        break;
    case libvlc_MediaPlayerStopped:
        platform::debugOutput(L"handleProc: libvlc_MediaPlayerStopped\n");
        break;
    case libvlc_MediaPlayerTimeChanged:
        break;
    default:
        return;     // the end of a file is noticed by the timer
    }
    logic->view.deliverEvent(event->type);
}

void PlayLogic::applyEvent(int type)
{
    switch (type) {
    case libvlc_MediaPlayerPlaying:
        updateVideoVisibility();
        applyVolume();
        view.updateButtons();
        break;
    case libvlc_MediaPlayerPaused:
    case libvlc_MediaPlayerStopped:
        view.updateButtons();
        break;
    case libvlc_MediaPlayerTimeChanged:
        updateVideoVisibility();
        view.updateTime();
        break;
    default:
        break;
    }
}
