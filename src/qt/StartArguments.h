// The file named on the Linux command line. The shell has already split and unquoted the
// text, so every argument after the program's name belongs to the one path: a name with
// blanks that was not quoted arrives in pieces and is put back together with single blanks.
// Portable: no Qt, no window.
#pragma once

#include <string>
#include <vector>

namespace qtfront {

// The path made absolute against currentFolder; empty when there are no arguments.
std::wstring startFile(const std::vector<std::wstring>& arguments, const std::wstring& currentFolder);

} // namespace qtfront
