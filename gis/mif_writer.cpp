// gis/mif_writer.cpp: MapInfo interchange text: the .mif header with its column list, and one
// object in MIF syntax followed by the layer's style lines. Coordinates are fixed-point fields of
// 16 characters without separators, as MapInfo writes them; a coordinate that would fill its field
// gets a wider one behind a blank, since MIF readers split coordinates at blanks.
#include <algorithm>

#include "common/fortran_format.hpp"
#include "common/number_text.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "gis/layer_table.hpp"

namespace zx {
namespace {

constexpr int kCoordinateWidth = 16;
constexpr int kCoordinateDecimals = 6;
constexpr int kTextBoxDecimals = 3;

void appendCoordinates(std::string& line, double x, double y, int decimals = kCoordinateDecimals) {
    line += fmt::fixedGrowing(x, kCoordinateWidth, decimals, 1);
    line += fmt::fixedGrowing(y, kCoordinateWidth, decimals, 1);
}

}  // namespace

void LayerTable::writeMifHeader(const GisAttributeTemplate& columns, int unit) {
    for (const std::string_view line : {"Version 300", "Charset \"WindowsLatin1\"", "Delimiter \",\""}) {
        writeUnitRecord(unit, line);
    }
    writeUnitRecord(unit, significantPart(mifCoordSysLine));
    writeUnitRecord(unit, "Columns " + AINTEGER(static_cast<std::int32_t>(columns.columns.size())));
    for (const auto& column : columns.columns) {
        std::string line =
            "  " + std::string(significantPart(column.name)) + " " + std::string(significantPart(column.type));
        if (column.width > 0) line += "(" + AINTEGER(column.width) + ")";
        writeUnitRecord(unit, line);
    }
    writeUnitRecord(unit, "Data");
    writeUnitRecord(unit, "");
}

void LayerTable::writeMifObject(const GisObject& object, int unit, std::string_view styleLine1,
                                std::string_view styleLine2) {
    platform::File* file = units().file(unit);
    if (file == nullptr) stopWithMessage("ERROR 0439 - Writing .mif file object coordinates.");
    const auto& v = gisObjectVertices;
    std::string& line = mifLine_;
    auto vertexLine = [&](std::size_t j) {
        line.clear();
        appendCoordinates(line, v.x[j], v.y[j]);
        file->writeRecord(line);
    };
    auto writeVertices = [&](std::int32_t first, std::int32_t count) {
        for (std::int32_t j = first; j < first + count; ++j) vertexLine(static_cast<std::size_t>(j - 1));
    };
    // A polyline section or a region ring of one vertex is written with that vertex twice: MIF
    // readers reject a section of fewer than two vertices.
    auto writeSection = [&](std::int32_t first, std::int32_t count) {
        file->writeRecord(" " + AINTEGER(std::max(count, 2)));
        writeVertices(first, count);
        if (count == 1) vertexLine(static_cast<std::size_t>(first - 1));
    };
    // Parts i = 1 .. n, each a section: part i runs from ir(i) to ir(i+1) - 1, the last part to
    // the last vertex.
    auto writeParts = [&](std::int32_t parts) {
        for (std::int32_t i = 1; i <= parts; ++i) {
            const std::int32_t first = object.ir[static_cast<std::size_t>(i - 1)];
            const std::int32_t end = i < parts ? object.ir[static_cast<std::size_t>(i)] : v.nv + 1;
            writeSection(first, end - first);
        }
    };
    const bool isLineOrRegion = object.pline || object.plineMultiple || object.region;

    if (object.point) {
        requireVertices(1);
        line = "Point ";
        appendCoordinates(line, v.x[0], v.y[0]);
        file->writeRecord(line);
    } else if (object.multipoint) {
        requireVertices(v.nv);
        file->writeRecord("MultiPoint " + AINTEGER(v.nv));
        writeVertices(1, v.nv);
    } else if (object.line) {
        requireVertices(2);
        line = "Line ";
        appendCoordinates(line, v.x[0], v.y[0]);
        appendCoordinates(line, v.x[1], v.y[1]);
        file->writeRecord(line);
    } else if (isLineOrRegion && v.nv == 0) {
        // Without vertices there is no geometry to write, and MIF readers reject an empty
        // polyline or region: the object is written as one without geometry.
        file->writeRecord("none");
        return;
    } else if (object.pline) {
        requireVertices(v.nv);
        file->writeRecord("Pline " + AINTEGER(std::max(v.nv, 2)));
        writeVertices(1, v.nv);
        if (v.nv == 1) vertexLine(0);
    } else if (object.plineMultiple) {
        const std::int32_t parts = partCount(object);
        file->writeRecord("Pline Multiple " + AINTEGER(parts));
        writeParts(parts);
    } else if (object.region && object.nr < 2) {
        requireVertices(v.nv);
        file->writeRecord("Region 1");
        writeSection(1, v.nv);
    } else if (object.region) {
        const std::int32_t rings = partCount(object);
        file->writeRecord("Region " + AINTEGER(rings));
        writeParts(rings);
    } else if (object.text) {
        // The attribute line holds the quoted text; vertices 2 and 3 are the corners of its box.
        requireVertices(3);
        file->writeRecord("Text");
        file->writeRecord(significantPart(gisAttributeLine));
        line = "    ";
        appendCoordinates(line, v.x[1], v.y[1], kTextBoxDecimals);
        appendCoordinates(line, v.x[2], v.y[2], kTextBoxDecimals);
        file->writeRecord(line);
    } else if (object.none) {
        file->writeRecord("none");
        return;
    } else {
        stopWithMessage(pleaseContact("ERROR 0350 - Trying to write a MIF object that is not yet supported."));
    }
    const std::string_view style1 = significantPart(styleLine1);
    if (style1.empty()) return;
    file->writeRecord(style1);
    const std::string_view style2 = significantPart(styleLine2);
    if (!style2.empty()) file->writeRecord(style2);
}

}  // namespace zx
