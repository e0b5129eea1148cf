// gis/shp_reader.cpp: reading .shp files: the main header, and shape records of the types the
// library takes (null, point, polyline, polygon, multipoint). Every count and part start is
// checked against the record's content length before a coordinate is read, so a malformed record
// is reported by number instead of reading into its neighbour or writing outside an array.
#include "gis/shp_reader.hpp"

#include <algorithm>
#include <array>

#include "gis/byte_order.hpp"
#include "gis/file_layouts.hpp"

namespace zx::shp {
namespace {

constexpr std::int64_t kBoxBytes = 32;
constexpr std::int64_t kPointBytes = 16;

Outcome failure(Fault fault) { return {fault, 0, {}}; }
Outcome malformed(std::string reason) { return {Fault::Malformed, 0, std::move(reason)}; }

bool readInt32(platform::File& file, std::int32_t& value) {
    std::array<unsigned char, 4> bytes{};
    if (file.readBytes(bytes.data(), bytes.size()) != bytes.size()) return false;
    value = static_cast<std::int32_t>(bytes::getLE32(bytes.data()));
    return true;
}

bool readPoint(platform::File& file, double& x, double& y) {
    std::array<unsigned char, kPointBytes> bytes{};
    if (file.readBytes(bytes.data(), bytes.size()) != bytes.size()) return false;
    x = bytes::getLE64(bytes.data());
    y = bytes::getLE64(bytes.data() + 8);
    return true;
}

// Bytes of the current record left from the file's position.
std::int64_t bytesLeft(platform::File& file, const ShpFileSet& set) {
    return static_cast<std::int64_t>(set.recordEndBytes) - static_cast<std::int64_t>(file.position());
}

// Part starts into ir[0 .. parts), checked: the first 0, each above the one before and below the
// point count, so that every part has at least minimumPoints points.
Outcome readPartStarts(platform::File& file, GisObject& object, std::int32_t parts, std::int32_t points,
                       std::int32_t minimumPoints) {
    if (object.ir.size() < static_cast<std::size_t>(parts) + 1) object.ir.resize(static_cast<std::size_t>(parts) + 1);
    for (std::int32_t i = 0; i < parts; ++i) {
        if (!readInt32(file, object.ir[static_cast<std::size_t>(i)])) return failure(Fault::EndOfFile);
    }
    object.ir[static_cast<std::size_t>(parts)] = points;
    if (parts > 0 && object.ir[0] != 0) return malformed("its first part starts at point " + std::to_string(object.ir[0]));
    for (std::int32_t i = 0; i < parts; ++i) {
        const std::int32_t start = object.ir[static_cast<std::size_t>(i)];
        const std::int32_t next = object.ir[static_cast<std::size_t>(i) + 1];
        // In 64 bits: starts near the integer limits would overflow the difference.
        const std::int64_t size = std::int64_t{next} - start;
        if (size >= minimumPoints) continue;
        // A start before the one it follows is named as read; its part's size would mean nothing.
        if (size < 0 && i + 1 < parts) {
            return malformed("part " + std::to_string(i + 2) + " starts at point " + std::to_string(next));
        }
        return malformed("part " + std::to_string(i + 1) + " has " + std::to_string(size) + " points");
    }
    return {};
}

// The part and point counts of a polyline or polygon against the record's length.
Outcome checkCounts(const ShpFileSet& set, platform::File& file, std::int32_t parts, std::int32_t points) {
    if (parts < 0) return malformed("part count " + std::to_string(parts));
    if (points < 0) return malformed("point count " + std::to_string(points));
    if (parts == 0 && points > 0) return malformed("points without parts");
    const std::int64_t needed = 4 * std::int64_t{parts} + kPointBytes * points;
    if (needed > bytesLeft(file, set)) return malformed("more parts and points than its content length holds");
    return {};
}

}  // namespace

HeaderFault readFileHeader(platform::File& file, FileHeader& header) {
    file.rewind();
    std::array<unsigned char, kHeaderBytes> bytes{};
    if (file.readBytes(bytes.data(), bytes.size()) != bytes.size()) {
        return file.atEnd() ? HeaderFault::EndOfFile : HeaderFault::Unreadable;
    }
    header.fileCode = static_cast<std::int32_t>(bytes::getBE32(&bytes[0]));
    header.fileLengthWords = static_cast<std::int32_t>(bytes::getBE32(&bytes[24]));
    header.version = static_cast<std::int32_t>(bytes::getLE32(&bytes[28]));
    header.shapeType = static_cast<std::int32_t>(bytes::getLE32(&bytes[32]));
    header.xmin = bytes::getLE64(&bytes[36]);
    header.ymin = bytes::getLE64(&bytes[44]);
    header.xmax = bytes::getLE64(&bytes[52]);
    header.ymax = bytes::getLE64(&bytes[60]);
    // A length below the header's own 100 bytes cannot be the file's: the header does not read.
    if (header.fileLengthWords < kShpHeaderWords) return HeaderFault::Unreadable;
    return HeaderFault::None;
}

bool atEnd(const ShpFileSet& set) { return set.nextRecordWords >= set.fileLengthWords; }

std::int32_t recordsLeft(platform::File& file, const ShpFileSet& set) {
    std::int32_t count = 0;
    std::int64_t at = set.nextRecordWords;
    std::array<unsigned char, 8> head{};
    while (at < set.fileLengthWords) {
        file.seek(static_cast<std::uint64_t>(2 * at));
        if (file.readBytes(head.data(), head.size()) != head.size()) break;
        const auto contentWords = static_cast<std::int32_t>(bytes::getBE32(&head[4]));
        at += kRecordHeaderWords + std::int64_t{contentWords};
        // The shape type at least, and within the header's length.
        if (contentWords < 2 || at > set.fileLengthWords) break;
        ++count;
    }
    return count;
}

Outcome readObjectType(platform::File& file, ShpFileSet& set, GisObject& object) {
    const std::int64_t start = 2 * std::int64_t{set.nextRecordWords};
    file.seek(static_cast<std::uint64_t>(start));
    std::array<unsigned char, 12> head{};
    if (file.readBytes(head.data(), head.size()) != head.size()) return failure(Fault::EndOfFile);
    ++set.recordCount;
    const auto contentWords = static_cast<std::int32_t>(bytes::getBE32(&head[4]));
    const auto shapeType = static_cast<std::int32_t>(bytes::getLE32(&head[8]));
    // The shape type is part of the content; the record must end where the file does at the latest.
    const std::int64_t endWords = start / 2 + 4 + std::int64_t{contentWords};
    if (contentWords < 2 || endWords > set.fileLengthWords) {
        return malformed("content length " + std::to_string(contentWords) + " words");
    }
    set.nextRecordWords = static_cast<std::int32_t>(endWords);
    set.recordEndBytes = static_cast<std::uint64_t>(2 * endWords);
    set.recordShapeType = shapeType;
    object.nr = 0;
    switch (shapeType) {
        case kNullShape: object.none = true; return {};
        case kPointShape:
            object.point = true;
            if (bytesLeft(file, set) < kPointBytes) return malformed("a point record without its point");
            return {};
        case kPolyLineShape: {
            std::array<unsigned char, kBoxBytes + 8> box{};
            if (bytesLeft(file, set) < static_cast<std::int64_t>(box.size())) return malformed("no part count");
            if (file.readBytes(box.data(), box.size()) != box.size()) return failure(Fault::EndOfFile);
            const auto parts = static_cast<std::int32_t>(bytes::getLE32(&box[kBoxBytes]));
            const auto points = static_cast<std::int32_t>(bytes::getLE32(&box[kBoxBytes + 4]));
            if (parts > kMaxParts - 1) return failure(Fault::TooManyParts);
            if (Outcome counts = checkCounts(set, file, parts, points); counts.fault != Fault::None) return counts;
            object.count = parts;
            object.pline = parts == 1;
            object.plineMultiple = parts >= 2;
            return readPartStarts(file, object, parts, points, 1);
        }
        case kPolygonShape: {
            std::array<unsigned char, kBoxBytes + 4> box{};
            if (bytesLeft(file, set) < static_cast<std::int64_t>(box.size()) + 4) return malformed("no ring count");
            if (file.readBytes(box.data(), box.size()) != box.size()) return failure(Fault::EndOfFile);
            object.region = true;
            const auto rings = static_cast<std::int32_t>(bytes::getLE32(&box[kBoxBytes]));
            if (rings >= kMaxParts) return failure(Fault::TooManyRings);
            if (rings < 0) return malformed("ring count " + std::to_string(rings));
            object.nr = rings;
            return {};
        }
        case kMultiPointShape: {
            std::array<unsigned char, kBoxBytes + 4> box{};
            if (bytesLeft(file, set) < static_cast<std::int64_t>(box.size())) return malformed("no point count");
            if (file.readBytes(box.data(), box.size()) != box.size()) return failure(Fault::EndOfFile);
            object.multipoint = true;
            const auto points = static_cast<std::int32_t>(bytes::getLE32(&box[kBoxBytes]));
            if (points < 0 || kPointBytes * points > bytesLeft(file, set)) {
                return malformed("point count " + std::to_string(points));
            }
            object.count = points;
            return {};
        }
        default: return {Fault::Unsupported, shapeType, {}};
    }
}

Outcome readObject(platform::File& file, ShpFileSet& set, GisObject& object, ObjectReadout& out,
                   bool storeCoordinates) {
    object.done = false;
    const std::int32_t capacity = out.capacity();
    std::int32_t& nv = out.nv;
    auto readPoints = [&](std::int32_t count, std::size_t first) -> Outcome {
        double px = 0.0;
        double py = 0.0;
        for (std::int32_t i = 0; i < count; ++i) {
            if (!readPoint(file, px, py)) return failure(Fault::EndOfFile);
            if (storeCoordinates) {
                out.x[first + static_cast<std::size_t>(i)] = px;
                out.y[first + static_cast<std::size_t>(i)] = py;
            }
        }
        return {};
    };
    switch (set.recordShapeType) {
        case kNullShape: nv = 0; return {};
        case kPointShape:
        case kMultiPointShape: {
            if (bytesLeft(file, set) < kPointBytes) return malformed("more points read than it holds");
            double px = 0.0;
            double py = 0.0;
            if (!readPoint(file, px, py)) return failure(Fault::EndOfFile);
            nv = 1;
            if (capacity >= 1) {
                out.x[0] = px;
                out.y[0] = py;
            }
            break;
        }
        case kPolyLineShape: {
            if (object.nr >= object.count) return malformed("more parts read than it holds");
            ++object.nr;
            const auto part = static_cast<std::size_t>(object.nr);
            nv = object.ir[part] - object.ir[part - 1];
            if (storeCoordinates && nv > capacity) return {Fault::TooManyNodes, nv, {}};
            if (Outcome read = readPoints(nv, 0); read.fault != Fault::None) return read;
            break;
        }
        case kPolygonShape: {
            std::int32_t points = 0;
            if (!readInt32(file, points)) return failure(Fault::EndOfFile);
            if (Outcome counts = checkCounts(set, file, object.nr, points); counts.fault != Fault::None) return counts;
            if (Outcome starts = readPartStarts(file, object, object.nr, points, 2); starts.fault != Fault::None) {
                return starts;
            }
            if (storeCoordinates && object.nr + points > capacity) return {Fault::TooManyNodes, object.nr + points, {}};
            std::int32_t filled = 0;
            for (std::int32_t i = 0; i < object.nr; ++i) {
                const auto ring = static_cast<std::size_t>(i);
                const std::int32_t n = object.ir[ring + 1] - object.ir[ring];
                if (Outcome read = readPoints(n, static_cast<std::size_t>(filled)); read.fault != Fault::None) return read;
                filled += n + 1;
                // Each ring is followed by a copy of its second point, the layout the region
                // routines walk; ir(i) becomes the index of the ring's last point.
                if (storeCoordinates) {
                    const auto separator = static_cast<std::size_t>(filled - 1);
                    out.x[separator] = out.x[separator - static_cast<std::size_t>(n) + 1];
                    out.y[separator] = out.y[separator - static_cast<std::size_t>(n) + 1];
                }
                object.ir[ring] = filled - 1;
            }
            nv = filled;
            break;
        }
        default: return {Fault::Unsupported, set.recordShapeType, {}};
    }
    object.done = true;
    return {};
}

}  // namespace zx::shp
