// The panel's hit values: the 32-bit results of the tab strip's and the item
// grid's own hit tests, and the 16-bit hit code the panel makes of them.
#pragma once

#include <cstdint>

// A TabHit, GridLocate or GridHit result is NoHit, or an index in the lower
// 16 bits with the upper 16 bits 1 (OnFlag: on the tab or cell itself) or 0
// (in the insertion gap before that index).
constexpr int32_t NoHit = static_cast<int32_t>(0x80000000u);
constexpr int32_t OnFlag = 0x10000;

constexpr uint32_t HitUpperHalf(int32_t result) {
    return static_cast<uint32_t>(result) >> 16;
}
// NoHit has 0x8000 in its upper half, so it is neither a gap nor on anything.
constexpr bool IsGapHit(int32_t result) {
    return HitUpperHalf(result) == 0;
}
constexpr bool IsOnHit(int32_t result) {
    return HitUpperHalf(result) == 1;
}
constexpr int HitIndex(int32_t result) {
    return result & 0xFFFF;
}

// The 16-bit hit code: bits 0-7 the index, bits 8-11 the kind, bits 12-15
// the placement.
enum HitKind : uint16_t {
    kHitNothing = 0,
    kHitTab = 1,
    kHitCell = 2,
    kHitPin = 3,
    kHitNewSet = 4,
    kHitNameEdit = 5,
};

enum HitPlacement : uint16_t {
    kPlacedOn = 0,     // on the tab, or on a cell that holds an item
    kPlacedInGap = 1,  // in the insertion gap before the index
    kPlacedEmpty = 2,  // on a cell that holds no item
};

constexpr uint16_t MakeHitCode(HitKind kind, HitPlacement placement = kPlacedOn, int index = 0) {
    return static_cast<uint16_t>((placement & 0xF) << 12 | (kind & 0xF) << 8 | (index & 0xFF));
}
constexpr int HitCodeIndex(uint16_t code) {
    return code & 0xFF;
}
constexpr int HitCodeKind(uint16_t code) {
    return (code >> 8) & 0xF;
}
constexpr int HitCodePlacement(uint16_t code) {
    return (code >> 12) & 0xF;
}

constexpr uint16_t kHitCodeNothing = MakeHitCode(kHitNothing);
constexpr uint16_t kHitCodePin = MakeHitCode(kHitPin);
constexpr uint16_t kHitCodeNewSet = MakeHitCode(kHitNewSet);
constexpr uint16_t kHitCodeNameEdit = MakeHitCode(kHitNameEdit);
