// The controls of the test engine DLL (FakeLibVlc.cpp, built as libvlc.dll). A test reaches
// them through the module the player itself loaded: GetModuleHandleW(L"libvlc.dll") and
// GetProcAddress, so that the test never loads the engine by another way than the player.
#pragma once

#include <windows.h>

#include <type_traits>

extern "C" {
// Forgets the call log, counters, failures and settings; objects made earlier stay valid.
typedef void (*fake_reset_fn)(void);
// The length the engine reports while a file is loaded into the input (playing, paused, ended).
typedef void (*fake_set_length_fn)(long long ms);
// The video track count reported while the input runs (libvlc counts "disabled" too: 2).
typedef void (*fake_set_video_tracks_fn)(int count);
// Makes the named entry point fail (return null / -1) while fail is non-zero.
typedef void (*fake_fail_fn)(const char* entry, int fail);
// Moves the clock of the current player; TimeChanged follows on the engine's thread.
typedef void (*fake_advance_fn)(long long ms);
// The current player reaches its end: state 6, EndReached on the engine's thread.
typedef void (*fake_end_fn)(void);
// Waits until every raised event has been delivered.
typedef void (*fake_drain_fn)(void);
// Every entry-point call so far, one line each ("name(args)"), in order.
typedef const char* (*fake_calls_fn)(void);
// How many times each kind of object was released, and how many are still referenced.
typedef void (*fake_release_counts_fn)(int* instances, int* players, int* media);
typedef void (*fake_live_counts_fn)(int* instances, int* players, int* media);
// Calls made on objects already released, releases past the last reference.
typedef int (*fake_misuse_fn)(void);
// The thread the engine delivers its events on.
typedef unsigned long (*fake_event_thread_id_fn)(void);
}

// The controls of a loaded fake engine; ok is false when the module is not the fake.
struct FakeEngine {
    bool ok = false;
    fake_reset_fn reset = nullptr;
    fake_set_length_fn setLength = nullptr;
    fake_set_video_tracks_fn setVideoTracks = nullptr;
    fake_fail_fn fail = nullptr;
    fake_advance_fn advance = nullptr;
    fake_end_fn end = nullptr;
    fake_drain_fn drain = nullptr;
    fake_calls_fn calls = nullptr;
    fake_release_counts_fn releaseCounts = nullptr;
    fake_live_counts_fn liveCounts = nullptr;
    fake_misuse_fn misuse = nullptr;
    fake_event_thread_id_fn eventThreadId = nullptr;

    explicit FakeEngine(HMODULE module)
    {
        if (!module)
            return;
        auto get = [&](auto& slot, const char* name) {
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(
                reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
            return slot != nullptr;
        };
        ok = get(reset, "fake_reset") & get(setLength, "fake_set_length") &
             get(setVideoTracks, "fake_set_video_tracks") & get(fail, "fake_fail") & get(advance, "fake_advance") &
             get(end, "fake_end") & get(drain, "fake_drain") & get(calls, "fake_calls") &
             get(releaseCounts, "fake_release_counts") & get(liveCounts, "fake_live_counts") &
             get(misuse, "fake_misuse") & get(eventThreadId, "fake_event_thread_id");
    }
};
