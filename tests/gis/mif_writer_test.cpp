// tests/gis/mif_writer_test.cpp: MapInfo layers as text: header, every object kind, style lines and
// .mid lines.
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

class MifWriterTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        useColumns({{"ID", "Char", 12}});
    }
    // The .mif text after the header of a layer "o.mif".
    std::string objectsOf(std::string_view mif) { return std::string(mif.substr(mif.find("Data\n\n") + 6)); }
};

TEST_F(MifWriterTest, HeaderListsTheColumnsAsTheTemplateHoldsThem) {
    useColumns({{"ID", "Char", 12}, {"Length", "Float", 0}, {" odd name", "whatever ", 3}});
    int id = openOutput("h.mif", "");
    table->mifCoordSysLine = "CoordSys Earth Projection 1, 104   ";
    table->writeMifHeader(table->gisAttributeTemplate, table->slot(id).mif.mifUnit);
    table->closeLayer(id);
    EXPECT_EQ(readText("h.mif"),
              "Version 300\nCharset \"WindowsLatin1\"\nDelimiter \",\"\n\nColumns 3\n"
              "  ID Char(12)\n  Length Float\n   odd name whatever(3)\nData\n\n"
              "Version 300\nCharset \"WindowsLatin1\"\nDelimiter \",\"\n"
              "CoordSys Earth Projection 1, 104\nColumns 3\n"
              "  ID Char(12)\n  Length Float\n   odd name whatever(3)\nData\n\n");
}

struct ObjectCase {
    std::string_view kind;
    bool GisObject::*flag;
    std::vector<double> xy;
    std::vector<std::int32_t> partStarts;
    std::string_view text;
};

constexpr std::string_view kStyle = "    Pen (1,2,0)\n    Brush (2,16777215,16777215)\n";

TEST_F(MifWriterTest, EachKindIsWrittenInMifSyntaxFollowedByTheStyleLines) {
    const ObjectCase cases[] = {
        {"point", &GisObject::point, {-1234.5, 0.25}, {1}, "Point     -1234.500000        0.250000\n"},
        {"multipoint", &GisObject::multipoint, {1, 2, 3, 4}, {1},
         "MultiPoint 2\n        1.000000        2.000000\n        3.000000        4.000000\n"},
        {"line", &GisObject::line, {0, 0, 1e10, -2}, {1},
         "Line         0.000000        0.000000****************       -2.000000\n"},
        {"pline", &GisObject::pline, {0, 0, 1, 1}, {1},
         "Pline 2\n        0.000000        0.000000\n        1.000000        1.000000\n"},
        {"pline of one vertex", &GisObject::pline, {5, 5}, {1},
         "Pline 2\n        5.000000        5.000000\n        5.000000        5.000000\n"},
        {"pline without vertices", &GisObject::pline, {}, {1}, "none\n"},
        {"pline multiple", &GisObject::plineMultiple, {9, 9, 0, 0, 1, 1, 5, 5}, {2, 4},
         "Pline Multiple 2\n 2\n        0.000000        0.000000\n        1.000000        1.000000\n"
         " 2\n        5.000000        5.000000\n        5.000000        5.000000\n"},
        {"region of one ring", &GisObject::region, {0, 0, 0, 1, 1, 0}, {3},
         "Region 1\n 3\n        0.000000        0.000000\n        0.000000        1.000000\n"
         "        1.000000        0.000000\n"},
        {"region of two rings", &GisObject::region, {0, 0, 0, 1, 1, 0, 7, 7}, {1, 4},
         "Region 2\n 3\n        0.000000        0.000000\n        0.000000        1.000000\n"
         "        1.000000        0.000000\n 2\n        7.000000        7.000000\n        7.000000        7.000000\n"},
        {"text", &GisObject::text, {9, 9, 0, 0.5, 5, 1}, {1},
         "Text\n\"label\"\n               0.000           0.500           5.000           1.000\n"},
        {"none", &GisObject::none, {}, {1}, "none\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        int id = openOutput("o.mif", "");
        table->slot(id).mif.styleLine1 = "    Pen (1,2,0)  ";
        table->slot(id).mif.styleLine2 = "    Brush (2,16777215,16777215)";
        object.*c.flag = true;
        write(id, c.xy, "\"label\"   ", c.partStarts);
        table->closeLayer(id);
        const bool styled = c.text != "none\n";
        EXPECT_EQ(objectsOf(readText("o.mif")), std::string(c.text) + std::string(styled ? kStyle : ""));
        EXPECT_EQ(readText("o.mid"), "\"label\"\n");
    }
}

}  // namespace
}  // namespace zx::test
