// tests/gis/layer_tracking_test.cpp: the library's start-up and the workspace and list files that
// track the layers a run opens for reading.
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

class LayerTrackingTest : public LayerTest {};

TEST_F(LayerTrackingTest, StartUpWithoutNamesOpensNoFileAndFreesEverySlotAsItIs) {
    const int id = table->openLayer("open.mif", "", "O ", false);
    const int mif = table->slot(id).mif.mifUnit;
    table->gisMessageLines[0] = "old";
    table->initialise(0, "run1", "  ", "");
    EXPECT_EQ(std::vector({table->gisInputLayerTracking.workspaceUnit, table->gisInputLayerTracking.listMifUnit,
                           table->gisInputLayerTracking.listMidUnit}),
              std::vector({-1, -1, -1}));
    EXPECT_EQ(table->gisMessageLines[0], "");
    EXPECT_EQ(table->settings.gisTableExtension, ".tab");
    EXPECT_FALSE(table->slot(id).open);
    EXPECT_NE(units().file(mif), nullptr);  // freed, not closed
    const std::size_t opened = console.text().size();
    table->closeTracking();
    EXPECT_EQ(console.text().size(), opened);
}

TEST_F(LayerTrackingTest, EachNewInputLayerGetsOneRowAndOneWorkspaceLine) {
    for (const auto* name : {"a.mif", "a.mid", "b_P.shp", "b_P.dbf", "c.mif", "c.mid", "c.tab"}) writeText(name, "");
    table->initialise(0, "run1", "w", "x");
    EXPECT_EQ(readText("x_input_layers.mid"), "");
    int a = table->openLayer("a.mif", "", "I ", false);
    int b = table->openLayer("b.shp", "P", "I ", false);
    int again = table->openLayer("a.mif", "", "I ", false);
    int c = table->openLayer("c.mif", "", "I ", false);
    EXPECT_EQ(table->slot(again).trackingIndex, 1);
    EXPECT_EQ(table->slot(c).trackingIndex, 3);
    for (int* id : {&a, &b, &again, &c}) table->closeLayer(*id);
    table->closeTracking();

    const std::string here = dir.path().string() + "/";
    const std::string header =
        "!Workspace\n!Version 600\n!Charset WindowsLatin1\n!Contains GIS input layers from ORVALE simulation run1\n";
    EXPECT_EQ(readText("w.wor"), header + "! .mif/.mid Layer with no .tab Layer \"" + here + "a.mif\"\n" +
                                     "! Non-MapInfo .tab Layer \"" + here + "b.shp\"\n" + "Open Table \"" + here +
                                     "c.tab\"\n");
    EXPECT_EQ(readText("x_input_layers.mif"),
              "Version 300\nCharset \"WindowsLatin1\"\nDelimiter \",\"\nColumns 3\n"
              "  ID Integer\n  Open_ID Integer\n  Layer Char(254)\nData\n\n"
              "none\nnone\nnone\n");
    EXPECT_EQ(readText("x_input_layers.mid"), "    1,    1, \"" + here + "a.mif\"\n    2,    2, \"" + here +
                                                  "b.shp\"\n    3,    4, \"" + here + "c.mif\"\n");
}

}  // namespace
}  // namespace zx::test
