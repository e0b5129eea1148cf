// convert/special_shapes.hpp: SWMM cross-section shapes that the 1D network takes as height-width
// tables. RECT_OPEN, TRAPEZOIDAL and TRIANGULAR cross-sections become two-point tables among the
// transect tables; ARCH and RECT_TRIANGULAR conduits get table files of their own and a line each
// in the height-width layer "xs\1d_hw_" + the input's file name.
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "convert/network.hpp"

namespace zx::convert {

// Appends a height-width table (Type "HW", named after the link) to the transect tables for every
// RECT_OPEN, TRAPEZOIDAL or TRIANGULAR cross-section, with a CHECK line and its dimensions on the
// console, and sets the transect flag when it made one. More tables than the capacity end the run.
void xsConvertSpecialShapes(Network& network);

// An arch's full height, width and area after its size code: a code above 0 (or a whole-number
// height with width 0, taken as the code) selects a standard size, converted from inches to feet,
// with its console report; otherwise height and width stay and the area is 0.
struct ArchDimensions {
    float height;
    float width;
    float area;
};
ArchDimensions xsArchSizeCode(float height, float width, float sizeCode, std::string_view link);

// The 26 rows of an arch's table: depth, width and area from empty to full. Without a standard
// area the full area is 0.7879 x height x width.
struct ArchTable {
    std::array<float, 26> depth;
    std::array<float, 26> width;
    std::array<float, 26> area;
};
ArchTable xsArchTables(float height, float width, float sizeCode, std::string_view link);

// The 4 rows of a rectangular channel over a triangular bottom: empty, the triangle's top, full,
// and closed just above full.
struct RectTriangularTable {
    std::array<float, 4> height;
    std::array<float, 4> width;
};
RectTriangularTable xsRectTriangularTable(float fullHeight, float topWidth, float triangleHeight);

// The attribute line of a conduit's line in the height-width layer, naming its table file: flag
// "A" for an ARCH conduit, blank for a RECT_TRIANGULAR one.
std::string xsHwRecord(std::string_view flag, std::string_view fileName);

}  // namespace zx::convert
