// The built Wendrix.dll as the system sees it: its exports by name, its
// shared section with the initial state, and the ancestor walk over real
// windows, including stale ones.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "TestSupport.h"
#include "hooklib/HookLogic.h"
#include "hooklib/Wendrix.h"

namespace {

TEST(WendrixModule, ExportsEveryFunctionByItsPlainName) {
    // Calling through the import library loads the module.
    EXPECT_EQ(4, GetDllVersion());
    EXPECT_STREQ("0.04a", GetDllVersionStr());
    HMODULE module = GetModuleHandleA("Wendrix.dll");
    ASSERT_TRUE(module);
    for (const char* name : {"InitHook", "InitHookDD", "HideHook", "PauseHideHook", "Unhook", "SetHookKey",
                             "GetHookSwitch", "DDEntry", "IsDragging", "GetDllVersion", "GetDllVersionStr"})
        EXPECT_TRUE(GetProcAddress(module, name)) << name;
}

TEST(WendrixModule, StateLivesInOneSharedWritableSectionWithItsInitialValues) {
    std::ifstream file(velktest::BuildFile("Wendrix.dll"), std::ios::binary);
    ASSERT_TRUE(file);
    const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + dos->e_lfanew);
    ASSERT_EQ(IMAGE_NT_SIGNATURE, nt->Signature);
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);

    const IMAGE_SECTION_HEADER* shared = nullptr;
    int sharedCount = 0;
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
        if (sections[i].Characteristics & IMAGE_SCN_MEM_SHARED) ++sharedCount;
        if (std::memcmp(sections[i].Name, "Hook4Vlk", IMAGE_SIZEOF_SHORT_NAME) == 0) shared = &sections[i];
    }
    ASSERT_TRUE(shared);
    EXPECT_EQ(1, sharedCount);
    const DWORD wanted =
        IMAGE_SCN_CNT_INITIALIZED_DATA | IMAGE_SCN_MEM_READ | IMAGE_SCN_MEM_WRITE | IMAGE_SCN_MEM_SHARED;
    EXPECT_EQ(wanted,
              shared->Characteristics & (wanted | IMAGE_SCN_CNT_UNINITIALIZED_DATA | IMAGE_SCN_MEM_EXECUTE));
    ASSERT_EQ(sizeof(SharedHookState), shared->Misc.VirtualSize);
    ASSERT_GE(shared->SizeOfRawData, sizeof(SharedHookState));

    static const SharedHookState initial = kInitialHookState;
    const auto* raw = reinterpret_cast<const SharedHookState*>(image.data() + shared->PointerToRawData);
    EXPECT_EQ(0, std::memcmp(&initial, raw, sizeof initial));
    EXPECT_EQ(0x10, raw->hookKey);
    EXPECT_EQ(1, raw->triggerArmed);
    EXPECT_EQ(1, raw->hideEnabled);
    EXPECT_EQ(-1, raw->dragStart.x);
    EXPECT_EQ(-1, raw->dragStart.y);
    // Window handles keep their native width.
    EXPECT_EQ(sizeof(void*), sizeof raw->triggerTarget.window);
}

TEST(WendrixModule, AncestorWalkFollowsParentsAndOwnersOfRealWindows) {
    SharedHookState state = kInitialHookState;
    const PlatformOps real = {GetAsyncKeyState,
                              GetSystemMetrics,
                              GetCursorPos,
                              PostMessageA,
                              GetParent,
                              IsWindowVisible,
                              [](int) -> HHOOK { return nullptr; },
                              UnhookWindowsHookEx};
    HookLogic logic(state, real);
    auto make = [](DWORD style, HWND parent) {
        return CreateWindowExA(0, "STATIC", "", style, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    };
    HWND panel = make(WS_POPUP, nullptr);
    HWND child = make(WS_CHILD, panel);
    HWND grandchild = make(WS_CHILD, child);
    HWND owned = make(WS_POPUP, panel);  // a dialog the panel owns
    HWND ownedChild = make(WS_CHILD, owned);
    HWND stranger = make(WS_POPUP, nullptr);
    HWND gone = make(WS_POPUP, panel);
    ASSERT_TRUE(panel && child && grandchild && owned && ownedChild && stranger && gone);
    DestroyWindow(gone);

    EXPECT_TRUE(logic.IsWindowOrAncestor(panel, panel));
    EXPECT_TRUE(logic.IsWindowOrAncestor(panel, grandchild));
    EXPECT_TRUE(logic.IsWindowOrAncestor(panel, ownedChild));
    EXPECT_FALSE(logic.IsWindowOrAncestor(panel, stranger));
    EXPECT_FALSE(logic.IsWindowOrAncestor(panel, GetDesktopWindow()));
    EXPECT_FALSE(logic.IsWindowOrAncestor(panel, gone));
    EXPECT_FALSE(logic.IsWindowOrAncestor(panel, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234))));
    EXPECT_FALSE(logic.IsWindowOrAncestor(gone, stranger));
    for (HWND w : {stranger, ownedChild, owned, grandchild, child, panel}) DestroyWindow(w);
}

}  // namespace
