// tests/gis/shp_reader_test.cpp: malformed shape records end the run naming the record, before
// any coordinate lands outside an array or the next record is read from the middle of this one.
#include <cstdint>
#include <fstream>
#include <optional>

#include "gis/byte_order.hpp"
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

using ShpReaderTest = LayerTest;

Bytes le32(std::int32_t v) {
    Bytes b(4);
    bytes::putLE32(b.data(), static_cast<std::uint32_t>(v));
    return b;
}

Bytes cat(std::initializer_list<Bytes> pieces) {
    Bytes out;
    for (const Bytes& p : pieces) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A polyline (3) or polygon (5) record's content: box, counts, part starts, then `written` points.
Bytes parted(std::int32_t type, std::int32_t parts, std::int32_t points, std::vector<std::int32_t> starts,
             int written) {
    Bytes content = cat({le32(type), Bytes(32), le32(parts), le32(points)});
    for (const std::int32_t s : starts) content = cat({content, le32(s)});
    for (int i = 0; i < written; ++i) {
        Bytes xy(16);
        bytes::putLE64(xy.data(), i);
        bytes::putLE64(xy.data() + 8, i * i);
        content = cat({content, xy});
    }
    return content;
}

// A .shp file of the record contents; lengthWords overrides the header's file length.
Bytes shpFile(const std::vector<Bytes>& contents, std::optional<std::int32_t> lengthWords = {}) {
    Bytes file(100);
    bytes::putBE32(&file[0], 9994);
    bytes::putLE32(&file[28], 1000);
    std::int32_t number = 0;
    for (const Bytes& content : contents) {
        Bytes head(8);
        bytes::putBE32(&head[0], static_cast<std::uint32_t>(++number));
        bytes::putBE32(&head[4], static_cast<std::uint32_t>(content.size() / 2));
        file = cat({file, head, content});
    }
    bytes::putBE32(&file[24], static_cast<std::uint32_t>(lengthWords.value_or(std::int32_t(file.size() / 2))));
    return file;
}

TEST_F(ShpReaderTest, MalformedRecordsStopNamingTheRecord) {
    writePointLayer("b.shp", {{1, 1}, {2, 2}});
    const Bytes point = cat({le32(1), Bytes(16)});
    const std::string typeError = "\nERROR 0424 - Reading \\.shp file object type\\.\n";
    const std::string coordinateError = "\nERROR 0429 - Reading \\.shp file object coordinates\\.\n";
    struct Case {
        Bytes file;
        std::string pattern;
        std::int32_t nodeLimit = kMaxVertices;
    };
    const Case cases[] = {
        {shpFile({parted(3, -1, 2, {}, 2)}), typeError + "Record 1: part count -1\\.\n"},
        {shpFile({parted(3, 1, -4, {0}, 0)}), typeError + "Record 1: point count -4\\.\n"},
        {shpFile({parted(3, 1, 1000, {0}, 2)}),
         typeError + "Record 1: more parts and points than its content length holds\\.\n"},
        {shpFile({parted(3, 1, 2, {1}, 2)}), typeError + "Record 1: its first part starts at point 1\\.\n"},
        {shpFile({parted(3, 3, 4, {0, 3, 2}, 4)}), typeError + "Record 1: part 3 starts at point 2\\.\n"},
        {shpFile({parted(3, 3, 4, {0, 2, INT32_MIN}, 4)}),
         typeError + "Record 1: part 3 starts at point -2147483648\\.\n"},
        {shpFile({parted(3, 2, 4, {0, 5}, 4)}), typeError + "Record 1: part 2 has -1 points\\.\n"},
        {shpFile({parted(3, 0, 2, {}, 2)}), typeError + "Record 1: points without parts\\.\n"},
        {shpFile({cat({le32(8), Bytes(32), le32(-1)})}), typeError + "Record 1: point count -1\\.\n"},
        // A ring of one point has no second point to repeat behind it.
        {shpFile({parted(5, 2, 3, {0, 2}, 3)}), coordinateError + "Record 1: part 2 has 1 points\\.\n"},
        // The second record claims more than the file holds.
        {[&] {
             Bytes f = shpFile({point, point});
             bytes::putBE32(&f[132], 1000);
             return f;
         }(),
         typeError + "Record 2: content length 1000 words\\.\n"},
        {shpFile({le32(1)}), typeError + "Record 1: a point record without its point\\.\n"},
        {shpFile({parted(3, 10000, 0, {}, 0)}),
         "\nERROR 0421 - Exceeded maximum number of parts in a \\.shp polyline\\.  Limit is 10000\n"},
        {shpFile({parted(5, 10000, 0, {}, 0)}),
         "\nERROR 0422 - Exceeded maximum number of regions within a \\.shp region\\.  Limit is 10000\n"},
        {shpFile({cat({le32(40), Bytes(16)})}), "\nERROR 0423 - Unsupported \\.shp object type Unknown \\[40\\]\n"},
        {shpFile({cat({le32(13), Bytes(16)})}), "\nERROR 0423 - Unsupported \\.shp object type PolyLineZ \\[13\\]\n"},
        // The header promises a record the file does not hold in full.
        {[&] {
             Bytes f = shpFile({point});
             f.resize(f.size() - 8);
             return f;
         }(),
         "\nERROR 0430 - End of \\.shp file encountered whilst reading object coordinates\\.\n"},
        {shpFile({parted(3, 1, 3, {0}, 3)}),
         "\nERROR 0310 - Exceeded number of allowable nodes in a single \\.shp polyline or region\\.\n"
         "             Requested       3        Limit       2\n",
         2},
        {Bytes(60), "\nERROR 0428 - End of \\.shp file encountered whilst reading header\\.\n"},
        // A file length shorter than the header itself.
        {shpFile({point}, -2), "\nERROR 0427 - Reading \\.shp file header\\.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        std::ofstream(dir.file("b_P.shp"), std::ios::binary)
            .write(reinterpret_cast<const char*>(c.file.data()), static_cast<std::streamsize>(c.file.size()));
        ZX_EXPECT_STOP(readLayer("b_P.shp", c.nodeLimit), c.pattern);
    }
}

}  // namespace
}  // namespace zx::test
