// geometry/grid_cells.hpp: 2D geometry on the cells of a regular grid whose corner is the origin
// of the coordinates (GEO_SHIFT brings points there): which cells a segment passes, which grid
// points lie inside a region, and the values they receive. A coordinate x lies in column
// floor(x / DX) + 1 and y in row floor(y / DY) + 1; the grid point (j, i) stands at (i DX, j DY).
// Grid arrays are N1 x N2 with the row index first: point (j, i) is element (i - 1) N1 + j - 1.
// Cell lists and index results are 1-based, as the callers' arrays are.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace zx {

// First row, first column, last row, last column of a block of cells or grid points.
struct IndexBox {
    std::int32_t firstRow = 0;
    std::int32_t firstColumn = 0;
    std::int32_t lastRow = 0;
    std::int32_t lastColumn = 0;
};

// The array element of grid point or cell (row, column) in arrays of n1 rows.
inline std::size_t gridElement(int n1, int row, int column) {
    return static_cast<std::size_t>(column - 1) * static_cast<std::size_t>(n1) + static_cast<std::size_t>(row - 1);
}

// The integer form of a value that a grid element receives: rounded, halves away from zero,
// saturating at the integer's range (NaN gives 0).
inline std::int32_t integerForm(float value) {
    if (std::isnan(value)) return 0;
    const double rounded = std::round(static_cast<double>(value));
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(rounded, kLow, kHigh));
}

// An integer element plus a value, held at the integer's range rather than wrapping round.
inline std::int32_t addSaturating(std::int32_t a, std::int32_t b) {
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                                std::numeric_limits<std::int32_t>::max()));
}

// The steps from cell A to cell B (indexes 1 and 2 of each): count m + 1 with m the larger index
// distance, and the per-step change of each index (0 when A is B). An index below 1 is taken from
// the other cell first, and the completed indexes are written back.
void CELL_LINE_STEPS(int& a1, int& a2, int& b1, int& b2, int& steps, float& step1, float& step2);
// The same count; the steps are the given extents divided by m (extent2 belongs to index 2).
void CELL_LINE_STEPS_2(int a1, int a2, int b1, int b2, int& steps, float& step1, float& step2, float extent2,
                       float extent1);

// The cells whose centre lines the segment (x1, y1)-(x2, y2) crosses, walked along the axis with
// more centre lines crossed: rows j[0..n-1] and columns i[0..n-1] in walking order, with the
// first and last cell; n = 0 when no centre line is crossed, 1 for a segment shorter than 1e-4.
// More than nmax cells end the run.
void GRIDLINE(float x1, float y1, float x2, float y2, float dx, float dy, int& firstRow, int& lastRow,
              int& firstColumn, int& lastColumn, int& n, int* j, int* i, int nmax);
// The cells where the segment crosses a centre line after its first point and up to its second,
// one per centre line of the axis that crosses more cells, and the end cells' own centre lines
// crossed across that axis; a cell is never listed twice in a row. The offsets are added to the
// listed cells. startCellOnly lists the first point's cell alone; a segment shorter than 1e-4
// lists nothing but gives its end cells (and j[0], i[0]) without offsets.
void GRIDLINE_2(float x1, float y1, float x2, float y2, bool startCellOnly, float dx, float dy, int& firstRow,
                int& lastRow, int& firstColumn, int& lastColumn, int& n, int* j, int* i, int nmax, int rowOffset,
                int columnOffset);
// GRIDLINE_2 whose end steps test only the end cell's own stretch of the cross centre line.
void GRIDLINE_5(float x1, float y1, float x2, float y2, bool startCellOnly, float dx, float dy, int& firstRow,
                int& lastRow, int& firstColumn, int& lastColumn, int& n, int* j, int* i, int nmax, int rowOffset,
                int columnOffset);

// Marks the grid points inside a region (even-odd over its rings, laid out as for INSIDE_POLYGON)
// within the region's box, kept m1 rows and m2 columns off the array edges, and counts them. The
// crossing counters are scratch of the arrays' size. clearMarks unmarks the box first; with
// assignValues each marked point gets the rounded value (integerValues), the value
// (constantValue) or, for a triangle (n = 5), the corner values zt interpolated; add adds to what
// the point holds. The box is written back; an empty box touches no array.
void GRID_INSIDE_POLYGON(std::uint8_t* marks, std::int8_t* counters, std::int32_t* integerValues, float* realValues,
                         int n1, int n2, float dx, float dy, int m1, int m2, bool clearMarks, bool assignValues,
                         bool integerValuesSwitch, bool constantValue, float value, bool add, int& firstRow,
                         int& firstColumn, int& lastRow, int& lastColumn, int& count, const float* x, const float* y,
                         const float* zt, int n, const int* iend, int nring);
// Double coordinates and cell sizes; the interpolation ratios are rounded to single before they
// scale a value difference.
void GRID_INSIDE_POLYGON_8(std::uint8_t* marks, std::int8_t* counters, std::int32_t* integerValues,
                           float* realValues, int n1, int n2, double dx, double dy, int m1, int m2, bool clearMarks,
                           bool assignValues, bool integerValuesSwitch, bool constantValue, float value, bool add,
                           int& firstRow, int& firstColumn, int& lastRow, int& lastColumn, int& count,
                           const double* x, const double* y, const float* zt, int n, const int* iend, int nring);

// mk[k] = 1 for each of the np points inside the region, else 0; count of the inside points.
void GRID_INSIDE_POLYGON_4(std::int32_t* mk, const float* xp, const float* yp, int np, int& count, const float* x,
                           const float* y, int n, const int* iend, int nring);
void GRID_INSIDE_POLYGON_5(std::int32_t* mk, const double* xp, const double* yp, int np, int& count,
                           const double* x, const double* y, int n, const int* iend, int nring);
// The values of the points with mk[k] = 1, as GRID_INSIDE_POLYGON assigns them; the triangle's
// value is not set where the corner's line to the point runs parallel to the opposite side.
void SET_GRID_VALUES(const std::int32_t* mk, const double* xp, const double* yp, std::int32_t* iv, float* rv,
                     int np, bool integerValuesSwitch, bool constantValue, float value, bool add, const double* xt,
                     const double* yt, const float* zt, int n);

// The value at p of the plane through the triangle's corner values, without any test that p lies
// inside or that a value exists; the _8 rounds each length ratio to single.
float INTERPOLATE_TRIANGLE_NO_CHECKS(float xp, float yp, const float* xt, const float* yt, const float* zt);
float INTERPOLATE_TRIANGLE_NO_CHECKS_8(double xp, double yp, const double* xt, const double* yt, const float* zt);

}  // namespace zx
