// tests/gis/layer_read_fixture_test.cpp: layers written by other tools (GDAL, shapelib, pyshp, a
// padding writer, hand-written MIF; tests/gis/fixtures/make_fixtures.sh makes them) read through
// zx_layer_probe, and what the readers return compared with GDAL's own reader of each layer.
#include <fstream>

#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

const std::filesystem::path kFixtures = std::filesystem::path(ZX_SOURCE_DIR) / "tests/gis/fixtures";

struct ProbeRun {
    RunResult result;
    std::vector<std::string> lines;  // the JSON lines written
};

ProbeRun probe(const TempDir& dir, std::string_view layer) {
    ProbeRun run;
    const std::string out = dir.file("out.jsonl");
    run.result = test::run({ZX_LAYER_PROBE, "read", (kFixtures / layer).string(), out}, dir.path());
    std::ifstream in(out);
    for (std::string line; std::getline(in, line);) run.lines.push_back(line);
    return run;
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// Each layer read to its end, and every field, record, coordinate and value as GDAL reads them.
TEST(LayerReadFixtures, ReadersAgreeWithGdalOnLayersOfOtherTools) {
    ZX_REQUIRE_PROGRAM("ogrinfo");
    TempDir dir;
    for (const char* layer : {"points.shp", "multipoints.shp", "lines.shp", "polygons.shp", "empty.shp", "deleted.shp",
                              "wide.shp", "pyshp_lines.shp", "padded.shp", "mif_lines.mif", "mif_polygons.mif",
                              "mif_points.mif", "hand.mif"}) {
        SCOPED_TRACE(layer);
        const ProbeRun run = probe(dir, layer);
        EXPECT_EQ(run.result.status, 0) << run.result.out;
        EXPECT_FALSE(contains(run.result.out, "ERROR")) << run.result.out;
        EXPECT_FALSE(contains(run.result.out, "WARNING")) << run.result.out;
        const RunResult compared =
            test::run({"/usr/bin/python3", ZX_SOURCE_DIR "/tests/gis/compare_with_gdal.py", (kFixtures / layer).string(),
                       dir.file("out.jsonl")},
                      dir.path());
        if (compared.status == 77 && std::getenv("CI") == nullptr) GTEST_SKIP() << compared.out;
        EXPECT_EQ(compared.status, 0) << compared.out << compared.err;
    }
}

// What GDAL does not show: the deleted mark, the values GDAL turns into nulls, the MIF objects
// GDAL turns into other kinds, and the reader's own label points.
TEST(LayerReadFixtures, ObjectsKeepTheirRecordsKindsAndLabels) {
    TempDir dir;
    struct Expect {
        const char* layer;
        std::size_t line;  // 0: the fields line
        std::vector<std::string> parts;
    };
    const std::string x255(255, 'x');
    const Expect expects[] = {
        // The deleted record stays paired with its shape and is marked, its values kept.
        {"deleted.shp", 2, {"\"parts\": [[[-3.5, 4.75]]]", "\"record\": \"\\\"quote \\\"\\\"q\\\"\\\" here\\\",", "\"deleted\": true"}},
        {"deleted.shp", 3, {"\"far\\\"", "\"deleted\": false"}},
        {"deleted.shp", 0, {"\"records\": 3"}},
        // 128 fields; a 255-wide character field; a numeric field of asterisks reads as 0.
        {"wide.shp", 0, {"[\"F126\", \"N(4)\"], [\"TEXT255\", \"C(255)\"], [\"NARROW\", \"N(3)\"]]", "\"records\": 2"}},
        {"wide.shp", 1, {"\\\"" + x255 + "\\\",0\""}},
        {"wide.shp", 2, {"\\\"short\\\",  7\""}},
        // Records found by the header's lengths behind padding.
        {"padded.shp", 3, {"\"record\": \"\\\"far\\\",       0.000000000000000,        0\""}},
        {"empty.shp", 0, {"\"records\": 0"}},
        {"lines.shp", 2, {"\"kind\": \"PLINE MULTIPLE\", \"count\": 3, \"nr\": 3", "\"ir\": [0, 2, 5]"}},
        // A zero-length polyline is labelled at its first vertex.
        {"lines.shp", 3, {"\"label\": [1, 1], \"angle\": 0, \"length\": 0"}},
        {"polygons.shp", 1, {"\"nr\": 3", "\"ir\": [5, 11, 17]", "[0, 0], [0, 10], [2, 2]"}},
        {"hand.mif", 0, {"[[\"Data_src\", \"Char(10)\"], [\"Metadata\", \"Integer\"], [\"Score\", \"Decimal(16,5)\"]]",
                         "\"records\": 12"}},
        {"hand.mif", 1, {"\"kind\": \"MULTIPOINT\", \"count\": 3", "[[[1, 2]], [[3, 4]], [[5, 6]]]"}},
        // The Center line among the region's style lines gives its label.
        {"hand.mif", 3, {"\"kind\": \"REGION\"", "\"label\": [1.5, 2.5]"}},
        {"hand.mif", 4, {"\"kind\": \"TEXT\"", "\"parts\": [[]]"}},
        {"hand.mif", 5, {"\"kind\": \"ARC\""}},
        {"hand.mif", 6, {"\"kind\": \"ELLIPSE\""}},
        {"hand.mif", 7, {"\"kind\": \"RECT\"", "[[[0, 0], [2, 1]]]", "\"label\": [1, 0.5]"}},
        {"hand.mif", 8, {"\"kind\": \"ROUNDRECT\"", "[[[1, 1], [3, 3]]]"}},
        {"hand.mif", 9, {"\"kind\": \"LINE\"", "\"label\": [2, 1.5]", "\"length\": 5"}},
        {"hand.mif", 11, {"\"kind\": \"NONE\""}},
        {"hand.mif", 12, {"\"kind\": \"PLINE MULTIPLE\", \"count\": 2", "[[[0, 0], [1, 1]], [[2, 2], [3, 3], [4, 2]]]"}},
    };
    for (const Expect& e : expects) {
        SCOPED_TRACE(std::string(e.layer) + " line " + std::to_string(e.line));
        const ProbeRun run = probe(dir, e.layer);
        ASSERT_GT(run.lines.size(), e.line);
        for (const std::string& part : e.parts) EXPECT_TRUE(contains(run.lines[e.line], part)) << run.lines[e.line];
    }
    // pyshp ends its table without the end byte: the end of the file ends the data, without a warning.
    const ProbeRun pyshp = probe(dir, "pyshp_lines.shp");
    EXPECT_EQ(pyshp.result.status, 0);
    EXPECT_EQ(pyshp.lines.size(), 3u);
    EXPECT_FALSE(contains(pyshp.result.out, "WARNING 0405")) << pyshp.result.out;
}

TEST(LayerReadFixtures, ZShapesStopTheRunNamingTheirType) {
    TempDir dir;
    const ProbeRun run = probe(dir, "pyshp_z.shp");
    EXPECT_NE(run.result.status, 0);
    EXPECT_TRUE(contains(run.result.out, "\nERROR 0423 - Unsupported .shp object type PolyLineZ [13]\n")) << run.result.out;
    EXPECT_EQ(run.lines.size(), 1u);
}

}  // namespace
}  // namespace zx::test
