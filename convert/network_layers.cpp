// convert/network_layers.cpp: the link and junction layers, their polylines and points, and the
// attribute lines of conduits, weirs, orifices and junctions with their conversion rules.
#include "convert/network_layers.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/exit.hpp"
#include "common/fortran_format.hpp"
#include "common/strings.hpp"
#include "convert/cross_section_shapes.hpp"
#include "convert/inp_readers.hpp"
#include "convert/output_stages.hpp"
#include "convert/run_support.hpp"
#include "convert/special_shapes.hpp"
#include "convert/stage_support.hpp"
#include "platform/console.hpp"

namespace zx::convert {
namespace {

// The 1d_nwk schema of both network layers. The link layer's Inlet_Type is as wide as a BOTTOM
// orifice's matrix references need, and at least 50 characters.
constexpr std::size_t kInletTypeColumn = 10;
constexpr int kLinkInletTypeWidth = 50;
constexpr std::array<SchemaColumn, 21> kNwkSchema{{
    {"ID", "Char", 12},          {"Type", "Char", 4},          {"Ignore", "Char", 1},
    {"UCS", "Char", 1},          {"Len_or_ANA", "Float", 0},   {"n_or_n_F", "Float", 0},
    {"US_Invert", "Float", 0},   {"DS_Invert", "Float", 0},    {"Form_Loss", "Float", 0},
    {"pBlockage", "Float", 0},   {"Inlet_Type", "Char", 50},   {"Conn_1D_2D", "Char", 4},
    {"Conn_No", "Integer", 0},   {"Width_or_Dia", "Float", 0}, {"Height_or_WF", "Float", 0},
    {"Number_of", "Integer", 0}, {"Height_Cont", "Float", 0},  {"Width_Cont", "Float", 0},
    {"Entry_Loss", "Float", 0},  {"Exit_Loss", "Float", 0},    {"Comment", "Char", 100},
}};

// A network layer keeps the first 12 characters of a name as its ID (the full name stays in the
// comment), so names that agree there become one object in the 1D model built from the layer.
// The names are gathered while the layer is written and every shared ID is reported once.
class SharedIds {
public:
    void add(std::string_view name) {
        std::string id(name.substr(0, static_cast<std::size_t>(kNwkSchema[0].width)));
        auto [entry, added] = namesById_.try_emplace(id);
        if (added) ids_.push_back(std::move(id));
        entry->second.emplace_back(name);
    }

    void report(std::string_view layer) const {
        std::vector<std::string> lines;
        for (const std::string& id : ids_) {
            const std::vector<std::string>& names = namesById_.at(id);
            if (names.size() < 2) continue;
            std::string line = "  " + id + ":";
            for (std::size_t k = 0; k < names.size(); ++k) line += (k == 0 ? " " : ", ") + names[k];
            lines.push_back(std::move(line));
        }
        if (lines.empty()) return;
        writeAfterEmptyLine("WARNING - Objects of layer " + std::string(layer) +
                            " share an ID (the first 12 characters of their names):");
        for (const std::string& line : lines) platform::console().writeLine(line);
    }

private:
    std::unordered_map<std::string, std::vector<std::string>> namesById_;
    std::vector<std::string> ids_;  // in the order the layer holds them
};

int openNetworkLayer(std::string_view layerName, int inletTypeWidth, std::string_view geometry, GisObject& object) {
    auto columns = kNwkSchema;
    columns[kInletTypeColumn].width = inletTypeWidth;
    return openOutputLayer(layerName, columns, geometry, object);
}

// The 21 values of a network record, in the schema's order.
struct NetworkAttributes {
    std::string_view id;
    std::string_view type;
    std::string_view ignore = "F";
    std::string_view ucs = "F";
    float length = 0;
    float roughness = 0;
    float usInvert = kMissingValue;
    float dsInvert = kMissingValue;
    float formLoss = 0;
    float blockage = 0;
    std::string_view inletType;
    std::string_view conn1d2d;
    std::int32_t connNo = 0;
    float width = 0;
    float height = 0;
    std::int32_t number = 0;
    float heightContraction = 0;
    float widthContraction = 0;
    float entryLoss = 0;
    float exitLoss = 0;
    std::string_view comment;
};

// Texts quoted (the comment only where it needs quotes), reals as F10.3, integers as I8,
// separated by commas. A real that is not a finite number (a SIDEFLOW weir of no length, levels
// beyond the range of single precision) ends the run.
std::string composeNetworkLine(const NetworkAttributes& a) {
    const auto appendReal = [&](std::string& line, float value) {
        requireFinite(value, "link", a.id);
        fmt::appendFixed(line, value, 10, 3);
    };
    std::string line;
    for (std::string_view text : {a.id, a.type, a.ignore, a.ucs}) {
        appendQuoted(line, text);
        line += ',';
    }
    for (float value : {a.length, a.roughness, a.usInvert, a.dsInvert, a.formLoss, a.blockage}) {
        appendReal(line, value);
        line += ',';
    }
    for (std::string_view text : {a.inletType, a.conn1d2d}) {
        appendQuoted(line, text);
        line += ',';
    }
    fmt::appendInteger(line, a.connNo, 8);
    for (float value : {a.width, a.height}) {
        line += ',';
        appendReal(line, value);
    }
    line += ',';
    fmt::appendInteger(line, a.number, 8);
    for (float value : {a.heightContraction, a.widthContraction, a.entryLoss, a.exitLoss}) {
        line += ',';
        appendReal(line, value);
    }
    line += ',';
    appendBareOrQuoted(line, a.comment);
    return line;
}

// How a weir's type becomes its network type, invert, width and contraction.
enum class WeirRule { Transverse, VNotch, Trapezoidal, Roadway, Sideflow };
struct WeirType {
    std::string_view type;
    std::string_view code;
    std::string_view gatedCode;
    WeirRule rule;
};
constexpr std::array<WeirType, 5> kWeirTypes{{
    {"TRANSVERSE", "WR", "WRU", WeirRule::Transverse},
    {"V-NOTCH", "WV", "WVU", WeirRule::VNotch},
    {"TRAPEZOIDAL", "WT", "WTU", WeirRule::Trapezoidal},
    {"ROADWAY", "WR?", "WRU?", WeirRule::Roadway},
    {"SIDEFLOW", "WR?", "WRU?", WeirRule::Sideflow},
}};

template <typename Row, std::size_t N>
const Row* findByKeyword(const std::array<Row, N>& rows, std::string_view Row::*key, std::string_view text) {
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return ASAME(text, r.*key); });
    return row == rows.end() ? nullptr : &*row;
}

// The coordinates of a conduit's, weir's or junction's node: without them the network is not
// drawable and the run ends.
Point nodeCoordinates(const Network& network, std::string_view node) {
    const auto found = network.inpCoordinates.find(node);
    if (!found) stopWith({"Unable to find coordinates for node " + std::string(node)}, Spacing::EmptyLineBefore);
    return {network.inpCoordinates[*found].X, network.inpCoordinates[*found].Y};
}

// The invert of a conduit's end at the node, as SWMM takes it (offsetLevel). The missing value
// where the end sits on a junction's invert (the junction layer holds it) or the node's elevation
// is not known.
float conduitEndInvert(const Network& network, std::string_view node, float offset) {
    const auto junction = network.inpJunctionTable.find(node);
    const auto otherNode = junction ? std::nullopt : network.nodeElevations.find(node);
    if (!junction && !otherNode) return kMissingValue;
    const float elevation = junction ? network.inpJunctionTable[*junction].Elevation
                                     : network.nodeElevations[*otherNode].Elevation;
    const float invert = offsetLevel(network, elevation, offset);
    if (junction && invert == elevation) return kMissingValue;
    return invert;
}

// The position of the link's cross-section record; a link without one ends the run.
std::size_t xsectionOf(const Network& network, std::string_view message, const std::string& link) {
    const auto found = network.inpXsectionTable.find(link);
    if (!found) stopWith({std::string(message) + link});
    return *found;
}

// What a weir's or orifice's record starts from: its cross-section and the junction of its Node1
// (for its crest or invert); either missing ends the run naming the link.
struct ControlLink {
    std::size_t xsectionPosition;
    const inpXsection& xsection;
    const inpJunction& junction;
};
ControlLink controlLinkOf(const Network& network, std::string_view kind, const std::string& name,
                          std::string_view node1) {
    const std::size_t found =
        xsectionOf(network, "ERROR - Unable to find XSection data for " + std::string(kind) + ": ", name);
    return {found, network.inpXsectionTable[found],
            junctionOf(network, node1, "ERROR - Unable to find Junction data for " + std::string(kind) + ": ", name)};
}

// The matrix files of every BOTTOM orifice that gets a line in the link layer (both of its nodes
// have coordinates), by the orifice's position: named before the layer opens, as their
// references set the width of its Inlet_Type column.
std::vector<std::vector<std::string>> nameBottomOrificeMatrices(Network& network) {
    std::vector<std::vector<std::string>> files(network.inpOrificeTable.count());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const inpOrifice& orifice = network.inpOrificeTable[i];
        if (!isBottomOrifice(orifice) || !network.inpCoordinates.find(orifice.Node1) ||
            !network.inpCoordinates.find(orifice.Node2)) {
            continue;
        }
        files[i] = network.tableFileNames.claim(OutputFolder::MatrixFlow, "orifice", orifice.Name);
    }
    return files;
}

void warnOverlap(LinkKind kind, std::string_view link, Point kept, Point removed) {
    auto& console = platform::console();
    console.writeLine();
    if (kind == LinkKind::Conduit) {
        // The name as its 100-character field holds it, trailing blanks and all.
        std::string field(link.substr(0, kNameLength));
        field.resize(kNameLength, ' ');
        console.writeLine("WARNNING - vertices overlapping, skip vertex2 for conduit: " + field);
        console.writeLine("Please check [VERTICES] and [COORDINATES] block for the following vertices: ");
    } else {
        console.writeLine("WARNNING - vertices overlapping, skip vertex2");
    }
    console.writeLine("vertex1: " + fmt::fixed(removed.x, 16, 3) + "," + fmt::fixed(removed.y, 16, 3));
    console.writeLine("vertex2: " + fmt::fixed(kept.x, 16, 3) + "," + fmt::fixed(kept.y, 16, 3));
}

}  // namespace

int nwkOpenLinkLayer(std::string_view layerName, int inletTypeWidth, GisObject& object) {
    return openNetworkLayer(layerName, inletTypeWidth, "L", object);
}

int nwkOpenNodeLayer(std::string_view layerName, GisObject& object) {
    return openNetworkLayer(layerName, 12, "P", object);
}

std::vector<Point> nwkLinkPolyline(const Network& network, LinkKind kind, std::string_view link, Point upstream,
                                   Point downstream) {
    std::vector<Point> points{upstream};
    if (const auto entry = network.inpVertexTable.find(link)) {
        const inpVertexList& list = network.inpVertexTable[*entry];
        for (std::size_t k = 0; k < list.NVert(); ++k) points.push_back({list.X[k], list.Y[k]});
    }
    points.push_back(downstream);
    if (points.size() == 2) return points;

    constexpr double kTolerance = 1.0e-6F;
    // From the end backwards: a removal moves only points that have been compared already.
    for (std::size_t m = points.size() - 1; m >= 1; --m) {
        const double dx = points[m].x - points[m - 1].x;
        const double dy = points[m].y - points[m - 1].y;
        if (std::sqrt(dx * dx + dy * dy) >= kTolerance) continue;
        warnOverlap(kind, link, points[m - 1], points[m]);
        points.erase(points.begin() + static_cast<std::ptrdiff_t>(m));
    }
    return points;
}

LinkRecord nwkConduitRecord(const Network& network, std::size_t i) {
    const inpConduit& conduit = network.inpConduitTable[i];
    const std::size_t found = xsectionOf(network, "ERROR - Unable to find XSection data for link: ", conduit.Name);
    const inpXsection& xsection = network.inpXsectionTable[found];

    NetworkAttributes a;
    a.id = conduit.Name;
    a.ucs = "T";
    a.comment = conduit.Name;
    a.roughness = 0.018F;
    a.usInvert = conduitEndInvert(network, conduit.FromNode, conduit.InOffset);
    a.dsInvert = conduitEndInvert(network, conduit.ToNode, conduit.OutOffset);
    a.number = xsection.Barrels;
    std::string type = "?";
    if (const CrossSectionShape* shape = findCrossSectionShape(xsection.Shape)) {
        type = shape->networkType;
        a.length = conduit.Length;
        a.roughness = conduit.Roughness;
        switch (shape->conduit) {
            case ConduitRule::Diameter: a.width = geom1Real4(xsection); break;
            case ConduitRule::Rectangle:
                a.width = xsection.Geom2;
                a.height = geom1Real4(xsection);
                break;
            case ConduitRule::Table: a.roughness = 0; break;
            case ConduitRule::Dummy:
                a.length = 0;
                a.roughness = 0.018F;
                break;
            case ConduitRule::Arch:
            case ConduitRule::RectTriangular: break;
        }
    } else {
        platform::console().writeLine("WARNING - XSection type not yet supported by convertor. XSec type: " +
                                      xsection.Shape);
        pauseConsole();
    }
    if (ASAME(conduit.FlapGate, "YES")) type += 'U';
    a.type = type;
    return {composeNetworkLine(a), found};
}

LinkRecord nwkWeirRecord(const Network& network, std::size_t i) {
    const inpWeir& weir = network.inpWeirTable[i];
    const auto [found, xsection, junction] = controlLinkOf(network, "weir", weir.Name, weir.Node1);
    bool approximated = false;

    NetworkAttributes a;
    a.id = weir.Name;
    a.comment = weir.Name;
    a.type = "W?";
    const WeirType* type = findByKeyword(kWeirTypes, &WeirType::type, weir.Type);
    if (type == nullptr) {
        platform::console().writeLine("WARNING - Weir type not yet supported by convertor. Weir type: " + weir.Type);
        pauseConsole();
    } else {
        a.type = ASAME(weir.Gated, "NO") ? type->code : type->gatedCode;
        a.usInvert = a.dsInvert = offsetLevel(network, junction.Elevation, weir.CrestHt);
        a.width = xsection.Geom2;
        switch (type->rule) {
            case WeirRule::Transverse: a.heightContraction = weir.Cd; break;
            case WeirRule::VNotch:
                // The notch angle in degrees from its height (Geom1) and top width (Geom2).
                a.width = static_cast<float>(2.0 * std::atan2(0.5 * xsection.Geom2, geom1Real8(xsection)) * 180.0 /
                                             std::numbers::pi);
                break;
            case WeirRule::Trapezoidal: break;
            case WeirRule::Roadway:
                approximated = true;
                platform::console().writeLine("WARNING - ROADWAY weirs not supported yet in ORVALE: " + weir.Name);
                break;
            case WeirRule::Sideflow: {
                approximated = true;
                // A shorter transverse weir that passes about the flow of the side weir.
                const double length = xsection.Geom2;
                a.width = static_cast<float>(std::pow(length, static_cast<double>(0.83F)) / length);
                a.heightContraction = weir.Cd;
                platform::console().writeLine(
                    "WARNING - SIDEFLOW weir not supported yet in ORVALE. Altering weir length to get best "
                    "approximate: " +
                    weir.Name);
                break;
            }
        }
    }
    return {composeNetworkLine(a), found, approximated};
}

LinkRecord nwkOrificeRecord(const Network& network, std::size_t i, std::string_view matrixReference) {
    const inpOrifice& orifice = network.inpOrificeTable[i];
    const auto [found, xsection, junction] = controlLinkOf(network, "orifice", orifice.Name, orifice.Node1);

    NetworkAttributes a;
    a.id = orifice.Name;
    a.comment = orifice.Name;
    a.type = "?";
    a.number = 1;
    a.heightContraction = 1.0F;
    a.widthContraction = 1.0F;
    if (ASAME(orifice.Type, "SIDE")) {
        const bool gated = !ASAME(orifice.Gated, "NO");
        if (isShape(xsection.Shape, kCircular)) {
            a.type = gated ? "CU?" : "C?";
            a.widthContraction = orifice.Cd;
        } else {
            a.type = gated ? "RU?" : "R?";
            a.heightContraction = orifice.Cd;
        }
        a.length = a.roughness = 0.01F;
        a.usInvert = offsetLevel(network, junction.Elevation, orifice.Offset);
    } else if (isBottomOrifice(orifice)) {
        a.type = "M?";
        a.usInvert = offsetLevel(network, junction.Elevation, orifice.Offset);
        a.inletType = matrixReference;
    } else {
        platform::console().writeLine("WARNING - Orifice type not yet supported by convertor. Orifice type: " +
                                      orifice.Type);
        pauseConsole();
    }
    return {composeNetworkLine(a), found};
}

bool isBottomOrifice(const inpOrifice& orifice) { return ASAME(orifice.Type, "BOTTOM"); }

std::string nwkJunctionRecord(const inpJunction& junction) {
    NetworkAttributes a;
    a.id = junction.Name;
    a.type = "Node";
    a.ucs = "T";
    a.dsInvert = junction.Elevation;
    a.comment = junction.Name;
    return composeNetworkLine(a);
}

void writeLinkLayer(Network& network, const RunSettings& run, CheckFlags& checks) {
    const std::vector<std::vector<std::string>> matrixFiles = nameBottomOrificeMatrices(network);
    std::vector<std::string> matrixReferences;
    int inletTypeWidth = kLinkInletTypeWidth;
    for (const std::vector<std::string>& files : matrixFiles) {
        matrixReferences.push_back(tableReference(OutputFolder::MatrixFlow, files));
        inletTypeWidth = std::max(inletTypeWidth, static_cast<int>(matrixReferences.back().size()));
    }
    GisObject object;
    const std::string layer = layerName(run, "1d_nwk_");
    int gisID = nwkOpenLinkLayer(layer, inletTypeWidth, object);
    object.pline = true;
    SharedIds ids;
    XsectionTable& xsections = network.inpXsectionTable;
    // The polyline is written before its record is built: the record's warnings follow the
    // polyline's on the console.
    const auto writeLink = [&](LinkKind kind, std::string_view name, Point upstream, Point downstream,
                               auto buildRecord) {
        ids.add(name);
        writeLayerObject(gisID, object, nwkLinkPolyline(network, kind, name, upstream, downstream));
        const LinkRecord record = buildRecord();
        writeLayerRecord(gisID, object, record.attributeLine);
        return record;
    };

    if (network.has(section::kConduits)) {
        writeAfterEmptyLine("Outputting conduit data to 1d_nwk file.");
        xsConvertSpecialShapes(network);
        if (network.has(section::kLosses)) inpApplyLosses(network.inpConduitTable, network.inpLossTable);
        for (std::size_t i = 0; i < network.inpConduitTable.count(); ++i) {
            const inpConduit& conduit = network.inpConduitTable[i];
            const Point upstream = nodeCoordinates(network, conduit.FromNode);
            const Point downstream = nodeCoordinates(network, conduit.ToNode);
            const LinkRecord record = writeLink(LinkKind::Conduit, conduit.Name, upstream, downstream,
                                                [&] { return nwkConduitRecord(network, i); });
            // ARCH and RECT_TRIANGULAR conduits get their tables from the height-width stage.
            const std::string& shape = xsections[record.xsection].Shape;
            if (isShape(shape, kArch)) xsections.archConduits.push_back(record.xsection);
            if (isShape(shape, kRectTriangular)) xsections.rectTriangularConduits.push_back(record.xsection);
        }
    }
    if (network.has(section::kWeirs)) {
        writeAfterEmptyLine(
            "Outputting weir data to 1d_nwk file - some SWMM weir types do not have a direct coversion to ORVALE yet.");
        for (std::size_t i = 0; i < network.inpWeirTable.count(); ++i) {
            const inpWeir& weir = network.inpWeirTable[i];
            const Point upstream = nodeCoordinates(network, weir.Node1);
            const Point downstream = nodeCoordinates(network, weir.Node2);
            const LinkRecord record =
                writeLink(LinkKind::Weir, weir.Name, upstream, downstream, [&] { return nwkWeirRecord(network, i); });
            if (record.approximated) checks.weirTypes = true;
        }
    }
    if (network.has(section::kOrifices)) {
        writeAfterEmptyLine(
            "Outputting orifice data to 1d_nwk file - some SWMM orifice types do not have a direct conversion to "
            "ORVALE yet.");
        for (std::size_t i = 0; i < network.inpOrificeTable.count(); ++i) {
            checks.orifices = true;
            const inpOrifice& orifice = network.inpOrificeTable[i];
            // An orifice's node without coordinates only costs the orifice its line.
            const auto ends = nodePoints(network, orifice.Node1, orifice.Node2, " orifice " + orifice.Name);
            if (!ends) continue;
            const LinkRecord record = writeLink(LinkKind::Orifice, orifice.Name, (*ends)[0], (*ends)[1],
                                                [&] { return nwkOrificeRecord(network, i, matrixReferences[i]); });
            if (isBottomOrifice(orifice)) xsections.bottomOrifices.push_back({i, record.xsection, matrixFiles[i]});
        }
    }
    gisCloseLayer(gisID);
    ids.report(layer);
}

void writeJunctionLayer(const Network& network, const RunSettings& run) {
    writeAfterEmptyLine("Outputting junction data to 1d_nwk file.");
    platform::console().writeLine();
    GisObject object;
    const std::string layer = layerName(run, "1d_nwk_", "_junctions");
    int gisID = nwkOpenNodeLayer(layer, object);
    object.point = true;
    SharedIds ids;
    for (const inpJunction& junction : network.inpJunctionTable) {
        ids.add(junction.Name);
        const Point point = nodeCoordinates(network, junction.Name);
        const std::string attributeLine = nwkJunctionRecord(junction);
        writeLayerObject(gisID, object, std::span(&point, 1));
        writeLayerRecord(gisID, object, attributeLine);
    }
    gisCloseLayer(gisID);
    ids.report(layer);
}

}  // namespace zx::convert
