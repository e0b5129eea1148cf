// tests/gis/layer_read_test.cpp: layers written by the library read back, object kind by object
// kind in both formats; rereading, record counts and the header routines; the paths on which
// reading ends the run.
#include <algorithm>
#include <fstream>
#include <functional>

#include "gis/byte_order.hpp"
#include "platform/process.hpp"

#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

using LayerReadTest = LayerTest;
using Points = std::vector<std::pair<double, double>>;

// The rings of a region as the readers lay them out: each ring's points, without the separator.
std::vector<Points> rings(const ReadObject& read) {
    std::vector<Points> out;
    std::size_t start = 0;
    for (std::int32_t r = 0; r < read.object.nr; ++r) {
        const auto last = static_cast<std::size_t>(read.object.ir[static_cast<std::size_t>(r)]);
        out.emplace_back(read.parts[0].begin() + static_cast<std::ptrdiff_t>(start),
                         read.parts[0].begin() + static_cast<std::ptrdiff_t>(last));
        start = last + 1;
    }
    return out;
}

struct RoundTrip {
    const char* name;
    bool GisObject::*kind;
    std::vector<double> xy;
    std::vector<std::int32_t> starts;
    std::vector<Points> mifParts;  // as read back: parts, or a region's rings
    std::vector<Points> shpParts;
    char set;  // the shapefile set the object goes to
    bool GisObject::*shpKind;  // the kind a shapefile gives back
};

// Every kind the writers take comes back from both formats with its vertices, parts and record.
TEST_F(LayerReadTest, EveryKindWrittenReadsBackInBothFormats) {
    const Points square{{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};
    const Points hole{{1, 1}, {1, 2}, {2, 2}, {1, 1}};
    std::vector<double> twoRings;
    for (const auto& ring : {square, hole}) {
        for (const auto& [x, y] : ring) twoRings.insert(twoRings.end(), {x, y});
    }
    const RoundTrip cases[] = {
        {"point", &GisObject::point, {1.5, -2.25}, {1}, {{{1.5, -2.25}}}, {{{1.5, -2.25}}}, 'P', &GisObject::point},
        {"multipoint", &GisObject::multipoint, {1, 2, 3, 4}, {1}, {{{1, 2}}, {{3, 4}}}, {{{1, 2}}, {{3, 4}}}, 'P',
         &GisObject::multipoint},
        {"line", &GisObject::line, {0, 0, 3, 4}, {1}, {{{0, 0}, {3, 4}}}, {{{0, 0}, {3, 4}}}, 'L', &GisObject::pline},
        {"polyline", &GisObject::pline, {0, 0, 1, 0, 1, 1}, {1}, {{{0, 0}, {1, 0}, {1, 1}}},
         {{{0, 0}, {1, 0}, {1, 1}}}, 'L', &GisObject::pline},
        {"multiple polyline", &GisObject::plineMultiple, {0, 0, 1, 0, 5, 5, 6, 6, 7, 5}, {1, 3},
         {{{0, 0}, {1, 0}}, {{5, 5}, {6, 6}, {7, 5}}}, {{{0, 0}, {1, 0}}, {{5, 5}, {6, 6}, {7, 5}}}, 'L',
         &GisObject::plineMultiple},
        {"region", &GisObject::region, {0, 0, 4, 0, 4, 4, 0, 4, 0, 0}, {1}, {square}, {square}, 'R', &GisObject::region},
        {"region of two rings", &GisObject::region, twoRings, {1, 6}, {square, hole}, {square, hole}, 'R',
         &GisObject::region},
        // A text object is a point in a shapefile; in a MIF layer its lines are read over.
        {"text", &GisObject::text, {9, 9, 0, 0, 2, 1}, {1}, {{}}, {{{9, 9}}}, 'P', &GisObject::point},
        {"none", &GisObject::none, {}, {1}, {{}}, {{}}, 'P', &GisObject::none},
    };
    table->gisAttributeTemplate.columns = {{"NAME", "Char", 10}, {"V", "Float", 0}};
    int n = 0;
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string base = "rt" + std::to_string(++n);
        for (const bool shapefile : {false, true}) {
            const int id = openOutput(base + (shapefile ? ".shp" : ".mif"), std::string(1, c.set));
            put(id, c.kind, c.xy, "\"" + base + "\",1.5", c.starts);
            closeOutput(id);
            const std::string read = shapefile ? base + "_" + c.set + ".shp" : base + ".mif";
            const auto objects = readLayer(read);
            ASSERT_EQ(objects.size(), 1u) << read;
            const ReadObject& o = objects[0];
            EXPECT_TRUE(o.object.*(shapefile ? c.shpKind : c.kind)) << read;
            const auto parts = o.object.region ? rings(o) : o.parts;
            EXPECT_EQ(parts, shapefile ? c.shpParts : c.mifParts) << read;
            EXPECT_NE(o.record.find("\"" + base + "\""), std::string::npos) << o.record;
        }
    }
}

// What the readers work out from a part: label point, angle and length.
TEST_F(LayerReadTest, LabelsFollowTheKindAndNeverDivideByZero) {
    struct LabelCase {
        const char* objects;  // MIF object lines
        double x, y;
        float angle, length;
    };
    const LabelCase cases[] = {
        {"Pline 3\n0 0\n3 0\n3 4\n", 3, 0.5, 90, 7},
        {"Pline 2\n2 2\n2 2\n", 2, 2, 0, 0},  // no length: the first vertex
        {"Pline 1\n5 6\n", 5, 6, 0, 0},
        {"Line 0 0 -2 0\n", -1, 0, 180, 2},
        {"Region 1\n 5\n0 0\n2 0\n2 2\n0 2\n0 0\n", 1, 1, 0, 0},
        {"Region 1\n 5\n0 0\n2 0\n2 2\n0 2\n0 0\n    Center 7 8\n    Pen (1,2,0)\n", 7, 8, 0, 0},
    };
    int n = 0;
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.objects);
        const std::string name = "label" + std::to_string(++n);
        writeText(name + ".mif", std::string("Version 300\nColumns 1\n  ID Integer\nData\n") + c.objects);
        writeText(name + ".mid", "1\n");
        const auto objects = readLayer(name + ".mif");
        ASSERT_EQ(objects.size(), 1u);
        EXPECT_DOUBLE_EQ(objects[0].readout.labelX, c.x);
        EXPECT_DOUBLE_EQ(objects[0].readout.labelY, c.y);
        EXPECT_FLOAT_EQ(objects[0].readout.angle, c.angle);
        EXPECT_FLOAT_EQ(objects[0].readout.length, c.length);
    }
}

// A point is copied to the second vertex only where the caller's arrays have room for it.
TEST_F(LayerReadTest, APointIsNotCopiedPastTheNodeLimit) {
    writeText("p.mif", "Version 300\nColumns 1\n  ID Integer\nData\nPoint 1 2\nMultipoint 1\n3 4\n");
    writeText("p.mid", "1\n2\n");
    const int id = table->openLayer("p.mif", "", "I ", false);
    table->readHeader(id);
    std::vector<double> x(1);
    std::vector<double> y(1);
    for (int object = 0; object < 2; ++object) {
        ASSERT_TRUE(table->objectType(id, this->object));
        ObjectReadout out{x, y, 1};
        table->readObject(id, this->object, out, true);
        EXPECT_EQ(out.nv, 1);
        EXPECT_DOUBLE_EQ(out.labelY, object == 0 ? 2.0 : 4.0);
    }
}

// Rewinding gives the same objects again; counting records leaves the reader where it was.
TEST_F(LayerReadTest, RereadingAndCountingKeepThePlace) {
    writeText("r.mif", "Version 300\nColumns 1\n  ID Integer\nData\nPoint 1 1\nPoint 2 2\n");
    writeText("r.mid", "1\n\n");  // a blank .mid line counts as a record
    const int id = table->openLayer("r.mif", "", "I ", false);
    table->readHeader(id);
    std::vector<double> x(2);
    std::vector<double> y(2);
    ObjectReadout out{x, y, 2};
    std::string record;
    ASSERT_TRUE(table->objectType(id, object));
    table->readObject(id, object, out, true);
    table->readRecord(id, object, record);
    EXPECT_EQ(record, "1");
    EXPECT_EQ(table->numberRecords(id), 2);
    ASSERT_TRUE(table->objectType(id, object));
    table->readObject(id, object, out, true);
    table->readRecord(id, object, record);
    EXPECT_EQ(record, "");
    EXPECT_DOUBLE_EQ(x[0], 2.0);
    EXPECT_TRUE(table->slot(id).endOfFile);

    table->gotoBeginningOfData(id);
    EXPECT_FALSE(table->slot(id).endOfFile);
    ASSERT_TRUE(table->objectType(id, object));
    table->readObject(id, object, out, true);
    table->readRecord(id, object, record);
    EXPECT_DOUBLE_EQ(x[0], 1.0);
    EXPECT_EQ(record, "1");
    EXPECT_NE(console.text().find(" Rewinding GIS Layer 1...\n"), std::string::npos);
}

// A shapefile layer rewound reads its shapes and records from the first again.
TEST_F(LayerReadTest, AShapefileLayerRewindsToItsFirstShapeAndRecord) {
    writePointLayer("w.shp", {{1, 2}, {3, 4}});
    const int id = table->openLayer("w_P.shp", "", "I ", false);
    table->readHeader(id);
    EXPECT_EQ(table->numberRecords(id), 2);
    EXPECT_EQ(table->numberAttributes(id), 1);
    std::vector<double> x(2);
    std::vector<double> y(2);
    std::string record;
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::string> records;
        while (!table->slot(id).endOfFile && table->objectType(id, object)) {
            ObjectReadout out{x, y, 2};
            table->readObject(id, object, out, true);
            table->readRecord(id, object, record);
            records.push_back(record);
        }
        EXPECT_EQ(records, (std::vector<std::string>{"       1", "       2"}));
        EXPECT_DOUBLE_EQ(x[0], 3.0);
        table->gotoBeginningOfData(id);
    }
    const std::string transcript = console.text();
    EXPECT_NE(transcript.find("Shapefile Code: 9994  Length: 78\nShapefile Version: 1000  Type: 1\n"),
              std::string::npos)
        << transcript;
    EXPECT_NE(transcript.find("DBF file contains 2 records.\n1 DBF Fields (Name [#/Type/Length]): ID [1/N/8]  \n"),
              std::string::npos);
}

// GDAL writes an empty layer as a .shp of its header alone: at its end at once, and again after
// a rewind.
TEST_F(LayerReadTest, AnEmptyShapefileIsAtItsEndAfterItsHeader) {
    for (const char* file : {"empty.shp", "empty.shx", "empty.dbf"}) {
        std::filesystem::copy_file(std::filesystem::path(ZX_SOURCE_DIR) / "tests/gis/fixtures" / file, file);
    }
    const int id = table->openLayer("empty.shp", "", "I ", false);
    table->readHeader(id);
    EXPECT_TRUE(table->slot(id).endOfFile);
    table->gotoBeginningOfData(id);
    EXPECT_TRUE(table->slot(id).endOfFile);
}

// The header routines: attribute definitions, CoordSys lines, the header copy.
TEST_F(LayerReadTest, HeaderRoutinesFindTheirLines) {
    writeText("h.mif",
              "Version 300\nCharset \"Columns\"\nCoordSys NonEarth Units \"m\"\n  Columns\t 2\n  Name Char(12)\n"
              "  Depth Float\nData\n\nPoint 1 1\n");
    writeText("h.mid", "\"a\",1\n");
    const int id = table->openLayer("h.mif", "", "I ", false);
    table->readHeader(id);
    EXPECT_EQ(table->numberAttributes(id), 2);
    int count = 0;
    ASSERT_TRUE(table->gotoBeginningOfAttributes(id, count));
    EXPECT_EQ(count, 2);
    table->readAttributeDefinition(id);
    EXPECT_EQ(table->mifAttributeDefinition.name, "Name");
    EXPECT_EQ(table->mifAttributeDefinition.type, "Char(12)");
    table->readAttributeDefinition(id);
    EXPECT_EQ(table->mifAttributeDefinition.type, "Float");

    const int mifUnit = table->slot(id).mif.mifUnit;
    rewindUnit(mifUnit);
    EXPECT_EQ(table->mifFindCoordSysLine(mifUnit), "CoordSys NonEarth Units \"m\"");
    // From where it stands: no further CoordSys line gives a blank text and a warning.
    EXPECT_EQ(table->mifFindCoordSysLine(mifUnit), "");
    EXPECT_NE(console.text().find("\nWARNING 0306 - Problems finding CoordSys line in .mif file.\n"), std::string::npos);

    // The projection file is read and closed again: no unit stays behind.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(table->mifReadCoordSysLine("h.mif"), "CoordSys NonEarth Units \"m\"");
    EXPECT_EQ(table->mifReadCoordSysLine("nothing.mif").substr(0, 18), "CoordSys NonEarth ");
    int probe = 0;
    OPENFREEUNIT(probe, "O ", "copy.mif", 80);
    EXPECT_EQ(probe, 1003);  // the layer's two units, then this one
    table->mifCopyHeader(mifUnit, probe);
    CLOSER(probe);
    EXPECT_EQ(readText("copy.mif"), "Version 300\nCharset \"Columns\"\nCoordSys NonEarth Units \"m\"\n");

    table->gotoBeginningOfData(id);
    ASSERT_TRUE(table->objectType(id, object));
    EXPECT_TRUE(object.point);
    EXPECT_EQ(gisStandardiseName(" 'Earth'\tProjection \"8\" "), "EARTHPROJECTION8");
}

// MIF objects as other writers leave them: a ring of one point, "Pline 0", words that begin
// with a keyword's letters (taken as that keyword, as documented).
TEST_F(LayerReadTest, MifObjectsReadNothingBeyondThemselves) {
    writeText("m.mif",
              "Version 300\nColumns 1\n  ID Integer\nData\n"
              "Pline 0\n"
              "Region 2\n  5\n0 0\n3 0\n3 3\n0 3\n0 0\n  1\n9 9\n    Brush (1,0,0)\n"
              "Nonesuch\n"
              "Point 5 5\n");
    writeText("m.mid", "1\n2\n3\n4\n");
    const auto objects = readLayer("m.mif");
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_TRUE(objects[0].object.pline);
    EXPECT_TRUE(objects[0].parts[0].empty());
    ASSERT_TRUE(objects[1].object.region);
    EXPECT_EQ(objects[1].parts[0].size(), 8u);
    EXPECT_EQ(objects[1].parts[0][7], (std::pair<double, double>{9, 9}));  // the one point repeated
    EXPECT_EQ(objects[1].object.ir[1], 7);
    EXPECT_TRUE(objects[2].object.none);
    EXPECT_EQ(objects[3].parts[0], (Points{{5, 5}}));
    EXPECT_EQ(objects[3].record, "4");
}

// Shape records: trailing bytes behind the header's length are not records, and a record longer
// than its shape needs does not move the next one.
TEST_F(LayerReadTest, ShapeRecordsArePlacedByTheirLengths) {
    writePointLayer("s.shp", {{1, 2}, {3, 4}});
    Bytes shp = readBytes("s_P.shp");
    // The first record grows by 8 bytes of padding; the header's lengths follow.
    Bytes padded(shp.begin(), shp.begin() + 128);
    padded.insert(padded.end(), 8, 0xEE);
    padded.insert(padded.end(), shp.begin() + 128, shp.end());
    bytes::putBE32(&padded[104], 14);
    bytes::putBE32(&padded[24], static_cast<std::uint32_t>(padded.size() / 2));
    padded.insert(padded.end(), {1, 2, 3, 4, 5, 6, 7});  // stray bytes behind the file's length
    std::ofstream(dir.file("s_P.shp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(padded.data()), static_cast<std::streamsize>(padded.size()));
    const auto objects = readLayer("s_P.shp");
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[1].parts[0], (Points{{3, 4}}));
    EXPECT_EQ(objects[1].record, "       2");
}

// Damaged layers: a read that leaves objects or records behind stops with its ERROR or says so
// in a WARNING, and reads the objects both files hold.
struct Damaged {
    std::string name;                   // names the row when it fails
    std::function<std::string()> write;  // writes the layer's files; the layer to read
    int objects;                        // objects read; -1: the read stops
    std::string said;                   // on the console (a pattern where the read stops)
    std::vector<std::string> records{};  // when given, the records read
    bool sampled = true;                 // sampled onto a grid too (its first value is a number)
};

class DamagedLayerTest : public LayerTest {
protected:
    std::string mifLayer(const std::string& name, const std::string& header, std::string_view objects,
                         std::string_view records) {
        writeText(name + ".mif", header + "Data\n" + std::string(objects));
        writeText(name + ".mid", records);
        return name + ".mif";
    }
    // A point layer of the first `shapes` points whose table holds `records` records.
    std::string pointLayer(const std::string& name, std::size_t shapes, std::size_t records) {
        writePointLayer(name + ".shp", Points(kThree.begin(), kThree.begin() + static_cast<std::ptrdiff_t>(shapes)));
        writePointLayer("table.shp", Points(records, {0, 0}));
        std::filesystem::copy_file("table_P.dbf", name + "_P.dbf", std::filesystem::copy_options::overwrite_existing);
        return name + "_P.shp";
    }
    // A file changed in place.
    void patch(const std::string& file, const std::function<void(Bytes&)>& change) {
        Bytes bytes = readBytes(file);
        change(bytes);
        std::ofstream(dir.file(file), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::string withLength(const std::string& name, std::uint32_t lengthWords) {
        const std::string layer = pointLayer(name, 3, 3);
        patch(layer, [&](Bytes& shp) { bytes::putBE32(&shp[24], lengthWords); });
        return layer;
    }

    // A row's writer of a MIF layer.
    std::function<std::string()> mif(std::string name, std::string header, std::string objects,
                                     std::string records) {
        return [=, this] { return mifLayer(name, header, objects, records); };
    }

    std::vector<Damaged> shapefileRows();
    std::vector<Damaged> mifRows();
    void check(const Damaged& row);

    const Points kThree{{1, 1}, {2, 2}, {3, 3}};
    const std::string kOneColumn = "Version 300\nColumns 1\n  ID Integer\n";
};

std::vector<Damaged> DamagedLayerTest::shapefileRows() {
    return {
        {"dbf long", [this] { return pointLayer("long", 2, 3); }, 2,
         "\nWARNING 0409 - More records found in .dbf file than shapes in .shp file.\n"
         "               Found 3, expecting 2.\n"},
        {"shp empty", [this] { return pointLayer("empty", 0, 2); }, 0, "               Found 2, expecting 0.\n"},
        // Records deleted behind the last shape hold nothing that was lost.
        {"dbf deleted behind", [this] {
             const std::string layer = pointLayer("deleted", 2, 3);
             patch("deleted_P.dbf", [](Bytes& dbf) {
                 dbf[bytes::getLE16(&dbf[8]) + 2 * std::size_t{bytes::getLE16(&dbf[10])}] = '*';
             });
             return layer;
         },
         2, ""},
        // The end of the table ends the layer: the second shape has a blank record.
        {"dbf short", [this] { return pointLayer("short", 3, 1); }, 2,
         "\nWARNING 0405 - Insufficient number of records found in .dbf file.\n"
         "               Found 1, expecting 3.\n"},
        {"shp header length", [this] { return withLength("header", 50); }, 0,
         "\nWARNING 0431 - File length in .shp file header differs from the file's size.\n"
         "               Found 184 bytes, expecting 100 bytes.\n"},
        {"shp length inside", [this] { return withLength("first", 64); }, 1,
         "               Found 184 bytes, expecting 128 bytes.\n"},
    };
}

std::vector<Damaged> DamagedLayerTest::mifRows() {
    std::string columns300 = "Version 300\nColumns 300\n";
    for (int i = 1; i <= 300; ++i) columns300 += "  C" + std::to_string(i) + " Char(4)\n";
    const std::string moved = "Version 300\nTransform 2, 2, 10, 10\n" + kOneColumn.substr(12);
    const std::string threePoints = "Point 1 1\nPoint 2 2\nPoint 3 3\n";
    const std::string pline = "Pline 3\n1 1\n2 2\n3 3\n    Pen (4,104,8421504)\n\n";
    const std::string notes = "Version 410\nCharset \"WindowsLatin1\"\nDelimiter \",\"\nColumns 3\n  Name Char(51)\n"
                              "  Notes Char(100)\n  Awesome Logical\n";
    const std::string transformed = "\nWARNING 0325 - Transform in .mif file header not applied: coordinates are "
                                    "read as written.\nTransform 2, 2, 10, 10\n";
    const std::string stopped =
        "\nERROR 0254 - Failed to read object attribute data record for a POINT object in GIS layer\\.\n";
    return {
        {"mid short", mif("short", kOneColumn, threePoints, "1\n2\n"), -1, stopped},
        {"mid long", mif("long", kOneColumn, "Point 1 1\n  Symbol (35,0,12)\nPoint 2 2\n", "1\n2\n3\n"), 2,
         "\nWARNING 0323 - More records found in .mid file than objects in .mif file.\n"
         "               Found 3, expecting 2.\n"},
        {"300 columns", mif("wide", columns300, "Point 1 1\n", std::string(299, ',') + "\n"), 1,
         "C300 [300/Char(4)]  \n"},  // every column kept
        // The .mif ends inside the last object, which grid sampling reads after its record.
        {"mif ends in an object",
         mif("last", kOneColumn, "Point 1 1\nRegion 1\n 5\n0 0\n1 0\n1 1\n0 1\n0 0\n", "1\n2\n3\n"), 2,
         "               Found 3, expecting 2.\n"},
        // A damaged keyword, and vertex lines beyond a count.
        {"mif keyword", mif("lost", kOneColumn, "Point 1 1\nNonesuch 3\n1 1\n2 2\n3 3\nPoint 2 2\n", "1\n2\n3\n"), 3,
         "\nWARNING 0324 - Lines of .mif file that belong to no object were skipped.\n"
         "               Skipped 3, the first at line 7: 1 1\n"},
        {"mif vertex beyond", mif("beyond", kOneColumn, "Pline 2\n0 0\n1 1\n2 2\n    Pen (1,2,0)\n", "1\n"), 1,
         "               Skipped 1, the first at line 8: 2 2\n"},
        // CR, LF and CR LF each end a line, and no value keeps a CR.
        {"lone CR", mif("cr", kOneColumn, "Point 1 1\r\nPoint 2 2\rPoint 3 3\n", "1\n2\r3\r"), 3, "", {"1", "2", "3"}},
        {"column line of TABs",
         mif("tabs", "Version 300\nColumns 2\n\tq_info\tChar(8)\n  ID Integer\n", "Point 1 1\n", "1,2\n"), 1,
         "q_info [1/Char(8)]  ID [2/Integer]  \n"},
        {"Transform before the columns", mif("moved", moved, "Point 1 1\n", "1\n"), 1, transformed},
        {"Transform after the columns", mif("after", kOneColumn + "Transform 2, 2, 10, 10\n", "Point 1 1\n", "1\n"), 1,
         transformed},
        {"Transform of no change",
         mif("kept", "Version 300\nTransform 0,0,0,0\n" + kOneColumn.substr(12), "Point 1 1\n", "1\n"), 1, ""},
        // Quoted values run over line ends, as in GDAL's test layer multilinemid; each line end
        // inside stays as one LF.
        {"multilinemid",
         mif("multi", notes, pline + pline, "\"NAME1\",\"MULTI\n\r\nLINE\",F\n\"NAME2\",\"MULTI\nLINE2\",F\n"), 2, "",
         {"\"NAME1\",\"MULTI\n\nLINE\",F", "\"NAME2\",\"MULTI\nLINE2\",F"}, false},
        // GDAL's writer leaves a CR inside a value: the record stays on its object.
        {"CR in a value", mif("crvalue", kOneColumn, threePoints, "1,\"a\rb\"\n2,\"c\"\n3,\"\"\"d\"\"\"\n"), 3, "",
         {"1,\"a\nb\"", "2,\"c\"", "3,\"\"\"d\"\"\""}},
        // The header's Delimiter separates the values: a comma neither starts a quoted value nor
        // ends one, and a quoted value behind the delimiter runs over line ends. Sampling reads
        // the first value free-form, which a semicolon does not end.
        {"Delimiter ;", mif("semi", "Version 300\nDelimiter \";\"\n" + kOneColumn.substr(12), threePoints,
                            "1;\"Smith, J.,\"\n2;\"a,\nb\"\n3;x,\"\n"),
         3, "", {"1;\"Smith, J.,\"", "2;\"a,\nb\"", "3;x,\""}, false},
        {"Delimiter \\t after the columns", mif("tab", kOneColumn + "Delimiter \"\\t\"\n", threePoints,
                                              "1\t\"a\r\nb\"\n2,\"c\n3\n"),
         3, "", {"1\t\"a\nb\"", "2,\"c", "3"}},
        {"Delimiter TAB", mif("rawtab", "Version 300\nDelimiter \"\t\"\n" + kOneColumn.substr(12), threePoints,
                              "1\t\"a\nb\"\n2\n3\n"),
         3, "", {"1\t\"a\nb\"", "2", "3"}},
        {"value open at the end", mif("open", kOneColumn, threePoints, "1\n2,\"c\n3\n"), -1, stopped},
        {"value open behind the records", mif("behind", kOneColumn, threePoints, "1\n2\n3\n\"x\n4\n"), 3,
         "\nWARNING 0323 - More records found in .mid file than objects in .mif file.\n"
         "               Found 4, expecting 3.\n"},
    };
}

void DamagedLayerTest::check(const Damaged& row) {
    SCOPED_TRACE(row.name);
    const std::string layer = row.write();
    if (row.objects < 0) {
        ZX_EXPECT_STOP(readLayer(layer), row.said);
        return;
    }
    const std::size_t before = console.text().size();
    try {
        // A stop here is a failure of the row, not the end of the test program.
        const platform::RunLanding landing;
        const std::vector<ReadObject> read = readLayer(layer);
        EXPECT_EQ(read.size(), static_cast<std::size_t>(row.objects));
        for (std::size_t k = 0; k < std::min(read.size(), row.records.size()); ++k) {
            EXPECT_EQ(read[k].record, row.records[k]) << "record " << k + 1;
        }
    } catch (const platform::RunEnded&) {
        ADD_FAILURE() << "the read stopped:\n" << console.text().substr(before);
        return;
    }
    std::vector<std::string> seen{console.text().substr(before)};
    // Sampling onto a grid reads each record before its object's coordinates: it says the same.
    if (row.sampled) {
        seen.push_back(run({ZX_LAYER_PROBE, "grid", layer, dir.file("grid.json"), "--origin", "0", "0", "--angle",
                            "0", "--cell", "1", "1", "--size", "4", "4"},
                           dir.path())
                           .out);
    }
    for (const std::string& said : seen) {
        EXPECT_NE(said.find(row.said.empty() ? "Closed" : row.said), std::string::npos) << said;
        if (!row.said.empty()) continue;
        EXPECT_EQ(said.find("WARNING"), std::string::npos) << said;
        EXPECT_EQ(said.find("ERROR"), std::string::npos) << said;
    }
}

TEST_F(DamagedLayerTest, StopOrSayWhatIsLeftUnread) {
    for (const Damaged& row : shapefileRows()) check(row);
    for (const Damaged& row : mifRows()) check(row);
}

}  // namespace
}  // namespace zx::test
