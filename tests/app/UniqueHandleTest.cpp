// The handle owners release exactly once and hand ownership over on move.
#include <gtest/gtest.h>

#include "base/UniqueHandle.h"

namespace {

int closed = 0;
HANDLE lastClosed = nullptr;
BOOL WINAPI CountClose(HANDLE handle) {
    ++closed;
    lastClosed = handle;
    return TRUE;
}
using Counted = UniqueHandle<HANDLE, CountClose>;
HANDLE Fake(uintptr_t n) {
    return reinterpret_cast<HANDLE>(n);
}

TEST(UniqueHandle, ClosesOnceOnResetMoveAndScopeEnd) {
    closed = 0;
    {
        Counted a(Fake(1));
        Counted b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(Fake(1), b.get());
        b.reset(Fake(2));
        EXPECT_EQ(1, closed);
        EXPECT_EQ(Fake(1), lastClosed);
        Counted c;
        c = std::move(b);
        EXPECT_EQ(1, closed);
        HANDLE raw = c.release();
        EXPECT_EQ(Fake(2), raw);
        c.reset(Fake(3));
    }
    EXPECT_EQ(2, closed);
    EXPECT_EQ(Fake(3), lastClosed);
}

TEST(UniqueHandle, ResetToTheSameHandleKeepsIt) {
    closed = 0;
    Counted a(Fake(7));
    a.reset(Fake(7));
    EXPECT_EQ(0, closed);
    EXPECT_EQ(Fake(7), a.get());
}

TEST(ScopedSelect, PutsTheOldObjectBackBeforeTheNewOneDies) {
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
        ScopedSelect select(dc.get(), brush.get());
        EXPECT_EQ(brush.get(), GetCurrentObject(dc.get(), OBJ_BRUSH));
    }
    EXPECT_EQ(original, GetCurrentObject(dc.get(), OBJ_BRUSH));
}

}  // namespace
