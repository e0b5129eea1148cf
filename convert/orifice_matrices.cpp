// convert/orifice_matrices.cpp: the level grid, the discharge rules and the matrix files of
// BOTTOM orifices.
#include "convert/orifice_matrices.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/fortran_format.hpp"
#include "common/number_text.hpp"
#include "common/strings.hpp"
#include "convert/cross_section_shapes.hpp"
#include "convert/output_stages.hpp"
#include "convert/run_support.hpp"

namespace zx::convert {
namespace {

constexpr float kPi = 3.1415927F;
constexpr float kWeirCoefficientPerLength = 3.33F;
constexpr float kSqrtTwoG = 8.021221F;  // sqrt(2 g) with g = 32.17 ft/s2
constexpr float kTwoG = 64.34F;

// The last regular level is below this.
constexpr float kTopLevel = 10.0F;

// The reduction of weir flow by the water standing on the far side.
float submergence(float lower, float higher) { return std::pow(1.0F - std::pow(lower / higher, 1.5F), 0.385F); }

// The flow area: a circle of diameter Geom1, or a rectangle of height Geom1 and width Geom2.
float orificeArea(const inpXsection& xsection) {
    const float size = geom1Real4(xsection);
    if (isShape(xsection.Shape, kCircular)) return (size * 0.5F) * kPi * (size * 0.5F);
    return xsection.Geom2 * size;
}

// The levels of the grid after the corner cell, each as F5.2 behind a comma.
std::string levelHeader(std::string_view corner, const LevelGrid& grid, const TableFile& file) {
    std::string text(corner);
    for (const float level : grid.levels()) {
        text += ',';
        file.appendField(text, level, 5, 2);
    }
    return text;
}

}  // namespace

OrificeHydraulics orificeHydraulics(const inpXsection& xsection, const inpOrifice& orifice, float invert,
                                    float downstreamElevation) {
    OrificeHydraulics h{};
    h.area = orificeArea(xsection);
    const float size = geom1Real4(xsection);
    h.perimeter = isShape(xsection.Shape, kCircular) ? kPi * size : (xsection.Geom2 + size) * 2.0F;
    h.weirCoefficient = h.perimeter * kWeirCoefficientPerLength;
    h.cd = orifice.Cd;
    h.transitionDepth = h.area * kSqrtTwoG * h.cd / h.weirCoefficient;
    h.crestLevel = invert - downstreamElevation;
    h.gated = !ASAME(orifice.Gated, "NO");
    return h;
}

LevelGrid mtxLevelGrid(float transitionDepth, float crestLevel) {
    LevelGrid grid;
    auto& levels = grid.levels_;
    std::size_t& count = grid.count_;
    // Summed in single precision: the tenth 0.1 gives 1.0000001, from 2 on the sums are whole.
    float level = 0.0F;
    levels[count++] = level;
    for (;;) {
        const float next = level + (level < 1.0F ? 0.1F : 1.0F);
        if (next >= kTopLevel) break;
        levels[count++] = next;
        level = next;
    }
    const std::size_t regular = count;
    for (const float extra : {transitionDepth, crestLevel}) {
        if (!(extra > 0.0F && extra < level)) continue;
        const auto end = levels.begin() + static_cast<std::ptrdiff_t>(count);
        if (std::find(levels.begin(), end, extra) != end) continue;
        levels[count++] = extra;
    }
    if (count > regular) std::sort(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(count));
    return grid;
}

float mtxFlow(const OrificeHydraulics& h, float rowLevel, float columnLevel) {
    const float r = rowLevel;
    const float s = columnLevel;
    if (s == r) return 0.0F;
    if (s > r) {
        if (s >= h.transitionDepth) {
            const float depth = r > 0.0F ? s - r : s;
            return h.area * h.cd * std::sqrt(kTwoG * depth);
        }
        float flow = h.weirCoefficient * s * std::sqrt(s);
        if (r > 0.0F) flow *= submergence(r, s);
        return flow;
    }
    if (h.gated) return 0.0F;
    if (r >= h.transitionDepth) {
        const float depth = s > 0.0F ? r - s : r;
        return -h.cd * h.area * std::sqrt(kTwoG * depth);
    }
    float flow = -h.weirCoefficient * r * std::sqrt(r);
    if (s > 0.0F) flow *= submergence(s, r);
    return flow;
}

LevelGrid mtxOrificeFlowTable(const Network& network, const inpOrifice& orifice, const inpXsection& xsection,
                              TableFile& file) {
    const inpJunction& upstream = junctionOf(network, orifice.Node1,
                                             "ERROR - Unable to find Upstream Junction data for Orifice: ", xsection.Link);
    const inpJunction& downstream = junctionOf(
        network, orifice.Node2, "ERROR - Unable to find Downstream Junction data for Orifice: ", xsection.Link);
    const OrificeHydraulics h = orificeHydraulics(
        xsection, orifice, offsetLevel(network, upstream.Elevation, orifice.Offset), downstream.Elevation);
    const LevelGrid grid = mtxLevelGrid(h.transitionDepth, h.crestLevel);

    file.line(levelHeader("1", grid, file));
    std::string text;
    for (const float row : grid.levels()) {
        text.clear();
        file.appendField(text, row, 5, 2);
        for (const float column : grid.levels()) {
            text += ',';
            file.appendField(text, mtxFlow(h, row, column), 10, 2);
        }
        file.line(text);
    }
    return grid;
}

void mtxOrificeAreaTable(const inpXsection& xsection, const LevelGrid& grid, TableFile& file) {
    // The area is the same at every level: the header has no corner cell.
    file.line(levelHeader("", grid, file));
    std::string cell = ",";
    file.appendField(cell, orificeArea(xsection), 10, 2);
    std::string text;
    for (const float row : grid.levels()) {
        text.clear();
        file.appendField(text, row, 5, 2);
        for (std::size_t k = 0; k < grid.levels().size(); ++k) text += cell;
        file.line(text);
    }
}

void writeBottomOrificeMatrices(const Network& network) {
    const XsectionTable& xsections = network.inpXsectionTable;
    if (xsections.bottomOrifices.empty()) return;
    writeAfterEmptyLine("Outputting bottom ORIFICE data... found " +
                        AINTEGER(static_cast<int>(xsections.bottomOrifices.size())) + " bottom ORIFICES(s).");
    makeOutputFolder(OutputFolder::MatrixFlow);
    for (const BottomOrifice& bottom : xsections.bottomOrifices) {
        const inpXsection& xsection = xsections[bottom.xsection];
        const std::string& link = xsection.Link;
        const inpOrifice& orifice = network.inpOrificeTable[bottom.orifice];
        requireFileNamePart("orifice", orifice.Name);
        LevelGrid grid;
        {
            TableFile flow(tablePath(OutputFolder::MatrixFlow, bottom.matrixFiles.at(0)));
            flow.line("! " + link + " BOTTOM Orifice channel Flow Matrix");
            grid = mtxOrificeFlowTable(network, orifice, xsection, flow);
        }
        TableFile area(tablePath(OutputFolder::MatrixFlow, bottom.matrixFiles.at(1)));
        area.line("! " + link + " BOTTOM Orifice channel Area Matrix");
        mtxOrificeAreaTable(xsection, grid, area);
    }
}

}  // namespace zx::convert
