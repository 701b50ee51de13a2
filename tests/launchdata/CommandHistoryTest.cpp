// The command history: newest first, at most its capacity, duplicates
// folded regardless of ASCII case, and the pending text.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>

#include "launchdata/CommandHistory.h"

namespace {

std::string At(const CommandHistory& history, int k) {
    const char* text = history.Get(k);
    return text ? text : "<none>";
}

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return tolower(static_cast<unsigned char>(x)) == tolower(static_cast<unsigned char>(y));
           });
}

TEST(CommandHistory, GetCountsBackFromTheNewestAndStopsAtTheOldest) {
    CommandHistory history;
    history.Init(16);
    EXPECT_EQ(19, history.nodeCount);
    EXPECT_EQ("<none>", At(history, 1));
    EXPECT_EQ("<none>", At(history, 0));
    history.Add("one");
    history.Add("two");
    history.Add("three");
    EXPECT_EQ(3, history.entryCount);
    EXPECT_EQ("<none>", At(history, 0));
    EXPECT_EQ("three", At(history, 1));
    EXPECT_EQ("two", At(history, 2));
    EXPECT_EQ("two", At(history, -2));
    EXPECT_EQ("one", At(history, 3));
    EXPECT_EQ("one", At(history, 50));
}

TEST(CommandHistory, KeepsTheNewest16AndMovesARepeatToTheNewestPlace) {
    CommandHistory history;
    history.Init(16);
    for (int i = 1; i <= 17; ++i) history.Add(("cmd" + std::to_string(i)).c_str());
    EXPECT_EQ(16, history.entryCount);
    EXPECT_EQ("cmd17", At(history, 1));
    EXPECT_EQ("cmd2", At(history, 16));

    // A repeat (in another case) drops nothing.
    history.Add("CMD2");
    EXPECT_EQ(16, history.entryCount);
    EXPECT_EQ("CMD2", At(history, 1));
    EXPECT_EQ("cmd3", At(history, 16));
}

TEST(CommandHistory, FoldsOnlyAsciiLettersNotTrailBytes) {
    CommandHistory history;
    history.Init(16);
    // 0x83 0x41 and 0x83 0x61 are two different katakana.
    history.Add("\x83\x41");
    history.Add("\x83\x61");
    EXPECT_EQ(2, history.entryCount);
    history.Add(
        "\x95\x5C"
        "abc");
    history.Add(
        "\x95\x5C"
        "ABC");
    EXPECT_EQ(3, history.entryCount);
    EXPECT_EQ(
        "\x95\x5C"
        "ABC",
        At(history, 1));
}

TEST(CommandHistory, ALongRunMatchesASimpleModel) {
    CommandHistory history;
    history.Init(16);
    std::deque<std::string> model;  // newest first
    unsigned seed = 12345;
    for (int step = 0; step < 3000; ++step) {
        seed = seed * 1103515245 + 12345;
        std::string text = "c" + std::to_string((seed >> 16) % 30);
        if ((seed >> 8) & 1) text[0] = 'C';
        model.erase(std::remove_if(model.begin(), model.end(),
                                   [&](const std::string& old) { return SameIgnoringAsciiCase(old, text); }),
                    model.end());
        model.push_front(text);
        if (model.size() > 16) model.pop_back();
        history.Add(text.c_str());
        ASSERT_EQ(model.size(), history.entryCount) << "step " << step;
        for (size_t k = 0; k < model.size(); ++k) ASSERT_EQ(model[k], At(history, static_cast<int>(k + 1)));
    }
}

TEST(CommandHistory, WithoutInitNothingIsKeptAndLongTextsAreCut) {
    CommandHistory history;
    history.Add("lost");
    EXPECT_EQ(0, history.entryCount);
    EXPECT_EQ("<none>", At(history, 1));
    history.Init(2);
    history.Add(std::string(400, 'x').c_str());
    EXPECT_EQ(std::string(259, 'x'), At(history, 1));
    history.Reset();
    EXPECT_EQ("<none>", At(history, 1));
}

TEST(CommandHistory, PendingTextIsCapturedFromTheEditBoxAndCommitted) {
    CommandHistory history;
    history.Init(16);
    EXPECT_EQ(0, history.CapturePending(nullptr));
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit);
    SendMessageA(edit, EM_LIMITTEXT, 400, 0);
    SetWindowTextA(edit, "notepad");
    EXPECT_EQ(7, history.CapturePending(edit));
    EXPECT_STREQ("notepad", history.Pending());
    history.CommitPending();
    EXPECT_STREQ("", history.Pending());
    EXPECT_EQ("notepad", At(history, 1));
    history.CommitPending();
    EXPECT_EQ(1, history.entryCount);

    SetWindowTextA(edit, std::string(300, 'y').c_str());
    EXPECT_EQ(259, history.CapturePending(edit));
    history.ClearPending();
    EXPECT_STREQ("", history.Pending());
    DestroyWindow(edit);
}

}  // namespace
