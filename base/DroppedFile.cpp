// Files dropped from the shell.
#include "base/DroppedFile.h"

#include "base/UniqueHandle.h"

namespace {
// DragQueryFileA's index that asks for the number of files.
constexpr UINT kQueryFileCount = 0xFFFFFFFF;
}  // namespace

bool TakeOneDroppedFile(HDROP drop, char* path, UINT size, POINT* point) {
    UniqueDrop finished(drop);
    if (DragQueryFileA(drop, kQueryFileCount, nullptr, 0) != 1) return false;
    if (point) DragQueryPoint(drop, point);
    DragQueryFileA(drop, 0, path, size);
    return true;
}
