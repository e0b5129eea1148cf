// tests/gis/layer_table_test.cpp: the GIS message lines and the resets of the object record and of
// a layer slot.
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

class LayerTableTest : public LayerTest {};

TEST_F(LayerTableTest, MessageLinesFollowTheirBlankLinesAndSkipBlankLaterLines) {
    OPENFREEUNIT(table->gisLogUnit, "O ", "gis.log", 1);
    const std::size_t opened = console.text().size();
    table->gisMessageLines = {"ERROR 0001 - first   ", "", "   indented", "    "};
    table->writeMessage(2);
    table->gisMessageLines[0] = "";
    table->writeMessage(0);  // line 1 is always written; line 3 is left from before
    const std::string expected = "\n\nERROR 0001 - first\n   indented\n\n   indented\n";
    EXPECT_EQ(console.text().substr(opened), expected);
    CLOSER(table->gisLogUnit);
    EXPECT_EQ(readText("gis.log"), expected);
}

TEST_F(LayerTableTest, ResetsKeepWhatTheyDoNotOwn) {
    object.pline = object.text = object.done = true;
    object.count = object.nr = 7;
    object.ir = {4, 5};
    object.kindName = "PLINE";
    gisInitialiseObject(object);
    EXPECT_FALSE(object.pline || object.text);
    EXPECT_TRUE(object.done);
    EXPECT_EQ(std::vector({object.count, object.nr, object.ir[0], object.ir[1]}), std::vector({1, 1, 1, 5}));
    EXPECT_EQ(object.kindName, "");

    LayerSlot& layer = table->slot(3);
    layer.open = layer.output = layer.endOfFile = true;
    layer.trackingIndex = 9;
    layer.format = LayerFormat::Shapefile;
    layer.shp[2].xmin = 5;
    layer.dbf[1].recordsDone = 4;
    table->initialiseLayer(3);
    EXPECT_TRUE(layer.open);
    EXPECT_EQ(layer.trackingIndex, 9);
    EXPECT_FALSE(layer.output || layer.endOfFile);
    EXPECT_EQ(layer.format, LayerFormat::None);
    EXPECT_EQ(layer.dbf[1].recordsDone, 0);
    for (const ShpFileSet& set : layer.shp) {
        EXPECT_EQ(std::vector({set.xmin, set.ymin, set.xmax, set.ymax}), std::vector({0.0, 0.0, -1.0, -1.0}));
    }
    ZX_EXPECT_STOP(table->initialiseLayer(0), "^Should not be here gisInitialiseLayer\\[gisID=0\\] - please contact " +
                                                  contactPattern() + "\\.\n");
}

}  // namespace
}  // namespace zx::test
