// tests/gis/layer_write_test.cpp: the paths on which the layer routines end the run: opening,
// headers, objects and records that cannot be written.
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

using LayerWriteTest = LayerTest;

// Errors say what failed; internal stops name the routine and ask to contact the maker.
TEST_F(LayerWriteTest, FatalPathsEndTheRunWithTheirMessage) {
    const std::string contact = " - please contact .*\\.\n";
    table->gisAttributeTemplate.columns = {{"ID", "Char", 4}};
    const int mif = openOutput("o.mif", "");
    const int shp = openOutput("s.shp", "L");
    for (const auto* name : {"in_P.shp", "in_P.dbf", "m.mid", "bad_P.shp", "bad_P.prj"}) writeText(name, "");
    writeText("in_P.prj", "PROJCS[\"MGA zone 55\",GEOGCS[]]\n");
    writeText("m.mif", "Version 300\nColumns 0\nData\n");
    table->settings.gisProjectionCheckIsError = true;
    table->settings.mifExpectedCoordSys = "X";
    table->settings.shpExpectedProjection = "MGA ZONE 56";
    auto header = [&](std::vector<GisAttributeColumn> columns) {
        return [=, this] {
            table->gisAttributeTemplate.columns = columns;
            openOutput("t.shp", "P");
        };
    };
    auto line = [&](std::vector<std::int32_t> partStarts) {
        return [=, this] { put(shp, &GisObject::pline, {0, 0, 1, 1, 2, 2}, "", partStarts); };
    };
    for (const auto& [call, pattern] : Stops{
             {[&] { table->openLayer("x.dbf", "P", "O ", false); }, "ERROR 0252 - \\.dbf is not a supported GIS file"},
             {[&] { table->openLayer("in.shp", "P", "I ", false); },
              "\nERROR 0305 - Projection of \\.shp file is different to that specified by the SHP Projection == "
              "command\\.\nUse \"GIS Projection Check == WARNING\" to change message to a WARNING\\.\n"},
             {[&] { table->openLayer("m.mif", "", "I ", false); },
              "\nWARNING 0306 - Problems finding CoordSys line in \\.mif file\\.\n.*ERROR 0305 - Projection of "
              "\\.mif file is different to that specified by the MI Projection == command\\.\nUse \"MI Projection "
              "Check == WARNING\""},
             {[&] { table->openLayer("bad.shp", "P", "I ", false); },
              "\nERROR 0420 - Could not read projection line in \\.prj file\\.\n"},
             {header({}), "\n\nERROR 0319 - No attributes specified when writing \\.dbf file\\.\n"},
             {header({{"A", "Char", 4}, {"B", "Char", 0}}),
              "\n\nERROR 0412 - dbf field length of 0 is outside allowable range of 1 to 255 when writing dbf file"},
             {[&] { table->writeObject(mif, object); },
              "^\nERROR 0350 - Trying to write a MIF object that is not yet supported\\.  Please contact .*\\.\n"},
             {[&] { put(shp, &GisObject::point, {1, 1}, ""); }, "^\nERROR 0439 - Writing \\.shp file object"},
             {line({1, 3, 3}),
              "^\nShould not be here \\[gisO_%ir\\(i\\) <= gisO_%ir\\(i-1\\)\\]" + contact +
                  "GIS Layer   =    2\ni           =    3\ngisO_%ir\\(i\\) =    3\ngisO_%nr    =    3\n"},
             {line({1, 4}), "^\nShould not be here \\[gisO_%ir\\]" + contact},  // a part beyond the last vertex
             {[&] { put(shp, &GisObject::line, {0, 0, 1, 1}, "\"open"); },
              "^\nShould not be here \\[dbfdataline\\]" + contact + "\"open\n"},
             {[&] { table->writeDbfLine(table->slot(mif).dbf[0]); }, "^\nERROR 0417 - Writing \\.dbf record\\.\n"},
         }) {
        ZX_EXPECT_STOP(call(), pattern);
    }
}

}  // namespace
}  // namespace zx::test
