// gis/shp_writer.cpp: .shp and .shx bytes. Each field is written once, at its offset, in the byte
// order the format gives it: file code, lengths, record numbers and index entries big-endian, the
// rest little-endian.
#include "gis/shp_writer.hpp"

#include <algorithm>
#include <limits>

#include "gis/byte_order.hpp"
#include "gis/file_layouts.hpp"

namespace zx::shp {
namespace {

using bytes::putBE32;
using bytes::putLE32;
using bytes::putLE64;

constexpr auto u32(std::int32_t v) { return static_cast<std::uint32_t>(v); }

struct Box {
    double xmin = std::numeric_limits<double>::max();
    double ymin = std::numeric_limits<double>::max();
    double xmax = -std::numeric_limits<double>::max();
    double ymax = -std::numeric_limits<double>::max();
};

Box boxOf(const VertexView& v) {
    Box box;
    for (std::size_t j = 0; j < v.x.size(); ++j) {
        box.xmin = std::min(box.xmin, v.x[j]);
        box.ymin = std::min(box.ymin, v.y[j]);
        box.xmax = std::max(box.xmax, v.x[j]);
        box.ymax = std::max(box.ymax, v.y[j]);
    }
    return box;
}

void widen(ShpFileSet& set, const Box& box) {
    set.xmin = std::min(set.xmin, box.xmin);
    set.ymin = std::min(set.ymin, box.ymin);
    set.xmax = std::max(set.xmax, box.xmax);
    set.ymax = std::max(set.ymax, box.ymax);
}

void putBox(unsigned char* p, const Box& box) {
    putLE64(p, box.xmin);
    putLE64(p + 8, box.ymin);
    putLE64(p + 16, box.xmax);
    putLE64(p + 24, box.ymax);
}

// Vertices go to the file through a small stack buffer, a run at a time.
void writeVertices(platform::File& file, const VertexView& v) {
    constexpr std::size_t kRun = 256;
    std::array<unsigned char, kRun * 16> buffer;
    const std::size_t count = v.x.size();
    for (std::size_t first = 0; first < count; first += kRun) {
        const std::size_t n = std::min(kRun, count - first);
        for (std::size_t j = 0; j < n; ++j) {
            putLE64(&buffer[16 * j], v.x[first + j]);
            putLE64(&buffer[16 * j + 8], v.y[first + j]);
        }
        file.writeBytes(buffer.data(), 16 * n);
    }
}

// Part starts are written 0-based, as the format counts points.
void writePartStarts(platform::File& file, std::span<const std::int32_t> partStarts) {
    constexpr std::size_t kRun = 256;
    std::array<unsigned char, kRun * 4> buffer;
    const std::size_t count = partStarts.size();
    for (std::size_t first = 0; first < count; first += kRun) {
        const std::size_t n = std::min(kRun, count - first);
        for (std::size_t i = 0; i < n; ++i) putLE32(&buffer[4 * i], u32(partStarts[first + i] - 1));
        file.writeBytes(buffer.data(), 4 * n);
    }
}

}  // namespace

std::array<unsigned char, kHeaderBytes> header(const ShpFileSet& set, std::int32_t lengthWords) {
    std::array<unsigned char, kHeaderBytes> h{};
    putBE32(&h[0], u32(set.fileCode));
    putBE32(&h[24], u32(lengthWords));  // file length, in 16-bit words
    putLE32(&h[28], u32(set.version));
    putLE32(&h[32], u32(set.fileShapeType));
    putLE64(&h[36], set.xmin);
    putLE64(&h[44], set.ymin);
    putLE64(&h[52], set.xmax);
    putLE64(&h[60], set.ymax);
    return h;  // z and m ranges stay zero
}

void writeHeader(platform::File& file, ShpFileSet& set) {
    set.fileCode = kFileCode;
    set.fileLengthWords = kShpHeaderWords;
    set.version = kVersion;
    const auto bytes = header(set, set.fileLengthWords);
    file.rewind();
    file.writeBytes(bytes.data(), bytes.size());
}

void writeRecord(platform::File& shp, platform::File& shx, ShpFileSet& set, ObjectKind kind,
                 std::span<const std::int32_t> partStarts, VertexView v) {
    ++set.recordCount;
    std::int32_t shapeType = kNullShape;
    switch (kind) {
        case ObjectKind::Point:
        case ObjectKind::Text: shapeType = kPointShape; break;
        case ObjectKind::Multipoint: shapeType = kMultiPointShape; break;
        case ObjectKind::Line:
        case ObjectKind::Pline:
        case ObjectKind::PlineMultiple: shapeType = kPolyLineShape; break;
        case ObjectKind::Region: shapeType = kPolygonShape; break;
        case ObjectKind::None:
        case ObjectKind::Rect:
        case ObjectKind::RoundRect:
        case ObjectKind::Arc:
        case ObjectKind::Ellipse:
        case ObjectKind::Unsupported: break;
    }
    const auto parts = static_cast<std::int32_t>(partStarts.size());
    const auto points = static_cast<std::int32_t>(v.x.size());
    // Content lengths count 16-bit words: the shape type, then the body of the shape.
    std::int32_t contentWords = 2;
    switch (shapeType) {
        case kPointShape: contentWords = 10; break;
        case kMultiPointShape: contentWords = 20 + 8 * points; break;
        case kPolyLineShape:
        case kPolygonShape: contentWords = 22 + 2 * parts + 8 * points; break;
        default: break;
    }

    // Record header, shape type and the fixed part of the body: at most 52 bytes.
    std::array<unsigned char, 52> head{};
    putBE32(&head[0], u32(set.recordCount));
    putBE32(&head[4], u32(contentWords));
    putLE32(&head[8], u32(shapeType));
    std::size_t headBytes = 12;
    switch (shapeType) {
        case kPointShape:
            putLE64(&head[12], v.x[0]);
            putLE64(&head[20], v.y[0]);
            headBytes = 28;
            widen(set, Box{v.x[0], v.y[0], v.x[0], v.y[0]});
            break;
        case kMultiPointShape: {
            const Box box = boxOf(v);
            widen(set, box);
            putBox(&head[12], box);
            putLE32(&head[44], u32(points));
            headBytes = 48;
            break;
        }
        case kPolyLineShape:
        case kPolygonShape: {
            const Box box = boxOf(v);
            widen(set, box);
            putBox(&head[12], box);
            putLE32(&head[44], u32(parts));
            putLE32(&head[48], u32(points));
            headBytes = 52;
            break;
        }
        default: break;
    }
    shp.writeBytes(head.data(), headBytes);
    if (shapeType == kPolyLineShape || shapeType == kPolygonShape) writePartStarts(shp, partStarts);
    if (shapeType != kPointShape && shapeType != kNullShape) writeVertices(shp, v);

    // .shx offsets count 16-bit words, not bytes.
    std::array<unsigned char, 2 * 4> entry;
    putBE32(&entry[0], u32(set.nextRecordWords));
    putBE32(&entry[4], u32(contentWords));
    shx.writeBytes(entry.data(), entry.size());

    set.recordShapeType = shapeType;
    set.nextRecordWords += contentWords + kRecordHeaderWords;
    set.fileLengthWords += contentWords + kRecordHeaderWords;
}

std::int32_t indexLengthWords(const ShpFileSet& set) { return kShpHeaderWords + kIndexEntryWords * set.recordCount; }

bool finish(platform::File& file, const ShpFileSet& set, std::int32_t lengthWords, std::string& reason) {
    if (set.recordCount > 0) {
        const auto bytes = header(set, lengthWords);
        file.rewind();
        file.writeBytes(bytes.data(), bytes.size());
    }
    return file.truncate(2 * static_cast<std::uint64_t>(lengthWords), reason);
}

}  // namespace zx::shp
