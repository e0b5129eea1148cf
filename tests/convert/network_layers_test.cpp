// tests/convert/network_layers_test.cpp: the 1d_nwk attribute values of conduits, weirs and
// orifices (type codes and converted dimensions) and the polylines of links. Whole lines and the
// builders' stops are checked on whole conversions.
#include "convert/network_layers.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <vector>

#include "convert/inp_file.hpp"
#include "gis/layer_table.hpp"

namespace zx::convert {
namespace {

using test::ConsoleCapture;
using test::readModel;

// Columns of the attribute line by their 1d_nwk names: Type, Len_or_ANA, n_or_n_F, US_Invert,
// Inlet_Type, Width_or_Dia, Height_or_WF, Number_of, Height_Cont, Width_Cont.
enum Column { kType = 1, kLength = 4, kRoughness = 5, kUsInvert = 6, kInletType = 10, kWidth = 13, kHeight = 14,
              kNumber = 15, kHeightCont = 16, kWidthCont = 17 };

// The attribute line's values at the columns, quotes and padding removed, joined by "|".
std::string columns(const std::string& line, std::initializer_list<Column> wanted) {
    std::vector<std::string> values;
    std::istringstream in(line);
    for (std::string value; std::getline(in, value, ',');) {
        std::erase(value, '"');
        std::erase(value, ' ');
        values.push_back(value);
    }
    std::string picked;
    for (const Column column : wanted) picked += (picked.empty() ? "" : "|") + values.at(column);
    return picked;
}

TEST(ConduitRecord, TakesTypeAndDimensionsFromTheShape) {
    // [XSECTIONS] line after the link name; type, length, roughness, width, height, number.
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"force_main 0.8 0 0 0 2", "C|52.500|0.012|0.800|0.000|2"},
        {"RECT_OPEN 1 2 0 0 3", "S|52.500|0.000|0.000|0.000|3"},
        {"DUMMY 0 0 0 0 4", "X|0.000|0.018|0.000|0.000|4"},
        {"EGG 2 0 0 0 3", "?|0.000|0.018|0.000|0.000|3"},
    };
    for (const auto& [xsection, expected] : cases) {
        SCOPED_TRACE(xsection);
        Network network =
            readModel("[CONDUITS]\nA1 J1 J2 52.5 0.012 0 0 0 0\n[XSECTIONS]\nA1 " + std::string(xsection) + "\n");
        ConsoleCapture console;
        const LinkRecord record = nwkConduitRecord(network, 0);
        EXPECT_EQ(columns(record.attributeLine, {kType, kLength, kRoughness, kWidth, kHeight, kNumber}), expected);
        EXPECT_EQ(console.text(), expected.starts_with("?") ? "WARNING - XSection type not yet supported by convertor. "
                                                             "XSec type: EGG\nPaused - press Enter to continue\n"
                                                           : "");
    }
}

TEST(WeirRecord, ConvertsEachWeirTypeWithItsCrestWidthAndWarnings) {
    // [WEIRS] line after the nodes, its shape; type, invert, width, contraction; the console.
    const std::tuple<std::string_view, std::string_view, std::string_view, std::string_view> cases[] = {
        {"V-NOTCH 0.5 1.4", "TRIANGULAR 1.0 2.0 0 0", "WV|10.500|90.000|0.000", ""},
        {"trapezoidal 0 3 NO 0 0", "TRAPEZOIDAL 1 2 1 1", "WT|10.000|2.000|0.000", ""},
        // A shorter transverse weir: 10^0.83 / 10 = 0.676.
        {"SIDEFLOW 1 1.5 YES 0 0", "RECT_OPEN 1 10 0 0", "WRU?|11.000|0.676|1.500",
         "WARNING - SIDEFLOW weir not supported yet in ORVALE. Altering weir length to get best approximate: W1\n"},
        {"OTHER 1 1.5 YES 0 0", "RECT_OPEN 1 10 0 0", "W?|-99999.000|0.000|0.000",
         "WARNING - Weir type not yet supported by convertor. Weir type: OTHER\nPaused - press Enter to continue\n"},
    };
    for (const auto& [weir, xsection, expected, shown] : cases) {
        SCOPED_TRACE(weir);
        Network network = readModel("[JUNCTIONS]\nJ1 10.0 0 0 0 0\n[WEIRS]\nW1 J1 J2 " + std::string(weir) +
                                    "\n[XSECTIONS]\nW1 " + std::string(xsection) + "\n");
        ConsoleCapture console;
        const LinkRecord record = nwkWeirRecord(network, 0);
        EXPECT_EQ(columns(record.attributeLine, {kType, kUsInvert, kWidth, kHeightCont}), expected);
        EXPECT_EQ(record.approximated, weir.starts_with("SIDEFLOW"));  // converted approximately, not unknown
        EXPECT_EQ(console.text(), shown);
    }
}

TEST(OrificeRecord, ConvertsSideAndBottomOrifices) {
    // Name, [ORIFICES] line after the nodes; type, loss, invert, inlet, contractions.
    const std::tuple<std::string, std::string_view, std::string_view> cases[] = {
        {"O1", "side 0.3 0.65 YES 0", "CU?|0.010|0.010|10.300||1.000|0.650"},
        // The reference to the two matrix files (blanks removed here), longer than 50 characters and
        // whole.
        {"Orifice_12345", "BOTTOM 0 0.6 NO 0",
         "M?|0.000|0.000|10.000|matrix_flow\\Orifice_12345_Q.csv|matrix_flow\\Orifice_12345_A.csv|1.000|1.000"},
        {"O1", "GATE 0 0.6 NO 0", "?|0.000|0.000|-99999.000||1.000|1.000"},
    };
    for (const auto& [name, orifice, expected] : cases) {
        SCOPED_TRACE(orifice);
        Network network = readModel("[JUNCTIONS]\nJ1 10.0 0 0 0 0\n[ORIFICES]\n" + name + " J1 J2 " +
                                    std::string(orifice) + "\n[XSECTIONS]\nX CIRCULAR 1 0 0 0\n" + name +
                                    " CIRCULAR 0.5 0 0 0\n");
        ConsoleCapture console;
        const LinkRecord record = nwkOrificeRecord(
            network, 0, "matrix_flow\\" + name + "_Q.csv | matrix_flow\\" + name + "_A.csv");
        EXPECT_EQ(columns(record.attributeLine, {kType, kLength, kRoughness, kUsInvert, kInletType, kHeightCont,
                                                 kWidthCont}),
                  expected);
        EXPECT_EQ(record.xsection, 1u);  // its own cross-section, not the first one
        EXPECT_EQ(console.text().empty(), !expected.starts_with("?"));
    }
}

TEST(LinkPolyline, RunsThroughTheVerticesAndDropsPointsOnThePointBefore) {
    // Kind, [VERTICES] lines, the line's points (y equals x throughout), warnings.
    const std::tuple<LinkKind, std::string_view, std::vector<double>, int> cases[] = {
        {LinkKind::Conduit, "", {0, 10}, 0},
        {LinkKind::Conduit, "l1 2 2\nL1 4 4\n", {0, 2, 4, 10}, 0},
        {LinkKind::Weir, "L1 10 10\nL1 10 10\n", {0, 10}, 2},
        {LinkKind::Orifice, "L1 0 0\nL1 5 5\n", {0, 5, 10}, 1},
        // Every line of a link counts, wherever it stands.
        {LinkKind::Conduit, "L1 2 2\nL2 3 3\nL1 4 4\n", {0, 2, 4, 10}, 0},
    };
    for (const auto& [kind, vertices, x, warnings] : cases) {
        SCOPED_TRACE(vertices);
        const Network network = readModel("[VERTICES]\n" + std::string(vertices));
        ConsoleCapture console;
        const std::vector<Point> points = nwkLinkPolyline(network, kind, "L1", {0, 0}, {10, 10});
        std::vector<double> xs, ys;
        for (const Point& p : points) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
        EXPECT_EQ(xs, x);
        EXPECT_EQ(ys, x);
        const std::string shown = console.text();
        const std::regex warning("WARNNING");
        EXPECT_EQ(std::distance(std::sregex_iterator(shown.begin(), shown.end(), warning), {}), warnings) << shown;
    }
}

}  // namespace
}  // namespace zx::convert
