// tests/convert/network_layers_test.cpp: the 1d_nwk attribute lines of conduits, weirs, orifices
// (type codes and converted dimensions) and the polylines of links. Whole lines, junction lines
// and the builders' stops are checked on whole conversions (conversion_test.cpp).
#include "convert/network_layers.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "convert/model_text.hpp"
#include "gis/layer_table.hpp"
#include "support/test_support.hpp"

namespace zx::convert {
namespace {

using test::ConsoleCapture;
using test::readModel;

// The attribute line's 21 values as written, quotes and padding removed.
std::vector<std::string> fields() {
    std::vector<std::string> values;
    std::istringstream in(layers().gisAttributeLine);
    for (std::string value; std::getline(in, value, ',');) {
        std::erase(value, '"');
        std::erase(value, ' ');
        values.push_back(value);
    }
    return values;
}

enum Column {
    kId,
    kType,
    kIgnore,
    kUcs,
    kLength,
    kRoughness,
    kUsInvert,
    kDsInvert,
    kFormLoss,
    kBlockage,
    kInletType,
    kConn,
    kConnNo,
    kWidth,
    kHeight,
    kNumber,
    kHeightCont,
    kWidthCont,
    kEntryLoss,
    kExitLoss,
    kComment
};

struct ConduitCase {
    std::string_view xsection;  // the [XSECTIONS] line after the link name
    std::string_view type, length, roughness, width, height, number;
};

TEST(ConduitRecord, TakesTypeAndDimensionsFromTheShape) {
    const ConduitCase cases[] = {
        {"force_main 0.8 0 0 0 2", "C", "52.500", "0.012", "0.800", "0.000", "2"},
        {"RECT_CLOSED 1.2 2.5 0 0 1", "R", "52.500", "0.012", "2.500", "1.200", "1"},
        {"RECT_OPEN 1 2 0 0 3", "S", "52.500", "0.000", "0.000", "0.000", "3"},
        {"TRAPEZOIDAL 1 2 1 1 1", "S", "52.500", "0.000", "0.000", "0.000", "1"},
        {"IRREGULAR T1 0 0 0 2", "S", "52.500", "0.000", "0.000", "0.000", "2"},
        {"DUMMY 0 0 0 0 4", "X", "0.000", "0.018", "0.000", "0.000", "4"},
        {"ARCH 1 2 0 0 1", "I", "52.500", "0.012", "0.000", "0.000", "1"},
        {"RECT_TRIANGULAR 1 2 0.5 0 1", "I", "52.500", "0.012", "0.000", "0.000", "1"},
        {"EGG 2 0 0 0 3", "?", "0.000", "0.018", "0.000", "0.000", "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xsection);
        Network network =
            readModel("[CONDUITS]\nA1 J1 J2 52.5 0.012 0 0 0 0\n[XSECTIONS]\nA1 " + std::string(c.xsection) + "\n");
        ConsoleCapture console;
        nwkConduitRecord(network, 0);
        const auto f = fields();
        ASSERT_EQ(f.size(), 21U);
        EXPECT_EQ(f[kType], c.type);
        EXPECT_EQ(f[kLength], c.length);
        EXPECT_EQ(f[kRoughness], c.roughness);
        EXPECT_EQ(f[kWidth], c.width);
        EXPECT_EQ(f[kHeight], c.height);
        EXPECT_EQ(f[kNumber], c.number);
        EXPECT_EQ(f[kUcs], "T");
        EXPECT_EQ(f[kComment], "A1");
        const bool unsupported = c.type == "?";
        EXPECT_EQ(console.text(), unsupported ? "WARNING - XSection type not yet supported by convertor. XSec type: "
                                                "EGG\nPaused - press Enter to continue\n"
                                              : "");
    }
}

struct WeirCase {
    std::string_view weir;      // the [WEIRS] line after the name and nodes
    std::string_view xsection;  // the [XSECTIONS] line after the name
    std::string_view type, invert, width, contraction;
    bool flagsType;
    std::string_view console;
};

TEST(WeirRecord, ConvertsEachWeirTypeWithItsCrestWidthAndWarnings) {
    const WeirCase cases[] = {
        {"TRANSVERSE 1.2 1.84 YES 0 0", "RECT_OPEN 1 2.5 0 0", "WRU", "11.200", "2.500", "1.840", false, ""},
        {"V-NOTCH 0.5 1.4", "TRIANGULAR 1.0 2.0 0 0", "WV", "10.500", "90.000", "0.000", false, ""},
        {"trapezoidal 0 3 NO 0 0", "TRAPEZOIDAL 1 2 1 1", "WT", "10.000", "2.000", "0.000", false, ""},
        {"ROADWAY 1 2.8 NO 0 0 NO 30 PAVED", "RECT_OPEN 1 10 0 0", "WR?", "11.000", "10.000", "0.000", true,
         "WARNING - ROADWAY weirs not supported yet in ORVALE: W1\n"},
        // A shorter transverse weir: 10^0.83 / 10 = 0.676.
        {"SIDEFLOW 1 1.5 YES 0 0", "RECT_OPEN 1 10 0 0", "WRU?", "11.000", "0.676", "1.500", true,
         "WARNING - SIDEFLOW weir not supported yet in ORVALE. Altering weir length to get best approximate: W1\n"},
        {"OTHER 1 1.5 YES 0 0", "RECT_OPEN 1 10 0 0", "W?", "-99999.000", "0.000", "0.000", false,
         "WARNING - Weir type not yet supported by convertor. Weir type: OTHER\nPaused - press Enter to continue\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.weir);
        Network network = readModel("[JUNCTIONS]\nJ1 10.0 0 0 0 0\n[WEIRS]\nW1 J1 J2 " + std::string(c.weir) +
                                    "\n[XSECTIONS]\nW1 " + std::string(c.xsection) + "\n");
        bool flag = false;
        ConsoleCapture console;
        nwkWeirRecord(network, 0, flag);
        const auto f = fields();
        EXPECT_EQ(f[kType], c.type);
        EXPECT_EQ(f[kUsInvert], c.invert);
        EXPECT_EQ(f[kDsInvert], c.invert);
        EXPECT_EQ(f[kWidth], c.width);
        EXPECT_EQ(f[kHeightCont], c.contraction);
        EXPECT_EQ(f[kUcs], "F");
        EXPECT_EQ(f[kNumber], "0");
        EXPECT_EQ(flag, c.flagsType);
        EXPECT_EQ(console.text(), c.console);
    }
}

struct OrificeCase {
    std::string_view name;
    std::string_view orifice;  // the [ORIFICES] line after the name and nodes
    std::string_view shape;
    std::string_view type, loss, invert, inletType, heightCont, widthCont;
    bool bottom;
};

TEST(OrificeRecord, ConvertsSideAndBottomOrifices) {
    const OrificeCase cases[] = {
        {"O1", "SIDE 0.3 0.65 YES 0", "CIRCULAR 0.5 0 0 0", "CU?", "0.010", "10.300", "", "1.000", "0.650", false},
        {"O1", "side 0.3 0.65 YES 0", "RECT_CLOSED 0.4 0.6 0 0", "RU?", "0.010", "10.300", "", "0.650", "1.000", false},
        {"O1", "BOTTOM 0.5 0.6 YES 0", "CIRCULAR 0.5 0 0 0", "M?", "0.000", "10.500",
         "matrix_flow\\O1_Q.csv|matrix_flow\\O1_A.csv", "1.000", "1.000", true},
        // The two file names no longer fit in the column's 50 characters.
        {"Orifice_12345", "BOTTOM 0 0.6 NO 0", "CIRCULAR 0.5 0 0 0", "M?", "0.000", "10.000",
         "matrix_flow\\Orifice_12345_Q.csv|matrix_flow\\Orif", "1.000", "1.000", true},
        {"O1", "GATE 0 0.6 NO 0", "CIRCULAR 0.5 0 0 0", "?", "0.000", "-99999.000", "", "1.000", "1.000", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.orifice);
        const std::string name(c.name);
        Network network =
            readModel("[JUNCTIONS]\nJ1 10.0 0 0 0 0\n[ORIFICES]\n" + name + " J1 J2 " + std::string(c.orifice) +
                      "\n[XSECTIONS]\nX CIRCULAR 1 0 0 0\n" + name + " " + std::string(c.shape) + "\n");
        ConsoleCapture console;
        nwkOrificeRecord(network, 0);
        const auto f = fields();
        EXPECT_EQ(f[kType], c.type);
        EXPECT_EQ(f[kLength], c.loss);
        EXPECT_EQ(f[kRoughness], c.loss);
        EXPECT_EQ(f[kUsInvert], c.invert);
        EXPECT_EQ(f[kDsInvert], "-99999.000");
        EXPECT_EQ(f[kInletType], c.inletType);
        EXPECT_EQ(f[kNumber], "1");
        EXPECT_EQ(f[kHeightCont], c.heightCont);
        EXPECT_EQ(f[kWidthCont], c.widthCont);
        EXPECT_EQ(network.inpXsectionTable.bottomOrifices,
                  c.bottom ? std::vector<std::size_t>{1} : std::vector<std::size_t>{});
        EXPECT_EQ(console.text().empty(), c.type != "?");
    }
}

struct PolylineCase {
    LinkKind kind;
    std::string_view vertices;  // [VERTICES] lines
    std::vector<double> x;      // the line's points (y equals x throughout)
    int warnings;
};

TEST(LinkPolyline, RunsThroughTheVerticesAndDropsPointsOnThePointBefore) {
    const PolylineCase cases[] = {
        {LinkKind::Conduit, "", {0, 10}, 0},
        {LinkKind::Conduit, "l1 2 2\nL1 4 4\n", {0, 2, 4, 10}, 0},
        // The last vertex on the downstream node: the line ends at the vertex.
        {LinkKind::Conduit, "L1 5 5\nL1 10 10\n", {0, 5, 10}, 1},
        {LinkKind::Weir, "L1 10 10\nL1 10 10\n", {0, 10}, 2},
        {LinkKind::Orifice, "L1 0 0\nL1 5 5\n", {0, 5, 10}, 1},
        // Only the first entry of a link counts.
        {LinkKind::Conduit, "L1 2 2\nL2 3 3\nL1 4 4\n", {0, 2, 10}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vertices);
        const Network network = readModel("[VERTICES]\n" + std::string(c.vertices));
        ConsoleCapture console;
        nwkLinkPolyline(network, c.kind, "L1", {"UP", 0, 0}, {"DOWN", 10, 10});
        const GisObjectVertices& v = layers().gisObjectVertices;
        ASSERT_EQ(v.nv, static_cast<int>(c.x.size()));
        for (std::size_t i = 0; i < c.x.size(); ++i) {
            EXPECT_EQ(v.x[i], c.x[i]);
            EXPECT_EQ(v.y[i], c.x[i]);
        }
        const std::string text = console.text();
        int warnings = 0;
        for (auto at = text.find("WARNNING"); at != std::string::npos; at = text.find("WARNNING", at + 1)) ++warnings;
        EXPECT_EQ(warnings, c.warnings) << text;
    }
}

}  // namespace
}  // namespace zx::convert
