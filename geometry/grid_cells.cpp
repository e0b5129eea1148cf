// geometry/grid_cells.cpp: segment walks through grid cells, the marking of grid points inside a
// region and the values they receive. Every coordinate becomes an index through gridIndex, so a
// point off the grid, however far, or NaN, gives an index outside it and never an undefined
// conversion; every array write stays inside the caller's box or list.
#include "geometry/grid_cells.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "build_info.hpp"
#include "common/exit.hpp"
#include "common/fortran_format.hpp"
#include "geometry/primitives.hpp"
#include "geometry/region_rings.hpp"
#include "platform/console.hpp"

namespace zx {
namespace {

using geometry::gridIndex;

// End points closer than this in x and in y make a segment of zero length.
constexpr float kSamePoint = 1e-4F;

[[noreturn]] void stopWith(const std::string& line) {
    platform::console().writeLine(line);
    EXITS();
}

// A walk never writes past the caller's list: the cell that would not fit ends the run.
void checkCellLimit(int cells, int nmax) {
    if (cells <= nmax) return;
    stopWith("SORRY - Exceeded limit of" + fmt::integer(nmax, 9) + " HX cells per HX polyline segment.  Contact " +
             std::string(kContactAddress) + ".");
}

[[noreturn]] void stopNoIntersection(std::string_view routine, std::string_view number) {
    std::string line = "should not be here - " + std::string(routine) + " - intersection point";
    if (!number.empty()) line += " " + std::string(number);
    stopWith(line + " - contact " + std::string(kContactAddress));
}

[[noreturn]] void stopRingCount(int routineNumber) {
    platform::console().writeLine();
    stopWith("Invalid number of polygons in region sent to grid_inside_polygon routine [" +
             std::to_string(routineNumber) + "] - contact " + std::string(kContactAddress));
}

// A segment with a NaN end crosses no centre line; without this test a walk would step through
// every index between the saturated end cells, testing nothing.
bool crossesAnyLine(float x1, float y1, float x2, float y2) {
    return !std::isnan(x1) && !std::isnan(y1) && !std::isnan(x2) && !std::isnan(y2);
}

// Where the line from corner 3 through p meets the line of side 1-2; false when the two lines are
// parallel (Q is then whatever the formulas give).
template <class Real>
bool cornerLineMeetsSide(Real xp, Real yp, const Real* xt, const Real* yt, Real& qx, Real& qy) {
    const Real x1 = xt[0], y1 = yt[0], x2 = xt[1], y2 = yt[1], x3 = xt[2], y3 = yt[2];
    if (x1 == x2) {
        qx = x1;
        if (xp == x3) {
            qy = y1;
            return false;
        }
        qy = y3 + (yp - y3) / (xp - x3) * (x1 - x3);
        return true;
    }
    if (xp == x3) {
        qx = x3;
        qy = y1 + (y2 - y1) / (x2 - x1) * (x3 - x1);
        return true;
    }
    const Real m12 = (y2 - y1) / (x2 - x1);
    const Real m3 = (yp - y3) / (xp - x3);
    qx = (x3 * m3 - x1 * m12 + y1 - y3) / (m3 - m12);
    qy = y3 + m3 * (qx - x3);
    return m3 != m12;
}

// The value at p from corner 3 towards Q on side 1-2, each length ratio rounded to single before
// it scales a single value difference.
template <class Real, class Length>
float triangleValue(Real xp, Real yp, const Real* xt, const Real* yt, const float* zt, Real qx, Real qy,
                    Length length, Real tolerance) {
    const auto side = length(xt[0], yt[0], xt[1], yt[1]);
    const float t = side < tolerance ? 0.5F : static_cast<float>(length(xt[0], yt[0], qx, qy) / side);
    const float zq = zt[0] + (zt[1] - zt[0]) * t;
    const auto reach = length(xt[2], yt[2], qx, qy);
    const float u = reach < tolerance ? 0.5F : static_cast<float>(length(xt[2], yt[2], xp, yp) / reach);
    return zt[2] + (zq - zt[2]) * u;
}

template <class Real>
float interpolateNoChecks(Real xp, Real yp, const Real* xt, const Real* yt, const float* zt) {
    Real qx = 0;
    Real qy = 0;
    cornerLineMeetsSide(xp, yp, xt, yt, qx, qy);
    const auto length = [](Real ax, Real ay, Real bx, Real by) {
        const Real dx = bx - ax;
        const Real dy = by - ay;
        return std::sqrt(dx * dx + dy * dy);
    };
    return triangleValue(xp, yp, xt, yt, zt, qx, qy, length, static_cast<Real>(1e-6));
}

// A segment to walk, in the grid's frame.
struct Segment {
    float x1, y1, x2, y2;
};

// The grid of a step walk: its cell sizes, and the offsets added to every cell it lists.
struct WalkGrid {
    float dx, dy;
    int rowOffset, columnOffset;
};

// The caller's cell list: rows and columns with room for capacity cells, count of them filled.
struct CellList {
    int* rows;
    int* columns;
    int capacity;
    int count = 0;
};

// The listing of GRIDLINE_2 (endStretchOnly false) or GRIDLINE_5 (true) for a segment with
// finite ends: one cell per centre line of the walking axis that the segment crosses and, at
// either end, a cell for the end cell's own centre line across that axis. The row and column
// walks mirror each other but stay apart: each reports its own failure numbers.
class StepWalk {
public:
    StepWalk(std::string_view routine, bool endStretchOnly, const Segment& segment, const WalkGrid& grid,
             const IndexBox& endCells, CellList& cells)
        : routine_(routine), endStretchOnly_(endStretchOnly), s_(segment), dx_(grid.dx), dy_(grid.dy),
          ends_(endCells), cells_(cells), xlo_(std::fmin(segment.x1, segment.x2) - grid.dx),
          xhi_(std::fmax(segment.x1, segment.x2) + grid.dx), ylo_(std::fmin(segment.y1, segment.y2) - grid.dy),
          yhi_(std::fmax(segment.y1, segment.y2) + grid.dy) {}

    void alongRows(int steps) {
        for (int k = 0; k < steps; ++k) {
            const int row = ends_.lastRow < ends_.firstRow ? ends_.firstRow - k : ends_.firstRow + k;
            const float y = (static_cast<float>(row) - 0.5F) * dy_;
            if (crosses(xlo_, y, xhi_, y)) {
                appendCrossing(xlo_, y, xhi_, y, "1");
            } else if (k == 0 || k == steps - 1) {
                const float x = (static_cast<float>(k == 0 ? ends_.firstColumn : ends_.lastColumn) - 0.5F) * dx_;
                if (!endStretchOnly_) {
                    if (crosses(x, ylo_, x, yhi_)) appendCrossing(x, ylo_, x, yhi_, "2");
                } else if (crosses(x, y - dy_ / 2.0F, x, y + dy_ / 2.0F)) {
                    append(row, gridIndex(x / dx_));
                }
            }
        }
    }

    void alongColumns(int steps) {
        for (int k = 0; k < steps; ++k) {
            const int column = ends_.lastColumn < ends_.firstColumn ? ends_.firstColumn - k : ends_.firstColumn + k;
            const float x = (static_cast<float>(column) - 0.5F) * dx_;
            if (crosses(x, ylo_, x, yhi_)) {
                appendCrossing(x, ylo_, x, yhi_, "3");
            } else if (k == 0 || k == steps - 1) {
                const float y = (static_cast<float>(k == 0 ? ends_.firstRow : ends_.lastRow) - 0.5F) * dy_;
                if (!endStretchOnly_) {
                    if (crosses(xlo_, y, xhi_, y)) appendCrossing(xlo_, y, xhi_, y, "4");
                } else if (crosses(x - dx_ / 2.0F, y, x + dx_ / 2.0F, y)) {
                    append(gridIndex(y / dy_), column);
                }
            }
        }
    }

private:
    // Crossed: after the segment's first point, up to and including its second, inside the test
    // segment.
    bool crosses(float ax, float ay, float bx, float by) const {
        return INTERSECT_LINE_V2(s_.x1, s_.y1, s_.x2, s_.y2, ax, ay, bx, by) == 3;
    }

    void append(int row, int column) {
        const int n = cells_.count;
        if (n > 0 && cells_.rows[n - 1] == row && cells_.columns[n - 1] == column) return;
        checkCellLimit(n + 1, cells_.capacity);
        cells_.rows[n] = row;
        cells_.columns[n] = column;
        ++cells_.count;
    }

    void appendCrossing(float ax, float ay, float bx, float by, std::string_view failure) {
        float xs = 0.0F;
        float ys = 0.0F;
        if (!INTERSECTION_POINT(s_.x1, s_.y1, s_.x2, s_.y2, ax, ay, bx, by, xs, ys)) {
            stopNoIntersection(routine_, failure);
        }
        append(gridIndex(ys / dy_), gridIndex(xs / dx_));
    }

    std::string_view routine_;
    bool endStretchOnly_;
    Segment s_;
    float dx_, dy_;
    IndexBox ends_;  // the cells of the segment's first and second point
    CellList& cells_;
    float xlo_, xhi_, ylo_, yhi_;  // the reach of the test segments across the walk
};

// The walks of GRIDLINE_2 (endStretchOnly false) and GRIDLINE_5 (true). ends comes in as the
// caller's first and last cell, which a segment that lists no cell leaves as they are.
void stepWalk(std::string_view routine, bool endStretchOnly, const Segment& s, bool startCellOnly,
              const WalkGrid& grid, IndexBox& ends, CellList& cells) {
    const int j1 = gridIndex(s.y1 / grid.dy), i1 = gridIndex(s.x1 / grid.dx);
    const int j2 = gridIndex(s.y2 / grid.dy), i2 = gridIndex(s.x2 / grid.dx);
    const IndexBox endCells{j1, i1, j2, i2};
    if (startCellOnly) {
        checkCellLimit(1, cells.capacity);
        ends = endCells;
        cells.rows[0] = j1;
        cells.columns[0] = i1;
        cells.count = 1;
        return;
    }
    if (SAME_POINT(s.x1, s.y1, s.x2, s.y2, kSamePoint)) {
        ends = endCells;
        if (cells.capacity >= 1) {
            cells.rows[0] = j1;
            cells.columns[0] = i1;
        }
        cells.count = 0;
        return;
    }
    cells.count = 0;
    if (!crossesAnyLine(s.x1, s.y1, s.x2, s.y2)) return;
    // The axis with more cells to cross carries the walk; on a grid of unequal cell sizes the
    // longer world extent may cross fewer.
    const bool alongRows = std::fabs(s.y2 - s.y1) / grid.dy > std::fabs(s.x2 - s.x1) / grid.dx;
    const int steps = std::max(std::abs(j2 - j1), std::abs(i2 - i1)) + 1;
    // Every centre line of the walking axis strictly between the end cells lists a cell of its own.
    checkCellLimit((alongRows ? std::abs(j2 - j1) : std::abs(i2 - i1)) - 1, cells.capacity);
    StepWalk walk(routine, endStretchOnly, s, grid, endCells, cells);
    if (alongRows) {
        walk.alongRows(steps);
    } else {
        walk.alongColumns(steps);
    }
    const int n = cells.count;
    if (n < 1) return;
    for (int k = 0; k < n; ++k) {
        cells.rows[k] += grid.rowOffset;
        cells.columns[k] += grid.columnOffset;
    }
    ends = {cells.rows[0], cells.columns[0], cells.rows[n - 1], cells.columns[n - 1]};
}

// The grid of a region marking: the arrays' extents, the cell sizes and the margins of rows and
// columns that the marking keeps off the arrays' low and high edges.
template <class Real>
struct MarkingGrid {
    int n1, n2;
    Real dx, dy;
    int rowMargin, columnMargin;
};

// The caller's arrays, each n1 x n2: marks, crossing counters (scratch), integer and real values.
struct MarkingArrays {
    std::uint8_t* marks;
    std::int8_t* counters;
    std::int32_t* integerValues;
    float* realValues;
};

// What a marking does besides marking: whether it clears the box's marks first, and the value
// each marked point receives: none, the value's integer form, the value, or for a triangle the
// corner values zt interpolated; add adds it to what the point holds.
struct MarkingRule {
    bool clearMarks, assignValues, integerValues, constantValue;
    float value;
    bool add;
    const float* zt;
};

// A region in the layout of region_rings.hpp: n entries, nring rings ending at iend.
template <class Real>
struct RegionRings {
    const Real* x;
    const Real* y;
    int n;
    const int* iend;
    int nring;
};

// The grid points of the region's bounding box (its separator entries counted too), kept the
// margins off the arrays' edges; empty when the box misses the arrays.
template <class Real>
IndexBox regionBox(const MarkingGrid<Real>& grid, const RegionRings<Real>& region) {
    constexpr Real kInfinity = std::numeric_limits<Real>::infinity();
    Real xmin = kInfinity, xmax = -kInfinity, ymin = kInfinity, ymax = -kInfinity;
    for (int k = 0; k < region.n; ++k) {
        xmin = std::fmin(xmin, region.x[k]);
        xmax = std::fmax(xmax, region.x[k]);
        ymin = std::fmin(ymin, region.y[k]);
        ymax = std::fmax(ymax, region.y[k]);
    }
    // The box never reaches past the arrays: a negative margin counts as none.
    const auto upperBound = [](int index, int size, int margin) {
        return static_cast<int>(std::min<std::int64_t>(index, std::int64_t{size} - std::max(margin, 0)));
    };
    return {std::max(gridIndex(ymin / grid.dy), std::max(grid.rowMargin, 1)),
            std::max(gridIndex(xmin / grid.dx), std::max(grid.columnMargin, 1)),
            upperBound(gridIndex(ymax / grid.dy), grid.n1, grid.rowMargin),
            upperBound(gridIndex(xmax / grid.dx), grid.n2, grid.columnMargin)};
}

// Each edge raises, on every row line it crosses inside the box, the counter of the column where
// it crosses (the box's first column for crossings left of the box).
template <class Real>
void countRowCrossings(std::int8_t* counters, const MarkingGrid<Real>& grid, const IndexBox& box,
                       const RegionRings<Real>& region) {
    const Real* x = region.x;
    const Real* y = region.y;
    const bool ringsFit = geometry::forEachRing(region.iend, region.n, region.nring, [&](int first, int last) {
        geometry::forEachEdge(x, y, first, last, [&](int a, int b) {
            const int rowA = std::max(box.firstRow, std::min(gridIndex(y[a] / grid.dy), box.lastRow + 1));
            const int rowB = std::max(box.firstRow, std::min(gridIndex(y[b] / grid.dy), box.lastRow + 1));
            if (rowA == rowB) return;
            const bool vertical = x[a] == x[b];
            const Real slope = vertical ? Real{0} : (y[b] - y[a]) / (x[b] - x[a]);
            for (int m = std::min(rowA, rowB); m < std::max(rowA, rowB); ++m) {
                const Real crossing = vertical ? x[a] : (x[a] * slope - y[a] + static_cast<Real>(m) * grid.dy) / slope;
                const int column = gridIndex(crossing / grid.dx);
                if (column > box.lastColumn) continue;
                std::int8_t& counter = counters[gridElement(grid.n1, m, std::max(column, box.firstColumn))];
                counter = static_cast<std::int8_t>(counter + 1);
            }
        });
    });
    if (!ringsFit) stopRingCount(1);
}

// The value of the marked grid point (row, column), array element e, as the rule asks.
template <class Real>
void assignValue(const MarkingArrays& arrays, std::size_t e, int row, int column, const MarkingGrid<Real>& grid,
                 const MarkingRule& rule, const RegionRings<Real>& region) {
    if (rule.integerValues) {
        const std::int32_t v = integerForm(rule.value);
        arrays.integerValues[e] = rule.add ? addSaturating(arrays.integerValues[e], v) : v;
    } else if (rule.constantValue) {
        arrays.realValues[e] = rule.add ? arrays.realValues[e] + rule.value : rule.value;
    } else if (region.n == 5) {
        const float z = interpolateNoChecks<Real>(static_cast<Real>(column) * grid.dx,
                                                  static_cast<Real>(row) * grid.dy, region.x, region.y, rule.zt);
        arrays.realValues[e] = rule.add ? arrays.realValues[e] + z : z;
    }
}

template <class Real>
void markRegion(const MarkingArrays& arrays, const MarkingGrid<Real>& grid, const MarkingRule& rule,
                const RegionRings<Real>& region, IndexBox& box, int& count) {
    box = regionBox(grid, region);
    count = 0;
    if (box.firstColumn > box.lastColumn || box.firstRow > box.lastRow) return;

    const auto boxRows = static_cast<std::size_t>(box.lastRow - box.firstRow + 1);
    for (int column = box.firstColumn; column <= box.lastColumn; ++column) {
        std::memset(arrays.counters + gridElement(grid.n1, box.firstRow, column), 0, boxRows);
        if (rule.clearMarks) std::memset(arrays.marks + gridElement(grid.n1, box.firstRow, column), 0, boxRows);
    }
    countRowCrossings(arrays.counters, grid, box, region);

    // Even-odd along each row line: a point is inside when the crossings at or left of its column
    // are odd. Parity comes from the lowest bit, so a counter that wrapped still counts right.
    // Columns are contiguous in the arrays, so the pass runs column by column and keeps each row's
    // running parity in the scratch counters in place of the crossings already summed.
    for (int column = box.firstColumn; column <= box.lastColumn; ++column) {
        std::int8_t* parity = arrays.counters + gridElement(grid.n1, box.firstRow, column);
        const std::int8_t* leftParity =
            column > box.firstColumn ? arrays.counters + gridElement(grid.n1, box.firstRow, column - 1) : nullptr;
        for (std::size_t r = 0; r < boxRows; ++r) {
            const int inside = (parity[r] & 1) ^ (leftParity != nullptr ? leftParity[r] : 0);
            parity[r] = static_cast<std::int8_t>(inside);
            if (inside == 0) continue;
            const int row = box.firstRow + static_cast<int>(r);
            const std::size_t e = gridElement(grid.n1, row, column);
            arrays.marks[e] = 1;
            ++count;
            if (rule.assignValues) assignValue(arrays, e, row, column, grid, rule, region);
        }
    }
}

// The box into the caller's four indexes, which the routines take one by one.
void handBack(const IndexBox& box, int& firstRow, int& firstColumn, int& lastRow, int& lastColumn) {
    firstRow = box.firstRow;
    firstColumn = box.firstColumn;
    lastRow = box.lastRow;
    lastColumn = box.lastColumn;
}

// The crossings of a leftward ray from each point with the region's edges. "Truncates to 0"
// tests of the levels' shares of the point's height are taken as the comparisons they amount to,
// so no quotient is ever converted to an integer.
template <class Real>
void markPoints(std::int32_t* mk, const Real* xp, const Real* yp, int np, int& count, const Real* x, const Real* y,
                int n, const int* iend, int nring, int routineNumber) {
    constexpr Real kInfinity = std::numeric_limits<Real>::infinity();
    Real xmin = kInfinity, ymin = kInfinity;
    for (int k = 0; k < n; ++k) {
        xmin = std::fmin(xmin, x[k]);
        ymin = std::fmin(ymin, y[k]);
    }
    const Real xr = xmin - 1, yr = ymin - 1;
    count = 0;
    if (np < 1) return;
    std::fill(mk, mk + np, 0);
    const auto truncatesToZero = [](Real share) { return share > -1 && share < 1; };
    for (int k = 0; k < np; ++k) {
        if (!(xp[k] >= xmin && yp[k] >= ymin)) continue;
        const Real height = yp[k] - yr;
        const Real reach = xp[k] - xr;
        unsigned crossings = 0;
        const bool ringsFit = geometry::forEachRing(iend, n, nring, [&](int first, int last) {
            geometry::forEachEdge(x, y, first, last, [&](int a, int b) {
                if (truncatesToZero((y[a] - yr) / height) == truncatesToZero((y[b] - yr) / height)) return;
                Real crossing = x[a];
                if (x[a] != x[b]) {
                    const Real slope = (y[b] - y[a]) / (x[b] - x[a]);
                    crossing = (x[a] * slope + yp[k] - y[a]) / slope;
                }
                if ((crossing - xr) / reach < 1) ++crossings;
            });
        });
        if (!ringsFit) stopRingCount(routineNumber);
        mk[k] = static_cast<std::int32_t>(crossings & 1U);
        count += mk[k];
    }
}

}  // namespace

void CELL_LINE_STEPS(int& a1, int& a2, int& b1, int& b2, int& steps, float& step1, float& step2) {
    if (a1 < 1) a1 = b1;
    if (b1 < 1) b1 = a1;
    if (a2 < 1) a2 = b2;
    if (b2 < 1) b2 = a2;
    const std::int64_t d1 = std::int64_t{b1} - a1;
    const std::int64_t d2 = std::int64_t{b2} - a2;
    const std::int64_t m = std::max(std::llabs(d1), std::llabs(d2));
    step1 = m > 0 ? static_cast<float>(d1) / static_cast<float>(m) : 0.0F;
    step2 = m > 0 ? static_cast<float>(d2) / static_cast<float>(m) : 0.0F;
    steps = static_cast<int>(std::min<std::int64_t>(m + 1, std::numeric_limits<int>::max()));
}

void CELL_LINE_STEPS_2(int a1, int a2, int b1, int b2, int& steps, float& step1, float& step2, float extent2,
                       float extent1) {
    const std::int64_t m = std::max(std::llabs(std::int64_t{b1} - a1), std::llabs(std::int64_t{b2} - a2));
    step1 = m > 0 ? extent1 / static_cast<float>(m) : 0.0F;
    step2 = m > 0 ? extent2 / static_cast<float>(m) : 0.0F;
    steps = static_cast<int>(std::min<std::int64_t>(m + 1, std::numeric_limits<int>::max()));
}

void GRIDLINE(float x1, float y1, float x2, float y2, float dx, float dy, int& firstRow, int& lastRow,
              int& firstColumn, int& lastColumn, int& n, int* j, int* i, int nmax) {
    const int j1 = gridIndex(y1 / dy), i1 = gridIndex(x1 / dx);
    const int j2 = gridIndex(y2 / dy), i2 = gridIndex(x2 / dx);
    if (SAME_POINT(x1, y1, x2, y2, kSamePoint)) {
        checkCellLimit(1, nmax);
        firstRow = j1;
        lastRow = j2;
        firstColumn = i1;
        lastColumn = i2;
        n = 1;
        j[0] = j1;
        i[0] = i1;
        return;
    }
    const float xlo = std::fmin(x1, x2) - dx, xhi = std::fmax(x1, x2) + dx;
    const float ylo = std::fmin(y1, y2) - dy, yhi = std::fmax(y1, y2) + dy;
    firstRow = lastRow = firstColumn = lastColumn = 0;
    n = 0;
    if (!crossesAnyLine(x1, y1, x2, y2)) return;
    // Every centre line strictly between the end cells is crossed: a segment reaching far off the
    // grid stops here rather than after testing every line.
    checkCellLimit(std::max(std::abs(j2 - j1), std::abs(i2 - i1)) - 1, nmax);
    // The centre lines the closed segment touches, from its first end cell to its second; a
    // centre line that holds the whole segment is not crossed.
    bool rowsCrossed = false;
    for (int row = j1;; row += j2 < j1 ? -1 : 1) {
        const float y = (static_cast<float>(row) - 0.5F) * dy;
        if (!(y == y1 && y == y2) && INTERSECT_LINE(x1, y1, x2, y2, xlo, y, xhi, y)) {
            if (!rowsCrossed) firstRow = row;
            rowsCrossed = true;
            lastRow = row;
        }
        if (row == j2) break;
    }
    bool columnsCrossed = false;
    for (int column = i1;; column += i2 < i1 ? -1 : 1) {
        const float x = (static_cast<float>(column) - 0.5F) * dx;
        if (!(x == x1 && x == x2) && INTERSECT_LINE(x1, y1, x2, y2, x, ylo, x, yhi)) {
            if (!columnsCrossed) firstColumn = column;
            columnsCrossed = true;
            lastColumn = column;
        }
        if (column == i2) break;
    }
    if (!rowsCrossed && !columnsCrossed) return;
    const int rowSpan = std::abs(lastRow - firstRow);
    const int columnSpan = std::abs(lastColumn - firstColumn);
    const bool alongRows = rowsCrossed && (!columnsCrossed || rowSpan > columnSpan);
    const int cells = std::max(rowSpan, columnSpan) + 1;
    checkCellLimit(cells, nmax);
    for (int k = 0; k < cells; ++k) {
        float xs = 0.0F;
        float ys = 0.0F;
        if (alongRows) {
            j[k] = lastRow < firstRow ? firstRow - k : firstRow + k;
            const float y = (static_cast<float>(j[k]) - 0.5F) * dy;
            if (!INTERSECTION_POINT(x1, y1, x2, y2, xlo, y, xhi, y, xs, ys)) stopNoIntersection("gridline", "");
            i[k] = gridIndex(xs / dx);
        } else {
            i[k] = lastColumn < firstColumn ? firstColumn - k : firstColumn + k;
            const float x = (static_cast<float>(i[k]) - 0.5F) * dx;
            if (!INTERSECTION_POINT(x1, y1, x2, y2, x, ylo, x, yhi, xs, ys)) stopNoIntersection("gridline", "2");
            j[k] = gridIndex(ys / dy);
        }
    }
    n = cells;
    firstRow = j[0];
    firstColumn = i[0];
    lastRow = j[cells - 1];
    lastColumn = i[cells - 1];
}

void GRIDLINE_2(float x1, float y1, float x2, float y2, bool startCellOnly, float dx, float dy, int& firstRow,
                int& lastRow, int& firstColumn, int& lastColumn, int& n, int* j, int* i, int nmax, int rowOffset,
                int columnOffset) {
    IndexBox ends{firstRow, firstColumn, lastRow, lastColumn};
    CellList cells{j, i, nmax};
    stepWalk("gridline", false, {x1, y1, x2, y2}, startCellOnly, {dx, dy, rowOffset, columnOffset}, ends, cells);
    handBack(ends, firstRow, firstColumn, lastRow, lastColumn);
    n = cells.count;
}

void GRIDLINE_5(float x1, float y1, float x2, float y2, bool startCellOnly, float dx, float dy, int& firstRow,
                int& lastRow, int& firstColumn, int& lastColumn, int& n, int* j, int* i, int nmax, int rowOffset,
                int columnOffset) {
    IndexBox ends{firstRow, firstColumn, lastRow, lastColumn};
    CellList cells{j, i, nmax};
    stepWalk("gridline_5", true, {x1, y1, x2, y2}, startCellOnly, {dx, dy, rowOffset, columnOffset}, ends, cells);
    handBack(ends, firstRow, firstColumn, lastRow, lastColumn);
    n = cells.count;
}

void GRID_INSIDE_POLYGON(std::uint8_t* marks, std::int8_t* counters, std::int32_t* integerValues, float* realValues,
                         int n1, int n2, float dx, float dy, int m1, int m2, bool clearMarks, bool assignValues,
                         bool integerValuesSwitch, bool constantValue, float value, bool add, int& firstRow,
                         int& firstColumn, int& lastRow, int& lastColumn, int& count, const float* x, const float* y,
                         const float* zt, int n, const int* iend, int nring) {
    IndexBox box;
    markRegion<float>({marks, counters, integerValues, realValues}, {n1, n2, dx, dy, m1, m2},
                      {clearMarks, assignValues, integerValuesSwitch, constantValue, value, add, zt},
                      {x, y, n, iend, nring}, box, count);
    handBack(box, firstRow, firstColumn, lastRow, lastColumn);
}

void GRID_INSIDE_POLYGON_8(std::uint8_t* marks, std::int8_t* counters, std::int32_t* integerValues,
                           float* realValues, int n1, int n2, double dx, double dy, int m1, int m2, bool clearMarks,
                           bool assignValues, bool integerValuesSwitch, bool constantValue, float value, bool add,
                           int& firstRow, int& firstColumn, int& lastRow, int& lastColumn, int& count,
                           const double* x, const double* y, const float* zt, int n, const int* iend, int nring) {
    IndexBox box;
    markRegion<double>({marks, counters, integerValues, realValues}, {n1, n2, dx, dy, m1, m2},
                       {clearMarks, assignValues, integerValuesSwitch, constantValue, value, add, zt},
                       {x, y, n, iend, nring}, box, count);
    handBack(box, firstRow, firstColumn, lastRow, lastColumn);
}

void GRID_INSIDE_POLYGON_4(std::int32_t* mk, const float* xp, const float* yp, int np, int& count, const float* x,
                           const float* y, int n, const int* iend, int nring) {
    markPoints<float>(mk, xp, yp, np, count, x, y, n, iend, nring, 4);
}

void GRID_INSIDE_POLYGON_5(std::int32_t* mk, const double* xp, const double* yp, int np, int& count,
                           const double* x, const double* y, int n, const int* iend, int nring) {
    markPoints<double>(mk, xp, yp, np, count, x, y, n, iend, nring, 5);
}

void SET_GRID_VALUES(const std::int32_t* mk, const double* xp, const double* yp, std::int32_t* iv, float* rv,
                     int np, bool integerValuesSwitch, bool constantValue, float value, bool add, const double* xt,
                     const double* yt, const float* zt, int n) {
    for (int k = 0; k < np; ++k) {
        if (mk[k] != 1) continue;
        if (integerValuesSwitch) {
            const std::int32_t v = integerForm(value);
            iv[k] = add ? addSaturating(iv[k], v) : v;
        } else if (constantValue) {
            rv[k] = add ? rv[k] + value : value;
        } else if (n == 5) {
            double qx = 0.0;
            double qy = 0.0;
            if (!cornerLineMeetsSide(xp[k], yp[k], xt, yt, qx, qy)) continue;
            const float z = triangleValue(xp[k], yp[k], xt, yt, zt, qx, qy, DISTANCE_8, 1e-6);
            rv[k] = add ? rv[k] + z : z;
        }
    }
}

float INTERPOLATE_TRIANGLE_NO_CHECKS(float xp, float yp, const float* xt, const float* yt, const float* zt) {
    return interpolateNoChecks<float>(xp, yp, xt, yt, zt);
}

float INTERPOLATE_TRIANGLE_NO_CHECKS_8(double xp, double yp, const double* xt, const double* yt, const float* zt) {
    return interpolateNoChecks<double>(xp, yp, xt, yt, zt);
}

}  // namespace zx
