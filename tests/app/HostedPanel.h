// The App hosted in the test process, started without a data file, with
// helpers to give it sets and items and to read its back buffer's pixels.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "TestSupport.h"
#include "app/App.h"
#include "app/WindowProcs.h"
#include "launchdata/LaunchSetList.h"
#include "wallpaper/WallpaperRenderer.h"

namespace velktest {

class HostedPanel : public ::testing::Test {
protected:
    static std::string ProgramFolder() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        *strrchr(path, '\\') = '\0';
        return path;
    }
    static std::string ProgramPath() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        return path;
    }
    // The hosted App reads and writes the data file beside the test program.
    static void RemoveDataFile() { DeleteFileA((ProgramFolder() + "\\QXDATA.dat").c_str()); }

    void SetUp() override {
        RemoveDataFile();
        theApp = app = new App();
        app->Start(GetModuleHandleA(nullptr), kAppTitle, kPanelWidth, kPanelHeight);
        ASSERT_TRUE(IsWindow(app->panel));
    }
    void TearDown() override {
        if (IsWindow(app->panel)) DestroyWindow(app->panel);
        app->Finish(kAppTitle);
        delete app;
        theApp = nullptr;
        PumpMessages();
        RemoveDataFile();
    }

    // Sets up to n sets in all (the first exists) and an item in each given cell of set 0.
    void AddSets(int n) {
        static const char* const names[] = {"Second", "Third"};
        for (int i = app->launchSets->count; i < n; ++i)
            ASSERT_TRUE(app->launchSets->AddSet(names[i - 1], 18));
    }
    void AddItem(uint16_t set, uint16_t cell, const char* name, const std::string& target,
                 const std::string& folder = "") {
        ASSERT_TRUE(app->launchSets->CreateItem(set, cell, name, target.c_str(),
                                                folder.empty() ? nullptr : folder.c_str(),
                                                ItemPlacement::Replace));
    }

    // A back buffer pixel as 0xRRGGBB, and the wallpaper's own pixel there.
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const COLORREF c = GetPixel(app->wallpaper->dc.get(), x, y);
        return RGB(GetBValue(c), GetGValue(c), GetRValue(c));
    }
    uint32_t Background(int x, int y) const {
        const int h = app->wallpaper->info.bmiHeader.biHeight;
        const int w = app->wallpaper->info.bmiHeader.biWidth;
        return app->wallpaper->pixels.get()[(h - 1 - y) * w + x] & 0xFFFFFF;
    }
    // Pixels of the rectangle that differ from the plain background.
    int Marked(int x, int y, int w, int h) const {
        int count = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) count += Pixel(i, j) != Background(i, j);
        return count;
    }

    App* app = nullptr;
};

}  // namespace velktest
