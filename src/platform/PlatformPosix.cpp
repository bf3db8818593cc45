// Linux services of the portable core. wchar_t is UTF-32 here; file names on disk are UTF-8.
#include "platform/Platform.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::atomic<DebugOutputHook> debugHook{nullptr};

constexpr char32_t kReplacement = 0xFFFD;

bool hasNul(const std::wstring& text) {
    return text.find(L'\0') != std::wstring::npos;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::size_t lastSeparator(const std::wstring& path) {
    return path.rfind(kPathSeparator);
}

bool listFolder(const std::wstring& folder, std::vector<FolderEntry>& out) {
    out.clear();
    // A name cut short at an embedded NUL would list some other folder.
    if (folder.empty() || hasNul(folder))
        return false;
    const std::string folderUtf8 = toUtf8(folder);
    DIR* dir = opendir(folderUtf8.c_str());
    if (!dir)
        return false;
    std::string folderWithSlash = folderUtf8;
    if (folderWithSlash.back() != '/')
        folderWithSlash += '/';
    while (const dirent* item = readdir(dir)) {
        FolderEntry entry;
        entry.name = fromUtf8(item->d_name);
        if (item->d_type == DT_DIR) {
            entry.isDirectory = true;
        } else if (item->d_type == DT_LNK || item->d_type == DT_UNKNOWN) {
            // A link to a folder is a folder to the user; stat follows it. A dangling link or
            // a name that vanished meanwhile is simply not a folder.
            struct stat info;
            const std::string full = folderWithSlash + item->d_name;
            entry.isDirectory = stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        out.push_back(std::move(entry));
    }
    closedir(dir);
    return true;
}

bool canOpenForReading(const std::wstring& path) {
    if (path.empty() || hasNul(path))
        return false;
    // Non-blocking, so that a named pipe with a media-like name cannot stall the caller
    // waiting for a writer; only regular files count, as a folder cannot be opened as a
    // file on Windows either.
    const int fd = open(toUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    return regular;
}

std::uint32_t tickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                             static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

void sleepMs(unsigned milliseconds) {
    timespec wait{};
    wait.tv_sec = static_cast<time_t>(milliseconds / 1000u);
    wait.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
    timespec rest{};
    // A signal must not cut the wait short.
    while (nanosleep(&wait, &rest) != 0 && errno == EINTR)
        wait = rest;
}

void debugOutput(const wchar_t* text) {
    if (!text)
        return;
    if (const DebugOutputHook hook = debugHook.load())
        hook(text);
    if (std::getenv("VESPERINE_TRACE")) {
        const std::string utf8 = toUtf8(text);
        std::fwrite(utf8.data(), 1, utf8.size(), stderr);
        std::fflush(stderr);
    }
}

void setDebugOutputHook(DebugOutputHook hook) {
    debugHook.store(hook);
}

std::string toUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (const wchar_t unit : text) {
        char32_t c = static_cast<char32_t>(static_cast<std::uint32_t>(unit));
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = kReplacement;
        appendUtf8(out, c);
    }
    return out;
}

std::wstring fromUtf8(const std::string& text) {
    // Each maximal ill-formed subsequence becomes one U+FFFD, as Unicode recommends.
    std::wstring out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    while (i < n) {
        const unsigned char lead = byteAt(i);
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        int length = 0;
        char32_t c = 0;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
            if (lead == 0xE0)
                low = 0xA0; // overlong
            else if (lead == 0xED)
                high = 0x9F; // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
            if (lead == 0xF0)
                low = 0x90; // overlong
            else if (lead == 0xF4)
                high = 0x8F; // above U+10FFFF
        } else {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        std::size_t k = i + 1;
        bool complete = true;
        for (int j = 1; j < length; ++j, ++k) {
            const unsigned char lo = j == 1 ? low : 0x80;
            const unsigned char hi = j == 1 ? high : 0xBF;
            if (k >= n || byteAt(k) < lo || byteAt(k) > hi) {
                complete = false;
                break;
            }
            c = (c << 6) | (byteAt(k) & 0x3F);
        }
        out += static_cast<wchar_t>(complete ? c : kReplacement);
        i = k;
    }
    return out;
}

} // namespace platform
