// Stored paths expanded, items made from dropped files and shortcuts, and
// the icons of targets that do not exist.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Support.h"
#include "base/ComPtr.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/ItemIconSource.h"
#include "launchdata/ShortcutFile.h"
#include "resources/resource.h"

namespace {

using velktest::BuildFile;

TEST(ExpandPathMacros, ExpandsVariablesAndMacrosWithinTheBuffer) {
    ASSERT_TRUE(SetCurrentDirectoryA(BuildFile("").c_str()));  // drive Z:, the system's is C:
    SetEnvironmentVariableA("VELK_MACRO", "$p");
    // 259 and 260 double-byte characters: 518 and 520 bytes.
    std::string wide259;
    for (int i = 0; i < 259; ++i) wide259 += "\x95\x5C";  // 表
    SetEnvironmentVariableA("VELK_WIDE259", wide259.c_str());
    SetEnvironmentVariableA("VELK_WIDE260", (wide259 + "\x95\x5C").c_str());
    struct Case {
        std::string source;
        size_t size;
        const char* expected;  // null: fails
    };
    const std::string data = BuildFile("QXDATA.dat"), x = BuildFile("x");
    const Case cases[] = {
        {"$p\\QXDATA.dat", 520, data.c_str()},
        {"%VELK_MACRO%\\x", 520, x.c_str()},  // a variable's value may hold macros
        {"$$p", 520, "$p"},
        {"50$$", 520, "50$"},
        {"%WINDIR%\\notepad", 520, "C:\\windows\\notepad"},
        {"$W\\notepad", 520, "C:\\windows\\notepad"},
        {"$S", 520, "C:\\windows\\system32"},
        {"$D\\Program Files", 520, "C:\\Program Files"},
        {"$d\\x", 520, "Z:\\x"},
        {"$x\\file", 520, nullptr},
        {"C:\\dir$", 520, nullptr},
        {"$P", 520, nullptr},
        {"abc", 4, "abc"},  // exactly fits
        {"abc", 3, nullptr},
        {"a$$b", 4, "a$b"},
        {"a$$b", 3, nullptr},
        {"%VELK_WIDE259%", 520, wide259.c_str()},
        {"%VELK_WIDE260%", 520, nullptr},
    };
    for (const Case& c : cases) {
        char result[520] = {};
        EXPECT_STREQ(c.expected, ExpandPathMacros(c.source.c_str(), result, c.size)) << c.source;
    }
}

TEST(ItemFieldsFromFile, AShortcutGivesItsTargetAndFolderAnyOtherFileItself) {
    velktest::TempFolder folder;
    for (const char* sub : {"Apps", "Tools", "Docs"}) CreateDirectoryA(folder.File(sub).c_str(), nullptr);
    const std::string target = folder.File("Apps\\run.cmd"), document = folder.File("Docs\\report.final.txt");
    const std::string shortcut = folder.File("Tools\\Editor.lnk");
    ASSERT_TRUE(velktest::WriteBytes(target, "@echo off\r\n") && velktest::WriteBytes(document, "report"));
    {
        CoInitialize(nullptr);
        ComPtr<IShellLinkA> link;
        ComPtr<IPersistFile> file;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                         link.Put()));
        link->SetPath(target.c_str());
        link->SetWorkingDirectory(folder.File("Apps").c_str());
        ASSERT_EQ(S_OK, link->QueryInterface(IID_IPersistFile, file.Put()));
        ASSERT_EQ(S_OK, file->Save(std::wstring(shortcut.begin(), shortcut.end()).c_str(), TRUE));
    }
    CoUninitialize();
    struct Case {
        std::string file, name, target, folder;
    };
    for (const Case& c : {Case{shortcut, "Editor", target, folder.File("Apps")},
                          Case{document, "report.final", document, folder.File("Docs")}}) {
        const ItemFields fields = ItemFieldsFromFile(c.file.c_str());
        EXPECT_EQ(c.name, fields.name);
        EXPECT_EQ(c.target, fields.target);
        EXPECT_EQ(c.folder, fields.workingFolder);
    }
}

// The icon drawn on white, pixel by pixel.
std::vector<uint32_t> IconPixels(HICON icon) {
    BITMAPINFO info = {{sizeof info.bmiHeader, 32, 32, 1, 32, BI_RGB}};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 32, 32, WHITENESS);
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + 32 * 32);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    return pixels;
}

TEST(ItemIconSource, AMissingTargetShowsTheDefaultIconElseTheQuestionMark) {
    const HICON question = LoadIconA(nullptr, IDI_QUESTION);
    const HICON velkItem = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_ITEM));
    ASSERT_NE(IconPixels(question), IconPixels(velkItem));
    ItemIconSource source;
    source.SetDefaultIcon(velkItem);
    EXPECT_EQ(IconPixels(velkItem), IconPixels(source.Lookup("C:\\no\\such\\program.exe")));
    EXPECT_EQ(nullptr, source.Lookup("$x\\program.exe"));
    source.SetDefaultIcon(nullptr);
    EXPECT_EQ(IconPixels(question), IconPixels(source.Lookup("C:\\no\\such\\program.exe")));
}

}  // namespace
