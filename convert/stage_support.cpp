// convert/stage_support.cpp: layer names, Geom1 numbers, file-name guards, table files and the
// cross-section line shared by the output stages.
#include "convert/stage_support.hpp"

#include <algorithm>
#include <cmath>

#include "common/fortran_format.hpp"
#include "convert/inp_sections.hpp"
#include "common/units.hpp"
#include "convert/run_support.hpp"
#include "gis/layer_table.hpp"

namespace zx::convert {
namespace {

template <typename Number>
Number geom1Number(const inpXsection& xsection, std::optional<Number> value) {
    if (!value) stopWith({"ERROR - Geom1 of link " + xsection.Link + " is not a number: " + xsection.Geom1});
    return *value;
}

}  // namespace

std::string layerName(const RunSettings& run, std::string_view prefix, std::string_view suffix) {
    std::string name(prefix);
    name += run.inputFileName;
    name += suffix;
    name += run.mifOutput ? ".mif" : ".shp";
    return name;
}

int openOutputLayer(std::string_view name, std::span<const SchemaColumn> columns, std::string_view geometry,
                    GisObject& object) {
    GisAttributeTemplate& columnTemplate = layers().gisAttributeTemplate;
    columnTemplate.recordCount = 0;
    columnTemplate.columns.clear();
    for (const SchemaColumn& column : columns) {
        columnTemplate.columns.push_back({std::string(column.name), std::string(column.type), column.width});
    }
    const int gisID = gisOpenLayer(name, geometry, "O ", false);
    gisWriteHeader(gisID);
    gisInitialiseObject(object);
    return gisID;
}

float geom1Real4(const inpXsection& xsection) { return geom1Number(xsection, inpReal4(xsection.Geom1)); }

double geom1Real8(const inpXsection& xsection) { return geom1Number(xsection, inpReal8(xsection.Geom1)); }

void makeOutputFolder(OutputFolder folder) {
    if (folder == OutputFolder::Xs) {
        makeOutputFolder("xs", "ERROR 0005 - Could not make the output folder for xs files.");
    } else {
        makeOutputFolder("matrix_flow", "ERROR 0005 - Could not make the output folder: matrix_flow.");
    }
}

void requireFileNamePart(std::string_view kind, std::string_view name) {
    if (name.find_first_of("/\\") == std::string_view::npos && name != "." && name != "..") return;
    stopWith(
        {"ERROR - The name of " + std::string(kind) + " " + std::string(name) + " cannot be used as a file name."});
}

void appendBareOrQuoted(std::string& line, std::string_view text) {
    const std::size_t digits = std::min(text.find_first_not_of("0123456789"), text.size());
    const bool repeatCount = digits > 0 && digits < text.size() && text[digits] == '*';
    const bool bare = text.find_first_of(", \"/") == std::string_view::npos && !text.starts_with('\'') && !repeatCount;
    if (bare) line += text;
    else appendQuoted(line, text);
}

TableFile::TableFile(std::string_view name) : name_(name) { OPENFREEUNIT(unit_, "O ", name, 1); }

TableFile::~TableFile() { CLOSER(unit_); }

void TableFile::line(std::string_view text) { writeUnitRecord(unit_, text); }

void TableFile::row(std::initializer_list<float> values) {
    row_.clear();
    for (const float value : values) {
        if (!row_.empty()) row_ += ',';
        appendField(row_, value, 15, 7);
    }
    writeUnitRecord(unit_, row_);
}

void TableFile::appendField(std::string& line, double value, int width, int decimals) const {
    requireFinite(value, "table", name_);
    fmt::appendFixedGrowing(line, value, width, decimals, 0);
}

void requireFinite(double value, std::string_view kind, std::string_view name) {
    if (std::isfinite(value)) return;
    stopWith({"ERROR - A number of " + std::string(kind) + " " + std::string(name) +
              " is beyond the range of real numbers."},
             Spacing::EmptyLineBefore);
}

std::optional<std::array<Point, 2>> crossLine(Point from, Point to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) return std::nullopt;
    const double half = 0.5 * length;
    const Point middle{(from.x + to.x) * 0.5, (from.y + to.y) * 0.5};
    return std::array<Point, 2>{Point{middle.x + (dy / length) * half, middle.y - (dx / length) * half},
                                Point{middle.x - (dy / length) * half, middle.y + (dx / length) * half}};
}

float offsetLevel(const Network& network, float nodeElevation, float offset) {
    if (network.linkOffsets == LinkOffsets::Elevation) return std::max(offset, nodeElevation);
    return nodeElevation + std::max(offset, 0.0F);
}

const inpJunction& junctionOf(const Network& network, std::string_view node, std::string_view message,
                              std::string_view link) {
    const auto found = network.inpJunctionTable.find(node);
    if (!found) stopWith({std::string(message) + std::string(link)});
    return network.inpJunctionTable[*found];
}

std::optional<std::array<Point, 2>> nodePoints(const Network& network, std::string_view from, std::string_view to,
                                               std::string_view what) {
    std::array<Point, 2> points;
    const std::pair<std::string_view, std::string_view> ends[] = {{"us", from}, {"ds", to}};
    for (std::size_t k = 0; k < points.size(); ++k) {
        const auto [end, node] = ends[k];
        const auto found = network.inpCoordinates.find(node);
        if (!found) {
            writeAfterEmptyLine("WARNING: Unable to find coordinates for " + std::string(end) + " node " +
                                std::string(node) + std::string(what));
            return std::nullopt;
        }
        points[k] = {network.inpCoordinates[*found].X, network.inpCoordinates[*found].Y};
    }
    return points;
}

void writeLayerObject(int gisID, GisObject& object, std::span<const Point> points) {
    GisObjectVertices& vertices = layers().gisObjectVertices;
    vertices.setCount(static_cast<std::int32_t>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        vertices.x[i] = points[i].x;
        vertices.y[i] = points[i].y;
    }
    gisWriteObject(gisID, object);
}

void writeLayerRecord(int gisID, const GisObject& object, std::string_view attributeLine) {
    layers().gisAttributeLine = attributeLine;
    gisWriteRecord(gisID, object);
}

void warnNoCrossLine(std::string_view table, std::string_view link) {
    writeAfterEmptyLine("WARNING: The nodes of link " + std::string(link) + " coincide: no line for table " +
                        std::string(table));
}

}  // namespace zx::convert
