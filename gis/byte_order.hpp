// gis/byte_order.hpp: how numbers become file bytes, the same on every host: no #if, no casts of
// memory. Each put routine fills the bytes at p, each get routine decodes them; the caller owns
// the buffer.
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

inline std::uint16_t getLE16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
inline std::uint32_t getLE32(const unsigned char* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | p[i];
    return v;
}
inline std::uint32_t getBE32(const unsigned char* p) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | p[i];
    return v;
}
inline double getLE64(const unsigned char* p) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
    return std::bit_cast<double>(bits);
}

}  // namespace zx::bytes
