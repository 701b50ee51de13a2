// The commands typed into the name editor, newest first, and the pending text.
#pragma once

#include <cstdint>

class CommandHistory {
public:
    CommandHistory() = default;
    CommandHistory(const CommandHistory&) = delete;
    CommandHistory& operator=(const CommandHistory&) = delete;
    virtual ~CommandHistory() = default;

    // Sets how many commands are remembered and forgets them all.
    void Init(uint16_t capacity);
    uint16_t Capacity() const { return capacity_; }

private:
    uint16_t capacity_ = 0;
};
