// tests/gis/mif_reader_test.cpp: the MIF/MID layers whose header, objects or records cannot be
// read, and the reading routines called without a layer.
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

using MifReaderTest = LayerTest;

constexpr std::string_view kHeader = "Version 300\nColumns 1\n  ID Integer\nData\n";

TEST_F(MifReaderTest, UnreadableLayersStopWithTheirMessage) {
    struct Case {
        std::string mif;
        std::string pattern;
        std::int32_t nodeLimit = kMaxVertices;
        std::string mid = "1\n2\n";
    };
    const std::string header(kHeader);
    const Case cases[] = {
        {"Version 300\nData\nPoint 1 1\n", "\nERROR 0315 - Could not find start of attribute definitions in \\.mif file\n"},
        {"Columns many\n  ID Integer\nData\n", "\nERROR 0314 - Could not read number of attributes in \\.mif file\n"},
        {"Columns 0\nData\n", "\nERROR 0319 - No attributes specified in \\.mif file\\.\n"},
        {"Columns 2\n  ID Integer\n", "\nERROR 0316 - Could not read attribute definitions in \\.mif file\n"},
        // A blank column line, a name without its type.
        {"Columns 2\n  ID Integer\n\n  X Float\nData\n", "\nERROR 0316 - Could not read attribute definitions"},
        {"Columns 2\n  ID Integer\n  X\nData\n", "\nERROR 0316 - Could not read attribute definitions in \\.mif file\n  X\n"},
        {"Columns 1\n  ID Integer\nDatum\n", "\nERROR 0313 - Could not find start of \"Data\" block in \\.mif file\\.\n"},
        {header + "Collection 2\n",
         "\nERROR 0303 - MIF \"Collection\" objects not supported\\.  Delete or disaggregate object\\.\n"},
        {header + "Region 10001\n",
         "\nERROR 0304 - Exceeded maximum number of polygons in region below of 10000\nRegion 10001\n"},
        {header + "Pline Multiple two\n", "\nERROR 0308 - Reading \\.mif file\\.  Check file format is not corrupted\\.\n"},
        {header + "Multipoint\n1 1\n", "\nERROR 0308 - Reading \\.mif file\\."},
        {header + "Region\n", "\nERROR 0308 - Reading \\.mif file\\."},
        {header + "Pline 2\n0 0\nx y\n", "\nERROR 0308 - Reading \\.mif file\\.  Check file format is not corrupted\\.\nx y\n"},
        // A count stands alone and is not negative; a vertex line holds two numbers, a point line
        // its two and a line its four.
        {header + "Region 2\n  4\n0 0\n1 0\n1 1\n0 1\n0 0\n  5\n", "\nERROR 0308 - Reading \\.mif file\\.  .*\n0 0\n"},
        {header + "Pline 3\n0 0\n10 0 10 10\n5 5\n", "\nERROR 0308 - Reading \\.mif file\\.  .*\n10 0 10 10\n"},
        {header + "Multipoint -3\n", "\nERROR 0308 - Reading \\.mif file\\.  .*\nMultipoint -3\n"},
        {header + "Point 1 2 3\n", "\nERROR 0308 - Reading \\.mif file\\.  .*\nPoint 1 2 3\n"},
        {header + "Line 0 0 1 1 9\n", "\nERROR 0308 - Reading \\.mif file\\.  .*\nLine 0 0 1 1 9\n"},
        {header + "Region 1\n  3\n0 0\n1 0\n0 0\n",
         "\nERROR 0318 - Less than 5 points for Region object in mif file\\.\n"},
        {header + "Region 0\n", "\nERROR 0318 - Less than 5 points for Region object in mif file\\.\n"},
        {header + "Pline 3\n0 0\n1 1\n", "\nERROR 0309 - Unexpected end of \\.mif file encountered\\.\n"},
        {header + "Pline 3\n0 0\n1 1\n2 2\n",
         "\nERROR 0310 - Exceeded number of allowable nodes in a single polyline or region\\.\n"
         "             Requested       3        Limit       2\n",
         2},
        {header + "Region 1\n  5\n0 0\n1 0\n1 1\n0 1\n0 0\n",
         "\nERROR 0310 - Exceeded number of allowable nodes in a single polyline or region\\.\n"
         "             Requested       6        Limit       5\n",
         5},
        {header + "Point 1 2\n",
         "\nERROR 0254 - Failed to read object attribute data record for a POINT object in GIS layer\\.\n", kMaxVertices,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        writeText("bad.mif", c.mif);
        writeText("bad.mid", c.mid);
        ZX_EXPECT_STOP(readLayer("bad.mif", c.nodeLimit), c.pattern);
    }
}

// Without a layer, or on a layer of the wrong format, each routine names itself.
TEST_F(MifReaderTest, RoutinesCalledWithoutALayerNameThemselves) {
    writeText("s.mif", std::string(kHeader));
    writeText("s.mid", "");
    table->gisAttributeTemplate.columns = {{"ID", "Integer", 0}};
    const int shapefile = openOutput("o.shp", "P");
    std::vector<double> x(2);
    std::vector<double> y(2);
    ObjectReadout out{x, y, 2};
    std::string line;
    int count = 0;
    const std::string contact = " - please contact .*\\.\n";
    for (const auto& [call, pattern] : Stops{
             {[&] { table->readHeader(0); }, "^Should not be here gisReadHeader\\[gisID=0\\]" + contact},
             {[&] { table->numberAttributes(0); }, "^Should not be here gisNumberAttributes\\[gisID=0\\]" + contact},
             {[&] { table->numberRecords(0); }, "^Should not be here gisNumberRecords\\[gisID=0\\]" + contact},
             {[&] { table->gotoBeginningOfData(0); }, "^Should not be here gisGotoBeginningOfData\\[gisID=0\\]"},
             {[&] { table->gotoBeginningOfAttributes(0, count); },
              "^Should not be here gisGotoBeginningOfAttributes\\[gisID=0\\]"},
             {[&] { table->readAttributeDefinition(0); }, "^Should not be here gisReadAttributeDefinition\\[gisID=0\\]"},
             {[&] { table->objectType(0, object); }, "^Should not be here gisObjectType\\[gisID=0\\]" + contact},
             {[&] { table->readObject(0, object, out, true); }, "^Should not be here gisReadObject\\[gisID=0\\]"},
             {[&] { table->readRecord(0, object, line); }, "^Should not be here gisReadRecord\\[gisID=0\\]" + contact},
             {[&] { table->gotoBeginningOfAttributes(shapefile, count); },
              "^ Should not be here \\[gisGotoBeginningOfAttributes\\]" + contact},
             {[&] { table->readAttributeDefinition(shapefile); },
              "^ Should not be here \\[gisReadAttributeDefinition\\]" + contact},
         }) {
        ZX_EXPECT_STOP(call(), pattern);
    }
}

}  // namespace
}  // namespace zx::test
