#include "StartArguments.h"

#include "shell/logic/CommandLine.h"

namespace qtfront {

std::wstring startFile(const std::vector<std::wstring>& arguments, const std::wstring& currentFolder)
{
    std::wstring path;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            path += L' ';
        path += arguments[i];
    }
    return absolutePath(path, currentFolder, PathStyle::Posix);
}

} // namespace qtfront
