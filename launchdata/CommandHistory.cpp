// The command history of the name editor.
#include "launchdata/CommandHistory.h"

#include <cstdlib>
#include <utility>

#include "base/TextCut.h"
#include "launchdata/LaunchItem.h"

namespace {
// Equal but for the case of ASCII letters; double-byte characters compare
// byte for byte, so their trail bytes are never folded.
bool SameCommand(const char* a, const char* b) {
    for (;;) {
        const unsigned char ca = *a;
        const unsigned char cb = *b;
        if (IsDBCSLeadByte(ca) && a[1]) {
            if (ca != cb || a[1] != b[1]) return false;
            a += 2;
            b += 2;
            continue;
        }
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
        if (lower(ca) != lower(cb)) return false;
        if (ca == 0) return true;
        ++a;
        ++b;
    }
}
}  // namespace

void CommandHistory::Init(uint16_t capacity) {
    Reset();
    nodeCount = static_cast<uint16_t>(capacity + 3);
    nodes.reset(new HistoryNode[nodeCount]);
    freeRing.reset(new uint16_t[nodeCount]);
    nodes[kHead].text = std::make_unique<std::string>("HEAD");
    nodes[kHead].next = kTail;
    nodes[kHead].prev = kHead;
    nodes[kTail].text = std::make_unique<std::string>("TAIL");
    nodes[kTail].next = 0;
    nodes[kTail].prev = kHead;
    for (uint16_t i = 0; i < nodeCount; ++i) freeRing[i] = i;
    returnPos = 0;
    takePos = 2;
}

void CommandHistory::Reset() {
    nodes.reset();
    freeRing.reset();
    pending[0] = '\0';
    takePos = 0;
    returnPos = 0;
    entryCount = 0;
    nodeCount = 0;
}

void CommandHistory::Add(const char* text) {
    if (!nodes || !text) return;
    // Compared as kept: two long texts that differ only past the limit are one entry.
    auto kept = std::make_unique<std::string>(CutText(text, kItemTextLimit));
    for (uint16_t n = nodes[kHead].next; n != kTail && nodes[n].next != 0;) {
        const uint16_t next = nodes[n].next;
        if (nodes[n].text && SameCommand(nodes[n].text->c_str(), kept->c_str())) Unlink(n);
        n = next;
    }
    const uint16_t n = freeRing[takePos];
    HistoryNode& node = nodes[n];
    node.text = std::move(kept);
    node.next = kTail;
    node.prev = nodes[kTail].prev;
    nodes[node.prev].next = n;
    nodes[kTail].prev = n;
    ++entryCount;
    takePos = static_cast<uint16_t>((takePos + 1) % nodeCount);
    // The ring is used up: the oldest entry makes room.
    if (takePos == returnPos) Unlink(nodes[kHead].next);
}

void CommandHistory::Unlink(uint16_t node) {
    if (!nodes || node == kHead || node == kTail || node >= nodeCount) return;
    HistoryNode& n = nodes[node];
    nodes[n.prev].next = n.next;
    nodes[n.next].prev = n.prev;
    freeRing[returnPos] = node;
    returnPos = static_cast<uint16_t>((returnPos + 1) % nodeCount);
    if (entryCount > 0) --entryCount;
}

const char* CommandHistory::Get(int k) const {
    k = std::abs(k);
    if (!nodes || k == 0) return nullptr;
    uint16_t n = nodes[kTail].prev;
    if (n == kHead) return nullptr;
    for (int step = 1; step < k && nodes[n].prev != kHead; ++step) n = nodes[n].prev;
    return nodes[n].text ? nodes[n].text->c_str() : nullptr;
}

int CommandHistory::CapturePending(HWND editWindow) {
    if (!editWindow) return 0;
    pending[0] = '\0';
    SendMessageA(editWindow, WM_GETTEXT, sizeof pending, reinterpret_cast<LPARAM>(pending));
    pending[sizeof pending - 1] = '\0';
    return lstrlenA(pending);
}

void CommandHistory::CommitPending() {
    if (!pending[0]) return;
    Add(pending);
    ClearPending();
}
