// tests/gis/shp_writer_test.cpp: a shapefile layer of every object kind, byte by byte (headers,
// shape records, index entries) and as GDAL and shapelib read it.
#include <array>

#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

using ShpWriterTest = LayerTest;

struct KindCase {
    std::string_view kind;
    bool GisObject::*flag;
    std::vector<double> xy;
    std::vector<std::int32_t> partStarts;
    std::uint32_t set;  // 0 points, 1 lines, 2 regions; a none object goes to every set
    std::uint32_t shapeType, contentWords;
    std::vector<double> box;  // the record's, for the kinds that have one
    std::string_view shape;   // as ogrinfo reports it
};

TEST_F(ShpWriterTest, EveryKindHoldsItsBytesAndIsReadByGdalAndShapelib) {
    const KindCase cases[] = {
        {"point", &GisObject::point, {1, 2}, {1}, 0, 1, 10, {}, "POINT (1 2)"},
        {"text", &GisObject::text, {3, 4, 0, 0, 5, 1}, {1}, 0, 1, 10, {}, "POINT (3 4)"},
        {"multipoint", &GisObject::multipoint, {1, 2, 3, 4}, {1}, 0, 8, 36, {1, 2, 3, 4}, "MULTIPOINT ((1 2),(3 4))"},
        {"line", &GisObject::line, {0, 0, 2, 2}, {1}, 1, 3, 40, {0, 0, 2, 2}, "LINESTRING (0 0,2 2)"},
        {"pline", &GisObject::pline, {0, 0, 1, 1, 2, 0}, {1}, 1, 3, 48, {0, 0, 2, 1}, "LINESTRING (0 0,1 1,2 0)"},
        {"pline multiple", &GisObject::plineMultiple, {0, 0, 1, 1, 5, 5, 6, 6}, {1, 3}, 1, 3, 58, {0, 0, 6, 6},
         "MULTILINESTRING ((0 0,1 1),(5 5,6 6))"},
        {"region", &GisObject::region, {0, 0, 0, 9, 9, 9, 9, 0, 0, 0, 2, 2, 4, 2, 4, 4, 2, 4, 2, 2}, {1, 6}, 2, 5, 106,
         {0, 0, 9, 9}, "POLYGON ((0 0,0 9,9 9,9 0,0 0),(2 2,4 2,4 4,2 4,2 2))"},
        {"none", &GisObject::none, {}, {1}, 0, 0, 2, {}, ""},
    };
    table->gisAttributeTemplate.columns = {{"ID", "Char", 16}, {"Length", "Float", 0}, {"Count", "Integer", 0}};
    int id = openOutput("all.shp", "PLR");
    for (const auto& c : cases) put(id, c.flag, c.xy, "\"" + std::string(c.kind) + "\",1.5,3", c.partStarts);
    table->closeLayer(id);

    const std::array<std::string_view, 3> geometries{"Point", "Line String", "Polygon"};
    for (std::uint32_t set = 0; set < 3; ++set) {
        const std::string name = std::string("all_") + "PLR"[set];
        SCOPED_TRACE(name);
        const auto shp = readBytes(name + ".shp"), shx = readBytes(name + ".shx");
        // File code and length (in 16-bit words) big-endian; version and shape type little-endian.
        EXPECT_EQ(std::vector({be32(shp, 0), 2 * be32(shp, 24), le(shp, 28), le(shp, 32)}),
                  std::vector({9994u, static_cast<std::uint32_t>(shp.size()), 1000u, 2 * set + 1}));
        EXPECT_EQ(Bytes(shp.begin() + 68, shp.begin() + 100), Bytes(32, 0));  // no z or m ranges
        EXPECT_EQ(std::vector({be32(shx, 0), 2 * be32(shx, 24)}),
                  std::vector({9994u, static_cast<std::uint32_t>(shx.size())}));
        EXPECT_EQ(Bytes(shx.begin() + 28, shx.begin() + 100), Bytes(shp.begin() + 28, shp.begin() + 100));
        EXPECT_EQ(readText(name + ".prj"), "\n");
        const std::string report = ogrinfo(name + ".shp");
        EXPECT_NE(report.find("Geometry: " + std::string(geometries[set]) + "\n"), std::string::npos) << report;
        EXPECT_NE(report.find("ID: String (16.0)\nLength: Real (16.5)\nCount: Integer (8.0)\n"), std::string::npos);
        std::uint32_t records = 0;
        for (const auto& c : cases) {
            if (c.set != set && c.shapeType != 0) continue;
            SCOPED_TRACE(c.kind);
            // The index entry holds the record's offset and content length, in 16-bit words.
            const std::size_t entry = 100 + 8 * records++;
            ASSERT_EQ(be32(shx, entry + 4), c.contentWords);
            const std::size_t at = 2 * be32(shx, entry);
            EXPECT_EQ(std::vector({be32(shp, at), be32(shp, at + 4), le(shp, at + 8)}),
                      std::vector({records, c.contentWords, c.shapeType}));
            std::size_t first = at + 12;  // a point's vertex follows its shape type
            if (!c.box.empty()) {
                EXPECT_EQ(box(shp, at + 12), c.box);
                const std::size_t parts = c.shapeType == 8 ? 0 : c.partStarts.size();
                EXPECT_EQ(le(shp, at + 44), parts > 0 ? parts : c.xy.size() / 2);
                // Part starts are 0-based in the file.
                for (std::size_t i = 0; i < parts; ++i)
                    EXPECT_EQ(le(shp, at + 52 + 4 * i) + 1, std::uint32_t(c.partStarts[i]));
                first = at + 48 + (parts > 0 ? 4 + 4 * parts : 0);
            }
            const std::size_t values = c.shapeType == 1 ? 2 : c.xy.size();
            for (std::size_t j = 0; j < values; ++j) EXPECT_EQ(le64(shp, first + 8 * j), c.xy[j]);
            const std::string shape = c.shape.empty() ? "\n" : "  " + std::string(c.shape) + "\n\n";
            EXPECT_NE(report.find("  ID (String) = " + std::string(c.kind) +
                                  "\n  Length (Real) = 1.50000\n  Count (Integer) = 3\n" + shape),
                      std::string::npos);
        }
        // The .shp record count, the .shx entry count and the .dbf header record count agree.
        EXPECT_EQ(shx.size(), 100 + 8 * records);
        const std::string counted = std::to_string(records) + " Records in file";
        EXPECT_NE(runReader({"shpinfo", name + ".shp"}).out.find(counted), std::string::npos);
        EXPECT_NE(runReader({"dbfinfo", name + ".dbf"}).out.find(counted), std::string::npos);
        EXPECT_NE(report.find("Feature Count: " + std::to_string(records) + "\n"), std::string::npos);
    }
    EXPECT_NE(runReader({"dbfdump", "all_P.dbf"}).out.find("point                     1.50000        3"),
              std::string::npos);
}

}  // namespace
}  // namespace zx::test
