// A test engine with the libvlc entry points the player uses, built as libvlc.dll. It plays
// no file: it simulates one clip whose length, clock, end and failures the test drives through
// the fake_* exports (FakeLibVlc.h).
//
// Like libvlc 3:
// - states use libvlc's numbering; play enters Opening (1) at once and Playing (3) on the
//   engine's thread, together with the Playing event; pause toggles between Playing and
//   Paused (4) the same way;
// - events are delivered on a thread of the engine's own, never on the caller's, with one
//   exception: stop waits until every event raised before it has been delivered, sets
//   Stopped (5) and raises the Stopped event on the calling thread before it returns;
// - without a running input (nothing opened and played, or stopped) the length is -1 and the
//   video track count -1; set_media replaces a running input silently (state 0).
// Objects are never freed, so a call on a released object or an extra release is counted
// (fake_misuse) instead of crashing the test.
#include <vlc/vlc.h>

#include <windows.h>

#include <cstdio>
#include <deque>
#include <set>
#include <string>
#include <vector>

struct libvlc_instance_t {
    int refs = 1;
    int id = 0;
};

struct libvlc_media_t {
    int refs = 1;
    int id = 0;
    std::string path;
};

struct Handler {
    libvlc_event_type_t type;
    libvlc_callback_t callback;
    void* data;
};

struct libvlc_event_manager_t {
    libvlc_media_player_t* owner = nullptr;
    std::vector<Handler> handlers;
};

struct libvlc_media_player_t {
    int refs = 1;
    int id = 0;
    libvlc_instance_t* instance = nullptr;
    libvlc_media_t* media = nullptr;
    libvlc_event_manager_t events;
    int state = libvlc_NothingSpecial;
    libvlc_time_t time = 0;
    int volume = 100;
    int mute = 0;
};

namespace {

struct Pending {
    libvlc_media_player_t* player;
    libvlc_event_type_t type;
    int newState; // applied just before delivery; -1 keeps the state
};

struct Fake {
    CRITICAL_SECTION lock;
    CONDITION_VARIABLE wake;
    CONDITION_VARIABLE idle;
    HANDLE thread = nullptr;
    DWORD threadId = 0;
    std::deque<Pending> queue;
    bool delivering = false;

    std::string log;
    std::string logCopy; // what fake_calls hands out
    std::set<std::string> failing;
    libvlc_time_t length = 0;
    int videoTracks = 2;
    int releasedInstances = 0, releasedPlayers = 0, releasedMedia = 0;
    int misuse = 0;
    int nextId = 1;
    // Every object ever made; never freed (see above).
    std::vector<libvlc_instance_t*> instances;
    std::vector<libvlc_media_player_t*> players;
    std::vector<libvlc_media_t*> media;
    libvlc_media_player_t* current = nullptr;

    Fake()
    {
        InitializeCriticalSection(&lock);
        InitializeConditionVariable(&wake);
        InitializeConditionVariable(&idle);
    }
};

Fake& fake()
{
    static Fake* f = new Fake; // lives as long as the process: the engine thread may outlive statics
    return *f;
}

struct Hold {
    Hold() { EnterCriticalSection(&fake().lock); }
    ~Hold() { LeaveCriticalSection(&fake().lock); }
};

// Callers hold the lock.
void logCall(const std::string& line)
{
    fake().log += line;
    fake().log += '\n';
}

bool failing(const char* entry) { return fake().failing.count(entry) != 0; }

bool usable(libvlc_media_player_t* p)
{
    if (p && p->refs > 0)
        return true;
    ++fake().misuse;
    return false;
}

bool inputRuns(const libvlc_media_player_t* p)
{
    return p->media && p->state != libvlc_NothingSpecial && p->state != libvlc_Stopped &&
           p->state != libvlc_Error;
}

std::string number(long long v) { return std::to_string(v); }

DWORD WINAPI deliverEvents(void*)
{
    Fake& f = fake();
    for (;;) {
        EnterCriticalSection(&f.lock);
        while (f.queue.empty())
            SleepConditionVariableCS(&f.wake, &f.lock, INFINITE);
        const Pending p = f.queue.front();
        f.queue.pop_front();
        f.delivering = true;
        if (p.newState >= 0)
            p.player->state = p.newState;
        libvlc_event_t event = {};
        event.type = p.type;
        event.p_obj = p.player;
        if (p.type == libvlc_MediaPlayerTimeChanged)
            event.u.media_player_time_changed.new_time = p.player->time;
        std::vector<Handler> handlers;
        for (const Handler& h : p.player->events.handlers)
            if (h.type == p.type)
                handlers.push_back(h);
        LeaveCriticalSection(&f.lock);

        for (const Handler& h : handlers)
            h.callback(&event, h.data);

        EnterCriticalSection(&f.lock);
        f.delivering = false;
        if (f.queue.empty())
            WakeAllConditionVariable(&f.idle);
        LeaveCriticalSection(&f.lock);
    }
}

// Callers hold the lock.
void raise(libvlc_media_player_t* p, libvlc_event_type_t type, int newState = -1)
{
    Fake& f = fake();
    if (!f.thread) {
        f.thread = CreateThread(nullptr, 0, deliverEvents, nullptr, 0, &f.threadId);
        if (!f.thread)
            return;
    }
    f.queue.push_back({p, type, newState});
    WakeConditionVariable(&f.wake);
}

// Callers hold the lock. The engine's own thread must not wait for itself.
void drainLocked()
{
    Fake& f = fake();
    if (GetCurrentThreadId() == f.threadId)
        return;
    while (!f.queue.empty() || f.delivering)
        SleepConditionVariableCS(&f.idle, &f.lock, INFINITE);
}

void releaseMedia(libvlc_media_t* m)
{
    if (m->refs <= 0)
        ++fake().misuse;
    else
        --m->refs;
}

void releaseInstance(libvlc_instance_t* i)
{
    if (i->refs <= 0)
        ++fake().misuse;
    else
        --i->refs;
}

} // namespace

extern "C" {

// --- libvlc ------------------------------------------------------------------------------

libvlc_instance_t* libvlc_new(int argc, const char* const* argv)
{
    Hold hold;
    std::string line = "libvlc_new(" + number(argc);
    for (int i = 0; i < argc && argv; ++i)
        line += std::string(",") + (argv[i] ? argv[i] : "(null)");
    logCall(line + ")");
    if (failing("libvlc_new"))
        return nullptr;
    auto* i = new libvlc_instance_t;
    i->id = fake().nextId++;
    fake().instances.push_back(i);
    return i;
}

void libvlc_release(libvlc_instance_t* instance)
{
    Hold hold;
    logCall("libvlc_release(" + number(instance ? instance->id : 0) + ")");
    ++fake().releasedInstances;
    if (!instance)
        ++fake().misuse;
    else
        releaseInstance(instance);
}

libvlc_media_t* libvlc_media_new_path(libvlc_instance_t* instance, const char* path)
{
    Hold hold;
    logCall(std::string("libvlc_media_new_path(") + (path ? path : "(null)") + ")");
    if (!instance || instance->refs <= 0 || !path) {
        ++fake().misuse;
        return nullptr;
    }
    if (failing("libvlc_media_new_path"))
        return nullptr;
    auto* m = new libvlc_media_t;
    m->id = fake().nextId++;
    m->path = path;
    fake().media.push_back(m);
    return m;
}

void libvlc_media_release(libvlc_media_t* media)
{
    Hold hold;
    logCall("libvlc_media_release(" + number(media ? media->id : 0) + ")");
    ++fake().releasedMedia;
    if (!media)
        ++fake().misuse;
    else
        releaseMedia(media);
}

libvlc_media_player_t* libvlc_media_player_new(libvlc_instance_t* instance)
{
    Hold hold;
    logCall("libvlc_media_player_new(" + number(instance ? instance->id : 0) + ")");
    if (!instance || instance->refs <= 0) {
        ++fake().misuse;
        return nullptr;
    }
    if (failing("libvlc_media_player_new"))
        return nullptr;
    auto* p = new libvlc_media_player_t;
    p->id = fake().nextId++;
    p->instance = instance;
    ++instance->refs;
    p->events.owner = p;
    fake().players.push_back(p);
    fake().current = p;
    return p;
}

void libvlc_media_player_release(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_media_player_release(" + number(p ? p->id : 0) + ")");
    ++fake().releasedPlayers;
    if (!usable(p))
        return;
    if (--p->refs > 0)
        return;
    // The last reference stops the input; what was raised before is delivered first.
    drainLocked();
    p->state = libvlc_NothingSpecial;
    p->events.handlers.clear();
    if (p->media)
        releaseMedia(p->media);
    p->media = nullptr;
    releaseInstance(p->instance);
    if (fake().current == p)
        fake().current = nullptr;
}

void libvlc_media_player_set_media(libvlc_media_player_t* p, libvlc_media_t* media)
{
    Hold hold;
    logCall("libvlc_media_player_set_media(" + number(media ? media->id : 0) + ")");
    if (!usable(p))
        return;
    if (media && media->refs <= 0) {
        ++fake().misuse;
        return;
    }
    drainLocked();
    if (media)
        ++media->refs;
    if (p->media)
        releaseMedia(p->media);
    p->media = media;
    p->state = libvlc_NothingSpecial;
    p->time = 0;
}

libvlc_event_manager_t* libvlc_media_player_event_manager(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_media_player_event_manager");
    if (!usable(p) || failing("libvlc_media_player_event_manager"))
        return nullptr;
    return &p->events;
}

int libvlc_event_attach(libvlc_event_manager_t* manager, libvlc_event_type_t type, libvlc_callback_t callback,
                        void* data)
{
    Hold hold;
    logCall("libvlc_event_attach(" + number(type) + (data ? ",data" : ",null") + ")");
    if (!manager || !callback || !usable(manager->owner))
        return -1;
    manager->handlers.push_back({type, callback, data});
    return 0;
}

void libvlc_video_set_key_input(libvlc_media_player_t* p, unsigned on)
{
    Hold hold;
    logCall("libvlc_video_set_key_input(" + number(on) + ")");
    usable(p);
}

void libvlc_video_set_mouse_input(libvlc_media_player_t* p, unsigned on)
{
    Hold hold;
    logCall("libvlc_video_set_mouse_input(" + number(on) + ")");
    usable(p);
}

int libvlc_media_player_play(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_media_player_play");
    if (!usable(p) || !p->media)
        return -1;
    if (p->state == libvlc_Paused) {
        raise(p, libvlc_MediaPlayerPlaying, libvlc_Playing);
        return 0;
    }
    if (p->state == libvlc_Playing || p->state == libvlc_Opening)
        return 0;
    p->state = libvlc_Opening;
    p->time = 0;
    raise(p, libvlc_MediaPlayerPlaying, libvlc_Playing);
    return 0;
}

void libvlc_media_player_pause(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_media_player_pause");
    if (!usable(p))
        return;
    if (p->state == libvlc_Playing)
        raise(p, libvlc_MediaPlayerPaused, libvlc_Paused);
    else if (p->state == libvlc_Paused)
        raise(p, libvlc_MediaPlayerPlaying, libvlc_Playing);
}

void libvlc_media_player_stop(libvlc_media_player_t* p)
{
    std::vector<Handler> handlers;
    libvlc_event_t event = {};
    {
        Hold hold;
        logCall("libvlc_media_player_stop");
        if (!usable(p))
            return;
        drainLocked();
        p->state = libvlc_Stopped;
        p->time = 0;
        event.type = libvlc_MediaPlayerStopped;
        event.p_obj = p;
        for (const Handler& h : p->events.handlers)
            if (h.type == libvlc_MediaPlayerStopped)
                handlers.push_back(h);
    }
    for (const Handler& h : handlers)
        h.callback(&event, h.data);
}

int libvlc_media_player_is_playing(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_media_player_is_playing");
    return usable(p) && p->state == libvlc_Playing ? 1 : 0;
}

libvlc_state_t libvlc_media_player_get_state(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_media_player_get_state");
    return usable(p) ? libvlc_state_t(p->state) : libvlc_NothingSpecial;
}

libvlc_time_t libvlc_media_player_get_time(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_media_player_get_time");
    return usable(p) && inputRuns(p) ? p->time : -1;
}

void libvlc_media_player_set_time(libvlc_media_player_t* p, libvlc_time_t time)
{
    Hold hold;
    logCall("libvlc_media_player_set_time(" + number(time) + ")");
    if (usable(p) && inputRuns(p))
        p->time = time;
}

libvlc_time_t libvlc_media_player_get_length(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_media_player_get_length");
    return usable(p) && inputRuns(p) ? fake().length : -1;
}

int libvlc_audio_get_volume(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_audio_get_volume");
    return usable(p) && !failing("libvlc_audio_get_volume") ? p->volume : -1;
}

int libvlc_audio_set_volume(libvlc_media_player_t* p, int volume)
{
    Hold hold;
    logCall("libvlc_audio_set_volume(" + number(volume) + ")");
    if (!usable(p) || failing("libvlc_audio_set_volume") || volume < 0 || volume > 200)
        return -1;
    p->volume = volume;
    return 0;
}

int libvlc_audio_get_mute(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_audio_get_mute");
    return usable(p) ? p->mute : -1;
}

void libvlc_audio_set_mute(libvlc_media_player_t* p, int status)
{
    Hold hold;
    logCall("libvlc_audio_set_mute(" + number(status) + ")");
    if (usable(p))
        p->mute = status != 0;
}

int libvlc_video_get_track_count(libvlc_media_player_t* p)
{
    Hold hold;
    logCall("libvlc_video_get_track_count");
    return usable(p) && inputRuns(p) ? fake().videoTracks : -1;
}

void libvlc_media_player_set_hwnd(libvlc_media_player_t* p, void* drawable)
{
    Hold hold;
    char text[32];
    std::snprintf(text, sizeof text, "%p", drawable);
    logCall(std::string("libvlc_media_player_set_hwnd(") + text + ")");
    usable(p);
}

// --- controls for the tests ----------------------------------------------------------------

void fake_reset(void)
{
    Hold hold;
    drainLocked();
    Fake& f = fake();
    f.log.clear();
    f.failing.clear();
    f.length = 0;
    f.videoTracks = 2;
    f.releasedInstances = f.releasedPlayers = f.releasedMedia = 0;
    f.misuse = 0;
    // Objects of earlier tests stay valid but no longer count.
    f.instances.clear();
    f.players.clear();
    f.media.clear();
    f.current = nullptr;
    f.nextId = 1;
}

void fake_set_length(long long ms)
{
    Hold hold;
    fake().length = ms;
}

void fake_set_video_tracks(int count)
{
    Hold hold;
    fake().videoTracks = count;
}

void fake_fail(const char* entry, int fail)
{
    Hold hold;
    if (fail)
        fake().failing.insert(entry);
    else
        fake().failing.erase(entry);
}

void fake_advance(long long ms)
{
    Hold hold;
    libvlc_media_player_t* p = fake().current;
    if (!p || p->state != libvlc_Playing)
        return;
    p->time += ms;
    raise(p, libvlc_MediaPlayerTimeChanged);
}

void fake_end(void)
{
    Hold hold;
    libvlc_media_player_t* p = fake().current;
    if (!p || !inputRuns(p))
        return;
    raise(p, libvlc_MediaPlayerEndReached, libvlc_Ended);
}

void fake_drain(void)
{
    Hold hold;
    drainLocked();
}

const char* fake_calls(void)
{
    Hold hold;
    fake().logCopy = fake().log;
    return fake().logCopy.c_str();
}

void fake_release_counts(int* instances, int* players, int* media)
{
    Hold hold;
    *instances = fake().releasedInstances;
    *players = fake().releasedPlayers;
    *media = fake().releasedMedia;
}

void fake_live_counts(int* instances, int* players, int* media)
{
    Hold hold;
    Fake& f = fake();
    *instances = *players = *media = 0;
    for (auto* i : f.instances)
        *instances += i->refs > 0;
    for (auto* p : f.players)
        *players += p->refs > 0;
    for (auto* m : f.media)
        *media += m->refs > 0;
}

int fake_misuse(void)
{
    Hold hold;
    return fake().misuse;
}

unsigned long fake_event_thread_id(void)
{
    Hold hold;
    return fake().threadId;
}

} // extern "C"
