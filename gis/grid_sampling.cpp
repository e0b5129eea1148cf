// gis/grid_sampling.cpp: the rules that put one object's value on the grid: the cells of a
// point's box, the cells a line's segments pass, the grid points inside a region. Coordinates are
// taken into the grid's frame once per part (GEO_SHIFT); every index is clamped to the sampled
// area and the arrays before it is written.
#include "gis/grid_sampling.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <new>
#include <string>

#include "common/exit.hpp"
#include "common/fortran_format.hpp"
#include "common/number_text.hpp"
#include "geometry/grid_cells.hpp"
#include "geometry/primitives.hpp"
#include "platform/console.hpp"

namespace zx {
namespace {

enum class Shape { Point, Line, Region };

Shape shapeOf(const GisObject& object) {
    if (object.region) return Shape::Region;
    if (object.point || object.multipoint) return Shape::Point;
    return Shape::Line;
}

bool inArrays(const SamplingGrid& grid, int row, int column) {
    return row >= 1 && row <= grid.n1 && column >= 1 && column <= grid.n2;
}

// Array rows and columns a region pass may write: the sampled area, and along an axis where the
// pass samples cell edges rather than centres also the area's low edge (row M1 or column M2, in
// the arrays when the offset is at least 1). Along the other axis row M1 or column M2 holds the
// centres of cells outside the area, so a column face keeps to rows M1 + 1 on and a row face to
// columns M2 + 1 on.
IndexBox writableBox(const SamplingGrid& grid, bool lowRowEdge, bool lowColumnEdge) {
    return {std::max(grid.rowOffset + (lowRowEdge ? 0 : 1), 1),
            std::max(grid.columnOffset + (lowColumnEdge ? 0 : 1), 1), std::min(grid.rowOffset + grid.rows, grid.n1),
            std::min(grid.columnOffset + grid.columns, grid.n2)};
}

// Cuts the segment to the sampled area widened by one cell on every side, so a long segment that
// is mostly off the grid is walked only where it can touch the area. False when nothing remains.
// A segment already inside keeps its end points exactly.
bool clipToArea(float& ax, float& ay, float& bx, float& by, const SamplingGrid& grid) {
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return false;
    const double xlo = -double{grid.dx}, xhi = (static_cast<double>(grid.columns) + 1.0) * grid.dx;
    const double ylo = -double{grid.dy}, yhi = (static_cast<double>(grid.rows) + 1.0) * grid.dy;
    const double ddx = double{bx} - ax, ddy = double{by} - ay;
    double t0 = 0.0, t1 = 1.0;
    // Liang-Barsky: each side limits the parameter range where the segment lies on its inner side.
    const auto limit = [&](double p, double q) {
        if (p == 0.0) return q >= 0.0;
        const double t = q / p;
        if (p < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    if (!limit(-ddx, ax - xlo) || !limit(ddx, xhi - ax) || !limit(-ddy, ay - ylo) || !limit(ddy, yhi - ay)) {
        return false;
    }
    const float startX = ax, startY = ay;
    if (t1 < 1.0) {
        bx = static_cast<float>(startX + t1 * ddx);
        by = static_cast<float>(startY + t1 * ddy);
    }
    if (t0 > 0.0) {
        ax = static_cast<float>(startX + t0 * ddx);
        ay = static_cast<float>(startY + t0 * ddy);
    }
    return true;
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

}  // namespace

int GridSampler::samplePart(const GisObject& object, const double* x, const double* y, int nv, float value,
                            const SamplingGrid& grid, const SamplingSwitches& switches, const GridArrays& arrays,
                            IndexBox& box, std::uint8_t* regionMarks) {
    nv = std::clamp(nv, 0, kMaxVertices);
    GEO_SHIFT(x, y, nv, grid.x0, grid.y0, grid.angle, xl_.data(), yl_.data());
    const Shape shape = shapeOf(object);
    if (shape != Shape::Line && nv >= 1) {
        // Rows count in DY and columns in DX, so the box is taken once per axis.
        IndexBox byColumns;
        IndexBox byRows;
        float xmin = 0.0F, ymin = 0.0F, xmax = 0.0F, ymax = 0.0F;
        SET_SUB_GRID_AREA(xl_.data(), yl_.data(), nv, grid.dx, grid.rows, grid.columns, byColumns.firstRow,
                          byColumns.firstColumn, byColumns.lastRow, byColumns.lastColumn, xmin, ymin, xmax, ymax);
        SET_SUB_GRID_AREA(xl_.data(), yl_.data(), nv, grid.dy, grid.rows, grid.columns, byRows.firstRow,
                          byRows.firstColumn, byRows.lastRow, byRows.lastColumn, xmin, ymin, xmax, ymax);
        box = {byRows.firstRow, byColumns.firstColumn, byRows.lastRow, byColumns.lastColumn};
    }

    const std::string valueText = switches.integerValues ? AINTEGER(integerForm(value)) : AREAL(value);
    auto& console = platform::console();
    if (shape == Shape::Region) {
        console.write("...GIS " + object.kindName + " (" + fmt::integer(nv, 6) + " vertices /" +
                      fmt::integer(object.nr, 3) + " polygons) assigned " + valueText + " to");
    } else {
        // Here the kind name and the value keep the widths of their fields (24 and 32 characters).
        console.write("...GIS " + padded(object.kindName, 24) + " (" + fmt::integer(nv, 6) +
                      " vertices) assigned a value of " + padded(valueText, 32) + " to");
    }

    int count = 0;
    switch (shape) {
    case Shape::Point:
        if (nv >= 1) count = samplePoints(grid, switches, arrays, value, box);
        break;
    case Shape::Line:
        count = sampleLine(nv, grid, switches, arrays, value, box);
        break;
    case Shape::Region:
        count = sampleRegion(object, nv, grid, switches, arrays, value, regionMarks);
        break;
    }
    const bool samplesPoints = switches.countOnly || switches.faces || switches.allPairs;
    console.writeLine(fmt::integer(count, 6) + (samplesPoints ? " points" : " cells"));
    return count;
}

int GridSampler::assignCell(int row, int column, const SamplingGrid& grid, const SamplingSwitches& switches,
                            const GridArrays& arrays, float value) {
    const int j = row + grid.rowOffset;
    const int i = column + grid.columnOffset;
    if (!inArrays(grid, j, i)) return 0;
    if (switches.integerValues) {
        arrays.centreInteger[gridElement(grid.n1, j, i)] = integerForm(value);
        return 1;
    }
    if (!switches.faces) {
        arrays.centreReal[gridElement(grid.n1, j, i)] = value;
        return 1;
    }
    const float share = switches.add && switches.halve ? value / 2.0F : value;
    int faces = 0;
    const auto setFace = [&](float* face, int faceRow, int faceColumn) {
        // The low faces of a cell in the first array row or column lie before the arrays.
        if (!inArrays(grid, faceRow, faceColumn)) return;
        float& element = face[gridElement(grid.n1, faceRow, faceColumn)];
        element = switches.add ? element + share : value;
        ++faces;
    };
    setFace(arrays.columnFaceReal, j, i);
    setFace(arrays.columnFaceReal, j, i - 1);
    setFace(arrays.rowFaceReal, j, i);
    setFace(arrays.rowFaceReal, j - 1, i);
    return faces;
}

int GridSampler::samplePoints(const SamplingGrid& grid, const SamplingSwitches& switches, const GridArrays& arrays,
                              float value, const IndexBox& box) {
    // A point one cell beyond the low edge gives a box from row or column 0: only cells of the
    // sampled area are set.
    int count = 0;
    const int firstRow = std::max(box.firstRow, 1), lastRow = std::min(box.lastRow, grid.rows);
    const int firstColumn = std::max(box.firstColumn, 1), lastColumn = std::min(box.lastColumn, grid.columns);
    for (int j = firstRow; j <= lastRow; ++j) {
        for (int i = firstColumn; i <= lastColumn; ++i) count += assignCell(j, i, grid, switches, arrays, value);
    }
    return count;
}

int GridSampler::sampleLine(int nv, const SamplingGrid& grid, const SamplingSwitches& switches,
                            const GridArrays& arrays, float value, IndexBox& box) {
    int count = 0;
    int cells = 0;
    for (int v = 1; v < nv; ++v) {
        float ax = xl_[static_cast<std::size_t>(v - 1)], ay = yl_[static_cast<std::size_t>(v - 1)];
        float bx = xl_[static_cast<std::size_t>(v)], by = yl_[static_cast<std::size_t>(v)];
        cells = 0;
        if (!clipToArea(ax, ay, bx, by, grid)) continue;
        int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
        GRIDLINE_5(ax, ay, bx, by, false, grid.dx, grid.dy, firstRow, lastRow, firstColumn, lastColumn, cells,
                   cellRows_.data(), cellColumns_.data(), kMaxCells, 0, 0);
        for (int m = 0; m < cells; ++m) {
            const int j = cellRows_[static_cast<std::size_t>(m)], i = cellColumns_[static_cast<std::size_t>(m)];
            if (j >= 1 && j <= grid.rows && i >= 1 && i <= grid.columns) {
                count += assignCell(j, i, grid, switches, arrays, value);
            }
        }
    }
    // For a line the box holds the loop ranges of its walk: the segments' end vertices and the
    // cells of the last segment walked.
    box = {2, 1, nv, cells};
    return count;
}

void GridSampler::prepareWorkArrays(const SamplingGrid& grid) {
    const std::int32_t rows = std::max(grid.n1, 0), columns = std::max(grid.n2, 0);
    if (rows == workRows_ && columns == workColumns_) return;
    const std::size_t size = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    try {
        // Fresh arrays start clear; the marks are cleared again after each object, so a caller
        // that receives them never sees an earlier object's marks.
        marks_.assign(size, 0);
        counters_.assign(size, 0);
    } catch (const std::bad_alloc&) {
        platform::console().writeLine("ERROR - Could not allocate memory (RAM) for Inside Region == Method B.");
        EXITS();
    }
    workRows_ = rows;
    workColumns_ = columns;
}

int GridSampler::sampleRegion(const GisObject& object, int nv, const SamplingGrid& grid,
                              const SamplingSwitches& switches, const GridArrays& arrays, float value,
                              std::uint8_t* regionMarks) {
    prepareWorkArrays(grid);
    markedBoxCount_ = 0;
    int count = 0;
    if (switches.faces) {
        count += regionPass(Pass::ColumnFace, object, nv, grid, switches, arrays, value, true);
        count += regionPass(Pass::RowFace, object, nv, grid, switches, arrays, value, true);
    } else if (switches.allPairs) {
        count += regionPass(Pass::Centre, object, nv, grid, switches, arrays, value, true);
        count += regionPass(Pass::ColumnFace, object, nv, grid, switches, arrays, value, true);
        count += regionPass(Pass::RowFace, object, nv, grid, switches, arrays, value, true);
    } else if (switches.countOnly) {
        for (const Pass pass : {Pass::Centre, Pass::ColumnFace, Pass::RowFace, Pass::Corner}) {
            count += regionPass(pass, object, nv, grid, switches, arrays, value, false);
        }
    } else {
        count += regionPass(Pass::Centre, object, nv, grid, switches, arrays, value, true);
    }
    if (regionMarks != nullptr && !marks_.empty()) std::memcpy(regionMarks, marks_.data(), marks_.size());
    for (int b = 0; b < markedBoxCount_; ++b) {
        const IndexBox& marked = markedBoxes_[static_cast<std::size_t>(b)];
        const auto rows = static_cast<std::size_t>(marked.lastRow - marked.firstRow + 1);
        for (int column = marked.firstColumn; column <= marked.lastColumn; ++column) {
            std::memset(marks_.data() + gridElement(grid.n1, marked.firstRow, column), 0, rows);
        }
    }
    return count;
}

int GridSampler::regionPass(Pass pass, const GisObject& object, int nv, const SamplingGrid& grid,
                            const SamplingSwitches& switches, const GridArrays& arrays, float value, bool assign) {
    // Grid point (j, i) of the arrays stands at (i DX, j DY); each pass moves the region so that
    // this point falls on the pass's sample point of local cell (j - M1, i - M2): its centre, the
    // middle of its high-x or high-y face, or its high corner.
    const bool onColumnEdge = pass == Pass::ColumnFace || pass == Pass::Corner;
    const bool onRowEdge = pass == Pass::RowFace || pass == Pass::Corner;
    const double cellsX = onColumnEdge ? 0.0 : 0.5;
    const double cellsY = onRowEdge ? 0.0 : 0.5;
    const double shiftX = (grid.columnOffset + cellsX) * grid.dx;
    const double shiftY = (grid.rowOffset + cellsY) * grid.dy;
    for (std::size_t k = 0; k < static_cast<std::size_t>(nv); ++k) {
        xs_[k] = static_cast<float>(xl_[k] + shiftX);
        ys_[k] = static_cast<float>(yl_[k] + shiftY);
    }
    // The marking works on the whole arrays; the pass's own area is enforced below, where a mark
    // outside it is taken back.
    IndexBox marked;
    int markedCount = 0;
    const int rings = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(object.nr, 0)),
                                                             object.ir.size()));
    GRID_INSIDE_POLYGON(marks_.data(), counters_.data(), nullptr, nullptr, grid.n1, grid.n2, grid.dx, grid.dy, 0, 0,
                        true, false, false, true, value, false, marked.firstRow, marked.firstColumn, marked.lastRow,
                        marked.lastColumn, markedCount, xs_.data(), ys_.data(), nullptr, nv, object.ir.data(),
                        rings);
    if (markedCount == 0) return 0;
    markedBoxes_[static_cast<std::size_t>(markedBoxCount_++)] = marked;

    std::int32_t* integers = nullptr;
    float* reals = nullptr;
    switch (pass) {
    case Pass::Centre:
        integers = arrays.centreInteger;
        reals = arrays.centreReal;
        break;
    case Pass::ColumnFace:
        integers = arrays.columnFaceInteger;
        reals = arrays.columnFaceReal;
        break;
    case Pass::RowFace:
        integers = arrays.rowFaceInteger;
        reals = arrays.rowFaceReal;
        break;
    case Pass::Corner:
        break;
    }
    const IndexBox area = writableBox(grid, onRowEdge, onColumnEdge);
    const std::int32_t integerValue = integerForm(value);
    int count = 0;
    for (int column = marked.firstColumn; column <= marked.lastColumn; ++column) {
        const bool columnInArea = column >= area.firstColumn && column <= area.lastColumn;
        for (int row = marked.firstRow; row <= marked.lastRow; ++row) {
            const std::size_t e = gridElement(grid.n1, row, column);
            if (marks_[e] == 0) continue;
            if (!columnInArea || row < area.firstRow || row > area.lastRow) {
                marks_[e] = 0;
                continue;
            }
            ++count;
            if (!assign) continue;
            if (switches.integerValues) {
                integers[e] = switches.add ? addSaturating(integers[e], integerValue) : integerValue;
            } else {
                reals[e] = switches.add ? reals[e] + value : value;
            }
        }
    }
    return count;
}

}  // namespace zx
