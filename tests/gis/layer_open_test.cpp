// tests/gis/layer_open_test.cpp: opening layers: ids, formats, the files each layer opens, the
// console transcript, the projection checks of input layers and the fatal cases.
#include <algorithm>
#include <filesystem>

#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

namespace fs = std::filesystem;

class LayerOpenTest : public LayerTest {
protected:
    void openAndClose(std::string_view name, std::string_view geometry, std::string_view mode) {
        int id = table->openLayer(name, geometry, mode, false);
        table->closeLayer(id);
    }
};

struct OpenCase {
    std::string_view name;
    bool attributeOnly;
    std::vector<std::string> files;
};

TEST_F(LayerOpenTest, MapInfoAndAttributeOnlyLayersOpenTheFilesTheirExtensionNames) {
    const OpenCase cases[] = {
        {"roads.MIF", false, {"roads.mid", "roads.mif"}},
        {"roads", false, {"roads.mid", "roads.mif"}},
        {"roads.mid", false, {"roads.mid", "roads.mif"}},
        {"table.mid", true, {"table.mid"}},
        {"table.csv", true, {"table.csv"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int id = table->openLayer(c.name, "", "O ", c.attributeOnly);
        EXPECT_EQ(id, 1);
        EXPECT_EQ(table->slot(id).format, LayerFormat::Mif);
        EXPECT_EQ(table->slot(id).mif.mifUnit > 0, !c.attributeOnly);
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(".")) files.push_back(entry.path().filename().string());
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, c.files);
        table->closeLayer(id);
        for (const auto& f : c.files) fs::remove(f);
    }
}

TEST_F(LayerOpenTest, ShapefileLayerOpensOneSetPerLetterInTheLettersOrder) {
    const int id = table->openLayer("a.shp", "lP", "O ", false);
    std::string expected = "Opening GIS Layer: a.shp\nGIS Layer assigned ID of 1\n";
    int unit = 1000;
    for (const std::string set : {"a_l", "a_P"}) {
        for (const std::string ext : {".shp", ".shp", ".shx", ".shx", ".prj", ".dbf"}) {
            expected += " Trying to open file " + set + ext + "...OK.  File Unit:" + std::to_string(++unit) + "\n";
        }
    }
    EXPECT_EQ(console.text(), expected);
    const LayerSlot& layer = table->slot(id);
    EXPECT_TRUE(layer.open && layer.output);
    EXPECT_EQ(layer.format, LayerFormat::Shapefile);
    EXPECT_EQ(std::vector({layer.shp[0].fileShapeType, layer.shp[1].fileShapeType}), std::vector({1, 3}));
    EXPECT_EQ(layer.shp[2].shpUnit + layer.dbf[2].unit, 0);

    // A repeated letter opens its set once; a blank geometry opens no set at all.
    const int twice = table->openLayer("b.shp", "LL ", "O ", false);
    EXPECT_EQ(table->slot(twice).dbf[1].unit, 1018);
    const int bare = table->openLayer("c.shp", " ", "O ", false);
    EXPECT_TRUE(table->slot(bare).open);
    EXPECT_EQ(table->slot(bare).dbf[0].unit + table->slot(bare).dbf[1].unit + table->slot(bare).dbf[2].unit, 0);
    EXPECT_EQ(table->openLayer("d.shp", "P", "I ", false), 0);  // no input set d_P.shp
    EXPECT_FALSE(table->slot(4).open);
}

TEST_F(LayerOpenTest, ProjectionNameIsTheFirstItemAfterProjcs) {
    std::string quoted = R"(PROJCS["GDA94 / MGA zone 56",GEOGCS["GCS_GDA_1994"]])";
    std::string bare = "projcs[British_National_Grid,GEOGCS[x]]";
    std::string none = "GEOGCS[\"WGS 84\"]";
    EXPECT_EQ(table->projectionName(quoted), "GDA94 / MGA ZONE 56");
    EXPECT_EQ(table->projectionName(bare), "BRITISH_NATIONAL_GRID");
    EXPECT_EQ(bare, "PROJCS[BRITISH_NATIONAL_GRID,GEOGCS[X]]");
    EXPECT_EQ(table->projectionName(none), "");
    EXPECT_EQ(console.text(),
              "WARNING 0420 - Could not find PROJCS definition.  Projection of .shp file might not be cartesian.\n");
}

TEST_F(LayerOpenTest, InputLayersAreCheckedAgainstTheExpectedProjection) {
    for (const auto* name : {"s_P.shp", "s_P.dbf", "m.mid"}) writeText(name, "");
    writeText("s_P.prj", "PROJCS[\"MGA zone 55\",GEOGCS[]]\n");
    writeText("m.mif", "Version 300\nCoordSys Earth Projection 8, 33, \"m\", 153\nColumns 0\nData\n");
    table->settings.shpExpectedProjection = "MGA ZONE 55";
    table->settings.mifExpectedCoordSys = "COORDSYSEARTHPROJECTION8,33,M,153";
    openAndClose("s.shp", "P", "I ");
    openAndClose("m.mif", "", "I ");
    EXPECT_EQ(console.text().find("0305"), std::string::npos);

    table->settings.shpExpectedProjection = "MGA ZONE 56";
    table->settings.mifExpectedCoordSys = "OTHER";
    const std::size_t matched = console.text().size();
    openAndClose("s.shp", "P", "I ");
    openAndClose("m.mif", "", "I ");
    const std::string mismatched = console.text().substr(matched);
    EXPECT_NE(mismatched.find("WARNING 0305 - Projection of .shp file is different to that specified by the SHP "
                              "Projection == command.\n"),
              std::string::npos);
    EXPECT_NE(mismatched.find("WARNING 0305 - Projection of .mif file is different"), std::string::npos);

    table->settings.gisProjectionCheckIsError = true;
    writeText("m.mif", "Version 300\nColumns 0\nData\n");
    expectStops({
        {[&] { table->openLayer("s.shp", "P", "I ", false); },
         "\nERROR 0305 - Projection of .shp file is different to that specified by the SHP Projection == command\\.\n"
         "Use \"GIS Projection Check == WARNING\" to change message to a WARNING\\.\n"},
        {[&] { table->openLayer("m.mif", "", "I ", false); },
         "\nWARNING 0306 - Problems finding CoordSys line in \\.mif file\\.\n.*ERROR 0305 - Projection of \\.mif file "
         "is different to that specified by the MI Projection == command\\.\nUse \"MI Projection Check == WARNING\""},
        {[&] {
             writeText("s_P.prj", "");
             table->openLayer("s.shp", "P", "I ", false);
         },
         "\nERROR 0420 - Could not read projection line in \\.prj file\\.\n"},
    });
}

TEST_F(LayerOpenTest, FatalOpens) {
    const std::string contact = " - please contact " + contactPattern() + "\\.\n";
    DbfTable& dbf = table->slot(1).dbf[0];
    ShpFileSet& shp = table->slot(1).shp[0];
    expectStops({
        {[&] { table->openLayer("x.dbf", "P", "O ", false); },
         "\nERROR 0252 - \\.dbf is not a supported GIS file format\\.\n"},
        {[&] { table->openLayer("t.csv", "", "O ", false); }, "ERROR 0252 - \\.csv is not"},
        {[&] { table->openLayer("a.mif", "", "IO", false); }, "\n Should not be here \\[OpenGIS\\]" + contact},
        {[&] { table->openLayer("a.shp", " L", "O ", false); }, "\nShould not be here \\[OpenshpFileType\\]" + contact},
        {[&] { table->openShpFile("a.dbf", "P", dbf, shp, "O ", false); },
         "^\nERROR 0426 - \\.shp file not specified\\.\n"},
        {[&] { table->openShpFile("a.shp", "P", dbf, shp, "BO", false); },
         "^Should not be here \\[OpenshpFile\\]" + contact},
        {[&] { table->openShpFile("a.shp", " ", dbf, shp, "O ", false); },
         "^Should not be here \\[OpenshpFileO\\]" + contact},
        {[&] {
             for (int i = 0; i <= gisMaxLayers; ++i) table->openLayer("m" + std::to_string(i), "", "O ", false);
         },
         "Opening GIS Layer: m100\n\nERROR 0251 - Cannot have more than 100 GIS layers open at once\\.\n"},
    });
}

}  // namespace
}  // namespace zx::test
