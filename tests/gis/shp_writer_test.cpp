// tests/gis/shp_writer_test.cpp: shapefile sets byte by byte: the header written at the start, and
// per object kind its record and index entry.
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

class ShpWriterTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        useColumns({{"ID", "Char", 8}});
    }
};

TEST_F(ShpWriterTest, HeaderWrittenAtTheStartHoldsTheEmptyBox) {
    openOutput("p.shp", "P");
    const auto shp = readBytes("p_P.shp");
    ASSERT_EQ(shp.size(), 100u);
    EXPECT_EQ(std::vector({be32(shp, 0), be32(shp, 24), le(shp, 28), le(shp, 32)}),
              std::vector({9994u, 50u, 1000u, 1u}));
    EXPECT_EQ(box(shp, 36), std::vector({0.0, 0.0, -1.0, -1.0}));
    EXPECT_EQ(Bytes(shp.begin() + 68, shp.end()), Bytes(32, 0));
    EXPECT_EQ(readBytes("p_P.shx"), shp);
    EXPECT_EQ(readText("p_P.prj"), "\n");
}

struct RecordCase {
    std::string_view kind;
    bool GisObject::*flag;
    std::vector<double> xy;
    std::vector<std::int32_t> partStarts;
    std::uint32_t shapeType;
    std::uint32_t contentWords;
    std::string_view set;
    std::vector<double> box;  // the record's, for the kinds that have one
};

TEST_F(ShpWriterTest, EachKindHasItsShapeTypeContentLengthAndBody) {
    const RecordCase cases[] = {
        {"point", &GisObject::point, {10, 20}, {1}, 1, 10, "P", {}},
        {"text", &GisObject::text, {10, 20, 0, 0, 5, 1}, {1}, 1, 10, "P", {}},
        {"line", &GisObject::line, {0, 0, 4, 3}, {1}, 3, 40, "L", {0, 0, 4, 3}},
        {"pline multiple", &GisObject::plineMultiple, {0, 0, 1, 1, 5, 5, 6, 2}, {1, 3}, 3, 58, "L", {0, 0, 6, 5}},
        {"region", &GisObject::region, {0, 0, 0, 9, 9, 9, 0, 0, 2, 2, 3, 2, 2, 3, 2, 2}, {1, 5}, 5, 90, "R",
         {0, 0, 9, 9}},
        {"multipoint", &GisObject::multipoint, {1, 2, 3, 4}, {1}, 8, 36, "P", {1, 2, 3, 4}},
        {"none", &GisObject::none, {}, {1}, 0, 2, "P", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::string name = "k_" + std::string(c.set);
        int id = openOutput("k.shp", c.set);
        put(id, c.flag, c.xy, "\"x\"", c.partStarts);
        table->closeLayer(id);
        const auto shp = readBytes(name + ".shp");
        ASSERT_EQ(shp.size(), 108 + 2 * c.contentWords);
        EXPECT_EQ(std::vector({be32(shp, 100), be32(shp, 104), le(shp, 108)}),
                  std::vector({1u, c.contentWords, c.shapeType}));
        const auto shx = readBytes(name + ".shx");
        ASSERT_EQ(shx.size(), 108u);
        EXPECT_EQ(std::vector({be32(shx, 24), be32(shx, 100), be32(shx, 104)}),
                  std::vector({54u, 50u, c.contentWords}));
        EXPECT_EQ(Bytes(shx.begin() + 28, shx.begin() + 100), Bytes(shp.begin() + 28, shp.begin() + 100));
        std::size_t first = 112;  // a point's vertex follows its shape type
        if (!c.box.empty()) {
            EXPECT_EQ(box(shp, 112), c.box);
            EXPECT_EQ(box(shp, 36), c.box);  // the file's extent, of its one object
            const std::size_t parts = c.shapeType == 8 ? 0 : c.partStarts.size();
            EXPECT_EQ(le(shp, 144), parts > 0 ? parts : c.xy.size() / 2);
            for (std::size_t i = 0; i < parts; ++i) EXPECT_EQ(le(shp, 152 + 4 * i) + 1, std::uint32_t(c.partStarts[i]));
            first = 148 + (parts > 0 ? 4 + 4 * parts : 0);
        }
        const std::size_t values = c.shapeType == 1 ? 2 : c.xy.size();
        for (std::size_t j = 0; j < values; ++j) EXPECT_EQ(le64(shp, first + 8 * j), c.xy[j]);
    }
}

TEST_F(ShpWriterTest, TextBecomesAPointAndNoneGoesToEverySetWithATable) {
    int id = openOutput("t.shp", "PL");
    object.text = true;
    write(id, {7, 8, 0, 0, 5, 1}, "\"label\"");
    EXPECT_TRUE(object.point && !object.text);
    object.point = false;
    put(id, &GisObject::none, {}, "\"nothing\"");
    const LayerSlot& layer = table->slot(id);
    EXPECT_EQ(std::vector({layer.shp[0].recordCount, layer.shp[1].recordCount, layer.dbf[1].recordsDone}),
              std::vector({2, 1, 1}));
    EXPECT_EQ(layer.shp[1].xmin, static_cast<double>(9e29f));  // a null record widens nothing
}

}  // namespace
}  // namespace zx::test
