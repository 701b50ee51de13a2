// The command history of the name editor.
#include "launchdata/CommandHistory.h"

void CommandHistory::Init(uint16_t capacity) { capacity_ = capacity; }
