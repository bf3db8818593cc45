#include "WindowTitle.h"

namespace {
constexpr int kStatePlaying = 3;
constexpr int kStatePaused = 4;
} // namespace

std::wstring windowTitle(const std::wstring& displayName, int playerState, const std::wstring& fileName)
{
    std::wstring title = displayName;
    if ((playerState == kStatePlaying || playerState == kStatePaused) && !fileName.empty())
        title += L" - " + fileName;
    if (title.size() > kMaxTitleLength) {
        title.resize(kMaxTitleLength);
        // Never leave half of a UTF-16 surrogate pair at the cut.
        const wchar_t last = title.back();
        if (last >= 0xD800 && last <= 0xDBFF)
            title.pop_back();
    }
    return title;
}

std::wstring aboutText(const std::wstring& displayName, const std::wstring& version)
{
    return displayName + L", Version " + version;
}
