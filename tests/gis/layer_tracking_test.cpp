// tests/gis/layer_tracking_test.cpp: the workspace and list files that track the layers a run
// opens for reading.
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

using LayerTrackingTest = LayerTest;

TEST_F(LayerTrackingTest, EachNewInputLayerGetsOneRowAndOneWorkspaceLine) {
    for (const auto* name : {"a.mif", "a.mid", "b_P.shp", "b_P.dbf", "c.mif", "c.mid", "c.tab"}) writeText(name, "");
    table->initialise(0, "run1", "w", "x");
    for (const auto* name : {"a.mif", "b.shp", "a.mif", "c.mif"}) table->openLayer(name, "P", "I ", false);
    table->closeTracking();

    const std::string here = dir.path().string() + "/";
    EXPECT_EQ(readText("w.wor"),
              "!Workspace\n!Version 600\n!Charset WindowsLatin1\n!Contains GIS input layers from ORVALE simulation "
              "run1\n! .mif/.mid Layer with no .tab Layer \"" +
                  here + "a.mif\"\n! Non-MapInfo .tab Layer \"" + here + "b.shp\"\nOpen Table \"" + here + "c.tab\"\n");
    EXPECT_EQ(readText("x_input_layers.mif"),
              "Version 300\nCharset \"WindowsLatin1\"\nDelimiter \",\"\nColumns 3\n"
              "  ID Integer\n  Open_ID Integer\n  Layer Char(254)\nData\n\nnone\nnone\nnone\n");
    // A layer opened again gets no new row; the second column is the layer id of its opening.
    EXPECT_EQ(readText("x_input_layers.mid"), "    1,    1, \"" + here + "a.mif\"\n    2,    2, \"" + here +
                                                  "b.shp\"\n    3,    4, \"" + here + "c.mif\"\n");
}

}  // namespace
}  // namespace zx::test
