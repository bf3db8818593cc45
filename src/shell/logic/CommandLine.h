// The file named on the command line: the whole text after the program's name is one path.
#pragma once

#include <string>

enum class PathStyle {
    Windows,    // drive letters, '\' (and '/') separators, \\server\share
    Posix,      // '/' only
};

#ifdef _WIN32
constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// Blanks around the text are dropped, and a text wrapped in one pair of double quotes (as file
// managers and "Open with" pass a path) loses them. Quotes anywhere else are kept.
std::wstring unquoteCommandLine(const std::wstring& text);

// The path made absolute against currentFolder, with "." and ".." steps resolved and repeated
// separators merged, so that the same file has one name whatever folder the program was
// started in. An empty path stays empty.
std::wstring absolutePath(const std::wstring& path, const std::wstring& currentFolder,
                          PathStyle style = kNativePathStyle);

// Both steps: the file named by the raw command-line text, or an empty text for none.
std::wstring commandLineFile(const std::wstring& text, const std::wstring& currentFolder,
                             PathStyle style = kNativePathStyle);
