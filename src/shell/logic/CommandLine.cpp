#include "CommandLine.h"

#include <vector>

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool isLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

wchar_t upper(wchar_t c) { return (c >= L'a' && c <= L'z') ? wchar_t(c - L'a' + L'A') : c; }

// A path cut into its root ("C:\", "\\server\share\", "/") and its steps.
struct SplitPath {
    std::wstring root;
    std::vector<std::wstring> steps;
    bool trailingSeparator = false;
};

// Appends the steps of text (separated by sep) to out, resolving "." and "..";
// ".." never climbs above the root.
void addSteps(const std::wstring& text, wchar_t sep, SplitPath& out)
{
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(sep, start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring step = text.substr(start, end - start);
        if (step == L"..") {
            if (!out.steps.empty())
                out.steps.pop_back();
        } else if (!step.empty() && step != L".") {
            out.steps.push_back(step);
        }
        start = end + 1;
    }
    out.trailingSeparator = !text.empty() && text.back() == sep;
}

std::wstring join(const SplitPath& path, wchar_t sep)
{
    std::wstring result = path.root;
    for (std::size_t i = 0; i < path.steps.size(); ++i) {
        if (i > 0)
            result += sep;
        result += path.steps[i];
    }
    if (path.trailingSeparator && !path.steps.empty())
        result += sep;
    return result;
}

// --- Windows ---

bool isUnc(const std::wstring& p) { return p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\'; }

bool hasDrive(const std::wstring& p) { return p.size() >= 2 && isLetter(p[0]) && p[1] == L':'; }

// Splits an absolute Windows path (separators already '\'): "C:\...", or "\\server\share\...".
SplitPath splitWindows(const std::wstring& p)
{
    SplitPath out;
    std::wstring rest;
    if (isUnc(p)) {
        // The server and the share are the root; ".." cannot leave them.
        std::size_t server = p.find(L'\\', 2);
        if (server == std::wstring::npos) {
            out.root = p + L'\\';
            return out;
        }
        std::size_t share = p.find(L'\\', server + 1);
        if (share == std::wstring::npos) {
            out.root = p + L'\\';
            return out;
        }
        out.root = p.substr(0, share + 1);
        rest = p.substr(share + 1);
    } else {
        out.root = p.substr(0, 2) + L'\\';
        rest = p.size() > 2 ? p.substr(3) : std::wstring();
    }
    addSteps(rest, L'\\', out);
    return out;
}

// The root of an absolute folder, or empty when the folder has none.
std::wstring windowsRoot(const std::wstring& folder)
{
    if (isUnc(folder) || hasDrive(folder))
        return splitWindows(folder).root;
    return std::wstring();
}

std::wstring absoluteWindows(std::wstring p, std::wstring cur)
{
    for (auto& c : p)
        if (c == L'/')
            c = L'\\';
    for (auto& c : cur)
        if (c == L'/')
            c = L'\\';
    // Device and literal paths ("\\?\", "\\.\") are taken as they are.
    if (p.size() >= 4 && isUnc(p) && (p[2] == L'?' || p[2] == L'.') && p[3] == L'\\')
        return p;

    std::wstring full;
    if (isUnc(p)) {
        full = p;
    } else if (hasDrive(p)) {
        if (p.size() >= 3 && p[2] == L'\\')
            full = p;
        else if (hasDrive(cur) && upper(cur[0]) == upper(p[0]))
            full = cur + L'\\' + p.substr(2);    // "C:name": relative to the current folder of C:
        else
            full = p.substr(0, 2) + L'\\' + p.substr(2);
    } else if (p[0] == L'\\') {
        const std::wstring root = windowsRoot(cur);
        if (root.empty())
            return p;
        full = root + p.substr(1);
    } else {
        if (windowsRoot(cur).empty())
            return p;
        full = cur + L'\\' + p;
    }
    return join(splitWindows(full), L'\\');
}

// --- POSIX ---

std::wstring absolutePosix(const std::wstring& p, const std::wstring& cur)
{
    std::wstring full;
    if (p[0] == L'/')
        full = p;
    else if (!cur.empty() && cur[0] == L'/')
        full = cur + L'/' + p;
    else
        return p;
    SplitPath out;
    out.root = L"/";
    addSteps(full, L'/', out);
    return join(out, L'/');
}

} // namespace

std::wstring unquoteCommandLine(const std::wstring& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    std::wstring inner = text.substr(begin, end - begin);
    if (inner.size() >= 2 && inner.front() == L'"' && inner.back() == L'"'
        && inner.find(L'"', 1) == inner.size() - 1)
        inner = inner.substr(1, inner.size() - 2);
    return inner;
}

std::wstring absolutePath(const std::wstring& path, const std::wstring& currentFolder, PathStyle style)
{
    if (path.empty())
        return path;
    return style == PathStyle::Windows ? absoluteWindows(path, currentFolder) : absolutePosix(path, currentFolder);
}

std::wstring commandLineFile(const std::wstring& text, const std::wstring& currentFolder, PathStyle style)
{
    return absolutePath(unquoteCommandLine(text), currentFolder, style);
}
