// tests/convert/inp_readers_test.cpp: the section readers on small hand-made .inp texts: what
// they keep, what they write, and where they stop.
#include "convert/inp_readers.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "convert/inp_file.hpp"
#include "support/test_support.hpp"

namespace zx::convert {
namespace {

using test::ConsoleCapture;
using test::InpFile;

std::string read(std::string_view text, const std::function<void(int unit)>& reader) {
    return test::consoleOf(text, reader);
}

TEST(JunctionReader, ReadsEpaStyleRowsAndReportsTheCount) {
    JunctionTable table;
    const std::string console = read(
        "[TITLE]\nJunctions below\n\n[JUNCTIONS]x\nJ0 0 0 0 0 0\n[junctions] ; the header\r\n;;Name\tElev\r\nJ1\t12.5\t3\t0\t0\t0\r\n\r\n"
        "  ;; second\r\nJ2 11.0 3.5 0.5 1 2 ; last one\r\n[JUNCTIONS]\nJ3 1 1 1 1 1\n",
        [&](int unit) { inpReadJunctions(unit, table, kTableCapacity); });
    EXPECT_EQ(console, "\nReading [JUNCTIONS] data...\n   Finished.\nFound 2 junctions.\n");
    ASSERT_EQ(table.count(), 2U);  // only the first [JUNCTIONS] section is read
    EXPECT_EQ(table[0].Name, "J1");
    EXPECT_EQ(table[0].Elevation, 12.5F);
    EXPECT_EQ(table[1].Name, "J2");
    EXPECT_EQ(table[1].Aponded, 2.0F);
    JunctionTable none;
    EXPECT_EQ(read("[OPTIONS]\n", [&](int unit) { inpReadJunctions(unit, none, kTableCapacity); }),
              "\nReading [JUNCTIONS] data...\n   Finished.\nFound 0 junctions.\n");
}

struct StopCase {
    std::string_view text;
    std::function<void(int unit)> reader;
    std::string_view expected;  // the console's last lines
};

TEST(SectionReaderDeathTest, StopsWithTheReadersLinesAndTheOffendingLine) {
    const StopCase cases[] = {
        {"[JUNCTIONS]\nJ1 1 2 3 4\n", [](int u) { JunctionTable t; inpReadJunctions(u, t, 10); },
         "ERROR - Unexpected end of \\[junction\\] block line.  Erroneous line is:\nJ1 1 2 3 4\n"},
        {"[CONDUITS]\nC1 J1 J2 100 0.013 * * 0 0\n", [](int u) { ConduitTable t; inpReadConduits(u, t, 10); },
         "ERROR - Reading \\[conduits\\] block line.  Erroneous line is:\nC1 J1 J2 100 0.013 \\* \\* 0 0\n"},
        {"[WEIRS]\nW1 J1 J2 TRANSVERSE 1 1.8 NO\n", [](int u) { WeirTable t; inpReadWeirs(u, t, 10); },
         "ERROR - Reading \\[WEIRS\\] block line.  input data is not complete\nW1 J1 J2 TRANSVERSE 1 1.8 NO\n"
         "accepted formats are:\nName Node1 Node2 Type CrestHt Cd\n(.*\n){2}"
         "Name Node1 Node2 Type CrestHt Cd Gated EC Cd2 Sur Width Surface\n"},
        {"[ORIFICES]\nO1 J1 J2 BOTTOM 0 0.5 NO\n", [](int u) { OrificeTable t; inpReadOrifices(u, t, 10); },
         "ERROR - Unexpected end of \\[ORIFICES\\] block line.  Erroneous line is:\nO1 J1 J2 BOTTOM 0 0.5 NO\n"},
        {"[XSECTIONS]\nC1 CIRCULAR 1 Curve 0 0 1\n", [](int u) { XsectionTable t; inpReadXsections(u, t, 10); },
         "ERROR - Reading \\[xsections\\] block line.  Erroneous line is:\nC1 CIRCULAR 1 Curve 0 0 1\n"},
        {"[TRANSECTS]\nX1 T1 2 0 1 0 0 0 0 0\nGR 1 0 2\n", [](int u) { XsTableSet t; inpReadTransects(u, t, 10); },
         "ERROR - Reading \\[TRANSECTS\\] block line.  Elev/Station data incomplete. line is:\nGR 1 0 2\n"},
        {"[TRANSECTS]\nGR 1 0\n", [](int u) { XsTableSet t; inpReadTransects(u, t, 10); },
         "ERROR - Reading \\[TRANSECTS\\] block line.  Erroneous line is:\nGR 1 0\n"},
        {"[LOSSES]\nC1 0.5 0.5\n", [](int u) { LossTable t; inpReadLosses(u, t, 10); },
         "ERROR - Reading \\[LOSSES\\] block line. Data incomplete. line is:\nC1 0.5 0.5\n"},
        // Over capacity: an empty line, then the message with the capacity.
        {"[COORDINATES]\nN1 0 0\nN2 0 0\n", [](int u) { CoordinateTable t; inpReadCoordinates(u, t, 1); },
         "\nERROR - Number of Coords Exceeds Maximum: 1\n"},
        {"[WEIRS]\nW1 A B TRANSVERSE 1 2\nW2 A B TRANSVERSE 1 2\n",
         [](int u) { WeirTable t; inpReadWeirs(u, t, 1); }, "\nERROR - Number of Weirs Exceeds Maximum: 1\n"},
        {"[TRANSECTS]\nX1 T1 2 0 1 0 0 0 0 0\nX1 T2 2 0 1 0 0 0 0 0\n",
         [](int u) { XsTableSet t; inpReadTransects(u, t, 1); }, "\nERROR - Number of Transects Exceeds Maximum: 1\n"},
        {"[VERTICES]\nL1 0 0\nL2 0 0\n", [](int u) { VertexTable t; inpReadVertices(u, t, 1, 5); },
         "\nERROR - Number of Links Exceeds Maximum: 1\n"},
        {"[VERTICES]\nL1 0 0\nl1 1 1\n", [](int u) { VertexTable t; inpReadVertices(u, t, 5, 1); },
         "\nERROR - Number of Vertices on a link exceeds maximum: 1\n"},
        {"[LOSSES]\nC1 0 0 0\nC2 0 0 0\n", [](int u) { LossTable t; inpReadLosses(u, t, 1); },
         "\nERROR - Number of Losses Exceeds Maximum: 1\n"},
    };
    for (const auto& c : cases) {
        ZX_EXPECT_STOP({
            InpFile file(c.text);
            c.reader(file.unit());
        }, std::string(c.expected) + "\nPress Enter to Close\n$");
    }
}

TEST(WeirReader, ReadsEachAcceptedWordCount) {
    WeirTable table;
    read("[WEIRS]\nW6 J1 J2 V-NOTCH 1.5 1.8\nW9 J1 J2 TRANSVERSE 1.2 1.84 YES 2.0 0.5 ; end contractions 2\n"
         "W10 J1 J2 SIDEFLOW 1 1.8 NO 0 0 YES\nW12 J1 J2 ROADWAY 1 2.6 NO 0 0 YES 30 PAVED\n",
         [&](int unit) { inpReadWeirs(unit, table, kTableCapacity); });
    ASSERT_EQ(table.count(), 4U);
    EXPECT_EQ(table[0].Type, "V-NOTCH");
    EXPECT_EQ(table[0].Gated, "NO");  // not given: an ungated weir
    EXPECT_EQ(table[1].Gated, "YES");
    EXPECT_EQ(table[1].EC, 2);
    EXPECT_EQ(table[1].Cd2, 0.5F);
    EXPECT_EQ(table[2].Sur, "YES");
    EXPECT_EQ(table[3].Width, 30.0F);
    EXPECT_EQ(table[3].Surface, "PAVED");
}

TEST(XsectionReader, FillsWhatEachLineHoldsAndCountsSpecialShapes) {
    XsectionTable table;
    const std::string console = read(
        "[XSECTIONS]\nC1 CIRCULAR 1.5 0 0 0 2\nC2 RECT_OPEN 1 2 0 0\nC3 IRREGULAR T1\nC4 STREET Main_Street\n"
        "C5 CUSTOM 3 ShapeCurve 1\nC6 ARCH 13 0 0 0 1.0\nC7 arch 1 2 3 0 1 0\nC8 RECT_TRIANGULAR 2 1 0.5 0 1\n",
        [&](int unit) { inpReadXsections(unit, table, kTableCapacity); });
    EXPECT_EQ(console,
              "\nReading [XSECTIONS] data...\n"
              "WARRNING - Reading [xsections] block line.  Barrels is not defined. Use 1:\nC2 RECT_OPEN 1 2 0 0\n"
              "   Finished.\nFound 8 xsections.\n");
    ASSERT_EQ(table.count(), 8U);
    const std::tuple<std::string_view, std::string_view, float, float, std::int32_t> expected[] = {
        {"CIRCULAR", "1.5", 0, 0, 2}, {"RECT_OPEN", "1", 2, 0, 1},     {"IRREGULAR", "T1", 0, 0, 1},
        {"STREET", "Main_Street", 0, 0, 1}, {"CUSTOM", "3", 0, 1, 1}, {"ARCH", "13", 0, 0, 1},
        {"arch", "1", 2, 3, 1},      {"RECT_TRIANGULAR", "2", 1, 0.5F, 1}};
    for (std::size_t i = 0; i < table.count(); ++i) {
        const auto& [shape, geom1, geom2, geom3, barrels] = expected[i];
        EXPECT_EQ(table[i].Link, "C" + std::to_string(i + 1));
        EXPECT_EQ(table[i].Shape, shape);
        EXPECT_EQ(table[i].Geom1, geom1);
        EXPECT_EQ(table[i].Geom2, geom2) << shape;
        EXPECT_EQ(table[i].Geom3, geom3) << shape;
        EXPECT_EQ(table[i].Barrels, barrels) << shape;
    }
    EXPECT_EQ(table.nArch, 2);
    EXPECT_EQ(table.nRectTriangular, 1);
}

TEST(TransectReader, ReadsIndentedSeparatedTransectsWithTheirManningValues) {
    XsTableSet tables;
    const std::string console = read(
        "[TRANSECTS]\n;;Transect Data in HEC-2 format\n;\n  NC 0.045 0.040 0.030\n\n"
        "  X1 Reach_1 11 2.0 9.0 0.0 0.0 1.0 1.0 0.5\n"
        "  GR 10 0 9 1 8 2 7 3 6 4\n\tGR 5 5 6 6 7 7 8 8 9 9\n  GR 10 10\n;\n"
        "\tNC 0.05 0.05 0.02\r\n\tX1 T2 2 0 1 0 0 0 0 0\r\n\tGR 1 0 1 1\r\n",
        [&](int unit) { inpReadTransects(unit, tables, kTableCapacity); });
    EXPECT_EQ(console, "\nReading [TRANSECTS] data...\n   Finished.\nFound 2 TRANSECTS.\n");
    ASSERT_EQ(tables.size(), 2U);
    const xsTable& first = tables[0];
    EXPECT_EQ(std::tie(first.ID, first.FileName, first.Type), std::tie("Reach_1", "Reach_1.csv", "XZ"));
    EXPECT_EQ(std::tie(first.Nsta, first.Xleft, first.Xright, first.Eoffset), std::make_tuple(11, 2.0F, 9.0F, 0.5F));
    EXPECT_EQ(std::tie(first.Nleft, first.Nright, first.Nchannel), std::make_tuple(0.045F, 0.040F, 0.030F));
    ASSERT_EQ(first.NPoints(), 11U);
    EXPECT_EQ(std::tie(first.ZorW[3], first.XorH[3]), std::make_tuple(7.0F, 3.0F));  // elevation, then station
    EXPECT_EQ(first.XorH[10], 10.0F);
    EXPECT_EQ(tables[1].Nchannel, 0.02F);
    EXPECT_EQ(tables[1].NPoints(), 2U);
}

TEST(TransectReaderDeathTest, AcceptsNoPointBeyondTheLimit) {
    std::string text = "[TRANSECTS]\nX1 T1 2 0 1 0 0 0 0 0\n";
    for (int i = 0; i < kPointsPerTransect / 5; ++i) text += "GR 1 0 1 1 1 2 1 3 1 4\n";
    XsTableSet tables;
    read(text, [&](int unit) { inpReadTransects(unit, tables, kTableCapacity); });
    EXPECT_EQ(tables[0].NPoints(), static_cast<std::size_t>(kPointsPerTransect));
    ZX_EXPECT_STOP({
        InpFile file(text + "GR 1 9\n");
        inpReadTransects(file.unit(), tables, kTableCapacity);
    }, "\nERROR - Number of XZ of a TRANSECTS exceeds maximum: 1500\n");
}

TEST(VertexReader, GroupsConsecutiveLinesOfALink) {
    VertexTable table;
    const std::string console =
        read("[VERTICES]\nL1 1 2\nl1 3 4\nL2 5 6\nL1 7 8\n", [&](int unit) {
            inpReadVertices(unit, table, kTableCapacity, kVerticesPerLink);
        });
    EXPECT_EQ(console,
              "\nReading [VERTICES] data...\n   Finished.\nFound 3 links with a total of 4 additional vertices.\n");
    ASSERT_EQ(table.count(), 3U);
    EXPECT_EQ(table[0].X, (std::vector<double>{1, 3}));
    EXPECT_EQ(table[0].Y, (std::vector<double>{2, 4}));
    EXPECT_EQ(table[1].Link, "L2");
    EXPECT_EQ(table[2].NVert(), 1U);
    EXPECT_EQ(*table.find("L1"), 0U);  // the first entry of a split link is the one found
}

TEST(LossReader, FlapGatesReachTheConduitsByName) {
    LossTable losses;
    read("[LOSSES]\nC1 0.5 0.5 0\nc2 0 0 0 YES\nC3 0 0 0 NO 1.5\n",
         [&](int unit) { inpReadLosses(unit, losses, kTableCapacity); });
    ASSERT_EQ(losses.count(), 3U);
    EXPECT_EQ(losses[0].FlapGate, "NO");  // not given
    EXPECT_EQ(losses[2].Seepage, 1.5F);

    ConduitTable conduits;
    for (std::string_view name : {"C1", "C2", "C4"}) {
        inpConduit conduit;
        conduit.Name = name;
        conduits.append(conduit);
    }
    ConsoleCapture console;
    inpApplyLosses(conduits, losses);
    EXPECT_EQ(console.text(), "\nProcessing information from [LOSSES] block\n");
    EXPECT_EQ(conduits[0].FlapGate, "NO");
    EXPECT_EQ(conduits[1].FlapGate, "YES");  // names match as ASAME compares them
    EXPECT_EQ(conduits[2].FlapGate, "NA");
}

}  // namespace
}  // namespace zx::convert
