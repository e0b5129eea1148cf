// tests/gis/layer_open_test.cpp: opening layers: the files each layer opens, and the projection
// checks of input layers.
#include <filesystem>
#include <iterator>

#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

namespace fs = std::filesystem;
using LayerOpenTest = LayerTest;

struct OpenCase {
    std::string_view name, geometry;
    bool attributeOnly;
    std::vector<std::string> files;
};

TEST_F(LayerOpenTest, EachLayerOpensTheFilesItsNameAndGeometryLettersGive) {
    const OpenCase cases[] = {
        {"roads.MIF", "", false, {"roads.mid", "roads.mif"}},
        {"roads", "", false, {"roads.mid", "roads.mif"}},
        {"table.mid", "", true, {"table.mid"}},
        {"table.csv", "", true, {"table.csv"}},
        {"a.shp", "lP", false,
         {"a_P.dbf", "a_P.prj", "a_P.shp", "a_P.shx", "a_l.dbf", "a_l.prj", "a_l.shp", "a_l.shx"}},
        {"b.shp", "LL ", false, {"b_L.dbf", "b_L.prj", "b_L.shp", "b_L.shx"}},
        {"c.shp", " ", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int id = table->openLayer(c.name, c.geometry, "O ", c.attributeOnly);
        EXPECT_EQ(id, 1);
        table->closeLayer(id);
        EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), std::ssize(c.files));
        for (const auto& f : c.files) EXPECT_TRUE(fs::remove(f)) << f;
    }
    EXPECT_EQ(table->openLayer("d.shp", "P", "I ", false), 0);  // no input set d_P.shp
}

TEST_F(LayerOpenTest, InputLayersOfAnotherProjectionAreWarnedAbout) {
    for (const auto* name : {"s_P.shp", "s_P.dbf", "m.mid"}) writeText(name, "");
    writeText("s_P.prj", "PROJCS[\"MGA zone 55\",GEOGCS[]]\n");
    writeText("m.mif", "Version 300\nCoordSys Earth Projection 8, 33, \"m\", 153\nColumns 0\nData\n");
    for (const bool same : {true, false}) {
        table->settings.shpExpectedProjection = same ? "MGA ZONE 55" : "MGA ZONE 56";
        table->settings.mifExpectedCoordSys = same ? "COORDSYSEARTHPROJECTION8,33,M,153" : "OTHER";
        const std::size_t before = console.text().size();
        for (const auto* name : {"s.shp", "m.mif"}) {
            int id = table->openLayer(name, "P", "I ", false);
            table->closeLayer(id);
        }
        const std::string said = console.text().substr(before);
        for (const std::string_view format : {".shp file is different to that specified by the SHP",
                                              ".mif file is different to that specified by the MI"}) {
            const std::string warning =
                "WARNING 0305 - Projection of " + std::string(format) + " Projection == command.\n";
            EXPECT_EQ(said.find(warning) != std::string::npos, !same) << said;
        }
    }
}

}  // namespace
}  // namespace zx::test
