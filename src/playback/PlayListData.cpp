#include "playback/PlayListData.h"

#include <algorithm>
#include <sstream>
#include <type_traits>

#include "platform/Platform.h"

namespace {

// The words of this text are the accepted extensions.
const wchar_t kSupportedTypes[] = L"m2ts";

// Plain code-unit order; wchar_t is signed on some targets, so compare as unsigned.
bool pathLess(const std::wstring& a, const std::wstring& b) {
    using Unit = std::make_unsigned_t<wchar_t>;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return static_cast<Unit>(x) < static_cast<Unit>(y); });
}

} // namespace

PlayListData::~PlayListData() {
    entries.clear();
    extensions.clear();
}

int PlayListData::splitWords(const std::wstring& text, std::vector<std::wstring>& list) {
    std::wistringstream stream(text);
    std::wstring word;
    while (stream >> word)
        list.push_back(word);
    return static_cast<int>(list.size());
}

bool PlayListData::isSupported(const std::wstring& path) {
    if (extensions.empty())
        splitWords(kSupportedTypes, extensions);
    // The last dot of the whole path, so a dotted folder with an extension-less file counts.
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos)
        return false;
    std::wstring extension = path.substr(dot);
    for (wchar_t& c : extension) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    for (const std::wstring& word : extensions) {
        if (extension.find(word) != std::wstring::npos)
            return true;
    }
    return false;
}

int PlayListData::add(const std::wstring& fullPath, int current) {
    // The name test comes first so that only media candidates are opened; the outcome is the
    // same in either order.
    if (!isSupported(fullPath))
        return -1;
    if (!platform::canOpenForReading(fullPath))
        return -1;
    PlayListEntry entry;
    entry.current = current;
    entry.path = fullPath;
    entries.push_back(std::move(entry));
    return count() - 1;
}

int PlayListData::build(const std::wstring& path) {
    clear();
    const std::size_t separator = platform::lastSeparator(path);
    if (separator == std::wstring::npos)
        return 0;
    const std::wstring folder = path.substr(0, separator + 1);
    std::vector<platform::FolderEntry> listing;
    platform::listFolder(folder, listing); // an unlistable folder leaves listing empty
    for (const platform::FolderEntry& item : listing) {
        // Also skips "." and "..".
        if (item.name.empty() || item.name[0] == L'.' || item.isDirectory)
            continue;
        const std::wstring fullPath = folder + item.name;
        add(fullPath, fullPath == path ? 1 : 0);
    }
    sort();
    return count();
}

void PlayListData::sort() {
    std::sort(entries.begin(), entries.end(),
              [](const PlayListEntry& a, const PlayListEntry& b) { return pathLess(a.path, b.path); });
}

int PlayListData::count() const {
    return static_cast<int>(entries.size());
}

int PlayListData::currentIndex() const {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].current != 0)
            return static_cast<int>(i);
    }
    return -1;
}

void PlayListData::setCurrent(int index) {
    if (index < 0 || index >= count())
        return;
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i].current = static_cast<int>(i) == index ? 1 : 0;
}

std::wstring PlayListData::pathAt(int index) const {
    if (index < 0 || index >= count())
        return std::wstring();
    return entries[static_cast<std::size_t>(index)].path;
}

bool PlayListData::remove(int index) {
    if (index < 0 || index >= count())
        return false;
    entries.erase(entries.begin() + index);
    return true;
}

void PlayListData::clear() {
    entries.clear();
}
