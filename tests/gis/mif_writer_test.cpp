// tests/gis/mif_writer_test.cpp: MapInfo layers as text: header, every object kind, style lines and
// .mid lines.
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

using MifWriterTest = LayerTest;

TEST_F(MifWriterTest, HeaderListsTheColumnsOfTheTemplate) {
    table->gisAttributeTemplate.columns = {{"ID", "Char", 12}, {"Length", "Float", 0}, {"Count", "Integer", 0}};
    table->mifCoordSysLine = "CoordSys Earth Projection 1, 104   ";
    int id = openOutput("h.mif", "");
    table->closeLayer(id);
    EXPECT_EQ(readText("h.mif"),
              "Version 300\nCharset \"WindowsLatin1\"\nDelimiter \",\"\nCoordSys Earth Projection 1, 104\n"
              "Columns 3\n  ID Char(12)\n  Length Float\n  Count Integer\nData\n\n");
    EXPECT_NE(ogrinfo("h.mif").find("ID: String (12.0)\nLength: Real (0.0)\nCount: Integer (0.0)\n"),
              std::string::npos);
}

struct ObjectCase {
    std::string_view kind;
    bool GisObject::*flag;
    std::vector<double> xy;
    std::vector<std::int32_t> partStarts;
    std::string_view text;
    std::string_view shape = {};  // what ogrinfo reports of it
};

// MIF readers reject a polyline section or ring of one vertex, and an empty polyline or region:
// the one vertex is written twice, and an object without vertices as one without geometry.
TEST_F(MifWriterTest, EachKindIsWrittenInMifSyntaxFollowedByTheStyleLines) {
    const ObjectCase cases[] = {
        {"point", &GisObject::point, {-1234.5, 0.25}, {1}, "Point     -1234.500000        0.250000\n",
         "POINT (-1234.5 0.25)"},
        {"line", &GisObject::line, {0, 0, 1, -2}, {1},
         "Line         0.000000        0.000000        1.000000       -2.000000\n", "LINESTRING (0 0,1 -2)"},
        {"pline of one vertex", &GisObject::pline, {5, 5}, {1},
         "Pline 2\n        5.000000        5.000000\n        5.000000        5.000000\n", "LINESTRING (5 5,5 5)"},
        {"pline without vertices", &GisObject::pline, {}, {1}, "none\n"},
        {"pline multiple", &GisObject::plineMultiple, {9, 9, 0, 0, 1, 1, 5, 5}, {2, 4},
         "Pline Multiple 2\n 2\n        0.000000        0.000000\n        1.000000        1.000000\n"
         " 2\n        5.000000        5.000000\n        5.000000        5.000000\n",
         "MULTILINESTRING ((0 0,1 1),(5 5,5 5))"},
        {"region of one ring", &GisObject::region, {0, 0, 0, 1, 1, 0}, {3},
         "Region 1\n 3\n        0.000000        0.000000\n        0.000000        1.000000\n"
         "        1.000000        0.000000\n", "POLYGON ((0 0,0 1,1 0,0 0))"},
        {"text", &GisObject::text, {9, 9, 0, 0.5, 5, 1}, {1},
         "Text\n\"label\"\n               0.000           0.500           5.000           1.000\n",
         "LABEL(t:\"label\""},
        {"none", &GisObject::none, {}, {1}, "none\n"},
    };
    table->gisAttributeTemplate.columns = {{"ID", "Char", 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        int id = openOutput("o.mif", "");
        table->slot(id).mif.styleLine1 = "    Pen (1,2,0)  ";
        table->slot(id).mif.styleLine2 = "    Brush (2,16777215,16777215)";
        put(id, c.flag, c.xy, "\"label\"   ", c.partStarts);
        table->closeLayer(id);
        const std::string mif = readText("o.mif");
        const std::string style = c.text == "none\n" ? "" : "    Pen (1,2,0)\n    Brush (2,16777215,16777215)\n";
        EXPECT_EQ(mif.substr(mif.find("Data\n\n") + 6), std::string(c.text) + style);
        EXPECT_EQ(readText("o.mid"), "\"label\"\n");
        EXPECT_NE(ogrinfo("o.mif").find(c.shape), std::string::npos);
    }
}

}  // namespace
}  // namespace zx::test
