// tests/gis/layer_write_test.cpp: layers of every object kind, in both formats, as GDAL and
// shapelib read them, and the stops of the write entry points on layers they cannot write.
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

class LayerWriteTest : public LayerTest {
protected:
    void writeEveryKind(std::string_view name, std::string_view geometry) {
        useColumns({{"ID", "Char", 12}, {"Length", "Float", 0}, {"Count", "Integer", 0}});
        int id = openOutput(name, geometry);
        put(id, &GisObject::point, {1, 2}, "\"p1\",1.5,3");
        put(id, &GisObject::multipoint, {1, 2, 3, 4}, "\"m1\",0,0");
        put(id, &GisObject::line, {0, 0, 2, 2}, "\"l0\",0,0");
        put(id, &GisObject::pline, {0, 0, 1, 1, 2, 0}, "\"l1\",2.5,4");
        put(id, &GisObject::plineMultiple, {0, 0, 1, 1, 5, 5, 6, 6}, "\"l2\",0,0", {1, 3});
        put(id, &GisObject::region, {0, 0, 0, 10, 10, 10, 10, 0, 0, 0, 2, 2, 4, 2, 4, 4, 2, 4, 2, 2}, "\"r1\",0,0",
            {1, 6});
        put(id, &GisObject::none, {}, "\"n1\",0,0");
        table->closeLayer(id);
    }
};

struct ReaderCase {
    std::string file;
    std::string_view geometry;
    int features;
    std::string_view fields;
    std::vector<std::string_view> shapes;
};

TEST_F(LayerWriteTest, GdalAndShapelibReadEveryKind) {
    writeEveryKind("all.shp", "PLR");
    writeEveryKind("all.mif", "");
    const std::string_view line = "LINESTRING (0 0,1 1,2 0)", lines = "MULTILINESTRING ((0 0,1 1),(5 5,6 6))";
    const std::string_view points = "MULTIPOINT ((1 2),(3 4))", line0 = "LINESTRING (0 0,2 2)";
    const std::string_view region = "POLYGON ((0 0,0 10,10 10,10 0,0 0),(2 2,4 2,4 4,2 4,2 2))";
    const std::string_view shpFields = "ID: String (12.0)\nLength: Real (16.5)\nCount: Integer (8.0)\n";
    const ReaderCase cases[] = {
        {"all_P.shp", "Point", 3, shpFields, {"POINT (1 2)", points}},
        {"all_L.shp", "Line String", 4, shpFields, {line0, line, lines}},
        {"all_R.shp", "Polygon", 2, shpFields, {region}},
        {"all.mif", "Unknown (any)", 7, "ID: String (12.0)\nLength: Real (0.0)\nCount: Integer (0.0)\n",
         {"POINT (1 2)", points, line0, line, lines, region}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string report = ogrinfo(c.file);
        EXPECT_NE(report.find("Geometry: " + std::string(c.geometry) + "\n"), std::string::npos) << report;
        EXPECT_NE(report.find("Feature Count: " + std::to_string(c.features) + "\n"), std::string::npos);
        EXPECT_NE(report.find(c.fields), std::string::npos);
        EXPECT_NE(report.find("  ID (String) = n1\n"), std::string::npos);
        for (const auto shape : c.shapes) EXPECT_NE(report.find("  " + std::string(shape) + "\n"), std::string::npos);
        if (c.file.ends_with(".mif")) continue;

        const std::string counted = std::to_string(c.features) + " Records in file";
        const std::string base = c.file.substr(0, c.file.size() - 4);
        EXPECT_NE(runReader({"shpinfo", c.file}).out.find(counted), std::string::npos);
        EXPECT_NE(runReader({"dbfinfo", base + ".dbf"}).out.find(counted), std::string::npos);
        EXPECT_EQ(readBytes(base + ".shx").size(), 100u + 8u * static_cast<unsigned>(c.features));
    }
    EXPECT_NE(ogrinfo("all.mif").find("  ID (String) = p1\n  Length (Real) = 1.5\n  Count (Integer) = 3\n"),
              std::string::npos);
    EXPECT_NE(runReader({"dbfdump", "all_P.dbf"}).out.find("p1                    1.50000        3"),
              std::string::npos);

    useColumns({{"Label", "Char", 20}});
    int id = openOutput("text.mif", "");
    put(id, &GisObject::text, {0, 0, 1, 1, 5, 2}, "\"hello world\"");
    table->closeLayer(id);
    EXPECT_NE(ogrinfo("text.mif").find("  Label (String) = hello world\n  Style = LABEL(t:\"hello world\""),
              std::string::npos);
}

TEST_F(LayerWriteTest, EntryPointsStopOnLayersThatCannotBeWritten) {
    const std::string contact = " - please contact " + contactPattern() + "\\.\n";
    const std::string pleaseContact = "\\.  Please contact " + contactPattern();
    useColumns({{"ID", "Char", 4}});
    const int mif = openOutput("o.mif", "");
    int mid = table->openLayer("only.mid", "", "O ", true);
    int shp = table->openLayer("s.shp", "L", "O ", false);
    const GisObject none;
    GisObject plineKind;
    plineKind.kindName = "PLINE  ";
    expectStops({
        {[&] { table->writeHeader(0); }, "^Should not be here gisWriteHeader\\[gisID=0\\]" + contact},
        {[&] { table->writeHeader(7); }, "^\nShould not be here \\[gisWriteHeader\\]" + contact},
        {[&] { table->writeObject(0, object); }, "^Should not be here gisWriteObject\\[gisID=0\\]" + contact},
        {[&] { table->writeObject(7, object); }, "^\nShould not be here \\[gisWriteObject\\]" + contact},
        {[&] { table->writeRecord(0, object); }, "^Should not be here gisWriteRecord\\[gisID=0\\]" + contact},
        {[&] { table->writeRecord(7, object); }, "^\nShould not be here \\[gisWriteRecord\\]" + contact},
        {[&] { table->writeRecordLarge(0, object); }, "^Should not be here gisWriteRecordLarge\\[gisID=0\\]" + contact},
        {[&] { table->writeRecordLarge(7, object); }, "^\nShould not be here \\[gisWriteRecordLarge\\]" + contact},
        {[&] { table->writeObject(mif, object); },
         "^\nERROR 0350 - Trying to write a MIF object that is not yet supported" + pleaseContact},
        {[&] { put(mid, &GisObject::point, {1, 1}, ""); },
         "^\nERROR 0439 - Writing \\.mif file object coordinates\\.\n"},
        {[&] { table->writeObject(shp, object); }, "^\nShould not be here \\[gisWriteObject-shp\\]" + pleaseContact},
        {[&] { table->writeShpObject(object, table->slot(shp).shp[1]); },
         "^\nERROR 0350 - Trying to write a SHP object that is not yet supported" + pleaseContact},
        {[&] { put(shp, &GisObject::point, {1, 1}, ""); },
         "^\nERROR 0439 - Writing \\.shp file object coordinates\\.\n"},
        {[&] { table->writeShpFileHeader(table->slot(shp).shp[0], 0, 0); },
         "^\nShould not be here \\[shpnotopen\\]" + contact},
        {[&] { table->writeRecord(shp, none); }, "^\nShould not be here \\[gisWriteRecord-dbf\\]" + pleaseContact},
        {[&] { table->writeRecordLarge(shp, none); },
         "^\nShould not be here \\[gisWriteRecordLarge-dbf\\]" + pleaseContact},
        {[&] {
             table->slot(mif).mif.midUnit = 0;
             table->writeRecord(mif, plineKind);
         },
         "^\nERROR 0254 - Failed to write attribute data record for a PLINE object in GIS layer\\.\n"},
        {[&] {
             table->slot(mif).mif.midUnit = 0;
             table->writeRecordLarge(mif, plineKind);
         },
         "^\nERROR 0254 - Failed to write large attribute data record for a PLINE object in GIS layer\\.\n"},
    });
}

TEST_F(LayerWriteTest, PartsAreCheckedBeforeAnythingIsWritten) {
    const std::string contact = " - please contact " + contactPattern() + "\\.\n";
    useColumns({{"ID", "Char", 4}});
    const int id = openOutput("s.shp", "L");
    auto pline = [&](std::vector<double> xy, std::vector<std::int32_t> starts, std::int32_t nv) {
        return [=, this] {
            object.pline = true;
            setVertices(xy, starts);
            table->gisObjectVertices.nv = nv;
            table->writeObject(id, object);
        };
    };
    expectStops({
        {pline({0, 0, 1, 1, 2, 2}, {1, 3, 3}, 3),
         "^\nShould not be here \\[gisO_%ir\\(i\\) <= gisO_%ir\\(i-1\\)\\]" + contact +
             "GIS Layer   =    1\ni           =    3\ngisO_%ir\\(i\\) =    3\ngisO_%nr    =    3\n"},
        {pline({0, 0, 1, 1}, {1, 3}, 2), "^\nShould not be here \\[gisO_%ir\\]" + contact},
        {pline({0, 0, 1, 1}, {1, 2}, 3), "^\nShould not be here \\[gisObjectVertices%nv\\]" + contact},
        {[&] {
             object.pline = true;
             object.nr = 2;
             table->writeObject(id, object);
         },
         "^\nShould not be here \\[gisO_%nr\\]" + contact},
    });
    // A part count below 1 and a first part start below 1 are taken as 1, in the caller's record too.
    object.pline = true;
    setVertices({0, 0, 1, 1}, {0});
    object.nr = 0;
    table->writeObject(id, object);
    EXPECT_EQ(std::vector({object.nr, object.ir[0]}), std::vector({1, 1}));
}

}  // namespace
}  // namespace zx::test
