// gis/byte_order.hpp: how numbers become file bytes, the same on every host: no #if, no casts of
// memory. Each routine fills the bytes at p; the caller owns the buffer.
#pragma once
#include <bit>
#include <cstdint>

namespace zx::bytes {

inline void putLE16(unsigned char* p, std::uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
inline void putLE32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
inline void putBE32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[3 - i] = static_cast<unsigned char>(v >> (8 * i));
}
inline void putLE64(unsigned char* p, double d) {
    const auto bits = std::bit_cast<std::uint64_t>(d);
    for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(bits >> (8 * i));
}

}  // namespace zx::bytes
