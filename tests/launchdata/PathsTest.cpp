// Double-byte-safe cuts, path macros, shortcuts made with IShellLinkA, the
// fields a dropped file gives, and item icons.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "base/TextCut.h"
#include "launchdata/ExpandPathMacros.h"
#include "launchdata/ItemIconSource.h"
#include "launchdata/ShortcutFile.h"
#include "resources/resource.h"

namespace {

using velktest::TempFolder;

// Shift-JIS characters whose second byte is a backslash.
const std::string kSo = "\x83\x5C";      // ソ
const std::string kHyo = "\x95\x5C";     // 表
const std::string kNou = "\x94\x5C";     // 能
const std::string kFuto = "\x83t\x83g";  // フト

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}
std::string SystemFolder() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, sizeof path);
    return path;
}
std::string WindowsFolder() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}
std::string CurrentFolder() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

TEST(TextCut, NeverSplitsADoubleByteCharacterNorKeepsALoneLeadByte) {
    struct Case {
        std::string text;
        size_t limit;
        std::string expected;
    };
    const Case cases[] = {
        {"abcdef", 4, "abcd"},
        {"ab" + kSo, 3, "ab"},
        {"ab" + kSo, 4, "ab" + kSo},
        {kHyo + kHyo + kHyo, 5, kHyo + kHyo},
        {"ab\x83", 10, "ab"},
        {"", 5, ""},
        {"abc", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, CutText(c.text.c_str(), c.limit)) << c.text << " at " << c.limit;
        char buffer[32];
        memset(buffer, 'Z', sizeof buffer);
        CopyCut(buffer, c.limit + 1, c.text.c_str());
        EXPECT_EQ(c.expected, std::string(buffer));
    }
}

TEST(TextCut, LastBackslashSkipsTrailBytes) {
    const std::string path = "C:\\" + kSo + kFuto + "\\" + kHyo;
    const char* last = FindLastBackslash(path.c_str());
    ASSERT_NE(nullptr, last);
    EXPECT_EQ(3 + kSo.size() + kFuto.size(), static_cast<size_t>(last - path.c_str()));
    EXPECT_EQ(nullptr, FindLastBackslash((kSo + kHyo).c_str()));
}

TEST(ExpandPathMacros, ExpandsEveryMacroAndFailsOnTheRest) {
    SetEnvironmentVariableA("VELKTEST_MACRO", "$p\\inner");
    struct Case {
        std::string source;
        bool ok;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"$p\\QXDATA.dat", true, ProgramFolder() + "\\QXDATA.dat"},
        {"$$p", true, "$p"},
        {"50$$", true, "50$"},
        {"$S", true, SystemFolder()},
        {"$W\\notepad", true, WindowsFolder() + "\\notepad"},
        {"%WINDIR%\\notepad", true, WindowsFolder() + "\\notepad"},
        {"$D\\Program Files", true, SystemFolder().substr(0, 2) + "\\Program Files"},
        {"$d", true, CurrentFolder().substr(0, 2)},
        {"%VELKTEST_MACRO%\\x", true, ProgramFolder() + "\\inner\\x"},
        {"C:\\" + kSo + kFuto + "\\" + kHyo + "$$", true, "C:\\" + kSo + kFuto + "\\" + kHyo + "$"},
        {"plain text", true, "plain text"},
        {"", true, ""},
        {"$x\\file", false, ""},
        {"C:\\dir$", false, "C:\\dir"},
        {"$P", false, ""},
        {"a$$b$q", false, "a$b"},
    };
    for (const Case& c : cases) {
        char result[kExpandedPathSize];
        memset(result, 'Z', sizeof result);
        const char* got = ExpandPathMacros(c.source.c_str(), result, sizeof result);
        EXPECT_EQ(c.ok, got != nullptr) << c.source;
        if (got) {
            EXPECT_EQ(result, got);
        }
        EXPECT_EQ(c.expected, std::string(result)) << c.source;
    }
}

TEST(ExpandPathMacros, ResultMustFitWithItsTerminator) {
    struct Case {
        std::string source;
        size_t size;
        bool ok;
    };
    const std::string folder = ProgramFolder();
    const std::vector<Case> cases = {
        {"abcde", 6, true},
        {"abcde", 5, false},
        {"x$$", 3, true},
        {"x$$", 2, false},
        {"$p", folder.size() + 1, true},
        {"$p", folder.size(), false},
        {"$p\\a", folder.size() + 3, true},
        {"$p\\a", folder.size() + 2, false},
        {"$$", 0, false},
    };
    for (const Case& c : cases) {
        std::vector<char> result(c.size + 8, 'Z');
        EXPECT_EQ(c.ok, ExpandPathMacros(c.source.c_str(), result.data(), c.size) != nullptr)
            << c.source << " in " << c.size;
        // Nothing is written past the given size.
        for (size_t i = c.size; i < result.size(); ++i) ASSERT_EQ('Z', result[i]) << c.source << " at " << i;
    }
}

TEST(ExpandPathMacros, AnEnvironmentExpansionBeyond519CharactersFails) {
    const std::string long519(519, 'a');
    char result[kExpandedPathSize] = {};
    EXPECT_NE(nullptr, ExpandPathMacros(long519.c_str(), result, sizeof result));
    EXPECT_EQ(long519, result);
    EXPECT_EQ(nullptr, ExpandPathMacros((long519 + "b").c_str(), result, sizeof result));

    SetEnvironmentVariableA("VELKTEST_LONG", std::string(600, 'v').c_str());
    EXPECT_EQ(nullptr, ExpandPathMacros("%VELKTEST_LONG%", result, sizeof result));
    EXPECT_EQ(nullptr, ExpandPathMacros("$p\\%VELKTEST_LONG%", result, sizeof result));

    // The rule counts bytes: 259 double-byte characters (518 bytes) fit,
    // 260 of them (520 bytes) fail instead of being cut.
    std::string wide;
    for (int i = 0; i < 259; ++i) wide += "\x95\x5C";  // 表, its second byte a backslash
    SetEnvironmentVariableA("VELKTEST_WIDE", wide.c_str());
    ASSERT_NE(nullptr, ExpandPathMacros("%VELKTEST_WIDE%", result, sizeof result));
    EXPECT_EQ(wide, result);
    SetEnvironmentVariableA("VELKTEST_WIDE", (wide + "\x95\x5C").c_str());
    EXPECT_EQ(nullptr, ExpandPathMacros("%VELKTEST_WIDE%", result, sizeof result));
    SetEnvironmentVariableA("VELKTEST_WIDE", nullptr);
}

// A shortcut made with the shell link object.
bool MakeShortcut(const std::string& linkPath, const std::string& target, const std::string& folder) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(folder.c_str());
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
        saved = SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

bool MakeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
    TempFolder folder;
};

TEST_F(Shortcuts, ADroppedShortcutGivesItsNameTargetAndWorkingFolder) {
    const std::string apps = folder.File("Apps");
    const std::string tools = folder.File("Tools");
    ASSERT_TRUE(CreateDirectoryA(apps.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(tools.c_str(), nullptr));
    ASSERT_TRUE(MakeFile(apps + "\\run.cmd"));
    ASSERT_TRUE(MakeShortcut(tools + "\\Editor.lnk", apps + "\\run.cmd", apps));

    char target[MAX_PATH] = {};
    char workingFolder[MAX_PATH] = {};
    WIN32_FIND_DATAA findData = {};
    EXPECT_GE(ResolveShortcut((tools + "\\Editor.lnk").c_str(), target, workingFolder, MAX_PATH, &findData),
              0);
    EXPECT_EQ(0, lstrcmpiA((apps + "\\run.cmd").c_str(), target)) << target;
    EXPECT_EQ(0, lstrcmpiA(apps.c_str(), workingFolder)) << workingFolder;

    const ItemFields fields = ItemFieldsFromFile((tools + "\\Editor.lnk").c_str());
    EXPECT_STREQ("Editor", fields.name);
    EXPECT_EQ(0, lstrcmpiA((apps + "\\run.cmd").c_str(), fields.target)) << fields.target;
    EXPECT_EQ(0, lstrcmpiA(apps.c_str(), fields.workingFolder)) << fields.workingFolder;
}

TEST_F(Shortcuts, AShortcutNamedInDoubleByteCharactersKeepsItsWholeName) {
    const std::string target = folder.File("run.cmd");
    ASSERT_TRUE(MakeFile(target));
    const std::string link = folder.File(kSo + kFuto + kHyo + ".lnk");
    ASSERT_TRUE(MakeShortcut(link, target, folder.Path()));
    const ItemFields fields = ItemFieldsFromFile(link.c_str());
    EXPECT_EQ(kSo + kFuto + kHyo, std::string(fields.name));
    EXPECT_EQ(0, lstrcmpiA(target.c_str(), fields.target)) << fields.target;
}

TEST_F(Shortcuts, AnyOtherFileOrFolderIsItsOwnTargetInTheFolderThatHoldsIt) {
    struct Case {
        std::string path;
        std::string name;
        std::string workingFolder;
    };
    const std::string base = folder.Path();
    const std::string dbcsFolder = base + "\\" + kSo + kFuto + "\\" + kHyo;
    const std::vector<Case> cases = {
        {base + "\\report.final.txt", "report.final", base},
        {base + "\\Editor.cmd", "Editor", base},
        {base + "\\Docs", "Docs", base},
        {dbcsFolder + "\\" + kNou + ".txt", kNou, dbcsFolder},
        {dbcsFolder, kHyo, base + "\\" + kSo + kFuto},
    };
    ASSERT_TRUE(CreateDirectoryA((base + "\\Docs").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((base + "\\" + kSo + kFuto).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(dbcsFolder.c_str(), nullptr));
    for (const Case& c : cases) {
        if (c.path.find('.') != std::string::npos) MakeFile(c.path);
        char target[MAX_PATH] = {};
        char workingFolder[MAX_PATH] = {};
        WIN32_FIND_DATAA findData = {};
        EXPECT_LT(ResolveShortcut(c.path.c_str(), target, workingFolder, MAX_PATH, &findData), 0) << c.path;
        const ItemFields fields = ItemFieldsFromFile(c.path.c_str());
        EXPECT_EQ(c.name, std::string(fields.name)) << c.path;
        EXPECT_EQ(c.path, std::string(fields.target));
        EXPECT_EQ(c.workingFolder, std::string(fields.workingFolder)) << c.path;
    }
}

// The icon drawn on white, pixel by pixel.
std::vector<DWORD> IconPixels(HICON icon) {
    constexpr int kSize = 32;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, kSize, kSize};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, kSize, kSize, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + kSize * kSize);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

TEST(ItemIconSource, AMissingTargetGetsTheDefaultIconElseTheQuestionMark) {
    HICON resource = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_ITEM));
    ASSERT_TRUE(resource);
    ItemIconSource source;
    source.SetDefaultIcon(resource);
    ASSERT_TRUE(source.DefaultIcon());
    EXPECT_NE(resource, source.DefaultIcon());

    TempFolder folder;
    HICON icon = source.Lookup(folder.File("missing.exe").c_str());
    ASSERT_TRUE(icon);
    EXPECT_NE(source.DefaultIcon(), icon);
    EXPECT_EQ(IconPixels(resource), IconPixels(icon));

    source.SetDefaultIcon(nullptr);
    EXPECT_EQ(nullptr, source.DefaultIcon());
    EXPECT_EQ(LoadIconA(nullptr, IDI_QUESTION), source.Lookup(folder.File("missing.exe").c_str()));
    // The shared question mark was not destroyed by the next look-up.
    source.Lookup(folder.File("missing.exe").c_str());
    EXPECT_FALSE(IconPixels(LoadIconA(nullptr, IDI_QUESTION)).empty());
    ICONINFO info = {};
    EXPECT_TRUE(GetIconInfo(LoadIconA(nullptr, IDI_QUESTION), &info));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

TEST(ItemIconSource, AnExistingFileGetsTheShellIconAndAnUnexpandableTargetNone) {
    HICON resource = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_ITEM));
    ItemIconSource source;
    source.SetDefaultIcon(resource);
    TempFolder folder;
    const std::string text = folder.File("notes.txt");
    ASSERT_TRUE(MakeFile(text));
    HICON icon = source.Lookup(text.c_str());
    ASSERT_TRUE(icon);
    EXPECT_NE(LoadIconA(nullptr, IDI_QUESTION), icon);
    EXPECT_NE(IconPixels(resource), IconPixels(icon));

    EXPECT_EQ(nullptr, source.Lookup("$x\\notes.txt"));
    EXPECT_EQ(nullptr, source.Lookup("C:\\dir$"));
    EXPECT_EQ(nullptr, source.Lookup(nullptr));

    // Texts that name no file get the default icon without asking the shell.
    for (const char* target : {"/:x", "/::", "a:b:c", "http://example.com/"}) {
        HICON fallback = source.Lookup(target);
        ASSERT_TRUE(fallback) << target;
        EXPECT_EQ(IconPixels(resource), IconPixels(fallback)) << target;
    }
}

}  // namespace
