// The name editor writes only changed texts and moves the caret when editable.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/NameEditor.h"

namespace {

int setTextCount = 0;
WNDPROC editProc = nullptr;
LRESULT CALLBACK CountingEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) ++setTextCount;
    return CallWindowProcA(editProc, window, message, wParam, lParam);
}

class NameEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_READONLY | ES_AUTOHSCROLL, 0, 0, 200, 20, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(edit);
        editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingEdit)));
        editor.Attach(edit);
        setTextCount = 0;
    }
    void TearDown() override { DestroyWindow(edit); }

    std::string Text() {
        char text[300] = {};
        GetWindowTextA(edit, text, sizeof text);
        return text;
    }
    DWORD Selection() { return static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0)); }

    HWND edit = nullptr;
    NameEditor editor;
};

TEST_F(NameEditorTest, SetTextSendsNothingWhenTheTextIsUnchanged) {
    editor.SetText("< NewLaunchSet >");
    EXPECT_EQ(1, setTextCount);
    editor.SetText("< NewLaunchSet >");
    EXPECT_EQ(1, setTextCount);
    editor.SetText("\x83\x5c\x83\x74\x83\x67");  // ソフト in code page 932
    EXPECT_EQ(2, setTextCount);
    EXPECT_EQ("\x83\x5c\x83\x74\x83\x67", Text());
    editor.SetText(nullptr);
    EXPECT_EQ(2, setTextCount);
}

TEST_F(NameEditorTest, CaretMovesToTheEndOnlyWhenEditable) {
    editor.SetText("abc");
    EXPECT_EQ(0u, Selection());
    SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
    editor.SetText("abcdef");
    EXPECT_EQ(MAKELONG(6, 6), Selection());
    editor.ClearText();
    EXPECT_EQ("", Text());
}

TEST(NameEditor, WithoutAWindowNothingHappens) {
    NameEditor editor;
    editor.SetText("text");
    EXPECT_EQ(nullptr, editor.window);
}

}  // namespace
