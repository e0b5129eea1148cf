// gis/file_layouts.hpp: the numbers of the shapefile and dBASE layouts that the writers and the
// readers of a format share.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zx::shp {

inline constexpr std::int32_t kFileCode = 9994;
inline constexpr std::int32_t kVersion = 1000;
inline constexpr std::size_t kHeaderBytes = 100;
inline constexpr std::int32_t kRecordHeaderWords = 4;
inline constexpr std::int32_t kIndexEntryWords = 4;

// Shape types of the records the library writes and reads, then those it only names.
enum ShapeType : std::int32_t {
    kNullShape = 0,
    kPointShape = 1,
    kPolyLineShape = 3,
    kPolygonShape = 5,
    kMultiPointShape = 8,
    kPointZShape = 11,
    kPolyLineZShape = 13,
    kPolygonZShape = 15,
    kMultiPointZShape = 18,
    kPointMShape = 21,
    kPolyLineMShape = 23,
    kPolygonMShape = 25,
    kMultiPointMShape = 28,
    kMultiPatchShape = 31,
};

}  // namespace zx::shp

namespace zx::dbf {

inline constexpr std::size_t kDescriptorBytes = 32;  // the header's fixed part is as long
inline constexpr unsigned char kHeaderEnd = 0x0D;
inline constexpr unsigned char kFileEnd = 0x1A;

// The header: its fixed part, one descriptor per field and the end byte.
inline constexpr std::uint64_t headerLength(std::size_t fieldCount) {
    return kDescriptorBytes * (fieldCount + 1) + 1;
}

}  // namespace zx::dbf
