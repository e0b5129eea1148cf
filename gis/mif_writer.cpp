// gis/mif_writer.cpp: MIF text. Coordinates are fixed-point fields of 16 characters without
// separators, as MapInfo writes them; a coordinate that would fill its field gets a wider one
// behind a blank, since MIF readers split coordinates at blanks.
#include "gis/mif_writer.hpp"

#include <algorithm>

#include "common/fortran_format.hpp"
#include "common/number_text.hpp"
#include "common/text_lines.hpp"

namespace zx::mif {
namespace {

constexpr int kCoordinateWidth = 16;
constexpr int kCoordinateDecimals = 6;
constexpr int kTextBoxDecimals = 3;

void appendCoordinates(std::string& line, double x, double y, int decimals = kCoordinateDecimals) {
    fmt::appendFixedGrowing(line, x, kCoordinateWidth, decimals, 1);
    fmt::appendFixedGrowing(line, y, kCoordinateWidth, decimals, 1);
}

// Vertex lines of one object, each composed in the caller's work text.
struct VertexLines {
    platform::File& file;
    VertexView v;
    std::string& line;

    void vertex(std::int32_t j) {  // 1-based
        line.clear();
        appendCoordinates(line, v.x[static_cast<std::size_t>(j - 1)], v.y[static_cast<std::size_t>(j - 1)]);
        file.writeRecord(line);
    }
    void run(std::int32_t first, std::int32_t count) {
        for (std::int32_t j = first; j < first + count; ++j) vertex(j);
    }
    // A polyline section or a region ring of one vertex is written with that vertex twice: MIF
    // readers reject a section of fewer than two vertices.
    void section(std::int32_t first, std::int32_t count) {
        file.writeRecord(" " + AINTEGER(std::max(count, 2)));
        run(first, count);
        if (count == 1) vertex(first);
    }
    // Part i runs from its start to the vertex before the next part's start, the last part to the
    // last vertex.
    void parts(std::span<const std::int32_t> partStarts) {
        const auto vertexCount = static_cast<std::int32_t>(v.x.size());
        for (std::size_t i = 0; i < partStarts.size(); ++i) {
            const std::int32_t first = partStarts[i];
            const std::int32_t end = i + 1 < partStarts.size() ? partStarts[i + 1] : vertexCount + 1;
            section(first, end - first);
        }
    }
};

}  // namespace

void writeHeader(platform::File& file, const GisAttributeTemplate& columns, std::string_view coordSysLine) {
    for (const std::string_view line : {"Version 300", "Charset \"WindowsLatin1\"", "Delimiter \",\""}) {
        file.writeRecord(line);
    }
    file.writeRecord(significantPart(coordSysLine));
    file.writeRecord("Columns " + AINTEGER(static_cast<std::int32_t>(columns.columns.size())));
    for (const auto& column : columns.columns) {
        std::string line =
            "  " + std::string(significantPart(column.name)) + " " + std::string(significantPart(column.type));
        if (column.width > 0) line += "(" + AINTEGER(column.width) + ")";
        file.writeRecord(line);
    }
    file.writeRecord("Data");
    file.writeRecord("");
}

void writeObject(platform::File& file, ObjectKind kind, std::span<const std::int32_t> partStarts, VertexView v,
                 std::string_view textLine, std::string_view styleLine1, std::string_view styleLine2,
                 std::string& line) {
    const auto vertexCount = static_cast<std::int32_t>(v.x.size());
    VertexLines vertices{file, v, line};
    const auto partsText = AINTEGER(static_cast<std::int32_t>(partStarts.size()));
    const bool lineOrRegion = kind == ObjectKind::Pline || kind == ObjectKind::PlineMultiple || kind == ObjectKind::Region;
    // Without vertices there is no geometry to write, and MIF readers reject an empty polyline or
    // region: the object is written as one without geometry.
    if (kind == ObjectKind::None || (lineOrRegion && vertexCount == 0)) {
        file.writeRecord("none");
        return;
    }
    switch (kind) {
        case ObjectKind::Point:
            line = "Point ";
            appendCoordinates(line, v.x[0], v.y[0]);
            file.writeRecord(line);
            break;
        case ObjectKind::Multipoint:
            file.writeRecord("MultiPoint " + AINTEGER(vertexCount));
            vertices.run(1, vertexCount);
            break;
        case ObjectKind::Line:
            line = "Line ";
            appendCoordinates(line, v.x[0], v.y[0]);
            appendCoordinates(line, v.x[1], v.y[1]);
            file.writeRecord(line);
            break;
        case ObjectKind::Pline:
            file.writeRecord("Pline " + AINTEGER(std::max(vertexCount, 2)));
            vertices.run(1, vertexCount);
            if (vertexCount == 1) vertices.vertex(1);
            break;
        case ObjectKind::PlineMultiple:
            file.writeRecord("Pline Multiple " + partsText);
            vertices.parts(partStarts);
            break;
        case ObjectKind::Region:
            file.writeRecord("Region " + partsText);
            vertices.parts(partStarts);
            break;
        case ObjectKind::Text:
            file.writeRecord("Text");
            file.writeRecord(significantPart(textLine));
            line = "    ";
            appendCoordinates(line, v.x[1], v.y[1], kTextBoxDecimals);
            appendCoordinates(line, v.x[2], v.y[2], kTextBoxDecimals);
            file.writeRecord(line);
            break;
        case ObjectKind::None:
        case ObjectKind::Rect:
        case ObjectKind::RoundRect:
        case ObjectKind::Arc:
        case ObjectKind::Ellipse:
        case ObjectKind::Unsupported: return;
    }
    const std::string_view style1 = significantPart(styleLine1);
    if (style1.empty()) return;
    file.writeRecord(style1);
    const std::string_view style2 = significantPart(styleLine2);
    if (!style2.empty()) file.writeRecord(style2);
}

}  // namespace zx::mif
