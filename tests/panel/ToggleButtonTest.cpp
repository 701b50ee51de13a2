// The toggle buttons' configuration rules and state (their hit rectangles are
// checked at every edge by the panel's hit test).
#include <gtest/gtest.h>

#include "panel/ToggleButton.h"
#include "resources/resource.h"

namespace {

HICON AppIcon(int id) {
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

TEST(ToggleButton, ConfigureKeepsCopiesAndGrowsTheRectangle) {
    HICON on = AppIcon(IDI_PIN_IN);
    HICON off = AppIcon(IDI_PIN_OUT);
    ASSERT_TRUE(on && off);
    ToggleButton button;
    button.SetState(1);
    button.Configure(10, 10, 16, 16, on, off);
    EXPECT_EQ(10, button.x);
    EXPECT_EQ(10, button.y);
    EXPECT_EQ(20, button.width);
    EXPECT_EQ(20, button.height);
    EXPECT_EQ(0, button.state);
    ASSERT_TRUE(button.iconOn && button.iconOff);
    EXPECT_NE(on, button.iconOn.get());
    EXPECT_NE(off, button.iconOff.get());

    // Destroying the originals leaves the copies drawable.
    DestroyIcon(on);
    DestroyIcon(off);
    ICONINFO info = {};
    EXPECT_TRUE(GetIconInfo(button.iconOn.get(), &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(ToggleButton, NegativeGeometryIsIgnoredAndNullIconsStayNull) {
    ToggleButton button;
    button.Configure(33, 10, 16, 16, nullptr, nullptr);
    button.SetState(1);
    for (auto [x, y, w, h] : {std::tuple{-1, 0, 1, 1}, {0, -1, 1, 1}, {0, 0, -1, 1}, {0, 0, 1, -1}}) {
        button.Configure(x, y, w, h, nullptr, nullptr);
        EXPECT_EQ(33, button.x);
        EXPECT_EQ(20, button.width);
        EXPECT_EQ(1, button.state);
    }
    EXPECT_FALSE(button.iconOn);
    EXPECT_FALSE(button.iconOff);
}

TEST(ToggleButton, OnlyZeroAndOneAreStates) {
    ToggleButton button;
    button.SetState(1);
    button.SetState(2);
    button.SetState(-1);
    EXPECT_EQ(1, button.state);
    button.SetState(0);
    EXPECT_EQ(0, button.state);
}

TEST(ToggleButton, ReconfiguringReplacesTheHeldCopies) {
    HICON on = AppIcon(IDI_PIN_IN);
    HICON off = AppIcon(IDI_PIN_OUT);
    ASSERT_TRUE(on && off);
    ToggleButton button;
    button.Configure(10, 10, 16, 16, on, off);
    HICON firstOn = button.iconOn.get();
    button.Configure(33, 10, 16, 16, off, nullptr);
    ASSERT_TRUE(button.iconOn);
    EXPECT_NE(firstOn, button.iconOn.get());
    EXPECT_FALSE(button.iconOff);
    // The first copy was destroyed, not leaked.
    ICONINFO info = {};
    EXPECT_FALSE(GetIconInfo(firstOn, &info));
    DestroyIcon(on);
    DestroyIcon(off);
}

}  // namespace
