// Files dropped from the shell.
#include "base/DroppedFile.h"

#include <string>

#include "base/UniqueHandle.h"

namespace {
// DragQueryFileW's index that asks for the number of files.
constexpr UINT kQueryFileCount = 0xFFFFFFFF;
}  // namespace

std::vector<ShellPath> TakeDroppedFiles(HDROP drop, POINT* point) {
    UniqueDrop finished(drop);
    std::vector<ShellPath> files;
    if (point) DragQueryPoint(drop, point);
    const UINT count = DragQueryFileW(drop, kQueryFileCount, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // The length asked for counts no terminator.
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        DragQueryFileW(drop, i, &path[0], UINT(path.size()));
        files.push_back(ShellPathFromWide(path.c_str()));
    }
    return files;
}
