// The toggle buttons' configuration rules, state and hit rectangle.
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

TEST(ToggleButton, ThePanelsTwoButtonsAreHalfOpen20x20Squares) {
    // As the panel configures them: the pin at (10, 10), the new-set button
    // at (33, 10), three pixels apart.
    ToggleButton pin;
    ToggleButton newSet;
    pin.Configure(10, 10, 16, 16, nullptr, nullptr);
    newSet.Configure(33, 10, 16, 16, nullptr, nullptr);
    struct {
        int x, y;
        bool onPin, onNewSet;
    } const cases[] = {
        {20, 20, true, false},  {40, 20, false, true},  {30, 20, false, false}, {10, 10, true, false},
        {29, 29, true, false},  {9, 15, false, false},  {15, 9, false, false},  {30, 10, false, false},
        {10, 30, false, false}, {32, 15, false, false}, {33, 10, false, true},  {52, 29, false, true},
        {53, 15, false, false}, {40, 30, false, false}, {40, 9, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.onPin, pin.Contains(c.x, c.y)) << c.x << ", " << c.y;
        EXPECT_EQ(c.onNewSet, newSet.Contains(c.x, c.y)) << c.x << ", " << c.y;
    }
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
