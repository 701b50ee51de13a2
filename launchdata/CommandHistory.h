// The commands typed into the name editor, and the text left unfinished
// there. The entries are a doubly linked list inside a fixed array of nodes
// between two sentinels, and the free nodes wait in a ring.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class HistoryNode {
public:
    HistoryNode() = default;
    HistoryNode(const HistoryNode&) = delete;
    HistoryNode& operator=(const HistoryNode&) = delete;
    virtual ~HistoryNode() = default;

    std::unique_ptr<std::string> text;
    uint16_t next = 0;
    uint16_t prev = 0;
};

class CommandHistory {
public:
    static constexpr uint16_t kHead = 0;
    static constexpr uint16_t kTail = 1;
    static constexpr size_t kTextSize = 260;

    CommandHistory() = default;
    CommandHistory(const CommandHistory&) = delete;
    CommandHistory& operator=(const CommandHistory&) = delete;
    virtual ~CommandHistory() { Reset(); }

    // Forgets everything and makes room for `capacity` entries.
    void Init(uint16_t capacity);
    void Reset();
    // The newest entry; an entry equal but for the case of ASCII letters
    // goes, and the oldest goes when the history is full.
    void Add(const char* text);
    void Unlink(uint16_t node);
    // Get(1) is the newest entry, Get(entryCount) and beyond the oldest;
    // null for 0 or an empty history. The sign of k is ignored.
    const char* Get(int k) const;

    // The edit window's text, kept while the editor is inactive.
    int CapturePending(HWND editWindow);
    const char* Pending() const { return pending; }
    void ClearPending() { pending[0] = '\0'; }
    void CommitPending();

    uint16_t Capacity() const { return nodeCount > 3 ? nodeCount - 3 : 0; }

    std::unique_ptr<HistoryNode[]> nodes;
    std::unique_ptr<uint16_t[]> freeRing;
    uint16_t takePos = 0;
    uint16_t returnPos = 0;
    uint16_t nodeCount = 0;
    uint16_t entryCount = 0;
    char pending[kTextSize] = {};
};
