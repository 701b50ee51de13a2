// A cell of a launch set in one 32-bit value, set index << 16 | cell index,
// or -1 for none: how the context menu, the confirmations and the drops
// name the item or set they act on.
#pragma once

#include <cstdint>

using CellRef = int32_t;

constexpr CellRef kNoCell = -1;

constexpr CellRef MakeCellRef(uint16_t set, uint16_t cell = 0) {
    return static_cast<CellRef>(uint32_t(set) << 16 | cell);
}
constexpr uint16_t CellRefSet(CellRef reference) {
    return static_cast<uint16_t>(static_cast<uint32_t>(reference) >> 16);
}
constexpr uint16_t CellRefCell(CellRef reference) {
    return static_cast<uint16_t>(reference & 0xFFFF);
}
