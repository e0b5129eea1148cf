// convert/transect_tables.cpp: the cross-section table files, the table-link schema and line, and
// the cross-section layer.
#include "convert/transect_tables.hpp"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/fortran_format.hpp"
#include "common/strings.hpp"
#include "convert/output_stages.hpp"
#include "convert/run_support.hpp"
#include "convert/stage_support.hpp"
#include "platform/console.hpp"

namespace zx::convert {
namespace {

constexpr std::array<SchemaColumn, 12> kTableLinkSchema{{
    {"Source", "Char", 50},
    {"Type", "Char", 2},
    {"Flags", "Char", 8},
    {"Column_1", "Char", 20},
    {"Column_2", "Char", 20},
    {"Column_3", "Char", 20},
    {"Column_4", "Char", 20},
    {"Column_5", "Char", 20},
    {"Column_6", "Char", 20},
    {"Z_Increment", "Float", 0},
    {"Z_Maximum", "Float", 0},
    {"Skew", "Float", 0},
}};

// A station written twice would give the table a vertical step that the 1D solver cannot take.
constexpr float kStationShift = 0.00001F;

bool isTransect(const xsTable& table) { return ASAME(table.Type, "XZ"); }

void checkManningValues(const xsTable& table) {
    if (table.Nchannel <= 0) {
        stopWith({"ERROR - [TRANSECTS] Main channel mannings not defined. Transect name:" + table.ID});
    }
    // A bank value is needed only when a station lies beyond that bank's station.
    if (table.NPoints() == 0) return;
    if (table.Nleft <= 0 && table.XorH.front() < table.Xleft) {
        stopWith({"ERROR - [TRANSECTS] Left bank mannings not defined. Transect name:" + table.ID});
    }
    if (table.Nright <= 0 && table.XorH.back() > table.Xright) {
        stopWith({"ERROR - [TRANSECTS] Right bank channel mannings not defined. Transect name:" + table.ID});
    }
}

// The table's line across the conduit or weir of the link: nullopt with a warning when the layer
// cannot draw it.
std::optional<std::array<Point, 2>> linkLine(const Network& network, const xsTable& table, const std::string& link) {
    const std::string* from = nullptr;
    const std::string* to = nullptr;
    if (const auto conduit = network.inpConduitTable.find(link)) {
        from = &network.inpConduitTable[*conduit].FromNode;
        to = &network.inpConduitTable[*conduit].ToNode;
    }
    // A weir of the link's name overrules a conduit of that name.
    if (const auto weir = network.inpWeirTable.find(link)) {
        from = &network.inpWeirTable[*weir].Node1;
        to = &network.inpWeirTable[*weir].Node2;
    }
    if (from == nullptr) {
        writeAfterEmptyLine("WARNING: Unable to find the name of coordinates for transect " + table.ID +
                            " conduit/weir " + link);
        return std::nullopt;
    }
    const auto ends = nodePoints(network, *from, *to, " conduit " + link + " transect " + table.ID);
    if (!ends) return std::nullopt;
    const auto line = crossLine((*ends)[0], (*ends)[1]);
    if (!line) warnNoCrossLine(table.FileName, link);
    return line;
}

// The links that take the table's line: every IRREGULAR cross-section whose Geom1 names a
// transect, in the order of [XSECTIONS] (any number of channels may share one transect); the link
// a height-width table was made for. A transect that no cross-section uses is warned about.
std::vector<std::string> tableLinks(const Network& network, const xsTable& table) {
    if (!isTransect(table)) return {table.Link};
    std::vector<std::string> links;
    for (const std::size_t xsection : network.inpXsectionTable.usingTransect(table.ID)) {
        links.push_back(network.inpXsectionTable[xsection].Link);
    }
    if (links.empty()) writeAfterEmptyLine("WARNING: Unable to find xsection for transect: " + table.ID);
    return links;
}

}  // namespace

int xsOpenTableLinkLayer(std::string_view layerName, GisObject& object) {
    return openOutputLayer(layerName, kTableLinkSchema, "L", object);
}

std::string composeTableLinkLine(const TableLinkAttributes& a) {
    std::string line;
    for (std::string_view text : {a.source, a.type, a.flags}) {
        appendQuoted(line, text);
        line += ',';
    }
    for (std::string_view text : a.columns) {
        appendQuoted(line, text);
        line += ',';
    }
    fmt::appendFixed(line, a.zIncrement, 10, 3);
    line += ',';
    fmt::appendFixed(line, a.zMaximum, 10, 3);
    line += ',';
    fmt::appendFixed(line, a.skew, 10, 3);
    return line;
}

std::string xsTransectRecord(const xsTable& table) {
    return composeTableLinkLine({.source = table.FileName,
                          .type = table.Type,
                          .flags = "N",
                          .columns = {},
                          .zIncrement = table.Eoffset,
                          .zMaximum = kMissingValue,
                          .skew = 0});
}

void xsWriteTableFile(xsTable& table, TableFileNames& names) {
    const bool transect = isTransect(table);
    const std::string_view kind = transect ? "transect" : "link";
    const std::string& name = transect ? table.ID : table.Link;
    requireFileNamePart(kind, name);
    table.FileName = names.claim(OutputFolder::Xs, kind, name).front();
    const std::string path = tablePath(OutputFolder::Xs, table.FileName);
    TableFile file(path);
    if (!transect) {
        file.line("H, W, N");
        for (std::size_t k = 0; k < table.NPoints(); ++k) file.row({table.XorH[k], table.ZorW[k], table.Nchannel});
        return;
    }
    file.line("X, Z, N");
    checkManningValues(table);
    if (table.NPoints() == 0) {
        writeAfterEmptyLine("WARNING - [TRANSECTS] No stations (GR lines) given. Transect name:" + table.ID);
    }
    float previous = -1.0F;
    for (std::size_t k = 0; k < table.NPoints(); ++k) {
        float station = table.XorH[k];
        if (station == previous) {
            writeAfterEmptyLine(
                "WARNING - ORVALE cannot handle two overapping points in a cross section, x added by 0.00001" + path +
                "point" + fmt::integer(static_cast<std::int64_t>(k + 1), 12));
            station = table.XorH[k] + kStationShift;
            // From 256 on the steps between single-precision values are larger than the shift.
            if (station == previous) station = std::nextafter(previous, std::numeric_limits<float>::infinity());
        }
        // A point on a bank station belongs to the channel.
        const float manning = station < table.Xleft    ? table.Nleft
                              : station > table.Xright ? table.Nright
                                                       : table.Nchannel;
        file.row({station, table.ZorW[k], manning});
        previous = station;
    }
}

void writeTransectTables(Network& network, const RunSettings& run) {
    writeAfterEmptyLine("Outputting transect data to .csv file.");
    platform::console().writeLine();
    makeOutputFolder(OutputFolder::Xs);
    for (xsTable& table : network.xsTableSet) xsWriteTableFile(table, network.tableFileNames);

    writeAfterEmptyLine("Outputting transect data to 1d_xs file.");
    platform::console().writeLine();
    GisObject object;
    int gisID = xsOpenTableLinkLayer(layerName(run, "xs\\1d_xs_", "_transects"), object);
    object.pline = true;
    for (const xsTable& table : network.xsTableSet) {
        for (const std::string& link : tableLinks(network, table)) {
            const auto line = linkLine(network, table, link);
            if (!line) continue;
            writeLayerObject(gisID, object, *line);
            writeLayerRecord(gisID, object, xsTransectRecord(table));
        }
    }
    gisCloseLayer(gisID);
}

}  // namespace zx::convert
