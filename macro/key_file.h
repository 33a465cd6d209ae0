// The key file ("*.KEY", "quillbay.key"): the binding table as an object archive, every value
// little-endian.
//
//   count      u16 N; when N >= 0xFFFF: 0xFFFF, then u32 N
//   binding 1  u16 0xFFFF (a new class follows), u16 schema 1, u16 8, the 8 bytes "CKeycust",
//              then the fields
//   binding n  u16 0x8001 (the class read first), then the fields
//   fields     u16 key, alt, shift, ctrl, command, in this order
//
// Two bindings make 2 + 14 + 10 + 2 + 10 = 38 bytes; an empty table is the count 0 alone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "macro/keycust.h"

namespace qb {

// The most bindings a key file may hold. 62 keys with 8 modifier combinations make 496
// distinct bindings; a count far beyond that is not a key file. It is still above 0xFFFF, so
// the long count form stays readable.
inline constexpr std::size_t kMaxKeyBindings = 0x10000;
// The size of a key file of kMaxKeyBindings bindings: no valid key file is larger.
inline constexpr std::size_t kMaxKeyFileSize = 2 + 4 + 24 + 12 * (kMaxKeyBindings - 1);

// The bytes of a key file holding `bindings`, in order.
std::string KeyFileBytes(const std::vector<CKeycust>& bindings);

struct KeyFileRead {
    bool ok = false;
    std::vector<CKeycust> bindings;
    std::string
        error;  // why the bytes are not a key file (Japanese, for the message's detail line)
};

// Reads a key file. Anything that is not exactly what KeyFileBytes writes for some table (an
// empty or truncated file, another class name or schema, an unknown tag, a count beyond
// kMaxKeyBindings, bytes after the last binding) is refused as a whole. Safe on any input.
KeyFileRead ParseKeyFile(std::string_view bytes);

}  // namespace qb
