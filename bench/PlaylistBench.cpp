// Rebuilding the playlist of a large folder, side by side with the least work any playlist
// needs: one listing of the folder and one open of each media candidate.
//
//   playlist_bench [files] [repetitions]      (defaults: 10000 files, 15 repetitions)
#include "platform/Platform.h"
#include "playback/PlayListData.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

std::wstring widePath(const fs::path& p) {
#ifdef _WIN32
    return p.wstring();
#else
    return platform::fromUtf8(p.string());
#endif
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <class Work>
double timeMs(Work work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool endsWithM2ts(const std::wstring& name) {
    static const std::wstring suffix = L".m2ts";
    return name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The least any playlist needs: list the folder once, open every media candidate once.
int baseline(const std::wstring& folder) {
    std::vector<platform::FolderEntry> listing;
    platform::listFolder(folder, listing);
    int readable = 0;
    for (const platform::FolderEntry& e : listing) {
        if (e.isDirectory || e.name.empty() || e.name[0] == L'.' || !endsWithM2ts(e.name))
            continue;
        if (platform::canOpenForReading(folder + e.name))
            ++readable;
    }
    return readable;
}

} // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10000;
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;

    std::error_code error;
    fs::path root = fs::temp_directory_path(error);
    if (error) {
        std::fprintf(stderr, "no temporary folder: %s\n", error.message().c_str());
        return 1;
    }
    root /= "vesperine-playlist-bench-" + std::to_string(
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count());
    if (!fs::create_directory(root, error)) {
        std::fprintf(stderr, "cannot create %s\n", root.string().c_str());
        return 1;
    }

    // Half media files, the rest what sits beside them in real folders; shuffled names so the
    // listing order is not already the sorted order.
    static const char* const others[] = {".txt", ".jpg", ".nfo", ".srt", ".mpls"};
    for (int i = 0; i < files; ++i) {
        const unsigned scrambled = static_cast<unsigned>(i) * 2654435761u;
        char name[64];
        std::snprintf(name, sizeof name, "clip-%08x-%05d%s", scrambled, i,
                      i % 2 == 0 ? ".m2ts" : others[(i / 2) % 5]);
        std::ofstream out(root / name, std::ios::binary);
        if (i % 4 == 0)
            out << "small";
    }
    const std::wstring folder = widePath(root) + platform::kPathSeparator;
    const std::wstring opened = folder + L"clip-00000000-00000.m2ts";

    std::vector<double> buildMs, baseMs;
    int built = 0, readable = 0;
    PlayListData list;
    // One untimed round of each warms the directory cache for both alike.
    built = list.build(opened);
    readable = baseline(folder);
    for (int r = 0; r < repetitions; ++r) {
        // Alternate which goes first so neither profits from the other's cache state.
        if (r % 2 == 0) {
            buildMs.push_back(timeMs([&] { built = list.build(opened); }));
            baseMs.push_back(timeMs([&] { readable = baseline(folder); }));
        } else {
            baseMs.push_back(timeMs([&] { readable = baseline(folder); }));
            buildMs.push_back(timeMs([&] { built = list.build(opened); }));
        }
    }

    fs::remove_all(root, error);

    const double b = median(buildMs);
    const double base = median(baseMs);
    std::printf("folder: %d files (%d .m2ts), %d repetitions\n", files, (files + 1) / 2, repetitions);
    std::printf("build:    median %8.3f ms  (%d entries, current %d)\n", b, built, list.currentIndex());
    std::printf("baseline: median %8.3f ms  (%d readable candidates)\n", base, readable);
    std::printf("ratio build/baseline: %.2f\n", base > 0 ? b / base : 0.0);
    return built == readable && built == (files + 1) / 2 ? 0 : 2;
}
