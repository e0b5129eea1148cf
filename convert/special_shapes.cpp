// convert/special_shapes.cpp: height-width tables from RECT_OPEN, TRAPEZOIDAL and TRIANGULAR
// cross-sections, the ARCH and RECT_TRIANGULAR tables, and the height-width layer.
#include "convert/special_shapes.hpp"

#include <cmath>
#include <string>
#include <vector>

#include "common/checked_number.hpp"
#include "common/fortran_format.hpp"
#include "common/number_text.hpp"
#include "common/strings.hpp"
#include "convert/arch_tables.hpp"
#include "convert/cross_section_shapes.hpp"
#include "convert/output_stages.hpp"
#include "convert/run_support.hpp"
#include "convert/stage_support.hpp"
#include "convert/transect_tables.hpp"
#include "platform/console.hpp"

namespace zx::convert {
namespace {

// An arch's area as a fraction of the rectangle of its rise and span.
constexpr float kArchAreaFactor = 0.7879F;

void reportDimension(std::string_view label, float value) {
    platform::console().writeLine("        " + std::string(label) + fmt::fixed(value, 10, 3));
}

// The two (height, width) points of the shape, with its console report.
void fillTable(HeightWidthRule rule, const inpXsection& xsection, xsTable& table) {
    const float height = geom1Real4(xsection);
    float bottomWidth = xsection.Geom2;
    float topWidth = xsection.Geom2;
    reportDimension("full_height:", height);
    switch (rule) {
        case HeightWidthRule::None: break;
        case HeightWidthRule::RectOpen: reportDimension("top_width  :", xsection.Geom2); break;
        case HeightWidthRule::Trapezoidal:
            topWidth = (xsection.Geom3 + xsection.Geom4) * height + xsection.Geom2;
            reportDimension("base_width :", xsection.Geom2);
            reportDimension("left_slope :", xsection.Geom3);
            reportDimension("right_slope:", xsection.Geom4);
            break;
        case HeightWidthRule::Triangular:
            // A width of 0 at the bottom would close the channel.
            bottomWidth = 0.001F;
            reportDimension("top_width  :", xsection.Geom2);
            break;
    }
    table.XorH = {0.0F, height};
    table.ZorW = {bottomWidth, topWidth};
}

// The ARCH or the RECT_TRIANGULAR part of the height-width layer.
struct HwPart {
    bool arch;
    std::string_view name;     // in the part's messages
    std::string_view shape;    // in its table header and its warning
    std::string_view flag;     // the record's flag text
    std::string_view columns;  // the table's column line
};
constexpr HwPart kArchPart{true, "ARCH", "ARCH", "A", "H, W, A"};
constexpr HwPart kRectTriangularPart{false, "RECT_TRIANGLE", "RECT_TRIANGULAR", "", "H, W"};

// The table's file name.
std::string writePartTable(const HwPart& part, const inpXsection& xsection, TableFileNames& names) {
    const float height = geom1Real4(xsection);
    requireFileNamePart("link", xsection.Link);
    std::string fileName = names.claim(OutputFolder::Xs, "link", xsection.Link).front();
    TableFile file(tablePath(OutputFolder::Xs, fileName));
    file.line("! " + std::string(part.shape) + " conduit");
    file.line(part.columns);
    if (part.arch) {
        const ArchTable table = xsArchTables(height, xsection.Geom2, xsection.Geom3, xsection.Link);
        for (std::size_t k = 0; k < table.depth.size(); ++k) file.row({table.depth[k], table.width[k], table.area[k]});
    } else {
        const RectTriangularTable table = xsRectTriangularTable(height, xsection.Geom2, xsection.Geom3);
        for (std::size_t k = 0; k < table.height.size(); ++k) file.row({table.height[k], table.width[k]});
    }
    return fileName;
}

void writePartLine(const Network& network, const HwPart& part, const std::string& link, std::string_view fileName,
                   int gisID, GisObject& object) {
    const auto conduit = network.inpConduitTable.find(link);
    if (!conduit) {
        writeAfterEmptyLine("WARNING: Unable to find the name of coordinates for " + std::string(part.shape) + " " +
                            link);
        return;
    }
    const inpConduit& c = network.inpConduitTable[*conduit];
    const auto ends = nodePoints(network, c.FromNode, c.ToNode, " conduit " + link);
    if (!ends) return;
    const auto line = crossLine((*ends)[0], (*ends)[1]);
    if (!line) {
        warnNoCrossLine(fileName, link);
        return;
    }
    writeLayerObject(gisID, object, *line);
    writeLayerRecord(gisID, object, xsHwRecord(part.flag, fileName));
}

void writePart(Network& network, const HwPart& part, int found, const std::vector<std::size_t>& list, int gisID,
               GisObject& object) {
    writeAfterEmptyLine("Outputting " + std::string(part.name) + " conduit data... found " + AINTEGER(found) + " " +
                        std::string(part.name) + " conduit(s).");
    makeOutputFolder(OutputFolder::Xs);
    const XsectionTable& xsections = network.inpXsectionTable;
    std::vector<std::string> fileNames;
    for (const std::size_t j : list) fileNames.push_back(writePartTable(part, xsections[j], network.tableFileNames));
    for (std::size_t k = 0; k < list.size(); ++k) {
        writePartLine(network, part, xsections[list[k]].Link, fileNames[k], gisID, object);
    }
}

}  // namespace

void xsConvertSpecialShapes(Network& network) {
    writeAfterEmptyLine("Convert special SWMM cross Xsections to Transects");
    auto& console = platform::console();
    for (const inpXsection& xsection : network.inpXsectionTable) {
        const auto conduit = network.inpConduitTable.find(xsection.Link);
        if (!conduit && !network.inpWeirTable.find(xsection.Link) && !network.inpOrificeTable.find(xsection.Link)) {
            console.writeLine("WARNNING - Unable to find CONDUITS data for Xsection: " + xsection.Link);
        }
        const CrossSectionShape* shape = findCrossSectionShape(xsection.Shape);
        if (shape == nullptr || shape->heightWidth == HeightWidthRule::None) continue;
        // Only a table that is made needs room: a full set of transects does not stop a network
        // without these shapes.
        if (network.xsTableSet.size() >= static_cast<std::size_t>(kTableCapacity)) {
            stopWith({"ERROR - Number of Transects Exceeds Maximum: " + AINTEGER(kTableCapacity)},
                     Spacing::EmptyLineBefore);
        }
        console.writeLine("CHECK - [" + xsection.Shape + "] cross section " + xsection.Link +
                          " is converted to ORVALE cross section .csv based on ");
        xsTable table;
        fillTable(shape->heightWidth, xsection, table);
        table.ID = xsection.Link.substr(0, kTableIdLength);
        table.Link = xsection.Link;
        table.Type = "HW";
        // A weir's or orifice's table has no roughness of its own.
        table.Nchannel = conduit ? network.inpConduitTable[*conduit].Roughness : 0.0F;
        network.xsTableSet.push_back(std::move(table));
        network.inpSectionFlags[section::kTransects] = true;
    }
}

ArchDimensions xsArchSizeCode(float height, float width, float sizeCode, std::string_view link) {
    // The code is the whole part of a real, kept as a real: a code of 3e9 is a code all the same,
    // just not one of the table.
    double code = 0;
    if (sizeCode > 0) {
        code = std::trunc(static_cast<double>(sizeCode));
    } else if (width == 0 && height > 0) {
        // A whole number in Geom1 with no width is a size code written in the wrong field.
        const double wholeHeight = std::trunc(static_cast<double>(height));
        if (std::fabs(static_cast<float>(wholeHeight) - height) < 0.001F) {
            code = wholeHeight;
            writeAfterEmptyLine("WARNING: " + std::string(link) +
                                " Arch Conduit has a width of 0... assuming geom1 parameter is size code");
        }
    }
    if (code == 0) return {height, width, 0.0F};
    ArchSize size{height, width, 0.0F};
    const std::optional<std::int32_t> tableCode = wholePart<std::int32_t>(code);
    if (tableCode && *tableCode >= 1 && *tableCode <= static_cast<std::int32_t>(kArchSizes.size())) {
        size = kArchSizes[static_cast<std::size_t>(*tableCode - 1)];
    }
    const ArchDimensions dimensions{size.riseInches / 12.0F, size.spanInches / 12.0F, size.areaSquareFeet};
    // Beyond the integers the code is written with all its digits, without the point.
    std::string codeText = tableCode ? AINTEGER(*tableCode) : fmt::fixedDigits(code, 0);
    if (codeText.back() == '.') codeText.pop_back();
    auto& console = platform::console();
    writeAfterEmptyLine(std::string(link) + " Arch Geometry Properties Set To Size Code ID: " + codeText);
    console.writeLine("    Full Height:" + fmt::fixed(dimensions.height, 10, 4) + " ft");
    console.writeLine("    Max Width:  " + fmt::fixed(dimensions.width, 10, 4) + " ft");
    console.writeLine("    Full Area:  " + fmt::fixed(dimensions.area, 10, 4) + " ft2");
    return dimensions;
}

ArchTable xsArchTables(float height, float width, float sizeCode, std::string_view link) {
    ArchDimensions full = xsArchSizeCode(height, width, sizeCode, link);
    if (full.area == 0) full.area = kArchAreaFactor * full.height * full.width;
    ArchTable table{};
    for (std::size_t k = 0; k < kArchCurves.size(); ++k) {
        table.depth[k] = full.height * kArchCurves[k].depthRatio;
        table.width[k] = full.width * kArchCurves[k].widthRatio;
        table.area[k] = full.area * kArchCurves[k].areaRatio;
    }
    return table;
}

RectTriangularTable xsRectTriangularTable(float fullHeight, float topWidth, float triangleHeight) {
    // The last row closes the section just above the full height.
    return {{0.0F, triangleHeight, fullHeight, fullHeight + 0.001F}, {0.0F, topWidth, topWidth, 0.0F}};
}

std::string xsHwRecord(std::string_view flag, std::string_view fileName) {
    return composeTableLinkLine({.source = fileName,
                          .type = "HW",
                          .flags = flag,
                          .columns = {"H", "W", flag, "", "", ""},
                          .zIncrement = 0,
                          .zMaximum = 0,
                          .skew = 0});
}

void writeHeightWidthLayer(Network& network, const RunSettings& run) {
    writeAfterEmptyLine("Writing 1d_HW file for I type channels");
    platform::console().writeLine();
    makeOutputFolder(OutputFolder::Xs);
    GisObject object;
    int gisID = xsOpenTableLinkLayer(layerName(run, "xs\\1d_hw_"), object);
    object.pline = true;
    const XsectionTable& xsections = network.inpXsectionTable;
    if (xsections.hasArch()) writePart(network, kArchPart, xsections.nArch, xsections.archConduits, gisID, object);
    if (xsections.hasRectTriangular()) {
        writePart(network, kRectTriangularPart, xsections.nRectTriangular, xsections.rectTriangularConduits, gisID,
                  object);
    }
    gisCloseLayer(gisID);
}

}  // namespace zx::convert
