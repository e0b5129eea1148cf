// tests/convert/inp_readers_test.cpp: the section readers on small hand-made .inp texts: what
// they keep, what they write, and where they stop.
#include "convert/inp_readers.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "convert/inp_file.hpp"
#include "convert/special_shapes.hpp"

namespace zx::convert {
namespace {

using test::consoleOf;
using test::InpFile;
using Reader = std::function<void(int unit)>;

// As EPA's own models are written: tab-separated, CRLF, comments and blank lines inside sections,
// transects indented, counts written as reals, cross-section lines of fewer words; every block of a
// section counts, whatever follows its header's bracket, and a ";" inside double quotes starts no
// comment.
TEST(SectionReaders, KeepEveryRecordAsSwmmReadsIt) {
    Network network;
    const std::string console = consoleOf(
        "[TITLE]\nJunctions below\n\n[JUNCTIONS]x\nJ0 0 0 0 0 0\n[junctions] ; the header\r\n;;Name\tElev\r\n"
        "J1\t12.5\t3\t0\t0\t0\r\n\r\n  ;; second\r\n\"J;2\" 11.0 3.5 0.5 1 2 ; last one\r\n[JUNCTIONS]\nJ3 1 1 1 1 1\n"
        "[WEIRS]\nW1 J1 J2 V-NOTCH 1.5 1.8\nW2 J1 J2 TRANSVERSE 1.2 1.84 YES 2.9 0.5 ; end contractions 2\n"
        "W3 J1 J2 ROADWAY 1 2.6 NO 0 0 YES 30 PAVED\n"
        "[XSECTIONS]\nW1 RECT_OPEN 1 2 0 0\nW2 IRREGULAR T1\nW3 STREET Main_Street\nC4 CUSTOM 3 ShapeCurve 1\n"
        "[TRANSECTS]\n;;Transect Data in HEC-2 format\n;\n  NC 0.045 0.040 0.030\n\n"
        "  X1 Reach_1 11 2.0 9.0 0.0 0.0 1.0 1.0 0.5\n  GR 10 0 9 1 8 2 7 3 6 4\n\tGR 5 5 6 6 7 7 8 8 9 9\n"
        "  GR 10 10\n;\n\tNC 0.05 0.05 0.02\r\n\tX1 T2 2 0 1 0 0 0 0 0\r\n\tGR 1 0 1 1\r\n",
        [&](int unit) { readNetwork(network, unit); });
    EXPECT_NE(console.find("\nWARRNING - Reading [xsections] block line.  Barrels is not defined. Use 1:\n"
                           "W1 RECT_OPEN 1 2 0 0\n   Finished.\nFound 4 xsections.\n"),
              std::string::npos);
    const JunctionTable& junctions = network.inpJunctionTable;
    ASSERT_EQ(junctions.count(), 4U);
    EXPECT_EQ(std::tie(junctions[1].Name, junctions[1].Elevation, junctions[2].Name, junctions[2].Aponded),
              std::make_tuple("J1", 12.5F, "J;2", 2.0F));
    EXPECT_EQ(std::tie(junctions[0].Name, junctions[3].Name), std::make_tuple("J0", "J3"));

    const WeirTable& weirs = network.inpWeirTable;
    ASSERT_EQ(weirs.count(), 3U);
    EXPECT_EQ(weirs[0].Gated, "NO");  // not given: an ungated weir
    EXPECT_EQ(std::tie(weirs[1].Gated, weirs[1].EC, weirs[1].Cd2), std::make_tuple("YES", 2, 0.5F));
    EXPECT_EQ(std::tie(weirs[2].Width, weirs[2].Surface), std::make_tuple(30.0F, "PAVED"));

    // A name in a geometry field of a shape that is not converted reads as 0.
    const XsectionTable& xsections = network.inpXsectionTable;
    ASSERT_EQ(xsections.count(), 4U);
    const std::tuple<std::string_view, float, float, std::int32_t> expected[] = {
        {"1", 2, 0, 1}, {"T1", 0, 0, 1}, {"Main_Street", 0, 0, 1}, {"3", 0, 1, 1}};
    for (std::size_t i = 0; i < xsections.count(); ++i) {
        EXPECT_EQ(std::tie(xsections[i].Geom1, xsections[i].Geom2, xsections[i].Geom3, xsections[i].Barrels),
                  expected[i]) << i;
    }

    // Each transect with the Manning values of the NC line before it.
    const XsTableSet& transects = network.xsTableSet;
    ASSERT_EQ(transects.size(), 2U);
    EXPECT_EQ(std::make_tuple(transects[0].ID, transects[0].Nleft, transects[0].NPoints(), transects[0].XorH[10]),
              std::make_tuple("Reach_1", 0.045F, 11U, 10.0F));
    EXPECT_EQ(std::make_tuple(transects[1].ID, transects[1].Nchannel, transects[1].NPoints()),
              std::make_tuple("T2", 0.02F, 2U));
}

// LINK_OFFSETS as SWMM matches it: words that start with the keyword, in any case and quoted or
// not; a line without a value changes nothing; the last line with one holds.
TEST(SectionReaders, ReadLinkOffsetsAsSwmmMatchesTheOption) {
    const std::tuple<std::string_view, LinkOffsets> cases[] = {
        {"LINK_OFFSETS ELEVATION\n", LinkOffsets::Elevation},
        {"link_offsets Elevations\n", LinkOffsets::Elevation},
        {"\"LINK_OFFSETS\" \" elevation\" ; comment\n", LinkOffsets::Elevation},
        {"LINK_OFFSETS_X ELEVATION\nLINK_OFFSETS\nLINK_OFFSETS ;DEPTH\n", LinkOffsets::Elevation},
        {"LINK_OFFSETS ELEVATION\nLINK_OFFSETS ELEV\n", LinkOffsets::Depth},
        {"LINK_OFFSET ELEVATION\nLINK ELEVATION\n", LinkOffsets::Depth},
        {"LINK_OFFSETS ELEVATION\nLINK_OFFSETS \"\"\n", LinkOffsets::Depth},
    };
    for (const auto& [options, expected] : cases) {
        LinkOffsets read = LinkOffsets::Depth;
        consoleOf("[OPTIONS]\n" + std::string(options), [&](int unit) { read = inpReadLinkOffsets(unit); });
        EXPECT_EQ(read, expected) << options;
    }
}

TEST(SectionReaderDeathTest, StopsWithTheReadersLinesAndTheOffendingLine) {
    const std::tuple<std::string_view, Reader, std::string_view> cases[] = {
        {"[JUNCTIONS]\nJ1 1 2 3 4\n", [](int u) { JunctionTable t; inpReadJunctions(u, t, 10); },
         "ERROR - Unexpected end of \\[junction\\] block line.  Erroneous line is:\nJ1 1 2 3 4\n"},
        // A name in a geometry field stops the run for the shapes that are converted.
        {"[XSECTIONS]\nC1 CIRCULAR 1 Curve 0 0 1\n", [](int u) { XsectionTable t; inpReadXsections(u, t, 10); },
         "ERROR - Reading \\[xsections\\] block line.  Erroneous line is:\nC1 CIRCULAR 1 Curve 0 0 1\n"},
        {"[WEIRS]\nW1 J1 J2 TRANSVERSE 1 1.8 NO\n", [](int u) { WeirTable t; inpReadWeirs(u, t, 10); },
         "ERROR - Reading \\[WEIRS\\] block line.  input data is not complete\nW1 J1 J2 TRANSVERSE 1 1.8 NO\n"
         "accepted formats are:\nName Node1 Node2 Type CrestHt Cd\n(.*\n){2}"
         "Name Node1 Node2 Type CrestHt Cd Gated EC Cd2 Sur Width Surface\n"},
        {"[TRANSECTS]\nX1 T1 2 0 1 0 0 0 0 0\nGR 1 0 2\n", [](int u) { XsTableSet t; inpReadTransects(u, t, 10); },
         "ERROR - Reading \\[TRANSECTS\\] block line.  Elev/Station data incomplete. line is:\nGR 1 0 2\n"},
        {"[TRANSECTS]\nGR 1 0\n", [](int u) { XsTableSet t; inpReadTransects(u, t, 10); },
         "ERROR - Reading \\[TRANSECTS\\] block line.  Erroneous line is:\nGR 1 0\n"},
        // "*" is no offset under LINK_OFFSETS ELEVATION alone.
        {"[CONDUITS]\nC1 J1 J2 1 0.01 * 0 0 0\n", [](int u) { ConduitTable t; inpReadConduits(u, t, 10); },
         "ERROR - Reading \\[conduits\\] block line.  Erroneous line is:\nC1 J1 J2 1 0.01 \\* 0 0 0\n"},
    };
    for (const auto& [text, reader, expected] : cases) {
        ZX_EXPECT_STOP({
            InpFile file(text);
            reader(file.unit());
        }, std::string(expected) + "\nPress Enter to Close\n$");
    }
}

TEST(CapacityDeathTest, TakesAFullCapacityAndStopsOneRecordBeyond) {
    std::string gr = "[TRANSECTS]\nX1 T1 2 0 1 0 0 0 0 0\n";
    for (int i = 0; i < kPointsPerTransect / 5; ++i) gr += "GR 1 0 1 1 1 2 1 3 1 4\n";
    // The cross-sections turned into tables need room beside the transects read.
    std::string x1 = "[CONDUITS]\nC1 J1 J2 1 0.01 0 0 0 0\n[XSECTIONS]\nC1 RECT_OPEN 1 2 0 0 1\n[TRANSECTS]\n";
    for (int i = 1; i < kTableCapacity; ++i) x1 += "X1 T" + std::to_string(i) + " 0 0 1 0 0 0 0 0\n";
    // A text that fills the capacity, one record more, the reader and its message.
    const std::tuple<std::string, std::string_view, Reader, std::string_view> cases[] = {
        {"[TRANSECTS]\nX1 T1 2 0 1 0 0 0 0 0\n", "X1 T2 2 0 1 0 0 0 0 0\n",
         [](int u) { XsTableSet t; inpReadTransects(u, t, 1); }, "Number of Transects Exceeds Maximum: 1"},
        // Consecutive lines of a link take one entry.
        {"[VERTICES]\nL1 0 0\nl1 1 1\n", "L2 0 0\n", [](int u) { VertexTable t; inpReadVertices(u, t, 1, 5); },
         "Number of Links Exceeds Maximum: 1"},
        {"[VERTICES]\nL1 0 0\nl1 1 1\n", "L1 2 2\n", [](int u) { VertexTable t; inpReadVertices(u, t, 5, 2); },
         "Number of Vertices on a link exceeds maximum: 2"},
        {gr, "GR 1 9\n", [](int u) { XsTableSet t; inpReadTransects(u, t, kTableCapacity); },
         "Number of XZ of a TRANSECTS exceeds maximum: 1500"},
        {x1, "X1 T0 0 0 1 0 0 0 0 0\n", [](int u) { Network n; readNetwork(n, u); xsConvertSpecialShapes(n); },
         "Number of Transects Exceeds Maximum: 10000"},
    };
    for (const auto& [full, beyond, reader, message] : cases) {
        SCOPED_TRACE(message);
        consoleOf(full, reader);
        ZX_EXPECT_STOP({
            InpFile file(full + std::string(beyond));
            reader(file.unit());
        }, "\n\nERROR - " + std::string(message) + "\n\nPress Enter to Close\n$");
    }
}

}  // namespace
}  // namespace zx::convert
