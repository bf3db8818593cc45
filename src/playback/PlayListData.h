// The playlist: the supported files of the opened file's folder, sorted, one of them current.
// Changed only on the user-interface thread; the engine thread never reads it (the bar's
// button refresh that needs it is handed to the user-interface thread).
#pragma once

#include <string>
#include <vector>

struct PlayListEntry {
    int current = 0;        // 1 for the current file; at most one entry has 1
    std::wstring path;      // folder of the opened path + the name as listed
};

class PlayListData {
public:
    PlayListData() = default;
    virtual ~PlayListData();

    // Whether the path's extension (from its last dot, lower-cased) contains an accepted word.
    bool isSupported(const std::wstring& path);
    // Rebuilds the list from the folder of path; returns the number of entries.
    int build(const std::wstring& path);
    // Appends a readable, supported file; returns its index or -1.
    int add(const std::wstring& fullPath, int current);
    // Orders the entries by path, code unit by code unit.
    void sort();
    int count() const;
    int currentIndex() const;
    void setCurrent(int index);
    std::wstring pathAt(int index) const;
    bool remove(int index);
    void clear();

    // Appends the whitespace-separated words of text to list; returns the list's new length.
    static int splitWords(const std::wstring& text, std::vector<std::wstring>& list);

    std::vector<PlayListEntry> entries;
    std::vector<std::wstring> extensions;
};
